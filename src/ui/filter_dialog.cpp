#include "ui/filter_dialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include "embedded/embedded_filter.h"
#include "frame/login_state.h"
#include "host/database_error.h"
#include "ui/qt_text.h"
#include "voucher/account_completion.h"

namespace lumvoucher::ui {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
constexpr const char* kPreferenceSection = "凭证列表过滤";
using StatusKind = FilterFields::Status;

QDateEdit* DateEdit(QWidget* parent, const char* name) {
  auto* edit = new QDateEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setDisplayFormat(kDateFormat);
  edit->setCalendarPopup(true);
  return edit;
}

QLineEdit* LineEdit(QWidget* parent, const char* name, int width = 0) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  if (width > 0) edit->setMaximumWidth(width);
  return edit;
}

// A combo whose first entry "全部" stands for no restriction (data 0).
QComboBox* Choices(QWidget* parent, const char* name) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QLatin1String(name));
  combo->addItem(QStringLiteral("全部"), 0);
  return combo;
}

void FillFrom(QComboBox* combo, host::DataAccess& data, const std::string& sql) {
  try {
    host::Recordset rs = data.OpenRecordset(sql);
    for (; !rs.Eof(); rs.MoveNext()) {
      combo->addItem(ToQt(rs[1].AsText()), QVariant::fromValue<qlonglong>(rs[0].AsLong()));
    }
  } catch (const host::DatabaseError&) {
    // The field offers "全部" only; the rest of the dialog still works.
  }
}

void Choose(QComboBox* combo, long value) {
  const int at = combo->findData(QVariant::fromValue<qlonglong>(value));
  combo->setCurrentIndex(at < 0 ? 0 : at);
}

long Chosen(const QComboBox* combo) {
  return static_cast<long>(combo->currentData().toLongLong());
}

long NumberOf(const QLineEdit* edit) {
  return edit->text().trimmed().isEmpty() ? 0 : edit->text().trimmed().toLong();
}

}  // namespace

