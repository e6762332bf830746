#pragma once

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
};

// The queries made while it lives share a snapshot when the data access offers them; nothing
// changes otherwise.
class ReadScope {
 public:
  explicit ReadScope(DataAccess& data) : snapshots_(dynamic_cast<ReadSnapshots*>(&data)) {
    if (snapshots_ != nullptr) snapshots_->BeginReads();
  }
  ReadScope(const ReadScope&) = delete;
  ReadScope& operator=(const ReadScope&) = delete;
  ~ReadScope() {
    if (snapshots_ != nullptr) snapshots_->EndReads();
  }

 private:
  ReadSnapshots* snapshots_;
};

}  // namespace lumvoucher::host
