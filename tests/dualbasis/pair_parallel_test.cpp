#include <gtest/gtest.h>

#include "dualbasis/pair_fixture.h"
#include "dualbasis/parallel_texts.h"
#include "frame/settings.h"
#include "host/message_box.h"
#include "links/frm_darap.h"
#include "templates/frm_create_std_voucher.h"
#include "templates/frm_select_std_voucher.h"
#include "voucher/save_texts.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
namespace texts = dualbasis::texts;
using voucher::LineField;
class PairParallelTest : public PairTest {};

// The obligation questions come from the sides' validation, the prohibit question once per
// pair save (a second one would be an unexpected message); a saved pair whose surpluses differ
// is asked about the difference allocation.
TEST_F(PairParallelTest, ObligationAndDifferenceQuestionsOfThePairSave) {
  frame::WriteSetting("帐套属性", "凭证提示本年盈余与预算结余差异分配", "True");
  const struct {
    const char *debit, *question;
    bool budget, asks;
    int answer;
    bool saved;
  } cases[] = {
      {"1002-01", texts::kProhibitSaveQuestion, true, true, mb::kYes, true},
      {"5901", texts::kMustRuleQuestion, false, true, mb::kYes, false},
      {"5901", nullptr, false, false, 0, true},
  };
  for (const auto& c : cases) {
    if (F().IsChanged()) t_.Messages().Expect("凭证的数据已经发生改变，是否需要保存?", mb::kNo);
    NewPair();
    pair_.SetAsksForBudget(c.asks);
    Enter(F(), c.debit, "1001", "80");
    if (c.budget) Enter(B(), "7901", "8001-03", "80");
    if (c.question) t_.Messages().Expect(c.question, c.answer, texts::kTitleImportant);
    if (c.saved) t_.Messages().Expect("本年盈余与预算结余差异分配不完整，是否分配？", mb::kNo);
    EXPECT_EQ(pair_.SaveBill(), c.saved) << c.debit << c.answer;
    EXPECT_EQ(t_.Messages().Pending(), 0u) << c.debit << c.answer;
  }
  EXPECT_EQ(NewPairs(), "记-5 80 0/记-5 80 0|记-6 80 0/-");
}

// "根据模板平行记账" with each line's origin until edited by hand, learning after the save,
// and the create-budget-voucher box derived again at save once the financial lines changed.
TEST_F(PairParallelTest, TemplatesLearningAndDerivationFillTheBudgetSide) {
  NewPair();
  Enter(F(), "2201", "1011", "30000");
  ASSERT_TRUE(pair_.ApplyTemplate());
  ASSERT_NE(pair_.BudgetLineOrigin(1), nullptr);
  EXPECT_EQ(dualbasis::DescribeOrigin(*pair_.BudgetLineOrigin(1)),
            "P001 发放工资: + 借 2201 30000.00");
  ASSERT_TRUE(B().SetCell(1, LineField::kDebit, "29999"));
  EXPECT_EQ(pair_.BudgetLineOrigin(1), nullptr);
  ASSERT_TRUE(B().SetCell(1, LineField::kDebit, "30000"));
  ASSERT_TRUE(B().SetCell(1, LineField::kDepartment, "01"));
  ASSERT_TRUE(pair_.SaveBill());

  t_.Data().Execute("Delete From StdVoucherFinance Where lngStdVoucherTmpID In (5001, 5006)");
  EXPECT_TRUE(pair_.mclsMainControl_EditAutoStudy());
  NewPair();
  Enter(F(), "2201", "1011", "30000");
  Enter(B(), "7201-01", "8001-01", "30000");
  ASSERT_TRUE(B().SetCell(1, LineField::kDepartment, "01"));
  t_.Messages().Expect("本凭证已出现　3 次，是否学习并保存模板", mb::kYes, texts::kTitleLearn);
  ASSERT_TRUE(pair_.SaveBill());

  NewPair();
  Enter(F(), "1001", "1011", "500");
  ASSERT_TRUE(pair_.SetChkCreateBVoucher(true));
  ASSERT_TRUE(F().SetCell(1, LineField::kDebit, "400"));
  ASSERT_TRUE(F().SetCell(2, LineField::kCredit, "400"));
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(Editors().substr(Editors().find('\n') + 1),
            "记000007 id 10005 c0: 8001-02 货币资金 400.00 8001-01 零余额账户用款额度 400.00\n");
}

