#include "dualbasis/diff_allocation.h"

#include "dual_fixture.h"
#include "dualbasis/frm_diff_item.h"
#include "frame/settings.h"

namespace lumvoucher::dualbasis {
namespace {

// Accounts of the demo set: financial revenue 4101-02 (type 4), expense 5901 (5), asset 1212
// (1); budget revenue 6101-02 (1), expenditure 7901 (2).
constexpr long kRevenue = 5009, kExpense = 5014, kAsset = 5002;
constexpr long kBudgetRevenue = 6004, kBudgetExpense = 6009;

TEST(DiffOrientation, EveryRowOfTheTable) {
  struct Case {
    double x, y, a_financial, a_budget, difference, allocated;
  };
  const Case cases[] = {
      {100, -20, 5, 1, 120, 4},   // x > 0, y <= 0
      {100, 0, 5, 1, 100, 4},     // x > 0, y = 0
      {100, 80, 20, 0, 20, 20},   // both positive, x > y
      {80, 100, 0, 20, 20, 20},   // both positive, x < y: on the budget side
      {100, 100, 3, 1, 0, -2},    // both positive, equal: budget minus financial
      {-50, 0, 1, 2, -50, -1},    // x < 0, y = 0
      {-100, -80, 0, 0, -20, 0},  // both negative, x < y
      {-80, -100, 1, 4, -20, 3},  // both negative, x > y
      {-80, -80, 1, 4, 0, 3},     // both negative, equal
      {0, 30, 2, 10, 30, 8},      // x = 0
      {0, -30, 2, 10, -30, 8},   {0, 0, 2, 10, 0, 8}, {-10, 30, 2, 10, 40, 8},  // x < 0, y > 0
  };
  for (const Case& c : cases) {
    SideDifference d = Orient(c.x, c.y, c.a_financial, c.a_budget);
    EXPECT_EQ(d.difference, c.difference) << c.x << " " << c.y;
    EXPECT_EQ(d.allocated, c.allocated) << c.x << " " << c.y;
  }
}

class DiffAllocationTest : public testing::DualBasisTest {
 protected:
  struct Line {
    long account;
    int direction;
    double amount;
    double allocated = 0;
  };
  // A voucher of the set with the given lines (allocated on item 5002 when not 0).
  long Voucher(bool budget, const std::vector<Line>& lines, int source = 1) {
    const long id = ++next_;
    const std::string prefix = budget ? "Budget" : "";
    Run("Insert Into " + prefix + "Voucher (lngVoucherID,intVoucherNO,lngSourceOrganizationID," +
        "lngVoucherSourceID,intYear,bytPeriod) Values (" + std::to_string(id) + "," +
        std::to_string(id) + ",5001," + std::to_string(source) + ",2026,3)");
    for (const Line& line : lines) {
      const long line_id = ++next_;
      Run("Insert Into " + prefix + "VoucherDetail (lngVoucherDetailID,lngVoucherID,lngAccountID," +
          "intDirection,dblAmount,lngOrganizationID) Values (" + std::to_string(line_id) + "," +
          std::to_string(id) + "," + std::to_string(line.account) + "," +
          std::to_string(line.direction) + "," + std::to_string(line.amount) + ",5001)");
      if (line.allocated != 0) {
        Run("Insert Into VoucherDiffItem Values (" + std::to_string(line_id) + ",5002," +
            std::to_string(line.allocated) + ")");
      }
    }
    return id;
  }
  std::string Allocations() {
    return Dump(
        "Select lngVoucherDetailID,lngDiffItemID,dblAmount From VoucherDiffItem "
        "Order By lngVoucherDetailID");
  }
  long next_ = 9000;
};

TEST_F(DiffAllocationTest, DifferenceTestOnStoredPairs) {
  struct Case {
    const char* name;
    std::vector<Line> financial;
    std::vector<Line> budget;
    int source;
    bool complete;
  };
  const std::vector<Case> cases = {
      // clang-format off
      {"expense 100/100", {{kExpense, 1, 100, 7}}, {{kBudgetExpense, 1, 100}}, 1, true},
      {"revenue 100/80, 20 on financial", {{kRevenue, -1, 100, 20}}, {{kBudgetRevenue, -1, 80}}, 1, true},
      {"revenue 100/80, 20 on budget", {{kRevenue, -1, 100}}, {{kBudgetRevenue, -1, 80, 20}}, 1, false},
      {"expense 80/100, 20 on budget", {{kExpense, 1, 80}}, {{kBudgetExpense, 1, 100, 20}}, 1, true},
      {"expense 80/100, 20 on financial", {{kExpense, 1, 80, 20}}, {{kBudgetExpense, 1, 100}}, 1, false},
      {"both negative", {{kRevenue, 1, 100}}, {{kBudgetRevenue, 1, 50}}, 1, true},
      {"over-allocated", {{kExpense, 1, 100, 30}}, {{kBudgetExpense, 1, 80}}, 1, true},
      {"source 3", {{kRevenue, -1, 100}}, {{kBudgetRevenue, -1, 80}}, 3, true},
      {"asset lines do not count", {{kAsset, 1, 500}}, {}, 1, true},
      {"0.1 + 0.2 against 0.3", {{kExpense, 1, 0.1}, {kExpense, 1, 0.2}}, {{kBudgetExpense, 1, 0.3}}, 1, true},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const long f = Voucher(false, c.financial, c.source);
    const long b = Voucher(true, c.budget);
    EXPECT_EQ(DifferenceIsAllocated(f, b), c.complete);
  }
  // Only the first pair had no difference at all: its allocation went, the others stay.
  EXPECT_EQ(Allocations(),
            "5009 5006 1200|9006 5002 20|9012 5002 20|9016 5002 20|9018 5002 20|9026 5002 30");
}

TEST_F(DiffAllocationTest, AfterPairSaveDropsStaleAllocationsAndPromptsByTheSettings) {
  // Demo pair 收-000002: 10000 of revenue against 6000 of budget revenue, not allocated.
  host_.Messages().Expect("本年盈余与预算结余差异分配不完整，是否分配？", host::mb::kNo,
                          "差异分配");
  frame::WriteSetting("帐套属性", "凭证提示本年盈余与预算结余差异分配", "True");
  Run("Insert Into VoucherDiffItem Values (5011,5002,1)");  // on the bank line: stale
  AfterPairSave(5006, 5007);
  EXPECT_EQ(Allocations(), "5009 5006 1200");

  frame::WriteSetting("帐套属性", "本年盈余与预算结余差异必须分配", "True");
  host_.Messages().Expect("已设置差异必须分配，请分配差异！", host::mb::kOk, "差异分配");
  host_.Modal().Expect("frmDiffItem", [](host::ModalWindow& window) {
    auto& editor = dynamic_cast<frmDiffItem&>(window);
    EXPECT_TRUE(editor.SetItem(1, "01-01"));
    EXPECT_TRUE(editor.SetAmount(1, "4000"));
    EXPECT_TRUE(editor.Ok());
    return 1;
  });
  AfterPairSave(5006, 5007);
  EXPECT_EQ(Allocations(), "5009 5006 1200|5013 5002 4000");
  EXPECT_EQ(Dump("Select blnisDiffOver From VoucherView Where lngVoucherID In (5006,5007)"), "1|1");
  AfterPairSave(5006, 5007);  // complete now: nothing asked

  // An expense line moved to an asset account loses its allocation.
  Run("Update VoucherDetail Set lngAccountID=5002 Where lngVoucherDetailID=5009");
  frame::WriteSetting("帐套属性", "凭证提示本年盈余与预算结余差异分配", "False");
  AfterPairSave(5005, 0);
  EXPECT_EQ(Allocations(), "5013 5002 4000");
}

TEST_F(DiffAllocationTest, CommandSaysWhenThereIsNoDifference) {
  host_.Messages().Expect("本年盈余与预算结余无差异，无需进行分配!", host::mb::kOk, "差异分配");
  EXPECT_FALSE(DiffAllocationCommand(5003, 5004, {{3, 1, 85000}, {5008, -1, 85000}},
                                     {{6012, 1, 85000}, {6003, -1, 85000}}));
  host_.Modal().Expect("frmDiffItem", [](host::ModalWindow& window) {
    dynamic_cast<frmDiffItem&>(window).Cancel();
    return 0;
  });
  EXPECT_FALSE(DiffAllocationCommand(5006, 5007, {{5008, -1, 10000}}, {{6003, -1, 6000}}));
}

TEST_F(DiffAllocationTest, EditorRefusesBadInputAndWritesNothing) {
  frmDiffItem editor;
  ASSERT_TRUE(editor.Load(5006, 5007));
  ASSERT_EQ(editor.State().rows.size(), 2u);
  EXPECT_EQ(editor.State().rows[0].account, "4101-01 医疗收入");
  ASSERT_EQ(editor.ItemChoices(1).size(), 2u);
  EXPECT_EQ(editor.ItemChoices(2).front().code, "03-01");
  struct Refusal {
    int row;
    const char* item;
    const char* amount;
    const char* message;
  };
  const Refusal refusals[] = {
      {1, "01", nullptr, "本差异项目01为非末级项目，不能选用！"},
      {1, "03-01", nullptr, "本差异项目类型与凭证科目类型不一致！"},
      {1, "zz'", nullptr, "请选择正确的差异项目"},
      {1, nullptr, "abc", "数字输入非法！"},
      {1, nullptr, "1.234", "数字输入非法！"},
      {1, nullptr, "1e3", "数字输入非法！"},
      {1, nullptr, "1234567890123456", "数字输入非法！"},
  };
  for (const Refusal& r : refusals) {
    host_.Messages().Expect(r.message);
    EXPECT_FALSE(r.item ? editor.SetItem(r.row, r.item) : editor.SetAmount(r.row, r.amount));
  }
  EXPECT_EQ(editor.State().rows[0].item_id, 0);
  EXPECT_EQ(editor.State().rows[0].allocated, 0);
  // An amount without an item: the save stops and nothing is written.
  ASSERT_TRUE(editor.SetAmount(2, "4000"));
  host_.Messages().Expect("分配金额不等于差异金额，是否确认?", host::mb::kOk, "差异分配");
  host_.Messages().Expect("请选择正确的差异项目", host::mb::kOk, "差异分配");
  EXPECT_FALSE(editor.Ok());
  // Unequal and cancelled: the editor stays open.
  ASSERT_TRUE(editor.SetItem(2, "03-02"));
  host_.Messages().Expect("分配金额不等于差异金额，是否确认?", host::mb::kCancel);
  EXPECT_FALSE(editor.Ok());
  EXPECT_FALSE(editor.State().closed);
  EXPECT_EQ(Allocations(), "5009 5006 1200");
  // Confirmed although unequal.
  host_.Messages().Expect("分配金额不等于差异金额，是否确认?", host::mb::kOk);
  EXPECT_TRUE(editor.Ok());
  EXPECT_EQ(Allocations(), "5009 5006 1200|5015 5009 4000");
  EXPECT_EQ(Dump("Select blnisDiffOver From VoucherView Where lngVoucherID In (5006,5007)"), "0|0");
}

TEST_F(DiffAllocationTest, FailingEachStatementOfTheSaveKeepsTheOldAllocations) {
  host_.Messages().AnswerAll(host::mb::kOk);
  const std::string before = Allocations();
  for (int n = 1;; ++n) {
    frmDiffItem editor;
    ASSERT_TRUE(editor.Load(5005, 0));
    ASSERT_TRUE(editor.SetItem(1, "02-01"));
    ASSERT_TRUE(editor.SetAmount(1, "1200"));
    host_.Data().FailAtStatement(n);
    const bool saved = editor.Ok();
    host_.Data().NeverFail();
    if (saved) {
      EXPECT_EQ(Allocations(), "5009 5005 1200");
      break;
    }
    ASSERT_EQ(Allocations(), before) << "statement " << n;
    ASSERT_LT(n, 10);
  }
}

// The account conditions narrow the items of 收-000002 (4101-01 on the credit side): an IN
// condition on a side the voucher books keeps the item, on the other side hides it; a NOT IN
// condition of the second table hides it, from the chooser and when typed.
TEST_F(DiffAllocationTest, AccountConditionsNarrowTheItems) {
  const struct {
    const char* rules;
    const char* offered;
  } cases[] = {
      {"", "01-01 01-02 "},
      {"Insert Into diffItemRule Values (5002, 1, -1, '4101')", "01-01 01-02 "},
      {"Insert Into diffItemRule Values (5003, 1, 1, '4101')", "01-01 "},
      {"Insert Into diffItemRule1 Values (5002, 2, -1, '4101')", "01-02 "},
  };
  frmDiffItem editor;
  ASSERT_TRUE(editor.Load(5006, 5007));
  for (const auto& c : cases) {
    Run("Delete From diffItemRule");
    Run("Delete From diffItemRule1");
    if (*c.rules) Run(c.rules);
    std::string offered;
    for (const DiffItemChoice& choice : editor.ItemChoices(1)) offered += choice.code + " ";
    EXPECT_EQ(offered, c.offered) << c.rules;
  }
  host_.Messages().Expect("请选择正确的差异项目");
  EXPECT_FALSE(editor.SetItem(1, "01-01"));
  EXPECT_TRUE(editor.SetItem(1, "01-02"));
}

}  // namespace
}  // namespace lumvoucher::dualbasis
