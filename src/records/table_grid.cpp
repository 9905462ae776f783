#include "records/table_grid.hpp"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "records/fields.hpp"
#include "records/large_block.hpp"

namespace tab {
namespace {

// A width may be set for a column the grid does not have yet, but not for one no grid can have:
// sizes come from 16-bit numbers.
constexpr int kMaxWidthColumns = 65536;

constexpr std::size_t kMaxRowBytes = std::numeric_limits<std::uint32_t>::max();

// A row keeps every cell up to its last while its texts lie close together. A write that leaves
// this many empty cells or more before it asks whether the written cells alone cost less.
constexpr std::size_t kSparseGap = 256;

bool PointsInto(std::string_view text, const char* bytes, std::size_t size) {
  const std::less<const char*> before;
  return !text.empty() && size != 0 && !before(text.data(), bytes) &&
         before(text.data(), bytes + size);
}

// Column `col` of a line that shows columns first .. end - 1 (each field begins one past the end
// of the one before); empty outside them.
std::string_view LineCell(const char* line, const std::uint32_t* ends, std::size_t first,
                          std::size_t end, std::size_t col) {
  if (col < first || col >= end) return {};
  const std::size_t f = col - first;
  const std::uint32_t begin = f == 0 ? 0 : ends[f - 1] + 1;
  return {line + begin, ends[f] - begin};
}

// Blocks of the line store: at least 64 KiB, growing with the store up to 4 MiB.
constexpr std::size_t kMinBlockWords = 16 * 1024;
constexpr std::size_t kMaxBlockWords = 1024 * 1024;

}  // namespace

TableGrid::LineStore& TableGrid::LineStore::operator=(const LineStore& other) {
  if (this != &other) {
    placed_ = other.placed_;
    garbage_ = other.garbage_;
    blocks_ = other.blocks_;
    kept_ = other.kept_;
    keptEnds_ = other.keptEnds_;
    total_ = other.total_;
    next_ = nullptr;  // the room left in the last block belongs to the other grid
    left_ = 0;
  }
  return *this;
}

TableGrid::LineStore::LineStore(LineStore&& other) noexcept
    : blocks_(std::move(other.blocks_)),
      kept_(std::move(other.kept_)),
      keptEnds_(std::move(other.keptEnds_)),
      total_(std::exchange(other.total_, 0)),
      next_(std::exchange(other.next_, nullptr)),
      left_(std::exchange(other.left_, 0)),
      placed_(std::exchange(other.placed_, 0)),
      garbage_(std::exchange(other.garbage_, 0)) {}

TableGrid::LineStore& TableGrid::LineStore::operator=(LineStore&& other) noexcept {
  if (this != &other) {
    blocks_ = std::move(other.blocks_);
    other.blocks_.clear();
    kept_ = std::move(other.kept_);
    other.kept_.clear();
    keptEnds_ = std::move(other.keptEnds_);
    other.keptEnds_.clear();
    total_ = std::exchange(other.total_, 0);
    next_ = std::exchange(other.next_, nullptr);
    left_ = std::exchange(other.left_, 0);
    placed_ = std::exchange(other.placed_, 0);
    garbage_ = std::exchange(other.garbage_, 0);
  }
  return *this;
}

void TableGrid::LineStore::NewBlock(std::size_t words) {
  const std::size_t size = std::max(words, std::clamp(total_, kMinBlockWords, kMaxBlockWords));
  // No value-initialisation: every word is written before it is read.
  blocks_.push_back(NewLargeBlock<std::uint32_t>(size));
  total_ += size;
  next_ = blocks_.back().get();
  left_ = size;
}

void TableGrid::LineStore::Clear() {
  *this = LineStore();
}

bool TableGrid::RowHolds(const Row& row, std::string_view text) const {
  if (row.line != nullptr) {
    const KeptCell* kept = KeptCellOf(row);
    return PointsInto(text, row.line, row.lineEnds[row.lineCells - 1]) ||
           (kept != nullptr && PointsInto(text, kept->text.data(), kept->text.size()));
  }
  return row.own && PointsInto(text, row.own->bytes.data(), row.own->bytes.size());
}

std::string_view TableGrid::TextOf(const Texts& texts, std::size_t col) {
  std::size_t entry = col;
  if (!texts.cols.empty()) {
    const auto found = std::lower_bound(texts.cols.begin(), texts.cols.end(), col);
    if (found == texts.cols.end() || *found != col) return {};
    entry = static_cast<std::size_t>(found - texts.cols.begin());
  } else if (col >= texts.ends.size()) {
    return {};
  }
  const std::uint32_t begin = entry == 0 ? 0 : texts.ends[entry - 1];
  return {texts.bytes.data() + begin, texts.ends[entry] - begin};
}

std::size_t TableGrid::Extent(const Texts& texts) {
  return texts.cols.empty() ? texts.ends.size() : std::size_t{texts.cols.back()} + 1;
}

bool TableGrid::Replace(Texts& texts, std::size_t entry, std::string_view text) {
  const std::size_t begin = entry == 0 ? 0 : texts.ends[entry - 1];
  const std::size_t length = texts.ends[entry] - begin;
  if (text.size() > length) {
    if (text.size() - length > kMaxRowBytes - texts.bytes.size()) return false;
    texts.bytes.insert(texts.bytes.begin() + static_cast<std::ptrdiff_t>(begin + length),
                       text.size() - length, '\0');
  } else if (text.size() < length) {
    texts.bytes.erase(texts.bytes.begin() + static_cast<std::ptrdiff_t>(begin + text.size()),
                      texts.bytes.begin() + static_cast<std::ptrdiff_t>(begin + length));
  }
  if (!text.empty()) std::memcpy(texts.bytes.data() + begin, text.data(), text.size());
  if (text.size() != length) {
    // The cells after this one move by the difference (unsigned arithmetic wraps as it should).
    const auto shift = static_cast<std::uint32_t>(text.size() - length);
    for (std::size_t e = entry; e < texts.ends.size(); ++e) texts.ends[e] += shift;
  }
  return true;
}

bool TableGrid::Write(Texts& texts, std::size_t col, std::string_view text) {
  if (!texts.cols.empty()) return WriteSparse(texts, col, text);
  const std::size_t stored = texts.ends.size();
  if (col < stored) return Replace(texts, col, text);
  if (text.empty()) return true;  // past the stored cells all is empty already
  if (col - stored >= kSparseGap) {
    // Keeping every cell up to this one would cost more than twice what the texts alone cost.
    std::size_t filled = 0;
    for (std::size_t c = 0; c < stored; ++c)
      filled += texts.ends[c] != (c == 0 ? 0 : texts.ends[c - 1]);
    if (col + 1 > 4 * (filled + 1)) {
      MakeSparse(texts);
      return WriteSparse(texts, col, text);
    }
  }
  const std::size_t used = texts.bytes.size();
  if (text.size() > kMaxRowBytes - used) return false;
  texts.ends.resize(col, static_cast<std::uint32_t>(used));  // the empty cells in between
  texts.ends.push_back(static_cast<std::uint32_t>(used + text.size()));
  texts.bytes.insert(texts.bytes.end(), text.begin(), text.end());
  return true;
}

bool TableGrid::WriteSparse(Texts& texts, std::size_t col, std::string_view text) {
  const auto found = std::lower_bound(texts.cols.begin(), texts.cols.end(), col);
  const auto entry = static_cast<std::size_t>(found - texts.cols.begin());
  const std::uint32_t begin = entry == 0 ? 0 : texts.ends[entry - 1];
  const auto at = static_cast<std::ptrdiff_t>(entry);
  if (found != texts.cols.end() && *found == col) {
    if (!text.empty()) return Replace(texts, entry, text);
    // An emptied cell is kept no more.
    const std::uint32_t length = texts.ends[entry] - begin;
    texts.bytes.erase(texts.bytes.begin() + begin, texts.bytes.begin() + begin + length);
    texts.cols.erase(texts.cols.begin() + at);
    texts.ends.erase(texts.ends.begin() + at);
    for (std::size_t e = entry; e < texts.ends.size(); ++e) texts.ends[e] -= length;
    return true;
  }
  if (text.empty()) return true;
  if (text.size() > kMaxRowBytes - texts.bytes.size()) return false;
  texts.bytes.insert(texts.bytes.begin() + begin, text.begin(), text.end());
  texts.cols.insert(found, static_cast<std::uint32_t>(col));
  texts.ends.insert(texts.ends.begin() + at, static_cast<std::uint32_t>(begin + text.size()));
  const auto size = static_cast<std::uint32_t>(text.size());
  for (std::size_t e = entry + 1; e < texts.ends.size(); ++e) texts.ends[e] += size;
  // Once the cells lie close together again, every cell is cheaper.
  if (2 * texts.cols.size() >= Extent(texts)) MakeDense(texts);
  return true;
}

void TableGrid::MakeSparse(Texts& texts) {
  std::vector<std::uint32_t> cols;
  std::vector<std::uint32_t> ends;
  std::uint32_t previous = 0;
  for (std::size_t c = 0; c < texts.ends.size(); ++c) {
    if (texts.ends[c] != previous) {
      cols.push_back(static_cast<std::uint32_t>(c));
      ends.push_back(texts.ends[c]);
    }
    previous = texts.ends[c];
  }
  // The bytes stay as they are: empty cells have none.
  texts.cols = std::move(cols);
  texts.ends = std::move(ends);
}

void TableGrid::MakeDense(Texts& texts) {
  std::vector<std::uint32_t> ends(Extent(texts));
  std::size_t entry = 0;
  std::uint32_t end = 0;
  for (std::size_t c = 0; c < ends.size(); ++c) {
    if (entry < texts.cols.size() && texts.cols[entry] == c) end = texts.ends[entry++];
    ends[c] = end;
  }
  texts.ends = std::move(ends);
  texts.cols = {};
}

void TableGrid::Truncate(Texts& texts, std::size_t cols) {
  std::size_t kept = cols;
  if (!texts.cols.empty()) {
    kept = static_cast<std::size_t>(std::lower_bound(texts.cols.begin(), texts.cols.end(), cols) -
                                    texts.cols.begin());
    texts.cols.resize(kept);
  } else if (texts.ends.size() <= kept) {
    return;
  }
  texts.bytes.resize(kept == 0 ? 0 : texts.ends[kept - 1]);
  texts.ends.resize(kept);
}

TableGrid::Row::Row(const Row& other)
    : own(other.own ? std::make_unique<Texts>(*other.own) : nullptr),
      line(other.line),
      lineEnds(other.lineEnds),
      lineCells(other.lineCells),
      lineFirst(other.lineFirst),
      height(other.height),
      keptCell(other.keptCell),
      origin(other.origin) {}

TableGrid::Row& TableGrid::Row::operator=(const Row& other) {
  if (this != &other) *this = Row(other);
  return *this;
}

TableGrid::Texts& TableGrid::Own(Row& row) {
  if (!row.own) row.own = std::make_unique<Texts>();
  Texts& texts = *row.own;
  if (row.line == nullptr) return texts;
  if (row.lineFirst < kSparseGap) {
    texts.ends.assign(row.lineFirst, 0);
    texts.ends.reserve(row.lineFirst + row.lineCells);
    texts.bytes.reserve(row.lineEnds[row.lineCells - 1]);
    for (std::uint32_t c = 0; c < row.lineCells; ++c) {
      const std::uint32_t begin = c == 0 ? 0 : row.lineEnds[c - 1] + 1;
      texts.bytes.insert(texts.bytes.end(), row.line + begin, row.line + row.lineEnds[c]);
      texts.ends.push_back(static_cast<std::uint32_t>(texts.bytes.size()));
    }
  } else {
    for (std::uint32_t c = 0; c < row.lineCells; ++c) {
      const std::uint32_t begin = c == 0 ? 0 : row.lineEnds[c - 1] + 1;
      Write(texts, row.lineFirst + c, {row.line + begin, row.lineEnds[c] - begin});
    }
  }
  if (const KeptCell* kept = KeptCellOf(row)) Write(texts, kept->col, kept->text);
  DropLine(row);
  return texts;
}

void TableGrid::DropLine(Row& row) {
  if (row.line == nullptr) return;
  row.line = nullptr;
  row.lineEnds = nullptr;
  row.lineCells = 0;
  row.lineFirst = 0;
  row.keptCell = 0;
  if (--lineRows_ == 0) {
    store_.Clear();
    // An id some caller still holds must not name a later text.
    for (KeptCell& kept : keptCells_) kept = {kNoKeptColumn, {}};
  }
}

template <class Field>
void TableGrid::StoreLine(Row& row, std::size_t first, std::size_t count, const Field& field) {
  std::size_t size = count - 1;  // a separator byte between fields, as in a line read from a file
  for (std::size_t k = 0; k < count; ++k) size += field(k).size();
  std::uint32_t* ends = store_.Allocate(count);
  // Words, so that the ends after them stay aligned.
  char* bytes = reinterpret_cast<char*>(store_.Allocate((size + 3) / 4));
  std::size_t at = 0;
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0) bytes[at++] = ';';
    const std::string_view text = field(k);
    if (!text.empty()) std::memcpy(bytes + at, text.data(), text.size());
    at += text.size();
    ends[k] = static_cast<std::uint32_t>(at);
  }
  store_.Place(count + (size + 3) / 4);
  if (row.line == nullptr) ++lineRows_;
  row.line = bytes;
  row.lineEnds = ends;
  row.lineCells = static_cast<std::uint32_t>(count);
  row.lineFirst = static_cast<std::uint32_t>(first);
  row.keptCell = 0;
}

