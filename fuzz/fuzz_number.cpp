// ParseNumber against a reference built on std::from_chars: leading spaces, one sign, a
// hexadecimal prefix ($, x, X, 0x, 0X), then only digits of the base, the value within 32 bits
// (the smallest number only with its minus sign); anything else reads as 0. The first four bytes
// also give a number that must come back from its decimal and hexadecimal forms.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "records/fields.hpp"

namespace {

using namespace tab;
using namespace tab::fuzz;

std::int32_t ReferenceNumber(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  std::string_view digits = text.substr(i);
  int base = 10;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    base = 16;
    digits.remove_prefix(2);
  } else if (digits.starts_with('$') || digits.starts_with('x') || digits.starts_with('X')) {
    base = 16;
    digits.remove_prefix(1);
  }
  // from_chars takes no sign for an unsigned type, so a second sign is not a digit here either.
  std::uint64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
  if (digits.empty() || error != std::errc() || stop != end) return 0;
  const std::uint64_t limit = std::uint64_t{1} << 31;
  if (negative) {
    return value <= limit ? static_cast<std::int32_t>(-static_cast<std::int64_t>(value)) : 0;
  }
  return value < limit ? static_cast<std::int32_t>(value) : 0;
}

std::string Hex(std::int32_t value, const char* prefix) {
  const std::int64_t wide = value;
  const auto magnitude = static_cast<unsigned long long>(wide < 0 ? -wide : wide);
  char text[32];
  std::snprintf(text, sizeof text, "%s%s%llX", value < 0 ? "-" : "", prefix, magnitude);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::int32_t parsed = ParseNumber(text);
  FUZZ_CHECK(parsed == ReferenceNumber(text), "ParseNumber differs from the reference",
             std::string(text) + " -> " + std::to_string(parsed));

  if (size >= 4) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= std::uint32_t{data[i]} << (8 * i);
    const auto value = static_cast<std::int32_t>(bits);
    for (const std::string& form : {std::to_string(value), "  " + std::to_string(value),
                                    Hex(value, "$"), Hex(value, "0x"), Hex(value, "X")}) {
      FUZZ_CHECK(ParseNumber(form) == value, "a number does not come back from its text", form);
    }
    if (value >= 0) {
      FUZZ_CHECK(ParseNumber("+" + std::to_string(value)) == value,
                 "a plus sign changes the number");
      FUZZ_CHECK(ParseNumber(std::to_string(value) + " ") == 0, "a trailing space is accepted");
    }
  }
  return 0;
}
