// Teacher table 1 with 20,000 teachers: the identification list labels 20,000 rows and a data file
// of 20,000 records (in another order, a tenth of them unknown to the list and appended) is
// placed by number. The floor reads the lines of both files and nothing else; the loading must
// stay within a small multiple of it (numbers are looked up, not compared with every row).
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/path_state.hpp"
#include "records/fields.hpp"
#include "records/line_reader.hpp"
#include "records/message_port.hpp"
#include "records/placement.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"

namespace {

constexpr int kTeachers = 20000;
constexpr int kFields = 59;

class TeacherFiles {
 public:
  TeacherFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tabellario-bench-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    dir_ = pattern + "/";
    paths_.programDirectory = dir_ + "program/";
    paths_.schoolNumber = "12345";
    paths_.schoolDirectory = dir_ + "12345/";
    std::filesystem::create_directories(paths_.programDirectory);
    std::filesystem::create_directories(paths_.schoolDirectory + "LEHRER");

    std::string list;
    for (int i = 0; i < kTeachers; ++i) {
      list += std::to_string(100000 + i) + ";M\x81ller" + std::to_string(i) + ";J\x94rg\r\n";
    }
    listPath_ = paths_.programDirectory + "LEHRER.CSV";
    std::ofstream(listPath_, std::ios::binary) << list;

    // Numbers of the list from the tenth one on, shuffled, and a tenth that the list lacks.
    std::vector<int> numbers;
    for (int i = kTeachers / 10; i < kTeachers; ++i) numbers.push_back(100000 + i);
    for (int i = 0; i < kTeachers / 10; ++i) numbers.push_back(900000 + i);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(7));
    std::string data;
    for (int k = 1; k <= kFields; ++k) data += tab::ColumnId(k) + (k < kFields ? ";" : "\r\n");
    for (const int number : numbers) {
      data += std::to_string(number);
      for (int k = 2; k <= kFields; ++k) {
        data += ';';
        if (k < 20 || k == 45) data += std::to_string((number * k) % 97);
      }
      data += "\r\n";
    }
    dataPath_ = paths_.schoolDirectory + "LEHRER/1234501.CSV";
    std::ofstream(dataPath_, std::ios::binary) << data;

    // The definition file is written once, as on first use; later set-ups read it.
    tab::TableGrid grid(61, 10, 2, 120);
    SetUp(grid);
  }
  ~TeacherFiles() { std::filesystem::remove_all(dir_); }

  void SetUp(tab::TableGrid& grid) {
    const tab::SheetContext context{paths_, options_, port_};
    Steps()[0].setUp(grid, context);
  }
  void Load(tab::TableGrid& grid) {
    const tab::SheetContext context{paths_, options_, port_};
    Steps()[0].load(grid, context);
  }
  const std::string& ListPath() const { return listPath_; }
  const std::string& DataPath() const { return dataPath_; }
  std::size_t Messages() const { return port_.Messages().size(); }

 private:
  static std::span<const tab::TableStep> Steps() {
    for (const tab::TableEntry& entry : tab::lehrer::Sheet().tables) {
      if (entry.table == 1) return entry.steps;
    }
    std::abort();
  }

  std::string dir_;
  std::string listPath_;
  std::string dataPath_;
  tab::PathState paths_;
  tab::TableOptions options_;
  tab::RecordingPort port_;
};

TeacherFiles& Files() {
  static TeacherFiles files;
  return files;
}

// Floor: the lines of both files, read and dropped.
void ReadBothFilesLinesOnly(benchmark::State& state) {
  TeacherFiles& files = Files();
  std::string line;
  for (auto _ : state) {
    std::size_t total = 0;
    for (const std::string* path : {&files.ListPath(), &files.DataPath()}) {
      tab::LineReader reader(*path);
      while (reader.Next(line)) total += line.size();
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(ReadBothFilesLinesOnly)->Unit(benchmark::kMillisecond);

// What the dispatcher does for the page "Tabelle 1": set-up, then loading.
void SetUpAndLoadTable1(benchmark::State& state) {
  TeacherFiles& files = Files();
  int rows = 0;
  for (auto _ : state) {
    tab::TableGrid grid(61, 10, 2, 120);
    files.SetUp(grid);
    files.Load(grid);
    rows = grid.RowCount();
    benchmark::DoNotOptimize(grid);
  }
  // 2 heading rows, the whole list, and the tenth the list lacks.
  if (rows != 2 + kTeachers + kTeachers / 10 || files.Messages() != 0) {
    state.SkipWithError("the table did not come out as expected");
  }
  state.counters["rows"] = rows;
}
BENCHMARK(SetUpAndLoadTable1)->Unit(benchmark::kMillisecond);

// The loader alone: the set-up before it and freeing the grid after it are not timed.
void LoadTable1Only(benchmark::State& state) {
  TeacherFiles& files = Files();
  int rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto grid = std::make_unique<tab::TableGrid>(61, 10, 2, 120);
    files.SetUp(*grid);
    state.ResumeTiming();
    files.Load(*grid);
    state.PauseTiming();
    rows = grid->RowCount();
    grid.reset();
    state.ResumeTiming();
  }
  if (rows != 2 + kTeachers + kTeachers / 10 || files.Messages() != 0) {
    state.SkipWithError("the table did not come out as expected");
  }
}
BENCHMARK(LoadTable1Only)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
