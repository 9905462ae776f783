// The table writers and their output: the used extent of a grid, CSV cell by cell, and the
// buffered output to a file or a descriptor, with its failures.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>

#include <string>
#include <vector>

#include "export/csv_writer.hpp"
#include "export/output_sink.hpp"
#include "export/table_writer.hpp"
#include "records/table_grid.hpp"
#include "support/fixture.hpp"

namespace tab::test {
namespace {

struct Cell {
  int col;
  int row;
  std::string text;  // Windows-1252
};

TableGrid GridWith(int cols, int rows, int fixedCols, int fixedRows,
                   const std::vector<Cell>& cells) {
  TableGrid grid(cols, rows, fixedCols, 64, 18, fixedRows);
  for (const Cell& cell : cells) grid.SetCell(cell.col, cell.row, cell.text);
  return grid;
}

std::string WrittenBy(const TableWriter& writer, const TableGrid& grid) {
  TempDir temp;
  const std::string path = temp.Path() + "table.out";
  OutputSink sink(path);
  writer.Write(TableSource(grid), sink);
  EXPECT_TRUE(sink.Finish()) << sink.ErrorMessage();
  return ReadBytes(path);
}

struct ExtentCase {
  const char* name;
  int cols, rows, fixedCols, fixedRows;
  std::vector<Cell> cells;
  int extentCols, extentRows;
};

const ExtentCase kExtentCases[] = {
    {"EmptyGridKeepsTheFixedRowsAndColumns", 6, 8, 1, 1, {}, 1, 1},
    {"TwoFixedOfEach", 6, 8, 2, 2, {}, 2, 2},
    {"UpToTheLastCellWithText", 6, 8, 1, 1, {{2, 3, "x"}, {4, 1, "y"}}, 5, 4},
    {"AnEmptyTextDoesNotCount", 6, 8, 1, 1, {{2, 3, "x"}, {5, 7, "y"}, {5, 7, ""}}, 3, 4},
    {"ABlankCounts", 6, 8, 1, 1, {{5, 7, " "}}, 6, 8},
    {"FullGrid", 3, 2, 1, 1, {{2, 1, "z"}}, 3, 2},
    {"FixedCountsAboveTheSize", 3, 2, 9, 9, {}, 3, 2},
    {"DeclaredHugeWithAFewHeadings", 65535, 65535, 1, 1, {{2, 0, "a"}, {0, 9, "b"}}, 3, 10},
};

class Extents : public ::testing::TestWithParam<ExtentCase> {};

TEST_P(Extents, CoverTheFixedPartAndEveryCellWithText) {
  const ExtentCase& c = GetParam();
  const TableGrid grid = GridWith(c.cols, c.rows, c.fixedCols, c.fixedRows, c.cells);
  const TableSource table(grid);
  EXPECT_EQ(table.Cols(), c.extentCols);
  EXPECT_EQ(table.Rows(), c.extentRows);
  EXPECT_EQ(table.BeyondExtent(), c.extentCols < c.cols || c.extentRows < c.rows);
  EXPECT_EQ(&table.Grid(), &grid);
}

INSTANTIATE_TEST_SUITE_P(Cases, Extents, ::testing::ValuesIn(kExtentCases),
                         [](const ::testing::TestParamInfo<ExtentCase>& testCase) {
                           return std::string(testCase.param.name);
                         });

// Rows loaded from a data file keep their line as it is; their extent counts the same.
TEST(TableSource, RowsLoadedAsLinesCountTheirLastFieldWithText) {
  TableGrid grid(8, 5, 1, 64, 18, 1);
  const std::string line = "a;b;;";
  const std::vector<std::uint32_t> ends = {1, 3, 4, 5};
  grid.SetLineCells(2, 3, line, ends);
  const TableSource table(grid);
  EXPECT_EQ(table.Cols(), 4);  // "b" in column 3
  EXPECT_EQ(table.Rows(), 4);
}

struct CsvCase {
  const char* name;
  std::vector<Cell> cells;  // in a grid of 3 x 2, one fixed row and column
  std::string csv;
};

const CsvCase kCsvCases[] = {
    {"PlainCells", {{0, 0, "a"}, {1, 0, "b"}, {2, 1, "c"}}, "a,b,\r\n,,c\r\n"},
    {"CommaQuoted", {{2, 1, "1,5"}}, ",,\r\n,,\"1,5\"\r\n"},
    {"QuotesDoubled", {{2, 1, "er sagt \"ja\""}}, ",,\r\n,,\"er sagt \"\"ja\"\"\"\r\n"},
    {"LineBreaksQuoted", {{1, 1, "a\r\nb"}, {2, 1, "c\nd"}}, ",,\r\n,\"a\r\nb\",\"c\nd\"\r\n"},
    {"TabAndSemicolonAsTheyAre", {{2, 1, "a\tb;c"}}, ",,\r\n,,a\tb;c\r\n"},
    {"HighBytesAsUtf8", {{2, 1, "M\xFCller \x80 \xDF"}}, ",,\r\n,,Müller € ß\r\n"},
    {"HighBytesInQuotes", {{2, 1, "\xFC,\"\x80\""}}, ",,\r\n,,\"ü,\"\"€\"\"\"\r\n"},
    {"UndefinedBytesAsTheConversionGivesThem",
     {{2, 1, "\x81\x8D"}},
     ",,\r\n,,\xC2\x81\xC2\x8D\r\n"},
    {"OnlyTheFixedCellOfAnEmptyGrid", {}, "\r\n"},
};

class CsvCells : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvCells, AreWrittenAsUtf8WithTheirQuotes) {
  const CsvCase& c = GetParam();
  EXPECT_EQ(WrittenBy(CsvWriter(), GridWith(3, 2, 1, 1, c.cells)), c.csv);
}

INSTANTIATE_TEST_SUITE_P(Cases, CsvCells, ::testing::ValuesIn(kCsvCases),
                         [](const ::testing::TestParamInfo<CsvCase>& testCase) {
                           return std::string(testCase.param.name);
                         });

// Texts far longer than the output's buffer go out whole, quoted or not, across its ends.
TEST(CsvWriter, LongCellsCrossTheBufferEnds) {
  std::string plain;
  std::string plainUtf8;
  for (int i = 0; i < 700000; ++i) {
    plain += (i % 7 == 0) ? '\xFC' : static_cast<char>('a' + i % 26);
    plainUtf8 += (i % 7 == 0) ? std::string("ü") : std::string(1, plain.back());
  }
  const std::string quoted(300000, '"');
  const TableGrid grid = GridWith(3, 2, 1, 1, {{1, 1, plain}, {2, 1, quoted}});
  const std::string expected =
      ",,\r\n," + plainUtf8 + ",\"" + std::string(2 * quoted.size(), '"') + "\"\r\n";
  EXPECT_EQ(WrittenBy(CsvWriter(), grid), expected);
}

TEST(CsvWriter, WritesTheUsedExtentOfAHugeDeclaredGrid) {
  const TableGrid grid = GridWith(65535, 65535, 1, 1, {{2, 0, "Spalte"}, {0, 2, "Zeile"}});
  EXPECT_EQ(WrittenBy(CsvWriter(), grid), ",,Spalte\r\n,,\r\nZeile,,\r\n");
}

TEST(TableWriters, CsvIsFoundByItsFormat) {
  const TableWriter* csv = FindTableWriter("csv");
  ASSERT_NE(csv, nullptr);
  EXPECT_EQ(csv->Format(), "csv");
  EXPECT_EQ(FindTableWriter("json"), nullptr);  // the export tool's own, not a table format
  EXPECT_EQ(FindTableWriter("CSV"), nullptr);
  for (const TableWriter* writer : TableWriters())
    EXPECT_EQ(FindTableWriter(writer->Format()), writer);
}

TEST(OutputSink, NumbersAndPiecesArriveInOrder) {
  TempDir temp;
  const std::string path = temp.Path() + "out";
  OutputSink sink(path);
  ASSERT_FALSE(sink.Failed());
  std::string expected;
  for (int i = -5; i < 100000; ++i) {
    sink.WriteNumber(i);
    sink.Put(';');
    sink.Write("ab");
    expected += std::to_string(i) + ";ab";
  }
  char* room = sink.Room(OutputSink::kMostRoom);
  room[0] = 'X';
  room[1] = 'Y';
  sink.Commit(1);
  expected += "X";
  ASSERT_TRUE(sink.Finish());
  EXPECT_EQ(ReadBytes(path), expected);
}

TEST(OutputSink, AFileIsEmptiedFirst) {
  TempDir temp;
  const std::string path = temp.Path() + "out";
  WriteBytes(path, "old content that is longer");
  OutputSink sink(path);
  sink.Write("new");
  ASSERT_TRUE(sink.Finish());
  EXPECT_EQ(ReadBytes(path), "new");
}

TEST(OutputSink, AFileThatCannotBeCreatedFailsAtOnce) {
  TempDir temp;
  const std::string path = temp.Path() + "no-folder/out.csv";
  OutputSink sink(path);
  EXPECT_TRUE(sink.Failed());
  sink.Write("dropped");
  EXPECT_FALSE(sink.Finish());
  EXPECT_EQ(sink.ErrorMessage(), "Die Datei " + path + " konnte nicht geschrieben werden: " +
                                     "Datei oder Verzeichnis nicht gefunden");
}

// A full device takes nothing: the first write fails and the rest is dropped.
TEST(OutputSink, AFullDeviceFailsAndKeepsTheReason) {
  OutputSink sink(std::string("/dev/full"));
  ASSERT_FALSE(sink.Failed());
  const std::string block(100000, 'x');
  for (int i = 0; i < 10; ++i) sink.Write(block);
  EXPECT_TRUE(sink.Failed());
  EXPECT_FALSE(sink.Finish());
  EXPECT_EQ(sink.Error(), ENOSPC);
  EXPECT_EQ(sink.ErrorMessage(),
            "Die Datei /dev/full konnte nicht geschrieben werden: "
            "Kein Speicherplatz mehr auf dem Gerät");
}

}  // namespace
}  // namespace tab::test
