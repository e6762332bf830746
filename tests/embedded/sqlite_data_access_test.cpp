#include "embedded/sqlite_data_access.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <vector>

#include "embedded/account_set.h"
#include "host/database_error.h"
#include "host/read_scope.h"
#include "support/failing_data_access.h"
#include "support/slowly_changing_reads.h"
#include "support/temp_account_set_file.h"
#include "support/test_host.h"

namespace lumvoucher::embedded {
namespace {

using testing::DumpRows;

// Nested transactions are savepoints, the guard rolls back unless committed, and an error names
// its statement and leaves the transaction usable.
TEST(ScratchDatabase, TransactionsNestGuardAndSurviveErrors) {
  SqliteDataAccess data(":memory:");
  data.ExecuteScript("CREATE TABLE Item (lngItemID INTEGER PRIMARY KEY, strName TEXT)");
  data.BeginTrans();
  data.Execute("Insert Into Item (lngItemID, strName) Values (1, 'outer')");
  data.BeginTrans();
  data.Execute("Insert Into Item (lngItemID, strName) Values (2, 'inner')");
  data.RollbackTrans();
  data.BeginTrans();
  data.Execute("Insert Into Item (lngItemID, strName) Values (3, 'kept')");
  data.CommitTrans();
  try {
    data.Execute("Insert Into NoSuchTable (x) Values (1)");
    FAIL() << "expected a database error";
  } catch (const host::DatabaseError& error) {
    EXPECT_NE(std::string(error.what()).find("NoSuchTable"), std::string::npos);
    EXPECT_TRUE(error.ViolatedKey().empty());
  }
  data.CommitTrans();
  {
    host::TransactionGuard guard(data);
    data.Execute("Insert Into Item (lngItemID, strName) Values (4, 'lost')");
  }
  {
    host::TransactionGuard guard(data);
    data.Execute("Insert Into Item (lngItemID, strName) Values (5, 'kept')");
    guard.Commit();
  }
  EXPECT_EQ(DumpRows(data, "Select lngItemID From Item Order By lngItemID"), "1\n3\n5\n");
}

std::string InsertVoucher(long id, long number) {
  return "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
         "bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (" +
         std::to_string(id) + ", 1, " + std::to_string(number) + ", '2026-02-10', 2026, 2, 1, 2)";
}

// A taken voucher number is told apart from a taken primary key.
TEST(DemoDatabase, DuplicateVoucherNumberIsReportedAsVoucherNoUnique) {
  auto data = testing::NewDemoDatabase();
  data->Execute(InsertVoucher(900001, 9001));
  try {
    data->Execute(InsertVoucher(900002, 9001));
    FAIL() << "expected the unique key to refuse the number";
  } catch (const host::DatabaseError& error) {
    EXPECT_TRUE(error.Violates("VOUCHER_NOUNIQUE")) << error.what();
    EXPECT_NE(std::string(error.what()).find("VOUCHER_NOUNIQUE"), std::string::npos);
  }
  try {
    data->Execute(InsertVoucher(900001, 9002));
    FAIL() << "expected the primary key to refuse the id";
  } catch (const host::DatabaseError& error) {
    EXPECT_FALSE(error.ViolatedKey().empty());
    EXPECT_FALSE(error.Violates("VOUCHER_NOUNIQUE"));
  }
  // The same number in another period is free.
  EXPECT_EQ(data->Execute("Update Voucher Set bytPeriod = 3 Where lngVoucherID = 900001"), 1);
  EXPECT_NO_THROW(data->Execute(InsertVoucher(900002, 9001)));
}

TEST(AccountSetFile, IsCreatedOnceAndReopenedWithItsData) {
  const testing::TempAccountSetFile file("account_set");
  {
    SqliteDataAccess data(file.Path());
    EXPECT_FALSE(HoldsAccountSet(data));
    CreateAccountSet(data);
    EXPECT_TRUE(HoldsAccountSet(data));
    data.Execute("Update Operator Set strOperatorName = '改名' Where lngOperatorID = 1");
  }
  {
    SqliteDataAccess data(file.Path());
    EXPECT_TRUE(HoldsAccountSet(data));
    EXPECT_EQ(DumpRows(data, "Select strOperatorName From Operator Where lngOperatorID = 1"),
              "改名\n");
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(data.Handle(), "PRAGMA journal_mode", -1, &stmt, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal");
    sqlite3_finalize(stmt);
  }
}

TEST(AccountSetFile, TwoConnectionsQueueTheirWritesInsteadOfFailing) {
  const testing::TempAccountSetFile file("two_writers");
  SqliteDataAccess first(file.Path());
  first.ExecuteScript("CREATE TABLE Item (lngItemID INTEGER PRIMARY KEY)");
  SqliteDataAccess second(file.Path(), /*busy_timeout_ms=*/50);
  first.BeginTrans();
  first.Execute("Insert Into Item (lngItemID) Values (1)");
  // While the first holds the write lock, the second waits its timeout and is refused cleanly.
  EXPECT_THROW(second.BeginTrans(), host::DatabaseError);
  first.CommitTrans();
  second.BeginTrans();
  second.Execute("Insert Into Item (lngItemID) Values (2)");
  second.CommitTrans();
  EXPECT_EQ(DumpRows(first, "Select Count(*) From Item"), "2\n");
}

// A work-table transaction commits without its own sync; whatever ends it, the connection's
// next transaction syncs again, and one nested in a durable transaction never relaxes it.
TEST(AccountSetFile, ScratchTransactionsRelaxOnlyTheirOwnCommit) {
  const testing::TempAccountSetFile file("scratch");
  SqliteDataAccess data(file.Path());
  data.ExecuteScript("CREATE TABLE Item (lngItemID INTEGER PRIMARY KEY)");
  const auto synchronous = [&] {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(data.Handle(), "PRAGMA synchronous", -1, &stmt, nullptr);
    const int level = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    return level;
  };
  constexpr int kNormal = 1, kFull = 2;
  enum class Inside { kNothing, kReadScope, kDurable };
  struct Case {
    const char* name;
    Inside inside;
    bool commit;
  } cases[] = {
      {"commit", Inside::kNothing, true},
      {"rollback", Inside::kNothing, false},
      {"after reads of a scope", Inside::kReadScope, true},
      {"nested in a durable one", Inside::kDurable, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.inside == Inside::kReadScope) {
      data.BeginReads();
      data.OpenRecordset("Select Count(*) From Item");
    }
    if (c.inside == Inside::kDurable) data.BeginTrans();
    data.BeginScratchTrans();
    EXPECT_EQ(synchronous(), c.inside == Inside::kDurable ? kFull : kNormal);
    c.commit ? data.CommitTrans() : data.RollbackTrans();
    if (c.inside == Inside::kDurable) data.CommitTrans();
    if (c.inside == Inside::kReadScope) data.EndReads();
    EXPECT_EQ(synchronous(), kFull);
    EXPECT_EQ(data.TransactionDepth(), 0);
  }
}

// A read scope's queries see one snapshot; a write in it ends the snapshot first, so it neither
// fails on another desktop's commit nor works from stale rows. Remembered rows answer until the
// connection writes or ends its snapshot or transaction, and never the next command.
TEST(AccountSetFile, ReadScopeSharesOneSnapshotUntilAWrite) {
  const testing::TempAccountSetFile file("read_scope");
  SqliteDataAccess first(file.Path());
  first.ExecuteScript("CREATE TABLE Item (lngItemID INTEGER PRIMARY KEY)");
  SqliteDataAccess second(file.Path());
  int queries = 0;  // the SELECTs SQLite ran on the first connection
  auto tally = [](unsigned, void* n, void*, void* sql) {
    if (std::string_view(static_cast<const char*>(sql)).starts_with("SELECT")) {
      ++*static_cast<int*>(n);
    }
    return 0;
  };
  sqlite3_trace_v2(first.Handle(), SQLITE_TRACE_STMT, tally, &queries);
  auto insert = [](SqliteDataAccess& data, int id) {
    data.Execute("Insert Into Item (lngItemID) Values (" + std::to_string(id) + ")");
  };
  std::string seen;  // rows counted remembered, rows counted afresh / queries run, per step
  const char* sql = "Select Count(*) As n From Item";
  auto count = [&] {
    const std::string rows = host::OpenRemembered(first, sql)["n"].AsText() + "," +
                             first.OpenRecordset(sql)["n"].AsText();
    seen += rows + "/" + std::to_string(queries) + " ";
  };
  {
    host::ReadScope reads(first);
    // A read, the same read, another desktop's inserts, an own insert, an own transaction and
    // its rollback.
    for (const std::function<void()>& step : std::vector<std::function<void()>>{
             [] {}, [] {}, [&] { insert(second, 1); }, [&] { insert(second, 2); },
             [&] { insert(first, 3); }, [&] { first.BeginTrans(), insert(first, 4); },
             [&] { first.RollbackTrans(); }}) {
      step(), count();
    }
  }
  insert(second, 5);
  host::ReadScope next_command(first);
  count();
  EXPECT_EQ(seen, "0,0/2 0,0/3 0,0/4 0,0/5 3,3/7 4,4/9 3,3/11 4,4/13 ");
}

// Two desktops on one file: what one remembers of the settings, accounts and periods follows
// the other's changes from its next command on, and its own from its next statement. A file
// made before the change stamp existed (no `ChangeStamp`, no triggers) keeps rows for one
// command only, so it follows the same changes.
TEST(AccountSetFile, RememberedSlowlyChangingRowsFollowEveryChange) {
  for (const bool stamped : {true, false}) {
    const testing::TempAccountSetFile file("slowly_changing");
    testing::FailingDataAccess first(file.Path());
    CreateAccountSet(first, DemoSets::kSingleBasisOnly);
    if (!stamped) {
      sqlite3* db = first.Handle();
      std::vector<std::string> triggers;
      sqlite3_stmt* list = nullptr;
      sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE sql LIKE '%ChangeStamp%'", -1,
                         &list, nullptr);
      while (sqlite3_step(list) == SQLITE_ROW) {
        triggers.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
      }
      sqlite3_finalize(list);
      for (const std::string& name : triggers) {
        if (name != "ChangeStamp") first.ExecuteScript("DROP TRIGGER " + name);
      }
      first.ExecuteScript("DROP TABLE ChangeStamp");
    }
    SqliteDataAccess second(file.Path());
    EXPECT_EQ(
        testing::FollowSlowlyChangingRows(first, second, [&] { return first.StatementCount(); }),
        testing::kSlowlyChangingRowsFollowed)
        << (stamped ? "with" : "without") << " the change stamp";
  }
}

}  // namespace
}  // namespace lumvoucher::embedded
