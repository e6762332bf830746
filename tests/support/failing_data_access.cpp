#include "support/failing_data_access.h"

#include "host/database_error.h"

namespace lumvoucher::testing {

void FailingDataAccess::Count(std::string_view sql) {
  ++count_;
  if (record_) recorded_.emplace_back(sql);
  if (fail_at_ > 0 && count_ == fail_at_) {
    throw host::DatabaseError("injected failure at statement " + std::to_string(count_) + ": " +
                              std::string(sql));
  }
}

host::Recordset FailingDataAccess::OpenRecordset(std::string_view sql) {
  Count(sql);
  return SqliteDataAccess::OpenRecordset(sql);
}

std::int64_t FailingDataAccess::Execute(std::string_view sql) {
  Count(sql);
  return SqliteDataAccess::Execute(sql);
}

}  // namespace lumvoucher::testing
