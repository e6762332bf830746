#include "server/oracle_statement.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <memory>

#include "embedded/dialect/translator.h"
#include "host/database_error.h"
#include "server/oracle_support.h"
#include "server/server_error.h"

namespace lumvoucher::server {

namespace {

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

Result Exec(PGconn* conn, const std::string& sql, const std::vector<std::string>& params = {}) {
  std::vector<const char*> values;
  for (const std::string& p : params) values.push_back(p.c_str());
  Result r(PQexecParams(conn, sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(),
                        nullptr, nullptr, 0),
           &PQclear);
  const ExecStatusType status = PQresultStatus(r.get());
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) ThrowServerError(r.get());
  return r;
}

// numeric(12,2) gives 12.00 where the embedded database and Oracle give 12.
std::string NumberText(std::string value, Oid type) {
  constexpr Oid kNumeric = 1700;
  if (type == kNumeric && value.find('.') != std::string::npos) {
    value.erase(value.find_last_not_of('0') + 1);
    if (value.back() == '.') value.pop_back();
  }
  return value;
}

void ReadRows(const PGresult* r, OracleResult& result) {
  result.is_query = true;
  result.columns.clear();
  result.rows.clear();
  for (int c = 0; c < PQnfields(r); ++c) result.columns.push_back(PQfname(r, c));
  for (int row = 0; row < PQntuples(r); ++row) {
    auto& fields = result.rows.emplace_back();
    for (int c = 0; c < PQnfields(r); ++c) {
      if (PQgetisnull(r, row, c)) {
        fields.emplace_back();
      } else {
        fields.emplace_back(NumberText(PQgetvalue(r, row, c), PQftype(r, c)));
      }
    }
  }
}

}  // namespace

OracleResult RunOracle(pg_conn* conn, std::string_view oracle_sql, bool inline_literals) {
  CatalogColumnTypes columns(conn);
  dialect::Lexed lexed;
  dialect::Translation translation;
  try {
    lexed = dialect::Tokenize(oracle_sql);
    translation = dialect::Translate(lexed, inline_literals, &columns, dialect::Target::kPostgres);
  } catch (const dialect::TranslateError& error) {
    throw host::DatabaseError(dialect::DescribeError(error, oracle_sql));
  }
  const bool nested = PQtransactionStatus(conn) == PQTRANS_INTRANS;
  if (translation.is_block) Exec(conn, nested ? "SAVEPOINT lv_block" : "BEGIN");
  OracleResult result;
  try {
    for (const dialect::TranslatedStatement& statement : translation.statements) {
      std::vector<std::string> params;
      for (int literal : statement.params) {
        params.push_back(lexed.literals[static_cast<std::size_t>(literal)].text);
      }
      Result r = Exec(conn, statement.sql, params);
      if (statement.changes_rows) {
        result.changes += std::atoll(PQcmdTuples(r.get()));
      } else if (PQresultStatus(r.get()) == PGRES_TUPLES_OK) {
        ReadRows(r.get(), result);
      }
    }
    if (translation.is_block) Exec(conn, nested ? "RELEASE SAVEPOINT lv_block" : "COMMIT");
  } catch (const host::DatabaseError&) {
    if (translation.is_block) {
      PQclear(PQexec(conn, nested ? "ROLLBACK TO SAVEPOINT lv_block; RELEASE SAVEPOINT lv_block"
                                  : "ROLLBACK"));
    }
    throw;
  }
  return result;
}

}  // namespace lumvoucher::server
