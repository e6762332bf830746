#include "dialect/sql_runner.h"

#include <sqlite3.h>

#include "embedded/oracle_support.h"
#include "embedded/statement_cache.h"
#include "host/database_error.h"

namespace lumvoucher::dialect_test {

struct SqlRunner::CacheHolder {
  embedded::StatementCache cache;
  CacheHolder(sqlite3* db, std::size_t capacity) : cache(db, capacity) {}
};

namespace {

void Exec(sqlite3* db, const char* sql) {
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
    throw host::DatabaseError(sqlite3_errmsg(db));
  }
}

// SQLite's refusal of a step, with its extended code.
struct StepFailure {
  int code;
  std::string message;
};

// Steps one statement; the rows are kept when `out` is given.
void Step(sqlite3* db, sqlite3_stmt* stmt, Outcome& out, bool counts = true) {
  const int columns = sqlite3_column_count(stmt);
  out.is_query = columns > 0;
  out.columns.clear();
  out.rows.clear();
  for (int i = 0; i < columns; ++i) out.columns.emplace_back(sqlite3_column_name(stmt, i));
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    std::vector<std::string> row;
    for (int i = 0; i < columns; ++i) {
      const unsigned char* text = sqlite3_column_text(stmt, i);
      row.emplace_back(text ? std::string(reinterpret_cast<const char*>(text),
                                          static_cast<std::size_t>(sqlite3_column_bytes(stmt, i)))
                            : "NULL");
    }
    out.rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) {
    StepFailure failure{sqlite3_extended_errcode(db), sqlite3_errmsg(db)};
    sqlite3_reset(stmt);
    throw failure;
  }
  if (counts && !sqlite3_stmt_readonly(stmt)) out.changes += sqlite3_changes64(db);
  sqlite3_reset(stmt);
}

void StepOrRerun(sqlite3* db, embedded::StatementCache::Prepared& prepared, std::size_t n,
                 Outcome& out) {
  try {
    Step(db, prepared.Statement(n), out, prepared.ChangesRows(n));
  } catch (const StepFailure& failure) {
    if (failure.code != SQLITE_CONSTRAINT_UNIQUE && failure.code != SQLITE_CONSTRAINT_PRIMARYKEY) {
      throw host::DatabaseError(failure.message);
    }
    embedded::StatementCache::Rerun rerun = prepared.RerunWithKeysCheckedAtEnd(n);
    switch (rerun.outcome) {
      case embedded::StatementCache::Rerun::Outcome::kDone:
        out.is_query = false;
        out.columns.clear();
        out.rows.clear();
        out.changes += rerun.changes;
        return;
      case embedded::StatementCache::Rerun::Outcome::kFailed:
        throw host::DatabaseError(rerun.message);
      case embedded::StatementCache::Rerun::Outcome::kNotPossible:
        throw host::DatabaseError(failure.message);
    }
  }
}

}  // namespace

SqlRunner::SqlRunner(std::size_t cache_capacity, const std::string& path) {
  sqlite3_open(path.c_str(), &db_);
  embedded::InstallOracleSupport(db_);
  cache_ = std::make_unique<CacheHolder>(db_, cache_capacity);
}

SqlRunner::~SqlRunner() {
  cache_.reset();
  sqlite3_close(db_);
}

std::size_t SqlRunner::PrepareCount() const {
  return cache_->cache.PrepareCount();
}

std::string SqlRunner::TranslateForDisplay(std::string_view oracle_sql) {
  return cache_->cache.TranslateForDisplay(oracle_sql);
}

Outcome SqlRunner::Run(std::string_view oracle_sql) {
  embedded::StatementCache::Prepared prepared = cache_->cache.Prepare(oracle_sql);
  Outcome out;
  const bool is_block = prepared.IsBlock();
  if (is_block) Exec(db_, "SAVEPOINT dialect_test_block");
  try {
    for (std::size_t n = 0; n < prepared.Size(); ++n) StepOrRerun(db_, prepared, n, out);
  } catch (...) {
    if (is_block) {
      sqlite3_exec(db_, "ROLLBACK TO dialect_test_block; RELEASE dialect_test_block", nullptr,
                   nullptr, nullptr);
    }
    throw;
  }
  if (is_block) Exec(db_, "RELEASE dialect_test_block");
  return out;
}

Outcome SqlRunner::RunSqlite(std::string_view sqlite_sql) {
  Outcome out;
  std::string text(sqlite_sql);
  const char* tail = text.c_str();
  while (*tail) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, tail, -1, &stmt, &tail) != SQLITE_OK) {
      throw host::DatabaseError(sqlite3_errmsg(db_));
    }
    if (!stmt) break;
    try {
      Step(db_, stmt, out);
    } catch (const StepFailure& failure) {
      sqlite3_finalize(stmt);
      throw host::DatabaseError(failure.message);
    }
    sqlite3_finalize(stmt);
  }
  return out;
}

std::string Dump(const Outcome& outcome) {
  std::string text;
  auto line = [&](const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) text += '|';
      text += fields[i];
    }
    text += '\n';
  };
  line(outcome.columns);
  for (const auto& row : outcome.rows) line(row);
  return text;
}

}  // namespace lumvoucher::dialect_test
