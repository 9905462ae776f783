#include "app/ui/grid_view.hpp"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <memory>
#include <unordered_map>

#include "records/row_ops.hpp"

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
  // A click on a row's label selects the row.
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      const int row = rowAt(event->position().toPoint().y());
      if (row >= 0) {
        main_->setFocus(Qt::MouseFocusReason);
        main_->SelectRowByLabel(row, event->modifiers());
      }
    }
    event->accept();
  }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
  void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
  void wheelEvent(QWheelEvent* event) override {
    QCoreApplication::sendEvent(main_->viewport(), event);
  }
  void contextMenuEvent(QContextMenuEvent* event) override {
    main_->ShowContextMenu(event->globalPos(), event->reason() == QContextMenuEvent::Keyboard);
  }

 private:
  GridView* main_;
};

GridView::GridView(const GridDesign& design, GridModel* model, QWidget* parent)
    : QTableView(parent), design_(design), model_(model), baseFont_(font()) {
  setObjectName(QString::fromUtf8(design.name));
  setModel(model);
  ConfigureHeaders(this, design);
  setSelectionMode(ContiguousSelection);
  setSelectionBehavior(SelectItems);
  setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
  // Tab leaves the grid for the controls after it (the page's buttons); the arrow keys and
  // Enter move inside it.
  setTabKeyNavigation(false);
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
  // A double click on a column border fits the column, the same way for the fixed columns.
  for (QHeaderView* header : {horizontalHeader(), fixed_->horizontalHeader()}) {
    // A click on a column heading selects the column (Shift extends, Ctrl adds).
    disconnect(header, &QHeaderView::sectionPressed, nullptr, nullptr);
    disconnect(header, &QHeaderView::sectionEntered, nullptr, nullptr);
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionPressed, this, [this](int column) {
      setFocus(Qt::MouseFocusReason);
      SelectColumnByHeading(column, QGuiApplication::keyboardModifiers());
    });
    disconnect(header, &QHeaderView::sectionHandleDoubleClicked, nullptr, nullptr);
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int column) { FitColumn(column); });
    header->installEventFilter(this);
  }
  fixed_->viewport()->installEventFilter(this);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          &GridView::CurrentCellChanged);
  ApplyGridLayout();
}

QTableView* GridView::FixedColumns() const {
  return fixed_;
}

void GridView::BeginRebuild() {
  keptRow_ = currentIndex().row();
  keptColumn_ = currentIndex().column();
  keptHorizontal_ = horizontalScrollBar()->value();
  keptVertical_ = verticalScrollBar()->value();
  rebuilding_ = true;
  model_->BeginGridChange();
}

void GridView::EndRebuild(bool keepPlace) {
  model_->EndGridChange();
  ApplyGridLayout();
  rebuilding_ = false;
  int row = 0;
  int column = model_->Grid().FixedCols();
  if (keepPlace) {
    row = keptRow_;
    column = keptColumn_;
  } else if (model_->rowCount() > 1) {
    row = 1;  // the first data row: grid row 2, below the capture-column ids
  }
  const QModelIndex current = model_->index(row, column);
  if (current.isValid() && !model_->IsFixedColumn(column)) {
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
  }
  horizontalScrollBar()->setValue(keepPlace ? keptHorizontal_ : 0);
  verticalScrollBar()->setValue(keepPlace ? keptVertical_ : 0);
  emit CurrentCellChanged();
}

int GridView::Scaled(int size) const {
  return zoom_ == 100 ? size : std::max(1, (size * zoom_ + 50) / 100);
}

int GridView::Unscaled(int size) const {
  return zoom_ == 100 ? size : std::max(1, (size * 100 + zoom_ / 2) / zoom_);
}

void GridView::SetZoom(int percent) {
  zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
  QFont scaled = baseFont_;
  if (baseFont_.pointSizeF() > 0) {
    scaled.setPointSizeF(baseFont_.pointSizeF() * zoom_ / 100.0);
  } else {
    scaled.setPixelSize(Scaled(baseFont_.pixelSize()));
  }
  for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(fixed_)}) {
    view->setFont(scaled);
    view->horizontalHeader()->setFont(scaled);
    view->verticalHeader()->setFont(scaled);
  }
  ApplyGridLayout();
}

