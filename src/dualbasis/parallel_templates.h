#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dualbasis/parallel_lines.h"

// Applying parallel-accounting templates ("根据模板平行记账"): which templates fit a financial
// voucher, and the budget lines the chosen one produces. Database failures throw
// host::DatabaseError; ApplyTemplate catches them at its boundary.
namespace lumvoucher::dualbasis {

// A financial key: an account code and side (1 debit, -1 credit) of a line with an amount.
struct VoucherKey {
  std::string code;
  int direction = kDebitSide;
  bool operator==(const VoucherKey&) const = default;
};
// The distinct keys of the lines, in line order.
std::vector<VoucherKey> VoucherKeys(const std::vector<FinanceLine>& lines);

// Template ids that fit the keys exactly, and those that cover them with rows to spare.
struct TemplateMatch {
  std::vector<long> exact;
  std::vector<long> superset;
};
// Active templates of the organisation, read in one candidate query (and one row count).
TemplateMatch MatchTemplates(const std::vector<VoucherKey>& keys);

// The row count per template id of a template side ("stdvoucherfinance", "stdvoucherBudget").
std::map<long, long> TemplateRowCounts(std::string_view table, const std::vector<std::string>& ids);

// The exact list, else the superset list; one id is taken, more open frmSelectStdVoucherTmp.
// 0 when nothing fits or the chooser was cancelled.
long ChooseTemplate(const TemplateMatch& match);

// The budget lines of a template for the financial lines: amounts by the template's rules,
// then the balancing line, then the fund-balance line, then the budget accounts' properties.
// Empty (after a message) when a budget account of the template is gone from the chart.
std::vector<BudgetLine> GenerateBudgetLines(long template_id,
                                            const std::vector<FinanceLine>& lines);

// Re-reads code, name and properties of each line's budget account: the organisation's
// BudgetAccountEx row over the shared BudgetAccount one.
void ReadBudgetAccountFlags(std::vector<BudgetLine>& lines);

// The whole command: match, choose, generate. nullopt leaves the budget grid unchanged (no
// template fits, the chooser was cancelled, or a failure already shown to the user).
std::optional<std::vector<BudgetLine>> ApplyTemplate(const std::vector<FinanceLine>& lines);

}  // namespace lumvoucher::dualbasis
