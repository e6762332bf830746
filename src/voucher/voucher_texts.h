#pragma once

// Every text the voucher window shows, spelled as the system spells it, so that the window and
// its tests share one spelling. Composed messages are built by the functions beside the rule
// that uses them; the fixed pieces are here.
namespace lumvoucher::voucher::texts {

// Window, grid, status.
inline constexpr const char* kCaption = "记账凭证";
inline constexpr const char* kDebitHeading = "借方金额";
inline constexpr const char* kCreditHeading = "贷方金额";
inline constexpr const char* kTotalsLabel = "合计：";
inline constexpr const char* kReversed = "已冲销";
inline constexpr const char* kReview = "复    核(&C)";
inline constexpr const char* kCancelReview = "取消复核(&C)";
inline constexpr const char* kPost = "记    账(&J)";
inline constexpr const char* kCancelPost = "取消记账(&J)";
inline constexpr const char* kSign = "出纳签字(&T)";
inline constexpr const char* kCancelSign = "取消签字(&T)";

// Titles.
inline constexpr const char* kTitleNewBill = "新增单据";
inline constexpr const char* kTitleQuery = "查询凭证";
inline constexpr const char* kTitleWarning = "警告提示";
inline constexpr const char* kTitleEntry = "填制凭证";
inline constexpr const char* kTitleSave = "保存凭证";
inline constexpr const char* kTitleModify = "修改凭证";

// Opening a new voucher without rights.
inline constexpr const char* kNotAccountSetOrganization =
    "非账套所属机构不能新增凭证，并且系统中无可查询凭证！";
inline constexpr const char* kNoAddNoneInSystem = "无新增凭证权限，并且系统中无可查询凭证！";
inline constexpr const char* kNoTypeNoneInSystem =
    "无任何凭证类型的制单权限，并且系统中无可查询凭证！";
inline constexpr const char* kNoAddNoneInGroup = "无新增凭证权限，并且本小组中无可查询凭证！";
inline constexpr const char* kNoTypeNoneInGroup =
    "无任何凭证类型的制单权限，并且本小组中无可查询凭证！";
inline constexpr const char* kNoAddNoQuery = "无新增及查询记账凭证权限！";
inline constexpr const char* kNoTypeNoQuery = "无任何凭证类型的制单权限及查询记账凭证权限！";
// 新增 in a window the operator may only query in.
inline constexpr const char* kNotAccountSetOrganizationNew = "非账套所属机构不能新增凭证！";
inline constexpr const char* kNoAddRight = "无新增凭证权限！";
inline constexpr const char* kNoTypeRight = "无任何凭证类型的制单权限！";
// Moving through the vouchers (首张, 上张, 下张, 末张).
inline constexpr const char* kAtFirstVoucher = "已经是第一张凭证！";
inline constexpr const char* kAtLastVoucher = "已经是最后一张凭证！";

// Showing a stored voucher.
inline constexpr const char* kVoucherMissing = "凭证不存在！";
inline constexpr const char* kChangedAskSave = "”的数据已经发生改变，是否需要保存?";

// Line rules (pieces; "Account" is the code, a blank and the name).
inline constexpr const char* kAccountOpen = "科目“";
inline constexpr const char* kMissingOrInactive = "”不存在或被停用。";
inline constexpr const char* kNoAccountRight = "当前操作员无权限使用科目“";
inline constexpr const char* kNoAccountRightEnd = "”填制凭证。";
inline constexpr const char* kNotDetail = "”为非明细科目，请输入明细科目！";
inline constexpr const char* kNeedCurrency = "”有币种核算属性，请输入币种！";
inline constexpr const char* kBadCurrency = "”的币种输入非法，请输入币种！";
inline constexpr const char* kRatePositive = "”的汇率必须为正数！";
inline constexpr const char* kPricePositive = "”的单价必须为正数！";
inline constexpr const char* kReceiptFirstDebit = "收款凭证内第一条分录应为借方科目！";
inline constexpr const char* kReceiptOnlyFirstDebit = "收款凭证内只有第一条分录应为借方科目！";
inline constexpr const char* kPaymentFirstCredit = "付款凭证内第一条分录应为贷方科目！";
inline constexpr const char* kPaymentOnlyFirstCredit = "付款凭证内只有第一条分录应为贷方科目！";
inline constexpr const char* kNeedUnit = "”有单位核算属性，请输入单位！";
inline constexpr const char* kNeedBusinessDate = "”为应收应付性质科目，请输入业务日期！";
inline constexpr const char* kBusinessDateLate = "业务日期应小于等于当前凭证日期";
inline constexpr const char* kUnassigned = "”不能使用未分配的";
inline constexpr const char* kNeedDepartment = "”有部门核算属性，请输入部门！";
inline constexpr const char* kDepartmentLeaf = "”的部门核算属性只能输入末级部门，请重新输入！";
inline constexpr const char* kNeedEmployee = "”有职员核算属性，请输入职员！";
inline constexpr const char* kItemRightPrefix = "当前操作员无权限使用";
inline constexpr const char* kNeedReconciliation = "”的对账号不能为空！";
inline constexpr const char* kBankOpen = "银行科目“";
inline constexpr const char* kNeedPaymentMethod = "”的付款方式不能为空！";
inline constexpr const char* kNeedCheckNumber = "”的票据号不能为空！";
inline constexpr const char* kLeafOrganizationDecreasing = "末级机构不能保存递减凭证！";
inline constexpr const char* kNeedOrganization = "机构不能为空！";
inline constexpr const char* kOrganizationDirectChild = "必须选择当前机构的直属下级机构！";
inline constexpr const char* kBothZero = "”的借贷双方都为零！";
inline constexpr const char* kBusinessDateInvalid = "业务日期输入非法！";
inline constexpr const char* kBillNotIssued = "所填票据号未领用，请重新输入！";

// Cell checks.
inline constexpr const char* kAskAddItem = "”不存在或不可用，是否新增？";
inline constexpr const char* kWrittenOffLine = "已核销分录不允许修改科目、币种、单位！";
inline constexpr const char* kPeriodChange = "不能修改记账凭证所属会计期间！";
inline constexpr const char* kRateSign = "汇率必须为正数！";
inline constexpr const char* kPriceSign = "单价必须为正数！";
inline constexpr const char* kEnterAccount = "请输入科目！";
inline constexpr const char* kAccountRequired = "科目为必输项目，请输入科目！";
inline constexpr const char* kNumberInvalid = "数字输入非法！";
inline constexpr const char* kNumberTooLarge = "数字超出范围，最多15位有效数字！";
inline constexpr const char* kCheckDateInvalid = "票据日期输入非法！";
// Changing the account of a line whose costs were collected.
inline constexpr const char* kCostOtherKind =
    "修改为非收支类科目或科目余额方向不同的科目将清除原有的成本归集信息，是否继续？";
inline constexpr const char* kCostSameKind =
    "修改收支科目及其金额填写方向后，由于原收支科目已进行成本归集，修改后可能会造成"
    "成本归集数据不符，请选择是否需要清空原成本归集数据：\n"
    "选择“是”：系统将保存本次修改结果并清空原成本归集数据，需要再次进行成本归集；\n"
    "选择“否”：系统将保存本次修改结果并保持原成本归集数据，请确保修改后的科目与原"
    "归集数据保持正确的匹配关系；\n"
    "选择“取消”：系统将放弃本次修改结果，返回修改前数据状态；";

// Header checks.
inline constexpr const char* kTemplateEmpty = "凭证模版不能为空";
inline constexpr const char* kTypeEmpty = "凭证字号为必输项，不能为空！";
inline constexpr const char* kDateEmpty = "日期为必输项，不能为空！";
inline constexpr const char* kDateInvalid = "日期输入非法！";
inline constexpr const char* kAttachmentsNumber = "附单数必须输入数字！";
inline constexpr const char* kNumberPositive = "凭证号必须输入大于零的数字！";
inline constexpr const char* kNumberTooHigh = "凭证号不能大于999999！";
inline constexpr const char* kAttachmentsRange = "附单数不能大于32767！";
inline constexpr const char* kNumberTakenAsk = "凭证号重复，是否重新输入？";
inline constexpr const char* kNumberTakenYes = "选择是，凭证号重新输入！";
inline constexpr const char* kNumberTakenGap = "选择否，自动将断号[";
inline constexpr const char* kNumberTakenGapEnd = "]作为当前凭证号";
inline constexpr const char* kNumberTakenMax = "选择否，凭证号自动取最大号！";

// Line information panel.
inline constexpr const char* kInfoOrganization = "机构：";
inline constexpr const char* kInfoUnit = "单位：";
inline constexpr const char* kInfoDepartment = "部门：";
inline constexpr const char* kInfoEmployee = "职员：";
inline constexpr const char* kInfoPrice = "单价：";
inline constexpr const char* kInfoQuantity = "数量：";
inline constexpr const char* kInfoPay = "付款";
inline constexpr const char* kInfoReceive = "收款";
inline constexpr const char* kInfoMethod = "方式：";
inline constexpr const char* kInfoCheckNumber = "票据号：";
inline constexpr const char* kInfoCheckDate = "票据日期：";
inline constexpr const char* kInfoReconciliation = "对账号：";
inline constexpr const char* kInfoCashFlow = "  现金流量项目：";
inline constexpr const char* kInfoDebitBalance = "当前本币借方余额：";
inline constexpr const char* kInfoCreditBalance = "当前本币贷方余额：";

// Settings the window reads.
inline constexpr const char* kSectionAccountSet = "帐套属性";
inline constexpr const char* kKeyAskSave = "凭证修改存盘提示";
inline constexpr const char* kKeyShowBalance = "凭证是否显示科目余额";
inline constexpr const char* kKeyClass1Name = "统计名称";
inline constexpr const char* kKeyClass2Name = "项目名称";
inline constexpr const char* kKeyReuseGaps = "凭证断号重用";
inline constexpr const char* kKeySettlementRequired = "往来及银行科目必须录入结算信息";
inline constexpr const char* kSectionBalanceDisplay = "凭证余额显示控制";

}  // namespace lumvoucher::voucher::texts
