#include "dualbasis/cls_voucher_new.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cashflow/mdl_cash_flow.h"
#include "dualbasis/diff_allocation.h"
#include "dualbasis/dual_texts.h"
#include "dualbasis/frm_attachment.h"
#include "dualbasis/frm_voucher_new.h"
#include "dualbasis/pair_relevance.h"
#include "frame/frame_messages.h"
#include "frame/login_state.h"
#include "frame/voucher_conflict.h"
#include "frame/voucher_lookup.h"
#include "frame/voucher_removal.h"
#include "host/bill_issuing.h"
#include "host/cls_base_class.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "host/preference_store.h"
#include "host/read_scope.h"
#include "voucher/voucher_status.h"
#include "voucher/voucher_texts.h"
#include "voucher/voucher_writer.h"

namespace lumvoucher::dualbasis {

namespace {

constexpr int kStopFlags = host::mb::kTaskModal + host::mb::kExclamation;
constexpr int kAskFlags = host::mb::kTaskModal + host::mb::kYesNo + host::mb::kQuestion;

// The difference allocation follows every pair save unless a caller (a test) replaces it.
clsVoucherNew::DifferenceStep& Difference() {
  static clsVoucherNew::DifferenceStep step = AfterPairSave;
  return step;
}

std::string N(long value) {
  return std::to_string(value);
}

// "凭证" + the posting button's caption as a title: "凭证记账", "凭证取消记账".
std::string PostTitle(bool cancel) {
  return std::string(texts::kTitlePostPrefix) + (cancel ? "取消记账" : "记账");
}

}  // namespace

clsVoucherNew::clsVoucherNew(FrmVoucherNew& window)
    : window_(window),
      finance_(std::make_unique<VoucherEditor>(host::FinancialBasis(), *this)),
      budget_(std::make_unique<VoucherEditor>(host::BudgetBasis(), *this)) {}

clsVoucherNew::~clsVoucherNew() = default;

void clsVoucherNew::SetDifferenceStep(DifferenceStep step) {
  Difference() = std::move(step);
}

void clsVoucherNew::ShowWindow() {
  host::HostMainWindow* main = frame::Login().main_window;
  if (main == nullptr) return;
  main->ShowChild(window_);
  main->ChildActive();
}

bool clsVoucherNew::OnScreen() const {
  host::HostMainWindow* main = frame::Login().main_window;
  if (main == nullptr) return false;
  for (const host::ChildWindow* child : main->OpenChildren()) {
    if (child == &window_) return true;
  }
  return false;
}

long clsVoucherNew::CurrentId(bool budget) const {
  const long written = written_[budget ? 1 : 0];
  if (written != 0) return written;
  return (budget ? budget_ : finance_)->GetLngNowID();
}

// ---- Opening ---------------------------------------------------------------------------------

bool clsVoucherNew::LoadSide(VoucherEditor& editor, long id) {
  // The pair's own question was asked (or not needed) before either side loads.
  editor.SetChanged(false);
  // What was generated for the grid, or derived from it, belongs to the voucher it leaves.
  if (&editor == budget_.get()) {
    generated_.clear();
  } else {
    create_budget_ = false;
    derivation_stamp_.clear();
  }
  return id > 0 ? editor.ShowAOldBill(id) : editor.ShowANewBill();
}

std::string clsVoucherNew::OpenPair(long F, long B) {
  if (F < 1 && B < 1) return texts::kNoPairIds;
  const bool financial = F >= 1;
  const long id = financial ? F : B;
  try {
    const PairLookup pair = FindPair(id, financial);
    if (!pair.found) {
      return std::string(financial ? texts::kFinanceNotPairedOpen : texts::kBudgetNotPairedOpen) +
             N(id) + texts::kNotPairedClose;
    }
    LoadSide(financial ? *budget_ : *finance_, pair.partner);
    LoadSide(financial ? *finance_ : *budget_, id);
    finance_->SetChanged(false);
    budget_->SetChanged(false);
    IsFinance = financial;
    SetlblStatus();
    ShowWindow();
    return {};
  } catch (const host::DatabaseError& e) {
    return e.what();
  }
}

bool clsVoucherNew::ShowNewPair() {
  if (!AskToSave()) return false;
  const bool opened = LoadSide(*finance_, 0) && LoadSide(*budget_, 0);
  IsFinance = true;
  status_label_.clear();
  ShowWindow();
  return opened;
}

void clsVoucherNew::ReloadBoth() {
  LoadSide(*finance_, finance_->GetLngNowID());
  LoadSide(*budget_, budget_->GetLngNowID());
  try {
    SetlblStatus();
  } catch (const host::DatabaseError&) {
    status_label_.clear();
  }
}

void clsVoucherNew::SetlblStatus() {
  status_label_ = PairReversed(finance_->GetLngNowID(), budget_->GetLngNowID()) ? texts::kReversed
                                                                                : std::string();
}

// ---- Saving ----------------------------------------------------------------------------------

// The steps: the editors commit their cells; an empty new side is dropped; two sides with lines
// must be dated in one period; each side to save passes its own checks; the totals question;
// then one transaction writes the financial side, then the budget side, each followed by the
// pair row with both current ids (VoucherEditor::WrittenInTransaction); then the cash-flow
// completeness step and the difference step. A new side takes the type and number of a stored
// (or, both new, of the financial) side: the two vouchers of a pair share them.
bool clsVoucherNew::SaveBill(bool ask_total, bool check_cash_flow) {
  // The checks of both sides share one read snapshot; the write ends it, and the steps after
  // the commit share another.
  host::ReadScope reads(frame::Data());
  try {
    if (!finance_->ISaveInput2Form() || !budget_->ISaveInput2Form()) return false;
    if (!RederiveBudget()) return false;
    for (VoucherEditor* editor : {finance_.get(), budget_.get()}) {
      if (editor->GetLngNowID() == 0 && !editor->HasLines()) editor->SetChanged(false);
    }
    const bool cf = finance_->IsChanged();
    const bool cb = budget_->IsChanged();
    bool learn = false;
    if (cf || cb) {
      if (finance_->HasLines() && budget_->HasLines() &&
          !ValidDateForVouchers(finance_->State().header.date, budget_->State().header.date)) {
        frame::Msg(texts::kPeriodsDiffer, kStopFlags, texts::kTitleVoucherSave);
        return false;
      }
      if (cb && budget_->GetLngNowID() == 0 && (cf || finance_->GetLngNowID() != 0)) {
        budget_->FollowHeader(finance_->State().header);
      } else if (cf && finance_->GetLngNowID() == 0 && budget_->GetLngNowID() != 0) {
        finance_->FollowHeader(budget_->State().header);
      }
      finance_validated_ = false;
      for (VoucherEditor* editor : {finance_.get(), budget_.get()}) {
        if (!editor->IsChanged()) continue;
        if (editor->GetLngNowID() != 0 && editor->OnlyMarksChanged()) continue;
        if (!editor->CheckForSave()) {
          finance_validated_ = false;
          return false;
        }
        finance_validated_ = editor == finance_.get();
      }
      finance_validated_ = false;
      const double f = finance_->DebitTotal();
      const double b = budget_->DebitTotal();
      if (ask_total && f > 0 && b > 0 &&
          voucher::RoundTo(f - b, frame::Context().AmountDecimals()) != 0 &&
          frame::Msg(texts::kTotalsDiffer,
                     host::mb::kTaskModal + host::mb::kYesNo + host::mb::kExclamation,
                     texts::kTitleSave) == host::mb::kNo) {
        return false;
      }
      // Read before the write: once the pair is committed nothing may fail the save.
      learn = AutoStudy();
      if (!WritePair(cf, cb)) return false;
    }
    if (!CashFlowStep(check_cash_flow)) return false;
    if (learn) LearnFromPair();
    const long F = finance_->GetLngNowID();
    const long B = budget_->GetLngNowID();
    if (Difference() && (F > 0 || B > 0)) Difference()(F, B);
    return true;
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string(texts::kSaveFailed) + e.what(), host::mb::kCritical, texts::kTitleSave);
    return false;
  }
}

