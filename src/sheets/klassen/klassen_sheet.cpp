// The class report (Klassen-Meldung): the eleven tables of the current class and the buttons of
// the pages "Tab. 1", "Tab. 3", "Tab. 8" and "Tab. 9".
#include <array>

#include "records/row_ops.hpp"
#include "sheets/completion.hpp"
#include "sheets/klassen/klassen_layouts.hpp"
#include "sheets/klassen/klassen_tables.hpp"

namespace tab::klassen {

namespace {

template <int kTable>
void LoadSingleRecord(TableGrid& grid, const SheetContext& context) {
  LoadSingleRecordTable(kTable, grid, context);
}

template <int kTable>
void LoadList(TableGrid& grid, const SheetContext& context) {
  LoadListTable(kTable, grid, context);
}

template <int kTable>
void LoadKeyed(TableGrid& grid, const SheetContext& context) {
  LoadKeyedTable(kTable, grid, context);
}

// ---- page commands: sorts over rows 2 to the last row --------------------------------------

int LastRow(const TableGrid& grid) {
  return grid.RowCount() - 1;
}

// "nach Geburtsjahr sortieren": the label "Meldung" in column 0 stays in row 2.
void SortByBirthYear(TableGrid& grid, const SheetContext&) {
  SortRowsKeepLeading(grid, 2, LastRow(grid), 1, 1);
}

// "nach Länderschlüssel sortieren"
void SortByCountryKey(TableGrid& grid, const SheetContext&) {
  SortRows(grid, 2, LastRow(grid), 2, 2);
}

// "nach Zeilennummern sortieren"
void SortByRowNumber(TableGrid& grid, const SheetContext&) {
  SortRows(grid, 2, LastRow(grid), 1, 1);
}

// "nach Berufsgruppen sortieren": the block of all trainees ("9999") first, each block ordered
// by prior schooling.
void SortByOccupationGroup(TableGrid& grid, const SheetContext&) {
  SortRowsSpecialFirst(grid, 2, LastRow(grid), 3, 4);
}

// ---- page commands: completion from key files ----------------------------------------------

constexpr std::array<const char*, 1> kCountries = {"SLAND.SSD"};
constexpr std::array<const char*, 1> kOriginDistricts = {"SHKK.SSD"};
constexpr std::array<const char*, 6> kOccupations = {"SBBG1.SSD", "SBBG2.SSD", "SBBG3.SSD",
                                                     "SBBG4.SSD", "SBBG5.SSD", "SBBG6.SSD"};

// Table 3: country key in column 2, country name in column 1.
void CompleteCountryTexts(TableGrid& grid, const SheetContext& context) {
  CompleteTextsFrom(grid, 2, 1, kCountries, context);
}
void CompleteCountryKeys(TableGrid& grid, const SheetContext& context) {
  CompleteKeysFrom(grid, 1, 2, kCountries, context);
}

// Table 8: training code in column 3 with its name in column 2; origin code in column 5 with
// its name in column 4.
void CompleteTrainingTexts(TableGrid& grid, const SheetContext& context) {
  CompleteTextsFrom(grid, 3, 2, kOccupations, context);
}
void CompleteOriginTexts(TableGrid& grid, const SheetContext& context) {
  CompleteTextsFrom(grid, 5, 4, kOriginDistricts, context);
}
void CompleteOriginKeys(TableGrid& grid, const SheetContext& context) {
  CompleteKeysFrom(grid, 4, 5, kOriginDistricts, context);
}

// Table 9: group names of the rows that no record filled.
void CompleteGroupTexts(TableGrid& grid, const SheetContext& context) {
  CompleteTextsFrom(grid, 3, 2, kOccupations, context);
}

// ---- registration ----------------------------------------------------------------------------

constexpr std::array<TableStep, 1> kSteps0 = {
    {{GridId::StringGrid17, SetUp<kTable0>, LoadSingleRecord<0>}}};
constexpr std::array<TableStep, 1> kSteps1 = {
    {{GridId::StringGrid18, SetUp<kTable1>, LoadList<1>}}};
constexpr std::array<TableStep, 1> kSteps2 = {
    {{GridId::StringGrid20, SetUp<kTable2>, LoadKeyed<2>}}};
constexpr std::array<TableStep, 1> kSteps3 = {
    {{GridId::StringGrid19, SetUp<kTable3>, LoadList<3>}}};
constexpr std::array<TableStep, 1> kSteps4 = {
    {{GridId::StringGrid21, SetUp<kTable4>, LoadKeyed<4>}}};
constexpr std::array<TableStep, 1> kSteps5 = {
    {{GridId::StringGrid22, SetUp<kTable5>, LoadKeyed<5>}}};
constexpr std::array<TableStep, 1> kSteps6 = {
    {{GridId::StringGrid24, SetUp<kTable6>, LoadKeyed<6>}}};
constexpr std::array<TableStep, 1> kSteps7 = {
    {{GridId::StringGrid23, SetUp<kTable7>, LoadKeyed<7>}}};
constexpr std::array<TableStep, 1> kSteps8 = {
    {{GridId::StringGrid25, SetUp<kTable8>, LoadList<8>}}};
constexpr std::array<TableStep, 1> kSteps9 = {
    {{GridId::StringGrid26, SetUp<kTable9>, LoadGroupTable}}};
constexpr std::array<TableStep, 1> kSteps10 = {
    {{GridId::StringGrid27, SetUp<kTable10>, LoadSingleRecord<10>}}};

constexpr std::array<TableEntry, kTableCount> kTables = {{
    {0, kSteps0},
    {1, kSteps1},
    {2, kSteps2},
    {3, kSteps3},
    {4, kSteps4},
    {5, kSteps5},
    {6, kSteps6},
    {7, kSteps7},
    {8, kSteps8},
    {9, kSteps9},
    {10, kSteps10},
}};

constexpr std::array<ButtonCommand, 10> kCommands = {{
    {ButtonId::Button44, SortByBirthYear},
    {ButtonId::Button26, SortByCountryKey},
    {ButtonId::Button64, CompleteCountryTexts},
    {ButtonId::Button65, CompleteCountryKeys},
    {ButtonId::Button57, CompleteTrainingTexts},
    {ButtonId::Button58, CompleteOriginTexts},
    {ButtonId::Button59, CompleteOriginKeys},
    {ButtonId::Button63, SortByRowNumber},
    {ButtonId::Button61, SortByOccupationGroup},
    {ButtonId::Button62, CompleteGroupTexts},
}};

}  // namespace

const SheetDefinition& Sheet() {
  static const SheetDefinition sheet{SheetId::Klassen, kTables, kCommands};
  return sheet;
}

}  // namespace tab::klassen
