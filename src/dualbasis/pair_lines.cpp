#include "dualbasis/pair_lines.h"

#include "frame/login_state.h"
#include "host/cls_account.h"
#include "host/voucher_basis.h"

namespace lumvoucher::dualbasis {

namespace {

// "code name" -> code: codes hold no blank.
std::string CodeOf(const std::string& account_text) {
  return account_text.substr(0, account_text.find(' '));
}

}  // namespace

std::vector<FinanceLine> FinanceLinesOf(const std::vector<voucher::VoucherLine>& grid) {
  std::vector<FinanceLine> out;
  for (const voucher::VoucherLine& l : grid) {
    if (l.account_id == 0) continue;
    FinanceLine f;
    f.account_id = l.account_id;
    f.account_code = CodeOf(l.account_text);
    f.remark = l.remark;
    f.debit = l.direction == voucher::kCredit ? 0 : l.debit;
    f.credit = l.direction == voucher::kCredit ? l.credit : 0;
    f.currency_amount = l.currency_amount;
    f.currency_id = l.currency_id;
    f.unit_id = l.unit_id;
    f.department_id = l.department_id;
    f.employee_id = l.employee_id;
    f.class1_id = l.class1_id;
    f.class2_id = l.class2_id;
    out.push_back(std::move(f));
  }
  return out;
}

std::vector<BudgetLine> BudgetLinesOf(const std::vector<voucher::VoucherLine>& grid) {
  std::vector<BudgetLine> out;
  for (const voucher::VoucherLine& l : grid) {
    if (l.account_id == 0) continue;
    BudgetLine b;
    b.remark = l.remark;
    b.account_id = l.account_id;
    b.account_code = CodeOf(l.account_text);
    b.direction = l.direction == voucher::kCredit ? kCreditSide : kDebitSide;
    b.SetAmount(l.Amount());
    b.currency_amount = l.currency_amount;
    b.currency_id = l.currency_id;
    b.unit_id = l.unit_id;
    b.department_id = l.department_id;
    b.employee_id = l.employee_id;
    b.class1_id = l.class1_id;
    b.class2_id = l.class2_id;
    out.push_back(std::move(b));
  }
  return out;
}

voucher::VoucherLine GridLineOf(const BudgetLine& b) {
  host::clsAccount& chart = frame::Chart(host::BudgetBasis());
  voucher::VoucherLine l;
  l.remark = b.remark;
  l.account_id = b.account_id;
  l.account_text = b.account_code + " " + b.account_name;
  if (b.account_name.empty()) {
    if (auto account = chart.AccountById(b.account_id)) {
      l.account_text = account->code + " " + account->name;
    }
  }
  l.SetAmount(b.direction == kCreditSide ? voucher::kCredit : voucher::kDebit, b.Amount());
  l.currency_amount = b.currency_amount;
  auto fill = [&chart](int kind, long id, long& to, std::string& text) {
    if (id == 0) return;
    if (auto item = chart.ItemById(kind, id)) {
      to = id;
      text = kind == host::item_kind::kCurrency ? item->name : item->code + " " + item->name;
    }
  };
  fill(host::item_kind::kCurrency, b.currency_id, l.currency_id, l.currency_name);
  if (l.currency_id != 0) {
    l.rate = b.currency_amount != 0 ? b.Amount() / b.currency_amount : 1;
  } else {
    l.currency_amount = 0;
  }
  fill(host::item_kind::kUnit, b.unit_id, l.unit_id, l.unit_text);
  fill(host::item_kind::kDepartment, b.department_id, l.department_id, l.department_text);
  fill(host::item_kind::kEmployee, b.employee_id, l.employee_id, l.employee_text);
  fill(host::item_kind::kClass1, b.class1_id, l.class1_id, l.class1_text);
  fill(host::item_kind::kClass2, b.class2_id, l.class2_id, l.class2_text);
  return l;
}

}  // namespace lumvoucher::dualbasis
