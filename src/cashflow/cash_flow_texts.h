#pragma once

// The texts the cash-flow module and windows show, spelled as the system spells them, shared by
// the code and its tests. Row messages are "第" + row + the rest.
namespace lumvoucher::cashflow::texts {

// Setting keys: the account-set options (section "帐套属性") and the organisation option.
inline constexpr const char* kSectionAccountSet = "帐套属性";
inline constexpr const char* kKeyPromptCashFlow = "凭证提示现金流量分配";
inline constexpr const char* kKeyCashFlowMustAssign = "现金流量科目必须分配";
inline constexpr const char* kKeyIgnoreCashTransfer =
    "忽略借贷方科目同为现金及现金等价物，且金额相等的凭证";
inline constexpr const char* kSectionOrganization = "机构选项";
inline constexpr const char* kKeyClosedPeriodCashFlow = "修改已结账期间现金流量";

// Titles.
inline constexpr const char* kTitleRemind = "提醒";
inline constexpr const char* kTitleSaveVoucher = "保存凭证";
inline constexpr const char* kTitleCashItem = "现金流量项目";
inline constexpr const char* kTitleImportant = "重要提示信息";
inline constexpr const char* kTitleInformation = "提示信息";
inline constexpr const char* kTitleEditDetail = "修改现金流量明细";
inline constexpr const char* kTitleCashFlow = "现金流量";

// Window captions and labels.
inline constexpr const char* kLineCaption = "现金流量明细";
inline constexpr const char* kBatchCaption = "现金流量批量分配";
inline constexpr const char* kInflow = "流入";
inline constexpr const char* kOutflow = "流出";
inline constexpr const char* kNet = "净值";
inline constexpr const char* kInternal = "内部";
inline constexpr const char* kExternal = "外部";
inline constexpr const char* kMenuAdd = "新增";
inline constexpr const char* kMenuDelete = "删除";
inline constexpr const char* kMenuModify = "修改";
inline constexpr const char* kAddRow = "新增明细(&A)";
inline constexpr const char* kDeleteRow = "删除明细(&D)";

// The module's checks.
inline constexpr const char* kLineUnbalanced =
    "存在现金流量分配的金额与凭证分录金额不一致，请重新进行现金流量分配！";
inline constexpr const char* kCheckFailed = "验证凭证的现金流量分配失败，原因：";
inline constexpr const char* kNotAllAssigned = "凭证未完全进行现金流量分配";
inline constexpr const char* kLogError = " 错误. lngOrganizationID=";
inline constexpr const char* kCashLineOpen = "现金科目 ";
inline constexpr const char* kWaiveAsk = "现金流量分配不完整，忽略吗？";
inline constexpr const char* kIncomplete = "现金流量分配不完整。";

// Rights and refusals of both windows.
inline constexpr const char* kNoRight = "无现金流量权限！";
inline constexpr const char* kNoItemRight = "无新增、修改及删除现金流量项目的权限！";
inline constexpr const char* kNoAccountRightOpen = "没有科目";
inline constexpr const char* kNoAccountRightClose = "的制单权限，不能对其进行现金流量分配！";
inline constexpr const char* kPeriodClosed =
    "该张凭证总账模块已结账，机构选项设置不允许已结账现金流量分配操作！";
inline constexpr const char* kNotCashLine =
    "凭证分录的科目不是现金或现金等价物科目，不能进行现金流量分配！";

// Editing the grid.
inline constexpr const char* kNotLeafOpen = "本现金流量项目";
inline constexpr const char* kNotLeafClose = "为非末级项目，不能选用！";
inline constexpr const char* kItemChosen = "本现金流量项目已选用！";
inline constexpr const char* kItemCustomerChosen = "本现金流量项目加内部往来单位已选用！";
inline constexpr const char* kRangeOpen = "范围为";
inline constexpr const char* kRangeItemChosen = "的现金流量项已选用,不能修改范围！";
inline constexpr const char* kRangeItemCustomerChosen =
    "的现金流量项目加内部往来单位已选用,不能修改范围！";
inline constexpr const char* kSaveAsk = "是否保存资金流量分配？";
// Typed values the window cannot take (no text of the system's own covers them).
inline constexpr const char* kItemUnknown = "现金流量项目不存在：";
inline constexpr const char* kCustomerUnknown = "内部往来单位不存在：";

// Saving the line window.
inline constexpr const char* kInnerThisOpen = "本方分配的现金流量金额总和";
inline constexpr const char* kInnerOther = "，对方分配的现金流量金额总和";
inline constexpr const char* kInnerClose = "，双方分配金额不等，是否继续？";
inline constexpr const char* kInOutUnequal = "当前科目应作流入流出的同时分配且金额必须相等！";
inline constexpr const char* kTotalDiffers = "分配金额不等于明细金额。是否确认？";
inline constexpr const char* kRow = "第";
inline constexpr const char* kInternalNoCustomer = "行范围为“内部”,内部往来单位不能为空";

// The batch window.
inline constexpr const char* kOverwriteAsk =
    "凭证中部分现金流量已分配，若再次分配，系统将会用本次现金流量批量分配数据覆盖原数据，是否继续"
    "？";
inline constexpr const char* kNoItem = "行“现金流量项目”不能为空";
inline constexpr const char* kNoCashLine = "行“现金流量科目”不能为空";
inline constexpr const char* kRowInOutUnequal = "行科目应作流入流出的同时分配且金额必须相等！";
inline constexpr const char* kRowTotalDiffers = "行，分配金额不等于明细金额。是否确认？";
inline constexpr const char* kDuplicateAnd = "行和第";
inline constexpr const char* kDuplicate = "行，“现金流量项目”存在重复设置！";
inline constexpr const char* kKeepOneRow = "删除失败！至少应保留一条现金流量分配数据！";
inline constexpr const char* kStoppedBeingCash =
    "现金流量分配错误，科目未设置成现金及其现金等价物。lngVoucherDetailID=";

}  // namespace lumvoucher::cashflow::texts
