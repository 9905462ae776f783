// The school sheet with large files. School table 2 with 100,000 lines, set up and loaded as the
// window does it, stands next to its floor: reading the same lines with LineReader (loading
// takes at most twice the floor; set-up and loading together, a dispatch, under 100 ms). The
// occupation completion of table 3 ("Texte (Beruf, Berufsgr., Fachr.) ergänzen") over 100,000
// rows with a key file of 10,000 lines stands next to reading its key files (the target is
// under 100 ms). Finding a text in every cell of the loaded table 2 (the window's find bar) stands
// next to visiting every cell and reading its bytes (under 100 ms).
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/path_state.hpp"
#include "app/window_layout.hpp"
#include "records/fields.hpp"
#include "records/grid_search.hpp"
#include "records/message_port.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"
#include "support/bench_support.hpp"
#include "support/sheets.hpp"
#include "tools/textfiles/text_files.hpp"

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
    paths_.programDirectory = temp_.Path() + "program/";
    paths_.dataBaseDirectory = temp_.Path() + "db/";
    paths_.schoolNumber = "12345";
    paths_.schoolDirectory = paths_.dataBaseDirectory + "12345/";

    // SBBG3 knows every other code of the table, SBBG6 a few more, SBBG7 none of them.
    std::vector<std::string> sbbg3;
    for (int i = 0; i < kKeyLines; ++i) {
      sbbg3.push_back(Occupation(2 * i) + ";Beruf " + std::to_string(i) + " (Fachrichtung)");
    }
    tab::test::WriteAnsiLines(paths_.programDirectory + "SBBG3.SSD", sbbg3);
    tab::test::WriteAnsiLines(paths_.programDirectory + "SBBG6.SSD",
                              {Occupation(1) + ";Fachschule", Occupation(3) + ";Fachschule"});
    tab::test::WriteAnsiLines(paths_.programDirectory + "SBBG7.SSD", {"1;Fachgymnasium"});

    std::vector<std::string> table2 = {tab::textfiles::IdLine(18)};
    for (int i = 1; i < kLines; ++i) {
      std::string record = std::to_string(i % 26 + 1) + ";" + std::to_string(1980 + i % 30);
      for (int k = 3; k <= 18; ++k) record += ";" + std::to_string((i * k) % 97);
      table2.push_back(record);
    }
    tab::test::WriteOemLines(Table2Path(), table2);
    // Every text of table 3 is missing; its codes are what the completion looks up.
    std::vector<std::string> table3 = {tab::textfiles::IdLine(9)};
    for (int i = 1; i < kLines; ++i) {
      table3.push_back(";" + Occupation(i % (kKeyLines * 2)) + ";36;" + std::to_string(i % 40) +
                       ";" + std::to_string(i % 20) + ";1;0;0;0");
    }
    tab::test::WriteOemLines(paths_.schoolDirectory + "SCHULE/1234503.CSV", table3);
  }
  SchoolFolder(const SchoolFolder&) = delete;
  SchoolFolder& operator=(const SchoolFolder&) = delete;

  const tab::PathState& Paths() const { return paths_; }
  std::string Table2Path() const { return paths_.schoolDirectory + "SCHULE/1234502.CSV"; }

 private:
  tab::test::TempDir temp_;
  tab::PathState paths_;
};

const SchoolFolder& Folder() {
  static const SchoolFolder folder;
  return folder;
}

// The grid of school table t as the window creates it.
tab::TableGrid SchoolGrid(int table) {
  return tab::test::DesignedGrid(static_cast<tab::GridId>(4 + table));
}

const tab::TableStep& SchoolStep(int table) {
  return tab::test::TableOf(tab::schule::Sheet(), table).steps[0];
}

void BM_Floor_ReadTable2Lines(benchmark::State& state) {
  const std::vector<std::string> files = {Folder().Table2Path()};
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::ReadLineBytes(files));
}
BENCHMARK(BM_Floor_ReadTable2Lines)->Unit(benchmark::kMillisecond);

