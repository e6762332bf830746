#include <gtest/gtest.h>

#include <algorithm>

#include "host/message_box.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

using voucher::LineField;

// One record of WriteForm: 记-000005 on 2026-02-15, then the line's own fields.
std::string Record(const std::string& account, const std::string& side, const std::string& unit) {
  std::vector<std::string> f(38, "");
  f[0] = "2026-02";
  f[1] = "2026-02-15";
  f[2] = "1";
  f[3] = "5";
  f[4] = "领用办公用品";
  f[5] = account;
  f[6] = side;
  f[7] = "300";
  f[15] = "33";
  f[16] = "0000";
  f[17] = "FALSE";
  f[18] = "1";
  f[20] = unit;
  f[34] = "2026-02-15";
  f[35] = "1";
  std::string out;
  for (std::size_t i = 0; i < f.size(); ++i) out += (i == 0 ? "" : "\t") + f[i];
  return out;
}

std::string OfficeVoucher() {
  return Record("5", "1", "0") + "\n" + Record("21", "-1", "4");
}

// The information panel's account balance: the one query of a save that reads every stored line
// of an account.
class SavePanel : public VoucherSaveTest {
 protected:
  void StartRecording() {
    t_.Data().Record(true);
    recorded_from_ = t_.Data().Recorded().size();
  }
  long BalanceQueries() {
    const auto& all = t_.Data().Recorded();
    return std::count_if(all.begin() + static_cast<std::ptrdiff_t>(recorded_from_), all.end(),
                         [](const std::string& sql) {
                           return sql.find("Sum(Case When d.intDirection = -1") !=
                                  std::string::npos;
                         });
  }
  std::size_t recorded_from_ = 0;
};

TEST_F(SavePanel, AUsersSaveReadsTheBalanceOnceNotOncePerLine) {
  EnterOfficeVoucher();
  const std::string panel = S().info_text;
  ASSERT_NE(panel.find("当前本币"), std::string::npos);
  StartRecording();
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(BalanceQueries(), 1);
  // Read before the voucher was written, as the lines were checked.
  EXPECT_EQ(S().info_text, panel);
}

TEST_F(SavePanel, ALineThatFailsAfterAPassingOneLeavesThePanelOfTheRowShownBefore) {
  EnterOfficeVoucher();
  ASSERT_TRUE(w_.SetCell(2, LineField::kRemark, ""));
  w_.SetCurrentRow(1);
  const std::string panel = S().info_text;
  StartRecording();
  t_.Messages().Expect("第2条摘要为空，您要修改凭证吗？", host::mb::kYes, "保存凭证");
  EXPECT_FALSE(w_.SaveBill());
  EXPECT_EQ(S().current_row, 2);
  EXPECT_EQ(BalanceQueries(), 1);
  EXPECT_EQ(S().info_text, panel);
}

TEST_F(SavePanel, AProgramsSaveInAHiddenWindowReadsNoBalance) {
  StartRecording();
  ASSERT_TRUE(w_.WriteForm(OfficeVoucher()));
  EXPECT_EQ(S().info_text, "");
  w_.MustSave();
  EXPECT_EQ(w_.SaveAVoucher(false), 1);
  EXPECT_EQ(BalanceQueries(), 0);
  EXPECT_EQ(S().info_text, "");
}

TEST_F(SavePanel, AProgramsSaveInAWindowOnScreenShowsTheBalance) {
  ASSERT_TRUE(w_.ShowANewBill(0));
  StartRecording();
  ASSERT_TRUE(w_.WriteForm(OfficeVoucher()));
  const std::string panel = S().info_text;
  EXPECT_NE(panel.find("当前本币"), std::string::npos);
  w_.MustSave();
  EXPECT_EQ(w_.SaveAVoucher(false), 1);
  // Once when filled, once after the line checks.
  EXPECT_EQ(BalanceQueries(), 2);
  EXPECT_EQ(S().info_text, panel);
}

// Cash and bank accounts kept to their module: the stop comes with the first such line, and
// without the option a cash line saves.
class CashBankOnly : public VoucherSaveTest {
 protected:
  void KeepCashAndBankToTheirModule() {
    t_.Data().Execute(
        "Insert Into Setting (strSection, strKey, strSetting, lngOrganizationID) Values "
        "('帐套属性', '仅现金银行模块生成现金银行凭证', 'True', 1)");
  }
  void EnterCashVoucher() {
    NewVoucherWith({{"6602-01", voucher::kDebit, "80"}, {"1001", voucher::kCredit, "80"}});
    ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, "购买办公用品"));
    ASSERT_TRUE(w_.SetCell(1, LineField::kDepartment, "01"));
    ASSERT_TRUE(w_.SetCell(2, LineField::kRemark, "付现金"));
  }
};

TEST_F(CashBankOnly, AHandVoucherWithACashLineIsRefused) {
  KeepCashAndBankToTheirModule();
  EnterCashVoucher();
  t_.Messages().Expect(
      "保存失败，仅允许通过现金银行模块生成含有现金或银行性质的科目的凭证，请修改后重新保存！",
      host::mb::kOk, "保存凭证");
  EXPECT_FALSE(w_.SaveBill());
  EXPECT_EQ(S().current_row, 2);
  EXPECT_EQ(S().header.voucher_id, 0);
}

TEST_F(CashBankOnly, AVoucherOfTheCashAndBankModuleSaves) {
  KeepCashAndBankToTheirModule();
  EnterCashVoucher();
  w_.MutableState().header.source_id = 13;
  EXPECT_TRUE(w_.SaveBill());
  EXPECT_GT(S().header.voucher_id, 0);
}

TEST_F(CashBankOnly, WithoutTheOptionACashLineSaves) {
  EnterCashVoucher();
  EXPECT_TRUE(w_.SaveBill());
  EXPECT_GT(S().header.voucher_id, 0);
}

TEST_F(CashBankOnly, AVoucherWithoutCashOrBankLinesSavesWithTheOptionOn) {
  KeepCashAndBankToTheirModule();
  EnterOfficeVoucher();
  EXPECT_TRUE(w_.SaveBill());
  EXPECT_GT(S().header.voucher_id, 0);
}

}  // namespace
}  // namespace lumvoucher::testing
