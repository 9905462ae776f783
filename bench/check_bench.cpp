// The data-base check (tabellario-check) on data bases of Dienststellen of the usual size, made
// by tabellario-largedb's generator: every Dienststelle delivers every report form with 30
// classes, 60 teachers and lists of 200 lines, key files of 200 lines, and one in twenty has
// records that no key row takes. Checked with two workers, as on a machine of two cores:
// - Check/1000: the whole check of 1,000 Dienststellen (target: under 20 s);
// - PerDienststelle/1000 and PerDienststelle/100: the time per Dienststelle of each data base,
//   the larger one's within 20 % of the smaller one's;
// - PeakMemory/1000: the peak resident set of a fresh process that checks the 1,000 (under
//   300 MB).
// Each run also makes sure the report holds exactly the records made not to fit.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "app/data_base_check.hpp"
#include "support/bench_support.hpp"
#include "tools/largedb/large_db.hpp"

namespace {

constexpr const char* kCheckFlag = "--check-and-report-peak";
constexpr unsigned kJobs = 2;
constexpr int kMisfitEvery = 20;
// Records that do not fit in a Dienststelle made to have them: quick-report table 1, teacher
// table 2, class table 2 of its first class.
constexpr std::size_t kFindingsPerMisfitSchool = 3;

tab::largedb::Options UsualOptions(int schools) {
  tab::largedb::Options options;
  options.schools = schools;
  options.usualSchools = schools - 1;
  // The first Dienststelle, otherwise the big school, is of the usual size too.
  options.classes = tab::largedb::kUsualClasses;
  options.teachers = tab::largedb::kUsualTeachers;
  options.lines = tab::largedb::kUsualLines;
  options.groups = 3;
  options.keyLines = 200;
  options.misfitEvery = kMisfitEvery;
  return options;
}

// A data base of this run; removed again at exit.
class UsualDataBase {
 public:
  explicit UsualDataBase(int schools)
      : layout_(tab::largedb::WriteLargeDataBase(root_.Path(), UsualOptions(schools))),
        schools_(schools) {}
  UsualDataBase(const UsualDataBase&) = delete;
  UsualDataBase& operator=(const UsualDataBase&) = delete;

  const tab::largedb::Layout& Layout() const { return layout_; }
  int Schools() const { return schools_; }

 private:
  tab::test::TempDir root_;
  tab::largedb::Layout layout_;
  int schools_;
};

const UsualDataBase& DataBase(int schools) {
  static std::map<int, std::unique_ptr<UsualDataBase>> dataBases;
  auto& dataBase = dataBases[schools];
  if (!dataBase) dataBase = std::make_unique<UsualDataBase>(schools);
  return *dataBase;
}

tab::CheckReport Check(const std::string& programDirectory) {
  return tab::CheckDataBase(tab::PrepareCheck(programDirectory, {}), {{}, kJobs, nullptr});
}

// Why the report is not the one the data base was made to give, or "".
std::string Fault(const tab::CheckReport& report, const UsualDataBase& dataBase) {
  if (report.schools.size() != static_cast<std::size_t>(dataBase.Schools())) {
    return "not every Dienststelle was checked";
  }
  const std::size_t expected = dataBase.Layout().misfitSchools.size() * kFindingsPerMisfitSchool;
  if (report.FindingCount() != expected) {
    return "findings: " + std::to_string(report.FindingCount()) + " instead of " +
           std::to_string(expected);
  }
  return {};
}

void WholeCheck(benchmark::State& state) {
  const UsualDataBase& dataBase = DataBase(static_cast<int>(state.range(0)));
  std::string fault;
  for (auto _ : state) {
    const tab::CheckReport report = Check(dataBase.Layout().programDirectory);
    fault = Fault(report, dataBase);
  }
  if (!fault.empty()) state.SkipWithError(fault.c_str());
}

// The time of one check divided by its Dienststellen.
void PerDienststelle(benchmark::State& state) {
  const UsualDataBase& dataBase = DataBase(static_cast<int>(state.range(0)));
  std::string fault;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const tab::CheckReport report = Check(dataBase.Layout().programDirectory);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(seconds.count() / dataBase.Schools());
    fault = Fault(report, dataBase);
  }
  if (!fault.empty()) state.SkipWithError(fault.c_str());
}

// The child: a fresh process that checks the data base and prints its peak resident set (kB)
// and the number of findings.
int CheckAndReportPeak(int argc, char** argv) {
  if (argc != 3) return 2;
  const tab::CheckReport report = Check(argv[2]);
  const long peakKb = tab::bench::PeakResidentKb();
  std::printf("%ld %zu\n", peakKb, report.FindingCount());
  return peakKb > 0 ? 0 : 1;
}

void PeakMemory(benchmark::State& state) {
  const UsualDataBase& dataBase = DataBase(static_cast<int>(state.range(0)));
  long peakKb = 0;
  std::size_t findings = 0;
  for (auto _ : state) {
    std::string output;
    if (!tab::bench::RunThisProgramAgain({kCheckFlag, dataBase.Layout().programDirectory},
                                         output) ||
        std::sscanf(output.c_str(), "%ld %zu", &peakKb, &findings) != 2) {
      state.SkipWithError("the child process failed");
    }
  }
  state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
  if (findings != dataBase.Layout().misfitSchools.size() * kFindingsPerMisfitSchool) {
    state.SkipWithError("wrong number of findings");
  }
}

}  // namespace

BENCHMARK(WholeCheck)
    ->Name("Check")
    ->Arg(1000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PerDienststelle)
    ->Name("PerDienststelle")
    ->Arg(100)
    ->Arg(1000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PeakMemory)->Name("PeakMemory")->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kCheckFlag) == 0) return CheckAndReportPeak(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
