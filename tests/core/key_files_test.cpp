#include "records/key_files.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "records/fields.hpp"
#include "records/line_reader.hpp"
#include "records/placement.hpp"
#include "support/fixture.hpp"

namespace tab {
namespace {

using test::TempDir;
using test::WriteAnsiLines;
using test::WriteBytes;
using test::WriteOemLines;

// ---- teintrag
// ------------------------------------------------------------------------------------

struct ParseCase {
  const char* name;
  std::string line;
  teintrag expected;
};

class ParseEntryCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseEntryCases, ReadsNumbersAndText) {
  EXPECT_EQ(ParseEntry(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseEntryCases,
    ::testing::Values(ParseCase{"Heading", "1;0;DST Nr.", {1, 0, "DST Nr."}},
                      ParseCase{"TrailingSpaceMakesNumberInvalid", "3; 4 ;x", {3, 0, "x"}},
                      ParseCase{"LeadingSpaceAllowed", " 7; 8;y", {7, 8, "y"}},
                      ParseCase{"LowSixteenBits", "65537;0;x", {1, 0, "x"}},
                      ParseCase{"NegativeWraps", "-1;2;z", {65535, 2, "z"}},
                      ParseCase{"Hexadecimal", "$1F;0x10;h", {31, 16, "h"}},
                      ParseCase{"SurplusFieldsIgnored", "2;3;abc;def", {2, 3, "abc"}},
                      ParseCase{"TabSeparates", "4\t5\tT", {4, 5, "T"}},
                      ParseCase{"QuoteEndsText", "1;1;\"a\"b", {1, 1, "\"a\""}},
                      ParseCase{"TwoFields", "9;9", {9, 9, ""}},
                      ParseCase{"OneField", "9", {9, 0, ""}},
                      ParseCase{"EmptyLine", "", {0, 0, ""}},
                      ParseCase{"TextNotNumber", "a;b;c", {0, 0, "c"}},
                      ParseCase{"Windows1252Text",
                                "0;2;Gr\xF6\xDF"
                                "e",
                                {0, 2,
                                 "Gr\xF6\xDF"
                                 "e"}}),
    [](const ::testing::TestParamInfo<ParseCase>& testCase) { return testCase.param.name; });

TEST(FormatEntry, WritesNumbersSemicolonsAndText) {
  EXPECT_EQ(FormatEntry({1, 0, "DST Nr."}), "1;0;DST Nr.");
  EXPECT_EQ(FormatEntry({65535, 65535, ""}), "65535;65535;");
  EXPECT_EQ(FormatEntry({20, 32, "Schnell-Tabelle 1"}), "20;32;Schnell-Tabelle 1");
}

TEST(FormatEntry, ParseEntryGivesItBack) {
  for (const teintrag& entry :
       {teintrag{0, 0, ""}, teintrag{1, 0, "DST Nr."}, teintrag{65535, 17, "Klassen insg."},
        teintrag{3, 4, " x "}, teintrag{12, 1, "(Bezeichnung)  |  Erfassungsspalte"},
        teintrag{7, 7, "\xC4\xD6\xDC"}}) {
    EXPECT_EQ(ParseEntry(FormatEntry(entry)), entry) << FormatEntry(entry);
  }
}

// ---- LoadKeyRows
// ---------------------------------------------------------------------------------

std::vector<std::string> Column(const TableGrid& grid, int col, int firstRow = 2) {
  std::vector<std::string> out;
  for (int r = firstRow; r < grid.RowCount(); ++r) out.emplace_back(grid.Cell(col, r));
  return out;
}

class LoadKeyRowsTest : public ::testing::Test {
 protected:
  TempDir dir;
  RecordingPort port;
};

TEST_F(LoadKeyRowsTest, FortyLinesGrowTheGridToFortyTwoRows) {
  std::vector<std::string> lines;
  for (int i = 0; i < 40; ++i)
    lines.push_back(std::to_string(100 + i) + ";Text " + std::to_string(i));
  WriteAnsiLines(dir.Path() + "SSSA.SSD", lines);
  TableGrid grid(3, 10);
  grid.SetCell(0, 0, "Satzart 1");

  ASSERT_TRUE(LoadKeyRows(grid, dir.Path(), "SSSA.SSD", "Subject\n", true, port));

  EXPECT_TRUE(port.Messages().empty());
  ASSERT_EQ(grid.RowCount(), 42);
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(grid.Cell(0, i + 2), std::to_string(100 + i));
    EXPECT_EQ(grid.Cell(1, i + 2), "Text " + std::to_string(i));
    EXPECT_EQ(grid.Cell(2, i + 2), std::to_string(100 + i));
  }
  EXPECT_EQ(grid.Cell(0, 0), "Satzart 1");
}

// Where rows came from: the key file's lines lay out the key rows; a record placed into a row
// gives its data file's line, which wins over the key file's; sorting takes the origin along;
// setting the table up again forgets it.
TEST_F(LoadKeyRowsTest, RowsKnowTheLinesTheyCameFrom) {
  WriteAnsiLines(dir.Path() + "SSSA.SSD", {"10;Zehn", "20;Zwanzig", "30;Dreißig"});
  WriteOemLines(dir.Path() + "1300102.CSV", {"ES001;ES002;ES003", "20;7;8", "30;9;9"});
  TableGrid grid(4, 2);
  ASSERT_TRUE(LoadKeyRows(grid, dir.Path(), "SSSA.SSD", "Subject\n", false, port));
  DataFile file(dir.Path() + "1300102.CSV", 3);
  ASSERT_TRUE(file.Next());  // the id line
  EXPECT_EQ(file.LineNumber(), 1U);
  PutFields(grid, 1, file, 1);
  ASSERT_TRUE(file.Next());
  PutFields(grid, 3, file, 1);  // "20" into the key row of 20
  EXPECT_EQ(file.LineNumber(), 2U);

  EXPECT_EQ(grid.KeyFile(), dir.Path() + "SSSA.SSD");
  EXPECT_EQ(grid.DataFile(), dir.Path() + "1300102.CSV");
  EXPECT_EQ(grid.DataFirstColumn(), 1);
  struct Origin {
    std::uint32_t dataLine;
    bool keyRow;
    std::uint32_t keyLine;
    bool operator==(const Origin&) const = default;
  };
  const auto origin = [&grid](int row) {
    return Origin{grid.DataLine(row), grid.IsKeyRow(row), grid.KeyLine(row)};
  };
  EXPECT_EQ(origin(0), (Origin{0, false, 0}));  // the headings
  EXPECT_EQ(origin(1), (Origin{1, false, 0}));  // the id line
  EXPECT_EQ(origin(2), (Origin{0, true, 1}));   // key 10, no record
  EXPECT_EQ(origin(3), (Origin{2, true, 0}));   // key 20 with line 2 of the data file
  EXPECT_EQ(origin(4), (Origin{0, true, 3}));   // key 30
  EXPECT_EQ(origin(99), (Origin{0, false, 0}));

  const int order[] = {4, 3, 2};
  grid.PermuteRows(2, order);
  EXPECT_EQ(origin(2), (Origin{0, true, 3}));
  EXPECT_EQ(origin(3), (Origin{2, true, 0}));
  grid.SwapRowCells(2, 4);
  EXPECT_EQ(origin(4), (Origin{0, true, 3}));
  EXPECT_EQ(origin(2), (Origin{0, true, 1}));
  const TableGrid copy = grid;
  EXPECT_EQ(copy.DataLine(3), 2U);

  grid.ClearCells();
  for (int row = 0; row < grid.RowCount(); ++row) EXPECT_EQ(origin(row), (Origin{0, false, 0}));
  EXPECT_EQ(grid.DataFile(), "");
  EXPECT_EQ(grid.KeyFile(), "");
}

// Files opened one after the other into the same grid, each where the one before stood and
// with a name as long: the grid names the file and first column of the row placed last.
TEST_F(LoadKeyRowsTest, EachFileOpenedAfterAnotherIsNamedAgain) {
  WriteOemLines(dir.Path() + "1300101.CSV", {"a;b"});
  WriteOemLines(dir.Path() + "1300102.CSV", {"c;d"});
  TableGrid grid(4, 3);
  const struct {
    const char* name;
    int firstColumn;
    int row;
  } steps[] = {
      {"1300101.CSV", 1, 1}, {"1300102.CSV", 1, 2}, {"1300102.CSV", 2, 1}, {"1300101.CSV", 2, 2}};
  for (const auto& step : steps) {
    DataFile file(dir.Path() + step.name, 2);
    ASSERT_TRUE(file.Next());
    PutFields(grid, step.row, file, step.firstColumn);
    PutFields(grid, step.row, file, step.firstColumn);
    EXPECT_EQ(grid.DataFile(), dir.Path() + step.name);
    EXPECT_EQ(grid.DataFirstColumn(), step.firstColumn);
    EXPECT_EQ(grid.DataLine(step.row), 1U);
  }
}

struct KeyFileCase {
  const char* name;
  std::string bytes;
  bool copyCode;
  int rowsBefore;
  int rowsAfter;
  std::vector<std::string> codes;   // column 0 from row 2
  std::vector<std::string> texts;   // column 1 from row 2
  std::vector<std::string> copies;  // column 2 from row 2
};

class KeyFileContents : public LoadKeyRowsTest,
                        public ::testing::WithParamInterface<KeyFileCase> {};

TEST_P(KeyFileContents, BuildOneRowPerLine) {
  const KeyFileCase& c = GetParam();
  WriteBytes(dir.Path() + "SSVB.SSD", c.bytes);
  TableGrid grid(3, c.rowsBefore);
  ASSERT_TRUE(LoadKeyRows(grid, dir.Path(), "SSVB.SSD", "S\n", c.copyCode, port));
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_EQ(grid.RowCount(), c.rowsAfter);
  EXPECT_EQ(Column(grid, 0), c.codes);
  EXPECT_EQ(Column(grid, 1), c.texts);
  EXPECT_EQ(Column(grid, 2), c.copies);
}

INSTANTIATE_TEST_SUITE_P(
    Files, KeyFileContents,
    ::testing::Values(
        KeyFileCase{"LastLineEndsWithCrLf",
                    "1;a\r\n2;b\r\n",
                    false,
                    3,
                    4,
                    {"1", "2"},
                    {"a", "b"},
                    {"", ""}},
        KeyFileCase{"TrailingEmptyLineGivesEmptyRow",
                    "1;a\r\n2;b\r\n\r\n",
                    false,
                    3,
                    5,
                    {"1", "2", ""},
                    {"a", "b", ""},
                    {"", "", ""}},
        KeyFileCase{
            "LastLineWithoutEnd", "1;a\r\n2;b", true, 3, 4, {"1", "2"}, {"a", "b"}, {"1", "2"}},
        KeyFileCase{"NeverShrinks",
                    "1;a\r\n",
                    true,
                    6,
                    6,
                    {"1", "", "", ""},
                    {"a", "", "", ""},
                    {"1", "", "", ""}},
        KeyFileCase{"MalformedLines",
                    "x\r\n;t\r\nc;d;e\r\nf\tg\r\n",
                    true,
                    1,
                    6,
                    {"x", "", "c", "f"},
                    {"", "t", "d", "g"},
                    {"x", "", "c", "f"}},
        KeyFileCase{"Windows1252KeptAsItIs",
                    "\xC4;M\xFC"
                    "ller\r\n",
                    false,
                    2,
                    3,
                    {"\xC4"},
                    {"M\xFC"
                     "ller"},
                    {""}},
        KeyFileCase{"EmptyFile", "", true, 4, 4, {"", ""}, {"", ""}, {"", ""}}),
    [](const ::testing::TestParamInfo<KeyFileCase>& testCase) { return testCase.param.name; });

TEST_F(LoadKeyRowsTest, FindsTheFileWhateverItsCase) {
  WriteAnsiLines(dir.Path() + "sssa.ssd", {"10;Berufsschule"});
  TableGrid grid(3, 3);
  ASSERT_TRUE(LoadKeyRows(grid, dir.Path(), "SSSA.SSD", "S\n", false, port));
  EXPECT_EQ(grid.Cell(1, 2), "Berufsschule");
}

TEST_F(LoadKeyRowsTest, MissingFileWarnsWithSubjectAndPath) {
  TableGrid grid(3, 4);
  grid.SetCell(1, 0, "Heading");
  EXPECT_FALSE(LoadKeyRows(grid, dir.Path(), "ILKLWS.SSD",
                           "Statistik-Schlüssel-Datei: Beschäftigungsumfang\n", false, port));
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(port.Messages()[0].text, "Statistik-Schlüssel-Datei: Beschäftigungsumfang\n" +
                                         dir.Path() + "ILKLWS.SSD\nist nicht vorhanden!");
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.Cell(1, 0), "Heading");
  EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"", ""}));
}

