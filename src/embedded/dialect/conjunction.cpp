#include "embedded/dialect/conjunction.h"

#include <utility>

namespace lumvoucher::dialect {

void SplitAnd(ExprPtr expr, std::vector<ExprPtr>& terms) {
  if (!expr) return;
  if (expr->kind == ExprKind::kBinary && expr->op == "AND") {
    SplitAnd(std::move(expr->args[0]), terms);
    SplitAnd(std::move(expr->args[1]), terms);
    return;
  }
  terms.push_back(std::move(expr));
}

ExprPtr JoinAnd(std::vector<ExprPtr> terms) {
  ExprPtr result;
  for (auto& term : terms) {
    if (!result) {
      result = std::move(term);
      continue;
    }
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::kBinary;
    e->op = "AND";
    e->offset = result->offset;
    e->args.push_back(std::move(result));
    e->args.push_back(std::move(term));
    result = std::move(e);
  }
  return result;
}

}  // namespace lumvoucher::dialect
