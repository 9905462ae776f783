#pragma once
// The loaders of the class report (Bogen 3): eleven tables of one class. Table 10 is the page
// "Tab. 4.1" and reads the class file with the number 10. The loaders read the current class
// (context.paths.classId); the tables' set-ups are data (klassen_layouts.hpp).
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
// The first block (rows 2..) is the one of all trainees, group "9999".
class GroupTable {
 public:
  // Indexes rows 1 to the last row as they stand.
  GroupTable(TableGrid& grid, const SheetContext& context);

  // Whether a row holds the group key in column 3.
  bool HasGroup(std::string_view group) const;
  // Rows whose column 3 holds the group and whose column 4 holds the key, ascending.
  std::span<const int> Rows(std::string_view group, std::string_view key) const;

  // Adds seven rows below the last row and fills them, and more when the key file has more
  // lines, from SSVB0.SSD: key in columns 0 and 4, its text in column 1, the group in column 3.
  // A missing key file gives its warning and leaves the seven rows empty. Returns false after a
  // read error of the key file (shown to the user).
  bool AppendGroupBlock(std::string_view group);

 private:
  enum class KeyFile { NotRead, Missing, Read };
  bool ReadKeyFile();
  void Index(std::string_view group, std::string_view key, int row);

  TableGrid& grid_;
  std::string programDirectory_;
  MessagePort& port_;
  RowIndex groups_;
  RowIndex groupsAndKeys_;  // by PairKey(group, key)
  KeyFile keyFile_ = KeyFile::NotRead;
  std::string keyFilePath_;
  std::vector<std::pair<std::string, std::string>> keys_;  // code and text per line
  mutable std::string lookup_;
};

}  // namespace tab::klassen