TEST_F(LoadKeyRowsTest, UnreadableFileShowsThePlatformError) {
  std::filesystem::create_directory(dir.Path() + "SSAS.SSD");
  TableGrid grid(3, 4);
  EXPECT_FALSE(LoadKeyRows(grid, dir.Path(), "SSAS.SSD", "S\n", false, port));
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(port.Messages()[0].text, dir.Path() + "SSAS.SSD\n" + ErrorText(EISDIR));
}

// ---- CompleteTexts / CompleteKeys ---------------------------------------------------------------

struct CompletionCase {
  const char* name;
  bool keys;  // CompleteKeys instead of CompleteTexts
  std::vector<std::string> keyLines;
  std::vector<std::vector<std::string>> rows;  // columns 0 (code) and 1 (text), from row 2
  std::vector<std::vector<std::string>> expected;
};

class CompletionCases : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(CompletionCases, FillOnlyBlankCells) {
  const CompletionCase& c = GetParam();
  TempDir dir;
  WriteAnsiLines(dir.Path() + "SLAND.SSD", c.keyLines);
  TableGrid grid(2, static_cast<int>(c.rows.size()) + 2);
  grid.SetCell(0, 0, "A");  // heading rows match nothing and are never completed
  grid.SetCell(0, 1, "A");
  for (std::size_t i = 0; i < c.rows.size(); ++i) {
    grid.SetCell(0, static_cast<int>(i) + 2, c.rows[i][0]);
    grid.SetCell(1, static_cast<int>(i) + 2, c.rows[i][1]);
  }
  RecordingPort port;
  if (c.keys) {
    CompleteKeys(grid, 1, 0, dir.Path(), "SLAND.SSD", port);
  } else {
    CompleteTexts(grid, 0, 1, dir.Path(), "SLAND.SSD", port);
  }
  EXPECT_TRUE(port.Messages().empty());
  std::vector<std::vector<std::string>> got;
  for (int r = 2; r < grid.RowCount(); ++r)
    got.push_back({std::string(grid.Cell(0, r)), std::string(grid.Cell(1, r))});
  EXPECT_EQ(got, c.expected);
  EXPECT_EQ(grid.Cell(1, 0), "");
  EXPECT_EQ(grid.Cell(1, 1), "");
}

