// The quick report (Schnellmeldung): table 0 takes its two lines by position, tables 1 and 2 are
// keyed by the codes of their key files.
#include <array>

#include "records/fields.hpp"
#include "records/row_ops.hpp"
#include "records/text.hpp"
#include "sheets/schnell/schnell_layouts.hpp"
#include "sheets/sheet.hpp"

namespace tab::schnell {

namespace {

// Table 1 places data into rows 1 to 31 only, table 2 into rows 1 to 6, however many key rows
// there are.
constexpr int kTable1RowLimit = 31;
constexpr int kTable2RowLimit = 6;

void LoadTable0(TableGrid& grid, const SheetContext& context) {
  if (LoadSingleRecord(grid, SchoolDataFile(context, "SCHNELL", "00.CSV"), 3, context.port)) {
    DefaultDienststelle(grid, context.options);
  }
}

void LoadTable1(TableGrid& grid, const SheetContext& context) {
  const std::string path = SchoolDataFile(context, "SCHNELL", "01.CSV");
  const bool lower = context.options.lowerRowsWithoutData;
  SetRowHeights(grid, 2, kTable1RowLimit, lower ? kLoweredRowHeight : kFullRowHeight);
  UnplacedRecords unplaced(context.unplacedLines, '|');
  DataFile file(path, 18);
  if (file.Exists()) {
    const RowIndex rows(grid, 0, 1, kTable1RowLimit);
    while (file.Next()) {
      const std::string_view key = file.Field(1);
      if (key.empty()) {
        unplaced.CountWithoutKey(file);
        continue;
      }
      // The id line enters row 1, whose column 0 holds "Nr.".
      const int height =
          !lower || RecordHasData(file.Fields()) ? kFullRowHeight : kLoweredRowHeight;
      const std::span<const int> matches = rows.Find(key);
      const bool idLine = key == "ES001";
      if (idLine) {
        grid.SetRowHeight(1, height);
        PutFields(grid, 1, file, 2);
      }
      for (int row : matches) {
        if (idLine && row == 1) continue;
        grid.SetRowHeight(row, height);
        PutFields(grid, row, file, 2);
      }
      if (matches.empty() && !idLine) unplaced.Add(key, file);
    }
    if (file.ReportFailure(context.port)) return;
  } else {
    ClearCells(grid, 2, 19, 2, kTable1RowLimit);
  }
  FillBlankColumn2FromColumn0(grid, 2, kTable1RowLimit);
  if (ShouldReport(context.options, unplaced)) {
    context.port.Information(UnplacedMessageWithKeys(path, unplaced));
  }
}

void LoadTable2(TableGrid& grid, const SheetContext& context) {
  const std::string path = SchoolDataFile(context, "SCHNELL", "02.CSV");
  SetRowHeights(grid, 2, kTable2RowLimit, kFullRowHeight);
  UnplacedRecords unplaced(context.unplacedLines);
  DataFile file(path, 6);
  if (file.Exists()) {
    const RowIndex rows(grid, 0, 1, kTable2RowLimit);
    while (file.Next()) {
      const std::string_view key = file.Field(1);
      if (key.empty()) {
        unplaced.CountWithoutKey(file);
        continue;
      }
      // A record that matches no row (the id line among them) is dropped without being counted.
      for (int row : rows.Find(key)) PutFields(grid, row, file, 2);
    }
    if (file.ReportFailure(context.port)) return;
  } else {
    ClearCells(grid, 2, 7, 2, kTable2RowLimit);
  }
  FillBlankColumn2FromColumn0(grid, 2, kTable2RowLimit);
  if (ShouldReport(context.options, unplaced)) {
    context.port.Information(UnplacedMessage(path, unplaced.Count()));
  }
}

constexpr std::array<TableStep, 1> kSteps0 = {{{GridId::StringGrid1, SetUp<kTable0>, LoadTable0}}};
constexpr std::array<TableStep, 1> kSteps1 = {{{GridId::StringGrid2, SetUp<kTable1>, LoadTable1}}};
constexpr std::array<TableStep, 1> kSteps2 = {{{GridId::StringGrid3, SetUp<kTable2>, LoadTable2}}};
constexpr std::array<TableEntry, 3> kTables = {{{0, kSteps0}, {1, kSteps1}, {2, kSteps2}}};

}  // namespace

const SheetDefinition& Sheet() {
  static const SheetDefinition sheet{SheetId::Schnell, kTables, {}};
  return sheet;
}

}  // namespace tab::schnell
