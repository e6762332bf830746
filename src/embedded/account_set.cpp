#include "embedded/account_set.h"

#include <sqlite3.h>

#include "embedded/embedded_file.h"
#include "embedded/sqlite_data_access.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

namespace {

void ApplyFiles(SqliteDataAccess& data, const std::vector<EmbeddedFile>& files,
                DemoSets sets = DemoSets::kAll) {
  for (const EmbeddedFile& file : files) {
    if (sets == DemoSets::kSingleBasisOnly && file.name.find("_dual_") != std::string::npos) {
      continue;
    }
    if (sets != DemoSets::kShowcase && file.name.find("_showcase_") != std::string::npos) {
      continue;
    }
    try {
      data.ExecuteScript(file.text);
    } catch (const host::DatabaseError& error) {
      throw host::DatabaseError(file.name + ": " + error.what());
    }
  }
}

void CreateInTransaction(SqliteDataAccess& data, bool with_demo, DemoSets sets) {
  host::TransactionGuard guard(data);
  ApplyFiles(data, SchemaFiles());
  if (with_demo) ApplyFiles(data, DemoFiles(), sets);
  guard.Commit();
}

}  // namespace

bool HoldsAccountSet(SqliteDataAccess& data) {
  // Asked of SQLite itself: the catalogue is the embedded host's business, not Oracle text.
  sqlite3_stmt* stmt = nullptr;
  bool found = false;
  if (sqlite3_prepare_v2(data.Handle(),
                         "SELECT 1 FROM sqlite_master WHERE type = 'table' AND "
                         "name = 'Voucher' COLLATE NOCASE",
                         -1, &stmt, nullptr) == SQLITE_OK) {
    found = sqlite3_step(stmt) == SQLITE_ROW;
  }
  sqlite3_finalize(stmt);
  return found;
}

void CreateSchema(SqliteDataAccess& data) {
  CreateInTransaction(data, false, DemoSets::kAll);
}

void CreateAccountSet(SqliteDataAccess& data, DemoSets sets) {
  CreateInTransaction(data, true, sets);
}

std::vector<std::string> AccountSetSummary(host::DataAccess& data) {
  std::vector<std::string> lines;
  for (const char* table :
       {"Organization", "Operator", "Account", "VoucherType", "Currencys", "Department", "Customer",
        "Employee", "AccountPeriod", "Voucher", "VoucherDetail"}) {
    host::Recordset rs = data.OpenRecordset(std::string("Select Count(*) As n From ") + table);
    lines.push_back(std::string(table) + " " + rs["n"].AsText());
  }
  return lines;
}

}  // namespace lumvoucher::embedded
