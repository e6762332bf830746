#pragma once

// The texts of the cost apportionment cards, spelled as the system spells them.
namespace lumvoucher::links::texts {

inline constexpr const char* kCostTitle = "提示信息";
inline constexpr const char* kDeleteTitle = "提示";
inline constexpr const char* kIncomeModuleOn = "已启用收入核算模块，不能再通过此功能归集HIS收入";
inline constexpr const char* kFooterStart = " 提示：分摊总额为";
inline constexpr const char* kFooterAssigned = "元,已分摊：";
inline constexpr const char* kFooterRest = "元,未分摊：";
inline constexpr const char* kFooterEnd = "元。";
inline constexpr const char* kDeleteRow = "确定要删除当前分摊记录？";
inline constexpr const char* kTotalWrong = "分摊金额错误，差额为";
inline constexpr const char* kTotalWrongEnd = "，请检查！";
inline constexpr const char* kMismatch = "行的录入的成本科目与收支项目不匹配！";
inline constexpr const char* kModify = "是否修改？";
inline constexpr const char* kAmountZero = "行的分摊金额为0！";
// Expense card.
inline constexpr const char* kOutItemEmpty = "行的支出项目为空！";
inline constexpr const char* kOutItemNotLeaf = "行的支出项目为非末级支出项目！";
inline constexpr const char* kDepartmentEmpty = "行科室为空！";
inline constexpr const char* kDepartmentNotLeaf = "行选的科室为非末级科室！";
// Income card.
inline constexpr const char* kIncomeTypeEmpty = "行的收入类型不能为空！";
inline constexpr const char* kIncomeItemEmpty = "行的收入项目不能为空！";
inline constexpr const char* kIncomeItemNotLeaf = "行的收入项目为非末级收入项目！";
inline constexpr const char* kPrescribeEmpty = "行开单科室不能为空！";
inline constexpr const char* kExecuteEmpty = "行执行科室不能为空！";
inline constexpr const char* kSickEmpty = "行有病人金额，但病人科室为空！";
inline constexpr const char* kPrescribeNotLeaf = "行选的开单科室为非末级科室！";
inline constexpr const char* kExecuteNotLeaf = "行选的执行科室为非末级科室！";
inline constexpr const char* kSickNotLeaf = "行选的病人科室为非末级科室！";
inline constexpr const char* kBothZero = "行的开单金额和执行金额不能同时为0！";
inline constexpr const char* kRowSumWrong =
    "行的分摊总金额不等于开单金额、执行金额、病人金额相加之和！";
// A typed amount or code the card cannot take (the card's own wording).
inline constexpr const char* kNotAmount = "金额必须是数字，且小数位数不能超过账套的金额小数位数！";
inline constexpr const char* kUnknownCode = "编码不存在，请重新输入！";

}  // namespace lumvoucher::links::texts
