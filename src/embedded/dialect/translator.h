#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "embedded/dialect/column_types.h"
#include "embedded/dialect/emitter.h"
#include "embedded/dialect/tokenizer.h"
#include "embedded/dialect/translate_error.h"

namespace lumvoucher::dialect {

// One SQLite statement; parameter ?N takes the value of literal params[N-1] of the text.
struct TranslatedStatement {
  std::string sql;
  std::vector<int> params;
  bool changes_rows = false;  // its changes count as the text's rows changed
  // An UPDATE's pieces, for rerunning it with its unique keys checked at the statement's end.
  bool is_update = false;
  UpdateParts update;
};

struct Translation {
  std::vector<TranslatedStatement> statements;
  bool is_block = false;  // Begin ... End;: run the statements inside one savepoint
  // Literals written into the SQLite text (ordinals into Lexed::literals). Which literals stay
  // depends only on the statement's skeleton, never on their values.
  std::vector<int> kept_literals;
  // The text depends on declared column types: a schema change may change it.
  bool uses_column_types = false;
  // A CREATE or DROP TABLE: once it has run, the column types other texts were translated
  // with may be wrong.
  bool changes_columns = false;
};

// Oracle SQL text -> SQLite (or PostgreSQL) SQL with Oracle's meaning. `columns` (may be null)
// gives the declared column types, for Oracle's implicit conversions between text and numbers; a
// block sees the tables it creates itself. Throws TranslateError naming the construct and carrying
// its offset.
Translation Translate(const Lexed& lexed, bool inline_literals = false,
                      ColumnTypes* columns = nullptr, Target target = Target::kSqlite);
Translation Translate(std::string_view oracle_sql, bool inline_literals = false,
                      ColumnTypes* columns = nullptr, Target target = Target::kSqlite);

// The SQLite text with every literal written in, statements separated by ";\n". For people
// (lumvoucher-sql --translate), not for running with parameters.
std::string TranslateForDisplay(std::string_view oracle_sql, ColumnTypes* columns = nullptr,
                                Target target = Target::kSqlite);

// "message at line L, column C" for an error raised on `oracle_sql`.
std::string DescribeError(const TranslateError& error, std::string_view oracle_sql);

}  // namespace lumvoucher::dialect
