// Nothing lost, nothing written. Driven as the window drives the core, a walk through every
// school, sheet, table, class and page button of the demo data base leaves a copy of that data
// base exactly as it was, read-only or writable. Class table 9 makes a missing class folder where
// it may and only there. A read-only program directory costs one message per run, and the tables
// keep their built-in headings.
//
// Root ignores file permissions, so every walk runs in a child process that, when the tests run
// as root, first becomes an unprivileged user (support/other_user).
#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/session.hpp"
#include "app/settings.hpp"
#include "app/window_layout.hpp"
#include "records/message_port.hpp"
#include "records/table_setup.hpp"
#include "records/text.hpp"
#include "sheets/lehrer/lehrer_layouts.hpp"
#include "sheets/schule/schule_layouts.hpp"
#include "support/fixture.hpp"
#include "support/other_user.hpp"

namespace tab::test {
namespace {

namespace fs = std::filesystem;

const std::string kDemo = std::string(TABELLARIO_SOURCE_DIR) + "/demo/";

constexpr fs::perms kReadOnlyFolder = fs::perms(0555);
constexpr fs::perms kReadOnlyFile = fs::perms(0444);
constexpr fs::perms kOpenFolder = fs::perms(0755);
constexpr fs::perms kOpenFile = fs::perms(0644);

// ---- trees: copies, modes, owners, fingerprints ---------------------------------------------

// Every entry gets one time long past: whatever the program writes or creates afterwards has a
// later one, however coarse the file system's clock.
void Backdate(const std::string& root) {
  const timespec past[2] = {{978307200, 0}, {978307200, 0}};  // 2001-01-01
  ASSERT_EQ(::utimensat(AT_FDCWD, root.c_str(), past, 0), 0) << root;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    ASSERT_EQ(::utimensat(AT_FDCWD, entry.path().c_str(), past, AT_SYMLINK_NOFOLLOW), 0)
        << entry.path();
  }
}

// Folders are changed before their entries are listed, so a folder made read-only can still be
// walked and one made writable again is open before its entries are reached.
void SetModes(const std::string& root, fs::perms folders, fs::perms files) {
  fs::permissions(root, folders);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    fs::permissions(entry.path(), entry.is_directory() ? folders : files);
  }
}

// A data base the walker can only read, or one it may write to.
void SetWalkerAccess(const std::string& root, bool readOnly) {
  if (readOnly) {
    SetModes(root, kReadOnlyFolder, kReadOnlyFile);
  } else {
    SetModes(root, kOpenFolder, kOpenFile);
    HandToOtherUser(root);
  }
}

struct Entry {
  bool folder = false;
  std::uintmax_t size = 0;
  std::uint64_t hash = 0;     // FNV-1a of the content
  std::int64_t modified = 0;  // nanoseconds; a folder's changes with its list of entries
  bool operator==(const Entry&) const = default;
};

// Every file and folder below a root, by path relative to it; folders end with '/', the root
// itself is "./".
using Fingerprint = std::map<std::string, Entry>;

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

Entry EntryOf(const fs::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    throw fs::filesystem_error("lstat", path, std::error_code(errno, std::generic_category()));
  }
  Entry entry;
  entry.folder = S_ISDIR(info.st_mode);
  entry.modified = std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
  if (!entry.folder) {
    const std::string bytes = ReadBytes(path.string());
    entry.size = bytes.size();
    entry.hash = Fnv1a(bytes);
  }
  return entry;
}

Fingerprint TakeFingerprint(const std::string& root) {
  Fingerprint print;
  print["./"] = EntryOf(root);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    std::string relative = fs::relative(entry.path(), root).generic_string();
    Entry value = EntryOf(entry.path());
    if (value.folder) relative += '/';
    print.emplace(std::move(relative), value);
  }
  return print;
}

// "removed X", "changed X" and "added X", in path order.
std::vector<std::string> Differences(const Fingerprint& before, const Fingerprint& after) {
  std::vector<std::string> differences;
  for (const auto& [path, entry] : before) {
    const auto now = after.find(path);
    if (now == after.end()) {
      differences.push_back("removed " + path);
    } else if (!(now->second == entry)) {
      differences.push_back("changed " + path);
    }
  }
  for (const auto& [path, entry] : after) {
    if (!before.contains(path)) differences.push_back("added " + path);
  }
  return differences;
}

// ---- walking the window ------------------------------------------------------------------------

struct WalkLog {
  std::set<std::string> schools;
  std::map<std::string, int> showings;  // by table page
  std::set<std::string> classes;        // "school/class"
  std::set<std::string> classIdsShown;  // "school/class id of class table 0's record"
  std::map<std::string, int> buttons;   // presses by button
};