// Set-up and loading on the same grid again and again, as the window does it. Without
// `timeSetUp` the set-up (which empties the rows of the last showing) runs untimed. `portable`
// splits the lines the portable way instead of the best one, to show what the best one buys.
void ShowTable2(benchmark::State& state, bool timeSetUp, bool portable = false) {
  const tab::TableOptions options;
  tab::RecordingPort port;
  const tab::SheetContext context{Folder().Paths(), options, port};
  const tab::TableStep& step = SchoolStep(2);
  tab::TableGrid grid = SchoolGrid(2);
  if (portable) tab::UseScanWay(tab::ScanWay::kPortable);
  for (auto _ : state) {
    if (!timeSetUp) state.PauseTiming();
    step.setUp(grid, context);
    if (!timeSetUp) state.ResumeTiming();
    step.load(grid, context);
    benchmark::DoNotOptimize(grid.Cell(18, kLines - 1).data());
  }
  tab::UseBestScanWay();
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

void BM_LoadSchoolTable2Portable(benchmark::State& state) {
  ShowTable2(state, false, true);
}
BENCHMARK(BM_LoadSchoolTable2Portable)->Unit(benchmark::kMillisecond);

void BM_Floor_ReadOccupationKeyFiles(benchmark::State& state) {
  const std::string& dir = Folder().Paths().programDirectory;
  const std::vector<std::string> files = {dir + "SBBG3.SSD", dir + "SBBG6.SSD", dir + "SBBG7.SSD"};
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::ReadLineBytes(files));
}
BENCHMARK(BM_Floor_ReadOccupationKeyFiles)->Unit(benchmark::kMillisecond);

// School table t set up and loaded once, as the window shows it.
tab::TableGrid LoadedSchoolTable(int table) {
  const tab::TableOptions options;
  tab::RecordingPort port;
  const tab::SheetContext context{Folder().Paths(), options, port};
  tab::TableGrid loaded = SchoolGrid(table);
  SchoolStep(table).setUp(loaded, context);
  SchoolStep(table).load(loaded, context);
  return loaded;
}

void BM_CompleteOccupationTexts(benchmark::State& state) {
  const tab::TableOptions options;
  tab::RecordingPort port;
  const tab::SheetContext context{Folder().Paths(), options, port};
  const tab::TableGrid loaded = LoadedSchoolTable(3);
  const tab::GridStep complete =
      tab::test::CommandOf(tab::schule::Sheet(), tab::ButtonId::Button21);
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

// Reading the three key files and a look at the code and the text cell of every row of table 3:
// what the completion cannot do without. No target; it shows how much of the completion's time
// the rows take.
void BM_Floor_ReadOccupationKeyFilesAndVisitRows(benchmark::State& state) {
  const std::string& dir = Folder().Paths().programDirectory;
  const std::vector<std::string> files = {dir + "SBBG3.SSD", dir + "SBBG6.SSD", dir + "SBBG7.SSD"};
  const tab::TableGrid grid = LoadedSchoolTable(3);
  for (auto _ : state) {
    std::size_t bytes = tab::bench::ReadLineBytes(files);
    for (int row = 2; row < grid.RowCount(); ++row) {
      bytes += grid.Cell(2, row).size() + grid.Cell(1, row).size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_Floor_ReadOccupationKeyFilesAndVisitRows)->Unit(benchmark::kMillisecond);

const tab::TableGrid& LoadedTable2() {
  static const tab::TableGrid grid = LoadedSchoolTable(2);
  return grid;
}

void BM_Floor_VisitTable2Cells(benchmark::State& state) {
  const tab::TableGrid& grid = LoadedTable2();
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (int row = 0; row < grid.RowCount(); ++row) {
      for (int col = 0; col < grid.ColCount(); ++col) {
        const std::string_view cell = grid.Cell(col, row);
        for (const char c : cell) bytes += static_cast<unsigned char>(c);
      }
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_Floor_VisitTable2Cells)->Unit(benchmark::kMillisecond);

// The cells that hold `text` (as a whole cell or anywhere), counted the plain way.
std::size_t CountCellsPlainly(const tab::TableGrid& grid, std::string_view text, bool wholeCell) {
  std::size_t count = 0;
  for (int row = 0; row < grid.RowCount(); ++row) {
    for (int col = 0; col < grid.ColCount(); ++col) {
      const std::string_view cell = grid.Cell(col, row);
      if (wholeCell ? cell == text : cell.find(text) != std::string_view::npos) ++count;
    }
  }
  return count;
}

// The find bar's search over every cell: a year of birth that one row in thirty holds, without
// regard to case, and a school-type code as a whole cell with case.
void FindInTable2(benchmark::State& state, std::string_view text, tab::SearchOptions options) {
  const tab::TableGrid& grid = LoadedTable2();
  const tab::TextSearch search(text, options);
  std::size_t found = 0;
  for (auto _ : state) {
    found = tab::FindCells(grid, search).size();
    benchmark::DoNotOptimize(found);
  }
  if (found == 0 || found != CountCellsPlainly(grid, text, options.wholeCell)) {
    state.SkipWithError("wrong number of cells found");
  }
}

void BM_FindInSchoolTable2(benchmark::State& state) {
  FindInTable2(state, "1999", {});
}
BENCHMARK(BM_FindInSchoolTable2)->Unit(benchmark::kMillisecond);

void BM_FindWholeCellInSchoolTable2(benchmark::State& state) {
  FindInTable2(state, "26", {true, true});
}
BENCHMARK(BM_FindWholeCellInSchoolTable2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
