#include "dualbasis/parallel_derivation.h"

#include "dualbasis/parallel_rules.h"
#include "dualbasis/parallel_templates.h"
#include "dualbasis/parallel_texts.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/cls_business_pub.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::dualbasis {

std::vector<BudgetLine> DeriveBudgetLines(const std::vector<FinanceLine>& lines) {
  host::ParallelAccountingService& service = frame::Login().business_pub->ParallelAccounting();
  std::vector<BudgetLine> out;
  int row = 0;
  for (const FinanceLine& line : lines) {
    ++row;
    if (!line.HasAmount() || line.account_id == 0) continue;
    const host::ParallelAccountAnswer answer =
        service.BudgetAccountFor(line.account_id, line.class2_id, line.Side());
    if (!answer.takes_part || answer.budget_account_id == 0) continue;
    BudgetLine budget;
    budget.remark = line.remark;
    budget.account_id = answer.budget_account_id;
    budget.direction = line.Side();
    budget.SetAmount(line.Amount());
    budget.currency_amount = line.currency_amount;
    budget.currency_id = line.currency_id;
    budget.unit_id = line.unit_id;
    budget.department_id = line.department_id;
    budget.employee_id = line.employee_id;
    budget.class1_id = line.class1_id;
    budget.class2_id = line.class2_id;
    budget.origin.parts = {"财务凭证第" + std::to_string(row) + "行 " + line.account_code};
    out.push_back(std::move(budget));
  }
  ReadBudgetAccountFlags(out);
  std::erase_if(out, [](const BudgetLine& line) { return !line.flags.found; });
  // An item the budget account does not keep would only be refused by the budget editor.
  for (BudgetLine& line : out) {
    if (!line.flags.customer) line.unit_id = 0;
    if (!line.flags.department) line.department_id = 0;
    if (!line.flags.employee) line.employee_id = 0;
    if (!line.flags.class1) line.class1_id = 0;
    if (!line.flags.class2) line.class2_id = 0;
  }
  return out;
}

std::string DerivationStamp(const std::vector<FinanceLine>& lines) {
  std::string stamp;
  for (const FinanceLine& line : lines) {
    if (!line.HasAmount()) continue;
    for (long id : {line.account_id, line.class2_id, line.unit_id, line.department_id,
                    line.employee_id, line.class1_id, line.currency_id}) {
      stamp += std::to_string(id) + ",";
    }
    stamp += frame::SqlNumber(line.debit) + "," + frame::SqlNumber(line.credit) + "," +
             frame::SqlNumber(line.currency_amount) + "," + line.remark + "\n";
  }
  return stamp;
}

std::optional<std::vector<BudgetLine>> CreateBudgetVoucher(const std::vector<FinanceLine>& lines) {
  try {
    if (!MayCreateBudgetVoucher(lines)) return std::nullopt;
    return DeriveBudgetLines(lines);
  } catch (const host::DatabaseError& error) {
    frame::Msg(error.what(), host::mb::kCritical, texts::kTitleFill);
    return std::nullopt;
  }
}

std::optional<std::vector<BudgetLine>> BudgetLinesForSave(const std::vector<FinanceLine>& lines,
                                                          const std::vector<BudgetLine>& budget,
                                                          std::string& stamp) {
  const std::string now = DerivationStamp(lines);
  if (now == stamp) {
    try {
      if (!MayCreateBudgetVoucher(lines)) return std::nullopt;
    } catch (const host::DatabaseError& error) {
      frame::Msg(error.what(), host::mb::kCritical, texts::kTitleFill);
      return std::nullopt;
    }
    return budget;
  }
  std::optional<std::vector<BudgetLine>> derived = CreateBudgetVoucher(lines);
  if (derived) stamp = now;
  return derived;
}

}  // namespace lumvoucher::dualbasis
