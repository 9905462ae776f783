// The school sheet with large files. School table 2 with 100,000 lines, set up and loaded as the
// window does it, stands next to its floor: reading the same lines with LineReader (loading
// takes at most twice the floor; set-up and loading together, a dispatch, under 100 ms). The
// occupation completion of table 3 ("Texte (Beruf, Berufsgr., Fachr.) ergänzen") over 100,000
// rows with a key file of 10,000 lines stands next to reading its key files (the target is
// under 100 ms).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/path_state.hpp"
#include "app/window_layout.hpp"
#include "records/line_reader.hpp"
#include "records/message_port.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"

namespace {

constexpr int kLines = 100'000;
constexpr int kKeyLines = 10'000;

std::string Occupation(int i) {
  return std::to_string(1000 + (i * 13) % (kKeyLines * 2));
}

// A program directory with the occupation key files and the data base of school 12345 with
// school tables 2 and 3 of kLines lines each; removed again at exit.
class SchoolFolder {
 public:
  SchoolFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tabellario-bench-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern + "/";
    paths_.programDirectory = root_ + "program/";
    paths_.dataBaseDirectory = root_ + "db/";
    paths_.schoolNumber = "12345";
    paths_.schoolDirectory = paths_.dataBaseDirectory + "12345/";
    std::filesystem::create_directories(paths_.programDirectory);
    std::filesystem::create_directories(paths_.schoolDirectory + "SCHULE");

    // SBBG3 knows every other code of the table, SBBG6 a few more, SBBG7 none of them.
    std::ofstream sbbg3(paths_.programDirectory + "SBBG3.SSD", std::ios::binary);
    for (int i = 0; i < kKeyLines; ++i) {
      sbbg3 << Occupation(2 * i) << ";Beruf " << i << " (Fachrichtung)\r\n";
    }
    std::ofstream(paths_.programDirectory + "SBBG6.SSD", std::ios::binary)
        << Occupation(1) << ";Fachschule\r\n"
        << Occupation(3) << ";Fachschule\r\n";
    std::ofstream(paths_.programDirectory + "SBBG7.SSD", std::ios::binary) << "1;Fachgymnasium\r\n";

    std::ofstream table2(Table2Path(), std::ios::binary);
    table2 << "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;ES011;ES012;ES013;"
              "ES014;ES015;ES016;ES017;ES018\r\n";
    for (int i = 1; i < kLines; ++i) {
      table2 << (i % 26 + 1) << ';' << (1980 + i % 30);
      for (int k = 3; k <= 18; ++k) table2 << ';' << (i * k) % 97;
      table2 << "\r\n";
    }
    // Every text of table 3 is missing; its codes are what the completion looks up.
    std::ofstream table3(paths_.schoolDirectory + "SCHULE/1234503.CSV", std::ios::binary);
    table3 << "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009\r\n";
    for (int i = 1; i < kLines; ++i) {
      table3 << ';' << Occupation(i % (kKeyLines * 2)) << ";36;" << i % 40 << ';' << i % 20
             << ";1;0;0;0\r\n";
    }
  }
  ~SchoolFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  SchoolFolder(const SchoolFolder&) = delete;
  SchoolFolder& operator=(const SchoolFolder&) = delete;

  const tab::PathState& Paths() const { return paths_; }
  std::string Table2Path() const { return paths_.schoolDirectory + "SCHULE/1234502.CSV"; }

 private:
  std::string root_;
  tab::PathState paths_;
};

const SchoolFolder& Folder() {
  static const SchoolFolder folder;
  return folder;
}

// The grid of school table t as the window creates it.
tab::TableGrid SchoolGrid(int table) {
  const tab::GridDesign& design = *tab::FindGridDesign(static_cast<tab::GridId>(4 + table));
  return tab::TableGrid(design.cols, design.rows, design.fixedCols, design.defaultColWidth);
}

const tab::TableStep& SchoolStep(int table) {
  return tab::schule::Sheet().tables[static_cast<std::size_t>(table)].steps[0];
}

tab::GridStep SchoolCommand(tab::ButtonId button) {
  for (const tab::ButtonCommand& command : tab::schule::Sheet().commands) {
    if (command.button == button) return command.run;
  }
  std::abort();
}

std::size_t ReadAllLines(const std::string& path) {
  tab::LineReader reader(path);
  std::string line;
  std::size_t total = 0;
  while (reader.Next(line)) total += line.size();
  return total;
}

void BM_Floor_ReadTable2Lines(benchmark::State& state) {
  const std::string path = Folder().Table2Path();
  for (auto _ : state) benchmark::DoNotOptimize(ReadAllLines(path));
}
BENCHMARK(BM_Floor_ReadTable2Lines)->Unit(benchmark::kMillisecond);

// Set-up and loading on the same grid again and again, as the window does it. Without
// `timeSetUp` the set-up (which empties the rows of the last showing) runs untimed.
void ShowTable2(benchmark::State& state, bool timeSetUp) {
  const tab::TableOptions options;
  tab::RecordingPort port;
  const tab::SheetContext context{Folder().Paths(), options, port};
  const tab::TableStep& step = SchoolStep(2);
  tab::TableGrid grid = SchoolGrid(2);
  for (auto _ : state) {
    if (!timeSetUp) state.PauseTiming();
    step.setUp(grid, context);
    if (!timeSetUp) state.ResumeTiming();
    step.load(grid, context);
    benchmark::DoNotOptimize(grid.Cell(18, kLines - 1).data());
  }
  if (grid.RowCount() != kLines + 1 || !port.Messages().empty()) state.SkipWithError("wrong load");
}

void BM_ShowSchoolTable2(benchmark::State& state) {
  ShowTable2(state, true);
}
BENCHMARK(BM_ShowSchoolTable2)->Unit(benchmark::kMillisecond);

void BM_LoadSchoolTable2(benchmark::State& state) {
  ShowTable2(state, false);
}
BENCHMARK(BM_LoadSchoolTable2)->Unit(benchmark::kMillisecond);

void BM_Floor_ReadOccupationKeyFiles(benchmark::State& state) {
  const std::string& dir = Folder().Paths().programDirectory;
  for (auto _ : state) {
    for (const char* file : {"SBBG3.SSD", "SBBG6.SSD", "SBBG7.SSD"}) {
      benchmark::DoNotOptimize(ReadAllLines(dir + file));
    }
  }
}
BENCHMARK(BM_Floor_ReadOccupationKeyFiles)->Unit(benchmark::kMillisecond);

void BM_CompleteOccupationTexts(benchmark::State& state) {
  const tab::TableOptions options;
  tab::RecordingPort port;
  const tab::SheetContext context{Folder().Paths(), options, port};
  tab::TableGrid loaded = SchoolGrid(3);
  SchoolStep(3).setUp(loaded, context);
  SchoolStep(3).load(loaded, context);
  const tab::GridStep complete = SchoolCommand(tab::ButtonId::Button21);
  tab::TableGrid grid;
  for (auto _ : state) {
    state.PauseTiming();
    grid = loaded;  // blank texts again; the old copy goes away outside the measured time
    state.ResumeTiming();
    complete(grid, context);
    benchmark::DoNotOptimize(grid.Cell(1, 2).data());
  }
  if (grid.RowCount() != kLines + 1 || grid.Cell(1, 2).empty() || !port.Messages().empty()) {
    state.SkipWithError("wrong completion");
  }
}
BENCHMARK(BM_CompleteOccupationTexts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
