#include "ui/split_grid_model.h"

namespace lumvoucher::ui {

SplitGridModel::SplitGridModel(std::function<int()> row_count, std::vector<GridColumn> columns,
                               QObject* parent)
    : QAbstractTableModel(parent), row_count_(std::move(row_count)), columns_(std::move(columns)) {}

void SplitGridModel::Refresh() {
  beginResetModel();
  endResetModel();
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int SplitGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : row_count_();
}

int SplitGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant SplitGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const GridColumn& column = columns_[static_cast<std::size_t>(index.column())];
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(
        Qt::Alignment((column.right_aligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  QString text = column.text(index.row());
  if (role == Qt::EditRole && column.right_aligned) text.remove(QLatin1Char(','));
  return text;
}

bool SplitGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const GridColumn& column = columns_[static_cast<std::size_t>(index.column())];
  if (!column.edit) return false;
  const bool ok = column.edit(index.row(), value.toString());
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
  return ok;
}

Qt::ItemFlags SplitGridModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (!index.isValid()) return f;
  return columns_[static_cast<std::size_t>(index.column())].edit ? f | Qt::ItemIsEditable : f;
}

QVariant SplitGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columnCount()) return {};
  return columns_[static_cast<std::size_t>(section)].caption();
}

}  // namespace lumvoucher::ui
