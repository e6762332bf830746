#include "server/account_set_copy.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <regex>

#include "embedded/dialect/tokenizer.h"
#include "embedded/embedded_fund_system.h"
#include "embedded/sqlite_data_access.h"
#include "host/ascii.h"
#include "host/database_error.h"
#include "server/oracle_support.h"
#include "server/postgres_data_access.h"
#include "server/server_error.h"

namespace lumvoucher::server {

namespace {

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;
using Row = std::vector<std::string>;

// Runs a catalogue query on the file; NULL reads as "".
std::vector<Row> Query(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    throw host::DatabaseError(std::string(sqlite3_errmsg(db)) + " [" + sql + "]");
  }
  std::vector<Row> rows;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    Row& row = rows.emplace_back();
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      row.emplace_back(text ? text : "");
    }
  }
  sqlite3_finalize(stmt);
  return rows;
}

std::string Name(const std::string& name) {
  return "\"" + dialect::ToLower(name) + "\"";
}

std::string SqliteName(const std::string& name) {
  return "\"" + name + "\"";
}

// The account set's own tables; the file's sequences become the server's own.
std::vector<std::string> Tables(sqlite3* db) {
  std::vector<std::string> tables;
  for (const Row& row : Query(db,
                              "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT "
                              "LIKE 'sqlite%' AND name <> 'lumvoucher_sequence' ORDER BY rowid")) {
    tables.push_back(row[0]);
  }
  return tables;
}

struct Column {
  std::string name;
  bool number = false;
};

std::vector<Column> Columns(sqlite3* db, const std::string& table) {
  std::vector<Column> columns;
  for (const Row& row :
       Query(db, "SELECT name, upper(type) FROM pragma_table_info('" + table + "') ORDER BY cid")) {
    const std::string& type = row[1];
    const bool number =
        type.find("INT") != std::string::npos || type.find("REAL") != std::string::npos ||
        type.find("NUM") != std::string::npos || type.find("FLOA") != std::string::npos ||
        type.find("DOUB") != std::string::npos || type.find("DEC") != std::string::npos;
    columns.push_back({row[0], number});
  }
  return columns;
}

// Every number column is numeric, as the PostgreSQL emitter's own CREATE TABLE makes it: an
// integer one numeric(38), so keys compare without casts and the catalogue says "integer".
std::string TableDefinition(sqlite3* db, const std::string& table) {
  std::string sql = "CREATE TABLE " + Name(table) + " (";
  std::vector<std::pair<int, std::string>> key;
  bool first = true;
  for (const Row& row : Query(db,
                              "SELECT name, upper(type), \"notnull\", dflt_value, pk FROM "
                              "pragma_table_info('" +
                                  table + "') ORDER BY cid")) {
    const std::string& type = row[1];
    std::string pg_type = "text";
    if (type.find("INT") != std::string::npos) {
      pg_type = "numeric(38)";
    } else if (type.find("REAL") != std::string::npos || type.find("NUM") != std::string::npos ||
               type.find("FLOA") != std::string::npos || type.find("DOUB") != std::string::npos ||
               type.find("DEC") != std::string::npos) {
      pg_type = "numeric";
    }
    sql += (first ? "" : ", ") + Name(row[0]) + " " + pg_type;
    if (row[2] == "1") sql += " NOT NULL";
    if (!row[3].empty()) sql += " DEFAULT " + row[3];
    if (row[4] != "0") key.emplace_back(std::stoi(row[4]), row[0]);
    first = false;
  }
  if (!key.empty()) {
    std::sort(key.begin(), key.end());
    sql += ", CONSTRAINT " + Name("PK_" + table) + " PRIMARY KEY (";
    for (std::size_t i = 0; i < key.size(); ++i) sql += (i ? ", " : "") + Name(key[i].second);
    sql += ") DEFERRABLE";
  }
  return sql + ")";
}

