#pragma once

#include <memory>
#include <string>
#include <vector>

#include "embedded/sqlite_data_access.h"

namespace lumvoucher::testing {

// The embedded data-access object with a fault switch: the N-th statement from now (queries
// and executes alike, counted from 1) throws host::DatabaseError instead of running. Used to
// prove that a command leaves the database exactly as it was whichever statement fails.
// Given a server's data access, it runs everything there instead (the file underneath stays
// empty), so the same tests run on either backend.
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
  void NeverFail() { fail_at_ = 0; }
  // Statements run since the last FailAtStatement / ResetCount.
  int StatementCount() const { return count_; }
  void ResetCount() { count_ = 0; }
  // Keeps the text of every statement run from now on.
  void Record(bool on) { record_ = on; }
  const std::vector<std::string>& Recorded() const { return recorded_; }

  host::Recordset OpenRecordset(std::string_view sql) override;
  std::int64_t Execute(std::string_view sql) override;
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  int TransactionDepth() const override;
  void BeginReads() override;
  void EndReads() override;

 private:
  void Count(std::string_view sql);

  std::unique_ptr<host::DataAccess> server_;
  int fail_at_ = 0;
  int count_ = 0;
  bool record_ = false;
  std::vector<std::string> recorded_;
};

}  // namespace lumvoucher::testing
