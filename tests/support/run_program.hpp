#pragma once
// Runs one of the built programs as a child process, without a shell.
#include <string>
#include <vector>

namespace tab::test {

struct ProgramRun {
  int status = -1;     // the exit code, or -1 when the program did not end normally
  int signal = 0;      // the signal that ended the program, or 0
  std::string output;  // standard output
  std::string errors;  // standard error
};

// Where the program's output goes instead of the two pipes.
struct RunOptions {
  std::string outputFile;         // standard output into this file (e.g. /dev/full)
  bool errorsIntoOutput = false;  // standard error into `output`, in the order written
};

// `arguments` without the program; `environment` holds "NAME=value" entries that replace the
// test's environment as a whole.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const RunOptions& options = {});

// A usage error of a command-line tool named `tool`: exit 2, nothing on standard output, and
// on standard error "<tool>: <firstLine>", an empty line and the usage ("Aufruf: …").
void ExpectUsageError(const ProgramRun& run, const std::string& tool, const std::string& firstLine);

// The test's environment without the named variables, with `extra` added.
std::vector<std::string> EnvironmentWithout(const std::vector<std::string>& names,
                                            const std::vector<std::string>& extra = {});

}  // namespace tab::test
