#include "embedded/statement_cache.h"

#include <sqlite3.h>

#include <charconv>
#include <cstdlib>
#include <list>
#include <string_view>
#include <unordered_map>

#include "embedded/dialect/translator.h"
#include "embedded/oracle_support.h"
#include "embedded/schema_column_types.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

namespace {

constexpr char kKeySeparator = '\x1e';

[[noreturn]] void ThrowTranslateError(const dialect::TranslateError& error,
                                      std::string_view oracle_sql) {
  throw host::DatabaseError(dialect::DescribeError(error, oracle_sql));
}

// A failed step of the rerun: what SQLite said, read before anything else runs.
struct StepError {
  int code;
  std::string message;
};

void Run(sqlite3* db, sqlite3_stmt* stmt) {
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) {
    StepError error{sqlite3_extended_errcode(db), sqlite3_errmsg(db)};
    sqlite3_reset(stmt);
    throw error;
  }
  sqlite3_reset(stmt);
}

// A statement finalized on every path; nullptr when it cannot be prepared.
class Scratch {
 public:
  Scratch(sqlite3* db, const std::string& sql) {
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
        SQLITE_OK) {
      StepError error{sqlite3_extended_errcode(db), sqlite3_errmsg(db)};
      sqlite3_finalize(stmt_);
      stmt_ = nullptr;
      error_ = std::move(error);
    }
  }
  ~Scratch() { sqlite3_finalize(stmt_); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  sqlite3_stmt* Get() const {
    if (stmt_ == nullptr) throw error_;
    return stmt_;
  }
  bool Ok() const { return stmt_ != nullptr; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  StepError error_{SQLITE_ERROR, ""};
};

std::string ColumnText(sqlite3_stmt* stmt, int i) {
  const unsigned char* text = sqlite3_column_text(stmt, i);
  return text ? std::string(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(sqlite3_column_bytes(stmt, i)))
              : std::string();
}

std::string Unquote(const std::string& name) {
  if (name.size() < 2 || name.front() != '"') return name;
  std::string out;
  for (std::size_t i = 1; i + 1 < name.size(); ++i) {
    out += name[i];
    if (name[i] == '"') ++i;
  }
  return out;
}

std::string Quote(const std::string& name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

// The header of CREATE TRIGGER up to its ON: the event words.
bool TriggerFiresOn(const std::string& sql, std::string_view event) {
  const std::string upper = dialect::ToUpper(sql);
  const std::size_t on = upper.find(" ON ");
  return upper.substr(0, on).find(event) != std::string::npos;
}

// How the target table stands for a delete-and-insert rerun.
struct TargetTable {
  bool usable = false;
  bool has_triggers = false;  // INSERT or DELETE ones, which must not fire
  std::vector<std::string> columns;
  int rowid_alias = -1;  // index into columns of the INTEGER PRIMARY KEY
  // A WITHOUT ROWID table's rows are found again by their primary key columns.
  bool without_rowid = false;
  std::vector<std::string> key_columns;
};

TargetTable InspectTarget(sqlite3* db, const std::string& table) {
  TargetTable target;
  // Removing and re-adding rows would cascade or trip the references to them.
  Scratch foreign_keys(db, "PRAGMA foreign_keys");
  if (!foreign_keys.Ok() || sqlite3_step(foreign_keys.Get()) != SQLITE_ROW ||
      sqlite3_column_int(foreign_keys.Get(), 0) != 0) {
    return target;
  }
  Scratch schema(db,
                 "SELECT type, sql, 0 FROM sqlite_temp_schema WHERE tbl_name = ?1 COLLATE NOCASE "
                 "UNION ALL SELECT type, sql, 1 FROM sqlite_schema WHERE tbl_name = ?1 COLLATE "
                 "NOCASE");
  if (!schema.Ok()) return target;
  sqlite3_bind_text(schema.Get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
  bool is_table = false;
  while (sqlite3_step(schema.Get()) == SQLITE_ROW) {
    const std::string type = ColumnText(schema.Get(), 0);
    const std::string sql = ColumnText(schema.Get(), 1);
    const bool main = sqlite3_column_int(schema.Get(), 2) != 0;
    if (type == "table") {
      // A temporary table of that name hides the main one; let it not be rerun.
      if (!main) return target;
      const std::string upper = dialect::ToUpper(sql);
      if (upper.rfind("CREATE VIRTUAL", 0) == 0) return target;
      target.without_rowid = upper.find("WITHOUT ROWID") != std::string::npos;
      is_table = true;
    } else if (type == "view") {
      return target;
    } else if (type == "trigger") {
      // UPDATE triggers would not fire, and TEMP triggers cannot be switched off.
      if (!main || TriggerFiresOn(sql, "UPDATE")) return target;
      target.has_triggers = true;
    }
  }
  if (!is_table) return target;
  Scratch info(db, "PRAGMA table_xinfo(" + Quote(table) + ")");
  if (!info.Ok()) return target;
  int keys = 0;
  int integer_key = -1;
  while (sqlite3_step(info.Get()) == SQLITE_ROW) {
    if (sqlite3_column_int(info.Get(), 6) != 0) continue;  // generated or hidden
    const std::string type = dialect::ToUpper(ColumnText(info.Get(), 2));
    if (const int key = sqlite3_column_int(info.Get(), 5); key > 0) {
      ++keys;
      if (type == "INTEGER") integer_key = static_cast<int>(target.columns.size());
      if (target.key_columns.size() < static_cast<std::size_t>(key)) {
        target.key_columns.resize(static_cast<std::size_t>(key));
      }
      target.key_columns[static_cast<std::size_t>(key - 1)] = ColumnText(info.Get(), 1);
    }
    target.columns.push_back(ColumnText(info.Get(), 1));
  }
  if (keys == 1 && !target.without_rowid) target.rowid_alias = integer_key;
  target.usable = !target.columns.empty() && (!target.without_rowid || keys > 0);
  return target;
}

}  // namespace

struct StatementCache::Entry {
  std::string skeleton;
  std::string values;  // of the literals kept in the SQLite text
  std::vector<dialect::TranslatedStatement> sources;
  std::vector<sqlite3_stmt*> statements;  // nullptr until first run
  bool is_block = false;
  bool uses_column_types = false;
  std::uint64_t columns_version = 0;  // of the column types it was translated with
  bool changes_columns = false;       // a CREATE or DROP TABLE
};

struct StatementCache::Impl {
  // The statements of one skeleton. Which literals stay in the SQLite text is fixed by the
  // skeleton; their values pick the entry, so two texts share statements only when they
  // differ in bound values alone.
  struct Shape {
    std::vector<int> kept;
    std::unordered_map<std::string, std::list<Entry>::iterator> entries;
  };

  Impl(sqlite3* connection, std::size_t size) : db(connection), capacity(size), columns(db) {}
  ~Impl() { sqlite3_finalize(cookie); }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  sqlite3* db;
  std::size_t capacity;
  std::size_t prepares = 0;
  SchemaColumnTypes columns;
  // Bumped when the declared column types may have changed: an entry that depends on them is
  // translated again before it runs.
  std::uint64_t columns_version = 0;
  unsigned int data_version = 0;  // of the file, when the schema cookie was last read
  int schema_cookie = -1;
  sqlite3_stmt* cookie = nullptr;
  std::list<Entry> lru;  // most recent first
  std::unordered_map<std::string, Shape> shapes;
  // Reused between calls so that a lookup allocates nothing.
  dialect::Lexed scan;
  std::string values;
  // The literals of the text last prepared: what its statements are bound to.
  std::vector<dialect::Literal> literals;
  std::string_view oracle_sql;  // valid while its statements run

  static void ValuesOf(const dialect::Lexed& lexed, const std::vector<int>& kept,
                       std::string& out) {
    out.clear();
    for (int ordinal : kept) {
      out += kKeySeparator;
      out += lexed.literals[static_cast<std::size_t>(ordinal)].text;
    }
  }

  static void Finalize(Entry& entry) {
    for (sqlite3_stmt* stmt : entry.statements) sqlite3_finalize(stmt);
    entry.statements.assign(entry.statements.size(), nullptr);
  }

  void Bind(sqlite3_stmt* stmt, const std::vector<int>& params) {
    sqlite3_reset(stmt);
    for (std::size_t p = 0; p < params.size(); ++p) {
      const dialect::Literal& literal = literals[static_cast<std::size_t>(params[p])];
      const int index = static_cast<int>(p) + 1;
      int rc = SQLITE_OK;
      switch (literal.kind) {
        case dialect::Literal::Kind::kInteger: {
          // Digits only, at most 18 of them: they always fit.
          std::int64_t value = 0;
          std::from_chars(literal.text.data(), literal.text.data() + literal.text.size(), value);
          rc = sqlite3_bind_int64(stmt, index, value);
          break;
        }
        case dialect::Literal::Kind::kReal:
          rc = sqlite3_bind_double(stmt, index, std::strtod(literal.text.c_str(), nullptr));
          break;
        case dialect::Literal::Kind::kText:
          rc = sqlite3_bind_text(stmt, index, literal.text.data(),
                                 static_cast<int>(literal.text.size()), SQLITE_TRANSIENT);
          break;
      }
      if (rc != SQLITE_OK) {
        throw host::DatabaseError(std::string(sqlite3_errmsg(db)) + " [" + std::string(oracle_sql) +
                                  "]");
      }
    }
  }

  sqlite3_stmt* PrepareOne(const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) {
      std::string message = sqlite3_errmsg(db);
      sqlite3_finalize(stmt);
      throw host::DatabaseError(message + " [" + sql + "]");
    }
    ++prepares;
    return stmt;
  }

  void ColumnsChanged() {
    ++columns_version;
    columns.Forget();
  }

  // A schema change by DDL through this cache is seen when the DDL is prepared, one by the
  // host's own scripts through SchemaChanged; one on another connection (another desktop)
  // shows as a new data version of the file whose schema cookie moved. Reading the data version
  // costs no I/O, so a statement that finds its cached translation pays next to nothing.
  unsigned int DataVersion() const {
    unsigned int version = 0;
    return sqlite3_file_control(db, "main", SQLITE_FCNTL_DATA_VERSION, &version) == SQLITE_OK
               ? version
               : 0;
  }

  void NoticeSchemaChange() {
    const unsigned int version = DataVersion();
    if (version == 0 || version == data_version) return;
    data_version = version;
    if (cookie == nullptr &&
        sqlite3_prepare_v3(db, "PRAGMA schema_version", -1, SQLITE_PREPARE_PERSISTENT, &cookie,
                           nullptr) != SQLITE_OK) {
      sqlite3_finalize(cookie);
      cookie = nullptr;
      return;
    }
    const int value = sqlite3_step(cookie) == SQLITE_ROW ? sqlite3_column_int(cookie, 0) : -1;
    sqlite3_reset(cookie);
    if (value != schema_cookie) {
      schema_cookie = value;
      ColumnsChanged();
    }
  }

  dialect::Translation Translate(std::string_view text) {
    try {
      return dialect::Translate(dialect::Tokenize(text), false, &columns);
    } catch (const dialect::TranslateError& error) {
      ThrowTranslateError(error, text);
    }
  }

  // An entry translated with column types that may have changed since: translated again, its
  // prepared statements kept when the text comes out the same.
  void Refresh(Entry& entry, std::string_view text) {
    dialect::Translation fresh = Translate(text);
    bool same = fresh.statements.size() == entry.sources.size();
    for (std::size_t s = 0; same && s < fresh.statements.size(); ++s) {
      same = fresh.statements[s].sql == entry.sources[s].sql;
    }
    if (!same) {
      Finalize(entry);
      entry.statements.assign(fresh.statements.size(), nullptr);
      entry.sources = std::move(fresh.statements);
    }
    entry.uses_column_types = fresh.uses_column_types;
    entry.columns_version = columns_version;
  }

  Entry* Build(const dialect::Lexed& lexed, std::string_view text) {
    dialect::Translation translation = Translate(text);
    Shape& shape = shapes[lexed.skeleton];
    if (shape.entries.empty()) shape.kept = translation.kept_literals;
    ValuesOf(lexed, shape.kept, values);
    auto existing = shape.entries.find(values);
    if (existing != shape.entries.end()) {
      lru.splice(lru.begin(), lru, existing->second);
      return &lru.front();
    }
    Entry entry;
    entry.skeleton = lexed.skeleton;
    entry.values = values;
    entry.is_block = translation.is_block;
    entry.uses_column_types = translation.uses_column_types;
    entry.columns_version = columns_version;
    entry.changes_columns = translation.changes_columns;
    entry.statements.assign(translation.statements.size(), nullptr);
    entry.sources = std::move(translation.statements);
    lru.push_front(std::move(entry));
    shape.entries.emplace(lru.front().values, lru.begin());
    while (lru.size() > capacity) {
      Entry& last = lru.back();
      auto owner = shapes.find(last.skeleton);
      owner->second.entries.erase(last.values);
      if (owner->second.entries.empty()) shapes.erase(owner);
      Finalize(last);
      lru.pop_back();
    }
    return &lru.front();
  }
};

std::size_t StatementCache::Prepared::Size() const {
  return entry_->statements.size();
}

bool StatementCache::Prepared::IsBlock() const {
  return entry_->is_block;
}

bool StatementCache::Prepared::ChangesRows(std::size_t n) const {
  return entry_->sources[n].changes_rows;
}

sqlite3_stmt* StatementCache::Prepared::Statement(std::size_t n) {
  sqlite3_stmt*& stmt = entry_->statements[n];
  if (stmt == nullptr) {
    stmt = impl_->PrepareOne(entry_->sources[n].sql);
    impl_->Bind(stmt, entry_->sources[n].params);
  }
  return stmt;
}

// The new images of the matched rows are computed from the old rows first, the rows removed,
// and the images put back under their rowids: only a clash among the final rows fails.
StatementCache::Rerun StatementCache::Prepared::RerunWithKeysCheckedAtEnd(std::size_t n) {
  Rerun result;
  const dialect::TranslatedStatement& source = entry_->sources[n];
  if (!source.is_update) return result;
  const dialect::UpdateParts& update = source.update;
  sqlite3* db = impl_->db;
  const TargetTable target = InspectTarget(db, Unquote(update.table));
  if (!target.usable) return result;

  const std::string qualifier = update.alias.empty() ? update.table : update.alias;
  // Each image remembers which old row it replaces: its rowid, or its old key.
  std::string old_row = qualifier + ".rowid";
  std::string create = "CREATE TEMP TABLE lv_update_images (lv_rowid";
  std::string matches = "rowid IN (SELECT lv_rowid FROM temp.lv_update_images)";
  if (target.without_rowid) {
    old_row.clear();
    create = "CREATE TEMP TABLE lv_update_images (";
    std::string keys;
    std::string olds;
    for (std::size_t k = 0; k < target.key_columns.size(); ++k) {
      const std::string sep = k == 0 ? "" : ", ";
      old_row += sep + qualifier + "." + Quote(target.key_columns[k]);
      create += sep + "k" + std::to_string(k);
      keys += sep + Quote(target.key_columns[k]);
      olds += sep + "k" + std::to_string(k);
    }
    matches = "(" + keys + ") IN (SELECT " + olds + " FROM temp.lv_update_images)";
  }
  std::string images = "INSERT INTO temp.lv_update_images SELECT " + old_row;
  std::string columns;
  std::string values;
  if (target.rowid_alias < 0 && !target.without_rowid) {
    columns = "rowid";
    values = "lv_rowid";
  }
  for (std::size_t c = 0; c < target.columns.size(); ++c) {
    const std::string& name = target.columns[c];
    std::string value = qualifier + "." + Quote(name);
    for (std::size_t a = 0; a < update.columns.size(); ++a) {
      if (dialect::EqualsIgnoreCase(Unquote(update.columns[a]), name)) {
        value = "(" + update.values[a] + ")";
      }
    }
    const std::string image = "c" + std::to_string(c);
    images += ", " + value;
    create += ", " + image;
    if (!columns.empty()) {
      columns += ", ";
      values += ", ";
    }
    columns += Quote(name);
    values += image;
  }
  create += ")";
  images += " FROM " + update.table;
  if (!update.alias.empty()) images += " AS " + update.alias;
  if (!update.where.empty()) images += " WHERE " + update.where;

  int triggers_were = 1;
  if (target.has_triggers) {
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, -1, &triggers_were);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
  }
  sqlite3_exec(db, "DROP TABLE IF EXISTS temp.lv_update_images", nullptr, nullptr, nullptr);
  bool opened = false;
  try {
    Run(db, Scratch(db, "SAVEPOINT lv_statement_end").Get());
    opened = true;
    Run(db, Scratch(db, create).Get());
    Scratch fill(db, images);
    try {
      impl_->Bind(fill.Get(), source.params);
    } catch (const host::DatabaseError& error) {
      throw StepError{SQLITE_RANGE, error.what()};
    }
    Run(db, fill.Get());
    Run(db, Scratch(db, "DELETE FROM " + update.table + " WHERE " + matches).Get());
    Run(db, Scratch(db, "INSERT INTO " + update.table + " (" + columns + ") SELECT " + values +
                            " FROM temp.lv_update_images" +
                            (target.without_rowid ? "" : " ORDER BY lv_rowid"))
                .Get());
    result.changes = sqlite3_changes64(db);
    Run(db, Scratch(db, "DROP TABLE temp.lv_update_images").Get());
    Run(db, Scratch(db, "RELEASE lv_statement_end").Get());
    result.outcome = Rerun::Outcome::kDone;
  } catch (const StepError& error) {
    result.outcome = Rerun::Outcome::kFailed;
    result.code = error.code;
    result.message = error.message;
    if (opened) {
      sqlite3_exec(db, "ROLLBACK TO lv_statement_end; RELEASE lv_statement_end", nullptr, nullptr,
                   nullptr);
    }
  }
  if (target.has_triggers) {
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, triggers_were, nullptr);
  }
  return result;
}