bool clsVoucherNew::WritePair(bool save_finance, bool save_budget) {
  struct Side {
    VoucherEditor* editor;
    bool save;
    bool marks_only;
    std::optional<voucher::WriteResult> written;
  };
  Side sides[2] = {{finance_.get(),
                    save_finance,
                    save_finance && finance_->GetLngNowID() != 0 && finance_->OnlyMarksChanged(),
                    {}},
                   {budget_.get(),
                    save_budget,
                    save_budget && budget_->GetLngNowID() != 0 && budget_->OnlyMarksChanged(),
                    {}}};
  window_.Wait(texts::kSaving);
  for (;;) {
    VoucherEditor* taken = nullptr;
    VoucherEditor* writing = nullptr;
    try {
      host::TransactionGuard transaction(frame::Data());
      for (int i = 0; i < 2 && taken == nullptr; ++i) {
        Side& side = sides[i];
        side.written.reset();
        if (!side.save) continue;
        writing = side.editor;
        if (side.marks_only) {
          frame::ExecuteOnVoucher(frame::Data(), voucher::MarksOnlySql(side.editor->State().header,
                                                                       side.editor->Basis()));
          continue;
        }
        side.editor->SetPartner(CurrentId(i == 0));
        side.written = side.editor->WriteInTransaction(side.editor->SaveRequest(false), true);
        if (!side.written) {
          taken = side.editor;
          break;
        }
        written_[i] = side.written->voucher_id;
      }
      if (taken == nullptr) {
        transaction.Commit();
        written_[0] = written_[1] = 0;
        window_.Wait("");
        for (Side& side : sides) {
          if (side.marks_only) side.editor->MarksSaved();
          if (!side.written) continue;
          side.editor->TakeWritten(*side.written);
          side.editor->Notify();
        }
        return true;
      }
    } catch (const host::DatabaseError& e) {
      written_[0] = written_[1] = 0;
      window_.Wait("");
      if (writing != nullptr) {
        writing->ReportWriteFailure(e);
      } else {
        frame::Msg(std::string(texts::kSaveFailed) + e.what(), host::mb::kCritical,
                   texts::kTitleSave);
      }
      return false;
    }
    // Rolled back: nothing is held while the user answers.
    written_[0] = written_[1] = 0;
    window_.Wait("");
    if (!taken->TakeAnotherNumber()) return false;
    VoucherEditor& other = taken == finance_.get() ? *budget_ : *finance_;
    if (other.IsChanged() && other.GetLngNowID() == 0) other.FollowHeader(taken->State().header);
    window_.Wait(texts::kSaving);
  }
}

