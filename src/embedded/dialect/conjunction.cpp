#include "embedded/dialect/conjunction.h"

#include <climits>
#include <utility>

#include "embedded/dialect/chain.h"
#include "embedded/dialect/nesting.h"

namespace lumvoucher::dialect {

namespace {

void Split(ExprPtr expr, std::vector<ExprPtr>& terms, int depth) {
  if (!expr) return;
  if (expr->kind == ExprKind::kBinary && expr->op == "AND") {
    CheckWalkDepth(depth, expr->offset);
    Split(std::move(expr->args[0]), terms, depth + 1);
    Split(std::move(expr->args[1]), terms, depth + 1);
    return;
  }
  terms.push_back(std::move(expr));
}

}  // namespace

void SplitAnd(ExprPtr expr, std::vector<ExprPtr>& terms) {
  Split(std::move(expr), terms, 0);
}

ExprPtr JoinAnd(std::vector<ExprPtr> terms) {
  if (terms.empty()) return nullptr;
  const std::vector<ChainOp> ops(terms.size() - 1, ChainOp{"AND", terms.front()->offset});
  return MakeChain(std::move(terms), ops, INT_MAX);
}

}  // namespace lumvoucher::dialect
