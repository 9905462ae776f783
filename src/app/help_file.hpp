#pragma once
// The program's help file: where it lies, and what the user is told when it cannot be opened.
#include <string>

#include "records/message_port.hpp"

namespace tab {

// The help file in the program directory, found without regard to case.
std::string HelpFilePath(const std::string& programDirectory);

// The warning about a help file that could not be opened: missing, no regular file (a named pipe,
// a device), or there but unreadable.
void ReportHelpFileFailure(const std::string& path, MessagePort& port);

}  // namespace tab
