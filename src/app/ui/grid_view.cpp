#include "app/ui/grid_view.hpp"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <algorithm>
#include <unordered_map>

namespace tab::ui {

namespace {

QColor GridBackground(GridColour colour, const QPalette& palette) {
  switch (colour) {
    case GridColour::Schule:
      return QColor(255, 255, 0);  // yellow
    case GridColour::Lehrer:
      return QColor(0, 255, 0);  // lime
    case GridColour::Klassen:
      return QColor(0, 255, 255);  // aqua
    case GridColour::Identification:
      return QColor(192, 192, 192);  // grey
    case GridColour::Plain:
      break;
  }
  return palette.color(QPalette::Base);
}

// Sets every section of a header to the size the grid gives it. The most common size becomes the
// header's default (one pass over all sections); the others are set one by one with updates off,
// since a visible header recomputes every section position on each single resize.
template <typename SizeOf>
void SetSectionSizes(QHeaderView* header, int count, SizeOf sizeOf) {
  std::unordered_map<int, int> frequency;
  int common = header->defaultSectionSize();
  int best = 0;
  for (int i = 0; i < count; ++i) {
    const int n = ++frequency[sizeOf(i)];
    if (n > best) {
      best = n;
      common = sizeOf(i);
    }
  }
  const QSignalBlocker blocker(header);
  const bool updates = header->updatesEnabled();
  header->setUpdatesEnabled(false);
  header->setDefaultSectionSize(common);
  for (int i = 0; i < count; ++i) {
    const int size = sizeOf(i);
    if (size != common) header->resizeSection(i, size);
  }
  header->setUpdatesEnabled(updates);
}

// The fixed cells are disabled items (so the cursor skips them) but paint like enabled ones.
class HeadingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state |= QStyle::State_Enabled;
  }
};

void ConfigureHeaders(QTableView* view, const GridDesign& design) {
  QHeaderView* columns = view->horizontalHeader();
  columns->setMinimumSectionSize(5);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->setHighlightSections(false);
  columns->setSectionResizeMode(design.colsSizable ? QHeaderView::Interactive : QHeaderView::Fixed);
  QHeaderView* rows = view->verticalHeader();
  // A lowered row is 9 pixels high: below the header's usual minimum.
  rows->setMinimumSectionSize(9);
  rows->setDefaultSectionSize(18);
  rows->setSectionResizeMode(design.rowsSizable ? QHeaderView::Interactive : QHeaderView::Fixed);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setWordWrap(false);
  view->setTextElideMode(Qt::ElideNone);
  view->setCornerButtonEnabled(false);
}

}  // namespace

// Paints the fixed left columns over the main view; takes neither focus nor clicks and never
// scrolls sideways.
class FixedColumnsView : public QTableView {
 public:
  FixedColumnsView(GridView* main, const GridDesign& design) : QTableView(main), main_(main) {
    setModel(main->model());
    setSelectionModel(main->selectionModel());
    setItemDelegate(new HeadingDelegate(this));
    ConfigureHeaders(this, design);
    verticalHeader()->hide();
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setAutoScroll(false);
  }

  void RefreshGeometries() { updateGeometries(); }

