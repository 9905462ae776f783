// The teacher report (Bogen 2): table 0 takes the Dienststelle number by position, table 1 lists
// the teachers by number (rows from the identification list, unknown numbers appended), tables 2
// and 3 are keyed by the codes of their key files. The first page also shows the identification
// table, which is loaded before table 0.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "records/fields.hpp"
#include "records/file_names.hpp"
#include "records/placement.hpp"
#include "records/row_ops.hpp"
#include "records/text.hpp"
#include "sheets/lehrer/identification_table.hpp"
#include "sheets/lehrer/lehrer_layouts.hpp"
#include "sheets/sheet.hpp"

namespace tab::lehrer {

namespace {

// Capture columns of the data files: table 1 has ES001 to ES059 in columns 2 to 60 (a 60th field
// finds no column), table 2 ES001 to ES012, table 3 ES001 to ES007.
constexpr int kTable1Fields = 60;
constexpr int kTable1LastColumn = 60;
constexpr int kTable2Fields = 12;
constexpr int kTable3Fields = 7;
// Tables 2 and 3 place data into rows 1 to 30 and 1 to 5 only, however many key rows there are.
constexpr int kTable2RowLimit = 30;
constexpr int kTable3RowLimit = 5;

constexpr std::string_view kIdLineKey = "ES001";

// ---- table 0: the Dienststelle number ---------------------------------------------------------

void LoadTable0(TableGrid& grid, const SheetContext& context) {
  if (LoadSingleRecord(grid, SchoolDataFile(context, "LEHRER", "00.CSV"), 1, context.port)) {
    DefaultDienststelle(grid, context.options);
  }
}

// ---- table 1: the teacher list -----------------------------------------------------------------

// Rows 2.. from the program directory's identification list: number in column 0 and again in
// column 2, "surname, first name" in column 1. Lines without a surname give no row. Returns the
// last teacher row (1 when there is no list), or -1 after a read error (reported).
int AddListedTeachers(TableGrid& grid, const SheetContext& context) {
  const std::string path = ResolvePath(context.paths.programDirectory, "LEHRER.CSV");
  DataFile list(path, 3);
  int lastRow = 1;
  while (list.Next()) {
    const std::string_view number = list.Field(1);
    const std::string_view surname = list.Field(2);
    if (surname.empty()) continue;
    ++lastRow;
    grid.SetRowCount(lastRow + 1);
    std::string name(surname);
    name += ", ";
    name += list.Field(3);
    const std::array<std::string_view, 3> cells = {number, name, number};
    grid.SetCells(0, lastRow, cells);
  }
  if (list.ReportFailure(context.port)) return -1;
  return lastRow;
}

// Row 1 takes only the filled fields of a record: empty fields of the id line leave the
// built-in ids in place.
void PutFilledFields(TableGrid& grid, int row, std::span<const std::string_view> fields) {
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (!fields[k].empty()) grid.SetCell(2 + static_cast<int>(k), row, fields[k]);
  }
}

void LoadTable1(TableGrid& grid, const SheetContext& context) {
  int lastRow = AddListedTeachers(grid, context);
  if (lastRow < 0) return;
  grid.SetRowCount(lastRow + 1);

  const std::string path = SchoolDataFile(context, "LEHRER", "01.CSV");
  UnplacedRecords unplaced(context.unplacedLines);
  DataFile file(path, kTable1Fields);
  if (file.Exists()) {
    // Teacher numbers are compared as text ("07" is not "7"); several rows with one number all
    // receive its record.
    RowIndex rows(grid, 0, 1, lastRow);
    while (file.Next()) {
      const std::string_view number = file.Field(1);
      if (number.empty()) {
        unplaced.CountWithoutKey(file);
        continue;
      }
      const bool idLine = number == kIdLineKey;
      const std::span<const int> matches = rows.Find(number);
      if (idLine) PutFilledFields(grid, 1, file.Fields());
      for (const int row : matches) {
        if (row == 1) {
          if (!idLine) PutFilledFields(grid, 1, file.Fields());
        } else {
          PutFields(grid, row, file, 2);
        }
      }
      if (idLine || !matches.empty()) continue;
      // A teacher the list does not know gets a row of his own, without a name.
      ++lastRow;
      grid.SetRowCount(lastRow + 1);
      grid.SetCells(0, lastRow, std::span(&number, 1));
      PutFields(grid, lastRow, file, 2);
      rows.Add(number, lastRow);
    }
    if (file.ReportFailure(context.port)) return;
  } else {
    ClearCells(grid, 2, kTable1LastColumn, 2, lastRow);
  }
  if (grid.RowCount() < lastRow + 1) grid.SetRowCount(lastRow + 1);
  FillBlankColumn2FromColumn0(grid, 2, grid.RowCount() - 1);
  if (ShouldReport(context.options, unplaced)) {
    context.port.Information(UnplacedMessage(path, unplaced.Count()));
  }
}

// ---- table 2: keyed by school type -------------------------------------------------------------

// Rows 1..limit that receive a record with this key: column 0 equals the key, and for the id line
// also the rows whose column 2 carries "ES001" (row 1 among them). Ascending, each row once.
void Table2Rows(const TableGrid& grid, const RowIndex& rows, std::string_view key,
                std::vector<int>& matches) {
  const std::span<const int> byCode = rows.Find(key);
  matches.assign(byCode.begin(), byCode.end());
  if (key != kIdLineKey) return;
  const int last = std::min(kTable2RowLimit, grid.RowCount() - 1);
  for (int row = 1; row <= last; ++row) {
    if (grid.Cell(2, row) == kIdLineKey) matches.push_back(row);
  }
  std::sort(matches.begin(), matches.end());
  matches.erase(std::unique(matches.begin(), matches.end()), matches.end());
}

void LoadTable2(TableGrid& grid, const SheetContext& context) {
  const std::string path = SchoolDataFile(context, "LEHRER", "02.CSV");
  const bool lower = context.options.lowerRowsWithoutData;
  SetRowHeights(grid, 2, kTable2RowLimit, lower ? kLoweredRowHeight : kFullRowHeight);
  UnplacedRecords unplaced(context.unplacedLines, ';');
  DataFile file(path, kTable2Fields);
  if (file.Exists()) {
    // Column 0 never changes while loading (records fill columns 2 on), so it can be indexed.
    const RowIndex rows(grid, 0, 1, kTable2RowLimit);
    std::vector<int> matches;
    while (file.Next()) {
      const std::string_view key = file.Field(1);
      if (key.empty()) {
        unplaced.CountWithoutKey(file);
        continue;
      }
      Table2Rows(grid, rows, key, matches);
      if (matches.empty()) {
        unplaced.Add(key, file);
        continue;
      }
      const int height =
          !lower || RecordHasData(file.Fields()) ? kFullRowHeight : kLoweredRowHeight;
      for (const int row : matches) {
        grid.SetRowHeight(row, height);
        PutFields(grid, row, file, 2);
      }
    }
    if (file.ReportFailure(context.port)) return;
  } else {
    ClearCells(grid, 2, 1 + kTable2Fields, 2, kTable2RowLimit);
  }
  FillBlankColumn2FromColumn0(grid, 2, kTable2RowLimit);
  if (ShouldReport(context.options, unplaced)) {
    // The unknown codes follow the short text on a line of their own, in brackets.
    context.port.Information(UnplacedMessage(path, unplaced.Count()) + "\n[" +
                             Win1252ToUtf8(unplaced.Keys()) + "]");
  }
}

// ---- table 3: keyed by employment scope --------------------------------------------------------

void LoadTable3(TableGrid& grid, const SheetContext& context) {
  const std::string path = SchoolDataFile(context, "LEHRER", "03.CSV");
  SetRowHeights(grid, 2, kTable3RowLimit, kFullRowHeight);
  UnplacedRecords unplaced(context.unplacedLines);
  DataFile file(path, kTable3Fields);
  if (file.Exists()) {
    const RowIndex rows(grid, 0, 1, kTable3RowLimit);
    while (file.Next()) {
      const std::string_view key = file.Field(1);
      if (key.empty()) {
        unplaced.CountWithoutKey(file);
        continue;
      }
      // Unknown codes (the id line among them: row 1 holds "Nr.") are dropped without a count.
      for (const int row : rows.Find(key)) PutFields(grid, row, file, 2);
    }
    if (file.ReportFailure(context.port)) return;
  } else {
    // Column 2 keeps the code the set-up copied there; this table has no column-2 fill.
    ClearCells(grid, 3, 1 + kTable3Fields, 2, kTable3RowLimit);
  }
  if (ShouldReport(context.options, unplaced)) {
    context.port.Information(UnplacedMessage(path, unplaced.Count()));
  }
}

// ---- page commands -----------------------------------------------------------------------------

// "nach Nummern sortieren" on table 1: by the text of column 2, so 10 comes before 9.
void SortTeachersByNumber(TableGrid& grid, const SheetContext& /*context*/) {
  SortRows(grid, 2, grid.RowCount() - 1, 2, 2);
}

// The first page loads the identification table, then table 0.
constexpr std::array<TableStep, 2> kSteps0 = {{
    {GridId::StringGrid10, SetUpIdentification, LoadIdentification},
    {GridId::StringGrid9, SetUp<kTable0>, LoadTable0},
}};
constexpr std::array<TableStep, 1> kSteps1 = {{{GridId::StringGrid11, SetUp<kTable1>, LoadTable1}}};
constexpr std::array<TableStep, 1> kSteps2 = {{{GridId::StringGrid13, SetUp<kTable2>, LoadTable2}}};
constexpr std::array<TableStep, 1> kSteps3 = {{{GridId::StringGrid14, SetUp<kTable3>, LoadTable3}}};
constexpr std::array<TableEntry, 4> kTables = {
    {{0, kSteps0}, {1, kSteps1}, {2, kSteps2}, {3, kSteps3}}};
constexpr std::array<ButtonCommand, 2> kCommands = {{
    {ButtonId::Button24, SortIdentificationByNumber},
    {ButtonId::Button33, SortTeachersByNumber},
}};

}  // namespace

const SheetDefinition& Sheet() {
  static const SheetDefinition sheet{SheetId::Lehrer, kTables, kCommands};
  return sheet;
}

}  // namespace tab::lehrer
