#pragma once
// Table writers: one per file format, each writing a table as it is shown to an output sink,
// row by row as it converts them. A new format is one more writer in the list of TableWriters().
#include <algorithm>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "export/output_sink.hpp"
#include "records/table_grid.hpp"

namespace tab {

// A grid as the writers see it: its declared size, its fixed rows and columns, and its used
// extent: the fixed rows and columns and every row and column up to the last cell that holds a
// text. A definition file may declare 65535 x 65535 cells of which a few hold headings; the
// extent is what is worth writing.
class TableSource {
 public:
  explicit TableSource(const TableGrid& grid);

  const TableGrid& Grid() const { return grid_; }
  int Cols() const { return cols_; }  // of the used extent
  int Rows() const { return rows_; }
  bool BeyondExtent() const { return cols_ < grid_.ColCount() || rows_ < grid_.RowCount(); }
  // Within the declared size.
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  // Windows-1252, empty outside the grid.
  std::string_view Cell(int col, int row) const { return grid_.Cell(col, row); }
  // The cells of a row in the used extent (Cols() of them), in one pass; valid until the grid
  // changes.
  std::span<const std::string_view> Row(int row) const {
    grid_.RowCells(row, row_);
    return row_;
  }

 private:
  const TableGrid& grid_;
  int fixedCols_;
  int fixedRows_;
  int cols_ = 0;
  int rows_ = 0;
  mutable std::vector<std::string_view> row_;  // the cells Row() gives
};

class TableWriter {
 public:
  virtual ~TableWriter() = default;
  // The name of the format on the command line ("csv").
  virtual std::string_view Format() const = 0;
  // Writes the cells of the used extent; stops early once the sink has failed. Finishing the
  // sink is the caller's.
  virtual void Write(const TableSource& table, OutputSink& sink) const = 0;
};

// Every table writer, and the one of a format (null for none).
std::span<const TableWriter* const> TableWriters();
const TableWriter* FindTableWriter(std::string_view format);

// How a writer writes the ASCII bytes of a text: each as it is, or as an escape of at most six
// bytes (a doubled quote, \n, \u001f).
inline constexpr std::size_t kMostEscapedBytes = 6;
class AsciiForms {
 public:
  AsciiForms();  // every byte as it is
  void Escape(char byte, std::string_view form);
  bool Plain(unsigned char byte) const { return size_[byte] == 0; }
  const char* Form(unsigned char byte) const { return form_[byte]; }  // 8 bytes, padded
  std::size_t Size(unsigned char byte) const { return size_[byte]; }
  // True when every byte of the text is ASCII written as it is: then the text is its own form.
  bool AllPlain(std::string_view text) const {
    unsigned char all = 1;
    for (const char c : text) all &= plain_[static_cast<unsigned char>(c)];
    return all != 0;
  }

 private:
  char form_[128][8];
  unsigned char size_[128];
  unsigned char plain_[256];  // 1 for an ASCII byte written as it is
};

// Windows-1252 text written to the sink as UTF-8 (as Win1252ToUtf8 converts it), its ASCII bytes
// in their forms.
void WriteUtf8(OutputSink& sink, std::string_view win1252, const AsciiForms& forms);

// Most cells are a few ASCII bytes that need no form of their own: such a text goes out in one
// copy, between `before` and `after` (at most two bytes each), and the answer is true. For any
// other text nothing is written and the answer is false.
inline bool WriteIfPlain(OutputSink& sink, std::string_view before, std::string_view win1252,
                         std::string_view after, const AsciiForms& forms) {
  constexpr std::size_t kShort = 256;
  if (win1252.size() > kShort || before.size() > 2 || after.size() > 2 ||
      !forms.AllPlain(win1252)) {
    return false;
  }
  // std::copy, not memcpy: an empty text may have no bytes at all.
  char* out = sink.Room(kShort + 4);
  out = std::copy(before.begin(), before.end(), out);
  out = std::copy(win1252.begin(), win1252.end(), out);
  std::copy(after.begin(), after.end(), out);
  sink.Commit(before.size() + win1252.size() + after.size());
  return true;
}

}  // namespace tab
