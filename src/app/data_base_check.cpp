#include "app/data_base_check.hpp"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <exception>
#include <map>
#include <mutex>
#include <set>
#include <string_view>
#include <system_error>
#include <thread>
#include <tuple>
#include <utility>

#include "app/path_state.hpp"
#include "app/settings.hpp"
#include "app/window_layout.hpp"
#include "records/file_names.hpp"
#include "records/text.hpp"
#include "sheets/sheet.hpp"

namespace tab {

namespace {

// ---- folders and files -----------------------------------------------------------------------

struct FolderEntry {
  std::string name;
  bool regularFile = false;
};

// The entries of a folder but "." and ".." (links followed); returns 0 or the errno of opening
// or reading it.
int ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return errno;
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info {};
      regular = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
    }
    entries.push_back({std::string(name), regular});
    errno = 0;
  }
  const int error = errno;
  ::closedir(dir);
  return error;
}

// The entry spelled as `name` ignoring ASCII case, as ResolvePath would take it: the exact name,
// else the smallest of those that match.
const FolderEntry* FindEntry(const std::vector<FolderEntry>& entries, std::string_view name) {
  const FolderEntry* best = nullptr;
  for (const FolderEntry& entry : entries) {
    if (entry.name == name) return &entry;
    if (EqualsIgnoringAsciiCase(entry.name, name) && (best == nullptr || entry.name < best->name)) {
      best = &entry;
    }
  }
  return best;
}

// Whether the start of a data file shows that it is no text: a NUL byte, or control characters
// in more than one byte of eight (a data file's bytes below the space are CR, LF and TAB, and a
// 0x1A where a line begins ends it). Returns the line (from 1) of the first such byte, 0 for
// text. Only the first block is looked at: enough to tell, and cheap beside the loading.
std::uint64_t BinaryLine(const std::string& path) {
  int error = 0;
  const int fd = OpenForReading(path, error);
  if (fd < 0) return 0;  // the loader reports what keeps the file from being read
  char block[4096];
  ssize_t got;
  do {
    got = ::read(fd, block, sizeof block);
  } while (got < 0 && errno == EINTR);
  ::close(fd);
  if (got <= 0) return 0;
  std::uint64_t line = 1;
  std::uint64_t firstControlLine = 0;
  std::size_t controls = 0;
  std::size_t scanned = 0;
  bool lineStart = true;
  for (ssize_t i = 0; i < got; ++i, ++scanned) {
    const auto byte = static_cast<unsigned char>(block[i]);
    if (byte == 0x1A && lineStart) break;
    lineStart = byte == '\n';
    if (byte == '\n') {
      ++line;
    } else if (byte == 0) {
      return line;
    } else if (byte < ' ' && byte != '\r' && byte != '\t') {
      if (controls++ == 0) firstControlLine = line;
    }
  }
  return controls * 8 > scanned ? firstControlLine : 0;
}

std::string BinaryFileMessage(const std::string& path) {
  return "Die Datei:\n" + path + "\n" +
         "enthält Null- oder Steuerzeichen und ist keine Textdatei der Statistik!";
}

std::string UnreadableFolderMessage(const std::string& folder, int error) {
  return "Das Verzeichnis:\n" + folder + "\n" + "kann nicht gelesen werden:\n" + ErrorText(error);
}

std::string MissingSchoolMessage(const std::string& folder) {
  return "Das Verzeichnis der Dienststelle:\n" + folder + "\n" + "ist nicht (mehr) vorhanden!";
}

std::string VanishedSchoolMessage(const std::string& folder) {
  return "Das Verzeichnis der Dienststelle:\n" + folder + "\n" +
         "ist während der Prüfung verschwunden; was danach geprüft wurde, fehlte schon.";
}

// The first line of a message that names a file below one of the folders: the messages name
// their files with full paths, each on a line of its own.
std::string FileNamedIn(const std::string& text, const std::string& dataBase,
                        const std::string& program) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    if ((!dataBase.empty() && line.starts_with(dataBase)) ||
        (!program.empty() && line.starts_with(program))) {
      return std::string(line);
    }
    start = end + 1;
  }
  return {};
}

// ---- the report folders of a school ----------------------------------------------------------

struct ReportFolder {
  const char* name;
  SheetId sheet;
  int files;  // data files <nr>00.CSV and following; 0 for the class folder
};

constexpr ReportFolder kReportFolders[] = {{"SCHNELL", SheetId::Schnell, kQuickReportFiles},
                                           {"SCHULE", SheetId::Schule, kSchoolReportFiles},
                                           {"LEHRER", SheetId::Lehrer, kTeacherReportFiles},
                                           {"KLASSE", SheetId::Klassen, 0}};
// The class files: tables 0 to 10 ("Tab. 4.1" reads the file with the number 10).
constexpr int kClassFiles = 11;

