#pragma once

namespace lumvoucher::frame {

// The texts the shared data services show or hand to the windows, spelled as the system's own.
inline constexpr const char* kTitleInformation = "提示信息";
inline constexpr const char* kConnectionFailed = "数据库连接异常！";
// Names a reversing voucher in messages; also the title of the reversal guard.
inline constexpr const char* kReversal = "凭证冲销";
inline constexpr const char* kReversalSettled =
    "被冲销凭证的时间差异处理数据已被核销，请先冲销核销凭证!";
// A line whose current-account item other lines settled cannot go before they are withdrawn.
inline constexpr const char* kDeleteWrittenOff =
    "该凭证已进行往来核销，不允许删除，如果要进行该操作，请选取消往来核销！";

// Setting sections the services read and write.
inline constexpr const char* kSectionAccountSet = "帐套属性";
inline constexpr const char* kSectionGeneralLedger = "总账";

}  // namespace lumvoucher::frame