TableGrid::TableGrid(int cols, int rows, int fixedCols, int defaultColWidth, int defaultRowHeight,
                     int fixedRows)
    : colCount_(std::max(1, cols)),
      fixedCols_(fixedCols),
      fixedRows_(fixedRows),
      defaultColWidth_(defaultColWidth),
      defaultRowHeight_(defaultRowHeight),
      rows_(static_cast<std::size_t>(std::max(1, rows)), EmptyRow()) {}

void TableGrid::SetColCount(int cols) {
  cols = std::max(1, cols);
  if (cols < colCount_) {
    const auto kept = static_cast<std::size_t>(cols);
    for (Row& row : rows_) {
      if (row.line != nullptr && row.lineFirst + row.lineCells > kept) {
        if (row.keptCell != 0) {
          Own(row);  // the kept cell may stay while the line goes: the row's own texts serve
        } else if (row.lineFirst >= kept) {
          DropLine(row);
        } else {
          row.lineCells = static_cast<std::uint32_t>(kept) - row.lineFirst;
        }
      }
      if (row.line != nullptr && row.keptCell != 0 && KeptCellOf(row)->col >= kept) {
        row.keptCell = 0;
      }
      if (row.own) Truncate(*row.own, kept);
    }
  }
  colCount_ = cols;
}

