#include "records/memory_files.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "records/file_names.hpp"
#include "records/key_files.hpp"
#include "records/line_reader.hpp"
#include "support/fixture.hpp"

namespace tab {
namespace {

using Names = std::vector<std::string>;

TEST(MemoryFiles, FilesAndTheFoldersOfTheirPaths) {
  MemoryFiles memory;
  memory.Put("/mem/db/13001/SCHULE/1300102.CSV", "a");
  memory.Put("/mem/program/SSSA.SSD", "b");
  memory.AddFolder("/mem/db/13002/");
  EXPECT_TRUE(PathExists("/mem/db/13001/SCHULE/1300102.CSV"));
  EXPECT_FALSE(IsDirectory("/mem/db/13001/SCHULE/1300102.CSV"));
  for (const char* folder : {"/", "/mem", "/mem/db/", "/mem/db/13001/SCHULE", "/mem/db/13002"}) {
    EXPECT_TRUE(IsDirectory(folder)) << folder;
    EXPECT_TRUE(PathExists(folder)) << folder;
  }
  EXPECT_FALSE(PathExists("/mem/db/13003"));
  EXPECT_FALSE(PathExists("/mem/db/13001/SCHULE/1300103.CSV"));
  EXPECT_EQ(memory.Names("/mem/db"), (Names{"13001", "13002"}));
  EXPECT_EQ(memory.Names("/mem/"), (Names{"db", "program"}));
  EXPECT_EQ(memory.Names("/mem/db/13001/SCHULE/"), (Names{"1300102.CSV"}));
  memory.Remove("/mem/program/SSSA.SSD");
  EXPECT_FALSE(PathExists("/mem/program/SSSA.SSD"));
  EXPECT_TRUE(IsDirectory("/mem/program"));
}

// The disk is out of sight while memory files are in use, and back afterwards.
TEST(MemoryFiles, HideTheDiskWhileInUse) {
  test::TempDir dir;
  const std::string path = dir.Make("DATEI.CSV");
  test::WriteBytes(path, "x\r\n");
  {
    MemoryFiles memory;
    EXPECT_FALSE(PathExists(path));
    EXPECT_FALSE(IsDirectory(dir.Path()));
    LineReader reader(path);
    EXPECT_EQ(reader.Error(), ENOENT);
  }
  EXPECT_TRUE(PathExists(path));
  LineReader reader(path);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "x");
}

TEST(MemoryFiles, NamesResolveWithoutRegardToCase) {
  MemoryFiles memory;
  memory.Put("/mem/db/13001/schule/1300102.csv", "");
  memory.Put("/mem/db/13001/KLASSE/KL000100.CSV", "");
  EXPECT_EQ(ResolvePath("/mem/db/13001/", "SCHULE/1300102.CSV"),
            "/mem/db/13001/schule/1300102.csv");
  EXPECT_EQ(ResolvePath("/mem/db/13001/", "klasse/kl000100.csv"),
            "/mem/db/13001/KLASSE/KL000100.CSV");
  // What is missing keeps the given spelling.
  EXPECT_EQ(ResolvePath("/mem/db/13001/", "LEHRER/1300100.CSV"),
            "/mem/db/13001/LEHRER/1300100.CSV");
}

TEST(MemoryFiles, ReadAsFilesAre) {
  MemoryFiles memory;
  memory.Put("/mem/LEHRER.CSV", "1;M\x81ller\r\n2;Schmidt");
  memory.AddFolder("/mem/SCHULE");
  LineReader reader("/mem/LEHRER.CSV");
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "1;M\x81ller");
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "2;Schmidt");
  EXPECT_FALSE(reader.Next(line));
  EXPECT_FALSE(reader.Failed());
  EXPECT_EQ(LineReader("/mem/SCHULE/").Error(), EISDIR);
  EXPECT_EQ(LineReader("/mem/FEHLT.CSV").Error(), ENOENT);

  std::string content = "alt";
  EXPECT_EQ(ReadWholeFile("/mem/LEHRER.CSV", content), 0);
  EXPECT_EQ(content, "1;M\x81ller\r\n2;Schmidt");
  EXPECT_EQ(ReadWholeFile("/mem/FEHLT.CSV", content), ENOENT);
}

TEST(MemoryFiles, NewFilesAreCreatedInMemoryOnly) {
  MemoryFiles memory;
  memory.AddFolder("/mem/program");
  EXPECT_EQ(CreateNewFile("/mem/program/BOG1TAB2.TBD", "19;10;Titel\r\n"), 0);
  EXPECT_EQ(CreateNewFile("/mem/program/BOG1TAB2.TBD", "anders"), EEXIST);
  EXPECT_EQ(CreateNewFile("/mem/program", "x"), EEXIST);
  EXPECT_EQ(CreateNewFile("/mem/fehlt/BOG1TAB2.TBD", "x"), ENOENT);
  ASSERT_NE(memory.File("/mem/program/BOG1TAB2.TBD"), nullptr);
  EXPECT_EQ(*memory.File("/mem/program/BOG1TAB2.TBD"), "19;10;Titel\r\n");
}

// A loader on memory files gives what it gives on the same files on disk.
TEST(MemoryFiles, KeyRowsLoadAsFromDisk) {
  const std::string bytes = "01;Grundschule\r\n02;Regionale Schule\r\n;ohne Code\r\n";
  test::TempDir dir;
  test::WriteBytes(dir.Make("SSSA.SSD"), bytes);
  RecordingPort port;
  TableGrid fromDisk(3, 2, 1, 64);
  ASSERT_TRUE(LoadKeyRows(fromDisk, dir.Path(), "SSSA.SSD", "Schlüssel\n", true, port));

  MemoryFiles memory;
  memory.Put("/mem/program/sssa.ssd", bytes);
  TableGrid fromMemory(3, 2, 1, 64);
  ASSERT_TRUE(LoadKeyRows(fromMemory, "/mem/program/", "SSSA.SSD", "Schlüssel\n", true, port));
  EXPECT_TRUE(port.Messages().empty());
  ASSERT_EQ(fromMemory.RowCount(), 5);
  ASSERT_EQ(fromDisk.RowCount(), 5);
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 3; ++col) {
      EXPECT_EQ(fromMemory.Cell(col, row), fromDisk.Cell(col, row)) << col << "," << row;
    }
  }
  EXPECT_EQ(fromMemory.Cell(1, 3), "Regionale Schule");
}

}  // namespace
}  // namespace tab
