// tabellario-export: sets up and loads one table exactly as the window does and writes it to
// standard output, for people who want a table as a file and for end-to-end tests.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "app/program_directory.hpp"
#include "app/session.hpp"
#include "app/window_layout.hpp"
#include "export/table_files.hpp"
#include "records/error_text.hpp"
#include "tools/export/export_arguments.hpp"
#include "tools/export/export_output.hpp"
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

// Text output to standard output, or to the file under a temporary name renamed when complete.
int Deliver(const std::string& output, const std::string& path) {
  if (path.empty()) {
    std::fwrite(output.data(), 1, output.size(), stdout);
    return std::fflush(stdout) != 0 ? 1 : 0;
  }
  tab::PendingFile file(path);
  if (!file.Create()) return OutputError(path, file.Error());
  std::size_t done = 0;
  while (done < output.size()) {
    const ssize_t n = write(file.Descriptor(), output.data() + done, output.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return OutputError(path, tab::ErrorText(errno));
    done += static_cast<std::size_t>(n);
  }
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

  if (arguments.format == "json") {
    return Deliver(tab::ToJson(session, view.grids, port.Messages()), arguments.output);
  }
  if (view.grids.empty()) {
    std::cerr << "tabellario-export: keine Tabelle geladen\n";
    return 1;
  }
  const tab::TableGrid& grid = session.Grid(view.grids.back());
  if (arguments.format == "csv") return Deliver(tab::ToCsv(grid), arguments.output);
  const std::string table = TableCaption(arguments.sheet, arguments.table);
  if (arguments.format == "xlsx") {
    return Report(tab::WriteXlsx(grid, arguments.output, table), arguments.output);
  }
  return WritePdf(grid, view.school, SheetCaption(arguments.sheet), table, arguments.output);
}
