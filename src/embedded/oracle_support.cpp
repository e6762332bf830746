#include "embedded/oracle_support.h"

#include <sqlite3.h>

#include <string>

#include "embedded/oracle_functions.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

namespace {

void Exec(sqlite3* db, const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    throw host::DatabaseError(message);
  }
}

}  // namespace

void InstallOracleSupport(sqlite3* db) {
  // Oracle's LIKE tells case apart; this pragma also lets LIKE 'abc%' use an index.
  Exec(db, "PRAGMA case_sensitive_like = ON");
  // A double-quoted name is always a name, never a string that did not match a column.
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  RegisterOracleFunctions(db);
  RegisterSchemaFunctions(db);
  Exec(db,
       "CREATE TABLE IF NOT EXISTS lumvoucher_sequence ("
       "name TEXT PRIMARY KEY, next_value INTEGER NOT NULL, increment_by INTEGER NOT NULL, "
       "min_value INTEGER NOT NULL, max_value INTEGER NOT NULL, cycle INTEGER NOT NULL "
       "DEFAULT 0)");
  // Oracle names unquoted tables in upper case; the component asks for them that way.
  Exec(db,
       "CREATE TEMP VIEW IF NOT EXISTS user_all_tables AS SELECT upper(name) AS table_name "
       "FROM main.sqlite_schema WHERE type = 'table'");
}

void ReleaseOracleSupport(sqlite3* db) {
  ReleaseSchemaStatements(db);
}

}  // namespace lumvoucher::embedded
