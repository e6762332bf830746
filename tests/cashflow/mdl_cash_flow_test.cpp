#include "cashflow/mdl_cash_flow.h"

#include <gtest/gtest.h>

#include <tuple>

#include "cashflow/cash_flow_fixture.h"
#include "cashflow/cash_flow_texts.h"

namespace lumvoucher::testing {
namespace {

using namespace cashflow;
using namespace demo;

class ModuleTest : public CashFlowTest {};

TEST_F(ModuleTest, MustAssignForcesThePromptInEveryCombination) {
  for (int bits = 0; bits < 8; ++bits) {
    const bool prompt = bits & 1, must = bits & 2, ignore = bits & 4;
    Options(prompt, must, ignore);
    LoadCashFlowOptions();
    EXPECT_EQ(blnPromptCashFlow(), prompt || must) << bits;
    EXPECT_EQ(blnCashFlowMustAssign(), must) << bits;
    EXPECT_EQ(blnIgnoreCashTransfer(), ignore) << bits;
  }
  Exec("Delete From Setting Where strKey = '现金流量科目必须分配'");
  LoadCashFlowOptions();
  EXPECT_FALSE(blnCashFlowMustAssign());
}

// A debit line of 100 on 1001 (no setting row) or 1012 (a setting row), split as given.
TEST_F(ModuleTest, TheBalanceRuleComparesTheSumTheSettingChooses) {
  struct Case {
    long account;
    double amount;
    std::vector<std::pair<long, double>> split;
    bool balanced;
  } cases[] = {
      {kCash, 100, {{kSales, 60}, {kPurchase, 40}}, true},         // 已分配金额2 = 100
      {kOtherMoney, 100, {{kSales, 60}, {kPurchase, 40}}, false},  // 已分配金额1 = 60
      {kCash, 100, {{kSales, 100}}, true},
      {kOtherMoney, 100, {{kSales, 100}}, true},
      {kCash, 100, {{kSales, 100}, {kNetItem, 30}}, true},  // net items count nowhere
      {kCash, 0, {}, true},
      {kCash, 100, {}, false},
      {kCash, 0.3, {{kSales, 0.1}, {kTaxRefund, 0.2}}, false},  // compared exactly
  };
  long id = 100;
  for (const Case& c : cases) {
    ++id;
    StoreVoucher(id, {{id * 10, c.account, 1, c.amount}, {id * 10 + 1, kRevenue, -1, c.amount}});
    for (const auto& [item, amount] : c.split) Flow(id * 10, item, amount);
    std::string message;
    EXPECT_EQ(CheckLineCashFlowAmount(id * 10, message), c.balanced) << id;
    EXPECT_EQ(message, c.balanced ? "" : texts::kLineUnbalanced) << id;
  }
  std::string message;
  EXPECT_TRUE(CheckLineCashFlowAmount(0, message));
  EXPECT_FALSE(CheckLineCashFlowAmount(999999, message));
}

TEST_F(ModuleTest, VoucherAmountsNeedALineToExamineAndStopAtTheFirstFailure) {
  Options(true, false, true);
  LoadCashFlowOptions();
  StoreVoucher(100, {{1000, kCash, 1, 100}, {1001, kBank, -1, 40}, {1002, kRevenue, -1, 60}});
  std::string message;
  EXPECT_FALSE(CheckVoucherCashFlowAmounts(100, message));
  EXPECT_EQ(message, "");
  EXPECT_TRUE(IsVoucherCashFlowValid(100, message));
  EXPECT_TRUE(CheckVoucherCashFlowAmounts(0, message));

  Flow(1000, kSales, 100);
  EXPECT_TRUE(CheckVoucherCashFlowAmounts(100, message));
  EXPECT_FALSE(AllCashLinesAssigned(100, message));
  EXPECT_EQ(message, texts::kNotAllAssigned);
  // With assignment required and no exemption every cash line is examined.
  Options(true, true, false);
  LoadCashFlowOptions();
  message.clear();
  EXPECT_FALSE(CheckVoucherCashFlowAmounts(100, message));
  EXPECT_EQ(message, texts::kLineUnbalanced);
  EXPECT_FALSE(IsVoucherCashFlowValid(100, message));
  Flow(1001, kPurchase, 40);
  EXPECT_TRUE(CheckVoucherCashFlowAmounts(100, message));
  EXPECT_TRUE(AllCashLinesAssigned(100, message));
  EXPECT_TRUE(AllCashLinesAssigned(0, message));
}

TEST_F(ModuleTest, DatabaseErrorsBecomeTheFailureMessage) {
  StoreVoucher(100, {{1000, kCash, 1, 100}, {1001, kRevenue, -1, 100}});
  Flow(1000, kSales, 100);
  for (int statement = 1; statement <= 3; ++statement) {
    t_.Data().FailAtStatement(statement);
    std::string message;
    EXPECT_FALSE(CheckLineCashFlowAmount(1000, message)) << statement;
    EXPECT_EQ(message.rfind(texts::kCheckFailed, 0), 0u) << message;
  }
  t_.Data().FailAtStatement(1);
  std::string message;
  EXPECT_FALSE(AllCashLinesAssigned(100, message));
  EXPECT_EQ(message.rfind(texts::kCheckFailed, 0), 0u);
  t_.Data().NeverFail();
}

TEST_F(ModuleTest, PurgeDropsRowsOfNonCashLinesOfTheVoucherAndOfAGoneLine) {
  StoreVoucher(100, {{1000, kCash, 1, 100}, {1001, kRevenue, -1, 100}});
  StoreVoucher(101, {{1010, kCash, 1, 50}, {1011, kRevenue, -1, 50}});
  for (long line : {1000, 1001, 1010, 1011, 5555}) Flow(line, kSales, 1);
  PurgeCashFlowRows(1000);
  EXPECT_EQ(Rows("Select lngVoucherDetailID From VoucherCashFlow Order By 1"),
            "1000\n1010\n1011\n5555\n");
  PurgeCashFlowRows(5555);
  PurgeCashFlowRows(1010);
  EXPECT_EQ(Rows("Select lngVoucherDetailID From VoucherCashFlow Order By 1"), "1000\n1010\n");
}

TEST_F(ModuleTest, AssigningNeedsRight2474Or1727OnOnesOwnVoucher) {
  StoreVoucher(100, {{1000, kCash, 1, 1}}, 2);
  StoreVoucher(101, {{1010, kCash, 1, 1}}, 6);
  // (2474, 1727) -> own voucher, another's voucher, an unsaved one
  for (auto [any, own, on_own, on_other, on_new] :
       {std::tuple{false, false, false, false, false}, std::tuple{false, true, true, false, true},
        std::tuple{true, false, true, true, true}, std::tuple{true, true, true, true, true}}) {
    Grant(rights::kAssignAny, any);
    Grant(rights::kAssign, own);
    EXPECT_EQ(CanAssignCashFlow(100), on_own) << any << own;
    EXPECT_EQ(CanAssignCashFlow(101), on_other) << any << own;
    EXPECT_EQ(CanAssignCashFlow(0), on_new) << any << own;
  }
}

TEST_F(ModuleTest, CashTransfersNetOutOrPairTheirEqualLines) {
  EXPECT_TRUE(CashTransferExemption(2).passes);  // 付-000001: 1001 from 1002-01
  StoreVoucher(100, {{1000, kCash, 1, 100},
                     {1001, kBank, 1, 30},
                     {1002, kBank, -1, 100},
                     {1003, kRevenue, -1, 30}});
  CashTransfer t = CashTransferExemption(100);
  EXPECT_FALSE(t.passes);
  EXPECT_EQ(t.skip, (std::set<long>{1000, 1002}));
  StoreVoucher(101, {{1010, kCash, 1, 100}, {1011, kRevenue, -1, 100}});
  EXPECT_FALSE(CashTransferExemption(101).passes);
  EXPECT_TRUE(CashTransferExemption(101).skip.empty());
}

}  // namespace
}  // namespace lumvoucher::testing
