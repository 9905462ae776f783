#pragma once
// A table grid: text cells addressed by column and row (both from 0), fixed heading rows and
// columns, a default column width and row height, per-column widths and per-row heights.
// Cells hold Windows-1252 bytes. Memory follows the content, not the declared size: a grid of
// 65535 x 65535 cells with a few texts costs a few MB.
#include <string>
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

  // Empty text outside the grid or where nothing was written.
  const std::string& Cell(int col, int row) const;
  // Writes inside the grid only; a write outside is dropped.
  void SetCell(int col, int row, std::string_view text);
  // Empties every cell; sizes, widths and heights stay.
  void ClearCells();

  // The stored cells of a row (may be shorter than the column count: missing cells are empty).
  std::vector<std::string>& RowCells(int row) { return rows_[static_cast<std::size_t>(row)].cells; }
  const std::vector<std::string>& RowCells(int row) const {
    return rows_[static_cast<std::size_t>(row)].cells;
  }
  // Exchanges the texts of two rows; heights stay with the row positions.
  void SwapRowCells(int a, int b);

 private:
  struct Row {
    std::vector<std::string> cells;
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
