#pragma once

#include <string>
#include <vector>

#include "voucher/voucher_model.h"

namespace lumvoucher::voucher {

// The right to save a voucher that exceeds a budget ("超预算填制凭证").
inline constexpr long kExceedBudgetRight = 1861;

// The comprehensive-budget check of a financial voucher being saved (the account-set option
// "使用全面预算报警" in "预算报警选项", while the window's budget alarm is on).
//
// A line feeds every budget target with a detail it matches: the detail's account, department
// and classes are the line's or above them (code followed by "-"), its unit and employee the
// line's own, its flexible field the field of the line's flexible id or one above it.
// For each budget of such a target with local-currency amounts in the voucher's year, the
// voucher overruns it when its effect on the budget's measure (debit, credit or net, by
// bytBudgetType) is positive and, added to what is booked so far in the period (quarter),
// unposted vouchers included, exceeds the period's budget of the voucher's organisation; a
// stored voucher's effect is that of its new lines less its stored ones (booked already). A
// period without budget amounts is not checked. Overrunning a budget that controls absolutely
// refuses the save; overrunning any other refuses it for an operator without
// kExceedBudgetRight. Answers the refusal, or "" when the voucher may be saved. Database errors
// propagate.
std::string ComprehensiveBudgetRefusal(const VoucherHeader& header,
                                       const std::vector<const VoucherLine*>& lines);

// The outlay-budget reminder of a financial voucher being saved (the option above off): the
// expense shares this save writes (the cost card's rows a line holds unsaved; shares saved
// before are in the budgets' execution already) are summed per outlay item and department and
// checked against the approved outlay budgets of the voucher's year and organisation (the
// period's row under a period scheme) whose active, non-hospital scheme reminds: a row names
// the item and the department (or one above it) directly or through custom groups, or, under a
// scheme with responsible departments, the department responsible for the item as spent by the
// voucher's department. A budget whose execution with this voucher exceeds it gives an overrun
// entry, one that reaches the scheme's rate an alarm entry; at most 3 of each kind are listed,
// then "……". Answers the entries, one a line, or "" for none. Database errors propagate.
std::string OutlayBudgetWarning(const VoucherHeader& header,
                                const std::vector<const VoucherLine*>& lines);

}  // namespace lumvoucher::voucher
