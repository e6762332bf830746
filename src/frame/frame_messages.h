#pragma once

namespace lumvoucher::frame {

// Tells the user that the database cannot be reached ("数据库连接异常！", "提示信息").
void ReportConnectionFailure();

// Whether a voucher may be reversed as far as its current-account settlement goes: when amounts
// have already been settled against its items, tells the user (title "凭证冲销") and answers
// false.
bool ReversalGuard(long reversed_voucher_id);

}  // namespace lumvoucher::frame
