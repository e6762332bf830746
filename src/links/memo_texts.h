#pragma once

// The texts of the memo book (备查簿) windows, spelled as the system spells them, shared by the
// code and its tests. Row messages are "第" + row + the rest.
namespace lumvoucher::links::memo_texts {

inline constexpr const char* kLineCaption = "备查薄明细";
inline constexpr const char* kBatchCaption = "批量分配备查明细";
inline constexpr const char* kSelectCaption = "选择凭证分录明细";

inline constexpr const char* kTitleInformation = "提示信息";
inline constexpr const char* kTitleEditDetail = "修改备查明细";

inline constexpr const char* kSectionAccountSet = "帐套属性";
inline constexpr const char* kKeyEconomicOnly = "仅显示备查经济分类科目";

// "没有科目" + "\"" + caption + "\"" + "的制单权限，不能对其进行备查薄登记！"
inline constexpr const char* kNoAccountRight1 = "没有科目";
inline constexpr const char* kNoAccountRight2 = "的制单权限，不能对其进行备查薄登记！";
inline constexpr const char* kNeedItem = "请输入备查项目！";
inline constexpr const char* kItemUsed = "本备查项目已选用！";
inline constexpr const char* kChooseReference = "请选择一参照！";
inline constexpr const char* kAskSave = "是否保存备查薄登记？";
inline constexpr const char* kOverAllocated = "已分配金额不能大于凭证明细金额。";
inline constexpr const char* kBadAmount = "行“备查金额”不是一个合法数据，请重新输入！";
inline constexpr const char* kAddRow = "新增明细(&A)";
inline constexpr const char* kDeleteRow = "删除明细(&D)";
inline constexpr const char* kNoMemoLine = "本凭证没有备查科目的分录，不能进行备查薄登记！";
inline constexpr const char* kFailed = "备查薄登记失败，原因：";

// Classification labels: the single-basis set and, for accounting-system code "16", the
// dual-basis one.
inline constexpr const char* kFunction = "功能分类项目";
inline constexpr const char* kEconomic = "经济分类项目";
inline constexpr const char* kOther = "其他分类项目";
inline constexpr const char* kGovernmentTask = "政府指令性任务";
inline constexpr const char* kRemainFunction = "功能分类       待分配金额：";
inline constexpr const char* kRemainGovernment = "政府指令性任务 待分配金额：";

// The batch window.
inline constexpr const char* kVoucherDate = "凭证日期：";
inline constexpr const char* kVoucherNo = "凭证号：";
inline constexpr const char* kAll = "All";
inline constexpr const char* kTick = "√";
inline constexpr const char* kWrongDirection = "所选分录金额与待分配金额方向不一致，请重新选择。";
inline constexpr const char* kSelectionShort = "所选分录金额合计应大于等于待分配金额，请重新选择。";
inline constexpr const char* kBatchBadAmount = "行待分配备查金额不合法，请重新录入！";
inline constexpr const char* kBatchOverAmount =
    "行待分配备查金额大于所选凭证分录金额合计，请重新输入！";

}  // namespace lumvoucher::links::memo_texts
