// The class report: set-up of the eleven tables, the four loading schemes, the group table of
// table 9 against a row-by-row reference, the page commands and the dispatch of class tables.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <random>

#include "app/session.hpp"
#include "app/window_layout.hpp"
#include "records/row_ops.hpp"
#include "records/text.hpp"
#include "sheets/klassen/klassen_tables.hpp"
#include "sheets/sheet.hpp"
#include "support/child_process.hpp"
#include "support/fixture.hpp"
#include "support/session_fixture.hpp"
#include "support/sheet_fixture.hpp"
#include "support/sheets.hpp"
#include "support/texts.hpp"

namespace tab::test {
namespace {

namespace fs = std::filesystem;

std::vector<int> Heights(const TableGrid& grid) {
  std::vector<int> heights;
  for (int row = 0; row < grid.RowCount(); ++row) heights.push_back(grid.RowHeight(row));
  return heights;
}

// A program directory, a school directory and the grids of the class page, shown as the
// dispatcher shows them: the set-up, then the loader.
class ClassSheetTest : public SheetFixture {
 protected:
  ClassSheetTest() : SheetFixture(klassen::Sheet()) {}

  void SetUp() override {
    paths.classId = "KL0101";
    fs::create_directories(paths.schoolDirectory + "KLASSE");
  }

  std::string ClassFile(int table) const {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "%02d.CSV", table);
    return paths.schoolDirectory + "KLASSE/" + paths.classId + suffix;
  }
  void WriteClassFile(int table, const std::vector<std::string>& lines) {
    WriteOemLines(ClassFile(table), lines);
  }
  void WriteProgramFile(const std::string& name, const std::vector<std::string>& lines) {
    WriteAnsiLines(paths.programDirectory + name, lines);
  }
  // SSVB0.SSD as the demo ships it: seven lines, the total under key 9.
  void WritePriorSchoolingGroups() {
    WriteProgramFile("SSVB0.SSD", {"1;ohne Berufsreife", "2;Berufsreife", "3;Mittlere Reife",
                                   "4;Fachhochschulreife", "5;Hochschulreife",
                                   "6;sonstige Vorbildung", "9;zusammen"});
  }
};

// ---- registration ----------------------------------------------------------------------------

TEST(ClassSheetRegistration, EveryTableHasItsGridAndEveryButtonActsOnItsPage) {
  const std::map<int, int> gridOfTable = {{0, 17}, {1, 18}, {2, 20}, {3, 19}, {4, 21}, {5, 22},
                                          {6, 24}, {7, 23}, {8, 25}, {9, 26}, {10, 27}};
  ASSERT_EQ(klassen::Sheet().tables.size(), gridOfTable.size());
  for (const auto& [table, grid] : gridOfTable) {
    const TableEntry& entry = TableOf(klassen::Sheet(), table);
    ASSERT_EQ(entry.steps.size(), 1u);
    EXPECT_EQ(static_cast<int>(entry.steps[0].grid), grid) << "table " << table;
  }
  const std::map<std::string, int> gridOfButton = {
      {"Button44", 18}, {"Button26", 19}, {"Button64", 19}, {"Button65", 19}, {"Button57", 25},
      {"Button58", 25}, {"Button59", 25}, {"Button63", 25}, {"Button61", 26}, {"Button62", 26}};
  ASSERT_EQ(klassen::Sheet().commands.size(), gridOfButton.size());
  for (const auto& [button, grid] : gridOfButton) {
    const ButtonDesign* design = FindButton(button);
    ASSERT_NE(design, nullptr) << button;
    EXPECT_NO_THROW(CommandOf(klassen::Sheet(), design->button));
    EXPECT_EQ(static_cast<int>(design->grid), grid) << button;
  }
}

// ---- set-up ----------------------------------------------------------------------------------

TEST_F(ClassSheetTest, MissingDefinitionFilesAreWrittenWithSizeTitleAndHeadingsInOrder) {
  struct Case {
    int table;
    std::vector<std::string> firstLines;  // size line and the first headings
    std::string lastLine;
    std::size_t lineCount;
  };
  const Case cases[] = {
      {0, {"7;3;Klassen-Tabelle 0", "0;0;Satzart 0", "1;0;DST Nr."}, "0;2;Meldung", 16},
      {1, {"6;10;Klassen-Tabelle 1", "0;0;Satzart 1"}, "0;2;Meldung", 14},
      {2, {"7;13;Klassen-Tabelle 2", "0;0;SA 2"}, "6;1;ES005", 15},
      {3, {"7;10;Klassen-Tabelle 3"}, "0;2;Meldung", 16},
      {4, {"7;15;Klassen-Tabelle 4"}, "6;1;ES005", 15},
      {5, {"5;8;Klassen-Tabelle 5"}, "4;1;ES003", 11},
      {6, {"5;12;Klassen-Tabelle 6"}, "4;1;ES003", 11},
      {7, {"7;14;Klassen-Tabelle 7"}, "6;1;ES005", 15},
      {8, {"8;30;Klassen-Tabelle 8"}, "0;2;Meldung", 18},
      {9, {"7;9;Klassen-Tabelle 9", "0;0;SA 9"}, "6;1;ES005", 15},
      {10, {"6;3;Klassen-Tabelle 10", "0;0;Satzart 10"}, "0;2;Meldung", 14},
  };
  for (const Case& c : cases) {
    SetUpOnly(c.table);
    const std::string path = paths.programDirectory + "Bog3Tab" + std::to_string(c.table) + ".TBD";
    ASSERT_TRUE(fs::exists(path)) << path;
    std::vector<std::string> lines;
    for (const std::string& line : FileLines(path)) lines.push_back(Win1252ToUtf8(line));
    ASSERT_EQ(lines.size(), c.lineCount) << "table " << c.table;
    for (std::size_t i = 0; i < c.firstLines.size(); ++i) {
      EXPECT_EQ(lines[i], c.firstLines[i]) << "table " << c.table;
    }
    EXPECT_EQ(lines.back(), c.lastLine) << "table " << c.table;
  }
}

TEST_F(ClassSheetTest, CombinedCaptionsHaveTheirBlanksAroundTheBar) {
  struct Case {
    int table;
    std::size_t before;
    std::size_t after;
  };
  const Case cases[] = {{2, 2, 2}, {4, 9, 9}, {5, 9, 9}, {6, 9, 9}, {7, 4, 4}, {9, 7, 8}};
  for (const Case& c : cases) {
    const std::string expected = "(Bezeichnung)" + std::string(c.before, ' ') + "|" +
                                 std::string(c.after, ' ') + "Erfassungsspalte";
    EXPECT_EQ(Win1252ToUtf8(SetUpOnly(c.table).Cell(1, 1)), expected) << "table " << c.table;
    // Read back from the definition file written the first time.
    EXPECT_EQ(Win1252ToUtf8(SetUpOnly(c.table).Cell(1, 1)), expected) << "table " << c.table;
  }
}

TEST_F(ClassSheetTest, ADefinitionFileOfThreeRowsGivesTheListTablesTenRows) {
  struct Case {
    int table;
    int rows;
  };
  const Case cases[] = {{0, 3}, {1, 10}, {3, 10}, {8, 10}, {10, 3}};
  for (const Case& c : cases) {
    WriteProgramFile("Bog3Tab" + std::to_string(c.table) + ".TBD", {"5;3;x", "1;0;Kopf"});
    const TableGrid& grid = SetUpOnly(c.table);
    EXPECT_EQ(grid.RowCount(), c.rows) << "table " << c.table;
    EXPECT_EQ(grid.ColCount(), 5) << "table " << c.table;
    EXPECT_EQ(grid.Cell(1, 0), "Kopf");
  }
}

TEST_F(ClassSheetTest, KeyRowsCopyTheKeyExceptInTheGroupTable) {
  WriteProgramFile("SSAS.SSD", {"1;mit Vertrag", "2;ohne Vertrag"});
  WritePriorSchoolingGroups();
  const TableGrid& keyed = SetUpOnly(5);
  EXPECT_EQ(Row(keyed, 2), (std::vector<std::string>{"1", "mit Vertrag", "1", "", ""}));
  EXPECT_EQ(Row(keyed, 3), (std::vector<std::string>{"2", "ohne Vertrag", "2", "", ""}));
  EXPECT_EQ(keyed.RowCount(), 8) << "rows below the key rows stay";

  const TableGrid& group = SetUpOnly(9);
  EXPECT_EQ(group.RowCount(), 9);
  EXPECT_EQ(Row(group, 2), (std::vector<std::string>{"1", "ohne Berufsreife", "", "", "", "", ""}));
  EXPECT_EQ(Row(group, 8), (std::vector<std::string>{"9", "zusammen", "", "", "", "", ""}));
}

TEST_F(ClassSheetTest, AKeyFileLongerThanTheGridMakesItGrow) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 20; ++i) lines.push_back(std::to_string(i) + ";Status " + std::to_string(i));
  WriteProgramFile("SSAS.SSD", lines);
  const TableGrid& grid = SetUpOnly(5);
  EXPECT_EQ(grid.RowCount(), 22);
  EXPECT_EQ(grid.Cell(0, 21), "20");
}

