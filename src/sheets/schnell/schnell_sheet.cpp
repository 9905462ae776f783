// The quick report (Schnellmeldung): table 0 takes its two lines by position, tables 1 and 2 are
// keyed by the codes of their key files.
#include <array>

#include "records/fields.hpp"
#include "records/key_files.hpp"
#include "records/row_ops.hpp"
#include "records/table_setup.hpp"
#include "records/text.hpp"
#include "sheets/sheet.hpp"

namespace tab {

namespace {

// ---- table 0: general data ---------------------------------------------------------------

constexpr std::array<ColumnWidth, 1> kTable0Widths = {{{0, 90}}};
constexpr std::array<HeadingCell, 9> kTable0Headings = {{
    {0, 0, "Satzart 0"},
    {1, 0, "DST Nr."},
    {2, 0, "Schulaufsichtsbereich"},
    {3, 0, "Schulträger"},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {0, 2, "Meldung"},
}};
constexpr TableLayout kTable0{"Bog0Tab0.TBD", "Schnell-Tabelle 0", kTable0Widths, kTable0Headings};

// ---- table 1: classes and pupils by school type -------------------------------------------

constexpr std::array<ColumnWidth, 14> kTable1Widths = {{{0, 30},
                                                        {1, 320},
                                                        {2, 150},
                                                        {9, 120},
                                                        {10, 120},
                                                        {11, 120},
                                                        {12, 120},
                                                        {13, 120},
                                                        {14, 120},
                                                        {15, 120},
                                                        {16, 150},
                                                        {17, 150},
                                                        {18, 150},
                                                        {19, 180}}};
constexpr std::array<HeadingCell, 40> kTable1Headings = {{
    {0, 0, "SA 1"},
    {1, 0, "Schulart/Bildungsgang/Zeitform"},
    {2, 0, "Schulart/Bildungsgang/Zeitform"},
    {3, 0, "Klassen insg."},
    {4, 0, "Klassen - 1. JGS"},
    {5, 0, "Klassen - 2. JGS"},
    {6, 0, "Klassen - 3. JGS"},
    {7, 0, "Klassen - 4. JGS"},
    {8, 0, "Klassen - 5. JGS"},
    {9, 0, "Schüler/-innen - 1. JGS"},
    {10, 0, "Schüler/-innen - 2. JGS"},
    {11, 0, "Schüler/-innen - 3. JGS"},
    {12, 0, "Schüler/-innen - 4. JGS"},
    {13, 0, "Schüler/-innen - 5. JGS"},
    {14, 0, "Schüler/-innen insg."},
    {15, 0, "Schüler/-innen weibl."},
    {16, 0, "Ausländ. Schüler/-innen zusammen"},
    {17, 0, "Schüler/-innen mit Behinderung"},
    {18, 0, "LehrerWochenStunden Soll"},
    {19, 0, "zusätzl. genehm. Teilungsstunden"},
    {0, 1, "Nr."},
    {1, 1, "(Bezeichnung)  |  Erfassungsspalte"},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
    {7, 1, "ES006"},
    {8, 1, "ES007"},
    {9, 1, "ES008"},
    {10, 1, "ES009"},
    {11, 1, "ES010"},
    {12, 1, "ES011"},
    {13, 1, "ES012"},
    {14, 1, "ES013"},
    {15, 1, "ES014"},
    {16, 1, "ES015"},
    {17, 1, "ES016"},
    {18, 1, "ES017"},
    {19, 1, "ES018"},
}};
constexpr TableLayout kTable1{"Bog0Tab1.TBD", "Schnell-Tabelle 1", kTable1Widths, kTable1Headings};

// ---- table 2: teachers by employment scope ------------------------------------------------

constexpr std::array<ColumnWidth, 5> kTable2Widths = {
    {{0, 30}, {1, 230}, {2, 60}, {6, 140}, {7, 160}}};
constexpr std::array<HeadingCell, 16> kTable2Headings = {{
    {0, 0, "SA 2"},
    {1, 0, "Beschäftigungsumfang"},
    {2, 0, "Nr."},
    {3, 0, "Lehrkräfte insgesamt"},
    {4, 0, "Lehrkräfte weiblich"},
    {5, 0, "Ausländ. Lehrkräfte"},
    {6, 0, "LehrerWochenStunden  IST"},
    {7, 0, "Abord.stdn. an andere Schulen"},
    {0, 1, "Nr."},
    {1, 1, "(Bezeichnung)     |      Erfassungsspalte"},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
    {7, 1, "ES006"},
}};
constexpr TableLayout kTable2{"Bog0Tab2.TBD", "Schnell-Tabelle 2", kTable2Widths, kTable2Headings};

constexpr const char* kSchoolTypes = "Statistik-Schlüssel-Datei: Schularten/...\n";
constexpr const char* kEmploymentScopes = "Statistik-Schlüssel-Datei: Beschäftigungsumfang\n";

// Table 1 places data into rows 1 to 31 only, table 2 into rows 1 to 6, however many key rows
// there are.
constexpr int kTable1RowLimit = 31;
constexpr int kTable2RowLimit = 6;

void SetUpTable0(TableGrid& grid, const SheetContext& context) {
  SetUpTable(grid, context.paths.programDirectory, kTable0, context.port, context.definitions);
}

void SetUpTable1(TableGrid& grid, const SheetContext& context) {
  // A definition file that cannot be read or written has been reported; the table still
  // gets its built-in headings and key rows.
  SetUpTable(grid, context.paths.programDirectory, kTable1, context.port, context.definitions);
  LoadKeyRows(grid, context.paths.programDirectory, "SSSA.SSD", kSchoolTypes, true, context.port);
}

void SetUpTable2(TableGrid& grid, const SheetContext& context) {
  SetUpTable(grid, context.paths.programDirectory, kTable2, context.port, context.definitions);
  LoadKeyRows(grid, context.paths.programDirectory, "ILKLWS.SSD", kEmploymentScopes, true,
              context.port);
}

void LoadTable0(TableGrid& grid, const SheetContext& context) {
  if (LoadSingleRecord(grid, SchoolDataFile(context, "SCHNELL", "00.CSV"), 3, context.port)) {
    DefaultDienststelle(grid, context.options);
  }
}

void LoadTable1(TableGrid& grid, const SheetContext& context) {
  const std::string path = SchoolDataFile(context, "SCHNELL", "01.CSV");
  const bool lower = context.options.lowerRowsWithoutData;
  SetRowHeights(grid, 2, kTable1RowLimit, lower ? kLoweredRowHeight : kFullRowHeight);
  UnplacedRecords unplaced('|');
  DataFile file(path, 18);
  if (file.Exists()) {
    const RowIndex rows(grid, 0, 1, kTable1RowLimit);
    while (file.Next()) {
      const std::string_view key = file.Field(1);
      if (key.empty()) {
        unplaced.CountWithoutKey();
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
      if (matches.empty() && !idLine) unplaced.Add(key);
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
  UnplacedRecords unplaced;
  DataFile file(path, 6);
  if (file.Exists()) {
    const RowIndex rows(grid, 0, 1, kTable2RowLimit);
    while (file.Next()) {
      const std::string_view key = file.Field(1);
      if (key.empty()) {
        unplaced.CountWithoutKey();
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

constexpr std::array<TableStep, 1> kSteps0 = {{{1, SetUpTable0, LoadTable0}}};
constexpr std::array<TableStep, 1> kSteps1 = {{{2, SetUpTable1, LoadTable1}}};
constexpr std::array<TableStep, 1> kSteps2 = {{{3, SetUpTable2, LoadTable2}}};
constexpr std::array<TableEntry, 3> kTables = {{{0, kSteps0}, {1, kSteps1}, {2, kSteps2}}};

}  // namespace

const SheetDefinition& QuickReportSheet() {
  static const SheetDefinition sheet{0, kTables, {}};
  return sheet;
}

}  // namespace tab
