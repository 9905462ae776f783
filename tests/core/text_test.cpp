#include "records/text.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/fixture.hpp"

namespace tab {
namespace {

// What each CP850 byte 0x80-0xFF shows after the conversion to Windows-1252, as a Unicode code
// point: the character of the CP850 byte where Windows-1252 has it, otherwise the best-fit
// character (box drawing and blocks become a broken bar, '+' or '-').
constexpr std::array<char32_t, 128> kExpectedShown = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x00A6, 0x00A6, 0x00A6, 0x00A6, 0x00A6, 0x00C1, 0x00C2, 0x00C0,  // B0 shades, |, -|
    0x00A9, 0x00A6, 0x00A6, 0x002B, 0x002B, 0x00A2, 0x00A5, 0x002B,  // B8
    0x002B, 0x002D, 0x002D, 0x002B, 0x002D, 0x002B, 0x00E3, 0x00C3,  // C0
    0x002B, 0x002B, 0x002D, 0x002D, 0x00A6, 0x002D, 0x002B, 0x00A4,  // C8
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0069, 0x00CD, 0x00CE,  // D0 dotless i -> i
    0x00CF, 0x002B, 0x002B, 0x00A6, 0x005F, 0x00A6, 0x00CC, 0x00AF,  // D8 blocks
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,  // E0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,  // E8
    0x00AD, 0x00B1, 0x003D, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,  // F0 double low line -> =
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x00A6, 0x00A0,  // F8
};

std::u32string CodePoints(std::string_view utf8) {
  std::u32string out;
  std::size_t pos = 0;
  while (pos < utf8.size()) out += DecodeUtf8(utf8, pos);
  return out;
}

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(OemToWin1252, EveryUpperByteShowsItsCharacter) {
  for (int b = 0x80; b <= 0xFF; ++b) {
    SCOPED_TRACE("CP850 byte " + std::to_string(b));
    const std::string shown =
        Win1252ToUtf8(std::string(1, OemToWin1252(static_cast<unsigned char>(b))));
    EXPECT_EQ(CodePoints(shown),
              std::u32string(1, kExpectedShown[static_cast<std::size_t>(b - 0x80)]));
  }
}

TEST(OemToWin1252, LowerHalfIsUnchangedAndInPlaceMatchesBytewise) {
  std::string line = AllBytes();
  OemToWin1252InPlace(line);
  ASSERT_EQ(line.size(), 256u);
  for (int b = 0; b < 256; ++b) {
    const char expected =
        b < 0x80 ? static_cast<char>(b) : OemToWin1252(static_cast<unsigned char>(b));
    EXPECT_EQ(line[static_cast<std::size_t>(b)], expected) << "byte " << b;
  }
}

TEST(OemToWin1252, GermanUmlautsFromADataFile) {
  test::TempDir dir;
  const std::string path = dir.Make("umlaute.csv");
  test::WriteOemLines(path, {"äöüßÄÖÜ;Größe"});
  std::string bytes = test::ReadBytes(path);
  EXPECT_EQ(bytes,
            "\x84\x94\x81\xE1\x8E\x99\x9A;Gr\x94\xE1"
            "e\r\n");
  OemToWin1252InPlace(bytes);
  EXPECT_EQ(bytes, W("äöüßÄÖÜ;Größe") + "\r\n");
  EXPECT_EQ(bytes,
            "\xE4\xF6\xFC\xDF\xC4\xD6\xDC;Gr\xF6\xDF"
            "e\r\n");
}

// Writing is the other way: a character the reading shows is written as a byte that reads as
// that character again, and the 97 bytes whose character Windows-1252 holds come back as
// themselves. The best-fit ones do not: '+' is written as '+', not as a box corner.
TEST(EncodeChar, Cp850WritesWhatReadingShows) {
  int sameByte = 0;
  for (int b = 0x80; b <= 0xFF; ++b) {
    SCOPED_TRACE("CP850 byte " + std::to_string(b));
    const std::optional<char> written =
        EncodeChar(kExpectedShown[static_cast<std::size_t>(b - 0x80)], CodePage::kCp850);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(OemToWin1252(static_cast<unsigned char>(*written)),
              OemToWin1252(static_cast<unsigned char>(b)));
    sameByte += static_cast<unsigned char>(*written) == b;
  }
  EXPECT_EQ(sameByte, 97);
}

TEST(EncodeChar, CharactersOfOneCodePageOnly) {
  struct Case {
    char32_t codePoint;
    CodePage page;
    std::optional<char> byte;
  };
  const Case cases[] = {
      {U'a', CodePage::kCp850, 'a'},
      {U'ä', CodePage::kCp850, '\x84'},
      {U'ß', CodePage::kCp850, '\xE1'},
      {U'░', CodePage::kCp850, '\xB0'},
      {U'\u00A0', CodePage::kCp850, '\xFF'},
      {U'€', CodePage::kCp850, std::nullopt},
      {U'Ł', CodePage::kCp850, std::nullopt},
      {U'ä', CodePage::kWindows1252, '\xE4'},
      {U'€', CodePage::kWindows1252, '\x80'},
      {U'░', CodePage::kWindows1252, std::nullopt},
      {U'\U0001F600', CodePage::kCp850, std::nullopt},
      {kInvalidCodePoint, CodePage::kCp850, std::nullopt},
      {kInvalidCodePoint, CodePage::kWindows1252, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeChar(c.codePoint, c.page), c.byte)
        << "U+" << std::hex << static_cast<std::uint32_t>(c.codePoint);
  }
}

struct Win1252Case {
  std::string win1252;
  std::string utf8;
};

class Win1252ToUtf8Test : public testing::TestWithParam<Win1252Case> {};

TEST_P(Win1252ToUtf8Test, ConvertsBothWays) {
  EXPECT_EQ(Win1252ToUtf8(GetParam().win1252), GetParam().utf8);
  EXPECT_EQ(Utf8ToWin1252(GetParam().utf8), GetParam().win1252);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Win1252ToUtf8Test,
    testing::Values(Win1252Case{"", ""}, Win1252Case{"abc;1", "abc;1"}, Win1252Case{"\x80", "€"},
                    Win1252Case{"\x83", "ƒ"}, Win1252Case{"\x8A\x9A\x9F", "ŠšŸ"},
                    Win1252Case{"\x96\x97", "–—"},
                    Win1252Case{"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
                    Win1252Case{"\xA0\xA6\xFF", "\u00A0¦ÿ"},
                    Win1252Case{"Stra\xDF"
                                "e M\xFC"
                                "ller",
                                "Straße Müller"}));

TEST(Win1252ToUtf8, EveryByteSurvivesARoundTrip) {
  const std::string bytes = AllBytes();
  const std::string utf8 = Win1252ToUtf8(bytes);
  EXPECT_EQ(CodePoints(utf8).size(), 256u);
  EXPECT_EQ(Utf8ToWin1252(utf8), bytes);
}

struct Utf8InCase {
  const char* name;
  std::string utf8;
  std::string win1252;
};

class Utf8ToWin1252Test : public testing::TestWithParam<Utf8InCase> {};

TEST_P(Utf8ToWin1252Test, Converts) {
  EXPECT_EQ(Utf8ToWin1252(GetParam().utf8), GetParam().win1252);
}

INSTANTIATE_TEST_SUITE_P(Unmappable, Utf8ToWin1252Test,
                         testing::Values(Utf8InCase{"OutsideWin1252", "Łódź",
                                                    "?\xF3"
                                                    "d?"},
                                         Utf8InCase{"C1ControlWithoutByte", "\u0080\u0085", "??"},
                                         Utf8InCase{"FourByteCharacter", "a\U0001F600b", "a?b"},
                                         Utf8InCase{"BoxDrawing", "│─", "??"},
                                         Utf8InCase{"StrayContinuation",
                                                    "a\x80"
                                                    "b",
                                                    "a?b"},
                                         Utf8InCase{"InvalidLead", "\xFF\xFE", "??"},
                                         Utf8InCase{"TruncatedAtEnd", "ab\xC3", "ab?"},
                                         Utf8InCase{"TruncatedThreeBytes",
                                                    "\xE2\x82"
                                                    "a",
                                                    "?a"},
                                         Utf8InCase{"Overlong", "\xC0\xAF", "??"},
                                         Utf8InCase{"OverlongThreeBytes", "\xE0\x80\xAF", "???"},
                                         Utf8InCase{"Surrogate", "\xED\xA0\x80", "???"},
                                         Utf8InCase{"BeyondUnicode", "\xF4\x90\x80\x80", "????"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(Utf8, EncodeAndDecodeAgreeAtEveryLengthBoundary) {
  for (char32_t cp :
       {0x00u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xD7FFu, 0xE000u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
    std::string utf8;
    AppendUtf8(utf8, cp);
    std::size_t pos = 0;
    EXPECT_EQ(DecodeUtf8(utf8, pos), cp);
    EXPECT_EQ(pos, utf8.size());
  }
}

// The reports of both tools (a grid's cells, a message naming a file as it lies on the disk)
// stay valid JSON and valid UTF-8 whatever the text holds.
TEST(JsonString, EscapesWhatJsonForbidsAndReplacesWhatIsNoUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "\"\""},
      {"Müller", "\"Müller\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"Zeile 1\nZeile 2\r\n\tEnde", "\"Zeile 1\\nZeile 2\\r\\n\\tEnde\""},
      {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\""},
      {std::string("nul\0x", 5), "\"nul\\u0000x\""},
      {"/daten/M\xfcller/x", "\"/daten/M\xef\xbf\xbdller/x\""},  // a Windows-1252 ü on the disk
      {"\xe2\x82", "\"\xef\xbf\xbd\""},                          // a character cut short
      {"€ ∑ 😀", "\"€ ∑ 😀\""},
  };
  for (const auto& [text, json] : cases) EXPECT_EQ(JsonString(text), json) << text;
}

}  // namespace
}  // namespace tab
