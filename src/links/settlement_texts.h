#pragma once

// The texts of the current-account settlement window, spelled as the system spells them.
namespace lumvoucher::links::texts {

inline constexpr const char* kDarapCaption = "时间差异处理核销";
inline constexpr const char* kNotAllocated = "时间差处理异核销未分配完毕或者取消分配未清零！";
inline constexpr const char* kWriteFailed = "保存时间差异处理失败！";
inline constexpr const char* kChosen = "√";
// Refusals of a typed allocation and of a reviewed voucher (the window's own wording).
inline constexpr const char* kNotANumber = "本次核销金额必须是数字！";
inline constexpr const char* kNegative = "本次核销金额不能为负数！";
inline constexpr const char* kAboveOpen = "本次核销金额不能大于未核销金额！";
inline constexpr const char* kTooManyDecimals = "本次核销金额的小数位数过多！";
inline constexpr const char* kReviewed = "凭证已复核，不能修改往来核销！";
inline constexpr const char* kNothingToWithdraw = "该记录没有可取消的核销！";
// A changed line whose item other lines settled (the save's refusals, worded as the delete's).
inline constexpr const char* kSettledItemMoved =
    "该分录已进行往来核销，不允许修改科目、方向、币种和辅助核算，"
    "如果要进行该操作，请选取消往来核销！";
inline constexpr const char* kSettledItemBelow =
    "该分录已进行往来核销，金额不能小于已核销金额，如果要进行该操作，请选取消往来核销！";
inline constexpr const char* kSettledItemLater =
    "该分录已进行往来核销，凭证日期不能晚于核销它的凭证日期，如果要进行该操作，请选取消往来核销！";
// A voucher whose lines settle items, moved before the latest of those items.
inline constexpr const char* kSettlingEarlier =
    "该凭证已进行往来核销，凭证日期不能早于被核销往来的日期，如果要进行该操作，请选取消往来核销！";

}  // namespace lumvoucher::links::texts
