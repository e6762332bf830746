#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "embedded/dialect/translator.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/read_scope.h"
#include "server/oracle_support.h"

struct pg_conn;
struct pg_result;

namespace lumvoucher::server {

// Steps sent together in libpq's pipeline mode (postgres_data_access.cpp).
class Pipeline;
using PgResult = std::unique_ptr<pg_result, void (*)(pg_result*)>;

// The data-access object of the server host: one libpq connection that runs the component's
// Oracle SQL through the dialect's PostgreSQL emitter.
//
// Literals are lifted into parameters and the statements kept prepared on the server, keyed by
// the text's skeleton and the literals the translation keeps (as the embedded cache does). A
// read binding many of them (a list's chunk of ids) runs on its generic plan, planned once.
// Oracle undoes a failed statement, not the transaction around it; PostgreSQL aborts the whole
// transaction, so inside one every statement but the first runs under a savepoint of its own
// (a failed first one begins the transaction again). Nested BeginTrans calls are savepoints; the
// outermost takes the account set's writer lock first, so transactions of several desktops take
// turns as on the embedded file. A connection the server
// dropped fails the statement with kConnectionLost and is opened again before the next statement
// outside a transaction.
//
// Round trips are what a save costs on a server, so a statement is one: the transaction's
// start, the savepoints and the statement's preparation travel with it in libpq's pipeline
// mode, and a failure costs one more (the rollback to its savepoint). Inside a transaction a
// deferred statement (ExecuteDeferred) waits for the next one that needs an answer, or the
// commit; one of a savepoint rolled back never reaches the server.
class PostgresDataAccess : public host::DataAccess, public host::ReadSnapshots {
 public:
  // Connects with a libpq connection string (the PG* environment fills what it leaves out).
  // Throws host::DatabaseError when it cannot.
  explicit PostgresDataAccess(const std::string& conninfo, std::size_t cache_capacity = 512);
  ~PostgresDataAccess() override;
  PostgresDataAccess(const PostgresDataAccess&) = delete;
  PostgresDataAccess& operator=(const PostgresDataAccess&) = delete;

  host::Recordset OpenRecordset(std::string_view sql) override;
  std::int64_t Execute(std::string_view sql) override;
  void ExecuteDeferred(std::string_view sql) override;
  bool DefersStatements() const override { return depth_ > 0; }
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  int TransactionDepth() const override { return depth_; }
  // The server keeps no snapshot for a read scope (each statement sees what was committed), but
  // a command's repeated reads (a setting, an account) are answered from the scope's memory
  // while this connection changes nothing: a round trip each is what a save would pay otherwise.
  void BeginReads() override {}
  void EndReads() override {}
  std::uint64_t ReadEpoch() const override { return epoch_; }
  // A save's inserts leave the settings, accounts and types alone: the rows kept across
  // commands need no second look at the change stamp for them (a round trip each).
  std::uint64_t SlowlyChangingEpoch() const override { return slow_epoch_; }

  // Plain PostgreSQL text, outside the dialect (the schema, the dialect's functions).
  void ExecuteScript(std::string_view script);
  // The PostgreSQL text of an Oracle statement, literals written in (lumvoucher-sql --translate).
  std::string TranslateForDisplay(std::string_view sql);

  const std::string& ConnInfo() const { return conninfo_; }
  // The connection for libpq calls of its own, the commands and statements held back sent
  // first, so that what it runs belongs to the transaction.
  pg_conn* Handle();
  // Plain PostgreSQL text with its parameters, run after the commands and statements held back
  // in the same round trip (Handle() and a query of one's own cost two). Throws
  // host::DatabaseError for a held statement's failure as the next statement would, or for its
  // own.
  PgResult RunAfterHeld(const std::string& sql, const std::vector<std::string>& values);
  // Statements prepared on the server, and round trips of this object's own, since the
  // connection opened; for tests and benchmarks.
  std::size_t PrepareCount() const { return prepares_; }
  std::size_t RoundTrips() const { return round_trips_; }

 private:
  struct Entry {
    std::string key;
    dialect::Translation translation;
    std::vector<std::string> names;  // prepared statement per translated one, "" until used
  };

  // A command held back for the next round trip, or a deferred statement.
  struct Held {
    std::string sql{};  // the command, or the statement's PostgreSQL text
    // A deferred statement: its Oracle text (for its failure), parameters, prepared statement,
    // and the transaction depth it belongs to.
    std::string oracle{};
    std::vector<std::string> values{};
    std::string name{};
    Entry* prepares = nullptr;  // prepared by this round trip: the entry keeping the name
    std::size_t index = 0;      // of the name in the entry
    int depth = 0;
    std::size_t step = 0;  // of its execution in the pipeline that sent it
  };

  std::int64_t Run(std::string_view sql, host::Recordset* out);
  // `replanned`: the statement was prepared again after another connection changed its table.
  std::int64_t RunOnce(std::string_view sql, host::Recordset* out, bool& reads_only,
                       bool replanned);
  Entry& Lookup(std::string_view sql, dialect::Lexed& lexed);
  // Deallocates the entry's statements and takes it out of the cache; answers the next entry.
  std::list<Entry>::iterator Drop(std::list<Entry>::iterator entry);
  // Moves the epochs after `sql` may have changed rows.
  void Moved(std::string_view sql);
  void Command(const std::string& sql);
  void Quietly(const std::string& sql);
  // Moves the held commands and statements into a pipeline.
  std::vector<Held> SendHeld(Pipeline& pipeline);
  // After the pipeline ran: keeps the names prepared; when a deferred statement of `sent` did
  // not run, throws the first failure and keeps it in failed_ until its level rolls back.
  void CheckSent(std::vector<Held>& sent, const std::vector<PgResult>& results);
  // Sends what is held, `last` after it, in one round trip.
  void Flush(const char* last = nullptr);
  // Forgets held steps from `from` on: their names were never prepared.
  void DropHeld(std::size_t from);
  bool HoldsStatements() const;
  void ThrowIfFailed() const;
  void Connect();
  void ReconnectIfLost();

  std::string conninfo_;
  pg_conn* conn_ = nullptr;
  std::unique_ptr<CatalogColumnTypes> columns_;
  std::size_t capacity_;
  std::size_t prepares_ = 0;
  std::size_t round_trips_ = 0;
  std::size_t next_name_ = 0;
  std::list<Entry> lru_;  // most recent first
  std::unordered_map<std::string, std::list<Entry>::iterator> entries_;
  // Per skeleton, the literals its translation writes into the text (part of the key).
  std::unordered_map<std::string, std::vector<int>> kept_;
  int depth_ = 0;
  std::uint64_t epoch_ = 1;       // moves whenever this connection may have changed a row
  std::uint64_t slow_epoch_ = 1;  // and this one when that row may be a slowly changing one
  // Inside a transaction, the commands waiting for the next statement to go with it: the
  // transaction's start, savepoints made, released or rolled back to, the last statement's
  // savepoint released, the deferred statements.
  std::vector<Held> held_;
  bool begin_held_ = false;  // the transaction's BEGIN among them: nothing reached the server
  // A deferred statement's failure, and the depth it belongs to: the server's transaction is
  // aborted, so every statement repeats it until that level rolls back.
  std::optional<host::DatabaseError> failed_;
  int failed_depth_ = 0;
};

}  // namespace lumvoucher::server
