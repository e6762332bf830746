// Deep and long statements on a thread's default stack: nesting beyond the limit is refused with
// the position where it goes too deep; flat chains of any length translate and run.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "dialect/sql_runner.h"
#include "embedded/dialect/translator.h"
#include "host/database_error.h"

namespace lumvoucher::dialect_test {
namespace {

std::string Repeat(const std::string& unit, int times) {
  std::string out;
  out.reserve(unit.size() * static_cast<std::size_t>(times));
  for (int i = 0; i < times; ++i) out += unit;
  return out;
}

// Column (1-based) of the n-th occurrence of `unit` in a one-line text.
std::size_t ColumnOf(const std::string& sql, const std::string& unit, int n) {
  std::size_t at = std::string::npos;
  for (int i = 0; i < n; ++i) at = sql.find(unit, at == std::string::npos ? 0 : at + 1);
  return at + 1;
}

// What `sql` gives on a new database, run on a thread of its own.
std::string RunOnThread(const std::string& sql) {
  std::string result;
  std::thread worker([&] {
    embedded::SqliteDataAccess db(":memory:");
    try {
      result = Dump(RunOracle(db, sql));
    } catch (const host::DatabaseError& e) {
      result = e.what();
    }
  });
  worker.join();
  return result;
}

std::string TooDeepAt(std::size_t column) {
  return "unsupported construct nesting deeper than 200 levels at line 1, column " +
         std::to_string(column);
}

TEST(DeepInputTest, NestingBeyondTheLimitIsRefusedWhereItGoesTooDeep) {
  struct Case {
    const char* what;
    std::string sql;
    std::string unit;  // the repeated construct; the error stands at its `nth` occurrence
    int nth;           // the parser counts the outer query and its expression as levels too
  };
  const Case cases[] = {
      {"FROM sub-queries 5 000 deep",
       Repeat("SELECT x FROM (", 5000) + "SELECT 1 x FROM dual" + Repeat(") t", 5000), "x FROM (",
       200},
      {"a query in 30 000 parentheses",
       Repeat("(", 30000) + "SELECT 1 x FROM dual" + Repeat(")", 30000), "(", 201},
      {"an expression in 30 000 parentheses",
       "SELECT " + Repeat("(", 30000) + "1" + Repeat(")", 30000) + " x FROM dual", "(", 200},
      {"30 000 NOTs", "SELECT 1 x FROM dual WHERE " + Repeat("NOT ", 30000) + "1 = 1", "NOT", 199},
      {"25 000 unary minuses", "SELECT " + Repeat("- ", 25000) + "1 x FROM dual", "-", 199},
      {"EXISTS 1 000 deep",
       Repeat("SELECT 1 x FROM dual WHERE EXISTS (", 1000) + "SELECT 1 FROM dual" +
           Repeat(")", 1000),
       "SELECT", 101},
      {"NVL 3 000 deep",
       "SELECT " + Repeat("nvl(", 3000) + "1" + Repeat(", 0)", 3000) + " x FROM dual", "nvl", 200},
      {"300 operators mixing * and / (no regrouping keeps their order)",
       "SELECT 1" + Repeat("*2/2", 150) + " x FROM dual", "/", 100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunOnThread(c.sql), TooDeepAt(ColumnOf(c.sql, c.unit, c.nth))) << c.what;
  }
}

// The dialect takes nesting up to its limit; SQLite's own parser stops near a hundred levels
// with an error of its own, so what runs here stays below that.
TEST(DeepInputTest, NestingWithinTheLimitTranslatesAndRuns) {
  auto parens = [](int n) {
    return "SELECT " + Repeat("(", n) + "7" + Repeat(")", n) + " x FROM dual";
  };
  auto nots = [](int n) { return "SELECT 1 x FROM dual WHERE " + Repeat("NOT ", n) + "1 = 1"; };
  auto views = [](int n) {
    return Repeat("SELECT x FROM (", n) + "SELECT 5 x FROM dual" + Repeat(") t", n);
  };
  std::string failure;
  std::thread worker([&] {
    for (const std::string& sql : {parens(190), nots(190), views(190)}) {
      try {
        dialect::Translate(sql);
      } catch (const dialect::TranslateError& e) {
        failure += dialect::DescribeError(e, sql) + "\n";
      }
    }
  });
  worker.join();
  EXPECT_EQ(failure, "");
  EXPECT_EQ(RunOnThread(parens(40)), "x\n7\n");
  EXPECT_EQ(RunOnThread(nots(40)), "x\n1\n");
  EXPECT_EQ(RunOnThread(views(10)), "x\n5\n");
}

}  // namespace
}  // namespace lumvoucher::dialect_test