FilterDialog::FilterDialog(host::DataAccess& data, std::string_view list_title,
                           const FilterFields& fields, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("filterDialog"));
  setWindowTitle(QStringLiteral("过滤 - ") + ToQt(list_title));

  from_ = DateEdit(this, "dateFrom");
  to_ = DateEdit(this, "dateTo");
  period_ = Choices(this, "period");
  try {
    host::Recordset rs = data.OpenRecordset(
        "Select intYear, bytPeriod From AccountPeriod Where lngOrganizationID = " +
        std::to_string(frame::OrganizationId()) + " Order By intYear, bytPeriod");
    for (; !rs.Eof(); rs.MoveNext()) {
      const int year = static_cast<int>(rs[0].AsLong());
      const int period = static_cast<int>(rs[1].AsLong());
      period_->addItem(QStringLiteral("%1-%2").arg(year).arg(period, 2, 10, QLatin1Char('0')),
                       QVariant::fromValue<qlonglong>(year * 100 + period));
    }
  } catch (const host::DatabaseError&) {
  }
  type_ = Choices(this, "voucherType");
  FillFrom(type_, data,
           "Select lngVoucherTypeID, strVoucherTypeCode From VoucherType Where blnIsInActive = 0 "
           "Order By lngVoucherTypeID");
  number_from_ = LineEdit(this, "numberFrom", 90);
  number_to_ = LineEdit(this, "numberTo", 90);
  for (QLineEdit* edit : {number_from_, number_to_}) {
    edit->setValidator(new QIntValidator(1, 999999, edit));
  }
  summary_ = LineEdit(this, "summary");
  account_ = LineEdit(this, "account");
  account_->setPlaceholderText(QStringLiteral("科目编码或名称，含下级科目"));
  auto* completer = new QCompleter(account_);
  auto* accounts = new QStringListModel(completer);
  completer->setModel(accounts);
  completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  account_->setCompleter(completer);
  connect(account_, &QLineEdit::textEdited, completer, [completer, accounts](const QString& text) {
    QStringList items;
    try {
      for (const voucher::AccountChoice& choice : voucher::CompleteAccount(ToUtf8(text), 20)) {
        items << ToQt(choice.Text());
      }
    } catch (const host::DatabaseError&) {
    }
    accounts->setStringList(items);
    if (!items.isEmpty()) completer->complete();
  });
  amount_from_ = LineEdit(this, "amountFrom", 120);
  amount_to_ = LineEdit(this, "amountTo", 120);
  const std::string operators =
      "Select lngOperatorID, strOperatorName From Operator Where blnIsInActive = 0 Order By "
      "lngOperatorID";
  maker_ = Choices(this, "maker");
  checker_ = Choices(this, "checker");
  poster_ = Choices(this, "poster");
  for (QComboBox* combo : {maker_, checker_, poster_}) FillFrom(combo, data, operators);
  status_ = new QComboBox(this);
  status_->setObjectName(QStringLiteral("status"));
  for (const auto& [caption, status] :
       {std::pair{"全部", StatusKind::kAny}, std::pair{"未复核", StatusKind::kUnreviewed},
        std::pair{"已复核", StatusKind::kReviewed}, std::pair{"已出纳签字", StatusKind::kSigned},
        std::pair{"已记账", StatusKind::kPosted}, std::pair{"作废", StatusKind::kVoid},
        std::pair{"错误凭证", StatusKind::kError}}) {
    status_->addItem(QString::fromUtf8(caption), static_cast<int>(status));
  }

  auto pair = [this](QWidget* first, QWidget* second) {
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(new QLabel(QStringLiteral("至"), this));
    row->addWidget(second);
    row->addStretch(1);
    return row;
  };
  auto* form = new QFormLayout;
  // A row of two fields gets a label whose mnemonic goes to the first one.
  auto label = [this](const QString& text, QWidget* buddy) {
    auto* caption = new QLabel(text, this);
    caption->setBuddy(buddy);
    return caption;
  };
  form->addRow(label(QStringLiteral("日期(&D)："), from_), pair(from_, to_));
  form->addRow(QStringLiteral("会计期间(&P)："), period_);
  form->addRow(QStringLiteral("凭证字(&Z)："), type_);
  form->addRow(label(QStringLiteral("凭证号(&N)："), number_from_), pair(number_from_, number_to_));
  form->addRow(QStringLiteral("摘要包含(&M)："), summary_);
  form->addRow(QStringLiteral("科目(&K)："), account_);
  form->addRow(label(QStringLiteral("金额(&A)："), amount_from_), pair(amount_from_, amount_to_));
  form->addRow(QStringLiteral("制单人(&U)："), maker_);
  form->addRow(QStringLiteral("复核人(&R)："), checker_);
  form->addRow(QStringLiteral("记账人(&J)："), poster_);
  form->addRow(QStringLiteral("状态(&S)："), status_);

  advanced_box_ = new QGroupBox(QStringLiteral("高级：数据库条件(&G)"), this);
  advanced_box_->setCheckable(true);
  advanced_ = new QPlainTextEdit(advanced_box_);
  advanced_->setObjectName(QStringLiteral("advanced"));
  advanced_->setPlaceholderText(QStringLiteral("例如：Voucher.intNumber > 2"));
  advanced_->setTabChangesFocus(true);
  advanced_->setFixedHeight(60);
  auto* advanced_layout = new QVBoxLayout(advanced_box_);
  advanced_layout->addWidget(advanced_);
  connect(advanced_box_, &QGroupBox::toggled, advanced_, &QWidget::setVisible);

  problem_ = new QLabel(this);
  problem_->setStyleSheet(QStringLiteral("color: #c01010;"));
  buttons_ = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Reset, this);
  buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  buttons_->button(QDialogButtonBox::Reset)->setText(QStringLiteral("清空条件(&C)"));
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons_->button(QDialogButtonBox::Reset), &QPushButton::clicked, this, [this] {
    FilterFields cleared;
    cleared.date_from = ToUtf8(from_->date().toString(kDateFormat));
    cleared.date_to = ToUtf8(to_->date().toString(kDateFormat));
    Show(cleared);
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(advanced_box_);
  layout->addWidget(problem_);
  layout->addWidget(buttons_);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (QLineEdit* edit : {number_from_, number_to_, amount_from_, amount_to_}) {
    connect(edit, &QLineEdit::textChanged, this, [this] { Check(); });
  }
  connect(from_, &QDateEdit::dateChanged, this, [this] { Check(); });
  connect(to_, &QDateEdit::dateChanged, this, [this] { Check(); });
  Show(fields);
}

