#include "app/path_state.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "records/text.hpp"
#include "support/fixture.hpp"

namespace tab {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteBytes;
using Names = std::vector<std::string>;

void MakeFolders(const std::string& base, const Names& folders) {
  for (const auto& folder : folders) fs::create_directories(base + folder);
}

void MakeFiles(const std::string& base, const Names& files) {
  for (const auto& file : files) WriteBytes(base + file, "x");
}

// Path state after start-up (InitialiseDataBase, DetermineSchool) with the given settings.
PathState StartUp(const std::string& programDirectory, const Settings& settings) {
  PathState paths;
  paths.programDirectory = programDirectory;
  InitialiseDataBase(paths, settings);
  DetermineSchool(paths, settings);
  return paths;
}

Settings WithDataBase(const std::string& utf8Directory, const std::string& school = "00000") {
  Settings settings = DefaultSettings();
  settings.dataBaseDirectory = Utf8ToWin1252(utf8Directory);
  settings.schoolNumber = Utf8ToWin1252(school);
  return settings;
}

// ---- schools -----------------------------------------------------------------------------

TEST(FindSchoolsTest, TakesFoldersOfFiveCharactersSorted) {
  TempDir db;
  MakeFolders(db.Path(), {"12345", "00000", "ABCDE", "1234", "123456", ".abcd"});
  MakeFiles(db.Path(), {"54321", "ZREINST.DAT"});
  PathState paths = StartUp(db.Path(), WithDataBase(db.Path()));
  FindSchools(paths);
  EXPECT_EQ(paths.schools, (Names{"00000", "12345", "ABCDE"}));
}

TEST(FindSchoolsTest, CountsCharactersAndFollowsLinks) {
  TempDir db;
  MakeFolders(db.Path(), {"00000", "ÄÖÜ12", "abcde", "Ä1234"});
  fs::create_directory_symlink(db.Path() + "00000", db.Path() + "77777");
  fs::create_symlink(db.Path() + "nirgends", db.Path() + "88888");  // dangling
  MakeFiles(db.Path(), {"ÄÖÜ34"});
  fs::create_symlink(db.Path() + "ÄÖÜ34", db.Path() + "99999");  // link to a file
  PathState paths = StartUp(db.Path(), WithDataBase(db.Path()));
  FindSchools(paths);
  EXPECT_EQ(paths.schools, (Names{"00000", "77777", "abcde", "Ä1234", "ÄÖÜ12"}));
}

TEST(FindSchoolsTest, NothingBeforeTheSchoolDirectoryIsFormed) {
  TempDir db;
  MakeFolders(db.Path(), {"12345"});
  PathState paths;
  paths.dataBaseDirectory = db.Path();
  paths.schools = {"alt"};
  FindSchools(paths);
  EXPECT_TRUE(paths.schools.empty());
}

// ---- start-up ----------------------------------------------------------------------------

TEST(StartUpTest, DefaultSettingsCreateTheSchoolFolderInTheProgramDirectory) {
  TempDir program;
  PathState paths = StartUp(program.Path(), DefaultSettings());
  EXPECT_EQ(paths.dataBaseDirectory, program.Path());
  EXPECT_EQ(paths.schoolNumber, "00000");
  EXPECT_EQ(paths.schoolDirectory, program.Path() + "00000/");
  EXPECT_TRUE(fs::is_directory(program.Path() + "00000"));
  FindSchools(paths);
  EXPECT_EQ(paths.schools, Names{"00000"});
}

TEST(StartUpTest, ExistingSchoolFolderIsUsedInWhateverCaseItIsSpelled) {
  TempDir db;
  MakeFolders(db.Path(), {"abcde/SCHULE"});
  MakeFiles(db.Path(), {"abcde/SCHULE/ABCDE00.CSV"});
  PathState paths = StartUp(db.Path(), WithDataBase(db.Path(), "ABCDE"));
  EXPECT_EQ(paths.schoolNumber, "ABCDE");
  EXPECT_EQ(paths.schoolDirectory, db.Path() + "abcde/");
  FindSchools(paths);
  EXPECT_EQ(paths.schools, Names{"abcde"}) << "no second folder ABCDE";
  EXPECT_EQ(test::ReadBytes(db.Path() + "abcde/SCHULE/ABCDE00.CSV"), "x");
}

TEST(StartUpTest, DataBaseFromTheSettingsIsWindows1252AndGetsItsSeparatorFirst) {
  TempDir temp;
  const std::string db = temp.Path() + "Schüler";
  MakeFolders(temp.Path(), {"Schüler"});
  PathState paths;
  paths.programDirectory = temp.Path();
  const Settings settings = WithDataBase(db, "12345");
  ASSERT_EQ(settings.dataBaseDirectory.back(), 'r');
  InitialiseDataBase(paths, settings);
  // The separator comes before the school: the folder is made in the data base, not beside it.
  EXPECT_EQ(paths.dataBaseDirectory, db + "/");
  EXPECT_EQ(paths.schoolDirectory, db + "/12345/");
  EXPECT_TRUE(fs::is_directory(db + "/12345"));
  EXPECT_FALSE(fs::exists(db + "12345"));
  DetermineSchool(paths, settings);
  EXPECT_EQ(paths.dataBaseDirectory, db + "/");
  EXPECT_EQ(paths.schoolDirectory, db + "/12345/");
  FindSchools(paths);
  EXPECT_EQ(paths.schools, Names{"12345"});
}

// Restores the current directory when the test ends.
class InDirectory {
 public:
  explicit InDirectory(const std::string& dir) : previous_(fs::current_path()) {
    fs::current_path(dir);
  }
  ~InDirectory() { fs::current_path(previous_); }
  InDirectory(const InDirectory&) = delete;
  InDirectory& operator=(const InDirectory&) = delete;

