#include "server/postgres_data_access.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "host/database_error.h"
#include "server/server_error.h"

namespace lumvoucher::server {

namespace {

using Result = PgResult;

constexpr char kKeySeparator = '\x1e';
// Every transaction of the account set takes this advisory lock ("lv") first.
constexpr const char* kWriterLock = "SELECT pg_advisory_xact_lock(27766)";
// A read of a chunk of ids (an IN list of hundreds of literals, a list's rows) runs on its
// statement's generic plan, planned once: the server's own choice keeps making a custom plan for
// every chunk, 3 ms of join search each, for the same plan.
constexpr const char* kGenericPlan = "SET plan_cache_mode = force_generic_plan";
constexpr const char* kPlanAsSet = "RESET plan_cache_mode";
constexpr std::size_t kGenericPlanParams = 64;
// The commands every transaction sends, prepared on each connection as lv_c0, lv_c1...: parsed
// (and the lock's query planned) once, not at every use.
constexpr const char* kFixedCommands[] = {
    "BEGIN",  kWriterLock,  "SAVEPOINT lv_stmt", "RELEASE SAVEPOINT lv_stmt",
    "COMMIT", kGenericPlan, kPlanAsSet};
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

// Steps sent together in libpq's pipeline mode and read after one Sync: one round trip for the
// lot. After a step fails the server skips the rest up to the Sync (PGRES_PIPELINE_ABORTED).
class Pipeline {
 public:
  explicit Pipeline(PGconn* conn) : conn_(conn), sent_(PQenterPipelineMode(conn) == 1) {}
  ~Pipeline() { PQexitPipelineMode(conn_); }
  Pipeline(const Pipeline&) = delete;
  Pipeline& operator=(const Pipeline&) = delete;

  void Command(const std::string& sql) {
    const auto fixed = std::find(std::begin(kFixedCommands), std::end(kFixedCommands), sql);
    if (fixed == std::end(kFixedCommands)) return Execute(nullptr, sql, {});
    const std::string name = "lv_c" + std::to_string(fixed - std::begin(kFixedCommands));
    Execute(&name, sql, {});
  }
  void Prepare(const std::string& name, const std::string& sql) {
    ++steps_;
    sent_ = sent_ && PQsendPrepare(conn_, name.c_str(), sql.c_str(), 0, nullptr) == 1;
  }
  // A prepared statement when `name` is given, else `sql` as it is.
  void Execute(const std::string* name, const std::string& sql,
               const std::vector<const char*>& values) {
    const int count = static_cast<int>(values.size());
    ++steps_;
    sent_ = sent_ && (name != nullptr ? PQsendQueryPrepared(conn_, name->c_str(), count,
                                                            values.data(), nullptr, nullptr, 0)
                                      : PQsendQueryParams(conn_, sql.c_str(), count, nullptr,
                                                          values.data(), nullptr, nullptr, 0)) == 1;
  }
  std::size_t Size() const { return steps_; }

  // One result per step, in order; the steps a lost connection left unanswered get its error.
  std::vector<Result> Run() {
    std::vector<Result> results;
    if (sent_ && PQpipelineSync(conn_) == 1) {
      bool between = false;
      while (PGresult* r = Next(between)) {
        if (PQresultStatus(r) == PGRES_PIPELINE_SYNC) {
          PQclear(r);
          break;
        }
        results.emplace_back(r, &PQclear);
      }
    }
    PQexitPipelineMode(conn_);
    while (results.size() < steps_) {
      results.emplace_back(PQmakeEmptyPGresult(conn_, PGRES_FATAL_ERROR), &PQclear);
    }
    return results;
  }

 private:
  // libpq ends each step's results with a null; two in a row, or one on a dead connection,
  // mean that nothing more comes.
  PGresult* Next(bool& between) {
    while (true) {
      if (PGresult* r = PQgetResult(conn_)) {
        between = false;
        return r;
      }
      if (between || PQstatus(conn_) != CONNECTION_OK) return nullptr;
      between = true;
    }
  }

