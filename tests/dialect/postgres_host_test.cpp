// The server host's own pieces on a throwaway PostgreSQL cluster: the data access's
// transactions, errors and reconnection, the sequence id service, and the copy of an embedded
// account set with its verification, and the fund system's database. Skipped when no server can be
// started.
#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <memory>
#include <sstream>
#include <string>

#include "dialect/postgres_cluster.h"
#include "embedded/account_set.h"
#include "embedded/embedded_fund_system.h"
#include "embedded/sqlite_data_access.h"
#include "host/database_error.h"
#include "host/read_scope.h"
#include "server/account_set_copy.h"
#include "server/postgres_data_access.h"
#include "server/sequence_ids.h"
#include "server/server_error.h"
#include "server/server_host.h"
#include "support/slowly_changing_reads.h"

namespace lumvoucher::dialect_test {
namespace {

std::string Dump(host::DataAccess& data, const std::string& sql) {
  host::Recordset rs = data.OpenRecordset(sql);
  std::string out;
  for (; !rs.Eof(); rs.MoveNext()) {
    for (std::size_t i = 0; i < rs.FieldCount(); ++i) out += (i ? "|" : "") + rs[i].AsText();
    out += "\n";
  }
  return out;
}

std::string InsertVoucher(long id, long number) {
  return "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
         "bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (" +
         std::to_string(id) + ", 1, " + std::to_string(number) + ", '2026-02-10', 2026, 2, 1, 2)";
}

class PostgresHostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    cluster_ = std::make_unique<PostgresCluster>();
    if (!cluster_->Start()) return;
    admin_ = PQconnectdb(cluster_->ConnInfo().c_str());
    PQclear(PQexec(admin_, "CREATE DATABASE lv_host"));
    file_ = std::make_unique<embedded::SqliteDataAccess>(":memory:");
    embedded::CreateAccountSet(*file_, embedded::DemoSets::kSingleBasisOnly);
    server::PostgresDataAccess data(ConnInfo());
    server::CopyAccountSet(file_->Handle(), data);
  }
  static void TearDownTestSuite() {
    if (admin_) PQfinish(admin_);
    admin_ = nullptr;
    file_.reset();
    cluster_.reset();
  }
  void SetUp() override {
    if (!admin_) GTEST_SKIP() << cluster_->Reason();
    data_ = std::make_unique<server::PostgresDataAccess>(ConnInfo());
  }
  static std::string ConnInfo() { return cluster_->ConnInfo() + " dbname=lv_host"; }
  void KillConnection() {
    const std::string sql =
        "SELECT pg_terminate_backend(" + std::to_string(PQbackendPID(data_->Handle())) + ")";
    PQclear(PQexec(admin_, sql.c_str()));
  }

  static inline std::unique_ptr<PostgresCluster> cluster_;
  static inline PGconn* admin_ = nullptr;
  static inline std::unique_ptr<embedded::SqliteDataAccess> file_;
  std::unique_ptr<server::PostgresDataAccess> data_;
};

