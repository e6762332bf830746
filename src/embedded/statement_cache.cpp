#include "embedded/statement_cache.h"

#include <sqlite3.h>

#include <list>
#include <unordered_map>

#include "host/database_error.h"

namespace lumvoucher::embedded {

// Pass-through until the Oracle dialect lands: the text is prepared as SQLite SQL.
struct StatementCache::Impl {
  sqlite3* db;
  std::size_t capacity;
  std::list<std::pair<std::string, sqlite3_stmt*>> lru;
  std::unordered_map<std::string, std::list<std::pair<std::string, sqlite3_stmt*>>::iterator> map;
};

StatementCache::StatementCache(sqlite3* db, std::size_t capacity)
    : impl_(std::make_unique<Impl>(Impl{db, capacity, {}, {}})) {}

StatementCache::~StatementCache() { Clear(); }

void StatementCache::Clear() {
  for (auto& [text, stmt] : impl_->lru) sqlite3_finalize(stmt);
  impl_->lru.clear();
  impl_->map.clear();
}

StatementCache::Prepared StatementCache::Prepare(std::string_view oracle_sql) {
  std::string key(oracle_sql);
  auto it = impl_->map.find(key);
  if (it != impl_->map.end()) {
    impl_->lru.splice(impl_->lru.begin(), impl_->lru, it->second);
    sqlite3_reset(it->second->second);
    return {{it->second->second}, false};
  }
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(impl_->db, key.c_str(), static_cast<int>(key.size()), &stmt, nullptr) !=
      SQLITE_OK) {
    throw host::DatabaseError(sqlite3_errmsg(impl_->db));
  }
  impl_->lru.emplace_front(key, stmt);
  impl_->map.emplace(key, impl_->lru.begin());
  if (impl_->lru.size() > impl_->capacity) {
    sqlite3_finalize(impl_->lru.back().second);
    impl_->map.erase(impl_->lru.back().first);
    impl_->lru.pop_back();
  }
  return {{stmt}, false};
}

}  // namespace lumvoucher::embedded
