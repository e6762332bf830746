#pragma once

#include <vector>

#include "dualbasis/parallel_lines.h"
#include "voucher/voucher_model.h"

// The pair window's grids as the parallel-accounting rules read them, and the budget lines
// they produce as grid lines of the budget editor.
namespace lumvoucher::dualbasis {

// The lines of a grid that carry an account, in grid order.
std::vector<FinanceLine> FinanceLinesOf(const std::vector<voucher::VoucherLine>& grid);
std::vector<BudgetLine> BudgetLinesOf(const std::vector<voucher::VoucherLine>& grid);

// A budget line as the budget editor shows it: account, currency and item texts read from the
// budget chart. Throws host::DatabaseError.
voucher::VoucherLine GridLineOf(const BudgetLine& line);

}  // namespace lumvoucher::dualbasis
