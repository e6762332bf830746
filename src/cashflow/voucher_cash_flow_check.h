#pragma once

#include <string>
#include <vector>

// The voucher-level cash-flow check the voucher window runs before review, signature and
// posting: whether the stored voucher's splits are complete, with the per-line prompts and,
// when assignment is required, the line window for each incomplete cash line.
namespace lumvoucher::cashflow {

// A grid line as the check reads it; `cash_flow_code` is the summary cell the pass rewrites.
struct CashFlowGridLine {
  long line_id = 0;
  long account_id = 0;
  std::string account_text;
  double debit = 0;
  double credit = 0;
  std::string cash_flow_code;
};

// What the voucher window hands over: the stored voucher (0 = not stored), its void box, whether
// the operator may assign cash flow on it (evaluated when the window loaded it), and its lines.
struct VoucherCashFlowSubject {
  long voucher_id = 0;
  bool void_ticked = false;
  bool may_assign = false;
  std::vector<CashFlowGridLine> lines;
};

// True when the operation may go on. Reloads the options first; a void or unsaved voucher passes.
// Database errors are shown and fail the check.
bool CheckVoucherCashFlow(VoucherCashFlowSubject& voucher);

// The per-line pass over the grid. Asked whether to ignore an incomplete line of an account
// that may be waived, Yes passes over that line, No treats it as any other incomplete line.
bool PromptCashFlowLines(VoucherCashFlowSubject& voucher);

}  // namespace lumvoucher::cashflow
