// The dispatcher and the window's logic without widgets: page mapping, every branch of Dispatch,
// the school selector, the class list and start-up.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <utility>

#include "app/session.hpp"
#include "app/window_layout.hpp"
#include "records/text.hpp"
#include "support/fixture.hpp"
#include "support/session_fixture.hpp"
#include "support/texts.hpp"

namespace tab::test {
namespace {

const std::string kDemoProgram = std::string(TABELLARIO_SOURCE_DIR) + "/demo/program/";

class SessionTest : public SessionFixture {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(db + "12345/KLASSE");
    WriteAnsiLines(program + "SSSA.SSD", {"01;Berufsschule", "02;Berufsfachschule"});
    WriteAnsiLines(program + "ILKLWS.SSD", {"1;vollbeschäftigt"});
  }

  void AddClass(const std::string& id) { WriteOemLines(db + "12345/KLASSE/" + id + "00.CSV", {}); }
};

TEST(PageMapping, SheetPagesAndTablePagesGiveTheirIndexes) {
  struct Case {
    const char* sheetPage;
    const char* tablePage;
    int sheet;
    int table;
  };
  const Case cases[] = {
      {"TabSheet1", "TabSheet5", 0, 0},    {"TabSheet1", "TabSheet7", 0, 2},
      {"TabSheet2", "TabSheet12", 1, 4},   {"TabSheet3", "TabSheet13", 2, 0},
      {"TabSheet3", "TabSheet16", 2, 2},   {"TabSheet3", "TabSheet17", 2, 3},
      {"TabSheet4", "TabSheet20", 3, 0},   {"TabSheet4", "TabSheet29", 3, 2},
      {"TabSheet4", "TabSheet22", 3, 3},   {"TabSheet4", "TabSheet30", 3, 10},
      {"TabSheet4", "TabSheet24", 3, 5},   {"TabSheet4", "TabSheet28", 3, 9},
      {"TabSheet4", "TabSheet5", 3, 100},  {"TabSheet9", "TabSheet6", 100, 1},
      {"TabSheet1", "TabSheet99", 0, 100},
  };
  for (const Case& c : cases) {
    const SheetId sheet = SheetOfPage(FindSheetPage(c.sheetPage));
    EXPECT_EQ(static_cast<int>(sheet), c.sheet) << c.sheetPage;
    EXPECT_EQ(TableOfPage(sheet, FindTablePage(c.tablePage)), c.table)
        << c.sheetPage << " " << c.tablePage;
  }
}

TEST(PageMapping, EveryTablePageIsReachableAndNamesExistingGrids) {
  for (const TablePageDesign& page : TablePages()) {
    EXPECT_EQ(TableOfPage(page.sheet, FindTablePage(page.name)), page.table) << page.name;
    EXPECT_NE(FindGridDesign(page.grid), nullptr) << page.name;
  }
  for (const ButtonDesign& button : Buttons()) {
    EXPECT_NE(FindTablePage(button.sheet, button.table), nullptr) << button.name;
  }
}

TEST_F(SessionTest, StartUpFindsSchoolsAndShowsTheSettingsSchoolNumber) {
  std::filesystem::create_directories(db + "54321");
  session.Create(program);
  session.Show();
  EXPECT_EQ(session.Paths().schools, (std::vector<std::string>{"12345", "54321"}));
  EXPECT_EQ(session.Paths().schoolDirectory, db + "12345/");
  EXPECT_EQ(view.status, "12345");
  // The first dispatch loads quick-report table 0 of the settings' school.
  EXPECT_EQ(view.touched, std::vector<int>{1});
  EXPECT_EQ(session.Grid(GridId::StringGrid1).Cell(1, 2), "12345");
  EXPECT_FALSE(view.captionVisible);
}

TEST_F(SessionTest, UnreachableProgramDirectoryIsReportedOnce) {
  session.Create(temp.Path() + "missing");
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(port.Messages()[0].text,
            "Problem beim Zugriff auf das Programmverzeichnis:\n" + temp.Path() + "missing/\n" +
                "Eventuell können bestimmte Dateien nicht gefunden werden!");
}

TEST_F(SessionTest, UnknownTablesAndSheetsGiveTheirInternalErrors) {
  AddClass("BS1A01");
  Start();
  struct Case {
    int sheet;
    int table;
    const char* message;
  };
  const Case cases[] = {
      {0, 3, "interner Fehler: unklare Schnell-Tabelle"},
      {0, 100, "interner Fehler: unklare Schnell-Tabelle"},
      {1, 100, "interner Fehler: unklare Schul-Tabelle"},
      {2, 100, "interner Fehler: unklare Lehrer-Tabelle"},
      {3, 100, "interner Fehler: unklare Klassen-Tabelle"},
      {100, 0, "interner Fehler: unklarer Statistik-Bogen"},
      {4, 0, "interner Fehler: unklarer Statistik-Bogen"},
  };
  for (const Case& c : cases) {
    port.Clear();
    session.Dispatch(static_cast<SheetId>(c.sheet), c.table);
    ASSERT_EQ(port.Messages().size(), 1u) << c.sheet << "/" << c.table;
    EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
    EXPECT_EQ(port.Messages()[0].text, c.message);
  }
  EXPECT_TRUE(view.touched.empty());
}

TEST_F(SessionTest, QuickReportTablesHideTheClassCaption) {
  AddClass("BS1A01");
  Start();
  session.Dispatch(SheetId::Klassen,
                   100);  // a selected class shows the caption, even before the error
  EXPECT_TRUE(view.captionVisible);
  EXPECT_EQ(view.captionClass, "BS1A01");
  session.Dispatch(SheetId::Schnell, 1);
  EXPECT_FALSE(view.captionVisible);
  EXPECT_EQ(view.touched, std::vector<int>{2});
}

TEST_F(SessionTest, NoClassesShowsTheInfoDialogForTwoSeconds) {
  Start();
  session.Dispatch(SheetId::Klassen, 100);
  ASSERT_EQ(port.Messages().size(), 2u);
  const auto& info = port.Messages()[0];
  EXPECT_EQ(info.kind, MessageKind::InfoDialog);
  EXPECT_EQ(info.info.title, "Hinweis");
  EXPECT_EQ(info.info.heading, "");
  EXPECT_EQ(info.info.line1, "Es sind keine Klassen-Daten verfügbar!");
  EXPECT_EQ(info.info.line2, "");
  EXPECT_EQ(info.info.line3, "");
  EXPECT_EQ(info.info.milliseconds, 2000u);
  EXPECT_EQ(port.Messages()[1].text, "interner Fehler: unklare Klassen-Tabelle");
  EXPECT_EQ(session.Paths().classId, kNoClass);
  EXPECT_EQ(view.focusCount, 0);
}

TEST_F(SessionTest, ClassesWithoutSelectionTouchNoGridAndFocusTheList) {
  AddClass("BS1A01");
  Start();
  session.Paths().selectedClass = -1;
  view.captionVisible = true;
  for (const int table : {0, 4}) {
    port.Clear();
    session.Dispatch(SheetId::Klassen, table);
    ASSERT_EQ(port.Messages().size(), 1u);
    EXPECT_EQ(port.Messages()[0].kind, MessageKind::InfoDialog);
    EXPECT_EQ(port.Messages()[0].info.line1, "Es wurde keine Klassen ausgewählt!");
    EXPECT_EQ(port.Messages()[0].info.milliseconds, 2000u);
  }
  EXPECT_TRUE(view.touched.empty());
  EXPECT_TRUE(view.captionVisible);  // left as it was
  EXPECT_EQ(view.focusCount, 1);     // only on "Tab. 0"
  EXPECT_EQ(session.Paths().classId, kNoClass);
}

TEST_F(SessionTest, ClassListClickOutsideTheClassSheetIsAnError) {
  AddClass("BS1A01");
  AddClass("BS1A02");
  Start();
  session.SetCurrent(SheetId::Schnell, 1);
  session.ClassListClicked(1, TableOfPage(SheetId::Klassen, FindTablePage("TabSheet20")));
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(port.Messages()[0].text, "Fehlerhafte Bogennummer!");
  EXPECT_EQ(session.Paths().classId, "BS1A02");
  EXPECT_EQ(session.CurrentTable(), 1);
  EXPECT_TRUE(view.touched.empty());
}

TEST_F(SessionTest, ClickOnTheNoClassMarkerLoadsNothing) {
  AddClass("ZZZ999");
  Start();
  session.SetCurrent(SheetId::Klassen, 0);
  session.ClassListClicked(0, TableOfPage(SheetId::Klassen, FindTablePage("TabSheet30")));
  EXPECT_EQ(session.CurrentTable(), 10);
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_TRUE(view.touched.empty());
}

TEST_F(SessionTest, ClassListClickOnTheClassSheetTakesTheActivePage) {
  AddClass("BS1A01");
  Start();
  session.SetCurrent(SheetId::Klassen, 0);
  session.ClassListClicked(0, TableOfPage(SheetId::Klassen, FindTablePage("TabSheet22")));
  EXPECT_EQ(session.CurrentTable(), 3);
  EXPECT_EQ(session.Paths().classId, "BS1A01");
}

TEST_F(SessionTest, TypingASchoolNumberFormsItsDirectoryAndEmptiesTheTables) {
  Start();
  session.SetCurrent(SheetId::Schnell, 0);
  session.SchoolSelectorChanged("123");
  EXPECT_EQ(session.Paths().schoolNumber, "123");
  EXPECT_EQ(session.Paths().schoolDirectory, db + "123/");
  EXPECT_TRUE(session.Paths().classes.empty());
  EXPECT_EQ(view.touched, std::vector<int>{1});
  // No data file: the record row is empty but for the Dienststelle default of the settings.
  EXPECT_EQ(session.Grid(GridId::StringGrid1).Cell(1, 2), "12345");
  EXPECT_EQ(session.Grid(GridId::StringGrid1).Cell(2, 2), "");
}

TEST_F(SessionTest, SwitchingTheSchoolRebuildsTheClassListAndSelectsTheFirst) {
  std::filesystem::create_directories(db + "54321/KLASSE");
  WriteOemLines(db + "54321/KLASSE/ZB1X0100.CSV", {});
  WriteOemLines(db + "54321/KLASSE/AB1X0100.CSV", {});
  Start();
  const int before = view.classListChanges;
  session.SchoolSelectorChanged("54321", false);
  EXPECT_EQ(session.Paths().classes, (std::vector<std::string>{"AB1X01", "ZB1X01"}));
  EXPECT_EQ(session.Paths().selectedClass, 0);
  EXPECT_EQ(view.classListChanges, before + 1);
  EXPECT_TRUE(view.touched.empty());
}

// Accepted settings whose data base is relative, or none: it lies in the program directory,
// wherever the program was started from.
TEST_F(SessionTest, AcceptedSettingsTakeARelativeDataBaseFromTheProgramDirectory) {
  Start();
  for (const auto& [field, expected] : std::vector<std::pair<std::string, std::string>>{
           {"daten", program + "daten/"}, {"daten/", program + "daten/"}, {"", program}}) {
    session.CurrentSettings().dataBaseDirectory = field;
    session.SettingsAccepted(false);
    EXPECT_EQ(session.Paths().dataBaseDirectory, expected) << field;
    EXPECT_EQ(session.Paths().schoolDirectory, expected + "12345/") << field;
  }
}

TEST_F(SessionTest, ChosenDataBaseKeepsTheClassListAndTheSettingsFile) {
  AddClass("BS1A01");
  Start();
  const std::string settingsBefore = ReadBytes(program + "ZREINST.DAT");
  const std::string other = temp.Path() + "other";
  std::filesystem::create_directories(other + "/99999");
  session.DataBaseChosen(other);
  EXPECT_EQ(session.Paths().dataBaseDirectory, other + "/");
  EXPECT_EQ(session.Paths().schoolDirectory, other + "/12345/");
  EXPECT_EQ(session.Paths().schools, std::vector<std::string>{"99999"});
  EXPECT_EQ(session.Paths().classes, std::vector<std::string>{"BS1A01"});
  EXPECT_EQ(ReadBytes(program + "ZREINST.DAT"), settingsBefore);
  EXPECT_EQ(view.touched, std::vector<int>{1});  // the current table again
}

// ---- a data file that cannot be read, on every table --------------------------------------

struct UnreadableCase {
  const char* name;
  SheetId sheet;
  int table;
  std::string file;  // below the program directory ("program/") or the school folder
  // What must not have happened after the error, where the loader would go on.
  std::function<void(const Session&)> after;
};

// A folder in the place of the file opens but cannot be read: one error naming the file in the
// platform's words, and the loading of that table ends there.
class UnreadableDataFile : public SessionFixture,
                           public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableDataFile, IsOneErrorWithThePlatformText) {
  const UnreadableCase& c = GetParam();
  // Every key file, so that the set-ups have nothing to say.
  for (const auto& entry : std::filesystem::directory_iterator(kDemoProgram)) {
    if (entry.path().extension() == ".SSD") {
      std::filesystem::copy_file(entry.path(), program + entry.path().filename().string());
    }
  }
  // Class KL0101 is listed by its table-0 file, which then may give way to a folder.
  WriteOemLines(school + "KLASSE/KL010100.CSV", {"ES001;ES002;ES003;ES004;ES005;ES006"});
  Start();
  const std::string path = c.file.starts_with("program/")
                               ? program + c.file.substr(std::string("program/").size())
                               : school + c.file;
  std::filesystem::remove(path);
  std::filesystem::create_directories(path);
  session.Dispatch(c.sheet, c.table);
  ASSERT_EQ(port.Messages().size(), 1u) << ::testing::PrintToString(MessageTexts(port));
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(port.Messages()[0].text, path + "\nIst ein Verzeichnis");
  if (c.after) c.after(session);
}

