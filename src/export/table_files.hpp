#pragma once
// A table grid as the user takes it away: the block of a selection as tab-separated text and as
// an HTML table (the clipboard), and the whole table as a spreadsheet CSV file or an Excel
// workbook. Every cell goes out as text, exactly as the grid holds it ("06" stays "06").
// Files are written under a temporary name beside the target and renamed when complete; a
// failure or a cancel leaves no file, and its reason is German.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "records/table_grid.hpp"

namespace tab {

// The part of a grid that holds text: the columns up to the last one written in any row and
// the rows up to the last one with a written cell. The fixed rows and columns always count.
struct UsedExtent {
  int cols = 0;
  int rows = 0;
};
UsedExtent UsedExtentOf(const TableGrid& grid);

// A stretch of rows or columns, both ends included.
struct Span {
  int first = 0;
  int last = -1;
  int Count() const { return last - first + 1; }
};

// A block of cells: the rows of `rows` crossed with the columns of `cols` (each list sorted,
// stretches apart). With headings, the fixed heading rows come above the block's columns and
// the fixed key columns before each of its rows (and before the heading rows).
struct CellBlock {
  std::vector<Span> rows;
  std::vector<Span> cols;
  bool headings = false;
};

// Merges stretches into sorted ones that neither overlap nor touch.
std::vector<Span> MergeSpans(std::vector<Span> spans);
// The block cut to the cells of `extent` right of the fixed columns and below the fixed rows:
// those are headings, which come only with `headings`.
CellBlock ClipBlock(const TableGrid& grid, CellBlock block, UsedExtent extent);

// How many bytes the block takes as tab-separated text and as the HTML table (an estimate from
// above, without building either).
struct BlockSize {
  std::uint64_t text = 0;
  std::uint64_t html = 0;
};
BlockSize EstimateBlockSize(const TableGrid& grid, const CellBlock& block);

// The block as UTF-8: cells separated by tabs, each row ending in a line break; and as an HTML
// document whose cells are marked as text, headings bold.
std::string BlockText(const TableGrid& grid, const CellBlock& block);
std::string BlockHtml(const TableGrid& grid, const CellBlock& block);

// The outcome of writing a file. `error` is the German reason of a failure; a cancel has none.
struct ExportResult {
  bool ok = false;
  bool cancelled = false;
  std::string error;
};

// Called now and then while rows are written: rows done, rows in all. False cancels.
using ExportProgress = std::function<bool(int done, int total)>;

// The used extent of the grid (every row and column shown, fixed ones included) as CSV for
// spreadsheet programs: UTF-8 with a byte-order mark, ';' between cells, CR LF after each row,
// a cell quoted (quotes doubled) when it holds ';', '"', a line break or outer blanks.
ExportResult WriteSpreadsheetCsv(const TableGrid& grid, const std::string& path,
                                 const ExportProgress& progress = {});

// The used extent of the grid as an Excel workbook of one worksheet named `sheetName` (cut to
// what Excel allows): every cell a text cell, the fixed rows and columns bold and frozen, the
// column widths of the grid. Written row by row in the library's constant-memory mode.
ExportResult WriteXlsx(const TableGrid& grid, const std::string& path, const std::string& sheetName,
                       const ExportProgress& progress = {});

// The largest sheet an Excel workbook holds.
inline constexpr int kXlsxMaxRows = 1048576;
inline constexpr int kXlsxMaxCols = 16384;

// A worksheet name Excel accepts: at most 31 characters, none of []:*?/\ (UTF-8 in and out).
std::string XlsxSheetName(const std::string& name);

// Where a file is written before it gets its name, and the move into place. The temporary file
// lies in the target's folder (so that the rename cannot cross file systems); a failure removes
// it and says why.
class PendingFile {
 public:
  explicit PendingFile(std::string target);
  ~PendingFile();  // removes the temporary file unless committed
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Creates the temporary file; false (and Error()) when the folder cannot take it.
  bool Create();
  const std::string& TemporaryPath() const { return temporary_; }
  // The open descriptor of the temporary file (-1 after Release()).
  int Descriptor() const { return fd_; }
  // Closes the descriptor, for a writer that opens the file by its name.
  void Release();
  // Flushes, closes and renames; false (and Error()) on failure, the temporary file removed.
  bool Commit();
  // Gives up: the temporary file is removed.
  void Discard();
  const std::string& Error() const { return error_; }
  void Fail(std::string reason) { error_ = std::move(reason); }

 private:
  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  bool committed_ = false;
  std::string error_;
};

// The German text of a failed export of `path`: "Die Datei „…“ konnte nicht geschrieben werden:"
// and the reason on the next line.
std::string ExportFailureText(const std::string& path, const std::string& reason);

}  // namespace tab
