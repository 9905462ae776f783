// The window's work on a large data base, generated once per run by tabellario-largedb's code
// into a temporary folder (5,000 Dienststellen; a big school with 2,000 classes, 20,000 teachers,
// list files of 100,000 lines; key files of 10,000 lines), everything driven through the session
// as the window drives it:
// - start-up (settings, data base, school, its class list, the 5,000 Dienststellen) and picking
//   the big school, next to listing the same folders;
// - every table of every sheet shown again, next to reading the lines of the files it reads;
// - every page button on the table it belongs to, the completions next to reading their key
//   files;
// - the peak memory of a fresh process that starts up and shows the largest table.
// Targets: each of them under 100 ms, the peak under 200 MB.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/session.hpp"
#include "app/window_layout.hpp"
#include "records/message_port.hpp"
#include "support/bench_support.hpp"
#include "support/sheets.hpp"
#include "tools/largedb/large_db.hpp"

namespace {

constexpr const char* kShowTableFlag = "--show-table";
constexpr std::array<const char*, 4> kSheetNames = {"Schnell", "Schule", "Lehrer", "Klasse"};

// The data base of this run; removed again at exit.
class LargeDataBase {
 public:
  LargeDataBase() : layout_(tab::largedb::WriteLargeDataBase(root_.Path(), options_)) {}
  LargeDataBase(const LargeDataBase&) = delete;
  LargeDataBase& operator=(const LargeDataBase&) = delete;

  const tab::largedb::Layout& Layout() const { return layout_; }
  const tab::largedb::Options& Options() const { return options_; }
  std::string SchoolFile(const char* folder, int table) const {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "%02d.CSV", table);
    const std::string& school = layout_.bigSchool;
    if (std::strcmp(folder, "KLASSE") == 0)
      return SchoolFolder() + "KLASSE/" + layout_.bigClass + suffix;
    return SchoolFolder() + folder + "/" + school + suffix;
  }
  std::string SchoolFolder() const { return layout_.dataBaseDirectory + layout_.bigSchool + "/"; }

 private:
  tab::test::TempDir root_;
  tab::largedb::Options options_;
  tab::largedb::Layout layout_;
};

const LargeDataBase& DataBase() {
  static const LargeDataBase dataBase;
  return dataBase;
}

// A session started up on a program directory as the window starts it.
struct StartedSession {
  explicit StartedSession(const std::string& programDirectory) : session(port, view) {
    session.Create(programDirectory);
    session.StartUp();
  }
  // Shows a table page: a sheet's page, or on the class sheet the class clicked in the list.
  void Show(int sheet, int table, const std::string& classId) {
    if (sheet == 3) {
      session.SetCurrent(tab::SheetId::Klassen, 0);
      session.Paths().selectedClass = tab::test::ClassIndex(session.Paths(), classId);
    }
    session.Dispatch(static_cast<tab::SheetId>(sheet), table);
  }

  tab::RecordingPort port;
  tab::SessionView view;
  tab::Session session;
};

std::string KeyFile(const char* name) {
  return DataBase().Layout().programDirectory + name;
}

// ---- start-up --------------------------------------------------------------------------------

void StartUp(benchmark::State& state) {
  const tab::largedb::Layout& layout = DataBase().Layout();
  std::size_t schools = 0;
  std::size_t classes = 0;
  for (auto _ : state) {
    StartedSession started(layout.programDirectory);
    schools = started.session.Paths().schools.size();
    classes = started.session.Paths().classes.size();
  }
  if (schools != static_cast<std::size_t>(DataBase().Options().schools) ||
      classes != layout.classes.size()) {
    state.SkipWithError("start-up did not find the data base");
  }
}

void PickBigSchool(benchmark::State& state) {
  StartedSession started(DataBase().Layout().programDirectory);
  for (auto _ : state) {
    started.session.SchoolSelectorChanged(DataBase().Layout().bigSchool, false);
    benchmark::DoNotOptimize(started.session.Paths().classes.data());
  }
  if (started.session.Paths().classes.size() != DataBase().Layout().classes.size()) {
    state.SkipWithError("wrong class list");
  }
}

void FloorListFolders(benchmark::State& state) {
  const std::string dataBase = DataBase().Layout().dataBaseDirectory;
  const std::string classes = DataBase().SchoolFolder() + "KLASSE/";
  for (auto _ : state)
    benchmark::DoNotOptimize(tab::bench::CountEntries(dataBase) +
                             tab::bench::CountEntries(classes));
}

void FloorListClassFolder(benchmark::State& state) {
  const std::string classes = DataBase().SchoolFolder() + "KLASSE/";
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::CountEntries(classes));
}

