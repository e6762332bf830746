#include "frame/voucher_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

class VoucherLookupTest : public ::testing::Test {
 protected:
  void AddBudgetVoucher(long id, long type, int no, int period) {
    host_.Data().Execute(
        "Insert Into BudgetVoucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, "
        "intYear, bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (" +
        std::to_string(id) + "," + std::to_string(type) + "," + std::to_string(no) +
        ",'2026-02-25',2026," + std::to_string(period) + ",1,2)");
  }
  TestHost host_;
};

std::string Dump(const VoucherTypePeriod& v) {
  if (!v.found) return "none";
  return "type " + std::to_string(v.voucher_type_id) + " " + std::to_string(v.year) + "/" +
         std::to_string(v.period);
}

TEST_F(VoucherLookupTest, BasisTellsFinancialFromBudgetVouchers) {
  AddBudgetVoucher(500, 1, 5, 2);
  EXPECT_EQ(VoucherBasis(1), kFinancialBasis);
  EXPECT_EQ(VoucherBasis(500), kBudgetBasis);
  EXPECT_EQ(VoucherBasis(424242), -1);
}

TEST_F(VoucherLookupTest, TypeAndPeriodComeFromTheTableOfTheBasis) {
  AddBudgetVoucher(500, 4, 2, 3);
  EXPECT_EQ(Dump(GetVoucherTypePeriod(8, kFinancialBasis)), "type 4 2026/2");
  EXPECT_EQ(Dump(GetVoucherTypePeriod(500, kBudgetBasis)), "type 4 2026/3");
  EXPECT_EQ(Dump(GetVoucherTypePeriod(500, kFinancialBasis)), "none");
  EXPECT_EQ(Dump(GetVoucherTypePeriod(8, 3)), "none");
}

TEST_F(VoucherLookupTest, PairedCheckNeedsTheRelevanceRow) {
  AddBudgetVoucher(500, 1, 5, 2);
  host_.Data().Execute(
      "Insert Into BudgetVoucherRelevance (lngVoucherRelevanceID, lngVoucherID, "
      "lngBudgetVoucherID, lngSourceOrganizationID) Values (1, 3, 500, 1)");
  EXPECT_TRUE(IsPairedBudgetVoucher(3, 500));
  EXPECT_FALSE(IsPairedBudgetVoucher(4, 500));
  EXPECT_FALSE(IsPairedBudgetVoucher(500, 3));
}

TEST_F(VoucherLookupTest, CodeLookupsAndQuotedCodeLists) {
  EXPECT_EQ(AccountCode(3), "1002-01");
  EXPECT_EQ(AccountCode(424242), "");
  EXPECT_EQ(Class2Code(3), "02-01");
  const std::vector<long> accounts = {1, 424242, 3};
  EXPECT_EQ(AccountCodeList(accounts), "'1001', '1002-01'");
  const std::vector<long> classes = {1, 2};
  EXPECT_EQ(Class2CodeList(classes), "'01', '02'");
  EXPECT_EQ(Class2CodeList(std::vector<long>{}), "");

  // A code holding a quote stays one literal of the list.
  host_.Data().Execute("Update Class2 Set strClassCode = 'O''K' Where lngClassID = 1");
  EXPECT_EQ(Class2CodeList(classes), "'O''K', '02'");
  EXPECT_EQ(host_.Scalar("Select count(*) From Class2 Where strClassCode In (" +
                         Class2CodeList(classes) + ")"),
            "2");
}

TEST_F(VoucherLookupTest, FlexibleItemOfAnIdOrZeroes) {
  host_.Data().Execute(
      "Insert Into FlexibleCheck (strFlexibleID, lngItemID, lngFieldID) Values ('F''1', 7, 9)");
  const FlexibleItem known = FlexibleItemOf("F'1");
  EXPECT_EQ(std::to_string(known.item_id) + "/" + std::to_string(known.field_id), "7/9");
  const FlexibleItem unknown = FlexibleItemOf("nope");
  EXPECT_EQ(std::to_string(unknown.item_id) + "/" + std::to_string(unknown.field_id), "0/0");
}