// The two digits of a table's file number (0 to 10).
std::string TwoDigits(int number) {
  return {static_cast<char>('0' + number / 10 % 10), static_cast<char>('0' + number % 10)};
}

// Where a finding about a file of a table goes: before that table's messages.
using TablePlace = std::tuple<SheetId, int, std::string>;  // sheet, table, class

// ---- one worker ------------------------------------------------------------------------------

// Where the unplaced records of a table stand, in the order the loaders met them.
class LineRecorder : public UnplacedLines {
 public:
  void Unplaced(const std::string& path, std::uint64_t line) override {
    lines.emplace_back(path, line);
  }
  std::vector<std::pair<std::string, std::uint64_t>> lines;
};

// A Dienststelle's findings, those of the program directory apart.
struct Outcome {
  bool checked = false;
  SchoolCheck check;
  std::vector<Finding> programWide;
};

// The state the dispatcher keeps for one run, once per worker: paths, options, a recording port.
// Every table is set up on a grid fresh from its design, as on its first showing in the window,
// so that no Dienststelle's result depends on which one the worker checked before.
class SchoolChecker {
 public:
  explicit SchoolChecker(const CheckStart& start) : options_(start.options) {
    paths_.programDirectory = start.programDirectory;
    paths_.dataBaseDirectory = start.dataBaseDirectory;
  }

  Outcome Check(const std::string& school) {
    Outcome outcome;
    outcome.checked = true;
    out_ = &outcome;
    SelectSchool(paths_, school);
    SchoolCheck& check = outcome.check;
    check.school = school;
    check.directory = paths_.schoolDirectory;
    try {
      if (InspectSchool()) {
        for (const TablePageDesign& page : TablePages()) {
          if (page.sheet != SheetId::Klassen) RunTable(page.sheet, page.table);
        }
        for (const std::string& classId : paths_.classes) {
          paths_.classId = classId;
          currentClass_ = classId;
          for (const TablePageDesign& page : TablePages()) {
            if (page.sheet == SheetId::Klassen) RunTable(page.sheet, page.table);
          }
        }
        paths_.classId = kNoClass;
        currentClass_.clear();
        if (!CanEnterDirectory(paths_.schoolDirectory)) {
          Add(SheetId::Unknown, kUnknownTable, MessageKind::Error,
              VanishedSchoolMessage(paths_.schoolDirectory), paths_.schoolDirectory);
        }
      }
    } catch (const std::exception& error) {
      // Out of memory, most likely: the Dienststelle says so and the others are still checked.
      Add(SheetId::Unknown, kUnknownTable, MessageKind::Error,
          std::string("Die Prüfung der Dienststelle brach ab: ") + error.what(), {});
    }
    paths_.classId = kNoClass;
    currentClass_.clear();
    fileFindings_.clear();
    port_.Clear();
    recorder_.lines.clear();
    out_ = nullptr;
    return outcome;
  }

 private:
  void Add(SheetId sheet, int table, MessageKind kind, std::string text, std::string file,
           std::uint64_t line = 0) {
    out_->check.findings.push_back({out_->check.school, sheet, table, currentClass_, kind,
                                    std::move(text), std::move(file), line});
  }

  // The school folder, its report folders and the data files in them: what was delivered, and
  // the files that are no text. False when the school folder cannot be read at all.
  bool InspectSchool() {
    Delivery& delivery = out_->check.delivery;
    const std::string& directory = paths_.schoolDirectory;
    std::vector<FolderEntry> entries;
    if (const int error = ListFolder(directory, entries); error != 0) {
      Add(SheetId::Unknown, kUnknownTable, MessageKind::Error,
          error == ENOENT ? MissingSchoolMessage(directory)
                          : UnreadableFolderMessage(directory, error),
          directory);
      return false;
    }
    // The class list as the window makes it (a folder that cannot be read gives none).
    FindClasses(paths_);
    delivery.classes = static_cast<int>(paths_.classes.size());
    if (const FolderEntry* list = FindEntry(entries, "LEHRER.CSV");
        list != nullptr && list->regularFile) {
      delivery.teacherList = true;
      Sniff(directory + list->name, {SheetId::Lehrer, 0, {}});
    }
    for (const ReportFolder& report : kReportFolders) {
      const FolderEntry* folderEntry = FindEntry(entries, report.name);
      if (folderEntry == nullptr) continue;
      const std::string folder = directory + folderEntry->name + kPathSeparator;
      std::vector<FolderEntry> files;
      if (const int error = ListFolder(folder, files); error != 0) {
        Add(report.sheet, kUnknownTable, MessageKind::Error, UnreadableFolderMessage(folder, error),
            folder);
        continue;
      }
      int delivered = 0;
      if (report.sheet == SheetId::Klassen) {
        for (const std::string& classId : paths_.classes) {
          for (int table = 0; table < kClassFiles; ++table) {
            const FolderEntry* file = FindEntry(files, classId + TwoDigits(table) + ".CSV");
            if (file != nullptr && file->regularFile) {
              Sniff(folder + file->name, {report.sheet, table, classId});
            }
          }
        }
        continue;
      }
      for (int table = 0; table < report.files; ++table) {
        const FolderEntry* file = FindEntry(files, paths_.schoolNumber + TwoDigits(table) + ".CSV");
        if (file == nullptr || !file->regularFile) continue;
        ++delivered;
        Sniff(folder + file->name, {report.sheet, table, {}});
      }
      if (report.sheet == SheetId::Schnell) delivery.quickReportFiles = delivered;
      if (report.sheet == SheetId::Schule) delivery.schoolReportFiles = delivered;
      if (report.sheet == SheetId::Lehrer) delivery.teacherReportFiles = delivered;
    }
    return true;
  }

