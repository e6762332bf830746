#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

#include "cashflow/frm_cash_flow_auto2.h"

class QPushButton;
class QRadioButton;
class QTableView;

namespace lumvoucher::ui {

// A grid of the batch window: the editable grid of the current mode, or (`companion`) the
// read-only lines of the other kind beside it. Auxiliary columns appear only when some line of
// the grid's kind uses them.
class CashFlowAutoModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum class Field {
    kRowNo,
    kRemark,
    kAccount,
    kDebit,
    kCredit,
    kCashLine,
    kFlow,
    kItem,
    kRange,
    kCounterpart,
    kAmount,
    kAux
  };
  struct Column {
    QString caption;
    Field field;
    int aux = -1;
  };

  CashFlowAutoModel(cashflow::frmCashFlowAuto2& presenter, bool companion,
                    QObject* parent = nullptr);

  void Refresh();
  const Column& ColumnAt(int column) const { return columns_.at(static_cast<std::size_t>(column)); }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const std::vector<cashflow::AutoLine>& CompanionLines() const;
  const cashflow::AutoLine& LineAt(int row) const;

  cashflow::frmCashFlowAuto2& presenter_;
  bool companion_;
  std::vector<Column> columns_;
};

// The Qt view of frmCashFlowAuto2 ("现金流量批量分配"): the two ways of working, the editable
// grid with its read-only companion, the cash-line chooser, row add and delete, the suggestion
// from the organisation's history, the item cards, save and cancel.
class CashFlowAutoDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CashFlowAutoDialog(cashflow::frmCashFlowAuto2& presenter, QWidget* parent = nullptr);

  void Render();
  QTableView* Grid() const { return grid_; }
  QTableView* Companion() const { return companion_; }
  CashFlowAutoModel* Model() const { return model_; }
  QRadioButton* ByOppositeLine() const { return by_opposite_; }
  QPushButton* SuggestButton() const { return suggest_; }
  QPushButton* SaveButton() const { return save_; }

 protected:
  void reject() override;

 private:
  int CurrentRow() const;

  cashflow::frmCashFlowAuto2& presenter_;
  CashFlowAutoModel* model_ = nullptr;
  CashFlowAutoModel* companion_model_ = nullptr;
  QTableView* grid_ = nullptr;
  QTableView* companion_ = nullptr;
  QRadioButton* by_cash_ = nullptr;
  QRadioButton* by_opposite_ = nullptr;
  QPushButton* suggest_ = nullptr;
  QPushButton* save_ = nullptr;
};

}  // namespace lumvoucher::ui
