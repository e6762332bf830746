// Feeds statements to the translator and, when they translate, to an in-memory database
// through the statement cache: every input must end in a result or a clean error.
// The first byte picks the mode: raw text; a statement assembled from fragments of the
// component's SQL so that the fuzzer reaches the deeper rules quickly; or a deep and long one,
// expression wrappers nested and repeated thousands of times, to find what exhausts a stack.
#include <sqlite3.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "embedded/dialect/tokenizer.h"
#include "embedded/dialect/translator.h"
#include "embedded/oracle_support.h"
#include "embedded/statement_cache.h"
#include "host/database_error.h"

namespace {

const char* const kFragments[] = {
    // clang-format off
    "SELECT ", "a.x", "b.y", "(+)", " FROM ", "t a", ", t b", " WHERE ", " AND ", " OR ",
    "a.x = b.y(+)", "b.y(+) = 5", "DECODE(a.x, NULL, 1, 2)", "nvl(a.x, 0)", " || ", "'s'", "''",
    "To_Date('2024-01-02','rrrr-mm-dd')", "to_char(a.x,'000000')", "LPAD(a.x,6,'0')", "7/2",
    " ORDER BY 1", " UNION ", " MINUS ", "EXISTS (SELECT 1 FROM t c WHERE c.x = a.x(+))", "Begin ",
    "; ", "Commit; End;", "Update t v Set v.x = (v.x + 1)",
    "Update t v Set v.x = (v.x - 1), y = v.y || 'u'", "Create Table w (n NUMBER(10))",
    "Insert Into w Select x From t", "Delete t d", "s.nextval", " IN (1, 2)", " LIKE 'a%'",
    "substr(a.y, 0, 2)", "(", ")", ",", "count(*)", "a.y = 7", "DECODE(b.y, 7, 1, 'x', 2)",
    "1.50 || a.y",
    // clang-format on
};

// An expression wrapped around an expression: `open` + inner + `close`.
struct Wrapper {
  const char* open;
  const char* close;
};

const Wrapper kWrappers[] = {
    // clang-format off
    {"(", ")"}, {"NOT ", ""}, {"- ", ""}, {"1 + ", ""}, {"x - ", ""}, {"x * 2 / ", ""},
    {"y || ", ""}, {"x = 1 AND ", ""}, {"x = 1 OR ", ""}, {"nvl(", ", 0)"},
    {"DECODE(x, 1, ", ", 'z')"}, {"CASE WHEN x = 1 THEN ", " END"}, {"(SELECT ", " FROM t)"},
    {"EXISTS (SELECT 1 FROM t c WHERE c.x = ", ")"}, {"x IN (1, 2, ", ")"}, {"substr(", ", 1)"},
    // clang-format on
};

// A statement around the expression.
const Wrapper kFrames[] = {
    {"SELECT ", " v FROM t"},
    {"SELECT x FROM t WHERE ", ""},
    {"SELECT a.x FROM t a, t b WHERE a.x = b.x(+) AND ", ""},
    // Matching no row: y || y || ... on a row kept from run to run would grow without end.
    {"Update t v Set y = ", " Where 1 = 0"},
    {"SELECT x FROM t ORDER BY ", ""},
};

// A query around the statement (a query frame only).
const Wrapper kQueries[] = {
    {"", ""},
    {"SELECT * FROM (", ") q"},
    {"(", ")"},
    {"SELECT x FROM t WHERE x IN (", ")"},
};

std::string Repeat(const char* unit, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += unit;
  return out;
}

// data: frame, query wrapper, its count, then pairs of (wrapper, count). A count byte gives up to
// a thousand levels, beyond the dialect's limit, and its top values tens of thousands, for the
// flat chains; most inputs stay small enough to run many a second.
std::string DeepStatement(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kMaxText = 1 << 18;
  auto count = [](std::uint8_t b) -> std::size_t { return b <= 250 ? 4u * b : 5000u * (b - 250u); };
  const Wrapper& frame = kFrames[data[0] % (sizeof kFrames / sizeof kFrames[0])];
  const Wrapper& query = kQueries[size > 1 ? data[1] % (sizeof kQueries / sizeof kQueries[0]) : 0];
  const std::size_t query_times = size > 2 && frame.open[0] == 'S' ? count(data[2]) : 0;
  std::string open = Repeat(query.open, query_times) + frame.open;
  std::string close;
  for (std::size_t i = 3; i + 1 < size && open.size() < kMaxText; i += 2) {
    const Wrapper& w = kWrappers[data[i] % (sizeof kWrappers / sizeof kWrappers[0])];
    const std::size_t times = std::min(count(data[i + 1]), kMaxText / (std::strlen(w.open) + 1));
    open += Repeat(w.open, times);
    close = Repeat(w.close, times) + close;
  }
  return open + "x" + close + frame.close + Repeat(query.close, query_times);
}

struct Database {
  sqlite3* db = nullptr;
  lumvoucher::embedded::StatementCache* cache = nullptr;
  Database() {
    sqlite3_open(":memory:", &db);
    lumvoucher::embedded::InstallOracleSupport(db);
    sqlite3_exec(db,
                 "CREATE TABLE t (x INT, y TEXT); CREATE UNIQUE INDEX t_x ON t (x);"
                 "INSERT INTO t VALUES (1, 'a'), (2, NULL);"
                 "INSERT INTO lumvoucher_sequence VALUES ('S', 1, 1, 1, 1000000, 1)",
                 nullptr, nullptr, nullptr);
    // A progress handler ends any runaway statement (a huge cross join) instead of hanging.
    sqlite3_progress_handler(
        db, 10000, [](void*) { return 1; }, nullptr);
    cache = new lumvoucher::embedded::StatementCache(db, 16);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Database database;
  if (size == 0) return 0;
  std::string sql;
  if (data[0] % 3 == 0) {
    sql.assign(reinterpret_cast<const char*>(data + 1), size - 1);
  } else if (data[0] % 3 == 1) {
    constexpr std::size_t kCount = sizeof(kFragments) / sizeof(kFragments[0]);
    for (std::size_t i = 1; i < size; ++i) sql += kFragments[data[i] % kCount];
  } else if (size > 1) {
    sql = DeepStatement(data + 1, size - 1);
  }
  try {
    lumvoucher::dialect::TranslateForDisplay(sql);
    lumvoucher::dialect::TranslateForDisplay(sql, nullptr, lumvoucher::dialect::Target::kPostgres);
  } catch (const lumvoucher::dialect::TranslateError&) {
    return 0;
  }
  // The cache's look-up finds the literals without the tokens: the same literals, the same key.
  {
    lumvoucher::dialect::Lexed quick;
    lumvoucher::dialect::Tokenize(sql, quick, false);
    const lumvoucher::dialect::Lexed full = lumvoucher::dialect::Tokenize(sql);
    bool same = quick.skeleton == full.skeleton && quick.literals.size() == full.literals.size();
    for (std::size_t i = 0; same && i < full.literals.size(); ++i) {
      same = quick.literals[i].text == full.literals[i].text &&
             quick.literals[i].kind == full.literals[i].kind &&
             quick.literals[i].offset == full.literals[i].offset;
    }
    if (!same) __builtin_trap();
  }
  // SQLite plans thousands of WHERE terms in quadratic time: a long text has done its work once
  // translated.
  if (sql.size() > 20000) return 0;
  try {
    auto prepared = database.cache->Prepare(sql);
    for (std::size_t n = 0; n < prepared.Size(); ++n) {
      sqlite3_stmt* stmt = prepared.Statement(n);
      int rc;
      while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      }
      sqlite3_reset(stmt);
      if (rc != SQLITE_DONE && sqlite3_extended_errcode(database.db) == SQLITE_CONSTRAINT_UNIQUE) {
        prepared.RerunWithKeysCheckedAtEnd(n);
      }
    }
  } catch (const lumvoucher::host::DatabaseError&) {
  }
  return 0;
}