void TableGrid::SetRowCount(int rows) {
  const auto count = static_cast<std::size_t>(std::max(1, rows));
  if (lineRows_ != 0) {
    for (std::size_t row = count; row < rows_.size(); ++row) DropLine(rows_[row]);
  }
  if (count <= rows_.size()) {
    rows_.resize(count);
    return;
  }
  // Loaders add rows one at a time, a definition file many at once: room for all of them is
  // made in one step (at least doubling, so that rows added one by one stay cheap), and each
  // row is built in place.
  if (count > rows_.capacity()) rows_.reserve(std::max(count, 2 * rows_.capacity()));
  while (rows_.size() < count) rows_.emplace_back().height = defaultRowHeight_;
}

int TableGrid::ColWidth(int col) const {
  if (col < 0 || static_cast<std::size_t>(col) >= colWidths_.size()) return defaultColWidth_;
  return colWidths_[static_cast<std::size_t>(col)];
}

void TableGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= std::max(colCount_, kMaxWidthColumns)) return;
  const auto index = static_cast<std::size_t>(col);
  if (index >= colWidths_.size()) colWidths_.resize(index + 1, defaultColWidth_);
  colWidths_[index] = width;
}

int TableGrid::RowHeight(int row) const {
  if (row < 0 || row >= RowCount()) return defaultRowHeight_;
  return rows_[static_cast<std::size_t>(row)].height;
}