bool clsVoucherNew::CashFlowStep(bool check_cash_flow) {
  const long F = finance_->GetLngNowID();
  if (!check_cash_flow || F <= 0) return true;
  cashflow::LoadCashFlowOptions();
  // The setting first: without it no line needs looking up.
  if (!cashflow::blnCashFlowMustAssign()) return true;
  bool cash_lines = false;
  for (const voucher::VoucherLine& line : finance_->State().lines) {
    cash_lines = cash_lines || (line.line_id != 0 && cashflow::IsCashLine(line.line_id));
  }
  std::string message;
  if (!cash_lines || (cashflow::IsVoucherCashFlowValid(F, message) &&
                      cashflow::AllCashLinesAssigned(F, message))) {
    return true;
  }
  if (frame::Msg(texts::kCashFlowMustAssign, kAskFlags, texts::kTitleLeave) != host::mb::kYes) {
    return false;
  }
  const long B = budget_->GetLngNowID();
  host::DataAccess& data = frame::Data();
  {
    host::TransactionGuard transaction(data);
    frame::DeleteStoredVoucher(data, F, host::FinancialBasis());
    if (B > 0) frame::DeleteStoredVoucher(data, B, host::BudgetBasis());
    data.Execute("Delete From BudgetVoucherRelevance Where lngVoucherID=" + N(F));
    transaction.Commit();
  }
  finance_->ForgetStored();
  if (B > 0) budget_->ForgetStored();
  status_label_.clear();
  // The window is left without a saved pair.
  return false;
}

bool clsVoucherNew::AskToSave() {
  if (!finance_->IsChanged() && !budget_->IsChanged()) return true;
  const int answer = frame::Msg(texts::kAskSave,
                                host::mb::kYesNoCancel + host::mb::kQuestion + host::mb::kTaskModal,
                                texts::kTitleAskSave);
  if (answer == host::mb::kCancel) return false;
  if (answer == host::mb::kYes) return SaveBill();
  ReloadBoth();
  return true;
}

bool clsVoucherNew::QueryUnload() {
  if (!AskToSave()) return false;
  // Nothing changed now: only the cash-flow and difference steps run.
  return SaveBill();
}

