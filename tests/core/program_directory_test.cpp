// Where the program directory is: portable next to the executable, installed in the user's own
// folder seeded from the shipped files, or given; and the seeding itself, which copies what is
// missing, keeps what the user has and never writes the shipped folder.
#include "app/program_directory.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/settings.hpp"
#include "records/file_names.hpp"
#include "records/text.hpp"
#include "support/fixture.hpp"
#include "support/run_program.hpp"

namespace tab::test {
namespace {

namespace fs = std::filesystem;

// ---- choosing ---------------------------------------------------------------------------------

struct ChoiceCase {
  const char* name;
  std::vector<std::string> executableFiles;  // what lies beside the executable
  const char* given;
  const char* xdgDataHome;  // nullptr: not set
  const char* home;         // nullptr: not set
  ProgramMode mode;
  const char* directory;  // "<exe>/" stands for the executable's folder
};

const ChoiceCase kChoiceCases[] = {
    {"SettingsBesideTheExecutable",
     {"ZREINST.DAT"},
     "",
     "/x",
     "/h",
     ProgramMode::Portable,
     "<exe>/"},
    {"KeyFileBesideTheExecutable", {"SSSA.SSD"}, "", "/x", "/h", ProgramMode::Portable, "<exe>/"},
    {"KeyFileInAnotherCase", {"sslTf.ssd"}, "", nullptr, "/h", ProgramMode::Portable, "<exe>/"},
    {"SettingsInAnotherCase", {"zreinst.dat"}, "", nullptr, "/h", ProgramMode::Portable, "<exe>/"},
    {"OtherFilesOnly",
     {"tabellario", "LEHRER.CSV", "SSD"},
     "",
     nullptr,
     "/home/anna",
     ProgramMode::Installed,
     "/home/anna/.local/share/tabellario/"},
    {"XdgDataHome",
     {},
     "",
     "/daten/anna",
     "/home/anna",
     ProgramMode::Installed,
     "/daten/anna/tabellario/"},
    {"XdgDataHomeWithSeparator",
     {},
     "",
     "/daten/anna/",
     "/home/anna",
     ProgramMode::Installed,
     "/daten/anna/tabellario/"},
    {"RelativeXdgDataHomeIsIgnored",
     {},
     "",
     "daten",
     "/home/anna/",
     ProgramMode::Installed,
     "/home/anna/.local/share/tabellario/"},
    {"EmptyXdgDataHomeIsIgnored",
     {},
     "",
     "",
     "/home/anna",
     ProgramMode::Installed,
     "/home/anna/.local/share/tabellario/"},
    {"NoHomeAtAll", {}, "", nullptr, nullptr, ProgramMode::Portable, "<exe>/"},
    {"GivenOverridesPortable",
     {"ZREINST.DAT"},
     "/schule/prog",
     "/x",
     "/h",
     ProgramMode::Given,
     "/schule/prog/"},
    {"GivenOverridesInstalled",
     {},
     "/schule/prog/",
     "/x",
     "/h",
     ProgramMode::Given,
     "/schule/prog/"},
};

class ChoosingTheProgramDirectory : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoosingTheProgramDirectory, FollowsTheExecutablesFolderAndTheEnvironment) {
  const ChoiceCase& c = GetParam();
  TempDir temp;
  const std::string exe = temp.Path() + "prefix/bin/";
  fs::create_directories(exe);
  for (const std::string& name : c.executableFiles) WriteBytes(exe + name, "x");

