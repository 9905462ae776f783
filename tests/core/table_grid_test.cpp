#include "records/table_grid.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "records/fields.hpp"

namespace tab {
namespace {

std::size_t StoredCells(const TableGrid& grid) {
  std::size_t n = 0;
  for (int r = 0; r < grid.RowCount(); ++r) n += static_cast<std::size_t>(grid.StoredCells(r));
  return n;
}

TEST(TableGrid, ConstructorKeepsItsSettings) {
  const TableGrid grid(20, 32, 2, 80, 18, 2);
  EXPECT_EQ(grid.ColCount(), 20);
  EXPECT_EQ(grid.RowCount(), 32);
  EXPECT_EQ(grid.FixedCols(), 2);
  EXPECT_EQ(grid.FixedRows(), 2);
  EXPECT_EQ(grid.DefaultColWidth(), 80);
  EXPECT_EQ(grid.DefaultRowHeight(), 18);
  EXPECT_EQ(grid.ColWidth(19), 80);
  EXPECT_EQ(grid.RowHeight(31), 18);
  EXPECT_EQ(StoredCells(grid), 0u);
}

TEST(TableGrid, CountsAreAtLeastOne) {
  struct Case {
    int asked;
    int count;
  };
  for (const Case c : {Case{0, 1}, Case{-7, 1}, Case{1, 1}, Case{3, 3}}) {
    const TableGrid made(c.asked, c.asked);
    EXPECT_EQ(made.ColCount(), c.count) << c.asked;
    EXPECT_EQ(made.RowCount(), c.count) << c.asked;
    TableGrid set(5, 5);
    set.SetColCount(c.asked);
    set.SetRowCount(c.asked);
    EXPECT_EQ(set.ColCount(), c.count) << c.asked;
    EXPECT_EQ(set.RowCount(), c.count) << c.asked;
  }
}

TEST(TableGrid, WritesOutsideTheGridAreDropped) {
  TableGrid grid(3, 4);
  struct Place {
    int col;
    int row;
  };
  for (const Place p : {Place{-1, 0}, Place{0, -1}, Place{3, 0}, Place{0, 4}, Place{99, 99}}) {
    grid.SetCell(p.col, p.row, "x");
    EXPECT_EQ(grid.Cell(p.col, p.row), "") << p.col << "," << p.row;
  }
  EXPECT_EQ(StoredCells(grid), 0u);
  grid.SetCell(2, 3, "ecke");
  EXPECT_EQ(grid.Cell(2, 3), "ecke");
  EXPECT_EQ(grid.Cell(1, 3), "");
}

TEST(TableGrid, StoresCellsOnlyUpToTheLastWrittenColumn) {
  TableGrid grid(10, 3);
  grid.SetCell(8, 1, "");
  EXPECT_EQ(grid.StoredCells(1), 0);  // an empty text needs no storage
  grid.SetCell(3, 1, "a");
  EXPECT_EQ(grid.StoredCells(1), 4);
  grid.SetCell(1, 1, "");  // inside the stored cells: overwritten
  grid.SetCell(3, 1, "b");
  EXPECT_EQ(grid.StoredCells(1), 4);
  for (int col = 0; col < 3; ++col) EXPECT_EQ(grid.Cell(col, 1), "") << col;
  EXPECT_EQ(grid.Cell(3, 1), "b");
  EXPECT_EQ(grid.StoredCells(0), 0);
}

TEST(TableGrid, ShrinkingColumnsDropsTheirCells) {
  TableGrid grid(6, 3);
  grid.SetCell(5, 1, "weg");
  grid.SetCell(1, 1, "bleibt");
  grid.SetCell(0, 2, "kurz");
  grid.SetColCount(2);
  EXPECT_EQ(grid.StoredCells(1), 2);
  EXPECT_EQ(grid.StoredCells(2), 1);
  grid.SetColCount(6);
  EXPECT_EQ(grid.Cell(5, 1), "");
  EXPECT_EQ(grid.Cell(1, 1), "bleibt");
  EXPECT_EQ(grid.Cell(0, 2), "kurz");
}

TEST(TableGrid, RowsThatAppearAreEmptyWithDefaultHeight) {
  TableGrid grid(3, 4, 1, 64, 18);
  grid.SetCell(1, 3, "alt");
  grid.SetRowHeight(3, 9);
  grid.SetRowCount(2);
  EXPECT_EQ(grid.Cell(1, 3), "");
  EXPECT_EQ(grid.RowHeight(3), 18);
  grid.SetRowCount(5);
  EXPECT_EQ(grid.Cell(1, 3), "");
  EXPECT_EQ(grid.RowHeight(3), 18);
  EXPECT_EQ(grid.RowCount(), 5);
}

TEST(TableGrid, RowHeightsInsideTheGridOnly) {
  TableGrid grid(2, 3, 1, 64, 18);
  grid.SetRowHeight(1, 9);
  grid.SetRowHeight(3, 40);
  grid.SetRowHeight(-1, 40);
  EXPECT_EQ(grid.RowHeight(1), 9);
  EXPECT_EQ(grid.RowHeight(3), 18);
  EXPECT_EQ(grid.RowHeight(-1), 18);
  EXPECT_EQ(grid.RowCount(), 3);
}

TEST(TableGrid, ColumnWidthsOutlastTheColumnCount) {
  TableGrid grid(3, 2, 1, 64);
  grid.SetColWidth(1, 120);
  grid.SetColWidth(7, 30);  // beyond the grid: kept for later
  grid.SetColWidth(-1, 99);
  EXPECT_EQ(grid.ColWidth(1), 120);
  EXPECT_EQ(grid.ColWidth(7), 30);
  EXPECT_EQ(grid.ColWidth(5), 64);
  EXPECT_EQ(grid.ColWidth(-1), 64);
  grid.SetColCount(8);
  EXPECT_EQ(grid.ColWidth(7), 30);
  grid.SetColCount(1);
  grid.SetColCount(8);
  EXPECT_EQ(grid.ColWidth(1), 120);
  EXPECT_EQ(grid.ColWidth(7), 30);
}

TEST(TableGrid, ClearCellsKeepsSizesWidthsAndHeights) {
  TableGrid grid(4, 4);
  grid.SetColWidth(2, 50);
  grid.SetRowHeight(2, 9);
  grid.SetCell(3, 3, "x");
  grid.SetCell(0, 0, "y");
  grid.ClearCells();
  EXPECT_EQ(grid.Cell(3, 3), "");
  EXPECT_EQ(grid.Cell(0, 0), "");
  EXPECT_EQ(StoredCells(grid), 0u);
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.ColWidth(2), 50);
  EXPECT_EQ(grid.RowHeight(2), 9);
}

TEST(TableGrid, SwapRowCellsLeavesHeightsInPlace) {
  TableGrid grid(3, 4, 1, 64, 18);
  grid.SetCell(0, 1, "a");
  grid.SetCell(2, 1, "a2");
  grid.SetCell(1, 2, "b");
  grid.SetRowHeight(1, 9);
  grid.SwapRowCells(1, 2);
  EXPECT_EQ(grid.Cell(1, 1), "b");
  EXPECT_EQ(grid.Cell(0, 1), "");
  EXPECT_EQ(grid.Cell(0, 2), "a");
  EXPECT_EQ(grid.Cell(2, 2), "a2");
  EXPECT_EQ(grid.RowHeight(1), 9);
  EXPECT_EQ(grid.RowHeight(2), 18);
}

TEST(TableGrid, DeclaredSizeCostsNothingUntilWritten) {
  TableGrid grid;
  grid.SetRowCount(65535);
  grid.SetColCount(65535);
  grid.SetCell(65534, 65534, "x");
  grid.SetCell(2, 2, "y");
  EXPECT_EQ(grid.Cell(65534, 65534), "x");
  EXPECT_EQ(grid.Cell(30000, 30000), "");
  EXPECT_EQ(grid.Cell(65534, 2), "");
  // Only the written rows hold cells, each up to its last written column.
  EXPECT_EQ(StoredCells(grid), 65535u + 3u);
}

}  // namespace
}  // namespace tab

