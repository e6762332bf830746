#pragma once

#include "embedded/dialect/ast.h"

namespace lumvoucher::dialect {

// Turns the (+) marks of one query level into a join chain (Select::chain): the WHERE is split
// into its top-level AND terms; the terms with marks name one optional table and become its
// ON; the tables are ordered so that an optional table follows every table its ON refers to.
// Terms without marks stay in WHERE. Marks are cleared from the terms it moves, so any mark
// left in the tree afterwards stands where Oracle does not allow one. Sub-queries are left to
// their own call. Throws TranslateError with Oracle's message for the forms Oracle refuses.
void ResolveOuterJoins(Select& select);

}  // namespace lumvoucher::dialect
