#pragma once
// The field syntax shared by data files, key files and table definition files.
#include <cstdint>
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

// 32-bit signed number in decimal or hexadecimal ($, x, X, 0x, 0X); leading spaces and a sign are
// allowed; anything else, a trailing space included, and overflow give 0.
std::int32_t ParseNumber(std::string_view text);

// Empty or exactly one space.
inline bool IsBlank(std::string_view text) { return text.empty() || text == " "; }

// "ES" and the capture-column number with at least three digits: 1 -> "ES001", 100 -> "ES100".
std::string ColumnId(int k);

}  // namespace tab
