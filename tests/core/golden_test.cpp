// End-to-end cases: each folder below tests/golden holds a program directory, a data base, the
// arguments of tabellario-export and its expected output. Files are kept readable in UTF-8 and
// written in the program's encodings when the case runs: data files (*.CSV) in CP850, key files
// and definition files in Windows-1252; a name ending in ".raw" is copied byte for byte, one
// ending in ".fifo" becomes a named pipe of the name before it (a file no one can read, root
// included). A file "tool" holding "check" runs tabellario-check instead; a file "base" names
// the case whose program directory, data base and settings are laid out first, so that several
// reports of one data base need it only once.
//
// The expected files change only on request: TABELLARIO_UPDATE_GOLDEN=1 writes every case anew,
// TABELLARIO_UPDATE_GOLDEN=case,case only the named ones. A run that crashed, was killed or said
// "interner Fehler" is never written; a case whose file changed fails, showing what changed, so
// an update run is never green. Any other value of the variable fails every case.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.hpp"
#include "records/text.hpp"
#include "support/fixture.hpp"
#include "support/run_program.hpp"

namespace tab::test {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenRoot = fs::path(TABELLARIO_SOURCE_DIR) / "tests" / "golden";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  // A final line break ends the last line; a text that ends with an empty line keeps it.
  return lines;
}