// As on the embedded database: inner transactions are savepoints, and a failed statement (here a
// taken number, told by its key) undoes itself, not the transaction around it. A deferred one
// goes with the next statement that needs an answer, or the commit; its failure (a taken number,
// a bad value) is thrown there and by every statement up to the rollback of its level, the
// commit included; those of a savepoint rolled back never go. Steps: B/C/R the transaction
// calls, "eI:N" and "dI:N" voucher 90000I numbered 900N run at once or deferred, q a query, f
// a failing one; "!" marks a step that threw, "u" one naming VOUCHER_NOUNIQUE. Each statement is
// prepared once.
TEST_F(PostgresHostTest, TransactionsNestAndDeferredStatementsFailNoLaterThanTheCommit) {
  struct Case {
    const char* steps;
    const char* outcome;
    const char* stored;
    std::size_t round_trips;
  } cases[] = {
      {"B e1:1 B e2:2 R e3:1 e4:4 B e5:5 R C", "B e1:1 B e2:2 R e3:1!u e4:4 B e5:5 R C",
       "900001\n900004\n", 7},
      {"B d1:1 d2:2 C", "B d1:1 d2:2 C", "900001\n900002\n", 1},
      {"B d1:1 d2:1 q d3:3 C", "B d1:1 d2:1 q!u d3:3!u C!u", "", 2},
      {"B d1:1 d2:x C", "B d1:1 d2:x C!", "", 2},
      {"B d1:1 B d2:2 R C", "B d1:1 B d2:2 R C", "900001\n", 1},
      {"B d1:1 B d2:1 q R d3:3 C", "B d1:1 B d2:1 q!u R d3:3 C", "900001\n900003\n", 2},
      {"B B d1:1 C B d2:1 q R C", "B B d1:1 C B d2:1 q!u R C", "900001\n", 2},
      {"B B d1:1 d2:1 C B q R C", "B B d1:1 d2:1 C B q!u R C!u", "", 2},
      // A failed first statement goes without a savepoint: the transaction begins again.
      {"B f e1:1 f C", "B f! e1:1 f! C", "900001\n", 6},
  };
  const std::size_t prepared = data_->PrepareCount();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    const std::size_t round_trips = data_->RoundTrips();
    std::istringstream steps(c.steps);
    std::string outcome;
    for (std::string step; steps >> step; outcome += (outcome.empty() ? "" : " ") + step) {
      try {
        if (step == "B") data_->BeginTrans();
        if (step == "C") data_->CommitTrans();
        if (step == "R") data_->RollbackTrans();
        if (step == "q") data_->OpenRecordset("Select 1 From dual");
        if (step == "f") data_->OpenRecordset("Select To_Number('x') From dual");
        if (step.size() < 4) continue;
        const std::string sql =
            "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, intYear, "
            "bytPeriod, lngSourceOrganizationID) Values (90000" +
            step.substr(1, 1) + ", 1, " + (step[3] == 'x' ? "'x'" : "900" + step.substr(3)) +
            ", 2026, 2, 1)";
        step[0] == 'e' ? static_cast<void>(data_->Execute(sql)) : data_->ExecuteDeferred(sql);
      } catch (const host::DatabaseError& error) {
        step += error.Violates("VOUCHER_NOUNIQUE") ? "!u" : "!";
      }
    }
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(data_->RoundTrips() - round_trips, c.round_trips);
    EXPECT_EQ(
        Dump(*data_, "Select lngVoucherID From Voucher Where lngVoucherID > 900000 Order By 1"),
        c.stored);
    data_->Execute("Delete From Voucher Where lngVoucherID > 900000");
  }
  EXPECT_EQ(data_->PrepareCount() - prepared, 5u);
}

// A read of a long id list runs on a generic plan; the setting that asks for it ends with the
// read, whether the read fails (its rollback, of the transaction or of the statement's
// savepoint, takes it back) or not. Steps: B/C transaction calls, g the read over accounts 1-70,
// f the same read failing; each followed by the session's plan_cache_mode.
TEST_F(PostgresHostTest, ALongIdListsGenericPlanEndsWithItsRead) {
  std::string ids = "1";
  for (int id = 2; id <= 70; ++id) ids += ", " + std::to_string(id);
  const std::string accounts =
      Dump(*data_, "Select Count(*) From Account Where lngAccountID <= 70");
  const auto mode = [&] {
    PGresult* r = PQexec(data_->Handle(), "SHOW plan_cache_mode");
    const std::string value = PQgetvalue(r, 0, 0);
    PQclear(r);
    return value;
  };
  const std::string before = mode();
  std::string seen;
  for (const char step : std::string("gfBfgfgC")) {
    try {
      if (step == 'B') data_->BeginTrans();
      if (step == 'C') data_->CommitTrans();
      if (step == 'g') {
        seen += Dump(*data_, "Select Count(*) From Account Where lngAccountID In (" + ids + ")") ==
                        accounts
                    ? "g"
                    : "?";
      }
      if (step == 'f') {
        data_->OpenRecordset(
            "Select To_Number(strAccountName) From Account Where lngAccountID In (" + ids + ")");
        seen += "?";
      }
    } catch (const host::DatabaseError&) {
      seen += "f";
    }
    if (step != 'g' && step != 'f') seen += step;
    seen += mode() == before ? " " : "! ";
  }
  EXPECT_EQ(seen, "g f B f g f g C ");
}

