#pragma once

#include <string>
#include <vector>

namespace lumvoucher::embedded {

class SqliteDataAccess;

// Whether the file already holds an account set (its schema has been created).
bool HoldsAccountSet(SqliteDataAccess& data);

// Creates the schema in an empty file, in one transaction. Throws host::DatabaseError naming the
// schema file that failed; nothing is left half-created.
void CreateSchema(SqliteDataAccess& data);

// Creates the schema and the demo account set, in one transaction.
void CreateAccountSet(SqliteDataAccess& data);

// One line per table of the demo account set's master data ("Account 42", ...), for the
// console summary.
std::vector<std::string> AccountSetSummary(SqliteDataAccess& data);

}  // namespace lumvoucher::embedded