void FilterDialog::Show(const FilterFields& f) {
  const QDate from = QDate::fromString(ToQt(f.date_from), kDateFormat);
  const QDate to = QDate::fromString(ToQt(f.date_to), kDateFormat);
  from_->setDate(from.isValid() ? from : QDate::currentDate());
  to_->setDate(to.isValid() ? to : QDate::currentDate());
  Choose(period_, f.year * 100 + f.period);
  Choose(type_, f.voucher_type_id);
  number_from_->setText(f.number_from > 0 ? QString::number(f.number_from) : QString());
  number_to_->setText(f.number_to > 0 ? QString::number(f.number_to) : QString());
  summary_->setText(ToQt(f.summary));
  account_->setText(ToQt(f.account));
  amount_from_->setText(ToQt(f.amount_from));
  amount_to_->setText(ToQt(f.amount_to));
  Choose(maker_, f.maker_id);
  Choose(checker_, f.checker_id);
  Choose(poster_, f.poster_id);
  status_->setCurrentIndex(std::max(0, status_->findData(static_cast<int>(f.status))));
  advanced_->setPlainText(ToQt(f.advanced));
  advanced_box_->setChecked(!f.advanced.empty());
  advanced_->setVisible(!f.advanced.empty());
  Check();
}

void FilterDialog::Check() {
  QString problem;
  if (from_->date() > to_->date()) problem = QStringLiteral("开始日期不能晚于结束日期。");
  for (QLineEdit* edit : {amount_from_, amount_to_}) {
    const std::string text = ToUtf8(edit->text().trimmed());
    if (!text.empty() && !IsDecimalText(text)) problem = QStringLiteral("金额必须是数字。");
  }
  const long low = NumberOf(number_from_);
  const long high = NumberOf(number_to_);
  if (low > 0 && high > 0 && low > high) problem = QStringLiteral("起始凭证号不能大于结束凭证号。");
  problem_->setText(problem);
  problem_->setVisible(!problem.isEmpty());
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

FilterFields FilterDialog::Fields() const {
  FilterFields f;
  f.date_from = ToUtf8(from_->date().toString(kDateFormat));
  f.date_to = ToUtf8(to_->date().toString(kDateFormat));
  const long period = Chosen(period_);
  f.year = static_cast<int>(period / 100);
  f.period = static_cast<int>(period % 100);
  f.voucher_type_id = Chosen(type_);
  if (f.voucher_type_id > 0) f.voucher_type_code = ToUtf8(type_->currentText());
  f.number_from = NumberOf(number_from_);
  f.number_to = NumberOf(number_to_);
  f.summary = ToUtf8(summary_->text());
  f.account = ToUtf8(account_->text().trimmed());
  f.amount_from = ToUtf8(amount_from_->text().trimmed());
  f.amount_to = ToUtf8(amount_to_->text().trimmed());
  f.maker_id = Chosen(maker_);
  f.checker_id = Chosen(checker_);
  f.poster_id = Chosen(poster_);
  if (f.maker_id > 0) f.maker_name = ToUtf8(maker_->currentText());
  if (f.checker_id > 0) f.checker_name = ToUtf8(checker_->currentText());
  if (f.poster_id > 0) f.poster_name = ToUtf8(poster_->currentText());
  f.status = static_cast<StatusKind>(status_->currentData().toInt());
  if (advanced_box_->isChecked()) f.advanced = ToUtf8(advanced_->toPlainText().simplified());
  return f;
}

host::FilterCondition FilterDialog::Condition() const {
  const FilterFields f = Fields();
  host::FilterCondition chosen;
  chosen.date_from = f.date_from;
  chosen.date_to = f.date_to;
  chosen.condition = BuildCondition(f).value_or(std::string());
  chosen.description = DescribeFilter(f);
  chosen.show_void = f.status == StatusKind::kVoid;
  return chosen;
}

std::string EncodeFilter(const FilterFields& f) {
  QJsonObject o;
  o["period"] = f.year * 100 + f.period;
  o["type"] = static_cast<qint64>(f.voucher_type_id);
  o["typeCode"] = ToQt(f.voucher_type_code);
  o["numberFrom"] = static_cast<qint64>(f.number_from);
  o["numberTo"] = static_cast<qint64>(f.number_to);
  o["summary"] = ToQt(f.summary);
  o["account"] = ToQt(f.account);
  o["amountFrom"] = ToQt(f.amount_from);
  o["amountTo"] = ToQt(f.amount_to);
  o["maker"] = static_cast<qint64>(f.maker_id);
  o["checker"] = static_cast<qint64>(f.checker_id);
  o["poster"] = static_cast<qint64>(f.poster_id);
  o["makerName"] = ToQt(f.maker_name);
  o["checkerName"] = ToQt(f.checker_name);
  o["posterName"] = ToQt(f.poster_name);
  o["status"] = static_cast<int>(f.status);
  o["advanced"] = ToQt(f.advanced);
  return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

FilterFields DecodeFilter(const std::string& text) {
  const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
  FilterFields f;
  const int period = o["period"].toInt();
  f.year = period / 100;
  f.period = period % 100;
  f.voucher_type_id = static_cast<long>(o["type"].toInteger());
  f.voucher_type_code = ToUtf8(o["typeCode"].toString());
  f.number_from = static_cast<long>(o["numberFrom"].toInteger());
  f.number_to = static_cast<long>(o["numberTo"].toInteger());
  f.summary = ToUtf8(o["summary"].toString());
  f.account = ToUtf8(o["account"].toString());
  f.amount_from = ToUtf8(o["amountFrom"].toString());
  f.amount_to = ToUtf8(o["amountTo"].toString());
  f.maker_id = static_cast<long>(o["maker"].toInteger());
  f.checker_id = static_cast<long>(o["checker"].toInteger());
  f.poster_id = static_cast<long>(o["poster"].toInteger());
  f.maker_name = ToUtf8(o["makerName"].toString());
  f.checker_name = ToUtf8(o["checkerName"].toString());
  f.poster_name = ToUtf8(o["posterName"].toString());
  const int status = o["status"].toInt();
  if (status >= 0 && status <= static_cast<int>(StatusKind::kError))
    f.status = static_cast<StatusKind>(status);
  f.advanced = ToUtf8(o["advanced"].toString());
  return f;
}

void InstallFilterDialog(embedded::EmbeddedFilter& filter, host::DataAccess& data,
                         host::PreferenceStore& preferences, QWidget* parent) {
  QPointer<QWidget> owner(parent);
  filter.SetHandler([owner, &data, &preferences](long list_id, std::string_view title,
                                                 host::FilterCondition& current) {
    const std::string key = std::to_string(list_id);
    FilterFields fields;
    try {
      fields = DecodeFilter(preferences.GetSetting(kPreferenceSection, key, "{}"));
    } catch (const host::DatabaseError&) {
    }
    // The list's own range stands; the rest is what this operator chose last time.
    fields.date_from = current.date_from;
    fields.date_to = current.date_to;
    FilterDialog dialog(data, title, fields, owner.data());
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return false;
    current = dialog.Condition();
    try {
      preferences.SaveSetting(kPreferenceSection, key, EncodeFilter(dialog.Fields()));
    } catch (const host::DatabaseError&) {
      // Not remembered; the list is filtered all the same.
    }
    return true;
  });
}

}  // namespace lumvoucher::ui
