// tabellario-export: sets up and loads one table exactly as the window does and writes it to
// standard output, for people who want a table as a file and for end-to-end tests.
#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "app/program_directory.hpp"
#include "app/session.hpp"
#include "app/window_layout.hpp"
#include "export/json_export.hpp"
#include "export/output_sink.hpp"
#include "export/table_files.hpp"
#include "export/table_writer.hpp"
#include "records/error_text.hpp"
#include "tools/export/export_arguments.hpp"
#include "tools/export/pdf_module.hpp"

namespace {

int UsageError(const std::string& message) {
  std::cerr << "tabellario-export: " << message << "\n\n" << tab::kExportUsage;
  return 2;
}

// Records which grids the run touched, in the order they were first touched.
class RecordingView : public tab::SessionView {
 public:
  void StatusSchoolNumber(const std::string& number) override { school = number; }
  std::string school;
  void GridAboutToChange(tab::GridId grid) override {
    for (tab::GridId seen : grids) {
      if (seen == grid) return;
    }
    grids.push_back(grid);
  }
  std::vector<tab::GridId> grids;
};

int OutputError(const std::string& path, const std::string& reason) {
  std::cerr << "tabellario-export: " << tab::ExportFailureText(path, reason) << '\n';
  return 1;
}

int Report(const tab::ExportResult& result, const std::string& path) {
  return result.ok ? 0 : OutputError(path, result.error);
}

// JSON and the table writers' formats stream through one buffered output, row by row: to standard
// output, or to the file under a temporary name renamed when complete.
int Stream(const std::string& path, const std::function<void(tab::OutputSink&)>& write) {
  if (path.empty()) {
    tab::OutputSink out(STDOUT_FILENO);
    write(out);
    if (out.Finish()) return 0;
    std::cerr << "tabellario-export: " << out.ErrorMessage() << '\n';
    return 1;
  }
  tab::PendingFile file(path);
  if (!file.Create()) return OutputError(path, file.Error());
  tab::OutputSink out(file.Descriptor());
  write(out);
  if (!out.Finish()) return OutputError(path, tab::ErrorText(out.Error()));
  return file.Commit() ? 0 : OutputError(path, file.Error());
}

std::string SheetCaption(tab::SheetId sheet) {
  for (const tab::SheetPageDesign& page : tab::SheetPages()) {
    if (page.sheet == sheet) return page.caption;
  }
  return {};
}

std::string TableCaption(tab::SheetId sheet, int table) {
  for (const tab::TablePageDesign& page : tab::TablePages()) {
    if (page.sheet == sheet && page.table == table) return page.caption;
  }
  return "Tabelle " + std::to_string(table);
}

// The PDF writer is a module with Qt in it, loaded only now: beside the program (build tree)
// or in ../lib/tabellario/ (installed).
int WritePdf(const tab::TableGrid& grid, const std::string& school, const std::string& sheet,
             const std::string& table, const std::string& path) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  void* module = nullptr;
  for (const std::filesystem::path& candidate :
       {self.parent_path() / kPdfModuleName,
        self.parent_path().parent_path() / "lib" / "tabellario" / kPdfModuleName}) {
    module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module != nullptr) break;
  }
  if (module == nullptr) {
    return OutputError(path, std::string("Der PDF-Teil des Programms (") + kPdfModuleName +
                                 ") fehlt oder kann nicht geladen werden.");
  }
  const auto write = reinterpret_cast<TabellarioWritePdf>(dlsym(module, kPdfModuleEntry));
  if (write == nullptr) return OutputError(path, "Der PDF-Teil des Programms ist unvollständig.");
  char reason[1024] = {};
  if (write(&grid, school.c_str(), sheet.c_str(), table.c_str(), path.c_str(), reason,
            sizeof reason) != 0) {
    return OutputError(path, reason);
  }
  // The module stays loaded: Qt does not take well to being unloaded.
  return 0;
}

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

  // JSON holds every grid the run touched and every message; the other formats the last grid.
  if (arguments.format == "json") {
    return Stream(arguments.output, [&](tab::OutputSink& out) {
      tab::WriteExportJson(out, session, view.grids, port.Messages());
    });
  }
  if (view.grids.empty()) {
    std::cerr << "tabellario-export: keine Tabelle geladen\n";
    return 1;
  }
  const tab::TableGrid& grid = session.Grid(view.grids.back());
  if (const tab::TableWriter* writer = tab::FindTableWriter(arguments.format)) {
    return Stream(arguments.output,
                  [&](tab::OutputSink& out) { writer->Write(tab::TableSource(grid), out); });
  }
  const std::string table = TableCaption(arguments.sheet, arguments.table);
  if (arguments.format == "xlsx") {
    return Report(tab::WriteXlsx(grid, arguments.output, table), arguments.output);
  }
  return WritePdf(grid, view.school, SheetCaption(arguments.sheet), table, arguments.output);
}