TEST_F(ClassSheetTest, MissingKeyFileIsWarnedAtEverySetUp) {
  const std::string expected = "Statistik-Schlüssel-Datei: Fremdsprachen, Religion, Sport\n" +
                               paths.programDirectory + "SSFSR.SSD\nist nicht vorhanden!";
  Show(4);
  Show(4);
  ASSERT_EQ(port.Messages().size(), 2u);
  for (const auto& message : port.Messages()) {
    EXPECT_EQ(message.kind, MessageKind::Warning);
    EXPECT_EQ(message.text, expected);
  }
}

// ---- single-record tables ------------------------------------------------------------------

TEST_F(ClassSheetTest, DienststelleNumberOfTheSettingsStandsInForAMissingOne) {
  struct Case {
    std::string given;
    std::string shown;
  };
  const Case cases[] = {
      {"00000", "12345"}, {" ", "12345"}, {"", "12345"},
      {"13001", "13001"}, {"  ", "  "},   {"0000", "0000"},
  };
  for (const Case& c : cases) {
    WriteClassFile(0, {"ES001;ES002;ES003;ES004;ES005;ES006", c.given + ";02;KL0101;3;1;3"});
    const TableGrid& grid = Show(0);
    EXPECT_EQ(Row(grid, 2),
              (std::vector<std::string>{"Meldung", c.shown, "02", "KL0101", "3", "1", "3"}))
        << "given '" << c.given << "'";
  }
}

TEST_F(ClassSheetTest, SingleRecordTablesReadTwoLinesAtMost) {
  WriteClassFile(10, {"ES001;ES002;X3;ES004;ES005", "22;20;2;0;0", "99;99;99;99;99"});
  const TableGrid& grid = Show(10);
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"Erfassungsspalte", "ES001", "ES002", "X3",
                                                    "ES004", "ES005"}));
  EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"Meldung", "22", "20", "2", "0", "0"}));
}

TEST_F(ClassSheetTest, SingleRecordTablesWithOnlyTheIdLineOrNoFileShowAnEmptyRecordRow) {
  for (const bool withIdLine : {true, false}) {
    fs::remove(ClassFile(10));
    fs::remove(ClassFile(0));
    if (withIdLine) {
      WriteClassFile(10, {"ES001;ES002;ES003;ES004;ES005"});
      WriteClassFile(0, {"ES001;ES002;ES003;ES004;ES005;ES006"});
    }
    EXPECT_EQ(Row(Show(10), 2), (std::vector<std::string>{"Meldung", "", "", "", "", ""}));
    EXPECT_EQ(Row(Show(0), 2), (std::vector<std::string>{"Meldung", "12345", "", "", "", "", ""}));
  }
  EXPECT_TRUE(port.Messages().empty());
}

// ---- list tables -----------------------------------------------------------------------------

TEST_F(ClassSheetTest, ListTablesEndWithTheirLastRecord) {
  struct Case {
    int table;
    int records;
    int rows;
  };
  const Case cases[] = {{1, 3, 5}, {1, 0, 2}, {1, 25, 27}, {3, 1, 3}, {8, 12, 14}};
  for (const Case& c : cases) {
    std::vector<std::string> lines = {"ES001;ES002;ES003;ES004;ES005;ES006;ES007"};
    for (int i = 0; i < c.records; ++i) lines.push_back(std::to_string(2000 + i) + ";1;2;3;4;5;6");
    WriteClassFile(c.table, lines);
    const TableGrid& grid = Show(c.table);
    EXPECT_EQ(grid.RowCount(), c.rows) << "table " << c.table << ", " << c.records << " records";
    if (c.records > 0) {
      EXPECT_EQ(grid.Cell(0, 2), "Meldung") << "column 0 is not written";
      EXPECT_EQ(grid.Cell(1, c.rows - 1), std::to_string(2000 + c.records - 1));
    }
  }
}

TEST_F(ClassSheetTest, ListTableWithoutFileKeepsTenRowsWithEmptyDataCells) {
  const TableGrid& grid = Show(1);
  EXPECT_EQ(grid.RowCount(), 10);
  EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"Meldung", "", "", "", "", ""}));
  for (int row = 3; row < 10; ++row) {
    EXPECT_EQ(Row(grid, row), (std::vector<std::string>(6, ""))) << "row " << row;
  }
}

TEST_F(ClassSheetTest, AListFileWithoutLinesLeavesOnlyTheCaptionRow) {
  WriteBytes(ClassFile(3), "");
  const TableGrid& grid = Show(3);
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(Win1252ToUtf8(grid.Cell(1, 0)), "Land der Staatsangehörigkeit");
}

TEST_F(ClassSheetTest, BirthYearIdLineCutShortStillShowsTheForeignPupilIds) {
  WriteClassFile(1, {"ES001;ES002;ES003", "1990;4;2"});
  const TableGrid& grid = Show(1);
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"Erfassungsspalte", "ES001", "ES002", "ES003",
                                                    "ES004", "ES005"}));
  EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"Meldung", "1990", "4", "2", "", ""}));
}