// A unique index is a deferrable constraint there (checked when the statement ends, as Oracle
// does); a partial one stays an index, which PostgreSQL cannot defer.
std::string IndexDefinitions(sqlite3* db, const std::string& table) {
  std::string sql;
  int unnamed = 0;
  for (const Row& index :
       Query(db, "SELECT name, \"unique\", origin, partial FROM pragma_index_list('" + table +
                     "') WHERE origin <> 'pk' ORDER BY seq")) {
    std::string columns;
    for (const Row& column :
         Query(db, "SELECT name FROM pragma_index_info('" + index[0] + "') ORDER BY seqno")) {
      columns += (columns.empty() ? "" : ", ") + Name(column[0]);
    }
    std::string where;
    if (index[3] == "1") {
      const std::vector<Row> text = Query(
          db, "SELECT sql FROM sqlite_master WHERE type = 'index' AND name = '" + index[0] + "'");
      static const std::regex condition(R"([\s)]WHERE\s[\s\S]*$)", std::regex::icase);
      std::smatch m;
      if (text.empty() || !std::regex_search(text[0][0], m, condition)) {
        throw host::DatabaseError("不能转换的索引 " + index[0]);
      }
      where = " " + m.str(0).substr(1);
      while (!where.empty() && (where.back() == ';' || where.back() == ' ')) where.pop_back();
    }
    const std::string name =
        index[2] == "u" ? "UQ_" + table + "_" + std::to_string(++unnamed) : index[0];
    if (index[1] == "1" && where.empty()) {
      sql += "ALTER TABLE " + Name(table) + " ADD CONSTRAINT " + Name(name) + " UNIQUE (" +
             columns + ") DEFERRABLE;\n";
    } else {
      sql += std::string(index[1] == "1" ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + Name(name) +
             " ON " + Name(table) + " (" + columns + ")" + where + ";\n";
    }
  }
  return sql;
}

// The embedded schema's triggers either refuse an insert on a condition or run one statement
// after a change (the change stamp's): the latter once per statement there, which is all a stamp
// needs.
std::string TriggerDefinition(const std::string& name, const std::string& text) {
  static const std::regex refuse(
      R"(CREATE\s+TRIGGER\s+\w+\s+BEFORE\s+INSERT\s+ON\s+(\w+)\s+WHEN\s+([\s\S]*?)\s+BEGIN\s+SELECT\s+RAISE\s*\(\s*ABORT\s*,\s*'([^']*)'\s*\)\s*;\s*END)",
      std::regex::icase);
  static const std::regex after(
      R"(CREATE\s+TRIGGER\s+\w+\s+AFTER\s+(INSERT|UPDATE|DELETE)\s+ON\s+(\w+)\s+BEGIN\s+(UPDATE\s[^;]*;)\s*END)",
      std::regex::icase);
  const std::string function = Name("lv_trigger_" + name);
  std::smatch m;
  if (std::regex_search(text, m, refuse)) {
    return "CREATE FUNCTION " + function + "() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF " +
           m[2].str() + " THEN RAISE EXCEPTION '" + m[3].str() +
           "'; END IF; RETURN NEW; END $$;\n" + "CREATE TRIGGER " + Name(name) +
           " BEFORE INSERT ON " + Name(m[1].str()) + " FOR EACH ROW EXECUTE FUNCTION " + function +
           "();\n";
  }
  if (std::regex_search(text, m, after)) {
    const std::string event = host::AsciiUpper(m[1].str());
    return "CREATE FUNCTION " + function + "() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN " +
           m[3].str() + " RETURN NULL; END $$;\n" + "CREATE TRIGGER " + Name(name) + " AFTER " +
           event + (event == "DELETE" ? " OR TRUNCATE" : "") + " ON " + Name(m[2].str()) +
           " FOR EACH STATEMENT EXECUTE FUNCTION " + function + "();\n";
  }
  throw host::DatabaseError("不能转换的触发器 " + name);
}

// SQLite gives an INTEGER PRIMARY KEY left out of an INSERT the highest key plus one.
constexpr const char* kRowIdFunction = R"(
CREATE OR REPLACE FUNCTION lv_rowid() RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE next numeric;
BEGIN
  EXECUTE format('SELECT coalesce(max(%I), 0) + 1 FROM %I.%I', TG_ARGV[0], TG_TABLE_SCHEMA,
                 TG_TABLE_NAME) INTO next;
  NEW := jsonb_populate_record(NEW, jsonb_build_object(TG_ARGV[0], next));
  RETURN NEW;
END $$;
)";

// The table's key column when it is SQLite's row id, "" otherwise.
std::string RowIdColumn(sqlite3* db, const std::string& table) {
  const std::vector<Row> definition =
      Query(db, "SELECT sql FROM sqlite_master WHERE type = 'table' AND name = '" + table + "'");
  if (definition.empty() ||
      host::AsciiUpper(definition[0][0]).find("WITHOUT ROWID") != std::string::npos) {
    return "";
  }
  const std::vector<Row> key =
      Query(db, "SELECT name, upper(type) FROM pragma_table_info('" + table + "') WHERE pk > 0");
  return key.size() == 1 && key[0][1] == "INTEGER" ? key[0][0] : "";
}

std::string RowIdTrigger(const std::string& table, const std::string& column) {
  return "CREATE TRIGGER " + Name("lv_rowid_" + table) + " BEFORE INSERT ON " + Name(table) +
         " FOR EACH ROW WHEN (NEW." + Name(column) + " IS NULL) EXECUTE FUNCTION lv_rowid('" +
         dialect::ToLower(column) + "');\n";
}

