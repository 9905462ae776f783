// Numbers in the fields of definition, key and settings files.
#include <cstdint>
#include <limits>
#include <string_view>

#include "records/fields.hpp"

namespace tab {
namespace {

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') {
    v = c - '0';
  } else if (base == 16 && c >= 'A' && c <= 'F') {
    v = c - 'A' + 10;
  } else if (base == 16 && c >= 'a' && c <= 'f') {
    v = c - 'a' + 10;
  }
  return v;
}

}  // namespace

std::int32_t ParseNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    i += 1;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return 0;  // no digits
  // A hexadecimal number is a value like a decimal one, not a bit pattern: "$FFFFFFFF" is beyond
  // the range and reads as 0, "-$80000000" is the smallest number.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return 0;
    value = value * base + digit;
    if (value > kLimit) return 0;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return 0;
  return static_cast<std::int32_t>(value);
}

}  // namespace tab
