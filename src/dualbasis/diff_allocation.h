#pragma once

#include <string>
#include <vector>

namespace lumvoucher::dualbasis {

// A revenue or expense line of a voucher pair, as the allocation-lines union reads it:
// financial lines on accounts of type 4 (revenue) or 5 (expense) first, then budget lines on
// budget accounts of type 1 (budget revenue) or 2 (budget expenditure).
struct DiffLine {
  long line_id = 0;
  std::string remark;
  std::string account;  // "code name"
  std::string account_code;
  double amount = 0;
  int account_type = 0;
  int direction = 1;
  double allocated = 0;  // null counts as 0
  long item_id = 0;
  std::string item;  // "code name", empty without an allocation
};

// The union of the allocation lines of the pair (financial voucher F, budget voucher B; 0 =
// absent).
std::string DiffLinesSql(long financial_id, long budget_id);
std::vector<DiffLine> ReadDiffLines(long financial_id, long budget_id);

// The difference of one side (revenue or expense) and what is allocated against it.
struct SideDifference {
  double difference = 0;
  double allocated = 0;
};

// The orientation table: x is the financial net amount, y the budget one, a_financial and
// a_budget their allocated sums. With both positive the difference is the larger minus the
// smaller, allocated on the lines of the larger side.
SideDifference Orient(double x, double y, double a_financial, double a_budget);

struct PairDifference {
  SideDifference revenue;
  SideDifference expense;
  // Both differences below 1e-9 in size.
  bool None() const;
  // One-sided: an allocation above the difference counts as complete.
  bool Complete() const;
};

// Sums debit, credit and allocation per account type and orients revenue (credit - debit) and
// expense (debit - credit); every figure normalised through its decimal text.
PairDifference ComputeDifference(const std::vector<DiffLine>& lines);

// The difference test: true when the pair's allocation is complete. A pair with a voucher of
// source 3 needs none; a pair without any difference loses all its allocations and passes.
// Database errors propagate.
bool DifferenceIsAllocated(long financial_id, long budget_id);

// Deletes every allocation of the pair's lines of `organization_id`.
void DeleteAllDiffItems(long financial_id, long budget_id, long organization_id);

// Deletes the allocations of lines whose account is no longer a revenue or expense account.
void DeleteStaleDiffItems(long financial_id, long budget_id);

// What the pair save calls after a successful save (its last step, outside its transaction):
// drops stale allocations, then, with "凭证提示本年盈余与预算结余差异分配" set and the pair not
// complete, insists (with "本年盈余与预算结余差异必须分配") or asks, and opens frmDiffItem. A
// database error is shown (title "差异分配"); the save itself stands either way.
void AfterPairSave(long financial_id, long budget_id);

// A line of a voucher grid as the "差异分配" command reads it.
struct GridLine {
  long account_id = 0;
  int direction = 1;
  double amount = 0;
};

// The window's "差异分配" command, after the window saved the pair: from the grids, says
// "本年盈余与预算结余无差异，无需进行分配!" when neither side differs, otherwise opens the editor.
// Answers whether the editor saved.
bool DiffAllocationCommand(long financial_id, long budget_id,
                           const std::vector<GridLine>& financial_lines,
                           const std::vector<GridLine>& budget_lines);

}  // namespace lumvoucher::dualbasis
