#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/main_window.h"
#include "host/voucher_basis.h"
#include "voucher/line_arithmetic.h"
#include "voucher/line_info_panel.h"
#include "voucher/line_rules.h"
#include "voucher/voucher_model.h"
#include "voucher/voucher_status.h"

namespace lumvoucher::cashflow {
struct VoucherCashFlowSubject;
}

namespace lumvoucher::host {
class DatabaseError;
}

namespace lumvoucher::voucher {

struct WriteRequest;
struct WriteResult;

// The operator's preferences of this window (per-user store, section operator id + "41"), one
// per option command of the window.
enum class WindowPreference { kAlert, kSound, kQuick, kCashLine, kDeficit };
struct WindowPreferences {
  bool alert = false;     // "Alert": prompts
  bool sound = false;     // "Sound"
  bool quick = false;     // "Quick": quick entry
  bool cash_line = true;  // "CashLine": money-column lines in the amount cells
  bool deficit = false;   // "Deficit": negative balances shown in red
};

// Everything the window shows, for the Qt view and the tests to read.
struct VoucherState {
  bool open = false;  // Form_Load has run
  VoucherHeader header;
  std::vector<VoucherLine> lines;
  Totals totals;
  bool reversed = false;   // "已冲销" on the status line
  bool must_save = false;  // set by editing, cleared after a load
  bool preview = false;    // blnPreViewVoucher: shown for viewing only
  int document_kind = kOrdinaryVoucher;
  // The second header code a program gives (24 with source 14, 32 with source 35): the module
  // told of the saved voucher.
  long second_source_code = 0;
  // The grid cursor (rows count from 1; 0 = no line) and the field that has the focus.
  int current_row = 0;
  int top_row = 1;  // first row scrolled into view
  LineField focus_field = LineField::kNone;
  HeaderField focus_header = HeaderField::kNone;
  std::string review_caption;
  std::string post_caption;
  std::string sign_caption;
  ButtonFlags buttons;    // the status commands the window offers for this voucher
  std::string info_text;  // the line information panel of the current row
  WindowPreferences preferences;
  PanelContext panel;
  bool stamping = false;  // "支持企业会计信息化工作规范" = "1", read each time a voucher is shown
  bool settlement_required = false;
  int price_decimals = 4;
  int quantity_decimals = 4;
};

// The voucher window as a presenter: state plus commands, no toolkit. Messages go through the
// host's message box; the window is a child of the host main window.
//
// The window works on the vouchers of one basis: the financial one as the single-basis voucher
// window, either one as an editor of the dual-basis pair window (dualbasis/), which shows the
// editors inside its own window and saves them together. Loading, the line rules, the account
// chart, saving and the status commands all take the basis; the financial ledgers' own
// features (cash flow, the voucher type's account restrictions) stay with financial vouchers.
//
// Rows count from 1 in every command, as the grid numbers them. Commands refused in preview
// answer false without a message. Database errors are caught at each command, shown with the
// command's title and answered with false.
//
// Saving (SaveBill for the user, SaveAVoucher for a program that filled the window with
// WriteForm) checks the voucher and writes it in one transaction; a failed save leaves the
// database as it was and the window with the user's entries.
class frmVoucher : public host::ChildWindow {
 public:
  explicit frmVoucher(const host::VoucherBasis& basis = host::FinancialBasis()) : basis_(&basis) {}
  std::string WindowName() const override { return "frmVoucher"; }

  const VoucherState& State() const { return state_; }
  const host::VoucherBasis& Basis() const { return *basis_; }

  // Opens a new, empty voucher; false when the operator's rights leave nothing to do here.
  bool ShowANewBill(long CurrentVoucherID = 0);
  // Shows a stored voucher, positioned on `lngVoucherDetailID` when it is > 0; `blnPreView`
  // shows it for viewing only (without the existence check).
  bool ShowAOldBill(long VoucherID, long lngVoucherDetailID = 0, bool blnPreView = false);
  // The host's 新增: refuses an operator who may make no voucher here, asks the question of
  // unsaved edits, then opens a new voucher.
  bool mclsMainControl_EditNew();
  // Before the window closes (the tab, the desktop, a new login): the question of unsaved
  // edits. Yes saves, No drops the edits; false (Cancel, or a save that failed) keeps both the
  // window and the edits.
  bool QueryUnload();

