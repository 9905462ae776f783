#include "sheets/sheet.hpp"

#include <cstdio>

#include "records/file_names.hpp"

namespace tab {

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