  const ProgramDirectoryChoice choice = ChooseProgramDirectory(c.given, exe, c.xdgDataHome, c.home);
  EXPECT_EQ(choice.mode, c.mode);
  std::string expected = c.directory;
  if (expected == "<exe>/") expected = exe;
  EXPECT_EQ(choice.directory, expected);
  if (c.mode == ProgramMode::Installed) {
    EXPECT_EQ(choice.shared, temp.Path() + "prefix/share/tabellario/");
  } else {
    EXPECT_EQ(choice.shared, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ChoosingTheProgramDirectory, ::testing::ValuesIn(kChoiceCases),
                         [](const ::testing::TestParamInfo<ChoiceCase>& testCase) {
                           return std::string(testCase.param.name);
                         });

TEST(ChoosingTheProgramDirectory, AGivenRelativeFolderBecomesAbsolute) {
  const ProgramDirectoryChoice choice = ChooseProgramDirectory("prog", "/usr/bin/", "/x", "/h");
  EXPECT_EQ(choice.mode, ProgramMode::Given);
  EXPECT_EQ(choice.directory, fs::current_path().string() + "/prog/");
}

TEST(SharedProgramFiles, LieInShareBesideTheExecutablesFolder) {
  EXPECT_EQ(SharedProgramFiles("/usr/bin/"), "/usr/share/tabellario/");
  EXPECT_EQ(SharedProgramFiles("/tmp/root/usr/bin"), "/tmp/root/usr/share/tabellario/");
  EXPECT_EQ(SharedProgramFiles("/opt/tabellario/programme/"), "/opt/tabellario/share/tabellario/");
}

// The tests themselves run from the build folder, a portable program directory.
TEST(PrepareProgramDirectory, TheBuildFolderIsPortable) {
  RecordingPort port;
  EXPECT_EQ(PrepareProgramDirectory("", port), ExecutableDirectory());
  EXPECT_TRUE(HoldsProgramFiles(ExecutableDirectory()));
  TempDir temp;
  EXPECT_EQ(PrepareProgramDirectory(temp.Path() + "woanders", port), temp.Path() + "woanders/");
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_FALSE(PathExists(temp.Path() + "woanders"));  // a given folder is taken as it is
}

// ---- seeding ----------------------------------------------------------------------------------

// Every entry below a folder: content for files, "<folder>" for folders, and the times and
// modes, so that a folder that must stay as it was can be compared whole.
std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> snapshot;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    struct stat info {};
    ::lstat(entry.path().c_str(), &info);
    const std::string stamp = std::to_string(info.st_mtim.tv_sec) + "." +
                              std::to_string(info.st_mtim.tv_nsec) + " " +
                              std::to_string(info.st_mode);
    snapshot[fs::relative(entry.path(), root).string()] =
        (entry.is_directory() ? std::string("<folder>") : ReadBytes(entry.path().string())) + " " +
        stamp;
  }
  return snapshot;
}

std::string SettingsBytes(const Settings& settings) {
  const SettingsRecord record = EncodeSettings(settings);
  return std::string(reinterpret_cast<const char*>(record.data()), record.size());
}

Settings ReadSettingsOf(const std::string& folder) {
  Settings settings;
  RecordingPort port;
  LoadSettings(settings, folder, port);
  EXPECT_TRUE(port.Messages().empty());
  return settings;
}

class SeedingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shared = temp.Path() + "usr/share/tabellario/";
    perUser = temp.Path() + "home/anna/.local/share/tabellario/";
    WriteBytes(shared + "SSSA.SSD", "01;Berufsschule\r\n");
    WriteBytes(shared + "SLAND.SSD", "000;Deutschland\r\n");
    WriteBytes(shared + "LEHRER.CSV", "1;Muster\r\n");
    WriteBytes(shared + "VORINEXMVBS.HLP", "<html>Hilfe</html>");
    Settings shipped = DefaultSettings();
    shipped.schoolNumber = "13001";
    WriteBytes(shared + kSettingsFileName, SettingsBytes(shipped));
    WriteBytes(shared + "Demo-Datenbank/13001/SCHULE/1300100.CSV", "13001;Demo\r\n");
    WriteBytes(shared + "Demo-Datenbank/13001/KLASSE/BS1A0100.CSV", "BS1A01\r\n");
    fs::create_directories(shared + "Demo-Datenbank/00000");
    // Shipped files are read-only and old, as a package leaves them.
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(shared)) {
      const timespec past[2] = {{978307200, 0}, {978307200, 0}};
      ::utimensat(AT_FDCWD, entry.path().c_str(), past, 0);
      if (!entry.is_directory()) fs::permissions(entry.path(), fs::perms(0444));
    }
    before = Snapshot(shared);
  }

  void ExpectSharedUntouched() { EXPECT_EQ(Snapshot(shared), before); }

  TempDir temp;
  std::string shared;
  std::string perUser;
  std::map<std::string, std::string> before;
  RecordingPort port;
};

