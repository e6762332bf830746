// Runs every case of data/*.case on a throwaway PostgreSQL cluster as well, the Oracle text
// translated for PostgreSQL: the rows must be SQLite's (the case's expectation) unless the case
// says what PostgreSQL gives instead (">>> postgres"). Each case gets its own schema; the
// dialect's functions live in public. Skipped when no server can be started.
#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <cctype>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "dialect/case_file.h"
#include "dialect/postgres_cluster.h"
#include "dialect/sql_runner.h"
#include "embedded/dialect/translator.h"
#include "server/oracle_support.h"

namespace lumvoucher::dialect_test {
namespace {

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

Result Exec(PGconn* conn, const std::string& sql, const std::vector<std::string>& params = {}) {
  std::vector<const char*> values;
  for (const std::string& p : params) values.push_back(p.c_str());
  Result r(PQexecParams(conn, sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(),
                        nullptr, nullptr, 0),
           &PQclear);
  const ExecStatusType status = PQresultStatus(r.get());
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
    throw std::runtime_error(std::string(PQresultErrorMessage(r.get())) + "\nPostgreSQL: " + sql);
  }
  return r;
}

// A numeric as the embedded database writes the same number: 12.00 as 12.
std::string Normalised(std::string value, Oid type) {
  constexpr Oid kNumeric = 1700;
  if (type == kNumeric && value.find('.') != std::string::npos) {
    value.erase(value.find_last_not_of('0') + 1);
    if (value.back() == '.') value.pop_back();
  }
  return value;
}

// The Oracle text run as the PostgreSQL host will run it: literals bound as parameters (or
// written in), a block inside one transaction.
Outcome RunOracle(PGconn* conn, const std::string& oracle_sql, bool inline_literals) {
  server::CatalogColumnTypes columns(conn);
  dialect::Lexed lexed;
  dialect::Translation translation;
  try {
    lexed = dialect::Tokenize(oracle_sql);
    translation = dialect::Translate(lexed, inline_literals, &columns, dialect::Target::kPostgres);
  } catch (const dialect::TranslateError& error) {
    throw std::runtime_error(dialect::DescribeError(error, oracle_sql));
  }
  Outcome outcome;
  if (translation.is_block) Exec(conn, "BEGIN");
  try {
    for (const dialect::TranslatedStatement& statement : translation.statements) {
      std::vector<std::string> params;
      for (int literal : statement.params) {
        params.push_back(lexed.literals[static_cast<std::size_t>(literal)].text);
      }
      Result r = Exec(conn, statement.sql, params);
      if (statement.changes_rows) outcome.changes += std::atoll(PQcmdTuples(r.get()));
      if (PQresultStatus(r.get()) != PGRES_TUPLES_OK || statement.changes_rows) continue;
      outcome.is_query = true;
      outcome.columns.clear();
      outcome.rows.clear();
      for (int c = 0; c < PQnfields(r.get()); ++c) outcome.columns.push_back(PQfname(r.get(), c));
      for (int row = 0; row < PQntuples(r.get()); ++row) {
        std::vector<std::string>& fields = outcome.rows.emplace_back();
        for (int c = 0; c < PQnfields(r.get()); ++c) {
          fields.push_back(PQgetisnull(r.get(), row, c)
                               ? "NULL"
                               : Normalised(PQgetvalue(r.get(), row, c), PQftype(r.get(), c)));
        }
      }
    }
    if (translation.is_block) Exec(conn, "COMMIT");
  } catch (...) {
    if (translation.is_block) PQclear(PQexec(conn, "ROLLBACK"));
    throw;
  }
  return outcome;
}

// PostgreSQL folds unquoted names to lower case and cuts them at 63 bytes: headers compare so.
std::string Comparable(std::string dump) {
  const std::size_t end = dump.find('\n');
  std::string header;
  std::istringstream fields(dump.substr(0, end));
  for (std::string field; std::getline(fields, field, '|');) {
    for (char& ch : field) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    header += (header.empty() ? "" : "|") + field.substr(0, 63);
  }
  return header + dump.substr(end);
}

class PostgresCaseTest : public ::testing::TestWithParam<Case> {
 protected:
  static void SetUpTestSuite() {
    cluster_ = new PostgresCluster;
    if (!cluster_->Start()) return;
    conn_ = PQconnectdb(cluster_->ConnInfo().c_str());
    if (PQstatus(conn_) != CONNECTION_OK) {
      reason_ = std::string("cannot connect: ") + PQerrorMessage(conn_);
      return;
    }
    PQclear(PQexec(conn_, "SET client_min_messages = warning"));
    try {
      server::InstallOracleSupport(conn_);
    } catch (const std::exception& e) {
      reason_ = std::string("the dialect's functions do not load: ") + e.what();
      functions_failed_ = true;
      return;
    }
    ready_ = true;
  }
  static void TearDownTestSuite() {
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
    delete cluster_;
    cluster_ = nullptr;
  }

