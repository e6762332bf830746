#pragma once

#include <string>
#include <vector>

#include "embedded/dialect/ast.h"
#include "embedded/dialect/column_types.h"
#include "embedded/dialect/tokenizer.h"

namespace lumvoucher::dialect {

// The database the Oracle text is written for.
enum class Target { kSqlite, kPostgres };

// The parts of an emitted UPDATE, as target text using the statement's own parameter numbers,
// so that the statement can be rerun in another form with the same bindings.
struct UpdateParts {
  std::string table;  // target as emitted
  std::string alias;  // as emitted; empty when none
  std::vector<std::string> columns;
  std::vector<std::string> values;  // per column, read against the old row
  std::string where;                // empty when none
};

// One target statement. Parameter ?N (SQLite) or $N (PostgreSQL) is bound to literal params[N-1] of
// the Oracle text.
struct EmittedStatement {
  std::string sql;
  std::vector<int> params;
  bool changes_rows = false;  // INSERT, UPDATE or DELETE of the text (not DDL)
  bool is_update = false;
  UpdateParts update;  // when is_update
};

// Writes SQLite or PostgreSQL SQL with Oracle's meaning. PostgreSQL text relies on the functions
// of postgres_functions.sql and on Target::kPostgres column types (every number numeric). Literals
// become parameters except where they must stay in the text: select lists (they name result
// columns), ORDER BY and GROUP BY (a number there is a position), format models, LIKE patterns (a
// bound pattern defeats the LIKE optimisation) and DDL. `inline_literals` writes every literal into
// the text (for display). Literals left in the text are appended to `kept`, so that a cache can key
// on them. `columns` (may be null) gives the declared column types, for Oracle's implicit
// conversions between text and numbers. Runs the outer-join pass on every query level. Throws
// TranslateError.
EmittedStatement Emit(Statement& statement, const Lexed& lexed, bool inline_literals,
                      std::vector<int>& kept, ColumnTypes* columns = nullptr,
                      Target target = Target::kSqlite);

}  // namespace lumvoucher::dialect
