#include "export/csv_writer.hpp"

#include <algorithm>

namespace tab {
namespace {

// The bytes that make a cell need quotes. High bytes never do: their UTF-8 forms hold no ASCII.
bool NeedsQuotes(std::string_view cell) {
  return std::any_of(cell.begin(), cell.end(),
                     [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

const AsciiForms& QuotedForms() {
  static const AsciiForms forms = [] {
    AsciiForms quoted;
    quoted.Escape('"', "\"\"");
    return quoted;
  }();
  return forms;
}

}  // namespace

void CsvWriter::Write(const TableSource& table, OutputSink& sink) const {
  static const AsciiForms plain;
  const AsciiForms& quoted = QuotedForms();
  for (int row = 0; row < table.Rows() && !sink.Failed(); ++row) {
    for (int col = 0; col < table.Cols(); ++col) {
      if (col > 0) sink.Put(',');
      const std::string_view cell = table.Cell(col, row);
      if (!NeedsQuotes(cell)) {
        WriteUtf8(sink, cell, plain);
        continue;
      }
      sink.Put('"');
      WriteUtf8(sink, cell, quoted);
      sink.Put('"');
    }
    sink.Write("\r\n");
  }
}

}  // namespace tab
