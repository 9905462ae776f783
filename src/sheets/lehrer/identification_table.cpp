#include "sheets/lehrer/identification_table.hpp"

#include <string>
#include <vector>

#include "records/fields.hpp"
#include "records/file_names.hpp"
#include "records/line_reader.hpp"
#include "records/placement.hpp"
#include "records/row_ops.hpp"
#include "records/text.hpp"
#include "sheets/lehrer/lehrer_layouts.hpp"

namespace tab::lehrer {

namespace {

// Number, surname, first name; further fields of a line are ignored.
constexpr int kListFields = 3;

// The running numbers of the set-up have at least two digits: 01 to 09, then 10, 11, ... 100.
std::string RunningNumber(int row) {
  std::string number = std::to_string(row);
  if (number.size() < 2) number.insert(0, 1, '0');
  return number;
}

}  // namespace

void SetUpIdentification(TableGrid& grid, const SheetContext& context) {
  SetUpDesignedTable(grid, context, kIdentification);
  for (int row = 1; row < grid.RowCount(); ++row) grid.SetCell(0, row, RunningNumber(row));
}

void LoadIdentification(TableGrid& grid, const SheetContext& context) {
  // The school's own list only; there is no fallback to the program directory.
  const std::string path = ResolvePath(context.paths.schoolDirectory, "LEHRER.CSV");
  if (PathMissing(path)) {
    ClearCells(grid, 1, kListFields, 1, grid.RowCount() - 1);
    return;
  }
  LineReader reader(path);
  std::string line;
  std::vector<std::string_view> fields;
  int row = 0;
  while (reader.Next(line)) {
    // An empty line leaves no gap: the next teacher takes the next row.
    if (line.empty()) continue;
    OemToWin1252InPlace(line);
    SplitRecord(line, kListFields, fields);
    ++row;
    // Rows the set-up did not number (and the last one it did) get the plain number.
    if (row >= grid.RowCount() - 1) {
      grid.SetRowCount(row + 1);
      grid.SetCell(0, row, std::to_string(row));
    }
    PutFields(grid, row, fields, 1);
  }
  if (reader.Failed()) context.port.IoError(path, reader.Error());
}

void SortIdentificationByNumber(TableGrid& grid, const SheetContext& /*context*/) {
  SortRows(grid, 1, grid.RowCount() - 1, 1, 1);
}

}  // namespace tab::lehrer
