#include "export/table_files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "records/error_text.hpp"
#include "records/text.hpp"

namespace tab {

// ---- extent and blocks ---------------------------------------------------------------------

UsedExtent UsedExtentOf(const TableGrid& grid) {
  UsedExtent extent;
  for (int row = 0; row < grid.RowCount(); ++row) {
    const int stored = std::min(grid.StoredCells(row), grid.ColCount());
    if (stored == 0) continue;
    // A row counts from its last non-empty cell: a row written empty again holds nothing.
    int last = stored - 1;
    while (last >= 0 && grid.Cell(last, row).empty()) --last;
    if (last < 0) continue;
    extent.rows = row + 1;
    extent.cols = std::max(extent.cols, last + 1);
  }
  extent.rows = std::min(grid.RowCount(), std::max(extent.rows, grid.FixedRows()));
  extent.cols = std::min(grid.ColCount(), std::max(extent.cols, grid.FixedCols()));
  return extent;
}

std::vector<Span> MergeSpans(std::vector<Span> spans) {
  std::erase_if(spans, [](const Span& s) { return s.last < s.first; });
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.first < b.first; });
  std::vector<Span> merged;
  for (const Span& span : spans) {
    if (!merged.empty() && static_cast<long long>(span.first) <= merged.back().last + 1LL) {
      merged.back().last = std::max(merged.back().last, span.last);
    } else {
      merged.push_back(span);
    }
  }
  return merged;
}

namespace {

std::vector<Span> Clip(const std::vector<Span>& spans, int first, int end) {
  std::vector<Span> clipped;
  for (Span span : MergeSpans(spans)) {
    span.first = std::max(span.first, first);
    span.last = std::min(span.last, end - 1);
    if (span.first <= span.last) clipped.push_back(span);
  }
  return clipped;
}

template <typename Visit>
void ForEach(const std::vector<Span>& spans, Visit visit) {
  for (const Span& span : spans) {
    for (int i = span.first; i <= span.last; ++i) visit(i);
  }
}

std::uint64_t CountOf(const std::vector<Span>& spans) {
  std::uint64_t count = 0;
  for (const Span& span : spans) count += static_cast<std::uint64_t>(span.Count());
  return count;
}

// The rows the block shows, in order (heading rows first), and its columns.
std::vector<Span> BlockRows(const TableGrid& grid, const CellBlock& block) {
  if (!block.headings || grid.FixedRows() == 0) return block.rows;
  std::vector<Span> rows = block.rows;
  rows.push_back({0, grid.FixedRows() - 1});
  return MergeSpans(rows);
}

std::vector<Span> BlockCols(const TableGrid& grid, const CellBlock& block) {
  if (!block.headings || grid.FixedCols() == 0) return block.cols;
  std::vector<Span> cols = block.cols;
  cols.push_back({0, grid.FixedCols() - 1});
  return MergeSpans(cols);
}

std::uint64_t Utf8Length(std::string_view win1252) {
  std::uint64_t length = win1252.size();
  for (const char c : win1252) {
    if (static_cast<unsigned char>(c) >= 0x80) length += 2;  // at most three bytes
  }
  return length;
}

void AppendHtmlEscaped(std::string& out, std::string_view utf8) {
  for (const char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\n':
        out += "<br>";
        break;
      case '\r':
        break;
      default:
        out += c;
    }
  }
}