TEST_F(SeedingTest, FirstStartCopiesEverythingAndPointsTheSettingsAtTheDemoDataBase) {
  const SeedResult result = SeedProgramDirectory(shared, perUser, port);
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_FALSE(result.failed);
  EXPECT_TRUE(result.firstStart);
  EXPECT_EQ(result.copied,
            (std::vector<std::string>{"LEHRER.CSV", "SLAND.SSD", "SSSA.SSD", "VORINEXMVBS.HLP",
                                      "Demo-Datenbank/13001/KLASSE/BS1A0100.CSV",
                                      "Demo-Datenbank/13001/SCHULE/1300100.CSV"}));
  for (const char* name : {"SSSA.SSD", "SLAND.SSD", "LEHRER.CSV", "VORINEXMVBS.HLP",
                           "Demo-Datenbank/13001/SCHULE/1300100.CSV"}) {
    EXPECT_EQ(ReadBytes(perUser + name), ReadBytes(shared + name)) << name;
  }
  EXPECT_TRUE(IsDirectory(perUser + "Demo-Datenbank/00000"));
  // The shipped settings, their data base the user's copy of the demo.
  const Settings settings = ReadSettingsOf(perUser);
  EXPECT_EQ(settings.schoolNumber, "13001");
  EXPECT_EQ(settings.dataBaseDirectory, perUser + "Demo-Datenbank/");
  // The user's own folder is the user's alone.
  struct stat info {};
  ASSERT_EQ(::stat(perUser.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ExpectSharedUntouched();
}

TEST_F(SeedingTest, WhatTheUserHasIsKeptAndOnlyWhatIsMissingIsCopied) {
  Settings own = DefaultSettings();
  own.schoolNumber = "12345";
  own.dataBaseDirectory = "/daten/statistik/";
  WriteBytes(perUser + kSettingsFileName, SettingsBytes(own));
  WriteBytes(perUser + "SSSA.SSD", "99;eigene Schulart\r\n");
  WriteBytes(perUser + "lehrer.csv", "eigene Liste\r\n");  // the same file in another case
  WriteBytes(perUser + "Bog0Tab0.TBD", "4;3;Schnell-Tabelle 0\r\n");

  const SeedResult result = SeedProgramDirectory(shared, perUser, port);
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_FALSE(result.firstStart);
  EXPECT_EQ(result.copied, (std::vector<std::string>{"SLAND.SSD", "VORINEXMVBS.HLP"}));
  EXPECT_EQ(ReadBytes(perUser + "SSSA.SSD"), "99;eigene Schulart\r\n");
  EXPECT_EQ(ReadBytes(perUser + "lehrer.csv"), "eigene Liste\r\n");
  EXPECT_FALSE(PathExists(perUser + "LEHRER.CSV"));
  EXPECT_EQ(ReadBytes(perUser + "Bog0Tab0.TBD"), "4;3;Schnell-Tabelle 0\r\n");
  EXPECT_EQ(ReadSettingsOf(perUser), own);
  // Not a first start: the user's data base stays the only one.
  EXPECT_FALSE(PathExists(perUser + "Demo-Datenbank"));
  ExpectSharedUntouched();
}

TEST_F(SeedingTest, ASecondStartCopiesNothingAndAFileTheUserDeletedComesBack) {
  SeedProgramDirectory(shared, perUser, port);
  const std::map<std::string, std::string> seeded = Snapshot(perUser);
  EXPECT_TRUE(SeedProgramDirectory(shared, perUser, port).copied.empty());
  EXPECT_EQ(Snapshot(perUser), seeded);

  fs::remove(perUser + "SLAND.SSD");
  fs::remove(perUser + "Demo-Datenbank/13001/SCHULE/1300100.CSV");
  const SeedResult again = SeedProgramDirectory(shared, perUser, port);
  EXPECT_EQ(again.copied, std::vector<std::string>{"SLAND.SSD"});
  EXPECT_FALSE(again.firstStart);
  EXPECT_FALSE(PathExists(perUser + "Demo-Datenbank/13001/SCHULE/1300100.CSV"));
  EXPECT_TRUE(port.Messages().empty());
  ExpectSharedUntouched();
}

TEST_F(SeedingTest, AFailedFirstStartIsReportedOnceAndTriedAgainNextTime) {
  // A file stands where the demo data base's school folder would go.
  WriteBytes(perUser + "Demo-Datenbank/13001", "kein Ordner");
  const SeedResult failed = SeedProgramDirectory(shared, perUser, port);
  EXPECT_TRUE(failed.failed);
  EXPECT_FALSE(failed.firstStart);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(port.Messages()[0].text, "Das Programmverzeichnis\n" + perUser +
                                         "\nkonnte nicht eingerichtet werden:\n" + perUser +
                                         "Demo-Datenbank/13001\nIst kein Verzeichnis");
  EXPECT_FALSE(PathExists(perUser + kSettingsFileName));

  fs::remove(perUser + "Demo-Datenbank/13001");
  port.Clear();
  const SeedResult retried = SeedProgramDirectory(shared, perUser, port);
  EXPECT_FALSE(retried.failed);
  EXPECT_TRUE(retried.firstStart);
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_EQ(ReadSettingsOf(perUser).dataBaseDirectory, perUser + "Demo-Datenbank/");
  ExpectSharedUntouched();
}

TEST_F(SeedingTest, AFolderThatCannotBeMadeIsReported) {
  WriteBytes(temp.Path() + "home/anna/.local/share", "kein Ordner");
  const SeedResult result = SeedProgramDirectory(shared, perUser, port);
  EXPECT_TRUE(result.failed);
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].text, "Das Programmverzeichnis\n" + perUser +
                                         "\nkonnte nicht eingerichtet werden:\n" + perUser +
                                         "\nIst kein Verzeichnis");
  ExpectSharedUntouched();
}

