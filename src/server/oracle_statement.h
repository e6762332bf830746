#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;

namespace lumvoucher::server {

// What one Oracle text gave: the rows of its last query (NULL as nullopt), and the rows its
// INSERT, UPDATE and DELETE statements changed.
struct OracleResult {
  bool is_query = false;
  std::vector<std::string> columns;
  std::vector<std::vector<std::optional<std::string>>> rows;
  std::int64_t changes = 0;
};

// Runs Oracle text on a PostgreSQL connection: translated by the dialect, literals bound as
// parameters (or all written in), a Begin ... End; block as one transaction (a savepoint inside
// an open one). Numbers come back as the embedded database writes them (12.00 as 12). Throws
// host::DatabaseError with the dialect's or the server's message.
OracleResult RunOracle(pg_conn* conn, std::string_view oracle_sql, bool inline_literals = false);

}  // namespace lumvoucher::server
