#include <sqlite3.h>

#include <cstdint>
#include <exception>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "embedded/oracle_functions.h"

namespace lumvoucher::embedded {

namespace {

// State of one connection: its cached statements and the session's CURRVAL of each sequence.
struct SchemaState {
  sqlite3* db = nullptr;
  std::map<std::string, sqlite3_stmt*> statements;
  std::map<std::string, std::int64_t> currval;

  ~SchemaState() { Release(); }

  void Release() {
    for (auto& [sql, stmt] : statements) sqlite3_finalize(stmt);
    statements.clear();
  }

  // A statement reset and ready for binding; a failed prepare is retried on the next call,
  // since the table may be created later in the connection's life.
  sqlite3_stmt* Statement(const std::string& sql) {
    auto found = statements.find(sql);
    if (found != statements.end()) {
      sqlite3_reset(found->second);
      sqlite3_clear_bindings(found->second);
      return found->second;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) !=
        SQLITE_OK) {
      std::string message = sqlite3_errmsg(db);
      sqlite3_finalize(stmt);
      throw std::runtime_error(message);
    }
    statements.emplace(sql, stmt);
    return stmt;
  }
};

std::string Text(sqlite3_value* v) {
  const unsigned char* text = sqlite3_value_text(v);
  return text ? std::string(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(sqlite3_value_bytes(v)))
              : std::string();
}

std::string ColumnText(sqlite3_stmt* stmt, int i) {
  const unsigned char* text = sqlite3_column_text(stmt, i);
  return text ? std::string(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(sqlite3_column_bytes(stmt, i)))
              : std::string();
}

bool Blank(const std::string& s) {
  return s.find_first_not_of(' ') == std::string::npos;
}

template <typename Body>
void Guard(sqlite3_context* ctx, Body body) {
  try {
    body();
  } catch (const std::exception& e) {
    sqlite3_result_error(ctx, e.what(), -1);
  }
}

SchemaState& State(sqlite3_context* ctx) {
  return *static_cast<SchemaState*>(sqlite3_user_data(ctx));
}

void NextVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Guard(ctx, [&] {
    SchemaState& state = State(ctx);
    const std::string name = Text(argv[0]);
    sqlite3_stmt* read = state.Statement(
        "SELECT next_value, increment_by, min_value, max_value, cycle FROM lumvoucher_sequence "
        "WHERE name = ?1");
    sqlite3_bind_text(read, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(read) != SQLITE_ROW) {
      sqlite3_reset(read);
      throw std::runtime_error("ORA-02289: sequence " + name + " does not exist");
    }
    const std::int64_t value = sqlite3_column_int64(read, 0);
    const std::int64_t increment = sqlite3_column_int64(read, 1);
    const std::int64_t min_value = sqlite3_column_int64(read, 2);
    const std::int64_t max_value = sqlite3_column_int64(read, 3);
    const bool cycle = sqlite3_column_int(read, 4) != 0;
    sqlite3_reset(read);
    if (value > max_value || value < min_value) {
      throw std::runtime_error("ORA-08004: sequence " + name + ".NEXTVAL " +
                               (increment > 0 ? "exceeds MAXVALUE" : "goes below MINVALUE") +
                               " and cannot be instantiated");
    }
    std::int64_t next = value + increment;
    if (cycle && (next > max_value || next < min_value)) {
      next = increment > 0 ? min_value : max_value;
    }
    sqlite3_stmt* write =
        state.Statement("UPDATE lumvoucher_sequence SET next_value = ?2 WHERE name = ?1");
    sqlite3_bind_text(write, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(write, 2, next);
    const int rc = sqlite3_step(write);
    sqlite3_reset(write);
    if (rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(state.db));
    state.currval[name] = value;
    sqlite3_result_int64(ctx, value);
  });
}

void CurrVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Guard(ctx, [&] {
    SchemaState& state = State(ctx);
    const std::string name = Text(argv[0]);
    auto found = state.currval.find(name);
    if (found == state.currval.end()) {
      throw std::runtime_error("ORA-08002: sequence " + name +
                               ".CURRVAL is not yet defined in this session");
    }
    sqlite3_result_int64(ctx, found->second);
  });
}

// The display text of a flexible id. A flexible id stands for rows of
// FlexibleCheck(strFlexibleID, lngItemID, lngFieldID): the goods item (Item: lngItemID,
// strItemCode, strItemName) and a field value (FlexibleFieldDetail: lngFieldID, strFieldCode,
// strFieldName). The text is the parts in that order, item first, joined by "/" as the
// external interface writes a record's flexible codes; a part whose id is 0 or whose row is
// missing is left out. Display mode 1 shows names; any other mode shows codes (the settlement
// window passes an organisation id in that place and gets codes). The account id and the last
// argument do not change the text: which items an account uses decides what entry offers, and a
// stored id already holds only those. A blank or unknown id gives NULL.
void FlexIdToCodeOrName(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Guard(ctx, [&] {
    const std::string id = Text(argv[0]);
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || Blank(id)) {
      return sqlite3_result_null(ctx);
    }
    const bool names =
        sqlite3_value_type(argv[1]) != SQLITE_NULL && sqlite3_value_int64(argv[1]) == 1;
    sqlite3_stmt* stmt = State(ctx).Statement(
        "SELECT i.strItemCode, i.strItemName, f.strFieldCode, f.strFieldName "
        "FROM FlexibleCheck fc LEFT JOIN Item i ON fc.lngItemID <> 0 AND i.lngItemID = "
        "fc.lngItemID "
        "LEFT JOIN FlexibleFieldDetail f ON fc.lngFieldID <> 0 AND f.lngFieldID = fc.lngFieldID "
        "WHERE fc.strFlexibleID = ?1");
    sqlite3_bind_text(stmt, 1, id.c_str(), -1, SQLITE_TRANSIENT);
    std::vector<std::string> items;
    std::vector<std::string> fields;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      const int item_column = names ? 1 : 0;
      if (sqlite3_column_type(stmt, item_column) != SQLITE_NULL) {
        std::string item = ColumnText(stmt, item_column);
        if (items.empty() || items.back() != item) items.push_back(item);
      }
      if (sqlite3_column_type(stmt, item_column + 2) != SQLITE_NULL) {
        fields.push_back(ColumnText(stmt, item_column + 2));
      }
    }
    sqlite3_reset(stmt);
    std::string text;
    for (const auto* parts : {&items, &fields}) {
      for (const std::string& part : *parts) {
        if (!text.empty()) text += '/';
        text += part;
      }
    }
    if (text.empty()) return sqlite3_result_null(ctx);
    sqlite3_result_text(ctx, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  });
}

