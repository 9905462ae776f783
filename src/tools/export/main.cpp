// tabellario-export: sets up and loads one table exactly as the window does and writes it to
// standard output, for people who want a table as a file and for end-to-end tests.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "app/program_directory.hpp"
#include "app/session.hpp"
#include "tools/export/export_arguments.hpp"
#include "tools/export/export_output.hpp"

namespace {

int UsageError(const std::string& message) {
  std::cerr << "tabellario-export: " << message << "\n\n" << tab::kExportUsage;
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

}  // namespace

int main(int argc, char** argv) {
  const tab::ExportArguments arguments = tab::ParseExportArguments({argv + 1, argv + argc});
  switch (arguments.action) {
    case tab::ExportArguments::Action::Help:
      std::cout << tab::kExportUsage;
      return 0;
    case tab::ExportArguments::Action::Version:
      std::cout << tab::VersionLine("tabellario-export") << '\n';
      return 0;
    case tab::ExportArguments::Action::UsageError:
      return UsageError(arguments.error);
    case tab::ExportArguments::Action::Run:
      break;
  }

  tab::RecordingPort port;
  const std::string programDir = tab::PrepareProgramDirectory(arguments.programDir, port);
  RecordingView view;
  tab::Session session(port, view);
  session.Create(programDir);
  session.StartUp();
  if (arguments.haveDatabase) session.DataBaseChosen(arguments.database, false);
  if (arguments.haveSchool) session.SchoolSelectorChanged(arguments.school, false);
  if (arguments.haveClass) {
    const auto& classes = session.Paths().classes;
    int index = -1;
    for (std::size_t i = 0; i < classes.size(); ++i) {
      if (classes[i] == arguments.classId) index = static_cast<int>(i);
    }
    if (index < 0) {
      return UsageError("Klasse " + arguments.classId + " ist in der Klassenliste nicht vorhanden");
    }
    session.Paths().selectedClass = index;
  }
  session.SetCurrent(arguments.sheet, arguments.table);
  session.Dispatch(arguments.sheet, arguments.table);
  for (const tab::ButtonId button : arguments.buttons) session.RunButton(button);

  std::string output;
  if (arguments.format == "csv") {
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
