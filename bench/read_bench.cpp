// Reading a data file: the floor (lines only) against what a loader does with every line
// (OEM conversion and splitting into fields). The ratio is what matters.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "records/fields.hpp"
#include "records/line_reader.hpp"
#include "records/placement.hpp"
#include "support/bench_support.hpp"
#include "tools/textfiles/text_files.hpp"

namespace {

constexpr int kLines = 100000;
constexpr int kFields = 18;

// A data file of kLines records with kFields fields each, CP850 umlauts in every other line.
class DataFile {
 public:
  DataFile() {
    std::vector<std::string> lines = {tab::textfiles::IdLine(kFields)};
    for (int line = 0; line < kLines; ++line) {
      std::string text = std::to_string(100 + line % 900);
      text += line % 2 == 0 ? ";Müller-Schröder GmbH" : ";Schmidt und Partner";
      for (int k = 3; k <= kFields; ++k) text += ";" + std::to_string((line * k) % 1000);
      lines.push_back(text);
    }
    tab::test::WriteOemLines(path_, lines);
    bytes_ = std::filesystem::file_size(path_);
  }
  const std::string& Path() const { return path_; }
  std::size_t Bytes() const { return bytes_; }

 private:
  tab::test::TempDir dir_;
  const std::string path_ = dir_.Path() + "1234501.CSV";
  std::size_t bytes_ = 0;
};

const DataFile& File() {
  static const DataFile file;
  return file;
}

void ReadLinesOnly(benchmark::State& state) {
  const DataFile& file = File();
  std::string line;
  for (auto _ : state) {
    tab::LineReader reader(file.Path());
    std::size_t total = 0;
    while (reader.Next(line)) total += line.size();
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Bytes()));
}
BENCHMARK(ReadLinesOnly)->Unit(benchmark::kMillisecond);

// What every loader does: the data file read record by record, each line converted from the OEM
// code page and cut into its fields; in the best way of splitting the processor offers, and in
// the portable way to show what the best one buys.
void ReadRecords(benchmark::State& state, bool portable) {
  const DataFile& file = File();
  if (portable) tab::UseScanWay(tab::ScanWay::kPortable);
  for (auto _ : state) {
    tab::DataFile records(file.Path(), kFields);
    std::size_t total = 0;
    while (records.Next()) total += records.Field(kFields).size();
    benchmark::DoNotOptimize(total);
  }
  tab::UseBestScanWay();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Bytes()));
}

void ReadConvertAndSplit(benchmark::State& state) {
  ReadRecords(state, false);
}
BENCHMARK(ReadConvertAndSplit)->Unit(benchmark::kMillisecond);

void ReadConvertAndSplitPortable(benchmark::State& state) {
  ReadRecords(state, true);
}
BENCHMARK(ReadConvertAndSplitPortable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
