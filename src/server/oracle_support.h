#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "embedded/dialect/column_types.h"

struct pg_conn;

namespace lumvoucher::server {

// Creates the functions the dialect's PostgreSQL text calls (postgres_functions.sql) on an
// empty database. Throws host::DatabaseError with the server's message.
void InstallOracleSupport(pg_conn* conn);

// The declared column types of the connection's current schema, read from the catalogue once per
// table, for Oracle's implicit conversions: numeric of scale 0 (NUMBER(n)) is an integer.
class CatalogColumnTypes : public dialect::ColumnTypes {
 public:
  explicit CatalogColumnTypes(pg_conn* conn) : conn_(conn) {}
  std::optional<dialect::ValueType> Find(std::string_view table, std::string_view column) override;
  // After a schema change.
  void Forget() { tables_.clear(); }

 private:
  pg_conn* conn_;
  std::map<std::string, std::map<std::string, dialect::ValueType>> tables_;  // lower-case names
};

}  // namespace lumvoucher::server
