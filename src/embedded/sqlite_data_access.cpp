#include "embedded/sqlite_data_access.h"

#include <sqlite3.h>

#include <algorithm>
#include <sstream>

#include "embedded/oracle_support.h"
#include "embedded/statement_cache.h"
#include "host/ascii.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

namespace {

std::string Trim(std::string_view text) {
  std::size_t b = text.find_first_not_of(' ');
  std::size_t e = text.find_last_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(text.substr(b, e - b + 1));
}

host::Value ColumnValue(sqlite3_stmt* stmt, int i) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
      return host::Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
      return host::Value(sqlite3_column_double(stmt, i));
    case SQLITE_NULL:
      return host::Value();
    default: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      return host::Value(
          std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))));
    }
  }
}

bool OnlyReads(StatementCache::Prepared& prepared) {
  if (prepared.Size() != 1 || prepared.ChangesRows(0)) return false;
  sqlite3_stmt* stmt = prepared.Statement(0);
  // A sequence's NEXTVAL writes from inside a query.
  return sqlite3_stmt_readonly(stmt) != 0 &&
         std::string_view(sqlite3_sql(stmt)).find("lv_nextval") == std::string_view::npos;
}

}  // namespace

SqliteDataAccess::SqliteDataAccess(const std::string& path, int busy_timeout_ms) : path_(path) {
  // SQLite's memory statistics take a process-wide mutex at every allocation, and nothing here
  // reads them. Only possible before the library's first use; later it answers SQLITE_MISUSE.
  static const int no_statistics = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)no_statistics;
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw host::DatabaseError("无法打开数据库“" + path + "”：" + message);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, busy_timeout_ms);
  if (path != ":memory:" && !path.empty()) {
    sqlite3_stmt* mode = nullptr;
    if (sqlite3_prepare_v2(db_, "PRAGMA journal_mode = WAL", -1, &mode, nullptr) == SQLITE_OK &&
        sqlite3_step(mode) == SQLITE_ROW) {
      const auto* answer = reinterpret_cast<const char*>(sqlite3_column_text(mode, 0));
      wal_ = answer != nullptr && std::string_view(answer) == "wal";
    }
    sqlite3_finalize(mode);
  }
  // Nothing entered may be lost: a commit is on disk when it returns.
  Exec("PRAGMA synchronous = FULL");
  Exec("PRAGMA foreign_keys = OFF");
  // A savepoint's journal (every nested transaction keeps one) stays in memory rather than in a
  // temporary file made and removed for each statement.
  Exec("PRAGMA temp_store = MEMORY");
  // A hospital group's year (400 000 lines) is a few hundred megabytes: with the default 2 MB of
  // page cache every balance or list read over it goes back to the file for its b-tree pages.
  // The cache grows only as pages are read.
  Exec("PRAGMA cache_size = -131072");
  InstallOracleSupport(db_);
  cache_ = std::make_unique<StatementCache>(db_);
}

SqliteDataAccess::~SqliteDataAccess() {
  if (depth_ > 0 || snapshot_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  for (sqlite3_stmt* command : commands_) sqlite3_finalize(command);
  cache_.reset();
  sqlite3_close_v2(db_);
}

void SqliteDataAccess::Exec(const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errmsg(db_);
    sqlite3_free(error);
    throw host::DatabaseError(message + " [" + sql + "]");
  }
}

bool SqliteDataAccess::Run(Command command, bool quiet) {
  static constexpr const char* kText[] = {"BEGIN DEFERRED", "BEGIN IMMEDIATE", "COMMIT"};
  const char* sql = kText[static_cast<int>(command)];
  sqlite3_stmt*& stmt = commands_[static_cast<int>(command)];
  int rc = SQLITE_OK;
  if (stmt == nullptr) {
    rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  }
  if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
  std::string message = rc == SQLITE_DONE || quiet ? std::string() : sqlite3_errmsg(db_);
  if (stmt != nullptr) sqlite3_reset(stmt);
  if (rc == SQLITE_DONE) return true;
  if (quiet) return false;
  throw host::DatabaseError(message + " [" + sql + "]");
}

void SqliteDataAccess::ExecuteScript(std::string_view script) {
  ++epoch_;
  ++slow_epoch_;
  EndSnapshot();
  // A script may change tables inside a transaction, before the cache could notice a commit.
  cache_->SchemaChanged();
  Exec(std::string(script).c_str());
}

std::string SqliteDataAccess::TranslateForDisplay(std::string_view sql) {
  return cache_->TranslateForDisplay(sql);
}

void SqliteDataAccess::OnRollback(std::function<void(bool)> listener) {
  rollback_listeners_.push_back(std::move(listener));
}

