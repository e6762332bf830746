#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dualbasis/parallel_lines.h"

// The create-budget-voucher box: budget lines copied line by line from the financial voucher
// under the budget account the host's business service answers for each line's account.
namespace lumvoucher::dualbasis {

// One budget line per financial line with an amount whose account takes part: its remark,
// side, amount and currency amount, and the auxiliary items the budget account asks for.
// Throws host::DatabaseError.
std::vector<BudgetLine> DeriveBudgetLines(const std::vector<FinanceLine>& lines);

// What the financial lines were when budget lines were derived from them; the pair keeps it
// beside the budget lines to know whether the financial voucher changed since.
std::string DerivationStamp(const std::vector<FinanceLine>& lines);

// Ticking the box: the prohibit check (its red refusal), then the derivation. nullopt when
// refused or on a failure already shown; the budget grid then stays as it was.
std::optional<std::vector<BudgetLine>> CreateBudgetVoucher(const std::vector<FinanceLine>& lines);

// Saving with the box ticked: the prohibit check again, then, when the financial lines no
// longer match `stamp`, a fresh derivation (the stamp follows). nullopt stops the save;
// otherwise the budget lines to save (`budget` itself when nothing changed).
std::optional<std::vector<BudgetLine>> BudgetLinesForSave(const std::vector<FinanceLine>& lines,
                                                          const std::vector<BudgetLine>& budget,
                                                          std::string& stamp);

}  // namespace lumvoucher::dualbasis
