// The class report at scale, each next to its floor:
// - the class list of a school with 2,000 classes (eleven files each) against listing the same
//   folder with nothing done per entry; target under 50 ms;
// - class table 9 with 500 occupation groups (3,500 appended rows, every row filled) set up and
//   loaded as the dispatcher does it, against reading and splitting the same class file alone;
//   target under 100 ms;
// - class table 9 with 40 groups and a key file SSVB0.SSD of 2.4 MB (100,000 lines): every block
//   shows the whole key file, 4.1 million rows. Set up and loaded under 3 s, next to reading the
//   key file once; the peak memory of a fresh process that shows it under 300 MB.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/path_state.hpp"
#include "records/placement.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"
#include "support/bench_support.hpp"
#include "support/sheets.hpp"
#include "tools/textfiles/text_files.hpp"

namespace {

constexpr int kClasses = 2000;
constexpr int kTablesPerClass = 11;
constexpr int kGroups = 500;
constexpr int kPriorSchoolingKeys = 7;
constexpr const char* kClassId = "BS0001";

// The paths of Dienststelle 12345 and class kClassId below `root` (the program directory in
// root/program/).
tab::PathState PathsBelow(const std::string& root) {
  tab::PathState paths;
  paths.programDirectory = root + "program/";
  paths.dataBaseDirectory = root;
  paths.schoolNumber = "12345";
  paths.schoolDirectory = root + "12345/";
  paths.classId = kClassId;
  return paths;
}

// A program directory and a school of kClasses classes; class kClassId has a table-9 file of
// kGroups groups, one record per prior-schooling key. Built once, removed at exit.
class ClassDataBase {
 public:
  ClassDataBase() {
    std::vector<std::string> keys;
    for (int k = 1; k <= kPriorSchoolingKeys; ++k) {
      keys.push_back(std::to_string(k) + ";Vorbildung " + std::to_string(k));
    }
    tab::test::WriteAnsiLines(root_ + "program/SSVB0.SSD", keys);
    char name[32];
    for (int c = 0; c < kClasses; ++c) {
      for (int t = 0; t < kTablesPerClass; ++t) {
        std::snprintf(name, sizeof name, "BS%04d%02d.CSV", c, t);
        tab::test::WriteBytes(root_ + "12345/KLASSE/" + name, "");
      }
    }
    std::vector<std::string> records = {tab::textfiles::IdLine(5)};
    for (int g = 0; g < kGroups; ++g) {
      for (int k = 1; k <= kPriorSchoolingKeys; ++k) {
        records.push_back("Berufsgruppe " + std::to_string(g) + ";" + std::to_string(1000 + g) +
                          ";" + std::to_string(k) + ";" + std::to_string(g % 40) + ";" +
                          std::to_string(k % 3));
      }
    }
    tab::test::WriteOemLines(root_ + "12345/KLASSE/" + kClassId + "09.CSV", records);
  }

  tab::PathState Paths() const { return PathsBelow(root_); }

 private:
  tab::test::TempDir temp_;
  const std::string root_ = temp_.Path();
};

const ClassDataBase& DataBase() {
  static const ClassDataBase dataBase;
  return dataBase;
}

void BM_FindClasses2000(benchmark::State& state) {
  tab::PathState paths = DataBase().Paths();
  for (auto _ : state) {
    tab::FindClasses(paths);
    benchmark::DoNotOptimize(paths.classes.data());
  }
  if (paths.classes.size() != kClasses) state.SkipWithError("wrong number of classes");
}
BENCHMARK(BM_FindClasses2000)->Unit(benchmark::kMillisecond);

// Floor: the entries of the class folder, nothing done with them.
void BM_ListClassFolderFloor(benchmark::State& state) {
  const std::string folder = DataBase().Paths().schoolDirectory + "KLASSE";
  std::size_t entries = 0;
  for (auto _ : state) {
    entries = tab::bench::CountEntries(folder);
    benchmark::DoNotOptimize(entries);
  }
  if (entries != kClasses * kTablesPerClass) state.SkipWithError("wrong number of entries");
}
BENCHMARK(BM_ListClassFolderFloor)->Unit(benchmark::kMillisecond);

void BM_GroupTable500Groups(benchmark::State& state) {
  const tab::PathState paths = DataBase().Paths();
  const tab::TableOptions options;
  tab::RecordingPort port;
  const tab::SheetContext context{paths, options, port};
  const tab::TableStep& step = tab::test::TableOf(tab::klassen::Sheet(), 9).steps[0];
  tab::TableGrid grid(7, 9, 2, 80);
  for (auto _ : state) {
    step.setUp(grid, context);
    step.load(grid, context);
    benchmark::DoNotOptimize(grid.RowCount());
  }
  // The all-trainees block (rows 2..9) and one block of seven rows per group, every one filled.
  const int expectedRows = 10 + kGroups * kPriorSchoolingKeys;
  if (grid.RowCount() != expectedRows || grid.Cell(5, expectedRows - 1).empty() ||
      !port.Messages().empty()) {
    state.SkipWithError("table 9 not loaded as expected");
  }
  state.counters["rows"] = grid.RowCount();
}
BENCHMARK(BM_GroupTable500Groups)->Unit(benchmark::kMillisecond);

// Floor: the same class file read, converted and split, nothing placed.
void BM_ReadGroupFileFloor(benchmark::State& state) {
  const tab::PathState paths = DataBase().Paths();
  const std::string path = paths.schoolDirectory + "KLASSE/" + kClassId + "09.CSV";
  std::size_t records = 0;
  for (auto _ : state) {
    records = 0;
    tab::DataFile file(path, 5);
    while (file.Next()) records += !file.Field(2).empty();
    benchmark::DoNotOptimize(records);
  }
  if (records != 1 + kGroups * kPriorSchoolingKeys) state.SkipWithError("wrong record count");
}
BENCHMARK(BM_ReadGroupFileFloor)->Unit(benchmark::kMillisecond);

// ---- 40 groups, a key file of 2.4 MB -------------------------------------------------------

constexpr int kLargeKeyLines = 100000;
constexpr int kLargeGroups = 40;
constexpr int kLargeRows = 2 + kLargeKeyLines * (1 + kLargeGroups);
constexpr const char* kShowLargeFlag = "--show-large-group-table";

// A program directory with a key file of kLargeKeyLines lines (24 bytes each) and a school whose
// class kClassId has a table-9 file of kLargeGroups groups, one record each.
class LargeKeyFileDataBase {
 public:
  LargeKeyFileDataBase() {
    std::vector<std::string> keys;
    char line[64];
    for (int k = 0; k < kLargeKeyLines; ++k) {
      std::snprintf(line, sizeof line, "%06d;Vorbildung Nr. %05d", k, k % 100000);
      keys.emplace_back(line);
    }
    tab::test::WriteAnsiLines(root_ + "program/SSVB0.SSD", keys);
    std::vector<std::string> records = {tab::textfiles::IdLine(5)};
    for (int g = 0; g < kLargeGroups; ++g) {
      std::snprintf(line, sizeof line, "Berufsgruppe %d;%d;%06d;%d;%d", g, 2000 + g, g * 997, g,
                    g % 3);
      records.emplace_back(line);
    }
    tab::test::WriteOemLines(root_ + "12345/KLASSE/" + kClassId + "09.CSV", records);
  }

