#pragma once
// Where the data live: program directory, data-base directory, current school and class, and the
// discovery of schools (Dienststellen) and classes. Folders are UTF-8 paths ending with '/'.
#include <string>
#include <vector>

#include "app/settings.hpp"
#include "sheets/sheet.hpp"

namespace tab {

// The sheets' paths (program directory, current school and class) and what the window lists.
struct PathState : SheetPaths {
  std::string dataBaseDirectory;
  std::vector<std::string> schools;  // sorted as the school selector shows them
  std::vector<std::string> classes;  // sorted as the class list shows them
  int selectedClass = -1;            // index into classes, -1 when none is selected
};

// The data-base directory a folder names, with its trailing separator: the program directory
// for no folder, a relative folder taken from the program directory (never from the current
// directory, which may be anywhere).
std::string DataBaseDirectoryOf(const std::string& folder, const std::string& programDirectory);

// First step of showing the main window: school number and data-base directory from the
// settings, school directory formed and created (one level) when it cannot be entered. Only a
// school number that is one folder name creates a folder, so none is made outside the data base.
void InitialiseDataBase(PathState& paths, const Settings& settings);
// Data-base directory with its trailing separator, school number from the settings, school
// directory formed again.
void DetermineSchool(PathState& paths, const Settings& settings);
// Directories directly in the data-base directory whose name is exactly five characters long
// (hidden entries skipped), sorted as the selector shows them.
void FindSchools(PathState& paths);
// Classes of the school: files "??????00.CSV" in its KLASSE folder; the first one is selected.
void FindClasses(PathState& paths);
// The school selector's text becomes the current school; the school directory follows. The
// class list is the caller's next step (FindClasses).
void SelectSchool(PathState& paths, const std::string& text);

// Whether the current school number names a folder directly in the data base (an empty number,
// "." or a path names none).
bool SchoolFolderExists(const PathState& paths);

// The order of the sorted selector and list: ASCII letters without regard to case, then bytes.
bool SelectorOrder(const std::string& a, const std::string& b);

}  // namespace tab