host::Recordset SqliteDataAccess::OpenRecordset(std::string_view sql) {
  host::Recordset rows;
  Run(sql, &rows);
  return rows;
}

std::int64_t SqliteDataAccess::Execute(std::string_view sql) {
  return Run(sql, nullptr);
}

std::int64_t SqliteDataAccess::Run(std::string_view sql, host::Recordset* out) {
  StatementCache::Prepared prepared = cache_->Prepare(sql);
  const bool is_block = prepared.IsBlock();
  const bool reads_only = !is_block && OnlyReads(prepared);
  if (!reads_only) {
    ++epoch_;
    if (host::MayChangeSlowlyChanging(sql)) ++slow_epoch_;  // a block's BEGIN answers yes
  }
  // A write inside a read scope's snapshot would fail when another desktop wrote meanwhile
  // (SQLITE_BUSY_SNAPSHOT, no waiting): it runs on its own, as outside the scope.
  if (is_block) EndSnapshot();
  if (is_block) Exec("SAVEPOINT lv_block");
  std::int64_t changes = 0;
  try {
    if (read_scopes_ > 0 && depth_ == 0 && !is_block) {
      if (!reads_only) {
        EndSnapshot();
      } else if (!snapshot_) {
        Run(Command::kBeginDeferred);
        snapshot_ = true;
      }
    }
    for (std::size_t n = 0; n < prepared.Size(); ++n) {
      sqlite3_stmt* stmt = prepared.Statement(n);
      const bool collect =
          out != nullptr && n + 1 == prepared.Size() && sqlite3_column_count(stmt) > 0;
      std::vector<host::Recordset::Row> rows;
      const int columns = sqlite3_column_count(stmt);
      int rc;
      while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (!collect) continue;
        host::Recordset::Row row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int i = 0; i < columns; ++i) row.push_back(ColumnValue(stmt, i));
        rows.push_back(std::move(row));
      }
      if (rc != SQLITE_DONE) {
        int code = sqlite3_extended_errcode(db_);
        std::string message = sqlite3_errmsg(db_);
        sqlite3_reset(stmt);
        const bool unique =
            code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY;
        if (unique) {
          // Oracle checks keys when the statement ends, SQLite row by row.
          StatementCache::Rerun rerun = prepared.RerunWithKeysCheckedAtEnd(n);
          if (rerun.outcome == StatementCache::Rerun::Outcome::kDone) {
            changes += rerun.changes;
            continue;
          }
          if (rerun.outcome == StatementCache::Rerun::Outcome::kFailed) {
            code = rerun.code;
            message = rerun.message;
          }
        }
        sqlite3_clear_bindings(stmt);
        throw host::DatabaseError(
            message, (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY)
                         ? UniqueKeyOf(message)
                         : std::string());
      }
      if (prepared.ChangesRows(n)) changes += sqlite3_changes64(db_);
      if (collect) {
        std::vector<std::string> names;
        for (int i = 0; i < columns; ++i) names.emplace_back(sqlite3_column_name(stmt, i));
        *out = host::Recordset(std::move(names), std::move(rows));
      }
      sqlite3_reset(stmt);
    }
  } catch (const host::DatabaseError& error) {
    if (is_block) {
      sqlite3_exec(db_, "ROLLBACK TO lv_block; RELEASE lv_block", nullptr, nullptr, nullptr);
    }
    if (error.ViolatedKey().empty()) {
      throw host::DatabaseError(std::string(error.what()) + " [" + std::string(sql) + "]");
    }
    throw host::DatabaseError(
        "ORA-00001: 违反唯一约束条件 (" + error.ViolatedKey() + ")：" + error.what(),
        error.ViolatedKey());
  }
  if (is_block) Exec("RELEASE lv_block");
  return changes;
}

