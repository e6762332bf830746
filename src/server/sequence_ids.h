#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;

namespace lumvoucher::server {

class PostgresDataAccess;

// The id service of the server host: one sequence per table ("lv_id_voucher"), so that any
// number of desktops take keys at once without waiting for each other, and a key is never handed
// out twice: nextval is outside every transaction, a rolled-back save burns its keys.
// Keys are taken kBlock at a time in one round trip, as an Oracle sequence's cache (and the
// embedded id service) does; the keys of a block this process never hands out are gaps.
class SequenceIds {
 public:
  static constexpr int kBlock = 64;

  explicit SequenceIds(PostgresDataAccess& data) : data_(data) {}
  ~SequenceIds();
  SequenceIds(const SequenceIds&) = delete;
  SequenceIds& operator=(const SequenceIds&) = delete;

  // Throws host::DatabaseError when the server cannot be reached.
  long NextId(std::string_view table_name);

 private:
  struct Keys {
    std::string sequence;     // its oid
    std::vector<long> block;  // taken from the sequence, ascending
    std::size_t next = 0;     // the next of them to hand out
  };

  // Answers the table's sequence's oid, creating the sequence if the table has none.
  std::string FindSequence(const std::string& table);
  // Answers the new sequence's oid.
  std::string CreateSequence(const std::string& table, const std::string& sequence);

  PostgresDataAccess& data_;
  // A table numbered for the first time gets its sequence on a connection of its own, so the
  // caller's rollback cannot take the sequence (and the keys it gave) back.
  pg_conn* side_ = nullptr;
  std::map<std::string, Keys> keys_;  // by upper-case table
};

}  // namespace lumvoucher::server
