#pragma once
// A table grid: text cells addressed by column and row (both from 0), fixed heading rows and
// columns, a default column width and row height, per-column widths and per-row heights.
// Cells hold Windows-1252 bytes. Memory follows the content, not the declared size: a grid of
// 65535 x 65535 cells with a few texts costs a few MB.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tab {

class TableGrid {
 public:
  TableGrid(int cols = 5, int rows = 5, int fixedCols = 1, int defaultColWidth = 64,
            int defaultRowHeight = 18, int fixedRows = 1);

  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Counts are at least 1. Shrinking drops the cells beyond the new size (and the heights of the
  // rows dropped); column widths stay and apply again when the grid grows. Rows that appear get
  // the default height and no text.
  void SetColCount(int cols);
  void SetRowCount(int rows);

  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  int DefaultColWidth() const { return defaultColWidth_; }
  int DefaultRowHeight() const { return defaultRowHeight_; }

  // A width set for a column beyond the grid is kept and applies once the grid has the column.
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowHeight(int row) const;
  void SetRowHeight(int row, int height);  // ignored outside the grid

  // Empty text outside the grid or where nothing was written. The view stays valid until the
  // next write to the same row (or until the row is dropped or the cells are cleared).
  std::string_view Cell(int col, int row) const;
  // Writes inside the grid only; a write outside is dropped. The text may be a cell of this grid,
  // even of the same row. A row holds at most 4 GiB of text; a write beyond that is dropped.
  void SetCell(int col, int row, std::string_view text);
  // Empties every cell; sizes, widths and heights stay. The rows keep their room for the next
  // texts of the same table.
  void ClearCells();
  // Writes texts[k] into column firstCol + k of the row, as SetCell would one after the other.
  void SetCells(int firstCol, int row, std::span<const std::string_view> texts);
  // Writes the fields of a line cut by SplitEnds: field k goes to column firstCol + k, as
  // SetCells would write them. Into a row without texts the line goes as it is, with its ends,
  // into blocks the grid keeps for such rows: whole data files load without a copy per cell or
  // an allocation per row. The first other write to such a row gives it texts of its own.
  // A `block` given holds the line, an `endsBlock` the ends: they are not copied, the grid
  // keeps the blocks instead.
  void SetLineCells(int firstCol, int row, std::string_view line,
                    std::span<const std::uint32_t> ends,
                    const std::shared_ptr<char[]>& block = nullptr,
                    const std::shared_ptr<std::uint32_t[]>& endsBlock = nullptr);

  // How many cells a row keeps: up to the last one written (missing cells are empty).
  int StoredCells(int row) const;
  // Exchanges the texts of two rows; heights stay with the row positions.
  void SwapRowCells(int a, int b);
  // Rearranges rows: row first + i receives the texts row from[i] had. `from` lists each of
  // the rows first .. first + from.size() - 1 once. Heights stay with the row positions.
  void PermuteRows(int first, std::span<const int> from);

  // Where a row came from, for the reader: the line of the table's data file a record was
  // placed from (field k in column DataFirstColumn() + k - 1), and whether a key file laid the
  // row out (with its line there while no record has been placed into the row). The origin
  // moves with the row's texts when rows are sorted; setting the table up again (ClearCells)
  // forgets it. Lines are counted from 1; 0 is none.
  void SetDataOrigin(int row, std::uint32_t line, std::string_view file, int firstCol) {
    if (row < 0 || row >= RowCount()) return;
    Row& r = rows_[static_cast<std::size_t>(row)];
    r.origin = (r.origin & kKeyRowBit) | kDataLineBit | (line & kOriginLineMask);
    if (file != dataFile_ || firstCol != dataFirstCol_) SetDataFile(file, firstCol);
  }
  void SetKeyOrigin(int row, std::uint32_t line, std::string_view file);
  std::uint32_t DataLine(int row) const;
  bool IsKeyRow(int row) const;
  std::uint32_t KeyLine(int row) const;  // 0 once a record went into the row
  const std::string& DataFile() const { return dataFile_; }
  int DataFirstColumn() const { return dataFirstCol_; }
  const std::string& KeyFile() const { return keyFile_; }

 private:
  // The texts of a row one after the other; cell c ends at ends[c] and begins where cell c - 1
  // ends. A vector's bytes do not move when the row does, so views of cells survive row moves.
  // Texts written cell by cell: cell c ends at ends[c] and begins where cell c - 1 ends. A
  // vector's bytes do not move when the row does, so views of cells survive row moves.
  struct Texts {
    std::vector<char> bytes;
    std::vector<std::uint32_t> ends;
  };
  // A row set by SetLineCells keeps its line in the store instead (its own texts stay empty):
  // cell lineFirst + c is field c of the line, which begins one past the end of field c - 1.
  // Rows stay small, so that a grid of many rows is quick to grow, clear and sort.
  struct Row {
    Row() = default;
    Row(const Row& other);
    Row& operator=(const Row& other);
    Row(Row&&) noexcept = default;
    Row& operator=(Row&&) noexcept = default;
    ~Row() = default;

    std::unique_ptr<Texts> own;  // null until the row is first written cell by cell
    const char* line = nullptr;
    const std::uint32_t* lineEnds = nullptr;
    std::uint32_t lineCells = 0;
    std::uint32_t lineFirst = 0;
    int height = 0;
    // Where the row came from: the key-row bit, the data-line bit and a line number (of the
    // data file with the data-line bit, else of the key file). In the room the row has anyway.
    std::uint32_t origin = 0;
  };
  static constexpr std::uint32_t kKeyRowBit = 0x80000000U;
  static constexpr std::uint32_t kDataLineBit = 0x40000000U;
  static constexpr std::uint32_t kOriginLineMask = 0x3FFFFFFFU;
  void SetDataFile(std::string_view file, int firstCol);

  // The blocks rows set from lines point into. Nothing in a block changes once written, so a
  // copy of the grid shares the blocks; each grid appends to blocks of its own.
  class LineStore {
   public:
    LineStore() = default;
    LineStore(const LineStore& other)
        : blocks_(other.blocks_), kept_(other.kept_), keptEnds_(other.keptEnds_) {}
    LineStore& operator=(const LineStore& other);
    LineStore(LineStore&& other) noexcept;
    LineStore& operator=(LineStore&& other) noexcept;
    ~LineStore() = default;
    // Room for `words` numbers (or four times as many bytes).
    std::uint32_t* Allocate(std::size_t words) {
      if (words > left_) NewBlock(words);
      std::uint32_t* room = next_;
      next_ += words;
      left_ -= words;
      return room;
    }
    void Clear();
    // Keeps a block that lines or ends of rows lie in (once, however many rows it serves).
    void Keep(const std::shared_ptr<char[]>& block) {
      if (kept_.empty() || kept_.back() != block) kept_.push_back(block);
    }
    void Keep(const std::shared_ptr<std::uint32_t[]>& block) {
      if (keptEnds_.empty() || keptEnds_.back() != block) keptEnds_.push_back(block);
    }

   private:
    void NewBlock(std::size_t words);  // at least `words` big
    std::vector<std::shared_ptr<std::uint32_t[]>> blocks_;
    std::vector<std::shared_ptr<char[]>> kept_;  // blocks of others, kept for their lines
    std::vector<std::shared_ptr<std::uint32_t[]>> keptEnds_;  // and for their ends
    std::size_t total_ = 0;                                   // words in all blocks
    std::uint32_t* next_ = nullptr;
    std::size_t left_ = 0;
  };

  Row EmptyRow() const {
    Row row;
    row.height = defaultRowHeight_;
    return row;
  }
  // Whether a text lies in the row's bytes or line (and moves or goes when the row is written).
  static bool RowHolds(const Row& row, std::string_view text);
  // The row's own texts, before it is written to: a row set from a line gets its fields.
  Texts& Own(Row& row);
  // Lets go of a row's line (its texts are gone); the store goes with the last such row.
  void DropLine(Row& row);

  int colCount_;
  int fixedCols_;
  int fixedRows_;
  int defaultColWidth_;
  int defaultRowHeight_;
  std::vector<int> colWidths_;  // may be shorter or longer than the column count
  std::vector<Row> rows_;
  LineStore store_;
  std::size_t lineRows_ = 0;  // rows whose line is in the store
  std::string dataFile_;      // the data file rows were placed from
  int dataFirstCol_ = 0;
  std::string keyFile_;  // the key file that laid out the key rows
};

}  // namespace tab
