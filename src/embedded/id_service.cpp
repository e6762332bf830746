#include "embedded/id_service.h"

#include <algorithm>
#include <optional>

#include "embedded/sqlite_data_access.h"
#include "frame/sql_text.h"
#include "host/ascii.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

IdService::IdService(SqliteDataAccess& data) : data_(data) {
  data_.OnRollback([this](bool outer) {
    blocks_.clear();
    if (outer) RestoreAfterRollback();
  });
}

long IdService::NextId(std::string_view table_name) {
  const std::string table = host::AsciiUpper(table_name);
  auto block = blocks_.find(table);
  const long id = block != blocks_.end() && block->second.next < block->second.end
                      ? block->second.next++
                      : Reserve(table);
  highest_given_[table] = id;
  return id;
}

// Moves the counter past a new block and answers its first key.
long IdService::Reserve(const std::string& table) {
  const std::string key = frame::SqlText(table);
  // Inside the caller's transaction when there is one, so the counter and the rows commit
  // together; on its own otherwise. The one write below needs no savepoint of its own: a failed
  // statement changes nothing.
  std::optional<host::TransactionGuard> guard;
  if (data_.TransactionDepth() == 0) guard.emplace(data_);
  host::Recordset rs =
      data_.OpenRecordset("Select lngNextID From IdSequence Where strTableName = " + key);
  long first = rs.Empty() ? 1 : static_cast<long>(rs["lngNextID"].AsLong());
  auto remembered = highest_given_.find(table);
  if (remembered != highest_given_.end()) first = std::max(first, remembered->second + 1);
  const long end = first + kBlock;
  if (rs.Empty()) {
    data_.Execute("Insert Into IdSequence (strTableName, lngNextID) Values (" + key + ", " +
                  std::to_string(end) + ")");
  } else {
    data_.Execute("Update IdSequence Set lngNextID = " + std::to_string(end) +
                  " Where strTableName = " + key);
  }
  if (guard) guard->Commit();
  blocks_[table] = Block{first + 1, end};
  return first;
}

void IdService::RestoreAfterRollback() {
  for (const auto& [table, highest] : highest_given_) {
    const std::string key = frame::SqlText(table);
    try {
      if (data_.Execute("Update IdSequence Set lngNextID = " + std::to_string(highest + 1) +
                        " Where strTableName = " + key +
                        " And lngNextID <= " + std::to_string(highest)) == 0) {
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