  PGconn* conn_;
  bool sent_;
  std::size_t steps_ = 0;
};

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
  // The default page cost models a spinning disk; with it the planner reads all lines by a
  // sequential scan rather than probe the index for a list chunk's few hundred vouchers. A
  // server whose administrator chose a value keeps it.
  Command(
      "SET client_min_messages = warning; SELECT set_config('random_page_cost', '1.1', false) "
      "WHERE current_setting('random_page_cost') = '4'");
  Pipeline pipeline(conn_);
  for (std::size_t n = 0; n < std::size(kFixedCommands); ++n) {
    pipeline.Prepare("lv_c" + std::to_string(n), kFixedCommands[n]);
  }
  ++round_trips_;
  for (const Result& r : pipeline.Run()) {
    if (!Succeeded(r.get())) ThrowServerError(r.get(), "PREPARE");
  }
}

void PostgresDataAccess::ReconnectIfLost() {
  if (depth_ > 0) return;
  if (PQstatus(conn_) == CONNECTION_OK && PQpipelineStatus(conn_) == PQ_PIPELINE_OFF) return;
  PQreset(conn_);
  if (PQstatus(conn_) != CONNECTION_OK) {
    throw host::DatabaseError(std::string(kConnectionLost) + "：" + PQerrorMessage(conn_));
  }
  // The server forgot this session's prepared statements with it.
  for (Entry& entry : lru_) entry.names.assign(entry.names.size(), std::string());
  Connect();
}

void PostgresDataAccess::Command(const std::string& sql) {
  ++round_trips_;
  Result r(PQexec(conn_, sql.c_str()), &PQclear);
  if (!Succeeded(r.get())) ThrowServerError(r.get(), sql);
}

void PostgresDataAccess::Quietly(const std::string& sql) {
  ++round_trips_;
  PQclear(PQexec(conn_, sql.c_str()));
}

std::vector<PostgresDataAccess::Held> PostgresDataAccess::SendHeld(Pipeline& pipeline) {
  std::vector<Held> sent = std::move(held_);
  held_.clear();
  begin_held_ = false;
  for (Held& held : sent) {
    if (held.oracle.empty()) {
      pipeline.Command(held.sql);
    } else {
      if (held.prepares != nullptr) pipeline.Prepare(held.name, held.sql);
      std::vector<const char*> values;
      for (const std::string& value : held.values) values.push_back(value.c_str());
      pipeline.Execute(&held.name, held.sql, values);
    }
    held.step = pipeline.Size() - 1;
  }
  return sent;
}

void PostgresDataAccess::CheckSent(std::vector<Held>& sent, const std::vector<Result>& results) {
  for (const Held& held : sent) {
    if (held.prepares == nullptr) continue;
    if (Succeeded(results[held.step - 1].get())) {
      ++prepares_;
    } else {
      held.prepares->names[held.index].clear();
    }
  }
  const auto failed = std::find_if(sent.begin(), sent.end(), [&results](const Held& held) {
    return !Succeeded(results[held.step].get());
  });
  // A failed command that took no deferred statement along fails the statement it went with.
  const auto lost =
      std::find_if(failed, sent.end(), [](const Held& h) { return !h.oracle.empty(); });
  if (lost == sent.end()) return;
  ++epoch_;
  try {
    ThrowServerError(results[failed->step].get(),
                     failed->oracle.empty() ? failed->sql : failed->oracle);
  } catch (const host::DatabaseError& error) {
    failed_ = error;
    failed_depth_ = lost->depth;  // the held steps' depths never grow along the queue
    throw;
  }
}

void PostgresDataAccess::Flush(const char* last) {
  if (held_.empty() && last == nullptr) return;
  Pipeline pipeline(conn_);
  std::vector<Held> sent = SendHeld(pipeline);
  if (last != nullptr) pipeline.Command(last);
  const std::vector<Result> results = pipeline.Run();
  ++round_trips_;
  CheckSent(sent, results);
  for (const Held& held : sent) {
    if (!Succeeded(results[held.step].get())) ThrowServerError(results[held.step].get(), held.sql);
  }
  if (last != nullptr && !Succeeded(results.back().get())) {
    ThrowServerError(results.back().get(), last);
  }
}

void PostgresDataAccess::DropHeld(std::size_t from) {
  for (std::size_t n = from; n < held_.size(); ++n) {
    if (held_[n].prepares != nullptr) held_[n].prepares->names[held_[n].index].clear();
  }
  held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(from), held_.end());
  if (from == 0) begin_held_ = false;
}