void PressButtons(Session& session, const TablePageDesign& page, WalkLog& log) {
  for (const ButtonDesign& button : Buttons()) {
    if (button.sheet != page.sheet || button.table != page.table) continue;
    EXPECT_TRUE(session.RunButton(button.button)) << button.name;
    ++log.buttons[button.name];
  }
}

// One sheet page as the user goes through it: each table page in tab order with its buttons; on
// the class sheet each class of the list on each page, with the page's buttons again.
void WalkSheet(Session& session, const SheetPageDesign& sheet, WalkLog& log) {
  const std::string school = session.Paths().schoolNumber;
  for (const TablePageDesign& page : TablePages()) {
    if (page.sheet != sheet.sheet) continue;
    session.PageChanged(sheet.sheet, page.table);
    ++log.showings[page.name];
    PressButtons(session, page, log);
    if (sheet.sheet != SheetId::Klassen) continue;
    for (int index = 0; index < static_cast<int>(session.Paths().classes.size()); ++index) {
      session.ClassListClicked(index, page.table);
      ++log.showings[page.name];
      log.classes.insert(school + "/" + session.Paths().classId);
      if (page.table == 0) {
        log.classIdsShown.insert(school + "/" +
                                 std::string(session.Grid(GridId::StringGrid17).Cell(3, 2)));
      }
      PressButtons(session, page, log);
    }
  }
}

// Every school the selector offers, every sheet of each.
WalkLog WalkEverything(Session& session) {
  WalkLog log;
  const std::vector<std::string> schools = session.Paths().schools;
  for (const std::string& school : schools) {
    session.SchoolSelectorChanged(school);
    log.schools.insert(school);
    for (const SheetPageDesign& sheet : SheetPages()) WalkSheet(session, sheet, log);
  }
  return log;
}

const SheetPageDesign& ClassSheetPage() {
  return SheetPages()[3];
}

// A message the user can read: German text as UTF-8, lines separated by "\n" only, none blank at
// either end; an info dialog with a title and a time to close.
std::string MalformationOf(const RecordingPort::Message& message) {
  const std::string& text = message.text;
  if (message.kind == MessageKind::Question) return "a question during a walk";
  if (text.empty()) return "empty text";
  if (text.front() == '\n' || text.back() == '\n') return "line break at either end";
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t c = DecodeUtf8(text, pos);
    if (c == kInvalidCodePoint) return "invalid UTF-8";
    if ((c < 0x20 && c != U'\n') || c == 0x7F) return "control character";
  }
  if (message.kind == MessageKind::InfoDialog &&
      (message.info.title.empty() || message.info.milliseconds == 0)) {
    return "info dialog without title or time";
  }
  return {};
}

// A message that says the program could not write or create something.
bool IsWriteError(const std::string& text) {
  for (const int error : {EACCES, EPERM, EROFS}) {
    if (text.find(ErrorText(error)) != std::string::npos) return true;
  }
  return text.find("Problem beim Erstellen") != std::string::npos;
}

void ExpectWellFormedWithoutWriteErrors(const RecordingPort& port) {
  for (const RecordingPort::Message& message : port.Messages()) {
    EXPECT_EQ(MalformationOf(message), "") << MessageKindName(message.kind) << ": " << message.text;
    EXPECT_FALSE(IsWriteError(message.text)) << message.text;
  }
}

// The main window made and shown on a program directory, its messages recorded.
struct ShownWindow {
  explicit ShownWindow(const std::string& programDirectory) : session(port, view) {
    session.Create(programDirectory);
    session.Show();
  }
  RecordingPort port;
  SessionView view;
  Session session;
};

// ---- the fixture: demo program directory and data base in a temporary folder ---------------

class NothingWrittenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program = temp.Path() + "program/";
    db = temp.Path() + "db/";
    fs::copy(kDemo + "program", program, fs::copy_options::recursive);
    fs::copy(kDemo + "db", db, fs::copy_options::recursive);
    // The demo settings (Dienststelle 13001), their data base now the copy.
    RecordingPort port;
    Settings settings;
    LoadSettings(settings, program, port);
    ASSERT_TRUE(port.Messages().empty());
    ASSERT_EQ(settings.schoolNumber, "13001");
    settings.dataBaseDirectory = db;
    WriteSettingsFile(program, settings);
    Backdate(program);
    Backdate(db);
  }

  // Writable again, so that the temporary folder can be removed without root.
  void TearDown() override { SetModes(temp.Path(), kOpenFolder, kOpenFile); }

  // A copy of the demo data base without the class folder of 13001.
  std::string DataBaseWithoutClassFolder(const std::string& name) const {
    const std::string other = temp.Path() + name + "/";
    fs::copy(kDemo + "db", other, fs::copy_options::recursive);
    fs::remove_all(other + "13001/KLASSE");
    Backdate(other);
    return other;
  }

  TempDir temp;
  std::string program;
  std::string db;
};