  // 首张, 上张, 下张, 末张: through the vouchers in the order of the list the voucher was opened
  // from (SetBrowseOrder, after ShowAOldBill), else by type and number within the voucher's
  // period, each move through ShowAOldBill (so unsaved edits are asked about). At either end
  // the user is told; false when nothing moved.
  enum class ReceiptMove { kFirst, kPrevious, kNext, kLast };
  bool ReceiptPosition(ReceiptMove move);
  void SetBrowseOrder(std::vector<long> voucher_ids) { browse_order_ = std::move(voucher_ids); }
  bool blnPreViewVoucher() const { return state_.preview; }
  void blnPreViewVoucher(bool value) { state_.preview = value; }

  // Header editing: the new text of a field, then the checks when the cursor leaves it.
  bool SetHeaderField(HeaderField field, const std::string& text);
  bool LeaveHeaderField(HeaderField field);

  // Grid editing. SetCell applies a typed value with the checks made while a cell is edited
  // (unknown codes, written-off lines, signs) and the amount arithmetic; false when the value
  // was refused (the old one stays). LeaveCell runs the checks made when the cursor leaves.
  bool SetCell(int row, LineField field, const std::string& text);
  bool LeaveCell(int row, LineField field);
  // Appends a blank row and answers its number (0 in preview).
  int AddLine();
  void InsertLine(int row);
  void DeleteLine(int row);
  void SetCurrentRow(int row);

  // The line checks (see line_rules.h); the focus follows a failure.
  bool ValidateLine(int row, bool saving, bool requireDetail);
  // Writes the balancing amount for the line after `row` into it (appending a row when `row` is
  // the last) with the summary of `row`, when that line is still blank; moves the cursor there.
  // False when the voucher already balances or the next line holds data. The proposed amount
  // follows every later change of an earlier line's amount until the user types over it.
  bool NextLineProposal(int row);

  // The document kind (41, 54 receipt, 55 payment) the host opens the window for.
  void SetDocumentKind(int kind) { state_.document_kind = kind; }
  // The window-state flag of the rights and settlement steps, and the decreasing mode.
  void SetUserEntry(bool on) { user_entry_ = on; }
  void SetDecreasingMode(bool on) { decreasing_mode_ = on; }

  // The user's save: true when the voucher is stored (or there was nothing to save).
  bool SaveBill();
  // A program's save: 1 saved, 0 a check or the write failed, 2 nothing to save. The voucher
  // is always written as a new one; with `blnCover` a stored voucher holding the same number
  // is overwritten when nobody has worked on it (not reviewed, signed, posted or void) and it
  // has the same source, else the save stops naming the reason.
  int SaveAVoucher(bool blnCover);
  // Marks the voucher as needing a save.
  void MustSave() { state_.must_save = true; }
  // Fills the window with a new voucher described by `strDetail` (see write_form.h); false
  // when the text does not describe one, the window then keeps what it had.
  bool WriteForm(const std::string& strDetail);
  // Asks for a standard voucher and starts a new voucher from it as 新增 does: its type,
  // template, attachment count and lines without amounts (templates/load_std_voucher.cpp).
  // False when none was chosen, it no longer exists or the new voucher was declined.
  bool LoadStdVoucher();
  // The same from the standard voucher `id` of the window's basis, without the chooser.
  bool LoadStdVoucher(long id);

  // The option commands (MainControlEditAlert, ...Sound, ...Quick, ...CashLine, and Deficit):
  // switches the preference and writes it back to the operator's store under its key. Answers
  // the new value; false without a change when the store fails.
  bool TogglePreference(WindowPreference which);
  bool PreferenceOn(WindowPreference which) const;
  // The budget alarm of this window, on when it opens: off, a save skips the budget checks.
  // The menu entry offers the other state ("关闭预算报警(&A)" while on).
  bool ToggleBudgetAlarm() { return budget_alarm_ = !budget_alarm_; }
  bool BudgetAlarmOn() const { return budget_alarm_; }
  std::string BudgetAlarmCaption() const;

  // The mark check boxes; a stored voucher whose only change is its marks is updated in place.
  void SetPrintMark(bool on);
  void SetErrorMark(bool on, const std::string& text);
  // The wait message while a save writes: called with the text, then with "" when it ends.
  void SetWaitHandler(std::function<void(const std::string&)> handler) {
    wait_ = std::move(handler);
  }

