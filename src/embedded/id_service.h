#pragma once

#include <map>
#include <string>
#include <string_view>

namespace lumvoucher::embedded {

class SqliteDataAccess;

// The host's id service over the table IdSequence (next key per upper-case table name).
//
// A key is never handed out twice. Keys are reserved in blocks of kBlock per table, as an
// Oracle sequence caches them: the counter in the file moves past the whole block at once and
// the keys of the block are then handed out from memory, so a save asks the file for a key once
// in many saves. Another process reserves its blocks above, never inside, one this process holds.
// Keys of a block this process never uses are gaps, as a sequence's cache leaves them.
//
// A reservation taken inside the caller's transaction goes back with it, so after any rollback
// (a whole transaction or a savepoint) the rest of the block is dropped and the next key reserves
// anew; the service also remembers the highest key it gave per table and writes it back after
// every outer rollback, so a key taken by a failed save is never reused, by this process or by
// another one that opens the file later.
class IdService {
 public:
  static constexpr long kBlock = 64;

  explicit IdService(SqliteDataAccess& data);
  long NextId(std::string_view table_name);

 private:
  long Reserve(const std::string& table);
  void RestoreAfterRollback();

  struct Block {
    long next = 0;  // the next key to hand out
    long end = 0;   // one past the block's last key
  };

  SqliteDataAccess& data_;
  std::map<std::string, long> highest_given_;
  std::map<std::string, Block> blocks_;
};

}  // namespace lumvoucher::embedded
