#include "ui/voucher_grid_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <array>
#include <cmath>
#include <optional>

#include "frame/login_state.h"
#include "host/database_error.h"
#include "ui/qt_text.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::ui {

namespace {

using voucher::LineField;
namespace texts = voucher::texts;

constexpr std::array kColumns{
    VoucherColumn{LineField::kRemark, "摘要", 190},
    VoucherColumn{LineField::kAccount, "科目", 220},
    VoucherColumn{LineField::kCurrency, "币种", 64},
    VoucherColumn{LineField::kDebit, texts::kDebitHeading, 124},
    VoucherColumn{LineField::kCredit, texts::kCreditHeading, 124},
    VoucherColumn{LineField::kRate, "汇率", 70},
    VoucherColumn{LineField::kQuantity, "数量", 80},
    VoucherColumn{LineField::kPrice, "单价", 90},
    VoucherColumn{LineField::kCurrencyAmount, "原币金额", 110},
    VoucherColumn{LineField::kUnit, "单位", 170},
    VoucherColumn{LineField::kDepartment, "部门", 120},
    VoucherColumn{LineField::kEmployee, "职员", 200},
    VoucherColumn{LineField::kClass1, "", 110},
    VoucherColumn{LineField::kClass2, "", 140},
    VoucherColumn{LineField::kPaymentMethod, "付款方式", 100},
    VoucherColumn{LineField::kCheckNumber, "票据号", 90},
    VoucherColumn{LineField::kCheckDate, "票据日期", 90},
    VoucherColumn{LineField::kBusinessDate, "业务日期", 90},
};

int AmountDecimals() {
  return frame::Context().AmountDecimals();
}

QString Number(double value, int decimals, bool grouping) {
  if (value == 0) return {};
  return ToQt(voucher::FormatFixed(value, decimals, grouping));
}

}  // namespace

std::span<const VoucherColumn> VoucherColumns() {
  return kColumns;
}

int ColumnOf(LineField field) {
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    if (kColumns[i].field == field) return static_cast<int>(i);
  }
  return -1;
}

LineField FieldOfColumn(int column) {
  if (column < 0 || column >= static_cast<int>(kColumns.size())) return LineField::kNone;
  return kColumns[static_cast<std::size_t>(column)].field;
}

bool IsAmountField(LineField field) {
  return field == LineField::kDebit || field == LineField::kCredit;
}

bool IsNumberField(LineField field) {
  return IsAmountField(field) || field == LineField::kRate || field == LineField::kQuantity ||
         field == LineField::kPrice || field == LineField::kCurrencyAmount;
}

QString LineFieldText(const voucher::VoucherState& state, const voucher::VoucherLine& line,
                      LineField field, bool editing) {
  const bool grouping = !editing;
  switch (field) {
    case LineField::kRemark:
      return ToQt(line.remark);
    case LineField::kAccount:
      return ToQt(line.account_text);
    case LineField::kCurrency:
      return ToQt(line.currency_name);
    case LineField::kDebit:
      return Number(line.debit, AmountDecimals(), grouping);
    case LineField::kCredit:
      return Number(line.credit, AmountDecimals(), grouping);
    case LineField::kRate:
      return Number(line.rate, line.rate_decimals, false);
    case LineField::kQuantity:
      return Number(line.quantity, state.quantity_decimals, grouping);
    case LineField::kPrice:
      return Number(line.price, state.price_decimals, grouping);
    case LineField::kCurrencyAmount:
      return Number(line.currency_amount, line.currency_decimals, grouping);
    case LineField::kUnit:
      return ToQt(line.unit_text).trimmed();
    case LineField::kDepartment:
      return ToQt(line.department_text).trimmed();
    case LineField::kEmployee:
      return ToQt(line.employee_text).trimmed();
    case LineField::kClass1:
      return ToQt(line.class1_text).trimmed();
    case LineField::kClass2:
      return ToQt(line.class2_text).trimmed();
    case LineField::kPaymentMethod:
      return ToQt(line.payment_method_text).trimmed();
    case LineField::kCheckNumber:
      return ToQt(line.check_number).trimmed();
    case LineField::kCheckDate:
      return ToQt(line.check_date).trimmed();
    case LineField::kBusinessDate:
      return ToQt(line.business_date).trimmed();
    case LineField::kOrganization:
      return ToQt(line.organization_text).trimmed();
    case LineField::kSmartAccounting:
      return ToQt(line.smart_text);
    case LineField::kCashFlow:
      return ToQt(line.cash_flow_code).trimmed();
    case LineField::kNone:
      break;
  }
  return {};
}

