#pragma once
#include <string>

namespace tab {

// The folder of the running executable, ending with the separator (empty if it cannot be told).
std::string ExecutableDirectory();

}  // namespace tab
