#include "cashflow/cash_flow_command.h"

#include <gtest/gtest.h>

#include "cashflow/cash_flow_texts.h"
#include "cashflow/frm_voucher_cash_flow.h"
#include "lists/list_fixture.h"
#include "lists/list_texts.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;

// The user gives the line's whole amount to one item of its direction and saves.
ScriptedModalRunner::Handler SaveWholeLine(long* opened) {
  return [opened](host::ModalWindow& window) {
    auto& w = dynamic_cast<cashflow::frmVoucherCashFlow&>(window);
    *opened = w.State().line_id;
    const int row = w.AddRow();
    EXPECT_TRUE(w.SetItem(row, w.State().direction == 1 ? "01-01" : "02-01"));
    EXPECT_TRUE(w.SetAmount(row, w.State().amount_text));
    EXPECT_TRUE(w.Save());
    return 1;
  };
}

TEST(CashFlowCommand, TheVoucherWindowOpensTheCurrentCashLineAndTakesItsSummary) {
  TestHost t;
  voucher::frmVoucher w;
  ASSERT_TRUE(w.ShowAOldBill(2));  // 付-000001: D 1001 5000 / C 1002-01 5000
  EXPECT_TRUE(w.StatusButtons().cash_flow);
  w.SetCurrentRow(2);
  long opened = 0;
  t.Modal().Expect("frmVoucherCashFlow", SaveWholeLine(&opened));
  EXPECT_TRUE(w.CashFlow());
  EXPECT_EQ(opened, 4);
  EXPECT_EQ(w.State().lines[1].cash_flow_code, "02-01 购买商品、接受劳务支付的现金 5000.00");
  EXPECT_FALSE(w.State().must_save);

  ASSERT_TRUE(w.ShowAOldBill(3));  // 记-000001 has no cash line
  t.Messages().Expect(cashflow::texts::kNotCashLine, mb::kOk, "重要提示信息");
  EXPECT_FALSE(w.CashFlow());
}

TEST(CashFlowCommand, AnotherMakersVoucherNeedsRight2474) {
  TestHost t;
  // 记-000002 was made by 陈静 (6); 李明 holds 1727 only.
  voucher::frmVoucher w;
  ASSERT_TRUE(w.ShowAOldBill(4));
  EXPECT_FALSE(w.StatusButtons().cash_flow);
  t.Messages().Expect("李明无现金流量权限！", mb::kOk, "现金流量项目");
  EXPECT_FALSE(cashflow::OpenLineCashFlow(4, 7).shown);
}

TEST_F(VoucherListTest, TheListsCashFlowEntryOpensTheSelectedLinesWindow) {
  list_.SelectRow(RowOf(list_, 1));
  long opened = 0;
  // 收-000001's first row is its 1002-01 line; the non-cash 1122 line would fall back to it.
  t_.Modal().Expect("frmVoucherCashFlow", SaveWholeLine(&opened));
  EXPECT_TRUE(list_.ListEditMenu(36));
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(t_.Scalar("Select strCashFlowCode From VoucherDetail Where lngVoucherDetailID = 1"),
            "01-01 销售商品、提供劳务收到的现金 50000.00");
}

}  // namespace
}  // namespace lumvoucher::testing