// "生成样板凭证" writes both standard vouchers under one number; calling it fills both sides
// again, without amounts.
TEST_F(PairParallelTest, StandardVoucherTwinsSaveAndLoadBothSides) {
  NewPair();
  Enter(F(), "5901", "2201", "100");
  Enter(B(), "7901", "8001-03", "100");
  t_.Modal().Expect("frmCreateStdVoucher", [](host::ModalWindow& w) {
    auto& dialog = dynamic_cast<templates::frmCreateStdVoucher&>(w);
    dialog.SetNumber("09");
    dialog.SetName("其他费用");
    dialog.Ok();
    return 1;
  });
  ASSERT_TRUE(pair_.CreateVoucherAll());
  ASSERT_TRUE(pair_.SaveBill());
  t_.Modal().Expect("frmSelectStdVoucherAll", [](host::ModalWindow& w) {
    return dynamic_cast<templates::frmSelectStdVoucherAll&>(w).Choose(0) ? 1 : 0;
  });
  ASSERT_TRUE(pair_.LoadStdVoucher());
  EXPECT_EQ(Editors(),
            "记000006 id 0 c0 changed: 5901 其他费用 0.00 2201 应付职工薪酬 0.00\n"
            "记000006 id 0 c0 changed: 7901 其他支出 0.00 8001-03 财政应返还额度 0.00\n");
}

// The financial side's settlement split goes in with the pair; settled again and then changed
// in amount, the line keeps neither the held nor the stored split.
TEST_F(PairParallelTest, SettlementSplitIsWrittenWithThePairAndNotKeptStale) {
  t_.Data().Execute(
      "Update DARAP Set lngAccountID = 5002, lngOrganizationID = 5001 Where "
      "lngDARAPID = 1");
  t_.Data().Execute(
      "Update DARAPDetail Set lngAccountID = 5002, lngOrganizationID = 5001 Where "
      "lngDARAPDetailID = 1");
  auto settled = [this] {
    return t_.Scalar(
        "Select dblCurrPaymentAmount || ' ' || (Select Count(*) From "
        "DARAPSettlement) || ' ' || (Select Count(*) From DARAP Where "
        "lngOrganizationID = 5001) From DARAPDetail Where lngDARAPDetailID = 1");
  };
  auto settle = [this] {
    t_.Modal().Expect(links::frmDARAP::kWindowName, [](host::ModalWindow& w) {
      dynamic_cast<links::frmDARAP&>(w).Allocate();
      dynamic_cast<links::frmDARAP&>(w).Confirm();
      return 1;
    });
    F().SetCurrentRow(2);
    ASSERT_TRUE(F().CurrentAccountSettlement());
  };
  NewPair();
  Enter(F(), "1011", "1212", "60");
  ASSERT_TRUE(F().SetCell(2, LineField::kUnit, "003"));
  ASSERT_TRUE(F().SetCell(2, LineField::kBusinessDate, F().State().header.date));
  settle();
  t_.Messages().Expect(voucher::texts::kSettlementNotice, mb::kOk);
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(settled(), "60 1 2");

  settle();
  ASSERT_TRUE(F().SetCell(1, LineField::kDebit, "50"));
  ASSERT_TRUE(F().SetCell(2, LineField::kCredit, "50"));
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(settled(), "0 0 1");
}

}  // namespace
}  // namespace lumvoucher::testing
