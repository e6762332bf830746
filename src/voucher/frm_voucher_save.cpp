#include <map>
#include <set>

#include "frame/live_reversal.h"
#include "frame/login_state.h"
#include "frame/module_status.h"
#include "frame/operation_log.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "frame/voucher_conflict.h"
#include "host/calendar_date.h"
#include "host/cls_account.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"
#include "host/database_error.h"
#include "host/main_window.h"
#include "host/message_box.h"
#include "host/read_scope.h"
#include "links/split_writer.h"
#include "voucher/budget_alarm.h"
#include "voucher/frm_voucher.h"
#include "voucher/header_rules.h"
#include "voucher/line_arithmetic.h"
#include "voucher/save_texts.h"
#include "voucher/voucher_status.h"
#include "voucher/voucher_texts.h"
#include "voucher/voucher_writer.h"
#include "voucher/write_form.h"

namespace lumvoucher::voucher {

namespace {

constexpr int kStopFlags = host::mb::kTaskModal + host::mb::kExclamation;
constexpr int kAskFlags = host::mb::kTaskModal + host::mb::kYesNo + host::mb::kQuestion;
constexpr long kGeneralLedger = 3;

std::string N(long value) {
  return std::to_string(value);
}

std::string Row(int n) {
  return "第" + std::to_string(n);
}

bool Blank(const std::string& text) {
  return frame::StringOut(text, " ").empty();
}

// The rows a save stores: every row something was entered in, with its grid position.
std::vector<std::pair<int, VoucherLine*>> FilledRows(std::vector<VoucherLine>& lines) {
  std::vector<std::pair<int, VoucherLine*>> rows;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].IsBlank()) rows.emplace_back(static_cast<int>(i) + 1, &lines[i]);
  }
  return rows;
}

// Debit when the debit cell holds the amount, as the save stores it.
bool OnDebit(const VoucherLine& line) {
  return line.debit != 0 || (line.credit == 0 && line.direction != kCredit);
}

bool InSubtree(const std::string& code, const std::string& parent) {
  return code == parent || code.rfind(parent + "-", 0) == 0;
}

std::string AccountCodeOfLine(const VoucherLine& line, host::clsAccount& accounts) {
  std::string code = line.account_text.substr(0, line.account_text.find(' '));
  if (code.empty() && line.account_id != 0) {
    if (auto account = accounts.AccountById(line.account_id)) code = account->code;
  }
  return code;
}

// What decides whether a stored voucher changed beyond its marks.
std::string ContentOf(const VoucherHeader& h, const std::vector<VoucherLine>& lines) {
  std::string out = N(h.type_id) + "|" + h.number + "|" + h.date + "|" + h.attachments + "|" +
                    N(h.template_id) + "|" + N(h.source_organization_id) + "|" + h.manager + "|" +
                    N(h.source_id) + "|" + N(h.source_voucher_id) + "|" +
                    (h.void_mark ? "1" : "0") + "|" + h.volume + "|" + N(h.maker_id);
  for (const VoucherLine& l : lines) {
    if (l.IsBlank()) continue;
    out += "\n" + N(l.line_id) + "|" + l.remark + "|" + N(l.account_id) + "|" +
           frame::SqlNumber(l.debit) + "|" + frame::SqlNumber(l.credit) + "|" +
           frame::SqlNumber(l.rate) + "|" + frame::SqlNumber(l.quantity) + "|" +
           frame::SqlNumber(l.price) + "|" + frame::SqlNumber(l.currency_amount) + "|" +
           N(l.currency_id) + "|" + N(l.unit_id) + "|" + N(l.department_id) + "|" +
           N(l.employee_id) + "|" + N(l.class1_id) + "|" + N(l.class2_id) + "|" +
           N(l.payment_method_id) + "|" + l.check_number + "|" + l.check_date + "|" +
           l.business_date + "|" + N(l.organization_id) + "|" + l.flexible_id + "|" +
           l.cash_flow_code + (l.splits.Empty() ? "" : "|splits");
  }
  return out;
}

}  // namespace

// The panel is drawn only while the window is on screen, and every road that shows the window
// refreshes it first: a hidden window (a program's WriteForm and SaveAVoucher) skips the
// account-balance query behind it, which reads every stored line of the account.
bool frmVoucher::OnScreen() const {
  host::HostMainWindow* main = frame::Login().main_window;
  if (main == nullptr) return false;
  for (const host::ChildWindow* child : main->OpenChildren()) {
    if (child == this) return true;
  }
  return false;
}

// ---- Marks -----------------------------------------------------------------------------------

