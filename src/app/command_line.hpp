#pragma once
// The window's command line: its own options are taken out before Qt sees the rest, so that
// --help and --version answer without a display.
#include <string>
#include <string_view>
#include <vector>

namespace tab {

// "tabellario 1.8.0": the program's name and the version of the build.
std::string VersionLine(std::string_view program);

// The window's German usage text.
extern const char* const kWindowUsage;

struct WindowCommandLine {
  enum class Action { Run, Help, Version, UsageError };
  Action action = Action::Run;
  std::string programDir;  // --program-dir, empty when not given
  std::string error;       // for UsageError, German
  // The program name and every argument that is not ours, in their order: Qt's options
  // (-platform, -style ...) and anything Qt does not know either.
  std::vector<std::string> rest;
};

// argv[0] first. "--program-dir DIR" and "--program-dir=DIR"; "--help" and "-h"; "--version".
// "--" ends the options: what follows is left to the rest.
WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& arguments);

// The message for arguments that neither the window nor Qt took.
std::string UnknownArgumentsError(const std::vector<std::string>& leftOver);

}  // namespace tab