 private:
  fs::path previous_;
};

// Whatever the settings record says, the school folder is made in the data base or not at all;
// a relative data base lies in the program directory, never in the current directory.
TEST(StartUpTest, NoFolderIsMadeOutsideTheDataBase) {
  struct Case {
    const char* dataBase;  // relative to the temporary folder; "" = none
    const char* school;
    const char* dataBaseDirectory;  // expected, relative to the temporary folder
    const char* made;               // the folder made, "" = none
  };
  const std::vector<Case> cases = {
      {"prog/daten", "12345", "prog/daten/", "prog/daten/12345"},
      {"", "12345", "prog/", "prog/12345"},
      {"REL:daten", "12345", "prog/daten/", "prog/daten/12345"},
      {"REL:daten/", "12345", "prog/daten/", "prog/daten/12345"},
      {"REL:fehlt", "12345", "prog/fehlt/", ""},
      {"prog/daten", "../xy", "prog/daten/", ""},
      {"prog/daten", "a/b", "prog/daten/", ""},
      {"prog/daten", "..", "prog/daten/", ""},
  };
  for (const Case& c : cases) {
    TempDir temp;
    MakeFolders(temp.Path(), {"prog/daten/a", "cwd"});
    const InDirectory inCwd(temp.Path() + "cwd");
    std::string dataBase = c.dataBase;
    if (dataBase.starts_with("REL:")) {
      dataBase = dataBase.substr(4);
    } else if (!dataBase.empty()) {
      dataBase = temp.Path() + dataBase;
    }
    const PathState paths = StartUp(temp.Path() + "prog/", WithDataBase(dataBase, c.school));
    EXPECT_EQ(paths.dataBaseDirectory, temp.Path() + c.dataBaseDirectory) << c.dataBase;
    Names made;
    for (const auto& entry : fs::recursive_directory_iterator(temp.Path())) {
      made.push_back(entry.path().string().substr(temp.Path().size()));
    }
    std::sort(made.begin(), made.end());
    Names expected = {"cwd", "prog", "prog/daten", "prog/daten/a"};
    if (*c.made != '\0') expected.emplace_back(c.made);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(made, expected) << c.dataBase << " " << c.school;
  }
}

// A NUL byte in the data base or the school number of a damaged record would cut the path short
// and make a folder named after the part before it.
TEST(StartUpTest, ANulByteInTheSettingsMakesNoFolder) {
  const std::string nulInDataBase("daten\0x", 7);
  const std::string nulInSchool(
      "12\0"
      "345",
      6);
  const std::vector<std::pair<std::string, std::string>> cases = {{nulInDataBase, "12345"},
                                                                  {"", nulInSchool}};
  for (const auto& [dataBase, school] : cases) {
    TempDir temp;
    MakeFolders(temp.Path(), {"prog"});
    StartUp(temp.Path() + "prog/", WithDataBase(dataBase, school));
    EXPECT_TRUE(fs::is_empty(temp.Path() + "prog")) << school;
  }
}

TEST(StartUpTest, MissingDataBaseGivesEmptyListsAndIsNotCreated) {
  TempDir temp;
  const std::string db = temp.Path() + "fehlt/";
  PathState paths = StartUp(temp.Path(), WithDataBase(db));
  EXPECT_EQ(paths.schoolDirectory, db + "00000/");
  EXPECT_FALSE(fs::exists(db));
  FindSchools(paths);
  FindClasses(paths);
  EXPECT_TRUE(paths.schools.empty());
  EXPECT_TRUE(paths.classes.empty());
  EXPECT_EQ(paths.selectedClass, -1);
}

// ---- classes -----------------------------------------------------------------------------

struct ClassCase {
  const char* name;
  Names files;    // below the school folder
  Names folders;  // below the school folder
  Names expected;
};

void PrintTo(const ClassCase& c, std::ostream* out) {
  *out << c.name;
}

class FindClassesTest : public testing::TestWithParam<ClassCase> {};

TEST_P(FindClassesTest, ListsTheTableZeroFilesOfTheClassFolder) {
  const ClassCase& c = GetParam();
  TempDir db;
  MakeFolders(db.Path(), {"12345"});
  MakeFolders(db.Path() + "12345/", c.folders);
  MakeFiles(db.Path() + "12345/", c.files);
  PathState paths = StartUp(db.Path(), WithDataBase(db.Path(), "12345"));
  paths.classes = {"alt"};
  paths.selectedClass = 0;
  paths.classId = "ALT001";
  FindClasses(paths);
  EXPECT_EQ(paths.classes, c.expected);
  EXPECT_EQ(paths.selectedClass, c.expected.empty() ? -1 : 0);
  EXPECT_EQ(paths.classId, "ALT001") << "the selection is read by the dispatcher";
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FindClassesTest,
    testing::Values(ClassCase{"table_zero_files",
                              {"KLASSE/BS1A0100.CSV", "KLASSE/BS1A0101.CSV", "KLASSE/BS1A0200.CSV",
                               "KLASSE/X00.CSV"},
                              {"KLASSE/ZZ999900.CSV"},
                              {"BS1A01", "BS1A02"}},
                    ClassCase{"lower_case_names", {"klasse/bs1a0100.csv"}, {}, {"bs1a01"}},
                    ClassCase{"empty_selection_marker", {"KLASSE/ZZZ99900.CSV"}, {}, {"ZZZ999"}},
                    ClassCase{"one_class_in_two_spellings",
                              {"KLASSE/AB123400.CSV", "KLASSE/AB123400.csv", "KLASSE/AB123401.CSV"},
                              {},
                              {"AB1234"}},
                    ClassCase{"six_characters_exactly",
                              {"KLASSE/ABCDE00.CSV", "KLASSE/ABCDEFG00.CSV", "KLASSE/ÄBCDEF00.CSV",
                               "KLASSE/.HIDDN00.CSV", "KLASSE/ABCDEF00.CSVX", "KLASSE/ABCDEF00_CSV",
                               "KLASSE/ABCDEF00.TXT"},
                              {},
                              {".HIDDN", "ÄBCDEF"}},
                    ClassCase{"sorted_ignoring_case",
                              {"KLASSE/b0000100.CSV", "KLASSE/A0000100.CSV", "KLASSE/a0000100.CSV",
                               "KLASSE/C0000100.CSV"},
                              {},
                              {"A00001", "a00001", "b00001", "C00001"}},
                    ClassCase{"no_class_folder", {"SCHULE/1234500.CSV"}, {}, {}},
                    ClassCase{"empty_class_folder", {}, {"KLASSE"}, {}}),
    [](const testing::TestParamInfo<ClassCase>& param) { return std::string(param.param.name); });

// ---- the school selector -----------------------------------------------------------------

TEST(SelectSchoolTest, TextBecomesTheSchoolAndItsFolder) {
  struct Case {
    std::string text;
    std::string folder;  // expected, relative to the data base
  };
  const std::vector<Case> cases = {
      {"123", "123/"},  // typed: nothing there, all tables empty
      {"12345", "12345/"},
      {"ABCDE", "abcde/"},  // found without regard to case
      {"", "/"},
  };
  TempDir db;
  MakeFolders(db.Path(), {"12345/KLASSE", "abcde/KLASSE"});
  MakeFiles(db.Path(), {"12345/KLASSE/BS1A0100.CSV", "abcde/KLASSE/XY123400.CSV"});
  PathState paths = StartUp(db.Path(), WithDataBase(db.Path(), "12345"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SelectSchool(paths, c.text);
    EXPECT_EQ(paths.schoolNumber, c.text);
    EXPECT_EQ(paths.schoolDirectory, db.Path() + c.folder);
    EXPECT_EQ(paths.dataBaseDirectory, db.Path());
  }
  SelectSchool(paths, "ABCDE");
  FindClasses(paths);
  EXPECT_EQ(paths.classes, Names{"XY1234"});
  SelectSchool(paths, "123");
  FindClasses(paths);
  EXPECT_TRUE(paths.classes.empty());
  EXPECT_EQ(paths.selectedClass, -1);
}

// ---- the selector's order ----------------------------------------------------------------

TEST(SelectorOrderTest, AsciiLettersIgnoringCaseThenBytes) {
  struct Case {
    std::string a, b;
    bool less;
  };
  const std::vector<Case> cases = {
      {"abc", "ABD", true},  {"ABD", "abc", false}, {"ABC", "abc", true}, {"abc", "ABC", false},
      {"abc", "abc", false}, {"a", "Z", true},      {"Z", "a", false},    {"_", "A", true},
      {"A", "_", false},     {"ab", "ABC", true},   {"ABC", "ab", false}, {"z", "\xC3\x84", true},
      {"", "0", true},       {"0", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + " < " + c.b);
    EXPECT_EQ(SelectorOrder(c.a, c.b), c.less);
  }
}

}  // namespace
}  // namespace tab
