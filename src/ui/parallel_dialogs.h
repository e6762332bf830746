#pragma once

#include <QDialog>

#include "dualbasis/frm_double_rule.h"
#include "dualbasis/frm_select_std_voucher_tmp.h"
#include "dualbasis/parallel_template_list.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lumvoucher::ui {

class Desktop;

// The Qt view of frmDoubleRule: code and name of a new parallel-accounting template. OK asks
// the presenter, which keeps the dialog open on a refusal.
class DoubleRuleDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DoubleRuleDialog(dualbasis::frmDoubleRule& presenter, QWidget* parent = nullptr);
  QLineEdit* Code() const { return code_; }
  QLineEdit* Name() const { return name_; }
  QPushButton* OkButton() const { return ok_; }
  void reject() override;

 private:
  dualbasis::frmDoubleRule& presenter_;
  QLineEdit* code_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// The Qt view of frmSelectStdVoucherTmp: the fitting templates by code, OK or a double click.
class SelectStdVoucherTmpDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SelectStdVoucherTmpDialog(dualbasis::frmSelectStdVoucherTmp& presenter,
                                     QWidget* parent = nullptr);
  QTableWidget* Grid() const { return grid_; }
  QPushButton* OkButton() const { return ok_; }
  void reject() override;

 private:
  void Choose();

  dualbasis::frmSelectStdVoucherTmp& presenter_;
  QTableWidget* grid_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// The organisation's parallel-accounting templates (ParallelTemplateList): code, name, source
// and whether each is active; the current template can be switched off or on, and deleted
// after a question.
class ParallelTemplateListDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ParallelTemplateListDialog(QWidget* parent = nullptr);
  QTableWidget* Grid() const { return grid_; }
  QPushButton* SwitchButton() const { return switch_; }
  QPushButton* DeleteButton() const { return delete_; }
  void Render();

 private:
  void UpdateSwitch();

  dualbasis::ParallelTemplateList list_;
  QTableWidget* grid_ = nullptr;
  QPushButton* switch_ = nullptr;
  QPushButton* delete_ = nullptr;
};

// Registers both dialogs with the desktop's modal runner, and the template list's entry in the
// menu of an account set that keeps both bases.
void RegisterParallelViews(Desktop& desktop);

}  // namespace lumvoucher::ui
