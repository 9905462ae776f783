#include "records/key_files.hpp"

#include <array>
#include <string>
#include <vector>

#include "records/fields.hpp"
#include "records/file_names.hpp"
#include "records/line_reader.hpp"
#include "records/text_index.hpp"

namespace tab {

namespace {

// A number of a definition entry keeps its low 16 bits: 65537 reads as 1, -1 as 65535.
std::uint16_t LowWord(std::string_view field) {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(ParseNumber(field)));
}

// What the lines of one match value leave in a blank target cell. Lines are applied in file
// order while the cell is blank, so the first line whose value is not blank settles the cell;
// until then each line overwrites the one before (a blank value keeps the cell blank). The
// values lie one after the other in one buffer.
struct Completion {
  std::size_t begin = 0;
  std::size_t size = 0;
  bool settled = false;
};

class CompletionMap {
 public:
  bool Empty() const { return matches_.Size() == 0; }
  void Learn(std::string_view match, std::string_view value) {
    const std::size_t number = matches_.Add(match);
    if (number == values_.size()) {
      values_.emplace_back();
    } else if (values_[number].settled) {
      return;
    }
    Completion& completion = values_[number];
    completion = {bytes_.size(), value.size(), !IsBlank(value)};
    bytes_.append(value);
  }
  std::size_t Size() const { return values_.size(); }
  // The number of a match, or TextIndex::kNone when no line has the match.
  std::size_t Find(std::string_view match, const TextIndex::Probe& probe) const {
    return matches_.Find(match, probe);
  }
  TAB_PREFETCH_INLINE void Prefetch(const TextIndex::Probe& probe) const {
    matches_.Prefetch(probe);
  }
  std::string_view Value(std::size_t number) const {
    const Completion& completion = values_[number];
    return {bytes_.data() + completion.begin, completion.size};
  }

 private:
  TextIndex matches_;
  std::vector<Completion> values_;  // by the number of the match
  std::string bytes_;
};

void Apply(TableGrid& grid, int matchColumn, int targetColumn, const CompletionMap& map) {
  if (map.Empty()) return;
  // Each value goes into the grid once, as a kept text that every row it completes shows; a row
  // that cannot show it (texts of its own, a kept text already) gets it written. An empty value
  // is written as well: it adds no cell to a row.
  constexpr int kNotKept = -1;
  std::vector<int> kept(map.Size(), kNotKept);
  // The cells of rows a few ahead are asked for early: a large table's texts lie beyond the
  // caches, and their bytes are on the way while this row is looked up. Nearer rows, whose cells
  // are in the cache by then, are looked at: a row with a blank target has its match probed and
  // the match's slot asked for. What was found waits in a ring until the row comes; writes go to
  // the target cell of the row at hand only, so nothing taken early changes on the way.
  constexpr int kAhead = 8;
  constexpr int kMatchAhead = 4;
  struct Ahead {
    bool blank;  // the target cell
    std::string_view match;
    TextIndex::Probe probe;
  };
  std::array<Ahead, kMatchAhead> ring{};
  const auto lookAhead = [&](int row) {
    Ahead& ahead = ring[static_cast<std::size_t>(row % kMatchAhead)];
    ahead.blank = IsBlank(grid.Cell(targetColumn, row));
    if (!ahead.blank) return;
    ahead.match = grid.Cell(matchColumn, row);
    ahead.probe = TextIndex::ProbeOf(ahead.match);
    map.Prefetch(ahead.probe);
  };
  for (int row = 2; row < 2 + kMatchAhead; ++row) lookAhead(row);
  for (int row = 2; row < grid.RowCount(); ++row) {
    grid.PrefetchRow(row + kAhead);
    const Ahead ahead = ring[static_cast<std::size_t>(row % kMatchAhead)];
    lookAhead(row + kMatchAhead);
    if (!ahead.blank) continue;
    const std::size_t number = map.Find(ahead.match, ahead.probe);
    if (number == TextIndex::kNone) continue;
    const std::string_view value = map.Value(number);
    int& id = kept[number];
    if (id == kNotKept) id = value.empty() ? 0 : grid.KeepCellText(targetColumn, value);
    if (id == 0 || !grid.ShowKeptCell(row, id)) grid.SetCell(targetColumn, row, value);
  }
}

constexpr int kTextField = 1;

// Shared by both completion commands. matchField/valueField pick code (0) or text (1) of a line.
// The files' lines are learnt one after the other and the grid is gone through once: a blank
// cell that one file leaves blank is open to the next one, as when each file is applied in turn.
// Before a message the lines learnt so far are applied, so that the grid stands as it would.
void Complete(TableGrid& grid, int matchColumn, int targetColumn, int matchField, int valueField,
              const std::string& programDir, std::span<const std::string_view> fileNames,
              MessagePort& port) {
  if (matchColumn == targetColumn) return;
  CompletionMap map;
  const auto applyLearnt = [&] {
    Apply(grid, matchColumn, targetColumn, map);
    map = CompletionMap();
  };
  std::string line;
  std::vector<std::string_view> fields;
  for (const std::string_view fileName : fileNames) {
    const std::string path = ResolvePath(programDir, fileName);
    if (!PathExists(path)) {
      applyLearnt();
      port.Information("Schlüssel-Datei:\n" + path + "\n" + "fehlt!");
      continue;
    }
    LineReader reader(path);
    while (!reader.Failed() && reader.Next(line)) {
      SplitRecord(line, 2, fields);
      // A line without a text matches no row: it would otherwise give its code to every row
      // without a text.
      const std::string_view match = fields[static_cast<std::size_t>(matchField)];
      if (matchField == kTextField && IsBlank(match)) continue;
      map.Learn(match, fields[static_cast<std::size_t>(valueField)]);
    }
    // The lines read before a read error have done their work already when the file is
    // applied line by line; the same holds here.
    if (reader.Failed()) {
      applyLearnt();
      port.IoError(path, reader.Error());
    }
  }
  applyLearnt();
}

}  // namespace