// A cell of tab-separated text: quoted as spreadsheets quote it when it holds a tab, a line
// break or a quote.
void AppendTextCell(std::string& out, std::string_view utf8) {
  if (utf8.find_first_of("\t\r\n\"") == std::string_view::npos) {
    out += utf8;
    return;
  }
  out += '"';
  for (const char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

CellBlock ClipBlock(const TableGrid& grid, CellBlock block, UsedExtent extent) {
  block.rows = Clip(block.rows, grid.FixedRows(), extent.rows);
  block.cols = Clip(block.cols, grid.FixedCols(), extent.cols);
  return block;
}

BlockSize EstimateBlockSize(const TableGrid& grid, const CellBlock& block) {
  const std::vector<Span> rows = BlockRows(grid, block);
  const std::vector<Span> cols = BlockCols(grid, block);
  const std::uint64_t cells = CountOf(rows) * CountOf(cols);
  std::uint64_t bytes = 0;
  ForEach(rows, [&](int row) {
    const int stored = grid.StoredCells(row);
    for (const Span& span : cols) {
      for (int col = span.first; col <= std::min(span.last, stored - 1); ++col) {
        bytes += Utf8Length(grid.Cell(col, row));
      }
    }
  });
  BlockSize size;
  // Each cell one separator (or the line break); quoting doubles a quote at most.
  size.text = bytes * 2 + cells;
  // "<td>" "</td>" around each cell, escapes up to six bytes a character, the rows' tags.
  size.html = bytes * 6 + cells * 9 + CountOf(rows) * 10 + 512;
  return size;
}

std::string BlockText(const TableGrid& grid, const CellBlock& block) {
  const std::vector<Span> rows = BlockRows(grid, block);
  const std::vector<Span> cols = BlockCols(grid, block);
  std::string out;
  ForEach(rows, [&](int row) {
    bool first = true;
    ForEach(cols, [&](int col) {
      if (!first) out += '\t';
      first = false;
      AppendTextCell(out, Win1252ToUtf8(grid.Cell(col, row)));
    });
    out += '\n';
  });
  return out;
}

std::string BlockHtml(const TableGrid& grid, const CellBlock& block) {
  const std::vector<Span> rows = BlockRows(grid, block);
  const std::vector<Span> cols = BlockCols(grid, block);
  // Cells marked as text for the spreadsheet programs: "06" stays "06".
  std::string out =
      "<html><head><meta charset=\"utf-8\">"
      "<style>td,th{mso-number-format:\"\\@\";}th{font-weight:bold;text-align:left;}</style>"
      "</head><body><table>\n";
  ForEach(rows, [&](int row) {
    const bool headingRow = block.headings && row < grid.FixedRows();
    out += "<tr>";
    ForEach(cols, [&](int col) {
      const bool heading = block.headings && (headingRow || col < grid.FixedCols());
      out += heading ? "<th x:str>" : "<td x:str>";
      AppendHtmlEscaped(out, Win1252ToUtf8(grid.Cell(col, row)));
      out += heading ? "</th>" : "</td>";
    });
    out += "</tr>\n";
  });
  out += "</table></body></html>\n";
  return out;
}

// ---- files ---------------------------------------------------------------------------------

std::string ExportFailureText(const std::string& path, const std::string& reason) {
  return "Die Datei \xE2\x80\x9E" + path + "\xE2\x80\x9C konnte nicht geschrieben werden:\n" +
         reason;
}

PendingFile::PendingFile(std::string target) : target_(std::move(target)) {}

PendingFile::~PendingFile() {
  if (!committed_) Discard();
}

bool PendingFile::Create() {
  const std::size_t slash = target_.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target_.substr(0, slash);
  const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  std::string pattern = folder + "/." + name + ".XXXXXX";
  fd_ = mkstemp(pattern.data());
  if (fd_ < 0) {
    error_ = ErrorText(errno);
    return false;
  }
  temporary_ = pattern;
  // mkstemp makes the file for its owner only; the finished file gets the usual mode.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd_, 0666 & ~mask);
  return true;
}

void PendingFile::Release() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

bool PendingFile::Commit() {
  if (temporary_.empty()) return false;
  if (fd_ >= 0) {
    if (fsync(fd_) != 0 && errno != EINVAL) {
      error_ = ErrorText(errno);
      Discard();
      return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
      error_ = ErrorText(errno);
      Discard();
      return false;
    }
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    error_ = ErrorText(errno);
    Discard();
    return false;
  }
  committed_ = true;
  return true;
}

void PendingFile::Discard() {
  Release();
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
}

namespace {

// Buffered writes to a descriptor; the first failure is kept.
class FileOut {
 public:
  explicit FileOut(int fd) : fd_(fd) { buffer_.reserve(kSize + 4096); }
  void Add(std::string_view text) {
    buffer_ += text;
    if (buffer_.size() >= kSize) Flush();
  }
  void Add(char c) { buffer_ += c; }
  bool Flush() {
    std::size_t done = 0;
    while (error_ == 0 && done < buffer_.size()) {
      const ssize_t n = write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
      } else {
        done += static_cast<std::size_t>(n);
      }
    }
    buffer_.clear();
    return error_ == 0;
  }
  int Error() const { return error_; }

 private:
  static constexpr std::size_t kSize = 1 << 20;
  int fd_;
  std::string buffer_;
  int error_ = 0;
};

void AppendCsvCell(FileOut& out, std::string_view utf8) {
  const bool quote = utf8.find_first_of(";\"\r\n") != std::string_view::npos ||
                     (!utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' '));
  if (!quote) {
    out.Add(utf8);
    return;
  }
  std::string cell = "\"";
  for (const char c : utf8) {
    if (c == '"') cell += '"';
    cell += c;
  }
  cell += '"';
  out.Add(cell);
}

constexpr int kProgressRows = 2048;

ExportResult Cancelled() {
  ExportResult result;
  result.cancelled = true;
  return result;
}

ExportResult Failed(std::string reason) {
  ExportResult result;
  result.error = std::move(reason);
  return result;
}

}  // namespace

ExportResult WriteSpreadsheetCsv(const TableGrid& grid, const std::string& path,
                                 const ExportProgress& progress) {
  PendingFile file(path);
  if (!file.Create()) return Failed(file.Error());
  const UsedExtent extent = UsedExtentOf(grid);
  FileOut out(file.Descriptor());
  out.Add("\xEF\xBB\xBF");
  for (int row = 0; row < extent.rows; ++row) {
    if (progress && row % kProgressRows == 0 && !progress(row, extent.rows)) return Cancelled();
    const int stored = std::min(grid.StoredCells(row), extent.cols);
    for (int col = 0; col < extent.cols; ++col) {
      if (col > 0) out.Add(';');
      if (col < stored) AppendCsvCell(out, Win1252ToUtf8(grid.Cell(col, row)));
    }
    out.Add("\r\n");
    if (out.Error() != 0) break;
  }
  if (!out.Flush()) return Failed(ErrorText(out.Error()));
  if (!file.Commit()) return Failed(file.Error());
  return {true, false, {}};
}

