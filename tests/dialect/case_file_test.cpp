// Runs every case of data/*.case: each on a new database holding its file's setup. A query is
// also run a second time through the warm cache and once as display text with its literals
// written in; all three must give the same rows.
#include "dialect/case_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "dialect/sql_runner.h"
#include "host/database_error.h"

namespace lumvoucher::dialect_test {
namespace {

class CaseFileTest : public ::testing::TestWithParam<Case> {};

class SqliteDatabase : public CaseDatabase {
 public:
  Outcome Run(const std::string& oracle_sql, bool rows) override {
    return RunOracle(db_, oracle_sql, rows);
  }
  std::vector<std::pair<std::string, Outcome>> Again(const std::string& oracle_sql) override {
    return {
        {"second run, from the cache", RunOracle(db_, oracle_sql)},
        {"literals written into the text", RunSqlite(db_, db_.TranslateForDisplay(oracle_sql))}};
  }
  std::string Translated(const std::string& oracle_sql) override {
    return db_.TranslateForDisplay(oracle_sql);
  }

 private:
  embedded::SqliteDataAccess db_{":memory:"};
};

TEST_P(CaseFileTest, GivesTheExpectedResult) {
  SqliteDatabase db;
  CheckCase(GetParam(), db);
}

INSTANTIATE_TEST_SUITE_P(Data, CaseFileTest,
                         ::testing::ValuesIn(ReadCaseDirectory(LUMVOUCHER_DIALECT_DATA_DIR)),
                         [](const auto& info) { return CaseTestName(info.param); });

}  // namespace
}  // namespace lumvoucher::dialect_test