namespace tab {
namespace {

// Copying a cell of a row into a later column of the same row grows the row; the copied text
// must survive that (column 2 filled from column 0 is the common case).
TEST(TableGridAliasing, CellCopiedWithinItsRowWhileTheRowGrows) {
  TableGrid grid(8, 3, 1, 64);
  grid.SetCell(0, 1, "07");
  grid.SetCell(6, 1, grid.Cell(0, 1));
  EXPECT_EQ(grid.Cell(6, 1), "07");
  EXPECT_EQ(grid.Cell(0, 1), "07");
}

}  // namespace
}  // namespace tab

namespace tab {
namespace {

// A plain model of the cells (one string per cell) that every grid operation is compared with.
class CellModel {
 public:
  CellModel(int cols, int rows) : cols_(cols), cells_(static_cast<std::size_t>(rows)) {}
  void Set(int col, int row, const std::string& text) {
    if (col < 0 || col >= cols_ || row < 0 || row >= Rows()) return;
    auto& r = cells_[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(col) >= r.size()) r.resize(static_cast<std::size_t>(col) + 1);
    r[static_cast<std::size_t>(col)] = text;
  }
  std::string Get(int col, int row) const {
    if (col < 0 || col >= cols_ || row < 0 || row >= Rows()) return "";
    const auto& r = cells_[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(col) < r.size() ? r[static_cast<std::size_t>(col)] : "";
  }
  int Rows() const { return static_cast<int>(cells_.size()); }
  // The last column of the row with a text, or -1.
  int LastText(int row) const {
    const auto& r = cells_[static_cast<std::size_t>(row)];
    for (std::size_t c = r.size(); c-- > 0;) {
      if (!r[c].empty()) return static_cast<int>(c);
    }
    return -1;
  }
  void SetCols(int cols) {
    cols_ = std::max(cols, 1);
    for (auto& r : cells_) {
      if (r.size() > static_cast<std::size_t>(cols_)) r.resize(static_cast<std::size_t>(cols_));
    }
  }
  void SetRows(int rows) { cells_.resize(static_cast<std::size_t>(std::max(rows, 1))); }
  void Clear() {
    for (auto& r : cells_) r.clear();
  }
  void Swap(int a, int b) {
    std::swap(cells_[static_cast<std::size_t>(a)], cells_[static_cast<std::size_t>(b)]);
  }
  void Permute(int first, const std::vector<int>& from) {
    std::vector<std::vector<std::string>> moved;
    for (const int source : from) moved.push_back(cells_[static_cast<std::size_t>(source)]);
    for (std::size_t i = 0; i < moved.size(); ++i) {
      cells_[static_cast<std::size_t>(first) + i] = moved[i];
    }
  }

 private:
  int cols_;
  std::vector<std::vector<std::string>> cells_;
};

// What the writers read of a row at once (RowCells over one column more than the grid has, and
// LastTextColumn) agrees with the model.
void ExpectRowReads(const TableGrid& grid, const CellModel& model, int step) {
  std::vector<std::string_view> row(static_cast<std::size_t>(grid.ColCount()) + 1);
  for (int r = 0; r < grid.RowCount(); ++r) {
    ASSERT_EQ(grid.LastTextColumn(r), model.LastText(r)) << "step " << step << " row " << r;
    grid.RowCells(r, row);
    for (std::size_t c = 0; c < row.size(); ++c) {
      ASSERT_EQ(row[c], model.Get(static_cast<int>(c), r))
          << "step " << step << " cell " << c << "," << r;
    }
  }
}

// Random writes (longer, shorter, empty, past the stored cells, copied from a cell of the same
// or another row) mixed with size changes, clearing, swaps and row permutations: every cell must
// read as in the model after every step.
TEST(TableGridModel, AgreesWithOneStringPerCellOnRandomOperations) {
  std::mt19937 random(424242);
  const std::string words[] = {"",        " ", "a", "07", "Berufsschule", std::string(40, 'x'),
                               "\xe4\xf6"};
  TableGrid grid(6, 5, 1, 64);
  CellModel model(6, 5);
  for (int step = 0; step < 20000; ++step) {
    const int op = static_cast<int>(random() % 100);
    const int cols = grid.ColCount() + 1;  // one beyond: writes there are dropped
    const int rows = grid.RowCount() + 1;
    const int col = static_cast<int>(random() % static_cast<unsigned>(cols));
    const int row = static_cast<int>(random() % static_cast<unsigned>(rows));
    if (op < 8) {
      // A record of texts, some taken from the row itself, placed from a column that may lie
      // before column 0, inside the stored cells or past them.
      const int firstCol = col - 2;
      std::vector<std::string> expected;
      std::vector<std::string_view> texts;
      for (int k = static_cast<int>(random() % 6); k > 0; --k) {
        if (random() % 3 == 0) {
          const int fromCol = static_cast<int>(random() % static_cast<unsigned>(cols));
          texts.push_back(grid.Cell(fromCol, row));
          expected.push_back(model.Get(fromCol, row));
        } else {
          expected.push_back(words[random() % std::size(words)]);
          texts.emplace_back();
        }
      }
      for (std::size_t k = 0; k < texts.size(); ++k) {
        if (texts[k].data() == nullptr) texts[k] = expected[k];
      }
      grid.SetCells(firstCol, row, texts);
      for (std::size_t k = 0; k < expected.size(); ++k) {
        model.Set(firstCol + static_cast<int>(k), row, expected[k]);
      }
    } else if (op < 60) {
      const std::string& text = words[random() % std::size(words)];
      grid.SetCell(col, row, text);
      model.Set(col, row, text);
    } else if (op < 80) {
      const int fromCol = static_cast<int>(random() % static_cast<unsigned>(cols));
      const int fromRow = op < 70 ? row : static_cast<int>(random() % static_cast<unsigned>(rows));
      const std::string expected = model.Get(fromCol, fromRow);
      grid.SetCell(col, row, grid.Cell(fromCol, fromRow));
      model.Set(col, row, expected);
    } else if (op < 84) {
      const int n = 1 + static_cast<int>(random() % 9);
      grid.SetColCount(n);
      model.SetCols(n);
    } else if (op < 88) {
      const int n = 1 + static_cast<int>(random() % 9);
      grid.SetRowCount(n);
      model.SetRows(n);
    } else if (op < 89) {
      grid.ClearCells();
      model.Clear();
    } else if (op < 92) {
      const int a = static_cast<int>(random() % static_cast<unsigned>(grid.RowCount()));
      const int b = static_cast<int>(random() % static_cast<unsigned>(grid.RowCount()));
      grid.SwapRowCells(a, b);
      model.Swap(a, b);
    } else if (op < 95) {
      // A line of a data file, cut into fields and placed as the loaders place it.
      const std::string alphabet = "ab;;\"\t x\xe4";
      std::string line(random() % 30, ' ');
      for (char& c : line) c = alphabet[random() % alphabet.size()];
      const int n = static_cast<int>(random() % 9);
      std::vector<std::uint32_t> ends(static_cast<std::size_t>(n));
      SplitEnds(line, n, ends.data());
      const std::vector<std::string> fields = SplitRecord(line, n);
      if (random() % 2 == 0) {
        grid.SetLineCells(col - 2, row, line, ends);
      } else {
        // The line and its ends in blocks the grid keeps; a block is written over once it is
        // let go.
        std::shared_ptr<char[]> block(new char[line.size() + 1]);
        std::copy(line.begin(), line.end(), block.get());
        std::shared_ptr<std::uint32_t[]> endsBlock(new std::uint32_t[ends.size() + 1]);
        std::copy(ends.begin(), ends.end(), endsBlock.get());
        grid.SetLineCells(col - 2, row, std::string_view(block.get(), line.size()),
                          std::span<const std::uint32_t>(endsBlock.get(), ends.size()), block,
                          endsBlock);
        if (block.use_count() == 1) std::fill_n(block.get(), line.size(), '#');
        if (endsBlock.use_count() == 1) std::fill_n(endsBlock.get(), ends.size(), 0xFFFFFFFFu);
      }
      for (std::size_t k = 0; k < fields.size(); ++k) {
        model.Set(col - 2 + static_cast<int>(k), row, fields[k]);
      }
    } else if (op < 96) {
      // Copies share what they can and must stay apart all the same.
      TableGrid copy = grid;
      copy.SetCell(1, 1, "nur in der Kopie");
      if (random() % 2 == 0) {
        grid = copy;
      } else {
        TableGrid other = std::move(copy);
        grid = std::move(other);
      }
      model.Set(1, 1, "nur in der Kopie");
    } else {
      const int first = static_cast<int>(random() % static_cast<unsigned>(grid.RowCount()));
      std::vector<int> from(static_cast<std::size_t>(grid.RowCount() - first));
      std::iota(from.begin(), from.end(), first);
      std::shuffle(from.begin(), from.end(), random);
      grid.PermuteRows(first, from);
      model.Permute(first, from);
    }
    ASSERT_EQ(grid.RowCount(), model.Rows());
    for (int r = 0; r <= grid.RowCount(); ++r) {
      for (int c = 0; c <= grid.ColCount(); ++c) {
        ASSERT_EQ(grid.Cell(c, r), model.Get(c, r)) << "step " << step << " cell " << c << "," << r;
      }
    }
    ExpectRowReads(grid, model, step);
    if (HasFatalFailure()) return;
  }
}

// The same for rows whose texts stand far apart (a row keeps its written cells alone then) and
// rows set from lines that show a kept text in one column: writes near and far, emptying cells,
// lines with and without a kept cell, shrinking the columns past far cells, swaps and copies.
TEST(TableGridModel, FarApartCellsAndKeptCellsAgreeWithOneStringPerCell) {
  std::mt19937 random(171717);
  const std::string words[] = {"", " ", "a", "07", "Berufsschule", std::string(40, 'x'), "\xe4"};
  const std::vector<int> columns = {0, 1, 2, 3, 5, 8, 255, 256, 257, 300, 520, 1000, 1100, 1199};
  const std::vector<int> counts = {1, 4, 9, 257, 600, 1200};
  TableGrid grid(1200, 6, 1, 64);
  CellModel model(1200, 6);
  const auto pick = [&](const std::vector<int>& from) { return from[random() % from.size()]; };
  for (int step = 0; step < 12000; ++step) {
    const int op = static_cast<int>(random() % 100);
    const int col = pick(columns);
    const int row = static_cast<int>(random() % static_cast<unsigned>(grid.RowCount() + 1));
    if (op < 40) {
      const std::string& text = words[random() % std::size(words)];
      grid.SetCell(col, row, text);
      model.Set(col, row, text);
    } else if (op < 55) {
      const int fromCol = pick(columns);
      const int fromRow =
          op < 48 ? row : static_cast<int>(random() % static_cast<unsigned>(grid.RowCount()));
      const std::string expected = model.Get(fromCol, fromRow);
      grid.SetCell(col, row, grid.Cell(fromCol, fromRow));
      model.Set(col, row, expected);
    } else if (op < 63) {
      std::vector<std::string> texts;
      for (int k = static_cast<int>(random() % 4); k > 0; --k) {
        texts.push_back(words[random() % std::size(words)]);
      }
      const std::vector<std::string_view> views(texts.begin(), texts.end());
      grid.SetCells(col, row, views);
      for (std::size_t k = 0; k < texts.size(); ++k)
        model.Set(col + static_cast<int>(k), row, texts[k]);
    } else if (op < 78) {
      // A line placed from a column near or far, showing a kept text in one column or not.
      const std::string alphabet = "ab;;x";
      std::string line(random() % 12, ' ');
      for (char& c : line) c = alphabet[random() % alphabet.size()];
      const int n = 1 + static_cast<int>(random() % 5);
      std::vector<std::uint32_t> ends(static_cast<std::size_t>(n));
      SplitEnds(line, n, ends.data());
      const std::vector<std::string> fields = SplitRecord(line, n);
      const int keptCol = random() % 3 == 0 ? -1 : col + static_cast<int>(random() % 6);
      const std::string& keptText = words[random() % std::size(words)];
      const int kept = keptCol < 0 ? 0 : grid.KeepCellText(keptCol, keptText);
      grid.SetLineCells(col, row, line, ends, nullptr, nullptr, kept);
      for (std::size_t k = 0; k < fields.size(); ++k)
        model.Set(col + static_cast<int>(k), row, fields[k]);
      if (keptCol >= 0) model.Set(keptCol, row, keptText);
    } else if (op < 82) {
      const int n = pick(counts);
      grid.SetColCount(n);
      model.SetCols(n);
    } else if (op < 86) {
      const int n = 1 + static_cast<int>(random() % 8);
      grid.SetRowCount(n);
      model.SetRows(n);
    } else if (op < 87) {
      grid.ClearCells();
      model.Clear();
    } else if (op < 93) {
      const int a = static_cast<int>(random() % static_cast<unsigned>(grid.RowCount()));
      const int b = static_cast<int>(random() % static_cast<unsigned>(grid.RowCount()));
      grid.SwapRowCells(a, b);
      model.Swap(a, b);
    } else if (op < 95) {
      TableGrid copy = grid;
      copy.SetCell(0, 0, "nur in der Kopie");
      grid = copy;
      model.Set(0, 0, "nur in der Kopie");
    } else if (op < 97) {
      // A stretch of cells filled one by one, downwards: far-apart cells come close again.
      const int first = static_cast<int>(random() % 400);
      for (int c = first + 300; c >= first; --c) {
        const std::string text = std::to_string(c % 7);
        grid.SetCell(c, row, text);
        model.Set(c, row, text);
      }
    } else {
      // Back to every column: the cells far right come and go with the count.
      grid.SetColCount(1200);
      model.SetCols(1200);
    }
    ASSERT_EQ(grid.RowCount(), model.Rows());
    for (int r = 0; r <= grid.RowCount(); ++r) {
      for (const int c : columns) {
        ASSERT_EQ(grid.Cell(c, r), model.Get(c, r)) << "step " << step << " cell " << c << "," << r;
      }
      for (int c = 0; c < grid.ColCount(); c += 97) {
        ASSERT_EQ(grid.Cell(c, r), model.Get(c, r)) << "step " << step << " cell " << c << "," << r;
      }
    }
    if (step % 5 == 0) ExpectRowReads(grid, model, step);
    if (HasFatalFailure()) return;
  }
}

// Rows set from lines: a copy of the grid keeps its texts while the original loads new lines,
// is written to and cleared, and each grid loads into its own room afterwards.
TEST(TableGridLines, CopiesKeepTheirTextsWhileTheOriginalLoadsAgain) {
  TableGrid grid(5, 3, 1, 64);
  const auto load = [](TableGrid& into, int row, std::string_view line) {
    std::vector<std::uint32_t> ends(4);
    SplitEnds(line, 4, ends.data());
    into.SetLineCells(1, row, line, ends);
  };
  load(grid, 1, "01;Schwerin;;x");
  load(grid, 2, "02;Rostock");
  TableGrid copy = grid;
  load(grid, 1, "99;wird nicht geladen");  // the row holds a line: one joined line instead
  EXPECT_EQ(grid.Cell(2, 1), "wird nicht geladen");
  EXPECT_EQ(grid.Cell(4, 1), "");  // all four fields are written, the missing ones as empty
  grid.ClearCells();
  load(grid, 2, "03;Wismar;;;");
  load(copy, 0, "04;Stralsund");
  EXPECT_EQ(grid.Cell(2, 2), "Wismar");
  EXPECT_EQ(grid.StoredCells(2), 3);  // trailing empty fields take no room
  EXPECT_EQ(copy.Cell(1, 1), "01");
  EXPECT_EQ(copy.Cell(2, 1), "Schwerin");
  EXPECT_EQ(copy.Cell(3, 1), "");
  EXPECT_EQ(copy.Cell(4, 1), "x");
  EXPECT_EQ(copy.Cell(2, 2), "Rostock");
  EXPECT_EQ(copy.Cell(2, 0), "Stralsund");
  EXPECT_EQ(copy.StoredCells(1), 5);
}

// A line placed into a row that holds a line already (laid out by SetCells, by a line of its own,
// by a line kept in a caller's block, or with a kept text in one column), from every column
// before, inside and after the old cells, with empty and trailing empty fields, clipped by the
// last column: the row reads as writing every field cell by cell would leave it, and a later
// write to the row still works.
TEST(TableGridLines, ALinePlacedOverALineReadsAsCellByCellWrites) {
  const std::vector<std::vector<std::string>> olds = {
      {"07"}, {"07", "Name, Vorname", "07"}, {"", "x"}, {"a", "", ""}, {"", ""}};
  const std::vector<std::string> lines = {"", ";", "1", "1;;3", "1;2;3;4;5;6;7", ";;;x", "a;;"};
  constexpr int kCols = 7;
  for (int way = 0; way < 5; ++way) {
    for (const auto& old : olds) {
      for (int oldFirst = 0; oldFirst < 4; ++oldFirst) {
        for (const std::string& line : lines) {
          for (int firstCol = 0; firstCol < kCols; ++firstCol) {
            for (const int n : {1, 3, 7}) {
              TableGrid grid(kCols, 3, 1, 64);
              CellModel model(kCols, 3);
              const std::vector<std::string_view> oldTexts(old.begin(), old.end());
              std::string oldLine;
              for (std::size_t k = 0; k < old.size(); ++k) oldLine += (k > 0 ? ";" : "") + old[k];
              std::vector<std::uint32_t> oldEnds(old.size());
              SplitEnds(oldLine, static_cast<int>(old.size()), oldEnds.data());
              std::shared_ptr<char[]> block(new char[oldLine.size() + 1]);
              std::copy(oldLine.begin(), oldLine.end(), block.get());
              std::shared_ptr<std::uint32_t[]> endsBlock(new std::uint32_t[oldEnds.size()]);
              std::copy(oldEnds.begin(), oldEnds.end(), endsBlock.get());
              if (way == 0) {
                grid.SetCells(oldFirst, 1, oldTexts);
              } else if (way == 1) {
                grid.SetLineCells(oldFirst, 1, oldLine, oldEnds);
              } else if (way == 2) {
                grid.SetLineCells(oldFirst, 1, std::string_view(block.get(), oldLine.size()),
                                  std::span<const std::uint32_t>(endsBlock.get(), old.size()),
                                  block, endsBlock);
              }
              for (std::size_t k = 0; k < old.size(); ++k) {
                model.Set(oldFirst + static_cast<int>(k), 1, old[k]);
              }
              if (way >= 3) {
                // A kept text in place of the line's second field, or after the line.
                const int keptCol = way == 3 ? oldFirst + 1 : kCols - 1;
                const int kept = grid.KeepCellText(keptCol, "Gruppe");
                grid.SetLineCells(oldFirst, 1, oldLine, oldEnds, nullptr, nullptr, kept);
                model.Set(keptCol, 1, "Gruppe");
              }
              std::vector<std::uint32_t> ends(static_cast<std::size_t>(n));
              SplitEnds(line, n, ends.data());
              grid.SetLineCells(firstCol, 1, line, ends);
              const std::vector<std::string> fields = SplitRecord(line, n);
              for (std::size_t k = 0; k < fields.size(); ++k) {
                model.Set(firstCol + static_cast<int>(k), 1, fields[k]);
              }
              block.reset();  // the grid keeps what it still needs
              for (int pass = 0; pass < 2; ++pass) {
                for (int c = 0; c <= kCols; ++c) {
                  ASSERT_EQ(grid.Cell(c, 1), model.Get(c, 1))
                      << "way " << way << " old at " << oldFirst << " line \"" << line << "\" at "
                      << firstCol << " cell " << c << " pass " << pass;
                }
                ExpectRowReads(grid, model, way);
                ASSERT_FALSE(HasFatalFailure());
                grid.SetCell(kCols - 1 - firstCol, 1, "neu");
                model.Set(kCols - 1 - firstCol, 1, "neu");
              }
            }
          }
        }
      }
    }
  }
}

// Short rows written cell by cell, again and again, over many rows: old texts pile up until the
// grid gives rows texts of their own instead; every cell reads as written all the while, and a
// view taken before the writes to other rows stays valid.
TEST(TableGridModel, ShortRowsWrittenOverAndOverKeepEveryCell) {
  constexpr int kRows = 3000;
  TableGrid grid(5, kRows, 1, 64);
  CellModel model(5, kRows);
  std::mt19937 random(99);
  grid.SetCell(0, 0, "bleibt");
  const std::string_view view = grid.Cell(0, 0);
  const std::string words[] = {"", " ", "07", "Berufsschule", std::string(70, 'y')};
  for (int pass = 0; pass < 12; ++pass) {
    for (int row = 1; row < kRows; ++row) {
      const int col = static_cast<int>(random() % 5);
      const std::string& text = words[random() % std::size(words)];
      grid.SetCell(col, row, text);
      model.Set(col, row, text);
      if (random() % 4 == 0) {
        const int from = static_cast<int>(random() % 5);
        const std::string copied = model.Get(from, row);
        grid.SetCell((col + 1) % 5, row, grid.Cell(from, row));
        model.Set((col + 1) % 5, row, copied);
      }
    }
    for (int row = 1; row < kRows; ++row) {
      for (int c = 0; c < 5; ++c) {
        ASSERT_EQ(grid.Cell(c, row), model.Get(c, row))
            << "pass " << pass << " cell " << c << "," << row;
      }
    }
  }
  ExpectRowReads(
      grid,
      [&] {
        model.Set(0, 0, "bleibt");
        return model;
      }(),
      0);
  EXPECT_EQ(view, "bleibt");
}

// A view of a cell stays valid while other rows change and the grid gains rows.
TEST(TableGridModel, ViewsOfACellOutliveWritesToOtherRowsAndNewRows) {
  TableGrid grid(4, 2, 1, 64);
  grid.SetCell(1, 1, "kurz");
  const std::string_view view = grid.Cell(1, 1);
  grid.SetRowCount(5000);
  for (int row = 2; row < 5000; ++row) grid.SetCell(2, row, "anderswo");
  EXPECT_EQ(view, "kurz");
}

// A kept text shown in a row reads as SetCell would have written it, in every way a row is read,
// wherever it stands against the row's line; rows that cannot show one are left as they are.
TEST(TableGridModel, AKeptTextShownReadsAsTheCellWritten) {
  constexpr int kCols = 8;
  // The line "a;;c" stands in columns 2-4 of rows that hold one.
  enum class Row { Line, LineWithKeptText, OwnTexts, Empty };
  struct Case {
    Row row;
    int col;     // of the kept text
    bool shown;  // whether the row shows it
  };
  const Case cases[] = {
      {Row::Line, 0, true},      {Row::Line, 2, true},   {Row::Line, 3, true},
      {Row::Line, 4, true},      {Row::Line, 7, true},   {Row::LineWithKeptText, 3, false},
      {Row::OwnTexts, 3, false}, {Row::Empty, 3, false},
  };
  for (const Case& c : cases) {
    TableGrid grid(kCols, 3, 1, 64);
    CellModel model(kCols, 3);
    const std::string line = "a;;c";
    const std::uint32_t ends[] = {1, 2, 4};
    if (c.row != Row::Empty) {
      int kept = 0;
      if (c.row == Row::LineWithKeptText) {
        kept = grid.KeepCellText(6, "Gruppe");
        model.Set(6, 1, "Gruppe");
      }
      grid.SetLineCells(2, 1, line, ends, nullptr, nullptr, kept);
      model.Set(2, 1, "a");
      model.Set(4, 1, "c");
    }
    if (c.row == Row::OwnTexts) {
      grid.SetCell(7, 1, std::string(300, 'x'));  // too long for a new line: texts of its own
      model.Set(7, 1, std::string(300, 'x'));
    }
    const int id = grid.KeepCellText(c.col, "Beruf");
    ASSERT_NE(id, 0);
    ASSERT_EQ(grid.ShowKeptCell(1, id), c.shown) << "column " << c.col;
    if (c.shown) model.Set(c.col, 1, "Beruf");
    EXPECT_EQ(grid.StoredCells(1), c.row == Row::Empty ? 0 : model.LastText(1) + 1)
        << "column " << c.col;
    ExpectRowReads(grid, model, c.col);
    // Rows outside the grid and ids the grid never gave show nothing.
    EXPECT_FALSE(grid.ShowKeptCell(3, id));
    EXPECT_FALSE(grid.ShowKeptCell(1, id + 1));
    EXPECT_FALSE(grid.ShowKeptCell(1, 0));
    // A copy shows the same, and a later write to the row keeps the kept text.
    const TableGrid copy = grid;
    grid.SetCell(5, 1, "neu");
    model.Set(5, 1, "neu");
    ExpectRowReads(grid, model, c.col);
    EXPECT_EQ(copy.Cell(c.col, 1), c.shown ? "Beruf" : grid.Cell(c.col, 1));
  }
}

// Once the last row with a line lets it go, the kept texts go with the store; their ids are not
// given to later texts, so that a holder of an old id cannot show a text it never kept.
TEST(TableGridModel, IdsOfKeptTextsAreNotGivenTwice) {
  TableGrid grid(4, 3, 1, 64);
  const std::uint32_t ends[] = {1, 3};
  grid.SetLineCells(0, 1, "a;bb", ends);
  const int first = grid.KeepCellText(2, "alt");
  grid.SetCell(3, 1, std::string(300, 'x'));  // the only line row gets texts of its own
  grid.SetLineCells(0, 2, "c;dd", ends);
  const int second = grid.KeepCellText(2, "neu");
  EXPECT_NE(second, first);
  EXPECT_FALSE(grid.ShowKeptCell(2, first));
  EXPECT_EQ(grid.Cell(2, 2), "");
  EXPECT_TRUE(grid.ShowKeptCell(2, second));
  EXPECT_EQ(grid.Cell(2, 2), "neu");
  grid.ClearCells();
  EXPECT_FALSE(grid.ShowKeptCell(2, second));
}

// Rows outside the grid or a list that is not a permutation of the range leave the grid as it is.
TEST(TableGridModel, PermuteRowsIgnoresSourcesOutsideItsRange) {
  TableGrid grid(2, 4, 1, 64);
  for (int row = 0; row < 4; ++row) grid.SetCell(0, row, std::to_string(row));
  const std::vector<int> outside{2, 0};        // row 0 is before the first row 2
  const std::vector<int> tooMany{1, 2, 3, 0};  // four rows from row 1 run past the grid
  grid.PermuteRows(2, outside);
  grid.PermuteRows(1, tooMany);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(grid.Cell(0, row), std::to_string(row));
  grid.SetRowHeight(1, 9);
  const std::vector<int> reversed{3, 2, 1};
  grid.PermuteRows(1, reversed);
  EXPECT_EQ(grid.Cell(0, 1), "3");
  EXPECT_EQ(grid.Cell(0, 3), "1");
  EXPECT_EQ(grid.RowHeight(1), 9);  // heights stay with the positions
  EXPECT_EQ(grid.RowHeight(3), grid.DefaultRowHeight());
}

}  // namespace
}  // namespace tab
