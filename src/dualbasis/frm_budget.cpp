#include "dualbasis/frm_budget.h"

#include <cstdio>
#include <exception>
#include <set>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "host/recordset.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::dualbasis {

namespace {

using frame::SqlNumber;
using frame::SqlText;

// The window's caption; the system gives none, so it names the query and the host's text.
constexpr const char* kCaption = "预算余额查询";
constexpr const char* kLocalCurrency = "本位币";

std::vector<BudgetChoice> Choices(const std::string& sql) {
  std::vector<BudgetChoice> choices;
  host::Recordset rs = frame::Data().OpenRecordset(sql);
  for (const host::Recordset::Row& row : rs.Rows()) {
    choices.push_back({row[0].AsLong(), row[1].AsText(), row[2].AsText()});
  }
  return choices;
}

bool Contains(const std::vector<BudgetChoice>& choices, long id) {
  for (const BudgetChoice& c : choices) {
    if (c.id == id) return true;
  }
  return false;
}

// "#,###,###,##0." with the account set's decimals.
std::string AmountText(double value) {
  return voucher::FormatFixed(value, frame::Context().AmountDecimals(), true);
}

// "#,###,###,###": no digit for 0.
std::string QuantityText(double value) {
  std::string text = voucher::FormatFixed(value, 0, true);
  return text == "0" ? "" : text;
}

// actual / budget × 100 when the budget cell shows a number other than 0, else nothing.
void AddCells(std::vector<std::string>& cells, double budget, double actual, bool quantity) {
  const int decimals = quantity ? 0 : frame::Context().AmountDecimals();
  cells.push_back(quantity ? QuantityText(budget) : AmountText(budget));
  cells.push_back(quantity ? QuantityText(actual) : AmountText(actual));
  cells.push_back(voucher::RoundTo(budget, decimals) == 0
                      ? ""
                      : voucher::FormatFixed(actual / budget * 100, 2));
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

std::vector<std::string> frmBudget::Captions() {
  std::vector<std::string> captions = {"期间", "机构"};
  for (const char* measure : {"原币", "本币", "数量"}) {
    for (const char* column : {"预算", "实际", "完成率%"}) {
      captions.push_back(std::string(measure) + column);
    }
  }
  return captions;
}

bool frmBudget::ShowBudget(const std::string& code, const std::string& description) {
  state_ = BudgetWindowState{};
  state_.code = code;
  state_.description = description;
  state_.caption = description.empty() ? kCaption : std::string(kCaption) + " - " + description;
  if (!Load(code)) return false;
  Query();
  if (host::HostMainWindow* main = frame::Login().main_window) {
    main->ShowChild(*this);
    main->ChildActive();
  }
  return true;
}

bool frmBudget::Load(const std::string& code) {
  try {
    state_.targets = Choices(
        "Select lngBudgetTargetID,strBudgetTargetCode,strBudgetTargetName From BudgetTarget "
        "Order By strBudgetTargetCode");
    state_.currencies = {{-1, "", kLocalCurrency}};
    for (BudgetChoice& c : Choices("Select lngCurrencyID,strCurrencyCode,strCurrencyName From "
                                   "Currencys Where blnIsInActive=0 Order By lngCurrencyID")) {
      state_.currencies.push_back(std::move(c));
    }
    const host::Organization& login = frame::Context().CurrentOrganization();
    // Initialised, active organisations: the login organisation and its subordinates.
    state_.organizations = Choices(
        "Select lngOrganizationID,strOrganizationCode,strOrganizationName From Organization "
        "Where blnIsInActive=0 And strStartDate<>' ' And (strOrganizationCode=" +
        SqlText(login.code) + " Or strOrganizationCode Like " + SqlText(login.code + "-%") +
        ") Order By strOrganizationCode");
    state_.input.year = frame::Context().LoginYear();
    state_.input.organization_id = login.id;
    state_.input.currency_id = -1;
    long target = state_.targets.empty() ? 0 : state_.targets.front().id;
    for (const BudgetChoice& t : state_.targets) {
      if (t.code == code) target = t.id;
    }
    state_.input.target_id = target;
    LoadBudgets();
    return true;
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.caption);
    return false;
  }
}

void frmBudget::LoadBudgets() {
  state_.budgets.clear();
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngBudgetID,strBudgetName,Decode(bytBudgetType,1,'借方发生额',2,'贷方发生额',3,'借方"
      "余额',4,'贷方余额',5,'借方发生净额',6,'贷方发生净额') From Budget Where lngBudgetID In "
      "(Select lngBudgetID From BudgetBalance Where lngBudgetTargetID=" +
      SqlNumber(state_.input.target_id) + ") Order By lngBudgetID");
  for (const host::Recordset::Row& row : rs.Rows()) {
    state_.budgets.push_back({row[0].AsLong(), row[2].AsText(), row[1].AsText()});
  }
  state_.input.budget_id = state_.budgets.empty() ? 0 : state_.budgets.front().id;
}

bool frmBudget::SetTarget(long target_id) {
  if (!Contains(state_.targets, target_id)) return false;
  state_.input.target_id = target_id;
  try {
    LoadBudgets();
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.caption);
    state_.budgets.clear();
    state_.input.budget_id = 0;
  }
  state_.rows.clear();
  return true;
}