void AppendCopyField(std::string& out, sqlite3_stmt* stmt, int i) {
  if (sqlite3_column_type(stmt, i) == SQLITE_NULL) {
    out += "\\N";
    return;
  }
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
  const int size = sqlite3_column_bytes(stmt, i);
  for (int k = 0; k < size; ++k) {
    const char c = text[k];
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
}

void CopyRows(sqlite3* db, PGconn* conn, const std::string& table,
              const std::vector<Column>& columns) {
  std::string list;
  for (const Column& c : columns) list += (list.empty() ? "" : ", ") + Name(c.name);
  const std::string copy = "COPY " + Name(table) + " (" + list + ") FROM STDIN";
  Result started(PQexec(conn, copy.c_str()), &PQclear);
  if (PQresultStatus(started.get()) != PGRES_COPY_IN) ThrowServerError(started.get(), copy);
  sqlite3_stmt* stmt = nullptr;
  const std::string select = "SELECT * FROM " + SqliteName(table);
  if (sqlite3_prepare_v2(db, select.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    throw host::DatabaseError(sqlite3_errmsg(db));
  }
  std::string buffer;
  bool sent = true;
  while (sent && sqlite3_step(stmt) == SQLITE_ROW) {
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      if (i > 0) buffer += '\t';
      AppendCopyField(buffer, stmt, i);
    }
    buffer += '\n';
    if (buffer.size() > (1 << 16)) {
      sent = PQputCopyData(conn, buffer.data(), static_cast<int>(buffer.size())) == 1;
      buffer.clear();
    }
  }
  sqlite3_finalize(stmt);
  if (sent && !buffer.empty()) {
    sent = PQputCopyData(conn, buffer.data(), static_cast<int>(buffer.size())) == 1;
  }
  PQputCopyEnd(conn, sent ? nullptr : "aborted");
  Result done(PQgetResult(conn), &PQclear);
  if (PQresultStatus(done.get()) != PGRES_COMMAND_OK) ThrowServerError(done.get(), copy);
  while (PGresult* rest = PQgetResult(conn)) PQclear(rest);
}

bool HoldsTable(PostgresDataAccess& data, const char* table) {
  const char* values[] = {table};
  Result r(PQexecParams(data.Handle(),
                        "SELECT 1 FROM information_schema.tables WHERE table_schema = "
                        "current_schema() AND table_name = $1",
                        1, nullptr, values, nullptr, nullptr, 0),
           &PQclear);
  if (PQresultStatus(r.get()) != PGRES_TUPLES_OK) ThrowServerError(r.get());
  return PQntuples(r.get()) > 0;
}

// The file's tables with their rows, indexes, views, triggers and sequences, inside the
// caller's transaction.
void CopyTables(sqlite3* from, PostgresDataAccess& to) {
  const std::vector<std::string> tables = Tables(from);
  std::string indexes = kRowIdFunction;
  for (const std::string& table : tables) {
    to.ExecuteScript(TableDefinition(from, table));
    CopyRows(from, to.Handle(), table, Columns(from, table));
    indexes += IndexDefinitions(from, table);
    const std::string row_id = RowIdColumn(from, table);
    if (!row_id.empty()) indexes += RowIdTrigger(table, row_id);
  }
  to.ExecuteScript(indexes);
  for (const Row& view : Query(from,
                               "SELECT sql FROM sqlite_master WHERE type = 'view' AND name "
                               "NOT LIKE 'sqlite%' ORDER BY rowid")) {
    to.ExecuteScript(view[0]);
  }
  for (const Row& trigger :
       Query(from, "SELECT name, sql FROM sqlite_master WHERE type = 'trigger' ORDER BY rowid")) {
    to.ExecuteScript(TriggerDefinition(trigger[0], trigger[1]));
  }
  // The fund system's file has neither sequences nor ids.
  const auto has = [from](const std::string& table) {
    return !Query(from,
                  "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = '" + table + "'")
                .empty();
  };
  std::string sequences;
  if (has("lumvoucher_sequence")) {
    for (const Row& s : Query(from,
                              "SELECT name, next_value, increment_by, min_value, max_value, "
                              "cycle FROM lumvoucher_sequence")) {
      sequences += "CREATE SEQUENCE " + Name(s[0]) + " INCREMENT BY " + s[2] + " MINVALUE " + s[3] +
                   " MAXVALUE " + s[4] + " START WITH " + s[1] + (s[5] == "1" ? " CYCLE" : "") +
                   ";\n";
    }
  }
  if (has("IdSequence")) {
    for (const Row& s : Query(from, "SELECT strTableName, lngNextID FROM IdSequence")) {
      sequences += "CREATE SEQUENCE " + Name("lv_id_" + s[0]) + " START WITH " + s[1] + ";\n";
    }
  }
  if (!sequences.empty()) to.ExecuteScript(sequences);
}

}  // namespace

