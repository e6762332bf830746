#pragma once

#include <QDialog>

#include "embedded/embedded_services.h"

class QLineEdit;
class QLabel;

namespace lumvoucher::ui {

// The small account card the voucher window's "是否新增？" opens for an unknown account: code
// and name, under the parent the code names. The embedded host checks the answer and adds the
// account with the parent's properties.
class AccountCardDialog : public QDialog {
  Q_OBJECT

 public:
  AccountCardDialog(const embedded::EmbeddedAccount::AccountCard& proposal,
                    QWidget* parent = nullptr);

  embedded::EmbeddedAccount::AccountCard Card() const;
  QLineEdit* Code() const { return code_; }
  QLineEdit* Name() const { return name_; }

 private:
  QLabel* parent_ = nullptr;
  QLineEdit* code_ = nullptr;
  QLineEdit* name_ = nullptr;
};

// Makes the embedded host's account card this dialog, parented to `parent`.
void InstallAccountCard(embedded::EmbeddedAccount& accounts, QWidget* parent);

}  // namespace lumvoucher::ui
