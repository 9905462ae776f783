#include "records/text.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

namespace tab {
namespace {

// CP850 bytes 0x80-0xFF as Windows-1252 bytes. 97 of them have the same character in
// Windows-1252 (0x9F, the florin sign, is 0x83 there); the box-drawing and block characters, the
// dotless i and the double low line get the best-fit character of Windows' OEM-to-ANSI
// conversion: broken bar, '+', '-', 'i', '_', macron, '='.
constexpr std::array<std::uint8_t, 128> kCp850Upper = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7,
    0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,  // 80
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9,
    0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,  // 90
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA,
    0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,  // A0
    0xA6, 0xA6, 0xA6, 0xA6, 0xA6, 0xC1, 0xC2, 0xC0,
    0xA9, 0xA6, 0xA6, 0x2B, 0x2B, 0xA2, 0xA5, 0x2B,  // B0
    0x2B, 0x2D, 0x2D, 0x2B, 0x2D, 0x2B, 0xE3, 0xC3,
    0x2B, 0x2B, 0x2D, 0x2D, 0xA6, 0x2D, 0x2B, 0xA4,  // C0
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 0x69, 0xCD, 0xCE,
    0xCF, 0x2B, 0x2B, 0xA6, 0x5F, 0xA6, 0xCC, 0xAF,  // D0
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE,
    0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,  // E0
    0xAD, 0xB1, 0x3D, 0xBE, 0xB6, 0xA7, 0xF7, 0xB8,
    0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, 0xA6, 0xA0,  // F0
};

// The full 256-byte table: the lower half is ASCII in both code pages.
constexpr std::array<char, 256> MakeOemTable() {
  std::array<char, 256> table{};
  for (int b = 0; b < 128; ++b) table[static_cast<std::size_t>(b)] = static_cast<char>(b);
  for (std::size_t i = 0; i < kCp850Upper.size(); ++i) {
    table[128 + i] = static_cast<char>(kCp850Upper[i]);
  }
  return table;
}
constexpr std::array<char, 256> kOemToWin1252 = MakeOemTable();

// Splitting a data line looks at the bytes before they are converted: no converted byte may
// become a byte that ends a field or a line.
constexpr bool ConvertsToFieldEnd() {
  for (std::size_t b = 128; b < 256; ++b) {
    const char c = kOemToWin1252[b];
    if (c == ';' || c == '\t' || c == '\r' || c == '\n' || c == '"') return true;
  }
  return false;
}
static_assert(!ConvertsToFieldEnd());

// Windows-1252 bytes 0x80-0x9F as Unicode. The five bytes Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the same number, so they survive a round
// trip through UTF-8; the bytes 0xA0-0xFF are Latin-1.
constexpr std::array<char16_t, 32> kWin1252Upper = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

constexpr std::optional<char> Win1252FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kWin1252Upper.size(); ++i) {
    if (kWin1252Upper[i] == cp) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

// The characters of CP850 bytes 0x80-0xFF, in byte order: what the files written by the project
// itself are encoded with.
constexpr std::u16string_view kCp850Chars =
    u"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜø£Ø×ƒáíóúñÑªº¿®¬½¼¡«»░▒▓│┤ÁÂÀ©╣║╗╝¢¥┐"
    u"└┴┬├─┼ãÃ╚╔╩╦╠═╬¤ðÐÊËÈıÍÎÏ┘┌█▄¦Ì▀ÓßÔÒõÕµþÞÚÛÙýÝ¯´\u00AD±‗¾¶§÷¸°¨·¹³²■\u00A0";
static_assert(kCp850Chars.size() == 128);

// Encoding and reading agree: a CP850 byte whose character Windows-1252 also holds reads as
// that character, so that a written text reads back as it was. The other 31 bytes read as their
// best-fit character (above) and are written only for their own character.
constexpr bool EncodingInvertsReading() {
  for (std::size_t i = 0; i < kCp850Chars.size(); ++i) {
    const std::optional<char> shared = Win1252FromCodePoint(kCp850Chars[i]);
    if (shared && *shared != kOemToWin1252[128 + i]) return false;
  }
  return true;
}
static_assert(EncodingInvertsReading());

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

}  // namespace

