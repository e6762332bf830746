#include "ui/login_dialog.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_message_box.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {

namespace {

constexpr const char* kDateFormat = "yyyy-MM-dd";

std::vector<LoginChoice> ReadChoices(host::DataAccess& data, std::string_view sql) {
  host::Recordset rows = data.OpenRecordset(sql);
  std::vector<LoginChoice> choices;
  for (const host::Recordset::Row& row : rows.Rows()) {
    choices.push_back(
        {static_cast<long>(row.at(0).AsLong()), row.at(1).AsText(), row.at(2).AsText()});
  }
  return choices;
}

void Fill(QComboBox* box, const std::vector<LoginChoice>& choices, long proposed) {
  for (const LoginChoice& choice : choices) {
    box->addItem(ToQt(choice.code) + QLatin1Char(' ') + ToQt(choice.name),
                 QVariant::fromValue(static_cast<qlonglong>(choice.id)));
    if (choice.id == proposed) box->setCurrentIndex(box->count() - 1);
  }
}

}  // namespace

std::vector<LoginChoice> LoginOrganizations(host::DataAccess& data) {
  return ReadChoices(data,
                     "Select lngOrganizationID, strOrganizationCode, strOrganizationName From "
                     "Organization Order By strOrganizationCode");
}

std::vector<LoginChoice> LoginOperators(host::DataAccess& data) {
  return ReadChoices(data,
                     "Select lngOperatorID, strOperatorCode, strOperatorName From Operator Where "
                     "blnIsInActive = 0");
}

LoginDialog::LoginDialog(host::DataAccess& data, const embedded::LoginRequest& proposal,
                         QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("登录"));
  organizations_ = new QComboBox(this);
  operators_ = new QComboBox(this);
  date_ = new QDateEdit(this);
  date_->setDisplayFormat(QString::fromLatin1(kDateFormat));
  date_->setCalendarPopup(true);
  Fill(organizations_, LoginOrganizations(data), proposal.organization_id);
  Fill(operators_, LoginOperators(data), proposal.operator_id);
  QDate date = QDate::fromString(ToQt(proposal.login_date), QString::fromLatin1(kDateFormat));
  date_->setDate(date.isValid() ? date : QDate::currentDate());

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("机构(&O)："), organizations_);
  form->addRow(QStringLiteral("操作员(&U)："), operators_);
  form->addRow(QStringLiteral("登录日期(&D)："), date_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(ToQt(message_box_text::kOk));
  buttons->button(QDialogButtonBox::Cancel)->setText(ToQt(message_box_text::kCancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  setMinimumWidth(360);
}

embedded::LoginRequest LoginDialog::Request() const {
  return {static_cast<long>(organizations_->currentData().toLongLong()),
          static_cast<long>(operators_->currentData().toLongLong()),
          ToUtf8(date_->date().toString(QString::fromLatin1(kDateFormat)))};
}

}  // namespace lumvoucher::ui
