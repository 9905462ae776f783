#include "records/file_names.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/fixture.hpp"

namespace tab {
namespace {

// A data base copied from a Windows share: names in any case, and one folder holding names that
// differ only in case (which Linux allows).
class FileNamesTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"schule/1234501.csv", "Schule2/Lehrer.Csv", "KLASSE/BS10A/x.csv",
                             "doppelt/abc", "doppelt/aBc", "doppelt/ABC", "SSSA.SSD"}) {
      test::WriteBytes(dir_.Make(file), "x\r\n");
    }
    std::filesystem::create_directory_symlink(dir_.Path() + "KLASSE", dir_.Path() + "verweis");
    std::filesystem::create_symlink(dir_.Path() + "fehlt", dir_.Path() + "tot");
  }
  test::TempDir dir_;
};

struct ResolveCase {
  std::string relative;
  std::string resolved;  // relative to the temporary folder
};

TEST_F(FileNamesTest, ResolvesEachComponentIgnoringCase) {
  const std::vector<ResolveCase> cases = {
      {"SCHULE/1234501.CSV", "schule/1234501.csv"},
      {"schule/1234501.csv", "schule/1234501.csv"},
      {"Schule/1234501.Csv", "schule/1234501.csv"},
      {"SCHULE2/LEHRER.CSV", "Schule2/Lehrer.Csv"},
      {"klasse/bs10a/X.CSV", "KLASSE/BS10A/x.csv"},
      {"sssa.ssd", "SSSA.SSD"},
      {"SCHULE", "schule"},
      {"SCHULE/", "schule/"},
      {"SCHULE//1234501.CSV", "schule/1234501.csv"},
      // missing names keep the spelling given, and so does everything below a missing folder
      {"SCHULE/9999901.CSV", "schule/9999901.CSV"},
      {"NEU/schule/1234501.CSV", "NEU/schule/1234501.CSV"},
      // an exact name wins; otherwise the smallest of several matches in byte order
      {"doppelt/aBc", "doppelt/aBc"},
      {"doppelt/abc", "doppelt/abc"},
      {"DOPPELT/Abc", "doppelt/ABC"},
      {"VERWEIS/bs10a", "verweis/BS10A"},
      {"", ""},
  };
  for (const ResolveCase& c : cases) {
    EXPECT_EQ(ResolvePath(dir_.Path(), c.relative), dir_.Path() + c.resolved) << c.relative;
  }
}

TEST_F(FileNamesTest, FolderWithoutTrailingSeparator) {
  std::string folder = dir_.Path();
  folder.pop_back();
  EXPECT_EQ(ResolvePath(folder, "SCHULE/1234501.CSV"), dir_.Path() + "schule/1234501.csv");
}

TEST_F(FileNamesTest, KindsOfEntries) {
  struct Case {
    std::string relative;
    bool exists;
    bool directory;
  };
  const std::vector<Case> cases = {
      {"schule/1234501.csv", true, false},
      {"schule", true, true},
      {"schule/", true, true},
      {"SCHULE", false, false},
      {"verweis", true, true},
      {"tot", true, false},
      {"fehlt", false, false},
      {"schule/1234501.csv/x", false, false},
  };
  for (const Case& c : cases) {
    const std::string path = dir_.Path() + c.relative;
    EXPECT_EQ(PathExists(path), c.exists) << c.relative;
    // Here every entry that is not there is missing (a folder that cannot be searched is not).
    EXPECT_EQ(PathMissing(path), !c.exists) << c.relative;
    EXPECT_EQ(IsDirectory(path), c.directory) << c.relative;
    EXPECT_EQ(CanEnterDirectory(path), c.directory) << c.relative;
  }
}

TEST(WithTrailingSeparator, AddsOneSeparatorOnly) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""}, {"/", "/"}, {"a", "a/"}, {"/daten/stat", "/daten/stat/"}, {"/daten/", "/daten/"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(WithTrailingSeparator(in), out) << in;
}

TEST(EqualsIgnoringAsciiCase, FoldsAsciiLettersOnly) {
  struct Case {
    std::string a;
    std::string b;
    bool equal;
  };
  const std::vector<Case> cases = {
      {"SCHULE", "schule", true},
      {"Bog1Tab1.TBD", "BOG1TAB1.tbd", true},
      {"", "", true},
      {"abc", "abcd", false},
      {"A1_.x", "a1_.X", true},
      {"[", "{", false},
      {"@", "`", false},
      {"\xC4", "\xE4", false},  // Ä and ä in Windows-1252
      {"KLASSE", "KLASSF", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EqualsIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_EQ(EqualsIgnoringAsciiCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
  }
}

}  // namespace
}  // namespace tab