void frmVoucher::SetPrintMark(bool on) {
  if (state_.preview) return;
  state_.header.print_mark = on;
  state_.must_save = true;
}

void frmVoucher::SetErrorMark(bool on, const std::string& text) {
  if (state_.preview) return;
  state_.header.error_mark = on;
  state_.header.error_text = text;
  state_.must_save = true;
}

void frmVoucher::KeepSaved() {
  saved_header_ = state_.header;
  saved_lines_ = state_.lines;
}

bool frmVoucher::OnlyMarksChanged() const {
  return saved_header_.voucher_id == state_.header.voucher_id &&
         ContentOf(saved_header_, saved_lines_) == ContentOf(state_.header, state_.lines);
}

void frmVoucher::MarksSaved() {
  state_.must_save = false;
  KeepSaved();
}

// ---- Checks ----------------------------------------------------------------------------------

bool frmVoucher::Stop(const std::string& text, int row) {
  frame::Msg(text, kStopFlags, texts::kTitleSave);
  if (row > 0) state_.current_row = row;
  return false;
}

bool frmVoucher::AskToEdit(const std::string& text, int row, LineField field) {
  if (frame::Msg(text, kAskFlags, texts::kTitleSave) != host::mb::kYes) return true;
  state_.current_row = row;
  state_.focus_field = field;
  return false;
}

bool frmVoucher::CheckHeader(bool cover) {
  VoucherHeader& h = state_.header;
  host::clsBusinessPub& business = *frame::Login().business_pub;
  host::DataAccess& data = frame::Data();
  const long org = frame::OrganizationId();

  if (h.source_organization_id != org && !business.GroupSetUp()) {
    return Stop(texts::kSourceOrganization);
  }
  if (h.template_id == 0) return Stop(texts::kSaveTemplateEmpty);
  if (h.type_id == 0 || Blank(h.type_code)) return Stop(texts::kSaveTypeEmpty);
  if (Blank(h.number)) return Stop(texts::kSaveNumberEmpty);
  const HeaderValue typed_number = VoucherNumberOf(h.number);
  if (typed_number.refusal != nullptr) return Stop(typed_number.refusal);
  const HeaderValue attachments = AttachmentsOf(h.attachments);
  if (attachments.refusal != nullptr) return Stop(attachments.refusal);

  if (Blank(h.date)) return Stop(texts::kSaveDateEmpty);
  const std::string date = host::CalendarDate(h.date);
  if (date.empty()) {
    frame::Msg(texts::kDateInvalid, kStopFlags, texts::kTitleEntry);
    return false;
  }
  h.date = date;
  // The voucher is stored in the period of its date, whatever filled the header.
  const YearPeriod yp = PeriodOfDate(date);
  h.year = yp.year;
  h.period = yp.period;
  const std::string start = frame::ReadSetting(texts::kSectionAccountSet, "启用日期");
  if (!Blank(start) && date < start) return Stop(texts::kDateBeforeStart);
  host::Recordset end =
      host::OpenRemembered(data, "Select Max(strEndDate) As strEndDate From AccountYear");
  if (end.Empty() || Blank(end["strEndDate"].AsText()) || date > end["strEndDate"].AsText()) {
    return Stop(texts::kDateAfterEnd);
  }
  host::Recordset period = host::OpenRemembered(
      data, "Select blnIsClosed From AccountPeriod Where lngOrganizationID = " + N(org) +
                " And strStartDate <= " + frame::SqlText(date) +
                " And strEndDate >= " + frame::SqlText(date));
  frame::ModuleStatus ledger = frame::GetModuleStatus(kGeneralLedger);
  if (period.Empty() || period["blnIsClosed"].AsBool() ||
      ledger.state != frame::ModuleState::kRunning ||
      h.year * 100 + h.period < ledger.year * 100 + ledger.period) {
    return Stop(texts::kDateClosed);
  }

  // A void voucher reverses nothing, so only a live one is held to the reversal rules.
  if (h.source_voucher_id != 0 && h.source_id != 16 && !h.void_mark) {
    host::Recordset other = data.OpenRecordset(
        "Select Voucher.intYear, Voucher.bytPeriod, VoucherType.strVoucherTypeCode, "
        "Voucher.intVoucherNO From " +
        Basis().VoucherAsVoucher() +
        ", VoucherType Where Voucher.lngVoucherTypeID = VoucherType.lngVoucherTypeID And " +
        frame::IsLiveReversalOf("Voucher", N(h.source_voucher_id)) + " AND Voucher.lngVoucherID<>" +
        N(h.voucher_id));
    if (!other.Empty()) {
      return Stop(texts::kAlreadyReversed +
                  frame::VoucherReference(static_cast<int>(other["intYear"].AsLong()),
                                          static_cast<int>(other["bytPeriod"].AsLong()),
                                          other["strVoucherTypeCode"].AsText(),
                                          other["intVoucherNO"].AsLong()) +
                  "\n" + texts::kCannotSave);
    }
    host::Recordset reversed =
        data.OpenRecordset(std::string("Select strDate From ") + Basis().voucher_table +
                           " Where lngVoucherID=" + N(h.source_voucher_id));
    if (!reversed.Empty() && date < reversed["strDate"].AsText()) {
      return Stop(std::string(texts::kReversalEarlier) + "！");
    }
  }

  if (FilledRows(state_.lines).empty()) return Stop(texts::kNoLines);

  // A program that may overwrite leaves a taken number to the cover rule of the write.
  if (!cover && NumberTaken() && !TakeAnotherNumber()) return false;

  if (business.CostPeriodClosed(h.year, h.period)) return Stop(texts::kCostClosed);
  return true;
}

