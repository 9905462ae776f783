#pragma once
// Key files (code;text lines, Windows-1252) and the teintrag entries of table definition files.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "records/message_port.hpp"
#include "records/table_grid.hpp"

namespace tab {

// One entry of a table definition file: two 16-bit numbers and a text.
struct teintrag {
  std::uint16_t first = 0;   // column (line 1: number of columns)
  std::uint16_t second = 0;  // row (line 1: number of rows)
  std::string text;          // heading text (line 1: the title)

  bool operator==(const teintrag&) const = default;
};

teintrag ParseEntry(std::string_view line);
std::string FormatEntry(const teintrag& entry);

// Fills rows 2.. of the grid from the key file programDir + fileName: code in column 0, text in
// column 1 and, when copyCode is set, the code again in column 2. The grid grows to hold every
// line and never shrinks. A missing file gives the warning that starts with `subject` (UTF-8,
// ending in a line break). Returns false when the file was missing or could not be read.
bool LoadKeyRows(TableGrid& grid, const std::string& programDir, std::string_view fileName,
                 std::string_view subject, bool copyCode, MessagePort& port);

// Fills blank cells (empty or one space) of textColumn in rows 2.. whose codeColumn equals a
// line's code with that line's text; the first line that knows a code decides. A missing file
// gives the "fehlt!" information message.
// Several files act as each of them would in turn: a cell one leaves blank is open to the next.
void CompleteTexts(TableGrid& grid, int codeColumn, int textColumn, const std::string& programDir,
                   std::span<const std::string_view> fileNames, MessagePort& port);
inline void CompleteTexts(TableGrid& grid, int codeColumn, int textColumn,
                          const std::string& programDir, std::string_view fileName,
                          MessagePort& port) {
  CompleteTexts(grid, codeColumn, textColumn, programDir, std::span(&fileName, 1), port);
}
// The same with the roles exchanged: blank code cells get the code of the line whose text equals
// the text cell; a line with a blank text matches no row (not the rows without a text).
void CompleteKeys(TableGrid& grid, int textColumn, int codeColumn, const std::string& programDir,
                  std::span<const std::string_view> fileNames, MessagePort& port);
inline void CompleteKeys(TableGrid& grid, int textColumn, int codeColumn,
                         const std::string& programDir, std::string_view fileName,
                         MessagePort& port) {
  CompleteKeys(grid, textColumn, codeColumn, programDir, std::span(&fileName, 1), port);
}

}  // namespace tab