void GridView::ApplyGridLayout() {
  const TableGrid& grid = model_->Grid();
  const int cols = grid.ColCount();
  const int rows = model_->rowCount();
  const bool wasRebuilding = rebuilding_;
  rebuilding_ = true;  // the sizes set here are the grid's own, not the user's
  for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(fixed_)}) {
    // A lowered row is 9 pixels high at 100 %: below the header's usual minimum.
    view->verticalHeader()->setMinimumSectionSize(Scaled(kLoweredRowHeight));
    view->horizontalHeader()->setMinimumSectionSize(Scaled(5));
    SetSectionSizes(view->horizontalHeader(), cols,
                    [this, &grid](int c) { return Scaled(grid.ColWidth(c)); });
    SetSectionSizes(view->verticalHeader(), rows,
                    [this, &grid](int r) { return Scaled(grid.RowHeight(GridModel::GridRow(r))); });
    view->horizontalHeader()->setFixedHeight(Scaled(grid.RowHeight(0)));
  }
  rebuilding_ = wasRebuilding;
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
  model_->Grid().SetColWidth(column, Unscaled(width));
  horizontalHeader()->resizeSection(column, width);
  fixed_->horizontalHeader()->resizeSection(column, width);
  if (column < model_->Grid().FixedCols()) PlaceFixedColumns();
}

void GridView::RowResized(int row, int height) {
  if (rebuilding_) return;
  model_->Grid().SetRowHeight(GridModel::GridRow(row), Unscaled(height));
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

CellBlock GridView::SelectedBlock(bool headings) const {
  CellBlock block;
  block.headings = headings;
  const QItemSelection selection = selectionModel()->selection();
  for (const QItemSelectionRange& range : selection) {
    block.rows.push_back({GridModel::GridRow(range.top()), GridModel::GridRow(range.bottom())});
    block.cols.push_back({range.left(), range.right()});
  }
  return ClipBlock(model_->Grid(), std::move(block), UsedExtentOf(model_->Grid()));
}

QString GridView::SelectionText(bool headings) const {
  const CellBlock block = SelectedBlock(headings);
  if (block.rows.empty() || block.cols.empty()) return {};
  return QString::fromStdString(BlockText(model_->Grid(), block));
}

void GridView::CopySelection(bool headings) {
  const CellBlock block = SelectedBlock(headings);
  if (block.rows.empty() || block.cols.empty()) return;
  const TableGrid& grid = model_->Grid();
  const BlockSize size = EstimateBlockSize(grid, block);
  if (std::max(size.text, size.html) > kMaxCopyBytes) {
    const QLocale german(QLocale::German, QLocale::Germany);
    emit CopyRefused(
        QStringLiteral("Die Auswahl ist zu groß zum Kopieren: etwa %1 MB Text, höchstens %2 MB "
                       "passen in die Zwischenablage.\nBitte wählen Sie einen kleineren Bereich "
                       "oder exportieren Sie die Tabelle (Datei → Tabelle exportieren…).")
            .arg(german.toString(
                static_cast<qulonglong>((std::max(size.text, size.html) + (1 << 20) - 1) >> 20)))
            .arg(kMaxCopyBytes >> 20));
    return;
  }
  auto* copied = new QMimeData;
  copied->setText(QString::fromStdString(BlockText(grid, block)));
  copied->setHtml(QString::fromStdString(BlockHtml(grid, block)));
  QGuiApplication::clipboard()->setMimeData(copied);
}

void GridView::selectAll() {
  SelectAllCells();
}

void GridView::SelectAllCells() {
  const int first = model_->Grid().FixedCols();
  if (model_->rowCount() == 0 || first >= model_->columnCount()) return;
  selectionModel()->select(
      QItemSelection(model_->index(0, first),
                     model_->index(model_->rowCount() - 1, model_->columnCount() - 1)),
      QItemSelectionModel::ClearAndSelect);
}

namespace {

// The flags of a click that selects whole rows or columns: Ctrl adds, Shift extends.
QItemSelectionModel::SelectionFlags SelectionCommand(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ControlModifier) != 0 ? QItemSelectionModel::Select
                                                : QItemSelectionModel::ClearAndSelect;
}

}  // namespace

void GridView::SelectRowByLabel(int row, Qt::KeyboardModifiers modifiers) {
  const int first = model_->Grid().FixedCols();
  if (row < 0 || row >= model_->rowCount() || first >= model_->columnCount()) return;
  int from = row;
  if ((modifiers & Qt::ShiftModifier) != 0 && rowAnchor_ >= 0 && rowAnchor_ < model_->rowCount()) {
    from = rowAnchor_;
  } else {
    rowAnchor_ = row;
  }
  selectionModel()->select(
      QItemSelection(model_->index(std::min(from, row), first),
                     model_->index(std::max(from, row), model_->columnCount() - 1)),
      SelectionCommand(modifiers));
  selectionModel()->setCurrentIndex(model_->index(row, first), QItemSelectionModel::NoUpdate);
}

