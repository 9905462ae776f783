#include "records/row_ops.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// The sort buttons are defined by repeated bubble walks with particular exchange conditions.
// What those walks leave behind is reached here with stable sorts:
// - Ascending key walk (exchange when key(r) > key(r+1) and key(r+1) is not empty): a row with an
//   empty key never moves and nothing passes it, so every stretch between such rows ends up
//   stably sorted by itself.
// - Descending key walk: the same with the order reversed.
// - Tie walk (exchange when the keys are equal and tie(r) > tie(r+1)): it never changes the
//   sequence of keys, so each maximal run of equal keys (empty ones included) ends up stably
//   sorted by its tie texts.
// - The second walk of the special sort never lets a "9999" row move down. It starts from the
//   descending order, where each stretch reads: keys above "9999", the "9999" rows, keys below.
//   The rows below can never pass a "9999" row, the rows above pass all of them, so the stretch
//   ends as: the "9999" rows in their order, then all other rows stably ascending.

namespace tab {

namespace {

// Byte order of unsigned bytes, a prefix before the longer text.
int CompareBytes(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  if (common != 0) {
    if (const int c = std::memcmp(a.data(), b.data(), common); c != 0) return c;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

// The first eight bytes of a text as one number that orders as the bytes do, shorter texts
// padded with zeros. Two texts whose prefixes differ compare as their prefixes: at the first
// differing byte either both have a byte, or the shorter text has ended there (a zero against a
// byte above zero). The sorts compare these numbers, kept beside the row, and only read the
// texts themselves, scattered over the grid's rows, when both are longer than the prefix: on
// 100,000 rows that is most of the difference between a sort in cache and one that misses it at
// every step.
std::uint64_t Prefix(std::string_view text) {
  std::uint64_t prefix = 0;
  const std::size_t n = std::min<std::size_t>(text.size(), 8);
  for (std::size_t i = 0; i < 8; ++i) {
    prefix <<= 8;
    if (i < n) prefix |= static_cast<unsigned char>(text[i]);
  }
  return prefix;
}

struct SortText {
  explicit SortText(std::string_view t) : text(t), prefix(Prefix(t)) {}
  std::string_view text;
  std::uint64_t prefix;
};

// With equal prefixes the texts agree up to the shorter one's end (the rest of the longer one
// within its first eight bytes being zeros): only when both go on past eight bytes is there more
// to read.
int Compare(const SortText& a, const SortText& b) {
  if (a.prefix != b.prefix) return a.prefix < b.prefix ? -1 : 1;
  if (a.text.size() > 8 && b.text.size() > 8)
    return CompareBytes(a.text.substr(8), b.text.substr(8));
  if (a.text.size() == b.text.size()) return 0;
  return a.text.size() < b.text.size() ? -1 : 1;
}

struct SortRow {
  SortText key;
  SortText tie;
  int row;
};

bool KeyAscending(const SortRow& a, const SortRow& b) {
  return Compare(a.key, b.key) < 0;
}
bool KeyDescending(const SortRow& a, const SortRow& b) {
  return Compare(a.key, b.key) > 0;
}
bool TieAscending(const SortRow& a, const SortRow& b) {
  return Compare(a.tie, b.tie) < 0;
}

using RowList = std::vector<SortRow>;
using RowIter = RowList::iterator;

// The rows to sort and the first position they occupy; no rows when there are fewer than two.
// A last row before the first means the grid's last row; rows outside the grid take no part.
struct Selection {
  int first = 0;
  RowList rows;
};

Selection Collect(const TableGrid& grid, int firstRow, int lastRow, int keyColumn, int tieColumn) {
  int last = lastRow < firstRow ? grid.RowCount() - 1 : lastRow;
  last = std::min(last, grid.RowCount() - 1);
  Selection selection{std::max(firstRow, 0), {}};
  if (last - selection.first < 1) return selection;
  selection.rows.reserve(static_cast<std::size_t>(last - selection.first + 1));
  for (int row = selection.first; row <= last; ++row) {
    selection.rows.push_back(
        {SortText(grid.Cell(keyColumn, row)), SortText(grid.Cell(tieColumn, row)), row});
  }
  return selection;
}

// Calls sort(begin, end) for each stretch of rows with a non-empty key.
template <class Sort>
void ForEachStretch(RowList& rows, Sort sort) {
  auto begin = rows.begin();
  while (begin != rows.end()) {
    begin = std::find_if(begin, rows.end(), [](const SortRow& r) { return !r.key.text.empty(); });
    auto end = std::find_if(begin, rows.end(), [](const SortRow& r) { return r.key.text.empty(); });
    if (end - begin > 1) sort(begin, end);
    begin = end;
  }
}

void SortStretches(RowList& rows, bool (*less)(const SortRow&, const SortRow&)) {
  ForEachStretch(rows, [less](RowIter begin, RowIter end) { std::stable_sort(begin, end, less); });
}

void SortTieRuns(RowList& rows) {
  if (rows.empty()) return;
  auto begin = rows.begin();
  while (begin != rows.end()) {
    auto end = std::find_if(begin + 1, rows.end(),
                            [&](const SortRow& r) { return Compare(r.key, begin->key) != 0; });
    if (end - begin > 1) std::stable_sort(begin, end, TieAscending);
    begin = end;
  }
}

// Puts the rows into their new order: position first + i receives the texts of rows[i].row.
void MoveRows(TableGrid& grid, const Selection& selection) {
  std::vector<int> from;
  from.reserve(selection.rows.size());
  for (const SortRow& r : selection.rows) from.push_back(r.row);
  grid.PermuteRows(selection.first, from);
}

// As MoveRows, but columns 0..kept-1 stay where they are: they are copied out by position, the
// rows move as a whole, and the kept cells go back to their positions.
void MoveRowsKeepingLeading(TableGrid& grid, const Selection& selection, std::size_t kept) {
  const int first = selection.first;
  const std::size_t count = selection.rows.size();
  const int keptColumns = static_cast<int>(kept);
  std::vector<std::string> leading(count * kept);
  for (std::size_t i = 0; i < count; ++i) {
    for (int c = 0; c < keptColumns; ++c) {
      leading[i * kept + static_cast<std::size_t>(c)] = grid.Cell(c, first + static_cast<int>(i));
    }
  }
  MoveRows(grid, selection);
  for (std::size_t i = 0; i < count; ++i) {
    for (int c = 0; c < keptColumns; ++c) {
      grid.SetCell(c, first + static_cast<int>(i), leading[i * kept + static_cast<std::size_t>(c)]);
    }
  }
}

// The key walk over each stretch, then the tie walk over each run of equal keys.
void KeyAndTieOrder(RowList& rows, bool (*keyOrder)(const SortRow&, const SortRow&), bool tiePass) {
  SortStretches(rows, keyOrder);
  if (tiePass) SortTieRuns(rows);
}

}  // namespace

void SortRows(TableGrid& grid, int firstRow, int lastRow, int keyColumn, int tieColumn) {
  Selection selection = Collect(grid, firstRow, lastRow, keyColumn, tieColumn);
  KeyAndTieOrder(selection.rows, KeyAscending, tieColumn != keyColumn);
  MoveRows(grid, selection);
}

void SortRowsKeepLeading(TableGrid& grid, int firstRow, int lastRow, int keyColumn,
                         int keptColumns) {
  // A key among the kept columns never moves, so the walks would exchange the same two rows
  // forever; such a sort is not carried out.
  if (keyColumn < keptColumns) return;
  Selection selection = Collect(grid, firstRow, lastRow, keyColumn, keyColumn);
  KeyAndTieOrder(selection.rows, KeyAscending, false);
  if (keptColumns <= 0) {
    MoveRows(grid, selection);
  } else {
    MoveRowsKeepingLeading(grid, selection, static_cast<std::size_t>(keptColumns));
  }
}

void SortRowsDescending(TableGrid& grid, int firstRow, int lastRow, int keyColumn, int tieColumn) {
  Selection selection = Collect(grid, firstRow, lastRow, keyColumn, tieColumn);
  KeyAndTieOrder(selection.rows, KeyDescending, tieColumn != keyColumn);
  MoveRows(grid, selection);
}

void SortRowsSpecialFirst(TableGrid& grid, int firstRow, int lastRow, int keyColumn,
                          int tieColumn) {
  Selection selection = Collect(grid, firstRow, lastRow, keyColumn, tieColumn);
  const bool tiePass = tieColumn != keyColumn;
  KeyAndTieOrder(selection.rows, KeyDescending, tiePass);
  ForEachStretch(selection.rows, [](RowIter begin, RowIter end) {
    const auto others =
        std::stable_partition(begin, end, [](const SortRow& r) { return r.key.text == "9999"; });
    std::stable_sort(others, end, KeyAscending);
  });
  if (tiePass) SortTieRuns(selection.rows);
  MoveRows(grid, selection);
}

void SwapRows(TableGrid& grid, int a, int b) {
  if (a == b || a < 0 || b < 0 || a >= grid.RowCount() || b >= grid.RowCount()) return;
  grid.SwapRowCells(a, b);
}

}  // namespace tab
