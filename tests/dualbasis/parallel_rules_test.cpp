#include "dualbasis/parallel_rules.h"

#include <string>
#include <vector>

#include "dualbasis/parallel_fixture.h"
#include "dualbasis/parallel_texts.h"
#include "host/message_box.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
namespace texts = dualbasis::texts;
using dualbasis::FinanceLine;

using ParallelRulesTest = ParallelTest;

TEST_F(ParallelRulesTest, RulesMatchOneDebitAndOneCreditAccountOfARule) {
  struct Case {
    const char* lines;
    bool prohibit, must, must_account;
  } cases[] = {
      {"D 5101-01 100|D 5101-01 5|C 1011 105|D 1011 0", false, true, false},  // rule on 5101
      {"D 1011 100|C 5101-01 100", false, false, false},                      // sides reversed
      {"D 5101-02 80|C 2302 80", true, false, false},
      {"D 5101-02 80|D 5901 20", false, false, false},   // debit side alone
      {"D 5901 20|C 1001 20", false, true, false},       // second debit account of a rule
      {"D 1002-01 500|C 1001 500", true, false, false},  // prohibit rule on the parent 1002
      {"D 1002-01 500|C 4101-01 500", false, false, true},
      {"D 1002-01 500|C 4101-02 500", false, false, false},  // the flag is not inherited
      {"D 1001 9|C 4609 9", false, false, true},
      {"D 5101-01 70|C 1011 50|C 2302 20", true, true, false},
  };
  for (const Case& c : cases) {
    const auto cond = dualbasis::GetFinaceAccountCond(Lines(c.lines));
    EXPECT_EQ(dualbasis::CheckProhibitRule(cond), c.prohibit) << c.lines;
    EXPECT_EQ(dualbasis::CheckMustPosRule(cond), c.must) << c.lines;
    EXPECT_EQ(dualbasis::CheckMustAccount(cond), c.must_account) << c.lines;
  }
}

TEST_F(ParallelRulesTest, ManyCodesGoInChunksOf900) {
  std::vector<FinanceLine> lines;
  for (int i = 0; i < 900; ++i) {
    FinanceLine line;
    line.account_code = "X" + std::to_string(i);
    line.debit = 1;
    lines.push_back(line);
  }
  lines.push_back(Line("4101-01", 'D', 1));
  t_.Data().Record(true);
  EXPECT_TRUE(dualbasis::CheckMustAccount(dualbasis::GetFinaceAccountCond(lines)));
  ASSERT_EQ(t_.Data().Recorded().size(), 1u);
  const std::string& sql = t_.Data().Recorded()[0];
  EXPECT_NE(sql.find("'X899') Or a.strAccountCode IN ('4101-01'))"), std::string::npos) << sql;
}

TEST_F(ParallelRulesTest, ObligationQuestionsFollowTheBudgetSide) {
  struct Case {
    const char* lines;
    bool budget_has_lines, asks;
    const char* question;  // nullptr: none
    int answer;
    bool goes_on;
  } cases[] = {
      {"D 5101-02 80|C 2302 80", true, true, texts::kProhibitSaveQuestion, mb::kNo, false},
      {"D 5101-02 80|C 2302 80", true, true, texts::kProhibitSaveQuestion, mb::kYes, true},
      {"D 5101-02 80|C 2302 80", false, true, nullptr, 0, true},
      {"D 5101-01 80|C 1011 80", true, true, nullptr, 0, true},
      {"D 5101-01 80|C 1011 80", false, true, texts::kMustRuleQuestion, mb::kYes, false},
      {"D 5101-01 80|C 1011 80", false, true, texts::kMustRuleQuestion, mb::kNo, true},
      {"D 5101-01 80|C 1011 80", false, false, nullptr, 0, true},
      {"D 1001 9|C 4609 9", false, true, texts::kMustAccountQuestion, mb::kYes, false},
      {"D 1001 9|C 4609 9", false, true, texts::kMustAccountQuestion, mb::kNo, true},
  };
  for (const Case& c : cases) {
    if (c.question) t_.Messages().Expect(c.question, c.answer, texts::kTitleImportant);
    EXPECT_EQ(dualbasis::ConfirmFinanceObligations(Lines(c.lines), c.budget_has_lines, c.asks),
              c.goes_on)
        << c.lines;
    EXPECT_EQ(t_.Messages().Pending(), 0u) << c.lines;
  }
  for (const auto& shown : t_.Messages().Shown()) EXPECT_EQ(shown.flags, 8212 + mb::kRedText);

  t_.Messages().Expect(texts::kProhibitCreate, mb::kOk, texts::kTitleFill);
  EXPECT_FALSE(dualbasis::MayCreateBudgetVoucher(Lines("D 1002-01 5|C 1001 5")));
  EXPECT_TRUE(dualbasis::MayCreateBudgetVoucher(Lines("D 1002-01 5|C 4101-01 5")));
}

}  // namespace
}  // namespace lumvoucher::testing