// A backend killed in the middle of a transaction: the statement fails with the connection's
// message, nothing of the transaction stays, and the next statement connects again.
TEST_F(PostgresHostTest, ADroppedConnectionFailsTheWorkAndTheNextStatementReconnects) {
  data_->BeginTrans();
  data_->Execute(InsertVoucher(900011, 9011));
  KillConnection();
  try {
    data_->Execute(InsertVoucher(900012, 9012));
    FAIL() << "expected the lost connection";
  } catch (const host::DatabaseError& error) {
    EXPECT_NE(std::string(error.what()).find(server::kConnectionLost), std::string::npos)
        << error.what();
  }
  data_->RollbackTrans();
  EXPECT_EQ(Dump(*data_, "Select Count(*) From Voucher Where lngVoucherID > 900000"), "0\n");
}

// Keys go on from the file's counters and are never handed out twice, a rollback
// notwithstanding, also for a table numbered the first time inside the rolled-back work.
TEST_F(PostgresHostTest, SequenceKeysAreNeverReused) {
  server::SequenceIds ids(*data_);
  const std::string start =
      Dump(*data_, "Select lngNextID From IdSequence Where strTableName = 'VOUCHER'");
  const long first = ids.NextId("Voucher");
  EXPECT_EQ(std::to_string(first) + "\n", start);
  data_->BeginTrans();
  const long taken = ids.NextId("VOUCHER");
  EXPECT_EQ(ids.NextId("LV_NEW_TABLE"), 1);
  data_->RollbackTrans();
  EXPECT_EQ(ids.NextId("VOUCHER"), taken + 1);
  EXPECT_EQ(ids.NextId("LV_NEW_TABLE"), 2);
}

// Another desktop adds a column to a table under a statement kept prepared: the statement is
// prepared again instead of failing with "cached plan must not change result type".
TEST_F(PostgresHostTest, AStatementIsPreparedAgainAfterAnotherConnectionChangesItsTable) {
  data_->ExecuteScript(
      "CREATE TABLE lv_changed (a numeric(10)); INSERT INTO lv_changed VALUES (1)");
  server::PostgresDataAccess other(ConnInfo());
  std::string columns = "1";
  for (const bool in_transaction : {false, true}) {
    SCOPED_TRACE(in_transaction ? "in a transaction" : "alone");
    EXPECT_EQ(Dump(*data_, "Select * From lv_changed"), columns + "\n");
    other.ExecuteScript("ALTER TABLE lv_changed ADD COLUMN c" + std::to_string(in_transaction) +
                        " text DEFAULT 'x'");
    columns += "|x";
    if (in_transaction) data_->BeginTrans();
    EXPECT_EQ(Dump(*data_, "Select * From lv_changed"), columns + "\n");
    if (in_transaction) data_->CommitTrans();
  }
  data_->ExecuteScript("DROP TABLE lv_changed");
}

TEST_F(PostgresHostTest, TheCopyIsVerifiedTableByTable) {
  EXPECT_EQ(server::CompareAccountSets(file_->Handle(), *data_), std::vector<std::string>{});
  data_->BeginTrans();
  data_->Execute("Update VoucherDetail Set dblAmount = dblAmount + 1 Where lngVoucherDetailID = 1");
  data_->Execute("Delete From Account Where lngAccountID = 1");
  const std::vector<std::string> differences = server::CompareAccountSets(file_->Handle(), *data_);
  data_->RollbackTrans();
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_EQ(differences[0].rfind("Account：行数 ", 0), 0u) << differences[0];
  EXPECT_EQ(differences[1].rfind("VoucherDetail.dblAmount：合计 ", 0), 0u) << differences[1];
}

// An account set copied before the number guard existed gets it when it is next opened; the
// guard takes no row, and refuses one with its own key, as late as the commit when deferred.
TEST_F(PostgresHostTest, AnEarlierAccountSetGetsTheNumberGuardWhenOpened) {
  data_->ExecuteScript("DROP TABLE vouchernumberguard");
  server::OpenServerAccountSet(ConnInfo(), false);
  for (const long voucher_id : {0L, 1L}) {
    SCOPED_TRACE(voucher_id);
    std::string key = "none";
    try {
      host::TransactionGuard transaction(*data_);
      data_->ExecuteDeferred(
          "Insert Into VoucherNumberGuard (lngVoucherID) Select lngVoucherID From Voucher Where "
          "lngVoucherID = " +
          std::to_string(voucher_id));
      transaction.Commit();
    } catch (const host::DatabaseError& error) {
      key = error.ViolatedKey();
    }
    EXPECT_EQ(key, voucher_id == 0 ? "none" : "VOUCHER_NUMBER_TAKEN");
  }
}

