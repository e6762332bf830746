#include "lists/frm_batch_voucher.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "frame/id_list.h"
#include "frame/live_reversal.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "host/cls_business_pub.h"
#include "host/data_access.h"
#include "host/message_box.h"
#include "lists/combined_list.h"
#include "lists/dual_basis_links.h"
#include "lists/grid_cells.h"
#include "lists/list_query.h"
#include "lists/list_texts.h"
#include "lists/voucher_list.h"
#include "numbering/number_ledger.h"
#include "voucher/voucher_status.h"

namespace lumvoucher::lists {

namespace {

using frame::SqlNumber;

constexpr const char* kAccountSetSection = "帐套属性";
constexpr const char* kIdColumn = "id";
constexpr const char* kOrganizationColumn = "lngSourceOrganizationID";
constexpr const char* kYearColumn = "MultiYear";
constexpr const char* kPeriodColumn = "MultiPeriod";

constexpr const char* kFinanceSideColumn = "FinanceSide";
constexpr const char* kBudgetSideColumn = "BudgetSide";
constexpr const char* kPairRow = "BudgetVoucherRelevance";

// " From ... Where ...": the cash and bank lines (cb) of the voucher `voucher` of `basis`.
std::string CashBankLinesOf(const host::VoucherBasis& basis, const std::string& voucher) {
  return std::string(" From ") + basis.detail_table + " cb," + basis.account_table +
         " ca Where cb.lngVoucherID=" + voucher +
         " And cb.lngAccountID=ca.lngAccountID And ca.lngAccountNatureID In (1,2)";
}

std::string CashBankLines(const host::VoucherBasis& basis, const std::string& voucher) {
  return "Exists (Select 1" + CashBankLinesOf(basis, voucher) + ")";
}

bool IsSignature(BatchOperation mode) {
  return mode == BatchOperation::kSign || mode == BatchOperation::kCancelSign;
}

// The pair row's column of `basis`: lngVoucherID or lngBudgetVoucherID.
std::string PairSide(const host::VoucherBasis& basis) {
  return std::string(kPairRow) + (basis.IsBudget() ? ".lngBudgetVoucherID" : ".lngVoucherID");
}

const texts::BatchTexts& TextsOf(BatchOperation mode) {
  return texts::kBatchTexts[static_cast<int>(mode)];
}

// "出纳凭证须出纳签字" on: -1 when signatures are not required, else the step they precede
// (0 review, 1 posting).
int SignatureStep() {
  if (!frame::IsTrueSetting(
          frame::SettingValue(0, kAccountSetSection, "出纳凭证须出纳签字", "False"))) {
    return -1;
  }
  return frame::SettingValue(0, kAccountSetSection, "出纳签字控制选项", "0") == "1" ? 1 : 0;
}

std::vector<long> AllOperators() {
  host::Recordset rs =
      frame::Data().OpenRecordset("Select lngOperatorID From Operator Order By lngOperatorID");
  std::vector<long> ids;
  for (; !rs.Eof(); rs.MoveNext()) ids.push_back(static_cast<long>(rs[0].AsLong()));
  return ids;
}

std::vector<long> GroupOperators() {
  std::vector<long> ids;
  const std::string list = voucher::GroupOperatorList();
  for (std::size_t at = 0; at < list.size();) {
    std::size_t end = list.find(' ', at);
    if (end == std::string::npos) end = list.size();
    if (end > at) ids.push_back(std::stol(list.substr(at, end - at)));
    at = end + 1;
  }
  return ids;
}

}  // namespace

std::string MakerInList(std::string_view field, const std::vector<long>& ids,
                        std::size_t group_size) {
  group_size = std::max<std::size_t>(group_size, 1);
  std::vector<std::string> groups;
  for (std::size_t i = 0; i < ids.size(); i += group_size) {
    std::string group;
    for (std::size_t k = i; k < std::min(ids.size(), i + group_size); ++k) {
      group += (k == i ? "" : ",") + SqlNumber(ids[k]);
    }
    groups.push_back(std::move(group));
  }
  if (groups.empty()) return std::string(field) + " In(-1)";
  if (groups.size() == 1) return std::string(field) + " In(" + groups[0] + ")";
  std::string out = "(";
  for (std::size_t i = 0; i < groups.size(); ++i) {
    out += (i == 0 ? "" : " OR ") + std::string(field) + " In(" + groups[i] + ")";
  }
  return out + ")";
}

frmBatchVoucher::frmBatchVoucher(BatchOperation mode, BatchSource source)
    : mode_(mode), source_(std::move(source)) {
  state_.mode = mode;
  state_.title = TextsOf(mode).title;
  state_.run_caption = texts::kBatchRun;
  state_.cancel_caption = texts::kBatchCancel;
  state_.select_all_caption = texts::kBatchSelectAll;
  state_.select_none_caption = texts::kBatchSelectNone;
  state_.columns = {{texts::kBatchTickCaption, true},
                    {texts::kBatchNumberCaption, true},
                    {texts::kBatchDateCaption, true},
                    {texts::kBatchAmountCaption, true},
                    {texts::kBatchMakerCaption, true},
                    {kIdColumn, false},
                    {kOrganizationColumn, false},
                    {kYearColumn, false},
                    {kPeriodColumn, false},
                    {kFinanceSideColumn, false},
                    {kBudgetSideColumn, false}};
}

BatchSource frmBatchVoucher::SourceOf(const VoucherList& list) {
  if (const auto* combined = dynamic_cast<const CombinedList*>(&list)) {
    return {{}, {}, {}, combined->ShownPairs()};
  }
  return {list.ScopeConditions(), list.UserConditions(), list.PermittedCondition(), {}};
}

std::string frmBatchVoucher::WindowName() const {
  return texts::kBatchWindowName;
}

std::string frmBatchVoucher::MakerCondition(const host::VoucherBasis& basis) const {
  host::clsBusinessPub& business = *frame::Login().business_pub;
  const long me = frame::OperatorId();
  std::vector<long> makers;
  const bool review = mode_ == BatchOperation::kReview;
  if (business.HasRight(review ? voucher::status_rights::kReview : voucher::status_rights::kPost)) {
    makers = AllOperators();
  } else {
    if (business.HasRight(review ? voucher::status_rights::kReviewGroup
                                 : voucher::status_rights::kPostGroup)) {
      makers = GroupOperators();
    }
    if (!review && business.HasRight(voucher::status_rights::kPostOwn) &&
        std::find(makers.begin(), makers.end(), me) == makers.end()) {
      makers.push_back(me);
    }
  }
  // The list always starts with -1, so that it is never empty.
  makers.insert(makers.begin(), -1);
  return " And " + MakerInList(std::string(basis.voucher_table) + ".lngOperatorID", makers);
}

std::string frmBatchVoucher::ModeConditions(const host::VoucherBasis& basis) const {
  const std::string v = std::string(" And ") + basis.voucher_table + ".";
  const std::string id = std::string(basis.voucher_table) + ".lngVoucherID";
  const std::string me = SqlNumber(frame::OperatorId());
  const int signature = SignatureStep();
  // Signed already, or nothing for the cashier to sign.
  const std::string signed_first = " And (" + std::string(basis.voucher_table) +
                                   ".lngTellerID<>0 Or Not " + CashBankLines(basis, id) + ")";
  switch (mode_) {
    case BatchOperation::kReview: {
      std::string c = v + "lngCheckerID=0" + v + "blnIsError=0" + v + "blnIsVoid=0" + v +
                      "lngOperatorID<>" + me;
      if (signature == 0) c += signed_first;
      return c + MakerCondition(basis);
    }
    case BatchOperation::kCancelReview:
      return v + "lngCheckerID=" + me + v + "lngPostID=0" + v + "blnIsError=0";
    case BatchOperation::kPost: {
      std::string c = v + "lngCheckerID<>0" + v + "lngPostID=0" + v + "blnIsError=0";
      if (signature == 1) c += signed_first;
      return c + MakerCondition(basis);
    }
    case BatchOperation::kCancelPost:
      // A posting that a reversal voucher rests on stays; source 16 names a transfer instead.
      return v + "lngPostID=" + me + " And Not " + frame::ReversedCondition(id, basis) +
             MakerCondition(basis);
    case BatchOperation::kSign:
      return " And " + CashBankLines(basis, id) + v + "lngTellerID=0" + v + "blnIsError=0" + v +
             "blnIsVoid=0";
    case BatchOperation::kCancelSign: {
      std::string c = v + "lngTellerID=" + me;
      if (signature == 0) c += v + "lngCheckerID=0";
      if (signature == 1) c += v + "lngPostID=0";
      return c;
    }
    case BatchOperation::kDelete:
      return v + "lngTellerID=0" + v + "lngPostID=0" + v + "lngCheckerID=0" + v +
             "lngOperatorID=" + me + v +
             "lngSourceOrganizationID=" + SqlNumber(frame::OrganizationId());
  }
  return std::string();
}

namespace {

// The dialog's columns for the voucher `shown` (an alias), its lines in `details`.
std::string CandidateColumns(const std::string& shown, const char* details, const std::string& id,
                             const std::string& finance_side, const std::string& budget_side) {
  return std::string("Select '' As \"") + texts::kBatchTickCaption +
         "\",VoucherType.strVoucherTypeCode || '-' || LPAD(" + shown +
         ".intVoucherNO,6,'0') As \"" + texts::kBatchNumberCaption + "\"," + shown +
         ".strDate As \"" + texts::kBatchDateCaption + "\",(Select Sum(d.dblAmount) From " +
         details + " d Where d.lngVoucherID=" + shown +
         ".lngVoucherID And d.intDirection=1) As \"" + texts::kBatchAmountCaption +
         "\",MakeOperator.strOperatorName As \"" + texts::kBatchMakerCaption + "\"," + id +
         " As id," + shown + ".lngSourceOrganizationID As lngSourceOrganizationID," + shown +
         ".intYear as MultiYear," + shown + ".bytPeriod as MultiPeriod," + finance_side + " As " +
         kFinanceSideColumn + "," + budget_side + " As " + kBudgetSideColumn;
}

}  // namespace

std::string frmBatchVoucher::CandidateQuery() const {
  if (OverPairs()) return PairCandidateQuery();
  // The filter may name a line or a reference table: a voucher qualifies by any of its lines.
  const std::string filter = VouchersMatching(source_.conditions);
  return CandidateColumns("Voucher", "VoucherDetail", "Voucher.lngVoucherID",
                          "Voucher.lngVoucherID", "0") +
         " From Voucher,VoucherType,Operator MakeOperator"
         " Where Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID"
         " And Voucher.lngOperatorID=MakeOperator.lngOperatorID(+)" +
         source_.scope + filter + source_.permitted + ModeConditions(host::FinancialBasis()) +
         " Order By Voucher.strDate,VoucherType.strVoucherTypeCode,Voucher.intVoucherNO,"
         "Voucher.lngVoucherID";
}

std::string frmBatchVoucher::PairCandidateQuery() const {
  // The side a run acts on, null or 0 when there is none: in the signature modes only a voucher
  // with cash or bank lines takes part.
  auto side = [this](const host::VoucherBasis& basis) {
    if (!IsSignature(mode_)) return PairSide(basis);
    return "(Select Max(cb.lngVoucherID)" + CashBankLinesOf(basis, PairSide(basis)) + ")";
  };
  const std::string finance = side(host::FinancialBasis());
  const std::string budget = side(host::BudgetBasis());
  return CandidateColumns("LeadVoucher", "VoucherDetailView",
                          std::string(kPairRow) + ".lngVoucherRelevanceID", finance, budget) +
         " From BudgetVoucherRelevance,Voucher,BudgetVoucher,VoucherView LeadVoucher,"
         "VoucherTypeView VoucherType,Operator MakeOperator"
         " Where BudgetVoucherRelevance.lngVoucherID=Voucher.lngVoucherID(+)"
         " And BudgetVoucherRelevance.lngBudgetVoucherID=BudgetVoucher.lngVoucherID(+)"
         " And LeadVoucher.lngVoucherID=decode(BudgetVoucherRelevance.lngVoucherID,0,"
         "BudgetVoucherRelevance.lngBudgetVoucherID,BudgetVoucherRelevance.lngVoucherID)"
         " And LeadVoucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID"
         " And LeadVoucher.lngOperatorID=MakeOperator.lngOperatorID(+) And " +
         source_.pairs + " And (nvl(" + finance + ",0)=0 Or (1=1" +
         ModeConditions(host::FinancialBasis()) + ")) And (nvl(" + budget + ",0)=0 Or (1=1" +
         ModeConditions(host::BudgetBasis()) + ")) And (nvl(" + finance + ",0)<>0 Or nvl(" +
         budget +
         ",0)<>0) Order By LeadVoucher.strDate,VoucherType.strVoucherTypeCode,"
         "LeadVoucher.intVoucherNO,BudgetVoucherRelevance.lngVoucherRelevanceID";
}

std::vector<long> frmBatchVoucher::SideIds(const std::vector<int>& rows,
                                           const host::VoucherBasis& basis) const {
  const int column = ColumnIndex(basis.IsBudget() ? kBudgetSideColumn : kFinanceSideColumn);
  std::vector<long> ids;
  for (int row : rows) {
    const host::Value& value =
        state_.rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    if (!value.IsNull() && value.AsLong() != 0) ids.push_back(static_cast<long>(value.AsLong()));
  }
  return ids;
}

bool frmBatchVoucher::Load() {
  try {
    host::Recordset rs = frame::Data().OpenRecordset(CandidateQuery());
    state_.rows = rs.Rows();
    for (host::Recordset::Row& row : state_.rows) row.at(0) = host::Value("");
    state_.selected_row = state_.rows.empty() ? -1 : 0;
    state_.closed = false;
    state_.result = 0;
    return true;
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
    return false;
  }
}

int frmBatchVoucher::ColumnIndex(std::string_view caption) const {
  return ColumnIndexOf(state_.columns, caption);
}

std::string frmBatchVoucher::CellText(int row, int column) const {
  return CellTextOf(
      state_.rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)));
}

