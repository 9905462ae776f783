#pragma once
// The command line of tabellario-export.
#include <string>
#include <vector>

#include "sheets/identities.hpp"

namespace tab {

extern const char* const kExportUsage;

struct ExportArguments {
  enum class Action { Run, Help, Version, UsageError };
  Action action = Action::Run;
  std::string error;  // for UsageError, German

  std::string programDir;  // empty: chosen as the window chooses it
  std::string database;
  std::string school;
  std::string classId;
  bool haveDatabase = false;
  bool haveSchool = false;
  bool haveClass = false;
  std::string format = "json";    // json, csv, xlsx or pdf
  std::string output;             // empty: standard output (json and csv only)
  std::vector<ButtonId> buttons;  // named as the window's controls ("Button17")
  SheetId sheet = SheetId::Schnell;
  int table = 0;
};

// The arguments after the program name. Buttons are checked against the sheet and table.
ExportArguments ParseExportArguments(const std::vector<std::string>& arguments);

}  // namespace tab
