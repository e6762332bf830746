// The paired window's parallel-accounting and standard-voucher commands.
#include <cmath>

#include "dualbasis/cls_voucher_new.h"
#include "dualbasis/dual_texts.h"
#include "dualbasis/pair_lines.h"
#include "dualbasis/parallel_derivation.h"
#include "dualbasis/parallel_learning.h"
#include "dualbasis/parallel_rules.h"
#include "dualbasis/parallel_templates.h"
#include "dualbasis/parallel_texts.h"
#include "frame/frame_messages.h"
#include "frame/login_state.h"
#include "host/cls_base_class.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "templates/frm_create_std_voucher.h"
#include "templates/frm_select_std_voucher.h"

namespace lumvoucher::dualbasis {

namespace {

constexpr const char* kTrue = "True";
constexpr const char* kFalse = "False";

}  // namespace

bool clsVoucherNew::PreferenceOn(const char* key, bool fallback) {
  const std::string value = ReadAccountRegFile(texts::kStyleSection, key);
  return value == "0" ? fallback : value == kTrue;
}

bool clsVoucherNew::ConfirmObligations(bool budget) {
  const std::vector<FinanceLine> lines = FinanceLinesOf(finance_->State().lines);
  if (budget) return finance_validated_ || ConfirmBudgetObligations(lines);
  return ConfirmFinanceObligations(lines, budget_->HasLines(), AsksForBudget());
}

bool clsVoucherNew::AsksForBudget() {
  return PreferenceOn(texts::kAskBudgetKey, true);
}

void clsVoucherNew::SetAsksForBudget(bool on) {
  WriteAccountRegFile(texts::kStyleSection, texts::kAskBudgetKey, on ? kTrue : kFalse);
}

bool clsVoucherNew::AutoStudy() {
  return PreferenceOn(texts::kAutoStudyKey, false);
}

bool clsVoucherNew::mclsMainControl_EditAutoStudy() {
  const bool on = !AutoStudy();
  WriteAccountRegFile(texts::kStyleSection, texts::kAutoStudyKey, on ? kTrue : kFalse);
  return on;
}

void clsVoucherNew::PutBudgetLines(const std::vector<BudgetLine>& lines) {
  // A budget side without a stored voucher starts as a new one, numbered at the save.
  if (budget_->GetLngNowID() == 0) LoadSide(*budget_, 0);
  std::vector<voucher::VoucherLine> grid;
  std::vector<Generated> generated;
  for (const BudgetLine& line : lines) {
    grid.push_back(GridLineOf(line));
    generated.push_back({line.account_id, line.direction, line.Amount(), line.origin});
  }
  budget_->PutLines(std::move(grid));
  generated_ = std::move(generated);
}

const LineOrigin* clsVoucherNew::BudgetLineOrigin(int row) const {
  const std::vector<voucher::VoucherLine>& grid = budget_->State().lines;
  if (row < 1 || row > static_cast<int>(grid.size()) || row > static_cast<int>(generated_.size())) {
    return nullptr;
  }
  const voucher::VoucherLine& line = grid[row - 1];
  const Generated& g = generated_[row - 1];
  const int side = line.direction == voucher::kCredit ? kCreditSide : kDebitSide;
  if (line.account_id != g.account_id || side != g.direction ||
      std::fabs(line.Amount() - g.amount) > 1e-9) {
    return nullptr;
  }
  return &g.origin;
}

bool clsVoucherNew::ApplyTemplate() {
  try {
    std::optional<std::vector<BudgetLine>> lines =
        dualbasis::ApplyTemplate(FinanceLinesOf(finance_->State().lines));
    if (!lines) return false;
    PutBudgetLines(*lines);
    return true;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleFill);
    return false;
  }
}

bool clsVoucherNew::SetChkCreateBVoucher(bool on) {
  if (!on) {
    create_budget_ = false;
    derivation_stamp_.clear();
    return true;
  }
  try {
    const std::vector<FinanceLine> finance = FinanceLinesOf(finance_->State().lines);
    std::optional<std::vector<BudgetLine>> lines = CreateBudgetVoucher(finance);
    if (!lines) return false;
    PutBudgetLines(*lines);
    derivation_stamp_ = DerivationStamp(finance);
    create_budget_ = true;
    return true;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleFill);
    return false;
  }
}

// Saving with the box ticked: the prohibit check again, and the derivation again when the
// financial voucher changed since its budget lines were derived.
bool clsVoucherNew::RederiveBudget() {
  if (!create_budget_) return true;
  const std::vector<FinanceLine> finance = FinanceLinesOf(finance_->State().lines);
  const std::string before = derivation_stamp_;
  std::optional<std::vector<BudgetLine>> lines = BudgetLinesForSave(finance, {}, derivation_stamp_);
  if (!lines) return false;
  if (derivation_stamp_ != before) PutBudgetLines(*lines);
  return true;
}

long clsVoucherNew::CreateTemplateFromPair() {
  return dualbasis::CreateTemplateFromPair(FinanceLinesOf(finance_->State().lines),
                                           BudgetLinesOf(budget_->State().lines));
}

// After a pair save that wrote both vouchers' lines; the pair stays saved whatever happens here.
void clsVoucherNew::LearnFromPair() {
  const long F = finance_->GetLngNowID();
  if (F <= 0 || budget_->GetLngNowID() <= 0 || !finance_->HasLines() || !budget_->HasLines()) {
    return;
  }
  const std::vector<FinanceLine> finance = FinanceLinesOf(finance_->State().lines);
  const std::vector<BudgetLine> budget = BudgetLinesOf(budget_->State().lines);
  LearnTemplate(F, finance, budget);
  LearnAccountCorrespondence(finance, budget);
}

// ---- Standard vouchers -----------------------------------------------------------------------

bool clsVoucherNew::CreateVoucherAll() {
  long finance_id = 0;
  long budget_id = 0;
  bool created = false;
  templates::frmCreateStdVoucher dialog;
  dialog.CreateVoucherAll(templates::SourceOf(*finance_), templates::SourceOf(*budget_), IsFinance,
                          finance_id, budget_id, created);
  return created;
}

bool clsVoucherNew::LoadStdVoucher() {
  long finance_id = 0;
  long budget_id = 0;
  templates::frmSelectStdVoucherAll chooser;
  if (!chooser.SelectVoucher(finance_id, budget_id) || !AskToSave()) return false;
  bool loaded = false;
  const std::pair<VoucherEditor*, long> sides[] = {{finance_.get(), finance_id},
                                                   {budget_.get(), budget_id}};
  for (auto [editor, id] : sides) {
    LoadSide(*editor, 0);
    if (id != 0) loaded = editor->LoadStdVoucher(id) || loaded;
  }
  generated_.clear();
  status_label_.clear();
  return loaded;
}

}  // namespace lumvoucher::dualbasis
