// Sorting and completing large grids. The sort buttons and the completion commands must stay
// well under 100 ms on 100,000 rows; each figure stands next to a floor that does the least
// work of the same kind (a stable sort of the keys alone, reading the key file alone).
// Reading the key file and visiting the rows stands next to the completion without a target.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "records/fields.hpp"
#include "records/key_files.hpp"
#include "records/line_reader.hpp"
#include "records/message_port.hpp"
#include "records/row_ops.hpp"
#include "records/table_grid.hpp"
#include "support/bench_support.hpp"

namespace {

constexpr int kRows = 100'000;
constexpr int kKeyLines = 10'000;
constexpr int kCols = 6;

// Rows 2.. hold random keys in column 1 (one in twenty empty, one in fifty "9999") and random
// tie texts in column 2; the other columns are filled so that whole rows move.
tab::TableGrid SortGrid() {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> number(0, 99'999);
  std::uniform_int_distribution<int> percent(0, 99);
  tab::TableGrid grid(kCols, kRows + 2);
  for (int r = 2; r < kRows + 2; ++r) {
    const int p = percent(random);
    const std::string key = p < 5 ? "" : p < 7 ? "9999" : std::to_string(number(random));
    grid.SetCell(0, r, "Zeile " + std::to_string(r));
    grid.SetCell(1, r, key);
    grid.SetCell(2, r, std::to_string(number(random) % 100));
    for (int c = 3; c < kCols; ++c) grid.SetCell(c, r, std::to_string(number(random)));
  }
  return grid;
}

template <class Sort>
void RunSort(benchmark::State& state, Sort sort) {
  const tab::TableGrid original = SortGrid();
  tab::TableGrid grid;
  for (auto _ : state) {
    state.PauseTiming();
    grid = original;  // the old copy goes away outside the measured time
    state.ResumeTiming();
    sort(grid);
    benchmark::DoNotOptimize(grid.Cell(1, 2).data());
  }
}

void BM_StableSortOfKeysAlone(benchmark::State& state) {
  const tab::TableGrid grid = SortGrid();
  std::vector<std::string> original;
  for (int r = 2; r < grid.RowCount(); ++r) original.emplace_back(grid.Cell(1, r));
  std::vector<std::string> keys;
  for (auto _ : state) {
    state.PauseTiming();
    keys = original;
    state.ResumeTiming();
    std::stable_sort(keys.begin(), keys.end());
    benchmark::DoNotOptimize(keys.data());
  }
}

void BM_SortRows(benchmark::State& state) {
  RunSort(state, [](tab::TableGrid& g) { tab::SortRows(g, 2, -1, 1, 2); });
}
void BM_SortRowsKeepLeading(benchmark::State& state) {
  RunSort(state, [](tab::TableGrid& g) { tab::SortRowsKeepLeading(g, 2, -1, 1, 1); });
}
void BM_SortRowsDescending(benchmark::State& state) {
  RunSort(state, [](tab::TableGrid& g) { tab::SortRowsDescending(g, 2, -1, 1, 2); });
}
void BM_SortRowsSpecialFirst(benchmark::State& state) {
  RunSort(state, [](tab::TableGrid& g) { tab::SortRowsSpecialFirst(g, 2, -1, 1, 2); });
}

// A program folder with a key file of kKeyLines codes, removed again at exit.
class KeyFolder {
 public:
  KeyFolder() {
    std::vector<std::string> lines;
    for (int i = 0; i < kKeyLines; ++i) {
      lines.push_back(Code(i) + ";Beruf Nummer " + std::to_string(i) + " (Fachrichtung)");
    }
    tab::test::WriteAnsiLines(File(), lines);
  }
  KeyFolder(const KeyFolder&) = delete;
  KeyFolder& operator=(const KeyFolder&) = delete;

  static std::string Code(int i) { return std::to_string(10'000 + i * 7); }
  const std::string& Dir() const { return dir_.Path(); }
  std::string File() const { return dir_.Path() + "SBBG3.SSD"; }

 private:
  tab::test::TempDir dir_;
};

const KeyFolder& Keys() {
  static const KeyFolder folder;
  return folder;
}

// Column 0 holds codes of the key file (one in ten unknown), column 1 is blank.
tab::TableGrid CompletionGrid() {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> line(0, kKeyLines * 11 / 10);
  tab::TableGrid grid(3, kRows + 2);
  for (int r = 2; r < kRows + 2; ++r) grid.SetCell(0, r, KeyFolder::Code(line(random)));
  return grid;
}

// Reads the key file line by line and cuts each line into code and text: the bytes of the texts.
std::size_t ReadKeyFile(const std::string& path, std::string& text,
                        std::vector<std::string_view>& fields) {
  tab::LineReader reader(path);
  std::size_t count = 0;
  while (reader.Next(text)) {
    tab::SplitRecord(text, 2, fields);
    count += fields[1].size();
  }
  return count;
}

void BM_ReadKeyFileAlone(benchmark::State& state) {
  const std::string path = Keys().File();
  std::string text;
  std::vector<std::string_view> fields;
  for (auto _ : state) benchmark::DoNotOptimize(ReadKeyFile(path, text, fields));
}

// What no completion can do without besides reading its key file: a look at the code and the
// text cell of every row. Not a target's floor; it stands next to the completion to show how much
// of its time goes into the rows themselves.
void BM_ReadKeyFileAndVisitRows(benchmark::State& state) {
  const tab::TableGrid grid = CompletionGrid();
  const std::string path = Keys().File();
  std::string text;
  std::vector<std::string_view> fields;
  for (auto _ : state) {
    std::size_t count = ReadKeyFile(path, text, fields);
    for (int row = 2; row < grid.RowCount(); ++row) {
      count += grid.Cell(0, row).size() + grid.Cell(1, row).size();
    }
    benchmark::DoNotOptimize(count);
  }
}

void BM_CompleteTexts(benchmark::State& state) {
  const tab::TableGrid original = CompletionGrid();
  tab::RecordingPort port;
  tab::TableGrid grid;
  for (auto _ : state) {
    state.PauseTiming();
    grid = original;
    state.ResumeTiming();
    tab::CompleteTexts(grid, 0, 1, Keys().Dir(), "SBBG3.SSD", port);
    benchmark::DoNotOptimize(grid.Cell(1, 2).data());
  }
  if (!port.Messages().empty()) state.SkipWithError("the completion reported a message");
}

}  // namespace

BENCHMARK(BM_StableSortOfKeysAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortRowsKeepLeading)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortRowsDescending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortRowsSpecialFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadKeyFileAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadKeyFileAndVisitRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompleteTexts)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
