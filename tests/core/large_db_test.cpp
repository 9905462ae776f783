// The synthetic data base of tabellario-largedb, written small: the session starts on it, every
// table of every sheet loads without a single message and with the rows its files give, the
// completion buttons find their key files, and every file has the shape of the real ones. With
// Dienststellen of the usual size, the data-base check finds exactly the records made not to fit.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/data_base_check.hpp"
#include "app/session.hpp"
#include "app/window_layout.hpp"
#include "records/text.hpp"
#include "support/fixture.hpp"
#include "support/sheets.hpp"
#include "tools/largedb/large_db.hpp"

namespace tab::test {
namespace {

namespace fs = std::filesystem;

largedb::Options SmallOptions() {
  largedb::Options options;
  options.schools = 12;
  options.classes = 5;
  options.teachers = 120;
  options.lines = 60;
  options.keyLines = 40;
  options.groups = 4;
  return options;
}

class LargeDbTest : public ::testing::Test {
 protected:
  LargeDbTest()
      : layout(largedb::WriteLargeDataBase(temp.Path() + "large", SmallOptions())),
        session(port, view) {
    session.Create(layout.programDirectory);
    session.StartUp();
  }

  // Shows a table page as the window does: the class sheet with the big class selected.
  void Show(const TablePageDesign& page) {
    port.Clear();
    if (page.sheet == SheetId::Klassen) {
      session.SetCurrent(SheetId::Klassen, 0);
      session.ClassListClicked(BigClassIndex(), page.table);
    } else {
      session.PageChanged(page.sheet, page.table);
    }
  }

  int BigClassIndex() const { return ClassIndex(session.Paths(), layout.bigClass); }

  std::string Messages() const {
    std::string all;
    for (const auto& message : port.Messages()) all += message.text + "\n";
    return all;
  }

