#include "app/session.hpp"

#include "app/window_layout.hpp"
#include "records/file_names.hpp"
#include "records/text.hpp"

namespace tab {

namespace {

const ButtonCommand* FindCommand(ButtonId button) {
  for (const SheetDefinition* sheet : AllSheets()) {
    for (const ButtonCommand& command : sheet->commands) {
      if (command.button == button) return &command;
    }
  }
  return nullptr;
}

const char* UnknownTableMessage(SheetId sheet) {
  switch (sheet) {
    case SheetId::Schnell:
      return "interner Fehler: unklare Schnell-Tabelle";
    case SheetId::Schule:
      return "interner Fehler: unklare Schul-Tabelle";
    case SheetId::Lehrer:
      return "interner Fehler: unklare Lehrer-Tabelle";
    default:
      return "interner Fehler: unklare Klassen-Tabelle";
  }
}

}  // namespace

Session::Session(MessagePort& port, SessionView& view) : port_(port), view_(view) {
  for (const GridDesign& design : GridDesigns()) {
    grids_.emplace(design.grid,
                   TableGrid(design.cols, design.rows, design.fixedCols, design.defaultColWidth));
  }
  SetDefaults(settings_);
}

TableGrid& Session::Grid(GridId grid) {
  return grids_.at(grid);
}
const TableGrid& Session::Grid(GridId grid) const {
  return grids_.at(grid);
}

void Session::Create(const std::string& programDirectory, OutdatedSettings outdated) {
  paths_.programDirectory = WithTrailingSeparator(programDirectory);
  // The program directory would become the current directory here. Every path we use is
  // absolute, so we only test that it could be entered.
  if (!CanEnterDirectory(paths_.programDirectory)) {
    port_.Information("Problem beim Zugriff auf das Programmverzeichnis:\n" +
                      paths_.programDirectory + "\n" +
                      "Eventuell können bestimmte Dateien nicht gefunden werden!");
  }
  LoadSettings(settings_, paths_.programDirectory, port_, outdated);
  paths_.schools.clear();
}

void Session::StartUp() {
  InitialiseDataBase(paths_, settings_);
  DetermineSchool(paths_, settings_);
  FindClasses(paths_);
  view_.ClassListChanged();
  currentSheet_ = SheetId::Schnell;
  currentTable_ = 0;
  FindSchools(paths_);
  view_.SchoolListChanged();
  view_.StatusSchoolNumber(Win1252ToUtf8(settings_.schoolNumber));
  TellSchoolFolder();
}

void Session::Show() {
  StartUp();
  Dispatch(currentSheet_, currentTable_);
}

void Session::PageChanged(SheetId sheet, int table) {
  currentSheet_ = sheet;
  currentTable_ = table;
  Dispatch(currentSheet_, currentTable_);
}

void Session::SchoolSelectorChanged(const std::string& text, bool dispatch) {
  SelectSchool(paths_, text);
  FindClasses(paths_);
  view_.ClassListChanged();
  TellSchoolFolder();
  if (dispatch) Dispatch(currentSheet_, currentTable_);
}

void Session::ClassListClicked(int index, int activeClassTable) {
  if (index < 0 || index >= static_cast<int>(paths_.classes.size())) return;
  paths_.selectedClass = index;
  paths_.classId = paths_.classes[static_cast<std::size_t>(index)];
  if (currentSheet_ != SheetId::Klassen) {
    port_.Error("Fehlerhafte Bogennummer!");
    return;
  }
  currentTable_ = activeClassTable;
  if (paths_.classId != kNoClass) Dispatch(SheetId::Klassen, currentTable_);
}

void Session::SettingsAccepted(bool dispatch) {
  // A relative folder of the settings lies in the program directory, as at start-up.
  paths_.dataBaseDirectory =
      DataBaseDirectoryOf(Win1252ToUtf8(settings_.dataBaseDirectory), paths_.programDirectory);
  AfterDataBaseChange(dispatch);
}

void Session::DataBaseChosen(const std::string& folder, bool dispatch) {
  paths_.dataBaseDirectory = WithTrailingSeparator(folder);
  AfterDataBaseChange(dispatch);
}

void Session::AfterDataBaseChange(bool dispatch) {
  // The class list stays as it is: it still belongs to the school shown before.
  DetermineSchool(paths_, settings_);
  FindSchools(paths_);
  view_.SchoolListChanged();
  view_.StatusSchoolNumber(Win1252ToUtf8(settings_.schoolNumber));
  TellSchoolFolder();
  if (dispatch) Dispatch(currentSheet_, currentTable_);
}

void Session::TellSchoolFolder() {
  view_.SchoolFolderFound(paths_.schoolNumber, SchoolFolderExists(paths_));
}

void Session::Dispatch(SheetId sheet, int table) {
  if (sheet == SheetId::Schnell || sheet == SheetId::Schule || sheet == SheetId::Lehrer) {
    view_.ShowClassCaption(false, paths_.classId);
    RunTable(sheet, table, true);
    return;
  }
  if (sheet != SheetId::Klassen) {
    port_.Error("interner Fehler: unklarer Statistik-Bogen");
    return;
  }
  const int selected = paths_.selectedClass;
  if (selected >= 0 && selected < static_cast<int>(paths_.classes.size())) {
    paths_.classId = paths_.classes[static_cast<std::size_t>(selected)];
    view_.ShowClassCaption(true, paths_.classId);
    RunTable(sheet, table, true);
    return;
  }
  paths_.classId = kNoClass;
  if (paths_.classes.empty()) {
    // A school without classes shows no class: the caption of a class shown before goes.
    view_.ShowClassCaption(false, "");
    port_.ShowInfo({"Hinweis", "", "Es sind keine Klassen-Daten verfügbar!", "", "", 2000});
    // Only the set-up runs, so that the empty table shows its headings.
    RunTable(sheet, table, false);
  } else {
    port_.ShowInfo({"Hinweis", "", "Es wurde keine Klassen ausgewählt!", "", "", 2000});
  }
  if (table == 0 && !paths_.classes.empty()) view_.FocusClassList();
}

void Session::RunTable(SheetId sheet, int table, bool withLoader) {
  const TableEntry* entry = FindTableEntry(sheet, table);
  if (entry == nullptr) {
    port_.Error(UnknownTableMessage(sheet));
    return;
  }
  const TableOptions options = OptionsOf(settings_);
  const SheetContext context{paths_, options, port_, &definitionNotice_};
  for (const TableStep& step : entry->steps) {
    TableGrid& grid = Grid(step.grid);
    view_.GridAboutToChange(step.grid);
    step.setUp(grid, context);
    if (withLoader) step.load(grid, context);
    view_.GridChanged(step.grid);
  }
}

bool Session::HasCommand(ButtonId button) {
  return FindCommand(button) != nullptr;
}

bool Session::RunButton(ButtonId button) {
  const ButtonCommand* command = FindCommand(button);
  const ButtonDesign* design = FindButton(button);
  if (command == nullptr || design == nullptr) return false;
  const TableOptions options = OptionsOf(settings_);
  const SheetContext context{paths_, options, port_, &definitionNotice_};
  view_.GridAboutToChange(design->grid);
  command->run(Grid(design->grid), context);
  view_.GridChanged(design->grid);
  return true;
}

}  // namespace tab