long frmBatchVoucher::VoucherID(int row) const {
  return static_cast<long>(state_.rows.at(static_cast<std::size_t>(row))
                               .at(static_cast<std::size_t>(ColumnIndex(kIdColumn)))
                               .AsLong());
}

void frmBatchVoucher::SelectRow(int row) {
  state_.selected_row = row >= 0 && row < static_cast<int>(state_.rows.size()) ? row : -1;
}

void frmBatchVoucher::SetTicked(int row, bool on) {
  lists::SetTicked(state_.rows, row, on);
}

bool frmBatchVoucher::IsTicked(int row) const {
  return lists::IsTicked(state_.rows, row);
}

void frmBatchVoucher::ToggleTick(int row) {
  SetTicked(row, !IsTicked(row));
}

void frmBatchVoucher::SelectAll() {
  lists::SetAllTicked(state_.rows, true);
}

void frmBatchVoucher::SelectNone() {
  lists::SetAllTicked(state_.rows, false);
}

int frmBatchVoucher::TickedCount() const {
  return lists::TickedCount(state_.rows);
}

bool frmBatchVoucher::PeriodClosed(long organization_id, int year, int period) {
  // The run holds the write lock, so no desktop closes a period under it: one answer per period.
  const auto key = std::make_tuple(organization_id, year, period);
  auto it = closed_periods_.find(key);
  if (it == closed_periods_.end()) {
    it = closed_periods_
             .emplace(key, frame::Login().business_pub->Periods().IsPeriodClosed(organization_id,
                                                                                 year, period))
             .first;
  }
  return it->second;
}

