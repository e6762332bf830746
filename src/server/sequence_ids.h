#pragma once

#include <map>
#include <string>
#include <string_view>

struct pg_conn;

namespace lumvoucher::server {

class PostgresDataAccess;

// The id service of the server host: one sequence per table ("lv_id_voucher"), so that any
// number of desktops take keys at once without waiting for each other, and a key is never handed
// out twice: nextval is outside every transaction, a rolled-back save burns its keys.
class SequenceIds {
 public:
  explicit SequenceIds(PostgresDataAccess& data) : data_(data) {}
  ~SequenceIds();
  SequenceIds(const SequenceIds&) = delete;
  SequenceIds& operator=(const SequenceIds&) = delete;

  // Throws host::DatabaseError when the server cannot be reached.
  long NextId(std::string_view table_name);

 private:
  // Answers the new sequence's oid.
  std::string CreateSequence(const std::string& table, const std::string& sequence);

  PostgresDataAccess& data_;
  // A table numbered for the first time gets its sequence on a connection of its own, so the
  // caller's rollback cannot take the sequence (and the keys it gave) back.
  pg_conn* side_ = nullptr;
  std::map<std::string, std::string> sequences_;  // upper-case table -> the sequence's oid
};

}  // namespace lumvoucher::server
