#pragma once

// The texts the voucher lists show, spelled as the system spells them, shared by the windows
// and their tests.
namespace lumvoucher::lists::texts {

inline constexpr const char* kVoucherListTitle = "记账凭证列表";
inline constexpr const char* kErrorListTitle = "错误记账凭证列表";

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

}  // namespace lumvoucher::lists::texts
