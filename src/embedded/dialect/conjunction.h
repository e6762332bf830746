#pragma once

#include <vector>

#include "embedded/dialect/ast.h"

namespace lumvoucher::dialect {

// A WHERE clause as its top-level AND terms, and back. The passes that move terms between
// WHERE and ON (outer joins) or out of a sub-query (EXISTS as IN) work on the terms.
void SplitAnd(ExprPtr expr, std::vector<ExprPtr>& terms);
// Null when there are no terms.
ExprPtr JoinAnd(std::vector<ExprPtr> terms);

}  // namespace lumvoucher::dialect
