#include "embedded/statement_cache.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "dialect/sql_runner.h"
#include "embedded/oracle_support.h"
#include "host/database_error.h"

namespace lumvoucher::dialect_test {
namespace {

// A cache of eight statements on a connection of its own, to count what it prepares.
class StatementCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sqlite3_open(":memory:", &db_);
    embedded::InstallOracleSupport(db_);
    cache_ = std::make_unique<embedded::StatementCache>(db_, 8);
    Query("CREATE TABLE t (id NUMBER(10), s VARCHAR2(10))");
    for (int i = 1; i <= 5; ++i) {
      Query("INSERT INTO t VALUES (" + std::to_string(i) + ", 'v" + std::to_string(i) + "')");
    }
  }
  void TearDown() override {
    cache_.reset();
    sqlite3_close(db_);
  }
  // The first field of every row: "a;b;".
  std::string Query(const std::string& sql) {
    sqlite3_stmt* stmt = cache_->Prepare(sql).Statement(0);
    std::string text;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      text += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)) + std::string(";");
    }
    sqlite3_reset(stmt);
    return text;
  }
  sqlite3* db_ = nullptr;
  std::unique_ptr<embedded::StatementCache> cache_;
};

TEST_F(StatementCacheTest, StatementsDifferingInLiteralsSharePreparedAndBindByType) {
  const std::size_t before = cache_->PrepareCount();
  EXPECT_EQ(Query("SELECT s FROM t WHERE id = 1"), "v1;");
  EXPECT_EQ(Query("SELECT s FROM t WHERE id = 4"), "v4;");
  EXPECT_EQ(Query("select s   from t where id=2"), "v2;");
  EXPECT_EQ(cache_->PrepareCount() - before, 2u);  // the lower-case text is another skeleton
  EXPECT_EQ(Query("SELECT id FROM t WHERE s = 'v3'"), "3;");
  EXPECT_EQ(Query("SELECT id FROM t WHERE s = 'v5'"), "5;");
  EXPECT_EQ(Query("SELECT id FROM t WHERE id = 2.0"), "2;");
  // The empty string is Oracle's null: never a bound value.
  EXPECT_EQ(Query("SELECT count(*) FROM t WHERE s = ''"), "0;");
  EXPECT_EQ(Query("SELECT count(*) FROM t WHERE s = 'v1'"), "1;");
  EXPECT_EQ(Query("SELECT count(*) FROM t WHERE s = ''"), "0;");
  // An INSERT's select list gives values, as VALUES does: the rows share one statement.
  const std::size_t inserts = cache_->PrepareCount();
  for (const char* row : {"6, 'v6'", "7, 'v7'"}) {
    Query("INSERT INTO t (id, s) SELECT " + std::string(row) +
          " FROM dual WHERE NOT EXISTS (SELECT 1 FROM t WHERE id = 6)");
  }
  EXPECT_EQ(cache_->PrepareCount() - inserts, 1u);
  EXPECT_EQ(Query("SELECT s FROM t WHERE id > 5"), "v6;");
}

// The look-up finds the literals without reading the tokens: quotes in comments and names, a
// doubled quote, a number against a name, and the skeleton's own marks written into a text
// must neither share another text's statement nor be taken for literals.
TEST_F(StatementCacheTest, OnlyLiteralsTellTextsOfOneSkeletonApart) {
  const struct {
    std::string sql;
    std::string rows;  // "!" when refused
  } cases[] = {
      {"SELECT s FROM t WHERE id = 1", "v1;"},
      {"SELECT s FROM t WHERE id = 1 -- it's 'v2'\n", "v1;"},
      {"SELECT s FROM t WHERE id = 3 -- it's 'v2'\n", "v3;"},
      {"SELECT s FROM t WHERE id = 2 /* 'v4' */", "v2;"},
      {"SELECT s \"it's\" FROM t WHERE id = 4", "v4;"},
      {"SELECT count(*) FROM t WHERE s = 'v''1' OR s = 'v5'", "1;"},
      {"SELECT count(*) FROM t WHERE s = 'v1' OR s = 'v''5'", "1;"},
      {"SELECT count(*) FROM t WHERE s = 'v1' OR s = ''", "1;"},
      {"SELECT id FROM t WHERE id = 1e0", "1;"},
      {"SELECT id FROM t WHERE id = 1 ORDER BY id", "1;"},
      {std::string("SELECT s FROM t WHERE id = \x02"), "!"},
      {std::string("SELECT s FROM t WHERE id = 1 /*\x02*/"), "v1;"},
      {std::string("SELECT s FROM t WHERE id = 5 /*\x02*/"), "v5;"},
      {std::string("SELECT count(*) FROM t WHERE s = 'v1' OR s = \x01"), "!"},
      {"SELECT s FROM t WHERE id = 'unclosed", "!"},
      {"SELECT s FROM t WHERE id = 3 /* unclosed", "!"},
  };
  for (int round = 0; round < 2; ++round) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.sql);
      std::string rows;
      try {
        rows = Query(c.sql);
      } catch (const host::DatabaseError&) {
        rows = "!";
      }
      EXPECT_EQ(rows, c.rows);
    }
  }
}

