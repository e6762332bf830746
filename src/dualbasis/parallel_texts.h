#pragma once

#include "host/message_box.h"

// The texts of parallel accounting ("平行记账"), spelled as the system spells them.
namespace lumvoucher::dualbasis::texts {

inline constexpr const char* kTitleInformation = "提示信息";
inline constexpr const char* kTitleFill = "凭证填制";
inline constexpr const char* kTitleLearn = "模板学习";
// The red questions stop a save, as the blocking rule violations do.
inline constexpr const char* kTitleImportant = "重要提示信息";

// The obligation questions: Yes/No, stop icon, task modal (shown in red).
inline constexpr int kRedQuestionFlags = 4 + 16 + 0x2000 + host::mb::kRedText;
inline constexpr const char* kProhibitSaveQuestion =
    "此凭证部分满足平行记账禁止规则，是否确认保存？";
inline constexpr const char* kMustRuleQuestion =
    "此凭证满足应该平行记账规则，是否返回进行平行记账？";
inline constexpr const char* kMustAccountQuestion = "此凭证中存在平行记账科目，是否返回修改？";
inline constexpr const char* kProhibitCreate = "此凭证部分满足平行记账禁止规则,禁止平行记账！";

// Templates.
inline constexpr const char* kApplyCaption = "根据模板平行记账";
inline constexpr const char* kCreateCaption = "生成平行记账模板";
inline constexpr const char* kChooserWindowName = "frmSelectStdVoucherTmp";
inline constexpr const char* kDoubleRuleWindowName = "frmDoubleRule";
inline constexpr const char* kCodeEmpty = "平行记帐规则规则编码不能为空";
inline constexpr const char* kCodeTooLong = "平行记帐规则规则编码最大长度为80个字符";
inline constexpr const char* kCodeSpecial = "平行记帐规则规则编码不能包含特殊字符";
inline constexpr const char* kNameEmpty = "平行记帐规则规则名称不能为空";
// The system refuses a long name without a text of its own; this one follows the code's.
inline constexpr const char* kNameTooLong = "平行记帐规则规则名称最大长度为80个字符";
inline constexpr const char* kNameSpecial = "平行记帐规则规则名称不能包含特殊字符";
inline constexpr const char* kCodeExists = "平行记帐规则规则编码已经存在，请修改";
inline constexpr const char* kFinanceDebitEmpty = "财务信息借方科目为空";
inline constexpr const char* kFinanceCreditEmpty = "财务信息贷方科目为空";
inline constexpr const char* kBudgetDebitEmpty = "预算信息借方科目为空";
inline constexpr const char* kBudgetCreditEmpty = "预算信息贷方科目为空";
// "本凭证已出现　" + n + " 次，是否学习并保存模板"
inline constexpr const char* kLearnHead = "本凭证已出现　";
inline constexpr const char* kLearnTail = " 次，是否学习并保存模板";
// "平行记帐模板规则编码“" + code + "”已经存在，自动学习失败"
inline constexpr const char* kLearnCodeHead = "平行记帐模板规则编码“";
inline constexpr const char* kLearnCodeTail = "”已经存在，自动学习失败";
// A template row whose budget account was deleted (our text): + code + "”".
inline constexpr const char* kTemplateAccountGone = "平行记账模板的预算科目已不存在：“";
inline constexpr const char* kSourceManual = "手工增加";
inline constexpr const char* kSourceLearned = "学习生成";

// Origins of generated amounts.
inline constexpr const char* kOriginBalance = "平衡行";
inline constexpr const char* kOriginFund = "资金结存取自现金类科目";

}  // namespace lumvoucher::dualbasis::texts
