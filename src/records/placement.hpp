#pragma once
// The shared steps the table loaders compose: reading a data file record by record, looking up
// rows by key, writing fields, the column-2 fill, row heights and the unplaced-record report.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/fields.hpp"
#include "records/line_reader.hpp"
#include "records/message_port.hpp"
#include "records/table_grid.hpp"
#include "records/text_index.hpp"

namespace tab {

// The settings the loaders read, as they stand when a loader runs.
struct TableOptions {
  bool lowerRowsWithoutData = false;   // row-height option
  bool prefillOff = false;             // prefill option is 0
  bool reportUnplaced = true;          // report option
  std::string schoolNumber = "00000";  // Dienststelle number of the settings (Windows-1252)
};

// A data file read line by line: every line converted from the OEM code page and cut into the
// table's number of fields.
class DataFile {
 public:
  DataFile(const std::string& path, int fieldCount);

  // False only for a file that is not there; one in a folder that cannot be searched exists
  // (its reading fails and is reported).
  bool Exists() const { return exists_; }
  // Reads the next record; false at the end of the file or after a read error.
  bool Next() {
    fieldsMade_ = false;
    if (!exists_) return false;
    NextEnds();
    if (!reader_.NextRecord(line_, fieldCount_, ends_.data())) return false;
    ++lineNumber_;
    return true;
  }
  // The line the record read last came from, counted from 1.
  std::uint32_t LineNumber() const { return lineNumber_; }
  const std::string& Path() const { return path_; }
  // A number that no other data file opened in this run takes.
  std::uint64_t Serial() const { return serial_; }
  // Field k, counted from 1 as the capture columns are.
  std::string_view Field(int k) const {
    return FieldOfEnds(Line(), ends_, static_cast<std::size_t>(k - 1));
  }
  std::span<const std::string_view> Fields() const;
  // The record's line (converted) and where its fields end in it, as SplitEnds gives them.
  std::string_view Line() const { return {line_.data(), line_.size()}; }
  std::span<const std::uint32_t> Ends() const { return ends_; }
  // The blocks the line and its ends lie in (the line's may be null), for a grid to keep
  // instead of copies. The file writes the next records elsewhere while a block is kept.
  const std::shared_ptr<char[]>& LineBlock() const { return reader_.LineBlock(); }
  const std::shared_ptr<std::uint32_t[]>& EndsBlock() const { return endsBlock_; }
  // Reports a read error (the platform's text) and returns true when there was one.
  bool ReportFailure(MessagePort& port) const;

 private:
  std::string path_;
  std::uint64_t serial_;
  int fieldCount_;
  bool exists_;
  std::uint32_t lineNumber_ = 0;
  LineReader reader_;
  // Room for the next record's ends in endsBlock_: the ends of record after record, one block
  // after the other, a block written over only when no one else holds it.
  void NextEnds() {
    const auto count = ends_.size();
    if (endsUsed_ + count + kSplitSlack > endsBlockWords_) NewEndsBlock();
    ends_ = {endsBlock_.get() + endsUsed_, count};
    endsUsed_ += count;
  }
  void NewEndsBlock();

  std::span<char> line_;
  std::span<std::uint32_t> ends_;
  std::shared_ptr<std::uint32_t[]> endsBlock_;
  std::size_t endsBlockWords_ = 0;
  std::size_t endsUsed_ = 0;
  // The fields as views, made when asked for.
  mutable std::vector<std::string_view> fields_;
  mutable bool fieldsMade_ = false;
};

// Rows of a grid looked up by the text of one column (keyed placement without scanning every
// row for every record).
class RowIndex {
 public:
  RowIndex(const TableGrid& grid, int keyColumn, int firstRow, int lastRow);
  // Matching rows in the order they were added (ascending as the loaders add them); empty when
  // none. Valid until the next Add.
  std::span<const int> Find(std::string_view key) const {
    const std::size_t number = keys_.Find(key);
    if (number == TextIndex::kNone) return {};
    const Rows& rows = rows_[number];
    if (rows.more < 0) return {&rows.first, 1};
    return more_[static_cast<std::size_t>(rows.more)];
  }
  void Add(std::string_view key, int row);

