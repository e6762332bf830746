#pragma once

#include <QDialog>

#include "links/frm_business_data.h"
#include "links/frm_center_ralation.h"
#include "links/frm_reference.h"
#include "links/frm_reference_batch.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QStandardItemModel;
class QTableView;

namespace lumvoucher::ui {

class Desktop;
class SplitGridModel;

// Registers the memo book, fund matching and business data dialogs with the modal runner and
// their commands ("备查登记", "批量分配备查明细", "资金中心", "业务资料") with the main window; the
// commands act on the voucher window or the list in front.
void RegisterDocumentLinkViews(Desktop& desktop);

// 备查薄明细: one grid with a type column, the amount left per classification below it, the
// classification new rows get, 新增明细/删除明细 and OK/Cancel (the presenter's closing question).
class ReferenceDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ReferenceDialog(links::frmReference& presenter, QWidget* parent = nullptr);
  void Render();
  QTableView* Grid() const { return grid_; }
  QLabel* Remaining() const { return remaining_; }
  QComboBox* NewRowClass() const { return new_class_; }

 protected:
  void reject() override;

 private:
  links::frmReference& presenter_;
  SplitGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* remaining_ = nullptr;
  QComboBox* new_class_ = nullptr;
};

// 批量分配备查明细: a row per memo account and direction, 待分配金额 editable, 选择分录 opens the
// selection dialog for the current row.
class ReferenceBatchDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ReferenceBatchDialog(links::frmReferenceBatch& presenter, QWidget* parent = nullptr);
  void Render();
  QTableView* Grid() const { return grid_; }

 private:
  links::frmReferenceBatch& presenter_;
  SplitGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
};

// 选择凭证分录明细: the lines with a 选择 column ticked by editing or double-click.
class SelectReferenceLinesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SelectReferenceLinesDialog(links::frmSelectReferenceLines& presenter,
                                      QWidget* parent = nullptr);
  QTableView* Grid() const { return grid_; }

 private:
  links::frmSelectReferenceLines& presenter_;
  SplitGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
};

// The fund document matching window: the data area, 金额相符, the voucher lines above the
// requests, pairing, clearing, the conditions of either list and the fund system's document.
class CenterRelationDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CenterRelationDialog(links::frmCenterRalation& presenter, QWidget* parent = nullptr);
  void Render();
  QTableView* Lines() const { return lines_; }
  QTableView* Requests() const { return requests_; }
  QComboBox* Area() const { return area_; }

 protected:
  void reject() override;

 private:
  links::frmCenterRalation& presenter_;
  QComboBox* area_ = nullptr;
  QCheckBox* amount_fit_ = nullptr;
  QStandardItemModel* line_model_ = nullptr;
  QStandardItemModel* request_model_ = nullptr;
  QTableView* lines_ = nullptr;
  QTableView* requests_ = nullptr;
  bool rendering_ = false;
};

// 业务资料: the documents behind the voucher, 打开 hands the current one to its module.
class BusinessDataDialog : public QDialog {
  Q_OBJECT

 public:
  explicit BusinessDataDialog(links::frmBusinessData& presenter, QWidget* parent = nullptr);
  void Render();
  QTableView* Grid() const { return grid_; }

 private:
  links::frmBusinessData& presenter_;
  QStandardItemModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
};

}  // namespace lumvoucher::ui
