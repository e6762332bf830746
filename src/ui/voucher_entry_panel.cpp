#include "ui/voucher_entry_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "ui/qt_text.h"
#include "ui/voucher_grid_model.h"
#include "voucher/line_arithmetic.h"

namespace lumvoucher::ui {

namespace {

using voucher::AmountLayout;
using voucher::LineField;

// Fields of each amount layout in caption order; the local amount stands last.
std::vector<LineField> LayoutFields(AmountLayout layout, LineField amount) {
  switch (layout) {
    case AmountLayout::kAmountOnly:
      return {amount};
    case AmountLayout::kQuantity:
      return {LineField::kQuantity, LineField::kPrice, amount};
    case AmountLayout::kCurrency:
      return {LineField::kCurrency, LineField::kRate, LineField::kCurrencyAmount, amount};
    case AmountLayout::kCurrencyQuantity:
      return {LineField::kCurrency, LineField::kRate,           LineField::kQuantity,
              LineField::kPrice,    LineField::kCurrencyAmount, amount};
  }
  return {amount};
}

constexpr int kPairsPerRow = 4;

}  // namespace

VoucherEntryPanel::VoucherEntryPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("entryPanel"));
  setFrameShape(QFrame::StyledPanel);
  layout_ = new QGridLayout(this);
  layout_->setContentsMargins(10, 6, 10, 6);
  layout_->setHorizontalSpacing(8);
  layout_->setVerticalSpacing(4);
  account_label_ = new QLabel(this);
  account_label_->setObjectName(QStringLiteral("entryAccount"));
  layout_->addWidget(account_label_, 0, 0, 1, kPairsPerRow * 2);
  // The fields keep their width; what is left of the line stays empty on the right.
  layout_->setColumnStretch(kPairsPerRow * 2, 1);
}

QLineEdit* VoucherEntryPanel::Editor(LineField field) const {
  for (const Field& f : fields_) {
    if (f.field == field) return f.edit;
  }
  return nullptr;
}

bool VoucherEntryPanel::CommitFocused() {
  for (const Field& f : fields_) {
    if (!f.edit->hasFocus()) continue;
    QLineEdit* edit = f.edit;
    Commit(f, false);
    return refused_ != edit;
  }
  return true;
}

void VoucherEntryPanel::Show(const voucher::VoucherState& state, int row,
                             const std::optional<host::AccountInfo>& account) {
  const voucher::VoucherLine* line = row >= 1 && row <= static_cast<int>(state.lines.size())
                                         ? &state.lines[static_cast<std::size_t>(row - 1)]
                                         : nullptr;
  const long account_id = line != nullptr ? line->account_id : 0;
  const int side = line != nullptr ? line->direction : 0;
  if (row != shown_row_ || account_id != shown_account_ || side != shown_side_ ||
      state.preview != shown_preview_) {
    Rebuild(state, line, account);
    shown_row_ = row;
    shown_account_ = account_id;
    shown_side_ = side;
    shown_preview_ = state.preview;
  }
  account_label_->setText(line == nullptr || line->account_text.empty()
                              ? QStringLiteral("科目：")
                              : QStringLiteral("科目：") + ToQt(line->account_text));
  if (line == nullptr) return;
  for (Field& f : fields_) {
    const QString text = LineFieldText(state, *line, f.field, true);
    f.edit->setProperty("shown", text);
    if (f.edit == refused_) continue;
    if (f.edit->hasFocus() && f.edit->isModified()) continue;
    f.edit->setText(text);
    f.edit->setModified(false);
  }
}

