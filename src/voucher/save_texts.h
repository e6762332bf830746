#pragma once

// The texts of saving, spelled as the system spells them. Composed messages are built beside
// the check that uses them from these pieces.
namespace lumvoucher::voucher::texts {

inline constexpr const char* kSaving = "正在保存凭证，请稍候……";

inline constexpr const char* kSourceOrganization = "来源机构(非集团)与当前登陆机构不同！";
inline constexpr const char* kSaveTemplateEmpty = "凭证模版不能为空！";
inline constexpr const char* kSaveTypeEmpty = "凭证字号不能为空！";
inline constexpr const char* kSaveNumberEmpty = "凭证号不能为空！";
inline constexpr const char* kSaveDateEmpty = "制单日期为必输项，不能为空！";
inline constexpr const char* kDateBeforeStart = "制单日期不能小于账套启用日期！";
inline constexpr const char* kDateAfterEnd = "制单日期不能大于账套结束日期！";
inline constexpr const char* kDateClosed = "制单日期已结账或账套、模块未启用或已停用！";
inline constexpr const char* kAlreadyReversed = "被冲销的凭证已有冲销凭证：";
inline constexpr const char* kCannotSave = "不能保存！";
inline constexpr const char* kReversalEarlier = "制单日期不能小于原被冲销单据日期";
inline constexpr const char* kNoLines = "凭证体记录为空不能存盘！";
inline constexpr const char* kTakenGapAsk = "凭证号重复，是否自动将断号[";
inline constexpr const char* kTakenGapAskEnd = "]作为当前凭证号？";
inline constexpr const char* kTakenMaxAsk = "凭证号重复，是否取凭证最大流水号作为当前凭证号？";
inline constexpr const char* kTaken = "凭证号重复。";
inline constexpr const char* kCostClosed =
    "当前生成凭证的期间，成本模块已结账或者已成本分摊，不能保存凭证！";
inline constexpr const char* kLineNoAccount = "条分录非法（无科目），不能存盘！";
inline constexpr const char* kCashBankOnly =
    "保存失败，仅允许通过现金银行模块生成含有现金或银行性质的科目的凭证，请修改后重新保存！";
inline constexpr const char* kRemarkEmpty = "条摘要为空，您要修改凭证吗？";
inline constexpr const char* kCostItemMismatch = "行的录入的成本科目与收支项目不匹配！是否修改？";
inline constexpr const char* kCostTotalStop = "行成本归集金额与凭证分录金额不等，请您修改凭证！";
inline constexpr const char* kCostTotalAsk = "条成本归集金额与凭证分录金额不等，您要修改凭证吗？";
inline constexpr const char* kLineOrganizationLate =
    "条分录的机构非法，机构的启用日期大于凭证日期！";
inline constexpr const char* kAllSame =
    "记账凭证的所有分录中如果只有同一个科目，并且输入的辅助核算也完全相同时，该凭证应为不合法凭证"
    "。";
inline constexpr const char* kUnbalanced = "凭证借贷方不平（差额";
inline constexpr const char* kUnbalancedEnd = "），不能存盘！";
inline constexpr const char* kSameOrganization = "借贷方科目的机构相同，是否继续？";
inline constexpr const char* kTypeWrong = "凭证字号输入错误！";
inline constexpr const char* kMustNot = "”为“";
inline constexpr const char* kMustNotEnd = "”凭证类型的必无科目！";
inline constexpr const char* kDebitMissing = " 本张凭证的借方未输入“";
inline constexpr const char* kDebitMissingMiddle = "”凭证类型的借方必有科目“";
inline constexpr const char* kCreditMissing = " 本张凭证的贷方未输入“";
inline constexpr const char* kCreditMissingMiddle = "”凭证类型的贷方必有科目“";
inline constexpr const char* kAnyMissing = " 本张凭证中未输入“";
inline constexpr const char* kAnyMissingMiddle = "”凭证类型的必有科目“";
inline constexpr const char* kOr = "或“";
inline constexpr const char* kMissingEnd = "” ！";
inline constexpr const char* kSettlementNotice =
    "当前记账凭证有往来冲销业务，凭证保存后应进行往来核销。";
inline constexpr const char* kFixedAssetChanged = "关联的固定资产卡片已被其他人改变，不能存盘！";
inline constexpr const char* kFixedFeeChanged = "关联的固定费用已被其他人改变，不能存盘！";
inline constexpr const char* kConsumableChanged = "关联的低值易耗品卡片已被其他人改变，不能存盘！";
inline constexpr const char* kIntangibleChanged =
    "关联的无形资产费用或卡片已被其他人改变，不能存盘！";
inline constexpr const char* kDeferredChanged = "关联的待摊费用卡片已被其他人改变，不能存盘！";

inline constexpr const char* kBankBills =
    "该凭证已有票据与其关联，修改凭证将取消关联关系，是否确定";
inline constexpr const char* kTitleHint = "提示";
inline constexpr const char* kCannotCover = "号凭证不能覆盖原凭证(";
inline constexpr const char* kNumberDuplicate = "凭证号重复！";
inline constexpr const char* kSaveFailed = "存盘失败！";
inline constexpr const char* kLogNew = "新增凭证第";
inline constexpr const char* kLogModify = "修改凭证第";
inline constexpr const char* kLogPeriod = "期 ";
inline constexpr const char* kLogOld = "(原凭证字号为";

// The budget alarm: the window's menu entry, the account-set option and the refusals.
inline constexpr const char* kBudgetAlarmOpen = "打开预算报警(&A)";
inline constexpr const char* kBudgetAlarmClose = "关闭预算报警(&A)";
inline constexpr const char* kBudgetAlarmSection = "预算报警选项";
inline constexpr const char* kBudgetAlarmComprehensive = "使用全面预算报警";
inline constexpr const char* kBudgetConstrained = "存在完全控制预算方案，当前凭证不能保存！";
inline constexpr const char* kBudgetNoRight = "无超预算填制凭证权限，当前凭证不能保存！";
// An outlay-budget entry: 科室"综合办公室"支出项目"办公费用"本期支出累计发生额 1300.00￥，本张单据
// 发生额500.00￥，超出预算编制"B01"预算支出 1000.00￥；
inline constexpr const char* kOutlayDepartment = "科室\"";
inline constexpr const char* kOutlayItem = "\"支出项目\"";
inline constexpr const char* kOutlayYear = "\"本年";
inline constexpr const char* kOutlayPeriod = "\"本期";
inline constexpr const char* kOutlayExecuted = "支出累计发生额 ";
inline constexpr const char* kOutlayThis = "￥，本张单据发生额";
inline constexpr const char* kOutlayOver = "￥，超出预算编制\"";
inline constexpr const char* kOutlayOverEnd = "\"预算支出 ";
inline constexpr const char* kOutlayReached = "￥，达到预算编制\"";
inline constexpr const char* kOutlayReachedEnd = "\"预算报警 ";
inline constexpr const char* kOutlayYuanEnd = "￥；";
inline constexpr const char* kOutlayPercentEnd = "%；";
inline constexpr const char* kOutlayMore = "……";

}  // namespace lumvoucher::voucher::texts
