#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/data_access.h"
#include "host/read_scope.h"

struct sqlite3;
struct sqlite3_stmt;

namespace lumvoucher::embedded {

class StatementCache;

// The data-access object of the embedded host: one SQLite connection to an account-set file
// (":memory:" for tests) that runs the component's Oracle SQL through the dialect.
//
// Several desktops may share a file: WAL, a busy timeout, and every outer transaction starts
// with BEGIN IMMEDIATE so that two writers queue instead of failing each other. Nested
// BeginTrans calls become savepoints. Statements outside a transaction commit on their own.
class SqliteDataAccess : public host::DataAccess, public host::ReadSnapshots {
 public:
  // Opens (creating when missing) the file. Throws host::DatabaseError when it cannot.
  explicit SqliteDataAccess(const std::string& path, int busy_timeout_ms = 10000);
  ~SqliteDataAccess() override;
  SqliteDataAccess(const SqliteDataAccess&) = delete;
  SqliteDataAccess& operator=(const SqliteDataAccess&) = delete;

  host::Recordset OpenRecordset(std::string_view sql) override;
  std::int64_t Execute(std::string_view sql) override;
  void BeginTrans() override;
  void BeginScratchTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  int TransactionDepth() const override { return depth_; }
  host::ReadSnapshots* Snapshots() override { return this; }
  // Outside a transaction the scope's queries share one read transaction: in WAL mode a query
  // on its own takes and drops the file's locks, which costs a save more than its reads do.
  void BeginReads() override;
  void EndReads() override;
  std::uint64_t ReadEpoch() const override { return epoch_; }
  std::uint64_t SlowlyChangingEpoch() const override { return slow_epoch_; }

  // What the rows this connection reads were last seen as: it moves with every commit (this
  // connection's, or another's once this one starts reading again) and every row this
  // connection changes, committed or not. Equal values inside a transaction mean that nothing
  // changed since the earlier one was taken. `file` is 0 when SQLite cannot tell.
  struct RowsVersion {
    unsigned int file = 0;
    std::int64_t own_changes = 0;
    bool operator==(const RowsVersion&) const = default;
  };
  virtual RowsVersion CurrentRowsVersion() const;

  // Runs plain SQLite script text as it stands (schema files), outside the dialect.
  void ExecuteScript(std::string_view script);

  // The SQLite text an Oracle statement runs as here, literals written in (lumvoucher-sql
  // --translate). Throws host::DatabaseError when it cannot be translated.
  std::string TranslateForDisplay(std::string_view sql);

  // Called after every rollback, `outer` true when the outermost transaction rolled back, so
  // that a service whose state must outlive a rollback (the id service) can write it again.
  void OnRollback(std::function<void(bool outer)> listener);

  const std::string& Path() const { return path_; }
  sqlite3* Handle() const { return db_; }

 private:
  // Runs one Oracle statement; fills `out` when given and the statement returns rows.
  std::int64_t Run(std::string_view sql, host::Recordset* out);
  [[noreturn]] void Fail(int code, std::string_view sql);
  std::string UniqueKeyOf(const std::string& message);
  void Exec(const char* sql);
  // The transaction commands a save runs eight times: prepared once instead of parsed each
  // time. Throws host::DatabaseError as Exec does; false, nothing thrown, when `quiet`.
  enum class Command { kBeginDeferred, kBeginImmediate, kCommit, kCount };
  bool Run(Command command, bool quiet = false);
  void EndSnapshot();
  void EndRelaxedCommit();

  std::string path_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<StatementCache> cache_;
  sqlite3_stmt* commands_[static_cast<int>(Command::kCount)] = {};
  int depth_ = 0;
  int read_scopes_ = 0;
  bool snapshot_ = false;  // a read transaction of the scope is open
  bool wal_ = false;
  bool relaxed_ = false;  // the outer transaction commits without its own sync
  std::uint64_t epoch_ = 1;
  std::uint64_t slow_epoch_ = 1;  // and this one when the change may be a slowly changing row's
  std::vector<std::function<void(bool)>> rollback_listeners_;
  std::map<std::string, std::string> unique_key_names_;  // "table(col,col)" -> index name
};

}  // namespace lumvoucher::embedded
