#pragma once
// The platform's error numbers (errno) as the German texts the user reads in a message.
#include <string>

namespace tab {

// The German text of an error number: our own words for the common ones (access denied,
// read-only file system, no space left, not found, ...), "Fehler <n>" for every other.
std::string ErrorText(int error);

}  // namespace tab