TEST_F(StatementCacheTest, InListLengthIsPartOfTheKey) {
  const std::size_t before = cache_->PrepareCount();
  EXPECT_EQ(Query("SELECT id FROM t WHERE id IN (1, 2) ORDER BY id"), "1;2;");
  EXPECT_EQ(Query("SELECT id FROM t WHERE id IN (3, 4, 5) ORDER BY id"), "3;4;5;");
  EXPECT_EQ(Query("SELECT id FROM t WHERE id IN (4, 5) ORDER BY id"), "4;5;");
  EXPECT_EQ(cache_->PrepareCount() - before, 2u);
}

TEST_F(StatementCacheTest, EvictionKeepsResultsRight) {
  for (int round = 0; round < 3; ++round) {
    for (int i = 1; i <= 12; ++i) {
      std::string columns = "id";
      for (int k = 0; k < i; ++k) columns += ", s";
      sqlite3_stmt* stmt = cache_
                               ->Prepare("SELECT " + columns + " FROM t WHERE id = " +
                                         std::to_string(1 + (i + round) % 5))
                               .Statement(0);
      ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
      EXPECT_EQ(sqlite3_column_count(stmt), i + 1);
      EXPECT_EQ(sqlite3_column_int(stmt, 0), 1 + (i + round) % 5);
      sqlite3_reset(stmt);
    }
  }
}

// A translation reads the column types: after the table changes type, a cached statement must
// be translated again, however the schema changed. w.c first holds the number 7, then the text
// '007', which equals 7 only when the text is read as a number.
TEST(ColumnTypesInTheCacheTest, SchemaChangesRetranslateWhatDependsOnThem) {
  const std::string file = (std::filesystem::temp_directory_path() /
                            ("lv_column_types_" + std::to_string(::getpid()) + ".db"))
                               .string();
  std::filesystem::remove(file);
  const std::string query = "SELECT count(*) n, 'v' || max(c) v FROM w WHERE c = 7";
  struct Way {
    const char* name;
    std::function<void(embedded::SqliteDataAccess& cached, embedded::SqliteDataAccess& other)>
        change;
  };
  const Way ways[] = {
      {"DDL through the cache",
       [](embedded::SqliteDataAccess& cached, embedded::SqliteDataAccess&) {
         cached.Execute("DROP TABLE w");
         cached.Execute("CREATE TABLE w (c VARCHAR2(10))");
       }},
      {"DDL in one block through the cache",
       [](embedded::SqliteDataAccess& cached, embedded::SqliteDataAccess&) {
         cached.Execute("Begin Drop Table w; Create Table w (c VARCHAR2(10)); End;");
       }},
      {"SQLite text on the same connection",
       [](embedded::SqliteDataAccess& cached, embedded::SqliteDataAccess&) {
         RunSqlite(cached, "DROP TABLE w");
         RunSqlite(cached, "CREATE TABLE w (c TEXT)");
       }},
      {"another connection to the file",
       [](embedded::SqliteDataAccess&, embedded::SqliteDataAccess& other) {
         other.Execute("DROP TABLE w");
         other.Execute("CREATE TABLE w (c VARCHAR2(10))");
       }},
      {"another connection, then a transaction here that prepares nothing",
       [](embedded::SqliteDataAccess& cached, embedded::SqliteDataAccess& other) {
         other.Execute("DROP TABLE w");
         other.Execute("CREATE TABLE w (c VARCHAR2(10))");
         cached.BeginTrans();
         cached.CommitTrans();
         // Before any write of this connection moves the file's version again.
         EXPECT_EQ(cached.TranslateForDisplay("SELECT c FROM w WHERE c = 7"),
                   "SELECT c FROM w WHERE ora_as_number(c) = 7");
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    {
      embedded::SqliteDataAccess cached(file);
      embedded::SqliteDataAccess other(file);
      cached.Execute("CREATE TABLE w (c FLOAT)");
      cached.Execute("INSERT INTO w VALUES (7)");
      EXPECT_EQ(Dump(RunOracle(cached, query)), "n|v\n1|v7\n");
      way.change(cached, other);
      cached.Execute("INSERT INTO w VALUES ('007')");
      EXPECT_EQ(Dump(RunOracle(cached, query)), "n|v\n1|v007\n");
      EXPECT_EQ(cached.TranslateForDisplay("SELECT c FROM w WHERE c = 7"),
                "SELECT c FROM w WHERE ora_as_number(c) = 7");
    }
    std::filesystem::remove(file);
  }
}

}  // namespace
}  // namespace lumvoucher::dialect_test
