#include "records/row_ops.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tab {
namespace {

// ---- The sorts as the bubble walks of the sort buttons ----------------------------------------
// Kept deliberately naive: a scratch row at the end of the grid, exchanges through it, walks
// repeated until one of them exchanges nothing. The fast sorts must leave exactly the same grid.

int LiteralCompare(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

class LiteralSort {
 public:
  LiteralSort(TableGrid& grid, int firstRow, int lastRow) : grid_(grid) {
    originalRows_ = grid_.RowCount();
    grid_.SetRowCount(originalRows_ + 1);
    scratch_ = originalRows_;
    last_ = lastRow < firstRow ? originalRows_ - 1 : lastRow;
    last_ = std::min(last_, originalRows_ - 1);  // rows outside the grid take no part
    first_ = std::max(firstRow, 0);
  }
  ~LiteralSort() {
    for (int c = 0; c < grid_.ColCount(); ++c) grid_.SetCell(c, scratch_, "");
    grid_.SetRowCount(originalRows_);
  }

  std::string Key(int row, int column) const { return std::string(grid_.Cell(column, row)); }

  // Copies columns [from, to) of row a to row b.
  void CopyColumns(int a, int b, int from, int to) {
    for (int c = from; c < to; ++c) grid_.SetCell(c, b, grid_.Cell(c, a));
  }
  void Exchange(int r, int from, int to) {
    CopyColumns(r, scratch_, from, to);
    CopyColumns(r + 1, r, from, to);
    CopyColumns(scratch_, r + 1, from, to);
  }

  // One pass: walks until a walk exchanges nothing. `afterExchange` runs after each exchange.
  void Pass(const std::function<bool(int)>& exchange,
            const std::function<void(int)>& afterExchange = {}) {
    if (first_ >= last_) return;
    bool exchanged = true;
    while (exchanged) {
      exchanged = false;
      for (int r = first_; r < last_; ++r) {
        if (!exchange(r)) continue;
        Exchange(r, 0, grid_.ColCount());
        if (afterExchange) afterExchange(r);
        exchanged = true;
      }
    }
  }

  void AscendingKeyPass(int key) {
    Pass([&](int r) {
      return LiteralCompare(Key(r, key), Key(r + 1, key)) > 0 && !Key(r + 1, key).empty();
    });
  }
  void DescendingKeyPass(int key) {
    Pass([&](int r) {
      return LiteralCompare(Key(r, key), Key(r + 1, key)) < 0 && !Key(r, key).empty();
    });
  }
  void SpecialKeyPass(int key) {
    Pass([&](int r) {
      return LiteralCompare(Key(r, key), Key(r + 1, key)) > 0 && !Key(r + 1, key).empty() &&
             Key(r, key) != "9999";
    });
  }
  void TiePass(int key, int tie) {
    if (tie == key) return;
    Pass([&](int r) {
      return Key(r, key) == Key(r + 1, key) && LiteralCompare(Key(r, tie), Key(r + 1, tie)) > 0;
    });
  }
  void KeepLeadingKeyPass(int key, int kept) {
    Pass(
        [&](int r) {
          return LiteralCompare(Key(r, key), Key(r + 1, key)) > 0 && !Key(r + 1, key).empty();
        },
        [&](int r) { Exchange(r, 0, kept); });
  }

 private:
  TableGrid& grid_;
  int originalRows_ = 0;
  int scratch_ = 0;
  int first_ = 0;
  int last_ = 0;
};

void LiteralSortRows(TableGrid& grid, int first, int last, int key, int tie) {
  LiteralSort sort(grid, first, last);
  sort.AscendingKeyPass(key);
  sort.TiePass(key, tie);
}

void LiteralSortRowsKeepLeading(TableGrid& grid, int first, int last, int key, int kept) {
  LiteralSort sort(grid, first, last);
  sort.KeepLeadingKeyPass(key, kept);
}

void LiteralSortRowsDescending(TableGrid& grid, int first, int last, int key, int tie) {
  LiteralSort sort(grid, first, last);
  sort.DescendingKeyPass(key);
  sort.TiePass(key, tie);
}

void LiteralSortRowsSpecialFirst(TableGrid& grid, int first, int last, int key, int tie) {
  LiteralSortRowsDescending(grid, first, last, key, tie);
  LiteralSort sort(grid, first, last);
  sort.SpecialKeyPass(key);
  sort.TiePass(key, tie);
}

// ---- helpers -----------------------------------------------------------------------------------

struct Snapshot {
  int cols;
  std::vector<std::vector<std::string>> cells;  // [row][col], through Cell()
  std::vector<int> heights;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const TableGrid& grid) {
  Snapshot s{grid.ColCount(), {}, {}};
  for (int r = 0; r < grid.RowCount(); ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < grid.ColCount(); ++c) row.emplace_back(grid.Cell(c, r));
    s.cells.push_back(std::move(row));
    s.heights.push_back(grid.RowHeight(r));
  }
  return s;
}

std::string Describe(const Snapshot& s) {
  std::string out;
  for (std::size_t r = 0; r < s.cells.size(); ++r) {
    out += std::to_string(r) + " (h" + std::to_string(s.heights[r]) + "):";
    for (const std::string& cell : s.cells[r]) out += " [" + cell + "]";
    out += "\n";
  }
  return out;
}

// Rows 0 and 1 are headings; `data` goes into rows 2.. .
TableGrid MakeGrid(const std::vector<std::vector<std::string>>& data, int cols = 3) {
  TableGrid grid(cols, static_cast<int>(data.size()) + 2);
  for (int c = 0; c < cols; ++c) {
    grid.SetCell(c, 0, "H" + std::to_string(c));
    grid.SetCell(c, 1, "ES00" + std::to_string(c));
  }
  for (std::size_t i = 0; i < data.size(); ++i) {
    for (std::size_t c = 0; c < data[i].size(); ++c) {
      grid.SetCell(static_cast<int>(c), static_cast<int>(i) + 2, data[i][c]);
    }
  }
  return grid;
}

std::vector<std::vector<std::string>> DataRows(const TableGrid& grid) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 2; r < grid.RowCount(); ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < grid.ColCount(); ++c) row.emplace_back(grid.Cell(c, r));
    rows.push_back(std::move(row));
  }
  return rows;
}

