#pragma once
// Table writers: one per file format, each writing a table as it is shown to an output sink,
// row by row as it converts them. A new format is one more writer in the list of TableWriters().
#include <cstddef>
#include <span>
#include <string_view>

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

 private:
  const TableGrid& grid_;
  int fixedCols_;
  int fixedRows_;
  int cols_ = 0;
  int rows_ = 0;
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

 private:
  char form_[128][8];
  unsigned char size_[128];
};

// Windows-1252 text written to the sink as UTF-8 (as Win1252ToUtf8 converts it), its ASCII bytes
// in their forms.
void WriteUtf8(OutputSink& sink, std::string_view win1252, const AsciiForms& forms);

}  // namespace tab
