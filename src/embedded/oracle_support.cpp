#include "embedded/oracle_support.h"

#include <sqlite3.h>

namespace lumvoucher::embedded {

void InstallOracleSupport(sqlite3* db) {
  sqlite3_exec(db, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, nullptr);
}

}  // namespace lumvoucher::embedded
