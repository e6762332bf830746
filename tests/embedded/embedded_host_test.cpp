#include "embedded/embedded_host.h"

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <set>

#include "host/database_error.h"
#include "support/test_host.h"

namespace lumvoucher::embedded {
namespace {

using testing::DemoLogin;
using testing::TestHost;

TEST(EmbeddedLogin, DerivesOrganisationOperatorAndPeriodFromTheAccountSet) {
  TestHost t(DemoLogin::Maker());
  const auto& login = t.Host().Login();
  EXPECT_EQ(login.CurrentOrganization().code, "01");
  EXPECT_FALSE(login.CurrentOperator().name.empty());
  EXPECT_EQ(login.LoginYear(), 2026);
  EXPECT_EQ(login.LoginPeriod(), 2);
  EXPECT_EQ(login.AmountDecimals(), 2);
  EXPECT_NE(login.AccountingSystemCode(), "16");
}

TEST(EmbeddedLogin, UnknownOperatorIsRefused) {
  auto data = testing::NewDemoDatabase();
  testing::ScriptedMessageBox box;
  EXPECT_THROW(EmbeddedHost(std::move(data), LoginRequest{1, 99999, "2026-02-15"},
                            HostUi{&box, nullptr, nullptr}),
               host::DatabaseError);
}

TEST(IdService, NeverHandsOutAKeyTwiceEvenAcrossARollback) {
  TestHost t;
  auto& login = t.Host().Login();
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
  // The counter in the file moved past the rolled-back key, so another process cannot reuse it.
  EXPECT_GT(std::stol(t.Scalar("Select lngNextID From IdSequence Where strTableName = 'VOUCHER'")),
            after);
}

TEST(IdService, StartsAboveTheDemoRows) {
  TestHost t;
  long id = t.Host().Login().NextId("VOUCHER");
  EXPECT_GT(id, std::stol(t.Scalar("Select Max(lngVoucherID) From Voucher")));
  long line = t.Host().Login().NextId("VOUCHERDETAIL");
  EXPECT_GT(line, std::stol(t.Scalar("Select Max(lngVoucherDetailID) From VoucherDetail")));
}

TEST(IdService, TableWithoutCounterStartsAtOne) {
  TestHost t;
  EXPECT_EQ(t.Host().Login().NextId("NEWTABLE"), 1);
  EXPECT_EQ(t.Host().Login().NextId("NEWTABLE"), 2);
}

TEST(Rights, ComeFromTheOperatorsRowsAndTheAdministratorHoldsAll) {
  constexpr long kReview = 204;
  constexpr long kPost = 206;
  TestHost reviewer(DemoLogin::Reviewer());
  EXPECT_TRUE(reviewer.Host().BusinessPub().HasRight(kReview));
  EXPECT_FALSE(reviewer.Host().BusinessPub().HasRight(kPost));
  TestHost maker(DemoLogin::Maker());
  EXPECT_FALSE(maker.Host().BusinessPub().HasRight(kReview));
  TestHost admin(DemoLogin::Administrator());
  EXPECT_TRUE(admin.Host().BusinessPub().HasRight(kReview));
  EXPECT_TRUE(admin.Host().BusinessPub().HasRight(kPost));
}

TEST(Rights, VoucherTypesDefaultToAllAndFollowTheOperatorsRows) {
  TestHost t(DemoLogin::Maker());
  auto all = t.Host().BusinessPub().Rights(host::kReceiptTypeVoucher);
  EXPECT_EQ(all.make_type_ids.size(),
            std::stoul(t.Scalar("Select Count(*) From VoucherType")));
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

TEST(Settings, MissingSettingReadsAsTheDefault) {
  TestHost t;
  EXPECT_EQ(t.Host().TransferPublic().SettingValue(0, "帐套属性", "没有这个设置", "缺省"), "缺省");
  EXPECT_EQ(t.Host().TransferPublic().SettingValue(0, "帐套属性", "金额小数位数", "9"), "2");
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

TEST(ScriptedMessageBox, FailsTheTestOnAMessageItDidNotExpect) {
  EXPECT_NONFATAL_FAILURE(
      {
        testing::ScriptedMessageBox box;
        box.Show("凭证不存在！", host::mb::kExclamation, "查询凭证");
      },
      "unexpected message [查询凭证] 凭证不存在！");
}

TEST(ScriptedMessageBox, AnswersFromTheQueueAndChecksTextAndTitle) {
  testing::ScriptedMessageBox box;
  box.Expect("是否保存？", host::mb::kNo, "提示信息");
  EXPECT_EQ(box.Show("是否保存？", host::mb::kYesNo + host::mb::kQuestion, "提示信息"),
            host::mb::kNo);
  ASSERT_EQ(box.Shown().size(), 1u);
  EXPECT_EQ(box.Shown()[0].flags, 36);
  EXPECT_NONFATAL_FAILURE(
      {
        testing::ScriptedMessageBox other;
        other.Expect("甲", host::mb::kOk, "提示信息");
        other.Show("甲", 0, "警告信息");
      },
      "message title");
}

TEST(FailingDataAccess, FailsExactlyTheNthStatement) {
  TestHost t;
  t.Data().FailAtStatement(2);
  EXPECT_NO_THROW(t.Data().OpenRecordset("Select 1 From Operator"));
  EXPECT_THROW(t.Data().Execute("Update Operator Set strOperatorName = strOperatorName"),
               host::DatabaseError);
  EXPECT_NO_THROW(t.Data().OpenRecordset("Select 1 From Operator"));
}

}  // namespace
}  // namespace lumvoucher::embedded
