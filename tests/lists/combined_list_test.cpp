#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "host/message_box.h"
#include "host/voucher_business_service.h"
#include "list_fixture.h"
#include "lists/dual_basis_links.h"
#include "lists/frm_batch_voucher.h"
#include "lists/frm_list_voucher_compare.h"
#include "lists/frm_list_voucher_union.h"
#include "lists/list_texts.h"

namespace lumvoucher::testing {

namespace {

using host::VoucherBusinessService;
namespace mb = host::mb;

// The hospital set "青山县人民医院" (code 16), 2026 period 2, logged in as `operator_id`.
class CombinedListTest : public ListTest {
 protected:
  explicit CombinedListTest(long operator_id = 5001)
      : ListTest({5001, operator_id, "2026-02-15"}, embedded::DemoSets::kAll) {
    lists::SetPairedWindowHook({[this](long id, int basis) {
                                  return Opened(std::to_string(id) + "/" + std::to_string(basis));
                                },
                                [this] { return Opened("new"); }});
  }
  ~CombinedListTest() override {
    lists::SetPairedWindowHook({});
    lists::SetBudgetBusinessService(nullptr);
  }
  bool Opened(const std::string& what) {
    opened_ += what + " ";
    return true;
  }
  std::string opened_;
};

// The demo pairs in date order: 记1 and 收1 paired, 记2 financial only, 收2 with totals that
// differ, 记3 budget only; the void pair 记4 only with show all.
TEST_F(CombinedListTest, OneRowPerPairWithTheLeadingVouchersHeaderAndShading) {
  lists::frmListVoucherUnion list;
  ASSERT_TRUE(list.ShowMe());
  EXPECT_EQ(Rows(list, {"id", "日期", "凭证字号", "财务金额", "预算金额", "作废"}),
            "5001|2026-02-03|记 000001|30000.00|30000.00|\n"
            "5002|2026-02-08|收 000001|85000.00|85000.00|\n"
            "5003|2026-02-12|记 000002|1200.00||\n"
            "5004|2026-02-18|收 000002|10000.00|6000.00|\n"
            "5005|2026-02-20|记 000003||800.00|");
  std::string shaded;
  for (int row = 0; row < 5; ++row) shaded += list.IsShaded(row) ? "灰" : "-";
  EXPECT_EQ(shaded, "---灰-");
  // Compared at the account set's two decimals.
  Exec("Update BudgetVoucherDetail Set dblAmount = 30000.004 Where lngVoucherDetailID = 5003");
  ASSERT_TRUE(list.ToolRefresh());
  EXPECT_FALSE(list.IsShaded(0));
  ASSERT_TRUE(list.mclsMainControl_EditShowAll());
  EXPECT_EQ(Vouchers(list), "5001 5002 5003 5004 5005 5006");
  EXPECT_EQ(list.CellText(5, list.ColumnIndex("作废")), "√");

  // Sorting by number, then descending: 记 before 收 by type code, dates ascending within.
  ASSERT_TRUE(list.SortByColumn(list.ColumnIndex("凭证字号")));
  EXPECT_EQ(Vouchers(list), "5002 5004 5001 5003 5005 5006");
  ASSERT_TRUE(list.SortByColumn(list.ColumnIndex("凭证字号")));
  EXPECT_EQ(Vouchers(list), "5006 5005 5003 5001 5004 5002");

  // Opening goes to the paired window on the financial voucher, else on the budget one.
  list.SelectRow(1);  // 记3, budget only
  EXPECT_TRUE(list.mclsMainControl_EditEdit());
  list.SelectRow(3);  // 记1
  EXPECT_TRUE(list.mclsMainControl_EditEdit());
  EXPECT_TRUE(list.mclsMainControl_EditNew());
  EXPECT_EQ(opened_, "5008/2 5001/1 new ");
}

// The financial side decides the void filter: a live budget voucher does not keep its pair.
TEST_F(CombinedListTest, AVoidFinancialVoucherHidesItsPair) {
  Exec("Update Voucher Set blnIsVoid = 1 Where lngVoucherID = 5001");
  lists::frmListVoucherUnion list;
  ASSERT_TRUE(list.ShowMe());
  EXPECT_EQ(Vouchers(list), "5002 5003 5004 5005");
  Exec("Update BudgetVoucher Set blnIsVoid = 1 Where lngVoucherID = 5008");
  Exec("Update Voucher Set blnIsVoid = 0 Where lngVoucherID = 5001");
  ASSERT_TRUE(list.ToolRefresh());
  EXPECT_EQ(Vouchers(list), "5001 5002 5003 5004");
}

// The voucher list of the dual basis: each choice of the selector lists its basis's vouchers
// in date order, a pair's financial voucher before its budget one on the same day.
TEST_F(CombinedListTest, TheDualBasisListShowsTheChosenBasis) {
  lists::frmListVoucherNew list;
  ASSERT_TRUE(list.ShowMe());
  const std::pair<int, const char*> choices[] = {{1, "5001 5003 5005 5006"},
                                                 {2, "5002 5004 5007 5008"},
                                                 {0, "5001 5002 5003 5004 5005 5006 5007 5008"}};
  for (auto [basis, vouchers] : choices) {
    ASSERT_TRUE(list.SetBasis(basis));
    EXPECT_EQ(Vouchers(list), vouchers) << lists::texts::kBasisChoices[basis];
  }
  EXPECT_FALSE(list.SetBasis(3));
  EXPECT_EQ(list.State().basis, 0);
}

// A budget status service that records its calls, whether the financial partner had already
// changed when it was called, and refuses when told to.
class RecordingBudgetService : public VoucherBusinessService {
 public:
  explicit RecordingBudgetService(TestHost& t) : t_(t) {}
  Result Review(long id) override { return Record("Review", id); }
  Result CancelReview(long id) override { return Record("CancelReview", id); }
  Result Sign(long id) override { return Record("Sign", id); }
  Result CancelSign(long id) override { return Record("CancelSign", id); }
  Result Post(long id, bool) override { return Record("Post", id); }
  Result CancelPost(long id) override { return Record("CancelPost", id); }
  Result Void(long id) override { return Record("Void", id); }
  Result Delete(long id) override { return Record("Delete", id); }