// ---- 1. the data base -----------------------------------------------------------------------

// Every school with classes has its class folder (the list is made from it), so class table 9
// never needs to make one here: the tree must stay as it was, without any exception. A writable
// copy shows that nothing is written where it could be; a read-only one that nothing tries to.
TEST_F(NothingWrittenTest, WalkingEverythingLeavesTheDataBaseAsItWas) {
  HandToOtherUser(program);  // definition files are written there
  for (const bool readOnly : {true, false}) {
    SCOPED_TRACE(readOnly ? "read-only" : "writable");
    SetWalkerAccess(db, readOnly);
    const Fingerprint before = TakeFingerprint(db);
    ASSERT_TRUE(before.contains("13001/KLASSE/BS1A0100.CSV"));
    ASSERT_TRUE(before.contains("13002/SCHULE/"));

    RunAsAnotherUser(temp, [&] {
      ShownWindow window(program);
      RecordingPort& port = window.port;
      Session& session = window.session;
      // The data are read: quick-report table 0 of the settings' Dienststelle.
      EXPECT_EQ(session.Grid(GridId::StringGrid1).Cell(1, 2), "13001");

      const WalkLog log = WalkEverything(session);
      EXPECT_EQ(log.schools, (std::set<std::string>{"00000", "13001", "13002"}));
      EXPECT_EQ(log.classes, (std::set<std::string>{"13001/BF1C02", "13001/BS1A01", "13001/BS2B01",
                                                    "13001/FO1D01"}));
      // Each class's table 0 came from its own file.
      EXPECT_EQ(log.classIdsShown, log.classes);
      EXPECT_EQ(log.showings.size(), TablePages().size());
      EXPECT_EQ(log.buttons.size(), Buttons().size());
      for (const ButtonDesign& button : Buttons()) {
        // Once per school, and on the class pages once more per class of 13001.
        const int expected = button.sheet == SheetId::Klassen ? 3 + 4 : 3;
        EXPECT_EQ(log.buttons.at(button.name), expected) << button.name;
      }
      ExpectWellFormedWithoutWriteErrors(port);
    });

    EXPECT_EQ(Differences(before, TakeFingerprint(db)), std::vector<std::string>{});
  }
}

// The class list still belongs to the data base shown before when another one is chosen; there
// the class folder of 13001 is missing and class table 9 makes it, as it alone may. In a
// read-only data base it says so instead, once per showing of table 9.
TEST_F(NothingWrittenTest, ClassTableNineMakesAMissingClassFolderAndNothingElse) {
  struct Case {
    const char* name;
    bool readOnly;
    std::vector<std::string> differences;
  };
  const Case cases[] = {
      {"writable", false, {"changed 13001/", "added 13001/KLASSE/"}},
      {"read-only", true, {}},
  };
  HandToOtherUser(program);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string other = DataBaseWithoutClassFolder(c.name);
    SetWalkerAccess(other, c.readOnly);
    const Fingerprint before = TakeFingerprint(other);

    RunAsAnotherUser(temp, [&] {
      ShownWindow window(program);
      RecordingPort& port = window.port;
      Session& session = window.session;
      session.PageChanged(SheetId::Klassen, 0);  // "Tab. 0"
      session.DataBaseChosen(other);
      ASSERT_EQ(session.Paths().classes.size(), 4u);  // the classes of the first data base
      port.Clear();
      WalkLog log;
      WalkSheet(session, ClassSheetPage(), log);

      const std::string folderMessage = "Problem beim Erstellen des Datenverzeichnis:\n" + other +
                                        "13001/KLASSE\n" +
                                        "Ermöglich Sie den Zugriff auf das untergeordnete "
                                        "Verzeichnis!";
      int folderMessages = 0;
      for (const RecordingPort::Message& message : port.Messages()) {
        EXPECT_EQ(MalformationOf(message), "") << message.text;
        if (message.text == folderMessage) {
          EXPECT_EQ(message.kind, MessageKind::Information);
          ++folderMessages;
        } else {
          EXPECT_FALSE(IsWriteError(message.text)) << message.text;
        }
      }
      // Table 9 on its page, then for each of the four classes.
      EXPECT_EQ(log.showings.at("TabSheet28"), 5);
      EXPECT_EQ(folderMessages, c.readOnly ? 5 : 0);
    });

    EXPECT_EQ(Differences(before, TakeFingerprint(other)), c.differences);
  }
}

// ---- 2. the program directory ----------------------------------------------------------------

