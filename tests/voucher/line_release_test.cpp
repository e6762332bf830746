#include <gtest/gtest.h>

#include "host/message_box.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;

// Every road that makes stored lines go leaves none of the rows other tables tie to them.
class LineRelease : public VoucherSaveTest {
 protected:
  // One row of every line-level table for line `l` of voucher `v`; with `settles`, the line also
  // settles 40 of an opening current-account item (detail 900).
  void Tie(long v, long l, bool settles) {
    const std::string L = std::to_string(l), V = std::to_string(v), K = std::to_string(100 + l);
    for (const std::string& sql :
         {"Insert Into VoucherCashFlow (lngVoucherDetailID, lngCashItemID, dblAmount) Values (" +
              L + ", 1, 100)",
          "Insert Into RVoucherDetail (lngRVoucherDetailID, lngVoucherDetailID, lngVoucherID) "
          "Values (" +
              K + ", " + L + ", " + V + ")",
          "Insert Into ProjectInvoice (lngInvoiceDetailID, lngVoucherDetailID) Values (" + K +
              ", " + L + ")",
          "Insert Into ContractBalance (lngVoucherDetailID, lngContractID) Values (" + L + ", 2)",
          "Insert Into CostApportion (lngCostApportionID, lngVoucherDetailID, dblAmount) Values "
          "(" +
              K + ", " + L + ", 3200)",
          "Insert Into HisCostApportion (lngHisCostApportionID, lngVoucherID, "
          "lngVoucherDetailID) Values (" +
              K + ", " + V + ", " + L + ")",
          "Insert Into MCPRVoucherDetail (lngMCPRVoucherDetailID, lngVoucherDetailID) Values (" +
              K + ", " + L + ")",
          "Insert Into CheckDetail (lngCheckDetailID, strCheckNo, blnIsUsed, strUseDate, "
          "dblCurrAmount, lngVoucherDetailID) Values (" +
              K + ", 'T" + L + "', 1, '2026-02-10', 100, " + L + ")",
          "Insert Into BankBillDetail (lngBankBillDetailID, lngActivityTypeID, lngActivityID) "
          "Values (" +
              K + ", 41, " + L + ")",
          "Insert Into DARAP (lngDARAPID, lngVoucherDetailID, lngVoucherID) Values (" + K + ", " +
              L + ", " + V + ")",
          "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount) Values (" + K + ", " +
              K + ", 100)",
          "Insert Into CashQARAPDETAIL1 (strARAPSource, lngActivityID, lngActivityDetailID, "
          "lngVoucherID) Values ('3', " +
              V + ", " + L + ", " + V + ")"}) {
      t_.Data().Execute(sql);
    }
    if (!settles) return;
    t_.Data().Execute(
        "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
        "dblCurrPaymentAmount, lngVoucherDetailID) Values (" +
        K + ", 900, 40, " + L + ")");
    t_.Data().Execute(
        "Update DARAPDetail Set dblCurrPaymentAmount = dblCurrPaymentAmount + 40 Where "
        "lngDARAPDetailID = 900");
  }
  // "table n" for every table that still ties a row to one of `lines`.
  std::string Leftovers(const std::string& lines) {
    std::string out;
    // clang-format off
    for (const auto& [table, column] : {
             std::pair{"VoucherCashFlow", "lngVoucherDetailID"}, {"RVoucherDetail", "lngVoucherDetailID"},
             {"ProjectInvoice", "lngVoucherDetailID"}, {"ContractBalance", "lngVoucherDetailID"},
             {"CostApportion", "lngVoucherDetailID"}, {"HisCostApportion", "lngVoucherDetailID"},
             {"MCPRVoucherDetail", "lngVoucherDetailID"}, {"CheckDetail", "lngVoucherDetailID"},
             {"BankBillDetail", "lngActivityID"}, {"DARAP", "lngVoucherDetailID"},
             {"DARAPSettlement", "lngVoucherDetailID"}, {"CashQARAPDETAIL1", "lngActivityDetailID"}}) {
      // clang-format on
      const std::string n = t_.Scalar(std::string("Select Count(*) From ") + table + " Where " +
                                      column + " In (" + lines + ")");
      if (n != "0") out += std::string(table) + " " + n + " ";
    }
    const std::string orphans = t_.Scalar(
        "Select Count(*) From DARAPDetail Where lngDARAPID Not In (Select lngDARAPID From DARAP)");
    if (orphans != "0") out += "DARAPDetail " + orphans;
    return out;
  }
  std::string Settled() {
    return t_.Scalar("Select dblCurrPaymentAmount From DARAPDetail Where lngDARAPDetailID = 900");
  }
};

