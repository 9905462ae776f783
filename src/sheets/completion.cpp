#include "sheets/completion.hpp"

#include "records/key_files.hpp"

namespace tab {

void CompleteTextsFrom(TableGrid& grid, int codeColumn, int textColumn,
                       std::span<const char* const> keyFiles, const SheetContext& context) {
  if (codeColumn == textColumn) return;
  for (const char* file : keyFiles) {
    CompleteTexts(grid, codeColumn, textColumn, context.paths.programDirectory, file, context.port);
  }
}

void CompleteKeysFrom(TableGrid& grid, int textColumn, int codeColumn,
                      std::span<const char* const> keyFiles, const SheetContext& context) {
  if (codeColumn == textColumn) return;
  for (const char* file : keyFiles) {
    CompleteKeys(grid, textColumn, codeColumn, context.paths.programDirectory, file, context.port);
  }
}

}  // namespace tab
