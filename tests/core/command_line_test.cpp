// The command lines of both programs: the window's own options taken out before Qt sees the
// rest, and --help and --version of both built programs answering without a display.
#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_program.hpp"

namespace tab::test {
namespace {

using Action = WindowCommandLine::Action;

struct WindowCase {
  const char* name;
  std::vector<std::string> arguments;  // after the program name
  Action action;
  const char* programDir;
  std::vector<std::string> rest;  // after the program name
};

const WindowCase kWindowCases[] = {
    {"Nothing", {}, Action::Run, "", {}},
    {"ProgramDir", {"--program-dir", "/schule/prog"}, Action::Run, "/schule/prog", {}},
    {"ProgramDirWithEquals", {"--program-dir=/schule/prog"}, Action::Run, "/schule/prog", {}},
    {"ProgramDirWithoutValue", {"--program-dir"}, Action::UsageError, "", {}},
    {"ProgramDirEmpty", {"--program-dir="}, Action::UsageError, "", {}},
    {"Help", {"--help"}, Action::Help, "", {}},
    {"ShortHelp", {"-h"}, Action::Help, "", {}},
    {"HelpWinsOverAnError", {"--program-dir=", "--help"}, Action::Help, "", {}},
    {"ProgramDirTakesTheNextArgument", {"--program-dir", "--help"}, Action::Run, "--help", {}},
    {"HelpWinsOverVersion", {"--version", "--help"}, Action::Help, "", {}},
    {"Version", {"--version"}, Action::Version, "", {}},
    {"QtOptionsStayForQt",
     {"-platform", "offscreen", "--program-dir", "/p", "-style", "Fusion"},
     Action::Run,
     "/p",
     {"-platform", "offscreen", "-style", "Fusion"}},
    {"UnknownArgumentsStayForQt",
     {"--bunt", "datei.csv"},
     Action::Run,
     "",
     {"--bunt", "datei.csv"}},
    {"DoubleDashEndsOptions", {"--", "--help"}, Action::Run, "", {"--help"}},
};

class WindowCommandLines : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowCommandLines, AreTakenApart) {
  const WindowCase& c = GetParam();
  std::vector<std::string> arguments{"tabellario"};
  arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
  const WindowCommandLine line = ParseWindowCommandLine(arguments);
  EXPECT_EQ(line.action, c.action);
  if (c.action == Action::UsageError) {
    EXPECT_EQ(line.error, "--program-dir braucht ein Verzeichnis");
  } else {
    EXPECT_EQ(line.programDir, c.programDir);
  }
  std::vector<std::string> rest{"tabellario"};
  rest.insert(rest.end(), c.rest.begin(), c.rest.end());
  EXPECT_EQ(line.rest, rest);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowCommandLines, ::testing::ValuesIn(kWindowCases),
                         [](const ::testing::TestParamInfo<WindowCase>& testCase) {
                           return std::string(testCase.param.name);
                         });

TEST(WindowCommandLine, UnknownArgumentsAreNamed) {
  EXPECT_EQ(UnknownArgumentsError({"--bunt"}), "unbekanntes Argument: --bunt");
  EXPECT_EQ(UnknownArgumentsError({"a", "b"}), "unbekannte Argumente: a b");
}

TEST(VersionLine, NamesTheProgramAndTheVersionOfTheBuild) {
  EXPECT_EQ(VersionLine("tabellario"), std::string("tabellario ") + TABELLARIO_TEST_VERSION);
}

// ---- the built programs -----------------------------------------------------------------------

struct ProgramCase {
  const char* name;
  const char* program;
  std::vector<std::string> arguments;
  int status;
  const char* output;  // the start of standard output
  const char* errors;  // a part of standard error
};

// Without any display: the window must not even look for one.
const std::vector<std::string> kNoDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

std::vector<ProgramCase> ProgramCases() {
  std::vector<ProgramCase> cases;
#ifdef TABELLARIO_WINDOW_PROGRAM
  cases.push_back({"WindowHelp",
                   TABELLARIO_WINDOW_PROGRAM,
                   {"--help"},
                   0,
                   "Aufruf: tabellario [--program-dir VERZ]\n",
                   ""});
  cases.push_back(
      {"WindowShortHelp", TABELLARIO_WINDOW_PROGRAM, {"-h"}, 0, "Aufruf: tabellario", ""});
  cases.push_back({"WindowVersion",
                   TABELLARIO_WINDOW_PROGRAM,
                   {"--version"},
                   0,
                   "tabellario " TABELLARIO_TEST_VERSION "\n",
                   ""});
  cases.push_back({"WindowProgramDirWithoutValue",
                   TABELLARIO_WINDOW_PROGRAM,
                   {"--program-dir"},
                   2,
                   "",
                   "tabellario: --program-dir braucht ein Verzeichnis\n\nAufruf:"});
#endif
#ifdef TABELLARIO_EXPORT_TOOL
  cases.push_back({"ExportHelp",
                   TABELLARIO_EXPORT_TOOL,
                   {"--help"},
                   0,
                   "Aufruf: tabellario-export [--program-dir VERZ]",
                   ""});
  cases.push_back({"ExportVersion",
                   TABELLARIO_EXPORT_TOOL,
                   {"--version"},
                   0,
                   "tabellario-export " TABELLARIO_TEST_VERSION "\n",
                   ""});
  cases.push_back({"ExportVersionWithTable",
                   TABELLARIO_EXPORT_TOOL,
                   {"--version", "1", "1"},
                   0,
                   "tabellario-export " TABELLARIO_TEST_VERSION "\n",
                   ""});
  cases.push_back({"ExportUnknownOption",
                   TABELLARIO_EXPORT_TOOL,
                   {"--bunt", "0", "0"},
                   2,
                   "",
                   "tabellario-export: unbekannte Option: --bunt\n\nAufruf:"});
  cases.push_back({"ExportMissingTable",
                   TABELLARIO_EXPORT_TOOL,
                   {"0"},
                   2,
                   "",
                   "BOGEN und TABELLE werden erwartet"});
  cases.push_back({"ExportButtonOfAnotherPage",
                   TABELLARIO_EXPORT_TOOL,
                   {"--run", "Button17", "1", "1"},
                   2,
                   "",
                   "Button Button17 liegt nicht auf der Seite von Bogen 1, Tabelle 1"});
#endif
  return cases;
}

TEST(BuiltPrograms, AnswerHelpAndVersionWithoutADisplay) {
  const std::vector<ProgramCase> cases = ProgramCases();
  if (cases.empty()) GTEST_SKIP() << "no program built";
  for (const ProgramCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramRun run = RunProgram(c.program, c.arguments, EnvironmentWithout(kNoDisplay));
    EXPECT_EQ(run.status, c.status) << run.errors;
    EXPECT_TRUE(run.output.starts_with(c.output)) << run.output;
    EXPECT_NE(run.errors.find(c.errors), std::string::npos) << run.errors;
    if (c.status == 0) {
      EXPECT_EQ(run.errors, "");
    } else {
      EXPECT_EQ(run.output, "");
    }
  }
}

}  // namespace
}  // namespace tab::test
