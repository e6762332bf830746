#include "templates/frm_create_std_voucher.h"

#include "frame/login_state.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "templates/templates_texts.h"

namespace lumvoucher::templates {

namespace {

namespace mb = host::mb;

bool AllBlank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

std::string frmCreateStdVoucher::WindowName() const {
  return texts::kCreateWindowName;
}

bool frmCreateStdVoucher::CreateVoucher(const voucher::frmVoucher& frmSource, bool blnFinance,
                                        bool& blnCreated) {
  const StdVoucherSource source = SourceOf(frmSource);
  return CreateVoucher(source, blnFinance, blnCreated);
}

bool frmCreateStdVoucher::CreateVoucher(const StdVoucherSource& source, bool blnFinance,
                                        bool& blnCreated) {
  blnCreated = false;
  if (source.grid_lines < 2) {
    frame::Msg(texts::kTooFewLines, mb::kInformation, texts::kTitleInformation);
    return false;
  }
  finance_ = &source;
  budget_ = nullptr;
  basis_ = BasisOf(blnFinance);
  blnCreated = Run();
  return blnCreated;
}

bool frmCreateStdVoucher::CreateVoucherAll(const StdVoucherSource& finance,
                                           const StdVoucherSource& budget, bool blnFinance,
                                           long& lngFinanceStdID, long& lngBudgetStdID,
                                           bool& blnCreated) {
  blnCreated = false;
  lngFinanceStdID = 0;
  lngBudgetStdID = 0;
  if (finance.grid_lines < 2 && budget.grid_lines < 2) {
    frame::Msg(texts::kTooFewLines, mb::kInformation, texts::kTitleInformation);
    return false;
  }
  finance_ = &finance;
  budget_ = &budget;
  basis_ = BasisOf(blnFinance);
  blnCreated = Run();
  lngFinanceStdID = finance_id_;
  lngBudgetStdID = budget_id_;
  return blnCreated;
}

bool frmCreateStdVoucher::Run() {
  number_.clear();
  name_.clear();
  typed_ = false;
  done_ = false;
  created_ = false;
  finance_id_ = 0;
  budget_id_ = 0;
  frame::Login().base_class->Modal().RunModal(*this);
  return created_;
}

void frmCreateStdVoucher::SetNumber(const std::string& number) {
  number_ = number;
  typed_ = true;
}

void frmCreateStdVoucher::SetName(const std::string& name) {
  name_ = name;
  typed_ = true;
}

void frmCreateStdVoucher::Ok() {
  if (AllBlank(number_)) {
    frame::Msg(texts::kNumberEmpty, mb::kExclamation, texts::kTitleWarning);
    return;
  }
  if (AllBlank(name_)) {
    frame::Msg(texts::kNameEmpty, mb::kExclamation, texts::kTitleWarning);
    return;
  }
  if (Save()) {
    typed_ = false;
    done_ = true;
  }
}

bool frmCreateStdVoucher::Close() {
  if (done_ || !typed_) {
    done_ = true;
    return true;
  }
  const int answer =
      frame::Msg(std::string(texts::kUnsavedHead) + number_ + name_ + texts::kUnsavedTail,
                 mb::kYesNoCancel | mb::kQuestion, texts::kTitleInformation);
  if (answer == mb::kYes) {
    Ok();
    return done_;
  }
  if (answer == mb::kNo) done_ = true;
  return done_;
}

// Answers whether the dialog closes: saved, or the user declined to replace.
bool frmCreateStdVoucher::Save() {
  const bool paired = budget_ != nullptr;
  long old_finance = 0;
  long old_budget = 0;
  host::DataAccess& data = frame::Data();
  try {
    if (paired) {
      old_finance = FindStdVoucher(StdBasis::kFinance, number_);
      old_budget = FindStdVoucher(StdBasis::kBudget, number_);
    } else {
      old_finance = FindStdVoucher(basis_, number_);
    }
    if (old_finance != 0 || old_budget != 0) {
      const int answer = frame::Msg(texts::kReplaceQuestion, mb::kYesNoCancel | mb::kQuestion,
                                    texts::kTitleWarning);
      if (answer == mb::kNo) {
        typed_ = false;
        return true;
      }
      if (answer != mb::kYes) return false;
    }
    // Nothing half-written: the replace and both pairs commit together.
    host::TransactionGuard guard(data);
    if (paired) {
      if (old_finance != 0) DeleteStdVoucher(StdBasis::kFinance, old_finance, false);
      if (old_budget != 0) DeleteStdVoucher(StdBasis::kBudget, old_budget, false);
      finance_id_ = WriteStdVoucher(StdBasis::kFinance, number_, name_, *finance_);
      budget_id_ = WriteStdVoucher(StdBasis::kBudget, number_, name_, *budget_);
    } else {
      if (old_finance != 0) DeleteStdVoucher(basis_, old_finance, false);
      const long id = WriteStdVoucher(basis_, number_, name_, *finance_);
      (basis_ == StdBasis::kFinance ? finance_id_ : budget_id_) = id;
    }
    guard.Commit();
  } catch (const host::DatabaseError&) {
    finance_id_ = 0;
    budget_id_ = 0;
    frame::Msg(texts::kSaveFailed, mb::kCritical, texts::kTitleInformation);
    return false;
  }
  created_ = true;
  return true;
}

}  // namespace lumvoucher::templates
