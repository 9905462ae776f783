#pragma once
// The field syntax shared by data files, key files and table definition files.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tab {

// Takes the next field off `rest`: it ends before a semicolon, TAB or CR, at the end of the text,
// or right after a double quote that is not the first character (the character after such a
// quote is dropped like a separator). The field and the character that ended it leave `rest`.
std::string_view NextField(std::string_view& rest);

// Cuts a line into exactly n fields (index 0 is field 1); fields missing from the line are empty,
// surplus fields are ignored. The views point into `line`.
void SplitRecord(std::string_view line, int n, std::vector<std::string_view>& fields);
std::vector<std::string> SplitRecord(std::string_view line, int n);

// The same cut as SplitRecord, given as where each of the n fields ends. Every field is followed
// by exactly one character that belongs to no field (its separator, or the one after a closing
// quote), so field k begins one past the end of field k - 1 (field 0 at 0); fields the line does
// not have are empty and lie past its end. `ends` has room for n numbers. Ends are 32-bit, as
// a grid row holds at most 4 GiB: only the first 4 GiB of a line (less n bytes) are cut.
void SplitEnds(std::string_view line, int n, std::uint32_t* ends);
// Converts a data line from the OEM code page in place (as OemToWin1252InPlace) and splits it as
// SplitEnds does, in one pass over its bytes.
void ConvertAndSplitEnds(std::span<char> line, int n, std::uint32_t* ends);

// A data line found at the start of a buffer by a DataLineScan.
struct ScannedLine {
  std::size_t length = 0;    // the line without its end
  std::size_t consumed = 0;  // with its end (LF or CR LF)
};
// A DataLineScan(bytes, size, n, ends, line) looks for a plain data line at the start of the
// `size` bytes: one that ends with LF or CR LF among them and has no other CR and no double
// quote. It converts the line from the OEM code page in place, cuts it into n fields as
// SplitEnds would and returns true, in one pass. Any other line is left as it is and gives false
// (the caller reads it the general way). `ends` has room for n + kSplitSlack numbers: those past
// the n-th may be written over.
inline constexpr std::size_t kSplitSlack = 16;
using DataLineScan = bool (*)(char* bytes, std::size_t size, int n, std::uint32_t* ends,
                              ScannedLine& line);
// The scan for this processor (and the way UseScanWay chose) as it is now: for readers that
// choose once and call it line after line.
DataLineScan DataLineScanner();

// Splitting has two ways: AVX-512 (with VBMI2) looks at 64 bytes at once where the processor has
// it; the portable way looks at 16 at once with SSE2 (every x86-64 processor has it), else at
// one byte after the other. Tests and benchmarks choose each way the processor offers to compare
// them (UseScanWay returns false for one it does not offer) and go back to the best.
enum class ScanWay { kPortable, kAvx512 };
bool UseScanWay(ScanWay way);
void UseBestScanWay();

// Field k of a line cut by SplitEnds.
inline std::string_view FieldOfEnds(std::string_view line, std::span<const std::uint32_t> ends,
                                    std::size_t k) {
  const std::size_t begin = k == 0 ? 0 : ends[k - 1] + 1;
  if (begin >= line.size()) return {};
  return line.substr(begin, ends[k] - begin);
}

// 32-bit signed number in decimal or hexadecimal ($, x, X, 0x, 0X); leading spaces and a sign are
// allowed; anything else, a trailing space included, and overflow give 0.
std::int32_t ParseNumber(std::string_view text);

// Empty or exactly one space.
inline bool IsBlank(std::string_view text) {
  return text.empty() || text == " ";
}

// "ES" and the capture-column number with at least three digits: 1 -> "ES001", 100 -> "ES100".
std::string ColumnId(int k);

}  // namespace tab
