#include "support/sheets.hpp"

#include <stdexcept>
#include <string>

#include "app/window_layout.hpp"

namespace tab::test {

const TableEntry& TableOf(const SheetDefinition& sheet, int table) {
  for (const TableEntry& entry : sheet.tables) {
    if (entry.table == table) return entry;
  }
  throw std::out_of_range("sheet " + std::to_string(static_cast<int>(sheet.sheet)) +
                          " has no table " + std::to_string(table));
}

GridStep CommandOf(const SheetDefinition& sheet, ButtonId button) {
  for (const ButtonCommand& command : sheet.commands) {
    if (button == command.button) return command.run;
  }
  throw std::out_of_range("sheet " + std::to_string(static_cast<int>(sheet.sheet)) +
                          " has no command for button " + std::to_string(static_cast<int>(button)));
}

TableGrid DesignedGrid(GridId grid) {
  const GridDesign* design = FindGridDesign(grid);
  if (design == nullptr) {
    throw std::out_of_range("no grid " + std::to_string(static_cast<int>(grid)));
  }
  return TableGrid(design->cols, design->rows, design->fixedCols, design->defaultColWidth);
}

int ClassIndex(const PathState& paths, std::string_view classId) {
  for (std::size_t i = 0; i < paths.classes.size(); ++i) {
    if (paths.classes[i] == classId) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tab::test
