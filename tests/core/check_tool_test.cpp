// tabellario-check as a user calls it, on the demo program directory and data base: usage errors
// end with exit 2 and name the fault, a data base that cannot be read and a report that cannot be
// written with exit 1, a clean data base with 0 and findings with 3; --school picks the
// Dienststellen, in the order named; --output writes the report whole or not at all; a progress
// line only on a terminal.
#include <gtest/gtest.h>

#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "support/fixture.hpp"
#include "support/run_program.hpp"

namespace tab::test {
namespace {

#ifdef TABELLARIO_CHECK_TOOL
const std::string kCheckTool = TABELLARIO_CHECK_TOOL;
#else
const std::string kCheckTool;
#endif

const std::string kDemo = std::string(TABELLARIO_SOURCE_DIR) + "/demo/";

ProgramRun Check(const std::vector<std::string>& arguments, const RunOptions& options = {}) {
  std::vector<std::string> all = {"--program-dir", kDemo + "program/"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  return RunProgram(kCheckTool, all, EnvironmentWithout({}), options);
}

// The Dienststellen of a text report, in its order.
std::vector<std::string> SchoolsOf(const std::string& report) {
  std::vector<std::string> schools;
  const std::string mark = "\nDienststelle ";
  for (std::size_t at = report.find(mark); at != std::string::npos;
       at = report.find(mark, at + 1)) {
    schools.push_back(report.substr(at + mark.size(), 5));
  }
  return schools;
}

struct UsageCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* firstLine;  // of standard error, after "tabellario-check: "
};

const UsageCase kUsageCases[] = {
    {"UnknownOption", {"--bunt"}, "unbekannte Option: --bunt"},
    {"Argument", {"13001"}, "unerwartetes Argument: 13001"},
    {"DatabaseWithoutValue", {"--database"}, "Option ohne Wert: --database"},
    {"SchoolWithoutValue", {"--school"}, "Option ohne Wert: --school"},
    {"EmptySchool", {"--school", ""}, "Option ohne Wert: --school"},
    {"SchoolAsPath",
     {"--school", "../13001"},
     "--school erwartet die Nummer einer Dienststelle: ../13001"},
    {"SchoolUp", {"--school", ".."}, "--school erwartet die Nummer einer Dienststelle: .."},
    {"JobsWithoutValue", {"--jobs"}, "Option ohne Wert: --jobs"},
    {"NoJobs", {"--jobs", "0"}, "--jobs erwartet eine Zahl von 1 bis 1024: 0"},
    {"TooManyJobs", {"--jobs", "1025"}, "--jobs erwartet eine Zahl von 1 bis 1024: 1025"},
    {"JobsNotANumber", {"--jobs", "2x"}, "--jobs erwartet eine Zahl von 1 bis 1024: 2x"},
    {"NegativeJobs", {"--jobs", "-1"}, "--jobs erwartet eine Zahl von 1 bis 1024: -1"},
    {"FormatWithoutValue", {"--format"}, "Option ohne Wert: --format"},
    {"UnknownFormat", {"--format", "xml"}, "unbekanntes Ausgabeformat: xml"},
    {"OutputWithoutValue", {"--output"}, "Option ohne Wert: --output"},
};

class CheckUsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CheckUsageErrors, EndWithExitTwoAndNameTheFault) {
  ASSERT_FALSE(kCheckTool.empty()) << "tabellario-check is not built";
  const UsageCase& c = GetParam();
  ExpectUsageError(Check(c.arguments), "tabellario-check", c.firstLine);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckUsageErrors, ::testing::ValuesIn(kUsageCases),
                         [](const ::testing::TestParamInfo<UsageCase>& testCase) {
                           return std::string(testCase.param.name);
                         });

TEST(CheckToolTest, ExitCodeSaysWhatWasFound) {
  ASSERT_FALSE(kCheckTool.empty()) << "tabellario-check is not built";
  TempDir temp;
  WriteBytes(temp.Path() + "eine-datei", "keine Datenbasis\n");
  struct Case {
    std::vector<std::string> arguments;
    int status;
    const char* summaryOrError;  // the report's last line, or the first line of standard error
  };
  const Case cases[] = {
      {{"--database", kDemo + "db/", "--school", "00000"},
       0,
       "1 Dienststelle geprüft, 0 mit Befunden, 0 Befunde"},
      {{"--database", kDemo + "db/", "--school", "13001", "--format", "json"}, 3, "}"},
      {{"--database", kDemo + "db/"}, 3, "3 Dienststellen geprüft, 1 mit Befunden, 5 Befunde"},
      {{"--database", temp.Path() + "fehlt/"}, 1, "tabellario-check: Die Datenbasis:"},
      {{"--database", temp.Path() + "eine-datei"}, 1, "tabellario-check: Die Datenbasis:"},
      {{"--database", kDemo + "db/", "--output", temp.Path() + "fehlt/bericht.txt"},
       1,
       "tabellario-check: Der Bericht kann nicht geschrieben werden:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    const ProgramRun run = Check(c.arguments);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, c.status) << run.errors;
    if (c.status == 1) {
      EXPECT_EQ(run.output, "");
      EXPECT_EQ(run.errors.substr(0, run.errors.find('\n')), c.summaryOrError);
    } else {
      EXPECT_EQ(run.errors, "");
      std::string last = run.output.substr(0, run.output.size() - 1);
      last = last.substr(last.rfind('\n') + 1);
      EXPECT_EQ(last, c.summaryOrError);
    }
  }
}

TEST(CheckToolTest, StandardOutputThatCannotBeWrittenEndsWithExitOne) {
  ASSERT_FALSE(kCheckTool.empty()) << "tabellario-check is not built";
  for (const char* format : {"text", "json", "csv"}) {
    SCOPED_TRACE(format);
    RunOptions toFull;
    toFull.outputFile = "/dev/full";
    const ProgramRun run = Check({"--database", kDemo + "db/", "--format", format}, toFull);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 1) << run.errors;
    EXPECT_NE(run.errors.find("Standardausgabe"), std::string::npos) << run.errors;
  }
}

TEST(CheckToolTest, SchoolsArePickedInTheOrderNamed) {
  ASSERT_FALSE(kCheckTool.empty()) << "tabellario-check is not built";
  struct Case {
    std::vector<std::string> schools;
    std::vector<std::string> reported;
    int status;
  };
  const Case cases[] = {
      {{}, {"00000", "13001", "13002"}, 3},
      {{"13002", "00000"}, {"13002", "00000"}, 0},
      {{"13002", "13002"}, {"13002"}, 0},  // named twice, checked once
      {{"13001"}, {"13001"}, 3},
      // One that is not there is a finding of its own; the others are still checked.
      {{"99999", "00000"}, {"99999", "00000"}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.schools));
    std::vector<std::string> arguments = {"--database", kDemo + "db/", "--jobs", "2"};
    for (const std::string& school : c.schools) {
      arguments.push_back("--school");
      arguments.push_back(school);
    }
    const ProgramRun run = Check(arguments);
    EXPECT_EQ(run.status, c.status) << run.errors;
    EXPECT_EQ(SchoolsOf(run.output), c.reported) << run.output;
  }
  const ProgramRun missing = Check({"--database", kDemo + "db/", "--school", "99999"});
  EXPECT_NE(missing.output.find("99999/\n    ist nicht (mehr) vorhanden!"), std::string::npos)
      << missing.output;
}

