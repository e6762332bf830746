#include "embedded/id_service.h"

#include <algorithm>
#include <optional>

#include "frame/sql_text.h"
#include "embedded/sqlite_data_access.h"
#include "host/ascii.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

IdService::IdService(SqliteDataAccess& data) : data_(data) {
  data_.OnOuterRollback([this] { RestoreAfterRollback(); });
}

long IdService::NextId(std::string_view table_name) {
  const std::string table = host::AsciiUpper(table_name);
  const std::string key = frame::SqlText(table);
  // Inside the caller's transaction when there is one, so the counter and the row commit
  // together; on its own otherwise. The one write below needs no savepoint of its own: a failed
  // statement changes nothing, and a save asks for several keys.
  std::optional<host::TransactionGuard> guard;
  if (data_.TransactionDepth() == 0) guard.emplace(data_);
  host::Recordset rs =
      data_.OpenRecordset("Select lngNextID From IdSequence Where strTableName = " + key);
  long next = rs.Empty() ? 1 : static_cast<long>(rs["lngNextID"].AsLong());
  auto remembered = highest_given_.find(table);
  if (remembered != highest_given_.end()) next = std::max(next, remembered->second + 1);
  if (rs.Empty()) {
    data_.Execute("Insert Into IdSequence (strTableName, lngNextID) Values (" + key + ", " +
                  std::to_string(next + 1) + ")");
  } else {
    data_.Execute("Update IdSequence Set lngNextID = " + std::to_string(next + 1) +
                  " Where strTableName = " + key);
  }
  if (guard) guard->Commit();
  highest_given_[table] = next;
  return next;
}

void IdService::RestoreAfterRollback() {
  for (const auto& [table, highest] : highest_given_) {
    const std::string key = frame::SqlText(table);
    try {
      if (data_.Execute("Update IdSequence Set lngNextID = " + std::to_string(highest + 1) +
                        " Where strTableName = " + key + " And lngNextID <= " +
                        std::to_string(highest)) == 0) {
        // The row itself may have been created by the rolled-back work.
        host::Recordset rs =
            data_.OpenRecordset("Select lngNextID From IdSequence Where strTableName = " + key);
        if (rs.Empty()) {
          data_.Execute("Insert Into IdSequence (strTableName, lngNextID) Values (" + key + ", " +
                        std::to_string(highest + 1) + ")");
        }
      }
    } catch (const host::DatabaseError&) {
      // Another writer holds the file; the remembered keys still keep this process from reuse.
    }
  }
}

}  // namespace lumvoucher::embedded