bool frmBudget::SetBudget(long budget_id) {
  if (!Contains(state_.budgets, budget_id)) return false;
  state_.input.budget_id = budget_id;
  return true;
}

bool frmBudget::SetCurrency(long currency_id) {
  if (!Contains(state_.currencies, currency_id)) return false;
  state_.input.currency_id = currency_id;
  return true;
}

bool frmBudget::SetYear(const std::string& text) {
  std::optional<std::int64_t> year = host::ParseWhole(text, 1900, 9999);
  if (!year) return false;
  state_.input.year = static_cast<int>(*year);
  return true;
}

void frmBudget::SetIncludeUnposted(bool include) {
  state_.input.include_unposted = include;
}

void frmBudget::SetApprovedOnly(bool approved_only) {
  state_.input.approved_only = approved_only;
}

bool frmBudget::SetOrganization(long organization_id) {
  if (!Contains(state_.organizations, organization_id)) return false;
  state_.input.organization_id = organization_id;
  return true;
}

std::string frmBudget::OrganizationCode(long id) const {
  for (const BudgetChoice& c : state_.organizations) {
    if (c.id == id) return c.code;
  }
  return "";
}

bool frmBudget::Query() {
  state_.rows.clear();
  state_.quarterly = false;
  if (state_.input.budget_id == 0) return true;
  try {
    BudgetInfo budget = ReadBudget(state_.input.budget_id);
    state_.quarterly = budget.quarterly;
    const std::string chosen = OrganizationCode(state_.input.organization_id);
    // The chosen organisation and its subordinates among the window's organisations.
    std::vector<long> subtree;
    for (const BudgetChoice& c : state_.organizations) {
      if (c.code == chosen || c.code.starts_with(chosen + "-")) subtree.push_back(c.id);
    }
    auto amounts = BudgetAmounts(state_.input, budget, subtree);
    // A budget held per organisation shows each organisation that has budget rows (its actual
    // amounts include its subordinates); another budget one row set for the chosen one.
    std::set<long> shown;
    if (budget.per_organization) {
      for (const auto& [key, figures] : amounts) shown.insert(key.first);
    }
    if (shown.empty()) shown.insert(state_.input.organization_id);
    const int periods = budget.quarterly ? 4 : 12;
    for (const BudgetChoice& org : state_.organizations) {
      if (!shown.contains(org.id)) continue;
      auto actual = ActualAmounts(state_.input, budget, org.code);
      for (int period = 1; period <= periods; ++period) {
        BudgetGridRow row;
        row.period = period;
        row.organization_id = org.id;
        row.organization = org.name;
        for (const auto& [key, figures] : amounts) {
          if (key.second != period || (budget.per_organization && key.first != org.id)) continue;
          row.budget.currency += figures.currency;
          row.budget.amount += figures.amount;
          row.budget.quantity += figures.quantity;
        }
        if (auto it = actual.find(period); it != actual.end()) row.actual = it->second;
        AddCells(row.cells, row.budget.currency, row.actual.currency, false);
        AddCells(row.cells, row.budget.amount, row.actual.amount, false);
        AddCells(row.cells, row.budget.quantity, row.actual.quantity, true);
        state_.rows.push_back(std::move(row));
      }
    }
    return true;
  } catch (const std::exception& error) {
    state_.rows.clear();
    frame::Msg(error.what(), host::mb::kCritical, state_.caption);
    return false;
  }
}

std::string frmBudget::CsvText() const {
  std::string csv;
  std::string line;
  for (const std::string& caption : Captions())
    line += (line.empty() ? "" : ",") + CsvField(caption);
  csv += line + "\r\n";
  for (const BudgetGridRow& row : state_.rows) {
    line = std::to_string(row.period) + "," + CsvField(row.organization);
    for (const std::string& cell : row.cells) line += "," + CsvField(cell);
    csv += line + "\r\n";
  }
  return csv;
}

}  // namespace lumvoucher::dualbasis
