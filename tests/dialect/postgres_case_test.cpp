// Runs every case of data/*.case on a throwaway PostgreSQL cluster as well, the Oracle text
// translated for PostgreSQL: the rows must be SQLite's (the case's expectation) unless the case
// says what PostgreSQL gives instead (">>> postgres"). Each case gets its own schema; the
// dialect's functions live in public. Skipped when no server can be started.
#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <cctype>
#include <memory>
#include <string>

#include "dialect/case_file.h"
#include "dialect/postgres_cluster.h"
#include "embedded/dialect/translator.h"
#include "server/oracle_statement.h"
#include "server/oracle_support.h"

namespace lumvoucher::dialect_test {
namespace {

class PostgresDatabase : public CaseDatabase {
 public:
  explicit PostgresDatabase(PGconn* conn) : conn_(conn) {}
  Outcome Run(const std::string& oracle_sql, bool) override { return Convert(oracle_sql, false); }
  std::vector<std::pair<std::string, Outcome>> Again(const std::string& oracle_sql) override {
    return {{"literals written into the text", Convert(oracle_sql, true)}};
  }
  std::string Translated(const std::string& oracle_sql) override {
    server::CatalogColumnTypes columns(conn_);
    try {
      return dialect::TranslateForDisplay(oracle_sql, &columns, dialect::Target::kPostgres);
    } catch (const std::exception& e) {
      return e.what();
    }
  }
  bool Postgres() const override { return true; }

 private:
  Outcome Convert(const std::string& oracle_sql, bool inline_literals) {
    server::OracleResult r = server::RunOracle(conn_, oracle_sql, inline_literals);
    Outcome outcome{r.is_query, r.columns, {}, r.changes};
    for (const auto& row : r.rows) {
      auto& fields = outcome.rows.emplace_back();
      for (const auto& field : row) fields.push_back(field.value_or("NULL"));
    }
    return outcome;
  }
  PGconn* conn_;
};

class PostgresCaseTest : public ::testing::TestWithParam<Case> {
 protected:
  static void SetUpTestSuite() {
    cluster_ = std::make_unique<PostgresCluster>();
    if (!cluster_->Start()) return;
    conn_ = PQconnectdb(cluster_->ConnInfo().c_str());
    if (PQstatus(conn_) != CONNECTION_OK) {
      reason_ = std::string("cannot connect: ") + PQerrorMessage(conn_);
      return;
    }
    PQclear(PQexec(conn_, "SET client_min_messages = warning"));
    try {
      server::InstallOracleSupport(conn_);
      ready_ = true;
    } catch (const std::exception& e) {
      functions_error_ = e.what();
    }
  }
  static void TearDownTestSuite() {
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
    cluster_.reset();
  }

  static inline std::unique_ptr<PostgresCluster> cluster_;
  static inline PGconn* conn_ = nullptr;
  static inline bool ready_ = false;
  static inline std::string reason_;
  static inline std::string functions_error_;
};

void Exec(PGconn* conn, const std::string& sql) {
  std::unique_ptr<PGresult, decltype(&PQclear)> r(PQexec(conn, sql.c_str()), &PQclear);
  ASSERT_EQ(PQresultStatus(r.get()), PGRES_COMMAND_OK) << PQresultErrorMessage(r.get());
}

TEST_P(PostgresCaseTest, GivesTheExpectedResult) {
  // A function file the server refuses is our fault; a server that cannot start is not.
  ASSERT_EQ(functions_error_, "");
  if (!ready_) GTEST_SKIP() << (reason_.empty() ? cluster_->Reason() : reason_);
  const Case& c = GetParam();
  std::string schema = "case_" + c.file.substr(0, c.file.find('.')) + "_" + std::to_string(c.line);
  Exec(conn_, "CREATE SCHEMA " + schema + "; SET search_path = " + schema + ", public");
  PostgresDatabase db(conn_);
  CheckCase(c, db);
  Exec(conn_, "SET search_path = public; DROP SCHEMA " + schema + " CASCADE");
}

INSTANTIATE_TEST_SUITE_P(Data, PostgresCaseTest,
                         ::testing::ValuesIn(ReadCaseDirectory(LUMVOUCHER_DIALECT_DATA_DIR)),
                         [](const auto& info) { return CaseTestName(info.param); });

}  // namespace
}  // namespace lumvoucher::dialect_test