// ---- Status commands -------------------------------------------------------------------------

bool clsVoucherNew::SaveBeforeCommand(const char* title) {
  finance_->ISaveInput2Form();
  budget_->ISaveInput2Form();
  if (!finance_->IsChanged() && !budget_->IsChanged()) return true;
  if (SaveBill()) return true;
  frame::Msg(texts::kSaveFailed, kStopFlags, title);
  return false;
}

bool clsVoucherNew::Review() {
  return RunPairStep(PairStep::kReview);
}

bool clsVoucherNew::Post() {
  return RunPairStep(PairStep::kPost);
}

bool clsVoucherNew::CashierSign() {
  return RunPairStep(PairStep::kSign);
}

bool clsVoucherNew::RunPairStep(PairStep step) {
  VoucherEditor& first = Current();
  VoucherEditor& second = IsFinance ? *budget_ : *finance_;
  VoucherEditor& lead = first.GetLngNowID() > 0 ? first : second;
  if (lead.GetLngNowID() <= 0) return false;
  auto done = [step](const voucher::VoucherHeader& h) {
    return step == PairStep::kReview ? h.checker_id != 0
           : step == PairStep::kSign ? h.teller_id != 0
                                     : h.poster_id != 0;
  };
  // The pair moves the way its current voucher does.
  const bool undo = done(lead.State().header);
  std::string title = step == PairStep::kReview ? texts::kTitleReview
                      : step == PairStep::kSign ? texts::kTitleSign
                                                : PostTitle(undo);
  if (!SaveBeforeCommand(title.c_str())) return false;
  if (!undo && finance_->GetLngNowID() > 0 && !finance_->CheckVoucherCashFlow()) return false;
  try {
    host::TransactionGuard transaction(frame::Data());
    int moved = 0;
    for (VoucherEditor* editor : {&first, &second}) {
      const long id = editor->GetLngNowID();
      if (id <= 0 || done(editor->State().header) == !undo) continue;
      if (step == PairStep::kSign && !undo && !voucher::IsCashBankVoucher(id, editor->Basis())) {
        continue;
      }
      host::VoucherBusinessService& service = frame::Business(editor->Basis());
      host::VoucherBusinessService::Result result;
      switch (step) {
        case PairStep::kReview:
          result = undo ? service.CancelReview(id) : service.Review(id);
          break;
        case PairStep::kSign:
          result = undo ? service.CancelSign(id) : service.Sign(id);
          break;
        case PairStep::kPost:
          result =
              undo ? service.CancelPost(id) : service.Post(id, frame::Context().StampingEnabled());
          break;
      }
      if (!result.ok) {
        frame::Msg(step == PairStep::kSign ? texts::kSignFailed : result.reason, kStopFlags, title);
        return false;
      }
      ++moved;
    }
    if (moved == 0) {
      if (step == PairStep::kSign) frame::Msg(texts::kSignFailed, kStopFlags, title);
      return false;
    }
    transaction.Commit();
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, title);
    return false;
  }
  ReloadBoth();
  return true;
}

void clsVoucherNew::SetErrorBox(bool on, const std::string& text) {
  finance_->SetErrorMark(on, text);
  budget_->SetErrorMark(on, text);
}

bool clsVoucherNew::ChkBoxErrorValue() const {
  return finance_->State().header.error_mark || budget_->State().header.error_mark;
}

bool clsVoucherNew::ErrorCommand() {
  finance_->ISaveInput2Form();
  budget_->ISaveInput2Form();
  if (finance_->GetLngNowID() <= 0 && budget_->GetLngNowID() <= 0) return false;
  const bool on = !ChkBoxErrorValue();
  std::string reason = finance_->State().header.error_text;
  if (reason.find_first_not_of(' ') == std::string::npos) {
    reason = budget_->State().header.error_text;
  }
  if (reason.empty()) reason = " ";
  SetErrorBox(on, on ? reason : std::string());
  // A new side with no lines is dropped by the save; only the marks of stored vouchers change.
  return SaveBill(false, false);
}

bool clsVoucherNew::OnStoredFinance(const char* title, bool (voucher::frmVoucher::*command)()) {
  if (!SaveBeforeCommand(title)) return false;
  return finance_->GetLngNowID() > 0 && (finance_.get()->*command)();
}