void TableGrid::SetRowHeight(int row, int height) {
  if (row < 0 || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)].height = height;
}

std::string_view TableGrid::OtherCell(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= RowCount()) return {};
  const Row& r = rows_[static_cast<std::size_t>(row)];
  const auto index = static_cast<std::size_t>(col);
  if (r.line != nullptr) {
    if (r.keptCell != 0) {
      const KeptCell& kept = keptCells_[r.keptCell - 1];
      if (kept.col == index) return kept.text;
    }
    return LineCell(r.line, r.lineEnds, r.lineFirst, r.lineFirst + r.lineCells, index);
  }
  return r.own ? TextOf(*r.own, index) : std::string_view();
}

void TableGrid::SetCell(int col, int row, std::string_view text) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= RowCount()) return;
  Row& r = rows_[static_cast<std::size_t>(row)];
  const auto index = static_cast<std::size_t>(col);
  if (text.empty() && index >= static_cast<std::size_t>(StoredCells(row))) {
    return;  // already empty: no need to store it
  }
  if (r.keptCell == 0 && (!r.own || r.own->ends.empty()) && RewriteLine(r, index, text)) return;
  WriteOwn(r, index, text);
}

void TableGrid::WriteOwn(Row& r, std::size_t col, std::string_view text) {
  // A text from this very row moves when the row's bytes do: take a copy first.
  std::string copy;
  if (RowHolds(r, text)) {
    copy.assign(text);
    text = copy;
  }
  Write(Own(r), col, text);
}