TEST(CheckToolTest, OutputFileHoldsTheReportAndNothingBeside) {
  ASSERT_FALSE(kCheckTool.empty()) << "tabellario-check is not built";
  TempDir temp;
  const std::string file = temp.Path() + "bericht.json";
  // An older report is replaced, a read-only one stays read-only.
  WriteBytes(file, "alter Bericht, viel länger als der neue wäre er nicht, aber doch da\n");
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  const ProgramRun toFile =
      Check({"--database", kDemo + "db/", "--format", "json", "--output", file});
  EXPECT_EQ(toFile.status, 3) << toFile.errors;
  EXPECT_EQ(toFile.output, "");
  const ProgramRun toStandardOutput = Check({"--database", kDemo + "db/", "--format", "json"});
  EXPECT_EQ(ReadBytes(file), toStandardOutput.output);
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0444U);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(temp.Path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"bericht.json"});
}

// On a terminal the progress line stands on standard error, written over in place and gone
// before the report; the other tests, whose standard error is a pipe, get none.
TEST(CheckToolTest, AProgressLineOnlyOnATerminal) {
  ASSERT_FALSE(kCheckTool.empty()) << "tabellario-check is not built";
  int terminal = -1;
  const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    const std::string program = kDemo + "program/";
    const std::string db = kDemo + "db/";
    ::execl(kCheckTool.c_str(), kCheckTool.c_str(), "--program-dir", program.c_str(), "--database",
            db.c_str(), "--jobs", "1", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  std::string seen;
  char buffer[4096];
  for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;  // EIO once the child has gone
    seen.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(terminal);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
  const std::size_t last = seen.find("\r3 / 3 Dienststellen\033[K");
  const std::size_t erased = seen.find("\r\033[K", last);
  const std::size_t report = seen.find("Prüfung der Datenbasis");
  ASSERT_NE(last, std::string::npos) << seen;
  ASSERT_NE(erased, std::string::npos) << seen;
  EXPECT_LT(erased, report) << seen;
  EXPECT_NE(seen.find("3 Dienststellen geprüft, 1 mit Befunden, 5 Befunde"), std::string::npos);
}

}  // namespace
}  // namespace tab::test
