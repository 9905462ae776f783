#pragma once
// A table grid: text cells addressed by column and row (both from 0), fixed heading rows and
// columns, a default column width and row height, per-column widths and per-row heights.
// Cells hold Windows-1252 bytes. Memory follows the content, not the declared size: a grid of
// 65535 x 65535 cells with a few texts costs a few MB.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tab {

class TableGrid {
 public:
  TableGrid(int cols = 5, int rows = 5, int fixedCols = 1, int defaultColWidth = 64,
            int defaultRowHeight = 18, int fixedRows = 1);

  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Counts are at least 1. Shrinking drops the cells beyond the new size (and the heights of the
  // rows dropped); column widths stay and apply again when the grid grows. Rows that appear get
  // the default height and no text.
  void SetColCount(int cols);
  void SetRowCount(int rows);

  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  int DefaultColWidth() const { return defaultColWidth_; }
  int DefaultRowHeight() const { return defaultRowHeight_; }

  // A width set for a column beyond the grid is kept and applies once the grid has the column.
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowHeight(int row) const;
  void SetRowHeight(int row, int height);  // ignored outside the grid

  // Empty text outside the grid or where nothing was written. The view stays valid until the
  // next write to the same row (or until the row is dropped or the cells are cleared).
  std::string_view Cell(int col, int row) const;
  // Writes inside the grid only; a write outside is dropped. The text may be a cell of this grid,
  // even of the same row. A row holds at most 4 GiB of text; a write beyond that is dropped.
  void SetCell(int col, int row, std::string_view text);
  // Empties every cell; sizes, widths and heights stay. The rows keep their room for the next
  // texts of the same table.
  void ClearCells();
  // Writes texts[k] into column firstCol + k of the row, as SetCell would one after the other.
  void SetCells(int firstCol, int row, std::span<const std::string_view> texts);

  // How many cells a row keeps: up to the last one written (missing cells are empty).
  int StoredCells(int row) const;
  // Exchanges the texts of two rows; heights stay with the row positions.
  void SwapRowCells(int a, int b);
  // Rearranges rows: row first + i receives the texts row from[i] had. `from` lists each of
  // the rows first .. first + from.size() - 1 once. Heights stay with the row positions.
  void PermuteRows(int first, std::span<const int> from);

 private:
  // The texts of a row one after the other; cell c ends at ends[c] and begins where cell c - 1
  // ends. A vector's bytes do not move when the row does, so views of cells survive row moves.
  struct Row {
    std::vector<char> bytes;
    std::vector<std::uint32_t> ends;
    int height;
  };
  int colCount_;
  int fixedCols_;
  int fixedRows_;
  int defaultColWidth_;
  int defaultRowHeight_;
  std::vector<int> colWidths_;  // may be shorter or longer than the column count
  std::vector<Row> rows_;
};

}  // namespace tab
