#pragma once

#include <QFrame>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "host/cls_account.h"
#include "voucher/frm_voucher.h"

class QLabel;
class QLineEdit;
class QGridLayout;

namespace lumvoucher::ui {

// The entry panel under the voucher grid: the amount layout of the current line's account
// ("金额"; "数量", "单价", "金额"; "币    种", "汇    率", "原币金额", "本币金额"; ...) and the
// auxiliary fields the account carries. Edits go out through the commit function; a refused
// value stays in its field, which keeps the focus.
class VoucherEntryPanel : public QFrame {
  Q_OBJECT

 public:
  // Answers whether the presenter took the value.
  using CommitFunction = std::function<bool(voucher::LineField field, const QString& text)>;

  explicit VoucherEntryPanel(QWidget* parent = nullptr);

  void SetCommit(CommitFunction commit) { commit_ = std::move(commit); }
  // Shows row `row` (from 1; 0 for none) of the state, whose account is `account`.
  void Show(const voucher::VoucherState& state, int row,
            const std::optional<host::AccountInfo>& account);

  // The panel's fields, in order, with their captions as shown.
  struct Field {
    voucher::LineField field;
    QString caption;
    QLabel* label = nullptr;
    QLineEdit* edit = nullptr;
  };
  const std::vector<Field>& Fields() const { return fields_; }
  QLineEdit* Editor(voucher::LineField field) const;
  // Takes the value of the field being typed in before a command runs; false when refused.
  bool CommitFocused();

 signals:
  // Enter in the last field: the grid takes over again.
  void Finished();

 private:
  void Rebuild(const voucher::VoucherState& state, const voucher::VoucherLine* line,
               const std::optional<host::AccountInfo>& account);
  void Commit(const Field& field, bool advance);

  QGridLayout* layout_ = nullptr;
  QLabel* account_label_ = nullptr;
  std::vector<Field> fields_;
  CommitFunction commit_;
  // What the shown fields were built for: row, account, side.
  int shown_row_ = -1;
  long shown_account_ = -1;
  int shown_side_ = 0;
  bool shown_preview_ = false;
  bool committing_ = false;
  QLineEdit* refused_ = nullptr;
};

}  // namespace lumvoucher::ui
