#pragma once

// The texts of the contract settlement window, spelled as the system spells them.
namespace lumvoucher::links::texts {

inline constexpr const char* kContractTitle = "合同结算";
inline constexpr const char* kContractKinds = "合同大类";
inline constexpr const char* kKindPurchase = "购销合同";
inline constexpr const char* kKindProject = "在建工程";
inline constexpr const char* kDirPay = "付款";
inline constexpr const char* kDirReceive = "收款";
inline constexpr const char* kOverrunSetting = "合同结算不允许超合同未付款金额";
inline constexpr const char* kAccountSetSection = "帐套属性";

inline constexpr const char* kProjectRequired = "工程项目必须输入！";
inline constexpr const char* kProjectLeaf = "工程项目必须输入末级项目！";
inline constexpr const char* kRow = "第";
inline constexpr const char* kDuplicate = "行，合同号重复！";
inline constexpr const char* kDuplicateEntry = "您输入的合同号，与第";
inline constexpr const char* kDuplicateEntryEnd = "行的设置相同！";
inline constexpr const char* kDateInvalid = "日期无效，请重新设置！";
inline constexpr const char* kContractRequired = "合同必须录入！";
inline constexpr const char* kContractInvalid = "行，合同号无效，请重新录入！";
inline constexpr const char* kRequired = "必须录入！";
inline constexpr const char* kInvalid = "无效，请重新录入！";
inline constexpr const char* kInvoiceNeedsUnit = "行，发票已到金额不为0时单位应必须录入！";
inline constexpr const char* kAboveLine = "大于凭证分录金额";
inline constexpr const char* kTotalSuffix = "金额合计";
inline constexpr const char* kOverContract = "行，本次付款金额超过了合同未付款金额";
inline constexpr const char* kOverProject = "行，本次付款金额超过了项目未付款金额";
inline constexpr const char* kOverBoth = "行，本次付款金额超过了合同未付款金额，和项目未付款金额";
inline constexpr const char* kContinue = "，是否继续？";
inline constexpr const char* kPaidTotal = "累计付款金额";
inline constexpr const char* kAboveBudget = "大于概预算金额";
inline constexpr const char* kPaidSoFar = "累计已付款金额";
inline constexpr const char* kAboveInvoiced = "大于累计已开票金额";
inline constexpr const char* kOnlyPositive = "行，本次付款金额只能为正数！";
inline constexpr const char* kOnlyNegative = "行，本次付款金额只能为负数！";
// Refusals of typed amounts (the window's own wording).
inline constexpr const char* kAmountNotNumber =
    "金额必须是数字，且小数位数不能超过账套的金额小数位数！";

}  // namespace lumvoucher::links::texts
