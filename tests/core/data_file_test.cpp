#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "records/fields.hpp"
#include "records/line_reader.hpp"
#include "records/placement.hpp"
#include "records/text.hpp"
#include "support/fixture.hpp"
#include "support/scan_ways.hpp"

namespace tab {
namespace {

using Records = std::vector<std::vector<std::string>>;

// What a loader must see: every line as the line reader gives it, converted, then split.
Records ReferenceRecords(const std::string& path, int n) {
  Records records;
  LineReader reader(path);
  std::string line;
  while (reader.Next(line)) {
    OemToWin1252InPlace(line);
    records.push_back(SplitRecord(line, n));
  }
  return records;
}

Records DataFileRecords(const std::string& path, int n) {
  Records records;
  DataFile file(path, n);
  while (file.Next()) {
    std::vector<std::string> fields;
    for (int k = 1; k <= n; ++k) fields.emplace_back(file.Field(k));
    // The views and the ends give the same fields.
    const std::span<const std::string_view> views = file.Fields();
    EXPECT_TRUE(std::equal(views.begin(), views.end(), fields.begin(), fields.end()));
    records.push_back(std::move(fields));
  }
  return records;
}

// Every way of the splitter the processor offers.
class DataFileScanTest : public test::ScanWayTest {};

// Random files of plain lines and of lines with quotes, stray CRs, CR LF and LF ends, umlauts
// and end marks, some of them long enough to cross the reader's 64 KiB buffer: records read
// through DataFile (one pass over the buffer where it can) are those of reading, converting and
// splitting line by line.
TEST_P(DataFileScanTest, RecordsAreThoseOfReadingConvertingAndSplitting) {
  test::TempDir dir;
  const std::string path = dir.Make("0000001.CSV");
  std::mt19937 random(5150);
  const std::string plain = "ab7;;;\t \x84\x94\xE1";
  const std::string rough = "ab;\t\"\r\x1A\x84";
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const int lines = static_cast<int>(random() % 40);
    for (int line = 0; line < lines; ++line) {
      const bool long_ = random() % 50 == 0;
      const std::size_t length = long_ ? 60000 + random() % 20000 : random() % 200;
      const std::string& alphabet = random() % 4 == 0 ? rough : plain;
      for (std::size_t i = 0; i < length; ++i) bytes += alphabet[random() % alphabet.size()];
      bytes += random() % 3 == 0 ? "\n" : "\r\n";
    }
    if (random() % 4 == 0) bytes += "ohne Zeilenende";
    test::WriteBytes(path, bytes);
    const int n = static_cast<int>(random() % 30);
    ASSERT_EQ(DataFileRecords(path, n), ReferenceRecords(path, n)) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(Scans, DataFileScanTest, test::kScanWays, test::ScanWayTestName);

// The list of unplaced keys names the first 50; a million of them make a short message.
// Rows found by the text of their key column: every key of a grid, with its rows in the order
// they were added; keys that differ in a byte, in length or only by a trailing blank stay apart.
TEST(RowIndex, FindsEveryRowOfAKeyAndNoOther) {
  TableGrid grid(2, 8);
  const std::vector<std::string> keys = {"07", "7", "07", "", "7 ", "07", "x"};
  for (std::size_t i = 0; i < keys.size(); ++i) grid.SetCell(0, static_cast<int>(i) + 1, keys[i]);
  RowIndex index(grid, 0, 1, 7);
  const std::vector<std::pair<std::string, std::vector<int>>> cases = {
      {"07", {1, 3, 6}}, {"7", {2}}, {"", {4}}, {"7 ", {5}}, {"x", {7}}, {"y", {}}, {"0", {}}};
  for (const auto& [key, rows] : cases) {
    const std::span<const int> found = index.Find(key);
    EXPECT_EQ(std::vector<int>(found.begin(), found.end()), rows) << '"' << key << '"';
  }
  // Rows added later come after the rows of the grid.
  index.Add("x", 9);
  index.Add("new", 10);
  const std::span<const int> x = index.Find("x");
  EXPECT_EQ(std::vector<int>(x.begin(), x.end()), (std::vector<int>{7, 9}));
  const std::span<const int> added = index.Find("new");
  EXPECT_EQ(std::vector<int>(added.begin(), added.end()), (std::vector<int>{10}));
}

// Many keys, long and short, some sharing their first eight bytes: each finds its own rows.
TEST(RowIndex, ManyKeysEachFindTheirRows) {
  RowIndex index(TableGrid(1, 1), 0, 1, 0);
  std::mt19937 random(3);
  std::map<std::string, std::vector<int>> expected;
  for (int i = 0; i < 20000; ++i) {
    std::string key = std::to_string(random() % 30000);
    if (i % 3 == 0) key = "Schluessel-" + key;  // long keys with a common start
    expected[key].push_back(i);
    index.Add(key, i);
  }
  for (const auto& [key, rows] : expected) {
    const std::span<const int> found = index.Find(key);
    ASSERT_EQ(std::vector<int>(found.begin(), found.end()), rows) << key;
  }
  EXPECT_TRUE(index.Find("Schluessel-").empty());
}

TEST(UnplacedRecords, ListsFiftyKeysAndCountsTheRest) {
  struct Case {
    int keys;
    int withoutKey;
    std::string listedEnd;  // the end of the list
  };
  const std::vector<Case> cases = {
      {0, 2, ""},
      {3, 0, "k1|k2"},
      {50, 1, "k48|k49"},
      {51, 0, "k48|k49 \x85 und 1 weitere"},
      {1000000, 7, "k48|k49 \x85 und 999.950 weitere"},
  };
  const DataFile file("/nonexistent/S0.CSV", 3);
  for (const Case& c : cases) {
    UnplacedRecords unplaced(nullptr);
    for (int i = 0; i < c.withoutKey; ++i) unplaced.CountWithoutKey(file);
    for (int i = 0; i < c.keys; ++i) unplaced.Add("k" + std::to_string(i), file);
    EXPECT_EQ(unplaced.Count(), static_cast<unsigned long long>(c.keys + c.withoutKey));
    const std::string keys = unplaced.Keys();
    EXPECT_TRUE(keys.ends_with(c.listedEnd)) << keys;
    if (c.keys > 0) {
      EXPECT_TRUE(keys.starts_with(c.keys > 1 ? "k0|k1" : "k0")) << keys;
    }
    EXPECT_LE(keys.size(), 50u * 4 + 40) << c.keys;
  }
}

TEST(UnplacedRecords, AHugeKeyIsListedCut) {
  const DataFile file("/nonexistent/S0.CSV", 3);
  UnplacedRecords unplaced(nullptr, ';');
  unplaced.Add(std::string(50u << 20, 'x'), file);
  unplaced.Add("27", file);
  EXPECT_EQ(unplaced.Keys(), std::string(UnplacedRecords::kListedKeyBytes, 'x') + "\x85;27");
}

TEST(UnplacedRecords, GroupedNumbersHaveADotEveryThreeDigits) {
  const std::vector<std::pair<unsigned long long, std::string>> cases = {
      {0, "0"}, {999, "999"}, {1000, "1.000"}, {999950, "999.950"}, {1234567, "1.234.567"}};
  for (const auto& [number, text] : cases) EXPECT_EQ(GroupedNumber(number), text);
}

}  // namespace
}  // namespace tab