bool frmVoucher::NumberTaken(bool in_transaction) {
  const VoucherHeader& h = state_.header;
  host::clsBusinessPub& business = *frame::Login().business_pub;
  const long number = VoucherNumberOf(h.number).value;
  if (in_transaction) {
    return business.NumberTakenInTransaction(h.type_id, host::kReceiptTypeVoucher, number,
                                             h.voucher_id, h.source_organization_id, h.year,
                                             h.period, h.partner_voucher_id);
  }
  return business.NumberTaken(h.type_id, host::kReceiptTypeVoucher, number, h.voucher_id,
                              h.source_organization_id, h.year, h.period, h.partner_voucher_id);
}

bool frmVoucher::TakeAnotherNumber() {
  VoucherHeader& h = state_.header;
  host::clsBusinessPub& business = *frame::Login().business_pub;
  if (!business.AutoRenumber()) return Stop(texts::kTaken);
  std::string offered = business.VoucherNumber(h.year, h.period, h.type_id,
                                               N(h.source_organization_id), h.date, 0, 9999);
  std::string text =
      frame::VoucherNoText(host::clsBaseClass::TextToLong(frame::StrRight(offered, 6)));
  const bool gaps =
      frame::SettingValue(0, texts::kSectionAccountSet, texts::kKeyReuseGaps, "False") == "True";
  std::string question =
      gaps ? texts::kTakenGapAsk + text + texts::kTakenGapAskEnd : std::string(texts::kTakenMaxAsk);
  if (frame::Msg(question, kAskFlags, texts::kTitleSave) != host::mb::kYes) return false;
  h.number = text;
  return true;
}