  static PostgresCluster* cluster_;
  static PGconn* conn_;
  static bool ready_;
  static bool functions_failed_;
  static std::string reason_;
};

PostgresCluster* PostgresCaseTest::cluster_ = nullptr;
PGconn* PostgresCaseTest::conn_ = nullptr;
bool PostgresCaseTest::ready_ = false;
bool PostgresCaseTest::functions_failed_ = false;
std::string PostgresCaseTest::reason_;

std::string Where(const Case& c, const Step& step) {
  return c.file + ":" + std::to_string(step.line) + " (" + c.name + ")\n" + step.sql;
}

TEST_P(PostgresCaseTest, GivesTheExpectedResult) {
  // A function file the server refuses is our fault; a server that cannot start is not.
  ASSERT_FALSE(functions_failed_) << reason_;
  if (!ready_) GTEST_SKIP() << (reason_.empty() ? cluster_->Reason() : reason_);
  const Case& c = GetParam();
  const std::string schema = "case_" + std::to_string(c.line) + "_" +
                             std::to_string(std::hash<std::string>{}(c.file) % 100000);
  Exec(conn_, "DROP SCHEMA IF EXISTS " + schema + " CASCADE");
  Exec(conn_, "CREATE SCHEMA " + schema);
  Exec(conn_, "SET search_path = " + schema + ", public");
  for (const std::string& sql : c.setup) {
    try {
      RunOracle(conn_, sql, false);
    } catch (const std::exception& e) {
      FAIL() << c.file << " setup failed: " << e.what();
    }
  }
  for (const Step& written : c.steps) {
    SCOPED_TRACE(Where(c, written));
    const Step& step = written.postgres.empty() ? written : written.postgres.front();
    if (step.expect == Step::Expect::kError) {
      try {
        RunOracle(conn_, written.sql, false);
        ADD_FAILURE() << "expected an error containing: " << step.error;
      } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find(step.error), std::string::npos)
            << "message: " << e.what();
      }
      continue;
    }
    Outcome outcome;
    try {
      outcome = RunOracle(conn_, written.sql, false);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "failed: " << e.what();
      continue;
    }
    if (step.expect == Step::Expect::kCount) {
      EXPECT_EQ(outcome.changes, step.count);
    } else if (step.expect == Step::Expect::kRows) {
      EXPECT_EQ(Comparable(Dump(outcome)), Comparable(step.rows));
      if (outcome.is_query && !step.once) {
        EXPECT_EQ(Comparable(Dump(RunOracle(conn_, written.sql, true))), Comparable(step.rows))
            << "literals written into the text";
      }
    }
  }
  Exec(conn_, "SET search_path = public");
  Exec(conn_, "DROP SCHEMA " + schema + " CASCADE");
}

std::string TestName(const ::testing::TestParamInfo<Case>& info) {
  std::string name =
      info.param.file.substr(0, info.param.file.find('.')) + "_" + std::to_string(info.param.line);
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Data, PostgresCaseTest,
                         ::testing::ValuesIn(ReadCaseDirectory(LUMVOUCHER_DIALECT_DATA_DIR)),
                         TestName);

}  // namespace
}  // namespace lumvoucher::dialect_test
