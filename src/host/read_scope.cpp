#include "host/read_scope.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lumvoucher::host {

struct ReadScope::Memory {
  std::uint64_t epoch = 0;
  std::unordered_map<std::string, Recordset> rows;  // by the query's text
};

namespace {

// The memory of each data access inside a scope: one or two at a time.
std::vector<std::pair<const ReadSnapshots*, ReadScope::Memory*>>& Memories() {
  static std::vector<std::pair<const ReadSnapshots*, ReadScope::Memory*>> memories;
  return memories;
}

ReadScope::Memory* MemoryOf(const ReadSnapshots* snapshots) {
  for (const auto& [owner, memory] : Memories()) {
    if (owner == snapshots) return memory;
  }
  return nullptr;
}

}  // namespace

ReadScope::ReadScope(DataAccess& data) : snapshots_(dynamic_cast<ReadSnapshots*>(&data)) {
  if (snapshots_ == nullptr) return;
  snapshots_->BeginReads();
  if (MemoryOf(snapshots_) == nullptr) {
    memory_ = std::make_unique<Memory>();
    Memories().emplace_back(snapshots_, memory_.get());
  }
}

ReadScope::~ReadScope() {
  if (snapshots_ == nullptr) return;
  if (memory_) {
    auto& memories = Memories();
    for (auto it = memories.begin(); it != memories.end(); ++it) {
      if (it->second == memory_.get()) {
        memories.erase(it);
        break;
      }
    }
  }
  snapshots_->EndReads();
}

Recordset OpenRemembered(DataAccess& data, std::string_view sql) {
  auto* snapshots = dynamic_cast<ReadSnapshots*>(&data);
  ReadScope::Memory* memory = snapshots == nullptr ? nullptr : MemoryOf(snapshots);
  const std::uint64_t epoch = memory == nullptr ? 0 : snapshots->ReadEpoch();
  if (epoch == 0) return data.OpenRecordset(sql);
  if (memory->epoch != epoch) {
    memory->rows.clear();
    memory->epoch = epoch;
  }
  std::string key(sql);
  auto found = memory->rows.find(key);
  if (found != memory->rows.end()) return found->second;
  Recordset rows = data.OpenRecordset(sql);
  // A query that wrote (a sequence's NEXTVAL) keeps nothing.
  if (snapshots->ReadEpoch() == epoch) memory->rows.emplace(std::move(key), rows);
  return rows;
}

}  // namespace lumvoucher::host
