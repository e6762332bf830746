#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"

namespace lumvoucher::links {

// One row of the batch window: a memo account and direction of the voucher.
struct ReferenceBatchRow {
  long account_id = 0;
  int direction = 1;
  std::string account_text;       // 备查科目
  long reference_id = 0;          // the account's item when it takes exactly one
  std::string item_text;          // 备查项目
  double debit = 0;               // 凭证借方金额
  double credit = 0;              // 凭证贷方金额
  double registered = 0;          // 备查金额
  std::string selection = "All";  // the chosen line ids joined by ",", or "All"
  std::string amount_text;        // the amount to allocate; rows left empty are not processed
};

struct ReferenceBatchState {
  long voucher_id = 0;
  std::string date;                     // 凭证日期：
  std::string voucher_no;               // 凭证号：
  std::vector<ReferenceBatchRow> rows;  // rows count from 1 in every command
  bool saved = false;
};

// 批量分配备查明细: spreads an amount per memo account and direction of a voucher over its lines
// (all, or those chosen in 选择凭证分录明细) in proportion to their amounts. Everything of one OK
// is one transaction on the account set.
class frmReferenceBatch : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmReferenceBatch";
  std::string WindowName() const override { return kWindowName; }
  const ReferenceBatchState& State() const { return state_; }

  // Loads and shows the window; answers whether rows were saved.
  bool ShowMe(long voucher_id);
  bool Load(long voucher_id);

  void SetAmount(int row, const std::string& text) { At(row).amount_text = text; }
  // The row's memo item, chosen where its account takes more than one (`text` as shown).
  void SetItem(int row, long reference_id, const std::string& text) {
    At(row).reference_id = reference_id;
    At(row).item_text = text;
  }
  // Opens the selection dialog for the row; its choice replaces the row's selection.
  bool ChooseLines(int row);
  // OK: the checks, then the split. False keeps the window open.
  bool Save();

 private:
  ReferenceBatchRow& At(int row) { return state_.rows.at(static_cast<std::size_t>(row - 1)); }
  void Allocate(const ReferenceBatchRow& row, double amount);

  ReferenceBatchState state_;
};

// One line offered by the selection dialog.
struct SelectableLine {
  long line_id = 0;
  double amount = 0;
  bool ticked = false;
  std::vector<std::string> cells;  // summary, account, debit, credit, unit, ... as shown
};

// 选择凭证分录明细: the voucher's lines on one account and direction, ticked ("√") for the batch
// allocation.
class frmSelectReferenceLines : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmSelectReferenceLines";
  std::string WindowName() const override { return kWindowName; }

  static const std::vector<std::string>& Columns();
  const std::vector<SelectableLine>& Lines() const { return lines_; }
  const std::string& Result() const { return result_; }

  // Shows the lines; answers the choice ("All", or the ids joined by ","), `current` when
  // cancelled. `to_allocate` is the row's amount to allocate the choice is checked against.
  std::string ShowMe(long voucher_id, long account_id, int direction, const std::string& current,
                     double to_allocate);
  bool Load(long voucher_id, long account_id, int direction, const std::string& current);

  void Tick(int row, bool on) { lines_.at(static_cast<std::size_t>(row - 1)).ticked = on; }
  // OK: refuses a choice against the amount's direction or below it.
  bool Confirm();

 private:
  std::vector<SelectableLine> lines_;
  double to_allocate_ = 0;
  std::string result_;
};

// Shares of `amount` over `lines` (in the order given, the largest last) in proportion to them:
// every share but the last rounded to 2 places, halves to even; the last takes the rest.
std::vector<double> ProportionalSplit(double amount, const std::vector<double>& lines);

}  // namespace lumvoucher::links
