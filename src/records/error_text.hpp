#pragma once
// The platform's error numbers (errno) as the German texts the user reads in a message.
#include <string>

namespace tab {

// The error of a file that is there but is no regular file: a named pipe, a device (a link to
// /dev/zero), a socket. Reading one could wait for ever or never end, so it is not read. No
// errno has this meaning; errno values are positive.
inline constexpr int kNotRegularFile = -1;

// The German text of an error number: our own words for the common ones (access denied,
// read-only file system, no space left, not found, ...), "Fehler <n>" for every other;
// kNotRegularFile reads "ist keine normale Datei".
std::string ErrorText(int error);

}  // namespace tab