struct Road {
  const char* name;
  const char* gone;  // the line ids that go
  bool settles;      // line 5 settles an item, released wherever the line goes
};

void PrintTo(const Road& road, std::ostream* out) {
  *out << road.name;
}

class EveryRoad : public LineRelease, public ::testing::WithParamInterface<Road> {};

TEST_P(EveryRoad, ReleasesTheRowsOfTheLinesItRemoves) {
  const Road& road = GetParam();
  t_.Data().Execute("Insert Into DARAP (lngDARAPID, blnInit) Values (900, 1)");
  t_.Data().Execute(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount) Values (900, 900, 90)");
  // Voucher 50 is a void reversal of voucher 3: voucher 3 may still be deleted, and voiding it
  // takes voucher 50 along.
  StoreVoucher(50, 1, 50, ", lngVoucherSourceID, lngSourceVoucherID, blnIsVoid", ", 2, 3, 1");
  StoreLine(50, 50, 1, 32, 1, -3200);
  StoreLine(51, 50, 2, 8, -1, -3200);
  for (long line : {5, 6, 50, 51}) Tie(line < 50 ? 3 : 50, line, road.settles && line == 5);
  const std::string before = Leftovers(road.gone);
  EXPECT_NE(before, "");
  EXPECT_EQ(Settled(), road.settles ? "40" : "0");

  const std::string name = road.name;
  if (name == "WindowDelete") {
    ASSERT_TRUE(w_.ShowAOldBill(3));
    t_.Messages().Expect("真的要删除全部分录吗？", mb::kYes, "提示信息");
    ASSERT_TRUE(w_.DeleteVoucher());
  } else if (name == "BatchDelete") {
    ASSERT_TRUE(t_.Host().BusinessPub().VoucherBusiness().Delete(3).ok);
  } else if (name == "VoidTakesTheReversalAlong") {
    ASSERT_TRUE(w_.ShowAOldBill(3));
    t_.Messages().Expect("本张凭证作废后如果保存将不能取消作废，您确实要作废吗？", mb::kYes,
                         "凭证作废");
    t_.Messages().Expect("本张凭证作废将取消票据关联关系，您确实要作废吗？", mb::kYes, "凭证作废");
    t_.Messages().Expect("本张凭证作废后将删除它所有的冲消凭证 \n2026年度02期间 记字 000050号凭证",
                         mb::kOk, "凭证作废");
    ASSERT_TRUE(w_.VoidVoucher());
  } else if (name == "SaveWithoutALine") {
    ASSERT_TRUE(w_.ShowAOldBill(3));
    w_.DeleteLine(1);
    const int row = w_.AddLine();
    ASSERT_TRUE(w_.SetCell(row, voucher::LineField::kRemark, "差旅费"));
    ASSERT_TRUE(w_.SetCell(row, voucher::LineField::kAccount, "6602-01"));
    ASSERT_TRUE(w_.SetCell(row, voucher::LineField::kDepartment, "01"));
    ASSERT_TRUE(w_.SetCell(row, voucher::LineField::kDebit, "3200"));
    t_.Messages().Expect("该凭证已有票据与其关联，修改凭证将取消关联关系，是否确定", mb::kYes,
                         "提示");
    ASSERT_TRUE(w_.SaveBill());
  } else {  // a program's save over voucher 3, which holds 记-000001
    // Another voucher's line settled line 5's item: the overwrite is refused, nothing goes.
    const bool refused = name == "ProgramSaveOverAnItemSettledElsewhere";
    if (refused) {
      t_.Data().Execute(
          "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
          "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Values (1, 105, 10, "
          "77, 5)");
      t_.Messages().Expect(
          "该凭证已进行往来核销，不允许删除，如果要进行该操作，请选取消往来核销！");
    }
    EnterOfficeVoucher();
    w_.MutableState().header.number = "000001";
    w_.MustSave();
    ASSERT_EQ(w_.SaveAVoucher(true), refused ? 0 : 1);
    if (refused) {
      EXPECT_EQ(Leftovers(road.gone), before);
      return;
    }
  }
  EXPECT_EQ(Leftovers(road.gone), "") << "before: " << before;
  EXPECT_EQ(Settled(), "0");
}

INSTANTIATE_TEST_SUITE_P(
    LineRelease, EveryRoad,
    ::testing::Values(Road{"WindowDelete", "5, 6", true}, Road{"BatchDelete", "5, 6", true},
                      Road{"VoidTakesTheReversalAlong", "50, 51", false},
                      Road{"SaveWithoutALine", "5", true}, Road{"ProgramSaveOver", "5, 6", true},
                      Road{"ProgramSaveOverAnItemSettledElsewhere", "5, 6", true}),
    [](const ::testing::TestParamInfo<Road>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumvoucher::testing