bool frmVoucher::CheckLines() {
  host::clsAccount& accounts = frame::Chart(Basis());
  host::DataAccess& data = frame::Data();
  const int decimals = frame::Context().AmountDecimals();
  std::optional<bool> cash_bank_only;
  // The totals and the panel follow a line that passed its rules; the panel shows the current
  // row, which a passing line leaves alone. Both are brought up to date once after the lines,
  // not once per line, and before a failing line's answer from the lines that passed before it.
  const int shown_row = state_.current_row;
  const bool on_screen = OnScreen();
  bool passed = false;
  auto fail = [&](bool result) {
    if (!passed) return result;
    Recompute();
    if (!on_screen) return result;
    const int row = state_.current_row;
    state_.current_row = shown_row;
    try {
      UpdateInfo();
    } catch (const host::DatabaseError&) {
      state_.info_text.clear();
    }
    state_.current_row = row;
    return result;
  };
  for (auto& [n, line] : FilledRows(state_.lines)) {
    if (line->account_id == 0) return fail(Stop(Row(n) + texts::kLineNoAccount, n));
    // Numbers that reached the line other than through its cells.
    VoucherLine fitted = *line;
    if (!FitNumbers(fitted, DecimalsOf(fitted))) {
      return fail(Stop(Row(n) + "条分录" + texts::kNumberTooLarge, n));
    }
    // The account's nature matters only where cash and bank accounts are kept to their module:
    // ask that once, then look the account up only when it does.
    if (!cash_bank_only) {
      cash_bank_only = frame::Login().business_pub->CashBankOnly(state_.header.source_id);
    }
    if (*cash_bank_only) {
      std::optional<host::AccountInfo> account = accounts.AccountById(line->account_id);
      if (account && (account->nature == 1 || account->nature == 2)) {
        return fail(Stop(texts::kCashBankOnly, n));
      }
    }
    if (Blank(line->remark) && !AskToEdit(Row(n) + texts::kRemarkEmpty, n, LineField::kRemark))
      return fail(false);
    // Costs the user agreed to clear with the account change are not compared any more.
    // A cost split the line holds was checked against the line by its card.
    if (line->line_id != 0 && !line->clear_cost_collection && !line->splits.cost) {
      host::Recordset cost = data.OpenRecordset(
          "Select ca.dblAmount, Outlay.intDirection From CostApportion ca, Outlay Where "
          "ca.lngOutlayID = Outlay.lngOutlayID(+) And ca.lngVoucherDetailID = " +
          N(line->line_id));
      if (!cost.Empty()) {
        host::Recordset acc =
            data.OpenRecordset(std::string(" Select * From ") + Basis().account_table +
                               " Where lngAccountID = " + N(line->account_id));
        const long account_direction = acc.Empty() ? 0 : acc["intDirection"].AsLong();
        double total = 0;
        bool mismatch = false;
        for (; !cost.Eof(); cost.MoveNext()) {
          total += cost["dblAmount"].AsDouble();
          mismatch = mismatch || cost["intDirection"].AsLong() == account_direction;
        }
        if (mismatch && !AskToEdit(Row(n) + texts::kCostItemMismatch, n)) return fail(false);
        if (RoundTo(total, decimals) != RoundTo(line->Amount(), decimals)) {
          if (!frame::Login().business_pub->CostDifferenceAllowed()) {
            return fail(Stop(Row(n) + texts::kCostTotalStop, n));
          }
          if (!AskToEdit(Row(n) + texts::kCostTotalAsk, n)) return fail(false);
        }
      }
    }
    if (line->organization_id != 0) {
      host::Recordset org =
          data.OpenRecordset("Select strStartDate From Organization Where lngOrganizationID=" +
                             N(line->organization_id));
      if (!org.Empty() && !Blank(org["strStartDate"].AsText()) &&
          org["strStartDate"].AsText() > state_.header.date) {
        return fail(Stop(Row(n) + texts::kLineOrganizationLate, n));
      }
    }
    // ValidateLine while saving, less its per-line totals and panel refresh.
    try {
      LineCheck check = ValidateLineRules(state_.lines, n, true, true, RuleContext());
      if (!check.passed) {
        state_.current_row = n;
        state_.focus_field = check.field;
        return fail(false);
      }
    } catch (const host::DatabaseError& e) {
      frame::Msg(std::string(texts::kSaveFailed) + e.what(), host::mb::kCritical,
                 texts::kTitleSave);
      return fail(false);
    }
    passed = true;
  }
  if (!passed) return true;
  Recompute();
  if (!on_screen) return true;
  try {
    UpdateInfo();
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string(texts::kSaveFailed) + e.what(), host::mb::kCritical, texts::kTitleSave);
    return false;
  }
  return true;
}

bool frmVoucher::CheckRestrictions() {
  // A type's restriction accounts are accounts of the financial chart: they bind financial
  // vouchers only.
  if (Basis().IsBudget()) return true;
  const VoucherHeader& h = state_.header;
  host::DataAccess& data = frame::Data();
  const std::string columns =
      "SELECT lngDebitAccountID1, lngDebitAccountID2, lngCreditAccountID1, lngCreditAccountID2, "
      "lngVoucherAccountID1, lngVoucherAccountID2, lngVoucherNoAccountID1, lngVoucherNoAccountID2 ";
  host::Recordset rs = host::OpenRemembered(
      data, columns + "FROM VoucherTypeEx WHERE lngVoucherTypeID=" + N(h.type_id) +
                " AND blnIsInActive=0 And lngOrganizationID = " + N(frame::OrganizationId()));
  if (rs.Empty()) {
    rs = host::OpenRemembered(data, columns + "FROM VoucherType WHERE lngVoucherTypeID=" +
                                        N(h.type_id) + " AND blnIsInActive=0");
  }
  if (rs.Empty()) return Stop(texts::kTypeWrong);

  host::clsAccount& accounts = frame::Chart(Basis());
  struct Restriction {
    std::string code;
    std::string text;
  };
  auto restrictions = [&](const char* first, const char* second) {
    std::vector<Restriction> out;
    for (const char* column : {first, second}) {
      long id = static_cast<long>(rs[column].AsLong());
      if (id == 0) continue;
      std::optional<host::AccountInfo> a = accounts.AccountById(id);
      out.push_back(a ? Restriction{a->code, a->code + " " + a->name} : Restriction{N(id), N(id)});
    }
    return out;
  };
  auto rows = FilledRows(state_.lines);
  std::vector<std::string> codes;
  for (auto& [n, line] : rows) codes.push_back(AccountCodeOfLine(*line, accounts));

  for (const Restriction& r : restrictions("lngVoucherNoAccountID1", "lngVoucherNoAccountID2")) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (InSubtree(codes[i], r.code)) {
        return Stop(texts::kAccountOpen + rows[i].second->account_text + texts::kMustNot +
                        h.type_code + texts::kMustNotEnd,
                    rows[i].first);
      }
    }
  }
  // side: 1 debit lines, -1 credit lines, 0 any line.
  auto must_have = [&](const char* first, const char* second, int side, const char* open,
                       const char* middle) {
    std::vector<Restriction> wanted = restrictions(first, second);
    if (wanted.empty()) return true;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const bool debit = OnDebit(*rows[i].second);
      if (side == kDebit && !debit) continue;
      if (side == kCredit && debit) continue;
      for (const Restriction& r : wanted) {
        if (InSubtree(codes[i], r.code)) return true;
      }
    }
    std::string text = open + h.type_code + middle + wanted[0].text;
    if (wanted.size() > 1) text += texts::kOr + wanted[1].text;
    return Stop(text + texts::kMissingEnd);
  };
  return must_have("lngDebitAccountID1", "lngDebitAccountID2", kDebit, texts::kDebitMissing,
                   texts::kDebitMissingMiddle) &&
         must_have("lngCreditAccountID1", "lngCreditAccountID2", kCredit, texts::kCreditMissing,
                   texts::kCreditMissingMiddle) &&
         must_have("lngVoucherAccountID1", "lngVoucherAccountID2", 0, texts::kAnyMissing,
                   texts::kAnyMissingMiddle);
}