// ---- showing each table ----------------------------------------------------------------------

// The files a table reads besides its definition file: the data file and the key file or list.
std::vector<std::string> FilesOfTable(int sheet, int table) {
  static constexpr std::array<const char*, 4> kFolders = {"SCHNELL", "SCHULE", "LEHRER", "KLASSE"};
  std::vector<std::string> files = {
      DataBase().SchoolFile(kFolders[static_cast<std::size_t>(sheet)], table)};
  static const std::map<std::pair<int, int>, const char*> kKeyFiles = {
      {{0, 1}, "SSSA.SSD"},   {{0, 2}, "ILKLWS.SSD"},   {{1, 1}, "SSSA.SSD"},
      {{2, 1}, "LEHRER.CSV"}, {{2, 2}, "SSSA-140.SSD"}, {{2, 3}, "ILKLWS-4.SSD"},
      {{3, 2}, "SSVB.SSD"},   {{3, 4}, "SSFSR.SSD"},    {{3, 5}, "SSAS.SSD"},
      {{3, 6}, "SSLTF.SSD"},  {{3, 7}, "SSUS.SSD"},     {{3, 9}, "SSVB0.SSD"}};
  if (const auto key = kKeyFiles.find({sheet, table}); key != kKeyFiles.end()) {
    files.push_back(KeyFile(key->second));
  }
  if (sheet == 2 && table == 0) files.push_back(DataBase().SchoolFolder() + "LEHRER.CSV");
  return files;
}

// Rows a list table must show: every line of its file and the heading row.
int ExpectedRows(tab::GridId grid) {
  const tab::largedb::Options& options = DataBase().Options();
  switch (static_cast<int>(grid)) {
    case 6:  // school tables 2 and 3
    case 7:
    case 18:  // class tables 1, 3 and 8
    case 19:
    case 25:
      return options.lines + 1;
    case 26:  // class table 9: the block of all trainees and seven rows per group
      return 10 + options.groups * 7;
    default:
      return -1;
  }
}

void ShowTable(benchmark::State& state, const tab::TablePageDesign& page) {
  StartedSession started(DataBase().Layout().programDirectory);
  const std::string& classId = DataBase().Layout().bigClass;
  // The first showing writes the definition file.
  started.Show(static_cast<int>(page.sheet), page.table, classId);
  started.port.Clear();
  for (auto _ : state) {
    started.session.Dispatch(page.sheet, page.table);
    benchmark::DoNotOptimize(started.session.Grid(page.grid).RowCount());
  }
  const int rows = started.session.Grid(page.grid).RowCount();
  state.counters["rows"] = rows;
  if (!started.port.Messages().empty()) {
    state.SkipWithError(("message: " + started.port.Messages()[0].text).c_str());
  } else if (ExpectedRows(page.grid) >= 0 && rows != ExpectedRows(page.grid)) {
    state.SkipWithError("wrong number of rows");
  }
}

void FloorReadTableFiles(benchmark::State& state, const tab::TablePageDesign& page) {
  const std::vector<std::string> files = FilesOfTable(static_cast<int>(page.sheet), page.table);
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::ReadLineBytes(files));
}

// ---- the page buttons ------------------------------------------------------------------------

// The key files a completion button reads; sorts read none.
std::vector<const char*> KeyFilesOfButton(std::string_view button) {
  static const std::map<std::string_view, std::vector<const char*>> kFiles = {
      {"Button21", {"SBBG3.SSD", "SBBG6.SSD", "SBBG7.SSD"}},
      {"Button64", {"SLAND.SSD"}},
      {"Button65", {"SLAND.SSD"}},
      {"Button57", {"SBBG1.SSD", "SBBG2.SSD", "SBBG3.SSD", "SBBG4.SSD", "SBBG5.SSD", "SBBG6.SSD"}},
      {"Button58", {"SHKK.SSD"}},
      {"Button59", {"SHKK.SSD"}},
      {"Button62", {"SBBG1.SSD", "SBBG2.SSD", "SBBG3.SSD", "SBBG4.SSD", "SBBG5.SSD", "SBBG6.SSD"}}};
  const auto found = kFiles.find(button);
  return found == kFiles.end() ? std::vector<const char*>() : found->second;
}

