// Table definition files through SetUpTable, and their entries through ParseEntry and
// FormatEntry. Byte 0 picks the variant: bits 0-1 the layout's minimum row count, bit 2 a file
// name spelled in lower case, bit 3 the written file instead of a read one. Read: the rest of
// the input is the definition file; the grid must take line 1's size and every later entry's
// text. Written: the rest gives the design size, the title and built-in headings; the file
// written for them, read back by a second set-up, must give the same grid.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_support.hpp"
#include "records/fields.hpp"
#include "records/key_files.hpp"
#include "records/table_setup.hpp"
#include "records/text.hpp"

namespace {

using namespace tab;
using namespace tab::fuzz;

constexpr std::array<int, 4> kMinRows = {0, 1, 12, 300};
constexpr int kDesignCols = 6;
constexpr int kDesignRows = 4;

constexpr std::array<ColumnWidth, 2> kWidths = {{{0, 40}, {70000, 5}}};
constexpr std::array<HeadingCell, 3> kHeadings = {
    {{0, 0, "Satzart"}, {1, 0, "Größe"}, {0, 1, "Nr."}}};

// Whether the line is an entry as FormatEntry writes it: two decimal numbers without leading
// zeros below 65536 and a text that the field rules take as it is.
bool IsCanonicalEntry(std::string_view line) {
  std::string_view rest = line;
  for (int k = 0; k < 2; ++k) {
    const std::size_t end = rest.find(';');
    if (end == std::string_view::npos || end == 0 || end > 5) return false;
    const std::string_view number = rest.substr(0, end);
    if (number.find_first_not_of("0123456789") != std::string_view::npos) return false;
    if (number.size() > 1 && number[0] == '0') return false;
    if (std::stoul(std::string(number)) > 65535) return false;
    rest.remove_prefix(end + 1);
  }
  if (ContainsAny(rest, ";\t\r")) return false;
  const std::size_t quote = rest.find('"', 1);
  return quote == std::string_view::npos || quote + 1 == rest.size();
}

void CheckEntry(std::string_view line) {
  const teintrag entry = ParseEntry(line);
  const std::string formatted = FormatEntry(entry);
  FUZZ_CHECK(ParseEntry(formatted) == entry, "an entry does not come back from FormatEntry",
             formatted);
  FUZZ_CHECK(IsCanonicalEntry(formatted), "FormatEntry writes a line that is not canonical",
             formatted);
  if (IsCanonicalEntry(line)) {
    FUZZ_CHECK(formatted == line, "a canonical entry is not written back as it was", line);
  }
  std::string_view rest = line;
  const std::string_view first = ReferenceNextField(rest);
  const std::string_view second = ReferenceNextField(rest);
  FUZZ_CHECK(entry.first == static_cast<std::uint16_t>(ParseNumber(first)) &&
                 entry.second == static_cast<std::uint16_t>(ParseNumber(second)) &&
                 entry.text == ReferenceNextField(rest),
             "ParseEntry differs from the field rules", line);
}

// The largest grid a read input may declare: far enough for cells that stand far apart in a
// row, small enough that every input runs in well under a millisecond. Set-ups of grids up to
// 65535 x 65535 have their own test under a memory limit.
constexpr int kMaxReadCols = 1024;
constexpr int kMaxReadRows = 512;

// False for an input that declares a grid beyond the bounds above: the fuzzer drops it.
bool ReadVariant(std::string_view file, int minRows, const std::string& dir,
                 const std::string& name) {
  const std::vector<std::string> lines = ReferenceLines(file);
  if (!lines.empty()) {
    const teintrag size = ParseEntry(lines[0]);
    if (size.first > kMaxReadCols || size.second > kMaxReadRows) return false;
  }
  Memory().Put(dir + name, std::string(file));
  TableGrid grid(kDesignCols, kDesignRows, 1, 64);
  grid.SetCell(3, 3, "alt");  // the set-up empties every cell first
  RecordingPort port;
  const TableLayout layout{"BOG9TAB9.TBD", "Fuzz-Tabelle", kWidths, kHeadings, minRows};
  FUZZ_CHECK(SetUpTable(grid, dir, layout, port), "reading a definition file failed");
  CheckMessages(port);
  FUZZ_CHECK(port.Messages().empty(), "reading a definition file gave a message");

  int cols = kDesignCols;
  int rows = kDesignRows;
  std::map<std::pair<int, int>, std::string> cells;
  if (!lines.empty()) {
    const teintrag size = ParseEntry(lines[0]);
    cols = std::max(1, int{size.first});
    rows = std::max({1, int{size.second}, minRows});
    for (std::size_t i = 1; i < lines.size(); ++i) {
      if (lines[i].empty()) continue;
      const teintrag entry = ParseEntry(lines[i]);
      if (entry.first < cols && entry.second < rows) {
        cells[{entry.first, entry.second}] = entry.text;
      }
    }
  }
  for (const std::string& line : lines) CheckEntry(line);
  FUZZ_CHECK(grid.ColCount() == cols && grid.RowCount() == rows, "grid size differs from line 1",
             std::to_string(grid.ColCount()) + "x" + std::to_string(grid.RowCount()));
  FUZZ_CHECK(grid.ColWidth(0) == 40, "column width of the layout not set");
  std::size_t longest = 0;
  for (const auto& [at, text] : cells) {
    FUZZ_CHECK(CellText(grid, at.first, at.second) == text, "cell differs from its last entry",
               text);
    longest = std::max(longest, text.size());
  }
  // No cell without an entry holds a text.
  std::size_t expected = 0;
  for (const auto& entry : cells) expected += entry.second.empty() ? 0 : 1;
  FUZZ_CHECK(CheckGrid(grid, longest, {18}, 65535) == expected, "cells filled without an entry");
  return true;
}

// Heading texts as the sources hold them: C strings of UTF-8 without separators and quotes.
std::string HeadingText(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    if (c != '\0' && c != ';' && c != '\t' && c != '\r' && c != '\n' && c != '"') text += c;
  }
  return text;
}

