#pragma once
// The main window's state and logic without widgets: path state, settings, the grids, the
// current sheet and table, and the dispatcher that sets up and loads one table. The window and
// tabellario-export drive the same object.
#include <map>
#include <string>

#include "app/path_state.hpp"
#include "app/settings.hpp"
#include "records/message_port.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"

namespace tab {

// What the window shows besides message boxes and grids.
class SessionView {
 public:
  virtual ~SessionView() = default;
  virtual void GridAboutToChange(GridId /*grid*/) {}
  virtual void GridChanged(GridId /*grid*/) {}
  // The three class caption fields; `classId` is shown while they are visible.
  virtual void ShowClassCaption(bool /*visible*/, const std::string& /*classId*/) {}
  virtual void FocusClassList() {}
  virtual void SchoolListChanged() {}  // selector items = paths.schools, first one selected
  virtual void ClassListChanged() {}   // list items = paths.classes, selection = selectedClass
  virtual void StatusSchoolNumber(const std::string& /*number*/) {}
  // Whether the current school number names a folder of the data base (UTF-8); shown after
  // every change of the school or the data base.
  virtual void SchoolFolderFound(const std::string& /*number*/, bool /*found*/) {}
};

class Session {
 public:
  Session(MessagePort& port, SessionView& view);

  // Creating the main window: program directory, settings (a settings file of the wrong size
  // is deleted, or kept by the data-base check).
  void Create(const std::string& programDirectory,
              OutdatedSettings outdated = OutdatedSettings::Delete);
  // Showing it: data base, school, classes, schools, status line; then the first dispatch.
  void Show();
  // Showing without the first dispatch (the export tool dispatches its own table).
  void StartUp();

  // A sheet page or table page became active: the sheet of the active sheet page and the table
  // of the active page of that sheet's table page control.
  void PageChanged(SheetId sheet, int table);
  // The school selector's text changed (picked or typed).
  void SchoolSelectorChanged(const std::string& text, bool dispatch = true);
  // A click in the class list; `activeClassTable` is the table of the class sheet's active page.
  void ClassListClicked(int index, int activeClassTable);
  // The settings dialog closed with OK (the record in memory holds what was taken over).
  void SettingsAccepted(bool dispatch = true);
  // The directory chooser closed with OK on `folder`.
  void DataBaseChosen(const std::string& folder, bool dispatch = true);

  void Dispatch(SheetId sheet, int table);
  // The command of a page button on its grid; false when no command is registered for it.
  bool RunButton(ButtonId button);
  // Whether the button's command is available (its sheet is built).
  static bool HasCommand(ButtonId button);

  TableGrid& Grid(GridId grid);
  const TableGrid& Grid(GridId grid) const;

  PathState& Paths() { return paths_; }
  const PathState& Paths() const { return paths_; }
  Settings& CurrentSettings() { return settings_; }
  const Settings& CurrentSettings() const { return settings_; }
  SheetId CurrentSheet() const { return currentSheet_; }
  int CurrentTable() const { return currentTable_; }
  void SetCurrent(SheetId sheet, int table) {
    currentSheet_ = sheet;
    currentTable_ = table;
  }

 private:
  // Sets up every grid of the table and, with `withLoader`, loads it; an unknown table is
  // reported.
  void RunTable(SheetId sheet, int table, bool withLoader);
  void AfterDataBaseChange(bool dispatch);
  void TellSchoolFolder();

  MessagePort& port_;
  SessionView& view_;
  PathState paths_;
  Settings settings_;
  std::map<GridId, TableGrid> grids_;
  SheetId currentSheet_ = SheetId::Schnell;
  int currentTable_ = 0;
  // A program directory without write access is reported once per run, not per table.
  DefinitionFileNotice definitionNotice_;
};

}  // namespace tab
