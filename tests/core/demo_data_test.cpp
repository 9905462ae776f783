// The demo data of the repository are generated: writing them again gives the committed files
// byte for byte, and every committed file of the demo but the settings and the help is one that
// the generator writes.
#include "tools/demo/demo.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/fixture.hpp"

namespace tab::test {
namespace {

namespace fs = std::filesystem;

const std::string kDemo = std::string(TABELLARIO_SOURCE_DIR) + "/demo/";

// The files below program/ and db/ of `folder`, as paths relative to it.
std::set<std::string> DemoFiles(const std::string& folder) {
  std::set<std::string> files;
  for (const char* part : {"program", "db"}) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder + part)) {
      if (!entry.is_directory()) files.insert(entry.path().lexically_relative(folder).string());
    }
  }
  return files;
}

TEST(DemoData, RegeneratingGivesTheCommittedFilesByteForByte) {
  TempDir temp;
  demo::WriteDemo(temp.Path());
  const std::set<std::string> generated = DemoFiles(temp.Path());
  std::set<std::string> committed = DemoFiles(kDemo);
  for (const char* kept : demo::kKeptProgramFiles) {
    const std::string path = std::string("program/") + kept;
    EXPECT_EQ(committed.erase(path), 1u) << path << " is not committed";
    EXPECT_FALSE(generated.contains(path)) << path << " is kept, not generated";
  }
  ASSERT_TRUE(generated.contains("db/13001/KLASSE/BS1A0102.CSV"));
  for (const std::string& path : committed) {
    EXPECT_TRUE(generated.contains(path)) << path << " is committed but not generated";
  }
  for (const std::string& path : generated) {
    if (!committed.contains(path)) {
      ADD_FAILURE() << path << " is generated but not committed";
    } else {
      EXPECT_EQ(ReadBytes(temp.Path() + path), ReadBytes(kDemo + path)) << path;
    }
  }
}

}  // namespace
}  // namespace tab::test
