#include "dialect/sql_runner.h"

#include <sqlite3.h>

#include "host/database_error.h"

namespace lumvoucher::dialect_test {

namespace {

// The text of the current row's fields as sqlite3_column_text gives them.
std::vector<std::string> RowText(sqlite3_stmt* stmt) {
  std::vector<std::string> row;
  for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
    row.emplace_back(
        text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))) : "NULL");
  }
  return row;
}

}  // namespace

Outcome RunOracle(embedded::SqliteDataAccess& db, std::string_view oracle_sql, bool rows) {
  Outcome out;
  if (!rows) {
    out.changes = db.Execute(oracle_sql);
    return out;
  }
  host::Recordset rs = db.OpenRecordset(oracle_sql);
  out.is_query = rs.FieldCount() > 0;
  for (std::size_t i = 0; i < rs.FieldCount(); ++i) out.columns.push_back(rs.FieldName(i));
  if (rs.Empty()) return out;
  // SQLite's own text of each value: a double as it writes it ("1.0"), not the shortest form.
  sqlite3_stmt* text = nullptr;
  sqlite3_prepare_v2(db.Handle(), "SELECT CAST(?1 AS TEXT)", -1, &text, nullptr);
  for (const host::Recordset::Row& row : rs.Rows()) {
    auto& fields = out.rows.emplace_back();
    for (const host::Value& value : row) {
      if (!value.IsDouble()) {
        fields.push_back(value.IsNull() ? "NULL" : value.AsText());
        continue;
      }
      sqlite3_bind_double(text, 1, value.AsDouble());
      sqlite3_step(text);
      fields.push_back(RowText(text).front());
      sqlite3_reset(text);
    }
  }
  sqlite3_finalize(text);
  return out;
}

Outcome RunSqlite(embedded::SqliteDataAccess& db, std::string_view sqlite_sql) {
  Outcome out;
  const std::string sql(sqlite_sql);
  const char* tail = sql.c_str();
  while (*tail) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db.Handle(), tail, -1, &stmt, &tail) != SQLITE_OK) {
      throw host::DatabaseError(sqlite3_errmsg(db.Handle()));
    }
    if (!stmt) break;
    out = Outcome{sqlite3_column_count(stmt) > 0, {}, {}, 0};
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      out.columns.emplace_back(sqlite3_column_name(stmt, i));
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) out.rows.push_back(RowText(stmt));
    const std::string message = sqlite3_errmsg(db.Handle());
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) throw host::DatabaseError(message);
  }
  return out;
}

std::string Dump(const Outcome& outcome) {
  std::string text;
  auto line = [&](const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) text += (i > 0 ? "|" : "") + fields[i];
    text += '\n';
  };
  line(outcome.columns);
  for (const auto& row : outcome.rows) line(row);
  return text;
}

}  // namespace lumvoucher::dialect_test