bool HoldsAccountSet(PostgresDataAccess& data) {
  return HoldsTable(data, "voucher");
}

void AddServerTables(PostgresDataAccess& data) {
  // Two desktops opening an earlier account set at once both find it missing.
  data.ExecuteScript(
      "DO $$ BEGIN IF to_regclass('vouchernumberguard') IS NULL THEN CREATE TABLE "
      "vouchernumberguard (lngvoucherid numeric(38), CONSTRAINT voucher_number_taken CHECK "
      "(false)); END IF; EXCEPTION WHEN duplicate_table OR unique_violation THEN NULL; END $$");
}

void CopyAccountSet(sqlite3* from, PostgresDataAccess& to) {
  if (HoldsAccountSet(to)) throw host::DatabaseError("目标数据库已有帐套，不能复制到其中");
  host::TransactionGuard guard(to);
  InstallOracleSupport(to.Handle());
  CopyTables(from, to);
  AddServerTables(to);
  guard.Commit();
}

void CopyFundSystem(sqlite3* from, PostgresDataAccess& to) {
  host::TransactionGuard guard(to);
  // Desktops opening the fund system for the first time at once make its tables once.
  Result locked(PQexec(to.Handle(), "SELECT pg_advisory_xact_lock(hashtext('lumvoucher fund'))"),
                &PQclear);
  if (PQresultStatus(locked.get()) != PGRES_TUPLES_OK) ThrowServerError(locked.get());
  if (HoldsTable(to, "interface_of8e")) return;
  CopyTables(from, to);
  guard.Commit();
}

std::unique_ptr<host::DataAccess> OpenFundDatabase(const std::string& conninfo) {
  auto data = std::make_unique<PostgresDataAccess>(conninfo);
  if (!HoldsTable(*data, "interface_of8e")) {
    embedded::SqliteDataAccess file(":memory:");
    embedded::EmbeddedFundSystem::MakeTables(file);
    CopyFundSystem(file.Handle(), *data);
  }
  return data;
}

std::vector<std::string> CompareAccountSets(sqlite3* from, PostgresDataAccess& to) {
  std::vector<std::string> differences;
  for (const std::string& table : Tables(from)) {
    // A counter of changes, not data: each side counts its own.
    if (table == "ChangeStamp") continue;
    const std::vector<Column> columns = Columns(from, table);
    std::string embedded = "SELECT count(*)";
    std::string server = "SELECT count(*)";
    for (const Column& c : columns) {
      if (!c.number) continue;
      embedded += ", total(" + SqliteName(c.name) + ")";
      server += ", coalesce(sum(" + Name(c.name) + "), 0)::float8";
    }
    const Row mine = Query(from, embedded + " FROM " + SqliteName(table)).at(0);
    const std::string sql = server + " FROM " + Name(table);
    Result theirs(PQexec(to.Handle(), sql.c_str()), &PQclear);
    if (PQresultStatus(theirs.get()) != PGRES_TUPLES_OK || PQntuples(theirs.get()) != 1) {
      differences.push_back(table + "：" + PQresultErrorMessage(theirs.get()));
      continue;
    }
    if (mine[0] != PQgetvalue(theirs.get(), 0, 0)) {
      differences.push_back(table + "：行数 " + mine[0] + " / " + PQgetvalue(theirs.get(), 0, 0));
      continue;
    }
    std::size_t field = 1;
    for (const Column& c : columns) {
      if (!c.number) continue;
      const double a = std::strtod(mine[field].c_str(), nullptr);
      const double b = std::strtod(PQgetvalue(theirs.get(), 0, static_cast<int>(field)), nullptr);
      if (std::fabs(a - b) > 1e-6 + 1e-12 * std::fabs(a)) {
        differences.push_back(table + "." + c.name + "：合计 " + mine[field] + " / " +
                              PQgetvalue(theirs.get(), 0, static_cast<int>(field)));
      }
      ++field;
    }
  }
  return differences;
}

void CreateAccountSet(PostgresDataAccess& to, embedded::DemoSets sets) {
  embedded::SqliteDataAccess file(":memory:");
  embedded::CreateAccountSet(file, sets);
  CopyAccountSet(file.Handle(), to);
}

}  // namespace lumvoucher::server
