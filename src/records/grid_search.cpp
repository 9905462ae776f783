#include "records/grid_search.hpp"

#include <algorithm>
#include <array>

namespace tab {

namespace {

// Small forms of Windows-1252: A-Z, the accented capitals 0xC0-0xDE (but the multiplication
// sign 0xD7), and Š, Œ, Ž, Ÿ from the 0x80 row.
constexpr std::array<unsigned char, 256> MakeSmallLetters() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] += 0x20;
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) table[static_cast<std::size_t>(c)] += 0x20;
  }
  table[0x8A] = 0x9A;  // Š š
  table[0x8C] = 0x9C;  // Œ œ
  table[0x8E] = 0x9E;  // Ž ž
  table[0x9F] = 0xFF;  // Ÿ ÿ
  return table;
}

constexpr std::array<unsigned char, 256> kSmallLetters = MakeSmallLetters();

unsigned char Small(char c) {
  return kSmallLetters[static_cast<unsigned char>(c)];
}

// Whether `cell` from `at` on starts with the small-form text.
bool FoldedAt(std::string_view cell, std::size_t at, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (Small(cell[at + i]) != static_cast<unsigned char>(text[i])) return false;
  }
  return true;
}

}  // namespace

char SmallLetter(char c) {
  return static_cast<char>(Small(c));
}

TextSearch::TextSearch(std::string_view text, SearchOptions options)
    : text_(text), options_(options) {
  if (!options_.matchCase) {
    std::transform(text_.begin(), text_.end(), text_.begin(), SmallLetter);
  }
}

bool TextSearch::ContainsFolded(std::string_view cell) const {
  if (cell.size() < text_.size()) return false;
  // The first letter in both of its forms, found quickly; the rest compared where it stands.
  const auto first = static_cast<unsigned char>(text_.front());
  const std::string_view rest = std::string_view(text_).substr(1);
  const std::size_t last = cell.size() - text_.size();
  for (std::size_t at = 0; at <= last; ++at) {
    if (Small(cell[at]) == first && FoldedAt(cell, at + 1, rest)) return true;
  }
  return false;
}

bool TextSearch::Matches(std::string_view cell) const {
  if (text_.empty()) return false;
  if (options_.wholeCell) {
    if (cell.size() != text_.size()) return false;
    return options_.matchCase ? cell == text_ : FoldedAt(cell, 0, text_);
  }
  if (options_.matchCase) return cell.find(text_) != std::string_view::npos;
  return ContainsFolded(cell);
}

std::vector<CellPosition> FindCells(const TableGrid& grid, const TextSearch& search) {
  std::vector<CellPosition> found;
  if (search.Empty()) return found;
  for (int row = 0; row < grid.RowCount(); ++row) {
    // Cells after the last one stored are empty, and an empty cell holds no text looked for.
    const int stored = std::min(grid.StoredCells(row), grid.ColCount());
    for (int col = 0; col < stored; ++col) {
      if (search.Matches(grid.Cell(col, row))) found.push_back({col, row});
    }
  }
  return found;
}

}  // namespace tab