void TableGrid::SetCells(int firstCol, int row, std::span<const std::string_view> texts) {
  if (firstCol < 0) {
    // The texts for columns before column 0 are dropped, as single writes there would be.
    const auto dropped = std::min(texts.size(), static_cast<std::size_t>(-std::int64_t{firstCol}));
    texts = texts.subspan(dropped);
    firstCol = 0;
  }
  if (firstCol >= colCount_ || row < 0 || row >= RowCount()) return;
  Row& r = rows_[static_cast<std::size_t>(row)];
  // Only the columns the grid has.
  const std::size_t inGrid = std::min(texts.size(), static_cast<std::size_t>(colCount_ - firstCol));
  std::size_t bytes = 0;
  bool fromThisRow = false;
  for (std::size_t k = 0; k < inGrid; ++k) {
    bytes += texts[k].size();
    fromThisRow = fromThisRow || RowHolds(r, texts[k]);
  }
  if (fromThisRow) {
    // Texts of this row move with every write to it: all of them are copied before the first.
    const std::vector<std::string> copies(texts.begin(),
                                          texts.begin() + static_cast<std::ptrdiff_t>(inGrid));
    const std::vector<std::string_view> views(copies.begin(), copies.end());
    SetCells(firstCol, row, views);
    return;
  }
  const auto first = static_cast<std::size_t>(firstCol);
  if (r.line == nullptr && (!r.own || r.own->ends.empty()) && bytes + inGrid < kMaxRowBytes) {
    // A row without texts: one line in the store (trailing empty texts need no room).
    std::size_t count = inGrid;
    while (count > 0 && texts[count - 1].empty()) --count;
    if (count > 0) StoreLine(r, first, count, [&](std::size_t k) { return texts[k]; });
    return;
  }
  if (r.line != nullptr && r.keptCell == 0 && (!r.own || r.own->ends.empty())) {
    // A row that holds a line (with no cell far from the texts): a new line in the store with
    // the texts in place, while old lines make up at most half of what rows were given.
    const std::size_t oldFirst = r.lineFirst;
    const std::size_t oldEnd = oldFirst + r.lineCells;
    const std::size_t newFirst = std::min(oldFirst, first);
    const std::size_t newEnd = std::max(oldEnd, first + inGrid);
    const std::size_t oldBytes = r.lineEnds[r.lineCells - 1];
    const std::size_t oldWords = r.lineCells + (oldBytes + 3) / 4;
    if (newEnd - newFirst < kSparseGap && bytes + oldBytes + (newEnd - newFirst) < kMaxRowBytes &&
        store_.MayDiscard(oldWords)) {
      const char* line = r.line;
      const std::uint32_t* ends = r.lineEnds;
      const auto field = [&](std::size_t k) -> std::string_view {
        const std::size_t c = newFirst + k;
        if (c >= first && c < first + inGrid) return texts[c - first];
        return LineCell(line, ends, oldFirst, oldEnd, c);
      };
      std::size_t count = newEnd - newFirst;
      while (count > 0 && field(count - 1).empty()) --count;
      store_.Discard(oldWords);
      if (count == 0) {
        DropLine(r);
      } else {
        StoreLine(r, newFirst, count, field);
      }
      return;
    }
  }
  Texts& t = Own(r);
  if (!t.cols.empty() || first < t.ends.size() || first - t.ends.size() >= kSparseGap ||
      bytes > kMaxRowBytes - t.bytes.size()) {
    // Cells already stored in the way, or far from them: one after the other.
    for (std::size_t k = 0; k < inGrid; ++k) SetCell(firstCol + static_cast<int>(k), row, texts[k]);
    return;
  }
  // Trailing empty texts need no storage.
  std::size_t count = inGrid;
  while (count > 0 && texts[count - 1].empty()) --count;
  if (count == 0) return;
  // The common case of a record placed into an empty row: appended in one go.
  auto used = static_cast<std::uint32_t>(t.bytes.size());
  t.ends.reserve(first + count);
  t.ends.resize(first, used);
  t.bytes.resize(t.bytes.size() + bytes);
  char* out = t.bytes.data() + used;
  for (std::size_t k = 0; k < count; ++k) {
    const std::string_view text = texts[k];
    if (!text.empty()) std::memcpy(out, text.data(), text.size());
    out += text.size();
    used += static_cast<std::uint32_t>(text.size());
    t.ends.push_back(used);
  }
}

void TableGrid::SetLineCells(int firstCol, int row, std::string_view line,
                             std::span<const std::uint32_t> ends,
                             const std::shared_ptr<char[]>& block,
                             const std::shared_ptr<std::uint32_t[]>& endsBlock, int keptCell) {
  if (row < 0 || row >= RowCount()) return;
  Row& r = rows_[static_cast<std::size_t>(row)];
  if (KeptCellOfId(keptCell) == nullptr) keptCell = 0;
  // Where the line cannot be kept as it is, the kept text is written after the fields. It is
  // copied first: the writes may let go of the store it lies in.
  std::string keptText;
  int keptCol = -1;
  const auto takeKeptCell = [&] {
    if (keptCell == 0) return;
    const KeptCell& kept = keptCells_[static_cast<std::size_t>(keptCell) - 1];
    keptText.assign(kept.text);
    keptCol = static_cast<int>(kept.col);
  };
  if (firstCol >= 0 && firstCol < colCount_ && r.line != nullptr && keptCell == 0 &&
      (!r.own || r.own->ends.empty()) && JoinLine(r, firstCol, line, ends)) {
    return;
  }
  if (firstCol < 0 || firstCol >= colCount_ || r.line != nullptr ||
      (r.own && !r.own->ends.empty()) || line.size() + ends.size() >= kMaxRowBytes) {
    // Texts in the way (or columns to drop): cell by cell.
    takeKeptCell();
    std::vector<std::string_view> texts(ends.size());
    for (std::size_t k = 0; k < ends.size(); ++k) texts[k] = FieldOfEnds(line, ends, k);
    SetCells(firstCol, row, texts);
    if (keptCol >= 0) SetCell(keptCol, row, keptText);
    return;
  }
  // Only the columns the grid has, and trailing empty fields need no room.
  std::size_t count = std::min(ends.size(), static_cast<std::size_t>(colCount_ - firstCol));
  while (count > 0 && FieldOfEnds(line, ends, count - 1).empty()) --count;
  if (count == 0) {
    takeKeptCell();
    if (keptCol >= 0) SetCell(keptCol, row, keptText);
    return;
  }
  const std::size_t size = ends[count - 1];
  // The line and its ends stay where they are when their blocks can be kept, else they are
  // copied into the store.
  if (endsBlock) {
    store_.Keep(endsBlock);
    r.lineEnds = ends.data();
  } else {
    std::uint32_t* room = store_.Allocate(count);
    std::memcpy(room, ends.data(), count * sizeof(std::uint32_t));
    r.lineEnds = room;
  }
  if (block) {
    store_.Keep(block);
    r.line = line.data();
  } else {
    // Words, so that the ends after them stay aligned.
    char* bytes = reinterpret_cast<char*>(store_.Allocate((size + 3) / 4));
    std::memcpy(bytes, line.data(), size);
    r.line = bytes;
  }
  r.lineCells = static_cast<std::uint32_t>(count);
  r.lineFirst = static_cast<std::uint32_t>(firstCol);
  r.keptCell = static_cast<std::uint32_t>(keptCell);
  store_.Place(count + (size + 3) / 4);
  ++lineRows_;
}

