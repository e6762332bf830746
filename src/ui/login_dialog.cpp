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
    const QString roles = choice.roles.empty()
                              ? QString()
                              : QStringLiteral("（") + ToQt(choice.roles) + QStringLiteral("）");
    box->addItem(ToQt(choice.code) + QLatin1Char(' ') + ToQt(choice.name) + roles,
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
  std::vector<LoginChoice> operators =
      ReadChoices(data,
                  "Select lngOperatorID, strOperatorCode, strOperatorName From Operator Where "
                  "blnIsInActive = 0");
  // An operator without voucher-type rows makes every type; with rows, those marked.
  constexpr const char* kRoles[][2] = {
      {"管理员", "Select lngOperatorID From Operator Where blnIsAdmin = 1"},
      {"制单",
       "Select lngOperatorID From Operator o Where blnIsAdmin = 0 And (Not Exists (Select 1 From "
       "OperatorVoucherType t Where t.lngOperatorID = o.lngOperatorID) Or Exists (Select 1 From "
       "OperatorVoucherType t Where t.lngOperatorID = o.lngOperatorID And t.blnMake = 1))"},
      {"复核", "Select Distinct lngOperatorID From OperatorRight Where lngRightID In (204, 29)"},
      {"出纳", "Select Distinct lngOperatorID From OperatorRight Where lngRightID = 1725"},
      {"记账",
       "Select Distinct lngOperatorID From OperatorRight Where lngRightID In (206, 205, 30)"},
  };
  for (const auto& [role, sql] : kRoles) {
    host::Recordset rs = data.OpenRecordset(sql);
    for (; !rs.Eof(); rs.MoveNext()) {
      const long id = static_cast<long>(rs[0].AsLong());
      for (LoginChoice& op : operators) {
        if (op.id == id) op.roles += (op.roles.empty() ? "" : "、") + std::string(role);
      }
    }
  }
  return operators;
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
