// tabellario-export as a user runs it, a whole process, on school table 2 of the large synthetic
// data base (100,000 lines of 18 fields, CP850): CSV and JSON next to converting the same file's
// bytes from CP850 to UTF-8 with iconv, also a whole process; both write into a file of the
// temporary folder. And the peak memory of each export above the size of the data file.
// Targets: CSV at most twice, JSON at most three times the conversion; the peak at most 20 MB
// above the data file's size.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/bench_support.hpp"
#include "support/large_data_base.hpp"

extern char** environ;

namespace {

#ifdef TABELLARIO_EXPORT_TOOL
const std::string kExportTool = TABELLARIO_EXPORT_TOOL;
#else
const std::string kExportTool;
#endif
const std::string kIconv = "/usr/bin/iconv";

// The big school alone: one Dienststelle, one class, the list files at full length.
tab::largedb::Options BigSchoolAlone() {
  tab::largedb::Options options;
  options.schools = 1;
  options.classes = 1;
  options.groups = 1;
  return options;
}

const tab::bench::LargeDataBase& Base() {
  static const tab::bench::LargeDataBase base(BigSchoolAlone());
  return base;
}

std::string Table2() {
  return Base().SchoolFile("SCHULE", 2);
}

std::string Output() {
  return Base().Root() + "output";
}

struct Run {
  bool ok = false;
  long peakKb = 0;
};

// Runs a program with standard output into `output`; its exit status and peak resident set.
Run RunProcess(const std::vector<std::string>& arguments, const std::string& output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  Run run;
  if (spawned != 0) return run;
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child) return run;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  run.peakKb = usage.ru_maxrss;
  return run;
}

std::vector<std::string> ExportArguments(const char* format) {
  const tab::largedb::Layout& layout = Base().Layout();
  return {kExportTool,
          "--program-dir",
          layout.programDirectory,
          "--school",
          layout.bigSchool,
          "--format",
          format,
          "1",
          "2"};
}

long OutputSize() {
  struct stat st {};
  return ::stat(Output().c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

void Export(benchmark::State& state, const char* format) {
  if (kExportTool.empty()) {
    state.SkipWithError("tabellario-export is not built");
    return;
  }
  const std::vector<std::string> arguments = ExportArguments(format);
  for (auto _ : state) {
    if (!RunProcess(arguments, Output()).ok) state.SkipWithError("the export failed");
  }
  state.counters["output_bytes"] = static_cast<double>(OutputSize());
}

void FloorConvertWithIconv(benchmark::State& state) {
  const std::vector<std::string> arguments = {kIconv, "-f", "CP850", "-t", "UTF-8", Table2()};
  for (auto _ : state) {
    if (!RunProcess(arguments, Output()).ok) state.SkipWithError("iconv failed");
  }
  state.counters["output_bytes"] = static_cast<double>(OutputSize());
}

constexpr const char* kPeakOfFlag = "--peak-of";

// The child: a fresh process, small beside the export, that runs the export and prints its peak
// resident set (kB). Measured from here, the peak would include this process's own: a process
// started from another keeps the other's peak as its own.
int PrintPeakOf(int argc, char** argv) {
  if (argc < 4) return 2;
  const Run run = RunProcess({argv + 3, argv + argc}, argv[2]);
  std::printf("%ld\n", run.peakKb);
  return run.ok ? 0 : 1;
}

// What the export holds at most beyond the data file it reads.
void PeakAboveDataFile(benchmark::State& state, const char* format) {
  if (kExportTool.empty()) {
    state.SkipWithError("tabellario-export is not built");
    return;
  }
  struct stat st {};
  if (::stat(Table2().c_str(), &st) != 0) {
    state.SkipWithError("no data file");
    return;
  }
  std::vector<std::string> arguments = {"/proc/self/exe", kPeakOfFlag, Output()};
  for (const std::string& argument : ExportArguments(format)) arguments.push_back(argument);
  const std::string printed = Output() + ".peak";
  Run run;
  for (auto _ : state) {
    run = RunProcess(arguments, printed);
    if (!run.ok) state.SkipWithError("the export failed");
    run.peakKb = std::atol(tab::test::ReadBytes(printed).c_str());
  }
  state.counters["data_file_bytes"] = static_cast<double>(st.st_size);
  state.counters["peak_above_data_file_MB"] =
      (static_cast<double>(run.peakKb) * 1024.0 - static_cast<double>(st.st_size)) /
      (1024.0 * 1024.0);
}

void RegisterAll() {
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Csv", Export, "csv")->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Json", Export, "json")->Unit(kMillisecond);
  benchmark::RegisterBenchmark("FloorConvertWithIconv", FloorConvertWithIconv)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("PeakAboveDataFile/Csv", PeakAboveDataFile, "csv")
      ->Unit(kMillisecond)
      ->Iterations(1);
  benchmark::RegisterBenchmark("PeakAboveDataFile/Json", PeakAboveDataFile, "json")
      ->Unit(kMillisecond)
      ->Iterations(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kPeakOfFlag) == 0) return PrintPeakOf(argc, argv);
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
