#pragma once
// Table definition files (.TBD) and the set-up every table runs before it is loaded.
#include <span>
#include <string>
#include <string_view>

#include "records/message_port.hpp"
#include "records/table_grid.hpp"

namespace tab {

struct HeadingCell {
  int col;
  int row;
  const char* text;  // UTF-8 in the sources; written and shown as Windows-1252
};

struct ColumnWidth {
  int col;
  int width;
};

struct TableLayout {
  const char* definitionFile;  // "Bog0Tab1.TBD"
  const char* title;           // "Schnell-Tabelle 1" (UTF-8)
  std::span<const ColumnWidth> widths;
  std::span<const HeadingCell> headings;  // in the order they are laid down and written
  int minRowsAfterRead = 0;  // row count raised to this right after a definition file is read
};

// Sets the widths, empties every cell, then reads the definition file from programDir or, when
// it is missing, writes it from the built-in headings (which also go into the grid). Key rows
// are the caller's next step. Returns false when the file could not be read or written (the
// platform's error text has been shown); the grid then holds the built-in headings.
bool SetUpTable(TableGrid& grid, const std::string& programDir, const TableLayout& layout,
                MessagePort& port);

}  // namespace tab
