#include "cashflow/cash_flow_command.h"

#include "cashflow/cash_flow_items.h"
#include "cashflow/cash_flow_texts.h"
#include "cashflow/frm_voucher_cash_flow.h"
#include "cashflow/mdl_cash_flow.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/database_error.h"
#include "host/message_box.h"

namespace lumvoucher::cashflow {

LineCashFlowResult OpenLineCashFlow(long voucher_id, long line_id) {
  LineCashFlowResult result;
  try {
    if (!CanAssignCashFlow(voucher_id)) {
      frame::Msg(OperatorMessage(texts::kNoRight), host::mb::kExclamation, texts::kTitleCashItem);
      return result;
    }
    host::Recordset lines = frame::Data().OpenRecordset(
        "Select vd.lngVoucherDetailID, vd.lngAccountID, vd.intDirection, vd.dblAmount, "
        "Account.strAccountCode || ' ' || Account.strAccountName As strAccount From "
        "VoucherDetail vd, " +
        AccountView() +
        " Where vd.lngAccountID = Account.lngAccountID And Account.blnIsCash = 1 And "
        "vd.lngVoucherID = " +
        frame::SqlNumber(voucher_id) + " Order By vd.lngRowID");
    if (lines.Empty()) {
      frame::Msg(texts::kNotCashLine, host::mb::kExclamation, texts::kTitleImportant);
      return result;
    }
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < lines.RecordCount(); ++i) {
      if (lines.At(i, "lngVoucherDetailID").AsLong() == line_id) chosen = i;
    }
    result.line_id = static_cast<long>(lines.At(chosen, "lngVoucherDetailID").AsLong());
    frmVoucherCashFlow window;
    window.ShowCashFlow(static_cast<long>(lines.At(chosen, "lngAccountID").AsLong()),
                        frame::StringOut(lines.At(chosen, "strAccount").AsText(), " "),
                        result.line_id, lines.At(chosen, "dblAmount").AsDouble(),
                        static_cast<int>(lines.At(chosen, "intDirection").AsLong()), result.summary,
                        result.shown);
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string(texts::kCheckFailed) + e.what(), host::mb::kCritical,
               texts::kTitleCashFlow);
  }
  return result;
}

}  // namespace lumvoucher::cashflow