// SQLite names the columns of a violated unique key, not the key; find the index that has
// exactly those columns so the caller can tell VOUCHER_NOUNIQUE from any other key.
std::string SqliteDataAccess::UniqueKeyOf(const std::string& message) {
  const std::string marker = "constraint failed: ";
  std::size_t at = message.find(marker);
  if (at == std::string::npos) return "UNIQUE";
  std::string table;
  std::vector<std::string> columns;
  std::stringstream list(message.substr(at + marker.size()));
  std::string item;
  while (std::getline(list, item, ',')) {
    item = Trim(item);
    std::size_t dot = item.find('.');
    if (dot == std::string::npos) continue;
    table = item.substr(0, dot);
    columns.push_back(host::AsciiUpper(item.substr(dot + 1)));
  }
  std::sort(columns.begin(), columns.end());
  std::string signature = host::AsciiUpper(table) + "(";
  for (const auto& c : columns) signature += c + ",";
  auto cached = unique_key_names_.find(signature);
  if (cached != unique_key_names_.end()) return cached->second;

  std::string found = "PK_" + host::AsciiUpper(table);
  sqlite3_stmt* indexes = nullptr;
  std::string list_sql = "PRAGMA index_list(\"" + table + "\")";
  if (sqlite3_prepare_v2(db_, list_sql.c_str(), -1, &indexes, nullptr) == SQLITE_OK) {
    while (sqlite3_step(indexes) == SQLITE_ROW) {
      if (sqlite3_column_int(indexes, 2) == 0) continue;  // not unique
      std::string name = reinterpret_cast<const char*>(sqlite3_column_text(indexes, 1));
      sqlite3_stmt* info = nullptr;
      std::string info_sql = "PRAGMA index_info(\"" + name + "\")";
      std::vector<std::string> index_columns;
      if (sqlite3_prepare_v2(db_, info_sql.c_str(), -1, &info, nullptr) == SQLITE_OK) {
        while (sqlite3_step(info) == SQLITE_ROW) {
          index_columns.push_back(
              host::AsciiUpper(reinterpret_cast<const char*>(sqlite3_column_text(info, 2))));
        }
      }
      sqlite3_finalize(info);
      std::sort(index_columns.begin(), index_columns.end());
      if (index_columns == columns) {
        found = name.rfind("sqlite_autoindex", 0) == 0 ? "PK_" + host::AsciiUpper(table)
                                                       : host::AsciiUpper(name);
        break;
      }
    }
  }
  sqlite3_finalize(indexes);
  unique_key_names_[signature] = found;
  return found;
}

void SqliteDataAccess::BeginReads() {
  ++read_scopes_;
}

void SqliteDataAccess::EndReads() {
  if (read_scopes_ > 0 && --read_scopes_ == 0) EndSnapshot();
}

void SqliteDataAccess::EndSnapshot() {
  if (!snapshot_) return;
  snapshot_ = false;
  ++epoch_;
  // Only reads ran in it: ending it cannot lose anything, whatever COMMIT answers.
  Run(Command::kCommit, true);
}

SqliteDataAccess::RowsVersion SqliteDataAccess::CurrentRowsVersion() const {
  return {cache_->DataVersion(), sqlite3_total_changes64(db_)};
}

void SqliteDataAccess::BeginTrans() {
  ++epoch_;
  if (depth_ == 0) {
    EndSnapshot();
    Run(Command::kBeginImmediate);
  } else {
    Exec(("SAVEPOINT lv_" + std::to_string(depth_)).c_str());
  }
  ++depth_;
}

void SqliteDataAccess::BeginScratchTrans() {
  // In WAL mode every durable commit syncs the whole log first, so a commit without its own
  // sync can be lost only to a power failure, and then only with the commits after it that did
  // not sync either. A rollback journal has no such order: there every commit syncs.
  if (depth_ == 0 && wal_) {
    EndSnapshot();  // the level cannot change inside a read transaction either
    Exec("PRAGMA synchronous = NORMAL");
    relaxed_ = true;
    try {
      BeginTrans();
    } catch (...) {
      EndRelaxedCommit();
      throw;
    }
    return;
  }
  BeginTrans();
}

void SqliteDataAccess::EndRelaxedCommit() {
  if (!relaxed_) return;
  relaxed_ = false;
  // Outside a transaction this touches no page, so it cannot be busy.
  Exec("PRAGMA synchronous = FULL");
}

void SqliteDataAccess::CommitTrans() {
  if (depth_ == 0) throw host::DatabaseError("没有可提交的事务");
  ++epoch_;
  if (depth_ == 1) {
    const unsigned int version = cache_->DataVersion();
    // A failed COMMIT leaves the transaction open for the caller's rollback, which restores the
    // sync.
    Run(Command::kCommit);
    cache_->Committed(version);
  } else {
    Exec(("RELEASE lv_" + std::to_string(depth_ - 1)).c_str());
  }
  --depth_;
  if (depth_ == 0) EndRelaxedCommit();
}

void SqliteDataAccess::RollbackTrans() {
  ForgetSlowlyChanging();
  if (depth_ == 0) throw host::DatabaseError("没有可回滚的事务");
  ++epoch_;
  ++slow_epoch_;
  if (depth_ == 1) {
    // ROLLBACK can only fail when there is no transaction left; either way it is over.
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    depth_ = 0;
    EndRelaxedCommit();
    for (auto& listener : rollback_listeners_) listener(true);
    return;
  }
  std::string name = "lv_" + std::to_string(depth_ - 1);
  Exec(("ROLLBACK TO " + name + "; RELEASE " + name).c_str());
  --depth_;
  for (auto& listener : rollback_listeners_) listener(false);
}

}  // namespace lumvoucher::embedded
