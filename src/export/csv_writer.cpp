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

// Every byte as it is, but those that make a cell need quotes are not plain.
const AsciiForms& UnquotedForms() {
  static const AsciiForms forms = [] {
    AsciiForms unquoted;
    for (const char c : {',', '"', '\r', '\n'}) unquoted.Escape(c, std::string_view(&c, 1));
    return unquoted;
  }();
  return forms;
}

}  // namespace

void CsvWriter::Write(const TableSource& table, OutputSink& sink) const {
  static const AsciiForms plain;
  const AsciiForms& quoted = QuotedForms();
  const AsciiForms& unquoted = UnquotedForms();
  constexpr std::string_view kComma = ",";
  for (int row = 0; row < table.Rows() && !sink.Failed(); ++row) {
    std::string_view separator;
    for (const std::string_view cell : table.Row(row)) {
      if (!WriteIfPlain(sink, separator, cell, {}, unquoted)) {
        sink.Write(separator);
        if (NeedsQuotes(cell)) {
          sink.Put('"');
          WriteUtf8(sink, cell, quoted);
          sink.Put('"');
        } else {
          WriteUtf8(sink, cell, plain);
        }
      }
      separator = kComma;
    }
    sink.Write("\r\n");
  }
}

}  // namespace tab
