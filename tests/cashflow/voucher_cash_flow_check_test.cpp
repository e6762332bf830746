#include "cashflow/voucher_cash_flow_check.h"

#include <gtest/gtest.h>

#include "cashflow/cash_flow_fixture.h"
#include "cashflow/cash_flow_texts.h"
#include "cashflow/frm_voucher_cash_flow.h"
#include "cashflow/mdl_cash_flow.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::testing {
namespace {

using namespace demo;
namespace mb = host::mb;

class VoucherCheckTest : public CashFlowTest {
 protected:
  explicit VoucherCheckTest(const embedded::LoginRequest& login = DemoLogin::Maker())
      : CashFlowTest(login) {
    // 100 moves cash from the bank; 101 takes in cash, 60 of its 100 split.
    StoreVoucher(100, {{1000, kCash, 1, 100}, {1001, kBank, -1, 100}});
    StoreVoucher(101, {{1010, kCash, 1, 100}, {1011, kRevenue, -1, 100}});
    Flow(1010, kSales, 60);
  }
  // Each line window that opens is closed by the user; `save` first gives its line the whole
  // amount on a matching item.
  void WindowsOpen(int count, bool save = false) {
    for (int i = 0; i < count; ++i) {
      t_.Modal().Expect("frmVoucherCashFlow", [this, save](host::ModalWindow& window) {
        auto& w = dynamic_cast<cashflow::frmVoucherCashFlow&>(window);
        ++windows_;
        if (save) {
          while (!w.State().rows.empty()) w.DeleteRow(1);
          const int row = w.AddRow();
          EXPECT_TRUE(w.SetItem(row, w.State().direction == 1 ? "01-01" : "02-01"));
          EXPECT_TRUE(w.SetAmount(row, w.State().amount_text));
          EXPECT_TRUE(w.Save());
        } else {
          EXPECT_TRUE(w.Close());
        }
        return 1;
      });
    }
  }
  voucher::frmVoucher w_;
  int windows_ = 0;
};

constexpr const char* kCashWarn = "保存凭证|48|现金科目 1001 库存现金现金流量分配不完整。\n";
constexpr const char* kBankWarn =
    "保存凭证|48|现金科目 1002-01 工商银行（人民币）现金流量分配不完整。\n";

TEST_F(VoucherCheckTest, TheThreeOptionsDecideMessagesWindowsAndVerdict) {
  struct Case {
    long voucher;
    bool prompt, must, ignore;
    std::string messages;
    int windows;
    bool passes;
  };
  const std::string unbalanced = std::string("提醒|48|") + cashflow::texts::kLineUnbalanced + "\n";
  const std::string both = std::string(kCashWarn) + kBankWarn;
  const Case cases[] = {
      // The transfer without rows: the exemption passes it, else each cash line is incomplete.
      {100, false, false, false, "", 0, true},
      {100, false, false, true, "", 0, true},
      {100, true, false, false, both, 0, true},
      {100, true, false, true, "", 0, true},
      {100, false, true, false, both, 2, false},
      {100, false, true, true, "", 0, true},
      {100, true, true, false, both, 2, false},
      {100, true, true, true, "", 0, true},
      // 60 of 100 assigned: without the prompt only the balance rule speaks.
      {101, false, false, false, unbalanced, 0, false},
      {101, false, false, true, unbalanced, 0, false},
      {101, true, false, false, kCashWarn, 0, true},
      {101, true, false, true, kCashWarn, 0, true},
      {101, false, true, false, kCashWarn, 1, false},
      {101, false, true, true, kCashWarn, 1, false},
      {101, true, true, false, kCashWarn, 1, false},
      {101, true, true, true, kCashWarn, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.voucher) + " " + std::to_string(c.prompt) +
                 std::to_string(c.must) + std::to_string(c.ignore));
    Options(c.prompt, c.must, c.ignore);
    ASSERT_TRUE(w_.ShowAOldBill(c.voucher));
    const std::size_t from = Expecting(c.messages);
    windows_ = 0;
    WindowsOpen(c.windows);
    EXPECT_EQ(w_.CheckVoucherCashFlow(), c.passes);
    EXPECT_EQ(ShownSince(from), c.messages);
    EXPECT_EQ(windows_, c.windows);
  }
}

TEST_F(VoucherCheckTest, AWaivableAccountAsksAndYesPassesTheLineOver) {
  StoreVoucher(102, {{1020, kDollar, 1, 100}, {1021, kRevenue, -1, 100}});
  Options(true, true, false);
  const std::string ask = "现金科目 1002-02 中国银行（美元）现金流量分配不完整，忽略吗？";
  ASSERT_TRUE(w_.ShowAOldBill(102));
  t_.Messages().Expect(ask, mb::kYes, "保存凭证");
  EXPECT_TRUE(w_.CheckVoucherCashFlow());
  t_.Messages().Expect(ask, mb::kNo, "保存凭证");
  WindowsOpen(1);
  EXPECT_FALSE(w_.CheckVoucherCashFlow());
  EXPECT_EQ(windows_, 1);
}

TEST_F(VoucherCheckTest, VoidUnsavedAndUnassignableVouchersPass) {
  Options(true, true, false);
  cashflow::VoucherCashFlowSubject subject{
      100, true, true, {{1000, kCash, "1001 库存现金", 100, 0, ""}}};
  EXPECT_TRUE(cashflow::CheckVoucherCashFlow(subject));
  subject.void_ticked = false;
  subject.voucher_id = 0;
  subject.may_assign = false;
  EXPECT_TRUE(cashflow::CheckVoucherCashFlow(subject));
  Grant(cashflow::rights::kAssign, false);
  ASSERT_TRUE(w_.ShowAOldBill(100));
  EXPECT_TRUE(w_.CheckVoucherCashFlow());
  EXPECT_EQ(ShownSince(), "");
}

class AdministratorCheckTest : public VoucherCheckTest {
 protected:
  AdministratorCheckTest() : VoucherCheckTest(DemoLogin::Administrator()) {}
};

TEST_F(AdministratorCheckTest, ReviewRunsTheCheckFirstAndItsCancelDoesNot) {
  Options(true, true, false);
  ASSERT_TRUE(w_.ShowAOldBill(101));
  Expecting(kCashWarn);
  WindowsOpen(1);
  EXPECT_FALSE(w_.Review());
  EXPECT_EQ(Rows("Select lngCheckerID From Voucher Where lngVoucherID = 101"), "0\n");
  Expecting(kCashWarn);
  WindowsOpen(1, true);
  EXPECT_TRUE(w_.Review());
  EXPECT_EQ(Rows("Select lngCheckerID From Voucher Where lngVoucherID = 101"), "1\n");
  EXPECT_EQ(w_.State().lines[0].cash_flow_code, "01-01 销售商品、提供劳务收到的现金 100.00");
  Exec("Delete From VoucherCashFlow");
  EXPECT_TRUE(w_.Review());  // cancelling the review asks nothing of the cash flow
  EXPECT_EQ(Rows("Select lngCheckerID From Voucher Where lngVoucherID = 101"), "0\n");
}

}  // namespace
}  // namespace lumvoucher::testing