TEST_F(SeedingTest, APathTheSettingsCannotHoldLeavesTheirDataBaseDirectoryAlone) {
  const std::string elsewhere = temp.Path() + "家/tabellario/";
  const SeedResult result = SeedProgramDirectory(shared, elsewhere, port);
  EXPECT_TRUE(result.firstStart);
  EXPECT_TRUE(PathExists(elsewhere + "Demo-Datenbank/13001/SCHULE/1300100.CSV"));
  EXPECT_EQ(ReadSettingsOf(elsewhere).dataBaseDirectory, "");
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(SeedingTest, NothingShippedMeansAnEmptyFolderOfTheUsersOwn) {
  const SeedResult result = SeedProgramDirectory(temp.Path() + "nirgends/", perUser, port);
  EXPECT_FALSE(result.failed);
  EXPECT_FALSE(result.firstStart);
  EXPECT_TRUE(IsDirectory(perUser));
  EXPECT_TRUE(fs::is_empty(perUser));
  EXPECT_TRUE(port.Messages().empty());
}

TEST_F(SeedingTest, ThePerUserFolderBeingTheSharedOneWritesNothing) {
  const SeedResult result = SeedProgramDirectory(shared, shared, port);
  EXPECT_TRUE(result.copied.empty());
  EXPECT_FALSE(result.firstStart);
  EXPECT_TRUE(port.Messages().empty());
  ExpectSharedUntouched();
}

// ---- the export tool installed: the same start as the window's ------------------------------

#ifdef TABELLARIO_EXPORT_TOOL
TEST(InstalledExportTool, SeedsTheUsersFolderAndShowsTheDemoDataBase) {
  TempDir temp;
  const std::string root = temp.Path() + "root/usr/";
  fs::create_directories(root + "bin");
  fs::create_directories(root + "share");
  fs::copy_file(TABELLARIO_EXPORT_TOOL, root + "bin/tabellario-export");
  const std::string demo = std::string(TABELLARIO_SOURCE_DIR) + "/demo/";
  fs::copy(demo + "program", root + "share/tabellario", fs::copy_options::recursive);
  fs::copy(demo + "db", root + "share/tabellario/Demo-Datenbank", fs::copy_options::recursive);
  const std::string home = temp.Path() + "home/";
  fs::create_directories(home);

  const ProgramRun run =
      RunProgram(root + "bin/tabellario-export", {"--format", "csv", "0", "0"},
                 EnvironmentWithout({"HOME", "XDG_DATA_HOME"}, {"HOME=" + home}));
  EXPECT_EQ(run.status, 0) << run.errors;
  // Quick-report table 0 of Dienststelle 13001 from the user's copy of the demo data base.
  EXPECT_NE(run.output.find("13001"), std::string::npos) << run.output;
  const std::string perUser = home + ".local/share/tabellario/";
  EXPECT_TRUE(PathExists(perUser + "SSSA.SSD"));
  EXPECT_TRUE(PathExists(perUser + "Bog0Tab0.TBD"));
  EXPECT_TRUE(IsDirectory(perUser + "Demo-Datenbank/13001/SCHNELL"));
  EXPECT_EQ(ReadSettingsOf(perUser).dataBaseDirectory, perUser + "Demo-Datenbank/");
  EXPECT_FALSE(PathExists(root + "share/tabellario/Bog0Tab0.TBD"));
}
#endif

}  // namespace
}  // namespace tab::test