  tab::PathState Paths() const { return PathsBelow(root_); }

 private:
  tab::test::TempDir temp_;
  const std::string root_ = temp_.Path();
};

const LargeKeyFileDataBase& LargeKeyFile() {
  static const LargeKeyFileDataBase dataBase;
  return dataBase;
}

// Table 9 of the data base above set up and loaded into `grid` as the dispatcher does it; false
// when it does not show what it should.
bool ShowLargeGroupTable(const tab::PathState& paths, tab::TableGrid& grid) {
  const tab::TableOptions options;
  tab::RecordingPort port;
  const tab::SheetContext context{paths, options, port};
  const tab::TableStep& step = tab::test::TableOf(tab::klassen::Sheet(), 9).steps[0];
  step.setUp(grid, context);
  step.load(grid, context);
  const int lastBlock = kLargeRows - kLargeKeyLines;
  return grid.RowCount() == kLargeRows && port.Messages().empty() &&
         grid.Cell(3, kLargeRows - 1) == std::to_string(2000 + kLargeGroups - 1) &&
         grid.Cell(5, lastBlock + (kLargeGroups - 1) * 997) == std::to_string(kLargeGroups - 1);
}

void BM_GroupTable40GroupsLargeKeyFile(benchmark::State& state) {
  const tab::PathState paths = LargeKeyFile().Paths();
  tab::TableGrid grid(7, 9, 2, 80);
  bool shown = true;
  for (auto _ : state) {
    shown = ShowLargeGroupTable(paths, grid) && shown;
    benchmark::DoNotOptimize(grid.RowCount());
  }
  if (!shown) state.SkipWithError("table 9 not loaded as expected");
  state.counters["rows"] = grid.RowCount();
}
BENCHMARK(BM_GroupTable40GroupsLargeKeyFile)->Unit(benchmark::kMillisecond);

// Floor: the key file read once, line by line.
void BM_ReadLargeKeyFileFloor(benchmark::State& state) {
  const std::vector<std::string> files = {LargeKeyFile().Paths().programDirectory + "SSVB0.SSD"};
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::ReadLineBytes(files));
}
BENCHMARK(BM_ReadLargeKeyFileFloor)->Unit(benchmark::kMillisecond);

// The child: a fresh process that shows the table and prints its peak resident set (kB).
int ShowLargeGroupTableAndReportPeak(const std::string& root) {
  tab::TableGrid grid(7, 9, 2, 80);
  if (!ShowLargeGroupTable(PathsBelow(root), grid)) return 1;
  std::printf("%ld\n", tab::bench::PeakResidentKb());
  return 0;
}

void BM_GroupTable40GroupsPeakMemory(benchmark::State& state) {
  long peakKb = 0;
  for (auto _ : state) {
    std::string output;
    if (!tab::bench::RunThisProgramAgain({kShowLargeFlag, LargeKeyFile().Paths().dataBaseDirectory},
                                         output) ||
        std::sscanf(output.c_str(), "%ld", &peakKb) != 1) {
      state.SkipWithError("the child process failed");
    }
  }
  state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
}
BENCHMARK(BM_GroupTable40GroupsPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], kShowLargeFlag) == 0) {
    return ShowLargeGroupTableAndReportPeak(argv[2]);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
