#include "embedded/sqlite_data_access.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "embedded/account_set.h"
#include "host/database_error.h"
#include "host/read_scope.h"
#include "support/test_host.h"

namespace lumvoucher::embedded {
namespace {

std::string Dump(host::DataAccess& data, const std::string& sql) {
  host::Recordset rs = data.OpenRecordset(sql);
  std::string out;
  for (; !rs.Eof(); rs.MoveNext()) {
    if (!out.empty()) out += "|";
    for (std::size_t i = 0; i < rs.FieldCount(); ++i) out += (i ? " " : "") + rs[i].AsText();
  }
  return out;
}

class ScratchDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    data_.ExecuteScript("CREATE TABLE Item (lngItemID INTEGER PRIMARY KEY, strName TEXT)");
  }
  SqliteDataAccess data_{":memory:"};
};

TEST_F(ScratchDatabase, InnerRollbackUndoesOnlyTheInnerPart) {
  data_.BeginTrans();
  data_.Execute("Insert Into Item (lngItemID, strName) Values (1, 'outer')");
  data_.BeginTrans();
  data_.Execute("Insert Into Item (lngItemID, strName) Values (2, 'inner')");
  data_.RollbackTrans();
  data_.BeginTrans();
  data_.Execute("Insert Into Item (lngItemID, strName) Values (3, 'kept')");
  data_.CommitTrans();
  data_.CommitTrans();
  EXPECT_EQ(Dump(data_, "Select lngItemID From Item Order By lngItemID"), "1|3");
}

TEST_F(ScratchDatabase, GuardRollsBackUnlessCommitted) {
  {
    host::TransactionGuard guard(data_);
    data_.Execute("Insert Into Item (lngItemID, strName) Values (1, 'lost')");
  }
  {
    host::TransactionGuard guard(data_);
    data_.Execute("Insert Into Item (lngItemID, strName) Values (2, 'kept')");
    guard.Commit();
  }
  EXPECT_EQ(Dump(data_, "Select lngItemID From Item"), "2");
}

TEST_F(ScratchDatabase, ErrorsCarryTheStatementAndLeaveTheTransactionUsable) {
  data_.BeginTrans();
  data_.Execute("Insert Into Item (lngItemID, strName) Values (1, 'a')");
  try {
    data_.Execute("Insert Into NoSuchTable (x) Values (1)");
    FAIL() << "expected a database error";
  } catch (const host::DatabaseError& error) {
    EXPECT_NE(std::string(error.what()).find("NoSuchTable"), std::string::npos);
    EXPECT_TRUE(error.ViolatedKey().empty());
  }
  data_.CommitTrans();
  EXPECT_EQ(Dump(data_, "Select lngItemID From Item"), "1");
}

class DemoDatabase : public ::testing::Test {
 protected:
  std::unique_ptr<testing::FailingDataAccess> data_ = testing::NewDemoDatabase();

  std::string InsertVoucher(long id, long number) {
    return "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
           "bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (" +
           std::to_string(id) + ", 1, " + std::to_string(number) + ", '2026-02-10', 2026, 2, 1, 2)";
  }
};

TEST_F(DemoDatabase, DuplicateVoucherNumberIsReportedAsVoucherNoUnique) {
  data_->Execute(InsertVoucher(900001, 9001));
  try {
    data_->Execute(InsertVoucher(900002, 9001));
    FAIL() << "expected the unique key to refuse the number";
  } catch (const host::DatabaseError& error) {
    EXPECT_TRUE(error.Violates("VOUCHER_NOUNIQUE")) << error.what();
    EXPECT_NE(std::string(error.what()).find("VOUCHER_NOUNIQUE"), std::string::npos);
  }
  // The same number in another period is free.
  EXPECT_EQ(data_->Execute("Update Voucher Set bytPeriod = 3 Where lngVoucherID = 900001"), 1);
  EXPECT_NO_THROW(data_->Execute(InsertVoucher(900002, 9001)));
}

