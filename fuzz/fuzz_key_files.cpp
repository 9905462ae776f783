// Key files through LoadKeyRows and the two completion commands. Byte 0 picks the variant: bit 0
// copies the code into column 2, bits 1-2 the grid's rows before loading, bit 3 CompleteKeys
// instead of CompleteTexts, bit 4 a file name spelled in lower case, bits 5-7 all set no key
// file at all. Byte 1 stirs the loaded grid before the completion: match and target column,
// blanked and exchanged cells. The rest of the input is the key file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.hpp"
#include "records/fields.hpp"
#include "records/key_files.hpp"

namespace {

using namespace tab;
using namespace tab::fuzz;

constexpr std::array<int, 4> kRowsBefore = {2, 3, 5, 40};
constexpr int kCols = 3;
constexpr const char* kSubject = "Statistik-Schlüssel-Datei: Prüfung\n";
// The literal completion visits every row for every line; beyond this it would slow the run
// (the loaded grids of larger inputs are checked against their lines all the same).
constexpr std::size_t kLiteralLimit = 5000;

// A small generator, so that one byte gives a whole pattern of changes.
struct Stir {
  std::uint32_t state;
  std::uint32_t Next() {
    state = state * 1103515245u + 12345u;
    return state >> 16;
  }
};

bool SameCells(const TableGrid& a, const TableGrid& b) {
  if (a.ColCount() != b.ColCount() || a.RowCount() != b.RowCount()) return false;
  for (int row = 0; row < a.RowCount(); ++row) {
    for (int col = 0; col < a.ColCount(); ++col) {
      if (!SameBytes(a.Cell(col, row), b.Cell(col, row))) return false;
    }
  }
  return true;
}

void CheckLoadedRows(const TableGrid& grid, const std::vector<std::string>& lines, int rowsBefore,
                     bool copyCode) {
  const int expectedRows = std::max(rowsBefore, static_cast<int>(lines.size()) + 2);
  FUZZ_CHECK(grid.RowCount() == expectedRows && grid.ColCount() == kCols,
             "LoadKeyRows leaves another grid size", std::to_string(grid.RowCount()));
  FUZZ_CHECK(CellText(grid, 0, 0) == "Code" && CellText(grid, 1, 1) == "ES001",
             "LoadKeyRows changes the heading rows");
  std::vector<std::string_view> fields;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int row = static_cast<int>(i) + 2;
    ReferenceSplit(lines[i], 2, fields);
    FUZZ_CHECK(SameBytes(grid.Cell(0, row), fields[0]) && SameBytes(grid.Cell(1, row), fields[1]) &&
                   SameBytes(grid.Cell(2, row), copyCode ? fields[0] : std::string_view()),
               "key row differs from its line", lines[i]);
  }
}

