#include "lists/frm_batch_voucher.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "host/cls_business_pub.h"
#include "host/data_access.h"
#include "host/message_box.h"
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

constexpr const char* kCashBankLine =
    "Exists (Select 1 From VoucherDetail cb,Account ca Where cb.lngVoucherID=Voucher.lngVoucherID"
    " And cb.lngAccountID=ca.lngAccountID And ca.lngAccountNatureID In (1,2))";

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
                    {kPeriodColumn, false}};
}

BatchSource frmBatchVoucher::SourceOf(const VoucherList& list) {
  return {list.ScopeConditions(), list.UserConditions(), list.PermittedCondition()};
}

std::string frmBatchVoucher::WindowName() const {
  return texts::kBatchWindowName;
}

std::string frmBatchVoucher::MakerCondition() const {
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
  return " And " + MakerInList("Voucher.lngOperatorID", makers);
}

std::string frmBatchVoucher::ModeConditions() const {
  const std::string me = SqlNumber(frame::OperatorId());
  const int signature = SignatureStep();
  switch (mode_) {
    case BatchOperation::kReview: {
      std::string c =
          " And Voucher.lngCheckerID=0 And Voucher.blnIsError=0 And Voucher.blnIsVoid=0 And "
          "Voucher.lngOperatorID<>" +
          me;
      if (signature == 0)
        c += std::string(" And (Voucher.lngTellerID<>0 Or Not ") + kCashBankLine + ")";
      return c + MakerCondition();
    }
    case BatchOperation::kCancelReview:
      return " And Voucher.lngCheckerID=" + me +
             " And Voucher.lngPostID=0 And Voucher.blnIsError=0";
    case BatchOperation::kPost: {
      std::string c =
          " And Voucher.lngCheckerID<>0 And Voucher.lngPostID=0 And Voucher.blnIsError=0";
      if (signature == 1)
        c += std::string(" And (Voucher.lngTellerID<>0 Or Not ") + kCashBankLine + ")";
      return c + MakerCondition();
    }
    case BatchOperation::kCancelPost:
      // A posting that a reversal voucher rests on stays; source 16 names a transfer instead.
      return " And Voucher.lngPostID=" + me +
             " And Not Exists (Select 1 From Voucher r Where r.lngSourceVoucherID="
             "Voucher.lngVoucherID And r.lngSourceVoucherID>0 And r.lngVoucherSourceID<>16)" +
             MakerCondition();
    case BatchOperation::kSign:
      return std::string(" And ") + kCashBankLine +
             " And Voucher.lngTellerID=0 And Voucher.blnIsError=0 And Voucher.blnIsVoid=0";
    case BatchOperation::kCancelSign: {
      std::string c = " And Voucher.lngTellerID=" + me;
      if (signature == 0) c += " And Voucher.lngCheckerID=0";
      if (signature == 1) c += " And Voucher.lngPostID=0";
      return c;
    }
    case BatchOperation::kDelete:
      return " And Voucher.lngTellerID=0 And Voucher.lngPostID=0 And Voucher.lngCheckerID=0 And "
             "Voucher.lngOperatorID=" +
             me + " And Voucher.lngSourceOrganizationID=" + SqlNumber(frame::OrganizationId());
  }
  return std::string();
}

std::string frmBatchVoucher::CandidateQuery() const {
  // The filter may name a line or a reference table: a voucher qualifies by any of its lines.
  const std::string filter = VouchersMatching(source_.conditions);
  return std::string("Select '' As \"") + texts::kBatchTickCaption +
         "\",VoucherType.strVoucherTypeCode || '-' || LPAD(Voucher.intVoucherNO,6,'0') As \"" +
         texts::kBatchNumberCaption + "\",Voucher.strDate As \"" + texts::kBatchDateCaption +
         "\",(Select Sum(d.dblAmount) From VoucherDetail d Where d.lngVoucherID="
         "Voucher.lngVoucherID And d.intDirection=1) As \"" +
         texts::kBatchAmountCaption + "\",MakeOperator.strOperatorName As \"" +
         texts::kBatchMakerCaption +
         "\",Voucher.lngVoucherID As id,Voucher.lngSourceOrganizationID As "
         "lngSourceOrganizationID,Voucher.intYear as MultiYear,Voucher.bytPeriod as MultiPeriod"
         " From Voucher,VoucherType,Operator MakeOperator"
         " Where Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID"
         " And Voucher.lngOperatorID=MakeOperator.lngOperatorID(+)" +
         source_.scope + filter + source_.permitted + ModeConditions() +
         " Order By Voucher.strDate,VoucherType.strVoucherTypeCode,Voucher.intVoucherNO,"
         "Voucher.lngVoucherID";
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
  const int id_column = ColumnIndex(kIdColumn);
  const int organization_column = ColumnIndex(kOrganizationColumn);
  const int year_column = ColumnIndex(kYearColumn);
  const int period_column = ColumnIndex(kPeriodColumn);
  std::string reason;
  int reason_flags = host::mb::kExclamation;
  int done = 0;
  closed_periods_.clear();
  try {
    host::VoucherBusinessService& business = frame::Login().business_pub->VoucherBusiness();
    const bool stamping =
        mode_ == BatchOperation::kPost &&
        frame::SettingValue(0, "企业会计信息化", "支持企业会计信息化工作规范", "0") == "1";
    host::TransactionGuard guard(frame::Data());
    if (progress_) progress_(0, total);
    // The vouchers before the first one of a closed period go to the service; that one stops
    // the run unless a refusal before it already did.
    std::vector<long> ids;
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
      ids.push_back(static_cast<long>(values[static_cast<std::size_t>(id_column)].AsLong()));
    }
    // A chunk at a time, so that progress moves and a refusal spares the rest.
    for (std::size_t at = 0; at < ids.size() && reason.empty(); at += frame::kIdChunkSize) {
      const std::vector<long> chunk(ids.begin() + static_cast<std::ptrdiff_t>(at),
                                    ids.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                      ids.size(), at + frame::kIdChunkSize)));
      for (const host::VoucherBusinessService::Result& result : Apply(business, chunk, stamping)) {
        if (!result.ok) {
          reason = result.reason;
          break;
        }
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
