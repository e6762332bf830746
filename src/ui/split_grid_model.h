#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <vector>

namespace lumvoucher::ui {

// A column of a split window's grid: its caption, the text of a row (0-based) and, for an
// editable column, the edit handed to the presenter (false: refused, the presenter said why).
struct GridColumn {
  std::function<QString()> caption;
  std::function<QString(int row)> text;
  std::function<bool(int row, const QString& value)> edit;
  bool right_aligned = false;
};

// The grid model of the settlement, contract and cost windows: rows and cells come from the
// presenter through the columns' functions, so the model holds no copy to go stale.
class SplitGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  SplitGridModel(std::function<int()> row_count, std::vector<GridColumn> columns,
                 QObject* parent = nullptr);

  void Refresh();
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::function<int()> row_count_;
  std::vector<GridColumn> columns_;
};

}  // namespace lumvoucher::ui
