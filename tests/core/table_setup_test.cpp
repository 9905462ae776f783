#include "records/table_setup.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "records/file_names.hpp"
#include "records/text.hpp"
#include "support/child_process.hpp"
#include "support/fixture.hpp"
#include "support/other_user.hpp"

namespace tab {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr std::array<ColumnWidth, 2> kWidths = {{{0, 90}, {2, 40}}};
constexpr std::array<HeadingCell, 5> kHeadings = {{{0, 0, "Satzart 0"},
                                                   {1, 0, "DST Nr."},
                                                   {0, 1, "Erfassungsspalte"},
                                                   {1, 1, "ES001"},
                                                   {0, 2, "Größe"}}};
const TableLayout kLayout{"Bog0Tab0.TBD", "Schnell-Tabelle 0", kWidths, kHeadings, 0};

// What the first set-up of kLayout on a 4 x 3 grid writes.
const std::string kWritten =
    "4;3;Schnell-Tabelle 0\r\n"
    "0;0;Satzart 0\r\n"
    "1;0;DST Nr.\r\n"
    "0;1;Erfassungsspalte\r\n"
    "1;1;ES001\r\n"
    "0;2;Gr\xF6\xDF"
    "e\r\n";

// A grid of the design size whose cells hold something the set-up must clear.
TableGrid DesignGrid() {
  TableGrid grid(4, 3);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) grid.SetCell(c, r, "old");
  }
  return grid;
}

void ExpectBuiltInHeadings(const TableGrid& grid) {
  EXPECT_EQ(grid.Cell(0, 0), "Satzart 0");
  EXPECT_EQ(grid.Cell(1, 0), "DST Nr.");
  EXPECT_EQ(grid.Cell(0, 1), "Erfassungsspalte");
  EXPECT_EQ(grid.Cell(1, 1), "ES001");
  EXPECT_EQ(grid.Cell(0, 2),
            "Gr\xF6\xDF"
            "e");
  EXPECT_EQ(grid.Cell(3, 2), "");  // cleared, no heading there
}

void ExpectWidths(const TableGrid& grid) {
  EXPECT_EQ(grid.ColWidth(0), 90);
  EXPECT_EQ(grid.ColWidth(1), grid.DefaultColWidth());
  EXPECT_EQ(grid.ColWidth(2), 40);
}

class SetUpTableTest : public ::testing::Test {
 protected:
  std::string DefinitionPath() const { return dir.Path() + "Bog0Tab0.TBD"; }
  TempDir dir;
  RecordingPort port;
};

TEST_F(SetUpTableTest, FirstUseWritesTheBuiltInHeadings) {
  TableGrid grid = DesignGrid();
  ASSERT_TRUE(SetUpTable(grid, dir.Path(), kLayout, port));
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_EQ(ReadBytes(DefinitionPath()), kWritten);
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(grid.RowCount(), 3);
  ExpectBuiltInHeadings(grid);
  ExpectWidths(grid);
}

TEST_F(SetUpTableTest, SecondUseReadsTheSameGridBackAndKeepsTheFile) {
  TableGrid first = DesignGrid();
  ASSERT_TRUE(SetUpTable(first, dir.Path(), kLayout, port));
  TableGrid second(7, 9);
  second.SetCell(6, 8, "old");
  ASSERT_TRUE(SetUpTable(second, dir.Path(), kLayout, port));
  EXPECT_TRUE(port.Messages().empty());
  ASSERT_EQ(second.ColCount(), first.ColCount());
  ASSERT_EQ(second.RowCount(), first.RowCount());
  for (int r = 0; r < first.RowCount(); ++r) {
    for (int c = 0; c < first.ColCount(); ++c) EXPECT_EQ(second.Cell(c, r), first.Cell(c, r));
  }
  ExpectWidths(second);
  EXPECT_EQ(ReadBytes(DefinitionPath()), kWritten);
}

struct ReadCase {
  const char* name;
  std::string fileName;
  std::string bytes;
  int minRowsAfterRead;
  int cols;
  int rows;
  std::vector<HeadingCell> cells;  // expected texts (Windows-1252)
};

class DefinitionFiles : public SetUpTableTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(DefinitionFiles, DecideSizeAndHeadings) {
  const ReadCase& c = GetParam();
  const std::string path = dir.Path() + c.fileName;
  WriteBytes(path, c.bytes);
  TableLayout layout = kLayout;
  layout.minRowsAfterRead = c.minRowsAfterRead;
  TableGrid grid = DesignGrid();

  ASSERT_TRUE(SetUpTable(grid, dir.Path(), layout, port));