// A command's repeated read costs one round trip while the connection writes nothing; its own
// write, its rollback and the command's end make the next one go to the server again. A setting
// kept across commands is looked at again (the stamp, then its row) only after a statement that
// may have changed a setting, not after a voucher's insert.
TEST_F(PostgresHostTest, RepeatedReadsOfACommandAreRememberedUntilItWrites) {
  const std::string sql = "Select Count(*) As n From Voucher";
  const std::string setting = "Select strSetting From Setting Where strKey = '凭证号重复自动取号'";
  const long n = static_cast<long>(data_->OpenRecordset(sql)["n"].AsLong());
  std::string seen;
  auto count = [&] {
    std::size_t before = data_->RoundTrips();
    const long now = static_cast<long>(host::OpenRemembered(*data_, sql)["n"].AsLong());
    seen += std::to_string(now - n) + "/" + std::to_string(data_->RoundTrips() - before) + " ";
    before = data_->RoundTrips();
    const std::string value = host::OpenRemembered(*data_, setting)[0].AsText();
    seen += value + "/" + std::to_string(data_->RoundTrips() - before) + " ";
  };
  {
    host::ReadScope reads(*data_);
    count();
    count();
    data_->BeginTrans();
    data_->Execute(InsertVoucher(90001, 901));
    count();
    data_->Execute("Update Setting Set strSetting = 'No' Where strKey = '凭证号重复自动取号'");
    count();
    data_->RollbackTrans();
    count();
  }
  count();
  EXPECT_EQ(seen, "0/1 True/3 0/0 True/0 1/1 True/0 1/1 No/2 0/1 True/3 0/1 True/1 ");
}

// The change stamp's statement triggers, as the copy made them, keep the remembered rows as
// on the file.
TEST_F(PostgresHostTest, RememberedSlowlyChangingRowsFollowEveryChange) {
  server::PostgresDataAccess second(ConnInfo());
  EXPECT_EQ(testing::FollowSlowlyChangingRows(*data_, second, [&] { return data_->RoundTrips(); }),
            testing::kSlowlyChangingRowsFollowed);
}

// The fund system's file moves once (a second copy adds nothing), a database without its tables
// gets them with the demo requests, and what one desktop pairs another sees.
TEST_F(PostgresHostTest, TheFundSystemMovesToTheServerOnceAndIsShared) {
  PQclear(PQexec(admin_, "CREATE DATABASE lv_fund"));
  const std::string where = cluster_->ConnInfo() + " dbname=lv_fund";
  embedded::SqliteDataAccess file(":memory:");
  embedded::EmbeddedFundSystem::MakeTables(file);
  const std::string pair =
      "Insert Into InterFace_Of8e (T_Bill_Id, Voucher_ID, Voucher_Item_ID, "
      "Party_ID) Values ";
  file.Execute(pair + "('PAY-0001', 7, 70, '01')");
  {
    server::PostgresDataAccess to(where);
    server::CopyFundSystem(file.Handle(), to);
    server::CopyFundSystem(file.Handle(), to);
  }
  auto one = server::OpenFundDatabase(where);
  auto other = server::OpenFundDatabase(where);
  one->Execute(pair + "('REC-0001', 8, 80, '01')");
  file.Execute(pair + "('REC-0001', 8, 80, '01')");
  const std::string pairs = "Select * From InterFace_Of8e Order By 1, 3";
  EXPECT_EQ(Dump(*other, pairs), Dump(file, pairs));
  const std::string requests = "Select Count(*), Sum(Amount) From BankrollRequest";
  EXPECT_EQ(Dump(*other, requests), Dump(file, requests));
  EXPECT_EQ(Dump(*server::OpenFundDatabase(ConnInfo()), requests), Dump(file, requests));
}

}  // namespace
}  // namespace lumvoucher::dialect_test
