#pragma once

#include <string>
#include <vector>

#include "dualbasis/budget_query.h"
#include "host/main_window.h"

namespace lumvoucher::dualbasis {

// An entry of the window's choosers.
struct BudgetChoice {
  long id = 0;
  std::string code;
  std::string name;
};

// One grid row: a period (or quarter) of an organisation, with budget, actual and completion
// rate of foreign currency, local currency and quantity, as figures and as the texts shown.
struct BudgetGridRow {
  int period = 0;
  long organization_id = 0;
  std::string organization;
  BudgetFigures budget;
  BudgetFigures actual;
  // 预算, 实际, 完成率% of 原币, 本币, 数量: nine cells.
  std::vector<std::string> cells;
};

struct BudgetWindowState {
  std::string caption;
  std::string code;         // what the host passed to ShowBudget
  std::string description;  // ditto
  std::vector<BudgetChoice> targets;
  std::vector<BudgetChoice> budgets;  // name as `name`, the type's label as `code`
  std::vector<BudgetChoice> currencies;
  std::vector<BudgetChoice> organizations;
  BudgetQueryInput input;
  bool quarterly = false;
  std::vector<BudgetGridRow> rows;
};

// frmBudget: the budget balance query. Compares, for one target and one of its budgets, the
// budgeted amounts with the actual bookings period by period. It only reads. Every setter
// answers false for a value that is not one of the choices (nothing changes); a database error
// is shown under the window's caption and leaves the grid empty.
class frmBudget : public host::ChildWindow {
 public:
  static constexpr const char* kWindowName = "frmBudget";
  std::string WindowName() const override { return kWindowName; }
  const BudgetWindowState& State() const { return state_; }

  // Fills the choosers (the target whose code is `code` first chosen, else the first one), the
  // login year and organisation, runs the query and shows the window in the host main window.
  // False when nothing could be loaded.
  bool ShowBudget(const std::string& code, const std::string& description);

  bool SetTarget(long target_id);
  bool SetBudget(long budget_id);
  bool SetCurrency(long currency_id);
  // Whole years 1900..9999, typed as decimal text.
  bool SetYear(const std::string& text);
  void SetIncludeUnposted(bool include);
  void SetApprovedOnly(bool approved_only);
  bool SetOrganization(long organization_id);

  // Fills the grid afresh; false after a database error (shown).
  bool Query();

  // The grid as CSV (UTF-8, header row first, fields quoted where needed).
  std::string CsvText() const;

  // The column captions of the grid: "期间", "机构", then 预算/实际/完成率% per measure.
  static std::vector<std::string> Captions();

 private:
  bool Load(const std::string& code);
  void LoadBudgets();
  std::string OrganizationCode(long id) const;
  BudgetWindowState state_;
};

}  // namespace lumvoucher::dualbasis
