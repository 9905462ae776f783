#include "app/ui/grid_model.hpp"

#include <algorithm>

#include "records/text.hpp"

namespace tab::ui {

QString CellText(std::string_view win1252) {
  return QString::fromUtf8(Win1252ToUtf8(win1252));
}

QString ShownCellText(std::string_view win1252) {
  if (win1252.size() <= kMostShownCharacters) return CellText(win1252);
  return CellText(win1252.substr(0, kMostShownCharacters)) + QChar(0x2026);
}

GridModel::GridModel(TableGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, grid_.RowCount() - kHeaderRows);
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.ColCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::BackgroundRole) {
    if (mark_ && mark_->col == index.column() && mark_->row == GridRow(index.row())) {
      return MarkBrush();
    }
    return IsFixedColumn(index.column()) ? QVariant(headingBrush_) : QVariant();
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const std::string_view cell = grid_.Cell(index.column(), GridRow(index.row()));
  return role == Qt::DisplayRole ? ShownCellText(cell) : CellText(cell);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};  // the fixed left columns label the rows
  if (role == Qt::BackgroundRole && mark_ && mark_->row == 0 && mark_->col == section) {
    return MarkBrush();
  }
  if (role != Qt::DisplayRole) return {};
  return ShownCellText(grid_.Cell(section, 0));
}

namespace {

// The file's name as the reader knows it, without its folder.
QString FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return QString::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1));
}

}  // namespace

QString GridModel::Origin(int col, int row, QString* path) const {
  if (path != nullptr) path->clear();
  if (row <= 0 || row >= grid_.RowCount() || col < 0 || col >= grid_.ColCount()) return {};
  if (edited_.count({col, row}) != 0) return QStringLiteral("hier geändert, in keiner Datei");
  const std::uint32_t line = grid_.DataLine(row);
  const int firstField = grid_.DataFirstColumn();
  // A field of the record, or (in the key columns of a key row) the key file.
  if (line != 0 && !grid_.DataFile().empty() && (col >= firstField || !grid_.IsKeyRow(row))) {
    if (path != nullptr) *path = QString::fromStdString(grid_.DataFile());
    QString text = QStringLiteral("%1, Zeile %2").arg(FileName(grid_.DataFile())).arg(line);
    if (col >= firstField) text += QStringLiteral(", Feld %1").arg(col - firstField + 1);
    return text;
  }
  if (grid_.IsKeyRow(row) && !grid_.KeyFile().empty()) {
    if (path != nullptr) *path = QString::fromStdString(grid_.KeyFile());
    const std::uint32_t keyLine = grid_.KeyLine(row);
    return keyLine != 0 ? QStringLiteral("Schlüsselzeile aus %1, Zeile %2")
                              .arg(FileName(grid_.KeyFile()))
                              .arg(keyLine)
                        : QStringLiteral("Schlüsselzeile aus %1").arg(FileName(grid_.KeyFile()));
  }
  return {};
}

QBrush GridModel::MarkBrush() {
  return QColor(255, 150, 50);  // orange: on the white, yellow, green and aqua grids alike
}

void GridModel::SetMark(std::optional<CellPosition> cell) {
  const std::optional<CellPosition> before = mark_;
  mark_ = cell;
  if (before) MarkChanged(*before);
  if (cell) MarkChanged(*cell);
}

void GridModel::MarkChanged(const CellPosition& cell) {
  if (cell.row == 0) {
    emit headerDataChanged(Qt::Horizontal, cell.col, cell.col);
  } else if (cell.row <= rowCount() && cell.col < columnCount()) {
    const QModelIndex index = this->index(cell.row - kHeaderRows, cell.col);
    emit dataChanged(index, index, {Qt::BackgroundRole});
  }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // Fixed cells are headings: the cursor skips them, they are neither selected nor edited.
  if (IsFixedColumn(index.column())) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || IsFixedColumn(index.column())) return false;
  grid_.SetCell(index.column(), GridRow(index.row()),
                Utf8ToWin1252(value.toString().toStdString()));
  edited_.emplace(index.column(), GridRow(index.row()));
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

}  // namespace tab::ui
