#include <gtest/gtest.h>

#include "dualbasis/frm_double_rule.h"
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

class PairParallelTest : public PairTest {
 protected:
  int Shown(const std::string& text) {
    int n = 0;
    for (const auto& shown : t_.Messages().Shown()) n += shown.text == text;
    return n;
  }
};

// The obligation questions are asked inside the sides' validation: the prohibit question once
// per pair save, the must-rule question only while the budget side is empty and asked for.
TEST_F(PairParallelTest, ObligationQuestionsStopOrLetThePairSave) {
  const struct {
    const char* debit;
    const char* credit;
    bool budget;
    bool asks;
    const char* question;
    int answer;
    bool saved;
  } cases[] = {
      {"1002-01", "1001", true, true, texts::kProhibitSaveQuestion, mb::kNo, false},
      {"1002-01", "1001", true, true, texts::kProhibitSaveQuestion, mb::kYes, true},
      {"5901", "1001", false, true, texts::kMustRuleQuestion, mb::kYes, false},
      {"5901", "1001", false, false, nullptr, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.debit + std::string(c.question ? c.question : ""));
    t_.Messages().Clear();
    if (F().IsChanged()) t_.Messages().Expect("凭证的数据已经发生改变，是否需要保存?", mb::kNo);
    NewPair();
    pair_.SetAsksForBudget(c.asks);
    Enter(F(), c.debit, c.credit, "80");
    if (c.budget) Enter(B(), "7901", "8001-03", "80");
    if (c.question) t_.Messages().Expect(c.question, c.answer, texts::kTitleImportant);
    const int asked = c.question ? Shown(c.question) : 0;
    EXPECT_EQ(pair_.SaveBill(), c.saved);
    EXPECT_EQ(t_.Messages().Pending(), 0u);
    if (c.question) {
      EXPECT_EQ(Shown(c.question), asked + 1);
    }
  }
  EXPECT_EQ(NewPairs(), "记-5 80 0/记-5 80 0|记-6 80 0/-");
}

// "根据模板平行记账", the create-budget-voucher box with its re-derivation at save,
// "生成平行记账模板" and learning after the save all fill or read the two grids of the pair.
TEST_F(PairParallelTest, TemplatesDerivationAndLearningWorkOnThePair) {
  NewPair();
  Enter(F(), "2201", "1011", "30000");
  ASSERT_TRUE(pair_.ApplyTemplate());
  EXPECT_TRUE(B().IsChanged());
  ASSERT_NE(pair_.BudgetLineOrigin(1), nullptr);
  EXPECT_EQ(dualbasis::DescribeOrigin(*pair_.BudgetLineOrigin(1)),
            "P001 发放工资: + 借 2201 30000.00");
  ASSERT_TRUE(B().SetCell(1, LineField::kDebit, "29999"));  // by hand now
  EXPECT_EQ(pair_.BudgetLineOrigin(1), nullptr);
  ASSERT_TRUE(B().SetCell(1, LineField::kDebit, "30000"));
  ASSERT_TRUE(B().SetCell(1, LineField::kDepartment, "01"));
  ASSERT_TRUE(pair_.SaveBill());

  // Learning: the template no longer fits, and the pair has been seen before.
  t_.Data().Execute("Delete From StdVoucherFinance Where lngStdVoucherTmpID In (5001, 5006)");
  EXPECT_TRUE(pair_.mclsMainControl_EditAutoStudy());
  NewPair();
  Enter(F(), "2201", "1011", "30000");
  Enter(B(), "7201-01", "8001-01", "30000");
  ASSERT_TRUE(B().SetCell(1, LineField::kDepartment, "01"));
  t_.Messages().Expect("本凭证已出现　3 次，是否学习并保存模板", mb::kYes, texts::kTitleLearn);
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(t_.Scalar("Select Count(*) From StdVoucherTmp Where strStdVoucherTmpCode = "
                      "'XX000001'"),
            "1");
  EXPECT_FALSE(pair_.mclsMainControl_EditAutoStudy());

  // The box derives line by line, and again at save when the financial lines changed.
  NewPair();
  Enter(F(), "1002-01", "1001", "5");
  t_.Messages().Expect(texts::kProhibitCreate, mb::kOk, texts::kTitleFill);
  EXPECT_FALSE(pair_.SetChkCreateBVoucher(true));
  EXPECT_FALSE(pair_.GetChkCreateBVoucher() || B().HasLines());
  t_.Messages().Expect("凭证的数据已经发生改变，是否需要保存?", mb::kNo);
  NewPair();
  Enter(F(), "1001", "1011", "500");
  ASSERT_TRUE(pair_.SetChkCreateBVoucher(true));
  ASSERT_TRUE(F().SetCell(1, LineField::kDebit, "400"));
  ASSERT_TRUE(F().SetCell(2, LineField::kCredit, "400"));
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(Editors().substr(Editors().find('\n') + 1),
            "记000007 id 10005 c0: 8001-02 货币资金 400.00 8001-01 零余额账户用款额度 400.00\n");

  t_.Modal().Expect(texts::kDoubleRuleWindowName, [](host::ModalWindow& w) {
    auto& dialog = dynamic_cast<dualbasis::frmDoubleRule&>(w);
    dialog.SetCode("T-9");
    dialog.SetName("项目支出");
    return dialog.Ok() ? 1 : 0;
  });
  EXPECT_GT(pair_.CreateTemplateFromPair(), 0);
  EXPECT_EQ(NewPairs(),
            "记-5 30000 0/记-5 30000 0|记-6 30000 0/记-6 30000 0|记-7 400 0/记-7 400 0");
}

