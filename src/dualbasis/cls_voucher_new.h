#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dualbasis/parallel_lines.h"
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
  // "错    误(&O)": the error box's mark turned round on both vouchers and stored at once
  // (pending edits saved first), where the box itself waits for the next save. A mark put on
  // keeps the vouchers' reason, or a blank one. False when nothing was stored.
  bool ErrorCommand();
  bool ChkBoxErrorValue() const;
  // "业务资料(&G)": pending edits saved, then the documents behind the financial voucher
  // (frmBusinessData); false when there is no stored financial voucher or it did not open.
  bool BusinessData();
  // "合同结算(&Y)", "成本归集(&X)": the financial editor's current line (the split waits for the
  // pair's next save); "备查登记(&R)", "资金中心(&Z)": pending edits saved, then the stored
  // financial voucher. False when the financial side has nothing to act on or nothing opened.
  bool ContractSettlement();
  bool CostCollection();
  bool MemoRegistration();
  bool FundCentre();
  // "票据开具(&Z)": pending edits saved, then the host's bill module issues the bills of the
  // stored financial voucher's bank lines; says how many. False when none was issued.
  bool IssueBills();
  // "科室成本打印": pending edits saved, then the financial voucher's cost apportionment summed
  // by department and item (科室, 收支项目, 金额), as printed. Empty, after saying so, when there
  // is nothing to print.
  struct DepartmentCost {
    std::string department;
    std::string item;
    double amount = 0;
  };
  std::vector<DepartmentCost> DepartmentCosts();
  // "附件": pending edits saved, then the files attached to the stored financial voucher
  // (frmAttachment). False when there is none or the window did not open.
  bool Attachments();
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

  // ---- Parallel accounting (cls_voucher_new_parallel.cpp) ----------------------------------
  // The obligation questions of a side's validation; false stops the save. In a save that
  // validates both sides the budget side's prohibit question is the financial side's, asked once.
  bool ConfirmObligations(bool budget);
  // The window's switch for the must-rule questions while the budget side is empty ("True"
  // unless the operator switched it off; kept in his preferences beside the layout style).
  bool AsksForBudget();
  void SetAsksForBudget(bool on);
  // "根据模板平行记账": the budget side becomes a new voucher when it has no stored one, and its
  // grid takes the template's lines (changed). False when no template fits, the chooser was
  // cancelled or a failure was shown; the grid is then as it was.
  bool ApplyTemplate();
  // The create-budget-voucher box. Ticking it checks the prohibit rules and derives the budget
  // lines into the budget grid; it stays unticked when refused. Unticking stops the
  // re-derivation at save and leaves the budget grid and any stored budget voucher alone.
  bool GetChkCreateBVoucher() const { return create_budget_; }
  bool SetChkCreateBVoucher(bool on);
  // "生成平行记账模板" from both grids; the new template's id, 0 when none was made.
  long CreateTemplateFromPair();
  // "自动学习" (MainControlEditAutoStudy): learning after a pair save, switched and stored in
  // the operator's preferences; answers the new value.
  bool mclsMainControl_EditAutoStudy();
  bool AutoStudy();
  // Why the budget grid's row `row` (1-based) holds what it holds, while it is as a template or
  // the derivation made it; nullptr once the line was edited by hand.
  const LineOrigin* BudgetLineOrigin(int row) const;

  // ---- Standard vouchers ----------------------------------------------------------------------
  // "生成样板凭证" of the pair: both vouchers under one number and name (frmCreateStdVoucher).
  bool CreateVoucherAll();
  // Chooses a pair of standard vouchers (frmSelectStdVoucherAll) and starts a new pair from it,
  // each side from its basis's standard voucher (a side without one stays empty).
  bool LoadStdVoucher();

  // Where the difference allocation goes once the pair is saved: called with the saved pair's
  // ids after the cash-flow step. The default is the difference allocation (AfterPairSave); an
  // empty step leaves the save as it is.
  using DifferenceStep = std::function<void(long F, long B)>;
  static void SetDifferenceStep(DifferenceStep step);

 private:
  enum class PairStep { kReview, kPost, kSign };
  bool RunPairStep(PairStep step);
  bool SaveBeforeCommand(const char* title);
  // A command of the financial editor on its stored voucher, pending edits of the pair saved.
  bool OnStoredFinance(const char* title, bool (voucher::frmVoucher::*command)());
  bool WritePair(bool save_finance, bool save_budget);
  bool CashFlowStep(bool check_cash_flow);
  void ReloadBoth();
  bool LoadSide(VoucherEditor& editor, long id);
  // The budget grid takes generated lines; their origins are kept beside them.
  void PutBudgetLines(const std::vector<BudgetLine>& lines);
  bool RederiveBudget();
  void LearnFromPair();
  bool PreferenceOn(const char* key, bool fallback);

  FrmVoucherNew& window_;
  std::unique_ptr<VoucherEditor> finance_;
  std::unique_ptr<VoucherEditor> budget_;
  long written_[2] = {0, 0};  // financial, budget: ids written by the save in progress
  std::string status_label_;
  bool create_budget_ = false;
  std::string derivation_stamp_;
  // Set while a save validates both sides: the prohibit question was the financial side's.
  bool finance_validated_ = false;
  struct Generated {
    long account_id;
    int direction;
    double amount;
    LineOrigin origin;
  };
  std::vector<Generated> generated_;
};

}  // namespace lumvoucher::dualbasis
