#include "embedded/embedded_host.h"

#include <gtest/gtest.h>

#include <set>

#include "embedded/id_service.h"
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

  // Another desktop on the same counter: inside a transaction that rolls back it takes a block
  // and part of the next; the reservation goes back, the rest of its block with it.
  IdService other(t.Data());
  for (int round = 0; round < 3; ++round) {
    for (long i = 0; i < IdService::kBlock; ++i) {
      EXPECT_TRUE(seen.insert(login.NextId("VOUCHER")).second);
    }
    t.Data().BeginTrans();
    for (long i = 0; i < IdService::kBlock + 10; ++i) {
      EXPECT_TRUE(seen.insert(other.NextId("VOUCHER")).second);
    }
    t.Data().RollbackTrans();
  }
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
