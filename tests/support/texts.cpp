#include "support/texts.hpp"

#include <gtest/gtest.h>

#include "records/text.hpp"
#include "support/fixture.hpp"

namespace tab::test {

std::vector<std::string> Row(const TableGrid& grid, int row) {
  std::vector<std::string> texts;
  for (int col = 0; col < grid.ColCount(); ++col) {
    texts.push_back(Win1252ToUtf8(grid.Cell(col, row)));
  }
  return texts;
}

std::vector<std::string> Column(const TableGrid& grid, int col, int first, int last) {
  if (last < 0) last = grid.RowCount() - 1;
  std::vector<std::string> texts;
  for (int row = first; row <= last; ++row) texts.push_back(Win1252ToUtf8(grid.Cell(col, row)));
  return texts;
}

std::vector<std::string> MessageTexts(const RecordingPort& port) {
  std::vector<std::string> texts;
  for (const RecordingPort::Message& message : port.Messages()) texts.push_back(message.text);
  return texts;
}

std::vector<std::string> FileLines(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = bytes.find("\r\n"); end != std::string::npos;
       end = bytes.find("\r\n", start)) {
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, bytes.size()) << path << ": every line ends with CR LF";
  return lines;
}

}  // namespace tab::test