void GridView::SelectColumnByHeading(int column, Qt::KeyboardModifiers modifiers) {
  if (column < model_->Grid().FixedCols() || column >= model_->columnCount() ||
      model_->rowCount() == 0) {
    return;
  }
  int from = column;
  if ((modifiers & Qt::ShiftModifier) != 0 && columnAnchor_ >= model_->Grid().FixedCols() &&
      columnAnchor_ < model_->columnCount()) {
    from = columnAnchor_;
  } else {
    columnAnchor_ = column;
  }
  selectionModel()->select(
      QItemSelection(model_->index(0, std::min(from, column)),
                     model_->index(model_->rowCount() - 1, std::max(from, column))),
      SelectionCommand(modifiers));
  const int row = currentIndex().isValid() ? currentIndex().row() : 0;
  selectionModel()->setCurrentIndex(model_->index(row, column), QItemSelectionModel::NoUpdate);
}

void GridView::keyPressEvent(QKeyEvent* event) {
  const auto keys = event->keyCombination();
  if (keys == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_C)) {
    CopySelection(true);
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Copy)) {
    CopySelection(false);
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    SelectAllCells();
    event->accept();
    return;
  }
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && state() != EditingState) {
    // As in a spreadsheet: Enter goes down a row, Shift+Enter up.
    const bool up = (event->modifiers() & Qt::ShiftModifier) != 0;
    const QModelIndex next = moveCursor(up ? MoveUp : MoveDown, Qt::NoModifier);
    if (next.isValid()) setCurrentIndex(next);
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  switch (hint) {
    case QAbstractItemDelegate::EditNextItem:
    case QAbstractItemDelegate::EditPreviousItem:
      // Tab in an editor takes the edit and leaves the grid, as Tab does outside an editor.
      QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
      focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
      return;
    case QAbstractItemDelegate::SubmitModelCache: {
      // Enter takes the edit and goes down a row.
      QTableView::closeEditor(editor, hint);
      const QModelIndex next = moveCursor(MoveDown, Qt::NoModifier);
      if (next.isValid()) setCurrentIndex(next);
      return;
    }
    default:
      QTableView::closeEditor(editor, hint);
  }
}

void GridView::wheelEvent(QWheelEvent* event) {
  if ((event->modifiers() & Qt::ControlModifier) != 0) {
    const int delta = event->angleDelta().y();
    if (delta != 0) emit ZoomStepRequested(delta > 0 ? 1 : -1);
    event->accept();
    return;
  }
  QTableView::wheelEvent(event);
}

// ---- fitting columns -------------------------------------------------------------------------

void GridView::FitColumn(int column) {
  if (!design_.colsSizable || column < 0 || column >= model_->columnCount()) return;
  // The rows in view (or, for a view not shown, the first thousand) and the heading.
  const int width =
      std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column));
  horizontalHeader()->resizeSection(column,
                                    std::max(width, horizontalHeader()->minimumSectionSize()));
}

void GridView::FitAllColumns() {
  for (int column = 0; column < model_->columnCount(); ++column) FitColumn(column);
}

// ---- going to a cell -------------------------------------------------------------------------

void GridView::EnsureColumnVisible(int column) {
  if (model_->IsFixedColumn(column)) return;
  QScrollBar* bar = horizontalScrollBar();
  const int left = horizontalHeader()->sectionPosition(column);
  const int right = left + horizontalHeader()->sectionSize(column);
  const int fixed = FixedWidth();
  if (left - bar->value() < fixed) {
    bar->setValue(left - fixed);
  } else if (right - bar->value() > viewport()->width()) {
    bar->setValue(std::min(left - fixed, right - viewport()->width()));
  }
}

void GridView::ShowCell(const CellPosition& cell) {
  model_->SetMark(cell);
  const int fixed = model_->Grid().FixedCols();
  const bool key = cell.col < fixed;
  int row = cell.row - GridModel::kHeaderRows;
  if (cell.row == 0) row = currentIndex().isValid() ? currentIndex().row() : 0;
  const int column = key ? fixed : cell.col;
  const QModelIndex target = model_->index(row, column);
  if (target.isValid()) {
    setCurrentIndex(target);
    if (cell.row > 0) scrollTo(target);
  }
  EnsureColumnVisible(cell.col);
}

std::optional<CellPosition> GridView::CurrentCell() const {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return std::nullopt;
  return CellPosition{current.column(), GridModel::GridRow(current.row())};
}

// ---- context menu ----------------------------------------------------------------------------

