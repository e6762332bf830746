#pragma once

#include <QAbstractTableModel>
#include <QDialog>

#include "cashflow/frm_voucher_cash_flow.h"

class QLabel;
class QPushButton;
class QTableView;

namespace lumvoucher::ui {

// The line window's grid: 流向, 现金流量表项目, 范围, 内部往来单位, 分配金额. An edit goes to the
// presenter, which may refuse it (its message says why) and keep the old value.
class CashFlowLineModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kFlow, kItem, kRange, kCounterpart, kAmount, kColumns };
  explicit CashFlowLineModel(cashflow::frmVoucherCashFlow& presenter, QObject* parent = nullptr);

  void Refresh();
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  cashflow::frmVoucherCashFlow& presenter_;
};

// The Qt view of frmVoucherCashFlow ("现金流量明细"): the line's account, amount and direction,
// the split grid with item completion by code or name, add and delete (Ctrl+A, Ctrl+D and the
// context menu), the item cards, the batch window, OK and cancel.
class CashFlowDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CashFlowDialog(cashflow::frmVoucherCashFlow& presenter, QWidget* parent = nullptr);

  void Render();
  QTableView* Grid() const { return grid_; }
  CashFlowLineModel* Model() const { return model_; }
  QLabel* AmountLabel() const { return amount_; }
  QPushButton* OkButton() const { return ok_; }

  void AddRow();
  void DeleteRow();
  void SaveAndClose();

 protected:
  void reject() override;

 private:
  int CurrentRow() const;

  cashflow::frmVoucherCashFlow& presenter_;
  CashFlowLineModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* amount_ = nullptr;
  QLabel* direction_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace lumvoucher::ui
