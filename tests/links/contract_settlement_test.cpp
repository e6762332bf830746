#include <gtest/gtest.h>

#include <functional>
#include <iomanip>
#include <sstream>
#include <vector>

#include "frame/window_registry.h"
#include "host/message_box.h"
#include "links/contract_texts.h"
#include "links/link_fixture.h"

namespace lumvoucher::testing {
namespace {

using links::ContractColumn;
using Contract = links::frmContractSettlement;

struct Message {
  const char* text;
  int answer;
};

struct ContractCase {
  const char* name;
  double line_amount;
  int direction;
  const char* strict;  // "合同结算不允许超合同未付款金额"
  std::function<void(Contract&)> fill;
  std::vector<Message> messages;
  bool confirmed;
};

void Row(Contract& c, const char* contract, const char* amount, const char* date = "2026-02-20") {
  const int row = c.AddRow();
  c.SetCell(row, ContractColumn::kDate, date);
  c.SetCell(row, ContractColumn::kContract, contract);
  c.SetCell(row, ContractColumn::kAmount, amount);
}

class ContractRules : public LinkTest, public ::testing::WithParamInterface<ContractCase> {};

// The checks in their order, each stopping the confirmation with its message.
TEST_P(ContractRules, ConfirmingChecksInOrder) {
  const ContractCase& c = GetParam();
  SetSetting("帐套属性", links::texts::kOverrunSetting, c.strict);
  for (const Message& m : c.messages) t_.Messages().Expect(m.text, m.answer, "合同结算");
  bool confirmed = false;
  Script<Contract>([&](Contract& window) {
    c.fill(window);
    confirmed = window.Confirm();
  });
  frame::WindowRegistry::Get<Contract>().ShowMe({0, 0, c.line_amount, c.direction, "2026-02-20"},
                                                nullptr);
  EXPECT_EQ(confirmed, c.confirmed);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ContractRules,
    ::testing::Values(
        ContractCase{"NoProject", 100, 1, "False", [](Contract& c) { c.SetKind(links::kProjectOrder); },
                     {{"工程项目必须输入！", host::mb::kOk}}, false},
        ContractCase{"ParentProject", 100, 1, "False",
                     [](Contract& c) { c.SetKind(links::kProjectOrder); c.SetProject("GC01"); },
                     {{"工程项目必须输入末级项目！", host::mb::kOk}}, false},
        ContractCase{"BadDate", 100, 1, "False", [](Contract& c) { Row(c, "HT-2026-001", "10", "2026-13-01"); },
                     {{"第1行，付款日期无效，请重新设置！", host::mb::kOk}}, false},
        ContractCase{"UnknownAndUnconfirmed", 100, 1, "False",
                     [](Contract& c) { Row(c, "HT-2026-002", "10"); Row(c, "HT-2026-003", "10"); },
                     {{"第2行，合同号无效，请重新录入！", host::mb::kOk}}, false},
        ContractCase{"DuplicateWhileTyping", 100, 1, "False",
                     [](Contract& c) { Row(c, "HT-2026-001", "10"); Row(c, "HT-2026-001", "10"); },
                     {{"您输入的合同号，与第1行的设置相同！", host::mb::kOk}, {"第2行，合同必须录入！", host::mb::kOk}},
                     false},
        ContractCase{"InvoiceWithoutUnit", 100, 1, "False",
                     [](Contract& c) {
                       Row(c, "HT-2026-001", "10");
                       c.SetCell(1, ContractColumn::kUnit, "");
                       c.SetCell(1, ContractColumn::kInvoice, "10");
                     },
                     {{"第1行，发票已到金额不为0时单位应必须录入！", host::mb::kOk}}, false},
        ContractCase{"LettersInTheAmount", 100, 1, "False",
                     [](Contract& c) {
                       Row(c, "HT-2026-001", "10");
                       EXPECT_FALSE(c.SetCell(1, ContractColumn::kAmount, "12a"));
                       EXPECT_FALSE(c.SetCell(1, ContractColumn::kAmount, "1.001"));
                     },
                     {{links::texts::kAmountNotNumber, host::mb::kOk}, {links::texts::kAmountNotNumber, host::mb::kOk}},
                     true},
        ContractCase{"InactiveUnitTyped", 100, 1, "False",
                     [](Contract& c) { Row(c, "HT-2026-001", "10"); c.SetCell(1, ContractColumn::kUnit, "199"); },
                     {{"第1行，单位无效，请重新录入！", host::mb::kOk}}, false},
        ContractCase{"AboveTheLine", 100, 1, "False", [](Contract& c) { Row(c, "HT-2026-001", "100.01"); },
                     {{"第1行，本次付款金额100.01大于凭证分录金额100.00！", host::mb::kOk}}, false},
        ContractCase{"OneCentOverStrict", 8000, 1, "True", [](Contract& c) { Row(c, "HT-2026-001", "7000.01"); },
                     {{"第1行，本次付款金额超过了合同未付款金额", host::mb::kOk}}, false},
        ContractCase{"OneCentOverAsked", 8000, 1, "False", [](Contract& c) { Row(c, "HT-2026-001", "7000.01"); },
                     {{"第1行，本次付款金额超过了合同未付款金额，是否继续？", host::mb::kYes}}, true},
        ContractCase{"ProjectOverrun", 90000, 1, "False",
                     [](Contract& c) {
                       c.SetKind(links::kProjectOrder);
                       c.SetProject("GC01-01");
                       Row(c, "DD-002", "30000");
                       Row(c, "DD-001", "50000.01");
                       c.SetCell(2, ContractColumn::kInvoice, "90000");
                     },
                     {{"第2行，本次付款金额超过了合同未付款金额，和项目未付款金额，是否继续？", host::mb::kNo}}, false},
        ContractCase{"PaymentOnACreditLine", 100, -1, "False", [](Contract& c) { Row(c, "HT-2026-001", "50"); },
                     {{"第1行，本次付款金额只能为负数！", host::mb::kOk}}, false}),
    [](const ::testing::TestParamInfo<ContractCase>& info) { return info.param.name; });
// clang-format on

// Reopening line 9 of the demo (3000 on HT-2026-001) with an earlier row added: by date, codes
// from the list's joins, masked amounts read back, the line's own payment not in paid so far.
TEST_F(LinkTest, ReopeningShowsTheStoredRowsInOrder) {
  t_.Data().Execute(
      "Insert Into ContractBalance (lngVoucherDetailID, lngContractID, lngCustomerID, "
      "dblPaymentAmount, strPayDate, intDataSource) Values (9, 2, 6, -1234.5, '2026-02-01', 2)");
  t_.Data().Execute(
      "Insert Into ProjectInvoice (lngVoucherDetailID, lngOrderID, dblAmount) Values (9, 2, "
      "1234567.5)");
  std::ostringstream shown;
  shown << std::fixed << std::setprecision(2);
  Script<Contract>([&](Contract& window) {
    for (const links::ContractGridRow& r : window.State().rows) {
      shown << r.row.pay_date << ' ' << r.row.codes.contract << ' ' << r.row.codes.unit << ' '
            << r.row.codes.payer << ' ' << r.row.codes.method << ' ' << r.row.amount << ' '
            << r.row.invoice_amount << ' ' << r.paid_so_far << ' ' << r.contract_total << ' '
            << r.row.data_source << '|';
    }
  });
  frame::WindowRegistry::Get<Contract>().ShowMe({9, 0, 3000, 1, "2026-02-12"}, nullptr);
  EXPECT_EQ(shown.str(),
            "2026-02-01 HT-2026-002 103   -1234.50 1234567.50 0.00 50000.00 2|"
            "2026-02-12 HT-2026-001 101 101 03 3000.00 0.00 0.00 10000.00 1|");
}

// 合同累计已付款/合同总金额 of a typed or stored row: other lines' payments of the kind (line 7's
// 500 on order 1 is none of contract 1's), plus an order's initial payment. (Line 9 reopened:
// above.)
TEST_F(LinkTest, ComputedColumnsCountOtherLinesOfTheKind) {
  t_.Data().Execute(
      "Insert Into ContractBalance (lngVoucherDetailID, lngProjectID, lngContractID, "
      "dblPaymentAmount, bytContractType) Values (7, 2, 1, 500, 2)");
  std::ostringstream shown;
  for (const auto& [line, code] :
       std::vector<std::pair<long, std::string>>{{0, "HT-2026-001"}, {0, "DD-001"}, {7, ""}}) {
    Script<Contract>([&shown, code = code](Contract& w) {
      if (code[0] == 'D') w.SetKind(links::kProjectOrder);
      if (code[0] == 'D') w.SetProject("GC01-01");
      if (!code.empty()) w.SetCell(w.AddRow(), ContractColumn::kContract, code);
      shown << w.State().rows.back().paid_so_far << '/' << w.State().rows.back().contract_total
            << ' ';
    });
    frame::WindowRegistry::Get<Contract>().ShowMe({line, 0, 100, 1, "2026-02-20"}, nullptr);
  }
  EXPECT_EQ(shown.str(), "3000/10000 10500/60000 10000/60000 ");
}

}  // namespace
}  // namespace lumvoucher::testing
