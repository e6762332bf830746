#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace lumvoucher::embedded {

// Turns the component's Oracle SQL text into prepared SQLite statements with their parameters
// bound, and keeps the prepared statements of one connection in an LRU keyed by the normalised
// text, so a statement that differs only in its literals is prepared once.
// Throws host::DatabaseError when the text cannot be translated or prepared; a translation
// error names the construct and its line and column.
class StatementCache {
 public:
  struct Prepared {
    // Statements to step in order; still owned by the cache, valid until the next Prepare.
    std::vector<sqlite3_stmt*> statements;
    // A Begin ... End; block: the caller runs the statements inside one savepoint.
    bool is_block = false;
  };

  explicit StatementCache(sqlite3* db, std::size_t capacity = 512);
  // Finalizes its statements and those of the connection's registered functions
  // (ReleaseOracleSupport), so that the connection can close.
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  Prepared Prepare(std::string_view oracle_sql);
  void Clear();

  // Statements prepared (cache misses) since construction; for tests and benchmarks.
  std::size_t PrepareCount() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The SQLite text of an Oracle statement with its literals written in, for display
// (lumvoucher-sql --translate). Throws host::DatabaseError as Prepare does.
std::string TranslateForDisplay(std::string_view oracle_sql);

}  // namespace lumvoucher::embedded
