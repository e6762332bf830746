#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "host/data_access.h"

namespace lumvoucher::host {

// A data access that can answer the queries of one command (a save's checks) from one snapshot,
// so that it need not lock the file for each of them. A write or BeginTrans in between ends
// the snapshot first; pairs nest.
class ReadSnapshots {
 public:
  virtual ~ReadSnapshots() = default;
  virtual void BeginReads() = 0;
  virtual void EndReads() = 0;
  // Moves on whenever the connection may have changed a row or ended a snapshot or transaction
  // (a write, BeginTrans, a commit or rollback): rows read while it stays the same are rows a
  // query would still return. 0 when the data access cannot tell, which keeps nothing.
  virtual std::uint64_t ReadEpoch() const = 0;
};

// The queries made while it lives share a snapshot when the data access offers them; nothing
// changes otherwise. The outermost scope also keeps what OpenRemembered read, and forgets it at
// its end, so nothing read by one command answers the next.
class ReadScope {
 public:
  explicit ReadScope(DataAccess& data);
  ReadScope(const ReadScope&) = delete;
  ReadScope& operator=(const ReadScope&) = delete;
  ~ReadScope();

  struct Memory;

 private:
  ReadSnapshots* snapshots_;
  std::unique_ptr<Memory> memory_;  // the outermost scope's
};

// A query a command asks again and again with the same text (a setting, an account, the local
// currency). Inside a read scope its rows come from the scope's memory while the connection has
// written nothing and kept its snapshot or transaction since they were read; elsewhere, and on
// a data access without snapshots, it simply runs.
Recordset OpenRemembered(DataAccess& data, std::string_view sql);

}  // namespace lumvoucher::host