  TempDir temp;
  largedb::Layout layout;
  RecordingPort port;
  SessionView view;
  Session session;
};

TEST_F(LargeDbTest, StartUpFindsEveryDienststelleAndTheClassesOfTheBigSchool) {
  EXPECT_EQ(session.Paths().schools.size(), 12u);
  EXPECT_EQ(session.Paths().schoolNumber, layout.bigSchool);
  EXPECT_EQ(session.Paths().dataBaseDirectory, layout.dataBaseDirectory);
  EXPECT_EQ(session.Paths().classes.size(), 5u);
  EXPECT_GE(BigClassIndex(), 0);
  EXPECT_TRUE(port.Messages().empty()) << Messages();
}

TEST_F(LargeDbTest, EveryTableLoadsWithoutAMessage) {
  // Grid -> rows after loading: list files give one row per line and the heading row; teacher
  // table 1 has its two heading rows, the list's 120 teachers and the two the list lacks.
  const std::map<int, int> expectedRows = {{6, 61},  {7, 61},  {11, 124},       {18, 61},
                                           {19, 61}, {25, 61}, {26, 10 + 4 * 7}};
  for (const TablePageDesign& page : TablePages()) {
    Show(page);
    EXPECT_TRUE(port.Messages().empty()) << page.name << ":\n" << Messages();
    const auto rows = expectedRows.find(static_cast<int>(page.grid));
    if (rows != expectedRows.end()) {
      EXPECT_EQ(session.Grid(page.grid).RowCount(), rows->second) << page.name;
    }
  }
  // Keyed tables take a record into each row they compare: quick-report table 1, row 31.
  EXPECT_FALSE(session.Grid(GridId::StringGrid2).Cell(19, 31).empty());
  EXPECT_EQ(session.Grid(GridId::StringGrid2).Cell(0, 41), "40");  // one row per key line
}

TEST_F(LargeDbTest, DataFilesAreCp850AndShowWindows1252) {
  Show(*FindTablePage("TabSheet11"));  // school table 3
  EXPECT_EQ(Win1252ToUtf8(session.Grid(GridId::StringGrid7).Cell(1, 2)),
            "Ausbildungsberuf Kaufmann/-frau für Büromanagement 8");
  Show(*FindTablePage("TabSheet13"));  // the identification list, last teacher first
  EXPECT_EQ(Win1252ToUtf8(session.Grid(GridId::StringGrid10).Cell(2, 1)), "Köhler119");
  EXPECT_EQ(Win1252ToUtf8(session.Grid(GridId::StringGrid10).Cell(3, 1)), "Anke");
}

TEST_F(LargeDbTest, EveryCommandRunsAndTheCompletionsFillBlanks) {
  struct Case {
    const char* button;
    int column;  // the column a completion fills, -1 for a sort
  };
  const Case cases[] = {{"Button17", -1}, {"Button20", -1}, {"Button21", 1},  {"Button24", -1},
                        {"Button33", -1}, {"Button44", -1}, {"Button26", -1}, {"Button64", 1},
                        {"Button65", 2},  {"Button57", 2},  {"Button58", 4},  {"Button59", 5},
                        {"Button63", -1}, {"Button61", -1}, {"Button62", 2}};
  ASSERT_EQ(std::size(cases), Buttons().size());
  for (const Case& c : cases) {
    const ButtonDesign& button = *FindButton(c.button);
    Show(*FindTablePage(button.sheet, button.table));
    const TableGrid& grid = session.Grid(button.grid);
    const auto blanks = [&grid, &c] {
      int count = 0;
      for (int row = 2; row < grid.RowCount(); ++row) count += grid.Cell(c.column, row).empty();
      return count;
    };
    const int rows = grid.RowCount();
    const int before = c.column < 0 ? 0 : blanks();
    ASSERT_TRUE(session.RunButton(button.button)) << c.button;
    EXPECT_TRUE(port.Messages().empty()) << c.button << ":\n" << Messages();
    EXPECT_EQ(grid.RowCount(), rows) << c.button;
    if (c.column >= 0) {
      EXPECT_GT(before, 0) << c.button;
      EXPECT_LT(blanks(), before) << c.button;
    }
  }
}

TEST_F(LargeDbTest, FilesHaveIdLinesFirstAndCrLfLineEnds) {
  int dataFiles = 0;
  for (const auto& entry : fs::recursive_directory_iterator(temp.Path() + "large")) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    if (name == "ZREINST.DAT") continue;
    const std::string bytes = ReadBytes(entry.path().string());
    ASSERT_GE(bytes.size(), 2u) << entry.path();
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << entry.path();
    for (std::size_t at = bytes.find('\n'); at != std::string::npos;
         at = bytes.find('\n', at + 1)) {
      ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << entry.path() << " at " << at;
    }
    // Data files: the capture-column ids first. Key files and teacher lists have none.
    if (name.ends_with(".CSV") && name != "LEHRER.CSV") {
      ++dataFiles;
      EXPECT_TRUE(bytes.starts_with("ES001")) << entry.path();
    }
  }
  // Three quick-report files per Dienststelle; five school, four teacher, eleven per class.
  EXPECT_EQ(dataFiles, 12 * 3 + 5 + 4 + 5 * 11);
}

TEST(LargeDbOptions, OutOfRangeOptionsAreNamed) {
  struct Case {
    int largedb::Options::*field;
    int value;
    const char* flag;
  };
  const Case cases[] = {{&largedb::Options::schools, 0, "--schools"},
                        {&largedb::Options::schools, 87'000, "--schools"},
                        {&largedb::Options::classes, 0, "--classes"},
                        {&largedb::Options::lines, 1, "--lines"},
                        {&largedb::Options::keyLines, 29, "--key-lines"},
                        {&largedb::Options::groups, -1, "--groups"},
                        {&largedb::Options::usualSchools, -1, "--usual-schools"},
                        {&largedb::Options::misfitEvery, -1, "--misfit-every"}};
  EXPECT_EQ(largedb::CheckOptions(largedb::Options()), "");
  for (const Case& c : cases) {
    largedb::Options options;
    options.*c.field = c.value;
    EXPECT_TRUE(largedb::CheckOptions(options).starts_with(c.flag)) << c.flag << " " << c.value;
  }
  TempDir temp;
  largedb::Options bad;
  bad.teachers = 0;
  EXPECT_THROW(largedb::WriteLargeDataBase(temp.Path(), bad), std::runtime_error);
  EXPECT_FALSE(fs::exists(temp.Path() + "program"));
}

TEST(LargeDbUsualSchools, TheCheckFindsExactlyTheRecordsThatDoNotFit) {
  largedb::Options options = SmallOptions();
  options.schools = 6;
  options.usualSchools = 4;  // 13001 to 13004; 13005 delivers its quick report only
  options.misfitEvery = 3;   // 13001 and 13004
  TempDir temp;
  const largedb::Layout layout = largedb::WriteLargeDataBase(temp.Path(), options);
  EXPECT_EQ(layout.misfitSchools, (std::vector<std::string>{"13001", "13004"}));

  const CheckReport report = CheckDataBase(PrepareCheck(layout.programDirectory, {}), {{}, 2});
  EXPECT_TRUE(report.general.empty());
  ASSERT_EQ(report.schools.size(), 6U);
  const Delivery usual{3, 5, 4, true, largedb::kUsualClasses};
  const std::vector<Delivery> deliveries = {
      {3, 5, 4, true, options.classes}, usual, usual, usual, usual, {3, 0, 0, false, 0}};
  struct Place {
    SheetId sheet;
    int table;
    std::string classId;
    std::uint64_t line;
    bool operator==(const Place&) const = default;
  };
  // The unknown code after the 30 school types (line 32) and the 29 of the teachers (line 31);
  // the record without its key after the 11 prior schoolings of the first class (line 13).
  const std::vector<Place> misfits = {{SheetId::Schnell, 1, "", 32},
                                      {SheetId::Lehrer, 2, "", 31},
                                      {SheetId::Klassen, 2, "BS1A01", 13}};
  for (std::size_t i = 0; i < report.schools.size(); ++i) {
    const SchoolCheck& school = report.schools[i];
    SCOPED_TRACE(school.school);
    EXPECT_EQ(school.delivery, deliveries[i]);
    std::vector<Place> found;
    for (const Finding& finding : school.findings) {
      EXPECT_EQ(finding.kind, MessageKind::Information);
      found.push_back({finding.sheet, finding.table, finding.classId, finding.line});
    }
    const bool misfit = school.school == "13001" || school.school == "13004";
    EXPECT_EQ(found, misfit ? misfits : std::vector<Place>{});
  }
}

TEST(LargeDbKeyCodes, CodesArePaddedToTheirWidth) {
  EXPECT_EQ(largedb::KeyCode(0, 2), "01");
  EXPECT_EQ(largedb::KeyCode(7, 4), "0008");
  EXPECT_EQ(largedb::KeyCode(99, 2), "100");
  EXPECT_EQ(largedb::KeyCode(4, 1), "5");
}

}  // namespace
}  // namespace tab::test
