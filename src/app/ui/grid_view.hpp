#pragma once
// The view of one table grid. Grid row 0 is the horizontal header, so it stays in view and
// scrolls sideways with the cells; the fixed left columns are painted by a second table view
// lying over the left edge, so they stay in view while the cells scroll underneath. Widths and
// heights come from the table grid after every rebuild; what the user drags goes back into it.
#include <QPointer>
#include <QTableView>

#include "app/ui/grid_model.hpp"
#include "app/window_layout.hpp"

namespace tab::ui {

class FixedColumnsView;

class GridView : public QTableView {
  Q_OBJECT

 public:
  GridView(const GridDesign& design, GridModel* model, QWidget* parent = nullptr);

  GridModel* Model() const { return model_; }
  // The view over the fixed left columns.
  QTableView* FixedColumns() const;

  // The grid is about to be rebuilt / has been rebuilt (set-up, loader or page command): the
  // model resets, then widths, row heights and the heading height are taken from the grid
  // again, since a reset keeps the old sizes by position.
  void BeginRebuild();
  void EndRebuild();
  void ApplyGridLayout();

  // The selected cells as text: the bounding rectangle of the selection, cells separated by
  // tabs, rows by line breaks.
  QString SelectionText() const;
  void CopySelection() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void updateGeometries() override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 private:
  int FixedWidth() const;
  void PlaceFixedColumns();
  void ColumnResized(int column, int width);
  void RowResized(int row, int height);

  // The document owns the model; a view whose model has gone shows nothing.
  QPointer<GridModel> model_;
  FixedColumnsView* fixed_ = nullptr;
  bool rebuilding_ = false;
};

}  // namespace tab::ui
