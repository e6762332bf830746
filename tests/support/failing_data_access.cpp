#include "support/failing_data_access.h"

#include <algorithm>

#include "host/database_error.h"

namespace lumvoucher::testing {

void FailingDataAccess::Count(std::string_view sql, bool deferred) {
  if (injected_ && !deferred) throw *injected_;
  ++count_;
  if (record_) {
    recorded_.emplace_back(sql);
    depths_.push_back(TransactionDepth());
  }
  if (!before_.empty() && sql.starts_with(before_)) {
    before_.clear();
    fault_();
  }
  if (fail_at_ > 0 && count_ == fail_at_) {
    if (fault_) return fault_();
    host::DatabaseError failure("injected failure at statement " + std::to_string(count_) + ": " +
                                std::string(sql));
    if (!deferred || TransactionDepth() == 0) throw failure;
    injected_ = failure;
    injected_depth_ = TransactionDepth();
  }
}

host::Recordset FailingDataAccess::OpenRecordset(std::string_view sql) {
  Count(sql);
  return server_ ? server_->OpenRecordset(sql) : SqliteDataAccess::OpenRecordset(sql);
}

std::int64_t FailingDataAccess::Execute(std::string_view sql) {
  Count(sql);
  return server_ ? server_->Execute(sql) : SqliteDataAccess::Execute(sql);
}

void FailingDataAccess::ExecuteDeferred(std::string_view sql) {
  Count(sql, true);
  if (injected_) return;  // a statement after a failure in the same round trip does not run
  server_ ? server_->ExecuteDeferred(sql) : static_cast<void>(SqliteDataAccess::Execute(sql));
}

void FailingDataAccess::BeginTrans() {
  server_ ? server_->BeginTrans() : SqliteDataAccess::BeginTrans();
}

void FailingDataAccess::BeginScratchTrans() {
  server_ ? server_->BeginScratchTrans() : SqliteDataAccess::BeginScratchTrans();
}

void FailingDataAccess::CommitTrans() {
  if (injected_ && TransactionDepth() == 1) {
    const host::DatabaseError failure = *injected_;
    RollbackTrans();  // a failed commit ends the transaction, as a server's does
    throw failure;
  }
  // The inner transaction's deferred statements are the outer one's now.
  injected_depth_ = std::min(injected_depth_, TransactionDepth() - 1);
  if (commit_fault_ && TransactionDepth() == 1) commit_fault_();
  server_ ? server_->CommitTrans() : SqliteDataAccess::CommitTrans();
}

void FailingDataAccess::RollbackTrans() {
  if (server_) ForgetSlowlyChanging();
  if (injected_depth_ >= TransactionDepth()) injected_.reset();
  server_ ? server_->RollbackTrans() : SqliteDataAccess::RollbackTrans();
}

int FailingDataAccess::TransactionDepth() const {
  return server_ ? server_->TransactionDepth() : SqliteDataAccess::TransactionDepth();
}

// A server's snapshots are its own (MVCC): a read scope changes nothing there.
void FailingDataAccess::BeginReads() {
  if (!server_) SqliteDataAccess::BeginReads();
}

void FailingDataAccess::EndReads() {
  if (!server_) SqliteDataAccess::EndReads();
}

embedded::SqliteDataAccess::RowsVersion FailingDataAccess::CurrentRowsVersion() const {
  return server_ ? RowsVersion{} : SqliteDataAccess::CurrentRowsVersion();
}

std::uint64_t FailingDataAccess::ReadEpoch() const {
  if (!server_) return SqliteDataAccess::ReadEpoch();
  const auto* server = dynamic_cast<const host::ReadSnapshots*>(server_.get());
  return server ? server->ReadEpoch() : 0;
}

std::uint64_t FailingDataAccess::SlowlyChangingEpoch() const {
  if (!server_) return SqliteDataAccess::SlowlyChangingEpoch();
  const auto* server = dynamic_cast<const host::ReadSnapshots*>(server_.get());
  return server ? server->SlowlyChangingEpoch() : 0;
}

}  // namespace lumvoucher::testing