struct FlexParts {
  bool found = false;
  std::int64_t item = 0;
  std::int64_t field = 0;
  std::string field_code;
};

FlexParts ReadParts(SchemaState& state, const std::string& id) {
  sqlite3_stmt* stmt = state.Statement(
      "SELECT fc.lngItemID, fc.lngFieldID, f.strFieldCode FROM FlexibleCheck fc "
      "LEFT JOIN FlexibleFieldDetail f ON f.lngFieldID = fc.lngFieldID WHERE fc.strFlexibleID = "
      "?1");
  sqlite3_bind_text(stmt, 1, id.c_str(), -1, SQLITE_TRANSIENT);
  FlexParts parts;
  if (sqlite3_step(stmt) == SQLITE_ROW) {
    parts.found = true;
    parts.item = sqlite3_column_int64(stmt, 0);
    parts.field = sqlite3_column_int64(stmt, 1);
    parts.field_code = ColumnText(stmt, 2);
  }
  sqlite3_reset(stmt);
  return parts;
}

// ContainFlexibleid(line's flexible id, wanted flexible id): 1 when the line falls under the
// wanted combination, as the budget query restricts by flexible items "and their sub-codes":
// a wanted item must be the line's item, and a wanted field value must be the line's value or
// a parent of it (the line's code begins with the wanted code followed by "-"). Parts that are 0
// in the wanted id do not restrict; a blank wanted id takes every line.
void ContainFlexibleId(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Guard(ctx, [&] {
    const std::string line = Text(argv[0]);
    const std::string wanted = Text(argv[1]);
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL || Blank(wanted)) {
      return sqlite3_result_int(ctx, 1);
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || Blank(line)) {
      return sqlite3_result_int(ctx, 0);
    }
    if (line == wanted) return sqlite3_result_int(ctx, 1);
    SchemaState& state = State(ctx);
    const FlexParts want = ReadParts(state, wanted);
    const FlexParts have = ReadParts(state, line);
    if (!want.found || !have.found) return sqlite3_result_int(ctx, 0);
    if (want.item != 0 && want.item != have.item) return sqlite3_result_int(ctx, 0);
    if (want.field != 0 && want.field != have.field) {
      const std::string& code = want.field_code;
      const bool under = !code.empty() && have.field_code.size() > code.size() &&
                         have.field_code.compare(0, code.size(), code) == 0 &&
                         have.field_code[code.size()] == '-';
      if (!under) return sqlite3_result_int(ctx, 0);
    }
    sqlite3_result_int(ctx, 1);
  });
}

// The state of each open connection, so that its statements can be finalized before the
// connection closes (a connection with live statements never closes).
std::mutex registry_mutex;
std::map<sqlite3*, SchemaState*>& Registry() {
  static std::map<sqlite3*, SchemaState*> registry;
  return registry;
}

void DestroyState(void* pointer) {
  auto* state = static_cast<SchemaState*>(pointer);
  {
    std::lock_guard<std::mutex> lock(registry_mutex);
    auto found = Registry().find(state->db);
    if (found != Registry().end() && found->second == state) Registry().erase(found);
  }
  delete state;
}

}  // namespace

void RegisterSchemaFunctions(sqlite3* db) {
  auto* state = new SchemaState;
  state->db = db;
  {
    std::lock_guard<std::mutex> lock(registry_mutex);
    Registry()[db] = state;
  }
  const int flags = SQLITE_UTF8 | SQLITE_DIRECTONLY;
  sqlite3_create_function_v2(db, "lv_currval", 1, flags, state, CurrVal, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "flexId2codeorname", 4, flags, state, FlexIdToCodeOrName, nullptr,
                             nullptr, nullptr);
  sqlite3_create_function_v2(db, "ContainFlexibleid", 2, flags, state, ContainFlexibleId, nullptr,
                             nullptr, nullptr);
  // Registered last: it owns the state, which SQLite frees when the connection closes.
  sqlite3_create_function_v2(db, "lv_nextval", 1, flags, state, NextVal, nullptr, nullptr,
                             DestroyState);
}

void ReleaseSchemaStatements(sqlite3* db) {
  std::lock_guard<std::mutex> lock(registry_mutex);
  auto found = Registry().find(db);
  if (found != Registry().end()) found->second->Release();
}

}  // namespace lumvoucher::embedded
