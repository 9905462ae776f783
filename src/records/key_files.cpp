#include "records/key_files.hpp"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "records/fields.hpp"
#include "records/file_names.hpp"
#include "records/line_reader.hpp"

namespace tab {

namespace {

// A number of a definition entry keeps its low 16 bits: 65537 reads as 1, -1 as 65535.
std::uint16_t LowWord(std::string_view field) {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(ParseNumber(field)));
}

struct TransparentHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// What the lines of one match value leave in a blank target cell. Lines are applied in file
// order while the cell is blank, so the first line whose value is not blank settles the cell;
// until then each line overwrites the one before (a blank value keeps the cell blank).
struct Completion {
  std::string value;
  bool settled = false;
};

using CompletionMap = std::unordered_map<std::string, Completion, TransparentHash, std::equal_to<>>;

void Learn(CompletionMap& map, std::string_view match, std::string_view value) {
  auto it = map.find(match);
  if (it == map.end()) {
    map.emplace(std::string(match), Completion{std::string(value), !IsBlank(value)});
  } else if (!it->second.settled) {
    it->second.value.assign(value);
    it->second.settled = !IsBlank(value);
  }
}

void Apply(TableGrid& grid, int matchColumn, int targetColumn, const CompletionMap& map) {
  if (map.empty()) return;
  for (int row = 2; row < grid.RowCount(); ++row) {
    if (!IsBlank(grid.Cell(targetColumn, row))) continue;
    auto it = map.find(std::string_view(grid.Cell(matchColumn, row)));
    if (it != map.end()) grid.SetCell(targetColumn, row, it->second.value);
  }
}

constexpr int kTextField = 1;

// Shared by both completion commands. matchField/valueField pick code (0) or text (1) of a line.
void Complete(TableGrid& grid, int matchColumn, int targetColumn, int matchField, int valueField,
              const std::string& programDir, std::string_view fileName, MessagePort& port) {
  if (matchColumn == targetColumn) return;
  const std::string path = ResolvePath(programDir, fileName);
  if (!PathExists(path)) {
    port.Information("Schlüssel-Datei:\n" + path + "\n" + "fehlt!");
    return;
  }
  LineReader reader(path);
  CompletionMap map;
  std::string line;
  std::vector<std::string_view> fields;
  while (!reader.Failed() && reader.Next(line)) {
    SplitRecord(line, 2, fields);
    // A line without a text matches no row: it would otherwise give its code to every row
    // without a text.
    const std::string_view match = fields[static_cast<std::size_t>(matchField)];
    if (matchField == kTextField && IsBlank(match)) continue;
    Learn(map, match, fields[static_cast<std::size_t>(valueField)]);
  }
  // The lines read before a read error have done their work already when the file is applied
  // line by line; the same holds here.
  Apply(grid, matchColumn, targetColumn, map);
  if (reader.Failed()) port.IoError(path, reader.Error());
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
    grid.SetCell(0, row, fields[0]);
    grid.SetCell(1, row, fields[1]);
    if (copyCode) grid.SetCell(2, row, fields[0]);
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
                   std::string_view fileName, MessagePort& port) {
  Complete(grid, codeColumn, textColumn, 0, kTextField, programDir, fileName, port);
}

void CompleteKeys(TableGrid& grid, int textColumn, int codeColumn, const std::string& programDir,
                  std::string_view fileName, MessagePort& port) {
  Complete(grid, textColumn, codeColumn, kTextField, 0, programDir, fileName, port);
}

}  // namespace tab