TEST_F(DemoDatabase, DuplicatePrimaryKeyIsNotMistakenForTheNumberKey) {
  data_->Execute(InsertVoucher(900001, 9001));
  try {
    data_->Execute(InsertVoucher(900001, 9002));
    FAIL() << "expected the primary key to refuse the id";
  } catch (const host::DatabaseError& error) {
    EXPECT_FALSE(error.ViolatedKey().empty());
    EXPECT_FALSE(error.Violates("VOUCHER_NOUNIQUE"));
  }
}

TEST(AccountSetFile, IsCreatedOnceAndReopenedWithItsData) {
  auto path = std::filesystem::temp_directory_path() / "lumvoucher_account_set_test.db";
  std::filesystem::remove(path);
  {
    SqliteDataAccess data(path.string());
    EXPECT_FALSE(HoldsAccountSet(data));
    CreateAccountSet(data);
    EXPECT_TRUE(HoldsAccountSet(data));
    data.Execute("Update Operator Set strOperatorName = '改名' Where lngOperatorID = 1");
  }
  {
    SqliteDataAccess data(path.string());
    EXPECT_TRUE(HoldsAccountSet(data));
    EXPECT_EQ(Dump(data, "Select strOperatorName From Operator Where lngOperatorID = 1"), "改名");
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(data.Handle(), "PRAGMA journal_mode", -1, &stmt, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal");
    sqlite3_finalize(stmt);
  }
  std::filesystem::remove(path);
  std::filesystem::remove(path.string() + "-wal");
  std::filesystem::remove(path.string() + "-shm");
}

TEST(AccountSetFile, TwoConnectionsQueueTheirWritesInsteadOfFailing) {
  auto path = std::filesystem::temp_directory_path() / "lumvoucher_two_writers_test.db";
  std::filesystem::remove(path);
  SqliteDataAccess first(path.string());
  first.ExecuteScript("CREATE TABLE Item (lngItemID INTEGER PRIMARY KEY)");
  SqliteDataAccess second(path.string(), /*busy_timeout_ms=*/50);
  first.BeginTrans();
  first.Execute("Insert Into Item (lngItemID) Values (1)");
  // While the first holds the write lock, the second waits its timeout and is refused cleanly.
  EXPECT_THROW(second.BeginTrans(), host::DatabaseError);
  first.CommitTrans();
  second.BeginTrans();
  second.Execute("Insert Into Item (lngItemID) Values (2)");
  second.CommitTrans();
  EXPECT_EQ(Dump(first, "Select Count(*) From Item"), "2");
  std::filesystem::remove(path);
  std::filesystem::remove(path.string() + "-wal");
  std::filesystem::remove(path.string() + "-shm");
}

// A read scope's queries see one snapshot; a write in it ends the snapshot first, so it neither
// fails on another desktop's commit nor works from stale rows.
TEST(AccountSetFile, ReadScopeSharesOneSnapshotUntilAWrite) {
  auto path = std::filesystem::temp_directory_path() / "lumvoucher_read_scope_test.db";
  std::filesystem::remove(path);
  SqliteDataAccess first(path.string());
  first.ExecuteScript("CREATE TABLE Item (lngItemID INTEGER PRIMARY KEY)");
  SqliteDataAccess second(path.string());
  std::string seen;
  auto count = [&] { seen += Dump(first, "Select Count(*) From Item") + " "; };
  {
    host::ReadScope reads(first);
    for (int id = 1; id <= 2; ++id) {
      count();
      second.Execute("Insert Into Item (lngItemID) Values (" + std::to_string(id) + ")");
      count();
    }
    first.Execute("Insert Into Item (lngItemID) Values (3)");
    count();
  }
  second.Execute("Insert Into Item (lngItemID) Values (4)");
  count();
  EXPECT_EQ(seen, "0 0 0 0 3 4 ");
  std::filesystem::remove(path);
  std::filesystem::remove(path.string() + "-wal");
  std::filesystem::remove(path.string() + "-shm");
}

}  // namespace
}  // namespace lumvoucher::embedded
