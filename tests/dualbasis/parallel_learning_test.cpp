#include "dualbasis/parallel_learning.h"

#include <string>
#include <vector>

#include "dualbasis/frm_double_rule.h"
#include "dualbasis/parallel_fixture.h"
#include "dualbasis/parallel_template_list.h"
#include "dualbasis/parallel_texts.h"
#include "frame/work_tables.h"
#include "host/database_error.h"
#include "host/message_box.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
namespace texts = dualbasis::texts;
using dualbasis::BudgetLine;
using dualbasis::FinanceLine;

class ParallelLearningTest : public ParallelTest {
 protected:
  BudgetLine Budget(const std::string& code, int side, double amount) {
    BudgetLine line;
    line.account_code = code;
    line.account_id = std::stol(
        Scalar("Select lngAccountID From BudgetAccount Where strAccountCode = '" + code + "'"));
    line.direction = side;
    line.SetAmount(amount);
    line.remark = "发放工资";
    return line;
  }
  // "code name source [remark]: F rows | B rows" of the templates with ids from 10000 on.
  std::string Templates() {
    std::string out;
    host::Recordset rs = t_.Data().OpenRecordset(
        "Select lngStdVoucherTmpID, strStdVoucherTmpCode, strStdVoucherTmpName, lngDataSourceID, "
        "strBudgetRemark From StdVoucherTmp Where lngStdVoucherTmpID >= 10000 Order By 1");
    for (; !rs.Eof(); rs.MoveNext()) {
      out += rs[1].AsText() + " " + rs[2].AsText() + " " + rs[3].AsText() + " [" + rs[4].AsText() +
             "]: " + Rows("StdVoucherFinance", "Account", rs[std::size_t{0}].AsText()) + " | " +
             Rows("StdVoucherBudget", "BudgetAccount", rs[std::size_t{0}].AsText()) + "\n";
    }
    return out;
  }
  std::string Rows(const std::string& table, const std::string& chart, const std::string& id) {
    std::string out;
    host::Recordset rs = t_.Data().OpenRecordset(
        "Select a.strAccountCode, s.intDirection From " + table + " s, " + chart +
        " a Where s.lngAccountID = a.lngAccountID And s.lngStdVoucherTmpID = " + id +
        " Order By s.lngRowID");
    for (; !rs.Eof(); rs.MoveNext()) {
      out += (out.empty() ? "" : ",") + rs[std::size_t{0}].AsText() + " " + rs[1].AsText();
    }
    return out;
  }
  std::string Counts() {
    frame::EnsureStdFinaceTmp();
    std::string out;
    for (const char* table : {"StdVoucherTmp", "StdVoucherFinance", "StdVoucherBudget",
                              "StdFinaceTmp", "stdVoucherTmpNum"}) {
      out += (out.empty() ? "" : "/") + Scalar(std::string("Select Count(*) From ") + table);
    }
    return out;
  }
  void Dialog(const std::string& code, const std::string& name) {
    t_.Modal().Expect(texts::kDoubleRuleWindowName, [=](host::ModalWindow& w) {
      auto& dialog = dynamic_cast<dualbasis::frmDoubleRule&>(w);
      dialog.SetCode(code);
      dialog.SetName(name);
      return dialog.Ok() ? 1 : 0;
    });
  }
  std::vector<FinanceLine> salaries_ = {Line("2201", 'D', 30000), Line("1011", 'C', 30000)};
  std::vector<BudgetLine> budget_ = {Budget("7201-01", 1, 30000), Budget("8001-01", -1, 30000)};
};

TEST_F(ParallelLearningTest, DoubleRuleChecksInOrder) {
  struct Case {
    std::string code, name;
    const char* refusal;
  } cases[] = {
      {"  ", "n", texts::kCodeEmpty},
      {std::string(81, 'A'), "n", texts::kCodeTooLong},
      {"预算规则预算规则预算规则预算规则预算规则预算规则预算规则预算规则预算规则预算规则预", "n",
       texts::kCodeTooLong},  // 41 wide characters count 82
      {"A B", "n", texts::kCodeSpecial},
      {"A-B_%(1)", " ", texts::kNameEmpty},
      {"A-B_%(1)", std::string(81, 'n'), texts::kNameTooLong},
      {"A-B_%(1)", "O'Neil", texts::kNameSpecial},
      {"P001", "发放工资", texts::kCodeExists},
      {" NEW-1 ", "新模板[一]", nullptr},
  };
  for (const Case& c : cases) {
    dualbasis::frmDoubleRule dialog;
    dialog.SetCode(c.code);
    dialog.SetName(c.name);
    if (c.refusal) t_.Messages().Expect(c.refusal, mb::kOk, texts::kTitleInformation);
    EXPECT_EQ(dialog.Ok(), c.refusal == nullptr) << c.code << " / " << c.name;
  }
  int special = 0;
  for (char ch : std::string("`~!@#$^&*=+' \";:,./?|\\")) {
    special += dualbasis::HasSpecialCharacter(std::string("A") + ch);
  }
  EXPECT_EQ(special, 22);
  EXPECT_FALSE(dualbasis::HasSpecialCharacter("A-B_%()[]{}<>"));
}