bool clsVoucherNew::BusinessData() {
  return OnStoredFinance(texts::kTitleBusinessData, &voucher::frmVoucher::BusinessData);
}

bool clsVoucherNew::MemoRegistration() {
  return OnStoredFinance(texts::kTitleMemo, &voucher::frmVoucher::MemoRegistration);
}

bool clsVoucherNew::FundCentre() {
  return OnStoredFinance(texts::kTitleFundCentre, &voucher::frmVoucher::FundCentre);
}

bool clsVoucherNew::IssueBills() {
  if (!SaveBeforeCommand(texts::kTitleIssueBills)) return false;
  const long F = finance_->GetLngNowID();
  if (F <= 0) return false;
  std::unique_ptr<host::HostObject> object =
      frame::Login().base_class->NewHostObject(host::BillIssuing::kKind);
  auto* bills = dynamic_cast<host::BillIssuing*>(object.get());
  if (bills == nullptr) return false;
  try {
    const int issued = bills->IssueBills(F);
    frame::Msg(issued > 0 ? texts::kBillsIssuedOpen + N(issued) + texts::kBillsIssuedClose
                          : std::string(texts::kNoBillLines),
               host::mb::kTaskModal + host::mb::kInformation, texts::kTitleIssueBills);
    return issued > 0;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleIssueBills);
    return false;
  }
}

bool clsVoucherNew::Attachments() {
  if (!SaveBeforeCommand(texts::kTitleAttachment) || finance_->GetLngNowID() <= 0) return false;
  frmAttachment window;
  return window.ShowMe(finance_->GetLngNowID());
}

std::vector<clsVoucherNew::DepartmentCost> clsVoucherNew::DepartmentCosts() {
  if (!SaveBeforeCommand(texts::kTitleDepartmentCost)) return {};
  std::vector<DepartmentCost> costs;
  try {
    // The share a department carries is its own amount with its indirect and overhead parts.
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select d.strDepartmentCode || ' ' || d.strDepartmentName As strDepartment, "
        "o.strOutlayCode || ' ' || o.strOutlayName As strOutlay, Sum(c.dblAmount + "
        "c.dblIndirectAmount + c.dblOverheadAmount) As dblAmount From CostApportion c, "
        "VoucherDetail vd, Department d, Outlay o Where c.lngVoucherDetailID = "
        "vd.lngVoucherDetailID And d.lngDepartmentID = c.lngDepartmentID And o.lngOutlayID = "
        "c.lngOutlayID And vd.lngVoucherID = " +
        N(finance_->GetLngNowID()) +
        " Group By d.strDepartmentCode, d.strDepartmentName, o.strOutlayCode, o.strOutlayName "
        "Order By d.strDepartmentCode, o.strOutlayCode");
    for (; !rs.Eof(); rs.MoveNext()) {
      costs.push_back(
          {rs["strDepartment"].AsText(), rs["strOutlay"].AsText(), rs["dblAmount"].AsDouble()});
    }
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleDepartmentCost);
    return {};
  }
  if (costs.empty()) {
    frame::Msg(texts::kNoDepartmentCost, host::mb::kTaskModal + host::mb::kInformation,
               texts::kTitleDepartmentCost);
  }
  return costs;
}

// The split is held with the line like any other edit, so nothing is saved first.
bool clsVoucherNew::ContractSettlement() {
  return finance_->ContractSettlement();
}

bool clsVoucherNew::CostCollection() {
  return finance_->CostCollection();
}

void clsVoucherNew::SetToPrintBox(bool on) {
  finance_->SetPrintMark(on);
  budget_->SetPrintMark(on);
}

bool clsVoucherNew::SetVoidBox() {
  VoucherEditor& lead = finance_->GetLngNowID() > 0 ? *finance_ : *budget_;
  if (!lead.VoidVoucher()) return false;
  if (&lead == finance_.get() && budget_->GetLngNowID() > 0) budget_->VoidVoucher();
  return true;
}

bool clsVoucherNew::ChkBoxBlankoutValue() const {
  return finance_->State().header.void_mark || budget_->State().header.void_mark;
}

