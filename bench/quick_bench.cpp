// Quick-report table 1 dispatched as the window does it (set-up with a key file of 1,000 codes,
// then a data file of 100,000 records), next to its floor: reading the lines of the same data
// file. Keyed placement looks rows up by code; the target is under 50 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/session.hpp"
#include "records/line_reader.hpp"
#include "records/message_port.hpp"

namespace {

constexpr int kCodes = 1'000;
constexpr int kRecords = 100'000;

class QuickReportFolder {
 public:
  QuickReportFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tabellario-bench-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern + "/";
    program_ = root_ + "program/";
    const std::string school = root_ + "db/12345/";
    std::filesystem::create_directories(program_);
    std::filesystem::create_directories(school + "SCHNELL");
    std::ofstream keys(program_ + "SSSA.SSD", std::ios::binary);
    for (int code = 0; code < kCodes; ++code) keys << code << ";Schulart " << code << "\r\n";
    data_ = school + "SCHNELL/1234501.CSV";
    std::ofstream data(data_, std::ios::binary);
    data << "ES001;ES002;ES003;ES004;ES005;ES006;ES007;ES008;ES009;ES010;ES011;ES012;ES013;"
            "ES014;ES015;ES016;ES017;ES018\r\n";
    for (int i = 1; i < kRecords; ++i) {
      data << (i % kCodes);
      for (int k = 2; k <= 18; ++k) data << ';' << (i * k) % 500;
      data << "\r\n";
    }
    // Settings: Dienststelle 12345, data base next to the program directory.
    tab::RecordingPort port;
    tab::Settings settings = tab::DefaultSettings();
    settings.schoolNumber = "12345";
    settings.dataBaseDirectory = root_ + "db/";
    tab::WriteSettings(settings, program_, port);
  }
  ~QuickReportFolder() { std::filesystem::remove_all(root_); }

  const std::string& Program() const { return program_; }
  const std::string& Data() const { return data_; }

 private:
  std::string root_;
  std::string program_;
  std::string data_;
};

const QuickReportFolder& Folder() {
  static const QuickReportFolder folder;
  return folder;
}

void BM_Floor_ReadDataFileLines(benchmark::State& state) {
  std::string line;
  for (auto _ : state) {
    tab::LineReader reader(Folder().Data());
    int lines = 0;
    while (reader.Next(line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
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
