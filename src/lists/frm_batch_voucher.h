#pragma once

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "host/modal_runner.h"
#include "host/recordset.h"
#include "host/voucher_basis.h"
#include "host/voucher_business_service.h"

namespace lumvoucher::lists {

class VoucherList;

// The seven modes of the batch dialog, numbered as the system numbers them.
enum class BatchOperation {
  kReview = 0,
  kCancelReview = 1,
  kPost = 2,
  kCancelPost = 3,
  kSign = 4,
  kCancelSign = 5,
  kDelete = 6,
};

// What the opening list hands to the dialog: the vouchers it shows, as conditions.
struct BatchSource {
  // Voucher conditions over the table Voucher (organisation scope to fixed conditions).
  std::string scope;
  // The filter and quick find, over the list's tables (Voucher, VoucherDetail, ...).
  std::string conditions;
  // Restricts to the vouchers whose every line the operator may see; "" when rights do not.
  std::string permitted;
  // The lists of the dual basis: a condition over BudgetVoucherRelevance keeping the pairs they
  // show (scope, filter and rights already applied); the dialog then lists pairs, not vouchers.
  std::string pairs;
};

// One grid column of the dialog. Hidden ones carry what a run needs.
struct BatchColumn {
  std::string caption;
  bool visible = true;
};

// Everything the dialog shows, for the Qt view and the tests. Rows hold the values in column
// order; column 0 is the tick column ("选定"), "√" on a ticked row, "" otherwise.
struct BatchState {
  BatchOperation mode = BatchOperation::kReview;
  std::string title;
  std::vector<BatchColumn> columns;
  std::vector<host::Recordset::Row> rows;
  int selected_row = -1;
  // Button captions: run, cancel, tick all, tick none.
  std::string run_caption;
  std::string cancel_caption;
  std::string select_all_caption;
  std::string select_none_caption;
  // Set once a run ended (committed or rolled back) or the user cancelled: the view closes
  // and answers `result`.
  bool closed = false;
  int result = 0;  // vouchers changed by the committed run; 0 otherwise
};

// The batch dialog ("frmBatchVoucher") as a presenter: candidates of one mode, a tick column,
// and one run that changes every ticked voucher through the host's voucher business service in
// one database transaction, or none of them.
//
// Candidates meet the mode's state conditions; for review, post and cancel posting their maker
// is also one of the operators the current operator may act for (the right to act on every
// maker, on his group's, or on his own), an IN list that begins with -1 and is split into groups
// of at most 1000. The service checks every rule again, so a candidate it refuses stops the run.
//
// Over pairs (a source with `pairs`) a row is a pair row, shown by its leading voucher (the
// financial one, else the budget one), and a candidate when each of its existing sides meets the
// mode's conditions on its own basis; in the two signature modes a side without cash or bank
// lines counts as missing and is left alone, as in the paired window. A run changes the
// financial sides, then the budget sides, through each basis's service in the one transaction;
// the count is of pairs.
class frmBatchVoucher : public host::ModalWindow {
 public:
  static constexpr int kMakerGroupSize = 1000;

  frmBatchVoucher(BatchOperation mode, BatchSource source);
  // The source of the vouchers `list` shows now.
  static BatchSource SourceOf(const VoucherList& list);

  std::string WindowName() const override;
  const BatchState& State() const { return state_; }

  // Reads the candidates (no row ticked). False after a database error, which is shown.
  bool Load();
  // The candidate query of the current login.
  std::string CandidateQuery() const;

  int ColumnIndex(std::string_view caption) const;
  std::string CellText(int row, int column) const;
  // The row's voucher, or its pair row over pairs.
  long VoucherID(int row) const;

  void SelectRow(int row);
  void SetTicked(int row, bool on);
  void ToggleTick(int row);
  bool IsTicked(int row) const;
  void SelectAll();
  void SelectNone();
  int TickedCount() const;

  // Called with (0, total) when the run starts and (done, total) for each voucher changed; the
  // service decides up to 999 vouchers at a time, so the calls come in bursts of that size.
  void SetProgressHandler(std::function<void(int done, int total)> handler) {
    progress_ = std::move(handler);
  }

  // The run button. Nothing ticked: "请先选定一张凭证！"; then the confirmation (No: nothing
  // happens, the dialog stays). Then the period check of each ticked row in grid order, and the
  // host's batch operation over the rows before the first closed period; the first refusal or
  // closed period in grid order stops the run and rolls everything back. The dialog closes
  // after the run either way. Answers whether the run committed.
  bool Run();
  // The cancel button: closes without a change.
  void Cancel();

 private:
  bool OverPairs() const { return !source_.pairs.empty(); }
  std::string PairCandidateQuery() const;
  // The mode's conditions on the vouchers of `basis`, named by its table.
  std::string ModeConditions(const host::VoucherBasis& basis) const;
  std::string MakerCondition(const host::VoucherBasis& basis) const;
  // The voucher ids of `rows` to hand to the service of `basis`: all of them, or over pairs the
  // existing sides of that basis.
  std::vector<long> SideIds(const std::vector<int>& rows, const host::VoucherBasis& basis) const;
  bool PeriodClosed(long organization_id, int year, int period);
  // The service's answers for `ids`, in order; deleting may stop after the first refusal.
  std::vector<host::VoucherBusinessService::Result> Apply(host::VoucherBusinessService& business,
                                                          const std::vector<long>& ids,
                                                          bool stamping);

  BatchOperation mode_;
  BatchSource source_;
  BatchState state_;
  std::function<void(int, int)> progress_;
  std::map<std::tuple<long, int, int>, bool> closed_periods_;
};

// Maker condition of the batch candidates: field + " In(" + list + ")" for one group, else
// "(" + field + " In(" + group + ") OR " + field + " In(" + group + ")...)"; `ids` as given.
std::string MakerInList(std::string_view field, const std::vector<long>& ids,
                        std::size_t group_size = frmBatchVoucher::kMakerGroupSize);

}  // namespace lumvoucher::lists
