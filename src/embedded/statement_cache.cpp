#include "embedded/statement_cache.h"

#include <sqlite3.h>

#include <cstdlib>
#include <list>
#include <unordered_map>

#include "embedded/dialect/translator.h"
#include "embedded/oracle_support.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

namespace {

constexpr char kKeySeparator = '\x1e';

[[noreturn]] void ThrowTranslateError(const dialect::TranslateError& error,
                                      std::string_view oracle_sql) {
  throw host::DatabaseError(dialect::DescribeError(error, oracle_sql));
}

}  // namespace

struct StatementCache::Impl {
  struct Entry {
    std::string key;
    std::vector<sqlite3_stmt*> statements;
    std::vector<std::vector<int>> params;  // per statement: literal ordinal of ?1, ?2, ...
    bool is_block = false;
  };

  sqlite3* db;
  std::size_t capacity;
  std::size_t prepares = 0;
  std::list<Entry> lru;  // most recent first
  std::unordered_map<std::string, std::list<Entry>::iterator> entries;
  // Skeleton -> the literals that stay in the SQLite text. Which ones stay is fixed by the
  // skeleton; their values join the key, so two texts share statements only when they differ
  // in bound values alone.
  std::unordered_map<std::string, std::vector<int>> kept_by_skeleton;

  static std::string KeyOf(const dialect::Lexed& lexed, const std::vector<int>& kept) {
    std::string key = lexed.skeleton;
    for (int ordinal : kept) {
      key += kKeySeparator;
      key += lexed.literals[static_cast<std::size_t>(ordinal)].text;
    }
    return key;
  }

  static void Finalize(Entry& entry) {
    for (sqlite3_stmt* stmt : entry.statements) sqlite3_finalize(stmt);
    entry.statements.clear();
  }

  void Bind(Entry& entry, const dialect::Lexed& lexed, std::string_view oracle_sql) {
    for (std::size_t s = 0; s < entry.statements.size(); ++s) {
      sqlite3_stmt* stmt = entry.statements[s];
      sqlite3_reset(stmt);
      const std::vector<int>& params = entry.params[s];
      for (std::size_t p = 0; p < params.size(); ++p) {
        const dialect::Literal& literal = lexed.literals[static_cast<std::size_t>(params[p])];
        const int index = static_cast<int>(p) + 1;
        int rc = SQLITE_OK;
        switch (literal.kind) {
          case dialect::Literal::Kind::kInteger:
            rc = sqlite3_bind_int64(stmt, index, std::strtoll(literal.text.c_str(), nullptr, 10));
            break;
          case dialect::Literal::Kind::kReal:
            rc = sqlite3_bind_double(stmt, index, std::strtod(literal.text.c_str(), nullptr));
            break;
          case dialect::Literal::Kind::kText:
            rc = sqlite3_bind_text(stmt, index, literal.text.data(),
                                   static_cast<int>(literal.text.size()), SQLITE_TRANSIENT);
            break;
        }
        if (rc != SQLITE_OK) {
          throw host::DatabaseError(std::string(sqlite3_errmsg(db)) + " [" +
                                    std::string(oracle_sql) + "]");
        }
      }
    }
  }

  Entry Build(const dialect::Lexed& lexed, std::string_view oracle_sql) {
    dialect::Translation translation;
    try {
      translation = dialect::Translate(dialect::Tokenize(oracle_sql));
    } catch (const dialect::TranslateError& error) {
      ThrowTranslateError(error, oracle_sql);
    }
    if (kept_by_skeleton.size() > capacity * 8) kept_by_skeleton.clear();
    kept_by_skeleton[lexed.skeleton] = translation.kept_literals;
    Entry entry;
    entry.key = KeyOf(lexed, translation.kept_literals);
    entry.is_block = translation.is_block;
    for (auto& statement : translation.statements) {
      sqlite3_stmt* stmt = nullptr;
      const int rc =
          sqlite3_prepare_v3(db, statement.sql.c_str(), static_cast<int>(statement.sql.size()),
                             SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
      if (rc != SQLITE_OK) {
        std::string message = sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
        Finalize(entry);
        throw host::DatabaseError(message + " [" + statement.sql + "]");
      }
      ++prepares;
      entry.statements.push_back(stmt);
      entry.params.push_back(std::move(statement.params));
    }
    return entry;
  }
};

StatementCache::StatementCache(sqlite3* db, std::size_t capacity)
    : impl_(std::make_unique<Impl>()) {
  impl_->db = db;
  impl_->capacity = capacity == 0 ? 1 : capacity;
}

StatementCache::~StatementCache() {
  Clear();
  ReleaseOracleSupport(impl_->db);
}

void StatementCache::Clear() {
  for (auto& entry : impl_->lru) Impl::Finalize(entry);
  impl_->lru.clear();
  impl_->entries.clear();
  impl_->kept_by_skeleton.clear();
}

std::size_t StatementCache::PrepareCount() const {
  return impl_->prepares;
}

StatementCache::Prepared StatementCache::Prepare(std::string_view oracle_sql) {
  dialect::Lexed lexed;
  try {
    lexed = dialect::Tokenize(oracle_sql, false);
  } catch (const dialect::TranslateError& error) {
    ThrowTranslateError(error, oracle_sql);
  }
  Impl& impl = *impl_;
  auto shape = impl.kept_by_skeleton.find(lexed.skeleton);
  if (shape != impl.kept_by_skeleton.end()) {
    auto found = impl.entries.find(Impl::KeyOf(lexed, shape->second));
    if (found != impl.entries.end()) {
      impl.lru.splice(impl.lru.begin(), impl.lru, found->second);
      Impl::Entry& entry = impl.lru.front();
      impl.Bind(entry, lexed, oracle_sql);
      return {entry.statements, entry.is_block};
    }
  }
  Impl::Entry built = impl.Build(lexed, oracle_sql);
  auto existing = impl.entries.find(built.key);
  if (existing != impl.entries.end()) {
    // Only possible after the skeleton map was trimmed: keep the older statements.
    Impl::Finalize(built);
    impl.lru.splice(impl.lru.begin(), impl.lru, existing->second);
  } else {
    impl.lru.push_front(std::move(built));
    impl.entries.emplace(impl.lru.front().key, impl.lru.begin());
    while (impl.lru.size() > impl.capacity) {
      Impl::Entry& last = impl.lru.back();
      impl.entries.erase(last.key);
      Impl::Finalize(last);
      impl.lru.pop_back();
    }
  }
  Impl::Entry& entry = impl.lru.front();
  impl.Bind(entry, lexed, oracle_sql);
  return {entry.statements, entry.is_block};
}

std::string TranslateForDisplay(std::string_view oracle_sql) {
  try {
    return dialect::TranslateForDisplay(oracle_sql);
  } catch (const dialect::TranslateError& error) {
    ThrowTranslateError(error, oracle_sql);
  }
}

}  // namespace lumvoucher::embedded
