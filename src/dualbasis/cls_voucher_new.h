#pragma once

#include <functional>
#include <memory>
#include <string>

#include "dualbasis/voucher_editor.h"

namespace lumvoucher::dualbasis {

class FrmVoucherNew;

// The paired window's controller: it owns the financial and the budget editor, decides which
// one is current (IsFinance) and turns every command into operations on both: one save of the
// pair in one transaction, the checks that span both vouchers, the pair row, the status
// commands on the pair and the layout style.
//
// Messages go through the host's message box with the system's texts and titles. Database
// errors are caught at each command, shown, and answered with the command's failure value; a
// failed command leaves both vouchers, the pair row and both editors' edits as they were.
class clsVoucherNew {
 public:
  explicit clsVoucherNew(FrmVoucherNew& window);
  ~clsVoucherNew();

  FrmVoucherNew& WindVoucherNew() { return window_; }
  VoucherEditor& WindFinance() { return *finance_; }
  VoucherEditor& WindBudget() { return *budget_; }
  // The editor commands for one voucher act on.
  VoucherEditor& Current() { return IsFinance ? *finance_ : *budget_; }
  bool IsFinance = true;
  bool IsShowMsg = true;

  // Opens the pair of financial `F`, or of budget `B` when `F` < 1. The not-found text when
  // there is no such pair ("" when opened); nothing is loaded then.
  std::string OpenPair(long F, long B);
  // Both editors on a new voucher.
  bool ShowNewPair();

  // Saves the pair (see cls_voucher_new.cpp for the steps). `ask_total`: ask when the two totals
  // differ; `check_cash_flow`: the cash-flow completeness step after the save. True when
  // everything that needed saving was saved.
  bool SaveBill(bool ask_total = true, bool check_cash_flow = true);
  // The save prompt when either editor changed: Yes saves, No drops the edits (both editors
  // reload), Cancel (or a failed save) answers false.
  bool AskToSave();
  // The close command: the save prompt, then the cash-flow and difference steps for the pair.
  bool QueryUnload();

  // Review, posting, cashier signature of the pair: both vouchers in one transaction, the
  // current side first; a refusal of either side rolls back both.
  bool Review();
  bool Post();
  bool CashierSign();
  // The mark boxes, on both editors (void: the financial voucher, the budget one when stored).
  void SetErrorBox(bool on, const std::string& text);
  void SetToPrintBox(bool on);
  bool SetVoidBox();
  bool ChkBoxBlankoutValue() const;
  // Reverses the pair: both editors show the reversing vouchers to save as a new pair.
  bool Reverse();
  // The neighbouring voucher in the period (type, number, basis), with its partner.
  bool ReceiptPosition(bool forward);

  // The reversed marker ("已冲销" when a reversal names either voucher).
  void SetlblStatus();
  const std::string& StatusLabel() const { return status_label_; }

  // The layout style in the operator's preferences ("one" when nothing is stored), and the
  // switch button: stores and answers the other style.
  std::string ReadAccountRegFile(const std::string& section, const std::string& key);
  void WriteAccountRegFile(const std::string& section, const std::string& key,
                           const std::string& value);
  std::string Style();
  std::string SwitchStyle();

  // The id of the side's voucher as the save in progress wrote it (the editor's otherwise).
  long CurrentId(bool budget) const;

  // The pair window, for the editors.
  void ShowWindow();
  bool OnScreen() const;

  // Where the difference allocation goes once the pair is saved: called with the saved pair's
  // ids after the cash-flow step. The difference subsystem registers itself here; no step
  // (the default) leaves the save as it is.
  using DifferenceStep = std::function<void(long F, long B)>;
  static void SetDifferenceStep(DifferenceStep step);

 private:
  enum class PairStep { kReview, kPost, kSign };
  bool RunPairStep(PairStep step);
  bool SaveBeforeCommand(const char* title);
  bool WritePair(bool save_finance, bool save_budget);
  bool CashFlowStep(bool check_cash_flow);
  void ReloadBoth();
  bool LoadSide(VoucherEditor& editor, long id);

  FrmVoucherNew& window_;
  std::unique_ptr<VoucherEditor> finance_;
  std::unique_ptr<VoucherEditor> budget_;
  long written_[2] = {0, 0};  // financial, budget: ids written by the save in progress
  std::string status_label_;
};

}  // namespace lumvoucher::dualbasis
