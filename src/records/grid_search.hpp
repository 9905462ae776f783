#pragma once
// Finding text in a table grid: every cell, headings and key columns included, in reading order
// (row by row, each row from left to right). Cells and the text looked for are Windows-1252.
// Without regard to case a letter is compared as its small form: the German umlauts and the
// other accented letters of the code page as well as A to Z ("müller" finds "MÜLLER"; "ß" has no
// capital in the code page and stays as it is).
#include <string>
#include <string_view>
#include <vector>

#include "records/table_grid.hpp"

namespace tab {

struct SearchOptions {
  bool matchCase = false;  // "Groß-/Kleinschreibung": capitals and small letters differ
  bool wholeCell = false;  // "ganze Zelle": the cell holds the text and nothing else
};

struct CellPosition {
  int col = 0;
  int row = 0;
  bool operator==(const CellPosition&) const = default;
};

// Reading order: the earlier row first, in a row the column further left.
inline bool operator<(const CellPosition& a, const CellPosition& b) {
  return a.row != b.row ? a.row < b.row : a.col < b.col;
}

// The small form of a Windows-1252 letter; every other byte stays as it is.
char SmallLetter(char c);

class TextSearch {
 public:
  TextSearch(std::string_view text, SearchOptions options);

  // An empty text finds nothing.
  bool Empty() const { return text_.empty(); }
  bool Matches(std::string_view cell) const;

 private:
  bool ContainsFolded(std::string_view cell) const;

  std::string text_;  // in its small form unless case matters
  SearchOptions options_;
};

// Every cell of the grid the search matches, in reading order.
std::vector<CellPosition> FindCells(const TableGrid& grid, const TextSearch& search);

}  // namespace tab
