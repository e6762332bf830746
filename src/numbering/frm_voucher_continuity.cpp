#include "numbering/frm_voucher_continuity.h"

#include <algorithm>
#include <set>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/voucher_lookup.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"
#include "host/data_access.h"
#include "host/message_box.h"
#include "host/voucher_basis.h"
#include "lists/grid_cells.h"
#include "lists/list_columns.h"
#include "lists/list_query.h"
#include "numbering/number_ledger.h"
#include "numbering/numbering_texts.h"
#include "numbering/voucher_moves.h"

namespace lumvoucher::numbering {

namespace {

using frame::SqlNumber;

constexpr const char* kIdColumn = "id";
constexpr const char* kYearColumn = "MultiYear";
constexpr const char* kPeriodColumn = "MultiPeriod";
constexpr const char* kTypeColumn = "MultiVoucherType";
constexpr const char* kBaseColumn = "VoucherBaseID";
// Former numbers of a continuity run have six digits in both bases.
constexpr int kFormerDigits = 6;

bool Refuse(const char* text) {
  frame::Msg(text, host::mb::kExclamation, texts::kContinuityTitle);
  return false;
}

}  // namespace

frmVoucherContinuity::frmVoucherContinuity(NumberingBasis basis) : basis_(basis) {
  state_.title = texts::kContinuityTitle;
  state_.run_caption = texts::kContinuityRun;
  state_.filter_caption = texts::kContinuityFilter;
  state_.select_all_caption = texts::kContinuitySelectAll;
  state_.select_none_caption = texts::kContinuitySelectNone;
}

std::string frmVoucherContinuity::WindowName() const {
  return texts::kContinuityWindowName;
}

void frmVoucherContinuity::ReadColumns() {
  host::DataAccess& data = frame::Data();
  host::Recordset list = data.OpenRecordset("Select lngListID From List Where strListName=" +
                                            frame::SqlText(texts::kContinuityWindowName));
  list_id_ = list.Empty() ? 0 : static_cast<long>(list[std::size_t{0}].AsLong());
  configured_ = lists::ConfiguredColumns(list_id_);
  state_.columns = {{texts::kTickCaption, true}};
  for (const lists::ColumnDef& column : configured_)
    state_.columns.push_back({column.caption, true});
  state_.columns.push_back({texts::kStatusCaption, true});
  if (basis_.IsDual()) state_.columns.push_back({texts::kBasisCaption, true});
  for (const char* hidden : {kIdColumn, kYearColumn, kPeriodColumn, kTypeColumn, kBaseColumn}) {
    state_.columns.push_back({hidden, false});
  }
}

std::string frmVoucherContinuity::CandidateQuery() const {
  std::string columns;
  std::string named;
  for (const lists::ColumnDef& column : configured_) {
    columns += "," + column.expression + " As \"" + column.caption + "\"";
    named += column.expression + " ";
  }
  const lists::TableJoins joins = lists::ReferenceTables(named);
  return std::string("Select '' As \"") + texts::kTickCaption + "\"" + columns +
         ",decode(Voucher.blnIsVoid,1,'" + texts::kStatusVoid + "',decode(Voucher.blnIsError,1,'" +
         texts::kStatusError + "','')) As \"" + texts::kStatusCaption + "\"" +
         (basis_.IsDual() ? std::string(",decode(Voucher.lngVoucherBaseID,2,'预算','财务') As \"") +
                                texts::kBasisCaption + "\""
                          : std::string()) +
         ",Voucher.lngVoucherID As id,Voucher.intYear as MultiYear,Voucher.bytPeriod as "
         "MultiPeriod,Voucher.lngVoucherTypeID as MultiVoucherType,Voucher.lngVoucherBaseID as "
         "VoucherBaseID From " +
         basis_.ContinuityListSource() + ",VoucherType" + joins.tables +
         " Where Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID(+)" + joins.terms +
         " And Voucher.lngTellerID=0 And Voucher.lngPostID=0 And Voucher.lngCheckerID=0 And "
         "Voucher.lngOperatorID=" +
         SqlNumber(frame::OperatorId()) +
         " And Voucher.lngSourceOrganizationID=" + SqlNumber(frame::OrganizationId()) +
         lists::VouchersMatching(lists::FilterClause(state_.filter.condition)) +
         " Order By Voucher.intYear,Voucher.bytPeriod,VoucherType.strVoucherTypeCode,"
         "Voucher.intVoucherNO,Voucher.lngVoucherID";
}

bool frmVoucherContinuity::Load() {
  try {
    ReadColumns();
    host::Recordset rs = frame::Data().OpenRecordset(CandidateQuery());
    state_.rows = rs.Rows();
  } catch (const std::exception& error) {
    state_.rows.clear();
    state_.marked.clear();
    state_.selected_row = -1;
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
    return false;
  }
  state_.more_rows = state_.rows.size() > static_cast<std::size_t>(kMaxRows);
  if (state_.more_rows) state_.rows.resize(kMaxRows);
  const int status = ColumnIndex(texts::kStatusCaption);
  state_.marked.assign(state_.rows.size(), false);
  for (std::size_t row = 0; row < state_.rows.size(); ++row) {
    state_.rows[row][0] = host::Value("");
    const std::string mark = state_.rows[row][static_cast<std::size_t>(status)].AsText();
    state_.marked[row] = mark == texts::kStatusVoid || mark == texts::kStatusError;
  }
  state_.selected_row = state_.rows.empty() ? -1 : 0;
  if (state_.more_rows) {
    frame::Msg(texts::kContinuityMoreRows, host::mb::kInformation, state_.title);
  }
  return true;
}

int frmVoucherContinuity::ColumnIndex(std::string_view caption) const {
  return lists::ColumnIndexOf(state_.columns, caption);
}

std::string frmVoucherContinuity::CellText(int row, int column) const {
  return lists::CellTextOf(
      state_.rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)));
}

