#pragma once

#include <QDialog>

#include "templates/frm_create_std_voucher.h"
#include "templates/frm_select_std_voucher.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lumvoucher::ui {

// The Qt view of "生成样板凭证": number and name, OK and close. Closing asks the presenter,
// which may keep the dialog open.
class CreateStdVoucherDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CreateStdVoucherDialog(templates::frmCreateStdVoucher& presenter,
                                  QWidget* parent = nullptr);
  QLineEdit* Number() const { return number_; }
  QLineEdit* Name() const { return name_; }
  QPushButton* OkButton() const { return ok_; }
  void reject() override;

 private:
  void Take();

  templates::frmCreateStdVoucher& presenter_;
  QLineEdit* number_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// The Qt view of both choosers ("调用样板凭证"): the list by number, OK (or a double click),
// delete and cancel.
class SelectStdVoucherDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SelectStdVoucherDialog(templates::StdVoucherChooser& presenter,
                                  QWidget* parent = nullptr);
  QTableWidget* Grid() const { return grid_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* DeleteButton() const { return delete_; }
  void Render();
  void reject() override;

 private:
  void Choose();

  templates::StdVoucherChooser& presenter_;
  QTableWidget* grid_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* delete_ = nullptr;
};

}  // namespace lumvoucher::ui