teintrag ParseEntry(std::string_view line) {
  std::string_view rest = line;
  teintrag entry;
  entry.first = LowWord(NextField(rest));
  entry.second = LowWord(NextField(rest));
  entry.text = std::string(NextField(rest));
  return entry;
}

std::string FormatEntry(const teintrag& entry) {
  std::string line = std::to_string(entry.first);
  line += ';';
  line += std::to_string(entry.second);
  line += ';';
  line += entry.text;
  return line;
}

bool LoadKeyRows(TableGrid& grid, const std::string& programDir, std::string_view fileName,
                 std::string_view subject, bool copyCode, MessagePort& port) {
  const std::string path = ResolvePath(programDir, fileName);
  if (!PathExists(path)) {
    port.Warning(std::string(subject) + path + "\n" + "ist nicht vorhanden!");
    return false;
  }
  LineReader reader(path);
  std::string line;
  std::vector<std::string_view> fields;
  int row = 2;
  while (!reader.Failed() && reader.Next(line)) {
    // The grid grows before the row is written so that no cell of a key row is lost.
    if (row + 1 > grid.RowCount()) grid.SetRowCount(row + 1);
    SplitRecord(line, 2, fields);
    const std::array<std::string_view, 3> cells = {fields[0], fields[1], fields[0]};
    grid.SetCells(0, row, std::span(cells).first(copyCode ? 3 : 2));
    grid.SetKeyOrigin(row, static_cast<std::uint32_t>(row - 1), path);
    ++row;
  }
  if (reader.Failed()) {
    port.IoError(path, reader.Error());
    return false;
  }
  return true;
}

void CompleteTexts(TableGrid& grid, int codeColumn, int textColumn, const std::string& programDir,
                   std::span<const std::string_view> fileNames, MessagePort& port) {
  Complete(grid, codeColumn, textColumn, 0, kTextField, programDir, fileNames, port);
}

void CompleteKeys(TableGrid& grid, int textColumn, int codeColumn, const std::string& programDir,
                  std::span<const std::string_view> fileNames, MessagePort& port) {
  Complete(grid, textColumn, codeColumn, kTextField, 0, programDir, fileNames, port);
}

}  // namespace tab
