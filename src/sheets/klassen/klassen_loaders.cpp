// Loading the class tables placed by position (0, 10 and the lists 1, 3, 8) and the keyed tables
// (2, 4, 5, 6, 7) from the class files KLASSE/<class><NN>.CSV.
#include <array>

#include "records/fields.hpp"
#include "records/row_ops.hpp"
#include "sheets/klassen/klassen_layouts.hpp"
#include "sheets/klassen/klassen_tables.hpp"

namespace tab::klassen {

namespace {

// Fields of a record (capture columns ES001..), by table number.
constexpr std::array<int, kTableCount> kFieldCounts = {6, 5, 5, 6, 5, 3, 3, 5, 7, 5, 5};

int FieldCount(int table) {
  return kFieldCounts.at(static_cast<std::size_t>(table));
}

// The last row a keyed table compares and clears, however many key rows it has.
int RowLimit(int table) {
  switch (table) {
    case 2:
      return 12;
    case 4:
      return 15;
    case 5:
      return 7;
    case 6:
      return 11;
    case 7:
      return 13;
    default:
      return 0;
  }
}

constexpr int kBirthYearTable = 1;
constexpr int kGeneralDataTable = 0;

}  // namespace

void LoadSingleRecordTable(int table, TableGrid& grid, const SheetContext& context) {
  const int fields = FieldCount(table);
  if (!LoadSingleRecord(grid, ClassDataFile(context, table), fields, context.port)) return;
  if (table == kGeneralDataTable) DefaultDienststelle(grid, context.options);
}

void LoadListTable(int table, TableGrid& grid, const SheetContext& context) {
  const int fields = FieldCount(table);
  if (grid.RowCount() < kListMinRows) grid.SetRowCount(kListMinRows);
  DataFile file(ClassDataFile(context, table), fields);
  if (file.Exists()) {
    // Line j goes to row j, the id line into heading row 1; column 0 keeps its labels.
    int row = 0;
    while (file.Next()) {
      ++row;
      if (row + 1 > grid.RowCount()) grid.SetRowCount(row + 1);
      PutFields(grid, row, file, 1);
    }
    if (file.ReportFailure(context.port)) return;
    // The grid ends with the last record, also below ten rows.
    grid.SetRowCount(row + 1);
  } else {
    ClearCells(grid, 1, fields, 2, grid.RowCount() - 1);
  }
  if (table == kBirthYearTable) {
    // An id line cut short still shows the ids of the foreign-pupil columns.
    if (IsBlank(grid.Cell(4, 1))) grid.SetCell(4, 1, "ES004");
    if (IsBlank(grid.Cell(5, 1))) grid.SetCell(5, 1, "ES005");
  }
}

void LoadKeyedTable(int table, TableGrid& grid, const SheetContext& context) {
  const int fields = FieldCount(table);
  const int limit = RowLimit(table);
  const std::string path = ClassDataFile(context, table);
  SetRowHeights(grid, 2, limit, kFullRowHeight);
  if (context.options.prefillOff) {
    for (int row = 2; row <= limit && row < grid.RowCount(); ++row) CopyFromColumn0(grid, row, 2);
  }
  UnplacedRecords unplaced(context.unplacedLines);
  DataFile file(path, fields);
  if (file.Exists()) {
    const RowIndex rows(grid, 0, 1, limit);
    while (file.Next()) {
      if (file.Field(1).empty()) {
        unplaced.CountWithoutKey(file);
        continue;
      }
      // A record whose key names no row (the id line among them) is dropped without a count.
      for (int row : rows.Find(file.Field(1))) PutFields(grid, row, file, 2);
    }
    if (file.ReportFailure(context.port)) return;
  } else {
    ClearCells(grid, 2, fields + 1, 2, limit);
  }
  FillBlankColumn2FromColumn0(grid, 2, limit);
  if (ShouldReport(context.options, unplaced)) {
    context.port.Information(UnplacedMessage(path, unplaced.Count()));
  }
}

}  // namespace tab::klassen
