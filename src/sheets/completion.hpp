#pragma once
// The completion commands of the school and class pages: one rule over a fixed sequence of key
// files, read one after the other, so that the first file that knows a code decides.
#include <span>

#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"

namespace tab {

// Blank cells of textColumn get the text of the code in codeColumn.
void CompleteTextsFrom(TableGrid& grid, int codeColumn, int textColumn,
                       std::span<const char* const> keyFiles, const SheetContext& context);
// Blank cells of codeColumn get the code of the text in textColumn.
void CompleteKeysFrom(TableGrid& grid, int textColumn, int codeColumn,
                      std::span<const char* const> keyFiles, const SheetContext& context);

}  // namespace tab