TEST_F(ClassSheetTest, ListTablesConvertTheOemCodePage) {
  WriteClassFile(3, {"ES001;ES002;ES003;ES004;ES005;ES006", "Türkei;135;1;1;0;0"});
  EXPECT_EQ(Win1252ToUtf8(Show(3).Cell(1, 2)), "Türkei");
}

// ---- keyed tables ----------------------------------------------------------------------------

TEST_F(ClassSheetTest, KeyedRowsUpToTheRowLimitReceiveRecords) {
  std::vector<std::string> status;
  for (int i = 1; i <= 9; ++i) status.push_back(std::to_string(i) + ";Status " + std::to_string(i));
  WriteProgramFile("SSAS.SSD", status);  // rows 2 to 10; the limit is row 7
  WriteClassFile(
      5, {"ES001;ES002;ES003", "1;10;5", "6;60;30", "7;70;35", "8;80;40", "9;90;45", "42;1;1", ""});
  const TableGrid& grid = Show(5);
  EXPECT_EQ(grid.RowCount(), 11);
  EXPECT_EQ(Column(grid, 3), (std::vector<std::string>{"Schüler insg.", "ES002", "10", "", "", "",
                                                       "", "60", "", "", ""}));
  // Column 2 of the rows past the limit keeps the key of the set-up.
  EXPECT_EQ(Row(grid, 9), (std::vector<std::string>{"8", "Status 8", "8", "", ""}));
  // Only the empty line counts; keys of rows past the limit and unknown keys do not.
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(port.Messages()[0].text, "Beim Einlesen der Datendatei:\n" + ClassFile(5) +
                                         "\nkonnte(n) 1 Datensatz/-sätze nicht zugeordnet "
                                         "werden!");
}

TEST_F(ClassSheetTest, UnplacedRecordsAreNotReportedWhenTheReportOptionIsOff) {
  WriteProgramFile("SSVB.SSD", {"01;ohne Berufsreife"});
  WriteClassFile(2, {"ES001;ES002;ES003;ES004;ES005", "", ";3;1;0;0", "01;4;2;1;0"});
  options.reportUnplaced = false;
  EXPECT_EQ(Row(Show(2), 2),
            (std::vector<std::string>{"01", "ohne Berufsreife", "01", "4", "2", "1", "0"}));
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(ClassSheetTest, TwoKeyRowsWithTheSameKeyBothReceiveTheRecord) {
  WriteProgramFile("SSUS.SSD", {"05;10 bis unter 12", "06;12 bis unter 14", "05;noch einmal"});
  WriteClassFile(7, {"ES001;ES002;ES003;ES004;ES005", "05;22;5;22;5"});
  const TableGrid& grid = Show(7);
  EXPECT_EQ(Row(grid, 2),
            (std::vector<std::string>{"05", "10 bis unter 12", "05", "22", "5", "22", "5"}));
  EXPECT_EQ(Row(grid, 4),
            (std::vector<std::string>{"05", "noch einmal", "05", "22", "5", "22", "5"}));
  EXPECT_EQ(Row(grid, 3),
            (std::vector<std::string>{"06", "12 bis unter 14", "06", "", "", "", ""}));
}

// A definition file may put texts into column 2 below the key rows; the prefill option decides
// whether column 0 replaces them before loading.
TEST_F(ClassSheetTest, PrefillOptionZeroCopiesColumn0IntoColumn2BeforeLoading) {
  struct Case {
    bool prefillOff;
    std::string column2;
  };
  const Case cases[] = {{true, "X9"}, {false, "frei"}};
  WriteProgramFile("SSLTF.SSD", {"01;Landwirt/-in"});
  WriteProgramFile("Bog3Tab6.TBD", {"5;12;Klassen-Tabelle 6", "0;4;X9", "2;4;frei", "2;11;Rand"});
  // Without a class file column 2 would be emptied and refilled from column 0 in any case.
  WriteClassFile(6, {"ES001;ES002;ES003", "01;4;1"});
  for (const Case& c : cases) {
    options.prefillOff = c.prefillOff;
    const TableGrid& grid = Show(6);
    EXPECT_EQ(Win1252ToUtf8(grid.Cell(2, 4)), c.column2) << "prefillOff " << c.prefillOff;
    EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"01", "Landwirt/-in", "01", "4", "1"}));
    // Row 11 is the row limit of table 6; its column 0 is empty.
    EXPECT_EQ(grid.Cell(2, 11), c.prefillOff ? "" : "Rand");
    for (int row = 2; row <= 11; ++row) EXPECT_EQ(grid.RowHeight(row), 18) << "row " << row;
  }
}

TEST_F(ClassSheetTest, KeyedTableWithoutFileEmptiesItsDataCellsAndRefillsTheKeyColumn) {
  WriteProgramFile("SSVB.SSD", {"01;ohne Berufsreife", "02;mit Berufsreife"});
  WriteProgramFile("Bog3Tab2.TBD", {"7;13;Klassen-Tabelle 2", "3;2;alt", "6;12;alt", "6;1;ES005"});
  const TableGrid& grid = Show(2);
  EXPECT_EQ(Row(grid, 2),
            (std::vector<std::string>{"01", "ohne Berufsreife", "01", "", "", "", ""}));
  EXPECT_EQ(grid.Cell(6, 12), "");
  EXPECT_EQ(grid.Cell(6, 1), "ES005") << "heading row 1 is not cleared";
  EXPECT_TRUE(port.Messages().empty());
}

// A definition file may label a row below the key rows in column 0 only; the column-2 fill then
// writes a cell that the row did not hold yet.
TEST_F(ClassSheetTest, RowsLabelledOnlyInColumn0GetTheirLabelAsKey) {
  WriteProgramFile("SSVB.SSD", {"01;ohne Berufsreife"});
  WriteProgramFile("Bog3Tab2.TBD", {"7;13;Klassen-Tabelle 2", "0;11;Summe"});
  WriteClassFile(2, {"ES001;ES002;ES003;ES004;ES005"});
  EXPECT_EQ(Row(Show(2), 11), (std::vector<std::string>{"Summe", "", "Summe", "", "", "", ""}));
  WriteClassFile(2, {"ES001;ES002;ES003;ES004;ES005", "Summe;9;1;0;0"});
  const TableGrid& grid = Show(2);
  EXPECT_EQ(Row(grid, 11), (std::vector<std::string>{"Summe", "", "Summe", "9", "1", "0", "0"}));
  EXPECT_EQ(Row(grid, 10), (std::vector<std::string>(7, "")));
}

// ---- group table (table 9) -------------------------------------------------------------------

class GroupTableTest : public ClassSheetTest {
 protected:
  void SetUp() override {
    ClassSheetTest::SetUp();
    WritePriorSchoolingGroups();
  }
  // The rows whose column 3 holds the group.
  static std::vector<int> RowsOfGroup(const TableGrid& grid, const std::string& group) {
    std::vector<int> rows;
    for (int row = 1; row < grid.RowCount(); ++row) {
      if (grid.Cell(3, row) == group) rows.push_back(row);
    }
    return rows;
  }
};

