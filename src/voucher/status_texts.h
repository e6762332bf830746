#pragma once

#include "frame/frame_texts.h"

// The texts of the voucher window's status commands (review, signature, posting, void, delete,
// reversal, memo registration), spelled as the system spells them. Refusals of the host's voucher
// business service are shown with its own reason under the command's title.
namespace lumvoucher::voucher::texts {

// Titles of the commands.
inline constexpr const char* kTitleReview = "复核凭证";
inline constexpr const char* kTitleCancelReview = "取消复核";
inline constexpr const char* kTitleSignVoucher = "凭证出纳签字";
inline constexpr const char* kTitleCancelSign = "取消签字";
inline constexpr const char* kTitlePost = "凭证记账";
inline constexpr const char* kTitleCancelPost = "取消记账";
inline constexpr const char* kTitleVoid = "凭证作废";
inline constexpr const char* kTitleDeleteLine = "删除分录";
inline constexpr const char* kTitleWarningInfo = "警告信息";
inline constexpr const char* kTitleInformation = "提示信息";
inline constexpr const char* kTitleMemo = "备查登记";

// Review and signature.
inline constexpr const char* kFundAllocationDiffers = "资金收付分配金额不等于凭证金额，不能复核！ ";
inline constexpr const char* kNumberMark = "号";
inline constexpr const char* kNoCashBankLines = "凭证没有现金银行科目分录，不能进行出纳签字！";

// Void.
inline constexpr const char* kVoidClosed = "当前会计期间已经结账，不能再作废凭证！";
inline constexpr const char* kVoidAlready = "凭证已作废！";
inline constexpr const char* kVoidPosted = "凭证已记账，不能作废！";
inline constexpr const char* kVoidReviewed = "凭证已复核，不能作废！";
inline constexpr const char* kVoidOthers = "不能作废由他人制作的凭证！";
inline constexpr const char* kVoidConfirmedFund =
    "当前凭证中有资金收付数据，且资金收付的明细数据至少有一条为已确认状态；\n"
    "不允许作废，必须取消确认明细数据，再作废";
inline constexpr const char* kVoidWrittenOff =
    "该凭证已进行往来核销，不允许作废，如果要进行该操作，请选取消往来核销！";
inline constexpr const char* kVoidAsk = "本张凭证作废后如果保存将不能取消作废，您确实要作废吗？";
inline constexpr const char* kVoidBankBills = "本张凭证作废将取消票据关联关系，您确实要作废吗？";
inline constexpr const char* kVoidReversals = "本张凭证作废后将删除它所有的冲消凭证 ";

// Deleting lines and vouchers.
inline constexpr const char* kDeletePosted = "该张凭证已记账,不能删除！";
inline constexpr const char* kDeleteReviewed = "该张凭证已复核,不能删除！";
inline constexpr const char* kDeleteReversed = "该张凭证已被冲销,不能删除！";
inline constexpr const char* kDeleteWrittenOff = frame::kDeleteWrittenOff;
inline constexpr const char* kDeleteClosed = "凭证已经结账，不能删除凭证！";
// The questions: "该张凭证" + state + one of the two endings; otherwise the plain questions.
inline constexpr const char* kThisVoucher = "该张凭证";
inline constexpr const char* kStatePrint = "已为待打印";
inline constexpr const char* kStateVoid = "已作废";
inline constexpr const char* kStateError = "已为错误";
inline constexpr const char* kStatePendingReversal = "已为待冲销凭证";
inline constexpr const char* kAskDeleteItsLine = ",是否删除其分录？";
inline constexpr const char* kAskDeleteItsLines = ",是否删除其全部分录？";
inline constexpr const char* kAskDeleteLine = "真的要删除该笔分录吗？";
inline constexpr const char* kAskDeleteLines = "真的要删除全部分录吗？";

// Refused edits: "凭证“" + type code + "-" + number + the reason.
inline constexpr const char* kEditVoucherOpen = "凭证“";
inline constexpr const char* kEditClosed = "”的会计期间已结账，不允许修改！";
inline constexpr const char* kEditPosted = "”已记账，不允许修改！";
inline constexpr const char* kEditReviewed = "”已复核，不允许修改！";
inline constexpr const char* kEditSystem = "”是系统自动产生的，不允许修改！";
inline constexpr const char* kEditOthers = "”只能由其制单人修改，你没有修改凭证的权限！";
inline constexpr const char* kEditVoid = "”已作废，不允许修改！";
inline constexpr const char* kEditNoRight = "该用户没有修改填制凭证的权限！";

// Memo registration.
inline constexpr const char* kMemoReviewed = "已复核凭证不能备查登记";
inline constexpr const char* kMemoClearAsk = "是否删除本张凭证的所有已登记备查明细？";

// Reversal.
inline constexpr const char* kReverseNotPosted = "未记账凭证不能冲销！";

// Settings the status commands read.
inline constexpr const char* kKeyMemoAfterReview = "已复核凭证不能备查登记";

}  // namespace lumvoucher::voucher::texts
