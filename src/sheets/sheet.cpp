#include "sheets/sheet.hpp"

#include <array>
#include <cstdio>

#include "records/file_names.hpp"
#include "records/key_files.hpp"

namespace tab {

void SetUpDesignedTable(TableGrid& grid, const SheetContext& context, const TableDesign& design) {
  SetUpTable(grid, context.paths.programDirectory, design.layout, context.port, context.definitions,
             context.readOnly ? DefinitionWrites::None : DefinitionWrites::Missing);
  const KeyRows& keys = design.keyRows;
  if (keys.file != nullptr) {
    LoadKeyRows(grid, context.paths.programDirectory, keys.file, keys.subject, keys.copyKey,
                context.port);
  }
}

std::span<const SheetDefinition* const> AllSheets() {
  static const std::array<const SheetDefinition*, 4> sheets = {&schnell::Sheet(), &schule::Sheet(),
                                                               &lehrer::Sheet(), &klassen::Sheet()};
  return sheets;
}

const TableEntry* FindTableEntry(SheetId sheet, int table) {
  for (const SheetDefinition* definition : AllSheets()) {
    if (definition->sheet != sheet) continue;
    for (const TableEntry& entry : definition->tables) {
      if (entry.table == table) return &entry;
    }
  }
  return nullptr;
}

std::string SchoolDataFile(const SheetContext& context, const char* folder, const char* suffix) {
  return ResolvePath(context.paths.schoolDirectory,
                     std::string(folder) + "/" + context.paths.schoolNumber + suffix);
}

std::string ClassDataFile(const SheetContext& context, int table) {
  char number[8];
  std::snprintf(number, sizeof number, "%02d", table);
  return ResolvePath(context.paths.schoolDirectory,
                     "KLASSE/" + context.paths.classId + number + ".CSV");
}

}  // namespace tab