TEST_F(GroupTableTest, WithoutRecordsTheAllTraineesBlockIsPrepared) {
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005"});
  const TableGrid& grid = Show(9);
  EXPECT_EQ(grid.RowCount(), 10);
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"Nr.",
                                                    "(Bezeichnung)       |        "
                                                    "Erfassungsspalte",
                                                    "ES001", "ES002", "ES003", "ES004", "ES005"}));
  EXPECT_EQ(Row(grid, 2),
            (std::vector<std::string>{"1", "ohne Berufsreife", "Auszubildende insgesamt", "9999",
                                      "1", "", ""}));
  EXPECT_EQ(Row(grid, 8), (std::vector<std::string>{"9", "zusammen", "Auszubildende insgesamt",
                                                    "9999", "9", "", ""}));
  // Row 9 belongs to the block of all trainees although the key file has only seven lines.
  EXPECT_EQ(Row(grid, 9),
            (std::vector<std::string>{"", "", "Auszubildende insgesamt", "9999", "", "", ""}));
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(GroupTableTest, AFirstRecordOfAGroupAppendsItsBlockAndFillsItsRow) {
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "Bauberufe;17;3;6;2", "Bauberufe;17;5;1;0"});
  const TableGrid& grid = Show(9);
  EXPECT_EQ(grid.RowCount(), 17) << "one block of seven rows";
  EXPECT_EQ(RowsOfGroup(grid, "17"), (std::vector<int>{10, 11, 12, 13, 14, 15, 16}));
  EXPECT_EQ(Column(grid, 4).back(), "9");
  EXPECT_EQ(Row(grid, 10),
            (std::vector<std::string>{"1", "ohne Berufsreife", "", "17", "1", "", ""}));
  EXPECT_EQ(Row(grid, 12),
            (std::vector<std::string>{"3", "Mittlere Reife", "Bauberufe", "17", "3", "6", "2"}));
  EXPECT_EQ(Row(grid, 14),
            (std::vector<std::string>{"5", "Hochschulreife", "Bauberufe", "17", "5", "1", "0"}));
  EXPECT_EQ(grid.RowHeight(12), 18);
  EXPECT_EQ(grid.RowHeight(16), 18);
}

TEST_F(GroupTableTest, AllTraineesRecordsFillTheirRowAndAppendNothing) {
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "Auszubildende insgesamt;9999;2;9;1",
                     "Auszubildende insgesamt;9999;9;21;5", "Anders;9999;3;1;1"});
  const TableGrid& grid = Show(9);
  EXPECT_EQ(grid.RowCount(), 10);
  EXPECT_EQ(Row(grid, 3), (std::vector<std::string>{"2", "Berufsreife", "Auszubildende insgesamt",
                                                    "9999", "2", "9", "1"}));
  EXPECT_EQ(Row(grid, 4),
            (std::vector<std::string>{"3", "Mittlere Reife", "Anders", "9999", "3", "1", "1"}));
  EXPECT_EQ(grid.RowHeight(8), 30) << "the total row, key 9";
  EXPECT_EQ(grid.RowHeight(3), 18);
}

TEST_F(GroupTableTest, RowsOfKey9AreThirtyPixelsHigh) {
  // Column 0 or column 4 holding "9" makes a filled row stand out.
  WriteProgramFile("SSVB0.SSD", {"1;a", "9;zusammen", "x;y"});
  WriteProgramFile("Bog3Tab9.TBD", {"7;9;Klassen-Tabelle 9", "3;1;ES002", "4;1;ES003"});
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "G;17;9;1;1", "G;17;1;1;1", "G;9999;9;3;3"});
  const TableGrid& grid = Show(9);
  EXPECT_EQ(RowsOfGroup(grid, "17"), (std::vector<int>{10, 11, 12}));
  EXPECT_EQ(grid.RowHeight(11), 30);
  EXPECT_EQ(grid.RowHeight(10), 18);
  EXPECT_EQ(grid.RowHeight(3), 30);
}

TEST_F(GroupTableTest, LoweredRowsStayLowUnlessARecordFillsThem) {
  options.lowerRowsWithoutData = true;
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "B;17;3;6;2", "A;9999;3;6;2"});
  const TableGrid& grid = Show(9);
  ASSERT_EQ(grid.RowCount(), 17);
  const std::vector<int> expected = {18, 18, 9, 9, 18, 9, 9, 9, 9, 9, 18, 18, 18, 18, 18, 18, 18};
  EXPECT_EQ(Heights(grid), expected);
}

TEST_F(GroupTableTest, RecordsWithoutGroupAreCountedAndUnknownKeysAreDroppedSilently) {
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "", "X;;3;1;1", "B;17;7;1;1", "B;9999;;1;1"});
  const TableGrid& grid = Show(9);
  EXPECT_EQ(grid.RowCount(), 17) << "group 17 gets its block though its key 7 is unknown";
  EXPECT_EQ(Row(grid, 9), (std::vector<std::string>{"", "", "B", "9999", "", "1", "1"}))
      << "row 9 has an empty key and so receives the record with an empty key";
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].text, "Beim Einlesen der Datendatei:\n" + ClassFile(9) +
                                         "\nkonnte(n) 2 Datensatz/-sätze nicht zugeordnet "
                                         "werden!");
}

// The block of all trainees is rows 2 to 9: a record of group 9999 whose key has no row there
// (a key row below row 9, or a key the key file does not know) is counted and reported, not
// dropped without a word.
TEST_F(GroupTableTest, AllTraineesRecordsWithoutARowAreReported) {
  WriteProgramFile("SSVB0.SSD", {"1;a", "2;b", "3;c", "4;d", "5;e", "6;f", "7;g", "8;h", "9;i"});
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "A;9999;1;5;1", "A;9999;9;4;2",
                     "A;9999;77;3;3", "B;17;77;1;1"});
  for (const bool report : {true, false}) {
    SCOPED_TRACE(report ? "report option on" : "report option off");
    options.reportUnplaced = report;
    port.Clear();
    const TableGrid& grid = Show(9);
    EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"1", "a", "A", "9999", "1", "5", "1"}));
    // Row 10 carries key 9 but belongs to no group: the record of key 9 has no row.
    EXPECT_EQ(Row(grid, 10), (std::vector<std::string>{"9", "i", "", "", "9", "", ""}));
    const std::vector<std::string> expected = {
        "Beim Einlesen der Datendatei:\n" + ClassFile(9) +
        "\nkonnte(n) 2 Datensatz/-sätze nicht zugeordnet werden!"};
    EXPECT_EQ(MessageTexts(port), report ? expected : std::vector<std::string>{})
        << "group 17 with an unknown key stays unreported";
  }
}