// Several key files at once leave every cell as applying them one after the other does: a code
// one file gives a blank text (or a blank code) is open to the next file, the first file that
// knows a value settles it, a missing file in between is reported where it stands.
TEST(CompletionOfSeveralFiles, AgreesWithApplyingEachFileInTurn) {
  TempDir dir;
  WriteAnsiLines(dir.Path() + "SBBG1.SSD", {"01;", "02;Maurer", "03; ", "03;", "05;Koch", ";leer"});
  WriteAnsiLines(dir.Path() + "SBBG2.SSD", {"01;Tischler", "02;Maler", "03;Bäcker", "04; "});
  WriteAnsiLines(dir.Path() + "SBBG3.SSD", {"04;Gärtner", "06;Koch", "01;Dachdecker"});
  const std::vector<std::vector<std::string_view>> fileLists = {
      {"SBBG1.SSD", "SBBG2.SSD", "SBBG3.SSD"},
      {"SBBG3.SSD", "SBBG1.SSD"},
      {"SBBG1.SSD", "FEHLT.SSD", "SBBG2.SSD", "SBBG3.SSD"},
      {"FEHLT.SSD"},
      {}};
  const std::vector<std::vector<std::string>> rows = {
      {"01", ""},   {"02", " "},       {"03", ""}, {"04", ""},   {"05", "alt"},
      {"06", ""},   {"07", ""},        {"", ""},   {"", "Koch"}, {"", "Maler"},
      {"", "leer"}, {"08", "Gärtner"}, {"01", " "}};
  for (const bool keys : {false, true}) {
    for (const auto& files : fileLists) {
      const auto fill = [&] {
        TableGrid grid(2, static_cast<int>(rows.size()) + 2);
        for (std::size_t i = 0; i < rows.size(); ++i) {
          grid.SetCell(0, static_cast<int>(i) + 2, rows[i][0]);
          grid.SetCell(1, static_cast<int>(i) + 2, rows[i][1]);
        }
        return grid;
      };
      TableGrid together = fill();
      TableGrid inTurn = fill();
      RecordingPort togetherPort;
      RecordingPort inTurnPort;
      if (keys) {
        CompleteKeys(together, 1, 0, dir.Path(), files, togetherPort);
        for (const std::string_view file : files) {
          CompleteKeys(inTurn, 1, 0, dir.Path(), file, inTurnPort);
        }
      } else {
        CompleteTexts(together, 0, 1, dir.Path(), files, togetherPort);
        for (const std::string_view file : files) {
          CompleteTexts(inTurn, 0, 1, dir.Path(), file, inTurnPort);
        }
      }
      ASSERT_EQ(together.RowCount(), inTurn.RowCount());
      for (int r = 0; r < inTurn.RowCount(); ++r) {
        for (int c = 0; c < 2; ++c) {
          EXPECT_EQ(together.Cell(c, r), inTurn.Cell(c, r))
              << (keys ? "keys" : "texts") << " files " << files.size() << " cell " << c << ","
              << r;
        }
      }
      ASSERT_EQ(togetherPort.Messages().size(), inTurnPort.Messages().size());
      for (std::size_t m = 0; m < inTurnPort.Messages().size(); ++m) {
        EXPECT_EQ(togetherPort.Messages()[m].text, inTurnPort.Messages()[m].text);
      }
    }
  }
  // The rule itself, once: the second file gives the text the first one left blank.
  TableGrid grid(2, 4);
  grid.SetCell(0, 2, "01");
  grid.SetCell(0, 3, "03");
  RecordingPort port;
  const std::vector<std::string_view> files = {"SBBG1.SSD", "SBBG2.SSD"};
  CompleteTexts(grid, 0, 1, dir.Path(), files, port);
  EXPECT_EQ(grid.Cell(1, 2), "Tischler");
  EXPECT_EQ(grid.Cell(1, 3),
            "B\xe4"
            "cker");
}

