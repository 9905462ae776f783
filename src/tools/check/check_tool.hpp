#pragma once
// tabellario-check: its command line, its progress line on a terminal, and the run itself.
#include <string>
#include <vector>

#include "app/check_report.hpp"

namespace tab {

extern const char* const kCheckUsage;

// The exit codes.
inline constexpr int kCheckClean = 0;   // nothing found
inline constexpr int kCheckFailed = 1;  // the data base cannot be read, or the output written
inline constexpr int kCheckUsageError = 2;
inline constexpr int kCheckFindings = 3;  // something found

struct CheckArguments {
  enum class Action { Run, Help, Version, UsageError };
  Action action = Action::Run;
  std::string error;  // for UsageError, German

  std::string programDir;  // empty: chosen as the window chooses it
  std::string database;    // empty: the one of the settings
  std::vector<std::string> schools;
  unsigned jobs = 0;  // 0: as many as the processor runs at once
  ReportFormat format = ReportFormat::Text;
  std::string output;  // empty: standard output
};

// The arguments after the program name.
CheckArguments ParseCheckArguments(const std::vector<std::string>& arguments);

// The whole program: returns the exit code.
int RunCheckTool(const std::vector<std::string>& arguments);

}  // namespace tab
