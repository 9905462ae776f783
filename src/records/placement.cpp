#include "records/placement.hpp"

#include <algorithm>
#include <atomic>

#include "records/fields.hpp"
#include "records/file_names.hpp"
#include "records/text.hpp"

namespace tab {
namespace {

constexpr std::size_t kFirstEndsBlockWords = 1024;
constexpr std::size_t kMaxEndsBlockWords = 16 * 1024;

// Workers of a data-base check open files at the same time.
std::uint64_t NextSerial() {
  static std::atomic<std::uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

}  // namespace

DataFile::DataFile(const std::string& path, int fieldCount)
    : path_(path),
      serial_(NextSerial()),
      fieldCount_(fieldCount),
      exists_(!PathMissing(path)),
      reader_(path) {
  const auto count = static_cast<std::size_t>(std::max(0, fieldCount));
  endsBlockWords_ = std::max<std::size_t>(kFirstEndsBlockWords, count + kSplitSlack);
  NewEndsBlock();
  ends_ = {endsBlock_.get(), count};
  fields_.resize(count);
}

void DataFile::NewEndsBlock() {
  endsUsed_ = 0;
  // A block no one else holds is used again from its start; else the next one is twice as big
  // (up to a limit), so that a short file takes little room and a long one few blocks.
  if (endsBlock_ && endsBlock_.use_count() == 1) return;
  if (endsBlock_) {
    endsBlockWords_ = std::max(endsBlockWords_, std::min(2 * endsBlockWords_, kMaxEndsBlockWords));
  }
  endsBlock_.reset(new std::uint32_t[endsBlockWords_]);
}

std::span<const std::string_view> DataFile::Fields() const {
  if (!fieldsMade_) {
    for (std::size_t k = 0; k < fields_.size(); ++k) fields_[k] = FieldOfEnds(Line(), ends_, k);
    fieldsMade_ = true;
  }
  return fields_;
}

bool DataFile::ReportFailure(MessagePort& port) const {
  if (!exists_ || !reader_.Failed()) return false;
  port.IoError(path_, reader_.Error());
  return true;
}

RowIndex::RowIndex(const TableGrid& grid, int keyColumn, int firstRow, int lastRow) {
  const int first = std::max(firstRow, 0);
  const int last = std::min(lastRow, grid.RowCount() - 1);
  if (last < first) return;
  // Most rows have keys of their own: room for all of them at once.
  const auto count = static_cast<std::size_t>(last - first + 1);
  keys_.Reserve(count);
  rows_.reserve(count);
  for (int row = first; row <= last; ++row) Add(grid.Cell(keyColumn, row), row);
}

void RowIndex::Add(std::string_view key, int row) {
  const std::size_t number = keys_.Add(key);
  if (number == rows_.size()) {
    rows_.push_back({row, -1});
    return;
  }
  Rows& rows = rows_[number];
  if (rows.more < 0) {
    rows.more = static_cast<int>(more_.size());
    more_.push_back({rows.first});
  }
  more_[static_cast<std::size_t>(rows.more)].push_back(row);
}

bool RecordHasData(std::span<const std::string_view> fields) {
  for (std::size_t k = 1; k < fields.size(); ++k) {
    const std::string_view field = fields[k];
    // Byte order: greater than " " means longer than one space or a first byte above the space.
    if (field.empty()) continue;
    const auto first = static_cast<unsigned char>(field.front());
    if (first > ' ' || (first == ' ' && field.size() > 1)) return true;
  }
  return false;
}

void PutFields(TableGrid& grid, int row, std::span<const std::string_view> fields,
               int firstColumn) {
  grid.SetCells(firstColumn, row, fields);
}

void ClearCells(TableGrid& grid, int firstCol, int lastCol, int firstRow, int lastRow) {
  lastRow = std::min(lastRow, grid.RowCount() - 1);
  lastCol = std::min(lastCol, grid.ColCount() - 1);
  for (int row = std::max(firstRow, 0); row <= lastRow; ++row) {
    for (int col = std::max(firstCol, 0); col <= lastCol; ++col) grid.SetCell(col, row, {});
  }
}

void FillBlankColumn2FromColumn0(TableGrid& grid, int firstRow, int lastRow) {
  lastRow = std::min(lastRow, grid.RowCount() - 1);
  for (int row = std::max(firstRow, 0); row <= lastRow; ++row) {
    if (IsBlank(grid.Cell(2, row))) grid.SetCell(2, row, grid.Cell(0, row));
  }
}

void SetRowHeights(TableGrid& grid, int firstRow, int lastRow, int height) {
  lastRow = std::min(lastRow, grid.RowCount() - 1);
  for (int row = std::max(firstRow, 0); row <= lastRow; ++row) grid.SetRowHeight(row, height);
}

bool LoadSingleRecord(TableGrid& grid, const std::string& path, int fieldCount, MessagePort& port) {
  DataFile file(path, fieldCount);
  if (!file.Exists()) {
    ClearCells(grid, 1, fieldCount, 2, 2);
    return true;
  }
  for (int row = 1; row <= 2 && file.Next(); ++row) PutFields(grid, row, file, 1);
  return !file.ReportFailure(port);
}

void DefaultDienststelle(TableGrid& grid, const TableOptions& options) {
  const std::string_view number = grid.Cell(1, 2);
  if (IsBlank(number) || number == "00000") grid.SetCell(1, 2, options.schoolNumber);
}

void UnplacedRecords::Add(std::string_view key, const DataFile& file) {
  CountWithoutKey(file);
  if (++keys_ > kListedKeys) return;
  if (keys_ > 1) listed_ += separator_;
  if (key.size() <= kListedKeyBytes) {
    listed_ += key;
  } else {
    listed_ += key.substr(0, kListedKeyBytes);
    listed_ += '\x85';  // "…" in Windows-1252
  }
}

std::string UnplacedRecords::Keys() const {
  if (keys_ <= kListedKeys) return listed_;
  return listed_ + " \x85 und " + GroupedNumber(keys_ - kListedKeys) + " weitere";
}

std::string GroupedNumber(unsigned long long number) {
  const std::string digits = std::to_string(number);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
    grouped += digits[i];
  }
  return grouped;
}

namespace {

std::string MessageStart(const std::string& path, unsigned long long count) {
  return "Beim Einlesen der Datendatei:\n" + path + "\n" + "konnte(n) " + std::to_string(count);
}

}  // namespace

std::string UnplacedMessage(const std::string& path, unsigned long long count) {
  return MessageStart(path, count) + " Datensatz/-sätze nicht zugeordnet werden!";
}

std::string UnplacedMessageWithKeys(const std::string& path, const UnplacedRecords& unplaced) {
  return MessageStart(path, unplaced.Count()) + " Datensatz/-sätze [" +
         Win1252ToUtf8(unplaced.Keys()) + "]" + "\n" + "nicht zugeordnet werden!";
}

}  // namespace tab
