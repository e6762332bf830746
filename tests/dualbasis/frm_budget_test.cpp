#include "dualbasis/frm_budget.h"

#include "dual_fixture.h"
#include "frame/window_registry.h"

namespace lumvoucher::dualbasis {
namespace {

class BudgetQueryTest : public testing::DualBasisTest {
 protected:
  void SetUp() override {
    // Booked in May (quarter 2), and before the year on the bank (carried by a balance).
    Run("Insert Into AccountDaily (lngAccountID,lngDepartmentID,lngSourceOrganizationID,strDate,"
        "dblUnPostCredit) Values (5008,4,5001,'2026-05-10',500)");
    Run("Insert Into AccountDaily (lngAccountID,lngSourceOrganizationID,strDate,dblUnVoucherDebit,"
        "dblDebit) Values (3,5001,'2025-12-31',1000,7)");
  }
  // Local currency of one period: "budget actual rate".
  std::string Local(int period) const {
    for (const BudgetGridRow& row : window_.State().rows) {
      if (row.period == period) return row.cells[3] + " " + row.cells[4] + " " + row.cells[5];
    }
    return "missing";
  }
  frmBudget window_;
};

TEST_F(BudgetQueryTest, BudgetAgainstActualPerTypeAndScheme) {
  struct Case {
    const char* target;
    long budget;
    bool include_unposted;
    bool approved_only;
    int period;
    const char* expected;
  };
  const Case cases[] = {
      // Credit turnover of 4101's subtree: 85000 + 10000, both unposted.
      {"01", 5001, true, false, 2, "80,000.00 95,000.00 118.75"},
      {"01", 5001, false, false, 2, "80,000.00 0.00 0.00"},
      {"01", 5001, true, false, 12, "80,000.00 0.00 0.00"},
      {"01", 5001, true, true, 12, "0.00 0.00 "},
      // Net credit by quarter: periods 4-6 make quarter 2.
      {"01", 5002, true, false, 1, "240,000.00 95,000.00 39.58"},
      {"01", 5002, true, false, 2, "240,000.00 500.00 0.21"},
      // Debit turnover of 5101-02 for 综合办公室; August's budget is 0.
      {"02", 5003, true, false, 2, "1,000.00 1,200.00 120.00"},
      {"02", 5003, true, false, 8, "0.00 0.00 "},
      {"02", 5004, true, false, 1, "3,000.00 1,200.00 40.00"},
      // The bank (nature 2) takes its non-voucher amounts, posted or not; its first period
      // carries what was booked before the year.
      {"03", 5005, false, false, 1, "100,000.00 1,000.00 1.00"},
      {"03", 5005, false, false, 2, "100,000.00 91,000.00 91.00"},
      {"04", 5006, true, false, 2, "5,000.00 1,200.00 24.00"},
      // A parent department (03 门诊部) takes its subtree.
      {"05", 5007, true, false, 2, "90,000.00 95,000.00 105.56"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.target) + " " + std::to_string(c.budget) + " period " +
                 std::to_string(c.period));
    ASSERT_TRUE(window_.ShowBudget(c.target, ""));
    ASSERT_TRUE(window_.SetBudget(c.budget));
    window_.SetIncludeUnposted(c.include_unposted);
    window_.SetApprovedOnly(c.approved_only);
    ASSERT_TRUE(window_.Query());
    EXPECT_EQ(window_.State().rows.size(), window_.State().quarterly ? 4u : 12u);
    EXPECT_EQ(Local(c.period), c.expected);
  }
}

TEST_F(BudgetQueryTest, ClassAndFlexibleParentsTakeTheirDetailsCustomersTheirId) {
  for (const char* values : {"9001,'F1','段一',0", "9002,'F1-01','段一一',1",
                             "9003,'F1-02','段一二',1", "9004,'F2','段二',1"}) {
    Run(std::string("Insert Into FlexibleFieldDetail (lngFieldID,strFieldCode,strFieldName,"
                    "blnIsDetail) Values (") +
        values + ")");
  }
  for (const char* values : {"'X1',0,9002", "'X2',0,9003", "'X3',0,9004"}) {
    Run(std::string("Insert Into FlexibleCheck Values (") + values + ")");
  }
  Run("Insert Into BudgetTarget Values (9001,'09','专项')");
  Run("Insert Into BudgetTargetDetail (lngBudgetTargetDetailID,lngBudgetTargetID,lngAccountID,"
      "lngClassID1,lngCustomerID,lngFieldID) Values (9001,9001,5014,4,3,9001)");
  Run("Insert Into Budget (lngBudgetID,strBudgetName,bytBudgetType) Values (9001,'专项预算',1)");
  Run("Insert Into BudgetBalance (lngBudgetID,lngBudgetTargetID,intYear,bytPeriod,"
      "lngOrganizationID,dblBudget) Values (9001,9001,2026,3,5001,1000)");
  // Counted: classes 04-01 and 04-02 under field F1; not: field F2, class 01, unit 2.
  for (const char* values :
       {"5,'X1',3,100", "6,'X2',3,200", "5,'X3',3,400", "1,'X1',3,800", "5,'X1',2,1600"}) {
    Run(std::string("Insert Into AccountDaily (lngClassID1,strFlexibleID,lngCustomerID,"
                    "dblUnPostDebit,lngAccountID,lngSourceOrganizationID,strDate) Values (") +
        values + ",5014,5001,'2026-03-05')");
  }
  ASSERT_TRUE(window_.ShowBudget("09", ""));
  EXPECT_EQ(Local(3), "1,000.00 300.00 30.00");
}

TEST_F(BudgetQueryTest, ChoosersRefuseWhatTheyDoNotOffer) {
  ASSERT_TRUE(window_.ShowBudget("01", "事业收入"));
  EXPECT_EQ(window_.State().budgets[1].code, "贷方发生净额");
  for (const char* year : {"", "2026x", "1e3", "0x7EA", "99999999999999999999", "-2026"}) {
    EXPECT_FALSE(window_.SetYear(year)) << year;
  }
  EXPECT_EQ(window_.State().input.year, 2026);
  EXPECT_FALSE(window_.SetBudget(5003));  // another target's
  EXPECT_FALSE(window_.SetOrganization(1));
  EXPECT_FALSE(window_.SetCurrency(99));
  // A year without budgets leaves every cell of the budget empty of rates.
  ASSERT_TRUE(window_.SetYear("2027"));
  ASSERT_TRUE(window_.Query());
  EXPECT_EQ(Local(2), "0.00 0.00 ");
  EXPECT_TRUE(host_.Messages().Shown().empty());
}

}  // namespace
}  // namespace lumvoucher::dualbasis
