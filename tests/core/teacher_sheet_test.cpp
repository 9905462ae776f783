// The teacher report: set-up of the four tables and of the identification table, their loaders
// and the two "nach Nummern sortieren" commands, driven through the dispatcher as the window
// drives them.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/session.hpp"
#include "records/fields.hpp"
#include "records/text.hpp"
#include "support/fixture.hpp"
#include "support/session_fixture.hpp"
#include "support/texts.hpp"

namespace tab::test {
namespace {

class TeacherSheetTest : public SessionFixture {
 protected:
  void SetUp() override { std::filesystem::create_directories(school + "LEHRER"); }

  void Show(int table) {
    Start();
    session.Dispatch(SheetId::Lehrer, table);
  }

  void WriteData(int table, const std::vector<std::string>& lines) {
    WriteOemLines(school + "LEHRER/123450" + std::to_string(table) + ".CSV", lines);
  }

  // Column `col` of grid `grid`, rows first..last.
  std::vector<std::string> Column(int grid, int col, int first, int last) const {
    return test::Column(session.Grid(static_cast<GridId>(grid)), col, first, last);
  }
};

// ---- definition files ----------------------------------------------------------------------

TEST_F(TeacherSheetTest, FirstUseWritesEachDefinitionFileFromTheBuiltInHeadings) {
  struct Case {
    int table;
    const char* file;
    std::size_t lines;                                         // the size line included
    std::vector<std::pair<std::size_t, std::string>> samples;  // line index -> UTF-8 text
  };
  const Case cases[] = {
      {0,
       "Bog2Ident.TBD",
       5,
       {{0, "4;51;Lehrer"}, {1, "0;0;intern"}, {2, "1;0;Nr."}, {4, "3;0;Vorname"}}},
      {0,
       "Bog2Tab0.TBD",
       6,
       {{0, "2;3;Lehrer-Tabelle 0"}, {1, "0;0;Satzart 0"}, {4, "1;1;ES001"}, {5, "0;2;Meldung"}}},
      {1,
       "Bog2Tab1.TBD",
       123,
       {{0, "61;10;Lehrer-Tabelle 1"},
        {1, "0;0;Satzart 1"},
        {5, "4;0;Geschlecht (1=m | 2=w)"},
        {6, "5;0;Staatsangehörigkeit"},
        {52, "51;0;- 03 Berufssvorber. Bild.Maßnahmen/TZ"},
        {61, "60;0;Mehrarb. bzw. Überstdn."},
        {62, "0;1;Nr."},
        {63, "1;1;Klarname      |       Erfassungsspalte"},
        {64, "2;1;ES001"},
        {122, "60;1;ES059"}}},
      {2,
       "Bog2Tab2.TBD",
       29,
       {{0, "14;31;Lehrer-Tabelle 2"},
        {3, "2;0;Schulart/Bildungsgang/Zeitform"},
        {6, "5;0;wöchentl. tatsächl. erteilte U.stdn. insg."},
        {16, "1;1;(Bezeichnung)   |   Erfassungsspalte"},
        {28, "13;1;ES012"}}},
      {3,
       "Bog2Tab3.TBD",
       19,
       {{0, "9;6;Lehrer-Tabelle 3"},
        {9, "8;0;wöchentl. mögl. Stdn. d.i. ES002 u. ES003 ausgewiesenen LK"},
        {11, "1;1;(Bezeichnung)     |      Erfassungsspalte"},
        {18, "8;1;ES007"}}},
  };
  Start();
  for (const Case& c : cases) {
    session.Dispatch(SheetId::Lehrer, c.table);
    const std::vector<std::string> lines = FileLines(program + c.file);
    ASSERT_EQ(lines.size(), c.lines) << c.file;
    for (const auto& [index, text] : c.samples) {
      // The file is Windows-1252, not UTF-8.
      EXPECT_EQ(lines[index], W(text)) << c.file << " line " << index;
    }
  }
  // Every ES id of table 1 in column order, row 1 of the grid as in the file.
  const std::vector<std::string> lines = FileLines(program + "Bog2Tab1.TBD");
  for (int k = 1; k <= 59; ++k) {
    EXPECT_EQ(lines[static_cast<std::size_t>(63 + k)], std::to_string(k + 1) + ";1;" + ColumnId(k));
  }
}

TEST_F(TeacherSheetTest, SetUpWidthsApplyWithOrWithoutADefinitionFile) {
  WriteAnsiLines(program + "Bog2Tab3.TBD", {"9;6;x"});
  WriteAnsiLines(program + "ILKLWS-4.SSD", {"1;voll"});
  Start();
  session.Dispatch(SheetId::Lehrer, 1);
  session.Dispatch(SheetId::Lehrer, 3);
  session.Dispatch(SheetId::Lehrer, 0);
  struct Case {
    int grid;
    int col;
    int width;
  };
  const Case cases[] = {{11, 0, 60},   {11, 1, 180}, {11, 8, 150}, {11, 18, 70}, {11, 51, 190},
                        {11, 60, 120}, {14, 1, 210}, {14, 2, 100}, {14, 8, 300}, {10, 0, 40},
                        {10, 1, 60},   {10, 2, 120}, {9, 0, 90},   {9, 1, 120}};
  for (const Case& c : cases) {
    EXPECT_EQ(session.Grid(static_cast<GridId>(c.grid)).ColWidth(c.col), c.width)
        << c.grid << "/" << c.col;
  }
}

TEST_F(TeacherSheetTest, DefinitionFileSizesAndKeyRowsDecideTheGrid) {
  WriteAnsiLines(program + "Bog2Tab1.TBD", {"61;4;Lehrer-Tabelle 1"});
  WriteAnsiLines(program + "Bog2Tab2.TBD", {"14;4;Lehrer-Tabelle 2"});
  WriteAnsiLines(program + "SSSA-140.SSD", {"0110;Berufsschule", "0120;BS TZ", "0130;BS VZ"});
  WriteAnsiLines(program + "ILKLWS-4.SSD", {"1;a", "2;b", "3;c", "4;d", "5;e", "6;f"});
  Start();
  const auto& entry = lehrer::Sheet().tables[1];
  ASSERT_EQ(entry.table, 1);
  // Set-up alone: the teacher list never starts with fewer than ten rows.
  TableGrid list(61, 10, 2, 120);
  const TableOptions options;
  entry.steps[0].setUp(list, {session.Paths(), options, port});
  EXPECT_EQ(list.RowCount(), 10);

  session.Dispatch(SheetId::Lehrer, 2);
  // Four rows from the file, then key rows 2 to 4; no copy of the code into column 2.
  EXPECT_EQ(session.Grid(GridId::StringGrid13).RowCount(), 5);
  EXPECT_EQ(Column(13, 0, 2, 4), (std::vector<std::string>{"0110", "0120", "0130"}));
  EXPECT_EQ(Column(13, 1, 2, 2), std::vector<std::string>{"Berufsschule"});

  session.Dispatch(SheetId::Lehrer, 3);
  EXPECT_EQ(session.Grid(GridId::StringGrid14).RowCount(), 8);
  EXPECT_EQ(Column(14, 2, 2, 7), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
}

TEST_F(TeacherSheetTest, MissingKeyFilesGiveTheirWarnings) {
  Start();
  session.Dispatch(SheetId::Lehrer, 2);
  session.Dispatch(SheetId::Lehrer, 3);
  EXPECT_EQ(MessageTexts(port),
            (std::vector<std::string>{"Statistik-Schlüssel-Datei: Schularten/...\n" + program +
                                          "SSSA-140.SSD\nist nicht vorhanden!",
                                      "Statistik-Schlüssel-Datei: Beschäftigungsumfang\n" +
                                          program + "ILKLWS-4.SSD\nist nicht vorhanden!"}));
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(session.Grid(GridId::StringGrid13).RowCount(), 31);
}

// ---- table 0 -----------------------------------------------------------------------------------

TEST_F(TeacherSheetTest, Table0ShowsTheDienststelleNumberAndFallsBackToTheSettings) {
  struct Case {
    std::vector<std::string> lines;  // empty: no data file
    bool file;
    std::string row1;
    std::string row2;
  };
  const std::vector<Case> cases = {
      {{"ES001", "54321"}, true, "ES001", "54321"},
      {{"ES001", "00000"}, true, "ES001", "12345"},
      {{"ES001", " "}, true, "ES001", "12345"},
      {{"ES001", "  "}, true, "ES001", "  "},
      {{"ES001;x", "54321;y", "99999"}, true, "ES001", "54321"},
      {{"ES001"}, true, "ES001", "12345"},
      {{}, false, "ES001", "12345"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(school + "LEHRER/1234500.CSV");
    if (c.file) WriteData(0, c.lines);
    Show(0);
    EXPECT_EQ(session.Grid(GridId::StringGrid9).Cell(1, 1), c.row1);
    EXPECT_EQ(session.Grid(GridId::StringGrid9).Cell(1, 2), c.row2)
        << (c.lines.empty() ? "" : c.lines.back());
    EXPECT_EQ(session.Grid(GridId::StringGrid9).Cell(0, 2), "Meldung");
    EXPECT_TRUE(port.Messages().empty());
  }
}

TEST_F(TeacherSheetTest, FirstPageLoadsTheIdentificationTableBeforeTable0) {
  class Order : public SessionView {
   public:
    void GridAboutToChange(GridId grid) override { grids.push_back(static_cast<int>(grid)); }
    std::vector<int> grids;
  } order;
  Session ordered(port, order);
  Start();
  ordered.Create(program);
  ordered.StartUp();
  ordered.Dispatch(SheetId::Lehrer, 0);
  EXPECT_EQ(order.grids, (std::vector<int>{10, 9}));
}

// ---- table 1 -----------------------------------------------------------------------------------

TEST_F(TeacherSheetTest, Table1LabelsListedTeachersAndAppendsUnknownNumbers) {
  WriteOemLines(program + "LEHRER.CSV", {"7;Aaa;Bbb", "3;Ccc;Ddd"});
  WriteData(1, {"ES001;ES002;ES003", "3;1970;2", "9;1980;1", "7;1960;1"});
  Show(1);
  const TableGrid& grid = session.Grid(GridId::StringGrid11);
  ASSERT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(Column(11, 0, 2, 4), (std::vector<std::string>{"7", "3", "9"}));
  EXPECT_EQ(Column(11, 1, 2, 4), (std::vector<std::string>{"Aaa, Bbb", "Ccc, Ddd", ""}));
  EXPECT_EQ(Column(11, 2, 2, 4), (std::vector<std::string>{"7", "3", "9"}));
  EXPECT_EQ(Column(11, 3, 1, 4), (std::vector<std::string>{"ES002", "1960", "1970", "1980"}));
  EXPECT_EQ(Column(11, 4, 1, 4), (std::vector<std::string>{"ES003", "1", "2", "1"}));
  // The id line leaves the ids it does not name.
  EXPECT_EQ(grid.Cell(5, 1), "ES004");
  EXPECT_EQ(grid.Cell(60, 1), "ES059");
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(TeacherSheetTest, Table1ComparesNumbersAsTextAndLabelsEveryListLineWithASurname) {
  WriteOemLines(program + "LEHRER.CSV",
                {"7;Aaa;Bbb", "8;;Ohne", "5;Aaa;", ";Müller;Jörg", "7;Dup;Licat"});
  WriteData(1, {"ES001", "07;x", "7;y"});
  Show(1);
  // Row 2 number 7, row 3 number 5, row 4 no number, row 5 number 7 again, row 6 the new 07.
  ASSERT_EQ(session.Grid(GridId::StringGrid11).RowCount(), 7);
  EXPECT_EQ(Column(11, 0, 2, 6), (std::vector<std::string>{"7", "5", "", "7", "07"}));
  EXPECT_EQ(Column(11, 1, 2, 6),
            (std::vector<std::string>{"Aaa, Bbb", "Aaa, ", "Müller, Jörg", "Dup, Licat", ""}));
  // Both rows of number 7 receive its record.
  EXPECT_EQ(Column(11, 3, 2, 6), (std::vector<std::string>{"y", "", "", "y", "x"}));
  EXPECT_EQ(Column(11, 2, 2, 6), (std::vector<std::string>{"7", "5", "", "7", "07"}));
}

TEST_F(TeacherSheetTest, Table1IdLineTakesOnlyItsFilledFields) {
  WriteData(1, {"ES001;ES002;;NEU4", "4;a;b;c"});
  Show(1);
  const TableGrid& grid = session.Grid(GridId::StringGrid11);
  EXPECT_EQ(grid.Cell(0, 1), "Nr.");
  EXPECT_EQ(grid.Cell(2, 1), "ES001");
  EXPECT_EQ(grid.Cell(4, 1), "ES003");
  EXPECT_EQ(grid.Cell(5, 1), "NEU4");
  ASSERT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.Cell(0, 2), "4");
}

TEST_F(TeacherSheetTest, Table1LaterRecordsOverwriteAndTheSixtiethFieldFindsNoColumn) {
  std::string full = "5";
  for (int k = 2; k <= 61; ++k) full += ";f" + std::to_string(k);
  WriteOemLines(program + "LEHRER.CSV", {"5;Name;Vor"});
  WriteData(1, {"ES001", "5;alt;alt;alt", full, "6;a", "6;;b"});
  Show(1);
  const TableGrid& grid = session.Grid(GridId::StringGrid11);
  ASSERT_EQ(grid.ColCount(), 61);
  EXPECT_EQ(grid.Cell(3, 2), "f2");
  EXPECT_EQ(grid.Cell(60, 2), "f59");
  // Row 3 is the appended number 6: its second record empties what the first one wrote.
  ASSERT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.Cell(3, 3), "");
  EXPECT_EQ(grid.Cell(4, 3), "b");
  EXPECT_EQ(grid.Cell(1, 3), "");
}

TEST_F(TeacherSheetTest, Table1CountsRecordsWithoutNumber) {
  WriteOemLines(program + "LEHRER.CSV", {"1;A;B"});
  WriteData(1, {"ES001", ";x", "", "1;y"});
  for (const bool report : {true, false}) {
    settings.reportOption = report ? 1 : 0;
    Show(1);
    if (report) {
      EXPECT_EQ(MessageTexts(port),
                std::vector<std::string>{"Beim Einlesen der Datendatei:\n" + school +
                                         "LEHRER/1234501.CSV\nkonnte(n) 2 Datensatz/-sätze nicht "
                                         "zugeordnet werden!"});
      EXPECT_EQ(port.Messages()[0].kind, MessageKind::Information);
    } else {
      EXPECT_TRUE(port.Messages().empty());
    }
    EXPECT_EQ(session.Grid(GridId::StringGrid11).RowCount(), 3);
    EXPECT_EQ(session.Grid(GridId::StringGrid11).Cell(3, 2), "y");
  }
}

TEST_F(TeacherSheetTest, Table1WithoutDataFileKeepsNamesAndNumbersOnly) {
  WriteOemLines(program + "LEHRER.CSV", {"2;B;b", "1;A;a"});
  WriteAnsiLines(program + "Bog2Tab1.TBD", {"61;10;t", "5;3;stray", "1;3;Kopf"});
  Show(1);
  const TableGrid& grid = session.Grid(GridId::StringGrid11);
  ASSERT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(Column(11, 2, 2, 3), (std::vector<std::string>{"2", "1"}));
  // The name written over the definition's cell stays, the data cell is emptied.
  EXPECT_EQ(grid.Cell(1, 3), "A, a");
  EXPECT_EQ(grid.Cell(5, 3), "");
}

TEST_F(TeacherSheetTest, Table1WithoutListOrDataHasOnlyItsHeadings) {
  Show(1);
  EXPECT_EQ(session.Grid(GridId::StringGrid11).RowCount(), 2);
  EXPECT_EQ(session.Grid(GridId::StringGrid11).Cell(0, 0), "Satzart 1");
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(TeacherSheetTest, Table1ReadsTheListOfTheProgramDirectoryOnly) {
  WriteOemLines(school + "LEHRER.CSV", {"1;Schule;Liste"});
  WriteData(1, {"ES001", "1;x"});
  Show(1);
  ASSERT_EQ(session.Grid(GridId::StringGrid11).RowCount(), 3);
  EXPECT_EQ(session.Grid(GridId::StringGrid11).Cell(1, 2), "");
}

// The loading of the teacher list as the steps read, row by row: every record compared with
// every row. The loader looks rows up instead; both must give the same grid.
void LoadTeacherListLiterally(TableGrid& grid, const std::vector<std::vector<std::string>>& list,
                              const std::vector<std::vector<std::string>>& records) {
  int last = 1;
  for (const auto& line : list) {
    if (line[1].empty()) continue;
    ++last;
    grid.SetRowCount(last + 1);
    grid.SetCell(0, last, line[0]);
    grid.SetCell(1, last, line[1] + ", " + line[2]);
    grid.SetCell(2, last, line[0]);
  }
  grid.SetRowCount(last + 1);
  for (const auto& record : records) {
    if (record[0].empty()) continue;
    bool matched = false;
    for (int row = 1; row <= grid.RowCount() - 1; ++row) {
      if (grid.Cell(0, row) != record[0] && !(row == 1 && record[0] == "ES001")) continue;
      matched = true;
      for (std::size_t k = 0; k < record.size(); ++k) {
        if (row != 1 || !record[k].empty()) grid.SetCell(static_cast<int>(k) + 2, row, record[k]);
      }
    }
    if (matched) continue;
    ++last;
    grid.SetRowCount(last + 1);
    for (std::size_t k = 0; k < record.size(); ++k) {
      grid.SetCell(static_cast<int>(k) + 2, last, record[k]);
    }
    grid.SetCell(0, last, record[0]);
  }
  for (int row = 2; row < grid.RowCount(); ++row) {
    if (IsBlank(grid.Cell(2, row))) grid.SetCell(2, row, grid.Cell(0, row));
  }
}

TEST_F(TeacherSheetTest, Table1LookupGivesTheGridOfTheRowByRowComparison) {
  const std::vector<std::string> numbers = {"1", "2", "3", "07", "7", "ES001", "Nr.", "", " "};
  const std::vector<std::string> values = {"", " ", "0", "1", "x", "ab"};
  std::mt19937 random(20240611);
  const auto pick = [&](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  Start();
  const auto& steps = lehrer::Sheet().tables[1].steps;
  const TableOptions options;
  const SheetContext context{session.Paths(), options, port};
  for (int round = 0; round < 60; ++round) {
    std::vector<std::vector<std::string>> list;
    std::vector<std::string> listLines;
    for (int i = std::uniform_int_distribution<int>(0, 8)(random); i > 0; --i) {
      list.push_back({pick(numbers), pick(values), pick(values)});
      listLines.push_back(list.back()[0] + ";" + list.back()[1] + ";" + list.back()[2]);
    }
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> recordLines;
    for (int i = std::uniform_int_distribution<int>(0, 10)(random); i > 0; --i) {
      std::vector<std::string> record(60);
      record[0] = pick(numbers);
      std::string line = record[0];
      const int fields = std::uniform_int_distribution<int>(1, 62)(random);
      for (int k = 1; k < fields; ++k) {
        const std::string value = pick(values);
        if (k < 60) record[static_cast<std::size_t>(k)] = value;
        line += ";" + value;
      }
      records.push_back(record);
      recordLines.push_back(line);
    }
    WriteOemLines(program + "LEHRER.CSV", listLines);
    WriteData(1, recordLines);

    TableGrid loaded(61, 10, 2, 120);
    steps[0].setUp(loaded, context);
    TableGrid expected = loaded;
    steps[0].load(loaded, context);
    LoadTeacherListLiterally(expected, list, records);

    ASSERT_EQ(loaded.RowCount(), expected.RowCount()) << "round " << round;
    for (int row = 0; row < expected.RowCount(); ++row) {
      for (int col = 0; col < expected.ColCount(); ++col) {
        ASSERT_EQ(loaded.Cell(col, row), expected.Cell(col, row))
            << "round " << round << " cell " << col << "/" << row;
      }
    }
  }
}

// ---- table 2 -----------------------------------------------------------------------------------

class TeacherTable2Test : public TeacherSheetTest {
 protected:
  void SetUp() override {
    TeacherSheetTest::SetUp();
    WriteAnsiLines(program + "SSSA-140.SSD", {"0110;BS", "0120;BS TZ", "0130;BS VZ"});
  }
};

TEST_F(TeacherTable2Test, UnknownCodesAreListedWithSemicolonsOnALineOfTheirOwn) {
  WriteData(2, {"ES001;ES002", "77;1", "0120;5;6", "", "88;2"});
  Show(2);
  EXPECT_EQ(MessageTexts(port),
            std::vector<std::string>{"Beim Einlesen der Datendatei:\n" + school +
                                     "LEHRER/1234502.CSV\nkonnte(n) 3 Datensatz/-sätze nicht "
                                     "zugeordnet werden!\n[77;88]"});
  EXPECT_EQ(session.Grid(GridId::StringGrid13).Cell(3, 3), "5");
  EXPECT_EQ(session.Grid(GridId::StringGrid13).Cell(4, 3), "6");
}

TEST_F(TeacherTable2Test, AMillionUnknownCodesListTheFirstFiftyAndCountTheRest) {
  std::string bytes = "ES001;ES002\r\n";
  for (int i = 0; i < 1000000; ++i) bytes += "X" + std::to_string(i) + ";1\r\n";
  WriteBytes(school + "LEHRER/1234502.CSV", bytes);
  Show(2);
  std::string list;
  for (int i = 0; i < 50; ++i) list += (i > 0 ? ";X" : "X") + std::to_string(i);
  EXPECT_EQ(MessageTexts(port),
            std::vector<std::string>{"Beim Einlesen der Datendatei:\n" + school +
                                     "LEHRER/1234502.CSV\nkonnte(n) 1000000 Datensatz/-sätze "
                                     "nicht zugeordnet werden!\n[" +
                                     list + " … und 999.950 weitere]"});
}

TEST_F(TeacherTable2Test, RecordsWithoutCodeOnlyGiveAnEmptyList) {
  WriteData(2, {"ES001", ";1", ""});
  Show(2);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_TRUE(
      port.Messages()[0].text.ends_with("konnte(n) 2 Datensatz/-sätze nicht zugeordnet "
                                        "werden!\n[]"))
      << port.Messages()[0].text;
}

TEST_F(TeacherTable2Test, IdLineEntersRowOneThroughItsColumn2AndCodesFillColumn2) {
  WriteData(2, {"ES001;ES002;NEU", "0110;4"});
  Show(2);
  const TableGrid& grid = session.Grid(GridId::StringGrid13);
  EXPECT_EQ(grid.Cell(0, 1), "Nr.");
  EXPECT_EQ(grid.Cell(2, 1), "ES001");
  EXPECT_EQ(grid.Cell(4, 1), "NEU");
  // Every id the id line does not name is emptied: all of its fields are written.
  EXPECT_EQ(grid.Cell(5, 1), "");
  EXPECT_EQ(Column(13, 2, 2, 4), (std::vector<std::string>{"0110", "0120", "0130"}));
  EXPECT_EQ(Column(13, 3, 2, 4), (std::vector<std::string>{"4", "", ""}));
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(TeacherTable2Test, OnlyRowsUpToThirtyReceiveData) {
  std::vector<std::string> keys;
  for (int code = 1; code <= 31; ++code) keys.push_back("K" + std::to_string(code) + ";t");
  WriteAnsiLines(program + "SSSA-140.SSD", keys);
  WriteData(2, {"ES001", "K29;a", "K30;b"});
  Show(2);
  const TableGrid& grid = session.Grid(GridId::StringGrid13);
  ASSERT_EQ(grid.RowCount(), 33);
  EXPECT_EQ(grid.Cell(3, 30), "a");  // K29 is in row 30
  EXPECT_EQ(grid.Cell(3, 31), "");
  EXPECT_EQ(grid.Cell(2, 30), "K29");
  EXPECT_EQ(grid.Cell(2, 31), "");  // beyond the limit: no fill either
  EXPECT_EQ(MessageTexts(port).size(), 1u);
  EXPECT_TRUE(MessageTexts(port)[0].ends_with("\n[K30]"));
}

TEST_F(TeacherTable2Test, RowHeightsFollowTheOptionAndTheData) {
  // Row 2 has data, row 3 only a record without data, row 4 no record, row 5 no key at all.
  WriteData(2, {"ES001;ES002", "0110;1", "0120; ;", "0120"});
  struct Case {
    int option;
    std::vector<int> heights;  // rows 1 to 5
  };
  const Case cases[] = {{1, {18, 18, 9, 9, 9}}, {0, {18, 18, 18, 18, 18}}};
  for (const Case& c : cases) {
    settings.rowHeightOption = static_cast<std::uint16_t>(c.option);
    Show(2);
    std::vector<int> heights;
    for (int row = 1; row <= 5; ++row)
      heights.push_back(session.Grid(GridId::StringGrid13).RowHeight(row));
    EXPECT_EQ(heights, c.heights) << "option " << c.option;
  }
}

TEST_F(TeacherTable2Test, MissingDataFileEmptiesTheCaptureColumns) {
  WriteAnsiLines(program + "Bog2Tab2.TBD", {"14;31;t", "5;3;stray", "1;1;x"});
  Show(2);
  EXPECT_EQ(session.Grid(GridId::StringGrid13).Cell(5, 3), "");
  EXPECT_EQ(session.Grid(GridId::StringGrid13).Cell(1, 1), "x");
  EXPECT_EQ(Column(13, 2, 2, 4), (std::vector<std::string>{"0110", "0120", "0130"}));
  EXPECT_TRUE(port.Messages().empty());
}

// ---- table 3 -----------------------------------------------------------------------------------

class TeacherTable3Test : public TeacherSheetTest {
 protected:
  void SetUp() override {
    TeacherSheetTest::SetUp();
    WriteAnsiLines(program + "ILKLWS-4.SSD", {"1;voll", "2;teil", "3;stdw", "4;abc", "5;six"});
  }
};

TEST_F(TeacherTable3Test, UnknownCodesAndTheIdLineAreDroppedSilently) {
  WriteData(3, {"ES001;ES002", "2;7;8", "9;1", "5;1"});
  settings.rowHeightOption = 1;
  Show(3);
  const TableGrid& grid = session.Grid(GridId::StringGrid14);
  EXPECT_EQ(Column(14, 3, 1, 6), (std::vector<std::string>{"ES002", "", "7", "", "", ""}));
  EXPECT_EQ(Column(14, 2, 2, 6), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  // Row 6 lies beyond the limit of five: the record of code 5 does not reach it.
  EXPECT_EQ(grid.Cell(3, 6), "");
  for (int row = 2; row <= 5; ++row) EXPECT_EQ(grid.RowHeight(row), 18) << row;
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(TeacherTable3Test, RecordsWithoutCodeGiveTheShortMessage) {
  WriteData(3, {"ES001", ";3", "1;2"});
  Show(3);
  EXPECT_EQ(MessageTexts(port),
            std::vector<std::string>{"Beim Einlesen der Datendatei:\n" + school +
                                     "LEHRER/1234503.CSV\nkonnte(n) 1 Datensatz/-sätze nicht "
                                     "zugeordnet werden!"});
}

TEST_F(TeacherTable3Test, WithoutDataFileTheCodesStayInColumn2) {
  WriteAnsiLines(program + "Bog2Tab3.TBD", {"9;6;t", "4;2;stray"});
  Show(3);
  EXPECT_EQ(Column(14, 2, 2, 6), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(session.Grid(GridId::StringGrid14).Cell(4, 2), "");
}

TEST_F(TeacherTable3Test, ABlankCodeCellIsNotFilledFromColumn0) {
  // Two key rows only: rows 4 and 5 keep the labels of the definition file in column 0, and
  // their column 2 stays empty (this table has no column-2 fill).
  WriteAnsiLines(program + "ILKLWS-4.SSD", {"1;voll", "2;teil"});
  WriteAnsiLines(program + "Bog2Tab3.TBD", {"9;6;t", "0;4;Vier", "0;5;Fuenf"});
  WriteData(3, {"ES001", "2;3"});
  Show(3);
  EXPECT_EQ(Column(14, 0, 2, 5), (std::vector<std::string>{"1", "2", "Vier", "Fuenf"}));
  EXPECT_EQ(Column(14, 2, 2, 5), (std::vector<std::string>{"1", "2", "", ""}));
  EXPECT_EQ(Column(14, 3, 2, 5), (std::vector<std::string>{"", "3", "", ""}));
}

// ---- identification table
// ------------------------------------------------------------------------

TEST_F(TeacherSheetTest, IdentificationRowsGetRunningNumbersAndTheSchoolsList) {
  struct Case {
    const char* name;
    std::vector<std::string> definition;  // empty: built-in size 4 x 51
    int teachers;
    int rows;
    std::vector<std::pair<int, std::string>> column0;
  };
  const std::vector<Case> cases = {
      {"three", {}, 3, 51, {{1, "01"}, {3, "03"}, {4, "04"}, {9, "09"}, {10, "10"}, {50, "50"}}},
      {"sixty", {}, 60, 61, {{49, "49"}, {50, "50"}, {51, "51"}, {60, "60"}}},
      {"small", {"4;5;Lehrer"}, 6, 7, {{1, "01"}, {3, "03"}, {4, "4"}, {5, "5"}, {6, "6"}}},
      {"large", {"4;102;Lehrer"}, 2, 102, {{2, "02"}, {100, "100"}, {101, "101"}}},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(program + "Bog2Ident.TBD");
    if (!c.definition.empty()) WriteAnsiLines(program + "Bog2Ident.TBD", c.definition);
    std::vector<std::string> lines;
    for (int i = 1; i <= c.teachers; ++i) {
      lines.push_back(std::to_string(100 + i) + ";Name" + std::to_string(i) + ";Vor");
    }
    WriteOemLines(school + "LEHRER.CSV", lines);
    Show(0);
    const TableGrid& grid = session.Grid(GridId::StringGrid10);
    EXPECT_EQ(grid.RowCount(), c.rows) << c.name;
    for (const auto& [row, number] : c.column0) {
      EXPECT_EQ(grid.Cell(0, row), number) << c.name << " row " << row;
    }
    EXPECT_EQ(grid.Cell(1, c.teachers), std::to_string(100 + c.teachers)) << c.name;
    EXPECT_EQ(grid.Cell(2, c.teachers), "Name" + std::to_string(c.teachers)) << c.name;
    EXPECT_EQ(grid.Cell(1, c.teachers + 1), "") << c.name;
  }
}

TEST_F(TeacherSheetTest, IdentificationSkipsEmptyLinesAndKeepsEmptyFields) {
  WriteOemLines(school + "LEHRER.CSV", {"1;Aaa;Bbb", "", ";Ööö;", ";;", "2;Ccc;Ddd;mehr"});
  Show(0);
  EXPECT_EQ(Column(10, 1, 1, 5), (std::vector<std::string>{"1", "", "", "2", ""}));
  EXPECT_EQ(Column(10, 2, 1, 5), (std::vector<std::string>{"Aaa", "Ööö", "", "Ccc", ""}));
  EXPECT_EQ(Column(10, 3, 1, 5), (std::vector<std::string>{"Bbb", "", "", "Ddd", ""}));
  EXPECT_EQ(session.Grid(GridId::StringGrid10).ColCount(), 4);
  EXPECT_EQ(session.Grid(GridId::StringGrid10).Cell(0, 0), "intern");
}

TEST_F(TeacherSheetTest, IdentificationWithoutTheSchoolsListShowsOnlyNumbers) {
  // The program directory's list is not a fallback for this table.
  WriteOemLines(program + "LEHRER.CSV", {"1;Aaa;Bbb"});
  Show(0);
  const TableGrid& grid = session.Grid(GridId::StringGrid10);
  EXPECT_EQ(grid.RowCount(), 51);
  EXPECT_EQ(Column(10, 0, 1, 2), (std::vector<std::string>{"01", "02"}));
  for (int row = 1; row < grid.RowCount(); ++row) {
    for (int col = 1; col <= 3; ++col) ASSERT_EQ(grid.Cell(col, row), "") << col << "/" << row;
  }
  EXPECT_TRUE(port.Messages().empty());
}

// ---- sort commands -----------------------------------------------------------------------------

TEST_F(TeacherSheetTest, NumberSortsCompareTextAndMoveWholeRows) {
  WriteOemLines(school + "LEHRER.CSV", {"9;Neun;a", "10;Zehn;b", "2;Zwei;c"});
  WriteOemLines(program + "LEHRER.CSV", {"9;Neun;a", "10;Zehn;b", "2;Zwei;c"});
  Start();
  session.Dispatch(SheetId::Lehrer, 0);
  ASSERT_TRUE(session.RunButton(ButtonId::Button24));
  EXPECT_EQ(Column(10, 1, 1, 4), (std::vector<std::string>{"10", "2", "9", ""}));
  EXPECT_EQ(Column(10, 2, 1, 3), (std::vector<std::string>{"Zehn", "Zwei", "Neun"}));
  EXPECT_EQ(Column(10, 0, 1, 4), (std::vector<std::string>{"02", "03", "01", "04"}));
  EXPECT_EQ(session.Grid(GridId::StringGrid10).RowCount(), 51);

  session.Dispatch(SheetId::Lehrer, 1);
  ASSERT_TRUE(session.RunButton(ButtonId::Button33));
  EXPECT_EQ(Column(11, 2, 2, 4), (std::vector<std::string>{"10", "2", "9"}));
  EXPECT_EQ(Column(11, 1, 2, 4), (std::vector<std::string>{"Zehn, b", "Zwei, c", "Neun, a"}));
  EXPECT_EQ(session.Grid(GridId::StringGrid11).Cell(0, 1), "Nr.");
  EXPECT_EQ(session.Grid(GridId::StringGrid11).RowCount(), 5);
}

// ---- bad input ---------------------------------------------------------------------------------

TEST_F(TeacherSheetTest, GarbageFilesNeitherCrashNorStopTheSheet) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) % 256);
  WriteAnsiLines(program + "SSSA-140.SSD", {"0110;BS"});
  WriteAnsiLines(program + "ILKLWS-4.SSD", {"1;voll"});
  WriteBytes(program + "LEHRER.CSV", garbage);
  WriteBytes(school + "LEHRER.CSV", garbage);
  for (int table = 0; table <= 3; ++table) {
    WriteBytes(school + "LEHRER/123450" + std::to_string(table) + ".CSV", garbage);
  }
  Start();
  for (int table = 0; table <= 3; ++table) session.Dispatch(SheetId::Lehrer, table);
  EXPECT_GE(session.Grid(GridId::StringGrid10).RowCount(), 51);
  EXPECT_EQ(session.Grid(GridId::StringGrid11).Cell(0, 0), "Satzart 1");
  EXPECT_EQ(session.Grid(GridId::StringGrid11).ColCount(), 61);
  for (const auto& message : port.Messages()) EXPECT_EQ(message.kind, MessageKind::Information);
}

}  // namespace
}  // namespace tab::test