// A pair saved with unequal surpluses asks for the difference allocation after the save.
TEST_F(PairParallelTest, DifferenceQuestionFollowsARealPairSave) {
  frame::WriteSetting("帐套属性", "凭证提示本年盈余与预算结余差异分配", "True");
  NewPair();
  Enter(F(), "1011", "4609", "100");
  Enter(B(), "8001-01", "6609", "80");
  t_.Messages().Expect("财务会计与预算会计的总金额不等,是否继续存盘?", mb::kYes, "保存凭证");
  t_.Messages().Expect("本年盈余与预算结余差异分配不完整，是否分配？", mb::kNo, "差异分配");
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(t_.Messages().Pending(), 0u);
  EXPECT_EQ(NewPairs(), "记-5 100 0/记-5 80 0");
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
    auto& chooser = dynamic_cast<templates::frmSelectStdVoucherAll&>(w);
    for (int row = 0; row < static_cast<int>(chooser.Rows().size()); ++row) {
      if (chooser.Rows()[row].number == "09") chooser.Choose(row);
    }
    return 1;
  });
  ASSERT_TRUE(pair_.LoadStdVoucher());
  EXPECT_EQ(Editors(),
            "记000006 id 0 c0 changed: 5901 其他费用 0.00 2201 应付职工薪酬 0.00\n"
            "记000006 id 0 c0 changed: 7901 其他支出 0.00 8001-03 财政应返还额度 0.00\n");
}

// The financial side's settlement split goes in with the pair, and a line that then changes
// its amount does not keep it.
TEST_F(PairParallelTest, SettlementSplitIsWrittenWithThePairAndNotKeptStale) {
  t_.Data().Execute(
      "Insert Into DARAP (lngDARAPID, strDate, lngAccountID, lngCustomerID, lngDepartmentID, "
      "lngCurrencyID, intDirection, lngOrganizationID, blnInit) Values (900, '2026-01-10', 5002, "
      "3, 0, 1, 1, 5001, 1)");
  t_.Data().Execute(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, lngRowID, strDate, "
      "lngVoucherTypeID, intVoucherNO, strRemark, lngAccountID, lngCustomerID, lngDepartmentID, "
      "lngCurrencyID, intDirection, dblRate, dblAmount, dblCurrAmount, dblCurrPaymentAmount, "
      "lngOrganizationID, strSysDate) Values (900, 900, 1, '2026-01-10', 1, 1, '期初应收', 5002, "
      "3, 0, 1, 1, 1, 100, 100, 0, 5001, '2026-01-01')");
  auto settled = [this] {
    return t_.Scalar("Select dblCurrPaymentAmount From DARAPDetail Where lngDARAPDetailID = 900") +
           " " + t_.Scalar("Select Count(*) From DARAPSettlement") + " " +
           t_.Scalar("Select Count(*) From DARAP Where lngOrganizationID = 5001");
  };
  NewPair();
  Enter(F(), "1011", "1212", "60");
  ASSERT_TRUE(F().SetCell(2, LineField::kUnit, "003"));
  ASSERT_TRUE(F().SetCell(2, LineField::kBusinessDate, F().State().header.date));
  auto settle = [this] {
    t_.Modal().Expect(links::frmDARAP::kWindowName, [](host::ModalWindow& w) {
      auto& window = dynamic_cast<links::frmDARAP&>(w);
      window.Allocate();
      window.Confirm();
      return 1;
    });
    F().SetCurrentRow(2);
    ASSERT_TRUE(F().CurrentAccountSettlement());
  };
  settle();
  t_.Messages().Expect(voucher::texts::kSettlementNotice, mb::kOk);
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(settled(), "60 1 2");

  // Settled again for 60, then the line books 50: neither the held nor the stored split stays.
  settle();
  ASSERT_TRUE(F().SetCell(1, LineField::kDebit, "50"));
  ASSERT_TRUE(F().SetCell(2, LineField::kCredit, "50"));
  ASSERT_TRUE(pair_.SaveBill());
  EXPECT_EQ(settled(), "0 0 1");
}

}  // namespace
}  // namespace lumvoucher::testing
