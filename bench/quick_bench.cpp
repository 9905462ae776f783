// Quick-report table 1 dispatched as the window does it (set-up with a key file of 1,000 codes,
// then a data file of 100,000 records), next to its floor: reading the lines of the same data
// file. Keyed placement looks rows up by code; the target is under 50 ms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/session.hpp"
#include "records/message_port.hpp"
#include "support/bench_support.hpp"
#include "tools/textfiles/text_files.hpp"

namespace {

constexpr int kCodes = 1'000;
constexpr int kRecords = 100'000;

class QuickReportFolder {
 public:
  QuickReportFolder() {
    std::vector<std::string> keys;
    for (int code = 0; code < kCodes; ++code) {
      keys.push_back(std::to_string(code) + ";Schulart " + std::to_string(code));
    }
    tab::test::WriteAnsiLines(program_ + "SSSA.SSD", keys);
    std::vector<std::string> records = {tab::textfiles::IdLine(18)};
    for (int i = 1; i < kRecords; ++i) {
      std::string record = std::to_string(i % kCodes);
      for (int k = 2; k <= 18; ++k) record += ";" + std::to_string((i * k) % 500);
      records.push_back(record);
    }
    tab::test::WriteOemLines(data_, records);
    // Settings: Dienststelle 12345, data base next to the program directory.
    tab::RecordingPort port;
    tab::Settings settings = tab::DefaultSettings();
    settings.schoolNumber = "12345";
    settings.dataBaseDirectory = root_ + "db/";
    tab::WriteSettings(settings, program_, port);
  }

  const std::string& Program() const { return program_; }
  const std::string& Data() const { return data_; }

 private:
  tab::test::TempDir temp_;
  const std::string root_ = temp_.Path();
  const std::string program_ = root_ + "program/";
  const std::string data_ = root_ + "db/12345/SCHNELL/1234501.CSV";
};

const QuickReportFolder& Folder() {
  static const QuickReportFolder folder;
  return folder;
}

void BM_Floor_ReadDataFileLines(benchmark::State& state) {
  const std::vector<std::string> files = {Folder().Data()};
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::ReadLineBytes(files));
}
BENCHMARK(BM_Floor_ReadDataFileLines)->Unit(benchmark::kMillisecond);

void BM_DispatchQuickReportTable1(benchmark::State& state) {
  tab::RecordingPort port;
  tab::SessionView view;
  tab::Session session(port, view);
  session.Create(Folder().Program());
  session.StartUp();
  for (auto _ : state) {
    port.Clear();
    session.Dispatch(tab::SheetId::Schnell, 1);
    benchmark::DoNotOptimize(session.Grid(tab::GridId::StringGrid2).RowCount());
  }
}
BENCHMARK(BM_DispatchQuickReportTable1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
