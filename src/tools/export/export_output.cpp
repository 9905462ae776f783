#include "tools/export/export_output.hpp"

#include "app/window_layout.hpp"
#include "records/text.hpp"

namespace tab {

namespace {

template <class Items, class Format>
std::string JsonArray(const Items& items, Format format) {
  std::string out = "[";
  bool first = true;
  for (const auto& item : items) {
    if (!first) out += ",";
    first = false;
    out += format(item);
  }
  return out + "]";
}

std::string GridJson(GridId id, const TableGrid& grid) {
  std::string out = "{\"name\":\"" + std::string(FindGridDesign(id)->name) + "\"";
  out += ",\"cols\":" + std::to_string(grid.ColCount());
  out += ",\"rows\":" + std::to_string(grid.RowCount());
  out += ",\"fixedCols\":" + std::to_string(grid.FixedCols());
  out += ",\"fixedRows\":" + std::to_string(grid.FixedRows());
  out += ",\"colWidths\":[";
  for (int col = 0; col < grid.ColCount(); ++col) {
    if (col > 0) out += ",";
    out += std::to_string(grid.ColWidth(col));
  }
  out += "],\"rowHeights\":[";
  for (int row = 0; row < grid.RowCount(); ++row) {
    if (row > 0) out += ",";
    out += std::to_string(grid.RowHeight(row));
  }
  out += "],\"cells\":[";
  for (int row = 0; row < grid.RowCount(); ++row) {
    if (row > 0) out += ",";
    out += "[";
    for (int col = 0; col < grid.ColCount(); ++col) {
      if (col > 0) out += ",";
      out += JsonString(Win1252ToUtf8(grid.Cell(col, row)));
    }
    out += "]";
  }
  return out + "]}";
}

std::string MessageJson(const RecordingPort::Message& message) {
  std::string out = "{\"kind\":\"" + std::string(MessageKindName(message.kind)) + "\"";
  if (message.kind == MessageKind::InfoDialog) {
    const InfoRequest& info = message.info;
    out += ",\"title\":" + JsonString(info.title);
    out += ",\"ms\":" + std::to_string(info.milliseconds);
    out += ",\"text\":" + JsonString(info.line1);
  } else {
    out += ",\"text\":" + JsonString(message.text);
  }
  return out + "}";
}

}  // namespace

std::string ToJson(const Session& session, const std::vector<GridId>& grids,
                   const std::vector<RecordingPort::Message>& messages) {
  const PathState& paths = session.Paths();
  std::string out = "{\"grids\":";
  out += JsonArray(grids, [&](GridId grid) { return GridJson(grid, session.Grid(grid)); });
  out += ",\"messages\":" + JsonArray(messages, MessageJson);
  out += ",\"school\":" + JsonString(paths.schoolNumber);
  out += ",\"schoolDirectory\":" + JsonString(paths.schoolDirectory);
  out += ",\"schools\":" + JsonArray(paths.schools, JsonString);
  out += ",\"classes\":" + JsonArray(paths.classes, JsonString);
  out += ",\"currentClass\":" + JsonString(paths.classId);
  return out + "}\n";
}

std::string ToCsv(const TableGrid& grid) {
  std::string out;
  for (int row = 0; row < grid.RowCount(); ++row) {
    for (int col = 0; col < grid.ColCount(); ++col) {
      if (col > 0) out += ",";
      const std::string text = Win1252ToUtf8(grid.Cell(col, row));
      if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
      } else {
        out += "\"";
        for (const char c : text) {
          if (c == '"') out += "\"";
          out += c;
        }
        out += "\"";
      }
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace tab
