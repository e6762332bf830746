// Feeds statements to the translator and, when they translate, to an in-memory database
// through the statement cache: every input must end in a result or a clean error.
// The first byte picks the mode: raw text, or a statement assembled from fragments of the
// component's SQL so that the fuzzer reaches the deeper rules quickly.
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "embedded/dialect/translator.h"
#include "embedded/oracle_support.h"
#include "embedded/statement_cache.h"
#include "host/database_error.h"

namespace {

const char* const kFragments[] = {
    "SELECT ",
    "a.x",
    "b.y",
    "(+)",
    " FROM ",
    "t a",
    ", t b",
    " WHERE ",
    " AND ",
    " OR ",
    "a.x = b.y(+)",
    "b.y(+) = 5",
    "DECODE(a.x, NULL, 1, 2)",
    "nvl(a.x, 0)",
    " || ",
    "'s'",
    "''",
    "To_Date('2024-01-02','rrrr-mm-dd')",
    "to_char(a.x,'000000')",
    "LPAD(a.x,6,'0')",
    "7/2",
    " ORDER BY 1",
    " UNION ",
    " MINUS ",
    "EXISTS (SELECT 1 FROM t c WHERE c.x = a.x(+))",
    "Begin ",
    "; ",
    "Commit; End;",
    "Update t v Set v.x = (v.x + 1)",
    "Update t v Set v.x = (v.x - 1), y = v.y || 'u'",
    "Create Table w (n NUMBER(10))",
    "Insert Into w Select x From t",
    "Delete t d",
    "s.nextval",
    " IN (1, 2)",
    " LIKE 'a%'",
    "substr(a.y, 0, 2)",
    "(",
    ")",
    ",",
    "count(*)",
};

struct Database {
  sqlite3* db = nullptr;
  lumvoucher::embedded::StatementCache* cache = nullptr;
  Database() {
    sqlite3_open(":memory:", &db);
    lumvoucher::embedded::InstallOracleSupport(db);
    sqlite3_exec(db,
                 "CREATE TABLE t (x INT, y TEXT); CREATE UNIQUE INDEX t_x ON t (x);"
                 "INSERT INTO t VALUES (1, 'a'), (2, NULL);"
                 "INSERT INTO lumvoucher_sequence VALUES ('S', 1, 1, 1, 1000000, 1)",
                 nullptr, nullptr, nullptr);
    // A progress handler ends any runaway statement (a huge cross join) instead of hanging.
    sqlite3_progress_handler(
        db, 10000, [](void*) { return 1; }, nullptr);
    cache = new lumvoucher::embedded::StatementCache(db, 16);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Database database;
  if (size == 0) return 0;
  std::string sql;
  if (data[0] % 2 == 0) {
    sql.assign(reinterpret_cast<const char*>(data + 1), size - 1);
  } else {
    constexpr std::size_t kCount = sizeof(kFragments) / sizeof(kFragments[0]);
    for (std::size_t i = 1; i < size; ++i) sql += kFragments[data[i] % kCount];
  }
  try {
    lumvoucher::dialect::TranslateForDisplay(sql);
  } catch (const lumvoucher::dialect::TranslateError&) {
    return 0;
  }
  try {
    auto prepared = database.cache->Prepare(sql);
    for (std::size_t n = 0; n < prepared.Size(); ++n) {
      sqlite3_stmt* stmt = prepared.Statement(n);
      int rc;
      while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      }
      sqlite3_reset(stmt);
      if (rc != SQLITE_DONE && sqlite3_extended_errcode(database.db) == SQLITE_CONSTRAINT_UNIQUE) {
        prepared.RerunWithKeysCheckedAtEnd(n);
      }
    }
  } catch (const lumvoucher::host::DatabaseError&) {
  }
  return 0;
}
