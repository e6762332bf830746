#include "server/postgres_data_access.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdlib>

#include "host/database_error.h"
#include "server/server_error.h"

namespace lumvoucher::server {

namespace {

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

constexpr char kKeySeparator = '\x1e';
// Every transaction of the account set takes this advisory lock ("lv") first.
constexpr const char* kBeginWriting = "BEGIN; SELECT pg_advisory_xact_lock(27766)";
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701,
              kNumeric = 1700;

bool Succeeded(const PGresult* r) {
  const ExecStatusType status = PQresultStatus(r);
  return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

// numeric(38) keys come back as integers and amounts as doubles, as from the embedded database.
host::Value FieldValue(const PGresult* r, int row, int column) {
  if (PQgetisnull(r, row, column)) return host::Value();
  const char* text = PQgetvalue(r, row, column);
  switch (PQftype(r, column)) {
    case kBool:
      return host::Value(text[0] == 't' ? 1 : 0);
    case kInt2:
    case kInt4:
    case kInt8:
      return host::Value(static_cast<std::int64_t>(std::strtoll(text, nullptr, 10)));
    case kFloat4:
    case kFloat8:
      return host::Value(std::strtod(text, nullptr));
    case kNumeric: {
      // A NUMBER(n) column is an integer, a REAL one of the embedded schema a double, whatever
      // value it holds; a computed number is a double when it has a fraction part.
      const int modifier = PQfmod(r, column);
      const bool integer_column = modifier >= 4 && ((modifier - 4) & 0xFFFF) == 0;
      const bool real_column = modifier < 0 && PQftable(r, column) != InvalidOid;
      const std::string_view digits(text);
      const bool whole = digits.find_first_of(".eE") == std::string_view::npos;
      if (integer_column || (whole && !real_column && digits.size() <= 18)) {
        return host::Value(static_cast<std::int64_t>(std::strtoll(text, nullptr, 10)));
      }
      return host::Value(std::strtod(text, nullptr));
    }
    default:
      return host::Value(std::string(text, static_cast<std::size_t>(PQgetlength(r, row, column))));
  }
}

host::Recordset ReadRows(const PGresult* r) {
  std::vector<std::string> names;
  const int columns = PQnfields(r);
  for (int c = 0; c < columns; ++c) names.emplace_back(PQfname(r, c));
  std::vector<host::Recordset::Row> rows(static_cast<std::size_t>(PQntuples(r)));
  for (int row = 0; row < PQntuples(r); ++row) {
    host::Recordset::Row& fields = rows[static_cast<std::size_t>(row)];
    fields.reserve(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) fields.push_back(FieldValue(r, row, c));
  }
  return host::Recordset(std::move(names), std::move(rows));
}

}  // namespace

PostgresDataAccess::PostgresDataAccess(const std::string& conninfo, std::size_t cache_capacity)
    : conninfo_(conninfo), capacity_(cache_capacity) {
  conn_ = PQconnectdb(conninfo.c_str());
  if (PQstatus(conn_) != CONNECTION_OK) {
    std::string message = conn_ ? PQerrorMessage(conn_) : "out of memory";
    PQfinish(conn_);
    conn_ = nullptr;
    throw host::DatabaseError("无法连接数据库服务器“" + conninfo + "”：" + message);
  }
  Connect();
  columns_ = std::make_unique<CatalogColumnTypes>(conn_);
}

PostgresDataAccess::~PostgresDataAccess() {
  PQfinish(conn_);
}

void PostgresDataAccess::Connect() {
  PQsetClientEncoding(conn_, "UTF8");
  Command("SET client_min_messages = warning");
}

void PostgresDataAccess::ReconnectIfLost() {
  if (depth_ > 0 || PQstatus(conn_) == CONNECTION_OK) return;
  PQreset(conn_);
  if (PQstatus(conn_) != CONNECTION_OK) {
    throw host::DatabaseError(std::string(kConnectionLost) + "：" + PQerrorMessage(conn_));
  }
  // The server forgot this session's prepared statements with it.
  for (Entry& entry : lru_) entry.names.assign(entry.names.size(), std::string());
  pending_release_ = false;
  Connect();
}

void PostgresDataAccess::Command(const std::string& sql) {
  Result r(PQexec(conn_, sql.c_str()), &PQclear);
  if (!Succeeded(r.get())) ThrowServerError(r.get(), sql);
}

void PostgresDataAccess::Quietly(const std::string& sql) {
  PQclear(PQexec(conn_, sql.c_str()));
}

void PostgresDataAccess::ExecuteScript(std::string_view script) {
  ReconnectIfLost();
  Command(std::string(script));
  columns_->Forget();
}

std::string PostgresDataAccess::TranslateForDisplay(std::string_view sql) {
  try {
    return dialect::TranslateForDisplay(sql, columns_.get(), dialect::Target::kPostgres);
  } catch (const dialect::TranslateError& error) {
    throw host::DatabaseError(dialect::DescribeError(error, sql));
  }
}

host::Recordset PostgresDataAccess::OpenRecordset(std::string_view sql) {
  host::Recordset rows;
  Run(sql, &rows);
  return rows;
}

std::int64_t PostgresDataAccess::Execute(std::string_view sql) {
  return Run(sql, nullptr);
}

PostgresDataAccess::Entry& PostgresDataAccess::Lookup(std::string_view sql, dialect::Lexed& lexed) {
  try {
    dialect::Tokenize(sql, lexed, false);
    std::string key = lexed.skeleton;
    auto shape = kept_.find(lexed.skeleton);
    if (shape != kept_.end()) {
      for (int ordinal : shape->second) {
        key += kKeySeparator;
        key += lexed.literals[static_cast<std::size_t>(ordinal)].text;
      }
      auto found = entries_.find(key);
      if (found != entries_.end()) {
        lru_.splice(lru_.begin(), lru_, found->second);
        return lru_.front();
      }
    }
    dialect::Translation translation =
        dialect::Translate(sql, false, columns_.get(), dialect::Target::kPostgres);
    if (shape == kept_.end()) {
      shape = kept_.emplace(lexed.skeleton, translation.kept_literals).first;
      for (int ordinal : shape->second) {
        key += kKeySeparator;
        key += lexed.literals[static_cast<std::size_t>(ordinal)].text;
      }
    }
    Entry entry;
    entry.key = key;
    entry.names.assign(translation.statements.size(), std::string());
    entry.translation = std::move(translation);
    lru_.push_front(std::move(entry));
    entries_[key] = lru_.begin();
    while (lru_.size() > capacity_) {
      Forget(lru_.back());
      entries_.erase(lru_.back().key);
      lru_.pop_back();
    }
    return lru_.front();
  } catch (const dialect::TranslateError& error) {
    throw host::DatabaseError(dialect::DescribeError(error, sql));
  }
}

void PostgresDataAccess::Forget(Entry& entry) {
  for (std::string& name : entry.names) {
    if (!name.empty()) Quietly("DEALLOCATE " + name);
    name.clear();
  }
}

std::int64_t PostgresDataAccess::Run(std::string_view sql, host::Recordset* out) {
  bool reads_only = false;
  try {
    return RunOnce(sql, out, reads_only);
  } catch (const host::DatabaseError&) {
    // libpq learns that the server ended an idle session only when it next sends: a read outside
    // a transaction then runs again on a fresh one. A write might have committed before the
    // session went, so it is not repeated.
    if (!reads_only || depth_ > 0 || PQstatus(conn_) == CONNECTION_OK) throw;
    return RunOnce(sql, out, reads_only);
  }
}

std::int64_t PostgresDataAccess::RunOnce(std::string_view sql, host::Recordset* out,
                                         bool& reads_only) {
  ReconnectIfLost();
  dialect::Lexed lexed;
  Entry& entry = Lookup(sql, lexed);
  const dialect::Translation& translation = entry.translation;
  reads_only = !translation.changes_columns &&
               std::none_of(translation.statements.begin(), translation.statements.end(),
                            [](const dialect::TranslatedStatement& s) { return s.changes_rows; });
  const bool own_transaction = depth_ == 0 && translation.statements.size() > 1;
  const bool savepoint = depth_ > 0;
  if (own_transaction) {
    Command(kBeginWriting);
  } else if (savepoint) {
    Command(pending_release_ ? "RELEASE SAVEPOINT lv_stmt; SAVEPOINT lv_stmt"
                             : "SAVEPOINT lv_stmt");
    pending_release_ = false;
  }
  std::int64_t changes = 0;
  try {
    for (std::size_t n = 0; n < translation.statements.size(); ++n) {
      const dialect::TranslatedStatement& statement = translation.statements[n];
      std::vector<const char*> values;
      values.reserve(statement.params.size());
      for (int literal : statement.params) {
        values.push_back(lexed.literals[static_cast<std::size_t>(literal)].text.c_str());
      }
      const int count = static_cast<int>(values.size());
      Result r(nullptr, &PQclear);
      if (translation.changes_columns) {
        // DDL takes no parameters and is not kept prepared.
        r.reset(PQexecParams(conn_, statement.sql.c_str(), count, nullptr, values.data(), nullptr,
                             nullptr, 0));
      } else {
        std::string& name = entry.names[n];
        if (name.empty()) {
          const std::string fresh = "lv_p" + std::to_string(++next_name_);
          Result prepared(PQprepare(conn_, fresh.c_str(), statement.sql.c_str(), 0, nullptr),
                          &PQclear);
          if (!Succeeded(prepared.get())) ThrowServerError(prepared.get(), std::string(sql));
          ++prepares_;
          name = fresh;
        }
        r.reset(PQexecPrepared(conn_, name.c_str(), count, values.data(), nullptr, nullptr, 0));
      }
      if (!Succeeded(r.get())) ThrowServerError(r.get(), std::string(sql));
      if (statement.changes_rows) {
        changes += std::atoll(PQcmdTuples(r.get()));
      } else if (out != nullptr && n + 1 == translation.statements.size() &&
                 PQresultStatus(r.get()) == PGRES_TUPLES_OK) {
        *out = ReadRows(r.get());
      }
    }
    if (own_transaction) Command("COMMIT");
  } catch (const host::DatabaseError&) {
    if (own_transaction) {
      Quietly("ROLLBACK");
    } else if (savepoint) {
      Quietly("ROLLBACK TO SAVEPOINT lv_stmt; RELEASE SAVEPOINT lv_stmt");
    }
    throw;
  }
  if (savepoint) pending_release_ = true;
  if (translation.changes_columns) {
    // The translations made with the old column types may be wrong now.
    columns_->Forget();
    for (auto it = lru_.begin(); it != lru_.end();) {
      if (it->translation.uses_column_types && &*it != &entry) {
        Forget(*it);
        entries_.erase(it->key);
        it = lru_.erase(it);
      } else {
        ++it;
      }
    }
  }
  return changes;
}

void PostgresDataAccess::BeginTrans() {
  ReconnectIfLost();
  if (depth_ == 0) {
    // Writers take turns, as on the embedded file (BEGIN IMMEDIATE): a save's number check
    // inside its transaction then sees every number another desktop committed before it.
    Command(kBeginWriting);
  } else {
    // The last statement's savepoint goes first, or releasing it later would take this one.
    Command((pending_release_ ? "RELEASE SAVEPOINT lv_stmt; SAVEPOINT lv_" : "SAVEPOINT lv_") +
            std::to_string(depth_));
    pending_release_ = false;
  }
  ++depth_;
}

void PostgresDataAccess::CommitTrans() {
  if (depth_ == 0) throw host::DatabaseError("没有可提交的事务");
  // Releasing or committing also ends the savepoint of the last statement.
  pending_release_ = false;
  if (depth_ == 1) {
    depth_ = 0;
    Command("COMMIT");
    return;
  }
  Command("RELEASE SAVEPOINT lv_" + std::to_string(depth_ - 1));
  --depth_;
}

void PostgresDataAccess::RollbackTrans() {
  if (depth_ == 0) throw host::DatabaseError("没有可回滚的事务");
  pending_release_ = false;
  if (depth_ == 1) {
    Quietly("ROLLBACK");
    depth_ = 0;
    return;
  }
  const std::string name = "lv_" + std::to_string(depth_ - 1);
  --depth_;
  Command("ROLLBACK TO SAVEPOINT " + name + "; RELEASE SAVEPOINT " + name);
}

}  // namespace lumvoucher::server
