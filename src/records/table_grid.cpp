#include "records/table_grid.hpp"

#include <algorithm>
#include <utility>

namespace tab {
namespace {

const std::string kNoText;

// A width may be set for a column the grid does not have yet, but not for one no grid can have:
// sizes come from 16-bit numbers.
constexpr int kMaxWidthColumns = 65536;

}  // namespace

TableGrid::TableGrid(int cols, int rows, int fixedCols, int defaultColWidth, int defaultRowHeight,
                     int fixedRows)
    : colCount_(std::max(1, cols)),
      fixedCols_(fixedCols),
      fixedRows_(fixedRows),
      defaultColWidth_(defaultColWidth),
      defaultRowHeight_(defaultRowHeight),
      rows_(static_cast<std::size_t>(std::max(1, rows)), Row{{}, defaultRowHeight}) {}

void TableGrid::SetColCount(int cols) {
  cols = std::max(1, cols);
  if (cols < colCount_) {
    const auto kept = static_cast<std::size_t>(cols);
    for (Row& row : rows_) {
      if (row.cells.size() > kept) row.cells.resize(kept);
    }
  }
  colCount_ = cols;
}

void TableGrid::SetRowCount(int rows) {
  rows_.resize(static_cast<std::size_t>(std::max(1, rows)), Row{{}, defaultRowHeight_});
}

int TableGrid::ColWidth(int col) const {
  if (col < 0 || static_cast<std::size_t>(col) >= colWidths_.size()) return defaultColWidth_;
  return colWidths_[static_cast<std::size_t>(col)];
}

void TableGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= std::max(colCount_, kMaxWidthColumns)) return;
  const auto index = static_cast<std::size_t>(col);
  if (index >= colWidths_.size()) colWidths_.resize(index + 1, defaultColWidth_);
  colWidths_[index] = width;
}

int TableGrid::RowHeight(int row) const {
  if (row < 0 || row >= RowCount()) return defaultRowHeight_;
  return rows_[static_cast<std::size_t>(row)].height;
}

void TableGrid::SetRowHeight(int row, int height) {
  if (row < 0 || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)].height = height;
}

const std::string& TableGrid::Cell(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= RowCount()) return kNoText;
  const auto& cells = rows_[static_cast<std::size_t>(row)].cells;
  const auto index = static_cast<std::size_t>(col);
  return index < cells.size() ? cells[index] : kNoText;
}

void TableGrid::SetCell(int col, int row, std::string_view text) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= RowCount()) return;
  auto& cells = rows_[static_cast<std::size_t>(row)].cells;
  const auto index = static_cast<std::size_t>(col);
  if (index >= cells.size()) {
    if (text.empty()) return;  // already empty: no need to store it
    // The text may point into a cell of this row, which growing the row moves: copy it first.
    std::string copy(text);
    cells.resize(index + 1);
    cells[index] = std::move(copy);
    return;
  }
  cells[index].assign(text);
}

void TableGrid::ClearCells() {
  for (Row& row : rows_) row.cells = {};
}

void TableGrid::SwapRowCells(int a, int b) {
  if (a < 0 || b < 0 || a >= RowCount() || b >= RowCount()) return;
  std::swap(rows_[static_cast<std::size_t>(a)].cells, rows_[static_cast<std::size_t>(b)].cells);
}

}  // namespace tab
