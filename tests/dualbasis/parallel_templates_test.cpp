#include "dualbasis/parallel_templates.h"

#include <string>
#include <vector>

#include "dualbasis/frm_select_std_voucher_tmp.h"
#include "dualbasis/parallel_derivation.h"
#include "dualbasis/parallel_fixture.h"
#include "dualbasis/parallel_texts.h"
#include "host/message_box.h"

namespace lumvoucher::testing {
namespace {

namespace texts = dualbasis::texts;
using dualbasis::BudgetLine;
using dualbasis::FinanceLine;

class ParallelTemplatesTest : public ParallelTest {
 protected:
  static std::string Ids(const std::vector<long>& ids) {
    std::string out;
    for (long id : ids) out += (out.empty() ? "" : ",") + std::to_string(id);
    return out;
  }
  // The budget dump with each line's origin and the department flag it took from its account.
  static std::string Dump(const std::vector<BudgetLine>& lines) {
    std::string out = dualbasis::DescribeLines(lines, 2);
    for (const BudgetLine& line : lines) {
      out += "\n" + line.account_code + (line.flags.department ? " [部门] " : " ") +
             dualbasis::DescribeOrigin(line.origin);
    }
    return out;
  }
};

TEST_F(ParallelTemplatesTest, ExactBeforeSupersetOverParentAndDetailRows) {
  struct Case {
    const char* lines;
    const char* exact;
    const char* superset;
  } cases[] = {
      {"D 2201 1|C 1011 1", "5001", "5002"},  // P006, the same as P001, is inactive
      {"D 2201 1|C 1011 1|C 2302 1", "5002", ""},
      {"D 2201 1", "", "5001,5002"},
      {"D 1002-01 1|C 4101-01 1", "5003", ""},  // parent rows cover the voucher's codes
      {"D 1002-01 1|C 4101-02 1|C 4101-01 1", "5003", ""},
      {"D 1002-01 1", "", "5003"},
      {"D 1002-01 1|D 1212 1|C 4101-01 1", "", ""},
      {"D 5101-01 1|D 5101-02 1|C 1011 1", "5004", ""},
      {"D 1011 1|C 2201 1", "", ""},  // sides matter
  };
  for (const Case& c : cases) {
    const auto match = dualbasis::MatchTemplates(dualbasis::VoucherKeys(Lines(c.lines)));
    EXPECT_EQ(Ids(match.exact), c.exact) << c.lines;
    EXPECT_EQ(Ids(match.superset), c.superset) << c.lines;
  }
}

TEST_F(ParallelTemplatesTest, AmountsBalanceAndFundLinesAsTheTemplatesSay) {
  struct Case {
    long template_id;
    const char* lines;
    const char* expected;
  } cases[] = {
      {5002, "D 2201 30000|C 1011 28000|C 2302 2000",
       "借 7201-01 28000.00 / 贷 8001-01 28000.00\n"
       "7201-01 [部门] P002 发放工资（含代扣）: + 借 2201 30000.00 - 贷 2302 2000.00\n"
       "8001-01 P002 发放工资（含代扣）: 资金结存取自现金类科目 + 1011 28000.00"},
      {5004, "D 5101-01 100|D 5101-02 50.5|C 1011 150.5",
       "借 7201-01 100.00 / 借 7201-02 50.50 / 贷 8001-01 150.50\n"
       "7201-01 [部门] P004 零余额支付管理费用: + 借 5101-01 100.00\n"
       "7201-02 P004 零余额支付管理费用: 平衡行\n"
       "8001-01 P004 零余额支付管理费用: 资金结存取自现金类科目 + 1011 150.50"},
      // The fund balance overrides the balance the line got first; the account set's own
      // department flag on 6101-01 comes from BudgetAccountEx.
      {5003, "D 1002-01 80000|D 1212 5000|C 4101-01 85000",
       "借 8001-02 80000.00 / 贷 6101-01 85000.00\n"
       "8001-02 P003 收到医疗收入: 资金结存取自现金类科目 + 1002-01 80000.00\n"
       "6101-01 [部门] P003 收到医疗收入: + 贷 4101-01 85000.00"},
      {5003, "D 1212 85000|C 4101-01 85000",
       "借 8001-02 85000.00 / 贷 6101-01 85000.00\n"
       "8001-02 P003 收到医疗收入: 平衡行\n"
       "6101-01 [部门] P003 收到医疗收入: + 贷 4101-01 85000.00"},
      {5005, "D 5901 20|C 1001 20",
       "借 7901 20.00 / 贷 8001-02 20.00\n"
       "7901 P005 现金支付其他费用: + 借 5901 20.00\n"
       "8001-02 P005 现金支付其他费用: 资金结存取自现金类科目 + 1001 20.00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Dump(dualbasis::GenerateBudgetLines(c.template_id, Lines(c.lines))), c.expected);
  }
}

TEST_F(ParallelTemplatesTest, ApplyChoosesAmongTwoExactOrLeavesTheGridAlone) {
  auto salaries = Lines("D 2201 30000|C 1011 30000");
  auto one = dualbasis::ApplyTemplate(salaries);
  ASSERT_TRUE(one);
  EXPECT_EQ((*one)[0].remark, "发放工资");

  t_.Data().Execute("Update StdVoucherTmp Set blnIsInActive = 0 Where lngStdVoucherTmpID = 5006");
  std::string listed;
  t_.Modal().Expect(texts::kChooserWindowName, [&](host::ModalWindow& w) {
    auto& chooser = dynamic_cast<dualbasis::frmSelectStdVoucherTmp&>(w);
    for (const auto& row : chooser.Rows()) listed += row.code + " " + row.source + "|";
    chooser.Choose(1);
    return 1;
  });
  auto chosen = dualbasis::ApplyTemplate(salaries);
  EXPECT_EQ(listed, "P001 手工增加|P006 手工增加|");
  ASSERT_TRUE(chosen);
  EXPECT_EQ(DescribeOrigin((*chosen)[0].origin), "P006 发放工资（停用）: + 借 2201 30000.00");

  t_.Modal().Expect(texts::kChooserWindowName, [](host::ModalWindow& w) {
    dynamic_cast<dualbasis::frmSelectStdVoucherTmp&>(w).Cancel();
    return 0;
  });
  EXPECT_FALSE(dualbasis::ApplyTemplate(salaries));
  EXPECT_FALSE(dualbasis::ApplyTemplate(Lines("D 1011 1|C 2201 1")));

  // A template whose budget account is gone from the chart is refused, not half applied.
  t_.Data().Execute("Delete From BudgetAccount Where lngAccountID = 6009");
  t_.Messages().Expect(std::string(texts::kTemplateAccountGone) + "P005”");
  EXPECT_FALSE(dualbasis::ApplyTemplate(Lines("D 5901 20|C 1001 20")));
}

TEST_F(ParallelTemplatesTest, DerivationTakesTheHostsBudgetAccountPerLine) {
  auto lines = Lines("D 5101-02 300|D 5101-01 200|C 1011 500");
  lines[0].class2_id = 3;  // project 02-01 under the proposal's project 02
  lines[0].department_id = 7;
  auto derived = dualbasis::CreateBudgetVoucher(lines);
  ASSERT_TRUE(derived);
  EXPECT_EQ(dualbasis::DescribeLines(*derived, 2),
            "借 7201-02 300.00 / 借 7201-01 200.00 / 贷 8001-01 500.00");
  EXPECT_EQ((*derived)[0].class2_id, 3);      // 7201-02 keeps projects
  EXPECT_EQ((*derived)[0].department_id, 0);  // but no departments

  std::string stamp = dualbasis::DerivationStamp(lines);
  auto kept = dualbasis::BudgetLinesForSave(lines, {}, stamp);
  ASSERT_TRUE(kept);
  EXPECT_TRUE(kept->empty());  // unchanged financial lines keep the budget lines as they are
  lines[1].debit = 100;
  lines[2].credit = 400;
  auto again = dualbasis::BudgetLinesForSave(lines, {}, stamp);
  ASSERT_TRUE(again);
  EXPECT_EQ(dualbasis::DescribeLines(*again, 2),
            "借 7201-02 300.00 / 借 7201-01 100.00 / 贷 8001-01 400.00");
  EXPECT_EQ(stamp, dualbasis::DerivationStamp(lines));
}

}  // namespace
}  // namespace lumvoucher::testing
