#pragma once
// The view of one table grid. Grid row 0 is the horizontal header, so it stays in view and
// scrolls sideways with the cells; the fixed left columns are painted by a second table view
// lying over the left edge, so they stay in view while the cells scroll underneath. Widths and
// heights come from the table grid after every rebuild; what the user drags goes back into it.
// The zoom scales the font, the row heights and the column widths on the screen alike; the grid
// keeps its own sizes.
#include <QPointer>
#include <QTableView>
#include <optional>

#include "app/ui/grid_model.hpp"
#include "app/window_layout.hpp"
#include "export/table_files.hpp"

class QHelpEvent;
class QMenu;

namespace tab::ui {

class FixedColumnsView;

class GridView : public QTableView {
  Q_OBJECT

 public:
  static constexpr int kMinZoom = 50;
  static constexpr int kMaxZoom = 200;

  GridView(const GridDesign& design, GridModel* model, QWidget* parent = nullptr);

  GridModel* Model() const { return model_; }
  const GridDesign& Design() const { return design_; }
  // The view over the fixed left columns.
  QTableView* FixedColumns() const;

  // The grid is about to be rebuilt / has been rebuilt (set-up, loader or page command): the
  // model resets, then widths, row heights and the heading height are taken from the grid
  // again, since a reset keeps the old sizes by position. A new table comes into view scrolled
  // to its top-left data cell, which becomes the current cell; with `keepPlace` (a page command
  // rearranged the table) the current cell and the scroll position stay where they were.
  void BeginRebuild();
  void EndRebuild(bool keepPlace = false);
  void ApplyGridLayout();

  // Zoom in percent (kMinZoom to kMaxZoom).
  void SetZoom(int percent);
  int Zoom() const { return zoom_; }
  // A size of the grid as the screen shows it at the zoom, and back.
  int Scaled(int size) const;
  int Unscaled(int size) const;

  // A column as wide as its heading and the longest text of the rows in view; every column.
  // Only where the design lets the user size the columns.
  void FitColumn(int column);
  void FitAllColumns();

  // A cell of the grid (row 0 the headings, fixed columns included) to look at, as the find
  // bar's match: marked, scrolled into view and, where the cursor may go, the current cell (for
  // a heading the cell below it in the current row, for a key cell the row's first cell right of
  // the keys).
  void ShowCell(const CellPosition& cell);
  // The grid position of the current cell; none without one.
  std::optional<CellPosition> CurrentCell() const;

  // The grid's context menu: every entry of it is made here. Shown at a right click.
  QMenu* MakeContextMenu(QWidget* parent);

  // The selected cells as a block: every row that has a selected cell crossed with every
  // column that has one, taken from the selection's ranges (never cell by cell), cut to the
  // cells that hold text. With headings, the fixed heading rows and key columns come along.
  CellBlock SelectedBlock(bool headings) const;
  // The selected cells as text: cells separated by tabs, rows by line breaks.
  QString SelectionText(bool headings = false) const;
  // Puts the selection on the clipboard as tab-separated text and as an HTML table whose cells
  // are marked as text. A selection of more than kMaxCopyBytes is refused (CopyRefused).
  void CopySelection(bool headings = false);
  static constexpr std::uint64_t kMaxCopyBytes = 50ULL * 1024 * 1024;
  // Ctrl+A: every cell right of the fixed columns, as one range.
  void SelectAllCells();
  void selectAll() override;
  // A click on a row label (a fixed cell of the row) or on a column heading: the row's or the
  // column's cells; Shift extends from the last one clicked, Ctrl adds.
  void SelectRowByLabel(int row, Qt::KeyboardModifiers modifiers);
  void SelectColumnByHeading(int column, Qt::KeyboardModifiers modifiers);

 signals:
  // Ctrl+wheel: one step larger (+1) or smaller (-1).
  void ZoomStepRequested(int steps);
  // The current cell moved, or the table under it changed.
  void CurrentCellChanged();
  // A copy was refused; the German reason.
  void CopyRefused(const QString& reason);
  // The context menu's "Tabelle exportieren…" and "Tabelle drucken…".
  void ExportRequested();
  void PrintRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void updateGeometries() override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  friend class FixedColumnsView;

  int FixedWidth() const;
  void PlaceFixedColumns();
  void ColumnResized(int column, int width);
  void RowResized(int row, int height);
  // Scrolls sideways so that a scrolling column is not under the fixed columns or off the right.
  void EnsureColumnVisible(int column);
  // The cell below the mouse or the current cell, for the context menu.
  void ShowContextMenu(const QPoint& globalPos, bool fromKeyboard);
  // The whole text of a cut cell or heading as a tool tip; false when nothing is cut.
  bool ShowWholeText(QHelpEvent* help, QWidget* widget, const QString& text, const QRect& rect,
                     int margin) const;
  int CellMargin() const;
  int HeadingMargin() const;

  GridDesign design_;
  // The document owns the model; a view whose model has gone shows nothing.
  QPointer<GridModel> model_;
  FixedColumnsView* fixed_ = nullptr;
  bool rebuilding_ = false;
  int zoom_ = 100;
  QFont baseFont_;
  // Where the user was before a rebuild: current cell (model row and column), scroll position.
  int keptRow_ = -1;
  int keptColumn_ = -1;
  int keptHorizontal_ = 0;
  int keptVertical_ = 0;
  // Where Shift extends a selection of rows or columns from.
  int rowAnchor_ = -1;
  int columnAnchor_ = -1;
};

}  // namespace tab::ui
