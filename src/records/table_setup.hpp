#pragma once
// Table definition files (.TBD) and the set-up every table runs before it is loaded.
#include <set>
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

// The folders in which definition files could not be written. A read-only program directory
// would otherwise cost one message per table and showing; with this the user is told once per
// folder, and the tables there show their built-in headings. One object lives as long as the
// program's session.
class DefinitionFileNotice {
 public:
  // True the first time a folder is noted.
  bool FirstFor(const std::string& folder) { return folders_.insert(folder).second; }

 private:
  std::set<std::string> folders_;
};

// Whether a missing definition file is written from the built-in headings (the window) or not
// (the data-base check, which writes nothing).
enum class DefinitionWrites { Missing, None };

// Sets the widths, empties every cell, then reads the definition file from programDir or, when
// it is missing, writes it from the built-in headings (which also go into the grid; with
// DefinitionWrites::None only into the grid). Key rows are the caller's next step. Returns false
// when the file could not be read or written; the grid then holds the built-in headings. A read
// error is shown with its path and error text. A write error is told once per folder when
// `notice` is given (a warning naming the folder and why), else shown like a read error.
bool SetUpTable(TableGrid& grid, const std::string& programDir, const TableLayout& layout,
                MessagePort& port, DefinitionFileNotice* notice = nullptr,
                DefinitionWrites writes = DefinitionWrites::Missing);

// The warning for a program directory in which no definition file can be written.
std::string UnwritableDefinitionFolderMessage(const std::string& folder, int error);

}  // namespace tab
