#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/sqlite_data_access.h"

namespace lumvoucher::dialect_test {

// What one statement gave: the rows of a query as text (NULL as "NULL", numbers as SQLite
// writes them), or the rows changed by any other statement.
struct Outcome {
  bool is_query = false;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  std::int64_t changes = 0;
};

// Oracle text through the embedded data access: the rows when `rows` is asked, else the count.
// Throws host::DatabaseError.
Outcome RunOracle(embedded::SqliteDataAccess& db, std::string_view oracle_sql, bool rows = true);
// SQLite text as it stands on the same connection (no translation, no cache).
Outcome RunSqlite(embedded::SqliteDataAccess& db, std::string_view sqlite_sql);

// "a|b" lines: the header, then one line per row.
std::string Dump(const Outcome& outcome);

}  // namespace lumvoucher::dialect_test
