#pragma once
// What a report form (sheet) gives the dispatcher: for each table index the grids it fills with
// their set-up and loader, and the commands of the buttons on its pages.
#include <span>
#include <string>

#include "records/message_port.hpp"
#include "records/placement.hpp"
#include "records/table_grid.hpp"
#include "records/table_setup.hpp"
#include "sheets/identities.hpp"

namespace tab {

// The class id that stands for "no class selected".
inline constexpr const char* kNoClass = "ZZZ999";

// Where a sheet finds its files: key files and definition files in the program directory, data
// files below the school directory. Folders are UTF-8 paths ending with '/'.
struct SheetPaths {
  std::string programDirectory;
  std::string schoolNumber;  // UTF-8 (it names a folder)
  std::string schoolDirectory;
  std::string classId = kNoClass;  // the class whose files the class tables read
};

// Everything a set-up, a loader or a page command reads besides its grid.
struct SheetContext {
  const SheetPaths& paths;
  const TableOptions& options;
  MessagePort& port;
  // Folders already reported as unwritable for definition files (the session's); without one,
  // every failed write is shown.
  DefinitionFileNotice* definitions = nullptr;
  // The data-base check writes nothing: a missing definition file is not written (the built-in
  // headings serve) and a missing class folder is not made.
  bool readOnly = false;
  // Told where each unplaced record stands (the data-base check's); none in the window.
  UnplacedLines* unplacedLines = nullptr;
};

using GridStep = void (*)(TableGrid& grid, const SheetContext& context);

// The key file whose lines become rows 2 and following of a keyed table.
struct KeyRows {
  const char* file = nullptr;     // nullptr: the table has no key rows
  const char* subject = nullptr;  // opens the warning when the file is missing (UTF-8)
  bool copyKey = false;           // the key again in column 2 ("Schlüssel")
};

// A table's set-up as data: its layout and its key rows. Each sheet keeps its tables in its
// <sheet>_layouts.hpp.
struct TableDesign {
  TableLayout layout;
  KeyRows keyRows = {};
};

// Subjects of the key files that several sheets read.
inline constexpr const char* kSchoolTypesSubject = "Statistik-Schlüssel-Datei: Schularten/...\n";
inline constexpr const char* kEmploymentScopesSubject =
    "Statistik-Schlüssel-Datei: Beschäftigungsumfang\n";

// Headings from the definition file (written from the built-in headings when it is missing,
// unless the context is read-only), then the key rows. A definition file that cannot be read or
// written has been reported; the table still gets its built-in headings and key rows.
void SetUpDesignedTable(TableGrid& grid, const SheetContext& context, const TableDesign& design);

// The set-up step of a table whose design is `kDesign`.
template <const TableDesign& kDesign>
void SetUp(TableGrid& grid, const SheetContext& context) {
  SetUpDesignedTable(grid, context, kDesign);
}

// One grid of a table: its set-up and then its loader.
struct TableStep {
  GridId grid;
  GridStep setUp;
  GridStep load;
};

struct TableEntry {
  int table;
  std::span<const TableStep> steps;  // in the order they run
};

struct ButtonCommand {
  ButtonId button;
  GridStep run;  // acts on the grid of the button's page
};

struct SheetDefinition {
  SheetId sheet;
  std::span<const TableEntry> tables;
  std::span<const ButtonCommand> commands;
};

// One per report form, each in its own folder and namespace.
namespace schnell {
const SheetDefinition& Sheet();
}
namespace schule {
const SheetDefinition& Sheet();
}
namespace lehrer {
const SheetDefinition& Sheet();
}
namespace klassen {
const SheetDefinition& Sheet();
}

// The four report forms in sheet order: what the dispatcher and the data-base check look tables
// up in.
std::span<const SheetDefinition* const> AllSheets();
// The entry of a sheet's table; nullptr for a pair that no sheet has.
const TableEntry* FindTableEntry(SheetId sheet, int table);

// Path of a data file below the school directory: folder ("SCHNELL") and file name, resolved
// without regard to case.
std::string SchoolDataFile(const SheetContext& context, const char* folder, const char* suffix);
// Path of a class data file: KLASSE folder, class id and the two-digit table number.
std::string ClassDataFile(const SheetContext& context, int table);

}  // namespace tab