using Cells = std::vector<std::vector<std::string>>;

INSTANTIATE_TEST_SUITE_P(
    Cases, CompletionCases,
    ::testing::Values(
        CompletionCase{"TextsEveryMatchingRow",
                       false,
                       {"A;Alpha", "B;Beta"},
                       Cells{{"A", ""}, {"B", " "}, {"A", ""}, {"C", ""}},
                       Cells{{"A", "Alpha"}, {"B", "Beta"}, {"A", "Alpha"}, {"C", ""}}},
        CompletionCase{"TwoSpacesAreNotBlank",
                       false,
                       {"A;Alpha"},
                       Cells{{"A", "  "}, {"A", " "}},
                       Cells{{"A", "  "}, {"A", "Alpha"}}},
        CompletionCase{"FirstLineOfACodeWins",
                       false,
                       {"A;first", "A;second"},
                       Cells{{"A", ""}},
                       Cells{{"A", "first"}}},
        CompletionCase{"BlankTextsDoNotSettleACode",
                       false,
                       {"A; ", "A;", "A;third", "A;fourth"},
                       Cells{{"A", ""}},
                       Cells{{"A", "third"}}},
        CompletionCase{"OnlyBlankTextsLeaveTheLast",
                       false,
                       {"A;", "A; "},
                       Cells{{"A", ""}},
                       Cells{{"A", " "}}},
        CompletionCase{
            "EmptyLineMatchesEmptyCodes", false, {"", "B;x"}, Cells{{"", " "}}, Cells{{"", ""}}},
        CompletionCase{
            "ExactBytes", false, {"a;lower", "A ;space"}, Cells{{"A", ""}}, Cells{{"A", ""}}},
        CompletionCase{"KeysOnlyIntoBlankCodeCells",
                       true,
                       {"DE;Deutschland", "PL;Polen"},
                       Cells{{"", "Deutschland"}, {"XX", "Polen"}, {" ", "Polen"}},
                       Cells{{"DE", "Deutschland"}, {"XX", "Polen"}, {"PL", "Polen"}}},
        CompletionCase{"KeysFromLinesWithoutTextMatchNothing",
                       true,
                       {"99;", "98; ", "1;Land"},
                       Cells{{"", ""}, {" ", " "}, {"", "Land"}},
                       Cells{{"", ""}, {" ", " "}, {"1", "Land"}}},
        CompletionCase{"KeysFirstLineWins",
                       true,
                       {"1;Land", "2;Land"},
                       Cells{{"", "Land"}},
                       Cells{{"1", "Land"}}}),
    [](const ::testing::TestParamInfo<CompletionCase>& testCase) { return testCase.param.name; });

