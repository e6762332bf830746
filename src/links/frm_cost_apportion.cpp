#include "links/frm_cost_apportion.h"

#include <cmath>
#include <optional>

#include "frame/login_state.h"
#include "frame/module_status.h"
#include "frame/sql_text.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "links/cost_texts.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::links {

namespace {

constexpr int kStop = host::mb::kExclamation;
constexpr long kIncomeModule = 129;

bool Refuse(const std::string& text) {
  frame::Msg(text, kStop, texts::kCostTitle);
  return false;
}

std::string Row(int n) {
  return "第" + std::to_string(n);
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The id of a code typed into a coded column; 0 for a blank one, nullopt when unknown.
std::optional<long> IdOf(const std::string& table, const std::string& code) {
  if (Trim(code).empty()) return 0L;
  host::Recordset rs =
      frame::Data().OpenRecordset("Select lng" + table + "ID From " + table + " Where str" + table +
                                  "Code = " + frame::SqlText(Trim(code)));
  if (rs.Empty()) return std::nullopt;
  return static_cast<long>(rs[0].AsLong());
}

std::optional<double> Amount(const std::string& text, int decimals) {
  const std::optional<double> value = host::ParseDecimal(text);
  if (!value) return std::nullopt;
  const std::optional<double> rounded = voucher::RoundEntered(*value, decimals);
  if (!rounded || std::fabs(*rounded - *value) > 1e-9) return std::nullopt;
  return rounded;
}

void Footer(CostCardState& s, double assigned) {
  const int d = s.decimals;
  s.assigned = voucher::RoundTo(assigned, d);
  s.footer = std::string(texts::kFooterStart) + voucher::FormatFixed(s.line.amount, d) +
             texts::kFooterAssigned + voucher::FormatFixed(s.assigned, d) + texts::kFooterRest +
             voucher::FormatFixed(s.line.amount - s.assigned, d) + texts::kFooterEnd;
}

bool AskDelete() {
  return frame::Msg(texts::kDeleteRow, host::mb::kYesNo + host::mb::kQuestion,
                    texts::kDeleteTitle) == host::mb::kYes;
}

// The item does not belong to the cost account: Yes goes back to modify the row.
bool MismatchAccepted(long account_id, long outlay_id, int n) {
  if (OutlayMatchesAccount(account_id, outlay_id)) return true;
  return frame::Msg(Row(n) + texts::kMismatch + texts::kModify,
                    host::mb::kYesNo + host::mb::kQuestion, texts::kCostTitle) != host::mb::kYes;
}

bool TotalMatches(const CostCardState& s) {
  const double difference = voucher::RoundTo(s.line.amount - s.assigned, s.decimals);
  if (difference == 0) return true;
  return Refuse(texts::kTotalWrong + voucher::FormatFixed(difference, s.decimals) +
                texts::kTotalWrongEnd);
}

template <class Rows>
bool InRange(const Rows& rows, int n) {
  return n >= 1 && n <= static_cast<int>(rows.size());
}

}  // namespace

// ---- Expense card ------------------------------------------------------------------------------

bool frmCostApportionOut::EditCard(const CostLine& line, const CostSplit* held, CostSplit& rows) {
  state_ = CostCardState{};
  state_.line = line;
  state_.decimals = frame::Context().AmountDecimals();
  try {
    rows_ = held != nullptr     ? held->costs
            : line.line_id != 0 ? LoadCostSplit(line.line_id, false).costs
                                : std::vector<CostShare>{};
  } catch (const host::DatabaseError& e) {
    return Refuse(e.what());
  }
  Refresh();
  frame::Login().base_class->Modal().RunModal(*this);
  if (!state_.confirmed) return false;
  rows = CostSplit{};
  rows.costs = rows_;
  return true;
}

void frmCostApportionOut::Refresh() {
  double assigned = 0;
  for (const CostShare& r : rows_) assigned += r.amount;
  Footer(state_, assigned);
}

int frmCostApportionOut::AddRow() {
  CostShare row;
  try {
    row.outlay_id = RememberedItem(state_.line.account_id, false);
  } catch (const host::DatabaseError&) {
    row.outlay_id = 0;  // no default is no loss
  }
  row.amount = voucher::RoundTo(state_.line.amount - state_.assigned, state_.decimals);
  rows_.push_back(row);
  Refresh();
  return static_cast<int>(rows_.size());
}

bool frmCostApportionOut::DeleteRow(int n) {
  if (!InRange(rows_, n) || !AskDelete()) return false;
  rows_.erase(rows_.begin() + (n - 1));
  Refresh();
  return true;
}

bool frmCostApportionOut::SetCell(int n, CostColumn column, const std::string& text) {
  if (!InRange(rows_, n)) return false;
  CostShare& row = rows_[static_cast<std::size_t>(n - 1)];
  try {
    switch (column) {
      case CostColumn::kItem:
      case CostColumn::kDepartment: {
        const auto id = IdOf(column == CostColumn::kItem ? "Outlay" : "Department", text);
        if (!id) return Refuse(texts::kUnknownCode);
        (column == CostColumn::kItem ? row.outlay_id : row.department_id) = *id;
        return true;
      }
      case CostColumn::kSource: {
        const auto id = host::ParseWhole(Trim(text).empty() ? "0" : text, 0, 255);
        if (!id) return Refuse(texts::kUnknownCode);
        row.source_id = static_cast<long>(*id);
        return true;
      }
      case CostColumn::kAmount: {
        const auto amount = Amount(text, state_.decimals);
        if (!amount) return Refuse(texts::kNotAmount);
        row.amount = *amount;
        Refresh();
        return true;
      }
      case CostColumn::kNote:
        row.note = text;
        return true;
      default:
        return false;
    }
  } catch (const host::DatabaseError& e) {
    return Refuse(e.what());
  }
}

bool frmCostApportionOut::Confirm() {
  Refresh();
  try {
    for (int n = 1; n <= static_cast<int>(rows_.size()); ++n) {
      const CostShare& r = rows_[static_cast<std::size_t>(n - 1)];
      if (r.outlay_id == 0) return Refuse(Row(n) + texts::kOutItemEmpty);
      if (!IsActiveLeafOutlay(r.outlay_id)) return Refuse(Row(n) + texts::kOutItemNotLeaf);
      if (r.department_id == 0) return Refuse(Row(n) + texts::kDepartmentEmpty);
      if (!IsLeafDepartment(r.department_id)) return Refuse(Row(n) + texts::kDepartmentNotLeaf);
      if (voucher::RoundTo(r.amount, state_.decimals) == 0) {
        return Refuse(Row(n) + texts::kAmountZero);
      }
      if (!MismatchAccepted(state_.line.account_id, r.outlay_id, n)) return false;
    }
    if (!TotalMatches(state_)) return false;
    if (!rows_.empty()) RememberItem(state_.line.account_id, false, rows_.front().outlay_id);
  } catch (const host::DatabaseError& e) {
    return Refuse(e.what());
  }
  state_.confirmed = true;
  return true;
}

// ---- Income card -------------------------------------------------------------------------------

bool frmCostApportionIn::EditCard(const CostLine& line, const CostSplit* held, CostSplit& rows) {
  state_ = CostCardState{};
  state_.line = line;
  state_.decimals = frame::Context().AmountDecimals();
  try {
    if (frame::GetModuleStatus(kIncomeModule).state == frame::ModuleState::kRunning) {
      return Refuse(texts::kIncomeModuleOn);
    }
    scheme_ = EnabledScheme();
    rows_ = held != nullptr     ? held->his
            : line.line_id != 0 ? LoadCostSplit(line.line_id, true).his
                                : std::vector<HisShare>{};
  } catch (const host::DatabaseError& e) {
    return Refuse(e.what());
  }
  Refresh();
  frame::Login().base_class->Modal().RunModal(*this);
  if (!state_.confirmed) return false;
  rows = CostSplit{};
  rows.income = true;
  rows.his = rows_;
  return true;
}

void frmCostApportionIn::Refresh() {
  double assigned = 0;
  for (const HisShare& r : rows_) assigned += r.amount;
  Footer(state_, assigned);
}

void frmCostApportionIn::SplitRow(HisShare& row) {
  SchemeRates rates;
  if (scheme_ == 0 || row.outlay_id == 0 || !ReadSchemeRates(scheme_, row.outlay_id, rates)) return;
  const SchemeAmounts a = SplitByScheme(row.amount, rates, state_.decimals);
  row.prescribe_amount = a.prescribe;
  row.execute_amount = a.execute;
  row.sick_amount = a.sick;
}

int frmCostApportionIn::AddRow() {
  HisShare row;
  try {
    row.income_type = RememberedItem(state_.line.account_id, true);
  } catch (const host::DatabaseError&) {
    row.income_type = 0;  // no default is no loss
  }
  rows_.push_back(row);
  Refresh();
  return static_cast<int>(rows_.size());
}

bool frmCostApportionIn::DeleteRow(int n) {
  if (!InRange(rows_, n) || !AskDelete()) return false;
  rows_.erase(rows_.begin() + (n - 1));
  Refresh();
  return true;
}

bool frmCostApportionIn::SetCell(int n, CostColumn column, const std::string& text) {
  if (!InRange(rows_, n)) return false;
  HisShare& row = rows_[static_cast<std::size_t>(n - 1)];
  try {
    auto take_id = [&](const char* table, long& id) {
      const auto found = IdOf(table, text);
      if (!found) return Refuse(texts::kUnknownCode);
      id = *found;
      return true;
    };
    auto take_amount = [&](double& amount) {
      const auto value = Amount(text, state_.decimals);
      if (!value) return Refuse(texts::kNotAmount);
      amount = *value;
      return true;
    };
    switch (column) {
      case CostColumn::kIncomeType:
        return take_id("hisincometype", row.income_type);
      case CostColumn::kItem:
        if (!take_id("Outlay", row.outlay_id)) return false;
        SplitRow(row);
        return true;
      case CostColumn::kPrescribeDepartment:
        return take_id("Department", row.prescribe_department_id);
      case CostColumn::kExecuteDepartment:
        return take_id("Department", row.execute_department_id);
      case CostColumn::kSickDepartment:
        return take_id("Department", row.sick_department_id);
      case CostColumn::kPrescribeAmount:
        return take_amount(row.prescribe_amount);
      case CostColumn::kExecuteAmount:
        return take_amount(row.execute_amount);
      case CostColumn::kSickAmount:
        return take_amount(row.sick_amount);
      case CostColumn::kAmount:
        if (!take_amount(row.amount)) return false;
        SplitRow(row);
        Refresh();
        return true;
      case CostColumn::kNote:
        row.note = text;
        return true;
      default:
        return false;
    }
  } catch (const host::DatabaseError& e) {
    return Refuse(e.what());
  }
}

bool frmCostApportionIn::Confirm() {
  Refresh();
  const int d = state_.decimals;
  try {
    for (int n = 1; n <= static_cast<int>(rows_.size()); ++n) {
      const HisShare& r = rows_[static_cast<std::size_t>(n - 1)];
      const std::string row = Row(n);
      if (r.income_type == 0) return Refuse(row + texts::kIncomeTypeEmpty);
      if (r.outlay_id == 0) return Refuse(row + texts::kIncomeItemEmpty);
      if (!IsActiveLeafOutlay(r.outlay_id)) return Refuse(row + texts::kIncomeItemNotLeaf);
      // A department is required where its amount is not 0.
      if (r.prescribe_amount != 0 && r.prescribe_department_id == 0) {
        return Refuse(row + texts::kPrescribeEmpty);
      }
      if (r.execute_amount != 0 && r.execute_department_id == 0) {
        return Refuse(row + texts::kExecuteEmpty);
      }
      if (r.sick_amount != 0 && r.sick_department_id == 0) return Refuse(row + texts::kSickEmpty);
      const struct {
        long id;
        const char* refusal;
      } departments[] = {{r.prescribe_department_id, texts::kPrescribeNotLeaf},
                         {r.execute_department_id, texts::kExecuteNotLeaf},
                         {r.sick_department_id, texts::kSickNotLeaf}};
      for (const auto& dep : departments) {
        if (dep.id != 0 && !IsLeafDepartment(dep.id)) return Refuse(row + dep.refusal);
      }
      if (voucher::RoundTo(r.prescribe_amount, d) == 0 &&
          voucher::RoundTo(r.execute_amount, d) == 0) {
        return Refuse(row + texts::kBothZero);
      }
      if (voucher::RoundTo(r.amount - r.prescribe_amount - r.execute_amount - r.sick_amount, d) !=
          0) {
        return Refuse(row + texts::kRowSumWrong);
      }
      if (voucher::RoundTo(r.amount, d) == 0) return Refuse(row + texts::kAmountZero);
      if (!MismatchAccepted(state_.line.account_id, r.outlay_id, n)) return false;
    }
    if (!TotalMatches(state_)) return false;
    if (!rows_.empty()) RememberItem(state_.line.account_id, true, rows_.front().income_type);
  } catch (const host::DatabaseError& e) {
    return Refuse(e.what());
  }
  state_.confirmed = true;
  return true;
}

}  // namespace lumvoucher::links
