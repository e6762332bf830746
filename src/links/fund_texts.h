#pragma once

// The texts of the fund document matching window, spelled as the system spells them.
namespace lumvoucher::links::fund_texts {

inline constexpr const char* kCaption = "资金单据核销";
inline constexpr const char* kTitleInformation = "提示信息";

// Data areas, in the combo box's order.
inline constexpr const char* kUnpaired = "未核销数据";
inline constexpr const char* kPairedLines = "已核销分录";
inline constexpr const char* kPairedBills = "已核销单据";
inline constexpr const char* kCondition = "条件选择";

inline constexpr const char* kSignedNoSave = "该凭证分录所在凭证已经被出纳签字，不允许保存！";
inline constexpr const char* kPostedNoSave = "该凭证分录所在凭证已经被记账，不允许保存！";
inline constexpr const char* kSignedNoClear = "该凭证分录所在凭证已经被出纳签字，不允许清除关联！";
inline constexpr const char* kPostedNoClear = "该凭证分录所在凭证已经被记账，不允许清除关联！";
inline constexpr const char* kAskBillPaired =
    "该申请单据已经建立过结算关系，继续将清除原有结算关系，是否继续？";
inline constexpr const char* kAskLinePaired =
    "该凭证明细已经建立过结算关系，继续将清除原有结算关系，是否继续？";
inline constexpr const char* kClearAdvice =
    "如果该凭证分录对应的资金单据原来是由该笔凭证分录生成的，而且以后还要重新由此条凭证分录生成"
    "新的资金单据，建议删除原来生成的资金单据！";
inline constexpr const char* kAskQuit = "所作的操作没有保存，是否退出？";
inline constexpr const char* kFailed = "资金单据核销失败，原因：";

inline constexpr const char* kPaymentReq = "'PAYMENT_REQ'";
inline constexpr const char* kReceiptReq = "'RECEIPT_REQ'";
inline constexpr const char* kBalanceReq = "'BALANCE_REQ'";

}  // namespace lumvoucher::links::fund_texts
