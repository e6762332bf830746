#include "ui/filter_dialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "embedded/embedded_filter.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

QDateEdit* DateEdit(const std::string& text, QWidget* parent) {
  auto* edit = new QDateEdit(parent);
  edit->setDisplayFormat(kDateFormat);
  edit->setCalendarPopup(true);
  const QDate date = QDate::fromString(ToQt(text), kDateFormat);
  edit->setDate(date.isValid() ? date : QDate::currentDate());
  return edit;
}

}  // namespace

FilterDialog::FilterDialog(std::string_view list_title, const host::FilterCondition& current,
                           QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("filterDialog"));
  setWindowTitle(QStringLiteral("过滤 - ") + ToQt(list_title));

  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  auto* range = new QHBoxLayout;
  from_ = DateEdit(current.date_from, this);
  from_->setObjectName(QStringLiteral("dateFrom"));
  to_ = DateEdit(current.date_to, this);
  to_->setObjectName(QStringLiteral("dateTo"));
  range->addWidget(from_);
  range->addWidget(new QLabel(QStringLiteral("至"), this));
  range->addWidget(to_);
  range->addStretch(1);
  form->addRow(QStringLiteral("日期："), range);

  condition_ = new QPlainTextEdit(this);
  condition_->setObjectName(QStringLiteral("condition"));
  condition_->setPlainText(ToQt(current.condition));
  condition_->setPlaceholderText(QStringLiteral("例如：Account.strAccountCode Like '1002%'"));
  condition_->setTabChangesFocus(true);
  condition_->setMinimumSize(420, 90);
  form->addRow(QStringLiteral("条件："), condition_);
  layout->addLayout(form);

  problem_ = new QLabel(this);
  problem_->setStyleSheet(QStringLiteral("color: #c01010;"));
  layout->addWidget(problem_);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(from_, &QDateEdit::dateChanged, this, [this] { Check(); });
  connect(to_, &QDateEdit::dateChanged, this, [this] { Check(); });
  Check();
}

void FilterDialog::Check() {
  const bool backwards = from_->date() > to_->date();
  problem_->setText(backwards ? QStringLiteral("开始日期不能晚于结束日期。") : QString());
  problem_->setVisible(backwards);
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(!backwards);
}

host::FilterCondition FilterDialog::Condition() const {
  host::FilterCondition chosen;
  chosen.date_from = ToUtf8(from_->date().toString(kDateFormat));
  chosen.date_to = ToUtf8(to_->date().toString(kDateFormat));
  chosen.condition = ToUtf8(condition_->toPlainText().simplified());
  return chosen;
}

void InstallFilterDialog(embedded::EmbeddedFilter& filter, QWidget* parent) {
  QPointer<QWidget> owner(parent);
  filter.SetHandler([owner](long, std::string_view title, host::FilterCondition& current) {
    FilterDialog dialog(title, current, owner.data());
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return false;
    current = dialog.Condition();
    return true;
  });
}

}  // namespace lumvoucher::ui