using SortFunction = void (*)(TableGrid&, int, int, int, int);

// One sort button: the operation under test and its walks. The last argument is the tie column,
// or for KeepLeading the number of kept columns.
struct Sort {
  const char* name;
  SortFunction fast;
  SortFunction literal;
  bool keepsLeading;
};

const Sort kAscending{"SortRows", SortRows, LiteralSortRows, false};
const Sort kKeepLeading{"KeepLeading", SortRowsKeepLeading, LiteralSortRowsKeepLeading, true};
const Sort kDescending{"Descending", SortRowsDescending, LiteralSortRowsDescending, false};
const Sort kSpecialFirst{"SpecialFirst", SortRowsSpecialFirst, LiteralSortRowsSpecialFirst, false};

// ---- the fast sorts against the walks on random grids ------------------------------------------

class SortMatchesWalks : public ::testing::TestWithParam<const Sort*> {};

TEST_P(SortMatchesWalks, OnRandomGrids) {
  const Sort& sort = *GetParam();
  // Few distinct texts, so that equal keys, empty keys and "9999" rows are frequent. "\xE4" (a
  // Windows-1252 umlaut) must sort after every ASCII text; "A", "a", "99999" sort after "9999".
  // Texts of more than eight bytes share their first eight and differ from the ninth on; "ab"
  // and "ab\0" differ only in a zero byte.
  static const std::array<std::string, 18> kTexts = {"",
                                                     "1",
                                                     "10",
                                                     "2",
                                                     "9",
                                                     "9999",
                                                     "A",
                                                     "a",
                                                     "9999",
                                                     " ",
                                                     "\xE4",
                                                     "99999",
                                                     "Kaufmann",
                                                     "Kaufmann/-frau 1",
                                                     "Kaufmann/-frau 10",
                                                     "Kaufmann-frau 2",
                                                     "ab",
                                                     std::string("ab\0", 3)};
  std::mt19937 random(20240611u);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  int sortedSomething = 0;
  for (int round = 0; round < 3000; ++round) {
    const int cols = pick(1, 5);
    const int rows = pick(1, 30);  // beyond 16 rows a std::sort would show instability
    TableGrid grid(cols, rows);
    for (int r = 0; r < rows; ++r) {
      grid.SetRowHeight(r, pick(1, 30));
      for (int c = 0; c < cols; ++c) {
        grid.SetCell(
            c, r, kTexts[static_cast<std::size_t>(pick(0, static_cast<int>(kTexts.size()) - 1))]);
      }
    }
    const int first = pick(-1, rows + 1);
    const int last = pick(-2, rows + 2);
    const int key = pick(0, cols);  // cols itself: a key column beyond the grid
    // KeepLeading takes a count of kept columns no greater than the key column.
    const int other = sort.keepsLeading ? pick(-1, key) : pick(0, cols);

    TableGrid expected = grid;
    sort.literal(expected, first, last, key, other);
    const Snapshot before = Take(grid);
    sort.fast(grid, first, last, key, other);
    const Snapshot want = Take(expected);
    const Snapshot got = Take(grid);
    ASSERT_EQ(got, want) << "round " << round << " first " << first << " last " << last << " key "
                         << key << " other " << other << "\nbefore:\n"
                         << Describe(before) << "expected:\n"
                         << Describe(want) << "got:\n"
                         << Describe(got);
    ASSERT_EQ(grid.RowCount(), rows);
    ASSERT_EQ(grid.ColCount(), cols);
    if (got != before) ++sortedSomething;
  }
  // The random grids must exercise the sort, not only its early exits.
  EXPECT_GT(sortedSomething, 750);
}

