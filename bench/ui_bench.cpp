// The window, painted offscreen: from its construction to the first table on the screen (on the
// demo data base), and the switch to a school table of 100,000 rows until it is on the screen,
// each next to its floor (the same start-up and the same dispatch without widgets); and taking
// the heights of 100,000 rows after a rebuild, next to a rebuild with every row at the default.
// The same school table taken away: as an Excel workbook (under 2 s), as spreadsheet CSV, as
// every printed page in a PDF (under 10 s), and the peak memory of tabellario-export writing the
// workbook and the PDF (under 200 MB each).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "app/session.hpp"
#include "app/settings.hpp"
#include "app/ui/grid_model.hpp"
#include "app/ui/grid_view.hpp"
#include "app/ui/main_window.hpp"
#include "app/ui/table_print.hpp"
#include "export/table_files.hpp"
#include "records/message_port.hpp"
#include "support/bench_support.hpp"
#include "tools/textfiles/text_files.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 100000;

// A program directory in a temporary folder: the demo key files, its data base inside it, and
// for Dienststelle 12345 a school table 2 of kRows records.
class BenchProgram {
 public:
  BenchProgram() {
    const fs::path source = TABELLARIO_SOURCE_DIR;
    fs::copy(source / "demo" / "program", Dir(), fs::copy_options::recursive);
    fs::copy(source / "demo" / "db", Dir(), fs::copy_options::recursive);
    std::vector<std::string> lines = {tab::textfiles::IdLine(18)};
    for (int line = 0; line < kRows; ++line) {
      std::string text = std::to_string(1 + line % 30) + ";" + std::to_string(1980 + line % 25);
      for (int k = 3; k <= 18; ++k) text += ";" + std::to_string((line * k) % 100);
      lines.push_back(text);
    }
    tab::test::WriteOemLines(Dir() + "12345/SCHULE/1234502.CSV", lines);
  }
  const std::string& Dir() const { return dir_.Path(); }

 private:
  tab::test::TempDir dir_;
};

const BenchProgram& Program() {
  static const BenchProgram program;
  return program;
}