bool PostgresDataAccess::HoldsStatements() const {
  return std::any_of(held_.begin(), held_.end(), [](const Held& h) { return !h.oracle.empty(); });
}

void PostgresDataAccess::ThrowIfFailed() const {
  if (failed_) throw *failed_;
}

pg_conn* PostgresDataAccess::Handle() {
  ThrowIfFailed();
  Flush();
  return conn_;
}

PgResult PostgresDataAccess::RunAfterHeld(const std::string& sql,
                                          const std::vector<std::string>& values) {
  ThrowIfFailed();
  Pipeline pipeline(conn_);
  std::vector<Held> sent = SendHeld(pipeline);
  std::vector<const char*> pointers;
  for (const std::string& value : values) pointers.push_back(value.c_str());
  pipeline.Execute(nullptr, sql, pointers);
  std::vector<Result> results = pipeline.Run();
  ++round_trips_;
  CheckSent(sent, results);
  for (const Held& held : sent) {
    if (!Succeeded(results[held.step].get())) ThrowServerError(results[held.step].get(), held.sql);
  }
  if (!Succeeded(results.back().get())) ThrowServerError(results.back().get(), sql);
  return std::move(results.back());
}

void PostgresDataAccess::Moved(std::string_view sql) {
  ++epoch_;
  if (host::MayChangeSlowlyChanging(sql)) ++slow_epoch_;
}

void PostgresDataAccess::ExecuteScript(std::string_view script) {
  ReconnectIfLost();
  ++epoch_;
  ++slow_epoch_;
  ThrowIfFailed();
  Flush();
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

void PostgresDataAccess::ExecuteDeferred(std::string_view sql) {
  if (depth_ == 0) {
    Execute(sql);
    return;
  }
  ThrowIfFailed();
  Moved(sql);
  dialect::Lexed lexed;
  Entry& entry = Lookup(sql, lexed);
  const dialect::Translation& translation = entry.translation;
  if (translation.changes_columns) {
    Execute(sql);
    return;
  }
  // No savepoint of its own: its failure fails the transaction anyway.
  for (std::size_t n = 0; n < translation.statements.size(); ++n) {
    const dialect::TranslatedStatement& statement = translation.statements[n];
    Held held{statement.sql, std::string(sql)};
    for (int literal : statement.params) {
      held.values.push_back(lexed.literals[static_cast<std::size_t>(literal)].text);
    }
    if (entry.names[n].empty()) {
      // Named now, so that the statement's next use in the same round trip does not prepare it
      // again; forgotten if the preparation does not get through.
      entry.names[n] = "lv_p" + std::to_string(++next_name_);
      held.prepares = &entry;
      held.index = n;
    }
    held.name = entry.names[n];
    held.depth = depth_;
    held_.push_back(std::move(held));
  }
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
    // Not while a held statement may name a prepared statement of the one dropped.
    while (lru_.size() > capacity_ && !HoldsStatements()) Drop(std::prev(lru_.end()));
    return lru_.front();
  } catch (const dialect::TranslateError& error) {
    throw host::DatabaseError(dialect::DescribeError(error, sql));
  }
}

std::list<PostgresDataAccess::Entry>::iterator PostgresDataAccess::Drop(
    std::list<Entry>::iterator entry) {
  for (const std::string& name : entry->names) {
    if (!name.empty()) Quietly("DEALLOCATE " + name);
  }
  entries_.erase(entry->key);
  return lru_.erase(entry);
}

std::int64_t PostgresDataAccess::Run(std::string_view sql, host::Recordset* out) {
  bool reads_only = false;
  try {
    const std::int64_t changes = RunOnce(sql, out, reads_only, false);
    if (!reads_only) Moved(sql);
    return changes;
  } catch (const host::DatabaseError&) {
    Moved(sql);
    // libpq learns that the server ended an idle session only when it next sends: a read outside
    // a transaction then runs again on a fresh one. A write might have committed before the
    // session went, so it is not repeated.
    if (!reads_only || depth_ > 0 || PQstatus(conn_) == CONNECTION_OK) throw;
    return RunOnce(sql, out, reads_only, false);
  }
}

