#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "frame/window_registry.h"
#include "host/message_box.h"
#include "links/cost_apportionment.h"
#include "links/cost_texts.h"
#include "links/link_fixture.h"

namespace lumvoucher::testing {
namespace {

using links::CostColumn;
using CostIn = links::frmCostApportionIn;
using CostOut = links::frmCostApportionOut;

// The rounding order of the scheme split and the moves of a zero rate.
TEST(SchemeSplit, RoundsInTheRatesOrderAndMovesZeroRates) {
  const struct {
    double total;
    links::SchemeRates rates;
    const char* expected;  // prescribing executing patient
  } cases[] = {{100, {33.33, 33.33, 33.34}, "33.33 33.33 33.34"},
               {10, {33.33, 33.33, 33.34}, "3.33 3.34 3.33"},
               {10, {33.33, 33.34, 33.33}, "3.34 3.33 3.33"},
               {10, {20, 50, 30}, "2.00 5.00 3.00"},
               {100, {40, 0, 60}, "40.00 0.00 60.00"},
               {100, {70, 0, 0}, "70.00 30.00 0.00"},
               {99.99, {10, 60, 30}, "10.00 59.99 30.00"}};
  for (const auto& c : cases) {
    const links::SchemeAmounts a = links::SplitByScheme(c.total, c.rates, 2);
    EXPECT_EQ(voucher::FormatFixed(a.prescribe, 2) + " " + voucher::FormatFixed(a.execute, 2) +
                  " " + voucher::FormatFixed(a.sick, 2),
              c.expected)
        << c.total << " " << c.rates.prescribe << "/" << c.rates.execute << "/" << c.rates.sick;
  }
}

struct CardCase {
  const char* name;
  bool income;
  std::function<void(host::ModalWindow&)> fill;
  std::vector<std::pair<const char*, int>> messages;
  bool confirmed;
};

class CostCards : public LinkTest, public ::testing::WithParamInterface<CardCase> {};

// Expense rows on 6602-01 (account 31, item 201), income rows on 6001 (account 27, 100.00).
TEST_P(CostCards, ConfirmingStopsAtTheFirstFailingRow) {
  const CardCase& c = GetParam();
  for (const auto& [text, answer] : c.messages) t_.Messages().Expect(text, answer);
  bool confirmed = false;
  links::CostSplit rows;
  auto play = [&](host::ModalWindow& w) {
    c.fill(w);
    confirmed = c.income ? dynamic_cast<CostIn&>(w).Confirm() : dynamic_cast<CostOut&>(w).Confirm();
    return 1;
  };
  t_.Modal().Expect(c.income ? CostIn::kWindowName : CostOut::kWindowName, play);
  if (c.income) {
    frame::WindowRegistry::Get<CostIn>().EditCard({0, 27, 100, -1}, nullptr, rows);
  } else {
    frame::WindowRegistry::Get<CostOut>().EditCard({0, 31, 100, 1}, nullptr, rows);
  }
  EXPECT_EQ(confirmed, c.confirmed);
}

void Out(host::ModalWindow& w, const char* item, const char* department, const char* amount) {
  auto& card = dynamic_cast<CostOut&>(w);
  const int row = card.AddRow();
  card.SetCell(row, CostColumn::kItem, item);
  card.SetCell(row, CostColumn::kDepartment, department);
  card.SetCell(row, CostColumn::kAmount, amount);
}

void In(host::ModalWindow& w, const char* item, const char* total,
        std::vector<std::pair<CostColumn, const char*>> cells = {}) {
  auto& card = dynamic_cast<CostIn&>(w);
  const int row = card.AddRow();
  card.SetCell(row, CostColumn::kIncomeType, "01");
  card.SetCell(row, CostColumn::kItem, item);
  card.SetCell(row, CostColumn::kAmount, total);
  card.SetCell(row, CostColumn::kPrescribeDepartment, "03-01");
  card.SetCell(row, CostColumn::kExecuteDepartment, "03-02");
  card.SetCell(row, CostColumn::kSickDepartment, "04");
  for (const auto& [column, text] : cells) card.SetCell(row, column, text);
}

using W = host::ModalWindow;
constexpr int kOk = host::mb::kOk;
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, CostCards,
    ::testing::Values(
        CardCase{"ExpenseParentItem", false, [](W& w) { Out(w, "201", "01", "60"); Out(w, "2", "01", "40"); },
                 {{"第2行的支出项目为非末级支出项目！", kOk}}, false},
        CardCase{"ExpenseParentDepartment", false, [](W& w) { Out(w, "201", "03", "100"); },
                 {{"第1行选的科室为非末级科室！", kOk}}, false},
        CardCase{"ExpenseItemOfAnotherAccount", false, [](W& w) { Out(w, "202", "01", "100"); },
                 {{"第1行的录入的成本科目与收支项目不匹配！是否修改？", host::mb::kNo}}, true},
        CardCase{"ExpenseTotalShort", false, [](W& w) { Out(w, "201", "01", "99.99"); },
                 {{"分摊金额错误，差额为0.01，请检查！", kOk}}, false},
        CardCase{"IncomeBySchemeThenRowSumBroken", true,
                 [](W& w) { In(w, "101", "60"); In(w, "102", "40", {{CostColumn::kSickAmount, "25"}}); },
                 {{"第2行的分摊总金额不等于开单金额、执行金额、病人金额相加之和！", kOk}}, false},
        CardCase{"IncomeWithoutType", true,
                 [](W& w) { In(w, "101", "100"); dynamic_cast<CostIn&>(w).SetCell(1, CostColumn::kIncomeType, ""); },
                 {{"第1行的收入类型不能为空！", kOk}}, false},
        CardCase{"IncomeComplete", true, [](W& w) { In(w, "102", "100"); }, {}, true}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// The income card is closed while income accounting (module 129) runs.
TEST_F(LinkTest, TheIncomeCardIsRefusedWhileIncomeAccountingRuns) {
  t_.Data().Execute(
      "Update MODULE Set bytStatus = 1, intYear = 2026, bytPeriod = 1 Where "
      "lngModuleID = 129");
  t_.Messages().Expect(links::texts::kIncomeModuleOn, host::mb::kOk);
  links::CostSplit rows;
  EXPECT_FALSE(frame::WindowRegistry::Get<CostIn>().EditCard({0, 27, 100, -1}, nullptr, rows));
}

}  // namespace
}  // namespace lumvoucher::testing