  EXPECT_TRUE(port.Messages().empty());
  EXPECT_EQ(grid.ColCount(), c.cols);
  EXPECT_EQ(grid.RowCount(), c.rows);
  for (const HeadingCell& cell : c.cells) {
    EXPECT_EQ(grid.Cell(cell.col, cell.row), cell.text) << cell.col << "," << cell.row;
  }
  ExpectWidths(grid);
  EXPECT_EQ(ReadBytes(path), c.bytes);  // never rewritten
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);  // and no second file with the built-in spelling
}

INSTANTIATE_TEST_SUITE_P(
    Files, DefinitionFiles,
    ::testing::Values(
        ReadCase{"HandEditedCaption",
                 "Bog0Tab0.TBD",
                 "4;3;Schnell-Tabelle 0\r\n1;0;Klassen gesamt\r\n0;1;Nr.\r\n",
                 0,
                 4,
                 3,
                 {{1, 0, "Klassen gesamt"}, {0, 1, "Nr."}, {0, 0, ""}, {0, 2, ""}}},
        ReadCase{"FewerRowsGiveASmallerGrid",
                 "Bog0Tab0.TBD",
                 "4;2;T\r\n0;0;A\r\n",
                 0,
                 4,
                 2,
                 {{0, 0, "A"}}},
        ReadCase{"EmptyFileKeepsSizeWithoutHeadings",
                 "Bog0Tab0.TBD",
                 "",
                 0,
                 4,
                 3,
                 {{0, 0, ""}, {1, 0, ""}, {3, 2, ""}}},
        ReadCase{"ZeroSizeGivesOneCell",
                 "Bog0Tab0.TBD",
                 "0;0;T\r\n0;0;only\r\n",
                 0,
                 1,
                 1,
                 {{0, 0, "only"}}},
        ReadCase{"MinimumRowsAfterRead", "Bog0Tab0.TBD", "4;2;T\r\n", 10, 4, 10, {}},
        ReadCase{"MoreRowsThanTheMinimumStay", "Bog0Tab0.TBD", "4;12;T\r\n", 10, 4, 12, {}},
        ReadCase{"EmptyLinesAreSkipped",
                 "Bog0Tab0.TBD",
                 "3;3;T\r\n0;0;A\r\n\r\n1;1;B\r\n",
                 0,
                 3,
                 3,
                 {{0, 0, "A"}, {1, 1, "B"}}},
        ReadCase{"EntriesOutsideTheGridAreDropped",
                 "Bog0Tab0.TBD",
                 "2;2;T\r\n5;1;X\r\n1;5;Y\r\n",
                 0,
                 2,
                 2,
                 {{1, 1, ""}}},
        ReadCase{"InvalidNumbersLandInCellZero",
                 "Bog0Tab0.TBD",
                 "2;2;T\r\n1 ;x;Z\r\n",
                 0,
                 2,
                 2,
                 {{0, 0, "Z"}}},
        ReadCase{
            "LowerCaseName", "bog0tab0.tbd", "2;2;T\r\n1;1;\xC4\r\n", 0, 2, 2, {{1, 1, "\xC4"}}},
        ReadCase{
            "WithoutFinalLineEnd", "Bog0Tab0.TBD", "2;2;T\r\n1;0;last", 0, 2, 2, {{1, 0, "last"}}}),
    [](const ::testing::TestParamInfo<ReadCase>& testCase) { return testCase.param.name; });

TEST_F(SetUpTableTest, HugeDeclaredSizeStaysCheap) {
  WriteBytes(DefinitionPath(), "65535;65535;T\r\n65534;65534;corner\r\n1;0;X\r\n");
  TableGrid grid = DesignGrid();
  ASSERT_TRUE(SetUpTable(grid, dir.Path(), kLayout, port));
  EXPECT_EQ(grid.ColCount(), 65535);
  EXPECT_EQ(grid.RowCount(), 65535);
  EXPECT_EQ(grid.Cell(65534, 65534), "corner");
  EXPECT_EQ(grid.Cell(1, 0), "X");
  EXPECT_EQ(grid.StoredCells(100), 0);  // no row holds storage for 65535 cells
}