// Every block shows the whole key file; its rows share the key file's texts instead of a copy
// each. 40 groups and a key file of 2.4 MB make 4.1 million rows, which cost 1.6 GB when each
// row held copies.
TEST_F(GroupTableTest, FortyGroupsOfALargeKeyFileShareItsTexts) {
  if (!AddressSpaceLimitsWork()) GTEST_SKIP() << "no address-space limit under ASan";
  constexpr int kLines = 100000;
  constexpr int kGroups = 40;
  std::vector<std::string> keys;
  for (int k = 0; k < kLines; ++k)
    keys.push_back(std::to_string(k) + ";Vorbildung Nr. " + std::to_string(k));
  WriteProgramFile("SSVB0.SSD", keys);
  std::vector<std::string> records = {"ES001;ES002;ES003;ES004;ES005"};
  for (int g = 0; g < kGroups; ++g) {
    records.push_back("Gruppe " + std::to_string(g) + ";" + std::to_string(100 + g) + ";" +
                      std::to_string(g * 7) + ";1;0");
  }
  WriteClassFile(9, records);
  const ChildOutcome outcome = RunInChild(
      [&](std::string& report) {
        const TableGrid& grid = Show(9);
        const int blockRows = kLines;
        if (grid.RowCount() != 2 + kLines + kGroups * blockRows) {
          report += "rows " + std::to_string(grid.RowCount()) + "\n";
        }
        const int lastBlock = 2 + kLines + (kGroups - 1) * blockRows;
        if (Row(grid, lastBlock + 273) != std::vector<std::string>{"273", "Vorbildung Nr. 273",
                                                                   "Gruppe 39", "139", "273", "1",
                                                                   "0"})
          report += "filled row\n";
        if (Row(grid, lastBlock + kLines - 1) !=
            std::vector<std::string>{"99999", "Vorbildung Nr. 99999", "", "139", "99999", "", ""})
          report += "last row\n";
        if (!port.Messages().empty()) report += "messages\n";
        return report.empty() ? 0 : 1;
      },
      {.seconds = 60, .memoryHeadroom = 600u << 20});
  EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
}

TEST_F(GroupTableTest, AKeyFileWithMoreLinesMakesLargerBlocks) {
  WriteProgramFile("SSVB0.SSD", {"1;a", "2;b", "3;c", "4;d", "5;e", "6;f", "7;g", "8;h", "9;i"});
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "B;17;8;1;0", "C;18;1;2;0"});
  const TableGrid& grid = Show(9);
  // Key rows 2..10, then the block of 17 at 11..19 and the block of 18 at 20..28.
  EXPECT_EQ(grid.RowCount(), 29);
  EXPECT_EQ(RowsOfGroup(grid, "17").front(), 11);
  EXPECT_EQ(RowsOfGroup(grid, "18").front(), 20);
  EXPECT_EQ(Row(grid, 18), (std::vector<std::string>{"8", "h", "B", "17", "8", "1", "0"}));
  EXPECT_EQ(Row(grid, 20), (std::vector<std::string>{"1", "a", "C", "18", "1", "2", "0"}));
  // Row 10 is a key row outside rows 2..9: it does not belong to the block of all trainees.
  EXPECT_EQ(Row(grid, 10), (std::vector<std::string>{"9", "i", "", "", "9", "", ""}));
}

TEST_F(GroupTableTest, AMissingKeyFileLeavesEveryAppendedBlockEmpty) {
  fs::remove(paths.programDirectory + "SSVB0.SSD");
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "B;17;3;1;0", "B;17;3;1;0"});
  const TableGrid& grid = Show(9);
  // Set-up, then one warning per record: its group never finds a row.
  const std::string warning = "Statistik-Schlüssel-Datei: Schulische Vorbildung\n" +
                              paths.programDirectory + "SSVB0.SSD\nist nicht vorhanden!";
  EXPECT_EQ(MessageTexts(port), (std::vector<std::string>(3, warning)));
  EXPECT_EQ(grid.RowCount(), 9 + 1 + 7 + 7);
  for (int row = 10; row < grid.RowCount(); ++row) {
    EXPECT_EQ(Row(grid, row), (std::vector<std::string>(7, ""))) << "row " << row;
  }
}

TEST_F(GroupTableTest, GroupsMayInterleave) {
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "A;17;1;1;0", "B;18;2;2;0", "A;17;2;3;0",
                     "B;18;1;4;0", "C;17;2;5;0"});
  const TableGrid& grid = Show(9);
  ASSERT_EQ(grid.RowCount(), 24);
  EXPECT_EQ(Row(grid, 10),
            (std::vector<std::string>{"1", "ohne Berufsreife", "A", "17", "1", "1", "0"}));
  EXPECT_EQ(Row(grid, 11),
            (std::vector<std::string>{"2", "Berufsreife", "C", "17", "2", "5", "0"}));
  EXPECT_EQ(Row(grid, 17),
            (std::vector<std::string>{"1", "ohne Berufsreife", "B", "18", "1", "4", "0"}));
  EXPECT_EQ(Row(grid, 18),
            (std::vector<std::string>{"2", "Berufsreife", "B", "18", "2", "2", "0"}));
}

TEST_F(GroupTableTest, AppendGroupBlockAddsSevenRowsBelowTheLastRow) {
  TableGrid grid(7, 12, 2, 80);
  grid.SetCell(3, 11, "5");
  klassen::GroupTable table(grid, Context());
  EXPECT_TRUE(table.HasGroup("5"));
  EXPECT_FALSE(table.HasGroup("17"));
  ASSERT_TRUE(table.AppendGroupBlock("17"));
  EXPECT_EQ(grid.RowCount(), 19);
  EXPECT_TRUE(table.HasGroup("17"));
  EXPECT_EQ(table.Rows("17", "9").size(), 1u);
  EXPECT_EQ(table.Rows("17", "9")[0], 18);
  EXPECT_TRUE(table.Rows("17", "8").empty());
  EXPECT_EQ(grid.Cell(2, 18), "") << "column 2 waits for a record";
  EXPECT_EQ(grid.RowHeight(12), 18);
}

// The steps of the group table written out as they read: every record compared with every row.
// Returns the count of unplaced records: those without a group, and those of the all-trainees
// group that find no row.
int ReferenceGroupLoad(TableGrid& grid, const std::vector<std::vector<std::string>>& records,
                       const std::vector<std::pair<std::string, std::string>>& keyLines,
                       const TableOptions& options) {
  int unplaced = 0;
  if (grid.RowCount() < 10) grid.SetRowCount(10);
  for (int row = 2; row < grid.RowCount(); ++row) {
    grid.SetRowHeight(row, options.lowerRowsWithoutData ? 9 : 18);
    if (options.prefillOff || grid.Cell(4, row).empty()) {
      const std::string key(grid.Cell(0, row));
      grid.SetCell(4, row, key);
    }
  }
  for (int row = 2; row <= 9; ++row) {
    grid.SetCell(2, row, W("Auszubildende insgesamt"));
    grid.SetCell(3, row, "9999");
  }
  for (const auto& f : records) {
    if (f[1].empty()) {
      ++unplaced;
      continue;
    }
    bool found = false;
    for (int row = 1; row < grid.RowCount(); ++row) found = found || grid.Cell(3, row) == f[1];
    if (!found) {
      const int first = grid.RowCount();
      grid.SetRowCount(first + 7);
      int row = first;
      for (const auto& [key, text] : keyLines) {
        if (grid.RowCount() < row + 1) grid.SetRowCount(row + 1);
        grid.SetCell(0, row, key);
        grid.SetCell(1, row, text);
        grid.SetCell(3, row, f[1]);
        grid.SetCell(4, row, key);
        ++row;
      }
    }
    bool placed = false;
    for (int row = 1; row < grid.RowCount(); ++row) {
      if (grid.Cell(3, row) == f[1] && grid.Cell(4, row) == f[2]) {
        for (int k = 0; k < 5; ++k) grid.SetCell(2 + k, row, f[static_cast<std::size_t>(k)]);
        const bool total = grid.Cell(0, row) == "9" || grid.Cell(4, row) == "9";
        grid.SetRowHeight(row, total ? 30 : 18);
        placed = true;
      }
    }
    if (!placed && f[1] == "9999") ++unplaced;
  }
  for (int row = 2; row <= 9; ++row) {
    if (grid.Cell(3, row).empty()) grid.SetCell(3, row, "9999");
    if (grid.Cell(2, row).empty() && grid.Cell(3, row) == "9999") {
      grid.SetCell(2, row, W("Auszubildende insgesamt"));
    }
    if (grid.Cell(4, row).empty()) {
      const std::string key(grid.Cell(0, row));
      grid.SetCell(4, row, key);
    }
  }
  return unplaced;
}

