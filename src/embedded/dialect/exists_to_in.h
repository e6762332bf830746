#pragma once

#include "embedded/dialect/ast.h"

namespace lumvoucher::dialect {

// Rewrites `EXISTS (SELECT .. FROM t .. WHERE rest AND t.c = outer.x)` into
// `outer.x IN (SELECT t.c FROM t .. WHERE rest)` wherever it is a top-level AND term of a
// WHERE, on every query level. SQLite runs a correlated EXISTS once per outer row, but an IN
// whose sub-query no longer names the outer row once per statement, and can drive an index on
// outer.x. The two differ only where EXISTS is false and IN is NULL; a WHERE term rejects the
// row on both, so NOT EXISTS, and EXISTS under OR, NOT or in a select list, stay as written.
void RewriteCorrelatedExists(Statement& statement);

}  // namespace lumvoucher::dialect