TEST(Completion, SameColumnDoesNothing) {
  TempDir dir;
  WriteAnsiLines(dir.Path() + "SHKK.SSD", {";filled"});
  TableGrid grid(2, 3);
  RecordingPort port;
  CompleteTexts(grid, 1, 1, dir.Path(), "SHKK.SSD", port);
  CompleteKeys(grid, 0, 0, dir.Path(), "SHKK.SSD", port);
  EXPECT_EQ(grid.Cell(1, 2), "");
  EXPECT_EQ(grid.Cell(0, 2), "");
  EXPECT_TRUE(port.Messages().empty());
}

TEST(Completion, MissingFileGivesInformation) {
  TempDir dir;
  TableGrid grid(2, 3);
  RecordingPort port;
  CompleteTexts(grid, 0, 1, dir.Path(), "SBBG7.SSD", port);
  CompleteKeys(grid, 1, 0, dir.Path(), "SBBG7.SSD", port);
  ASSERT_EQ(port.Messages().size(), 2u);
  for (const auto& message : port.Messages()) {
    EXPECT_EQ(message.kind, MessageKind::Information);
    EXPECT_EQ(message.text, "Schlüssel-Datei:\n" + dir.Path() + "SBBG7.SSD\nfehlt!");
  }
}

TEST(Completion, UnreadableFileShowsThePlatformErrorAndChangesNothing) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path() + "SBBG1.SSD");
  TableGrid grid(2, 3);
  RecordingPort port;
  CompleteTexts(grid, 0, 1, dir.Path(), "sbbg1.ssd", port);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(port.Messages()[0].text, dir.Path() + "SBBG1.SSD\n" + ErrorText(EISDIR));
  EXPECT_EQ(grid.Cell(1, 2), "");
}