bool frmVoucher::CheckBeforeSave(bool cover) {
  state_.header.partner_voucher_id = PairPartnerId();
  if (!CheckHeader(cover) || !CheckLines()) return false;
  auto rows = FilledRows(state_.lines);

  if (rows.size() > 1) {
    const VoucherLine& a = *rows[0].second;
    bool same = true;
    for (auto& [n, line] : rows) {
      same = same && line->account_id == a.account_id && line->unit_id == a.unit_id &&
             line->department_id == a.department_id && line->employee_id == a.employee_id &&
             line->class1_id == a.class1_id && line->class2_id == a.class2_id &&
             line->flexible_id == a.flexible_id;
    }
    if (same) return Stop(texts::kAllSame);
  }

  const int decimals = frame::Context().AmountDecimals();
  Recompute();
  const std::string debit = FormatFixed(state_.totals.debit, decimals);
  const std::string credit = FormatFixed(state_.totals.credit, decimals);
  if (debit != credit) {
    Stop(texts::kUnbalanced +
         FormatFixed(RoundTo(state_.totals.debit - state_.totals.credit, decimals), decimals) +
         texts::kUnbalancedEnd);
    if (state_.current_row == 0) state_.current_row = rows.front().first;
    state_.focus_field = LineField::kDebit;
    return false;
  }

  if (frame::Login().business_pub->SameOrganizationCheck()) {
    std::set<long> debit_orgs, credit_orgs;
    for (auto& [n, line] : rows) {
      long org = line->organization_id != 0 ? line->organization_id : frame::OrganizationId();
      (OnDebit(*line) ? debit_orgs : credit_orgs).insert(org);
    }
    if (debit_orgs == credit_orgs && debit_orgs.size() == 1 &&
        frame::Msg(texts::kSameOrganization, kAskFlags, texts::kTitleSave) != host::mb::kYes) {
      return false;
    }
  }

  if (!CheckRestrictions()) return false;

  // Budgets are set over the financial chart and its cost shares: a budget voucher is not
  // checked.
  if (budget_alarm_ && !basis_->IsBudget()) {
    std::vector<const VoucherLine*> filled;
    for (auto& [n, line] : rows) filled.push_back(line);
    if (frame::SettingValue(0, texts::kBudgetAlarmSection, texts::kBudgetAlarmComprehensive,
                            "False") == "True") {
      const std::string refusal = ComprehensiveBudgetRefusal(state_.header, filled);
      if (!refusal.empty()) return Stop(refusal);
    } else if (const std::string warning = OutlayBudgetWarning(state_.header, filled);
               !warning.empty()) {
      frame::Msg(warning, kStopFlags, texts::kTitleSave);
    }
  }

  for (auto& [n, line] : rows) {
    if (line->curr_payment_amount != 0 || line->splits.settlement) {
      frame::Msg(texts::kSettlementNotice, host::mb::kTaskModal + host::mb::kInformation,
                 texts::kTitleSave);
      break;
    }
  }

  if (!ConfirmParallelRules()) return false;
  switch (frame::Login().business_pub->AssetSourceChanged(state_.header.voucher_id,
                                                          state_.header.source_id)) {
    case host::AssetSourceChange::kNone:
      return true;
    case host::AssetSourceChange::kFixedAssetCard:
      return Stop(texts::kFixedAssetChanged);
    case host::AssetSourceChange::kFixedFee:
      return Stop(texts::kFixedFeeChanged);
    case host::AssetSourceChange::kConsumableCard:
      return Stop(texts::kConsumableChanged);
    case host::AssetSourceChange::kIntangible:
      return Stop(texts::kIntangibleChanged);
    case host::AssetSourceChange::kDeferredCard:
      return Stop(texts::kDeferredChanged);
  }
  return true;
}

