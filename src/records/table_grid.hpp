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
  std::string_view Cell(int col, int row) const {
    // Most rows hold a line without a kept text: their cells are read here, the rest below.
    if (static_cast<std::size_t>(row) < rows_.size() &&
        static_cast<unsigned>(col) < static_cast<unsigned>(colCount_)) {
      const Row& r = rows_[static_cast<std::size_t>(row)];
      if (r.line != nullptr && r.keptCell == 0) {
        // A column before the line's first wraps round to a large number: empty as well.
        const std::uint32_t c = static_cast<std::uint32_t>(col) - r.lineFirst;
        if (c >= r.lineCells) return {};
        const std::uint32_t begin = c == 0 ? 0 : r.lineEnds[c - 1] + 1;
        return {r.line + begin, r.lineEnds[c] - begin};
      }
    }
    return OtherCell(col, row);
  }
  // Asks for the memory a Cell of the row will look at, so that a loop over many rows finds a
  // row a few ahead in the cache; rows outside the grid are passed over.
  void PrefetchRow(int row) const {
    if (row < 0 || row >= RowCount()) return;
    const Row& r = rows_[static_cast<std::size_t>(row)];
    __builtin_prefetch(r.line);
    __builtin_prefetch(r.lineEnds);
  }
  // Writes inside the grid only; a write outside is dropped. The text may be a cell of this grid,
  // even of the same row. A row holds at most 4 GiB of text; a write beyond that is dropped.
  void SetCell(int col, int row, std::string_view text);
  // Empties every cell; sizes, widths and heights stay. The rows keep their room for the next
  // texts of the same table.
  void ClearCells();
  // Writes texts[k] into column firstCol + k of the row, as SetCell would one after the other.
  // Into a row without texts they go as one line into the grid's blocks (see SetLineCells).
  void SetCells(int firstCol, int row, std::span<const std::string_view> texts);
  // Writes the fields of a line cut by SplitEnds: field k goes to column firstCol + k, as
  // SetCells would write them. Into a row without texts the line goes as it is, with its ends,
  // into blocks the grid keeps for such rows: whole data files load without a copy per cell or
  // an allocation per row. A row that holds such a line already, with no cell beyond the new
  // line's columns, gets one line joined from its cells before firstCol and the new fields
  // (copied into the blocks: a record placed into a key row costs no allocation either). The
  // first other write to such a row gives it texts of its own.
  // A `block` given holds the line, an `endsBlock` the ends: they are not copied, the grid
  // keeps the blocks instead. With a `keptCell` of KeepCellText the row shows that text in its
  // column instead of the line's field there (an id that is 0 or no longer kept adds nothing).
  void SetLineCells(int firstCol, int row, std::string_view line,
                    std::span<const std::uint32_t> ends,
                    const std::shared_ptr<char[]>& block = nullptr,
                    const std::shared_ptr<std::uint32_t[]>& endsBlock = nullptr, int keptCell = 0);

  // A text that many rows show in one column, kept once by the grid (class table 9 shows the key
  // file once per group: each block's rows share their group's text). Returns an id for
  // SetLineCells, or 0 when the column lies outside the grid. The id serves while the grid keeps
  // rows set from lines: until ClearCells, or until no row holds a line any more. No id is given
  // twice before ClearCells.
  int KeepCellText(int col, std::string_view text);
  // Shows the kept text `keptCell` in its column of a row that holds a line and no kept text
  // yet, in place of the line's field there, as SetCell would write it: true. False, with
  // nothing changed, for any other row and for an id that is 0 or no longer kept. A completion
  // gives many rows the same few texts this way, without a new line for every row.
  bool ShowKeptCell(int row, int keptCell) {
    if (static_cast<std::size_t>(row) >= rows_.size() || KeptCellOfId(keptCell) == nullptr) {
      return false;
    }
    Row& r = rows_[static_cast<std::size_t>(row)];
    if (r.line == nullptr || r.keptCell != 0 || (r.own && !r.own->ends.empty())) return false;
    r.keptCell = static_cast<std::uint32_t>(keptCell);
    return true;
  }

  // One past the last column of the row that was written (missing cells are empty). A row keeps
  // room for every column up to there only while its texts lie close together; a row whose
  // texts stand far apart (a heading in column 65534) keeps the written cells alone.
  int StoredCells(int row) const;
  // The last column of the row whose cell holds a text (an empty one does not count), or -1.
  int LastTextColumn(int row) const;
  // The cells of columns 0 .. out.size() - 1 of a row, as Cell gives them, in one pass.
  void RowCells(int row, std::span<std::string_view> out) const;
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
  // `source` is a number that names the caller's open file and no other (0: none); while it
  // stays the same, the file's name is not compared again for every row.
  void SetDataOrigin(int row, std::uint32_t line, std::string_view file, int firstCol,
                     std::uint64_t source = 0) {
    if (row < 0 || row >= RowCount()) return;
    Row& r = rows_[static_cast<std::size_t>(row)];
    r.origin = (r.origin & kKeyRowBit) | kDataLineBit | (line & kOriginLineMask);
    if (source != 0 && source == dataSource_ && firstCol == dataFirstCol_) return;
    if (file != dataFile_ || firstCol != dataFirstCol_) SetDataFile(file, firstCol);
    dataSource_ = source;
  }
  void SetKeyOrigin(int row, std::uint32_t line, std::string_view file);
  std::uint32_t DataLine(int row) const;
  bool IsKeyRow(int row) const;
  std::uint32_t KeyLine(int row) const;  // 0 once a record went into the row
  const std::string& DataFile() const { return dataFile_; }
  int DataFirstColumn() const { return dataFirstCol_; }
  const std::string& KeyFile() const { return keyFile_; }

 private:
  // Texts written cell by cell, one after the other in `bytes`. While `cols` is empty the row
  // keeps every cell up to its last: cell c ends at ends[c] and begins where cell c - 1 ends.
  // A row whose texts stand far apart keeps its non-empty cells alone (sparse): cell cols[i]
  // ends at ends[i] and begins where entry i - 1 ends, cols ascending. A vector's bytes do not
  // move when the row does, so views of cells survive row moves.
  struct Texts {
    std::vector<char> bytes;
    std::vector<std::uint32_t> ends;
    std::vector<std::uint32_t> cols;  // empty: every cell up to the last is kept
  };
  // A row set by SetLineCells keeps its line in the store instead (its own texts stay empty):
  // cell lineFirst + c is field c of the line, which begins one past the end of field c - 1;
  // a kept cell (keptCell, 1-based into keptCells_) shows in its column instead of the line's
  // field. Rows stay small (48 bytes), so that a grid of many rows is quick to grow, clear and
  // sort.
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
    std::uint32_t keptCell = 0;  // 0: none
    // Where the row came from: the key-row bit, the data-line bit and a line number (of the
    // data file with the data-line bit, else of the key file).
    std::uint32_t origin = 0;
  };
  static_assert(sizeof(void*) != 8 || sizeof(Row) == 48, "a row stays at 48 bytes");
  // A text of KeepCellText, in the store.
  struct KeptCell {
    std::uint32_t col;
    std::string_view text;
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
        : blocks_(other.blocks_),
          kept_(other.kept_),
          keptEnds_(other.keptEnds_),
          total_(other.total_),
          placed_(other.placed_),
          garbage_(other.garbage_) {}
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
    // Counts the words of the lines rows were given (here or in kept blocks), and of those no
    // row shows any more.
    void Place(std::size_t words) { placed_ += words; }
    void Discard(std::size_t words) { garbage_ += words; }
    // Whether a row may leave `words` more of old lines behind: rows written anew leave their
    // old lines in the store until it is cleared, up to 4096 words and beyond that up to half of
    // what rows were given.
    bool MayDiscard(std::size_t words) const {
      constexpr std::size_t kFreeGarbageWords = 4096;
      const std::size_t garbage = garbage_ + words;
      return garbage <= kFreeGarbageWords || 2 * garbage <= placed_;
    }
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
    std::size_t placed_ = 0;
    std::size_t garbage_ = 0;
  };

  Row EmptyRow() const {
    Row row;
    row.height = defaultRowHeight_;
    return row;
  }
  // Cell for every row Cell does not read itself (and for positions outside the grid).
  std::string_view OtherCell(int col, int row) const;
  // Whether a text lies in the row's bytes, line or kept cell (and moves or goes when the row is
  // written).
  bool RowHolds(const Row& row, std::string_view text) const;
  // SetCell into the row's own texts (made from its line first where it has one).
  void WriteOwn(Row& r, std::size_t col, std::string_view text);
  // The row's own texts, before it is written to: a row set from a line gets its fields.
  Texts& Own(Row& row);
  // Lets go of a row's line (its texts are gone); the store goes with the last such row.
  void DropLine(Row& row);
  // Gives a row without own texts the line of `count` fields from column `first` on, field k
  // being field(k), copied into the store; the fields may lie in the row's old line.
  template <class Field>
  void StoreLine(Row& row, std::size_t first, std::size_t count, const Field& field);
  // SetLineCells into a row that holds a line already (no own texts; a kept text outside the new
  // line's columns stays): false, with nothing written, where old cells lie beyond the new
  // line's columns or far before them.
  bool JoinLine(Row& row, int firstCol, std::string_view line, std::span<const std::uint32_t> ends);
  // SetCell into a short row without own texts: the row gets a new line in the store with the
  // cell changed. False, with nothing written, where the row is long or far apart, or where the
  // store holds as many old lines as it may.
  bool RewriteLine(Row& row, std::size_t col, std::string_view text);
  const KeptCell* KeptCellOf(const Row& row) const {
    return row.keptCell == 0 ? nullptr : &keptCells_[row.keptCell - 1];
  }
  static constexpr std::uint32_t kNoKeptColumn = 0xFFFFFFFFU;  // of a kept text that is gone
  // The kept cell of an id, or null for 0, an unknown id or one whose text is gone.
  const KeptCell* KeptCellOfId(int keptCell) const {
    if (keptCell <= 0 || static_cast<std::size_t>(keptCell) > keptCells_.size()) return nullptr;
    const KeptCell& kept = keptCells_[static_cast<std::size_t>(keptCell) - 1];
    return kept.col < static_cast<std::size_t>(colCount_) ? &kept : nullptr;
  }

  // The texts of a row, cell by cell (both ways of keeping them).
  static std::string_view TextOf(const Texts& texts, std::size_t col);
  static std::size_t Extent(const Texts& texts);  // one past the last cell kept
  // Writes one cell; false when the row would hold more than 4 GiB (nothing is written).
  static bool Write(Texts& texts, std::size_t col, std::string_view text);
  static bool WriteSparse(Texts& texts, std::size_t col, std::string_view text);
  // Changes the bytes of entry i (ends[i - 1] .. ends[i]) to `text`; entries after it move.
  static bool Replace(Texts& texts, std::size_t entry, std::string_view text);
  static void MakeSparse(Texts& texts);
  static void MakeDense(Texts& texts);
  // Drops the cells from column `cols` on.
  static void Truncate(Texts& texts, std::size_t cols);

  int colCount_;
  int fixedCols_;
  int fixedRows_;
  int defaultColWidth_;
  int defaultRowHeight_;
  std::vector<int> colWidths_;  // may be shorter or longer than the column count
  std::vector<Row> rows_;
  LineStore store_;
  std::size_t lineRows_ = 0;  // rows whose line is in the store
  // Their texts in the store. When the store goes, the entries stay without a column (so that
  // no id is given twice) until ClearCells.
  std::vector<KeptCell> keptCells_;
  std::string dataFile_;          // the data file rows were placed from
  std::uint64_t dataSource_ = 0;  // the open file it was last set from
  int dataFirstCol_ = 0;
  std::string keyFile_;  // the key file that laid out the key rows
};

}  // namespace tab
