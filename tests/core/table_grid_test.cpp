#include "records/table_grid.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tab {
namespace {

std::size_t StoredCells(const TableGrid& grid) {
  std::size_t n = 0;
  for (int r = 0; r < grid.RowCount(); ++r) n += grid.RowCells(r).size();
  return n;
}

TEST(TableGrid, ConstructorKeepsItsSettings) {
  const TableGrid grid(20, 32, 2, 80, 18, 2);
  EXPECT_EQ(grid.ColCount(), 20);
  EXPECT_EQ(grid.RowCount(), 32);
  EXPECT_EQ(grid.FixedCols(), 2);
  EXPECT_EQ(grid.FixedRows(), 2);
  EXPECT_EQ(grid.DefaultColWidth(), 80);
  EXPECT_EQ(grid.DefaultRowHeight(), 18);
  EXPECT_EQ(grid.ColWidth(19), 80);
  EXPECT_EQ(grid.RowHeight(31), 18);
  EXPECT_EQ(StoredCells(grid), 0u);
}

TEST(TableGrid, CountsAreAtLeastOne) {
  struct Case {
    int asked;
    int count;
  };
  for (const Case c : {Case{0, 1}, Case{-7, 1}, Case{1, 1}, Case{3, 3}}) {
    const TableGrid made(c.asked, c.asked);
    EXPECT_EQ(made.ColCount(), c.count) << c.asked;
    EXPECT_EQ(made.RowCount(), c.count) << c.asked;
    TableGrid set(5, 5);
    set.SetColCount(c.asked);
    set.SetRowCount(c.asked);
    EXPECT_EQ(set.ColCount(), c.count) << c.asked;
    EXPECT_EQ(set.RowCount(), c.count) << c.asked;
  }
}

TEST(TableGrid, WritesOutsideTheGridAreDropped) {
  TableGrid grid(3, 4);
  struct Place {
    int col;
    int row;
  };
  for (const Place p : {Place{-1, 0}, Place{0, -1}, Place{3, 0}, Place{0, 4}, Place{99, 99}}) {
    grid.SetCell(p.col, p.row, "x");
    EXPECT_EQ(grid.Cell(p.col, p.row), "") << p.col << "," << p.row;
  }
  EXPECT_EQ(StoredCells(grid), 0u);
  grid.SetCell(2, 3, "ecke");
  EXPECT_EQ(grid.Cell(2, 3), "ecke");
  EXPECT_EQ(grid.Cell(1, 3), "");
}

TEST(TableGrid, StoresCellsOnlyUpToTheLastWrittenColumn) {
  TableGrid grid(10, 3);
  grid.SetCell(8, 1, "");
  EXPECT_TRUE(grid.RowCells(1).empty());  // an empty text needs no storage
  grid.SetCell(3, 1, "a");
  EXPECT_EQ(grid.RowCells(1).size(), 4u);
  grid.SetCell(1, 1, "");  // inside the stored cells: overwritten
  grid.SetCell(3, 1, "b");
  EXPECT_EQ(grid.RowCells(1), (std::vector<std::string>{"", "", "", "b"}));
  EXPECT_TRUE(grid.RowCells(0).empty());
}

TEST(TableGrid, ShrinkingColumnsDropsTheirCells) {
  TableGrid grid(6, 3);
  grid.SetCell(5, 1, "weg");
  grid.SetCell(1, 1, "bleibt");
  grid.SetCell(0, 2, "kurz");
  grid.SetColCount(2);
  EXPECT_EQ(grid.RowCells(1).size(), 2u);
  EXPECT_EQ(grid.RowCells(2).size(), 1u);
  grid.SetColCount(6);
  EXPECT_EQ(grid.Cell(5, 1), "");
  EXPECT_EQ(grid.Cell(1, 1), "bleibt");
  EXPECT_EQ(grid.Cell(0, 2), "kurz");
}

TEST(TableGrid, RowsThatAppearAreEmptyWithDefaultHeight) {
  TableGrid grid(3, 4, 1, 64, 18);
  grid.SetCell(1, 3, "alt");
  grid.SetRowHeight(3, 9);
  grid.SetRowCount(2);
  EXPECT_EQ(grid.Cell(1, 3), "");
  EXPECT_EQ(grid.RowHeight(3), 18);
  grid.SetRowCount(5);
  EXPECT_EQ(grid.Cell(1, 3), "");
  EXPECT_EQ(grid.RowHeight(3), 18);
  EXPECT_EQ(grid.RowCount(), 5);
}

TEST(TableGrid, RowHeightsInsideTheGridOnly) {
  TableGrid grid(2, 3, 1, 64, 18);
  grid.SetRowHeight(1, 9);
  grid.SetRowHeight(3, 40);
  grid.SetRowHeight(-1, 40);
  EXPECT_EQ(grid.RowHeight(1), 9);
  EXPECT_EQ(grid.RowHeight(3), 18);
  EXPECT_EQ(grid.RowHeight(-1), 18);
  EXPECT_EQ(grid.RowCount(), 3);
}

TEST(TableGrid, ColumnWidthsOutlastTheColumnCount) {
  TableGrid grid(3, 2, 1, 64);
  grid.SetColWidth(1, 120);
  grid.SetColWidth(7, 30);  // beyond the grid: kept for later
  grid.SetColWidth(-1, 99);
  EXPECT_EQ(grid.ColWidth(1), 120);
  EXPECT_EQ(grid.ColWidth(7), 30);
  EXPECT_EQ(grid.ColWidth(5), 64);
  EXPECT_EQ(grid.ColWidth(-1), 64);
  grid.SetColCount(8);
  EXPECT_EQ(grid.ColWidth(7), 30);
  grid.SetColCount(1);
  grid.SetColCount(8);
  EXPECT_EQ(grid.ColWidth(1), 120);
  EXPECT_EQ(grid.ColWidth(7), 30);
}

TEST(TableGrid, ClearCellsKeepsSizesWidthsAndHeights) {
  TableGrid grid(4, 4);
  grid.SetColWidth(2, 50);
  grid.SetRowHeight(2, 9);
  grid.SetCell(3, 3, "x");
  grid.SetCell(0, 0, "y");
  grid.ClearCells();
  EXPECT_EQ(grid.Cell(3, 3), "");
  EXPECT_EQ(grid.Cell(0, 0), "");
  EXPECT_EQ(StoredCells(grid), 0u);
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.ColWidth(2), 50);
  EXPECT_EQ(grid.RowHeight(2), 9);
}