  void Sniff(const std::string& path, const TablePlace& place) {
    if (const std::uint64_t line = BinaryLine(path); line != 0) {
      fileFindings_.insert({place, {path, line}});
    }
  }

  // The steps of one table, as the dispatcher runs them, and what they reported.
  void RunTable(SheetId sheet, int table) {
    const auto [first, last] = fileFindings_.equal_range({sheet, table, currentClass_});
    for (auto it = first; it != last; ++it) {
      Add(sheet, table, MessageKind::Warning, BinaryFileMessage(it->second.first), it->second.first,
          it->second.second);
    }
    const TableEntry* entry = FindTableEntry(sheet, table);
    if (entry == nullptr) return;
    const SheetContext context{paths_, options_, port_, nullptr, true, &recorder_};
    for (const TableStep& step : entry->steps) {
      TableGrid grid = SetUpGrid(step, context);
      step.load(grid, context);
    }
    TakeMessages(sheet, table);
  }

  // A grid fresh from its design after the step's set-up, and the set-up's messages told. What a
  // set-up gives depends on the design and the program directory's files alone, never on the
  // Dienststelle or class: the worker sets each grid up once and takes copies, telling the
  // messages of that set-up again each time (a class table's key file is read once, not once
  // per class).
  TableGrid SetUpGrid(const TableStep& step, const SheetContext& context) {
    auto [done, fresh] = setUps_.try_emplace(&step);
    SetUpResult& result = done->second;
    if (fresh) {
      const GridDesign* design = FindGridDesign(step.grid);
      result.grid =
          TableGrid(design->cols, design->rows, design->fixedCols, design->defaultColWidth);
      const std::size_t before = port_.Messages().size();
      step.setUp(result.grid, context);
      result.messages.assign(port_.Messages().begin() + static_cast<std::ptrdiff_t>(before),
                             port_.Messages().end());
      return result.grid;
    }
    for (const RecordingPort::Message& message : result.messages) {
      port_.Show(message.kind, message.text);
    }
    return result.grid;
  }

  // Each message becomes a finding. An unplaced-record message becomes one finding per record,
  // each with the line the record stands on.
  void TakeMessages(SheetId sheet, int table) {
    for (const RecordingPort::Message& message : port_.Messages()) {
      std::string file =
          FileNamedIn(message.text, paths_.dataBaseDirectory, paths_.programDirectory);
      const bool programWide = !file.empty() && !file.starts_with(paths_.schoolDirectory) &&
                               file.starts_with(paths_.programDirectory);
      if (programWide) {
        out_->programWide.push_back(
            {{}, sheet, table, {}, message.kind, message.text, std::move(file), 0});
        continue;
      }
      bool split = false;
      if (message.kind == MessageKind::Information && !file.empty()) {
        for (const auto& [path, line] : recorder_.lines) {
          if (path != file) continue;
          Add(sheet, table, message.kind, message.text, file, line);
          split = true;
        }
      }
      if (!split) Add(sheet, table, message.kind, message.text, std::move(file));
    }
    port_.Clear();
    recorder_.lines.clear();
  }

  struct SetUpResult {
    TableGrid grid;
    std::vector<RecordingPort::Message> messages;
  };

  PathState paths_;
  TableOptions options_;
  RecordingPort port_;
  std::map<const TableStep*, SetUpResult> setUps_;  // by the sheets' own steps
  LineRecorder recorder_;
  Outcome* out_ = nullptr;
  std::string currentClass_;  // the class whose tables run, empty outside the class sheet
  // Files that are no text, with the line that shows it, by the table that reads them.
  std::multimap<TablePlace, std::pair<std::string, std::uint64_t>> fileFindings_;
};

// The Dienststellen of the data base, as the school selector lists them.
std::vector<std::string> SchoolsOf(const CheckStart& start) {
  PathState paths;
  paths.programDirectory = start.programDirectory;
  paths.dataBaseDirectory = start.dataBaseDirectory;
  SelectSchool(paths, Win1252ToUtf8(start.options.schoolNumber));
  FindSchools(paths);
  return paths.schools;
}

