// Class table 9: trainees by occupation group and prior schooling. The key rows of SSVB0.SSD
// form the block of all trainees (group "9999"); every other group of the class file gets a
// block of its own below, made when its first record is read.
#include <sys/stat.h>

#include <algorithm>

#include "records/fields.hpp"
#include "records/file_names.hpp"
#include "records/line_reader.hpp"
#include "records/row_ops.hpp"
#include "records/text.hpp"
#include "sheets/klassen/klassen_layouts.hpp"
#include "sheets/klassen/klassen_tables.hpp"

namespace tab::klassen {

namespace {

constexpr int kGroupTable = 9;
constexpr int kFieldCount = 5;
constexpr int kMinRows = 10;
constexpr int kBlockRows = 7;  // rows added per group, before the key file is read
// Rows 2 to 9 are the block of all trainees, whatever the key file holds.
constexpr int kAllTraineesLastRow = 9;
constexpr const char* kAllTraineesGroup = "9999";
constexpr const char* kAllTraineesName = "Auszubildende insgesamt";
// A filled row whose prior schooling is "9" (the total of its group) stands out.
constexpr int kTotalRowHeight = 30;

constexpr int kGroupColumn = 3;
constexpr int kKeyColumn = 4;

// A key of two texts that no other pair of texts gives.
void PairKey(std::string& out, std::string_view group, std::string_view key) {
  out = std::to_string(group.size());
  out += ':';
  out += group;
  out += key;
}

std::string ClassFolder(const SheetContext& context) {
  const std::string& school = context.paths.schoolDirectory;
  return school.empty() ? "KLASSE" : ResolvePath(school, "KLASSE");
}

// Without a class file the class folder is made again if it has gone since the class list was
// built (not by the data-base check, which writes nothing).
void MakeClassFolder(const SheetContext& context) {
  if (context.readOnly) return;
  const std::string& school = context.paths.schoolDirectory;
  const std::string folder = ClassFolder(context);
  if (CanEnterDirectory(folder)) return;
  if (!school.empty() && ::mkdir(folder.c_str(), 0777) == 0) return;
  context.port.Information("Problem beim Erstellen des Datenverzeichnis:\n" + folder + "\n" +
                           "Ermöglich Sie den Zugriff auf das untergeordnete Verzeichnis!");
}

}  // namespace

GroupTable::GroupTable(TableGrid& grid, const SheetContext& context)
    : grid_(grid),
      programDirectory_(context.paths.programDirectory),
      port_(context.port),
      groups_(grid, kGroupColumn, 1, 0),
      groupsAndKeys_(grid, kGroupColumn, 1, 0),
      blocks_(grid, kGroupColumn, 1, 0),
      keyLinesByKey_(grid, kKeyColumn, 1, 0) {
  for (int row = 1; row < grid.RowCount(); ++row) {
    const std::string_view group = grid.Cell(kGroupColumn, row);
    groups_.Add(group, row);
    PairKey(lookup_, group, grid.Cell(kKeyColumn, row));
    groupsAndKeys_.Add(lookup_, row);
  }
}

bool GroupTable::HasGroup(std::string_view group) const {
  return !groups_.Find(group).empty() || !blocks_.Find(group).empty();
}

std::span<const int> GroupTable::Rows(std::string_view group, std::string_view key) const {
  // A group has either rows of the indexed table or a block: blocks go only to new groups.
  const std::span<const int> block = blocks_.Find(group);
  if (!block.empty()) {
    found_.clear();
    for (const int line : keyLinesByKey_.Find(key)) found_.push_back(block.front() + line);
    return found_;
  }
  PairKey(lookup_, group, key);
  return groupsAndKeys_.Find(lookup_);
}

bool GroupTable::ReadKeyFile() {
  if (keyFile_ != KeyFile::NotRead) return true;
  keyFilePath_ = ResolvePath(programDirectory_, "SSVB0.SSD");
  if (!PathExists(keyFilePath_)) {
    keyFile_ = KeyFile::Missing;
    return true;
  }
  // Read once per loading: every block shows the same lines.
  LineReader reader(keyFilePath_);
  std::string line;
  std::vector<std::string_view> fields;
  std::string bytes;
  std::vector<std::uint32_t> ends;
  while (reader.Next(line)) {
    SplitRecord(line, 2, fields);
    const std::string_view key = fields[0];
    const std::string_view text = fields[1];
    keyLinesByKey_.Add(key, static_cast<int>(keyLineStarts_.size()));
    keyLineStarts_.push_back(bytes.size());
    // key;text;;;key: columns 0 to 4, the separators never read.
    const auto k = static_cast<std::uint32_t>(key.size());
    const auto t = static_cast<std::uint32_t>(text.size());
    bytes.append(key).append(1, ';').append(text).append(";;;").append(key);
    ends.insert(ends.end(), {k, k + 1 + t, k + 2 + t, k + 3 + t, k + 4 + t + k});
  }
  if (reader.Failed()) {
    port_.IoError(keyFilePath_, reader.Error());
    keyLineStarts_.clear();
    return false;
  }
  keyBytes_ = bytes.size();
  keyLines_.reset(new char[bytes.size() + 1]);
  std::copy(bytes.begin(), bytes.end(), keyLines_.get());
  keyEnds_.reset(new std::uint32_t[ends.size() + 1]);
  std::copy(ends.begin(), ends.end(), keyEnds_.get());
  keyFile_ = KeyFile::Read;
  return true;
}

bool GroupTable::AppendGroupBlock(std::string_view group) {
  const int first = grid_.RowCount();
  grid_.SetRowCount(first + kBlockRows);
  if (!ReadKeyFile()) return false;
  if (keyFile_ == KeyFile::Missing) {
    port_.Warning(std::string(kPriorSchoolingSubject) + keyFilePath_ + "\n" +
                  "ist nicht vorhanden!");
    return true;
  }
  const std::size_t lines = keyLineStarts_.size();
  if (lines == 0) return true;  // the rows stay empty and the group unknown
  if (first + static_cast<int>(lines) > grid_.RowCount()) {
    grid_.SetRowCount(first + static_cast<int>(lines));
  }
  // Column 2 stays empty: it gets the group name on the rows that a record fills.
  const int groupCell = grid_.KeepCellText(kGroupColumn, group);
  for (std::size_t i = 0; i < lines; ++i) {
    const std::size_t start = keyLineStarts_[i];
    const std::size_t end = i + 1 < lines ? keyLineStarts_[i + 1] : keyBytes_;
    grid_.SetLineCells(
        0, first + static_cast<int>(i), std::string_view(keyLines_.get() + start, end - start),
        std::span<const std::uint32_t>(keyEnds_.get() + 5 * i, 5), keyLines_, keyEnds_, groupCell);
  }
  blocks_.Add(group, first);
  return true;
}

void LoadGroupTable(TableGrid& grid, const SheetContext& context) {
  const TableOptions& options = context.options;
  if (grid.RowCount() < kMinRows) grid.SetRowCount(kMinRows);
  const int last = grid.RowCount() - 1;
  SetRowHeights(grid, 2, last, options.lowerRowsWithoutData ? kLoweredRowHeight : kFullRowHeight);
  for (int row = 2; row <= last; ++row) {
    if (options.prefillOff || grid.Cell(kKeyColumn, row).empty()) {
      CopyFromColumn0(grid, row, kKeyColumn);
    }
  }
  const std::string allTraineesName = W(kAllTraineesName);
  for (int row = 2; row <= kAllTraineesLastRow; ++row) {
    grid.SetCell(2, row, allTraineesName);
    grid.SetCell(kGroupColumn, row, kAllTraineesGroup);
  }

  const std::string path = ClassDataFile(context, kGroupTable);
  UnplacedRecords unplaced(context.unplacedLines);
  DataFile file(path, kFieldCount);
  // A class folder that cannot be entered is told as a missing one is: the folder, not its file.
  if (file.Exists() && CanEnterDirectory(ClassFolder(context))) {
    GroupTable table(grid, context);
    while (file.Next()) {
      const std::string_view group = file.Field(2);
      const std::string_view key = file.Field(3);
      if (group.empty()) {
        unplaced.CountWithoutKey(file);
        continue;
      }
      if (!table.HasGroup(group) && !table.AppendGroupBlock(group)) return;
      const std::span<const int> rows = table.Rows(group, key);
      // A prior-schooling key that the group's block does not list drops the record uncounted,
      // except in the block of all trainees: its rows 2 to 9 hold only part of the key file,
      // and a record that finds none of them is reported.
      if (rows.empty() && group == kAllTraineesGroup) unplaced.CountWithoutKey(file);
      for (int row : rows) {
        PutFields(grid, row, file, 2);
        const bool total = grid.Cell(0, row) == "9" || grid.Cell(kKeyColumn, row) == "9";
        grid.SetRowHeight(row, total ? kTotalRowHeight : kFullRowHeight);
      }
    }
    if (file.ReportFailure(context.port)) return;
  } else {
    MakeClassFolder(context);
    ClearCells(grid, 2, 6, 2, grid.RowCount() - 1);
  }

  for (int row = 2; row <= kAllTraineesLastRow; ++row) {
    if (grid.Cell(kGroupColumn, row).empty()) grid.SetCell(kGroupColumn, row, kAllTraineesGroup);
    if (grid.Cell(2, row).empty() && grid.Cell(kGroupColumn, row) == kAllTraineesGroup) {
      grid.SetCell(2, row, allTraineesName);
    }
    if (grid.Cell(kKeyColumn, row).empty()) CopyFromColumn0(grid, row, kKeyColumn);
  }
  if (ShouldReport(options, unplaced)) {
    context.port.Information(UnplacedMessage(path, unplaced.Count()));
  }
}

}  // namespace tab::klassen
