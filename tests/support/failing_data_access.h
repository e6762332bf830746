#pragma once

#include <string>
#include <vector>

#include "embedded/sqlite_data_access.h"

namespace lumvoucher::testing {

// The embedded data-access object with a fault switch: the N-th statement from now (queries
// and executes alike, counted from 1) throws host::DatabaseError instead of running. Used to
// prove that a command leaves the database exactly as it was whichever statement fails.
class FailingDataAccess : public embedded::SqliteDataAccess {
 public:
  using SqliteDataAccess::SqliteDataAccess;

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

 private:
  void Count(std::string_view sql);

  int fail_at_ = 0;
  int count_ = 0;
  bool record_ = false;
  std::vector<std::string> recorded_;
};

}  // namespace lumvoucher::testing
