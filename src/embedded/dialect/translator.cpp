#include "embedded/dialect/translator.h"

#include "embedded/dialect/parser.h"
#include "embedded/dialect/sqlite_emitter.h"

namespace lumvoucher::dialect {

Translation Translate(const Lexed& lexed, bool inline_literals) {
  Script script = Parse(lexed);
  Translation translation;
  translation.is_block = script.is_block;
  for (Statement& statement : script.statements) {
    EmittedStatement emitted =
        EmitSqlite(statement, lexed, inline_literals, translation.kept_literals);
    translation.statements.push_back({std::move(emitted.sql), std::move(emitted.params),
                                      emitted.changes_rows, emitted.is_update,
                                      std::move(emitted.update)});
  }
  return translation;
}

Translation Translate(std::string_view oracle_sql, bool inline_literals) {
  return Translate(Tokenize(oracle_sql), inline_literals);
}

std::string TranslateForDisplay(std::string_view oracle_sql) {
  Translation translation = Translate(oracle_sql, true);
  std::string out;
  for (const auto& statement : translation.statements) {
    if (!out.empty()) out += ";\n";
    out += statement.sql;
  }
  return out;
}

std::string DescribeError(const TranslateError& error, std::string_view oracle_sql) {
  return std::string(error.what()) + " at " + DescribePosition(oracle_sql, error.Offset());
}

}  // namespace lumvoucher::dialect