const std::array<char, 256> kOemToWin1252Bytes = kOemToWin1252;

std::optional<char> EncodeChar(char32_t codePoint, CodePage page) {
  if (page == CodePage::kWindows1252) return Win1252FromCodePoint(codePoint);
  if (codePoint < 0x80) return static_cast<char>(codePoint);
  const std::size_t at = codePoint > 0xFFFF ? std::u16string_view::npos
                                            : kCp850Chars.find(static_cast<char16_t>(codePoint));
  if (at == std::u16string_view::npos) return std::nullopt;
  return static_cast<char>(0x80 + at);
}

char OemToWin1252(unsigned char oem) {
  return kOemToWin1252[oem];
}

void OemToWin1252InPlace(std::string& line) {
  OemToWin1252InPlace(line.data(), line.size());
}

void OemToWin1252InPlace(char* p, std::size_t n) {
  // Most bytes of a data file, and most of its lines, are ASCII and stay as they are: find the
  // bytes with the high bit set eight at a time and use the table only for them.
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  if (n < 8) {
    for (std::size_t i = 0; i < n; ++i) p[i] = kOemToWin1252[static_cast<unsigned char>(p[i])];
    return;
  }
  const auto word = [p](std::size_t at) {
    std::uint64_t w;
    std::memcpy(&w, p + at, sizeof w);
    return w & kHighBits;
  };
  // The last word overlaps the one before it unless n is a multiple of 8; its first bytes are
  // left out so that no byte is converted twice.
  const std::size_t last = n - 8;
  const std::size_t overlap = 8 - (n % 8 == 0 ? 8 : n % 8);
  const std::uint64_t lastMask = std::endian::native == std::endian::little
                                     ? ~std::uint64_t{0} << (8 * overlap)
                                     : ~std::uint64_t{0} >> (8 * overlap);
  std::uint64_t any = word(last) & lastMask;
  for (std::size_t i = 0; i < last; i += 8) any |= word(i);
  if (any == 0) return;
  const auto convert = [p](std::size_t at, std::uint64_t high) {
    for (; high != 0; high &= high - 1) {
      const auto byte = static_cast<std::size_t>(std::countr_zero(high)) / 8;
      char& c = p[at + (std::endian::native == std::endian::little ? byte : 7 - byte)];
      c = kOemToWin1252[static_cast<unsigned char>(c)];
    }
  };
  for (std::size_t i = 0; i < last; i += 8) convert(i, word(i));
  convert(last, word(last) & lastMask);
}

char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  int more = 0;
  char32_t cp = 0;
  // The allowed range of the second byte excludes overlong forms, surrogates and values above
  // U+10FFFF, so a sequence that passes is a valid character.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return kInvalidCodePoint;
  }
  for (int k = 0; k < more; ++k) {
    if (pos >= text.size()) return kInvalidCodePoint;
    const auto b = static_cast<unsigned char>(text[pos]);
    if (k == 0 ? (b < low || b > high) : !IsContinuation(b)) return kInvalidCodePoint;
    cp = (cp << 6) | (b & 0x3F);
    ++pos;
  }
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Win1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else if (b < 0xA0) {
      AppendUtf8(out, kWin1252Upper[b - 0x80]);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::string Utf8ToWin1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t cp = DecodeUtf8(text, pos);
    out += Win1252FromCodePoint(cp).value_or('?');
  }
  return out;
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const char32_t c = DecodeUtf8(text, pos);
    if (c == kInvalidCodePoint) {
      AppendUtf8(out, 0xFFFD);
    } else {
      out.append(text.substr(start, pos - start));
    }
  }
  return out;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : ValidUtf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace tab