std::string frmVoucher::BudgetAlarmCaption() const {
  return budget_alarm_ ? texts::kBudgetAlarmClose : texts::kBudgetAlarmOpen;
}

// ---- Writing ---------------------------------------------------------------------------------

WriteRequest frmVoucher::SaveRequest(bool as_new) const {
  WriteRequest request;
  request.header = state_.header;
  request.basis = basis_;
  if (as_new) request.header.voucher_id = 0;
  for (const VoucherLine& line : state_.lines) {
    if (line.IsBlank()) continue;
    request.lines.push_back(line);
    if (as_new) request.lines.back().line_id = 0;
  }
  return request;
}

bool frmVoucher::WriteSaved(bool cover, bool as_new, bool log) {
  WriteRequest request = SaveRequest(as_new);
  request.cover = cover;
  for (;;) {
    if (wait_) wait_(texts::kSaving);
    const WriteOutcome outcome = WriteOnce(request, log);
    if (wait_) wait_("");
    if (outcome != WriteOutcome::kNumberTaken) return outcome == WriteOutcome::kWritten;
    // Rolled back, so nothing is held while the user answers.
    if (!TakeAnotherNumber()) return false;
    request.header.number = state_.header.number;
  }
}

std::optional<WriteResult> frmVoucher::WriteInTransaction(const WriteRequest& request, bool log) {
  // Writers take turns inside the transaction, so the number check made before it is made
  // again here: a number another desktop took meanwhile is the check's ordinary duplicate
  // case. VOUCHER_NOUNIQUE stays for a backend whose writers do not take turns.
  if (!request.cover && NumberTaken()) return std::nullopt;
  return WriteAndLog(request, log);
}

WriteResult frmVoucher::WriteAndLog(const WriteRequest& request, bool log) {
  const VoucherHeader& h = state_.header;
  WriteResult written = WriteVoucher(request);
  WrittenInTransaction(written.voucher_id);
  if (log) {
    std::string text = request.header.voucher_id == 0 ? texts::kLogNew : texts::kLogModify;
    text += N(h.period) + texts::kLogPeriod + TypeAndNumber(h.type_code, h.number);
    if (request.header.voucher_id != 0) {
      text += texts::kLogOld + written.old_type_and_number + ")";
    }
    frame::WriteLog(frame::LogEntryNow(std::move(text)));
  }
  return written;
}

void frmVoucher::TakeWritten(const WriteResult& written) {
  VoucherHeader& h = state_.header;
  h.voucher_id = written.voucher_id;
  h.stored_year = h.year;
  h.stored_period = h.period;
  auto rows = FilledRows(state_.lines);
  // The lines move: state_.lines is replaced by them.
  std::vector<VoucherLine> stored;
  stored.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    stored.push_back(std::move(*rows[i].second));
    stored.back().line_id = written.line_ids[i];
    stored.back().clear_cost_collection = false;
    stored.back().splits = {};
  }
  state_.lines = std::move(stored);
  if (state_.current_row > static_cast<int>(state_.lines.size())) {
    state_.current_row = static_cast<int>(state_.lines.size());
  }
  state_.must_save = false;
  Recompute();
  KeepSaved();
}

void frmVoucher::ReportWriteFailure(const host::DatabaseError& e) {
  if (dynamic_cast<const frame::VoucherConflict*>(&e) != nullptr) {
    frame::Msg(e.what(), kStopFlags, texts::kTitleSave);
  } else if (e.Violates(basis_->unique_key)) {
    frame::Msg(std::string(texts::kNumberDuplicate) + "(" + state_.header.number + ")", kStopFlags,
               texts::kTitleSave);
  } else {
    frame::Msg(std::string(texts::kSaveFailed) + e.what(), host::mb::kCritical, texts::kTitleSave);
  }
}

