#pragma once

#include <map>
#include <string>
#include <string_view>

namespace lumvoucher::embedded {

class SqliteDataAccess;

// The host's id service over the table IdSequence (next key per upper-case table name).
//
// A key is never handed out twice. Taking a key inside the caller's transaction would give it
// back when that transaction rolls back, so the service also remembers the highest key it gave
// per table and writes it back after every outer rollback; a key taken by a failed save is
// therefore never reused, by this process or by another one that opens the file later.
class IdService {
 public:
  explicit IdService(SqliteDataAccess& data);
  long NextId(std::string_view table_name);

 private:
  void RestoreAfterRollback();

  SqliteDataAccess& data_;
  std::map<std::string, long> highest_given_;
};

}  // namespace lumvoucher::embedded