const UnreadableCase kUnreadableCases[] = {
    {"Schnell0", SheetId::Schnell, 0, "SCHNELL/1234500.CSV", {}},
    {"Schnell1", SheetId::Schnell, 1, "SCHNELL/1234501.CSV", {}},
    {"Schnell2", SheetId::Schnell, 2, "SCHNELL/1234502.CSV", {}},
    {"Schule0", SheetId::Schule, 0, "SCHULE/1234500.CSV",
     // No Dienststelle number of the settings in place of the missing one.
     [](const Session& session) { EXPECT_EQ(session.Grid(GridId::StringGrid4).Cell(1, 2), ""); }},
    {"Schule1", SheetId::Schule, 1, "SCHULE/1234501.CSV", {}},
    {"Schule2", SheetId::Schule, 2, "SCHULE/1234502.CSV",
     // The list keeps the rows of its set-up.
     [](const Session& session) { EXPECT_EQ(session.Grid(GridId::StringGrid6).RowCount(), 10); }},
    {"Schule3", SheetId::Schule, 3, "SCHULE/1234503.CSV", {}},
    {"Schule4", SheetId::Schule, 4, "SCHULE/1234504.CSV", {}},
    {"LehrerIdentification", SheetId::Lehrer, 0, "LEHRER.CSV", {}},
    {"Lehrer0", SheetId::Lehrer, 0, "LEHRER/1234500.CSV", {}},
    {"LehrerList", SheetId::Lehrer, 1, "program/LEHRER.CSV", {}},
    {"Lehrer1", SheetId::Lehrer, 1, "LEHRER/1234501.CSV", {}},
    {"Lehrer2", SheetId::Lehrer, 2, "LEHRER/1234502.CSV", {}},
    {"Lehrer3", SheetId::Lehrer, 3, "LEHRER/1234503.CSV", {}},
    {"Klasse0", SheetId::Klassen, 0, "KLASSE/KL010100.CSV", {}},
    {"Klasse1", SheetId::Klassen, 1, "KLASSE/KL010101.CSV", {}},
    {"Klasse2", SheetId::Klassen, 2, "KLASSE/KL010102.CSV", {}},
    {"Klasse3", SheetId::Klassen, 3, "KLASSE/KL010103.CSV", {}},
    {"Klasse4", SheetId::Klassen, 4, "KLASSE/KL010104.CSV", {}},
    {"Klasse5", SheetId::Klassen, 5, "KLASSE/KL010105.CSV", {}},
    {"Klasse6", SheetId::Klassen, 6, "KLASSE/KL010106.CSV", {}},
    {"Klasse7", SheetId::Klassen, 7, "KLASSE/KL010107.CSV", {}},
    {"Klasse8", SheetId::Klassen, 8, "KLASSE/KL010108.CSV", {}},
    {"Klasse9", SheetId::Klassen, 9, "KLASSE/KL010109.CSV", {}},
    {"Klasse41", SheetId::Klassen, 10, "KLASSE/KL010110.CSV", {}},
};

INSTANTIATE_TEST_SUITE_P(EveryTable, UnreadableDataFile, ::testing::ValuesIn(kUnreadableCases),
                         [](const ::testing::TestParamInfo<UnreadableCase>& testCase) {
                           return std::string(testCase.param.name);
                         });

// Every table the dispatcher knows has its row above.
TEST(UnreadableDataFile, CoverEveryTable) {
  std::set<std::pair<SheetId, int>> covered;
  for (const UnreadableCase& c : kUnreadableCases) covered.insert({c.sheet, c.table});
  std::set<std::pair<SheetId, int>> pages;
  for (const TablePageDesign& page : TablePages()) pages.insert({page.sheet, page.table});
  EXPECT_EQ(covered, pages);
}

}  // namespace
}  // namespace tab::test
