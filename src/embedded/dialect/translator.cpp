#include "embedded/dialect/translator.h"

#include <map>
#include <optional>
#include <string>

#include "embedded/dialect/emitter.h"
#include "embedded/dialect/parser.h"

namespace lumvoucher::dialect {

namespace {

// The host's column types, with the tables a block creates or drops before it uses them: the
// block is translated as a whole before its first statement runs.
class BlockColumns : public ColumnTypes {
 public:
  explicit BlockColumns(ColumnTypes* host) : host_(host) {}

  void After(const Statement& s) {
    if (s.kind == StatementKind::kDropTable) tables_[ToUpper(s.table)].reset();
    if (s.kind != StatementKind::kCreateTable) return;
    std::map<std::string, ValueType>& columns = tables_[ToUpper(s.table)].emplace();
    for (const ColumnDef& c : s.column_defs) columns[ToUpper(c.name)] = TypeOfDeclared(c.type);
  }

  std::optional<ValueType> Find(std::string_view table, std::string_view column) override {
    auto found = tables_.find(ToUpper(table));
    if (found == tables_.end()) {
      if (!host_) return std::nullopt;
      used_ = true;
      return host_->Find(table, column);
    }
    if (!found->second) return std::nullopt;  // dropped
    auto type = found->second->find(ToUpper(column));
    if (type == found->second->end()) return std::nullopt;
    return type->second;
  }

  bool UsedHost() const { return used_; }

 private:
  ColumnTypes* host_;
  // Upper-case names; an empty optional for a table the block drops.
  std::map<std::string, std::optional<std::map<std::string, ValueType>>> tables_;
  bool used_ = false;
};

}  // namespace

Translation Translate(const Lexed& lexed, bool inline_literals, ColumnTypes* columns,
                      Target target) {
  Script script = Parse(lexed);
  Translation translation;
  translation.is_block = script.is_block;
  BlockColumns block_columns(columns);
  for (Statement& statement : script.statements) {
    EmittedStatement emitted =
        Emit(statement, lexed, inline_literals, translation.kept_literals, &block_columns, target);
    translation.statements.push_back({std::move(emitted.sql), std::move(emitted.params),
                                      emitted.changes_rows, emitted.is_update,
                                      std::move(emitted.update)});
    translation.changes_columns |= statement.kind == StatementKind::kCreateTable ||
                                   statement.kind == StatementKind::kDropTable;
    block_columns.After(statement);
  }
  translation.uses_column_types = block_columns.UsedHost();
  return translation;
}

Translation Translate(std::string_view oracle_sql, bool inline_literals, ColumnTypes* columns,
                      Target target) {
  return Translate(Tokenize(oracle_sql), inline_literals, columns, target);
}

std::string TranslateForDisplay(std::string_view oracle_sql, ColumnTypes* columns, Target target) {
  Translation translation = Translate(oracle_sql, true, columns, target);
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
