#pragma once
// The Qt model of one table grid. Grid row 0 (the column captions) is shown through the view's
// horizontal header; model row r is grid row r + 1. Cells hold Windows-1252 bytes and are
// converted only when the view asks for them; an edit comes back as UTF-8 and is stored as
// Windows-1252 (it lasts until the table is loaded again and is never written to a file).
#include <QAbstractTableModel>
#include <QBrush>
#include <optional>
#include <set>
#include <utility>

#include "records/grid_search.hpp"
#include "records/table_grid.hpp"

namespace tab::ui {

class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Every grid of the window has one fixed row: the one the header shows.
  static constexpr int kHeaderRows = 1;

  explicit GridModel(TableGrid& grid, QObject* parent = nullptr);

  TableGrid& Grid() { return grid_; }
  const TableGrid& Grid() const { return grid_; }

  // The grid is about to be rebuilt (set-up, loader or page command) / has been rebuilt.
  void BeginGridChange() { beginResetModel(); }
  void EndGridChange() {
    mark_.reset();
    edited_.clear();
    endResetModel();
  }

  // The background of the fixed cells (headings).
  void SetHeadingBrush(const QBrush& brush) { headingBrush_ = brush; }
  // One cell (grid row and column; row 0 is the heading) stands out, as the find bar's match;
  // none after a rebuild.
  void SetMark(std::optional<CellPosition> cell);
  std::optional<CellPosition> Mark() const { return mark_; }
  static QBrush MarkBrush();

  // Where a cell (grid column and row) came from, as the status line says it: "1300102.CSV,
  // Zeile 18, Feld 4" for a field of a record, the key file for a row it laid out, a note for
  // a cell edited here; empty when nothing is known. `path` receives the file's full path.
  // The edits are known until the table is built again (a page command too rebuilds it).
  QString Origin(int col, int row, QString* path = nullptr) const;

  static int GridRow(int modelRow) { return modelRow + kHeaderRows; }
  bool IsFixedColumn(int column) const { return column < grid_.FixedCols(); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  void MarkChanged(const CellPosition& cell);

  TableGrid& grid_;
  QBrush headingBrush_;
  std::optional<CellPosition> mark_;
  std::set<std::pair<int, int>> edited_;  // grid column and row of cells edited here
};

// A Windows-1252 cell as text (all of it: for editing, copying).
QString CellText(std::string_view win1252);

// The most characters a cell shows; a longer text (a line of megabytes) shows its beginning and
// "…", since laying it out would hold the window for minutes. The cell keeps all of it.
inline constexpr std::size_t kMostShownCharacters = 4000;
QString ShownCellText(std::string_view win1252);

}  // namespace tab::ui
