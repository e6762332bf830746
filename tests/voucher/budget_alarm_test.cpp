// The comprehensive-budget check of a voucher being saved. On the dual-basis demo set the
// office target (account 5013, department 1) has a monthly debit budget of 1000 and a
// quarterly net budget of 3000; February already holds 1200 of it (记-000002).
#include "voucher/budget_alarm.h"

#include "voucher/save_fixture.h"
#include "voucher/save_texts.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::testing {
namespace {

namespace texts = voucher::texts;

TEST(ComprehensiveBudget, AVoucherOverrunningABudgetIsRefusedUnlessTheOperatorMayExceedIt) {
  struct Case {
    const char* name;
    int period;
    long department;
    double debit, credit;
    std::string layout;  // one statement before the check, or ""
    std::string refusal;
  } cases[] = {
      {"February, already over", 2, 1, 100, 0, "", texts::kBudgetNoRight},
      {"absolute control", 2, 1, 100, 0,
       "Update Budget Set Blnisconstrain = 1 Where lngBudgetID = 5003", texts::kBudgetConstrained},
      {"the right to exceed", 2, 1, 100, 0,
       "Insert Into OperatorRight (lngOperatorID, lngRightID, lngOrganizationID) Values (5001, "
       "1861, 0)",
       ""},
      {"a credit lowers the measure", 2, 1, 0, 100, "", ""},
      {"another department", 2, 2, 100, 0, "", ""},
      {"March within the month", 3, 1, 1000, 0, "", ""},
      {"March one over", 3, 1, 1000.01, 0, "", texts::kBudgetNoRight},
      {"记-000002 saved again", 2, 1, 1200, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestHost t({5001, 5001, "2026-02-15"}, embedded::DemoSets::kAll);
    if (!c.layout.empty()) t.Exec(c.layout);
    voucher::VoucherHeader header;
    header.year = 2026;
    header.period = c.period;
    if (c.debit == 1200) header.voucher_id = 5005;
    voucher::VoucherLine line;
    line.account_id = 5013;
    line.department_id = c.department;
    line.debit = c.debit;
    line.credit = c.credit;
    EXPECT_EQ(voucher::ComprehensiveBudgetRefusal(header, {&line}), c.refusal);
  }
}

// An outlay budget of 1000 with 300 executed for 办公费用 in 综合办公室, February 2026; the scheme
// reminds at 80%.
TEST(OutlayBudget, EntriesForBudgetsTheVoucherOverrunsOrBringsToTheRate) {
  const std::string over =
      "科室\"综合办公室\"支出项目\"办公费用\"本期支出累计发生额 1100.00￥，本张单据发生额800.00￥，"
      "超出预算编制\"B01\"预算支出 1000.00￥；";
  struct Case {
    const char* name;
    double amount;
    std::vector<std::string> layout;
    std::string entries;
  } cases[] = {
      {"below the rate", 400, {}, ""},
      {"at the rate",
       500,
       {},
       "科室\"综合办公室\"支出项目\"办公费用\"本期支出累计发生额 800.00￥，本张单据发生额500.00￥，"
       "达到预算编制\"B01\"预算报警 80.00%；"},
      {"over", 800, {}, over},
      {"through custom groups",
       800,
       {"Update outlaybudgetblance Set intCustom = 1, lngOutlayID = 9, Intcustomdpt = 1, "
        "lngDepartmentID = 7",
        "Insert Into custombudgetitemitem Values (9, 3)",
        "Insert Into custombudgetdptdetail Values (7, 1)"},
       over},
      {"a year scheme",
       800,
       {"Update budgetscheme Set blnIsPeriod = 0", "Update outlaybudgetblance Set bytPeriod = 0"},
       "科室\"综合办公室\"支出项目\"办公费用\"本年支出累计发生额 "
       "1100.00￥，本张单据发生额800.00￥，"
       "超出预算编制\"B01\"预算支出 1000.00￥；"},
      {"an inactive scheme", 800, {"Update budgetscheme Set blnisinactive = 1"}, ""},
      {"four overruns",
       800,
       {"Insert Into outlaybudgetblance Select lngOutlayBudgetID, bytPeriod, lngOutlayID, "
        "intCustom, lngDepartmentID, Intcustomdpt, dblAmount, dblPayAmount From "
        "outlaybudgetblance, (Select 1 As n From Dual Union All Select 2 From Dual Union All "
        "Select 3 From Dual)"},
       over + "\n" + over + "\n" + over + "\n……"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestHost t;
    t.Exec("Insert Into budgetscheme Values (1, 0, 0, 1, 80, 1)");
    t.Exec("Insert Into outlaybudget Values (1, 1, 'B01', 1, 2026, 1)");
    t.Exec("Insert Into outlaybudgetblance Values (1, 2, 3, -1, 1, -1, 1000, 300)");
    for (const std::string& sql : c.layout) t.Exec(sql);
    voucher::VoucherHeader header;
    header.year = 2026;
    header.period = 2;
    voucher::VoucherLine line;
    line.splits.cost = links::CostSplit{false, {{3, 1, 0, c.amount, ""}}, {}};
    EXPECT_EQ(voucher::OutlayBudgetWarning(header, {&line}), c.entries);
  }
}

// The save asks for the check only while the option and the window's alarm are on.
TEST_F(VoucherSaveTest, TheSaveRunsTheBudgetCheckWhileTheAlarmIsOn) {
  for (const char* sql :
       {"Insert Into BudgetTarget Values (1, '01', '办公费')",
        "Insert Into BudgetTargetDetail (lngBudgetTargetDetailID, lngBudgetTargetID, "
        "lngAccountID) Select 1, 1, lngAccountID From Account Where strAccountCode = '6602-01'",
        "Insert Into Budget (lngBudgetID, strBudgetName, Blnisconstrain) Values (1, '办公费', 1)",
        "Insert Into BudgetBalance (lngBudgetID, lngBudgetTargetID, intYear, bytPeriod, "
        "lngOrganizationID, lngSourceOrganizationID, blnIsApprove, dblBudget) Values (1, 1, 2026, "
        "2, 1, 1, 1, 300)"}) {
    t_.Exec(sql);
  }
  SetSetting(texts::kBudgetAlarmSection, texts::kBudgetAlarmComprehensive, "True");
  EnterOfficeVoucher();
  EXPECT_EQ(w_.BudgetAlarmCaption(), texts::kBudgetAlarmClose);
  t_.Messages().Expect(texts::kBudgetConstrained, host::mb::kOk, texts::kTitleSave);
  EXPECT_FALSE(w_.SaveBill());
  EXPECT_FALSE(w_.ToggleBudgetAlarm());
  EXPECT_EQ(w_.BudgetAlarmCaption(), texts::kBudgetAlarmOpen);
  EXPECT_TRUE(w_.SaveBill());
}

}  // namespace
}  // namespace lumvoucher::testing