frmVoucher::WriteOutcome frmVoucher::WriteOnce(const WriteRequest& request, bool log) {
  const VoucherHeader& h = state_.header;
  try {
    host::TransactionGuard transaction(frame::Data());
    // A lone voucher's check may fail the commit instead (the key below); the pair window
    // checks each of its two at once, to know which one to renumber.
    if (!request.cover && NumberTaken(true)) return WriteOutcome::kNumberTaken;
    WriteResult written = WriteAndLog(request, log);
    transaction.Commit();
    TakeWritten(written);
    return WriteOutcome::kWritten;
  } catch (const CoverRefused& refused) {
    frame::Msg(h.type_code + h.number + texts::kCannotCover + refused.what() + ")", kStopFlags,
               texts::kTitleSave);
  } catch (const links::SettlementWriteFailed& failed) {
    frame::Msg(failed.what(), kStopFlags, texts::kTitleSave);
  } catch (const host::DatabaseError& e) {
    if (e.Violates(host::clsBusinessPub::kNumberTakenKey)) return WriteOutcome::kNumberTaken;
    ReportWriteFailure(e);
  }
  return WriteOutcome::kFailed;
}

void frmVoucher::Notify() {
  const long id = state_.header.voucher_id;
  if (id == 0) return;
  frame::LoginState& login = frame::Login();
  const long source = state_.header.source_id;
  const long second = state_.second_source_code;
  if (login.am_asset != nullptr) {
    if (source == 14 || second == 24) login.am_asset->RefreshAMAssetVoucherID(id);
    if (source == 9) login.am_asset->RefreshAssetCreateVoucher(id);
  }
  if (source == 33 && login.consumption != nullptr) login.consumption->RefreshVoucherID(id);
  if ((source == 35 || second == 32) && login.immaterial_asset != nullptr) {
    login.immaterial_asset->RefreshVoucherID(id);
  }
  if (source == 36 && login.defered != nullptr) login.defered->RefreshVoucherID(id);
}

bool frmVoucher::SaveBill() {
  if (!state_.must_save || state_.preview) return true;
  if (state_.header.voucher_id != 0 && OnlyMarksChanged()) {
    try {
      frame::ExecuteOnVoucher(frame::Data(), MarksOnlySql(state_.header, *basis_));
    } catch (const host::DatabaseError& e) {
      ReportWriteFailure(e);
      return false;
    }
    MarksSaved();
    return true;
  }
  if (!CheckForSave()) return false;
  if (!WriteSaved(false, false, true)) return false;
  Notify();
  return true;
}

bool frmVoucher::CheckForSave() {
  host::ReadScope reads(frame::Data());
  try {
    Recompute();
    if (!CheckBeforeSave(false)) return false;
    if (state_.header.voucher_id != 0) {
      host::Recordset bills =
          frame::Data().OpenRecordset(BankBillsSql(state_.header.voucher_id, *basis_));
      if (!bills.Empty() &&
          frame::Msg(texts::kBankBills, kAskFlags, texts::kTitleHint) != host::mb::kYes) {
        return false;
      }
    }
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string(texts::kSaveFailed) + e.what(), host::mb::kCritical, texts::kTitleSave);
    return false;
  }
  return true;
}

int frmVoucher::SaveAVoucher(bool blnCover) {
  if (!state_.must_save) return 2;
  int result = 0;
  // The checks read the file some thirty times; the write takes its own transaction.
  host::ReadScope reads(frame::Data());
  try {
    Recompute();
    // A program's voucher is always a new one, whatever the window showed before.
    state_.header.voucher_id = 0;
    for (VoucherLine& line : state_.lines) line.line_id = 0;
    if (CheckBeforeSave(blnCover) && WriteSaved(blnCover, true, false)) result = 1;
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string(texts::kSaveFailed) + e.what(), host::mb::kCritical, texts::kTitleSave);
  }
  state_.must_save = false;
  user_entry_ = true;
  return result;
}

// ---- Filling for a program -------------------------------------------------------------------

