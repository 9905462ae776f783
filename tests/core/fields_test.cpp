#include "records/fields.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "records/text.hpp"
#include "support/scan_ways.hpp"

namespace tab {
namespace {

using Fields = std::vector<std::string>;

// ---- NextField ---------------------------------------------------------------------------

struct NextFieldCase {
  const char* name;
  std::string rest;
  Fields fields;  // what repeated calls take off until the rest is empty
};

class NextFieldTest : public testing::TestWithParam<NextFieldCase> {};

TEST_P(NextFieldTest, TakesFieldsOffTheRest) {
  const std::string text = GetParam().rest;
  std::string_view rest = text;
  Fields taken;
  while (!rest.empty() && taken.size() <= text.size()) {
    const std::string_view before = rest;
    const std::string_view field = NextField(rest);
    // The field is the beginning of what the rest was, and the rest is what follows it.
    EXPECT_EQ(field.data(), before.data());
    EXPECT_LT(rest.size(), before.size());
    taken.emplace_back(field);
  }
  EXPECT_EQ(taken, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, NextFieldTest,
    testing::Values(NextFieldCase{"Empty", "", {}}, NextFieldCase{"OneField", "abc", {"abc"}},
                    NextFieldCase{"ConsecutiveSeparators", "a;;c", {"a", "", "c"}},
                    NextFieldCase{"SeparatorAtEnd", "a;b;", {"a", "b"}},
                    NextFieldCase{"OnlySeparator", ";", {""}},
                    NextFieldCase{"TabSeparates", "a\tb", {"a", "b"}},
                    NextFieldCase{"CrSeparates", "a\rb", {"a", "b"}},
                    NextFieldCase{"QuotedFieldKeepsQuotes", "\"abc\";d", {"\"abc\"", "d"}},
                    NextFieldCase{"QuotesDoNotProtectSemicolon", "\"a;b\"", {"\"a", "b\""}},
                    NextFieldCase{"QuoteInsideEndsFieldAndDropsNext", "a\"bc;d", {"a\"", "c", "d"}},
                    NextFieldCase{"LeadingQuoteIsOrdinary", "\"", {"\""}},
                    NextFieldCase{"SecondQuoteEndsField", "\"\"x;y", {"\"\"", "", "y"}},
                    NextFieldCase{"QuoteAtEnd", "ab\"", {"ab\""}},
                    NextFieldCase{"SpacesAreKept", " a ; b ", {" a ", " b "}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(NextField, EmptyRestGivesEmptyFieldAndStaysEmpty) {
  std::string_view rest;
  EXPECT_TRUE(NextField(rest).empty());
  EXPECT_TRUE(rest.empty());
}

// ---- SplitRecord -------------------------------------------------------------------------

struct SplitCase {
  const char* name;
  std::string line;
  int n;
  Fields fields;
};

class SplitRecordTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitRecordTest, GivesExactlyNFields) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(SplitRecord(c.line, c.n), c.fields);

  std::vector<std::string_view> views{"stale", "stale", "stale", "stale", "stale", "stale"};
  SplitRecord(c.line, c.n, views);
  EXPECT_EQ(Fields(views.begin(), views.end()), c.fields);
  for (std::string_view v : views) {
    if (!v.empty()) {
      EXPECT_GE(v.data(), c.line.data());
      EXPECT_LE(v.data() + v.size(), c.line.data() + c.line.size());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitRecordTest,
    testing::Values(SplitCase{"MissingFieldsAreEmpty", "1;2", 4, {"1", "2", "", ""}},
                    SplitCase{"EmptyLine", "", 3, {"", "", ""}},
                    SplitCase{"SurplusFieldsIgnored", "a;b;c;d", 2, {"a", "b"}},
                    SplitCase{"TrailingSeparator", "a;b;", 3, {"a", "b", ""}},
                    SplitCase{"EmptyMiddleField", "a;;c", 3, {"a", "", "c"}},
                    SplitCase{"CrAtStartStops", "\rabc", 2, {"", ""}},
                    SplitCase{"CrAfterSeparatorStops", "a;\rb", 3, {"a", "", ""}},
                    SplitCase{"CrEndsFieldLikeSeparator", "a\r;b", 2, {"a", ""}},
                    SplitCase{"QuotesSplitTheirText", "\"a;b\";c", 3, {"\"a", "b\"", "c"}},
                    SplitCase{"ZeroFields", "a;b", 0, {}},
                    SplitCase{"NegativeCount", "a;b", -1, {}}),
    [](const auto& p) { return std::string(p.param.name); });

// The cut exactly as the field rules describe it, position by position (1-based), as a reference
// for the splitter, which works on the positions of the separators instead.
std::string LiteralNextField(std::string& rest) {
  std::string field;
  std::size_t i = 1;
  bool closed = false;
  while (true) {
    if (i > rest.size() || closed) break;
    const char c = rest[i - 1];
    if (c == ';' || c == '\t' || c == '\r') break;
    field += c;
    if (c == '"' && i > 1) closed = true;
    ++i;
  }
  rest = i <= rest.size() ? rest.substr(i) : std::string();
  return field;
}

Fields LiteralSplit(const std::string& line, int n) {
  Fields fields(static_cast<std::size_t>(std::max(n, 0)));
  std::string rest = line;
  for (auto& field : fields) {
    if (rest.empty() || rest.front() == '\r') break;
    field = LiteralNextField(rest);
  }
  return fields;
}

// Every way of the splitter the processor offers.
class SplitScanTest : public test::ScanWayTest {};

TEST_P(SplitScanTest, AgreesWithTheFieldRulesOnRandomLines) {
  // Few distinct bytes, so that separators, quotes and CRs meet in every combination, and lines
  // long enough to cross the 64-byte blocks the splitter works in; every other line has only
  // semicolons and TABs, as most lines of a data file.
  const std::string alphabets[] = {"ab;;\t\r\"\" \x84", "ab;;\t 7\x84\xB3\xE1"};
  std::mt19937 random(20240611);
  std::vector<std::string_view> views;
  for (int round = 0; round < 20000; ++round) {
    const std::string& alphabet = alphabets[round % 2];
    std::string line(random() % 300, ' ');
    for (char& c : line) c = alphabet[random() % alphabet.size()];
    const int n = static_cast<int>(round % 3 == 0 ? random() % 160 : random() % 40);
    const Fields expected = LiteralSplit(line, n);
    ASSERT_EQ(SplitRecord(line, n), expected) << testing::PrintToString(line) << " n=" << n;
    SplitRecord(line, n, views);
    ASSERT_EQ(Fields(views.begin(), views.end()), expected) << testing::PrintToString(line);

    // The same cut as field ends, and with the OEM conversion in the same pass: the converted
    // line and its fields are those of converting first and splitting after.
    std::vector<std::uint32_t> ends(static_cast<std::size_t>(std::max(n, 0)));
    SplitEnds(line, n, ends.data());
    std::string converted = line;
    OemToWin1252InPlace(converted);
    std::string inPass = line;
    std::vector<std::uint32_t> inPassEnds(ends.size());
    ConvertAndSplitEnds(inPass, n, inPassEnds.data());
    ASSERT_EQ(inPass, converted) << testing::PrintToString(line);
    ASSERT_EQ(inPassEnds, ends) << testing::PrintToString(line);
    for (std::size_t k = 0; k < ends.size(); ++k) {
      ASSERT_EQ(FieldOfEnds(line, ends, k), expected[k]) << testing::PrintToString(line);
      // Each field ends where the next begins, less the one byte between them.
      if (k > 0) {
        ASSERT_LE(ends[k - 1] + 1, ends[k]) << testing::PrintToString(line);
      }
    }

    std::string literalRest = line;
    std::string_view rest = line;
    while (!literalRest.empty()) {
      const std::string literal = LiteralNextField(literalRest);
      ASSERT_EQ(NextField(rest), literal) << testing::PrintToString(line);
      ASSERT_EQ(rest, literalRest) << testing::PrintToString(line);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Scans, SplitScanTest, test::kScanWays, test::ScanWayTestName);

// ---- ParseNumber -------------------------------------------------------------------------

struct NumberCase {
  std::string text;
  std::int32_t value;
};

class ParseNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, ReadsValueOrZero) {
  EXPECT_EQ(ParseNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberTest,
    testing::Values(
        // decimal, sign and spaces
        NumberCase{"", 0}, NumberCase{"42", 42}, NumberCase{" 12", 12}, NumberCase{"   7", 7},
        NumberCase{"12 ", 0}, NumberCase{"-5", -5}, NumberCase{"+7", 7}, NumberCase{"007", 7},
        NumberCase{"- 5", 0}, NumberCase{"--5", 0}, NumberCase{"-", 0}, NumberCase{"  ", 0},
        NumberCase{"\t5", 0}, NumberCase{"1.5", 0}, NumberCase{"1a", 0}, NumberCase{"abc", 0},
        // hexadecimal prefixes
        NumberCase{"$1F", 31}, NumberCase{"x1f", 31}, NumberCase{"X10", 16}, NumberCase{"0x10", 16},
        NumberCase{"0XfF", 255}, NumberCase{"-$10", -16}, NumberCase{" +0x7", 7},
        NumberCase{"$", 0}, NumberCase{"0x", 0}, NumberCase{"$1G", 0}, NumberCase{"0x-5", 0},
        NumberCase{"$ 1", 0}, NumberCase{"1F", 0},
        // the 32-bit range
        NumberCase{"2147483647", kMax}, NumberCase{"2147483648", 0},
        NumberCase{"-2147483648", kMin}, NumberCase{"-2147483649", 0},
        NumberCase{"99999999999999999999", 0}, NumberCase{"$7FFFFFFF", kMax},
        NumberCase{"$80000000", 0}, NumberCase{"-$80000000", kMin}, NumberCase{"$FFFFFFFF", 0},
        NumberCase{"00000000000000000000042", 42}));

// ---- IsBlank and ColumnId ----------------------------------------------------------------

TEST(IsBlank, EmptyOrExactlyOneSpace) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"", true}, {" ", true}, {"  ", false}, {"a", false}, {"\t", false}, {" a", false}};
  for (const auto& [text, blank] : cases) EXPECT_EQ(IsBlank(text), blank) << '"' << text << '"';
}

TEST(ColumnId, ThreeDigitsAtLeast) {
  const std::vector<std::pair<int, std::string>> cases = {
      {1, "ES001"},   {7, "ES007"},   {12, "ES012"},    {18, "ES018"},     {99, "ES099"},
      {100, "ES100"}, {999, "ES999"}, {1000, "ES1000"}, {65535, "ES65535"}};
  for (const auto& [k, id] : cases) EXPECT_EQ(ColumnId(k), id) << k;
}

}  // namespace
}  // namespace tab
