#pragma once
// What a report form (sheet) gives the dispatcher: for each table index the grids it fills with
// their set-up and loader, and the commands of the buttons on its pages.
#include <span>
#include <string>

#include "app/path_state.hpp"
#include "records/message_port.hpp"
#include "records/placement.hpp"
#include "records/table_grid.hpp"
#include "records/table_setup.hpp"

namespace tab {

// Everything a set-up, a loader or a page command reads besides its grid.
struct SheetContext {
  const PathState& paths;  // class tables read paths.classId
  const TableOptions& options;
  MessagePort& port;
  // Folders already reported as unwritable for definition files (the session's); without one,
  // every failed write is shown.
  DefinitionFileNotice* definitions = nullptr;
};

using GridStep = void (*)(TableGrid& grid, const SheetContext& context);

// One grid of a table: its set-up and then its loader.
struct TableStep {
  int grid;  // StringGrid<grid>
  GridStep setUp;
  GridStep load;
};

struct TableEntry {
  int table;
  std::span<const TableStep> steps;  // in the order they run
};

struct ButtonCommand {
  const char* button;  // "Button17"
  GridStep run;        // acts on the grid of the button's page
};

struct SheetDefinition {
  int sheet;
  std::span<const TableEntry> tables;
  std::span<const ButtonCommand> commands;
};

// One per report form, each in its own folder.
const SheetDefinition& QuickReportSheet();
const SheetDefinition& SchoolSheet();
const SheetDefinition& TeacherSheet();
const SheetDefinition& ClassSheet();

// Path of a data file below the school directory: folder ("SCHNELL") and file name, resolved
// without regard to case.
std::string SchoolDataFile(const SheetContext& context, const char* folder, const char* suffix);
// Path of a class data file: KLASSE folder, class id and the two-digit table number.
std::string ClassDataFile(const SheetContext& context, int table);

}  // namespace tab
