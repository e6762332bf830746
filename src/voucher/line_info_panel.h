#pragma once

#include <string>

#include "host/voucher_basis.h"
#include "voucher/voucher_model.h"

// The text of the information panel under the grid for the current line.
//
// The balance shown after the pieces is the account's movement of the login year up to the
// login date in the vouchers of the current organisation that are neither void nor in error,
// posted or not, over the account and its sub-accounts (debit minus credit). The line being
// edited counts as it is stored, not as it is typed. With the balance-display options on, the
// balance is narrowed to the line's unit, department, employee and class items.
namespace lumvoucher::voucher {

// "凭证余额显示控制": which of the line's items narrow the balance.
struct BalanceOptions {
  bool unit = true;
  bool department = true;
  bool employee = true;
  bool class1 = true;
  bool class2 = true;
  bool smart = false;  // "智能核算控制"
};

struct PanelContext {
  std::string class1_name = "统计";
  std::string class2_name = "项目";
  bool show_balance = false;  // "凭证是否显示科目余额" reads "TRUE"
  BalanceOptions balance;
  // The chart of the line's account and the vouchers the balance is read from.
  const host::VoucherBasis* basis = &host::FinancialBasis();
};

// The SQL of the balance of the line's account (one row, dblDebit and dblCredit).
std::string BalanceSql(const std::string& account_code, const VoucherLine& line,
                       const BalanceOptions& options,
                       const host::VoucherBasis& basis = host::FinancialBasis());

// The panel text: each piece the line has, preceded by two blanks, then the balance.
std::string LineInfoText(const VoucherLine& line, const PanelContext& context);

}  // namespace lumvoucher::voucher
