#pragma once

// The texts the voucher lists show, spelled as the system spells them, shared by the windows
// and their tests.
namespace lumvoucher::lists::texts {

inline constexpr const char* kVoucherListTitle = "记账凭证列表";
inline constexpr const char* kErrorListTitle = "错误记账凭证列表";
// The combined lists of the dual basis: one row per voucher pair, one row per line of either
// basis.
inline constexpr const char* kUnionListTitle = "凭证综合查询列表";
inline constexpr const char* kCompareListTitle = "凭证综合查询明细列表";
// The basis selector of the dual-basis voucher list, in the order of the basis (0 all).
inline constexpr const char* kBasisChoices[] = {"全部凭证", "财务凭证", "预算凭证"};

// Captions of the sortable columns, and the marks of the sort direction.
inline constexpr const char* kDateCaption = "日期";
inline constexpr const char* kNumberCaption = "凭证字号";
inline constexpr const char* kVolumeCaption = "凭证册号";
inline constexpr const char* kAscendingMark = "↑";
inline constexpr const char* kDescendingMark = "↓";
// The void mark column.
inline constexpr const char* kVoidCaption = "作废";
inline constexpr const char* kVoidMark = "√";

// The carry-forward label of the non-profit systems and of the others.
inline constexpr const char* kCarryForwardBudget = "收支结转";
inline constexpr const char* kCarryForwardProfit = "损益结转";

inline constexpr const char* kClosedPeriodNew = "当前会计期间已经结账，不能再增加凭证！";
inline constexpr const char* kNoLinkedReversal = "该凭证没有冲销关联凭证！";
inline constexpr const char* kLinkedReversalTitle = "冲销关联凭证";

// Command menu captions.
inline constexpr const char* kMenuOpen = "打开凭证(&O)";
inline constexpr const char* kMenuBatchDelete = "批量删除(&M)";
inline constexpr const char* kMenuSign = "出纳签字(&T)";
inline constexpr const char* kMenuBatchSign = "多张签字(&P)";
inline constexpr const char* kMenuBatchCancelSign = "多张取消(&C)";
inline constexpr const char* kMenuReverse = "冲销(&S)";
inline constexpr const char* kMenuLinkedReversal = "冲销关联凭证(&V)";
inline constexpr const char* kMenuVoid = "作废凭证(&D)";
inline constexpr const char* kMenuShowAll = "全部显示(&W)";
inline constexpr const char* kMenuPost = "记账(&B)";
inline constexpr const char* kMenuBatchReview = "多张复核(&I)";
inline constexpr const char* kMenuBatchCancelReview = "多张取消(&J)";
inline constexpr const char* kMenuBatchPost = "多张记账(&K)";
inline constexpr const char* kMenuBatchCancelPost = "多张取消(&L)";
inline constexpr const char* kMenuVolumes = "凭证分册(&G)";
inline constexpr const char* kMenuFilter = "过滤(&F)";
inline constexpr const char* kMenuColumns = "栏目设置(&U)";
inline constexpr const char* kMenuRefresh = "刷新(&R)";
inline constexpr const char* kMenuPrintReceipt = "打印凭证(&Q)";
inline constexpr const char* kMenuDepartmentCost = "科室成本打印(&Y)";
inline constexpr const char* kMenuPrint = "打印列表(&N)";
inline constexpr const char* kMenuExternalData = "外部数据记账接口(&V)";
inline constexpr const char* kMenuCashFlow = "现金流量(&X)";
inline constexpr const char* kMenuMemo = "备查登记(&Z)";
inline constexpr const char* kMenuContinuity = "连号处理";
inline constexpr const char* kMenuSeparator = "-";

// The report menu of the lists.
inline constexpr const char* kReportAccountSummary = "科目汇总表(&A)";
inline constexpr const char* kReportVoucherSummary = "凭证汇总表(&V)";

// The batch dialog: per mode (0 review .. 6 delete) its title, confirmation, closed-period
// refusal, and the success text around the count; delete has no failure text.
inline constexpr const char* kBatchWindowName = "frmBatchVoucher";
inline constexpr const char* kBatchNothingTicked = "请先选定一张凭证！";
inline constexpr const char* kBatchTickCaption = "选定";
inline constexpr const char* kBatchTickMark = "√";
inline constexpr const char* kBatchNumberCaption = "凭证字号";
inline constexpr const char* kBatchDateCaption = "日期";
inline constexpr const char* kBatchAmountCaption = "金额";
inline constexpr const char* kBatchMakerCaption = "制单人";
inline constexpr const char* kBatchRun = "确定";
inline constexpr const char* kBatchCancel = "取消";
inline constexpr const char* kBatchSelectAll = "全选";
inline constexpr const char* kBatchSelectNone = "全消";

struct BatchTexts {
  const char* title;
  const char* confirm;
  const char* closed;
  const char* success_before;
  const char* success_after;
  const char* failure;  // nullptr: none
};
inline constexpr BatchTexts kBatchTexts[7] = {
    {"多张复核", "您确实要复核所选的凭证吗？", "凭证已经结账，不能复核！",
     "多张凭证复核成功，本次共复核", "张凭证！", "多张凭证复核失败！"},
    {"多张复核取消", "您确实要取消复核所选的凭证吗？", "凭证已经结账，不能取消复核！",
     "多张凭证复核取消成功，本次共取消复核", "张凭证！", "多张凭证复核取消失败！"},
    {"多张记账", "您确实要记账所选的凭证吗？", "凭证已经结账，不能记账！",
     "多张凭证记账成功，本次共记账", "张凭证！", "多张凭证记账失败！"},
    {"多张记账取消", "您确实要取消记账所选的凭证吗？", "凭证已经结账，不能取消记账！",
     "多张凭证记账取消成功，本次共取消记账", "张凭证！", "多张凭证记账取消失败！"},
    {"多张出纳签字", "您确实要对所选的凭证进行出纳签字吗？", "凭证已经结账，不能对其进行出纳签字！",
     "凭证多张出纳签字成功，本次共出纳签字", "张凭证！", "凭证多张出纳签字失败！"},
    {"多张取消签字", "您确实要对所选的凭证取消签字吗？", "凭证已经结账，不能取消签字！",
     "多张凭证取消签字成功，本次共取消签字", "张凭证！", "多张凭证取消签字失败！"},
    {"多张凭证删除", "您确实要删除所选的凭证吗？", "凭证已经结账，不能删除凭证！",
     "多张凭证删除成功，本次共删除了", "张凭证！", nullptr},
};

// The list's single-voucher commands.
inline constexpr const char* kOnlyPosterCancels = "只有记账操作员才能取消记账！";

}  // namespace lumvoucher::lists::texts
