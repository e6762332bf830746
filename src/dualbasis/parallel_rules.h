#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dualbasis/parallel_lines.h"

// The obligation rules of parallel accounting: whether a financial voucher must, or must not,
// have a budget voucher. Every check reads the rule tables through the login state's data
// access and throws host::DatabaseError on a database failure.
namespace lumvoucher::dualbasis {

// The voucher's accounts per side, as SQL conditions on a rule account `a` (true when `a` is
// the line's account or an ancestor) and as quoted code lists.
struct FinaceAccountCond {
  std::string debit_cond;
  std::string credit_cond;
  std::string debit_codes;  // "'5101-01','2201'"
  std::string credit_codes;
};

// Built from the lines with an amount, each (code, side) once, in line order.
FinaceAccountCond GetFinaceAccountCond(const std::vector<FinanceLine>& lines);

// A rule of the type has a debit account covering a debit line and a credit account covering
// a credit line. Prohibit: bytruletype 1; must: 0.
bool CheckProhibitRule(const FinaceAccountCond& cond);
bool CheckMustPosRule(const FinaceAccountCond& cond);
// An account of the voucher (exact code) is flagged bytmustbudgetvoucher.
bool CheckMustAccount(const FinaceAccountCond& cond);

// The questions the financial editor's validation asks while it belongs to a pair. True when
// the save may go on. `budget_has_lines`: the budget grid holds lines; `asks_for_budget`: the
// pair window's switch that asks for budget vouchers.
bool ConfirmFinanceObligations(const std::vector<FinanceLine>& lines, bool budget_has_lines,
                               bool asks_for_budget);
// The budget editor's validation: the prohibit question over the financial lines. True when
// the save may go on.
bool ConfirmBudgetObligations(const std::vector<FinanceLine>& finance_lines);
// Before the create-budget-voucher box derives lines: false (after the red refusal) when a
// prohibit rule matches.
bool MayCreateBudgetVoucher(const std::vector<FinanceLine>& lines);

}  // namespace lumvoucher::dualbasis
