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

std::string Where(const Case& c, const Step& step) {
  return c.file + ":" + std::to_string(step.line) + " (" + c.name + ")\n" + step.sql;
}

TEST_P(CaseFileTest, GivesTheExpectedResult) {
  const Case& c = GetParam();
  SqlRunner runner;
  for (const std::string& sql : c.setup) {
    try {
      runner.Run(sql);
    } catch (const host::DatabaseError& e) {
      FAIL() << c.file << " setup failed: " << e.what() << "\n" << sql;
    }
  }
  for (const Step& step : c.steps) {
    SCOPED_TRACE(Where(c, step));
    if (step.expect == Step::Expect::kError) {
      try {
        runner.Run(step.sql);
        ADD_FAILURE() << "expected an error containing: " << step.error;
      } catch (const host::DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(step.error), std::string::npos)
            << "message: " << e.what();
      }
      continue;
    }
    Outcome outcome;
    try {
      outcome = runner.Run(step.sql);
    } catch (const host::DatabaseError& e) {
      ADD_FAILURE() << "failed: " << e.what()
                    << "\nSQLite: " << runner.TranslateForDisplay(step.sql);
      continue;
    }
    if (step.expect == Step::Expect::kCount) {
      EXPECT_EQ(outcome.changes, step.count);
    } else if (step.expect == Step::Expect::kRows) {
      EXPECT_EQ(Dump(outcome), step.rows) << "SQLite: " << runner.TranslateForDisplay(step.sql);
      if (outcome.is_query && !step.once) {
        EXPECT_EQ(Dump(runner.Run(step.sql)), step.rows) << "second run, from the cache";
        EXPECT_EQ(Dump(runner.RunSqlite(runner.TranslateForDisplay(step.sql))), step.rows)
            << "literals written into the text";
      }
    }
  }
}

std::string TestName(const ::testing::TestParamInfo<Case>& info) {
  std::string name =
      info.param.file.substr(0, info.param.file.find('.')) + "_" + std::to_string(info.param.line);
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Data, CaseFileTest,
                         ::testing::ValuesIn(ReadCaseDirectory(LUMVOUCHER_DIALECT_DATA_DIR)),
                         TestName);

}  // namespace
}  // namespace lumvoucher::dialect_test
