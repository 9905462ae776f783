#include "export/json_export.hpp"

#include <cstdio>
#include <string_view>
#include <vector>

#include "app/window_layout.hpp"
#include "export/table_writer.hpp"
#include "records/text.hpp"

namespace tab {
namespace {

// Quote, backslash and the control characters escaped; everything else as it is.
const AsciiForms& JsonForms() {
  static const AsciiForms forms = [] {
    AsciiForms json;
    for (int b = 0; b < 0x20; ++b) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
      json.Escape(static_cast<char>(b), escaped);
    }
    json.Escape('\x7F', "\\u007f");
    json.Escape('"', "\\\"");
    json.Escape('\\', "\\\\");
    json.Escape('\n', "\\n");
    json.Escape('\r', "\\r");
    json.Escape('\t', "\\t");
    return json;
  }();
  return forms;
}

// A cell: Windows-1252 text as a JSON string, after a comma unless it is a row's first.
void WriteCellString(OutputSink& sink, bool first, std::string_view win1252,
                     const AsciiForms& forms) {
  if (WriteIfPlain(sink, first ? "\"" : ",\"", win1252, "\"", forms)) return;
  sink.Write(first ? "\"" : ",\"");
  WriteUtf8(sink, win1252, forms);
  sink.Put('"');
}

// A text of the program (a message, a path): UTF-8, but a file name may be spelled in another
// code page; written as every report writes such a text (bytes that are no UTF-8 as U+FFFD).
void WriteString(OutputSink& sink, std::string_view utf8) {
  sink.Write(JsonString(utf8));
}

// [item, item, ...]
template <class Items, class WriteItem>
void WriteArray(OutputSink& sink, const Items& items, WriteItem write) {
  sink.Put('[');
  bool first = true;
  for (const auto& item : items) {
    if (!first) sink.Put(',');
    first = false;
    write(item);
  }
  sink.Put(']');
}

void WriteNumbers(OutputSink& sink, int count, int (TableGrid::*of)(int) const,
                  const TableGrid& grid) {
  sink.Put('[');
  for (int i = 0; i < count; ++i) {
    if (i > 0) sink.Put(',');
    sink.WriteNumber((grid.*of)(i));
  }
  sink.Put(']');
}

void WriteGrid(OutputSink& sink, GridId id, const TableGrid& grid) {
  const TableSource table(grid);
  const long long declared = static_cast<long long>(grid.ColCount()) * grid.RowCount();
  const long long used = static_cast<long long>(table.Cols()) * table.Rows();
  const bool extentOnly = declared - used > kMostEmptyCellsListed;
  const int cols = extentOnly ? table.Cols() : grid.ColCount();
  const int rows = extentOnly ? table.Rows() : grid.RowCount();

  sink.Write("{\"name\":\"");
  sink.Write(FindGridDesign(id)->name);
  sink.Write("\",\"cols\":");
  sink.WriteNumber(grid.ColCount());
  sink.Write(",\"rows\":");
  sink.WriteNumber(grid.RowCount());
  sink.Write(",\"fixedCols\":");
  sink.WriteNumber(grid.FixedCols());
  sink.Write(",\"fixedRows\":");
  sink.WriteNumber(grid.FixedRows());
  sink.Write(",\"colWidths\":");
  WriteNumbers(sink, grid.ColCount(), &TableGrid::ColWidth, grid);
  sink.Write(",\"rowHeights\":");
  WriteNumbers(sink, grid.RowCount(), &TableGrid::RowHeight, grid);
  if (extentOnly) {
    sink.Write(",\"cellsExtent\":[");
    sink.WriteNumber(cols);
    sink.Put(',');
    sink.WriteNumber(rows);
    sink.Put(']');
  }
  sink.Write(",\"cells\":[");
  const AsciiForms& forms = JsonForms();
  std::vector<std::string_view> cells(static_cast<std::size_t>(cols));
  for (int row = 0; row < rows && !sink.Failed(); ++row) {
    if (row > 0) sink.Put(',');
    sink.Put('[');
    grid.RowCells(row, cells);
    bool first = true;
    for (const std::string_view cell : cells) {
      WriteCellString(sink, first, cell, forms);
      first = false;
    }
    sink.Put(']');
  }
  sink.Write("]}");
}

void WriteMessage(OutputSink& sink, const RecordingPort::Message& message) {
  sink.Write("{\"kind\":\"");
  sink.Write(MessageKindName(message.kind));
  sink.Put('"');
  if (message.kind == MessageKind::InfoDialog) {
    const InfoRequest& info = message.info;
    sink.Write(",\"title\":");
    WriteString(sink, info.title);
    sink.Write(",\"ms\":");
    sink.WriteNumber(info.milliseconds);
    sink.Write(",\"text\":");
    WriteString(sink, info.line1);
  } else {
    sink.Write(",\"text\":");
    WriteString(sink, message.text);
  }
  sink.Put('}');
}

}  // namespace

void WriteExportJson(OutputSink& sink, const Session& session, std::span<const GridId> grids,
                     std::span<const RecordingPort::Message> messages) {
  const PathState& paths = session.Paths();
  const auto string = [&sink](const std::string& text) { WriteString(sink, text); };
  sink.Write("{\"grids\":");
  WriteArray(sink, grids, [&](GridId grid) { WriteGrid(sink, grid, session.Grid(grid)); });
  sink.Write(",\"messages\":");
  WriteArray(sink, messages,
             [&sink](const RecordingPort::Message& message) { WriteMessage(sink, message); });
  sink.Write(",\"school\":");
  WriteString(sink, paths.schoolNumber);
  sink.Write(",\"schoolDirectory\":");
  WriteString(sink, paths.schoolDirectory);
  sink.Write(",\"schools\":");
  WriteArray(sink, paths.schools, string);
  sink.Write(",\"classes\":");
  WriteArray(sink, paths.classes, string);
  sink.Write(",\"currentClass\":");
  WriteString(sink, paths.classId);
  sink.Write("}\n");
}

}  // namespace tab
