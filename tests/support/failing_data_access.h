#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "embedded/sqlite_data_access.h"
#include "host/database_error.h"

namespace lumvoucher::testing {

// The embedded data-access object with a fault switch: the N-th statement from now (queries
// and executes alike, counted from 1) throws host::DatabaseError instead of running. Used to
// prove that a command leaves the database exactly as it was whichever statement fails.
// Given a server's data access, it runs everything there instead (the file underneath stays
// empty), so the same tests run on either backend.
// A deferred statement (ExecuteDeferred) made to fail inside a transaction fails as late as a
// server may report it, on either backend: it and the deferred ones after it do not run, and
// every other statement and the commit throw until its level rolls back.
class FailingDataAccess : public embedded::SqliteDataAccess {
 public:
  using SqliteDataAccess::SqliteDataAccess;
  explicit FailingDataAccess(std::unique_ptr<host::DataAccess> server)
      : SqliteDataAccess(":memory:"), server_(std::move(server)) {}
  host::DataAccess* Server() { return server_.get(); }

  void FailAtStatement(int n) {
    fail_at_ = n;
    count_ = 0;
  }
  // Runs `fault` before the N-th statement from now, which then runs as usual (a connection
  // dropped from outside in the middle of a command).
  void AtStatement(int n, std::function<void()> fault) {
    FailAtStatement(n);
    fault_ = std::move(fault);
  }
  // Runs `fault` before the first statement from now whose text begins with `prefix`.
  void BeforeStatement(std::string prefix, std::function<void()> fault) {
    before_ = std::move(prefix);
    fault_ = std::move(fault);
  }
  // Runs `fault` before the outermost commit, which then runs as usual.
  void BeforeCommit(std::function<void()> fault) { commit_fault_ = std::move(fault); }
  void NeverFail() {
    fail_at_ = 0;
    injected_.reset();
    before_.clear();
    fault_ = nullptr;
    commit_fault_ = nullptr;
  }
  // Statements run since the last FailAtStatement / ResetCount.
  int StatementCount() const { return count_; }
  void ResetCount() { count_ = 0; }
  // Keeps the text of every statement run from now on, and the transaction depth it ran at.
  void Record(bool on) { record_ = on; }
  const std::vector<std::string>& Recorded() const { return recorded_; }
  const std::vector<int>& RecordedDepths() const { return depths_; }

  host::Recordset OpenRecordset(std::string_view sql) override;
  std::int64_t Execute(std::string_view sql) override;
  void ExecuteDeferred(std::string_view sql) override;
  bool DefersStatements() const override {
    return server_ ? server_->DefersStatements() : SqliteDataAccess::DefersStatements();
  }
  void BeginTrans() override;
  void BeginScratchTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  int TransactionDepth() const override;
  // On a server nothing of the file underneath tells whether rows changed.
  RowsVersion CurrentRowsVersion() const override;
  void BeginReads() override;
  void EndReads() override;
  std::uint64_t ReadEpoch() const override;
  std::uint64_t SlowlyChangingEpoch() const override;

 private:
  void Count(std::string_view sql, bool deferred = false);

  std::unique_ptr<host::DataAccess> server_;
  std::function<void()> fault_;
  std::function<void()> commit_fault_;
  std::string before_;
  std::optional<host::DatabaseError> injected_;  // a deferred statement's failure not yet thrown
  int injected_depth_ = 0;
  int fail_at_ = 0;
  int count_ = 0;
  bool record_ = false;
  std::vector<std::string> recorded_;
  std::vector<int> depths_;
};

}  // namespace lumvoucher::testing