TEST_F(ParallelLearningTest, TemplateFromThePairIsWrittenOnceAndWhole) {
  auto finance = std::vector<FinanceLine>{Line("5101-01", 'D', 70), Line("5101-02", 'D', 30),
                                          Line("5101-01", 'D', 5), Line("1001", 'C', 105)};
  auto budget = std::vector<BudgetLine>{Budget("7201-01", 1, 105), Budget("8001-02", -1, 105)};
  Dialog(" T-01 ", "现金付费用");
  EXPECT_GT(dualbasis::CreateTemplateFromPair(finance, budget), 0);
  EXPECT_EQ(Templates(),
            "T-01 现金付费用 1 [发放工资]: 5101-01 1,5101-02 1,1001 -1 | "
            "7201-01 1,8001-02 -1\n");
  Dialog("T-02", "again");
  EXPECT_EQ(dualbasis::CreateTemplateFromPair(finance, budget), 0);  // one already fits

  budget.pop_back();
  Dialog("T-03", "单边");
  t_.Messages().Expect(texts::kBudgetCreditEmpty);
  EXPECT_EQ(dualbasis::CreateTemplateFromPair(finance, budget), 0);

  const std::string before = Counts();
  const auto keys = dualbasis::FinanceKeys(salaries_);
  const auto budget_keys = dualbasis::BudgetKeys(budget_);
  for (int n = 1;; ++n) {
    t_.Data().FailAtStatement(n);
    try {
      dualbasis::WriteTemplate("F" + std::to_string(n), "故障", 1, "", keys, budget_keys);
      t_.Data().NeverFail();
      EXPECT_GT(n, 5);
      break;
    } catch (const host::DatabaseError&) {
      EXPECT_EQ(Counts(), before) << "statement " << n;
    }
  }
}

TEST_F(ParallelLearningTest, LearningAsksAfterRepeatedPairsAndNumbersItsCodes) {
  t_.Data().Execute("Delete From StdVoucherFinance Where lngStdVoucherTmpID In (5001, 5006)");
  const std::string before = Counts();
  // Every failing statement leaves no template, counter or scratch row behind.
  t_.Messages().AnswerAll(mb::kYes);
  for (int n = 1; n < 40; ++n) {
    t_.Data().FailAtStatement(n);
    const long id = dualbasis::LearnTemplate(99999, salaries_, budget_);
    t_.Data().NeverFail();
    if (id != 0) break;
    EXPECT_EQ(Counts(), before) << "statement " << n;
  }
  EXPECT_EQ(Templates(), "XX000001 发放工资 2 [发放工资]: 2201 1,1011 -1 | 7201-01 1,8001-01 -1\n");
  bool asked = false;
  for (const auto& shown : t_.Messages().Shown()) {
    asked |= shown.text == "本凭证已出现　2 次，是否学习并保存模板" && shown.title == "模板学习";
  }
  EXPECT_TRUE(asked);
  EXPECT_EQ(Scalar("Select Count(*) From StdFinaceTmp"), "0");
  // Learned already: no question.
  EXPECT_EQ(dualbasis::LearnTemplate(99999, salaries_, budget_), 0);

  t_.Data().Execute("Delete From StdVoucherFinance Where lngStdVoucherTmpID >= 10000");
  t_.Data().Execute(
      "Update StdVoucherTmp Set strStdVoucherTmpCode = 'XX000002' Where "
      "lngStdVoucherTmpID >= 10000");
  t_.Messages().Clear();
  t_.Messages().Expect("本凭证已出现　2 次，是否学习并保存模板", mb::kYes);
  t_.Messages().Expect("平行记帐模板规则编码“XX000002”已经存在，自动学习失败");
  EXPECT_EQ(dualbasis::LearnTemplate(99999, salaries_, budget_), 0);
}

}  // namespace
}  // namespace lumvoucher::testing
