#include <gtest/gtest.h>

#include "host/message_box.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

using voucher::LineField;

// Cash and bank accounts kept to their module: the stop comes with the first such line; the
// module's own vouchers, vouchers without such lines and everything without the option save.
TEST(CashBankOnly, OnlyTheCashAndBankModuleSavesCashLinesWhenTheOptionIsOn) {
  const struct {
    bool option;
    bool cash;
    long source;
    bool saves;
  } cases[] = {{true, true, 1, false},
               {true, true, 13, true},
               {false, true, 1, true},
               {true, false, 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.option) + std::to_string(c.cash) + std::to_string(c.source));
    VoucherSession s;
    if (c.option) {
      s.t_.Exec(
          "Insert Into Setting (strSection, strKey, strSetting, lngOrganizationID) Values "
          "('帐套属性', '仅现金银行模块生成现金银行凭证', 'True', 1)");
    }
    if (c.cash) {
      s.NewVoucherWith({{"6602-01", voucher::kDebit, "80"}, {"1001", voucher::kCredit, "80"}});
      ASSERT_TRUE(s.w_.SetCell(1, LineField::kRemark, "购买办公用品"));
      ASSERT_TRUE(s.w_.SetCell(1, LineField::kDepartment, "01"));
      ASSERT_TRUE(s.w_.SetCell(2, LineField::kRemark, "付现金"));
    } else {
      s.EnterOfficeVoucher();
    }
    s.w_.MutableState().header.source_id = c.source;
    if (!c.saves) {
      s.t_.Messages().Expect(
          "保存失败，仅允许通过现金银行模块生成含有现金或银行性质的科目的凭证，请修改后重新保存！",
          host::mb::kOk, "保存凭证");
    }
    EXPECT_EQ(s.w_.SaveBill(), c.saves);
    EXPECT_EQ(s.S().header.voucher_id > 0, c.saves);
    if (!c.saves) {
      EXPECT_EQ(s.S().current_row, 2);
    }
  }
}

}  // namespace
}  // namespace lumvoucher::testing
