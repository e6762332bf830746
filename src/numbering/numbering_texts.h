#pragma once

// The texts of the numbering and volume windows, spelled as the system spells them, shared by
// the windows and their tests.
namespace lumvoucher::numbering::texts {

inline constexpr const char* kTitleWarning = "警告信息";
inline constexpr const char* kTitleInformation = "提示信息";

// The number window.
inline constexpr const char* kRenumberWindowName = "frmVoucherRenumber";
inline constexpr const char* kRenumberTitle = "凭证编号查询";
inline constexpr const char* kOrganizationCaption = "来源机构(&O)";
inline constexpr const char* kYearCaption = "年度";
inline constexpr const char* kPeriodCaption = "期间";
inline constexpr const char* kTypeCaption = "凭证类型";
inline constexpr const char* kAllTypes = "空";
inline constexpr const char* kWholePeriod = "期间所有凭证";
inline constexpr const char* kRanges = "指定凭证段号";
inline constexpr const char* kByDate = "按日期 + 凭证号整理";
inline constexpr const char* kQueryButton = "编号查询(&Q)";
inline constexpr const char* kRenumberButton = "编号整理(&S)";
inline constexpr const char* kTitleRenumber = "编号整理";
inline constexpr const char* kYearOutside = "年度已在当前账套的开始时间和结束时间之外了！";
inline constexpr const char* kPeriodOutside = "期间已在当前账套的开始时间和结束时间之外了！";
inline constexpr const char* kRenumberQuestion =
    "编号整理可能造成已打印凭证的编号发生改变，是否进行编号整理？";
// Our own refusals of the range grid (the system has none for them).
inline constexpr const char* kRangeNumberInvalid = "凭证段号必须是1到999999之间的整数！";
inline constexpr const char* kRangeStartAboveEnd = "开始凭证号不能大于结束凭证号！";
inline constexpr const char* kRangeTypeTwice = "同一凭证类型只能指定一个凭证段！";

// The number report.
inline constexpr const char* kReportTypeHead = "凭证字:";
inline constexpr const char* kReportHighest = "最大凭证字号   ";
inline constexpr const char* kReportRangeStart = "  开始凭证字号：";
inline constexpr const char* kReportRangeEnd = "  结束凭证字号：";
inline constexpr const char* kReportNoType = "无 ";
inline constexpr const char* kReportNoTypeHighest = "     最大凭证字号   ";
inline constexpr const char* kReportTo = " 到 ";
inline constexpr const char* kReportMissing = "                   缺号   ";
inline constexpr const char* kReportVoid = "                   作废   ";
inline constexpr const char* kReportRule =
    "---------------------------------------------------------";
inline constexpr const char* kReportTotal = "合计：   总单数: ";
inline constexpr const char* kReportMissingCount = "   缺号数: ";
inline constexpr const char* kReportVoidCount = "   作废数: ";
inline constexpr const char* kReportEnd = "结束";
inline constexpr const char* kReportTitle = "凭证缺号表（年度：";
inline constexpr const char* kReportTitlePeriod = "期间：";
inline constexpr const char* kReportTitleOrganization = " 机构：";
inline constexpr const char* kReportTitleClose = "）";

// The continuity window.
inline constexpr const char* kContinuityWindowName = "frmVoucherContinuity";
inline constexpr const char* kContinuityTitle = "凭证连号处理";
inline constexpr const char* kContinuityRun = "连号处理";
inline constexpr const char* kContinuityFilter = "条件选择";
inline constexpr const char* kContinuitySelectAll = "全部选择";
inline constexpr const char* kContinuitySelectNone = "全部取消";
inline constexpr const char* kTickCaption = "选定";
inline constexpr const char* kStatusCaption = "状态";
inline constexpr const char* kStatusVoid = "作废";
// The dual-basis grid tells the two vouchers of a pair apart, as the paired list does.
inline constexpr const char* kBasisCaption = "会计类型";
// Our own note of the dual-basis windows.
inline constexpr const char* kDualBasisNote =
    "财务会计与预算会计凭证一并处理，成对的两张凭证取同一编号和册号";
inline constexpr const char* kStatusError = "错误";
inline constexpr const char* kContinuityMoreRows = "未列出的凭证请在下次操作！";
inline constexpr const char* kNothingTicked = "请先选定一张凭证！";
inline constexpr const char* kMixedTypes = "只能选择同一种凭证类别的凭证";
inline constexpr const char* kMixedPeriods = "只能选择同一个会计期间的凭证";
inline constexpr const char* kTooFew = "必须选择2张以上凭证";
inline constexpr const char* kContinuityQuestion =
    "凭证连号处理可能造成已打印凭证的编号发生改变，是否进行凭证连号处理？";
inline constexpr const char* kContinuityDone = "凭证连号处理完毕，新的凭证号为";

// The volume window.
inline constexpr const char* kVolumeWindowName = "frmVoucherVolume";
inline constexpr const char* kVolumeTitle = "凭证分册";
inline constexpr const char* kVolumeOrganizationCaption = "来源机构(&M)";
inline constexpr const char* kVolumePeriodCaption = "会计期间(&P)";
inline constexpr const char* kVolumeTypeCaption = "凭证类型(&T)";
inline constexpr const char* kVolumeColumn = "凭证册号";
inline constexpr const char* kVolumeStartColumn = "凭证起始编号";
inline constexpr const char* kVolumeEndColumn = "凭证结束编号";
inline constexpr const char* kVolumeCountColumn = "已分册凭证张数";
inline constexpr const char* kVolumeNew = "新  增(&N)";
inline constexpr const char* kVolumeDelete = "删  除(&D)";
inline constexpr const char* kUnboundNote = "未分册凭证：";
inline constexpr const char* kUnboundNone = "共0张";
inline constexpr const char* kUnboundRange = "--";
inline constexpr const char* kUnboundCount = " 共";
inline constexpr const char* kUnboundCountEnd = "张。";
inline constexpr const char* kChooseReference = "请选择一参照！";
inline constexpr const char* kVolumeEmpty = "请输入凭证册号！";
inline constexpr const char* kVolumeZero = "凭证册号不能为00！";
inline constexpr const char* kVolumeEndEmpty = "请输入凭证结束编号！";
inline constexpr const char* kVolumeEndNotAbove = "凭证结束编号应大于凭证起始编号！";
inline constexpr const char* kVolumeTwice = "凭证册号重复！";
inline constexpr const char* kVolumeSaveQuestion = "是否保存凭证分册表？";
// Our own refusals of what the system leaves unchecked.
inline constexpr const char* kVolumeStartEmpty = "请输入凭证起始编号！";
inline constexpr const char* kVolumeLabelInvalid = "凭证册号只能由不超过10个字母或数字组成！";
inline constexpr const char* kVolumeNumberInvalid = "凭证编号必须是0到999999之间的整数！";

// A voucher in no volume.
inline constexpr const char* kNoVolume = "0000";

}  // namespace lumvoucher::numbering::texts
