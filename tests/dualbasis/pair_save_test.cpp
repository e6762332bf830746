#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "dualbasis/diff_allocation.h"
#include "dualbasis/dual_texts.h"
#include "dualbasis/frm_attachment.h"
#include "dualbasis/pair_fixture.h"
#include "dualbasis/pair_relevance.h"
#include "host/message_box.h"
#include "links/frm_business_data.h"
#include "links/frm_center_ralation.h"
#include "links/frm_contract_settlement.h"
#include "support/fault_sweep.h"

namespace lumvoucher::testing {
namespace {

namespace dt = dualbasis::texts;

TEST_F(PairTest, SavesBothSidesWithOnePairRowInOrder) {
  NewPair();
  Enter(F(), "5901", "2201", "100");
  Enter(B(), "7901", "8001-03", "100");
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(NewPairs(), "记-5 100 0/记-5 100 0");
  EXPECT_EQ(BrokenInvariants(), "0 0 0");
  EXPECT_LT(F().GetLngNowID(), B().GetLngNowID());
  EXPECT_FALSE(F().IsChanged() || B().IsChanged());
  EXPECT_TRUE(dualbasis::GetVoucherRelevanceIDEx(F().GetLngNowID(), B().GetLngNowID()));
  EXPECT_EQ(dualbasis::GetVoucherBaseID(B().GetLngNowID()), 2);
}

TEST_F(PairTest, EmptyNewBudgetSideLaterFillsTheSameRow) {
  NewPair();
  Enter(F(), "5901", "2201", "100");
  B().MustSave();  // an untouched empty side is dropped, not refused
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(NewPairs(), "记-5 100 0/-");
  Enter(B(), "7901", "8001-03", "100");
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(NewPairs(), "记-5 100 0/记-5 100 0");
  EXPECT_EQ(BrokenInvariants(), "0 0 0");
}

TEST_F(PairTest, PeriodsAndTotalsQuestions) {
  struct Case {
    const char* budget_date;
    const char* budget_amount;
    const char* message;  // nullptr: none
    int answer;
    const char* pairs;
  };
  for (const Case& c : {
           Case{"2026-03-02", "100", dt::kPeriodsDiffer, host::mb::kOk, ""},
           Case{"2026-02-20", "99.99", dt::kTotalsDiffer, host::mb::kNo, ""},
           Case{"2026-02-20", "99.99", dt::kTotalsDiffer, host::mb::kYes,
                "记-5 100 0/记-5 99.99 0"},
           Case{"2026-02-20", "100", nullptr, 0, "记-5 100 0/记-5 100 0"},
       }) {
    SCOPED_TRACE(std::string(c.budget_date) + " " + c.budget_amount);
    F().SetChanged(false);
    B().SetChanged(false);
    t_.Data().Execute("Delete From BudgetVoucherRelevance Where lngVoucherRelevanceID > 5006");
    t_.Data().Execute("Delete From Voucher Where lngVoucherID > 5021");
    t_.Data().Execute("Delete From BudgetVoucher Where lngVoucherID > 5021");
    NewPair();
    Enter(F(), "5901", "2201", "100");
    ASSERT_TRUE(B().SetHeaderField(voucher::HeaderField::kDate, c.budget_date));
    Enter(B(), "7901", "8001-03", c.budget_amount);
    if (c.message != nullptr) t_.Messages().Expect(c.message, c.answer);
    EXPECT_EQ(pair_.SaveBill(), *c.pairs != '\0');
    EXPECT_EQ(NewPairs(), c.pairs);
  }
}

TEST_F(PairTest, ReversedMarkerOnReload) {
  for (auto [source, label] : {std::pair{16, ""}, std::pair{1, "已冲销"}}) {
    t_.Data().Execute("Update BudgetVoucher Set lngVoucherSourceID = " + std::to_string(source) +
                      ", lngSourceVoucherID = 5004 Where lngVoucherID = 5008");
    ASSERT_EQ(pair_.OpenPair(5003, 0), "");
    EXPECT_EQ(pair_.StatusLabel(), label);
  }
}

// "错    误(&O)" turns the mark round on the stored vouchers of the pair and stores it at once;
// the financial editor's commands act on the financial voucher, which a budget-only pair has not;
// deleting a side records the number it frees.
TEST_F(PairTest, ErrorAndFinancialCommandsActOnTheStoredPair) {
  for (auto [finance, budget] : {std::pair{5006, 5007}, std::pair{0, 5008}}) {
    ASSERT_EQ(pair_.OpenPair(finance, finance != 0 ? 0 : budget), "");
    const std::string marks = "Select Sum(blnIsError) From VoucherView Where lngVoucherID In (" +
                              std::to_string(finance) + "," + std::to_string(budget) + ")";
    ASSERT_TRUE(pair_.ErrorCommand());
    EXPECT_EQ(t_.Scalar(marks), finance != 0 ? "2" : "1");
    ASSERT_TRUE(pair_.ErrorCommand());
    EXPECT_EQ(t_.Scalar(marks), "0");
    // The financial editor's commands: each opens its window for the financial voucher.
    using C = dualbasis::clsVoucherNew;
    const std::tuple<const char*, bool (C::*)(), std::function<long(host::ModalWindow&)>>
        forwarded[] = {
            {"frmBusinessData", &C::BusinessData,
             [](auto& w) { return dynamic_cast<links::frmBusinessData&>(w).State().voucher_id; }},
            {"frmCenterRalation", &C::FundCentre,
             [](auto& w) { return dynamic_cast<links::frmCenterRalation&>(w).State().voucher_id; }},
            {"frmContractSettlement", &C::ContractSettlement, [](auto& w) {
               return dynamic_cast<links::frmContractSettlement&>(w).State().line.voucher_id;
             }}};
    for (const auto& [name, command, voucher_of] : forwarded) {
      long opened = -1;
      if (finance != 0) {
        t_.Modal().Expect(name, [&opened, &voucher_of](host::ModalWindow& window) {
          return opened = voucher_of(window), 0;
        });
      }
      (pair_.*command)();
      EXPECT_EQ(opened, finance != 0 ? finance : -1) << name;
    }
    // The current side deletes as the voucher window does: a freed number goes to the ledger,
    // one its budget partner keeps does not.
    const std::string last_delete =
        "Select strlog From log Where lnglogid = (Select Max(lnglogid) From log Where strlog "
        "Like '删除凭证%')";
    const std::string before = t_.Scalar(last_delete);
    t_.Messages().Expect("真的要删除全部分录吗？", host::mb::kYes);
    ASSERT_TRUE(pair_.Current().DeleteVoucher());
    EXPECT_EQ(t_.Scalar(last_delete),
              finance != 0 ? before : "删除凭证 2026年02期 记 #o5001y2026p2t1 3>x");
  }
}

// 收-000002's bank line names bill DH20260218: issued once, linked to the line; its two lines'
// cost rows print summed by department and item.
TEST_F(PairTest, BillsAndDepartmentCostsOfTheStoredFinancialVoucher) {
  ASSERT_EQ(pair_.OpenPair(5006, 0), "");
  t_.Messages().Expect("已开具1张票据！", host::mb::kOk);
  EXPECT_TRUE(pair_.IssueBills());
  t_.Messages().Expect(dt::kNoBillLines, host::mb::kOk);
  EXPECT_FALSE(pair_.IssueBills());
  EXPECT_EQ(t_.Scalar("Select Count(*) || ' ' || Min(strBillNo) || ' ' || Sum(dblAmount) || ' ' "
                      "|| Min(lngActivityID) From BankBillDetail Where lngActivityTypeID = 41"),
            "1 DH20260218 6000 5011");
  t_.Messages().Expect(dt::kNoDepartmentCost, host::mb::kOk);
  EXPECT_TRUE(pair_.DepartmentCosts().empty());
  t_.Data().Execute(
      "Insert Into CostApportion (lngCostApportionID, lngVoucherDetailID, lngOutlayID, "
      "lngDepartmentID, dblAmount, dblIndirectAmount) Select 90001, 5012, 9, 5, 3000, 500 From "
      "Dual Union All Select 90002, 5013, 9, 5, 1000, 0 From Dual Union All Select 90003, 5013, "
      "9, 4, 200, 0 From Dual Union All Select 90004, 5003, 9, 4, 99, 0 From Dual");
  std::string printed;
  for (const auto& cost : pair_.DepartmentCosts()) {
    printed += cost.department + "/" + cost.item + " " + voucher::FormatFixed(cost.amount, 2) + "|";
  }
  EXPECT_EQ(printed, "03-01 内科门诊/103 检查收入 200.00|03-02 外科门诊/103 检查收入 4500.00|");

  // 附件 keeps any bytes, refuses what the store cannot keep and removes after asking.
  const std::string scan("%PDF\0\xff'; Drop Table Voucher;--", 32);
  t_.Modal().Expect(dualbasis::frmAttachment::kWindowName, [&](host::ModalWindow& w) {
    auto& files = dynamic_cast<dualbasis::frmAttachment&>(w);
    EXPECT_TRUE(files.Add("C:\\扫描\\发票.pdf", scan));
    EXPECT_TRUE(files.Add("/tmp/空.txt", ""));
    t_.Messages().Expect("附件“大.bin”超过20MB，不能保存！", host::mb::kOk);
    EXPECT_FALSE(files.Add("大.bin", std::string(host::VoucherAttachments::kMaxSize + 1, 'x')));
    t_.Messages().Expect("确实要删除附件“空.txt”吗？", host::mb::kYes);
    EXPECT_TRUE(files.Remove(1));
    EXPECT_EQ(files.Rows().size(), 1u);
    EXPECT_EQ(files.Rows()[0].name + " " + std::to_string(files.Rows()[0].size), "发票.pdf 32");
    EXPECT_EQ(files.Content(0), scan);
    return 0;
  });
  EXPECT_TRUE(pair_.Attachments());
  EXPECT_EQ(t_.Scalar("Select Count(*) || ' ' || Min(lngVoucherID) From VoucherAttachment"),
            "1 5006");
}

TEST_F(PairTest, NavigationLoadsTheNeighbourWithItsPartner) {
  ASSERT_EQ(pair_.OpenPair(5001, 0), "");
  ASSERT_TRUE(pair_.ReceiptPosition(true));
  EXPECT_EQ(F().GetLngNowID(), 5005);  // 记-2, financial only
  EXPECT_EQ(B().GetLngNowID(), 0);
  ASSERT_TRUE(pair_.ReceiptPosition(true));
  EXPECT_EQ(F().GetLngNowID(), 0);  // 记-3, budget only
  EXPECT_EQ(B().GetLngNowID(), 5008);
  ASSERT_TRUE(pair_.ReceiptPosition(false));
  EXPECT_EQ(F().GetLngNowID(), 5005);
}

// Each statement of the pair save fails in turn: both vouchers and the pair row stay as they
// were, and both editors keep their edits.
TEST(PairFaults, SaveLeavesEverythingAsItWasWhicheverStatementFails) {
  // The difference allocation runs after the commit and shows its own failures (its tests are
  // beside it); the sweep is over the pair's transaction.
  dualbasis::clsVoucherNew::SetDifferenceStep({});
  struct Restore {
    ~Restore() { dualbasis::clsVoucherNew::SetDifferenceStep(dualbasis::AfterPairSave); }
  } restore;
  FailAtEveryStatement<PairTestHarness>(10);
}

TEST(PairFaults, ReviewOfAPairMovesBothOrNeither) {
  int statements = 0;
  {
    PairTestHarness good(5002);
    ASSERT_EQ(good.pair_.OpenPair(5006, 0), "");
    good.t_.Messages().AnswerAll(host::mb::kYes);  // the cash-flow check of the bank line
    good.t_.Data().ResetCount();
    ASSERT_TRUE(good.pair_.Review());
    statements = good.t_.Data().StatementCount();
    EXPECT_EQ(good.Side(5006) + "/" + good.Side(5007), "收-2 10000 5002/收-2 6000 5002");
    EXPECT_EQ(good.BrokenInvariants(), "0 0 0");
  }
  for (int n = 1; n <= statements; ++n) {
    SCOPED_TRACE(n);
    PairTestHarness c(5002);
    ASSERT_EQ(c.pair_.OpenPair(5006, 0), "");
    const std::string stored = c.Stored();
    c.t_.Messages().AnswerAll(host::mb::kYes);
    c.t_.Data().FailAtStatement(n);
    c.pair_.Review();
    c.t_.Data().NeverFail();
    // A failure after the commit (reloading) may leave the pair reviewed, never half of it.
    const std::string after = c.Stored();
    if (after != stored) {
      EXPECT_EQ(c.Side(5006) + "/" + c.Side(5007), "收-2 10000 5002/收-2 6000 5002");
    }
    EXPECT_EQ(c.BrokenInvariants(), "0 0 0");
  }
}

}  // namespace
}  // namespace lumvoucher::testing
