// Discovery of schools and classes in a large data base, next to the floor: listing the same
// folder with nothing done per entry. Target: each discovery well under 50 ms.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "app/path_state.hpp"
#include "support/bench_support.hpp"

namespace {

constexpr int kSchools = 10000;
constexpr int kOtherEntries = 500;  // files with school-like names and folders of other lengths
constexpr int kClasses = 5000;
constexpr int kTablesPerClass = 11;

std::string Numbered(const char* format, int number) {
  char name[32];
  std::snprintf(name, sizeof name, format, number);
  return name;
}

// One data base per process, built on first use and removed at exit.
class BenchDataBase {
 public:
  BenchDataBase() {
    for (int i = 0; i < kSchools; ++i) mkdir((root_ + Numbered("%05d", i)).c_str(), 0755);
    for (int i = 0; i < kOtherEntries; ++i) {
      tab::test::WriteBytes(root_ + Numbered("9%04d", i) + ".CSV", "");
      tab::test::WriteBytes(root_ + Numbered("%05d", 90000 + i),
                            "");  // a plain file with a school's name
      mkdir((root_ + Numbered("%06d", i)).c_str(), 0755);
    }
    const std::string classes = root_ + "00000/KLASSE/";
    mkdir(classes.c_str(), 0755);
    for (int c = 0; c < kClasses; ++c) {
      const std::string id = Numbered("K%05d", c);
      for (int t = 0; t < kTablesPerClass; ++t) {
        tab::test::WriteBytes(classes + id + Numbered("%02d.CSV", t), "");
      }
    }
  }
  const std::string& Root() const { return root_; }

 private:
  tab::test::TempDir temp_;
  const std::string root_ = temp_.Path();
};

const BenchDataBase& DataBase() {
  static const BenchDataBase dataBase;
  return dataBase;
}

tab::PathState PathsOfSchoolZero() {
  tab::PathState paths;
  paths.dataBaseDirectory = DataBase().Root();
  paths.schoolNumber = "00000";
  paths.schoolDirectory = DataBase().Root() + "00000/";
  return paths;
}

void BM_FindSchools(benchmark::State& state) {
  tab::PathState paths = PathsOfSchoolZero();
  for (auto _ : state) {
    tab::FindSchools(paths);
    benchmark::DoNotOptimize(paths.schools.data());
  }
  if (paths.schools.size() != kSchools) state.SkipWithError("wrong number of schools");
  state.counters["schools"] = static_cast<double>(paths.schools.size());
}
BENCHMARK(BM_FindSchools)->Unit(benchmark::kMillisecond);

void BM_ListDataBaseFolder(benchmark::State& state) {
  const std::string folder = DataBase().Root();
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::CountEntries(folder));
}
BENCHMARK(BM_ListDataBaseFolder)->Unit(benchmark::kMillisecond);

void BM_FindClasses(benchmark::State& state) {
  tab::PathState paths = PathsOfSchoolZero();
  for (auto _ : state) {
    tab::FindClasses(paths);
    benchmark::DoNotOptimize(paths.classes.data());
  }
  if (paths.classes.size() != kClasses) state.SkipWithError("wrong number of classes");
  state.counters["classes"] = static_cast<double>(paths.classes.size());
}
BENCHMARK(BM_FindClasses)->Unit(benchmark::kMillisecond);

void BM_ListClassFolder(benchmark::State& state) {
  const std::string folder = DataBase().Root() + "00000/KLASSE/";
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::CountEntries(folder));
}
BENCHMARK(BM_ListClassFolder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
