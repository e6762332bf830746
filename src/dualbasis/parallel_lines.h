#pragma once

#include <string>
#include <vector>

// The voucher lines the parallel-accounting rules read and write. The pair window hands its
// financial grid over as FinanceLine rows and takes BudgetLine rows back into the budget grid,
// so the rules never depend on the window.
namespace lumvoucher::dualbasis {

inline constexpr int kDebitSide = 1;
inline constexpr int kCreditSide = -1;

struct FinanceLine {
  long account_id = 0;
  std::string account_code;
  std::string remark;
  double debit = 0;
  double credit = 0;
  double currency_amount = 0;
  long currency_id = 0;
  long unit_id = 0;
  long department_id = 0;
  long employee_id = 0;
  long class1_id = 0;
  long class2_id = 0;

  // A line is a debit line unless its credit amount is non-zero.
  int Side() const { return credit == 0 ? kDebitSide : kCreditSide; }
  double Amount() const { return Side() == kDebitSide ? debit : credit; }
  bool HasAmount() const { return debit != 0 || credit != 0; }
};

// The properties the budget editor takes from the budget account (BudgetAccountEx over
// BudgetAccount for the organisation): which auxiliary items the line asks for.
struct BudgetAccountFlags {
  bool found = false;  // false: the account is gone from the chart
  bool customer = false;
  bool department = false;
  bool employee = false;
  bool class1 = false;
  bool class2 = false;
  bool flexible = false;
  bool flexible_item_use = false;  // FlexibleAccountUseField
  bool flexible_field_use = false;
};

// Why a generated amount is what it is, shown beside the budget line until it is edited.
struct LineOrigin {
  std::string template_code;
  std::string template_name;
  // One text per contribution: "+ 借 2201 30000.00", "- 贷 2302 100.00", "平衡行", ...
  std::vector<std::string> parts;
};

struct BudgetLine {
  std::string remark;
  long account_id = 0;
  std::string account_code;
  std::string account_name;
  int direction = kDebitSide;
  double debit = 0;
  double credit = 0;
  double currency_amount = 0;
  long currency_id = 0;
  long unit_id = 0;
  long department_id = 0;
  long employee_id = 0;
  long class1_id = 0;
  long class2_id = 0;
  BudgetAccountFlags flags;
  LineOrigin origin;

  double Amount() const { return direction == kDebitSide ? debit : credit; }
  void SetAmount(double amount);
};

// "借 2201 30000.00 / 贷 1011 30000.00" style dump for messages, logs and tests.
std::string DescribeLines(const std::vector<BudgetLine>& lines, int decimals);
// The origin as one text ("P001 发放工资: + 借 2201 30000.00"), for a tooltip.
std::string DescribeOrigin(const LineOrigin& origin);

}  // namespace lumvoucher::dualbasis
