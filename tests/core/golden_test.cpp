// End-to-end cases: each folder below tests/golden holds a program directory, a data base, the
// arguments of tabellario-export and its expected output. Files are kept readable in UTF-8 and
// written in the program's encodings when the case runs: data files (*.CSV) in CP850, key files
// and definition files in Windows-1252; a name ending in ".raw" is copied byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/settings.hpp"
#include "records/text.hpp"
#include "support/fixture.hpp"

#ifdef TABELLARIO_EXPORT_TOOL

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
    } else if (EndsWith(upper, ".CSV")) {
      WriteOemLines(to + relative, Lines(content));
    } else {
      WriteAnsiLines(to + relative, Lines(content));
    }
  }
}

// Settings of a case: "key=value" lines (school, database, rowheight, prefill, report) or
// "none" for no settings file at all. The data base defaults to the case's db folder.
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
      const std::string value = line.substr(equals + 1);
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

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[65536];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  const int status = pclose(pipe);
  return output + "exit " + std::to_string(WEXITSTATUS(status)) + "\n";
}

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
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
  if (fs::exists(kGoldenRoot)) {
    for (const auto& entry : fs::directory_iterator(kGoldenRoot)) {
      if (entry.is_directory()) names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

class GoldenCase : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenCase, ExportMatchesExpectedOutput) {
  const fs::path folder = kGoldenRoot / GetParam();
  TempDir temp;
  const std::string programDir = temp.Path() + "program/";
  const std::string dbDir = temp.Path() + "db/";
  fs::create_directories(programDir);
  fs::create_directories(dbDir);
  LayOut(folder / "program", programDir);
  LayOut(folder / "db", dbDir);
  WriteCaseSettings(folder / "settings", programDir, dbDir);

  std::string arguments = ReadBytes((folder / "args").string());
  while (!arguments.empty() && (arguments.back() == '\n' || arguments.back() == '\r')) {
    arguments.pop_back();
  }
  ReplaceAll(arguments, "$DB/", dbDir);
  std::string actual = RunCommand(std::string(TABELLARIO_EXPORT_TOOL) + " --program-dir " +
                                  Quote(programDir) + " " + arguments + " 2>&1");
  ReplaceAll(actual, temp.Path(), "$TMP/");
  actual = Pretty(actual);

  const fs::path expectedFile = folder / "expected.txt";
  if (std::getenv("TABELLARIO_UPDATE_GOLDEN") != nullptr) {
    WriteBytes(expectedFile.string(), actual);
    GTEST_SKIP() << "expected output written to " << expectedFile;
  }
  ASSERT_TRUE(fs::exists(expectedFile)) << "missing " << expectedFile;
  EXPECT_EQ(ReadBytes(expectedFile.string()), actual);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, ::testing::ValuesIn(CaseNames()),
                         [](const auto& param) {
                           std::string name = param.param;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GoldenCase);

}  // namespace
}  // namespace tab::test

#endif
