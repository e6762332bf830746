#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"
#include "links/darap_settlement.h"
#include "links/line_splits.h"

namespace lumvoucher::links {

// A grid row: the item, whether it is chosen ("√") and what this line settles of it.
struct DarapRow : OpenItem {
  bool chosen = false;
  double this_time = 0;                                  // 本次核销金额
  double Open() const { return base_open - this_time; }  // 未核销金额 as shown
};

struct DarapState {
  std::string caption;
  SettlementLine line;
  std::vector<DarapRow> rows;
  std::string class1_title;  // the statistics classes' column titles
  std::string class2_title;
  std::vector<std::string> segment_titles;  // the flexible segments' titles, 1..30
  int decimals = 2;                         // the account set's amount decimals
  double allocated = 0;                     // below the grid: 已分配
  double remaining = 0;                     // 未分配
  bool read_only = false;                   // the line's voucher is reviewed
  bool confirmed = false;
};

// frmDARAP ("时间差异处理核销"): which open items of the same account and auxiliary items a line
// settles, allocated first-in-first-out or by hand. The split goes back to the caller, which
// writes it with its voucher; the window itself writes only a withdrawn stored settlement.
//
// Rows count from 1. A refused edit shows its message (title "时间差异处理核销") and answers
// false. Database errors are shown and answered with false.
class frmDARAP : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmDARAP";
  std::string WindowName() const override { return kWindowName; }
  const DarapState& State() const { return state_; }

  // The voucher date items may not be after; the login date when the caller gives none.
  void SetVoucherDate(const std::string& date) { voucher_date_ = date; }

  // Opens modally for a line being entered; blnOK tells whether a complete split was
  // confirmed. The line's stored settlements are the starting split.
  bool ShowDetail(long AccountID, long CurrencyID, long CustomerID, long DepartmentID,
                  long EmployeeID, long Class1ID, long Class2ID, const std::string& strFlexibleId,
                  double ModblAmount, long lngRowID, long lngVDetailID, bool blnDirtion,
                  bool& blnOK);
  // The same on the split the caller holds.
  bool ShowEditDetail(const SettlementLine& line, const SettlementSplit& held, bool& blnOK);
  // Either of the two: on `held` when given, else on the line's stored settlements.
  bool Show(const SettlementLine& line, const SettlementSplit* held);

  // The allocate command: first-in-first-out over the rows from the first.
  void Allocate();
  // Ticks a row (step 2 of the allocation against what remains) or unticks it (its amount
  // goes back).
  bool Tick(int row);
  // 本次核销金额 typed by hand: decimal text, not negative, not above the item's open amount.
  bool SetThisTime(int row, const std::string& text);
  // Withdraws the stored settlement of the row's item against this line, then reloads.
  bool Withdraw(int row);
  // OK: the allocated total must equal the amount to settle, or be 0 (all withdrawn).
  bool Confirm();
  void Cancel() { state_.confirmed = false; }

  SettlementSplit Split() const;

 private:
  bool Load(const SettlementSplit* held);
  void Recompute();
  bool Editable();
  DarapRow* Row(int row);

  DarapState state_;
  std::string voucher_date_;
};

}  // namespace lumvoucher::links