bool TableGrid::JoinLine(Row& r, int firstCol, std::string_view line,
                         std::span<const std::uint32_t> ends) {
  const auto first = static_cast<std::size_t>(firstCol);
  const std::size_t inGrid = std::min(ends.size(), static_cast<std::size_t>(colCount_) - first);
  const std::size_t oldFirst = r.lineFirst;
  const std::size_t oldEnd = oldFirst + r.lineCells;
  // The old cells from the new line's columns on are all written over; those before them stay,
  // with empty cells up to the new line where the old one ends early.
  if (oldEnd > first + inGrid || (oldEnd < first && first - oldEnd >= kSparseGap)) return false;
  if (line.size() + r.lineEnds[r.lineCells - 1] + inGrid + kSparseGap >= kMaxRowBytes) {
    return false;
  }
  // A kept text outside the new line's columns stays; one inside them is written over.
  const KeptCell* keptText = KeptCellOf(r);
  const bool keepsText =
      keptText != nullptr && (keptText->col < first || keptText->col >= first + inGrid);
  const std::size_t kept = first > oldFirst ? first - oldFirst : 0;
  const std::size_t start = kept > 0 ? oldFirst : first;
  const std::size_t oldKept = std::min<std::size_t>(kept, r.lineCells);
  // Trailing empty fields need no room: a field is empty where it ends one past the end before.
  const auto emptyField = [](const std::uint32_t* e, std::size_t k) {
    return e[k] == (k == 0 ? 0 : e[k - 1] + 1);
  };
  std::size_t count = inGrid;
  while (count > 0 && emptyField(ends.data(), count - 1)) --count;
  std::size_t keptCount = kept;
  if (count == 0) {
    keptCount = oldKept;
    while (keptCount > 0 && emptyField(r.lineEnds, keptCount - 1)) --keptCount;
    if (keptCount == 0) {
      if (keepsText) return false;  // the kept text needs a line to stand beside
      DropLine(r);
      return true;
    }
  }
  // The kept cells' bytes as they stand (with their separators), a separator for each empty
  // cell up to the new line, and the new line's bytes.
  const std::size_t oldKeptCount = std::min(keptCount, oldKept);
  const std::size_t keptBytes = oldKeptCount == 0 ? 0 : r.lineEnds[oldKeptCount - 1];
  const std::size_t newBytes = count == 0 ? 0 : ends[count - 1];
  const std::size_t total = keptCount + count;
  // A separator before every cell but the first.
  std::size_t size = keptBytes + (keptCount - oldKeptCount) - (oldKeptCount == 0 && keptCount > 0);
  if (count > 0) size += (keptCount > 0 ? 1 : 0) + newBytes;
  store_.Discard(r.lineCells + (r.lineEnds[r.lineCells - 1] + 3) / 4);
  store_.Place(total + (size + 3) / 4);
  std::uint32_t* joinedEnds = store_.Allocate(total);
  char* bytes = reinterpret_cast<char*>(store_.Allocate((size + 3) / 4));
  if (keptBytes != 0) std::memcpy(bytes, r.line, keptBytes);
  std::copy(r.lineEnds, r.lineEnds + oldKeptCount, joinedEnds);
  std::size_t at = keptBytes;
  for (std::size_t k = oldKeptCount; k < keptCount; ++k) {
    if (k > 0) bytes[at++] = ';';
    joinedEnds[k] = static_cast<std::uint32_t>(at);
  }
  if (count > 0) {
    if (keptCount > 0) bytes[at++] = ';';
    if (newBytes != 0) std::memcpy(bytes + at, line.data(), newBytes);
    for (std::size_t k = 0; k < count; ++k) {
      joinedEnds[keptCount + k] = static_cast<std::uint32_t>(at + ends[k]);
    }
  }
  r.line = bytes;
  r.lineEnds = joinedEnds;
  r.lineCells = static_cast<std::uint32_t>(total);
  r.lineFirst = static_cast<std::uint32_t>(start);
  if (!keepsText) r.keptCell = 0;
  return true;
}