// The outcomes in order: program-wide findings once each, where they were first found.
void Merge(std::vector<Outcome>& outcomes, CheckReport& report) {
  std::set<std::tuple<SheetId, int, MessageKind, std::string>> seen;
  for (Outcome& outcome : outcomes) {
    if (!outcome.checked) continue;
    for (Finding& finding : outcome.programWide) {
      if (seen.emplace(finding.sheet, finding.table, finding.kind, finding.text).second) {
        report.general.push_back(std::move(finding));
      }
    }
    report.schools.push_back(std::move(outcome.check));
  }
}

}  // namespace

std::size_t CheckReport::FindingCount() const {
  std::size_t count = general.size();
  for (const SchoolCheck& school : schools) count += school.findings.size();
  return count;
}

std::size_t CheckReport::SchoolsWithFindings() const {
  return static_cast<std::size_t>(std::count_if(
      schools.begin(), schools.end(), [](const SchoolCheck& s) { return !s.findings.empty(); }));
}

std::string UnreadableDataBaseMessage(const std::string& folder, int error) {
  return "Die Datenbasis:\n" + folder + "\n" + "kann nicht gelesen werden:\n" + ErrorText(error);
}

CheckStart CheckStartOf(const Session& session) {
  const PathState& paths = session.Paths();
  CheckStart start;
  start.programDirectory = WithTrailingSeparator(paths.programDirectory);
  start.dataBaseDirectory = WithTrailingSeparator(
      paths.dataBaseDirectory.empty()
          ? DataBaseDirectoryOf(Win1252ToUtf8(session.CurrentSettings().dataBaseDirectory),
                                paths.programDirectory)
          : paths.dataBaseDirectory);
  start.options = OptionsOf(session.CurrentSettings());
  return start;
}

CheckStart PrepareCheck(const std::string& programDirectory, const std::string& dataBase) {
  RecordingPort port;
  SessionView view;
  Session session(port, view);
  session.Create(programDirectory, OutdatedSettings::Keep);
  if (!dataBase.empty()) session.Paths().dataBaseDirectory = dataBase;
  CheckStart start = CheckStartOf(session);
  for (const RecordingPort::Message& message : port.Messages()) {
    start.findings.push_back({{},
                              SheetId::Unknown,
                              kUnknownTable,
                              {},
                              message.kind,
                              message.text,
                              FileNamedIn(message.text, {}, start.programDirectory),
                              0});
  }
  return start;
}

CheckReport CheckDataBase(const CheckStart& start, const CheckRequest& request) {
  CheckReport report;
  report.programDirectory = start.programDirectory;
  report.dataBaseDirectory = start.dataBaseDirectory;
  report.general = start.findings;
  if (DIR* dir = ::opendir(start.dataBaseDirectory.c_str()); dir != nullptr) {
    ::closedir(dir);
  } else {
    report.dataBaseError = errno;
    report.general.push_back({{},
                              SheetId::Unknown,
                              kUnknownTable,
                              {},
                              MessageKind::Error,
                              UnreadableDataBaseMessage(start.dataBaseDirectory, errno),
                              start.dataBaseDirectory,
                              0});
    return report;
  }

  std::vector<std::string> schools = request.schools;
  if (schools.empty()) schools = SchoolsOf(start);
  std::vector<Outcome> outcomes(schools.size());
  std::atomic<std::size_t> next{0};
  std::atomic<bool> cancelled{false};
  std::mutex progressMutex;
  std::size_t done = 0;
  const auto work = [&] {
    SchoolChecker checker(start);
    for (;;) {
      const std::size_t index = next++;
      if (index >= schools.size()) return;
      // A cancel once every Dienststelle is checked cancels nothing.
      if (request.progress != nullptr && request.progress->Cancelled()) {
        cancelled = true;
        return;
      }
      outcomes[index] = checker.Check(schools[index]);
      const std::lock_guard<std::mutex> lock(progressMutex);
      ++done;
      if (request.progress != nullptr) request.progress->Checked(done, schools.size());
    }
  };

  const std::size_t wanted = request.jobs != 0 ? request.jobs : std::thread::hardware_concurrency();
  const std::size_t jobs =
      std::clamp<std::size_t>(wanted, 1, std::max<std::size_t>(1, schools.size()));
  std::vector<std::thread> workers;
  for (std::size_t i = 1; i < jobs; ++i) {
    try {
      workers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // fewer workers do the same work
    }
  }
  work();  // this thread is a worker too
  for (std::thread& worker : workers) worker.join();
  report.cancelled = cancelled;
  Merge(outcomes, report);
  return report;
}

}  // namespace tab
