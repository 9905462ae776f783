#pragma once
// The loaders of the class report (Bogen 3): eleven tables of one class. Table 10 is the page
// "Tab. 4.1" and reads the class file with the number 10. The loaders read the current class
// (context.paths.classId); the tables' set-ups are data (klassen_layouts.hpp).
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "records/placement.hpp"
#include "records/table_grid.hpp"
#include "sheets/sheet.hpp"

namespace tab::klassen {

inline constexpr int kTableCount = 11;  // tables 0 to 10

// Copies the text of column 0 of the row into another column of the same row.
inline void CopyFromColumn0(TableGrid& grid, int row, int toColumn) {
  grid.SetCell(toColumn, row, grid.Cell(0, row));
}

// Tables 0 and 10: the id line into row 1, the record into row 2.
void LoadSingleRecordTable(int table, TableGrid& grid, const SheetContext& context);
// Tables 1, 3 and 8: line j into row j; the grid ends with the last record.
void LoadListTable(int table, TableGrid& grid, const SheetContext& context);
// Tables 2, 4, 5, 6 and 7: records placed by the code in column 0, up to the table's last row.
void LoadKeyedTable(int table, TableGrid& grid, const SheetContext& context);
// Table 9: trainees by occupation group and prior schooling.
void LoadGroupTable(TableGrid& grid, const SheetContext& context);

// Table 9 while it is loaded: one block of rows per occupation group, one row per line of
// SSVB0.SSD, found by group key (column 3) and prior-schooling key (column 4) without scanning.
// The first block (rows 2..) is the one of all trainees, group "9999". The key file is read once
// and shared by all blocks: an appended row keeps no texts of its own until a record fills it.
class GroupTable {
 public:
  // Indexes rows 1 to the last row as they stand.
  GroupTable(TableGrid& grid, const SheetContext& context);

  // Whether a row holds the group key in column 3.
  bool HasGroup(std::string_view group) const;
  // Rows whose column 3 holds the group and whose column 4 holds the key, ascending. The span
  // serves until the next call.
  std::span<const int> Rows(std::string_view group, std::string_view key) const;

  // Adds seven rows below the last row and fills them, and more when the key file has more
  // lines, from SSVB0.SSD: key in columns 0 and 4, its text in column 1, the group in column 3.
  // A missing key file gives its warning and leaves the seven rows empty. Returns false after a
  // read error of the key file (shown to the user).
  bool AppendGroupBlock(std::string_view group);

 private:
  enum class KeyFile { NotRead, Missing, Read };
  bool ReadKeyFile();

  TableGrid& grid_;
  std::string programDirectory_;
  MessagePort& port_;
  // The rows as they stood when the table was indexed.
  RowIndex groups_;
  RowIndex groupsAndKeys_;  // by PairKey(group, key)
  // The appended blocks: the first row of each group's block. Row first + i shows line i.
  RowIndex blocks_;
  KeyFile keyFile_ = KeyFile::NotRead;
  std::string keyFilePath_;
  // The key file's lines laid out once as the fields of a block row (key, text, empty, empty,
  // key; column 3 shows the group), with their ends, five per line.
  std::shared_ptr<char[]> keyLines_;
  std::shared_ptr<std::uint32_t[]> keyEnds_;
  std::vector<std::size_t> keyLineStarts_;  // where each line begins in keyLines_
  std::size_t keyBytes_ = 0;
  RowIndex keyLinesByKey_;  // line numbers by key
  mutable std::vector<int> found_;
  mutable std::string lookup_;
};

}  // namespace tab::klassen
