// tabellario-export: sets up and loads one table exactly as the window does and writes it to
// standard output, for people who want a table as a file and for end-to-end tests.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "app/program_directory.hpp"
#include "app/session.hpp"
#include "export/json_export.hpp"
#include "export/output_sink.hpp"
#include "export/table_writer.hpp"
#include "tools/export/export_arguments.hpp"

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

  // JSON holds every grid the run touched and every message; a table format the last grid.
  tab::OutputSink out(STDOUT_FILENO);
  if (const tab::TableWriter* writer = tab::FindTableWriter(arguments.format)) {
    if (view.grids.empty()) {
      std::cerr << "tabellario-export: keine Tabelle geladen\n";
      return 1;
    }
    writer->Write(tab::TableSource(session.Grid(view.grids.back())), out);
  } else {
    tab::WriteExportJson(out, session, view.grids, port.Messages());
  }
  if (!out.Finish()) {
    std::cerr << "tabellario-export: " << out.ErrorMessage() << "\n";
    return 1;
  }
  return 0;
}