StatementCache::StatementCache(sqlite3* db, std::size_t capacity)
    : impl_(std::make_unique<Impl>(db, capacity == 0 ? 1 : capacity)) {}

StatementCache::~StatementCache() {
  Clear();
  ReleaseOracleSupport(impl_->db);
}

void StatementCache::Clear() {
  for (auto& entry : impl_->lru) Impl::Finalize(entry);
  impl_->lru.clear();
  impl_->shapes.clear();
}

std::size_t StatementCache::PrepareCount() const {
  return impl_->prepares;
}

void StatementCache::SchemaChanged() {
  impl_->ColumnsChanged();
}

unsigned int StatementCache::DataVersion() const {
  return impl_->DataVersion();
}

void StatementCache::Committed(unsigned int version_before) {
  if (version_before != 0 && version_before == impl_->data_version) {
    impl_->data_version = impl_->DataVersion();
  }
}

StatementCache::Prepared StatementCache::Prepare(std::string_view oracle_sql) {
  Impl& impl = *impl_;
  impl.NoticeSchemaChange();
  try {
    dialect::Tokenize(oracle_sql, impl.scan, false);
  } catch (const dialect::TranslateError& error) {
    ThrowTranslateError(error, oracle_sql);
  }
  Entry* entry = nullptr;
  auto shape = impl.shapes.find(impl.scan.skeleton);
  if (shape != impl.shapes.end()) {
    Impl::ValuesOf(impl.scan, shape->second.kept, impl.values);
    auto found = shape->second.entries.find(impl.values);
    if (found != shape->second.entries.end()) {
      impl.lru.splice(impl.lru.begin(), impl.lru, found->second);
      entry = &impl.lru.front();
    }
  }
  if (entry != nullptr && entry->uses_column_types &&
      entry->columns_version != impl.columns_version) {
    impl.Refresh(*entry, oracle_sql);
  }
  if (entry == nullptr) entry = impl.Build(impl.scan, oracle_sql);
  // The DDL runs next: whatever is translated after it reads the schema again.
  if (entry->changes_columns) impl.ColumnsChanged();
  // The old vector goes back to the scanner, whose strings keep their capacity.
  std::swap(impl.literals, impl.scan.literals);
  impl.oracle_sql = oracle_sql;
  for (std::size_t s = 0; s < entry->statements.size(); ++s) {
    if (entry->statements[s] != nullptr) impl.Bind(entry->statements[s], entry->sources[s].params);
  }
  return Prepared(impl_.get(), entry);
}

std::string StatementCache::TranslateForDisplay(std::string_view oracle_sql) {
  impl_->NoticeSchemaChange();
  try {
    return dialect::TranslateForDisplay(oracle_sql, &impl_->columns);
  } catch (const dialect::TranslateError& error) {
    ThrowTranslateError(error, oracle_sql);
  }
}

std::string TranslateForDisplay(std::string_view oracle_sql) {
  try {
    return dialect::TranslateForDisplay(oracle_sql);
  } catch (const dialect::TranslateError& error) {
    ThrowTranslateError(error, oracle_sql);
  }
}

}  // namespace lumvoucher::embedded
