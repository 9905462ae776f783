#include "sheets/completion.hpp"

#include <string_view>
#include <vector>

#include "records/key_files.hpp"

namespace tab {

namespace {

std::vector<std::string_view> Names(std::span<const char* const> keyFiles) {
  return {keyFiles.begin(), keyFiles.end()};
}

}  // namespace

void CompleteTextsFrom(TableGrid& grid, int codeColumn, int textColumn,
                       std::span<const char* const> keyFiles, const SheetContext& context) {
  CompleteTexts(grid, codeColumn, textColumn, context.paths.programDirectory, Names(keyFiles),
                context.port);
}

void CompleteKeysFrom(TableGrid& grid, int textColumn, int codeColumn,
                      std::span<const char* const> keyFiles, const SheetContext& context) {
  CompleteKeys(grid, textColumn, codeColumn, context.paths.programDirectory, Names(keyFiles),
               context.port);
}

}  // namespace tab