long frmVoucherContinuity::Hidden(int row, const char* column) const {
  return static_cast<long>(state_.rows.at(static_cast<std::size_t>(row))
                               .at(static_cast<std::size_t>(ColumnIndex(column)))
                               .AsLong());
}

long frmVoucherContinuity::VoucherID(int row) const {
  return Hidden(row, kIdColumn);
}

void frmVoucherContinuity::SelectRow(int row) {
  state_.selected_row = row >= 0 && row < static_cast<int>(state_.rows.size()) ? row : -1;
}

void frmVoucherContinuity::SetTicked(int row, bool on) {
  lists::SetTicked(state_.rows, row, on);
  if (!basis_.IsDual() || row < 0 || row >= static_cast<int>(state_.rows.size())) return;
  long partner = 0;
  try {
    partner = GetRelevanceID(VoucherID(row), Hidden(row, kBaseColumn) == host::kBudgetBaseId);
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
  }
  if (partner == 0) return;
  for (int other = 0; other < static_cast<int>(state_.rows.size()); ++other) {
    if (VoucherID(other) == partner) lists::SetTicked(state_.rows, other, on);
  }
}

long frmVoucherContinuity::GetRelevanceID(long voucher_id, bool budget) const {
  host::Recordset rs = frame::Data().OpenRecordset(
      budget ? "Select lngVoucherID From BudgetVoucherRelevance Where lngBudgetVoucherID=" +
                   SqlNumber(voucher_id)
             : "Select lngBudgetVoucherID From BudgetVoucherRelevance Where lngVoucherID=" +
                   SqlNumber(voucher_id));
  return rs.Empty() ? 0 : static_cast<long>(rs[std::size_t{0}].AsLong());
}

int frmVoucherContinuity::TickedVouchers(const std::vector<int>& rows) const {
  std::set<long> ticked;
  for (int row : rows) ticked.insert(VoucherID(row));
  int count = 0;
  for (int row : rows) {
    const bool budget = Hidden(row, kBaseColumn) == host::kBudgetBaseId;
    if (!basis_.IsDual() || !budget || ticked.count(GetRelevanceID(VoucherID(row), true)) == 0) {
      ++count;
    }
  }
  return count;
}

bool frmVoucherContinuity::IsTicked(int row) const {
  return lists::IsTicked(state_.rows, row);
}

void frmVoucherContinuity::ToggleTick(int row) {
  SetTicked(row, !IsTicked(row));
}

void frmVoucherContinuity::SelectAll() {
  lists::SetAllTicked(state_.rows, true);
}

void frmVoucherContinuity::SelectNone() {
  lists::SetAllTicked(state_.rows, false);
}

int frmVoucherContinuity::TickedCount() const {
  return lists::TickedCount(state_.rows);
}

