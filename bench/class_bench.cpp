// The class report at scale, each next to its floor:
// - the class list of a school with 2,000 classes (eleven files each) against listing the same
//   folder with nothing done per entry; target under 50 ms;
// - class table 9 with 500 occupation groups (3,500 appended rows, every row filled) set up and
//   loaded as the dispatcher does it, against reading and splitting the same class file alone;
//   target under 100 ms.
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/path_state.hpp"
#include "records/placement.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kClasses = 2000;
constexpr int kTablesPerClass = 11;
constexpr int kGroups = 500;
constexpr int kPriorSchoolingKeys = 7;
constexpr const char* kClassId = "BS0001";

void WriteFile(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

// A program directory and a school of kClasses classes; class kClassId has a table-9 file of
// kGroups groups, one record per prior-schooling key. Built once, removed at exit.
class ClassDataBase {
 public:
  ClassDataBase() {
    char folder[] = "/tmp/tabellario-class-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
      std::perror("mkdtemp");
      std::exit(1);
    }
    root_ = std::string(folder) + "/";
    fs::create_directories(root_ + "program");
    fs::create_directories(root_ + "12345/KLASSE");
    std::string keys;
    for (int k = 1; k <= kPriorSchoolingKeys; ++k) {
      keys += std::to_string(k) + ";Vorbildung " + std::to_string(k) + "\r\n";
    }
    WriteFile(root_ + "program/SSVB0.SSD", keys);
    char name[32];
    for (int c = 0; c < kClasses; ++c) {
      for (int t = 0; t < kTablesPerClass; ++t) {
        std::snprintf(name, sizeof name, "BS%04d%02d.CSV", c, t);
        WriteFile(root_ + "12345/KLASSE/" + name, "");
      }
    }
    std::string records = "ES001;ES002;ES003;ES004;ES005\r\n";
    for (int g = 0; g < kGroups; ++g) {
      for (int k = 1; k <= kPriorSchoolingKeys; ++k) {
        records += "Berufsgruppe " + std::to_string(g) + ";" + std::to_string(1000 + g) + ";" +
                   std::to_string(k) + ";" + std::to_string(g % 40) + ";" + std::to_string(k % 3) +
                   "\r\n";
      }
    }
    WriteFile(root_ + "12345/KLASSE/" + kClassId + "09.CSV", records);
  }
  ~ClassDataBase() { fs::remove_all(root_); }

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
  std::string root_;
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
    entries = 0;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = readdir(dir)) entries += entry->d_name[0] != '.';
    closedir(dir);
    benchmark::DoNotOptimize(entries);
  }
  if (entries != kClasses * kTablesPerClass) state.SkipWithError("wrong number of entries");
}
BENCHMARK(BM_ListClassFolderFloor)->Unit(benchmark::kMillisecond);

const tab::TableStep& GroupTableStep() {
  for (const tab::TableEntry& entry : tab::klassen::Sheet().tables) {
    if (entry.table == 9) return entry.steps[0];
  }
  std::fprintf(stderr, "class table 9 is not registered\n");
  std::exit(1);
}

void BM_GroupTable500Groups(benchmark::State& state) {
  const tab::PathState paths = DataBase().Paths();
  const tab::TableOptions options;
  tab::RecordingPort port;
  const tab::SheetContext context{paths, options, port};
  const tab::TableStep& step = GroupTableStep();
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