  // ---- Status commands (review, signature, posting, void, delete, reversal, memo). They work
  // on the stored voucher the window shows and answer false without a message for a new voucher
  // or in preview. Review, CashierSign and Post save pending changes first, call the host's
  // voucher business service (which enforces the whole rule), show its refusal under the
  // command's title, and on success re-read the voucher: footer names, captions and buttons
  // follow it.

  // The review button: review, or cancel the review of a reviewed voucher.
  bool Review();
  // The cashier-signature button: sign, or cancel the signature of a signed voucher.
  bool CashierSign();
  // The posting button: post (with the stamping option "支持企业会计信息化工作规范"), or cancel
  // the posting of a posted voucher.
  bool Post();
  // Which buttons are enabled (re-read when the window shows another stored voucher).
  const ButtonFlags& StatusButtons();

  // Marks the voucher void after the checks and the questions; the next SaveBill stores the
  // mark. Bank bills are released on the spot and the voucher's reversal vouchers deleted. A
  // voided reversal voucher lets go of the voucher it reversed.
  bool VoidVoucher();
  // Deletes the stored voucher after the checks and the question, then opens a new voucher.
  bool DeleteVoucher();
  // Deletes one line, or every line, after the checks and the question of the voucher's state
  // (DeleteLine removes a row without asking).
  bool EditDelLine(int row);
  bool EditDelAllLines();

  // Why the user may not change the stored voucher ("" when he may), and the same as a message
  // ("警告信息") answering false.
  std::string EditRefusal();
  bool CanEdit();

  // Opens the reversal voucher of the posted voucher `VoucherID` (0: the one shown) as a new
  // voucher to save; see voucher_reversal.h.
  bool ReverseVoucher(long VoucherID = 0);

  // ---- Cash flow (frm_voucher_cash_flow_hooks.cpp). The voucher-level check that review,
  // signature and posting run first (true: they may go on), its per-line pass, and the
  // "现金流量" command: pending changes are saved, then the line window opens for the current
  // line (or the voucher's first cash line) and its summary comes back into the grid.
  bool CheckVoucherCashFlow();
  bool PromptCashFlowLines();
  bool CashFlow();

  // ---- Line splits (frm_voucher_link_hooks.cpp): "往来核销", "合同结算" and "成本归集" open
  // their window for the current line; a confirmed split is held with the line and written by
  // the next save. False when nothing was confirmed.
  bool CurrentAccountSettlement();
  bool ContractSettlement();
  bool CostCollection();

  // Whether memo registration may be opened for the voucher; states the refusal.
  bool MayRegisterMemo();
  // Asks, then removes every memo registration row of the voucher's lines.
  bool ClearMemoRegistration();

  // ---- Links to business documents (frm_voucher_links_hooks.cpp). "备查登记": pending changes
  // are saved, then the memo book opens for the current line (or the voucher's first memo
  // line), read-only in preview. Answers whether registration rows were saved.
  bool MemoRegistration();
  // "批量分配备查明细" on the stored voucher (pending changes saved first; not in preview),
  // "业务资料" (the documents the voucher was generated from) and "资金中心" (fund document
  // matching for this voucher). False when the window did not open or nothing was saved.
  bool BatchMemoRegistration();
  bool BusinessData();
  bool FundCentre();

 protected:
  // For the saving issue: the state it writes from and the flags it maintains.
  VoucherState& MutableState() { return state_; }
  void Recompute();

  // Shows the window as a child of the host main window; an editor of the pair window has its
  // window shown for it.
  virtual void ShowWindow();
  // Whether the window is on screen (the panel is drawn only then).
  virtual bool OnScreen() const;
  // Runs last inside the transaction of every write of this voucher (the user's save, a
  // program's save, the pair window's save), once the voucher holds `voucher_id`: the pair
  // window writes the pair row here. Database errors propagate and roll the write back.
  virtual void WrittenInTransaction(long voucher_id) {}
  // The pair window's part in the validation: the stored partner whose number this voucher
  // shares (0 outside a pair), and the parallel-accounting questions asked last (false stops
  // the save).
  virtual long PairPartnerId() const { return 0; }
  virtual bool ConfirmParallelRules() { return true; }

