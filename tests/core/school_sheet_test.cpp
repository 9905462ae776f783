// The school report (Bogen 1): set-up and loading of its five tables, its sort and completion
// commands, and the completion over several key files that the class pages share.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "app/session.hpp"
#include "app/window_layout.hpp"
#include "records/fields.hpp"
#include "records/row_ops.hpp"
#include "records/text.hpp"
#include "sheets/completion.hpp"
#include "sheets/sheet.hpp"
#include "support/fixture.hpp"
#include "support/session_fixture.hpp"
#include "support/sheet_fixture.hpp"
#include "support/sheets.hpp"
#include "support/texts.hpp"

namespace tab::test {
namespace {

namespace fs = std::filesystem;

// A program directory and the data base of school 12345, with the grids as the window has them.
class SchoolSheetTest : public SheetFixture {
 protected:
  SchoolSheetTest() : SheetFixture(schule::Sheet()) {
    fs::create_directories(paths.schoolDirectory + "SCHULE");
  }

  std::string Program(std::string_view name) const { return paths.programDirectory + name.data(); }
  std::string DataFile(std::string_view suffix) const {
    return paths.schoolDirectory + "SCHULE/12345" + suffix.data();
  }
  void Press(std::string_view button, int table) { Run(button, Grid(table)); }
};

// ---- registration -------------------------------------------------------------------------

TEST(SchoolSheetRegistration, TablesZeroToFourOnGridsFourToEight) {
  const SheetDefinition& sheet = schule::Sheet();
  EXPECT_EQ(sheet.sheet, SheetId::Schule);
  ASSERT_EQ(sheet.tables.size(), 5u);
  for (int table = 0; table <= 4; ++table) {
    const TableEntry& entry = TableOf(schule::Sheet(), table);
    ASSERT_EQ(entry.steps.size(), 1u) << table;
    EXPECT_EQ(static_cast<int>(entry.steps[0].grid), 4 + table) << table;
    EXPECT_NE(entry.steps[0].setUp, nullptr);
    EXPECT_NE(entry.steps[0].load, nullptr);
  }
  for (const ButtonId button : {ButtonId::Button17, ButtonId::Button20, ButtonId::Button21}) {
    EXPECT_TRUE(Session::HasCommand(button)) << static_cast<int>(button);
  }
  EXPECT_EQ(sheet.commands.size(), 3u);
}

// ---- set-up -------------------------------------------------------------------------------

TEST_F(SchoolSheetTest, FirstUseOfTableOneWritesItsDefinitionFile) {
  WriteAnsiLines(Program("SSSA.SSD"), {"01;Berufsschule"});
  SetUpOnly(1);
  std::string expected =
      "18;39;Schul-Tabelle 1\r\n"
      "0;0;SA 1\r\n"
      "1;0;Schulart/Bildungsgang/Zeitform\r\n"
      "2;0;Schulart/Bildungsgang/Zeitform\r\n"
      "3;0;Klassen insg.\r\n"
      "4;0;Klassen - 1. JGS\r\n"
      "5;0;Klassen - 2. JGS\r\n"
      "6;0;Klassen - 3. JGS\r\n"
      "7;0;Klassen - 4. JGS\r\n"
      "8;0;Klassen - 5. JGS\r\n"
      "9;0;Sch\xFCler/-innen insg.\r\n"
      "10;0;Sch\xFCler/-innen - 1. JGS\r\n"
      "11;0;Sch\xFCler/-innen - 2. JGS\r\n"
      "12;0;Sch\xFCler/-innen - 3. JGS\r\n"
      "13;0;Sch\xFCler/-innen - 4. JGS\r\n"
      "14;0;Sch\xFCler/-innen - 5. JGS\r\n"
      "15;0;Sch\xFCler/-innen weibl.\r\n"
      "16;0;Ausl\xE4nd. Sch\xFCler/-innen zusammen\r\n"
      "17;0;Ausl\xE4nd. Sch\xFCler/-innen weibl.\r\n"
      "0;1;Nr.\r\n"
      "1;1;(Bezeichnung)   |   Erfassungsspalte\r\n";
  for (int col = 2; col <= 17; ++col) {
    expected += std::to_string(col) + ";1;" + ColumnId(col - 1) + "\r\n";
  }
  EXPECT_EQ(ReadBytes(Program("Bog1Tab1.TBD")), expected);
  EXPECT_TRUE(port.Messages().empty());
  const TableGrid& grid = Grid(1);
  EXPECT_EQ(grid.ColCount(), 18);
  EXPECT_EQ(grid.RowCount(), 39);
  EXPECT_EQ(grid.Cell(1, 1), "(Bezeichnung)   |   Erfassungsspalte");
  EXPECT_EQ(grid.Cell(0, 2), "01");
  EXPECT_EQ(grid.Cell(1, 2), "Berufsschule");
  EXPECT_EQ(grid.Cell(2, 2), "01");  // the code again, in the ES001 column
}

struct FirstUseCase {
  int table;
  const char* firstLine;
  std::size_t headingLines;
  const char* lastLine;
};

class FirstUse : public SchoolSheetTest, public ::testing::WithParamInterface<FirstUseCase> {};

TEST_P(FirstUse, WritesSizeTitleAndEveryHeading) {
  const FirstUseCase& c = GetParam();
  SetUpOnly(c.table);
  const std::vector<std::string> lines =
      FileLines(Program("Bog1Tab" + std::to_string(c.table) + ".TBD"));
  ASSERT_EQ(lines.size(), c.headingLines + 1);
  EXPECT_EQ(lines.front(), c.firstLine);
  EXPECT_EQ(lines.back(), W(c.lastLine));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, FirstUse,
    ::testing::Values(FirstUseCase{0, "4;3;Schul-Tabelle 0", 9, "0;2;Meldung"},
                      FirstUseCase{1, "18;39;Schul-Tabelle 1", 36, "17;1;ES016"},
                      FirstUseCase{2, "19;10;Schul-Tabelle 2", 39, "0;2;Meldung"},
                      FirstUseCase{3, "10;5;Schul-Tabelle 3", 21, "0;2;Meldung"},
                      FirstUseCase{4, "8;3;Schul-Tabelle 4", 17, "0;2;Meldung"}),
    [](const auto& param) { return "Table" + std::to_string(param.param.table); });

TEST_F(SchoolSheetTest, ColumnWidthsOfEveryTable) {
  const std::vector<std::vector<int>> widths = {
      {90, 120, 120, 120},
      {30, 330, 150, 100, 100, 100, 100, 100, 100, 110, 120, 120, 120, 120, 120, 110, 140, 140},
      {90, 170, 170, 150, 150, 130, 130, 130, 130, 130, 140, 130, 130, 150, 150, 140, 140, 170,
       170},
      {90, 220, 170, 170, 140, 140, 140, 140, 190, 190},
      {90, 180, 160, 160, 160, 160, 120, 120},
  };
  WriteAnsiLines(Program("SSSA.SSD"), {"01;Berufsschule"});
  for (int table = 0; table <= 4; ++table) {
    SetUpOnly(table);
    std::vector<int> got;
    for (int col = 0; col < Grid(table).ColCount(); ++col) got.push_back(Grid(table).ColWidth(col));
    EXPECT_EQ(got, widths[static_cast<std::size_t>(table)]) << "table " << table;
  }
}

struct DefinitionCase {
  const char* name;
  int table;
  std::vector<std::string> definition;
  int rows;
};

class DefinitionRows : public SchoolSheetTest,
                       public ::testing::WithParamInterface<DefinitionCase> {};

// Only the list tables raise a short definition to 10 rows.
TEST_P(DefinitionRows, DecideTheRowCount) {
  const DefinitionCase& c = GetParam();
  WriteAnsiLines(Program("Bog1Tab" + std::to_string(c.table) + ".TBD"), c.definition);
  WriteAnsiLines(Program("SSSA.SSD"), {"01;Berufsschule", "02;Berufsfachschule"});
  SetUpOnly(c.table);
  EXPECT_EQ(Grid(c.table).RowCount(), c.rows);
  EXPECT_EQ(Grid(c.table).Cell(0, 0), "Kopf");
  EXPECT_TRUE(port.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, DefinitionRows,
    ::testing::Values(
        DefinitionCase{"Table2Declares5", 2, {"19;5;Schul-Tabelle 2", "0;0;Kopf"}, 10},
        DefinitionCase{"Table2Declares12", 2, {"19;12;Schul-Tabelle 2", "0;0;Kopf"}, 12},
        DefinitionCase{"Table3Declares2", 3, {"10;2;Schul-Tabelle 3", "0;0;Kopf"}, 10},
        DefinitionCase{"Table0Declares2", 0, {"4;2;Schul-Tabelle 0", "0;0;Kopf"}, 2},
        DefinitionCase{"Table4Declares2", 4, {"8;2;Schul-Tabelle 4", "0;0;Kopf"}, 2},
        // Table 1 grows to its key rows, never to 10.
        DefinitionCase{"Table1Declares3", 1, {"18;3;Schul-Tabelle 1", "0;0;Kopf"}, 4}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(SchoolSheetTest, FortyFiveSchoolTypesGiveFortySevenRows) {
  std::vector<std::string> keyLines;
  for (int code = 1; code <= 45; ++code) keyLines.push_back(std::to_string(code) + ";Art");
  WriteAnsiLines(Program("SSSA.SSD"), keyLines);
  SetUpOnly(1);
  EXPECT_EQ(Grid(1).RowCount(), 47);
  EXPECT_EQ(Grid(1).Cell(0, 46), "45");
  EXPECT_EQ(Grid(1).Cell(2, 46), "45");
}

TEST_F(SchoolSheetTest, MissingSchoolTypesWarnAndLeaveTheHeadings) {
  Show(1);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(port.Messages()[0].text, "Statistik-Schlüssel-Datei: Schularten/...\n" +
                                         Program("SSSA.SSD") + "\nist nicht vorhanden!");
  EXPECT_EQ(Grid(1).Cell(0, 0), "SA 1");
  EXPECT_EQ(Column(Grid(1), 0, 2, 38), std::vector<std::string>(37, ""));
}

TEST_F(SchoolSheetTest, SetUpClearsEditsAndLeftoversOfTheLastShowing) {
  Show(3);
  Grid(3).SetCell(5, 3, "bearbeitet");
  Grid(3).SetCell(0, 2, "anders");
  Show(3);
  EXPECT_EQ(Grid(3).Cell(5, 3), "");
  EXPECT_EQ(W("Meldung"), Grid(3).Cell(0, 2));
}

// ---- tables 0 and 4: one record ----------------------------------------------------------

struct NumberCase {
  const char* name;
  std::vector<std::string> lines;  // the data file; none when empty
  std::string shown;               // column 1, row 2
};

class Table0Number : public SchoolSheetTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(Table0Number, FallsBackToTheSettingsNumber) {
  const NumberCase& c = GetParam();
  if (!c.lines.empty()) WriteOemLines(DataFile("00.CSV"), c.lines);
  const TableGrid& grid = Show(0);
  EXPECT_EQ(grid.Cell(1, 2), c.shown);
  EXPECT_TRUE(port.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Table0Number,
    ::testing::Values(NumberCase{"Empty", {"ES001;ES002;ES003", ";Amt;Kreis"}, "12345"},
                      NumberCase{"OneSpace", {"ES001;ES002;ES003", " ;Amt;Kreis"}, "12345"},
                      NumberCase{"Zeros", {"ES001;ES002;ES003", "00000;Amt;Kreis"}, "12345"},
                      NumberCase{"Zero", {"ES001;ES002;ES003", "0;Amt;Kreis"}, "0"},
                      NumberCase{"TwoSpaces", {"ES001;ES002;ES003", "  ;Amt;Kreis"}, "  "},
                      NumberCase{"Own", {"ES001;ES002;ES003", "13001;Amt;Kreis"}, "13001"},
                      NumberCase{"OnlyIdLine", {"ES001;ES002;ES003"}, "12345"},
                      NumberCase{"NoFile", {}, "12345"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(SchoolSheetTest, SingleRecordTablesTakeTwoLinesOnly) {
  // A definition file with room for a third line: it stays empty all the same.
  WriteAnsiLines(Program("Bog1Tab4.TBD"), {"8;4;Schul-Tabelle 4", "0;2;Meldung"});
  WriteOemLines(DataFile("04.CSV"), {"A1;A2;A3;A4;A5;A6;A7", "1;2;3;4;5;6;7;8;9", "x;x;x"});
  const TableGrid& grid = Show(4);
  EXPECT_EQ(Column(grid, 1, 1, 2), (std::vector<std::string>{"A1", "1"}));
  EXPECT_EQ(grid.Cell(7, 1), "A7");
  EXPECT_EQ(grid.Cell(7, 2), "7");
  EXPECT_EQ(W("Meldung"), grid.Cell(0, 2));
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.Cell(1, 3), "");
}

TEST_F(SchoolSheetTest, SingleRecordTableWithoutFileEmptiesTheRecordCells) {
  // A definition file that puts texts into the record's cells: the loader empties them.
  WriteAnsiLines(Program("Bog1Tab0.TBD"),
                 {"4;3;Schul-Tabelle 0", "1;1;ES001", "2;2;alt", "3;2;alt", "0;2;Meldung"});
  const TableGrid& grid = Show(0);
  EXPECT_EQ(Column(grid, 2, 1, 2), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(grid.Cell(3, 2), "");
  EXPECT_EQ(grid.Cell(1, 1), "ES001");
  EXPECT_EQ(grid.Cell(1, 2), "12345");
}

// ---- tables 2 and 3: lists ---------------------------------------------------------------

struct ListCase {
  int table;
  int records;  // lines after the id line; -1: an empty file
  int rows;
};

class ListRows : public SchoolSheetTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListRows, FollowTheFile) {
  const ListCase& c = GetParam();
  const int fields = c.table == 2 ? 18 : 9;
  std::vector<std::string> lines;
  if (c.records >= 0) {
    std::string ids;
    for (int k = 1; k <= fields; ++k) ids += (k > 1 ? ";" : "") + ColumnId(k);
    lines.push_back(ids);
  }
  for (int record = 1; record <= c.records; ++record) {
    lines.push_back("r" + std::to_string(record) + ";Größe;" + std::to_string(record));
  }
  WriteOemLines(DataFile("0" + std::to_string(c.table) + ".CSV"), lines);
  const TableGrid& grid = Show(c.table);
  EXPECT_EQ(grid.RowCount(), c.rows);
  EXPECT_TRUE(port.Messages().empty());
  if (c.records < 0) return;
  EXPECT_EQ(grid.Cell(1, 1), "ES001");
  EXPECT_EQ(grid.Cell(fields, 1), ColumnId(fields));
  for (int record = 1; record <= c.records; ++record) {
    EXPECT_EQ(grid.Cell(1, record + 1), "r" + std::to_string(record));
    EXPECT_EQ(grid.Cell(2, record + 1), W("Größe"));
    EXPECT_EQ(grid.Cell(3, record + 1), std::to_string(record));
  }
  if (c.records >= 1) {
    EXPECT_EQ(W("Meldung"), grid.Cell(0, 2));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ListRows,
                         ::testing::Values(ListCase{2, -1, 1}, ListCase{2, 0, 2}, ListCase{2, 3, 5},
                                           ListCase{2, 24, 26}, ListCase{3, 3, 5},
                                           ListCase{3, 8, 10}, ListCase{3, 9, 11}),
                         [](const auto& param) {
                           return "Table" + std::to_string(param.param.table) + "Records" +
                                  (param.param.records < 0 ? std::string("None")
                                                           : std::to_string(param.param.records));
                         });

TEST_F(SchoolSheetTest, ListRowsAreNotCountedInSixteenBits) {
  std::string bytes = "ES001;ES002\r\n";
  for (int line = 2; line <= 70000; ++line) bytes += std::to_string(line) + ";x\r\n";
  WriteBytes(DataFile("03.CSV"), bytes);
  const TableGrid& grid = Show(3);
  EXPECT_EQ(grid.RowCount(), 70001);
  EXPECT_EQ(grid.Cell(1, 70000), "70000");
  EXPECT_EQ(grid.Cell(1, 65537), "65537");
}

TEST_F(SchoolSheetTest, ListWithoutFileKeepsItsRowsAndEmptiesTheirData) {
  WriteAnsiLines(Program("Bog1Tab2.TBD"), {"19;12;Schul-Tabelle 2", "0;2;Meldung", "1;1;ES001",
                                           "1;2;alt", "18;11;alt", "0;11;Zeile"});
  const TableGrid& grid = Show(2);
  EXPECT_EQ(grid.RowCount(), 12);
  EXPECT_EQ(grid.Cell(1, 2), "");
  EXPECT_EQ(grid.Cell(18, 11), "");
  EXPECT_EQ(grid.Cell(1, 1), "ES001");
  EXPECT_EQ(W("Meldung"), grid.Cell(0, 2));
  EXPECT_EQ(grid.Cell(0, 11), "Zeile");
}

TEST_F(SchoolSheetTest, ListWithoutFileOrDefinitionHasTenRows) {
  for (int table : {2, 3}) {
    EXPECT_EQ(Show(table).RowCount(), 10) << table;
  }
  EXPECT_TRUE(port.Messages().empty());
}

// ---- table 1: keyed by school type -------------------------------------------------------

class Table1Test : public SchoolSheetTest {
 protected:
  void SetUp() override { WriteAnsiLines(Program("SSSA.SSD"), {"01;Eins", "02;Zwei", "03;Drei"}); }
  void Load(const std::vector<std::string>& lines) {
    WriteOemLines(DataFile("01.CSV"), lines);
    Show(1);
  }
  // The leading cells of a table 1 row; the rest of its 18 cells are empty.
  static std::vector<std::string> Cells(std::vector<std::string> leading) {
    leading.resize(18);
    return leading;
  }
};

constexpr const char* kIds =
    "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;ES011;ES012;ES013;ES014;ES015;"
    "ES016";

TEST_F(Table1Test, PlacesByCodeTheLaterRecordWinsAndUnknownCodesVanish) {
  Load({kIds, "02;1;1", "99;7;7;7", "02;5;;6", "01;3"});
  EXPECT_EQ(Row(Grid(1), 2), Cells({"01", "Eins", "01", "3"}));
  // The whole later record, its empty fields included.
  EXPECT_EQ(Row(Grid(1), 3), Cells({"02", "Zwei", "02", "5", "", "6"}));
  EXPECT_EQ(Row(Grid(1), 4), Cells({"03", "Drei", "03"}));
  // The id line matches no row: row 1 keeps the headings.
  EXPECT_EQ(Grid(1).Cell(1, 1), "(Bezeichnung)   |   Erfassungsspalte");
  EXPECT_EQ(Grid(1).Cell(2, 1), "ES001");
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(Table1Test, RecordsWithoutCodeAreCountedOnce) {
  Load({kIds, "", ";5;5", "01;1", "  ;4"});
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(port.Messages()[0].text, "Beim Einlesen der Datendatei:\n" + DataFile("01.CSV") +
                                         "\nkonnte(n) 2 Datensatz/-sätze nicht zugeordnet "
                                         "werden!");
  EXPECT_EQ(Grid(1).Cell(3, 2), "1");
}

TEST_F(Table1Test, ReportOptionOffKeepsQuiet) {
  options.reportUnplaced = false;
  Load({kIds, "", ""});
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(Table1Test, BlankCodeCellsShowTheRowCode) {
  // A record whose code cell would stay blank: the school type of the row is shown instead.
  WriteAnsiLines(Program("SSSA.SSD"), {"01;Eins", " ;Leer"});
  Load({kIds, " ;9"});
  EXPECT_EQ(Grid(1).Cell(2, 3), " ");
  EXPECT_EQ(Grid(1).Cell(3, 3), "9");
  EXPECT_EQ(Grid(1).Cell(2, 2), "01");
}

TEST_F(Table1Test, RowsFromThirtyTwoOnNeverReceiveData) {
  std::vector<std::string> keyLines;
  for (int code = 1; code <= 35; ++code) keyLines.push_back(std::to_string(code) + ";Art");
  WriteAnsiLines(Program("SSSA.SSD"), keyLines);
  options.lowerRowsWithoutData = true;
  Load({kIds, "30;1", "31;2", "35;3"});
  EXPECT_EQ(Grid(1).RowCount(), 39);  // the design size holds the 35 types
  EXPECT_EQ(Column(Grid(1), 3, 31, 33), (std::vector<std::string>{"1", "", ""}));
  EXPECT_EQ(Column(Grid(1), 2, 31, 33), (std::vector<std::string>{"30", "31", "32"}));
  EXPECT_EQ(Grid(1).Cell(2, 36), "35");
  EXPECT_EQ(Grid(1).RowHeight(31), kFullRowHeight);
  EXPECT_EQ(Grid(1).RowHeight(30), kLoweredRowHeight);
  EXPECT_EQ(Grid(1).RowHeight(36), kFullRowHeight);  // not touched
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(Table1Test, WithoutFileTheDataCellsAreEmptiedAndCodesShown) {
  WriteAnsiLines(Program("Bog1Tab1.TBD"), {"18;39;Schul-Tabelle 1", "0;0;SA 1", "17;2;alt",
                                           "3;31;alt", "3;32;bleibt", "0;36;fremd"});
  std::vector<std::string> keyLines;
  for (int code = 1; code <= 31; ++code) keyLines.push_back(std::to_string(code) + ";Art");
  WriteAnsiLines(Program("SSSA.SSD"), keyLines);
  Show(1);
  EXPECT_EQ(Grid(1).Cell(17, 2), "");
  EXPECT_EQ(Grid(1).Cell(3, 31), "");
  EXPECT_EQ(Grid(1).Cell(3, 32), "bleibt");
  EXPECT_EQ(Grid(1).Cell(2, 2), "1");
  // Below the row limit the code column is left as the set-up made it.
  EXPECT_EQ(Grid(1).Cell(0, 36), "fremd");
  EXPECT_EQ(Grid(1).Cell(2, 36), "");
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(Table1Test, RowOneTakesTheIdLineWhenItsLabelIsTheFirstId) {
  WriteAnsiLines(Program("Bog1Tab1.TBD"), {"18;39;Schul-Tabelle 1", "0;1;ES001", "3;1;Kopf"});
  Load({kIds, "01;7"});
  EXPECT_EQ(Row(Grid(1), 1), Cells({"ES001", "", "ES001", "ES002", "ES003", "ES004", "ES005",
                                    "ES006", "ES007", "ES008", "ES009", "ES010", "ES011", "ES012",
                                    "ES013", "ES014", "ES015", "ES016"}));
  EXPECT_EQ(Grid(1).Cell(3, 2), "7");
}

struct HeightCase {
  const char* name;
  bool lower;
  std::string record;  // for code 01; empty: no record
  int height;
};

class Table1Heights : public Table1Test, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(Table1Heights, FollowTheRowHeightOption) {
  const HeightCase& c = GetParam();
  options.lowerRowsWithoutData = c.lower;
  std::vector<std::string> lines = {kIds};
  if (!c.record.empty()) lines.push_back(c.record);
  Load(lines);
  EXPECT_EQ(Grid(1).RowHeight(2), c.height);
  EXPECT_EQ(Grid(1).RowHeight(3), c.lower ? kLoweredRowHeight : kFullRowHeight);
  EXPECT_EQ(Grid(1).RowHeight(0), kFullRowHeight);
  EXPECT_EQ(Grid(1).RowHeight(1), kFullRowHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Table1Heights,
    ::testing::Values(HeightCase{"NoRecord", true, "", 9},
                      HeightCase{"EmptyAndSpaces", true, "01;; " + std::string(13, ';') + " ", 9},
                      HeightCase{"CodeOnly", true, "01", 9},
                      HeightCase{"ZeroInLastField", true, "01" + std::string(15, ';') + "0", 18},
                      HeightCase{"TwoSpaces", true, "01;  ", 18},
                      HeightCase{"ControlByte", true, "01;\x01x", 9},
                      HeightCase{"OptionOffNoData", false, "01; ", 18},
                      HeightCase{"OptionOffNoRecord", false, "", 18}),
    [](const auto& param) { return std::string(param.param.name); });

// ---- bad input ---------------------------------------------------------------------------

TEST_F(SchoolSheetTest, GarbageNeverStopsTheLoaders) {
  WriteAnsiLines(Program("SSSA.SSD"), {"01;Eins"});
  std::string garbage = std::string(1 << 20, 'x') + "\r\n";
  garbage += std::string(5000, ';') + "01\r\n";
  garbage += std::string("\0\xFF\"01\";\r\r\n;;;\n", 14);
  for (int k = 0; k < 3000; ++k) garbage += "01;" + std::to_string(k) + ";";
  garbage +=
      "\r\n\x1A"
      "after the end mark\r\n";
  for (int table = 0; table <= 4; ++table) {
    WriteBytes(DataFile("0" + std::to_string(table) + ".CSV"), garbage);
    Show(table);
  }
  // The list tables show every line before the end mark.
  EXPECT_EQ(Grid(2).RowCount(), 6);
  EXPECT_EQ(Grid(2).Cell(1, 1).size(), 1u << 20);
  // The long record lands in the row of code 01 with its first 16 fields.
  EXPECT_EQ(Grid(1).Cell(2, 2), "01");
  EXPECT_EQ(Grid(1).Cell(17, 2), "7");
  // Lines 2 and 5 have no code: two unplaced records in table 1.
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_NE(port.Messages()[0].text.find("konnte(n) 2 "), std::string::npos);
}

TEST_F(SchoolSheetTest, DataFileNamesIgnoreCase) {
  fs::remove(paths.schoolDirectory + "SCHULE");
  WriteOemLines(paths.schoolDirectory + "schule/1234504.csv", {"ES001", "42"});
  EXPECT_EQ(Show(4).Cell(1, 2), "42");
}

// ---- sort commands -----------------------------------------------------------------------

struct SortCase {
  const char* name;
  int table;
  const char* button;
  std::vector<std::string> lines;
  std::vector<std::string> column1;  // rows 2.. after sorting
  std::vector<std::string> column2;
};

class SortButtons : public SchoolSheetTest, public ::testing::WithParamInterface<SortCase> {};

TEST_P(SortButtons, OrderTheDataRowsAsText) {
  const SortCase& c = GetParam();
  WriteOemLines(DataFile("0" + std::to_string(c.table) + ".CSV"), c.lines);
  Show(c.table);
  Press(c.button, c.table);
  const int last = static_cast<int>(c.lines.size());
  EXPECT_EQ(Column(Grid(c.table), 1, 2, last), c.column1);
  EXPECT_EQ(Column(Grid(c.table), 2, 2, last), c.column2);
  EXPECT_EQ(Grid(c.table).Cell(1, 1), "ES001");
  EXPECT_EQ(Grid(c.table).RowCount(), last + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortButtons,
    ::testing::Values(
        // Table 2: by school type, equal types by year of birth.
        SortCase{"TypeThenYear",
                 2,
                 "Button17",
                 {"ES001;ES002", "9;2001", "10;2003", "9;1999", "10;2002"},
                 {"10", "10", "9", "9"},
                 {"2002", "2003", "1999", "2001"}},
        // A row without school type stays where it is; each side is sorted by itself.
        SortCase{"EmptyTypeStays",
                 2,
                 "Button17",
                 {"ES001;ES002", "9;1", "4;2", ";0", "10;3", "1;4"},
                 {"4", "9", "", "1", "10"},
                 {"2", "1", "0", "4", "3"}},
        // Table 3: by occupation code alone; equal codes keep their order.
        SortCase{"CodeAlone",
                 3,
                 "Button20",
                 {"ES001;ES002", "b;912", "z;2511", "a;912", "m;1111"},
                 {"m", "z", "b", "a"},
                 {"1111", "2511", "912", "912"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(SchoolSheetTest, SortingAnEmptyListChangesNothing) {
  WriteBytes(DataFile("02.CSV"), "");
  Show(2);
  Press("Button17", 2);
  EXPECT_EQ(Grid(2).RowCount(), 1);
  EXPECT_EQ(Grid(2).Cell(0, 0), "Satzart 2");
}

// ---- completion --------------------------------------------------------------------------

TEST_F(SchoolSheetTest, OccupationTextsComeFromTheFirstKeyFileThatKnowsTheCode) {
  WriteAnsiLines(Program("SBBG3.SSD"), {"2621;Elektroniker/-in", "1;eins"});
  WriteAnsiLines(Program("SBBG6.SSD"), {"2621;anders", "7131;Betriebswirtschaft"});
  WriteAnsiLines(Program("SBBG7.SSD"), {"7131;noch anders", "912;Fachgymnasium"});
  WriteOemLines(DataFile("03.CSV"), {
                                        "ES001;ES002",
                                        ";2621",
                                        ";7131",
                                        " ;912",
                                        "  ;912",
                                        "xyz;2621",
                                        ";01",
                                        ";4711",
                                    });
  Show(3);
  Press("Button21", 3);
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_EQ(Column(Grid(3), 1, 2, 8),
            (std::vector<std::string>{"Elektroniker/-in", "Betriebswirtschaft", "Fachgymnasium",
                                      "  ", "xyz", "", ""}));
  EXPECT_EQ(Grid(3).Cell(1, 1), "ES001");  // row 1 is not completed
}

TEST_F(SchoolSheetTest, EveryMissingKeyFileIsReportedInListOrder) {
  WriteOemLines(DataFile("03.CSV"), {"ES001;ES002", ";2621"});
  Show(3);
  Press("Button21", 3);
  ASSERT_EQ(port.Messages().size(), 3u);
  const std::array<const char*, 3> files = {"SBBG3.SSD", "SBBG6.SSD", "SBBG7.SSD"};
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(port.Messages()[i].kind, MessageKind::Information);
    EXPECT_EQ(port.Messages()[i].text, "Schlüssel-Datei:\n" + Program(files[i]) + "\nfehlt!");
  }
  EXPECT_EQ(Grid(3).Cell(1, 2), "");
}

TEST_F(SchoolSheetTest, AMissingKeyFileInTheMiddleLeavesTheOthersAtWork) {
  WriteAnsiLines(Program("SBBG3.SSD"), {"1;drei"});
  WriteAnsiLines(Program("sbbg7.ssd"), {"1;sieben", "2;zwei"});
  WriteOemLines(DataFile("03.CSV"), {"ES001;ES002", ";1", ";2"});
  Show(3);
  Press("Button21", 3);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].text, "Schlüssel-Datei:\n" + Program("SBBG6.SSD") + "\nfehlt!");
  EXPECT_EQ(Column(Grid(3), 1, 2, 3), (std::vector<std::string>{"drei", "zwei"}));
}

class CompletionFrom : public SchoolSheetTest {
 protected:
  void SetUp() override {
    WriteAnsiLines(Program("A.SSD"), {"1;Alpha", "2;Beta"});
    WriteAnsiLines(Program("B.SSD"), {"1;Anders", "3;Gamma", "4;Beta"});
    grid = TableGrid(3, 7);
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"1", ""}, {"2", " "}, {"3", ""}, {"", "Beta"}, {"", "Gamma"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
      grid.SetCell(0, static_cast<int>(i) + 2, rows[i].first);
      grid.SetCell(1, static_cast<int>(i) + 2, rows[i].second);
    }
  }
  static constexpr std::array<const char*, 3> kFiles = {"A.SSD", "FEHLT.SSD", "B.SSD"};
  TableGrid grid;
};

TEST_F(CompletionFrom, TextsFirstFileWinsAndMissingFilesAreNamed) {
  CompleteTextsFrom(grid, 0, 1, kFiles, Context());
  EXPECT_EQ(Column(grid, 1, 2, 6),
            (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Beta", "Gamma"}));
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].text, "Schlüssel-Datei:\n" + Program("FEHLT.SSD") + "\nfehlt!");
}

TEST_F(CompletionFrom, KeysFirstFileWins) {
  CompleteKeysFrom(grid, 1, 0, kFiles, Context());
  EXPECT_EQ(Column(grid, 0, 2, 6), (std::vector<std::string>{"1", "2", "3", "2", "3"}));
  EXPECT_EQ(port.Messages().size(), 1u);
}

TEST_F(CompletionFrom, SameColumnOpensNoFile) {
  CompleteTextsFrom(grid, 1, 1, kFiles, Context());
  CompleteKeysFrom(grid, 0, 0, kFiles, Context());
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_EQ(grid.Cell(1, 2), "");
  EXPECT_EQ(grid.Cell(0, 5), "");
}

// ---- through the dispatcher --------------------------------------------------------------

TEST_F(SchoolSheetTest, DispatcherShowsEverySchoolTableAndRunsItsButtons) {
  WriteAnsiLines(Program("SSSA.SSD"), {"01;Eins"});
  WriteAnsiLines(Program("SBBG3.SSD"), {"2621;Elektroniker/-in"});
  WriteAnsiLines(Program("SBBG6.SSD"), {});
  WriteAnsiLines(Program("SBBG7.SSD"), {});
  WriteOemLines(DataFile("03.CSV"), {"ES001;ES002", ";2621"});
  Settings settings = DefaultSettings();
  settings.schoolNumber = "12345";
  settings.dataBaseDirectory = paths.dataBaseDirectory;
  WriteSettingsFile(paths.programDirectory, settings);
  RecordingView view;
  Session session(port, view);
  session.Create(paths.programDirectory);
  session.StartUp();
  for (int table = 0; table <= 4; ++table) session.Dispatch(SheetId::Schule, table);
  EXPECT_EQ(view.touched, (std::vector<int>{4, 5, 6, 7, 8}));
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_EQ(session.Grid(GridId::StringGrid4).Cell(1, 2), "12345");
  EXPECT_EQ(session.Grid(GridId::StringGrid5).Cell(2, 2), "01");
  EXPECT_TRUE(session.RunButton(ButtonId::Button21));
  EXPECT_EQ(session.Grid(GridId::StringGrid7).Cell(1, 2), "Elektroniker/-in");
  EXPECT_TRUE(session.RunButton(ButtonId::Button17));
  EXPECT_TRUE(session.RunButton(ButtonId::Button20));
  EXPECT_EQ(view.touched, (std::vector<int>{4, 5, 6, 7, 8, 7, 6, 7}));
}

}  // namespace
}  // namespace tab::test
