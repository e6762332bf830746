#include "server/oracle_support.h"

#include <libpq-fe.h>

#include <cctype>
#include <memory>

#include "embedded/embedded_file.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {
// postgres_functions.sql, compiled in (src/server/CMakeLists.txt).
std::vector<EmbeddedFile> PostgresFunctionFiles();
}  // namespace lumvoucher::embedded

namespace lumvoucher::server {

namespace {

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

void InstallOracleSupport(pg_conn* conn) {
  for (const embedded::EmbeddedFile& file : embedded::PostgresFunctionFiles()) {
    Result r(PQexec(conn, file.text.c_str()), &PQclear);
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK) {
      throw host::DatabaseError(file.name + ": " + PQresultErrorMessage(r.get()));
    }
  }
}

std::optional<dialect::ValueType> CatalogColumnTypes::Find(std::string_view table,
                                                           std::string_view column) {
  const std::string key = Lower(table);
  auto found = tables_.find(key);
  if (found == tables_.end()) {
    found = tables_.emplace(key, std::map<std::string, dialect::ValueType>()).first;
    const char* values[] = {key.c_str()};
    // The catalogue itself: information_schema.columns costs tens of milliseconds a table.
    Result r(PQexecParams(conn_,
                          "SELECT a.attname, t.typname, CASE WHEN t.typname = 'numeric' AND "
                          "a.atttypmod >= 4 THEN (a.atttypmod - 4) & 65535 END FROM pg_attribute "
                          "a JOIN pg_class c ON c.oid = a.attrelid JOIN pg_type t ON t.oid = "
                          "a.atttypid WHERE c.relname = $1 AND c.relnamespace = "
                          "current_schema()::regnamespace AND a.attnum > 0 AND NOT a.attisdropped",
                          1, nullptr, values, nullptr, nullptr, 0),
             &PQclear);
    if (PQresultStatus(r.get()) != PGRES_TUPLES_OK) {
      throw host::DatabaseError(PQresultErrorMessage(r.get()));
    }
    for (int row = 0; row < PQntuples(r.get()); ++row) {
      const std::string type = PQgetvalue(r.get(), row, 1);
      dialect::ValueType value = dialect::ValueType::kUnknown;
      if (type == "text" || type == "varchar" || type == "bpchar") {
        value = dialect::ValueType::kText;
      } else if (type == "numeric" && std::string(PQgetvalue(r.get(), row, 2)) == "0") {
        value = dialect::ValueType::kInteger;
      } else if (type == "numeric" || type == "float8" || type == "float4") {
        value = dialect::ValueType::kNumber;
      }
      found->second[PQgetvalue(r.get(), row, 0)] = value;
    }
  }
  auto type = found->second.find(Lower(column));
  if (type == found->second.end()) return std::nullopt;
  return type->second;
}

}  // namespace lumvoucher::server
