#include "records/grid_search.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/fields.hpp"
#include "records/text.hpp"

namespace tab {

void PrintTo(const CellPosition& cell, std::ostream* out) {
  *out << "(" << cell.col << "," << cell.row << ")";
}

namespace {

TEST(GridSearch, SmallLettersOfTheCodePage) {
  struct Case {
    const char* capital;
    const char* small;
  };
  for (const Case c : {Case{"A", "a"}, Case{"Z", "z"}, Case{"Ä", "ä"}, Case{"Ö", "ö"},
                       Case{"Ü", "ü"}, Case{"É", "é"}, Case{"Þ", "þ"}, Case{"Š", "š"},
                       Case{"Œ", "œ"}, Case{"Ž", "ž"}, Case{"Ÿ", "ÿ"}}) {
    EXPECT_EQ(SmallLetter(W(c.capital)[0]), W(c.small)[0]) << c.capital;
  }
  // What is no capital stays: small letters, ß, the multiplication sign, digits, signs.
  for (const char* same : {"a", "ä", "ß", "×", "÷", "1", ";", "€", " "}) {
    EXPECT_EQ(SmallLetter(W(same)[0]), W(same)[0]) << same;
  }
}

TEST(GridSearch, WhatMatches) {
  struct Case {
    const char* text;
    bool matchCase;
    bool wholeCell;
    const char* cell;
    bool matches;
  };
  const Case cases[] = {
      {"müller", false, false, "Herr MÜLLER aus Rostock", true},
      {"müller", true, false, "Herr MÜLLER aus Rostock", false},
      {"MÜLLER", true, false, "Herr MÜLLER aus Rostock", true},
      {"sort", false, false, "Zeilen SORTIEREN", true},
      {"ss", false, false, "Straße", false},  // no spelling rules: ß is not ss
      {"straße", false, true, "STRASSE", false},
      {"straße", false, true, "Straße", true},
      {"straße", false, true, "Straße ", false},  // whole cell: nothing else in it
      {"Straße", true, true, "straße", false},
      {"Straße", true, true, "Straße", true},
      {"13001", false, true, "13001", true},
      {"1300", false, true, "13001", false},
      {"1300", false, false, "13001", true},
      {"001", false, false, "13001", true},  // at the very end
      {"13001", false, false, "1300", false},
      {"", false, false, "irgendwas", false},  // an empty text finds nothing
      {"", false, true, "", false},
      {"a", false, false, "", false},
      {"- mit evang.", false, false, "- mit evang. ReligionsUnt./ Teilz.", true},
  };
  for (const Case& c : cases) {
    const TextSearch search(W(c.text), {c.matchCase, c.wholeCell});
    EXPECT_EQ(search.Matches(W(c.cell)), c.matches)
        << c.text << " in " << c.cell << " case " << c.matchCase << " whole " << c.wholeCell;
  }
}

// A small grid: headings in row 0, ids in row 1, key texts in column 1, data from column 2.
TableGrid SmallGrid() {
  TableGrid grid(5, 5, 2, 64);
  grid.SetCell(0, 0, "Nr.");
  grid.SetCell(1, 0, W("Schulart"));
  grid.SetCell(2, 0, W("Schüler"));
  grid.SetCell(3, 0, W("Schülerinnen"));
  grid.SetCell(2, 1, "ES001");
  grid.SetCell(3, 1, "ES002");
  grid.SetCell(0, 2, "01");
  grid.SetCell(1, 2, W("Berufsschule"));
  grid.SetCell(3, 2, "12");
  grid.SetCell(0, 3, "02");
  grid.SetCell(1, 3, W("Berufsfachschule"));
  grid.SetCell(2, 3, W("SCHÜLER"));
  // A row as a loader writes a record: straight from the line.
  const std::string line = "03;Fachschule;7;;";
  std::vector<std::uint32_t> ends(5 + kSplitSlack);
  SplitEnds(line, 5, ends.data());
  grid.SetLineCells(0, 4, line, std::span(ends.data(), 5));
  return grid;
}

TEST(GridSearch, FindsEveryMatchingCellInReadingOrder) {
  const TableGrid grid = SmallGrid();
  struct Case {
    const char* text;
    SearchOptions options;
    std::vector<CellPosition> found;
  };
  const Case cases[] = {
      // Headings, key texts and data alike, row by row.
      {"schül", {}, {{2, 0}, {3, 0}, {2, 3}}},
      {"Schül", {true, false}, {{2, 0}, {3, 0}}},
      {"schül", {true, false}, {}},
      {"schüler", {false, true}, {{2, 0}, {2, 3}}},
      {"schule", {}, {{1, 2}, {1, 3}, {1, 4}}},
      {"0", {}, {{2, 1}, {3, 1}, {0, 2}, {0, 3}, {0, 4}}},
      {"7", {}, {{2, 4}}},
      {"kein", {}, {}},
      {"", {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindCells(grid, TextSearch(W(c.text), c.options)), c.found) << c.text;
  }
}

TEST(GridSearch, CellsOutsideTheColumnsAreNotSearched) {
  TableGrid grid = SmallGrid();
  grid.SetColCount(2);
  EXPECT_EQ(FindCells(grid, TextSearch("12", {})), std::vector<CellPosition>{});
  EXPECT_EQ(FindCells(grid, TextSearch("nr.", {})), (std::vector<CellPosition>{{0, 0}}));
}

TEST(GridSearch, ReadingOrder) {
  EXPECT_LT((CellPosition{5, 1}), (CellPosition{0, 2}));
  EXPECT_LT((CellPosition{1, 2}), (CellPosition{2, 2}));
  EXPECT_FALSE((CellPosition{2, 2}) < (CellPosition{2, 2}));
}

}  // namespace
}  // namespace tab
