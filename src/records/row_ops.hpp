#pragma once
// Sorting the data rows of a grid. Keys are compared byte by byte as unsigned bytes. Rows whose
// key is empty never move and nothing passes them: each stretch between them is sorted by itself.
// Rows move as a whole (heights stay with the positions). The results equal those of repeated
// bubble passes, reached with stable sorts.
#include "records/table_grid.hpp"

namespace tab {

// Rows first..last ascending by the key column, equal keys ascending by the tie column (no tie
// step when tieColumn == keyColumn). A last row before the first row means the grid's last row.
void SortRows(TableGrid& grid, int firstRow, int lastRow, int keyColumn, int tieColumn);
// Ascending by key; columns 0..keptColumns-1 keep their place, the rest of each row moves.
void SortRowsKeepLeading(TableGrid& grid, int firstRow, int lastRow, int keyColumn,
                         int keptColumns);
// Descending by key, equal keys ascending by tie.
void SortRowsDescending(TableGrid& grid, int firstRow, int lastRow, int keyColumn, int tieColumn);
// Rows whose key is "9999" first (ascending by tie), then the others ascending by key and tie.
void SortRowsSpecialFirst(TableGrid& grid, int firstRow, int lastRow, int keyColumn, int tieColumn);
// Exchanges the texts of two rows.
void SwapRows(TableGrid& grid, int a, int b);

// Row heights of the keyed loaders: a full row and a lowered row.
inline constexpr int kFullRowHeight = 18;
inline constexpr int kLoweredRowHeight = 9;

}  // namespace tab
