#include "embedded/statement_cache.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "dialect/sql_runner.h"
#include "host/database_error.h"

namespace lumvoucher::dialect_test {
namespace {

class StatementCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runner_.Run("CREATE TABLE t (id NUMBER(10), s VARCHAR2(10))");
    for (int i = 1; i <= 5; ++i) {
      runner_.Run("INSERT INTO t VALUES (" + std::to_string(i) + ", 'v" + std::to_string(i) + "')");
    }
  }
  std::string Query(const std::string& sql) {
    Outcome out = runner_.Run(sql);
    std::string text;
    for (const auto& row : out.rows) text += row.front() + ";";
    return text;
  }
  SqlRunner runner_{8};
};

TEST_F(StatementCacheTest, StatementsDifferingInLiteralsSharePreparedAndBindByType) {
  const std::size_t before = runner_.PrepareCount();
  EXPECT_EQ(Query("SELECT s FROM t WHERE id = 1"), "v1;");
  EXPECT_EQ(Query("SELECT s FROM t WHERE id = 4"), "v4;");
  EXPECT_EQ(Query("select s   from t where id=2"), "v2;");  // blanks do not matter
  EXPECT_EQ(runner_.PrepareCount() - before, 2u);  // the lower-case text is another skeleton
  EXPECT_EQ(Query("SELECT id FROM t WHERE s = 'v3'"), "3;");
  EXPECT_EQ(Query("SELECT id FROM t WHERE s = 'v5'"), "5;");
  EXPECT_EQ(Query("SELECT id FROM t WHERE id = 2.0"), "2;");
  // The empty string is Oracle's null: never a bound value.
  EXPECT_EQ(Query("SELECT count(*) FROM t WHERE s = ''"), "0;");
  EXPECT_EQ(Query("SELECT count(*) FROM t WHERE s = 'v1'"), "1;");
  EXPECT_EQ(Query("SELECT count(*) FROM t WHERE s = ''"), "0;");
}

TEST_F(StatementCacheTest, InListLengthIsPartOfTheKey) {
  const std::size_t before = runner_.PrepareCount();
  EXPECT_EQ(Query("SELECT id FROM t WHERE id IN (1, 2) ORDER BY id"), "1;2;");
  EXPECT_EQ(Query("SELECT id FROM t WHERE id IN (3, 4, 5) ORDER BY id"), "3;4;5;");
  EXPECT_EQ(Query("SELECT id FROM t WHERE id IN (4, 5) ORDER BY id"), "4;5;");
  EXPECT_EQ(runner_.PrepareCount() - before, 2u);
}

TEST_F(StatementCacheTest, EvictionKeepsResultsRight) {
  for (int round = 0; round < 3; ++round) {
    for (int i = 1; i <= 12; ++i) {
      std::string columns = "id";
      for (int k = 0; k < i; ++k) columns += ", s";
      Outcome out = runner_.Run("SELECT " + columns +
                                " FROM t WHERE id = " + std::to_string(1 + (i + round) % 5));
      ASSERT_EQ(out.columns.size(), static_cast<std::size_t>(i + 1));
      EXPECT_EQ(out.rows.at(0).at(0), std::to_string(1 + (i + round) % 5));
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
    std::function<void(SqlRunner& cached, SqlRunner& other)> change;
  };
  const Way ways[] = {
      {"DDL through the cache",
       [](SqlRunner& cached, SqlRunner&) {
         cached.Run("DROP TABLE w");
         cached.Run("CREATE TABLE w (c VARCHAR2(10))");
       }},
      {"DDL in one block through the cache",
       [](SqlRunner& cached, SqlRunner&) {
         cached.Run("Begin Drop Table w; Create Table w (c VARCHAR2(10)); End;");
       }},
      {"SQLite text on the same connection",
       [](SqlRunner& cached, SqlRunner&) {
         cached.RunSqlite("DROP TABLE w");
         cached.RunSqlite("CREATE TABLE w (c TEXT)");
       }},
      {"another connection to the file",
       [](SqlRunner&, SqlRunner& other) {
         other.Run("DROP TABLE w");
         other.Run("CREATE TABLE w (c VARCHAR2(10))");
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    {
      SqlRunner cached(64, file);
      SqlRunner other(64, file);
      cached.Run("CREATE TABLE w (c FLOAT)");
      cached.Run("INSERT INTO w VALUES (7)");
      EXPECT_EQ(Dump(cached.Run(query)), "n|v\n1|v7\n");
      way.change(cached, other);
      cached.Run("INSERT INTO w VALUES ('007')");
      EXPECT_EQ(Dump(cached.Run(query)), "n|v\n1|v007\n");
      EXPECT_EQ(cached.TranslateForDisplay("SELECT c FROM w WHERE c = 7"),
                "SELECT c FROM w WHERE ora_as_number(c) = 7");
    }
    std::filesystem::remove(file);
  }
}

}  // namespace
}  // namespace lumvoucher::dialect_test
