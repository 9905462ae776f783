#pragma once
// Text encodings. Cells, key files and table definition files hold Windows-1252 bytes; data files
// hold the OEM (DOS) code page and are converted right after reading. Unicode (UTF-8) appears only
// at the edge: messages, the view, the export tool.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tab {

// Converts a line from the data files' OEM code page to Windows-1252 in place, the way Windows'
// OEM-to-ANSI conversion does it (characters without an equivalent get their best-fit character).
void OemToWin1252InPlace(std::string& line);
void OemToWin1252InPlace(char* text, std::size_t size);
char OemToWin1252(unsigned char oem);
// The same as a table, for loops that convert byte by byte without a call.
extern const std::array<char, 256> kOemToWin1252Bytes;

std::string Win1252ToUtf8(std::string_view text);

// The two code pages of the files the program reads: CP850 (the German DOS page) for the data
// files, Windows-1252 for everything else.
enum class CodePage { kCp850, kWindows1252 };
// The byte of a character in a code page, or nothing where the page does not hold it. For CP850
// it is the exact inverse of OemToWin1252 for every character the two pages share. Written files
// (the test fixtures, the demo and large data bases) are encoded with it.
std::optional<char> EncodeChar(char32_t codePoint, CodePage page);
// Characters that Windows-1252 cannot hold become '?'. Invalid UTF-8 bytes become '?' as well.
std::string Utf8ToWin1252(std::string_view text);

// Decodes the UTF-8 character at `pos` and moves `pos` past it. An invalid or incomplete sequence
// yields kInvalidCodePoint and moves `pos` past its longest valid beginning (at least one byte).
inline constexpr char32_t kInvalidCodePoint = 0xFFFFFFFF;
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);
// Appends the UTF-8 form of a code point (at most U+10FFFF, no surrogates).
void AppendUtf8(std::string& out, char32_t codePoint);

// Text that may have come from a file name as it stands on the disk: bytes that are no UTF-8
// become U+FFFD, so that every report stays valid UTF-8.
std::string ValidUtf8(std::string_view text);
// A JSON string of UTF-8 text, quotes included: quote and backslash escaped, line feed, carriage
// return and tab as \n, \r and \t, other control characters as \u00XX, bytes that are no UTF-8
// as U+FFFD.
std::string JsonString(std::string_view text);

// German literals of the sources (UTF-8) as cell or file content.
inline std::string W(std::string_view utf8) {
  return Utf8ToWin1252(utf8);
}

}  // namespace tab