TEST_F(GroupTableTest, IndexedLoadingGivesTheResultOfComparingEveryRow) {
  // Duplicate and empty keys in the key file, and a definition file that leaves column 4 of a
  // key row filled and names group 17 on a row of its own, so that every rule is reached.
  // Groups and keys that read alike when joined ("12" + "3", "1" + "23") must not be taken for
  // one another. The definition file puts "9" into column 4 of row 4 (key 3) and "X" into
  // column 4 of row 7 (key 9): each half of the rule for 30-pixel rows decides a row alone.
  const std::vector<std::pair<std::string, std::string>> keyLines = {
      {"1", "a"}, {"2", "b"}, {"3", "c"}, {"3", "c2"}, {"", ""}, {"9", "z"}, {"23", "w"}};
  std::vector<std::string> keyFile;
  for (const auto& [key, text] : keyLines) keyFile.push_back(key + ";" + text);
  WriteProgramFile("SSVB0.SSD", keyFile);
  WriteProgramFile("Bog3Tab9.TBD", {"7;12;Klassen-Tabelle 9", "3;1;ES002", "4;1;ES003", "4;3;Q",
                                    "4;4;9", "4;7;X", "3;11;17"});
  const std::vector<std::string> groups = {"9999", "17", "18", "abc", "ES002", "", "5", "12", "1"};
  const std::vector<std::string> keys = {"1", "2", "3", "9", "", "7", "Q", "ES003", "23", "X"};
  std::mt19937 random(20240611);
  for (int round = 0; round < 60; ++round) {
    options.lowerRowsWithoutData = random() % 2 == 0;
    options.prefillOff = random() % 2 == 0;
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> lines;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
      std::vector<std::string> f = {"N" + std::to_string(random() % 5),
                                    groups[random() % groups.size()], keys[random() % keys.size()],
                                    std::to_string(random() % 100), std::to_string(random() % 50)};
      lines.push_back(f[0] + ";" + f[1] + ";" + f[2] + ";" + f[3] + ";" + f[4]);
      records.push_back(f);
    }
    WriteClassFile(9, lines);
    TableGrid expected = SetUpOnly(9);
    const int unplaced = ReferenceGroupLoad(expected, records, keyLines, options);
    port.Clear();
    const TableGrid& actual = Show(9);
    const std::vector<std::string> report = {"Beim Einlesen der Datendatei:\n" + ClassFile(9) +
                                             "\nkonnte(n) " + std::to_string(unplaced) +
                                             " Datensatz/-sätze nicht zugeordnet werden!"};
    EXPECT_EQ(MessageTexts(port), unplaced > 0 ? report : std::vector<std::string>{})
        << "round " << round;
    ASSERT_EQ(actual.RowCount(), expected.RowCount()) << "round " << round;
    for (int row = 0; row < actual.RowCount(); ++row) {
      ASSERT_EQ(Row(actual, row), Row(expected, row)) << "round " << round << ", row " << row;
      ASSERT_EQ(actual.RowHeight(row), expected.RowHeight(row))
          << "round " << round << ", row " << row;
    }
  }
}

TEST_F(GroupTableTest, AMissingClassFolderIsMadeAgain) {
  fs::remove_all(paths.schoolDirectory + "KLASSE");
  const TableGrid& grid = Show(9);
  EXPECT_TRUE(fs::is_directory(paths.schoolDirectory + "KLASSE"));
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_EQ(grid.RowCount(), 10);
  EXPECT_EQ(Row(grid, 3), (std::vector<std::string>{"2", "Berufsreife", "Auszubildende insgesamt",
                                                    "9999", "2", "", ""}));
}

TEST_F(GroupTableTest, AClassFolderThatCannotBeMadeIsReported) {
  fs::remove_all(paths.schoolDirectory + "KLASSE");
  WriteBytes(paths.schoolDirectory + "KLASSE", "kein Ordner");
  const TableGrid& grid = Show(9);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(port.Messages()[0].text, "Problem beim Erstellen des Datenverzeichnis:\n" +
                                         paths.schoolDirectory + "KLASSE\n" +
                                         "Ermöglich Sie den Zugriff auf das untergeordnete "
                                         "Verzeichnis!");
  EXPECT_EQ(grid.Cell(3, 2), "9999") << "the table is shown all the same";
}

TEST_F(GroupTableTest, OtherClassTablesNeverMakeTheClassFolder) {
  fs::remove_all(paths.schoolDirectory + "KLASSE");
  for (int table = 0; table <= 10; ++table) {
    if (table != 9) Show(table);
  }
  EXPECT_FALSE(fs::exists(paths.schoolDirectory + "KLASSE"));
}

// ---- bad input ---------------------------------------------------------------------------------

TEST_F(ClassSheetTest, GarbageClassFilesAreShownWithoutHarm) {
  // NUL and control bytes, a lone CR, quotes, bytes above 0x7F, a line of 100,000 bytes, a line of
  // separators only, then the DOS end mark with text behind it: four lines.
  const std::string garbage = std::string("\0\x01;;\"a;b\"\tc\r\r\n", 14) +
                              "\xff\xfe;;;;;;;;;;;;\n" + std::string(100000, 'x') +
                              "\r\n;;;;\n\x1a" + "nach dem Ende\r\n";
  WritePriorSchoolingGroups();
  for (const char* keyFile : {"SSVB.SSD", "SSFSR.SSD", "SSAS.SSD", "SSLTF.SSD", "SSUS.SSD"}) {
    WriteProgramFile(keyFile, {"1;eins", "2;zwei"});
  }
  enum class Kind { Single, List, Keyed, Group };
  const std::map<int, Kind> kinds = {{0, Kind::Single}, {1, Kind::List},   {2, Kind::Keyed},
                                     {3, Kind::List},   {4, Kind::Keyed},  {5, Kind::Keyed},
                                     {6, Kind::Keyed},  {7, Kind::Keyed},  {8, Kind::List},
                                     {9, Kind::Group},  {10, Kind::Single}};
  for (const auto& [table, kind] : kinds) {
    port.Clear();
    WriteBytes(ClassFile(table), garbage);
    const TableGrid& grid = Show(table);
    SCOPED_TRACE("table " + std::to_string(table));
    switch (kind) {
      case Kind::Single:
        EXPECT_EQ(grid.RowCount(), 3);
        EXPECT_EQ(grid.Cell(2, 1), "") << "the field between two separators";
        EXPECT_EQ(grid.Cell(3, 1), "\"a");
        EXPECT_EQ(grid.Cell(4, 1), "b\"")
            << "the quote ends the field, the TAB after it is dropped";
        EXPECT_EQ(grid.Cell(5, 1), "c");
        // CP850 0xFF is the no-break space; the number is not blank and stays.
        ASSERT_EQ(grid.Cell(1, 2).size(), 2u);
        EXPECT_EQ(grid.Cell(1, 2)[0], '\xA0');
        EXPECT_TRUE(port.Messages().empty());
        break;
      case Kind::List:
        EXPECT_EQ(grid.RowCount(), 5);
        EXPECT_EQ(grid.Cell(1, 3).size(), 100000u);
        EXPECT_EQ(grid.Cell(0, 2), "Meldung");
        EXPECT_TRUE(port.Messages().empty());
        break;
      case Kind::Keyed:
        // Three keys that name no row, and the line of separators without a key.
        ASSERT_EQ(port.Messages().size(), 1u);
        EXPECT_NE(port.Messages()[0].text.find("konnte(n) 1 Datensatz"), std::string::npos);
        EXPECT_EQ(Row(grid, 2)[0], "1");
        EXPECT_EQ(Row(grid, 2)[3], "");
        break;
      case Kind::Group:
        // No line has a group key in field 2.
        ASSERT_EQ(port.Messages().size(), 1u);
        EXPECT_NE(port.Messages()[0].text.find("konnte(n) 4 Datensatz"), std::string::npos);
        EXPECT_EQ(grid.RowCount(), 10);
        break;
    }
  }
}

