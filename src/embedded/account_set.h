#pragma once

#include <string>
#include <vector>

namespace lumvoucher::host {
class DataAccess;
}

namespace lumvoucher::embedded {

class SqliteDataAccess;

// Whether the file already holds an account set (its schema has been created).
bool HoldsAccountSet(SqliteDataAccess& data);

// Creates the schema in an empty file, in one transaction. Throws host::DatabaseError naming the
// schema file that failed; nothing is left half-created.
void CreateSchema(SqliteDataAccess& data);

// The demo account sets a new file gets: "星河医疗集团" (accounting-system code "1") alone, or
// with the dual-basis set "青山县人民医院" (code "16"; the demo files named "*_dual_*").
// kShowcase is kAll plus the vouchers other modules generated with their source documents: the
// desktop's demo shows them, while tests that count the demo vouchers keep to kAll.
enum class DemoSets { kAll, kSingleBasisOnly, kShowcase };

// Creates the schema and the demo account sets, in one transaction.
void CreateAccountSet(SqliteDataAccess& data, DemoSets sets = DemoSets::kAll);

// One line per table of the demo account set's master data ("Account 42", ...), for the
// console summary.
std::vector<std::string> AccountSetSummary(host::DataAccess& data);

}  // namespace lumvoucher::embedded