  void scrollTo(const QModelIndex& /*index*/, ScrollHint /*hint*/) override {
    // Follows the main view's vertical scroll bar only.
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
  void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
  void wheelEvent(QWheelEvent* event) override {
    QCoreApplication::sendEvent(main_->viewport(), event);
  }

 private:
  GridView* main_;
};

GridView::GridView(const GridDesign& design, GridModel* model, QWidget* parent)
    : QTableView(parent), model_(model) {
  setObjectName(QString::fromUtf8(design.name));
  setModel(model);
  ConfigureHeaders(this, design);
  setSelectionMode(ContiguousSelection);
  setSelectionBehavior(SelectItems);
  setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
  setTabKeyNavigation(true);
  setItemDelegate(new HeadingDelegate(this));
  // A thin row header to drag row heights with, where the design allows it.
  if (design.rowsSizable) {
    verticalHeader()->setFixedWidth(6);
  } else {
    verticalHeader()->hide();
  }

  QPalette cells = palette();
  cells.setColor(QPalette::Base, GridBackground(design.colour, cells));
  setPalette(cells);

  model->SetHeadingBrush(cells.button());
  fixed_ = new FixedColumnsView(this, design);
  fixed_->setPalette(cells);
  viewport()->stackUnder(fixed_);

  connect(verticalScrollBar(), &QScrollBar::valueChanged, fixed_->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(fixed_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
          &QScrollBar::setValue);
  const auto columnResized = [this](int column, int, int width) { ColumnResized(column, width); };
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, columnResized);
  connect(fixed_->horizontalHeader(), &QHeaderView::sectionResized, this, columnResized);
  connect(verticalHeader(), &QHeaderView::sectionResized, this,
          [this](int row, int, int height) { RowResized(row, height); });
  ApplyGridLayout();
}

QTableView* GridView::FixedColumns() const {
  return fixed_;
}

void GridView::BeginRebuild() {
  rebuilding_ = true;
  model_->BeginGridChange();
}

void GridView::EndRebuild() {
  model_->EndGridChange();
  ApplyGridLayout();
  rebuilding_ = false;
}

void GridView::ApplyGridLayout() {
  const TableGrid& grid = model_->Grid();
  const int cols = grid.ColCount();
  const int rows = model_->rowCount();
  for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(fixed_)}) {
    SetSectionSizes(view->horizontalHeader(), cols, [&grid](int c) { return grid.ColWidth(c); });
    SetSectionSizes(view->verticalHeader(), rows,
                    [&grid](int r) { return grid.RowHeight(GridModel::GridRow(r)); });
    view->horizontalHeader()->setFixedHeight(grid.RowHeight(0));
  }
  updateGeometries();
  fixed_->RefreshGeometries();
  fixed_->verticalScrollBar()->setValue(verticalScrollBar()->value());
  viewport()->update();
  fixed_->viewport()->update();
}

void GridView::ColumnResized(int column, int width) {
  // Dragged by the user: the grid keeps the width until the table is set up again. Sizes the
  // header carries over through a rebuild are not the grid's.
  if (rebuilding_) return;
  model_->Grid().SetColWidth(column, width);
  horizontalHeader()->resizeSection(column, width);
  fixed_->horizontalHeader()->resizeSection(column, width);
  if (column < model_->Grid().FixedCols()) PlaceFixedColumns();
}

void GridView::RowResized(int row, int height) {
  if (rebuilding_) return;
  model_->Grid().SetRowHeight(GridModel::GridRow(row), height);
  fixed_->verticalHeader()->resizeSection(row, height);
}

int GridView::FixedWidth() const {
  if (model_.isNull()) return 0;
  const int fixed = std::min(model_->Grid().FixedCols(), model_->columnCount());
  int width = 0;
  for (int c = 0; c < fixed; ++c) width += columnWidth(c);
  return width;
}

void GridView::PlaceFixedColumns() {
  if (fixed_ == nullptr) return;  // still being built
  const int width = std::min(FixedWidth(), viewport()->width());
  if (width <= 0) {
    fixed_->hide();
    return;
  }
  const int left = frameWidth() + (verticalHeader()->isHidden() ? 0 : verticalHeader()->width());
  fixed_->setGeometry(left, frameWidth(), width,
                      viewport()->height() + horizontalHeader()->height());
  fixed_->show();
}

void GridView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  PlaceFixedColumns();
}

void GridView::updateGeometries() {
  QTableView::updateGeometries();
  PlaceFixedColumns();
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  QModelIndex next = QTableView::moveCursor(action, modifiers);
  const int fixed = model_->Grid().FixedCols();
  if (next.isValid() && next.column() < fixed && fixed < model_->columnCount()) {
    next = model_->index(next.row(), fixed);
  }
  return next;
}

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  QTableView::scrollTo(index, hint);
  if (!index.isValid() || model_->IsFixedColumn(index.column())) return;
  // A cell that ended up under the fixed columns is moved out from under them.
  const int covered = FixedWidth() - visualRect(index).left();
  if (covered > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

QString GridView::SelectionText() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {};
  int top = selected.front().row();
  int bottom = top;
  int left = selected.front().column();
  int right = left;
  for (const QModelIndex& index : selected) {
    top = std::min(top, index.row());
    bottom = std::max(bottom, index.row());
    left = std::min(left, index.column());
    right = std::max(right, index.column());
  }
  const TableGrid& grid = model_->Grid();
  QString text;
  for (int row = top; row <= bottom; ++row) {
    for (int col = left; col <= right; ++col) {
      if (col > left) text += QLatin1Char('\t');
      text += CellText(grid.Cell(col, GridModel::GridRow(row)));
    }
    text += QLatin1Char('\n');
  }
  return text;
}

void GridView::CopySelection() const {
  const QString text = SelectionText();
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopySelection();
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace tab::ui
