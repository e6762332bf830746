#pragma once

#include <QDialog>

#include "links/frm_contract_settlement.h"
#include "links/frm_cost_apportion.h"
#include "links/frm_darap.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace lumvoucher::ui {

class Desktop;
class SplitGridModel;

// Registers the three dialogs with the modal runner and the voucher window's commands
// "往来核销", "合同结算" and "成本归集" with the main window.
void RegisterLinkViews(Desktop& desktop);

// The Qt views of the line split windows: an editable grid over the presenter, the window's
// buttons and the totals below the grid. Every edit and button goes to the presenter, which
// shows its own refusals; OK closes only when the presenter confirmed.

// frmDARAP ("时间差异处理核销"): the open items, 选择 and 本次核销金额 editable, 自动分配 (first
// in, first out), 取消核销 (a stored settlement), the allocated and remaining totals.
class DarapDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DarapDialog(links::frmDARAP& presenter, QWidget* parent = nullptr);
  void Render();
  void RenderTotals();
  QTableView* Grid() const { return grid_; }
  QLabel* Totals() const { return totals_; }
  void Allocate();
  void Accept();

 protected:
  void reject() override;

 private:
  links::frmDARAP& presenter_;
  SplitGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* totals_ = nullptr;
};

// The contract settlement window ("合同结算"): 合同大类, 付款/收款, the project of kind 2, the
// rows.
class ContractDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ContractDialog(links::frmContractSettlement& presenter, QWidget* parent = nullptr);
  void Render();
  QTableView* Grid() const { return grid_; }
  QComboBox* Project() const { return project_; }
  void Accept();

 protected:
  void reject() override;

 private:
  links::frmContractSettlement& presenter_;
  SplitGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QComboBox* kind_ = nullptr;
  QComboBox* direction_ = nullptr;
  QComboBox* project_ = nullptr;
};

// The two cost cards (frmCostApportionOut, frmCostApportionIn) with the footer text.
class CostCardDialog : public QDialog {
  Q_OBJECT

 public:
  CostCardDialog(links::frmCostApportionOut& presenter, QWidget* parent = nullptr);
  CostCardDialog(links::frmCostApportionIn& presenter, QWidget* parent = nullptr);
  void Render();
  QTableView* Grid() const { return grid_; }
  QLabel* Footer() const { return footer_; }
  void Accept();

 protected:
  void reject() override;

 private:
  void Build(const QString& title);

  links::frmCostApportionOut* out_ = nullptr;
  links::frmCostApportionIn* in_ = nullptr;
  SplitGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* footer_ = nullptr;
};

}  // namespace lumvoucher::ui
