#pragma once

// The texts of the paired voucher window, spelled as the system spells them.
namespace lumvoucher::dualbasis::texts {

// Opening a pair.
inline constexpr const char* kNoPairIds = "未找到相关的财记预记凭证信息!";
inline constexpr const char* kBudgetNotPairedOpen = "传入的预记凭证ID[";
inline constexpr const char* kFinanceNotPairedOpen = "传入的财记凭证ID[";
inline constexpr const char* kNotPairedClose = "]在关联表中未找到!";

// Saving.
inline constexpr const char* kPeriodsDiffer =
    "财务凭证和与之关联的预算凭证制单日期必须在同一个会计期间，凭证保存失败!";
inline constexpr const char* kTitleVoucherSave = "凭证保存";
inline constexpr const char* kTotalsDiffer = "财务会计与预算会计的总金额不等,是否继续存盘?";
inline constexpr const char* kTitleSave = "保存凭证";
inline constexpr const char* kSaving = "正在保存凭证，请稍候…… ";
inline constexpr const char* kCashFlowMustAssign =
    "当前现金流量已分配金额不等于明细金额，且已设置凭证的现金流量必须分配，如选择是，则关闭当前窗口"
    "且不会保存当前凭证，是否继续？";
inline constexpr const char* kTitleLeave = "凭证退出";
inline constexpr const char* kAskSave = "凭证的数据已经发生改变，是否需要保存?";
inline constexpr const char* kTitleAskSave = "警告提示";
inline constexpr const char* kAskSaveOneOpen = "“";
inline constexpr const char* kAskSaveOneClose = "”的数据已经发生改变，是否需要保存?";
inline constexpr const char* kSaveFailed = "凭证保存失败!";
// The pair row's numbering checks failed. The system leaves this message to the window; it
// names the fields that must agree so the user knows what to correct.
inline constexpr const char* kPairRefused =
    "财务凭证与预算凭证的凭证类型、凭证号、会计期间、制单人、复核人、记账人必须一致，且凭证号不能与"
    "其他凭证重复!";

// Status commands.
inline constexpr const char* kTitleReview = "凭证复核";
inline constexpr const char* kTitlePostPrefix = "凭证";
inline constexpr const char* kTitleSign = "出纳签字";
inline constexpr const char* kSignFailed = "出纳签字失败!";
inline constexpr const char* kTitlePrint = "凭证打印";
inline constexpr const char* kPrintFailed = "凭证打印失败!";
inline constexpr const char* kTitleReverse = "凭证冲销";
inline constexpr const char* kReverseLoadFailed = "冲销凭证加载失败!";
inline constexpr const char* kSettledPartner =
    "被冲销凭证的时间差异处理数据已被核销，请先冲销核销凭证!";
inline constexpr const char* kReversed = "已冲销";
inline constexpr const char* kTitleEdit = "凭证编辑";
inline constexpr const char* kTitleBusinessData = "业务资料";
inline constexpr const char* kTitleMemo = "备查登记";
inline constexpr const char* kTitleFundCentre = "资金中心";
inline constexpr const char* kTitleIssueBills = "票据开具";
inline constexpr const char* kTitleDepartmentCost = "科室成本打印";
// Our own answers where the system leaves them open.
inline constexpr const char* kBillsIssuedOpen = "已开具";
inline constexpr const char* kBillsIssuedClose = "张票据！";
inline constexpr const char* kNoBillLines =
    "本凭证没有需要开具票据的银行分录（须有票据号且尚未开具）！";
inline constexpr const char* kNoDepartmentCost = "本凭证没有科室成本归集数据，无需打印！";
inline constexpr const char* kTitleAttachment = "附件";
inline constexpr const char* kAttachmentSaveFailed = "保存附件失败！";
inline constexpr const char* kAttachmentReadFailed = "读取附件失败！";
inline constexpr const char* kAttachmentRemoveFailed = "删除附件失败！";
inline constexpr const char* kAttachmentTooLargeOpen = "附件“";
inline constexpr const char* kAttachmentTooLargeClose = "”超过20MB，不能保存！";
inline constexpr const char* kAttachmentRemoveOpen = "确实要删除附件“";
inline constexpr const char* kAttachmentRemoveClose = "”吗？";

// Toolbar captions.
inline constexpr const char* kReview = "复    核(&C)";
inline constexpr const char* kPost = "记    账(&J)";
inline constexpr const char* kSign = "出纳签字(&N)";
inline constexpr const char* kError = "错    误(&O)";
inline constexpr const char* kErrorBox = "错误(&W)";
inline constexpr const char* kVoidBox = "作废(&V)";
inline constexpr const char* kToPrintBox = "待打印(&P)";
inline constexpr const char* kBusinessData = "业务资料(&G)";
inline constexpr const char* kCashFlow = "现金流量(&M)";
inline constexpr const char* kSettlement = "往来核销(&K)";
inline constexpr const char* kContract = "合同结算(&Y)";
inline constexpr const char* kFundCentre = "资金中心(&Z)";
inline constexpr const char* kMemo = "备查登记(&R)";
inline constexpr const char* kCostCollection = "成本归集(&X)";
inline constexpr const char* kIssueBills = "票据开具(&Z)";
inline constexpr const char* kDepartmentCost = "科室成本打印";
inline constexpr const char* kAttachment = "附件";
inline constexpr const char* kReverse = "冲    销(&B)";
inline constexpr const char* kSwitchStyle = "切换样式";
inline constexpr const char* kSave = "保存";

// The layout style in the operator's preferences.
inline constexpr const char* kStyleSection = "2017会计制度";
inline constexpr const char* kStyleKey = "style";
inline constexpr const char* kStyleOne = "one";
inline constexpr const char* kStyleTwo = "two";
// Our own keys in the same section: learning after a save, and the must-rule questions.
inline constexpr const char* kAutoStudyKey = "AutoStudy";
inline constexpr const char* kAskBudgetKey = "AskBudget";

}  // namespace lumvoucher::dualbasis::texts
