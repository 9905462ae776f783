#pragma once
// The main window's state and logic without widgets: path state, settings, the grids, the
// current sheet and table, and the dispatcher that sets up and loads one table. The window and
// tabellario-export drive the same object.
#include <map>
#include <string>
#include <string_view>

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
  virtual void GridAboutToChange(int /*grid*/) {}
  virtual void GridChanged(int /*grid*/) {}
  // The three class caption fields; `classId` is shown while they are visible.
  virtual void ShowClassCaption(bool /*visible*/, const std::string& /*classId*/) {}
  virtual void FocusClassList() {}
  virtual void SchoolListChanged() {}  // selector items = paths.schools, first one selected
  virtual void ClassListChanged() {}   // list items = paths.classes, selection = selectedClass
  virtual void StatusSchoolNumber(const std::string& /*number*/) {}
};

class Session {
 public:
  Session(MessagePort& port, SessionView& view);

  // Creating the main window: viewer mode, program directory, settings.
  void Create(const std::string& programDirectory);
  // Showing it: data base, school, classes, schools, status line; then the first dispatch.
  void Show();
  // Showing without the first dispatch (the export tool dispatches its own table).
  void StartUp();

  // A sheet page or table page became active: the names of the active sheet page and of the
  // active page of that sheet's table page control.
  void PageChanged(std::string_view sheetPage, std::string_view tablePage);
  // The school selector's text changed (picked or typed).
  void SchoolSelectorChanged(const std::string& text, bool dispatch = true);
  // A click in the class list; `activeClassPage` is the active page of the class sheet.
  void ClassListClicked(int index, std::string_view activeClassPage);
  // The settings dialog closed with OK (the record in memory holds what was taken over).
  void SettingsAccepted(bool dispatch = true);
  // The directory chooser closed with OK on `folder`.
  void DataBaseChosen(const std::string& folder, bool dispatch = true);

  void Dispatch(int sheet, int table);
  // The command of a page button on its grid; false when no command is registered for it.
  bool RunButton(std::string_view button);
  // Whether the button's command is available (its sheet is built).
  static bool HasCommand(std::string_view button);

  TableGrid& Grid(int number);
  const TableGrid& Grid(int number) const;

  PathState& Paths() { return paths_; }
  const PathState& Paths() const { return paths_; }
  Settings& CurrentSettings() { return settings_; }
  MessagePort& Port() { return port_; }
  int CurrentSheet() const { return currentSheet_; }
  int CurrentTable() const { return currentTable_; }
  void SetCurrent(int sheet, int table) {
    currentSheet_ = sheet;
    currentTable_ = table;
  }
  const std::string& HelpFile() const { return helpFile_; }

 private:
  void RunTable(int sheet, int table, bool withLoader);
  void AfterDataBaseChange(bool dispatch);

  MessagePort& port_;
  SessionView& view_;
  PathState paths_;
  Settings settings_;
  std::map<int, TableGrid> grids_;
  int currentSheet_ = 0;
  int currentTable_ = 0;
  std::string helpFile_;
  // A program directory without write access is reported once per run, not per table.
  DefinitionFileNotice definitionNotice_;
};

}  // namespace tab