bool EndsWith(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Copies a case folder, writing each file in the encoding the program expects.
void LayOut(const fs::path& from, const std::string& to) {
  if (!fs::exists(from)) return;
  for (const auto& entry : fs::recursive_directory_iterator(from)) {
    const std::string relative = fs::relative(entry.path(), from).string();
    if (entry.is_directory()) {
      fs::create_directories(to + relative);
      continue;
    }
    const std::string content = ReadBytes(entry.path().string());
    std::string upper = relative;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (EndsWith(relative, ".raw")) {
      WriteBytes(to + relative.substr(0, relative.size() - 4), content);
    } else if (EndsWith(relative, ".fifo")) {
      const std::string pipe = to + relative.substr(0, relative.size() - 5);
      ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0) << pipe;
    } else if (EndsWith(upper, ".CSV")) {
      WriteOemLines(to + relative, Lines(content));
    } else {
      WriteAnsiLines(to + relative, Lines(content));
    }
  }
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// Settings of a case: "key=value" lines (school, database, rowheight, prefill, report) or
// "none" for no settings file at all; in a value \t stands for a tab and \n for a line break. The
// data base defaults to the case's db folder.
void WriteCaseSettings(const fs::path& file, const std::string& programDir,
                       const std::string& dbDir) {
  Settings settings = DefaultSettings();
  settings.dataBaseDirectory = Utf8ToWin1252(dbDir);
  if (fs::exists(file)) {
    for (const std::string& line : Lines(ReadBytes(file.string()))) {
      if (line == "none") return;
      const auto equals = line.find('=');
      if (equals == std::string::npos) continue;
      const std::string key = line.substr(0, equals);
      std::string value = line.substr(equals + 1);
      ReplaceAll(value, "\\t", "\t");
      ReplaceAll(value, "\\n", "\n");
      if (key == "school") settings.schoolNumber = Utf8ToWin1252(value);
      if (key == "database") settings.dataBaseDirectory = Utf8ToWin1252(value);
      if (key == "rowheight")
        settings.rowHeightOption = static_cast<std::uint16_t>(std::stoi(value));
      if (key == "prefill") settings.prefillOption = static_cast<std::uint16_t>(std::stoi(value));
      if (key == "report") settings.reportOption = static_cast<std::uint16_t>(std::stoi(value));
    }
  }
  WriteSettingsFile(programDir, settings);
}

// One value per line down to the rows of a grid, so that a difference is easy to read.
std::string Pretty(const std::string& json) {
  std::string out;
  int depth = 0;
  bool inString = false;
  const auto newline = [&] { out += "\n" + std::string(static_cast<std::size_t>(depth) * 2, ' '); };
  for (std::size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    out += c;
    if (inString) {
      if (c == '\\') {
        out += json[++i];
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      ++depth;
      if (depth <= 4) newline();
    } else if (c == '}' || c == ']') {
      --depth;
    } else if (c == ',' && depth <= 4) {
      newline();
    }
  }
  return out;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(kGoldenRoot, error)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// ---- what TABELLARIO_UPDATE_GOLDEN asks for --------------------------------------------------

struct UpdateRequest {
  bool all = false;
  std::set<std::string> cases;
  std::string error;  // the variable is set, but to nothing this runner understands
  bool Covers(const std::string& name) const { return all || cases.contains(name); }
};

UpdateRequest ParseUpdateRequest(const char* value, const std::vector<std::string>& known) {
  UpdateRequest request;
  if (value == nullptr) return request;
  const std::string text = value;
  if (text == "1") {
    request.all = true;
    return request;
  }
  std::string name;
  std::istringstream in(text);
  while (std::getline(in, name, ',')) {
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      request.error = "TABELLARIO_UPDATE_GOLDEN=" + text +
                      ": give 1 (every case) or case names separated by commas; unknown: \"" +
                      name + "\"";
      request.cases.clear();
      return request;
    }
    request.cases.insert(name);
  }
  if (request.cases.empty()) {
    request.error = "TABELLARIO_UPDATE_GOLDEN is empty: give 1 or case names";
  }
  return request;
}

const UpdateRequest& TheUpdateRequest() {
  static const UpdateRequest request =
      ParseUpdateRequest(std::getenv("TABELLARIO_UPDATE_GOLDEN"), CaseNames());
  return request;
}

// ---- running a case ----------------------------------------------------------------------------

#ifdef TABELLARIO_EXPORT_TOOL
const std::string kExportTool = TABELLARIO_EXPORT_TOOL;
#else
const std::string kExportTool;
#endif
#ifdef TABELLARIO_CHECK_TOOL
const std::string kCheckTool = TABELLARIO_CHECK_TOOL;
#else
const std::string kCheckTool;
#endif

// The first word of a case's file, or "" without the file.
std::string FirstWord(const fs::path& file) {
  if (!fs::exists(file)) return {};
  std::istringstream in(ReadBytes(file.string()));
  std::string word;
  in >> word;
  return word;
}

bool ChecksTheDataBase(const fs::path& folder) {
  return FirstWord(folder / "tool") == "check";
}

// The words of the args file; "$DB/" stands for the case's data base.
std::vector<std::string> Arguments(const fs::path& file, const std::string& dbDir) {
  std::vector<std::string> words;
  std::istringstream in(ReadBytes(file.string()));
  std::string word;
  while (in >> word) {
    ReplaceAll(word, "$DB/", dbDir);
    words.push_back(word);
  }
  return words;
}

// Standard output and standard error as written, then how the tool ended.
std::string Transcript(const ProgramRun& run) {
  if (run.signal != 0) return run.output + "killed by signal " + std::to_string(run.signal) + "\n";
  return run.output + "exit " + std::to_string(run.status) + "\n";
}

// Why a run must not become an expected output, or "". `highestExit` is the highest exit code
// the tool gives of its own accord (3, findings, for the check).
std::string FaultOf(const ProgramRun& run, int highestExit = 2) {
  if (run.signal != 0) return "killed by signal " + std::to_string(run.signal);
  if (run.status < 0 || run.status > highestExit) {
    return "ended with exit " + std::to_string(run.status);
  }
  for (const char* mark :
       {"interner Fehler", "AddressSanitizer", "LeakSanitizer", "runtime error:"}) {
    if (run.output.find(mark) != std::string::npos) return std::string("said \"") + mark + "\"";
  }
  return {};
}

// The lines that differ, between the common first and last lines: "- old" and "+ new".
std::string WhatChanged(const std::string& before, const std::string& after) {
  const std::vector<std::string> old = Lines(before);
  const std::vector<std::string> now = Lines(after);
  std::size_t first = 0;
  while (first < old.size() && first < now.size() && old[first] == now[first]) ++first;
  std::size_t oldEnd = old.size();
  std::size_t nowEnd = now.size();
  while (oldEnd > first && nowEnd > first && old[oldEnd - 1] == now[nowEnd - 1]) {
    --oldEnd;
    --nowEnd;
  }
  if (first == oldEnd && first == nowEnd) return "nothing\n";
  std::string text = "from line " + std::to_string(first + 1) + ":\n";
  for (std::size_t i = first; i < oldEnd; ++i) text += "- " + old[i] + "\n";
  for (std::size_t i = first; i < nowEnd; ++i) text += "+ " + now[i] + "\n";
  return text;
}

class GoldenCase : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenCase, ExportMatchesExpectedOutput) {
  const UpdateRequest& update = TheUpdateRequest();
  ASSERT_EQ(update.error, "");
  const fs::path folder = kGoldenRoot / GetParam();
  const bool check = ChecksTheDataBase(folder);
  const std::string& tool = check ? kCheckTool : kExportTool;
  ASSERT_FALSE(tool.empty()) << (check ? "tabellario-check" : "tabellario-export")
                             << " is not built";
  TempDir temp;
  const std::string programDir = temp.Path() + "program/";
  const std::string dbDir = temp.Path() + "db/";
  fs::create_directories(programDir);
  fs::create_directories(dbDir);
  const std::string base = FirstWord(folder / "base");
  const fs::path layout = base.empty() ? folder : kGoldenRoot / base;
  ASSERT_TRUE(fs::is_directory(layout)) << "no case " << base;
  LayOut(layout / "program", programDir);
  LayOut(layout / "db", dbDir);
  if (HasFatalFailure()) return;
  WriteCaseSettings(layout / "settings", programDir, dbDir);

  std::vector<std::string> arguments = {"--program-dir", programDir};
  for (std::string& word : Arguments(folder / "args", dbDir)) arguments.push_back(word);
  RunOptions options;
  options.errorsIntoOutput = true;
  const ProgramRun run = RunProgram(tool, arguments, EnvironmentWithout({}), options);
  std::string actual = Transcript(run);
  ReplaceAll(actual, temp.Path(), "$TMP/");
  // The check writes its JSON a finding a line already.
  if (!check && actual.starts_with("{")) actual = Pretty(actual);

  const std::string fault = FaultOf(run, check ? 3 : 2);
  EXPECT_EQ(fault, "") << actual;
  const fs::path expectedFile = folder / "expected.txt";
  const std::string expected = fs::exists(expectedFile) ? ReadBytes(expectedFile.string()) : "";
  if (update.Covers(GetParam())) {
    ASSERT_EQ(fault, "") << "not written: " << expectedFile;
    if (fs::exists(expectedFile) && expected == actual) return;
    WriteBytes(expectedFile.string(), actual);
    ADD_FAILURE() << "written anew: " << expectedFile << "\nwhat changed "
                  << WhatChanged(expected, actual)
                  << "Check the change, then run the tests again without TABELLARIO_UPDATE_GOLDEN.";
    return;
  }
  ASSERT_TRUE(fs::exists(expectedFile)) << "missing " << expectedFile;
  EXPECT_EQ(expected, actual) << "what changed " << WhatChanged(expected, actual);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, ::testing::ValuesIn(CaseNames()),
                         [](const auto& param) {
                           std::string name = param.param;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });
// Without cases the test below fails; the list above may then be empty.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GoldenCase);

// A missing tool or golden folder must not make the cases vanish quietly.
TEST(GoldenCases, TheToolAndTheCasesAreThere) {
  ASSERT_FALSE(kExportTool.empty()) << "tabellario-export is not built";
  EXPECT_EQ(::access(kExportTool.c_str(), X_OK), 0) << kExportTool;
  ASSERT_FALSE(kCheckTool.empty()) << "tabellario-check is not built";
  EXPECT_EQ(::access(kCheckTool.c_str(), X_OK), 0) << kCheckTool;
  ASSERT_TRUE(fs::is_directory(kGoldenRoot)) << kGoldenRoot;
  const std::vector<std::string> names = CaseNames();
  EXPECT_FALSE(names.empty()) << "no case in " << kGoldenRoot;
  for (const std::string& name : names) {
    EXPECT_TRUE(fs::exists(kGoldenRoot / name / "args")) << name;
    const std::string base = FirstWord(kGoldenRoot / name / "base");
    if (!base.empty()) {
      EXPECT_TRUE(std::find(names.begin(), names.end(), base) != names.end()) << name;
    }
    if (!TheUpdateRequest().Covers(name)) {
      EXPECT_TRUE(fs::exists(kGoldenRoot / name / "expected.txt")) << name;
    }
  }
}

// The update request is explicit: only 1 or names of cases.
TEST(GoldenCases, OnlyOneOrCaseNamesAskForAnUpdate) {
  const std::vector<std::string> known = {"a-case", "b-case"};
  EXPECT_FALSE(ParseUpdateRequest(nullptr, known).Covers("a-case"));
  EXPECT_EQ(ParseUpdateRequest(nullptr, known).error, "");
  EXPECT_TRUE(ParseUpdateRequest("1", known).Covers("b-case"));
  const UpdateRequest listed = ParseUpdateRequest("b-case", known);
  EXPECT_EQ(listed.error, "");
  EXPECT_TRUE(listed.Covers("b-case"));
  EXPECT_FALSE(listed.Covers("a-case"));
  EXPECT_TRUE(ParseUpdateRequest("a-case,b-case", known).Covers("a-case"));
  for (const char* value : {"0", "", "yes", "true", "a-case,c-case", "2"}) {
    const UpdateRequest request = ParseUpdateRequest(value, known);
    EXPECT_NE(request.error, "") << value;
    EXPECT_FALSE(request.Covers("a-case")) << value;
  }
}

TEST(GoldenCases, CrashedKilledOrInternalErrorRunsAreNeverWritten) {
  struct Case {
    const char* name;
    ProgramRun run;
    std::string fault;
  };
  const Case cases[] = {
      {"done", {0, 0, "{}\n", ""}, ""},
      {"usage error", {2, 0, "tabellario-export: unbekannte Option: --x\n", ""}, ""},
      {"output failure", {1, 0, "", ""}, ""},
      {"killed", {-1, SIGKILL, "{", ""}, "killed by signal 9"},
      {"aborted", {-1, SIGABRT, "", ""}, "killed by signal 6"},
      {"odd exit", {134, 0, "", ""}, "ended with exit 134"},
      {"internal error",
       {0, 0, "{\"kind\":\"error\",\"text\":\"interner Fehler: unklare Schul-Tabelle\"}", ""},
       "said \"interner Fehler\""},
      {"sanitizer",
       {1, 0, "==1==ERROR: AddressSanitizer: heap-buffer-overflow", ""},
       "said \"AddressSanitizer\""},
  };
  for (const Case& c : cases) EXPECT_EQ(FaultOf(c.run), c.fault) << c.name;
  // Findings are the check's own exit 3; the export tool has no such code.
  EXPECT_EQ(FaultOf({3, 0, "", ""}, 3), "");
  EXPECT_EQ(FaultOf({3, 0, "", ""}), "ended with exit 3");
  EXPECT_EQ(FaultOf({4, 0, "", ""}, 3), "ended with exit 4");
  EXPECT_EQ(Transcript({-1, SIGSEGV, "{", ""}), "{killed by signal 11\n");
  EXPECT_EQ(Transcript({0, 0, "x\n", ""}), "x\nexit 0\n");
}

// A program killed by a signal is told apart from one that ended by itself.
TEST(GoldenCases, AKilledProgramIsSeenAsKilled) {
  RunOptions options;
  options.errorsIntoOutput = true;
  const ProgramRun run =
      RunProgram("/bin/sh", {"-c", "printf '{'; kill -KILL $$"}, EnvironmentWithout({}), options);
  EXPECT_EQ(run.signal, SIGKILL);
  EXPECT_EQ(Transcript(run), "{killed by signal 9\n");
  EXPECT_EQ(FaultOf(run), "killed by signal 9");
}

TEST(GoldenCases, WhatChangedShowsTheDifferingLines) {
  EXPECT_EQ(WhatChanged("a\nb\nc\n", "a\nb\nc\n"), "nothing\n");
  EXPECT_EQ(WhatChanged("a\nb\nc\n", "a\nB\nc\n"), "from line 2:\n- b\n+ B\n");
  EXPECT_EQ(WhatChanged("", "x\n"), "from line 1:\n+ x\n");
  EXPECT_EQ(WhatChanged("a\nb\n", "a\n"), "from line 2:\n- b\n");
}

}  // namespace
}  // namespace tab::test
