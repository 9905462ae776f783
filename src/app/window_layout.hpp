#pragma once
// The main window's design as data: its sheet pages, table pages, grids and page buttons. This is
// the one table that maps the window's controls (by their object names) to the typed values the
// core speaks of: the window builds itself from it and hands the core those values; the export
// tool maps its command line through it.
#include <optional>
#include <span>
#include <string_view>

#include "sheets/identities.hpp"

namespace tab {

// Background of a grid.
enum class GridColour { Plain, Schule, Lehrer, Klassen, Identification };

struct GridDesign {
  GridId grid;
  const char* name;  // "StringGrid1"
  int cols;
  int rows;
  int fixedCols;
  int defaultColWidth;
  bool rowsSizable;
  bool colsSizable;
  GridColour colour;
  const char* hint;
};

struct SheetPageDesign {
  const char* name;  // "TabSheet1"
  SheetId sheet;
  const char* caption;  // "Schnell"
  const char* hint;
  const char* pageControl;      // "PageControl2"
  const char* pageControlHint;  // "Tabellen der Schnellmeldung"
};

struct TablePageDesign {
  const char* name;  // "TabSheet6"
  SheetId sheet;
  int table;  // the dispatcher's table index
  const char* caption;
  GridId grid;
  // The teacher's first page shows teacher table 0 above the identification grid.
  std::optional<GridId> topGrid = std::nullopt;
};

struct ButtonDesign {
  ButtonId button;
  const char* name;  // "Button17"
  SheetId sheet;     // the page the button lies on: sheet and table
  int table;
  GridId grid;  // the grid of that page it acts on
  const char* caption;
};

std::span<const GridDesign> GridDesigns();
std::span<const SheetPageDesign> SheetPages();
// Table pages in their tab order, sheet after sheet.
std::span<const TablePageDesign> TablePages();
std::span<const ButtonDesign> Buttons();

// The entries by typed value or by object name; nullptr for none.
const GridDesign* FindGridDesign(GridId grid);
const TablePageDesign* FindTablePage(SheetId sheet, int table);
const ButtonDesign* FindButton(ButtonId button);
const SheetPageDesign* FindSheetPage(std::string_view name);
const TablePageDesign* FindTablePage(std::string_view name);
const ButtonDesign* FindButton(std::string_view name);

// The sheet of a sheet page: Unknown for any page that is none of the four.
SheetId SheetOfPage(const SheetPageDesign* page);
// The table index of a table page within `sheet` (kUnknownTable when it is not one of the
// sheet's pages). An unknown sheet consults the quick report's pages.
int TableOfPage(SheetId sheet, const TablePageDesign* page);

// The 13 lines of the read-only note beside the teacher identification grid (RichEdit1).
std::span<const char* const> IdentificationNoteLines();

}  // namespace tab
