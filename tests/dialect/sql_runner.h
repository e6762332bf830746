#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace lumvoucher::dialect_test {

// What one statement gave: the rows of a query as text (NULL as "NULL", numbers as SQLite
// writes them), or the rows changed by any other statement.
struct Outcome {
  bool is_query = false;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  std::int64_t changes = 0;
};

// An in-memory database (or a file) with the Oracle support installed and a statement cache,
// stepping statements as the embedded data-access object does (a block inside a savepoint).
class SqlRunner {
 public:
  explicit SqlRunner(std::size_t cache_capacity = 64, const std::string& path = ":memory:");
  ~SqlRunner();
  SqlRunner(const SqlRunner&) = delete;
  SqlRunner& operator=(const SqlRunner&) = delete;

  // Oracle text through the translator and cache. Throws host::DatabaseError.
  Outcome Run(std::string_view oracle_sql);
  // SQLite text as it stands (no translation, no cache).
  Outcome RunSqlite(std::string_view sqlite_sql);

  std::size_t PrepareCount() const;
  // The SQLite text with the literals written in, as this database's column types call for.
  std::string TranslateForDisplay(std::string_view oracle_sql);
  sqlite3* Handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  struct CacheHolder;
  std::unique_ptr<CacheHolder> cache_;
};

// "a|b" lines: the header, then one line per row.
std::string Dump(const Outcome& outcome);

}  // namespace lumvoucher::dialect_test
