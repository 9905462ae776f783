#pragma once
// The parts of the window the core speaks of, as typed values: the sheets (report forms), the
// grids and the page buttons. Their numbers are those of the controls' names; the window maps its
// controls to them in one table (app/window_layout).
namespace tab {

// The sheet a sheet page shows: the four report forms, or none of them.
enum class SheetId { Schnell = 0, Schule = 1, Lehrer = 2, Klassen = 3, Unknown = 100 };

// The table index of a page that is none of its sheet's tables.
inline constexpr int kUnknownTable = 100;

// The grids StringGrid1 to StringGrid27 (12, 15 and 16 do not exist).
enum class GridId {
  StringGrid1 = 1,
  StringGrid2 = 2,
  StringGrid3 = 3,
  StringGrid4 = 4,
  StringGrid5 = 5,
  StringGrid6 = 6,
  StringGrid7 = 7,
  StringGrid8 = 8,
  StringGrid9 = 9,
  StringGrid10 = 10,
  StringGrid11 = 11,
  StringGrid13 = 13,
  StringGrid14 = 14,
  StringGrid17 = 17,
  StringGrid18 = 18,
  StringGrid19 = 19,
  StringGrid20 = 20,
  StringGrid21 = 21,
  StringGrid22 = 22,
  StringGrid23 = 23,
  StringGrid24 = 24,
  StringGrid25 = 25,
  StringGrid26 = 26,
  StringGrid27 = 27,
};

// The buttons below the tables that run a page command.
enum class ButtonId {
  Button17 = 17,
  Button20 = 20,
  Button21 = 21,
  Button24 = 24,
  Button26 = 26,
  Button33 = 33,
  Button44 = 44,
  Button57 = 57,
  Button58 = 58,
  Button59 = 59,
  Button61 = 61,
  Button62 = 62,
  Button63 = 63,
  Button64 = 64,
  Button65 = 65,
};

}  // namespace tab