// Row 0 of each grid after its set-up: the whole row for the layouts the sheets publish, the
// first cells for the others.
struct GridLayout {
  int grid;
  const TableLayout* layout;
};
constexpr GridLayout kPublishedLayouts[] = {
    {4, &schule::kTable0.layout},  {5, &schule::kTable1.layout},
    {6, &schule::kTable2.layout},  {7, &schule::kTable3.layout},
    {8, &schule::kTable4.layout},  {10, &lehrer::kIdentification.layout},
    {9, &lehrer::kTable0.layout},  {11, &lehrer::kTable1.layout},
    {13, &lehrer::kTable2.layout}, {14, &lehrer::kTable3.layout},
};
struct GridHeading {
  int grid;
  int col;
  const char* text;
};
constexpr GridHeading kOtherHeadings[] = {
    {1, 0, "Satzart 0"},   {1, 3, "Schulträger"},     {2, 0, "SA 1"},       {3, 0, "SA 2"},
    {17, 0, "Satzart 0"},  {17, 6, "Art der Klasse"}, {18, 0, "Satzart 1"}, {18, 1, "Geburtsjahr"},
    {20, 0, "SA 2"},       {19, 0, "Satzart 3"},      {21, 0, "SA 4"},      {22, 0, "SA 5"},
    {24, 0, "SA 6"},       {23, 0, "SA 7"},           {25, 0, "Satzart 8"}, {26, 0, "SA 9"},
    {27, 0, "Satzart 10"},
};

// How many row-0 cells of the grid were compared.
int ExpectBuiltInHeadings(const Session& session, GridId id) {
  const int grid = static_cast<int>(id);
  int compared = 0;
  for (const GridLayout& published : kPublishedLayouts) {
    if (published.grid != grid) continue;
    for (const HeadingCell& heading : published.layout->headings) {
      if (heading.row != 0) continue;
      EXPECT_EQ(session.Grid(id).Cell(heading.col, 0), W(heading.text))
          << "grid " << grid << " column " << heading.col;
      ++compared;
    }
  }
  for (const GridHeading& heading : kOtherHeadings) {
    if (heading.grid != grid) continue;
    EXPECT_EQ(session.Grid(id).Cell(heading.col, 0), W(heading.text))
        << "grid " << grid << " column " << heading.col;
    ++compared;
  }
  return compared;
}

TEST_F(NothingWrittenTest, ReadOnlyProgramDirectoryIsReportedOncePerRun) {
  for (const fs::directory_entry& entry : fs::directory_iterator(program)) {
    ASSERT_NE(entry.path().extension(), ".TBD") << entry.path();
  }
  SetModes(program, kReadOnlyFolder, kReadOnlyFile);
  const Fingerprint before = TakeFingerprint(program);

  RunAsAnotherUser(temp, [&] {
    ShownWindow window(program);  // quick-report table 0
    RecordingPort& port = window.port;
    Session& session = window.session;
    // One warning, in German, naming the folder and why.
    std::vector<std::string> warnings;
    for (const RecordingPort::Message& message : port.Messages()) {
      EXPECT_NE(message.kind, MessageKind::Error) << message.text;
      if (message.kind == MessageKind::Warning) warnings.push_back(message.text);
    }
    ASSERT_EQ(warnings,
              std::vector<std::string>{UnwritableDefinitionFolderMessage(program, EACCES)});
    EXPECT_NE(warnings[0].find(program + "\n"), std::string::npos);
    EXPECT_NE(warnings[0].find("\nZugriff verweigert\n"), std::string::npos);

    // Every page once, then a few again: no further word about the folder, and every grid shows
    // its built-in headings.
    std::vector<const TablePageDesign*> showings;
    for (const TablePageDesign& page : TablePages()) showings.push_back(&page);
    for (const char* again : {"TabSheet5", "TabSheet13", "TabSheet28", "TabSheet13"}) {
      showings.push_back(FindTablePage(again));
    }
    port.Clear();
    for (const TablePageDesign* page : showings) {
      SCOPED_TRACE(page->name);
      session.PageChanged(page->sheet, page->table);
      EXPECT_GT(ExpectBuiltInHeadings(session, page->grid), 0) << page->name;
      if (page->topGrid) {
        EXPECT_GT(ExpectBuiltInHeadings(session, *page->topGrid), 0) << page->name;
      }
    }
    for (const RecordingPort::Message& message : port.Messages()) {
      EXPECT_EQ(MalformationOf(message), "") << message.text;
      EXPECT_EQ(message.text.find(".TBD"), std::string::npos) << message.text;
      EXPECT_EQ(message.text.find(program), std::string::npos) << message.text;
      EXPECT_FALSE(IsWriteError(message.text)) << message.text;
    }
  });

  EXPECT_EQ(Differences(before, TakeFingerprint(program)), std::vector<std::string>{});
}

}  // namespace
}  // namespace tab::test