TEST_F(VoucherLookupTest, FlexibleTitlesAndUse) {
  const std::vector<std::string> titles = FlexibleTitles();
  ASSERT_EQ(titles.size(), 31u);
  EXPECT_EQ(titles.front(), "物品");
  EXPECT_EQ(titles[12], "自定段12");

  host_.Data().Execute(
      "Update FlexibleUseField Set blnItemUse = 1, lngDefaultItemID = 4, lngDefaultID = 5 Where "
      "lngOrganizationID = 1");
  host_.Data().Execute(
      "Insert Into FlexibleAccountUseField (lngOrganizationID, lngAccountID, blnItemUse, "
      "blnFieldUse, lngDefaultItemID, lngDefaultID) Values (1, 32, 1, 1, 8, 0)");
  auto dump = [](const FlexibleItemUse& u) {
    return std::to_string(u.OrganizationUseItem) + std::to_string(u.AccountUseItem) +
           std::to_string(u.OrganizationUseField) + std::to_string(u.AccountUseField) + " " +
           std::to_string(u.lngDefaultItemID) + "/" + std::to_string(u.lngDefaultID);
  };
  EXPECT_EQ(dump(FlexibleUseOf(32)), "1101 8/5");
  EXPECT_EQ(dump(FlexibleUseOf(1)), "1000 4/5");
}

TEST_F(VoucherLookupTest, SettledAmountSumsTheItemsSettledByTheVouchersLines) {
  EXPECT_EQ(SettledAmount(1), 0.0);
  host_.Data().Execute(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount, dblCurrPaymentAmount) "
      "Values (70, 1, 50000, 1200.5)");
  host_.Data().Execute(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount, dblCurrPaymentAmount) "
      "Values (71, 2, 3000, 300)");
  host_.Data().Execute(
      "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
      "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Values (70, 71, 300, 2, 9)");
  EXPECT_DOUBLE_EQ(SettledAmount(1), 1200.5);
  EXPECT_EQ(SettledAmount(4), 0.0);
}

TEST_F(VoucherLookupTest, HighestNumberCoversBothBasesAndIsZeroForAnEmptyPeriod) {
  EXPECT_EQ(HighestVoucherNo(2026, 2, 1, 1), 4);
  EXPECT_EQ(HighestVoucherNo(2026, 2, 1, 4), 1);
  EXPECT_EQ(HighestVoucherNo(2026, 3, 1, 1), 0);
  AddBudgetVoucher(500, 1, 9, 2);
  EXPECT_EQ(HighestVoucherNo(2026, 2, 1, 1), 9);
}

}  // namespace
}  // namespace lumvoucher::frame

namespace lumvoucher::frame {
namespace {

// The statements are the system's own text, fragment for fragment.
TEST(VoucherLookupStatements, AreTheSystemsText) {
  testing::TestHost host;
  host.Data().Record(true);
  SettledAmount(12);
  HighestVoucherNo(2026, 2, 3, 1);
  VoucherBasis(5);
  IsPairedBudgetVoucher(3, 500);
  const std::vector<std::string>& sql = host.Data().Recorded();
  ASSERT_EQ(sql.size(), 4u);
  EXPECT_EQ(sql[0],
            "Select nvl(sum(d.dblCurrPaymentAmount), 0) as dblCurrPaymentAmount FROM DaRAPDetail d "
            "Where d.lngDARAPDetailID in (select s.lngActivityDetailID from DARAPSettlement "
            "s,VOUCHERDETAIL vd Where s.lngVoucherDetailID = vd.lngVoucherDetailID and "
            "vd.lngVoucherID = 12)");
  EXPECT_EQ(sql[1],
            "Select Max(v.intVoucherNo) As intVoucherNo From VoucherView V Where V.intYear = 2026 "
            "And V.bytPeriod = 2 And V.lngVoucherTypeID = 3 And V.lngSourceOrganizationID = 1");
  EXPECT_EQ(sql[2], "Select lngVoucherBaseID From VoucherView where lngVoucherID=5");
  EXPECT_EQ(sql[3],
            "select lngVoucherID from BudgetVoucherRelevance where lngvoucherid=3 And "
            "lngBudgetVoucherID=500");
}

}  // namespace
}  // namespace lumvoucher::frame
