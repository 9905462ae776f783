#pragma once
// What the tests compare: the texts of grids and messages as UTF-8 (the literals of the sources),
// and the lines of a written file.
#include <string>
#include <vector>

#include "records/message_port.hpp"
#include "records/table_grid.hpp"

namespace tab::test {

// Every cell of a row, column 0 to the last column.
std::vector<std::string> Row(const TableGrid& grid, int row);
// The cells of a column from row `first` to row `last` (-1: the last row).
std::vector<std::string> Column(const TableGrid& grid, int col, int first = 0, int last = -1);
// The texts of the messages, in order.
std::vector<std::string> MessageTexts(const RecordingPort& port);
// The lines of a file as they are (bytes), each ended by CR LF: a line without it fails the test.
std::vector<std::string> FileLines(const std::string& path);

}  // namespace tab::test
