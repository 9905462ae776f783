// Files and folders that exist but may not be read or entered, and files that open but fail to
// read. Permissions do not bind root, so those cases run as another user when the tests run as
// root (support/other_user); a read error after opening comes from /proc/self/mem, which fails
// with EIO for root too.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "records/error_text.hpp"
#include "records/table_setup.hpp"
#include "support/other_user.hpp"
#include "support/session_fixture.hpp"
#include "support/texts.hpp"

namespace tab::test {
namespace {

namespace fs = std::filesystem;

struct Shown {
  MessageKind kind;
  std::string text;
  bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* os) {
  *os << MessageKindName(shown.kind) << ": \"" << shown.text << "\"";
}

std::vector<Shown> MessagesOf(const RecordingPort& port) {
  std::vector<Shown> shown;
  for (const RecordingPort::Message& message : port.Messages()) {
    shown.push_back({message.kind,
                     message.kind == MessageKind::InfoDialog ? message.info.line1 : message.text});
  }
  return shown;
}

void SetMode(const std::string& path, unsigned mode) {
  ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

// A file and a table whose showing reads it.
struct FileCase {
  const char* name;
  std::string file;
  SheetId sheet;
  int table;
};

class FileAccessTest : public SessionFixture {
 protected:
  FileAccessTest() {
    WriteOemLines(school + "SCHNELL/1234500.CSV", {"ES001;ES002;ES003", "12345;Amt;Träger"});
    WriteOemLines(school + "SCHULE/1234500.CSV", {"ES001;ES002;ES003", "12345;Amt;Träger"});
    WriteAnsiLines(program + "SSSA.SSD", {"01;Berufsschule"});
    WriteOemLines(school + "KLASSE/KL010100.CSV", {"ES001;ES002;ES003;ES004;ES005;ES006"});
    WriteOemLines(school + "KLASSE/KL010109.CSV",
                  {"ES001;ES002;ES003;ES004;ES005", "A;9999;2;5;1"});
    WriteAnsiLines(program + "SSVB0.SSD", {"1;ohne Berufsreife", "9;zusammen"});
  }

  // Both trees go to the other user, who may then write what the program writes (definition
  // files, a class folder); the modes of a case are set afterwards.
  void HandOver() {
    HandToOtherUser(program);
    HandToOtherUser(db);
  }

  // Starts the session as the window does and shows table `table` of `sheet`; what the start-up
  // said is kept apart from what the showing said.
  void StartAndShow(SheetId sheet, int table) {
    session.Create(program);
    session.StartUp();
    startUp = MessagesOf(port);
    port.Clear();
    session.PageChanged(sheet, table);
    shown = MessagesOf(port);
  }

  // A data file, a key file and a definition file, each with the table whose showing reads it.
  std::vector<FileCase> Files() const {
    return {{"data file", school + "SCHULE/1234500.CSV", SheetId::Schule, 0},
            {"key file", program + "SSSA.SSD", SheetId::Schule, 1},
            {"definition file", program + "Bog1Tab0.TBD", SheetId::Schule, 0}};
  }

  std::vector<Shown> startUp;
  std::vector<Shown> shown;
};

const std::string kDenied = "\n" + ErrorText(EACCES);

// A file that is there but may not be read is an error of that file, in the platform's words.
TEST_F(FileAccessTest, FilesWithoutReadPermissionAreErrorsOfTheirOwn) {
  WriteAnsiLines(program + "Bog1Tab0.TBD", {"3;3;Schul-Tabelle 0", "0;0;Satzart 0"});
  HandOver();
  for (const FileCase& c : Files()) {
    SCOPED_TRACE(c.name);
    SetMode(c.file, 0);
    RunAsAnotherUser(temp, [&] {
      StartAndShow(c.sheet, c.table);
      EXPECT_EQ(startUp, std::vector<Shown>{});
      EXPECT_EQ(shown, (std::vector<Shown>{{MessageKind::Error, c.file + kDenied}}));
    });
    SetMode(c.file, 0644);
  }
}

// Folders that exist but cannot be entered (no x permission, as `access` with X_OK tells) at the
// three places the program checks: the program directory at start-up, the school folder of the
// data base, the class folder before class table 9.
TEST_F(FileAccessTest, FoldersThatCannotBeEnteredAreToldWhereTheProgramChecks) {
  struct Case {
    const char* name;
    std::string folder;
    SheetId sheet;
    int table;
    std::vector<Shown> startUp;
    std::vector<Shown> shown;
  };
  const std::string klasse = school + "KLASSE";
  const Case cases[] = {
      {"program directory",
       program,
       SheetId::Schnell,
       0,
       // The settings cannot be read; no definition file can be written.
       {{MessageKind::Information, "Problem beim Zugriff auf das Programmverzeichnis:\n" + program +
                                       "\nEventuell können bestimmte Dateien nicht gefunden "
                                       "werden!"},
        {MessageKind::Error, program + "ZREINST.DAT" + kDenied}},
       // The data base of the default settings is the program directory: the data file there
       // cannot be looked at either, and that is said.
       {{MessageKind::Warning, UnwritableDefinitionFolderMessage(program, EACCES)},
        {MessageKind::Error, program + "00000/SCHNELL/0000000.CSV" + kDenied}}},
      // Its data files cannot even be looked at. They are not missing (which would show an
      // empty table without a word): the table's data file is an error of its own, once.
      {"school folder",
       school,
       SheetId::Schnell,
       0,
       {},
       {{MessageKind::Error, school + "SCHNELL/1234500.CSV" + kDenied}}},
      {"class folder",
       klasse,
       SheetId::Klassen,
       9,
       {},
       {{MessageKind::Information, "Problem beim Erstellen des Datenverzeichnis:\n" + klasse +
                                       "\nErmöglich Sie den Zugriff auf das untergeordnete "
                                       "Verzeichnis!"}}},
  };
  HandOver();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetMode(c.folder, 0600);  // listed, not entered
    RunAsAnotherUser(temp, [&] {
      StartAndShow(c.sheet, c.table);
      EXPECT_EQ(startUp, c.startUp);
      EXPECT_EQ(shown, c.shown);
    });
    // Neither made again nor opened up.
    EXPECT_EQ(fs::status(c.folder).permissions(), fs::perms(0600));
    SetMode(c.folder, 0755);
  }
}

// A data base whose folder cannot be listed offers no schools; the school of the settings is
// still reached by its name and shown.
TEST_F(FileAccessTest, ADataBaseThatCannotBeListedOffersNoSchools) {
  HandOver();
  SetMode(db, 0311);
  RunAsAnotherUser(temp, [&] {
    StartAndShow(SheetId::Schnell, 0);
    EXPECT_EQ(session.Paths().schools, std::vector<std::string>{});
    EXPECT_EQ(Row(session.Grid(GridId::StringGrid1), 2),
              (std::vector<std::string>{"Meldung", "12345", "Amt", "Träger"}));
    EXPECT_EQ(startUp, std::vector<Shown>{});
    EXPECT_EQ(shown, std::vector<Shown>{});
  });
  SetMode(db, 0755);
  // As the owner may list it.
  StartAndShow(SheetId::Schnell, 0);
  EXPECT_EQ(session.Paths().schools, std::vector<std::string>{"12345"});
}

// Read errors after the file has opened are shown in the platform's words, and for root too.
TEST_F(FileAccessTest, ReadErrorsAfterOpeningAreShownWithThePlatformText) {
  for (const FileCase& c : Files()) {
    SCOPED_TRACE(c.name);
    fs::remove(c.file);
    fs::create_symlink("/proc/self/mem", c.file);
    port.Clear();
    StartAndShow(c.sheet, c.table);
    EXPECT_EQ(startUp, std::vector<Shown>{});
    EXPECT_EQ(shown, (std::vector<Shown>{{MessageKind::Error, c.file + "\n" + ErrorText(EIO)}}));
    fs::remove(c.file);  // missing, the file has nothing to say in the next case
  }
}

}  // namespace
}  // namespace tab::test
