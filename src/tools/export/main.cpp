// tabellario-export: sets up and loads one table exactly as the window does and writes it to
// standard output, for people who want a table as a file and for end-to-end tests.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/program_directory.hpp"
#include "app/session.hpp"
#include "app/window_layout.hpp"
#include "tools/export/export_output.hpp"

namespace {

constexpr const char* kUsage =
    "Aufruf: tabellario-export [--program-dir VERZ] [--database VERZ] [--school NR] "
    "[--class KENNUNG]\n"
    "                          [--run BUTTON]... [--format json|csv] BOGEN TABELLE\n"
    "  BOGEN    0 Schnellmeldung, 1 Schule, 2 Lehrer, 3 Klasse\n"
    "  TABELLE  Nummer der Tabelle (Klasse: 0 bis 9, 10 für \"Tab. 4.1\")\n";

int UsageError(const std::string& message) {
  std::cerr << "tabellario-export: " << message << "\n\n" << kUsage;
  return 2;
}

// Records which grids the run touched, in the order they were first touched.
class RecordingView : public tab::SessionView {
 public:
  void GridAboutToChange(tab::GridId grid) override {
    for (tab::GridId seen : grids) {
      if (seen == grid) return;
    }
    grids.push_back(grid);
  }
  std::vector<tab::GridId> grids;
};

bool ParseIndex(const std::string& text, int& value) {
  if (text.empty() || text.size() > 3) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string programDir;
  std::string database;
  std::string school;
  std::string classId;
  bool haveDatabase = false;
  bool haveSchool = false;
  bool haveClass = false;
  std::string format = "json";
  std::vector<std::string> buttonNames;
  std::vector<std::string> positional;

  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const auto value = [&](std::string& target) {
      if (i + 1 >= argc) return false;
      target = argv[++i];
      return true;
    };
    bool ok = true;
    if (argument == "--program-dir") {
      ok = value(programDir);
    } else if (argument == "--database") {
      ok = haveDatabase = value(database);
    } else if (argument == "--school") {
      ok = haveSchool = value(school);
    } else if (argument == "--class") {
      ok = haveClass = value(classId);
    } else if (argument == "--run") {
      std::string button;
      ok = value(button);
      buttonNames.push_back(button);
    } else if (argument == "--format") {
      ok = value(format) && (format == "json" || format == "csv");
      if (!ok) return UsageError("unbekanntes Ausgabeformat: " + format);
    } else if (argument == "--help" || argument == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (argument.size() > 1 && argument[0] == '-') {
      return UsageError("unbekannte Option: " + argument);
    } else {
      positional.push_back(argument);
    }
    if (!ok) return UsageError("Option ohne Wert: " + argument);
  }
  int sheetIndex = 0;
  int table = 0;
  if (positional.size() != 2) return UsageError("BOGEN und TABELLE werden erwartet");
  if (!ParseIndex(positional[0], sheetIndex) || sheetIndex > 3) {
    return UsageError("unbekannter Bogen: " + positional[0]);
  }
  const auto sheet = static_cast<tab::SheetId>(sheetIndex);
  if (!ParseIndex(positional[1], table)) return UsageError("unbekannte Tabelle: " + positional[1]);

  // The buttons by the names of the window's controls. They must belong to the page that is
  // dispatched, and their sheet must be built.
  std::vector<tab::ButtonId> buttons;
  for (const std::string& name : buttonNames) {
    const tab::ButtonDesign* design = tab::FindButton(name);
    if (design == nullptr || !tab::Session::HasCommand(design->button)) {
      return UsageError("unbekannter Button: " + name);
    }
    if (design->sheet != sheet || design->table != table) {
      return UsageError("Button " + name + " liegt nicht auf der Seite von Bogen " + positional[0] +
                        ", Tabelle " + positional[1]);
    }
    buttons.push_back(design->button);
  }

  if (programDir.empty()) programDir = tab::ExecutableDirectory();
  tab::RecordingPort port;
  RecordingView view;
  tab::Session session(port, view);
  session.Create(programDir);
  session.StartUp();
  if (haveDatabase) session.DataBaseChosen(database, false);
  if (haveSchool) session.SchoolSelectorChanged(school, false);
  if (haveClass) {
    const auto& classes = session.Paths().classes;
    int index = -1;
    for (std::size_t i = 0; i < classes.size(); ++i) {
      if (classes[i] == classId) index = static_cast<int>(i);
    }
    if (index < 0) {
      std::cerr << "tabellario-export: Klasse " << classId
                << " ist in der Klassenliste nicht vorhanden\n\n"
                << kUsage;
      return 2;
    }
    session.Paths().selectedClass = index;
  }
  session.SetCurrent(sheet, table);
  session.Dispatch(sheet, table);
  for (const tab::ButtonId button : buttons) session.RunButton(button);

  std::string output;
  if (format == "csv") {
    if (view.grids.empty()) {
      std::cerr << "tabellario-export: keine Tabelle geladen\n";
      return 1;
    }
    output = tab::ToCsv(session.Grid(view.grids.back()));
  } else {
    output = tab::ToJson(session, view.grids, port.Messages());
  }
  std::fwrite(output.data(), 1, output.size(), stdout);
  if (std::fflush(stdout) != 0) return 1;
  return 0;
}
