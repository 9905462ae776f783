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
    return IsFixedColumn(index.column()) ? QVariant(headingBrush_) : QVariant();
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const std::string_view cell = grid_.Cell(index.column(), GridRow(index.row()));
  return role == Qt::DisplayRole ? ShownCellText(cell) : CellText(cell);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return ShownCellText(grid_.Cell(section, 0));
  return {};  // the fixed left columns label the rows
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
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

}  // namespace tab::ui
