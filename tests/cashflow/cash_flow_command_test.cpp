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

}  // namespace
}  // namespace lumvoucher::testing
