#pragma once
// The main window's design as data: its sheet pages, table pages, grids and page buttons. The
// window builds itself from these tables; the dispatcher maps pages to (sheet, table) with them.
#include <span>
#include <string_view>

namespace tab {

// Background of a grid.
enum class GridColour { Plain, School, Teacher, Class, Identification };

struct GridDesign {
  int number;  // StringGrid<number>
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
  const char* name;     // "TabSheet1"
  int sheet;            // 0 quick report, 1 school, 2 teacher, 3 class
  const char* caption;  // "Schnell"
  const char* hint;
  const char* pageControl;      // "PageControl2"
  const char* pageControlHint;  // "Tabellen der Schnellmeldung"
};

struct TablePageDesign {
  const char* name;  // "TabSheet6"
  int sheet;
  int table;         // the dispatcher's table index
  const char* caption;
  int grids[2];      // grid numbers on the page (0 = none); the teacher's first page has two
};

struct ButtonDesign {
  const char* name;  // "Button17"
  const char* page;  // "TabSheet10"
  int grid;
  const char* caption;
};

inline constexpr int kUnknownIndex = 100;  // page that is none of the known ones

std::span<const GridDesign> GridDesigns();
const GridDesign* FindGridDesign(int number);
std::span<const SheetPageDesign> SheetPages();
// Table pages in their tab order, sheet after sheet.
std::span<const TablePageDesign> TablePages();
std::span<const ButtonDesign> Buttons();
const ButtonDesign* FindButton(std::string_view name);
const TablePageDesign* FindTablePage(std::string_view name);

// The 13 lines of the read-only note beside the teacher identification grid (RichEdit1).
std::span<const char* const> IdentificationNoteLines();

// Sheet page name -> sheet index (100 for any other page).
int SheetIndexOfPage(std::string_view sheetPage);
// Table page name -> table index within the given sheet (100 when it is not one of its pages).
int TableIndexOfPage(int sheet, std::string_view tablePage);

}  // namespace tab