QMenu* GridView::MakeContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("GridContextMenu"));
  const auto add = [this, menu](const char* text, const char* object, QKeySequence keys, auto run) {
    QAction* action = menu->addAction(QString::fromUtf8(text), this, run);
    action->setObjectName(QString::fromUtf8(object));
    action->setShortcut(keys);
    // The keys work through the grid and the window; in the menu they are only shown.
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
  };
  const bool selected = selectionModel()->hasSelection();
  add("Kopieren", "CopyItem", QKeySequence::Copy, [this] {
    CopySelection(false);
  })->setEnabled(selected);
  add("Mit Überschriften kopieren", "CopyWithHeadingsItem",
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [this] { CopySelection(true); })
      ->setEnabled(selected);
  add("Alles auswählen", "SelectAllItem", QKeySequence::SelectAll, [this] { SelectAllCells(); });
  menu->addSeparator();
  add("Tabelle exportieren…", "ExportTableItem", QKeySequence(Qt::CTRL | Qt::Key_S),
      [this] { emit ExportRequested(); });
  add("Tabelle drucken…", "PrintTableItem", QKeySequence(Qt::CTRL | Qt::Key_P),
      [this] { emit PrintRequested(); });
  menu->addSeparator();
  QAction* fit = menu->addAction(QStringLiteral("Alle Spalten an den Inhalt anpassen"), this,
                                 &GridView::FitAllColumns);
  fit->setObjectName(QStringLiteral("FitAllColumnsItem"));
  fit->setEnabled(design_.colsSizable);
  // The folder of the file the current cell came from, shown by the desktop.
  QString path;
  const std::optional<CellPosition> cell = CurrentCell();
  if (cell) model_->Origin(cell->col, cell->row, &path);
  QAction* folder = menu->addAction(QStringLiteral("Datei im Ordner zeigen"), this, [path] {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
  });
  folder->setObjectName(QStringLiteral("ShowFileInFolderItem"));
  folder->setEnabled(!path.isEmpty());
  return menu;
}

void GridView::ShowContextMenu(const QPoint& globalPos, bool fromKeyboard) {
  QPoint at = globalPos;
  if (fromKeyboard) {
    // The menu key: at the current cell.
    const QRect cell = visualRect(currentIndex());
    at = viewport()->mapToGlobal(cell.isValid() ? cell.center() : QPoint(0, 0));
  } else {
    // A right click makes the cell under the mouse the current one, as in a spreadsheet.
    const QModelIndex index = indexAt(viewport()->mapFromGlobal(globalPos));
    if (index.isValid() && (model_->flags(index) & Qt::ItemIsSelectable) != 0 &&
        !selectionModel()->isSelected(index)) {
      setCurrentIndex(index);
    }
  }
  const std::unique_ptr<QMenu> menu(MakeContextMenu(this));
  menu->exec(at);
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
  ShowContextMenu(event->globalPos(), event->reason() == QContextMenuEvent::Keyboard);
  event->accept();
}

// ---- tool tips of cut texts ------------------------------------------------------------------

int GridView::CellMargin() const {
  return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
}

int GridView::HeadingMargin() const {
  return 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
}

bool GridView::ShowWholeText(QHelpEvent* help, QWidget* widget, const QString& text,
                             const QRect& rect, int margin) const {
  if (text.isEmpty() || widget->fontMetrics().horizontalAdvance(text) + margin <= rect.width()) {
    return false;
  }
  QToolTip::showText(help->globalPos(), text, widget, rect);
  return true;
}

bool GridView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip && !model_.isNull()) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    if (index.isValid() &&
        ShowWholeText(help, viewport(), index.data().toString(), visualRect(index), CellMargin())) {
      return true;
    }
  }
  return QTableView::viewportEvent(event);
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip && !model_.isNull()) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (watched == fixed_->viewport()) {
      const QModelIndex index = fixed_->indexAt(help->pos());
      if (index.isValid() && ShowWholeText(help, fixed_->viewport(), index.data().toString(),
                                           fixed_->visualRect(index), CellMargin())) {
        return true;
      }
    } else if (auto* header = qobject_cast<QHeaderView*>(watched)) {
      const int column = header->logicalIndexAt(help->pos());
      if (column >= 0) {
        const QRect rect(header->sectionViewportPosition(column), 0, header->sectionSize(column),
                         header->height());
        const QString text = model_->headerData(column, Qt::Horizontal).toString();
        if (ShowWholeText(help, header, text, rect, HeadingMargin())) return true;
      }
    }
  }
  return QTableView::eventFilter(watched, event);
}

}  // namespace tab::ui
