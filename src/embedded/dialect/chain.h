#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "embedded/dialect/ast.h"

namespace lumvoucher::dialect {

// An operator between two operands of a chain, and where it stands in the text.
struct ChainOp {
  std::string op;
  std::size_t offset = 0;
};

// `operands[0] ops[0] operands[1] ops[1] ...` of one precedence level, evaluated left to right,
// as binary nodes with their heights set. A short chain stays left-deep, as written. A longer
// one whose operators allow regrouping (all AND, all OR, all ||, all *, or + and - mixed) becomes
// a balanced tree, so that a flat chain of thousands of terms stays a few levels deep for the
// walks over the tree and for SQLite's own depth limit; any other chain nests one level per
// operator. Throws TranslateError at the operator whose node would be taller than `max_height`.
ExprPtr MakeChain(std::vector<ExprPtr> operands, const std::vector<ChainOp>& ops, int max_height);

}  // namespace lumvoucher::dialect