// A heading far right in every row: the memory follows the headings, not their column numbers.
// 65,535 of them cost 17 GB when every row kept room for every column up to its last.
TEST_F(SetUpTableTest, AHeadingFarRightInEveryRowCostsLittle) {
  if (!test::AddressSpaceLimitsWork()) GTEST_SKIP() << "no address-space limit under ASan";
  std::string definition = "65535;65535;T\r\n0;0;Satzart 0\r\n";
  for (int row = 0; row < 65535; ++row) definition += "65534;" + std::to_string(row) + ";x\r\n";
  WriteBytes(DefinitionPath(), definition);
  const test::ChildOutcome outcome = test::RunInChild(
      [&](std::string& report) {
        TableGrid grid = DesignGrid();
        if (!SetUpTable(grid, dir.Path(), kLayout, port)) report += "not set up\n";
        for (const int row : {0, 1, 30000, 65534}) {
          if (grid.Cell(65534, row) != "x") report += "row " + std::to_string(row) + "\n";
        }
        if (grid.Cell(0, 0) != "Satzart 0" || grid.Cell(65533, 7) != "") report += "cells\n";
        return report.empty() ? 0 : 1;
      },
      {.seconds = 60, .memoryHeadroom = 100u << 20});
  EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
}

// Random definition files in place of Bog0Tab0.TBD: a named pipe, a link to /dev/zero, a
// folder, or a file of scattered headings up to column and row 65534. Each set-up ends at once
// with the headings it read (or a cleared grid and one message naming the file), within a
// memory limit that the cells' column numbers would break many times over.
TEST_F(SetUpTableTest, NonRegularAndSparseDefinitionFilesEndWithinLimits) {
  if (!test::AddressSpaceLimitsWork()) GTEST_SKIP() << "no address-space limit under ASan";
  std::mt19937 random(19u);
  const auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int round = 0; round < 24; ++round) {
    SCOPED_TRACE(round);
    const std::string path = DefinitionPath();
    std::filesystem::remove_all(path);
    const int kind = pick(0, 5);  // 0 pipe, 1 /dev/zero, 2 folder, else a sparse file
    std::map<std::pair<int, int>, std::string> headings;
    if (kind == 0) {
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    } else if (kind == 1) {
      std::filesystem::create_symlink("/dev/zero", path);
    } else if (kind == 2) {
      std::filesystem::create_directory(path);
    } else {
      std::string definition = "65535;65535;T\r\n";
      const int count = pick(1, 4000);
      for (int i = 0; i < count; ++i) {
        const int col = pick(0, 9) < 7 ? 65534 - pick(0, 20) : pick(0, 65534);
        const int row = pick(0, 65534);
        const std::string text = "h" + std::to_string(i);
        definition += std::to_string(col) + ";" + std::to_string(row) + ";" + text + "\r\n";
        headings[{col, row}] = text;  // a later line writes over an earlier one
      }
      WriteBytes(path, definition);
    }
    const test::ChildOutcome outcome = test::RunInChild(
        [&](std::string& report) {
          TableGrid grid = DesignGrid();
          RecordingPort childPort;
          const bool read = SetUpTable(grid, dir.Path(), kLayout, childPort);
          if (read != (kind > 2)) report += "set-up result\n";
          if (kind <= 2) {
            const std::string why = kind == 2 ? "Ist ein Verzeichnis" : "ist keine normale Datei";
            if (childPort.Messages().size() != 1 ||
                childPort.Messages()[0].text != path + "\n" + why) {
              report += "message\n";
            }
            if (!grid.Cell(0, 0).empty()) report += "not cleared\n";
          }
          for (const auto& [cell, text] : headings) {
            if (grid.Cell(cell.first, cell.second) != text) report += "cell " + text + "\n";
          }
          return report.empty() ? 0 : 1;
        },
        {.seconds = 30, .memoryHeadroom = 150u << 20});
    EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
  }
}

struct UnwritableCase {
  const char* name;
  // Prepares the program folder inside `dir` and returns it.
  std::string (*prepare)(const TempDir& dir);
  int error;
};

class UnwritableFolders : public SetUpTableTest,
                          public ::testing::WithParamInterface<UnwritableCase> {};

// The set-ups run as another user when the tests run as root: a read-only folder binds root
// only after it has given up root.
TEST_P(UnwritableFolders, GiveOneErrorAndStillShowTheHeadings) {
  const UnwritableCase& c = GetParam();
  const std::string programDir = c.prepare(dir);
  test::RunAsAnotherUser(dir, [&] {
    TableGrid grid = DesignGrid();
    EXPECT_FALSE(SetUpTable(grid, programDir, kLayout, port));
    ASSERT_EQ(port.Messages().size(), 1u);
    EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
    EXPECT_EQ(port.Messages()[0].text,
              WithTrailingSeparator(programDir) + "Bog0Tab0.TBD\n" + ErrorText(c.error));
    ExpectBuiltInHeadings(grid);
    ExpectWidths(grid);
    EXPECT_FALSE(PathExists(WithTrailingSeparator(programDir) + "Bog0Tab0.TBD"));
  });
}

