#pragma once

struct sqlite3;

namespace lumvoucher::embedded {

// The functions the dialect's SQLite text calls (names ora_*): Oracle's formatting and
// arithmetic. Pure, so registered deterministic and innocuous.
void RegisterOracleFunctions(sqlite3* db);

// Functions that read or write tables: sequences (lv_nextval, lv_currval over the table
// lumvoucher_sequence) and the schema functions flexId2codeorname and ContainFlexibleid.
// Registered SQLITE_DIRECTONLY and never deterministic. They keep prepared statements, which
// ReleaseSchemaStatements finalizes; a connection with live statements does not close.
void RegisterSchemaFunctions(sqlite3* db);
void ReleaseSchemaStatements(sqlite3* db);

}  // namespace lumvoucher::embedded