std::vector<host::VoucherBusinessService::Result> frmBatchVoucher::Apply(
    host::VoucherBusinessService& business, const std::vector<long>& ids, bool stamping) {
  switch (mode_) {
    case BatchOperation::kReview:
      return business.ReviewMany(ids);
    case BatchOperation::kCancelReview:
      return business.CancelReviewMany(ids);
    case BatchOperation::kPost:
      return business.PostMany(ids, stamping);
    case BatchOperation::kCancelPost:
      return business.CancelPostMany(ids);
    case BatchOperation::kSign:
      return business.SignMany(ids);
    case BatchOperation::kCancelSign:
      return business.CancelSignMany(ids);
    case BatchOperation::kDelete:
      break;
  }
  // Deleting stays one voucher at a time: its first refusal ends the run anyway (and rolls the
  // number ledger's entries back with it).
  numbering::WriteDeleteLedger(ids);
  std::vector<host::VoucherBusinessService::Result> results;
  for (long id : ids) {
    results.push_back(business.Delete(id));
    if (!results.back().ok) break;
  }
  return results;
}

void frmBatchVoucher::Cancel() {
  state_.closed = true;
  state_.result = 0;
}

bool frmBatchVoucher::Run() {
  if (state_.closed) return false;
  const texts::BatchTexts& t = TextsOf(mode_);
  std::vector<int> ticked;
  for (int row = 0; row < static_cast<int>(state_.rows.size()); ++row) {
    if (IsTicked(row)) ticked.push_back(row);
  }
  if (ticked.empty()) {
    frame::Msg(texts::kBatchNothingTicked, host::mb::kExclamation, t.title);
    return false;
  }
  if (frame::Msg(t.confirm, host::mb::kYesNo + host::mb::kQuestion + host::mb::kDefaultButton2,
                 t.title) != host::mb::kYes) {
    return false;
  }
  const int total = static_cast<int>(ticked.size());
  const int organization_column = ColumnIndex(kOrganizationColumn);
  const int year_column = ColumnIndex(kYearColumn);
  const int period_column = ColumnIndex(kPeriodColumn);
  std::string reason;
  int reason_flags = host::mb::kExclamation;
  int done = 0;
  closed_periods_.clear();
  try {
    const bool stamping = mode_ == BatchOperation::kPost && frame::Context().StampingEnabled();
    host::TransactionGuard guard(frame::Data());
    if (progress_) progress_(0, total);
    // The rows before the first one of a closed period go to the service; that one stops
    // the run unless a refusal before it already did.
    std::vector<int> rows;
    bool stopped_by_period = false;
    for (int row : ticked) {
      const host::Recordset::Row& values = state_.rows[static_cast<std::size_t>(row)];
      if (PeriodClosed(
              static_cast<long>(values[static_cast<std::size_t>(organization_column)].AsLong()),
              static_cast<int>(values[static_cast<std::size_t>(year_column)].AsLong()),
              static_cast<int>(values[static_cast<std::size_t>(period_column)].AsLong()))) {
        stopped_by_period = true;
        break;
      }
      rows.push_back(row);
    }
    std::vector<const host::VoucherBasis*> bases = {&host::FinancialBasis()};
    if (OverPairs()) bases.push_back(&host::BudgetBasis());
    // A chunk at a time, so that progress moves and a refusal spares the rest.
    for (std::size_t at = 0; at < rows.size() && reason.empty(); at += frame::kIdChunkSize) {
      const std::vector<int> chunk(rows.begin() + static_cast<std::ptrdiff_t>(at),
                                   rows.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                      rows.size(), at + frame::kIdChunkSize)));
      for (const host::VoucherBasis* basis : bases) {
        for (const host::VoucherBusinessService::Result& result :
             Apply(BusinessServiceOf(basis->base_id), SideIds(chunk, *basis), stamping)) {
          if (!result.ok) {
            reason = result.reason;
            break;
          }
          // A pair counts once both its sides are through.
          if (OverPairs()) continue;
          ++done;
          if (progress_) progress_(done, total);
        }
        if (!reason.empty()) break;
      }
      for (std::size_t k = 0; OverPairs() && reason.empty() && k < chunk.size(); ++k) {
        ++done;
        if (progress_) progress_(done, total);
      }
    }
    if (reason.empty() && stopped_by_period) reason = t.closed;
    if (reason.empty()) {
      guard.Commit();
      state_.closed = true;
      state_.result = done;
      frame::Msg(t.success_before + std::to_string(done) + t.success_after, host::mb::kInformation,
                 t.title);
      return true;
    }
  } catch (const std::exception& error) {
    reason = error.what();
    reason_flags = host::mb::kCritical;
  }
  // Rolled back by now: the messages do not hold the write lock.
  state_.closed = true;
  state_.result = 0;
  if (!reason.empty()) frame::Msg(reason, reason_flags, t.title);
  if (t.failure != nullptr) frame::Msg(t.failure, host::mb::kExclamation, t.title);
  return false;
}

}  // namespace lumvoucher::lists