std::int64_t PostgresDataAccess::RunOnce(std::string_view sql, host::Recordset* out,
                                         bool& reads_only, bool replanned) {
  ReconnectIfLost();
  ThrowIfFailed();
  dialect::Lexed lexed;
  Entry& entry = Lookup(sql, lexed);
  const dialect::Translation& translation = entry.translation;
  reads_only = !translation.changes_columns &&
               std::none_of(translation.statements.begin(), translation.statements.end(),
                            [](const dialect::TranslatedStatement& s) { return s.changes_rows; });
  const bool own_transaction = depth_ == 0 && translation.statements.size() > 1;
  // The transaction's first statement needs no savepoint: when it fails, the transaction begins
  // again with nothing lost.
  const bool first = depth_ > 0 && begin_held_ && held_.size() == 2;
  const bool savepoint = depth_ > 0 && !first;
  Pipeline pipeline(conn_);
  std::vector<Held> sent;
  if (own_transaction) {
    pipeline.Command("BEGIN");
    pipeline.Command(kWriterLock);
  } else if (depth_ > 0) {
    sent = SendHeld(pipeline);
    if (savepoint) pipeline.Command("SAVEPOINT lv_stmt");
  }
  const std::size_t count = translation.statements.size();
  std::vector<std::string> fresh(count);  // names prepared by this round trip
  std::vector<std::size_t> steps(count);  // the step executing each statement
  for (std::size_t n = 0; n < count; ++n) {
    const dialect::TranslatedStatement& statement = translation.statements[n];
    std::vector<const char*> values;
    values.reserve(statement.params.size());
    for (int literal : statement.params) {
      values.push_back(lexed.literals[static_cast<std::size_t>(literal)].text.c_str());
    }
    // Undone with the statement when it fails: the rollback to its savepoint, or of the
    // transaction, takes the setting back too.
    const bool generic = !translation.changes_columns && !statement.changes_rows &&
                         statement.params.size() >= kGenericPlanParams;
    if (generic) pipeline.Command(kGenericPlan);
    if (translation.changes_columns) {
      // DDL takes no parameters and is not kept prepared.
      pipeline.Execute(nullptr, statement.sql, values);
    } else {
      if (entry.names[n].empty()) {
        fresh[n] = "lv_p" + std::to_string(++next_name_);
        pipeline.Prepare(fresh[n], statement.sql);
      }
      pipeline.Execute(entry.names[n].empty() ? &fresh[n] : &entry.names[n], statement.sql, values);
    }
    steps[n] = pipeline.Size() - 1;
    if (generic) pipeline.Command(kPlanAsSet);
  }
  if (own_transaction) pipeline.Command("COMMIT");
  const std::vector<Result> results = pipeline.Run();
  ++round_trips_;
  CheckSent(sent, results);
  // A statement stays prepared whatever happened after its preparation.
  for (std::size_t n = 0; n < count; ++n) {
    if (!fresh[n].empty() && Succeeded(results[steps[n] - 1].get())) {
      entry.names[n] = fresh[n];
      ++prepares_;
    }
  }
  const auto failed = std::find_if(results.begin(), results.end(),
                                   [](const Result& r) { return !Succeeded(r.get()); });
  if (failed != results.end()) {
    if (own_transaction) {
      // Unless the COMMIT itself failed, which ends the transaction.
      if (PQtransactionStatus(conn_) != PQTRANS_IDLE) Quietly("ROLLBACK");
    } else if (savepoint) {
      Quietly("ROLLBACK TO SAVEPOINT lv_stmt; RELEASE SAVEPOINT lv_stmt");
    } else if (first) {
      Quietly("ROLLBACK");
      held_ = {{"BEGIN"}, {kWriterLock}};
      begin_held_ = true;
    }
    // Another connection changed a table under a statement kept prepared ("cached plan must
    // not change result type"): it is translated and prepared again, once.
    const auto step = static_cast<std::size_t>(failed - results.begin());
    const char* state = PQresultErrorField(failed->get(), PG_DIAG_SQLSTATE);
    bool kept = false;
    for (std::size_t n = 0; n < count && !translation.changes_columns; ++n) {
      kept = kept || (steps[n] == step && fresh[n].empty());
    }
    if (!replanned && kept && state != nullptr && std::string_view(state) == "0A000") {
      columns_->Forget();
      Drop(entries_.at(entry.key));
      return RunOnce(sql, out, reads_only, true);
    }
    ThrowServerError(failed->get(), std::string(sql));
  }
  std::int64_t changes = 0;
  for (std::size_t n = 0; n < count; ++n) {
    PGresult* r = results[steps[n]].get();
    if (translation.statements[n].changes_rows) {
      changes += std::atoll(PQcmdTuples(r));
    } else if (out != nullptr && n + 1 == count && PQresultStatus(r) == PGRES_TUPLES_OK) {
      *out = ReadRows(r);
    }
  }
  // Released together with the next statement's savepoint, or by the commit.
  if (savepoint) held_.push_back({"RELEASE SAVEPOINT lv_stmt"});
  if (translation.changes_columns) {
    // The translations made with the old column types may be wrong now.
    columns_->Forget();
    for (auto it = lru_.begin(); it != lru_.end();) {
      if (it->translation.uses_column_types && &*it != &entry) {
        it = Drop(it);
      } else {
        ++it;
      }
    }
  }
  return changes;
}

