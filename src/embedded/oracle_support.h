#pragma once

struct sqlite3;

namespace lumvoucher::embedded {

// Makes one SQLite connection answer the Oracle the component speaks: the registered functions
// (To_Date, to_char, LPAD, trunc, Lengthb, sequences, flexId2codeorname, ContainFlexibleid, ...),
// the sequences table, the user_all_tables view and case-sensitive LIKE.
// Called once per connection, before the first statement.
void InstallOracleSupport(sqlite3* db);

// Finalizes the statements the registered functions keep; call before closing the connection
// (the StatementCache destructor does). The functions prepare them again if used afterwards.
void ReleaseOracleSupport(sqlite3* db);

}  // namespace lumvoucher::embedded
