#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace lumvoucher::embedded {

// Turns the component's Oracle SQL text into prepared SQLite statements with their parameters
// bound, and keeps the prepared statements of one connection in an LRU keyed by the normalised
// text, so a statement that differs only in its literals is prepared once. Translations read the
// connection's declared column types; one made before the schema changed (DDL here, the host's
// SchemaChanged) is made again before it runs. A change on another connection is noticed from
// this connection's next transaction on: the statement that starts it runs as translated.
// Throws host::DatabaseError when the text cannot be translated or prepared; a translation
// error names the construct and its line and column.
class StatementCache {
 private:
  struct Impl;
  struct Entry;

 public:
  // What rerunning a failed UPDATE gave.
  struct Rerun {
    enum class Outcome { kNotPossible, kDone, kFailed };
    Outcome outcome = Outcome::kNotPossible;
    std::int64_t changes = 0;  // kDone: rows updated
    int code = 0;              // kFailed: SQLite's extended result code
    std::string message;       // kFailed: SQLite's message
  };

  // The statements of one text. Valid until the next Prepare.
  class Prepared {
   public:
    std::size_t Size() const;
    // A Begin ... End; block: the caller runs the statements inside one savepoint.
    bool IsBlock() const;
    // Whether statement n is an INSERT, UPDATE or DELETE, whose changes the text reports.
    bool ChangesRows(std::size_t n) const;
    // Statement n, bound, prepared on first use: a statement of a block may use a table that an
    // earlier one creates. Throws host::DatabaseError when it cannot be prepared.
    sqlite3_stmt* Statement(std::size_t n);
    // After statement n, an UPDATE, stopped on a unique or primary key and SQLite undid it:
    // runs it again with the keys checked once at its end, as Oracle does, so that
    // "intVoucherNo + 1" over consecutive numbers succeeds. Changes nothing when it fails.
    Rerun RerunWithKeysCheckedAtEnd(std::size_t n);

   private:
    friend class StatementCache;
    Prepared(Impl* impl, Entry* entry) : impl_(impl), entry_(entry) {}
    Impl* impl_;
    Entry* entry_;
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

  // For a caller that changed the schema outside the cache, inside a transaction not yet
  // committed (committed changes are noticed).
  void SchemaChanged();

  // Around the connection's own COMMIT of a transaction begun IMMEDIATE: it moves the file's
  // data version, but when the cache had seen the version the transaction read from, no other
  // connection changed the schema since (the transaction held the write lock, and changes of
  // its own were seen as they ran), so the next statement need not read the schema cookie.
  unsigned int DataVersion() const;
  void Committed(unsigned int version_before);

  // The SQLite text of an Oracle statement with its literals written in, with the conversions
  // this connection's column types call for. Throws host::DatabaseError as Prepare does.
  std::string TranslateForDisplay(std::string_view oracle_sql);

 private:
  std::unique_ptr<Impl> impl_;
};

// The SQLite text of an Oracle statement with its literals written in, for display
// (lumvoucher-sql --translate without a database: no column types). Throws host::DatabaseError
// as Prepare does.
std::string TranslateForDisplay(std::string_view oracle_sql);

}  // namespace lumvoucher::embedded