bool TableGrid::RewriteLine(Row& r, std::size_t col, std::string_view text) {
  // Rows up to this size are written anew: a copy costs less than texts of their own.
  constexpr std::size_t kShortRowBytes = 256;
  if (r.line == nullptr) {
    // Nothing stored yet (an empty text returned earlier).
    if (text.size() > kShortRowBytes) return false;
    StoreLine(r, col, 1, [&](std::size_t) { return text; });
    return true;
  }
  const std::size_t first = r.lineFirst;
  const std::size_t end = first + r.lineCells;
  const std::size_t newFirst = std::min(first, col);
  const std::size_t newEnd = std::max(end, col + 1);
  const std::size_t oldBytes = r.lineEnds[r.lineCells - 1];
  if (newEnd - newFirst > kShortRowBytes / 4 || oldBytes + text.size() > kShortRowBytes) {
    return false;
  }
  // Old lines stay in the store until it is cleared: they may make up half of it at most.
  const std::size_t oldWords = r.lineCells + (oldBytes + 3) / 4;
  if (!store_.MayDiscard(oldWords)) return false;
  store_.Discard(oldWords);
  const char* line = r.line;
  const std::uint32_t* ends = r.lineEnds;
  if (col >= first && col < end && !(text.empty() && col + 1 == end)) {
    // A cell of the line changes: the bytes before and after it are copied as they stand, the
    // ends after it move by the difference.
    const std::size_t f = col - first;
    const std::size_t begin = f == 0 ? 0 : ends[f - 1] + 1;
    const std::size_t size = oldBytes - (ends[f] - begin) + text.size();
    // Ends and bytes in one piece of the store: the bytes follow the ends.
    std::uint32_t* newEnds = store_.Allocate(r.lineCells + (size + 3) / 4);
    char* bytes = reinterpret_cast<char*>(newEnds + r.lineCells);
    std::memcpy(bytes, line, begin);
    if (!text.empty()) std::memcpy(bytes + begin, text.data(), text.size());
    std::memcpy(bytes + begin + text.size(), line + ends[f], oldBytes - ends[f]);
    std::copy(ends, ends + f, newEnds);
    const auto shift = static_cast<std::uint32_t>(begin + text.size() - ends[f]);
    for (std::size_t k = f; k < r.lineCells; ++k) newEnds[k] = ends[k] + shift;
    store_.Place(r.lineCells + (size + 3) / 4);
    r.line = bytes;
    r.lineEnds = newEnds;
    return true;
  }
  if (col >= end && !text.empty()) {
    // A cell after the line: its bytes and empty cells up to the new one follow.
    const std::size_t cells = col + 1 - first;
    const std::size_t size = oldBytes + (col + 1 - end) + text.size();
    std::uint32_t* newEnds = store_.Allocate(cells + (size + 3) / 4);
    char* bytes = reinterpret_cast<char*>(newEnds + cells);
    std::memcpy(bytes, line, oldBytes);
    std::copy(ends, ends + r.lineCells, newEnds);
    std::size_t at = oldBytes;
    for (std::size_t k = r.lineCells; k < cells; ++k) {
      bytes[at++] = ';';
      newEnds[k] = static_cast<std::uint32_t>(at);
    }
    std::memcpy(bytes + at, text.data(), text.size());
    newEnds[cells - 1] = static_cast<std::uint32_t>(at + text.size());
    store_.Place(cells + (size + 3) / 4);
    r.line = bytes;
    r.lineEnds = newEnds;
    r.lineCells = static_cast<std::uint32_t>(cells);
    return true;
  }
  const auto field = [&](std::size_t k) -> std::string_view {
    const std::size_t c = newFirst + k;
    return c == col ? text : LineCell(line, ends, first, end, c);
  };
  std::size_t count = newEnd - newFirst;
  while (count > 0 && field(count - 1).empty()) --count;
  if (count == 0) {
    DropLine(r);
  } else {
    StoreLine(r, newFirst, count, field);
  }
  return true;
}

int TableGrid::KeepCellText(int col, std::string_view text) {
  if (col < 0 || col >= colCount_ ||
      keptCells_.size() >= std::numeric_limits<std::uint32_t>::max()) {
    return 0;
  }
  // Words, as everything in the store.
  char* bytes = reinterpret_cast<char*>(store_.Allocate((text.size() + 3) / 4));
  if (!text.empty()) std::memcpy(bytes, text.data(), text.size());
  keptCells_.push_back({static_cast<std::uint32_t>(col), {bytes, text.size()}});
  return static_cast<int>(keptCells_.size());
}

void TableGrid::ClearCells() {
  dataFile_.clear();
  dataSource_ = 0;
  dataFirstCol_ = 0;
  keyFile_.clear();
  for (Row& row : rows_) {
    row.origin = 0;
    if (row.own) {
      row.own->bytes.clear();
      row.own->ends.clear();
      row.own->cols.clear();
    }
    if (row.line == nullptr) continue;
    row.line = nullptr;
    row.lineEnds = nullptr;
    row.lineCells = 0;
    row.lineFirst = 0;
    row.keptCell = 0;
  }
  lineRows_ = 0;
  store_.Clear();
  keptCells_.clear();
}