INSTANTIATE_TEST_SUITE_P(AllSorts, SortMatchesWalks,
                         ::testing::Values(&kAscending, &kKeepLeading, &kDescending,
                                           &kSpecialFirst),
                         [](const ::testing::TestParamInfo<const Sort*>& testCase) {
                           return testCase.param->name;
                         });

// ---- worked examples ---------------------------------------------------------------------------

struct SortCase {
  const char* name;
  const Sort* sort;
  std::vector<std::vector<std::string>> data;  // rows 2..
  int first;
  int last;
  int key;
  int other;  // tie column or kept columns
  std::vector<std::vector<std::string>> expected;
};

class SortExamples : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortExamples, GiveTheExpectedRows) {
  const SortCase& c = GetParam();
  TableGrid grid = MakeGrid(c.data);
  for (int r = 0; r < grid.RowCount(); ++r) grid.SetRowHeight(r, 10 + r);
  const int rowsBefore = grid.RowCount();
  c.sort->fast(grid, c.first, c.last, c.key, c.other);
  EXPECT_EQ(DataRows(grid), c.expected);
  EXPECT_EQ(grid.RowCount(), rowsBefore);
  for (int r = 0; r < grid.RowCount(); ++r) EXPECT_EQ(grid.RowHeight(r), 10 + r) << "row " << r;
  EXPECT_EQ(grid.Cell(0, 0), "H0");
  EXPECT_EQ(grid.Cell(2, 1), "ES002");
}

using Rows = std::vector<std::vector<std::string>>;

