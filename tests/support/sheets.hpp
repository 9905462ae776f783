#pragma once
// The registration of the report forms as tests and benchmarks drive them without a session:
// a table's steps, a button's command, a grid as the window creates it.
#include <string_view>

#include "app/path_state.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"

namespace tab::test {

// The registered table of a sheet; throws std::out_of_range when the sheet has none.
const TableEntry& TableOf(const SheetDefinition& sheet, int table);
// The command of a button of the sheet; throws std::out_of_range when it has none.
GridStep CommandOf(const SheetDefinition& sheet, ButtonId button);
// A grid with the size and defaults of its design.
TableGrid DesignedGrid(GridId grid);
// The index of a class in the class list of the paths, or -1.
int ClassIndex(const PathState& paths, std::string_view classId);

}  // namespace tab::test
