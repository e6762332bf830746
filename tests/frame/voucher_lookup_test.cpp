#include "frame/voucher_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

class VoucherLookupTest : public ::testing::Test {
 protected:
  void AddBudgetVoucher(long id, long type, int no, int period) {
    host_.Exec(
        "Insert Into BudgetVoucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, "
        "intYear, bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (" +
        std::to_string(id) + "," + std::to_string(type) + "," + std::to_string(no) +
        ",'2026-02-25',2026," + std::to_string(period) + ",1,2)");
  }
  testing::TestHost host_;
};

std::string Dump(const VoucherTypePeriod& v) {
  if (!v.found) return "none";
  return "type " + std::to_string(v.voucher_type_id) + " " + std::to_string(v.year) + "/" +
         std::to_string(v.period);
}

TEST_F(VoucherLookupTest, BasisTypePeriodPairingAndHighestNumberSpanBothBases) {
  EXPECT_EQ(HighestVoucherNo(2026, 2, 1, 1), 4);
  EXPECT_EQ(HighestVoucherNo(2026, 2, 1, 4), 1);
  EXPECT_EQ(HighestVoucherNo(2026, 3, 1, 1), 0);
  AddBudgetVoucher(500, 1, 9, 3);
  AddBudgetVoucher(501, 1, 9, 2);
  EXPECT_EQ(HighestVoucherNo(2026, 2, 1, 1), 9);
  EXPECT_EQ(VoucherBasis(1), kFinancialBasis);
  EXPECT_EQ(VoucherBasis(500), kBudgetBasis);
  EXPECT_EQ(VoucherBasis(424242), -1);
  EXPECT_EQ(Dump(GetVoucherTypePeriod(8, kFinancialBasis)), "type 4 2026/2");
  EXPECT_EQ(Dump(GetVoucherTypePeriod(500, kBudgetBasis)), "type 1 2026/3");
  EXPECT_EQ(Dump(GetVoucherTypePeriod(500, kFinancialBasis)), "none");
  EXPECT_EQ(Dump(GetVoucherTypePeriod(8, 3)), "none");
  host_.Exec(
      "Insert Into BudgetVoucherRelevance (lngVoucherRelevanceID, lngVoucherID, "
      "lngBudgetVoucherID, lngSourceOrganizationID) Values (1, 3, 500, 1)");
  EXPECT_TRUE(IsPairedBudgetVoucher(3, 500));
  EXPECT_FALSE(IsPairedBudgetVoucher(4, 500));
  EXPECT_FALSE(IsPairedBudgetVoucher(500, 3));
}

TEST_F(VoucherLookupTest, CodeListsQuoteEachCodeAsOneLiteral) {
  EXPECT_EQ(AccountCode(3), "1002-01");
  EXPECT_EQ(AccountCode(424242), "");
  EXPECT_EQ(Class2Code(3), "02-01");
  EXPECT_EQ(AccountCodeList(std::vector<long>{1, 424242, 3}), "'1001', '1002-01'");
  EXPECT_EQ(Class2CodeList(std::vector<long>{}), "");
  host_.Exec("Update Class2 Set strClassCode = 'O''K' Where lngClassID = 1");
  const std::vector<long> classes = {1, 2};
  EXPECT_EQ(Class2CodeList(classes), "'O''K', '02'");
  EXPECT_EQ(host_.Scalar("Select count(*) From Class2 Where strClassCode In (" +
                         Class2CodeList(classes) + ")"),
            "2");
}

TEST_F(VoucherLookupTest, FlexibleItemsAndTheirUse) {
  host_.Exec(
      "Insert Into FlexibleCheck (strFlexibleID, lngItemID, lngFieldID) Values ('F''1', 7, 9)");
  for (const char* id : {"F'1", "nope"}) {
    const FlexibleItem item = FlexibleItemOf(id);
    EXPECT_EQ(std::to_string(item.item_id) + "/" + std::to_string(item.field_id),
              *id == 'F' ? "7/9" : "0/0");
  }
  EXPECT_EQ(FlexibleTitles().at(12), "自定段12");
  host_.Exec(
      "Update FlexibleUseField Set blnItemUse = 1, lngDefaultItemID = 4, lngDefaultID = 5 "
      "Where lngOrganizationID = 1");
  host_.Exec(
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
  host_.Exec(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount, "
      "dblCurrPaymentAmount) Values (70, 1, 50000, 1200.5)");
  host_.Exec(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount, "
      "dblCurrPaymentAmount) Values (71, 2, 3000, 300)");
  host_.Exec(
      "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
      "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Values (70, 71, 300, 2, 9)");
  EXPECT_DOUBLE_EQ(SettledAmount(1), 1200.5);
  EXPECT_EQ(SettledAmount(4), 0.0);
}

}  // namespace
}  // namespace lumvoucher::frame
