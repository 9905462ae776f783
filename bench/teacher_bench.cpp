// Teacher table 1 with 20,000 teachers: the identification list labels 20,000 rows and a data file
// of 20,000 records (in another order, a tenth of them unknown to the list and appended) is
// placed by number. The floor reads the lines of both files and nothing else; the loading must
// stay within a small multiple of it (numbers are looked up, not compared with every row).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/path_state.hpp"
#include "records/message_port.hpp"
#include "records/placement.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"
#include "support/bench_support.hpp"
#include "support/sheets.hpp"
#include "tools/textfiles/text_files.hpp"

namespace {

constexpr int kTeachers = 20000;
constexpr int kFields = 59;

class TeacherFiles {
 public:
  TeacherFiles() {
    paths_.programDirectory = dir_.Path() + "program/";
    paths_.schoolNumber = "12345";
    paths_.schoolDirectory = dir_.Path() + "12345/";

    std::vector<std::string> list;
    for (int i = 0; i < kTeachers; ++i) {
      list.push_back(std::to_string(100000 + i) + ";Müller" + std::to_string(i) + ";Jörg");
    }
    listPath_ = paths_.programDirectory + "LEHRER.CSV";
    tab::test::WriteOemLines(listPath_, list);

    // Numbers of the list from the tenth one on, shuffled, and a tenth that the list lacks.
    std::vector<int> numbers;
    for (int i = kTeachers / 10; i < kTeachers; ++i) numbers.push_back(100000 + i);
    for (int i = 0; i < kTeachers / 10; ++i) numbers.push_back(900000 + i);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(7));
    std::vector<std::string> data = {tab::textfiles::IdLine(kFields)};
    for (const int number : numbers) {
      std::string record = std::to_string(number);
      for (int k = 2; k <= kFields; ++k) {
        record += ';';
        if (k < 20 || k == 45) record += std::to_string((number * k) % 97);
      }
      data.push_back(record);
    }
    dataPath_ = paths_.schoolDirectory + "LEHRER/1234501.CSV";
    tab::test::WriteOemLines(dataPath_, data);

    // The definition file is written once, as on first use; later set-ups read it.
    tab::TableGrid grid(61, 10, 2, 120);
    SetUp(grid);
  }

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
    return tab::test::TableOf(tab::lehrer::Sheet(), 1).steps;
  }

  tab::test::TempDir dir_;
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
  const std::vector<std::string> paths = {files.ListPath(), files.DataPath()};
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::ReadLineBytes(paths));
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