int TableGrid::StoredCells(int row) const {
  if (row < 0 || row >= RowCount()) return 0;
  const Row& r = rows_[static_cast<std::size_t>(row)];
  if (r.line != nullptr) {
    const KeptCell* kept = KeptCellOf(r);
    const std::uint32_t extent = r.lineFirst + r.lineCells;
    return static_cast<int>(kept != nullptr ? std::max(extent, kept->col + 1) : extent);
  }
  return r.own ? static_cast<int>(Extent(*r.own)) : 0;
}

int TableGrid::LastTextColumn(int row) const {
  if (row < 0 || row >= RowCount()) return -1;
  const Row& r = rows_[static_cast<std::size_t>(row)];
  if (r.line != nullptr) {
    // A kept text may stand beyond the fields or in place of one of them: cell by cell.
    for (int c = StoredCells(row); c-- > 0;) {
      if (!Cell(c, row).empty()) return c;
    }
    return -1;
  }
  if (!r.own) return -1;
  const Texts& texts = *r.own;
  for (std::size_t entry = texts.ends.size(); entry-- > 0;) {
    if (texts.ends[entry] > (entry == 0 ? 0 : texts.ends[entry - 1])) {
      return static_cast<int>(texts.cols.empty() ? entry : texts.cols[entry]);
    }
  }
  return -1;
}

void TableGrid::RowCells(int row, std::span<std::string_view> out) const {
  std::fill(out.begin(), out.end(), std::string_view());
  if (row < 0 || row >= RowCount()) return;
  const Row& r = rows_[static_cast<std::size_t>(row)];
  const std::size_t cols = std::min(out.size(), static_cast<std::size_t>(colCount_));
  if (r.line != nullptr) {
    std::uint32_t begin = 0;
    for (std::size_t c = 0; c < r.lineCells && r.lineFirst + c < cols; ++c) {
      out[r.lineFirst + c] = {r.line + begin, r.lineEnds[c] - begin};
      begin = r.lineEnds[c] + 1;
    }
    if (const KeptCell* kept = KeptCellOf(r); kept != nullptr && kept->col < cols) {
      out[kept->col] = kept->text;
    }
    return;
  }
  if (!r.own) return;
  const Texts& texts = *r.own;
  std::uint32_t begin = 0;
  for (std::size_t entry = 0; entry < texts.ends.size(); ++entry) {
    const std::size_t c = texts.cols.empty() ? entry : texts.cols[entry];
    if (c >= cols) break;
    out[c] = {texts.bytes.data() + begin, texts.ends[entry] - begin};
    begin = texts.ends[entry];
  }
}

void TableGrid::SwapRowCells(int a, int b) {
  if (a < 0 || b < 0 || a >= RowCount() || b >= RowCount()) return;
  Row& ra = rows_[static_cast<std::size_t>(a)];
  Row& rb = rows_[static_cast<std::size_t>(b)];
  std::swap(ra, rb);
  std::swap(ra.height, rb.height);  // heights stay with the row positions
}

void TableGrid::PermuteRows(int first, std::span<const int> from) {
  if (first < 0 || first > RowCount() ||
      from.size() > static_cast<std::size_t>(RowCount() - first)) {
    return;
  }
  const int end = first + static_cast<int>(from.size());
  for (const int source : from) {
    if (source < first || source >= end) return;
  }
  std::vector<Row> moved;
  moved.reserve(from.size());
  for (const int source : from) moved.push_back(std::move(rows_[static_cast<std::size_t>(source)]));
  for (std::size_t i = 0; i < moved.size(); ++i) {
    Row& r = rows_[static_cast<std::size_t>(first) + i];
    const int height = r.height;  // heights stay with the positions
    r = std::move(moved[i]);
    r.height = height;
  }
}

void TableGrid::SetDataFile(std::string_view file, int firstCol) {
  dataFile_ = file;
  dataFirstCol_ = firstCol;
}

void TableGrid::SetKeyOrigin(int row, std::uint32_t line, std::string_view file) {
  if (row < 0 || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)].origin = kKeyRowBit | (line & kOriginLineMask);
  if (file != keyFile_) keyFile_ = file;
}

std::uint32_t TableGrid::DataLine(int row) const {
  if (row < 0 || row >= RowCount()) return 0;
  const std::uint32_t origin = rows_[static_cast<std::size_t>(row)].origin;
  return (origin & kDataLineBit) != 0 ? origin & kOriginLineMask : 0;
}

bool TableGrid::IsKeyRow(int row) const {
  return row >= 0 && row < RowCount() &&
         (rows_[static_cast<std::size_t>(row)].origin & kKeyRowBit) != 0;
}

std::uint32_t TableGrid::KeyLine(int row) const {
  if (!IsKeyRow(row)) return 0;
  const std::uint32_t origin = rows_[static_cast<std::size_t>(row)].origin;
  return (origin & kDataLineBit) != 0 ? 0 : origin & kOriginLineMask;
}

}  // namespace tab
