#include "records/table_setup.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
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

// Writes the whole content in one go; returns 0 or the errno of the failed step.
int WriteNewFile(const std::string& path, std::string_view content) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  int error = 0;
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  // A half-written file would be read as it is from then on; without it the next set-up tries
  // again.
  if (error != 0) ::unlink(path.c_str());
  return error;
}

// Lays down the built-in headings and records them, with the grid's design size and the title,
// as a new definition file.
bool WriteDefinition(TableGrid& grid, const std::string& path, const TableLayout& layout,
                     MessagePort& port) {
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
  if (const int error = WriteNewFile(path, content); error != 0) {
    port.IoError(path, error);
    return false;
  }
  return true;
}

}  // namespace

bool SetUpTable(TableGrid& grid, const std::string& programDir, const TableLayout& layout,
                MessagePort& port) {
  for (const ColumnWidth& width : layout.widths) grid.SetColWidth(width.col, width.width);
  grid.ClearCells();
  const std::string path = ResolvePath(programDir, layout.definitionFile);
  if (PathExists(path)) return ReadDefinition(grid, path, layout.minRowsAfterRead, port);
  return WriteDefinition(grid, path, layout, port);
}

}  // namespace tab
