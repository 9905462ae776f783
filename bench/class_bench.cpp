// The class report at scale, each next to its floor:
// - the class list of a school with 2,000 classes (eleven files each) against listing the same
//   folder with nothing done per entry; target under 50 ms;
// - class table 9 with 500 occupation groups (3,500 appended rows, every row filled) set up and
//   loaded as the dispatcher does it, against reading and splitting the same class file alone;
//   target under 100 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
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

  tab::PathState Paths() const {
    tab::PathState paths;
    paths.programDirectory = root_ + "program/";
    paths.dataBaseDirectory = root_;
    paths.schoolNumber = "12345";
    paths.schoolDirectory = root_ + "12345/";
    paths.classId = kClassId;
    return paths;
  }

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

}  // namespace

BENCHMARK_MAIN();