// The completion rule position by position: for every line in file order, every data row whose
// match cell equals the line's match field and whose target cell is blank takes its value;
// codes are never looked up by a blank text. The two columns are taken out of the grid, which
// stays as it is; the result is the target column (texts of the grid and of the lines).
std::vector<std::string_view> LiteralCompletion(const TableGrid& grid, int matchColumn,
                                                int targetColumn, int matchField,
                                                const std::vector<std::string>& lines) {
  std::vector<std::string_view> match;
  std::vector<std::string_view> target;
  for (int row = 0; row < grid.RowCount(); ++row) {
    match.push_back(grid.Cell(matchColumn, row));
    target.push_back(grid.Cell(targetColumn, row));
  }
  if (matchColumn == targetColumn) return target;
  std::vector<std::string_view> fields;
  for (const std::string& line : lines) {
    ReferenceSplit(line, 2, fields);
    const std::string_view key = fields[static_cast<std::size_t>(matchField)];
    // A line without a text gives its code to no row.
    if (matchField == 1 && IsBlank(key)) continue;
    const std::string_view value = fields[static_cast<std::size_t>(1 - matchField)];
    for (std::size_t row = 2; row < match.size(); ++row) {
      if (SameBytes(match[row], key) && IsBlank(target[row])) {
        target[row] = value;
      }
    }
  }
  return target;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const unsigned variant = data[0];
  const bool copyCode = (variant & 1) != 0;
  const int rowsBefore = kRowsBefore[(variant >> 1) & 3];
  const bool keys = (variant & 8) != 0;
  const bool missing = (variant >> 5) == 7;
  const std::string_view file(reinterpret_cast<const char*>(data + 2), size - 2);

  static const std::string dir = MemoryFolder("program");
  Memory().Remove(dir + "SCHLUE.SSD");
  Memory().Remove(dir + "schlue.ssd");
  if (!missing)
    Memory().Put(dir + ((variant & 16) != 0 ? "schlue.ssd" : "SCHLUE.SSD"), std::string(file));

  TableGrid grid(kCols, rowsBefore, 2, 64);
  grid.SetCell(0, 0, "Code");
  grid.SetCell(1, 1, "ES001");
  const TableGrid before = grid;
  RecordingPort port;
  const bool loaded = LoadKeyRows(grid, dir, "SCHLUE.SSD", kSubject, copyCode, port);
  CheckMessages(port);
  const std::vector<std::string> lines =
      missing ? std::vector<std::string>{} : ReferenceLines(file);
  if (missing) {
    FUZZ_CHECK(!loaded && SameCells(grid, before), "a missing key file changes the grid");
    FUZZ_CHECK(port.Messages().size() == 1 && port.Messages()[0].kind == MessageKind::Warning &&
                   port.Messages()[0].text ==
                       std::string(kSubject) + dir + "SCHLUE.SSD\n" + "ist nicht vorhanden!",
               "a missing key file is not reported as such");
  } else {
    FUZZ_CHECK(loaded && port.Messages().empty(), "loading a key file failed");
    CheckLoadedRows(grid, lines, rowsBefore, copyCode);
  }
  const std::size_t longest = std::max<std::size_t>(LongestRun(file), 5);
  CheckGrid(grid, longest, {18});

  // Stir the grid: another code or text here and there, blank target cells, rows that no line
  // knows.
  Stir stir{data[1]};
  const int matchColumn = static_cast<int>(stir.Next() % kCols);
  const int targetColumn = static_cast<int>(stir.Next() % kCols);
  for (int row = 2; row < grid.RowCount(); ++row) {
    const std::uint32_t roll = stir.Next();
    if (roll % 3 == 0) grid.SetCell(targetColumn, row, roll % 2 == 0 ? "" : " ");
    if (roll % 7 == 0 && grid.RowCount() > 2) {
      const auto dataRows = static_cast<std::uint32_t>(grid.RowCount() - 2);
      const int other = 2 + static_cast<int>(stir.Next() % dataRows);
      grid.SetCell(matchColumn, row, CellText(grid, matchColumn, other));
    }
    if (roll % 11 == 0) grid.SetCell(matchColumn, row, "?");
  }
  const TableGrid stirred = grid;
  port.Clear();
  if (keys) {
    CompleteKeys(grid, matchColumn, targetColumn, dir, "SCHLUE.SSD", port);
  } else {
    CompleteTexts(grid, matchColumn, targetColumn, dir, "SCHLUE.SSD", port);
  }
  CheckMessages(port);
  FUZZ_CHECK(grid.RowCount() == stirred.RowCount() && grid.ColCount() == stirred.ColCount(),
             "completion changes the grid size");
  for (int row = 0; row < grid.RowCount(); ++row) {
    for (int col = 0; col < kCols; ++col) {
      if (SameBytes(grid.Cell(col, row), stirred.Cell(col, row))) continue;
      FUZZ_CHECK(row >= 2 && col == targetColumn && IsBlank(stirred.Cell(col, row)),
                 "completion changes a cell that was not a blank target",
                 CellText(stirred, col, row));
    }
  }
  if (missing) {
    const bool sameColumn = matchColumn == targetColumn;
    FUZZ_CHECK(port.Messages().size() == (sameColumn ? 0u : 1u),
               "missing key file: wrong messages");
    if (!sameColumn) {
      FUZZ_CHECK(port.Messages()[0].kind == MessageKind::Information &&
                     port.Messages()[0].text == "Schlüssel-Datei:\n" + dir + "SCHLUE.SSD\nfehlt!",
                 "missing key file: wrong message", port.Messages()[0].text);
    }
    FUZZ_CHECK(SameCells(grid, stirred), "completion without a key file changes the grid");
  } else {
    FUZZ_CHECK(port.Messages().empty(), "completion from a readable key file gave a message");
    if (lines.size() * static_cast<std::size_t>(grid.RowCount()) <= kLiteralLimit) {
      const std::vector<std::string_view> literal =
          LiteralCompletion(stirred, matchColumn, targetColumn, keys ? 1 : 0, lines);
      for (int row = 0; row < grid.RowCount(); ++row) {
        FUZZ_CHECK(SameBytes(grid.Cell(targetColumn, row), literal[static_cast<std::size_t>(row)]),
                   "completion differs from the line-by-line rule",
                   literal[static_cast<std::size_t>(row)]);
      }
    }
  }
  CheckGrid(grid, longest, {18});
  return 0;
}