 private:
  // Most keys have one row; the rows of a key that has more are listed in more_, all of them.
  struct Rows {
    int first;
    int more;  // index into more_, or -1
  };
  TextIndex keys_;
  std::vector<Rows> rows_;  // by the number of the key
  std::vector<std::vector<int>> more_;
};

// A record has data when one of its fields 2..N sorts after a single space: not empty, not
// exactly one space and not starting with a byte below the space.
bool RecordHasData(std::span<const std::string_view> fields);

// Field k goes to column firstColumn + k - 1.
void PutFields(TableGrid& grid, int row, std::span<const std::string_view> fields, int firstColumn);
// The same with the record just read from a data file.
inline void PutFields(TableGrid& grid, int row, const DataFile& file, int firstColumn) {
  grid.SetLineCells(firstColumn, row, file.Line(), file.Ends(), file.LineBlock(), file.EndsBlock());
  grid.SetDataOrigin(row, file.LineNumber(), file.Path(), firstColumn, file.Serial());
}
// Empties columns firstCol..lastCol of rows firstRow..lastRow (clipped to the grid).
void ClearCells(TableGrid& grid, int firstCol, int lastCol, int firstRow, int lastRow);
// Rows firstRow..lastRow whose column 2 is blank get the text of their column 0.
void FillBlankColumn2FromColumn0(TableGrid& grid, int firstRow, int lastRow);
void SetRowHeights(TableGrid& grid, int firstRow, int lastRow, int height);

// Who wants to know where the unplaced records stand (the data-base check): told the file and
// line of each record that a loader counts as unplaced. The window has none.
class UnplacedLines {
 public:
  virtual ~UnplacedLines() = default;
  virtual void Unplaced(const std::string& path, std::uint64_t line) = 0;
};

// Records that no row received. Counters are wider than the file format's 16 bits so that a
// large file never shows a wrapped count. The list of keys names the first kListedKeys of them;
// the rest are counted, so that a million unplaced keys make a short message.
class UnplacedRecords {
 public:
  static constexpr unsigned long long kListedKeys = 50;
  // A key longer than this (a line of megabytes without a separator) is listed cut, with "…".
  static constexpr std::size_t kListedKeyBytes = 100;

  explicit UnplacedRecords(UnplacedLines* lines, char separator = '|')
      : lines_(lines), separator_(separator) {}
  // The record just read from `file` is counted.
  void CountWithoutKey(const DataFile& file) {
    ++count_;
    if (lines_ != nullptr) lines_->Unplaced(file.Path(), file.LineNumber());
  }
  // The same, and its key is listed.
  void Add(std::string_view key, const DataFile& file);
  unsigned long long Count() const { return count_; }
  // Windows-1252: the listed keys joined by the separator and, after more than kListedKeys,
  // how many more there are: "01|02|…|50 … und 999.950 weitere".
  std::string Keys() const;

 private:
  UnplacedLines* lines_;
  char separator_;
  unsigned long long count_ = 0;
  unsigned long long keys_ = 0;  // keys added
  std::string listed_;
};

// A count as German texts write it, in groups of three digits: 999950 gives "999.950".
std::string GroupedNumber(unsigned long long number);

// "Beim Einlesen der Datendatei:" ... with the count only.
std::string UnplacedMessage(const std::string& path, unsigned long long count);
// The form with the keys in brackets before "nicht zugeordnet werden!".
std::string UnplacedMessageWithKeys(const std::string& path, const UnplacedRecords& unplaced);

// Single-record tables: lines 1 and 2 of the data file (the id line and the record) go to rows 1
// and 2, field k to column k; further lines are not read. Without a file, columns 1..n of row 2
// are emptied. False after a read error (reported).
bool LoadSingleRecord(TableGrid& grid, const std::string& path, int fieldCount, MessagePort& port);
// The general-data tables: a Dienststelle number in column 1, row 2 that is blank or "00000"
// shows the number of the settings instead.
void DefaultDienststelle(TableGrid& grid, const TableOptions& options);

// Whether the unplaced-record message is due: some records were unplaced and the report option
// is on.
inline bool ShouldReport(const TableOptions& options, const UnplacedRecords& unplaced) {
  return options.reportUnplaced && unplaced.Count() > 0;
}

}  // namespace tab
