// The comprehensive-budget check of a voucher being saved. On the dual-basis demo set the
// office target (account 5013, department 1) has a monthly debit budget of 1000 and a
// quarterly net budget of 3000; February already holds 1200 of it (记-000002).
#include "voucher/budget_alarm.h"

#include <cstdio>
#include <sstream>

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
      // clang-format off
      {"February, already over", 2, 1, 100, 0, "", texts::kBudgetNoRight},
      {"the right to exceed", 2, 1, 100, 0,
       "Insert Into OperatorRight (lngOperatorID, lngRightID, lngOrganizationID) Values (5001, 1861, 0)", ""},
      {"a credit lowers the measure", 2, 1, 0, 100, "", ""},
      {"March within the month", 3, 1, 1000, 0, "", ""},
      {"March one over", 3, 1, 1000.01, 0, "", texts::kBudgetNoRight},
      {"记-000002 saved again", 2, 1, 1200, 0, "", ""},
      // clang-format on
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

// The reminders as the save's validation raises them, on 购买办公用品 (D 6602-01 500, here in
// 内科门诊 with class 会议费 and flexible field A-1). Outlay cases: scheme 1 reminds at 80% by
// period on budget B01 with the rows given; the line's costs go to 办公费用 in the departments
// given. Comprehensive cases: budget 1 (300 in February) is set on a target with the detail
// given.
TEST(BudgetReminders, TheSaveWarnsOrRefusesAsTheBudgetsTheVoucherExecutesSay) {
  auto entry = [](const char* dept, double total, double now, bool over, double limit) {
    char buf[512];
    std::snprintf(
        buf, sizeof buf,
        "科室\"%s\"支出项目\"办公费用\"本期支出累计发生额 %.2f￥，本张单据发生额%.2f￥%s%.2f%s",
        dept, total, now,
        over ? "，超出预算编制\"B01\"预算支出 " : "，达到预算编制\"B01\"预算报警 ", limit,
        over ? "￥；" : "%；");
    return std::string(buf);
  };
  const std::string row =
      "Insert Into outlaybudgetblance Values (1, 2, 3, -1, ";  // dept, amount, paid
  const std::string responsible =
      ";Insert Into budgetdepartment Values (1, 1, 7);Insert Into budgetitem Values (1, 3);"
      "Insert Into outlaydepartment Values (1, 3)";
  const std::string target =
      "Update Setting Set strSetting = 'True' Where strKey = '使用全面预算报警';Insert Into "
      "BudgetTargetDetail (lngBudgetTargetDetailID, lngBudgetTargetID, ";
  struct Case {
    const char* name;
    std::string layout;                          // statements separated by ';'
    std::vector<std::pair<long, double>> costs;  // (department, amount)
    std::string message;
    bool alarm_off = false;
  } cases[] = {
      // clang-format off
      {"the rate reached", row + "1, -1, 1000, 300)", {{1, 500}}, entry("综合办公室", 800, 500, false, 80)},
      {"a parent department covers its children", row + "3, -1, 1000, 600)", {{4, 500}},
       entry("门诊部", 1100, 500, true, 1000)},
      {"custom groups of a parent department",
       "Insert Into outlaybudgetblance Values (1, 2, 9, 1, 8, 1, 1000, 600);Insert Into "
       "custombudgetitemitem Values (9, 3);Insert Into custombudgetdptdetail Values (8, 3)",
       {{5, 500}}, entry("外科门诊", 1100, 500, true, 1000)},
      {"a year scheme",
       "Update budgetscheme Set blnIsPeriod = 0;Insert Into outlaybudgetblance Values (1, 0, 3, -1, 1, -1, 1000, 600)",
       {{1, 500}},
       "科室\"综合办公室\"支出项目\"办公费用\"本年支出累计发生额 1100.00￥，本张单据发生额500.00￥，"
       "超出预算编制\"B01\"预算支出 1000.00￥；"},
      {"a responsible department executes what its departments spend", row + "7, -1, 1000, 300)" + responsible,
       {{4, 300}, {5, 200}}, entry("信息中心", 800, 500, false, 80)},
      {"a responsible scheme ignores other spenders and their own rows",
       row + "7, -1, 1000, 300);" + row + "1, -1, 1000, 900)" + responsible, {{1, 500}}, ""},
      {"three of a kind, then ……",
       row + "1, -1, 90, 0);" + row + "2, -1, 90, 0);" + row + "4, -1, 200, 60);" + row + "6, -1, 90, 0);" + row +
           "7, -1, 90, 0)",
       {{1, 100}, {2, 100}, {4, 100}, {6, 100}, {7, 100}},
       entry("综合办公室", 100, 100, true, 90) + "\n" + entry("财务部", 100, 100, true, 90) + "\n" +
           entry("住院部", 100, 100, true, 90) + "\n……\n" + entry("内科门诊", 160, 100, false, 80)},
      {"a target on a parent department", target + "lngDepartmentID) Values (1, 1, 3)", {}, texts::kBudgetNoRight},
      {"the alarm switched off", target + "lngDepartmentID) Values (1, 1, 3)", {}, "", true},
      {"a target on another department", target + "lngDepartmentID) Values (1, 1, 2)", {}, ""},
      {"a target on a parent class",
       target + "lngClassID1) Values (1, 1, 4);Update Account Set blnIsClass1 = 1 Where lngAccountID = 31", {},
       texts::kBudgetNoRight},
      {"a target on a parent flexible field", target + "lngFieldID) Values (1, 1, 20);Update Budget Set Blnisconstrain = 1",
       {}, texts::kBudgetConstrained},
      {"a target on another flexible field", target + "lngFieldID) Values (1, 1, 23)", {}, ""},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VoucherSession s;
    std::stringstream sql(
        "Delete From budgetscheme;Insert Into budgetscheme Values (1, 0, 0, 1, 80, 1);Insert Into "
        "outlaybudget Values (1, 1, 'B01', 1, 2026, 1);Insert Into FlexibleFieldDetail "
        "(lngFieldID, strFieldCode, strFieldName, blnIsDetail) Select 20, 'A', '甲', 0 From Dual "
        "Union All Select 21, 'A-1', '甲一', 1 From Dual Union All Select 23, 'B', '乙', 1 From "
        "Dual;Insert Into FlexibleCheck (strFlexibleID, lngFieldID) Values ('F21', 21);Insert "
        "Into Budget (lngBudgetID, strBudgetName) Values (1, '办公费');Insert Into BudgetBalance "
        "(lngBudgetID, lngBudgetTargetID, intYear, bytPeriod, lngOrganizationID, "
        "lngSourceOrganizationID, dblBudget) Values (1, 1, 2026, 2, 1, 1, 300);" +
        c.layout);
    for (std::string statement; std::getline(sql, statement, ';');) s.t_.Exec(statement);
    s.EnterOfficeVoucher();
    voucher::VoucherLine& line = s.L(1);
    line.department_id = 4;
    line.class1_id = 5;
    line.flexible_id = "F21";
    if (!c.costs.empty()) line.splits.cost = links::CostSplit{};
    for (const auto& [dept, amount] : c.costs)
      line.splits.cost->costs.push_back({3, dept, 0, amount, ""});
    if (c.alarm_off) {
      EXPECT_EQ(s.w_.BudgetAlarmCaption(), texts::kBudgetAlarmClose);
      EXPECT_FALSE(s.w_.ToggleBudgetAlarm());
      EXPECT_EQ(s.w_.BudgetAlarmCaption(), texts::kBudgetAlarmOpen);
    }
    if (!c.message.empty()) s.t_.Messages().Expect(c.message, host::mb::kOk, texts::kTitleSave);
    EXPECT_EQ(s.w_.SaveBill(),
              c.message != texts::kBudgetNoRight && c.message != texts::kBudgetConstrained);
  }
}

}  // namespace
}  // namespace lumvoucher::testing
