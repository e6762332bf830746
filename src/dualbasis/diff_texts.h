#pragma once

// The texts of the surplus difference allocation, as the system spells them.
namespace lumvoucher::dualbasis::diff_texts {

inline constexpr const char* kTitle = "差异分配";
inline constexpr const char* kItemTitle = "修改差异项目";
inline constexpr const char* kMustAllocate = "已设置差异必须分配，请分配差异！";
inline constexpr const char* kAskAllocate = "本年盈余与预算结余差异分配不完整，是否分配？";
inline constexpr const char* kNoDifference = "本年盈余与预算结余无差异，无需进行分配!";
inline constexpr const char* kUnequal = "分配金额不等于差异金额，是否确认?";
inline constexpr const char* kChooseItem = "请选择正确的差异项目";
inline constexpr const char* kItemPrefix = "本差异项目";
inline constexpr const char* kNotDetail = "为非末级项目，不能选用！";
inline constexpr const char* kWrongType = "本差异项目类型与凭证科目类型不一致！";
inline constexpr const char* kNumberInvalid = "数字输入非法！";

inline constexpr const char* kPromptKey = "凭证提示本年盈余与预算结余差异分配";
inline constexpr const char* kMandatoryKey = "本年盈余与预算结余差异必须分配";

}  // namespace lumvoucher::dualbasis::diff_texts