VoucherGridModel::VoucherGridModel(voucher::frmVoucher& presenter, QObject* parent)
    : QAbstractTableModel(parent), presenter_(presenter), shown_lines_(LineCount()) {}

int VoucherGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_lines_ + 1;
}

int VoucherGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kColumns.size());
}

QVariant VoucherGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const voucher::VoucherState& state = presenter_.State();
  const LineField field = FieldOfColumn(index.column());
  const bool totals = index.row() >= LineCount();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
      if (!totals) {
        const auto& line = state.lines[static_cast<std::size_t>(index.row())];
        // Every line carries the book currency; only currency accounts show it.
        const bool currency_field = field == LineField::kCurrency || field == LineField::kRate ||
                                    field == LineField::kCurrencyAmount;
        if (currency_field && !CarriesCurrency(line.account_id)) return QString();
        return LineFieldText(state, line, field, role == Qt::EditRole);
      }
      if (index.column() == 0) return ToQt(std::string(texts::kTotalsLabel) + state.totals.words);
      if (field == LineField::kDebit) return Number(state.totals.debit, AmountDecimals(), true);
      if (field == LineField::kCredit) return Number(state.totals.credit, AmountDecimals(), true);
      return {};
    }
    case Qt::TextAlignmentRole:
      if (IsNumberField(field)) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
      return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole:
      if (totals || IsAmountField(field)) {
        QFont font;
        font.setBold(totals);
        if (IsAmountField(field)) font.setFamilies({QStringLiteral("DejaVu Sans Mono")});
        return font;
      }
      return {};
    case Qt::BackgroundRole:
      if (totals) return QBrush(QColor(0xf3, 0xf1, 0xe4));
      return {};
    case Qt::ForegroundRole: {
      // Red amounts are negative ones, as accountants write them.
      if (totals || !IsNumberField(field)) return {};
      const auto& line = state.lines[static_cast<std::size_t>(index.row())];
      const double value = field == LineField::kDebit    ? line.debit
                           : field == LineField::kCredit ? line.credit
                                                         : 0;
      if (value < 0) return QBrush(QColor(0xc0, 0x10, 0x10));
      return {};
    }
    case Qt::ToolTipRole:
      if (!totals && field == LineField::kAccount) {
        return ToQt(state.lines[static_cast<std::size_t>(index.row())].account_text);
      }
      return {};
    default:
      return {};
  }
}

QVariant VoucherGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) {
    if (role == Qt::TextAlignmentRole && orientation == Qt::Horizontal) {
      return QVariant(Qt::AlignCenter);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (orientation == Qt::Vertical) {
    return section < LineCount() ? QVariant(section + 1) : QVariant(QString());
  }
  const LineField field = FieldOfColumn(section);
  const voucher::PanelContext& panel = presenter_.State().panel;
  if (field == LineField::kClass1) return ToQt(panel.class1_name);
  if (field == LineField::kClass2) return ToQt(panel.class2_name);
  if (section >= 0 && section < static_cast<int>(kColumns.size())) {
    return ToQt(kColumns[static_cast<std::size_t>(section)].caption);
  }
  return {};
}

Qt::ItemFlags VoucherGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.row() < LineCount() && !presenter_.State().preview) flags |= Qt::ItemIsEditable;
  return flags;
}

bool VoucherGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() >= LineCount()) return false;
  const bool accepted =
      presenter_.SetCell(index.row() + 1, FieldOfColumn(index.column()), ToUtf8(value.toString()));
  Refresh();
  return accepted;
}

bool VoucherGridModel::CarriesCurrency(long account_id) const {
  if (account_id == 0) return false;
  auto it = currency_accounts_.find(account_id);
  if (it != currency_accounts_.end()) return it->second;
  bool currency = false;
  try {
    std::optional<host::AccountInfo> account =
        frame::Chart(presenter_.Basis()).AccountById(account_id);
    currency = account && account->currency;
  } catch (const host::DatabaseError&) {
    return false;
  }
  currency_accounts_[account_id] = currency;
  return currency;
}

void VoucherGridModel::Refresh() {
  currency_accounts_.clear();
  if (LineCount() != shown_lines_) {
    beginResetModel();
    shown_lines_ = LineCount();
    endResetModel();
    return;
  }
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

}  // namespace lumvoucher::ui