void VoucherEntryPanel::Rebuild(const voucher::VoucherState& state,
                                const voucher::VoucherLine* line,
                                const std::optional<host::AccountInfo>& account) {
  for (Field& f : fields_) {
    // Later: the old field may be the one whose signal led here.
    f.label->deleteLater();
    f.edit->deleteLater();
  }
  fields_.clear();
  refused_ = nullptr;
  if (line == nullptr) return;

  const LineField amount =
      line->direction == voucher::kCredit ? LineField::kCredit : LineField::kDebit;
  const AmountLayout layout =
      account ? voucher::LayoutOf(account->currency, account->quantity) : AmountLayout::kAmountOnly;
  const std::vector<std::string> captions = voucher::LayoutCaptions(layout);
  const std::vector<LineField> amount_fields = LayoutFields(layout, amount);
  for (std::size_t i = 0; i < amount_fields.size() && i < captions.size(); ++i) {
    fields_.push_back({amount_fields[i], ToQt(captions[i])});
  }
  const std::size_t amount_count = fields_.size();
  if (account) {
    if (account->unit) fields_.push_back({LineField::kUnit, QStringLiteral("单位")});
    if (account->department) fields_.push_back({LineField::kDepartment, QStringLiteral("部门")});
    if (account->employee) fields_.push_back({LineField::kEmployee, QStringLiteral("职员")});
    if (account->class1) fields_.push_back({LineField::kClass1, ToQt(state.panel.class1_name)});
    if (account->class2) fields_.push_back({LineField::kClass2, ToQt(state.panel.class2_name)});
    if (account->organization) {
      fields_.push_back({LineField::kOrganization, QStringLiteral("机构")});
    }
    if (account->nature == host::account_nature::kBank) {
      fields_.push_back({LineField::kPaymentMethod, QStringLiteral("付款方式")});
      fields_.push_back({LineField::kCheckNumber, QStringLiteral("票 据 号")});
      fields_.push_back({LineField::kCheckDate, QStringLiteral("票据日期")});
    }
    if (account->nature == host::account_nature::kReceivable ||
        account->nature == host::account_nature::kPayable) {
      fields_.push_back({LineField::kCheckNumber, QStringLiteral("对 账 号")});
      fields_.push_back({LineField::kBusinessDate, QStringLiteral("业务日期")});
    }
    if (account->host_validated) {
      fields_.push_back({LineField::kSmartAccounting, QStringLiteral("智能核算")});
    }
  }

  for (std::size_t i = 0; i < fields_.size(); ++i) {
    Field& f = fields_[i];
    // Amounts on the first row, the auxiliary items from the second on.
    const bool aux = i >= amount_count;
    const int slot = static_cast<int>(aux ? i - amount_count : i);
    const int grid_row = 1 + (aux ? 1 + slot / kPairsPerRow : 0);
    const int grid_column = (slot % kPairsPerRow) * 2;
    f.label = new QLabel(f.caption, this);
    f.edit = new QLineEdit(this);
    f.edit->setObjectName(QStringLiteral("entry_") + f.caption.simplified().remove(' '));
    f.edit->setReadOnly(state.preview);
    f.edit->setMinimumWidth(IsNumberField(f.field) ? 110 : 160);
    f.edit->setMaximumWidth(IsNumberField(f.field) ? 150 : 240);
    if (IsNumberField(f.field)) f.edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f.label->setBuddy(f.edit);
    layout_->addWidget(f.label, grid_row, grid_column, Qt::AlignRight);
    layout_->addWidget(f.edit, grid_row, grid_column + 1);
    const LineField field = f.field;
    connect(f.edit, &QLineEdit::returnPressed, this, [this, field] {
      for (const Field& g : fields_) {
        if (g.field == field) return Commit(g, true);
      }
    });
    connect(f.edit, &QLineEdit::editingFinished, this, [this, field] {
      for (const Field& g : fields_) {
        if (g.field == field) return Commit(g, false);
      }
    });
  }
}

void VoucherEntryPanel::Commit(const Field& field, bool advance) {
  if (committing_ || !commit_) return;
  QLineEdit* edit = field.edit;
  const LineField which = field.field;
  const QString text = edit->text();
  if (edit->isReadOnly()) return;
  if (text != edit->property("shown").toString() || edit == refused_) {
    committing_ = true;
    const bool accepted = commit_(which, text);
    committing_ = false;
    if (!accepted) {
      refused_ = edit;
      edit->setText(text);
      QTimer::singleShot(0, edit, [edit] {
        edit->setFocus();
        edit->selectAll();
      });
      return;
    }
    if (refused_ == edit) refused_ = nullptr;
  }
  if (!advance) return;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].field != which) continue;
    if (i + 1 < fields_.size()) {
      fields_[i + 1].edit->setFocus();
      fields_[i + 1].edit->selectAll();
    } else {
      emit Finished();
    }
    return;
  }
}

}  // namespace lumvoucher::ui
