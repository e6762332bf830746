#pragma once

#include <map>
#include <string>
#include <vector>

namespace lumvoucher::dualbasis {

// What the budget query compares: one target and one of its budgets, in a currency (-1 = the
// local currency, "本位币") and a year, for an organisation and its subordinates.
struct BudgetQueryInput {
  long target_id = 0;
  long budget_id = 0;
  long currency_id = -1;
  int year = 0;
  bool include_unposted = true;  // "含未记账凭证"; false = "不含未记账凭证"
  bool approved_only = false;
  long organization_id = 0;
};

// Foreign currency, local currency and quantity of one period (or quarter).
struct BudgetFigures {
  double currency = 0;
  double amount = 0;
  double quantity = 0;
};

// A budget as the query reads it: bytBudgetType 1..6, held per organisation or not, by quarter.
struct BudgetInfo {
  long id = 0;
  int type = 1;
  bool per_organization = false;
  bool quarterly = false;
};

// Reads "select budget.btyBudgetPeriod from budget where lngbudgetid=" id: a budget set by
// quarter (2). An unknown budget is not.
bool IsQuarterBudgetPeriod(long budget_id);

// The budget's type and schemes; a missing budget answers id 0.
BudgetInfo ReadBudget(long budget_id);

// A flexible field and its detail sub-fields: the field's own id first, then every detail field
// whose code continues its code with "-".
std::vector<long> GetSubFlexible(long field_id);

// The budget amounts per organisation and period (quarter for a quarterly budget), from
// BudgetBalance. Transfers between organisations are stored as signed rows at each
// organisation, so summing an organisation's rows gives its budget after transfers.
std::map<std::pair<long, int>, BudgetFigures> BudgetAmounts(const BudgetQueryInput& input,
                                                            const BudgetInfo& budget,
                                                            const std::vector<long>& organizations);

// The statement that sums the actual amounts of the target per period (quarter), booked for the
// organisation `organization_code` and its subordinates. Exposed for the benchmark.
std::string ActualAmountsSql(const BudgetQueryInput& input, const BudgetInfo& budget,
                             const std::string& organization_code);

// The actual amounts per period (quarter), from AccountDaily.
std::map<int, BudgetFigures> ActualAmounts(const BudgetQueryInput& input, const BudgetInfo& budget,
                                           const std::string& organization_code);

}  // namespace lumvoucher::dualbasis
