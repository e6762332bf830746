#pragma once

#include <string>
#include <vector>

#include "dualbasis/parallel_lines.h"

// Making parallel-accounting templates from a voucher pair: by hand ("生成平行记账模板") and
// by learning after a pair save ("模板学习"), and learning the account correspondences.
// Every write is one transaction: a failure leaves no partial template and no scratch rows.
namespace lumvoucher::dualbasis {

// A template row to write: an account (Account on the financial side, BudgetAccount on the
// budget side) and a side, 1 debit, -1 credit.
struct TemplateKey {
  long account_id = 0;
  std::string code;
  int direction = kDebitSide;
  bool operator==(const TemplateKey&) const = default;
};
// The distinct keys of the lines with an amount, in line order.
std::vector<TemplateKey> FinanceKeys(const std::vector<FinanceLine>& lines);
std::vector<TemplateKey> BudgetKeys(const std::vector<BudgetLine>& lines);

// A template of the organisation (active or not: one switched off is not learned again) whose
// financial and budget rows are exactly these keys, accounts compared by equality; 0 if none.
// Throws host::DatabaseError.
long FindFittingTemplate(const std::vector<TemplateKey>& finance,
                         const std::vector<TemplateKey>& budget);

// Writes a template and its two sides in one transaction; answers its id. Throws
// host::DatabaseError (rolled back) and std::invalid_argument for a side without a debit or
// credit row (the caller shows the message first, see CreateTemplateFromPair).
long WriteTemplate(const std::string& code, const std::string& name, int source,
                   const std::string& budget_remark, const std::vector<TemplateKey>& finance,
                   const std::vector<TemplateKey>& budget);

// "生成平行记账模板": both grids need lines; frmDoubleRule asks code and name; nothing is
// written when a template already fits. Answers the new template's id, 0 when none was made.
long CreateTemplateFromPair(const std::vector<FinanceLine>& finance,
                            const std::vector<BudgetLine>& budget);

// "模板学习" after a pair save of the financial voucher `voucher_id` (learning switched on and
// both vouchers with lines): when earlier pairs have the same keys on both sides, asks and
// writes a learned template "XX000001"... Answers the new template's id, 0 when none.
long LearnTemplate(long voucher_id, const std::vector<FinanceLine>& finance,
                   const std::vector<BudgetLine>& budget);

// Gives each debit financial account without a correspondence the budget account of the
// first debit budget line (BudgetAccountAccount, direction 3). Answers the rows added.
int LearnAccountCorrespondence(const std::vector<FinanceLine>& finance,
                               const std::vector<BudgetLine>& budget);

}  // namespace lumvoucher::dualbasis
