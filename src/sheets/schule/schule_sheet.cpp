// The school report (Bogen 1): tables 0 and 4 take one record by position, tables 2 and 3 list
// their file line by line, table 1 places its records by school-type code.
#include <algorithm>
#include <array>

#include "records/fields.hpp"
#include "records/row_ops.hpp"
#include "sheets/completion.hpp"
#include "sheets/schule/schule_layouts.hpp"
#include "sheets/sheet.hpp"

namespace tab::schule {

namespace {

// Table 1 places data into rows 1 to 31 only, however many school types SSSA.SSD lists.
constexpr int kTable1RowLimit = 31;
constexpr int kTable1Fields = 16;

// ---- loaders ------------------------------------------------------------------------------

// Single-record tables: the id line goes to row 1, the record to row 2, fields from column 1;
// further lines are not read. Without a file the record's cells are emptied. False after a
// read error (reported): the loading ends there.
bool LoadSingleRecord(TableGrid& grid, const SheetContext& context, const char* suffix,
                      int fieldCount) {
  return LoadSingleRecord(grid, SchoolDataFile(context, "SCHULE", suffix), fieldCount,
                          context.port);
}

// List tables: line j goes to row j, and the grid ends with the file's last line. Without a
// file the data cells are emptied and the rows stay.
void LoadList(TableGrid& grid, const SheetContext& context, const char* suffix, int fieldCount) {
  if (grid.RowCount() < kListTableMinRows) grid.SetRowCount(kListTableMinRows);
  DataFile file(SchoolDataFile(context, "SCHULE", suffix), fieldCount);
  if (!file.Exists()) {
    ClearCells(grid, 1, fieldCount, 2, grid.RowCount() - 1);
    return;
  }
  // Row numbers are not limited to 16 bits: a file of 70,000 lines shows 70,000 rows. The grid
  // grows a few hundred rows ahead (new rows are still in the cache when their lines come) and
  // ends with the file's last line.
  constexpr int kRowsAhead = 256;
  const int rowsBefore = grid.RowCount();
  int row = 1;
  for (; file.Next(); ++row) {
    if (row >= grid.RowCount()) grid.SetRowCount(row + kRowsAhead);
    PutFields(grid, row, file, 1);
  }
  if (file.ReportFailure(context.port)) {
    grid.SetRowCount(std::max(rowsBefore, row));  // the rows read so far stay
    return;
  }
  // Lines read + 1 rows: an empty file leaves only the heading row 0.
  grid.SetRowCount(row);
}

void LoadTable0(TableGrid& grid, const SheetContext& context) {
  if (!LoadSingleRecord(grid, context, "00.CSV", 3)) return;
  // A report without its Dienststelle number shows the one of the settings.
  DefaultDienststelle(grid, context.options);
}

void LoadTable1(TableGrid& grid, const SheetContext& context) {
  const std::string path = SchoolDataFile(context, "SCHULE", "01.CSV");
  const bool lower = context.options.lowerRowsWithoutData;
  SetRowHeights(grid, 2, kTable1RowLimit, lower ? kLoweredRowHeight : kFullRowHeight);
  UnplacedRecords unplaced(context.unplacedLines);
  DataFile file(path, kTable1Fields);
  if (file.Exists()) {
    const RowIndex rows(grid, 0, 1, kTable1RowLimit);
    while (file.Next()) {
      const std::string_view code = file.Field(1);
      if (code.empty()) {
        unplaced.CountWithoutKey(file);
        continue;
      }
      // A code no row has (the id line among them) is dropped without being counted.
      const int height =
          !lower || RecordHasData(file.Fields()) ? kFullRowHeight : kLoweredRowHeight;
      for (int row : rows.Find(code)) {
        grid.SetRowHeight(row, height);
        PutFields(grid, row, file, 2);
      }
    }
    if (file.ReportFailure(context.port)) return;
  } else {
    ClearCells(grid, 2, kTable1Fields + 1, 2, kTable1RowLimit);
  }
  FillBlankColumn2FromColumn0(grid, 2, kTable1RowLimit);
  if (ShouldReport(context.options, unplaced)) {
    context.port.Information(UnplacedMessage(path, unplaced.Count()));
  }
}

void LoadTable2(TableGrid& grid, const SheetContext& context) {
  LoadList(grid, context, "02.CSV", 18);
}

void LoadTable3(TableGrid& grid, const SheetContext& context) {
  LoadList(grid, context, "03.CSV", 9);
}

void LoadTable4(TableGrid& grid, const SheetContext& context) {
  LoadSingleRecord(grid, context, "04.CSV", 7);
}

// ---- page commands ------------------------------------------------------------------------

// "Zeilen sortieren" on "Tabelle 2": by school type, then by year of birth.
void SortTable2(TableGrid& grid, const SheetContext&) {
  SortRows(grid, 2, grid.RowCount() - 1, 1, 2);
}

// "Zeilen sortieren" on "Tabelle 3": by occupation code alone.
void SortTable3(TableGrid& grid, const SheetContext&) {
  SortRows(grid, 2, grid.RowCount() - 1, 2, 2);
}

// "Texte (Beruf, Berufsgr., Fachr.) ergänzen": occupation texts from the occupation code.
constexpr std::array<const char*, 3> kOccupationKeyFiles = {"SBBG3.SSD", "SBBG6.SSD", "SBBG7.SSD"};
void CompleteOccupations(TableGrid& grid, const SheetContext& context) {
  CompleteTextsFrom(grid, 2, 1, kOccupationKeyFiles, context);
}

// ---- registration -------------------------------------------------------------------------

constexpr std::array<TableStep, 1> kSteps0 = {{{GridId::StringGrid4, SetUp<kTable0>, LoadTable0}}};
constexpr std::array<TableStep, 1> kSteps1 = {{{GridId::StringGrid5, SetUp<kTable1>, LoadTable1}}};
constexpr std::array<TableStep, 1> kSteps2 = {{{GridId::StringGrid6, SetUp<kTable2>, LoadTable2}}};
constexpr std::array<TableStep, 1> kSteps3 = {{{GridId::StringGrid7, SetUp<kTable3>, LoadTable3}}};
constexpr std::array<TableStep, 1> kSteps4 = {{{GridId::StringGrid8, SetUp<kTable4>, LoadTable4}}};
constexpr std::array<TableEntry, 5> kTables = {
    {{0, kSteps0}, {1, kSteps1}, {2, kSteps2}, {3, kSteps3}, {4, kSteps4}}};
constexpr std::array<ButtonCommand, 3> kCommands = {{{ButtonId::Button17, SortTable2},
                                                     {ButtonId::Button20, SortTable3},
                                                     {ButtonId::Button21, CompleteOccupations}}};

}  // namespace

const SheetDefinition& Sheet() {
  static const SheetDefinition sheet{SheetId::Schule, kTables, kCommands};
  return sheet;
}

}  // namespace tab::schule