  std::string calls;
  std::string refusal;

 private:
  Result Record(const char* what, long id) {
    calls += std::string(calls.empty() ? "" : "; ") + what + " " + std::to_string(id) +
             " after financial " +
             t_.Scalar(
                 "Select lngPostID || '/' || lngTellerID || '/' || blnIsVoid From Voucher Where "
                 "lngVoucherID = (Select lngVoucherID From BudgetVoucherRelevance Where "
                 "lngBudgetVoucherID = " +
                 std::to_string(id) + ")");
    return refusal.empty() ? Result{true, ""} : Result{false, refusal};
  }
  TestHost& t_;
};

class PosterCombinedListTest : public CombinedListTest {
 protected:
  PosterCombinedListTest() : CombinedListTest(5004) {}
};

// Posting from a pair row posts the financial voucher, then the budget one, in one
// transaction: a refused budget side leaves the financial one unposted.
TEST_F(PosterCombinedListTest, PostingActsOnBothVouchersOfThePair) {
  RecordingBudgetService budget(t_);
  lists::SetBudgetBusinessService(&budget);
  lists::frmListVoucherUnion list;
  ASSERT_TRUE(list.ShowMe());
  list.SelectRow(1);  // 收1: financial 5003, budget 5004, reviewed
  budget.refusal = "凭证尚未复核，不能记账！";
  t_.Messages().Expect("“收-000001”凭证尚未复核，不能记账！", mb::kOk, "凭证记账");
  EXPECT_FALSE(list.ListEditMenu(17));
  EXPECT_EQ(t_.Scalar("Select lngPostID From Voucher Where lngVoucherID = 5003"), "0");
  budget.refusal.clear();
  EXPECT_TRUE(list.ListEditMenu(17));
  EXPECT_EQ(budget.calls,
            "Post 5004 after financial 5004/5003/0; Post 5004 after financial 5004/5003/0");
  EXPECT_EQ(t_.Scalar("Select lngPostID From Voucher Where lngVoucherID = 5003"), "5004");

  // A budget-only pair signs its one voucher, allowed by its bank lines (资金结存-货币资金).
  lists::frmListVoucherCompare lines;
  ASSERT_TRUE(lines.ShowMe());
  lines.SelectRow(RowOf(lines, 5008));
  EXPECT_TRUE(lines.ListEditMenu(6));
  EXPECT_EQ(budget.calls.substr(budget.calls.rfind(';')), "; Sign 5008 after financial ");
}

}  // namespace

// The batch dialog over pairs: a pair is a candidate when each existing side qualifies on its
// own basis (a side without cash or bank lines sits out the signature), and a run changes both
// sides. Demo pairs: 5001 posted, 5002 reviewed, 5003 financial only, 5004 both new, 5005
// budget only (资金结存 lines), 5006 void.
TEST(CombinedBatch, EachModeRunsOverPairsOnBothBases) {
  struct Case {
    lists::BatchOperation mode;
    long login;
    const char* before;
    const char* success;
    const char* after;  // checker/teller/poster of the vouchers 5003 to 5008 left
  };
  const Case cases[] = {
      {lists::BatchOperation::kReview, 5002, "", "多张凭证复核成功，本次共复核3张凭证！",
       "5002/5003/0 5002/5003/0 5002/0/0 5002/0/0 5002/0/0 5002/0/0"},
      // The budget side of pair 5004 was reviewed elsewhere: the pair is no candidate.
      {lists::BatchOperation::kReview, 5002,
       "Update BudgetVoucher Set lngCheckerID = 5002 Where lngVoucherID = 5007",
       "多张凭证复核成功，本次共复核2张凭证！",
       "5002/5003/0 5002/5003/0 5002/0/0 0/0/0 5002/0/0 5002/0/0"},
      {lists::BatchOperation::kSign, 5003, "", "凭证多张出纳签字成功，本次共出纳签字2张凭证！",
       "5002/5003/0 5002/5003/0 0/0/0 0/5003/0 0/5003/0 0/5003/0"},
      {lists::BatchOperation::kDelete, 5001, "", "多张凭证删除成功，本次共删除了3张凭证！",
       "5002/5003/0 5002/5003/0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.success);
    TestHost t({5001, c.login, "2026-02-15"}, embedded::DemoSets::kAll);
    if (*c.before != '\0') t.Exec(c.before);
    lists::frmListVoucherUnion list;
    ASSERT_TRUE(list.ShowMe());
    lists::frmBatchVoucher dialog(c.mode, lists::frmBatchVoucher::SourceOf(list));
    ASSERT_TRUE(dialog.Load());
    for (int mode = 0; mode < 7; ++mode) {  // every mode's pair query runs
      EXPECT_TRUE(lists::frmBatchVoucher(static_cast<lists::BatchOperation>(mode),
                                         lists::frmBatchVoucher::SourceOf(list))
                      .Load());
    }
    dialog.SelectAll();
    t.Messages().ExpectPrefix("您确实要", mb::kYes);
    t.Messages().Expect(c.success);
    EXPECT_TRUE(dialog.Run());
    std::string after = t.Rows(
        "Select lngCheckerID || '/' || lngTellerID || '/' || lngPostID From VoucherView Where "
        "lngVoucherID Between 5003 And 5008 Order By lngVoucherID");
    std::replace(after.begin(), after.end(), '\n', ' ');
    EXPECT_EQ(after, std::string(c.after) + " ");
  }
}

}  // namespace lumvoucher::testing