INSTANTIATE_TEST_SUITE_P(
    Cases, SortExamples,
    ::testing::Values(
        SortCase{"BytesNotNumbers", &kAscending, Rows{{"9"}, {"10"}, {"2"}}, 2, -1, 0, 0,
                 Rows{{"10", "", ""}, {"2", "", ""}, {"9", "", ""}}},
        SortCase{"EmptyKeySplitsStretches", &kAscending, Rows{{"C"}, {"A"}, {""}, {"B"}, {"A"}}, 2,
                 -1, 0, 0,
                 Rows{{"A", "", ""}, {"C", "", ""}, {"", "", ""}, {"A", "", ""}, {"B", "", ""}}},
        SortCase{"TieColumnOrdersEqualKeys", &kAscending, Rows{{"1", "b"}, {"1", "a"}}, 2, -1, 0, 1,
                 Rows{{"1", "a", ""}, {"1", "b", ""}}},
        SortCase{"TieWalkOrdersEmptyKeysToo", &kAscending, Rows{{"", "b"}, {"", "a"}, {"2", "z"}},
                 2, -1, 0, 1, Rows{{"", "a", ""}, {"", "b", ""}, {"2", "z", ""}}},
        SortCase{"UnsignedBytes", &kAscending, Rows{{"\xE4"}, {"z"}, {"Z"}}, 2, -1, 0, 0,
                 Rows{{"Z", "", ""}, {"z", "", ""}, {"\xE4", "", ""}}},
        SortCase{"OnlyTheGivenRows", &kAscending, Rows{{"3"}, {"2"}, {"1"}}, 2, 3, 0, 0,
                 Rows{{"2", "", ""}, {"3", "", ""}, {"1", "", ""}}},
        SortCase{"KeepLeadingRowLabelsStay", &kKeepLeading,
                 Rows{{"x", "1990", "p"}, {"y", "1988", "q"}, {"z", "1989", "r"}}, 2, -1, 1, 1,
                 Rows{{"x", "1988", "q"}, {"y", "1989", "r"}, {"z", "1990", "p"}}},
        SortCase{"KeepLeadingKeyAmongKeptColumnsDoesNothing", &kKeepLeading,
                 Rows{{"x", "2"}, {"y", "1"}}, 2, -1, 0, 1, Rows{{"x", "2", ""}, {"y", "1", ""}}},
        SortCase{"DescendingTiesAscending", &kDescending,
                 Rows{{"1", "a"}, {"5", "b"}, {"3", "c"}, {"5", "a"}}, 2, -1, 0, 1,
                 Rows{{"5", "a", ""}, {"5", "b", ""}, {"3", "c", ""}, {"1", "a", ""}}},
        SortCase{"SpecialFirst", &kSpecialFirst,
                 Rows{{"3000"}, {"9999"}, {"1000"}, {"9999"}, {"5000"}}, 2, -1, 0, 0,
                 Rows{{"9999", "", ""},
                      {"9999", "", ""},
                      {"1000", "", ""},
                      {"3000", "", ""},
                      {"5000", "", ""}}},
        SortCase{"SpecialFirstTiesAndGreaterKeys", &kSpecialFirst,
                 Rows{{"A", "1"}, {"9999", "b"}, {"1", "1"}, {"9999", "a"}}, 2, -1, 0, 1,
                 Rows{{"9999", "a", ""}, {"9999", "b", ""}, {"1", "1", ""}, {"A", "1", ""}}},
        SortCase{"SingleDataRow", &kAscending, Rows{{"b", "x"}}, 2, -1, 0, 1, Rows{{"b", "x", ""}}},
        SortCase{"NoDataRows", &kSpecialFirst, Rows{}, 2, -1, 0, 1, Rows{}},
        SortCase{"FirstRowBeyondTheGrid", &kDescending, Rows{{"1"}, {"2"}}, 7, -1, 0, 0,
                 Rows{{"1", "", ""}, {"2", "", ""}}}),
    [](const ::testing::TestParamInfo<SortCase>& testCase) { return testCase.param.name; });

TEST(SwapRows, ExchangesTextsButNotHeights) {
  TableGrid grid = MakeGrid({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  grid.SetRowHeight(2, 9);
  grid.SetRowHeight(4, 18);
  SwapRows(grid, 2, 4);
  EXPECT_EQ(DataRows(grid), (Rows{{"c", "3", ""}, {"b", "2", ""}, {"a", "1", ""}}));
  EXPECT_EQ(grid.RowHeight(2), 9);
  EXPECT_EQ(grid.RowHeight(4), 18);
}

TEST(SwapRows, IgnoresRowsOutsideTheGrid) {
  TableGrid grid = MakeGrid({{"a"}, {"b"}});
  const Snapshot before = Take(grid);
  SwapRows(grid, 2, 4);
  SwapRows(grid, -1, 3);
  EXPECT_EQ(Take(grid), before);
}

}  // namespace
}  // namespace tab
