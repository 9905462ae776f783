// Every kind of table, set up and loaded as the window does it: the input is written as the data
// file of one table into a scratch data base (school 13001, class KL0001) and the table's steps
// run on grids made from the window's grid designs. Byte 0 picks the table (see kTables), byte 1
// the settings and the run: bit 0 lower rows without data, bit 1 prefill off, bit 2 no report of
// unplaced records, bit 3 the table shown a second time, bit 4 the page buttons pressed after
// loading, bit 5 the data file named in lower case, bits 6-7 how many bytes one read of a file
// gives at most (see kReadChunks). Every file is a memory file.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/path_state.hpp"
#include "app/settings.hpp"
#include "app/window_layout.hpp"
#include "fuzz_support.hpp"
#include "records/byte_source.hpp"
#include "records/fields.hpp"
#include "records/file_names.hpp"
#include "records/text.hpp"
#include "sheets/sheet.hpp"

namespace {

using namespace tab;
using namespace tab::fuzz;

enum class Kind { Single, List, Keyed, TeacherList, ListedTeachers, Identification, Group };

struct Table {
  int sheet;
  int table;
  const char* folder;  // below the school directory; "" for the school directory itself
  const char* file;
  Kind kind;
  int fields = 0;             // of a record, where the content is checked field by field
  bool dienststelle = false;  // a blank or "00000" Dienststelle shows the settings' number
};

constexpr std::array<Table, 25> kTables = {{
    {0, 0, "SCHNELL", "1300100.CSV", Kind::Single, 3, true},
    {0, 1, "SCHNELL", "1300101.CSV", Kind::Keyed},
    {0, 2, "SCHNELL", "1300102.CSV", Kind::Keyed},
    {1, 0, "SCHULE", "1300100.CSV", Kind::Single, 3, true},
    {1, 1, "SCHULE", "1300101.CSV", Kind::Keyed},
    {1, 2, "SCHULE", "1300102.CSV", Kind::List, 18},
    {1, 3, "SCHULE", "1300103.CSV", Kind::List, 9},
    {1, 4, "SCHULE", "1300104.CSV", Kind::Single, 7},
    {2, 0, "", "LEHRER.CSV", Kind::Identification, 3},
    {2, 0, "LEHRER", "1300100.CSV", Kind::Single, 1, true},
    {2, 1, "LEHRER", "1300101.CSV", Kind::TeacherList},
    {2, 1, nullptr, "LEHRER.CSV", Kind::ListedTeachers},  // the program directory's list
    {2, 2, "LEHRER", "1300102.CSV", Kind::Keyed},
    {2, 3, "LEHRER", "1300103.CSV", Kind::Keyed},
    {3, 0, "KLASSE", "KL000100.CSV", Kind::Single, 6, true},
    {3, 1, "KLASSE", "KL000101.CSV", Kind::List, 5},
    {3, 2, "KLASSE", "KL000102.CSV", Kind::Keyed},
    {3, 3, "KLASSE", "KL000103.CSV", Kind::List, 6},
    {3, 4, "KLASSE", "KL000104.CSV", Kind::Keyed},
    {3, 5, "KLASSE", "KL000105.CSV", Kind::Keyed},
    {3, 6, "KLASSE", "KL000106.CSV", Kind::Keyed},
    {3, 7, "KLASSE", "KL000107.CSV", Kind::Keyed},
    {3, 8, "KLASSE", "KL000108.CSV", Kind::List, 7},
    {3, 9, "KLASSE", "KL000109.CSV", Kind::Group},
    {3, 10, "KLASSE", "KL000110.CSV", Kind::Single, 5},
}};

// What one read of a file gives at most: all that was asked for, or a few bytes as a pipe or a
// share may give, so that lines cross the ends of what the reader has read.
constexpr std::array<std::size_t, 4> kReadChunks = {ByteSource::kUnknownSize, 1, 13, 512};

// The grid of the identification table, the first of the teacher's first page.
constexpr GridId kIdentificationGrid = GridId::StringGrid10;

// Texts the loaders write themselves ("Auszubildende insgesamt", running numbers, ids) are
// shorter than this.
constexpr std::size_t kLongestOwnText = 32;

struct Scratch {
  std::string program;      // demo key files; definition files appear on the first set-up
  std::string listProgram;  // the same, with the input as its teacher list
  std::string school;
  std::size_t longestProgramLine = 0;  // over both program directories, after every set-up
};

const SheetDefinition& Sheet(int sheet) {
  static const std::array<const SheetDefinition*, 4> sheets = {&schnell::Sheet(), &schule::Sheet(),
                                                               &lehrer::Sheet(), &klassen::Sheet()};
  return *sheets[static_cast<std::size_t>(sheet)];
}

std::span<const TableStep> Steps(const Table& table) {
  for (const TableEntry& entry : Sheet(table.sheet).tables) {
    if (entry.table == table.table) return entry.steps;
  }
  Fail("a table without steps", std::to_string(table.sheet) + "/" + std::to_string(table.table));
}

TableGrid DesignGrid(GridId grid) {
  const GridDesign* design = FindGridDesign(grid);
  FUZZ_CHECK(design != nullptr, "a step names a grid without design",
             std::to_string(static_cast<int>(grid)));
  return TableGrid(design->cols, design->rows, design->fixedCols, design->defaultColWidth);
}

PathState Paths(const Scratch& scratch, bool listedTeachers) {
  PathState paths;
  paths.programDirectory = listedTeachers ? scratch.listProgram : scratch.program;
  paths.dataBaseDirectory = scratch.school.substr(0, scratch.school.size() - 6);
  paths.schoolNumber = "13001";
  paths.schoolDirectory = scratch.school;
  paths.classId = "KL0001";
  paths.classes = {"KL0001"};
  paths.selectedClass = 0;
  return paths;
}

std::size_t LongestLineBelow(const std::string& dir) {
  std::size_t longest = 0;
  for (const std::string& name : Memory().Names(dir)) {
    if (const std::string* bytes = Memory().File(dir + name)) {
      longest = std::max(longest, LongestRun(*bytes));
    }
  }
  return longest;
}

const Scratch& Setup() {
  static const Scratch scratch = [] {
    Scratch s;
    s.program = MemoryFolder("program");
    s.listProgram = MemoryFolder("program-list");
    s.school = MemoryFolder("db/13001");
    for (const char* folder : {"SCHNELL", "SCHULE", "LEHRER", "KLASSE"}) {
      MemoryFolder(std::string("db/13001/") + folder);
    }
    CopyDemoProgramFiles(s.program);
    CopyDemoProgramFiles(s.listProgram);
    // One set-up of every table writes the definition files, so that every later run reads them.
    const Settings settings = DefaultSettings();
    const TableOptions options = OptionsOf(settings);
    RecordingPort port;
    for (const bool listed : {false, true}) {
      const PathState paths = Paths(s, listed);
      const SheetContext context{paths, options, port};
      for (const Table& table : kTables) {
        for (const TableStep& step : Steps(table)) {
          TableGrid grid = DesignGrid(step.grid);
          step.setUp(grid, context);
        }
      }
    }
    CheckMessages(port);
    FUZZ_CHECK(port.Messages().empty(), "the first set-up of the scratch tables gave a message");
    s.longestProgramLine = std::max(LongestLineBelow(s.program), LongestLineBelow(s.listProgram));
    return s;
  }();
  return scratch;
}

// The grid a step's set-up gives on a fresh design grid. The set-up reads only the program
// directory's definition and key files, which no input changes: for each table, step and
// settings it runs once on a fresh grid, and later first showings start from a copy of what it
// gave. A second showing sets up the loaded grid itself.
const TableGrid& SetUpOnce(std::size_t tableIndex, std::size_t stepIndex, unsigned settingsBits,
                           const TableStep& step, const SheetContext& context) {
  static std::map<std::array<std::size_t, 3>, TableGrid> grids;
  const std::array<std::size_t, 3> key = {tableIndex, stepIndex, settingsBits};
  auto found = grids.find(key);
  if (found == grids.end()) {
    TableGrid grid = DesignGrid(step.grid);
    step.setUp(grid, context);
    found = grids.emplace(key, std::move(grid)).first;
  }
  return found->second;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::size_t ListedTeachers(const std::string& programDir) {
  std::size_t listed = 0;
  for (std::string line : ReferenceLines(MemoryFile(ResolvePath(programDir, "LEHRER.CSV")))) {
    OemToWin1252InPlace(line);
    if (!ReferenceSplit(line, 3)[1].empty()) ++listed;
  }
  return listed;
}

// Row counts the loader must leave, given the rows after the set-up.
void CheckRows(const Table& table, const TableGrid& grid, int setUpRows,
               const std::vector<std::string>& lines, std::size_t listed) {
  const int rows = grid.RowCount();
  const auto count = static_cast<int>(lines.size());
  const std::string detail = "rows " + std::to_string(rows) + " after set-up " +
                             std::to_string(setUpRows) + " lines " + std::to_string(count);
  switch (table.kind) {
    case Kind::Single:
    case Kind::Keyed:
      FUZZ_CHECK(rows == setUpRows, "loading changes the rows of a fixed table", detail);
      break;
    case Kind::List:
      FUZZ_CHECK(rows == count + 1, "a list table does not end with its last line", detail);
      break;
    case Kind::Identification: {
      const auto filled = std::count_if(lines.begin(), lines.end(),
                                        [](const std::string& line) { return !line.empty(); });
      FUZZ_CHECK(rows == std::max(setUpRows, static_cast<int>(filled) + 1),
                 "the identification table has other rows than teachers", detail);
      break;
    }
    case Kind::TeacherList:
      FUZZ_CHECK(
          rows >= 2 + static_cast<int>(listed) && rows <= 2 + static_cast<int>(listed) + count,
          "the teacher list has other rows than teachers", detail);
      break;
    case Kind::ListedTeachers:
      FUZZ_CHECK(rows == 2 + static_cast<int>(listed),
                 "the teacher list has other rows than teachers", detail);
      break;
    case Kind::Group:
      FUZZ_CHECK(rows >= std::max(setUpRows, 10), "the group table lost rows", detail);
      break;
  }
}

// Where records go by position, each cell holds its field: single-record tables the first two
// lines in rows 1 and 2, lists line j in row j, the identification table its non-empty lines one
// after the other; fields from column 1 on.
void CheckContent(const Table& table, const TableGrid& grid,
                  const std::vector<std::string>& lines) {
  if (table.fields == 0) return;
  int row = 0;
  std::string line;
  std::vector<std::string_view> fields;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (table.kind == Kind::Single && i >= 2) break;
    if (table.kind == Kind::Identification && lines[i].empty()) continue;
    ++row;
    line.assign(lines[i]);
    OemToWin1252InPlace(line);
    ReferenceSplit(line, table.fields, fields);
    for (int k = 0; k < table.fields && k + 1 < grid.ColCount(); ++k) {
      std::string_view expected = fields[static_cast<std::size_t>(k)];
      if (table.dienststelle && row == 2 && k == 0 && (IsBlank(expected) || expected == "00000")) {
        expected = "13001";
      }
      // An id line cut short shows the ids of the foreign-pupil columns of class table 1.
      if (table.sheet == 3 && table.table == 1 && row == 1 && (k == 3 || k == 4) &&
          IsBlank(expected)) {
        expected = k == 3 ? "ES004" : "ES005";
      }
      FUZZ_CHECK(SameBytes(grid.Cell(k + 1, row), expected), "a cell does not hold its field",
                 "row " + std::to_string(row) + " column " + std::to_string(k + 1) + ": " +
                     CellText(grid, k + 1, row) + " / " + std::string(expected));
    }
  }
}

// Every message is the report of unplaced records of this data file, when reports are on.
void CheckTableMessages(const RecordingPort& port, const std::string& dataFile, bool report) {
  CheckMessages(port);
  for (const RecordingPort::Message& message : port.Messages()) {
    FUZZ_CHECK(report && message.kind == MessageKind::Information &&
                   message.text.starts_with("Beim Einlesen der Datendatei:\n" + dataFile + "\n"),
               "a message other than the unplaced-record report", message.text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const Scratch& scratch = Setup();
  const std::size_t tableIndex = data[0] % kTables.size();
  const Table& table = kTables[tableIndex];
  const unsigned run = data[1];
  Memory().SetReadChunk(kReadChunks[run >> 6]);
  const std::string_view input(reinterpret_cast<const char*>(data + 2), size - 2);

  Settings settings = DefaultSettings();
  settings.schoolNumber = "13001";
  settings.rowHeightOption = (run & 1) != 0 ? 1 : 0;
  settings.prefillOption = (run & 2) != 0 ? 0 : 1;
  settings.reportOption = (run & 4) != 0 ? 0 : 1;
  const TableOptions options = OptionsOf(settings);
  const bool listedTeachers = table.kind == Kind::ListedTeachers;
  const PathState paths = Paths(scratch, listedTeachers);

  const std::string name = (run & 32) != 0 ? Lower(table.file) : std::string(table.file);
  const std::string folder = table.folder == nullptr ? scratch.listProgram
                             : *table.folder == '\0' ? scratch.school
                                                     : scratch.school + table.folder + "/";
  const std::string path = folder + name;
  Memory().Remove(folder + table.file);
  Memory().Remove(folder + Lower(table.file));
  Memory().Put(path, std::string(input));
  const std::vector<std::string> lines = ReferenceLines(input);
  const bool teachers = table.kind == Kind::TeacherList || table.kind == Kind::ListedTeachers;
  const std::size_t listed = teachers ? ListedTeachers(paths.programDirectory) : 0;
  // A teacher's name joins two fields of a line with ", ", one byte more than their separator.
  const std::size_t longest =
      std::max({scratch.longestProgramLine, kLongestOwnText, LongestRun(input) + 1});

  RecordingPort port;
  const SheetContext context{paths, options, port};
  std::map<GridId, TableGrid> grids;
  const int showings = (run & 8) != 0 ? 2 : 1;
  for (int showing = 0; showing < showings; ++showing) {
    const std::span<const TableStep> steps = Steps(table);
    for (std::size_t stepIndex = 0; stepIndex < steps.size(); ++stepIndex) {
      const TableStep& step = steps[stepIndex];
      if (showing == 0) {
        grids.insert_or_assign(step.grid, SetUpOnce(tableIndex, stepIndex, run & 7, step, context));
      } else {
        step.setUp(grids.at(step.grid), context);
      }
      TableGrid& grid = grids.at(step.grid);
      const int setUpRows = grid.RowCount();
      const int setUpCols = grid.ColCount();
      step.load(grid, context);
      FUZZ_CHECK(grid.ColCount() == setUpCols, "loading changes the column count");
      CheckGrid(grid, longest, {9, 18, 30}, 1 << 24);
      // Of the two grids of the teacher's first page, the input is the data of one.
      const bool ownsInput = Steps(table).size() == 1 || (table.kind == Kind::Identification) ==
                                                             (step.grid == kIdentificationGrid);
      if (ownsInput) {
        CheckRows(table, grid, setUpRows, lines, listed);
        CheckContent(table, grid, lines);
      }
    }
  }
  CheckTableMessages(port, path, settings.reportOption == 1);

  if ((run & 16) != 0) {
    // Every grid a button changed is checked once, after the last button.
    std::vector<GridId> pressed;
    for (const ButtonCommand& command : Sheet(table.sheet).commands) {
      const ButtonDesign* button = FindButton(command.button);
      FUZZ_CHECK(button != nullptr, "a command without a button",
                 std::to_string(static_cast<int>(command.button)));
      const auto grid = grids.find(button->grid);
      if (grid == grids.end()) continue;
      const int rows = grid->second.RowCount();
      command.run(grid->second, context);
      FUZZ_CHECK(grid->second.RowCount() == rows, "a page button changes the row count",
                 button->name);
      if (std::find(pressed.begin(), pressed.end(), button->grid) == pressed.end()) {
        pressed.push_back(button->grid);
      }
    }
    for (const GridId grid : pressed) CheckGrid(grids.at(grid), longest, {9, 18, 30}, 1 << 24);
    CheckMessages(port);
  }
  Memory().Remove(path);
  return 0;
}
