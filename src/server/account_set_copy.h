#pragma once

#include <memory>
#include <string>
#include <vector>

#include "embedded/account_set.h"
#include "host/data_access.h"

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

// The server's own tables beside the account set's, made when missing (an account set copied
// by an earlier version gets them when it is next opened): VoucherNumberGuard, which refuses
// every row with the check constraint VOUCHER_NUMBER_TAKEN, so that a save's number check
// can fail its transaction as late as the commit.
void AddServerTables(PostgresDataAccess& data);

// Moves the fund system's tables and rows from its file (the one beside the account set's) to
// the database, in one transaction; a database that has them already is left as it is.
void CopyFundSystem(sqlite3* from, PostgresDataAccess& to);

// A connection of the fund system on the account set's database, its tables made (with the
// demo requests) when the database has none yet.
std::unique_ptr<host::DataAccess> OpenFundDatabase(const std::string& conninfo);

// What differs between the file and the database: per table the row count and the total of
// every number column ("Voucher：行数 12 / 11"). Empty when they agree.
std::vector<std::string> CompareAccountSets(sqlite3* from, PostgresDataAccess& to);

// The schema and demo account sets on an empty database, made from the embedded host's own
// files (on an in-memory file) and copied, so both backends start from the same rows.
void CreateAccountSet(PostgresDataAccess& to, embedded::DemoSets sets = embedded::DemoSets::kAll);

}  // namespace lumvoucher::server
