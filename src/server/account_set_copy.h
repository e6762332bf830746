#pragma once

#include <string>
#include <vector>

#include "embedded/account_set.h"

struct sqlite3;

namespace lumvoucher::server {

class PostgresDataAccess;

// Whether the database's current schema already holds an account set.
bool HoldsAccountSet(PostgresDataAccess& data);

// Moves an embedded account set to an empty PostgreSQL database, in one transaction: the
// dialect's functions, then the file's tables (every number column numeric, keys and unique
// indexes as deferrable constraints), indexes, views, triggers and sequences, and its rows.
// The id service's counters become one sequence per table. Throws host::DatabaseError naming
// what failed; nothing is left half-copied.
void CopyAccountSet(sqlite3* from, PostgresDataAccess& to);

// What differs between the file and the database: per table the row count and the total of
// every number column ("Voucher：行数 12 / 11"). Empty when they agree.
std::vector<std::string> CompareAccountSets(sqlite3* from, PostgresDataAccess& to);

// The schema and demo account sets on an empty database, made from the embedded host's own
// files (on an in-memory file) and copied, so both backends start from the same rows.
void CreateAccountSet(PostgresDataAccess& to, embedded::DemoSets sets = embedded::DemoSets::kAll);

}  // namespace lumvoucher::server
