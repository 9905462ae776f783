#include "app/session.hpp"

#include <array>

#include "app/window_layout.hpp"
#include "records/file_names.hpp"
#include "records/text.hpp"

namespace tab {

namespace {

const std::array<const SheetDefinition*, 4>& Sheets() {
  static const std::array<const SheetDefinition*, 4> sheets = {
      &QuickReportSheet(), &SchoolSheet(), &TeacherSheet(), &ClassSheet()};
  return sheets;
}

const TableEntry* FindTable(int sheet, int table) {
  if (sheet < 0 || sheet > 3) return nullptr;
  for (const TableEntry& entry : Sheets()[static_cast<std::size_t>(sheet)]->tables) {
    if (entry.table == table) return &entry;
  }
  return nullptr;
}

const ButtonCommand* FindCommand(std::string_view button) {
  for (const SheetDefinition* sheet : Sheets()) {
    for (const ButtonCommand& command : sheet->commands) {
      if (button == command.button) return &command;
    }
  }
  return nullptr;
}

constexpr std::array<const char*, 4> kUnknownTableMessages = {
    "interner Fehler: unklare Schnell-Tabelle", "interner Fehler: unklare Schul-Tabelle",
    "interner Fehler: unklare Lehrer-Tabelle", "interner Fehler: unklare Klassen-Tabelle"};

}  // namespace

Session::Session(MessagePort& port, SessionView& view) : port_(port), view_(view) {
  for (const GridDesign& design : GridDesigns()) {
    grids_.emplace(design.number, TableGrid(design.cols, design.rows, design.fixedCols,
                                            design.defaultColWidth));
  }
  SetDefaults(settings_);
}

TableGrid& Session::Grid(int number) { return grids_.at(number); }
const TableGrid& Session::Grid(int number) const { return grids_.at(number); }

void Session::Create(const std::string& programDirectory) {
  paths_.viewerMode = true;
  paths_.programDirectory = WithTrailingSeparator(programDirectory);
  // The program directory would become the current directory here. Every path we use is
  // absolute, so we only test that it could be entered.
  if (!CanEnterDirectory(paths_.programDirectory)) {
    port_.Information("Problem beim Zugriff auf das Programmverzeichnis:\n" +
                      paths_.programDirectory + "\n" +
                      "Eventuell können bestimmte Dateien nicht gefunden werden!");
  }
  LoadSettings(settings_, paths_.programDirectory, port_);
  paths_.schools.clear();
  helpFile_ = paths_.programDirectory + "VORINEXMVBS.HLP";
}

void Session::StartUp() {
  InitialiseDataBase(paths_, settings_);
  DetermineSchool(paths_, settings_);
  FindClasses(paths_);
  view_.ClassListChanged();
  currentSheet_ = 0;
  currentTable_ = 0;
  FindSchools(paths_);
  view_.SchoolListChanged();
  view_.StatusSchoolNumber(Win1252ToUtf8(settings_.schoolNumber));
}

void Session::Show() {
  StartUp();
  Dispatch(currentSheet_, currentTable_);
}

void Session::PageChanged(std::string_view sheetPage, std::string_view tablePage) {
  currentSheet_ = SheetIndexOfPage(sheetPage);
  currentTable_ = TableIndexOfPage(currentSheet_, tablePage);
  Dispatch(currentSheet_, currentTable_);
}

void Session::SchoolSelectorChanged(const std::string& text, bool dispatch) {
  SelectSchool(paths_, text);
  FindClasses(paths_);
  view_.ClassListChanged();
  if (dispatch) Dispatch(currentSheet_, currentTable_);
}

void Session::ClassListClicked(int index, std::string_view activeClassPage) {
  if (index < 0 || index >= static_cast<int>(paths_.classes.size())) return;
  paths_.selectedClass = index;
  paths_.classId = paths_.classes[static_cast<std::size_t>(index)];
  if (currentSheet_ != 3) {
    port_.Error("Fehlerhafte Bogennummer!");
    return;
  }
  currentTable_ = TableIndexOfPage(3, activeClassPage);
  if (paths_.classId != kNoClass) Dispatch(3, currentTable_);
}

void Session::SettingsAccepted(bool dispatch) {
  paths_.dataBaseDirectory = Win1252ToUtf8(settings_.dataBaseDirectory);
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
  if (dispatch) Dispatch(currentSheet_, currentTable_);
}

void Session::Dispatch(int sheet, int table) {
  if (sheet >= 0 && sheet <= 2) {
    view_.ShowClassCaption(false, paths_.classId);
    if (FindTable(sheet, table) == nullptr) {
      port_.Error(kUnknownTableMessages[static_cast<std::size_t>(sheet)]);
      return;
    }
    RunTable(sheet, table, true);
    return;
  }
  if (sheet != 3) {
    port_.Error("interner Fehler: unklarer Statistik-Bogen");
    return;
  }
  const int selected = paths_.selectedClass;
  if (selected >= 0 && selected < static_cast<int>(paths_.classes.size())) {
    paths_.classId = paths_.classes[static_cast<std::size_t>(selected)];
    view_.ShowClassCaption(true, paths_.classId);
    if (FindTable(3, table) == nullptr) {
      port_.Error(kUnknownTableMessages[3]);
      return;
    }
    RunTable(3, table, true);
    return;
  }
  paths_.classId = kNoClass;
  if (paths_.classes.empty()) {
    port_.ShowInfo({"Hinweis", "", "Es sind keine Klassen-Daten verfügbar!", "", "", 2000});
    // Only the set-up runs, so that the empty table shows its headings.
    if (FindTable(3, table) == nullptr) {
      port_.Error(kUnknownTableMessages[3]);
    } else {
      RunTable(3, table, false);
    }
  } else {
    port_.ShowInfo({"Hinweis", "", "Es wurde keine Klassen ausgewählt!", "", "", 2000});
  }
  if (table == 0 && !paths_.classes.empty()) view_.FocusClassList();
}

void Session::RunTable(int sheet, int table, bool withLoader) {
  const TableOptions options = OptionsOf(settings_);
  const SheetContext context{paths_, options, port_, &definitionNotice_};
  for (const TableStep& step : FindTable(sheet, table)->steps) {
    TableGrid& grid = Grid(step.grid);
    view_.GridAboutToChange(step.grid);
    step.setUp(grid, context);
    if (withLoader) step.load(grid, context);
    view_.GridChanged(step.grid);
  }
}

bool Session::HasCommand(std::string_view button) { return FindCommand(button) != nullptr; }

bool Session::RunButton(std::string_view button) {
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
