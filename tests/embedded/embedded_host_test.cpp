#include "embedded/embedded_host.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "embedded/id_service.h"
#include "embedded/sqlite_data_access.h"
#include "support/test_host.h"

namespace lumvoucher::embedded {
namespace {

using testing::DemoLogin;
using testing::TestHost;

// Keys rolled back, by a whole transaction or by a savepoint inside one, are never handed out
// again, and the counter in the file moves past them for other processes.
TEST(IdService, NeverHandsOutAKeyTwiceEvenAcrossARollback) {
  TestHost t;
  auto& login = t.Host().Login();
  const auto counter = [&] {
    return std::stol(t.Scalar("Select lngNextID From IdSequence Where strTableName = 'VOUCHER'"));
  };
  std::set<long> seen;
  seen.insert(login.NextId("VOUCHER"));
  t.Data().BeginTrans();
  long inside = login.NextId("VOUCHER");
  seen.insert(inside);
  t.Data().RollbackTrans();
  long after = login.NextId("voucher");  // table names are not case-sensitive
  EXPECT_GT(after, inside);
  seen.insert(after);
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_GT(counter(), after);

  t.Data().BeginTrans();
  t.Data().BeginTrans();
  const long withdrawn = login.NextId("VOUCHER");
  t.Data().RollbackTrans();
  const long next = login.NextId("VOUCHER");
  t.Data().CommitTrans();
  EXPECT_GT(next, withdrawn);
  EXPECT_GT(counter(), next);
}

// Two processes on one file: each holds its own block of keys, never one the other holds, also
// when a rollback drops the rest of a block.
TEST(IdService, TwoConnectionsNeverShareAKey) {
  auto path = std::filesystem::temp_directory_path() /
              ("lumvoucher_ids_" + std::to_string(::getpid()) + ".db");
  std::filesystem::remove(path);
  SqliteDataAccess a(path.string());
  a.ExecuteScript("CREATE TABLE IdSequence (strTableName TEXT PRIMARY KEY, lngNextID INTEGER)");
  SqliteDataAccess b(path.string());
  IdService ids_a(a);
  IdService ids_b(b);
  std::set<long> seen;
  const auto take = [&](IdService& ids, int n) {
    for (int i = 0; i < n; ++i) EXPECT_TRUE(seen.insert(ids.NextId("VOUCHER")).second);
  };
  for (int round = 0; round < 3; ++round) {
    take(ids_a, 10);
    take(ids_b, 10);
    // A whole block taken inside a transaction that rolls back: its reservation goes with it.
    b.BeginTrans();
    take(ids_b, IdService::kBlock);
    b.RollbackTrans();
  }
  std::filesystem::remove(path);
  std::filesystem::remove(path.string() + "-wal");
  std::filesystem::remove(path.string() + "-shm");
}

TEST(Rights, VoucherTypesDefaultToAllAndFollowTheOperatorsRows) {
  TestHost t(DemoLogin::Maker());
  auto all = t.Host().BusinessPub().Rights(host::kReceiptTypeVoucher);
  EXPECT_EQ(all.make_type_ids.size(), std::stoul(t.Scalar("Select Count(*) From VoucherType")));
  t.Data().Execute(
      "Insert Into OperatorVoucherType (lngOperatorID, lngVoucherTypeID, blnMake, blnQuery) "
      "Values (2, 1, 0, 1)");
  auto limited = t.Host().BusinessPub().Rights(host::kReceiptTypeVoucher);
  EXPECT_TRUE(limited.make_type_ids.empty());
  EXPECT_EQ(limited.query_type_ids, (std::vector<long>{1}));
}

TEST(Preferences, ArePerOperatorAndSurviveAReopen) {
  auto data = testing::NewDemoDatabase();
  testing::ScriptedMessageBox box;
  EmbeddedHost maker(std::move(data), DemoLogin::Maker(), HostUi{&box, nullptr, nullptr});
  auto& prefs = maker.BaseClass().Preferences();
  EXPECT_EQ(prefs.GetSetting("241", "Sound", "False"), "False");
  prefs.SaveSetting("241", "Sound", "True");
  prefs.SaveSetting("241", "Sound", "True");  // saved twice: still one row
  EXPECT_EQ(prefs.GetSetting("241", "Sound", "False"), "True");
  host::Recordset rows = maker.Database().OpenRecordset(
      "Select Count(*) As n From UserPreference Where strKey = 'Sound'");
  EXPECT_EQ(rows["n"].AsLong(), 1);
}

TEST(Numbering, NextNumberFollowsTheHighestOfBothBases) {
  TestHost t;
  auto& numbering = t.Host().BusinessPub();
  EXPECT_EQ(numbering.VoucherNumber(2026, 7, 1, "", "", 0, 9999), "1");  // empty period
  t.Data().Execute(
      "Insert Into BudgetVoucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (900002, 1, 41, '2026-07-10', "
      "2026, 7, 1, 2)");
  EXPECT_EQ(numbering.VoucherNumber(2026, 7, 1, "", "", 0, 9999), "42");
  EXPECT_EQ(numbering.VoucherNumber(2026, 7, 1, "", "", 0, 41), "");
  EXPECT_TRUE(numbering.NumberTaken(1, host::kReceiptTypeVoucher, 41, 0, 1, 2026, 7));
  EXPECT_FALSE(numbering.NumberTaken(1, host::kReceiptTypeVoucher, 41, 900002, 1, 2026, 7));
  EXPECT_EQ(t.Host().Account().VoucherByNumber(host::kReceiptTypeVoucher, 2026, 7, 1, 41, 1),
            900002);
  EXPECT_EQ(t.Host().Account().VoucherByNumber(host::kReceiptTypeVoucher, 2026, 7, 1, 40, 1), 0);
}

}  // namespace
}  // namespace lumvoucher::embedded
