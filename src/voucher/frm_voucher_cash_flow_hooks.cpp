#include "cashflow/cash_flow_command.h"
#include "cashflow/voucher_cash_flow_check.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::voucher {

namespace {

cashflow::VoucherCashFlowSubject SubjectOf(const VoucherState& state, bool may_assign) {
  cashflow::VoucherCashFlowSubject subject;
  subject.voucher_id = state.header.voucher_id;
  subject.void_ticked = state.header.void_mark;
  subject.may_assign = may_assign;
  for (const VoucherLine& l : state.lines) {
    subject.lines.push_back(
        {l.line_id, l.account_id, l.account_text, l.debit, l.credit, l.cash_flow_code});
  }
  return subject;
}

}  // namespace

void frmVoucher::TakeCashFlowCode(long line_id, const std::string& code) {
  for (std::vector<VoucherLine>* lines : {&state_.lines, &saved_lines_}) {
    for (VoucherLine& l : *lines) {
      if (l.line_id == line_id) l.cash_flow_code = code;
    }
  }
  UpdateInfo();
}

bool frmVoucher::CheckVoucherCashFlow() {
  // Cash flow is a financial ledger: budget vouchers carry none.
  if (state_.header.voucher_id == 0 || Basis().IsBudget()) return true;
  return RunCashFlowCheck(cashflow::CheckVoucherCashFlow);
}

bool frmVoucher::PromptCashFlowLines() {
  return RunCashFlowCheck(cashflow::PromptCashFlowLines);
}

bool frmVoucher::RunCashFlowCheck(bool (*check)(cashflow::VoucherCashFlowSubject&)) {
  cashflow::VoucherCashFlowSubject subject = SubjectOf(state_, StatusButtons().cash_flow);
  const bool passed = check(subject);
  for (std::size_t i = 0; i < subject.lines.size() && i < state_.lines.size(); ++i) {
    if (subject.lines[i].cash_flow_code != state_.lines[i].cash_flow_code) {
      TakeCashFlowCode(subject.lines[i].line_id, subject.lines[i].cash_flow_code);
    }
  }
  return passed;
}

bool frmVoucher::CashFlow() {
  if (state_.preview || state_.lines.empty()) return false;
  if ((state_.header.voucher_id == 0 || state_.must_save) && !SaveBill()) return false;
  const VoucherLine* current = Line(state_.current_row);
  cashflow::LineCashFlowResult result = cashflow::OpenLineCashFlow(
      state_.header.voucher_id, current != nullptr ? current->line_id : 0);
  if (result.shown) TakeCashFlowCode(result.line_id, result.summary);
  return result.shown;
}

}  // namespace lumvoucher::voucher
