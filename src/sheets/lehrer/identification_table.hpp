#pragma once
// The teacher identification table (StringGrid10): the school's list of teacher numbers and
// names, which stays at the school and is shown beside teacher table 0.
#include "sheets/sheet.hpp"

namespace tab::lehrer {

// Widths, definition file, then a running number in column 0 of every row from 1 on.
void SetUpIdentification(TableGrid& grid, const SheetContext& context);
// The school directory's LEHRER.CSV, one non-empty line per row from row 1 on.
void LoadIdentification(TableGrid& grid, const SheetContext& context);
// "nach Nummern sortieren": rows 1 to the last by the number in column 1.
void SortIdentificationByNumber(TableGrid& grid, const SheetContext& context);

}  // namespace tab::lehrer
