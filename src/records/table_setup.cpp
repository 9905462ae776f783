#include "records/table_setup.hpp"

#include <cstdint>
#include <string>

#include "records/file_names.hpp"
#include "records/key_files.hpp"
#include "records/line_reader.hpp"
#include "records/text.hpp"

namespace tab {

namespace {

// Reads an existing definition file into the grid: line 1 gives the size, every further line one
// heading cell. An empty file leaves the grid as it is.
bool ReadDefinition(TableGrid& grid, const std::string& path, int minRowsAfterRead,
                    MessagePort& port) {
  LineReader reader(path);
  std::string line;
  if (!reader.Failed() && reader.Next(line)) {
    const teintrag size = ParseEntry(line);
    grid.SetRowCount(size.second);
    grid.SetColCount(size.first);
    if (grid.RowCount() < minRowsAfterRead) grid.SetRowCount(minRowsAfterRead);
    while (reader.Next(line)) {
      // A blank line is not an entry: it would otherwise empty cell (0, 0).
      if (line.empty()) continue;
      const teintrag entry = ParseEntry(line);
      grid.SetCell(entry.first, entry.second, entry.text);
    }
  }
  if (reader.Failed()) {
    port.IoError(path, reader.Error());
    return false;
  }
  return true;
}

// Lays down the built-in headings and, with DefinitionWrites::Missing, records them, with the
// grid's design size and the title, as a new definition file.
bool WriteDefinition(TableGrid& grid, const std::string& programDir, const std::string& path,
                     const TableLayout& layout, MessagePort& port, DefinitionFileNotice* notice,
                     DefinitionWrites writes) {
  if (writes == DefinitionWrites::None) {
    for (const HeadingCell& heading : layout.headings) {
      grid.SetCell(heading.col, heading.row, W(heading.text));
    }
    return true;
  }
  std::string content = FormatEntry({static_cast<std::uint16_t>(grid.ColCount()),
                                     static_cast<std::uint16_t>(grid.RowCount()), W(layout.title)});
  content += "\r\n";
  for (const HeadingCell& heading : layout.headings) {
    std::string text = W(heading.text);
    grid.SetCell(heading.col, heading.row, text);
    content += FormatEntry({static_cast<std::uint16_t>(heading.col),
                            static_cast<std::uint16_t>(heading.row), std::move(text)});
    content += "\r\n";
  }
  // A half-written file would be read as it is from then on; without it the next set-up tries
  // again.
  const int error = CreateNewFile(path, content);
  if (error == 0) return true;
  if (notice == nullptr) {
    port.IoError(path, error);
  } else if (notice->FirstFor(programDir)) {
    port.Warning(UnwritableDefinitionFolderMessage(programDir, error));
  }
  return false;
}

}  // namespace

bool SetUpTable(TableGrid& grid, const std::string& programDir, const TableLayout& layout,
                MessagePort& port, DefinitionFileNotice* notice, DefinitionWrites writes) {
  for (const ColumnWidth& width : layout.widths) grid.SetColWidth(width.col, width.width);
  grid.ClearCells();
  const std::string path = ResolvePath(programDir, layout.definitionFile);
  if (PathExists(path)) return ReadDefinition(grid, path, layout.minRowsAfterRead, port);
  return WriteDefinition(grid, WithTrailingSeparator(programDir), path, layout, port, notice,
                         writes);
}

std::string UnwritableDefinitionFolderMessage(const std::string& folder, int error) {
  return "Im Programmverzeichnis\n" + folder + "\n" +
         "können keine Tabellen-Definitionsdateien (.TBD) angelegt werden:\n" + ErrorText(error) +
         "\n" + "Die Tabellen werden mit ihren eingebauten Überschriften angezeigt.";
}

}  // namespace tab
