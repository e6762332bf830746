#include "ui/account_card.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace lumvoucher::ui {

AccountCardDialog::AccountCardDialog(const embedded::EmbeddedAccount::AccountCard& proposal,
                                     QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("accountCard"));
  setWindowTitle(ToQt(embedded::EmbeddedAccount::kTitleAddAccount));
  parent_ = new QLabel(proposal.parent.empty() ? QStringLiteral("（编码中“-”前为上级科目编码）")
                                               : ToQt(proposal.parent),
                       this);
  code_ = new QLineEdit(ToQt(proposal.code), this);
  code_->setObjectName(QStringLiteral("code"));
  name_ = new QLineEdit(ToQt(proposal.name), this);
  name_->setObjectName(QStringLiteral("name"));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("上级科目："), parent_);
  form->addRow(QStringLiteral("科目编码(&C)："), code_);
  form->addRow(QStringLiteral("科目名称(&N)："), name_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  // The name is what is missing when the code was typed.
  (proposal.code.empty() ? code_ : name_)->setFocus();
  setMinimumWidth(340);
}

embedded::EmbeddedAccount::AccountCard AccountCardDialog::Card() const {
  return {ToUtf8(code_->text().trimmed()), ToUtf8(name_->text().trimmed()), {}};
}

void InstallAccountCard(embedded::EmbeddedAccount& accounts, QWidget* parent) {
  QPointer<QWidget> owner(parent);
  accounts.SetAccountCardHandler([owner](const embedded::EmbeddedAccount::AccountCard& proposal)
                                     -> std::optional<embedded::EmbeddedAccount::AccountCard> {
    AccountCardDialog dialog(proposal, owner.data());
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Card();
  });
}

}  // namespace lumvoucher::ui
