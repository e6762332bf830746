#include "cashflow/voucher_cash_flow_check.h"

#include "cashflow/cash_flow_texts.h"
#include "cashflow/frm_voucher_cash_flow.h"
#include "cashflow/mdl_cash_flow.h"
#include "frame/login_state.h"
#include "host/database_error.h"
#include "host/message_box.h"

namespace lumvoucher::cashflow {

namespace mb = host::mb;

bool CheckVoucherCashFlow(VoucherCashFlowSubject& voucher) {
  if (voucher.void_ticked) return true;
  try {
    LoadCashFlowOptions();
    std::string message;
    if (!blnPromptCashFlow()) {
      if (IsVoucherCashFlowValid(voucher.voucher_id, message)) return true;
      frame::Msg(message, mb::kExclamation, texts::kTitleRemind);
      return false;
    }
    if (CheckVoucherCashFlowAmounts(voucher.voucher_id, message) &&
        AllCashLinesAssigned(voucher.voucher_id, message)) {
      return true;
    }
    return PromptCashFlowLines(voucher);
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string(texts::kCheckFailed) + e.what(), mb::kCritical, texts::kTitleRemind);
    return false;
  }
}

bool PromptCashFlowLines(VoucherCashFlowSubject& voucher) {
  if (!voucher.may_assign) return true;
  CashTransfer transfer;
  if (blnIgnoreCashTransfer() && voucher.voucher_id != 0) {
    transfer = CashTransferExemption(voucher.voucher_id);
    if (transfer.passes) return true;
  }
  bool shown = false;
  bool last_waived = false;
  for (CashFlowGridLine& line : voucher.lines) {
    if (!IsCashAccount(line.account_id) || transfer.skip.count(line.line_id) != 0) continue;
    std::string message;
    if (CheckLineCashFlowAmount(line.line_id, message)) continue;
    bool in_out = false;
    bool not_must = false;
    const bool waivable = GetCashFlowAccSetting(line.account_id, in_out, not_must) && not_must;
    last_waived = false;
    if (waivable) {
      if (frame::Msg(texts::kCashLineOpen + line.account_text + texts::kWaiveAsk,
                     mb::kYesNo + mb::kQuestion, texts::kTitleSaveVoucher) == mb::kYes) {
        last_waived = true;
        continue;
      }
    } else if (blnPromptCashFlow()) {
      frame::Msg(texts::kCashLineOpen + line.account_text + texts::kIncomplete, mb::kExclamation,
                 texts::kTitleSaveVoucher);
    }
    if (blnCashFlowMustAssign()) {
      frmVoucherCashFlow window;
      std::string summary = line.cash_flow_code;
      bool window_shown = false;
      window.ShowCashFlow(line.account_id, line.account_text, line.line_id,
                          line.debit + line.credit, line.debit != 0 ? 1 : -1, summary,
                          window_shown);
      if (window_shown && summary != line.cash_flow_code) line.cash_flow_code = summary;
      shown = shown || window_shown;
    }
  }
  std::string message;
  return !(!CheckVoucherCashFlowAmounts(voucher.voucher_id, message) && blnCashFlowMustAssign() &&
           !last_waived && shown);
}

}  // namespace lumvoucher::cashflow