TEST_F(ClassSheetTest, DefinitionFilesDeclaringTheLargestGridAreLoadedInFull) {
  WritePriorSchoolingGroups();
  WriteProgramFile("Bog3Tab9.TBD", {"7;65535;Riesig", "3;1;ES002", "4;1;ES003"});
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "Bau;17;9;1;0", "A;9999;2;5;1"});
  const TableGrid& group = Show(9);
  // The block of group 17 goes below row 65534: row numbers do not wrap at 16 bits.
  EXPECT_EQ(group.RowCount(), 65535 + 7);
  EXPECT_EQ(Row(group, 65541),
            (std::vector<std::string>{"9", "zusammen", "Bau", "17", "9", "1", "0"}));
  EXPECT_EQ(group.RowHeight(65541), 30);
  EXPECT_EQ(Row(group, 3)[5], "5");

  WriteProgramFile("Bog3Tab1.TBD", {"65535;65535;Riesig"});
  WriteClassFile(1, {"ES001;ES002;ES003;ES004;ES005", "1990;1;1;0;0"});
  const TableGrid& list = Show(1);
  EXPECT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.ColCount(), 65535);
  EXPECT_EQ(Row(list, 1)[4], "ES004");
}

// ---- page commands ---------------------------------------------------------------------------

TEST_F(ClassSheetTest, SortingBirthYearsKeepsMeldungInRow2) {
  WriteClassFile(1,
                 {"ES001;ES002;ES003;ES004;ES005", "2006;6;2;0;0", "2004;3;1;1;0", "2005;8;1;1;0"});
  TableGrid& grid = Show(1);
  Run("Button44", grid);
  EXPECT_EQ(Column(grid, 0),
            (std::vector<std::string>{"Satzart 1", "Erfassungsspalte", "Meldung", "", ""}));
  EXPECT_EQ(Column(grid, 1),
            (std::vector<std::string>{"Geburtsjahr", "ES001", "2004", "2005", "2006"}));
  EXPECT_EQ(Column(grid, 2), (std::vector<std::string>{"Schüler insg.", "ES002", "3", "8", "6"}));
}

TEST_F(ClassSheetTest, SortingCountriesAndRowNumbersMovesWholeRows) {
  WriteClassFile(
      3, {"ES001;ES002;ES003;ES004;ES005;ES006", "Syrien;424;1;0;1;0", "Polen;110;1;0;1;0"});
  TableGrid& countries = Show(3);
  Run("Button26", countries);
  EXPECT_EQ(Row(countries, 2), (std::vector<std::string>{"", "Polen", "110", "1", "0", "1", "0"}));
  EXPECT_EQ(Row(countries, 3),
            (std::vector<std::string>{"Meldung", "Syrien", "424", "1", "0", "1", "0"}));

  WriteClassFile(8, {"ES001;ES002;ES003;ES004;ES005;ES006;ES007", "3;c;1;x;1;1;0", "1;a;1;x;1;1;0",
                     "2;b;1;x;1;1;0"});
  TableGrid& courses = Show(8);
  Run("Button63", courses);
  EXPECT_EQ(Column(courses, 1), (std::vector<std::string>{"Zeilen-Nr.", "ES001", "1", "2", "3"}));
  EXPECT_EQ(Column(courses, 0),
            (std::vector<std::string>{"Satzart 8", "Erfassungsspalte", "", "", "Meldung"}));
}

TEST_F(GroupTableTest, SortingByGroupKeepsTheAllTraineesRowsFirst) {
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "B;17;3;6;2", "A;12;1;1;1", "X;9999;2;1;1"});
  TableGrid& grid = Show(9);
  Run("Button61", grid);
  const std::vector<std::string> groups = Column(grid, 3);
  // Rows 2..9 are "9999" (row 9 first: its empty key sorts first), then 12, then 17.
  EXPECT_EQ(std::vector<std::string>(groups.begin() + 2, groups.begin() + 10),
            (std::vector<std::string>(8, "9999")));
  EXPECT_EQ(Column(grid, 4)[2], "");
  EXPECT_EQ(Column(grid, 4)[3], "1");
  for (int row = 2; row <= 9; ++row) {
    EXPECT_EQ(Win1252ToUtf8(grid.Cell(2, row)), row == 4 ? "X" : "Auszubildende insgesamt")
        << "row " << row;
  }
  EXPECT_EQ(std::vector<std::string>(groups.begin() + 10, groups.begin() + 17),
            (std::vector<std::string>(7, "12")));
  EXPECT_EQ(std::vector<std::string>(groups.begin() + 17, groups.end()),
            (std::vector<std::string>(7, "17")));
}

TEST_F(ClassSheetTest, TrainingTextsComeFromTheFirstOccupationFileThatKnowsTheCode) {
  WriteProgramFile("SBBG1.SSD", {"1111;aus eins"});
  WriteProgramFile("SBBG3.SSD", {"1111;aus drei", "7141;Büro aus drei"});
  WriteProgramFile("SBBG4.SSD", {"7141;Büro aus vier", "8311;Sozial aus vier"});
  WriteProgramFile("SBBG6.SSD", {"8311;Sozial aus sechs"});
  WriteClassFile(8, {"ES001;ES002;ES003;ES004;ES005;ES006;ES007", "1;;1111;;;1;0", "2;;7141;;;1;0",
                     "3;gegeben;8311;;;1;0", "4; ;8311;;;1;0", "5;  ;8311;;;1;0"});
  TableGrid& grid = Show(8);
  Run("Button57", grid);
  EXPECT_EQ(Column(grid, 2),
            (std::vector<std::string>{"Bezeichnung Ausbildung", "ES002", "aus eins",
                                      "Büro aus drei", "gegeben", "Sozial aus vier", "  "}));
  const std::string missing = "Schlüssel-Datei:\n" + paths.programDirectory;
  EXPECT_EQ(MessageTexts(port), (std::vector<std::string>{missing + "SBBG2.SSD\nfehlt!",
                                                          missing + "SBBG5.SSD\nfehlt!"}));
  for (const auto& message : port.Messages()) EXPECT_EQ(message.kind, MessageKind::Information);
}