// With the session's notice the folder is told once, however many tables and showings follow;
// another folder is told again.
TEST_P(UnwritableFolders, WithANoticeAreToldOncePerFolder) {
  const UnwritableCase& c = GetParam();
  const std::string programDir = c.prepare(dir);
  // The other user may write the writable folder.
  test::HandToOtherUser(dir.Path());
  test::RunAsAnotherUser(dir, [&] {
    const TableLayout other{"Bog1Tab0.TBD", "Schul-Tabelle 0", kWidths, kHeadings, 0};
    DefinitionFileNotice notice;
    for (int showing = 0; showing < 3; ++showing) {
      for (const TableLayout* layout : {&kLayout, &other}) {
        TableGrid grid = DesignGrid();
        EXPECT_FALSE(SetUpTable(grid, programDir, *layout, port, &notice));
        ExpectBuiltInHeadings(grid);
        ExpectWidths(grid);
      }
    }
    const std::string folder = WithTrailingSeparator(programDir);
    ASSERT_EQ(port.Messages().size(), 1u);
    EXPECT_EQ(port.Messages()[0].kind, MessageKind::Warning);
    EXPECT_EQ(port.Messages()[0].text, UnwritableDefinitionFolderMessage(folder, c.error));
    EXPECT_EQ(port.Messages()[0].text, "Im Programmverzeichnis\n" + folder +
                                           "\nkönnen keine Tabellen-Definitionsdateien (.TBD) "
                                           "angelegt werden:\n" +
                                           ErrorText(c.error) +
                                           "\nDie Tabellen werden mit ihren eingebauten "
                                           "Überschriften angezeigt.");

    // A writable folder is no concern of the notice; a second unwritable one is told once more.
    TableGrid grid = DesignGrid();
    EXPECT_TRUE(SetUpTable(grid, dir.Path(), kLayout, port, &notice));
    EXPECT_EQ(port.Messages().size(), 1u);
    EXPECT_FALSE(SetUpTable(grid, dir.Path() + "also-gone/", kLayout, port, &notice));
    ASSERT_EQ(port.Messages().size(), 2u);
    EXPECT_EQ(port.Messages()[1].text,
              UnwritableDefinitionFolderMessage(dir.Path() + "also-gone/", ENOENT));
  });
}

INSTANTIATE_TEST_SUITE_P(
    Folders, UnwritableFolders,
    ::testing::Values(UnwritableCase{"ReadOnly",
                                     [](const TempDir& dir) -> std::string {
                                       const std::string folder = dir.Path() + "readonly";
                                       std::filesystem::create_directory(folder);
                                       ::chmod(folder.c_str(), 0555);
                                       return folder;
                                     },
                                     EACCES},
                      UnwritableCase{
                          "Missing",
                          [](const TempDir& dir) -> std::string { return dir.Path() + "gone/"; },
                          ENOENT},
                      UnwritableCase{"AFileInsteadOfAFolder",
                                     [](const TempDir& dir) -> std::string {
                                       WriteBytes(dir.Path() + "plain", "x");
                                       return dir.Path() + "plain";
                                     },
                                     ENOTDIR}),
    [](const ::testing::TestParamInfo<UnwritableCase>& testCase) { return testCase.param.name; });

// A definition file that is there but cannot be read is an error of that file at every showing,
// notice or not.
TEST_F(SetUpTableTest, ReadErrorsAreShownAtEveryShowing) {
  std::filesystem::create_directory(DefinitionPath());
  DefinitionFileNotice notice;
  for (int showing = 0; showing < 2; ++showing) {
    TableGrid grid = DesignGrid();
    EXPECT_FALSE(SetUpTable(grid, dir.Path(), kLayout, port, &notice));
  }
  ASSERT_EQ(port.Messages().size(), 2u);
  for (const RecordingPort::Message& message : port.Messages()) {
    EXPECT_EQ(message.kind, MessageKind::Error);
    EXPECT_EQ(message.text, DefinitionPath() + "\nIst ein Verzeichnis");
  }
}

TEST_F(SetUpTableTest, DefinitionFileThatIsAFolderGivesAnError) {
  std::filesystem::create_directory(DefinitionPath());
  TableGrid grid = DesignGrid();
  EXPECT_FALSE(SetUpTable(grid, dir.Path(), kLayout, port));
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(port.Messages()[0].text, DefinitionPath() + "\n" + ErrorText(EISDIR));
  EXPECT_EQ(grid.Cell(0, 0), "");
  ExpectWidths(grid);
}

}  // namespace
}  // namespace tab
