#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <map>
#include <span>

#include "voucher/frm_voucher.h"

namespace lumvoucher::ui {

// One visible column of the voucher grid: the line field it shows and edits. The id columns of
// the line stay out of sight.
struct VoucherColumn {
  voucher::LineField field;
  const char* caption;  // empty for the two class items, whose names the account set gives
  int width;
};

std::span<const VoucherColumn> VoucherColumns();
// The grid column of a field, -1 when the grid does not show it.
int ColumnOf(voucher::LineField field);
voucher::LineField FieldOfColumn(int column);
bool IsAmountField(voucher::LineField field);
bool IsNumberField(voucher::LineField field);

// A field of a line as the grid shows it (amounts grouped, zero blank) or, with `editing`, as
// an editor starts with it (no grouping). Decimals come from the line, the window and the login
// context.
QString LineFieldText(const voucher::VoucherState& state, const voucher::VoucherLine& line,
                      voucher::LineField field, bool editing);

// The grid of the voucher window over the presenter's lines, with the totals row ("合计：" and
// the total in words in its first cell) as the last row. Edits go to frmVoucher::SetCell;
// setData answers what the presenter answered.
class VoucherGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit VoucherGridModel(voucher::frmVoucher& presenter, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // Re-reads the presenter: a new shape resets the model, otherwise every cell is re-read.
  void Refresh();
  int TotalsRow() const { return LineCount(); }

 private:
  int LineCount() const { return static_cast<int>(presenter_.State().lines.size()); }
  // Whether the account keeps foreign-currency amounts; remembered until the next Refresh.
  bool CarriesCurrency(long account_id) const;

  voucher::frmVoucher& presenter_;
  int shown_lines_ = 0;
  mutable std::map<long, bool> currency_accounts_;
};

}  // namespace lumvoucher::ui
