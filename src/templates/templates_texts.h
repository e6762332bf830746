#pragma once

// The texts of the standard vouchers and the external data posting, spelled as the system
// spells them, shared by the windows and their tests.
namespace lumvoucher::templates::texts {

inline constexpr const char* kTitleWarning = "警告信息";
inline constexpr const char* kTitleInformation = "提示信息";

// Standard vouchers.
inline constexpr const char* kCreateWindowName = "frmCreateStdVoucher";
inline constexpr const char* kSelectWindowName = "frmSelectStdVoucher";
inline constexpr const char* kSelectAllWindowName = "frmSelectStdVoucherAll";
inline constexpr const char* kCreateCaption = "生成样板凭证";
inline constexpr const char* kSelectCaption = "调用样板凭证";
inline constexpr const char* kTooFewLines =
    "当前凭证至少要定义一个借方科目和一个贷方科目，请重新定义当前凭证！";
inline constexpr const char* kNumberEmpty = "编号不能为空！";
inline constexpr const char* kNameEmpty = "名称不能为空！";
inline constexpr const char* kReplaceQuestion =
    "您所录入的编号已经重复，要替换原来这个编号对应的样板凭证吗？";
inline constexpr const char* kSaveFailed = "保存失败";
// "样板凭证“" + number + name + "”还没有保存，要保存当前录入的数据吗？"
inline constexpr const char* kUnsavedHead = "样板凭证“";
inline constexpr const char* kUnsavedTail = "”还没有保存，要保存当前录入的数据吗？";
// "您确实要删除样板凭证“" + number + " " + name + "”吗？"
inline constexpr const char* kDeleteHead = "您确实要删除样板凭证“";
inline constexpr const char* kDeleteTail = "”吗？";
// "删除样板凭证“" + number + " " + name + "”错误！"
inline constexpr const char* kDeleteErrorHead = "删除样板凭证“";
inline constexpr const char* kDeleteErrorTail = "”错误！";
inline constexpr const char* kTitleDeleteError = "错误提示";

// External data posting.
inline constexpr const char* kIOWindowName = "frmVoucherIO";
inline constexpr const char* kIOCaption = "外部记账接口";
inline constexpr const char* kIOFunction = "外部数据记账";
inline constexpr const char* kIOMenuCaption = "外部数据记账接口";
inline constexpr const char* kNoIORight = "您没有“外部数据记账接口”的权限！";
inline constexpr long kIORight = 508;
inline constexpr long kIOView = 1287;
inline constexpr const char* kIniFile = "iei.ini";
inline constexpr const char* kIniSection = "接口标准";
inline constexpr const char* kIniKeySuffix = "标准";
inline constexpr const char* kSampleStandard = "Sample接口";
inline constexpr const char* kSettingSection = "外部记账接口";
inline constexpr const char* kSettingKey = "凭证日期";
inline constexpr const char* kDateFromData = "使用外部数据日期";
inline constexpr const char* kDateChosen = "使用指定日期";
inline constexpr const char* kPostedMark = "√ ";
inline constexpr const char* kTickMark = "√";
inline constexpr const char* kRepaired = "已纠正";
inline constexpr const char* kSortUp = "↑";
inline constexpr const char* kSortDown = "↓";

// The checks of a record; joined with "," into its error text.
inline constexpr const char* kZeroAmount = "本币金额为0";
inline constexpr const char* kUnbalanced = "借贷不平";
inline constexpr const char* kNotFound = "不存在";
inline constexpr const char* kOtherSourceOrganization = "来源机构与当前登陆机构不同！";
inline constexpr const char* kOrganizationMustBeEmpty = "机构应为空";
inline constexpr const char* kOrganizationRequired = "机构不能为空";
inline constexpr const char* kGoods = "商品";
inline constexpr const char* kPartNotFound = "]不存在";

// Our own texts: reading the interface files (the system leaves their source open).
inline constexpr const char* kNoStandard = "接口标准“{0}”没有定义！";
inline constexpr const char* kIniUnreadable = "接口标准文件“{0}”无法读取！";
inline constexpr const char* kIniBadLine = "接口标准文件“{0}”第{1}行格式错误！";
inline constexpr const char* kFileUnreadable = "文件“{0}”无法打开！";
inline constexpr const char* kMissingColumn = "缺少列“{0}”";
inline constexpr const char* kColumnCount = "列数为{0}，应为{1}";
inline constexpr const char* kBadUtf8 = "不是有效的UTF-8文本";
inline constexpr const char* kBadGbk = "不是有效的GBK文本";
inline constexpr const char* kOpenQuote = "引号没有结束";
inline constexpr const char* kLineTooLong = "记录超过1MB";
inline constexpr const char* kBadNumber = "{0}“{1}”不是数字";
inline constexpr const char* kBadDate = "日期“{0}”不是有效日期";
inline constexpr const char* kNoAmount = "借方金额和贷方金额都有数";
inline constexpr const char* kFieldEmpty = "{0}不能为空";
inline constexpr const char* kKeyMixed = "外部凭证“{0}”的行不相邻";
inline constexpr const char* kSaveRefused = "保存凭证失败";

}  // namespace lumvoucher::templates::texts