TEST(TableGrid, SwapRowCellsLeavesHeightsInPlace) {
  TableGrid grid(3, 4, 1, 64, 18);
  grid.SetCell(0, 1, "a");
  grid.SetCell(2, 1, "a2");
  grid.SetCell(1, 2, "b");
  grid.SetRowHeight(1, 9);
  grid.SwapRowCells(1, 2);
  EXPECT_EQ(grid.Cell(1, 1), "b");
  EXPECT_EQ(grid.Cell(0, 1), "");
  EXPECT_EQ(grid.Cell(0, 2), "a");
  EXPECT_EQ(grid.Cell(2, 2), "a2");
  EXPECT_EQ(grid.RowHeight(1), 9);
  EXPECT_EQ(grid.RowHeight(2), 18);
}

TEST(TableGrid, DeclaredSizeCostsNothingUntilWritten) {
  TableGrid grid;
  grid.SetRowCount(65535);
  grid.SetColCount(65535);
  grid.SetCell(65534, 65534, "x");
  grid.SetCell(2, 2, "y");
  EXPECT_EQ(grid.Cell(65534, 65534), "x");
  EXPECT_EQ(grid.Cell(30000, 30000), "");
  EXPECT_EQ(grid.Cell(65534, 2), "");
  // Only the written rows hold cells, each up to its last written column.
  EXPECT_EQ(StoredCells(grid), 65535u + 3u);
}

}  // namespace
}  // namespace tab

namespace tab {
namespace {

// Copying a cell of a row into a later column of the same row grows the row; the copied text
// must survive that (column 2 filled from column 0 is the common case).
TEST(TableGridAliasing, CellCopiedWithinItsRowWhileTheRowGrows) {
  TableGrid grid(8, 3, 1, 64);
  grid.SetCell(0, 1, "07");
  grid.SetCell(6, 1, grid.Cell(0, 1));
  EXPECT_EQ(grid.Cell(6, 1), "07");
  EXPECT_EQ(grid.Cell(0, 1), "07");
}

}  // namespace
}  // namespace tab