bool frmVoucherContinuity::Filter() {
  host::clsFilter* filter = frame::Login().filter;
  if (filter == nullptr) return false;
  host::FilterCondition chosen = state_.filter;
  if (!filter->ShowFilter(list_id_, state_.title, chosen)) return false;
  state_.filter = chosen;
  return Load();
}

void frmVoucherContinuity::MoveTicked(const NumberScope& scope, const std::vector<long>& ticked) {
  host::Recordset counter = frame::Data().OpenRecordset(
      "SELECT strReceiptNo,lngReceiptNo" + std::string(" From ") +
      "ReceiptMaxNO r,VoucherType vt Where  r.strReceiptNo = to_char(vt.lngVoucherTypeID) And "
      "lngVoucherTypeID = " +
      SqlNumber(scope.voucher_type_id) + " And " +
      "lngOrganizationID=" + SqlNumber(scope.organization_id) +
      " and intYear=" + SqlNumber(scope.year) + " and  bytPeriod=" + SqlNumber(scope.period) +
      " and  lngReceiptTypeID=41 ORDER BY lngReceiptTypeID,strReceiptNO");
  const long issued = counter.Empty() ? 0 : static_cast<long>(counter["lngReceiptNo"].AsLong());
  const long stored = frame::HighestVoucherNo(scope.year, scope.period, scope.voucher_type_id,
                                              scope.organization_id);
  const long first = std::max(issued, stored) + 1;
  const std::set<long> chosen(ticked.begin(), ticked.end());
  MoveWriter writer(basis_, scope, kFormerDigits);
  long n = first;
  const int total = static_cast<int>(ticked.size());
  if (progress_) progress_(0, total);
  for (const NumberCandidate& c :
       NumberingBasis::ReadCandidates(basis_.ContinuityVouchers(scope))) {
    // A pair is one candidate under its financial voucher; either of its rows ticks it.
    if (chosen.count(c.voucher_id) == 0 && (c.partner_id == 0 || chosen.count(c.partner_id) == 0)) {
      continue;
    }
    writer.Move(c, n++, false);
    if (progress_) progress_(writer.Written(), total);
  }
  frame::Login().business_pub->RefreshReceiptMaxNo(scope.organization_id, scope.year, scope.period,
                                                   host::kReceiptTypeVoucher,
                                                   scope.voucher_type_id);
  WriteLedger(kLedgerContinuity, scope, writer.Moves());
  first_number_ = first;
  last_number_ = n - 1;
}

bool frmVoucherContinuity::Run() {
  std::vector<int> rows;
  for (int row = 0; row < static_cast<int>(state_.rows.size()); ++row) {
    if (IsTicked(row)) rows.push_back(row);
  }
  if (rows.empty()) return Refuse(texts::kNothingTicked);
  const int first = rows.front();
  for (int row : rows) {
    if (Hidden(row, kTypeColumn) != Hidden(first, kTypeColumn)) return Refuse(texts::kMixedTypes);
  }
  for (int row : rows) {
    if (Hidden(row, kYearColumn) != Hidden(first, kYearColumn) ||
        Hidden(row, kPeriodColumn) != Hidden(first, kPeriodColumn)) {
      return Refuse(texts::kMixedPeriods);
    }
  }
  try {
    if (TickedVouchers(rows) < 2) return Refuse(texts::kTooFew);
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
    return false;
  }
  if (frame::Msg(texts::kContinuityQuestion, host::mb::kYesNo + host::mb::kQuestion,
                 state_.title) != host::mb::kYes) {
    return false;
  }
  const NumberScope scope{frame::OrganizationId(), static_cast<int>(Hidden(first, kYearColumn)),
                          static_cast<int>(Hidden(first, kPeriodColumn)),
                          Hidden(first, kTypeColumn)};
  std::vector<long> ids;
  for (int row : rows) ids.push_back(VoucherID(row));
  try {
    host::TransactionGuard guard(frame::Data());
    MoveTicked(scope, ids);
    guard.Commit();
    ++runs_;
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
    return false;
  }
  frame::Msg(texts::kContinuityDone + frame::ZeroPad(first_number_, 6) + " - " +
                 frame::ZeroPad(last_number_, 6),
             host::mb::kInformation, state_.title);
  Load();
  return true;
}

}  // namespace lumvoucher::numbering