bool clsVoucherNew::Reverse() {
  if (!SaveBeforeCommand(texts::kTitleReverse)) return false;
  VoucherEditor& current =
      Current().GetLngNowID() > 0 ? Current() : (IsFinance ? *budget_ : *finance_);
  VoucherEditor& other = &current == finance_.get() ? *budget_ : *finance_;
  const long id = current.GetLngNowID();
  const long partner = other.GetLngNowID();
  if (id <= 0) return false;
  try {
    const long F = finance_->GetLngNowID();
    if (F > 0 && !frame::ReversalGuard(F)) return false;
    if (partner > 0 && &other == finance_.get() &&
        std::fabs(frame::SettledAmount(partner)) > 1e-8) {
      frame::Msg(texts::kSettledPartner, kStopFlags, texts::kTitleReverse);
      return false;
    }
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleReverse);
    return false;
  }
  if (!current.ReverseVoucher(id)) return false;
  const bool loaded = partner > 0 ? other.ReverseVoucher(partner) : LoadSide(other, 0);
  if (!loaded || current.GetLngNowID() < 0 || other.GetLngNowID() < 0) {
    frame::Msg(texts::kReverseLoadFailed, kStopFlags, texts::kTitleReverse);
    return false;
  }
  status_label_.clear();
  return true;
}

bool clsVoucherNew::ReceiptPosition(bool forward) {
  if (!AskToSave()) return false;
  VoucherEditor& lead =
      Current().GetLngNowID() > 0 ? Current() : (IsFinance ? *budget_ : *finance_);
  const long current = lead.GetLngNowID();
  const long partner = (&lead == finance_.get() ? *budget_ : *finance_).GetLngNowID();
  const voucher::VoucherHeader& h = lead.State().header;
  const host::LoginContext& login = frame::Context();
  try {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select lngVoucherID From VoucherView Where intYear=" +
        N(current != 0 ? h.year : login.LoginYear()) +
        " And bytPeriod=" + N(current != 0 ? h.period : login.LoginPeriod()) +
        " And lngSourceOrganizationID=" + N(frame::OrganizationId()) +
        " Order By lngVoucherTypeID, intVoucherNO, lngVoucherBaseID, lngVoucherID");
    std::vector<long> order;
    for (; !rs.Eof(); rs.MoveNext()) order.push_back(static_cast<long>(rs[0].AsLong()));
    if (!forward) std::reverse(order.begin(), order.end());
    auto at = std::find(order.begin(), order.end(), current);
    auto next = at == order.end() ? order.begin() : at + 1;
    while (next != order.end() && (*next == current || *next == partner)) ++next;
    if (next == order.end()) {
      frame::Msg(forward ? voucher::texts::kAtLastVoucher : voucher::texts::kAtFirstVoucher,
                 host::mb::kInformation, "提示信息");
      return false;
    }
    const bool financial = GetVoucherBaseID(*next) == host::kFinancialBaseId;
    VoucherEditor& target = financial ? *finance_ : *budget_;
    VoucherEditor& rest = financial ? *budget_ : *finance_;
    LoadSide(target, *next);
    LoadSide(rest, GetVoucherRelevanceID(*next, financial));
    IsFinance = financial;
    SetlblStatus();
    return true;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleEdit);
    return false;
  }
}

// ---- Layout style ----------------------------------------------------------------------------

std::string clsVoucherNew::ReadAccountRegFile(const std::string& section, const std::string& key) {
  return frame::Login().base_class->Preferences().GetSetting(section, key, "0");
}

void clsVoucherNew::WriteAccountRegFile(const std::string& section, const std::string& key,
                                        const std::string& value) {
  frame::Login().base_class->Preferences().SaveSetting(section, key, value);
}

std::string clsVoucherNew::Style() {
  std::string style = ReadAccountRegFile(texts::kStyleSection, texts::kStyleKey);
  if (style == "0") {
    style = texts::kStyleOne;
    WriteAccountRegFile(texts::kStyleSection, texts::kStyleKey, style);
  }
  return style;
}

std::string clsVoucherNew::SwitchStyle() {
  const std::string style = Style() == texts::kStyleOne ? texts::kStyleTwo : texts::kStyleOne;
  WriteAccountRegFile(texts::kStyleSection, texts::kStyleKey, style);
  // One voucher at a time starts on the financial side.
  if (style == texts::kStyleTwo) IsFinance = true;
  return style;
}

}  // namespace lumvoucher::dualbasis