std::string XlsxSheetName(const std::string& name) {
  std::string cleaned;
  int characters = 0;
  for (std::size_t i = 0; i < name.size() && characters < 31;) {
    const auto lead = static_cast<unsigned char>(name[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::string_view character(name.data() + i, std::min(length, name.size() - i));
    if (character.size() == 1 &&
        std::string_view("[]:*?/\\").find(character[0]) != std::string_view::npos) {
      cleaned += '_';
    } else {
      cleaned += character;
    }
    i += length;
    ++characters;
  }
  // Excel refuses a name that begins or ends with an apostrophe, and an empty one.
  if (!cleaned.empty() && cleaned.front() == '\'') cleaned.front() = '_';
  if (!cleaned.empty() && cleaned.back() == '\'') cleaned.back() = '_';
  return cleaned.empty() ? "Tabelle" : cleaned;
}

namespace {

std::string XlsxErrorText(lxw_error error, int savedErrno) {
  switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
      return savedErrno != 0 ? ErrorText(savedErrno) : "Die Datei konnte nicht angelegt werden.";
    case LXW_ERROR_CREATING_TMPFILE:
      return "Eine Zwischendatei konnte nicht angelegt werden (" + ErrorText(savedErrno) + ").";
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
      return "Nicht genug Arbeitsspeicher.";
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
      return savedErrno != 0 ? ErrorText(savedErrno)
                             : "Die Excel-Datei konnte nicht vollst\xC3\xA4ndig geschrieben "
                               "werden (ist der Datentr\xC3\xA4ger voll?).";
    default:
      return std::string("Fehler der Excel-Ausgabe: ") + lxw_strerror(error);
  }
}

}  // namespace

ExportResult WriteXlsx(const TableGrid& grid, const std::string& path, const std::string& sheetName,
                       const ExportProgress& progress) {
  const UsedExtent extent = UsedExtentOf(grid);
  if (extent.rows > kXlsxMaxRows || extent.cols > kXlsxMaxCols) {
    return Failed("Die Tabelle ist mit " + std::to_string(extent.rows) + " Zeilen und " +
                  std::to_string(extent.cols) +
                  " Spalten gr\xC3\xB6\xC3\x9F"
                  "er, als ein Excel-Arbeitsblatt fasst (1.048.576 Zeilen, 16.384 Spalten).");
  }
  PendingFile file(path);
  if (!file.Create()) return Failed(file.Error());
  file.Release();  // the library opens the file by its name

  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  errno = 0;
  lxw_workbook* book = workbook_new_opt(file.TemporaryPath().c_str(), &options);
  if (book == nullptr) return Failed("Nicht genug Arbeitsspeicher.");
  lxw_worksheet* sheet = workbook_add_worksheet(book, XlsxSheetName(sheetName).c_str());
  if (sheet == nullptr) sheet = workbook_add_worksheet(book, nullptr);
  lxw_format* bold = workbook_add_format(book);
  format_set_bold(bold);
  format_set_num_format(bold, "@");
  lxw_format* text = workbook_add_format(book);
  format_set_num_format(text, "@");

  for (int col = 0; col < extent.cols; ++col) {
    worksheet_set_column_pixels(sheet, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col),
                                static_cast<std::uint32_t>(std::max(0, grid.ColWidth(col))),
                                nullptr);
  }
  worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(grid.FixedRows()),
                         static_cast<lxw_col_t>(grid.FixedCols()));

  bool cancelled = false;
  for (int row = 0; row < extent.rows; ++row) {
    if (progress && row % kProgressRows == 0 && !progress(row, extent.rows)) {
      cancelled = true;
      break;
    }
    const int stored = std::min(grid.StoredCells(row), extent.cols);
    const bool headingRow = row < grid.FixedRows();
    for (int col = 0; col < stored; ++col) {
      const std::string_view cell = grid.Cell(col, row);
      if (cell.empty()) continue;
      const bool heading = headingRow || col < grid.FixedCols();
      worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col),
                             Win1252ToUtf8(cell).c_str(), heading ? bold : text);
    }
  }
  errno = 0;
  const lxw_error closed = workbook_close(book);
  const int savedErrno = errno;
  if (cancelled) return Cancelled();
  if (closed != LXW_NO_ERROR) return Failed(XlsxErrorText(closed, savedErrno));
  // The library writes through stdio: make sure the whole file reached the disk.
  const int fd = open(file.TemporaryPath().c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 || fsync(fd) != 0) {
    const int error = errno;
    if (fd >= 0) close(fd);
    return Failed(ErrorText(error));
  }
  close(fd);
  if (!file.Commit()) return Failed(file.Error());
  return {true, false, {}};
}

}  // namespace tab