// Tells when a widget has been painted.
class PaintWatcher : public QObject {
 public:
  explicit PaintWatcher(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
  ~PaintWatcher() override { widget_->removeEventFilter(this); }
  PaintWatcher(const PaintWatcher&) = delete;
  PaintWatcher& operator=(const PaintWatcher&) = delete;

  // Runs the event loop until the widget has been painted (after the paint has finished).
  bool WaitForPaint() {
    QElapsedTimer guard;
    guard.start();
    while (!painted_ && guard.elapsed() < 10000) QCoreApplication::processEvents();
    const bool painted = painted_;
    painted_ = false;
    return painted;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget_ && event->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  QWidget* widget_;
  bool painted_ = false;
};

class NullView : public tab::SessionView {};

// Floor: creating and showing the session with its first dispatch, without any widget.
void StartUpWithoutWindow(benchmark::State& state) {
  const std::string& dir = Program().Dir();
  for (auto _ : state) {
    tab::RecordingPort port;
    NullView view;
    tab::Session session(port, view);
    session.Create(dir);
    session.Show();
    benchmark::DoNotOptimize(session.Grid(tab::GridId::StringGrid1).RowCount());
  }
}

// From the construction of the window to quick-report table 0 painted on the screen.
void WindowToFirstTablePainted(benchmark::State& state) {
  const std::string& dir = Program().Dir();
  for (auto _ : state) {
    tab::RecordingPort port;
    std::optional<tab::ui::TMainFormZR> window;
    window.emplace(port, dir);
    {
      PaintWatcher watcher(
          window->findChild<tab::ui::GridView*>(QStringLiteral("StringGrid1"))->viewport());
      window->show();
      if (!watcher.WaitForPaint()) state.SkipWithError("table 0 was not painted");
    }
    state.PauseTiming();
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

// Floor: dispatching school table 2 (100,000 rows) without widgets.
void LargeTableWithoutWindow(benchmark::State& state) {
  const std::string& dir = Program().Dir();
  tab::RecordingPort port;
  NullView view;
  tab::Session session(port, view);
  session.Create(dir);
  session.StartUp();
  session.SchoolSelectorChanged("12345", false);
  for (auto _ : state) {
    session.Dispatch(tab::SheetId::Schule, 2);
    benchmark::DoNotOptimize(session.Grid(tab::GridId::StringGrid6).RowCount());
  }
  state.counters["rows"] = session.Grid(tab::GridId::StringGrid6).RowCount();
}

// Switching to the school sheet whose "Tabelle 2" holds 100,000 rows, until the grid is painted.
void SwitchToLargeTablePainted(benchmark::State& state) {
  const std::string& dir = Program().Dir();
  tab::RecordingPort port;
  tab::ui::TMainFormZR window(port, dir);
  window.show();
  QCoreApplication::processEvents();
  window.findChild<tab::ui::Document*>()->CurrentSession().SchoolSelectorChanged("12345", false);
  // Table page "Tabelle 2" of the school sheet, set while the quick report is active.
  window.findChild<QTabWidget*>(QStringLiteral("PageControl3"))->setCurrentIndex(2);
  QCoreApplication::processEvents();
  auto* grid = window.findChild<tab::ui::GridView*>(QStringLiteral("StringGrid6"));
  auto* sheets = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  PaintWatcher watcher(grid->viewport());
  for (auto _ : state) {
    sheets->setCurrentIndex(1);
    if (!watcher.WaitForPaint()) state.SkipWithError("table 2 was not painted");
    state.PauseTiming();
    sheets->setCurrentIndex(0);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["rows"] = grid->Model()->rowCount();
  if (grid->Model()->rowCount() < kRows) state.SkipWithError("the large table was not loaded");
}

// A grid of kRows rows in which every other row is lowered: the view takes every height again.
struct LoweredGrid {
  LoweredGrid() : grid(20, kRows + 1, 2, 80) {
    for (int row = 2; row <= kRows; row += 2) grid.SetRowHeight(row, 9);
  }
  tab::TableGrid grid;
};

// The design of the grid that holds a table of kRows rows.
constexpr tab::GridDesign kLargeGrid{tab::GridId::StringGrid6,
                                     "StringGrid6",
                                     20,
                                     kRows + 1,
                                     2,
                                     80,
                                     true,
                                     true,
                                     tab::GridColour::Schule,
                                     ""};

// Floor: the model reset alone, every row at the default height.
void RebuildWithDefaultHeights(benchmark::State& state) {
  tab::TableGrid grid(20, kRows + 1, 2, 80);
  tab::ui::GridModel model(grid);
  tab::ui::GridView view(kLargeGrid, &model);
  for (auto _ : state) {
    view.BeginRebuild();
    view.EndRebuild();
  }
}

// Half of the rows 9 pixels high, half 18: one resize per row, each without a recomputation of
// all row positions.
void RebuildWithLoweredRows(benchmark::State& state) {
  LoweredGrid lowered;
  tab::ui::GridModel model(lowered.grid);
  tab::ui::GridView view(kLargeGrid, &model);
  for (auto _ : state) {
    view.BeginRebuild();
    view.EndRebuild();
  }
  if (view.rowHeight(1) != 9) state.SkipWithError("the lowered rows were not taken");
}

// ---- taking school table 2 away: Excel workbook, spreadsheet CSV, every printed page ----------

// The loaded school table 2 of kRows rows, as the window shows it.
const tab::TableGrid& LoadedTable2() {
  static tab::RecordingPort port;
  static NullView view;
  static tab::Session session(port, view);
  static const bool loaded = [] {
    session.Create(Program().Dir());
    session.StartUp();
    session.SchoolSelectorChanged("12345", false);
    session.Dispatch(tab::SheetId::Schule, 2);
    return true;
  }();
  (void)loaded;
  return session.Grid(tab::GridId::StringGrid6);
}

template <typename Write>
void ExportTable2(benchmark::State& state, const char* name, Write write) {
  const tab::TableGrid& grid = LoadedTable2();
  const std::string path = Program().Dir() + name;
  for (auto _ : state) {
    const tab::ExportResult result = write(grid, path);
    if (!result.ok) state.SkipWithError(result.error.c_str());
  }
  state.counters["rows"] = grid.RowCount();
  state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / (1024.0 * 1024.0);
}

void ExportTable2Xlsx(benchmark::State& state) {
  ExportTable2(state, "t.xlsx", [](const tab::TableGrid& grid, const std::string& path) {
    return tab::WriteXlsx(grid, path, "Tabelle 2");
  });
}

void ExportTable2SpreadsheetCsv(benchmark::State& state) {
  ExportTable2(state, "t.csv", [](const tab::TableGrid& grid, const std::string& path) {
    return tab::WriteSpreadsheetCsv(grid, path);
  });
}

void ExportTable2Pdf(benchmark::State& state) {
  ExportTable2(state, "t.pdf", [](const tab::TableGrid& grid, const std::string& path) {
    return tab::ui::WriteTablePdf(grid, {"12345", "Schule", "Tabelle 2"}, path);
  });
}

// The peak memory of tabellario-export writing the table, a fresh process from start to end.
void ExportToolPeak(benchmark::State& state, const char* format) {
  const std::string path = Program().Dir() + "tool." + format;
  long peakKb = 0;
  for (auto _ : state) {
    const pid_t child = fork();
    if (child == 0) {
      execl(TABELLARIO_EXPORT_TOOL, "tabellario-export", "--program-dir", Program().Dir().c_str(),
            "--school", "12345", "--format", format, "--output", path.c_str(), "1", "2",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      state.SkipWithError("tabellario-export failed");
      break;
    }
    peakKb = usage.ru_maxrss;
  }
  state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
}

BENCHMARK(ExportTable2Xlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportTable2SpreadsheetCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportTable2Pdf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(ExportToolPeak, xlsx, "xlsx")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(ExportToolPeak, pdf, "pdf")->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK(StartUpWithoutWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowToFirstTablePainted)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LargeTableWithoutWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(SwitchToLargeTablePainted)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RebuildWithDefaultHeights)->Unit(benchmark::kMillisecond);
BENCHMARK(RebuildWithLoweredRows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // No display needed: the window paints into memory.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
