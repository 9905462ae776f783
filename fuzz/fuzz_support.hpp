#pragma once
// What the fuzz targets share: files in memory (the records layer's memory files, so that no
// input touches the disk) or, for the settings, one scratch folder per process; plain reference
// versions of the line and field rules; checks that end the run with a message libFuzzer keeps
// next to the input that caused it.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "records/memory_files.hpp"
#include "records/message_port.hpp"
#include "records/table_grid.hpp"

namespace tab::fuzz {

// The process's memory files, in use from the first call on: from then the loaders, set-ups and
// readers see them instead of the disk.
MemoryFiles& Memory();
// A folder of the memory files, "/fuzz/<relative>/" (several levels allowed), made on first use.
std::string MemoryFolder(std::string_view relative);
// A memory file's bytes; the run fails when there is no such file.
std::string MemoryFile(const std::string& path);
// Copies the key files and the teacher list of the demo program directory from the disk into
// the memory folder `dir`.
void CopyDemoProgramFiles(const std::string& dir);

// The settings are written and read by the platform's own calls, not through the memory files:
// their target works in a scratch folder on the disk (in memory where /dev/shm is).
// The process's scratch folder below $TMPDIR (or /tmp), made on first use and removed when the
// process ends normally. Ends with '/'.
const std::string& ScratchDir();
// A folder below the scratch folder (several levels allowed), made on first use. Ends with '/'.
std::string ScratchFolder(std::string_view relative);

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
void RemoveFile(const std::string& path);  // a missing file is fine

// Ends the run: prints what failed (and the detail, escaped) and aborts.
[[noreturn]] void Fail(std::string_view what, std::string_view detail = {});

// The lines of a file as the line rules define them: a line ends at LF, every CR is dropped, a
// 0x1A byte where a line would begin ends the file, and bytes after the last LF form a last line.
std::vector<std::string> ReferenceLines(std::string_view bytes);
// The longest run of bytes between two LFs: no line read from the bytes can be longer.
std::size_t LongestRun(std::string_view bytes);

// One field off `rest`, position by position as the field rules say: it stops before a
// semicolon, TAB or CR, or right after a double quote that is not its first character; the
// character that stopped it leaves `rest` as well.
std::string_view ReferenceNextField(std::string_view& rest);
// n fields from repeated ReferenceNextField calls; the cut stops where the rest is empty or
// begins with a CR, and the fields not reached are empty.
std::vector<std::string_view> ReferenceSplit(std::string_view line, int n);
// The same into `fields`, whose room the loops of the checks reuse from line to line.
void ReferenceSplit(std::string_view line, int n, std::vector<std::string_view>& fields);

// Whether one of the bytes occurs in the text: a short text in one pass, since the sanitizer's
// memchr checks its range on every call, which costs more than the look at a field of a few
// bytes. The checks use it instead of find_first_of, whose instantiation in the library may be
// one built with comparison feedback.
bool ContainsAny(std::string_view text, std::string_view bytes);
// Whether two texts hold the same bytes. The checks compare every field and cell with it rather
// than with ==, whose memcmp goes through the sanitizer and hands both texts to libFuzzer as
// comparison feedback: texts the checks compare are not words the fuzzer has to find.
bool SameBytes(std::string_view a, std::string_view b);

// Whether the text is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsUtf8(std::string_view text);
// Every recorded message has a known kind and a non-empty UTF-8 text whose line breaks are LFs.
void CheckMessages(const RecordingPort& port);

// Counts at least 1 and within the 16-bit sizes of definition files; every row height one of
// `heights`; no cell longer than `maxCell` and none with a line break. Returns how many cells
// hold a text.
std::size_t CheckGrid(const TableGrid& grid, std::size_t maxCell,
                      std::initializer_list<int> heights, int maxRows = 65535);

// Cell text as a string, whatever the grid hands out.
inline std::string CellText(const TableGrid& grid, int col, int row) {
  return std::string(grid.Cell(col, row));
}

}  // namespace tab::fuzz

// Fails the run unless the condition holds. The detail (what to print with it) is built only on
// failure: checks run for every byte of every input.
#define FUZZ_CHECK(condition, what, ...)                                  \
  do {                                                                    \
    if (!(condition)) ::tab::fuzz::Fail(what __VA_OPT__(, ) __VA_ARGS__); \
  } while (false)