  // The pieces of SaveBill for a save that writes more than this voucher in one transaction
  // (the pair window). CheckForSave: the checks and questions, no write. OnlyMarksChanged: the
  // stored voucher changed in its marks only (MarksOnlySql, then MarksSaved). SaveRequest: what
  // the write stores. WriteInTransaction, inside the caller's open transaction: the number check
  // again, the write and its log entry; nothing when another voucher holds the number (the
  // caller rolls back and asks TakeAnotherNumber); database errors propagate. TakeWritten: once
  // the transaction committed, the window holds the stored voucher. ReportWriteFailure: the
  // message of a failed write.
  bool CheckForSave();
  bool OnlyMarksChanged() const;
  void MarksSaved();
  WriteRequest SaveRequest(bool as_new) const;
  std::optional<WriteResult> WriteInTransaction(const WriteRequest& request, bool log);
  void TakeWritten(const WriteResult& written);
  void ReportWriteFailure(const host::DatabaseError& error);
  bool TakeAnotherNumber();
  void Notify();

 private:
  void FormLoad();
  void ReadStamping();
  bool NewBill();
  bool OldBill(long voucher_id, long line_id, bool preview);
  void UpdateCaptions();
  // Status commands (frm_voucher_status.cpp).
  void UpdateButtons();
  bool AskToSaveChanges();
  std::vector<long> BrowseOrder();
  bool SaveBeforeStatus();
  bool RunStatus(StatusStep step);
  bool Reload();
  bool ConfirmDelete(bool all_lines);
  // The summaries a cash-flow window wrote, taken into the grid and the stored copy alike.
  void TakeCashFlowCode(long line_id, const std::string& code);
  bool RunCashFlowCheck(bool (*check)(cashflow::VoucherCashFlowSubject&));
  // The current line a split window may open for (an account entered); nullptr otherwise.
  VoucherLine* SplitLine();
  void UpdateInfo();
  LineRuleContext RuleContext() const;
  bool ApplyReference(VoucherLine& line, LineField field, const std::string& text);
  bool ApplyAccount(VoucherLine& line, const std::string& text);
  // A typed number (decimal text only) rounded to its decimals, then what follows from it;
  // refused with a message when it is not a number or something ends beyond 15 digits.
  bool ApplyNumber(VoucherLine& line, LineField field, const std::string& text);
  // A typed date: blank is empty, otherwise a calendar date or `refusal`.
  bool ApplyDate(std::string& date, const std::string& text, const char* refusal);
  // Asks about the collected costs of a stored line whose account changed; false to give up.
  bool FollowCollectedCosts(VoucherLine& line);
  Decimals DecimalsOf(const VoucherLine& line) const;
  void Recalculate(VoucherLine& line, LineField field);
  VoucherLine* Line(int row);
  // Keeps the proposed line balancing the voucher after row `changed` was edited.
  void FollowProposal(int changed, LineField field);

  // Saving (frm_voucher_save.cpp).
  bool CheckBeforeSave(bool cover);
  bool CheckHeader(bool cover);
  bool CheckLines();
  bool CheckRestrictions();
  bool Stop(const std::string& text, int row = 0);
  // Yes returns to editing at `row` and `field` (the cell the message names).
  bool AskToEdit(const std::string& text, int row, LineField field = LineField::kNone);
  // Whether another stored voucher holds the header's number. `in_transaction`: asked by the
  // save's own transaction, whose commit may fail with the key instead
  // (clsBusinessPub::NumberTakenInTransaction).
  bool NumberTaken(bool in_transaction = false);
  bool WriteSaved(bool cover, bool as_new, bool log);
  enum class WriteOutcome { kWritten, kFailed, kNumberTaken };
  WriteOutcome WriteOnce(const WriteRequest& request, bool log);
  // The write and its log entry, inside the caller's transaction.
  WriteResult WriteAndLog(const WriteRequest& request, bool log);
  void KeepSaved();

  const host::VoucherBasis* basis_;
  VoucherState state_;
  bool user_entry_ = true;
  bool decreasing_mode_ = false;
  bool budget_alarm_ = true;
  // The voucher as stored, to tell a change of marks from a change of the voucher.
  VoucherHeader saved_header_;
  std::vector<VoucherLine> saved_lines_;
  std::function<void(const std::string&)> wait_;
  long buttons_for_ = -1;  // the voucher the buttons were worked out for
  std::vector<long> browse_order_;
  // The line NextLineProposal filled (0: none) and what it wrote, to tell it was not typed over.
  int proposed_row_ = 0;
  LineProposal proposed_;
};

}  // namespace lumvoucher::voucher