// The rule as the commands describe it: for each line in file order, every data row whose match
// cell equals the line's code (or text) and whose target cell is blank receives its text (or
// code). A line with a blank text gives its code to no row.
void LiteralComplete(TableGrid& grid, int matchColumn, int targetColumn, bool keys,
                     const std::string& path) {
  if (matchColumn == targetColumn) return;
  LineReader reader(path);
  std::string line;
  while (reader.Next(line)) {
    const std::vector<std::string> fields = SplitRecord(line, 2);
    const std::string& match = keys ? fields[1] : fields[0];
    const std::string& value = keys ? fields[0] : fields[1];
    if (keys && IsBlank(match)) continue;
    for (int r = 2; r < grid.RowCount(); ++r) {
      if (grid.Cell(matchColumn, r) == match && IsBlank(grid.Cell(targetColumn, r))) {
        grid.SetCell(targetColumn, r, value);
      }
    }
  }
}

TEST(Completion, MatchesTheLineByLineRuleOnRandomGrids) {
  static const std::vector<std::string> kTexts = {"", " ", "  ", "1", "2", "A", "a", "x", "\xDC"};
  std::mt19937 random(77u);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto text = [&] {
    return kTexts[static_cast<std::size_t>(pick(0, static_cast<int>(kTexts.size()) - 1))];
  };
  TempDir dir;
  const std::string path = dir.Path() + "SBBG3.SSD";
  int changedGrids = 0;
  // Writing files is the slow part here: each key file serves several grids.
  for (int file = 0; file < 250; ++file) {
    std::string bytes;
    const int lines = pick(0, 12);
    for (int i = 0; i < lines; ++i) {
      switch (pick(0, 5)) {
        case 0:
          bytes += "\r\n";  // an empty line
          break;
        case 1:
          bytes += text() + "\r\n";  // a code without text
          break;
        default:
          bytes += text() + ";" + text() + "\r\n";
      }
    }
    WriteBytes(path, bytes);
    for (int round = 0; round < 8; ++round) {
      const int cols = pick(1, 4);
      TableGrid grid(cols, pick(1, 20));
      for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 0; c < cols; ++c) grid.SetCell(c, r, text());
      }
      const bool keys = pick(0, 1) == 1;
      const int match = pick(0, cols);  // cols itself: a column beyond the grid
      const int target = pick(0, cols);
      const TableGrid before = grid;
      TableGrid expected = grid;
      LiteralComplete(expected, match, target, keys, path);
      RecordingPort port;
      if (keys) {
        CompleteKeys(grid, match, target, dir.Path(), "SBBG3.SSD", port);
      } else {
        CompleteTexts(grid, match, target, dir.Path(), "SBBG3.SSD", port);
      }
      ASSERT_TRUE(port.Messages().empty());
      bool changed = false;
      for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 0; c < cols; ++c) {
          ASSERT_EQ(grid.Cell(c, r), expected.Cell(c, r))
              << "file " << file << " round " << round << " cell " << c << "," << r << " keys "
              << keys << "\n"
              << bytes;
          changed = changed || grid.Cell(c, r) != before.Cell(c, r);
        }
      }
      if (changed) ++changedGrids;
    }
  }
  // The random cases must complete cells often, not only pass through the early exits.
  EXPECT_GT(changedGrids, 100);
}

}  // namespace
}  // namespace tab