TEST_F(ClassSheetTest, OriginAndCountryCompletionsFillOnlyBlankCells) {
  WriteProgramFile("SHKK.SSD", {"073;Vorpommern-Rügen", "072;Landkreis Rostock"});
  WriteClassFile(8, {"ES001;ES002;ES003;ES004;ES005;ES006;ES007", "1;a;1;;073;1;0",
                     "2;a;1;Landkreis Rostock;;1;0", "3;a;1;landkreis rostock;;1;0",
                     "4;a;1;Vorpommern-Rügen;999;1;0"});
  TableGrid& origins = Show(8);
  Run("Button58", origins);
  Run("Button59", origins);
  EXPECT_EQ(Column(origins, 4), (std::vector<std::string>{
                                    "Bezeichnung Herkunfskreis", "ES004", "Vorpommern-Rügen",
                                    "Landkreis Rostock", "landkreis rostock", "Vorpommern-Rügen"}));
  EXPECT_EQ(Column(origins, 5), (std::vector<std::string>{"Kennziffer Herkunfskreis", "ES005",
                                                          "073", "072", "", "999"}));

  WriteProgramFile("SLAND.SSD", {"110;Polen", "136;Ukraine"});
  WriteClassFile(3, {"ES001;ES002;ES003;ES004;ES005;ES006", ";136;1;0;1;0", "Polska;110;1;0;1;0",
                     "Polen;;1;0;1;0"});
  TableGrid& countries = Show(3);
  Run("Button64", countries);
  Run("Button65", countries);
  EXPECT_EQ(Column(countries, 1), (std::vector<std::string>{"Land der Staatsangehörigkeit", "ES001",
                                                            "Ukraine", "Polska", "Polen"}));
  EXPECT_EQ(Column(countries, 2),
            (std::vector<std::string>{"LänderSchlüssel", "ES002", "136", "110", "110"}));
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(GroupTableTest, GroupNamesAreCompletedFromTheOccupationFiles) {
  WriteProgramFile("SBBG2.SSD", {"17;Bauberufe aus zwei"});
  WriteProgramFile("SBBG1.SSD", {"99;anderes"});
  WriteClassFile(9, {"ES001;ES002;ES003;ES004;ES005", "Bau;17;3;6;2"});
  TableGrid& grid = Show(9);
  port.Clear();
  Run("Button62", grid);
  const std::vector<std::string> names = Column(grid, 2);
  EXPECT_EQ(std::vector<std::string>(names.begin() + 10, names.end()),
            (std::vector<std::string>{"Bauberufe aus zwei", "Bauberufe aus zwei", "Bau",
                                      "Bauberufe aus zwei", "Bauberufe aus zwei",
                                      "Bauberufe aus zwei", "Bauberufe aus zwei"}));
  EXPECT_EQ(port.Messages().size(), 4u) << "SBBG3 to SBBG6 are missing";
}

TEST_F(ClassSheetTest, CommandsOnTablesWithoutDataRowsChangeNothing) {
  for (const char* button : {"Button44", "Button26", "Button63", "Button61"}) {
    TableGrid grid(7, 2, 1, 80);
    grid.SetCell(1, 1, "ES001");
    Run(button, grid);
    EXPECT_EQ(grid.RowCount(), 2) << button;
    EXPECT_EQ(grid.Cell(1, 1), "ES001") << button;
  }
}

// ---- dispatch ----------------------------------------------------------------------------------

class ClassDispatchTest : public SessionFixture {
 protected:
  void SetUp() override {
    fs::create_directories(db + "12345/KLASSE");
    WriteAnsiLines(program + "SSVB0.SSD", {"1;ohne Berufsreife", "9;zusammen"});
  }
};

TEST_F(ClassDispatchTest, WithoutClassesOnlyTheHeadingsAreShown) {
  // A class file of a class that is not in the list (no table-0 file) must not be read.
  WriteOemLines(db + "12345/KLASSE/ZZZ99909.CSV",
                {"ES001;ES002;ES003;ES004;ES005", "A;9999;1;5;5"});
  Start();
  ASSERT_TRUE(session.Paths().classes.empty());
  session.PageChanged(SheetId::Klassen, 9);  // "Tab. 9"
  ASSERT_FALSE(port.Messages().empty());
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::InfoDialog);
  EXPECT_EQ(port.Messages()[0].info.title, "Hinweis");
  EXPECT_EQ(port.Messages()[0].info.line1, "Es sind keine Klassen-Daten verfügbar!");
  EXPECT_EQ(port.Messages()[0].info.milliseconds, 2000u);
  const TableGrid& grid = session.Grid(GridId::StringGrid26);
  EXPECT_EQ(grid.Cell(0, 0), "SA 9");
  EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"1", "ohne Berufsreife", "", "", "", "", ""}))
      << "set-up only: no block of all trainees, no data";
  EXPECT_EQ(grid.RowCount(), 9);
}

TEST_F(ClassDispatchTest, TheClassFolderComesBackWhenTable9IsShown) {
  WriteOemLines(db + "12345/KLASSE/KL010100.CSV", {"ES001;ES002;ES003;ES004;ES005;ES006"});
  Start();
  ASSERT_EQ(session.Paths().classes, std::vector<std::string>{"KL0101"});
  fs::remove_all(db + "12345/KLASSE");
  session.PageChanged(SheetId::Klassen, 3);  // "Tab. 3"
  EXPECT_FALSE(fs::exists(db + "12345/KLASSE"));
  session.PageChanged(SheetId::Klassen, 9);  // "Tab. 9"
  EXPECT_TRUE(fs::is_directory(db + "12345/KLASSE"));
  EXPECT_EQ(session.Grid(GridId::StringGrid26).Cell(3, 2), "9999");
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(ClassDispatchTest, Page41LoadsTheClassFileNumber10) {
  WriteOemLines(db + "12345/KLASSE/KL010100.CSV", {"ES001;ES002;ES003;ES004;ES005;ES006"});
  WriteOemLines(db + "12345/KLASSE/KL010110.CSV", {"ES001;ES002;ES003;ES004;ES005", "9;5;3;1;0"});
  WriteOemLines(db + "12345/KLASSE/KL010104.CSV", {"ES001;ES002;ES003;ES004;ES005", "1;1;1;1;1"});
  Start();
  session.PageChanged(SheetId::Klassen, 10);  // "Tab. 4.1"
  EXPECT_EQ(session.CurrentTable(), 10);
  EXPECT_EQ(Row(session.Grid(GridId::StringGrid27), 2),
            (std::vector<std::string>{"Meldung", "9", "5", "3", "1", "0"}));
}

}  // namespace
}  // namespace tab::test
