#include "export/table_writer.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#include "export/csv_writer.hpp"
#include "records/text.hpp"

namespace tab {
namespace {

// The UTF-8 form of every Windows-1252 byte, taken from Win1252ToUtf8 so that both convert
// alike; padded to 4 bytes so that one copy of 4 bytes writes any of them.
struct Utf8Form {
  char bytes[4] = {};
  std::size_t size = 0;
};

const std::array<Utf8Form, 256>& Utf8Forms() {
  static const std::array<Utf8Form, 256> forms = [] {
    std::array<Utf8Form, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b) {
      const std::string utf8 = Win1252ToUtf8(std::string(1, static_cast<char>(b)));
      std::memcpy(table[b].bytes, utf8.data(), utf8.size());
      table[b].size = utf8.size();
    }
    return table;
  }();
  return forms;
}

// A long text goes out in pieces, each of which fits the sink's room at its largest.
constexpr std::size_t kPiece = (OutputSink::kMostRoom - 16) / kMostEscapedBytes;
static_assert(kMostEscapedBytes >= 3, "a piece must also hold the UTF-8 forms");

}  // namespace

TableSource::TableSource(const TableGrid& grid)
    : grid_(grid),
      fixedCols_(std::clamp(grid.FixedCols(), 0, grid.ColCount())),
      fixedRows_(std::clamp(grid.FixedRows(), 0, grid.RowCount())) {
  int lastRow = -1;
  int lastCol = -1;
  for (int row = 0; row < grid.RowCount(); ++row) {
    const int col = grid.LastTextColumn(row);
    if (col < 0) continue;
    lastRow = row;
    lastCol = std::max(lastCol, col);
  }
  cols_ = std::max(fixedCols_, lastCol + 1);
  rows_ = std::max(fixedRows_, lastRow + 1);
  row_.resize(static_cast<std::size_t>(cols_));
}

std::span<const TableWriter* const> TableWriters() {
  static const CsvWriter csv;
  static const std::array<const TableWriter*, 1> writers = {&csv};
  return writers;
}

const TableWriter* FindTableWriter(std::string_view format) {
  for (const TableWriter* writer : TableWriters()) {
    if (writer->Format() == format) return writer;
  }
  return nullptr;
}

AsciiForms::AsciiForms() : form_{}, size_{}, plain_{} {
  for (std::size_t b = 0; b < 128; ++b) plain_[b] = 1;
}

void AsciiForms::Escape(char byte, std::string_view form) {
  const auto b = static_cast<unsigned char>(byte);
  if (b >= 128 || form.empty() || form.size() > kMostEscapedBytes) return;
  std::memcpy(form_[b], form.data(), form.size());
  size_[b] = static_cast<unsigned char>(form.size());
  plain_[b] = 0;
}

void WriteUtf8(OutputSink& sink, std::string_view win1252, const AsciiForms& forms) {
  const std::array<Utf8Form, 256>& utf8 = Utf8Forms();
  while (!win1252.empty()) {
    const std::string_view piece = win1252.substr(0, kPiece);
    win1252.remove_prefix(piece.size());
    // Every byte takes at most kMostEscapedBytes; the copies of 8 bytes need room behind.
    char* const room = sink.Room(piece.size() * kMostEscapedBytes + 8);
    char* out = room;
    for (const char c : piece) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 128) {
        if (forms.Plain(b)) {
          *out++ = c;
        } else {
          std::memcpy(out, forms.Form(b), 8);
          out += forms.Size(b);
        }
      } else {
        std::memcpy(out, utf8[b].bytes, 4);
        out += utf8[b].size;
      }
    }
    sink.Commit(static_cast<std::size_t>(out - room));
  }
}

}  // namespace tab