// The button's command on the table as loaded; every run starts from the loaded table again.
void RunCommand(benchmark::State& state, const tab::ButtonDesign& button) {
  StartedSession started(DataBase().Layout().programDirectory);
  started.Show(static_cast<int>(button.sheet), button.table, DataBase().Layout().bigClass);
  started.port.Clear();
  const tab::TableGrid loaded = started.session.Grid(button.grid);
  for (auto _ : state) {
    state.PauseTiming();
    started.session.Grid(button.grid) = loaded;  // the old copy goes away outside the time
    state.ResumeTiming();
    if (!started.session.RunButton(button.button)) state.SkipWithError("no command");
  }
  state.counters["rows"] = started.session.Grid(button.grid).RowCount();
  if (!started.port.Messages().empty()) {
    state.SkipWithError(("message: " + started.port.Messages()[0].text).c_str());
  }
}

void FloorReadKeyFiles(benchmark::State& state, const tab::ButtonDesign& button) {
  std::vector<std::string> files;
  for (const char* name : KeyFilesOfButton(button.name)) files.push_back(KeyFile(name));
  for (auto _ : state) benchmark::DoNotOptimize(tab::bench::ReadLineBytes(files));
}

// ---- peak memory -----------------------------------------------------------------------------

// The child: a fresh process that starts up, shows one table and prints its peak resident set
// (kB) and the table's row count.
int ShowTableAndReportPeak(int argc, char** argv) {
  if (argc != 6) return 2;
  StartedSession started(argv[2]);
  const int sheet = std::atoi(argv[3]);
  const int table = std::atoi(argv[4]);
  started.Show(sheet, table, argv[5]);
  const tab::TablePageDesign* page = nullptr;
  for (const tab::TablePageDesign& candidate : tab::TablePages()) {
    if (static_cast<int>(candidate.sheet) == sheet && candidate.table == table) page = &candidate;
  }
  if (page == nullptr || !started.port.Messages().empty()) return 1;
  const long peakKb = tab::bench::PeakResidentKb();
  std::printf("%ld %d\n", peakKb, started.session.Grid(page->grid).RowCount());
  return peakKb > 0 ? 0 : 1;
}

// Runs this executable as the child above and reads what it prints.
bool MeasurePeak(const tab::TablePageDesign& page, long& peakKb, int& rows) {
  const tab::largedb::Layout& layout = DataBase().Layout();
  std::string output;
  return tab::bench::RunThisProgramAgain(
             {kShowTableFlag, layout.programDirectory, std::to_string(static_cast<int>(page.sheet)),
              std::to_string(page.table), layout.bigClass},
             output) &&
         std::sscanf(output.c_str(), "%ld %d", &peakKb, &rows) == 2;
}

void PeakMemory(benchmark::State& state, const tab::TablePageDesign& page) {
  long peakKb = 0;
  int rows = 0;
  for (auto _ : state) {
    if (!MeasurePeak(page, peakKb, rows)) state.SkipWithError("the child process failed");
  }
  state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
  state.counters["rows"] = rows;
  if (rows != ExpectedRows(page.grid)) state.SkipWithError("wrong number of rows");
}

std::string PageName(const tab::TablePageDesign& page) {
  return std::string(kSheetNames[static_cast<std::size_t>(page.sheet)]) + "-" +
         std::to_string(page.table);
}

void RegisterAll() {
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("StartUp", StartUp)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Floor/StartUp", FloorListFolders)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("PickBigSchool", PickBigSchool)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Floor/PickBigSchool", FloorListClassFolder)->Unit(kMillisecond);
  for (const tab::TablePageDesign& page : tab::TablePages()) {
    const std::string name = PageName(page);
    benchmark::RegisterBenchmark(("Show/" + name).c_str(), ShowTable, page)->Unit(kMillisecond);
    benchmark::RegisterBenchmark(("Floor/Show/" + name).c_str(), FloorReadTableFiles, page)
        ->Unit(kMillisecond);
  }
  for (const tab::ButtonDesign& button : tab::Buttons()) {
    const std::string name = button.name;
    benchmark::RegisterBenchmark(("Command/" + name).c_str(), RunCommand, button)
        ->Unit(kMillisecond);
    if (!KeyFilesOfButton(button.name).empty()) {
      benchmark::RegisterBenchmark(("Floor/Command/" + name).c_str(), FloorReadKeyFiles, button)
          ->Unit(kMillisecond);
    }
  }
  // The largest table: school table 2, 100,000 lines of 18 fields.
  const tab::TablePageDesign& largest = *tab::FindTablePage("TabSheet10");
  benchmark::RegisterBenchmark(("PeakMemory/" + PageName(largest)).c_str(), PeakMemory, largest)
      ->Unit(kMillisecond)
      ->Iterations(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kShowTableFlag) == 0) {
    return ShowTableAndReportPeak(argc, argv);
  }
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