void WriteVariant(std::string_view input, int minRows, const std::string& dir) {
  if (input.size() < 2) return;
  const int cols = 1 + static_cast<unsigned char>(input[0]) % 30;
  const int rows = 1 + static_cast<unsigned char>(input[1]) % 50;
  input.remove_prefix(2);
  // Line 1 is the title; every further line is a heading: its first two bytes give column and
  // row (some beyond the grid), the rest its text.
  std::vector<std::string> texts;
  std::vector<HeadingCell> headings;
  std::size_t start = 0;
  std::string title;
  for (bool first = true; start <= input.size(); first = false) {
    std::size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    std::string_view line = input.substr(start, end - start);
    start = end + 1;
    if (first) {
      title = HeadingText(line);
      continue;
    }
    if (line.size() < 2) continue;
    headings.push_back({static_cast<unsigned char>(line[0]) % 34,
                        static_cast<unsigned char>(line[1]) % 54, nullptr});
    texts.push_back(HeadingText(line.substr(2)));
  }
  for (std::size_t i = 0; i < headings.size(); ++i) headings[i].text = texts[i].c_str();

  const TableLayout layout{"BOG9TAB9.TBD", title.c_str(), kWidths, headings, minRows};
  TableGrid written(cols, rows, 1, 64);
  RecordingPort port;
  FUZZ_CHECK(SetUpTable(written, dir, layout, port), "writing a definition file failed");
  FUZZ_CHECK(port.Messages().empty(), "writing a definition file gave a message");

  std::string expectedFile = std::to_string(cols) + ";" + std::to_string(rows) + ";" + W(title);
  expectedFile += "\r\n";
  std::map<std::pair<int, int>, std::string> cells;  // the last heading of a cell decides
  for (const HeadingCell& heading : headings) {
    expectedFile += std::to_string(heading.col) + ";" + std::to_string(heading.row) + ";" +
                    W(heading.text) + "\r\n";
    if (heading.col < cols && heading.row < rows) {
      cells[{heading.col, heading.row}] = W(heading.text);
    }
  }
  FUZZ_CHECK(MemoryFile(dir + "BOG9TAB9.TBD") == expectedFile, "written definition file differs",
             MemoryFile(dir + "BOG9TAB9.TBD"));
  FUZZ_CHECK(written.ColCount() == cols && written.RowCount() == rows,
             "writing a definition file changes the design size");

  TableGrid read(cols, rows, 1, 64);
  FUZZ_CHECK(SetUpTable(read, dir, layout, port), "reading a written definition file failed");
  CheckMessages(port);
  FUZZ_CHECK(port.Messages().empty(), "reading a written definition file gave a message");
  FUZZ_CHECK(read.ColCount() == cols && read.RowCount() == std::max(rows, minRows),
             "a written definition file is read back with another size");
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < cols; ++col) {
      const auto heading = cells.find({col, row});
      FUZZ_CHECK(CellText(written, col, row) == (heading == cells.end() ? "" : heading->second),
                 "the set-up lays down other headings than it writes", CellText(written, col, row));
      FUZZ_CHECK(read.Cell(col, row) == written.Cell(col, row),
                 "a written definition file is read back with other headings",
                 CellText(read, col, row) + " / " + CellText(written, col, row));
    }
  }
  CheckGrid(read, LongestRun(expectedFile), {18});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const unsigned variant = data[0];
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  static const std::string dir = MemoryFolder("program");
  const int minRows = kMinRows[variant & 3];
  const std::string name = (variant & 4) != 0 ? "bog9tab9.tbd" : "BOG9TAB9.TBD";
  Memory().Remove(dir + "bog9tab9.tbd");
  Memory().Remove(dir + "BOG9TAB9.TBD");
  if ((variant & 8) != 0) {
    WriteVariant(input, minRows, dir);
  } else if (!ReadVariant(input, minRows, dir, name)) {
    return -1;
  }
  return 0;
}