void PostgresDataAccess::BeginTrans() {
  ReconnectIfLost();
  ++epoch_;
  if (depth_ == 0) {
    // Writers take turns, as on the embedded file (BEGIN IMMEDIATE): a save's number check
    // inside its transaction then sees every number another desktop committed before it. Both
    // go with the transaction's first statement; a transaction without one never reaches the
    // server.
    held_ = {{"BEGIN"}, {kWriterLock}};
    begin_held_ = true;
  } else {
    held_.push_back({"SAVEPOINT lv_" + std::to_string(depth_)});
  }
  ++depth_;
}

void PostgresDataAccess::CommitTrans() {
  if (depth_ == 0) throw host::DatabaseError("没有可提交的事务");
  ++epoch_;
  if (depth_ == 1) {
    // The held commands go with the COMMIT: one of them may undo an inner transaction.
    depth_ = 0;
    try {
      ThrowIfFailed();
      if (begin_held_ && !HoldsStatements()) return DropHeld(0);
      Flush("COMMIT");
    } catch (const host::DatabaseError&) {
      failed_.reset();
      DropHeld(0);
      // Unless the COMMIT itself failed, which ends the transaction.
      if (PQtransactionStatus(conn_) != PQTRANS_IDLE) Quietly("ROLLBACK");
      throw;
    }
    return;
  }
  ThrowIfFailed();
  // The inner transaction's deferred statements are the outer one's now.
  for (Held& held : held_) held.depth = std::min(held.depth, depth_ - 1);
  held_.push_back({"RELEASE SAVEPOINT lv_" + std::to_string(depth_ - 1)});
  --depth_;
}

void PostgresDataAccess::RollbackTrans() {
  ForgetSlowlyChanging();
  if (depth_ == 0) throw host::DatabaseError("没有可回滚的事务");
  ++epoch_;
  ++slow_epoch_;
  if (depth_ == 1) {
    depth_ = 0;
    const bool begun = !begin_held_;
    DropHeld(0);
    failed_.reset();
    if (begun) Quietly("ROLLBACK");
    return;
  }
  // What the inner transaction held back never goes: all of it, its savepoint too, when that
  // is still held; else everything held came after the savepoint.
  const std::string name = "lv_" + std::to_string(depth_ - 1);
  const auto made = std::find_if(held_.rbegin(), held_.rend(), [&name](const Held& h) {
    return h.oracle.empty() && h.sql == "SAVEPOINT " + name;
  });
  const bool sent = made == held_.rend();
  DropHeld(sent ? 0 : static_cast<std::size_t>(held_.rend() - made) - 1);
  const bool undone = failed_ && failed_depth_ >= depth_;
  // A failure of an outer level aborted the server's transaction before the savepoint.
  if (sent && (!failed_ || undone)) {
    held_.push_back({"ROLLBACK TO SAVEPOINT " + name});
    held_.push_back({"RELEASE SAVEPOINT " + name});
  }
  if (undone) failed_.reset();
  --depth_;
}

}  // namespace lumvoucher::server