bool frmVoucher::WriteForm(const std::string& strDetail) {
  std::optional<ProgramVoucher> parsed = ParseWriteForm(strDetail);
  if (!parsed) return false;
  try {
    host::ReadScope reads(frame::Data());
    FormLoad();
    ReadStamping();
    host::DataAccess& data = frame::Data();
    host::clsAccount& accounts = frame::Chart(Basis());
    host::LoginContext& login = frame::Context();
    const long org = frame::OrganizationId();
    VoucherHeader& h = parsed->header;
    if (h.source_organization_id == 0) h.source_organization_id = org;
    // The year and period are the date's: a record naming others does not describe a voucher.
    const YearPeriod yp = PeriodOfDate(h.date);
    if (h.year != 0 && (h.year != yp.year || h.period != yp.period)) return false;
    h.year = yp.year;
    h.period = yp.period;
    if (h.type_id != 0) {
      host::Recordset type = host::OpenRemembered(
          data,
          "Select strVoucherTypeCode From VoucherType Where lngVoucherTypeID=" + N(h.type_id));
      h.type_code = type.Empty() ? std::string() : type["strVoucherTypeCode"].AsText();
      if (type.Empty()) h.type_id = 0;
    }
    // The template as for a new voucher: the organisation's own one when the given one is not
    // the organisation's.
    host::Recordset tpl = host::OpenRemembered(
        data,
        "SELECT lngTemplateID FROM Template WHERE (lngOrganizationId=-1 or lngOrganizationId=" +
            N(org) + ") and lngTemplateID=" + N(h.template_id) +
            " AND lngReceiptTypeID=" + N(host::kReceiptTypeVoucher));
    if (tpl.Empty()) {
      host::Recordset own = host::OpenRemembered(
          data, "select lngTemplateID from vouchertypeex where Vouchertypeex.lngVoucherTypeID = " +
                    N(h.type_id) + " and Lngorganizationid=" + N(org));
      h.template_id = own.Empty() ? 0 : static_cast<long>(own["lngTemplateID"].AsLong());
    }
    if (h.template_id != 0) {
      host::Recordset name = host::OpenRemembered(
          data, "Select strTemplateName From Template Where lngTemplateID=" + N(h.template_id));
      h.template_name = name.Empty() ? std::string() : name["strTemplateName"].AsText();
    }
    if (h.maker_id == 0 || h.maker_id == login.CurrentOperator().id) {
      h.maker_id = login.CurrentOperator().id;
      h.maker_name = login.CurrentOperator().name;
    } else {
      host::Recordset op = data.OpenRecordset(
          "Select strOperatorName From Operator Where lngOperatorID=" + N(h.maker_id));
      h.maker_name = op.Empty() ? std::string() : op["strOperatorName"].AsText();
    }
    // Lines of one voucher share their currency and often their items: one look-up each.
    std::map<std::pair<int, long>, std::optional<host::ItemInfo>> items;
    for (VoucherLine& line : parsed->lines) {
      if (auto account = accounts.AccountById(line.account_id)) {
        line.account_text = account->code + " " + account->name;
      } else {
        line.account_id = 0;
      }
      auto fill = [&](int kind, long& id, std::string& text, bool name_only) {
        if (id == 0) return;
        auto [known, first] = items.try_emplace({kind, id});
        if (first) known->second = accounts.ItemById(kind, id);
        if (const std::optional<host::ItemInfo>& item = known->second) {
          text = name_only ? item->name : item->code + " " + item->name;
        } else {
          id = 0;
        }
      };
      fill(host::item_kind::kCurrency, line.currency_id, line.currency_name, true);
      if (line.currency_id != 0) {
        const host::ItemInfo& currency = *items[{host::item_kind::kCurrency, line.currency_id}];
        line.currency_decimals = currency.amount_decimals;
        line.rate_decimals = currency.rate_decimals;
      }
      fill(host::item_kind::kUnit, line.unit_id, line.unit_text, false);
      fill(host::item_kind::kDepartment, line.department_id, line.department_text, false);
      fill(host::item_kind::kEmployee, line.employee_id, line.employee_text, false);
      fill(host::item_kind::kClass1, line.class1_id, line.class1_text, false);
      fill(host::item_kind::kClass2, line.class2_id, line.class2_text, false);
      fill(host::item_kind::kPaymentMethod, line.payment_method_id, line.payment_method_text,
           false);
      fill(host::item_kind::kOrganization, line.organization_id, line.organization_text, false);
      // Amounts as if typed: rounded to their decimals, within 15 digits.
      if (!FitNumbers(line, DecimalsOf(line))) return false;
    }
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleEntry);
    return false;
  }
  state_.header = std::move(parsed->header);
  state_.lines = std::move(parsed->lines);
  state_.second_source_code = parsed->second_source_code;
  state_.document_kind = parsed->document_kind;
  state_.reversed = false;
  state_.preview = false;
  state_.current_row = state_.lines.empty() ? 0 : 1;
  state_.top_row = 1;
  state_.focus_field = LineField::kNone;
  state_.focus_header = HeaderField::kNone;
  user_entry_ = false;
  Recompute();
  UpdateCaptions();
  state_.info_text.clear();
  if (OnScreen()) {
    try {
      UpdateInfo();
    } catch (const host::DatabaseError&) {
      state_.info_text.clear();
    }
  }
  return true;
}

}  // namespace lumvoucher::voucher
