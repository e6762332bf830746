#include "numbering/frm_voucher_renumber.h"

#include <algorithm>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"
#include "host/data_access.h"
#include "host/message_box.h"
#include "numbering/number_text.h"
#include "numbering/numbering_texts.h"
#include "numbering/voucher_moves.h"

namespace lumvoucher::numbering {

namespace {

using frame::SqlNumber;

constexpr long kHighestNumber = 999999;

struct YearMonth {
  int year = 0;
  int month = 0;
  int Index() const { return year * 12 + month - 1; }
};

// "yyyy-mm-dd" -> year and month; nullopt for a blank or malformed date.
std::optional<YearMonth> YearMonthOf(std::string_view date) {
  if (date.size() < 7 || date[4] != '-') return std::nullopt;
  const std::optional<long> year = ParseNumber(date.substr(0, 4), 1, 9999);
  const std::optional<long> month = ParseNumber(date.substr(5, 2), 1, 12);
  if (!year || !month) return std::nullopt;
  return YearMonth{static_cast<int>(*year), static_cast<int>(*month)};
}

std::optional<YearMonth> OrganizationStart(long organization_id) {
  host::Recordset rs =
      frame::Data().OpenRecordset("Select strStartDate From Organization Where lngOrganizationID=" +
                                  SqlNumber(organization_id));
  return rs.Empty() ? std::nullopt : YearMonthOf(rs["strStartDate"].AsText());
}

bool Warn(const char* text) {
  frame::Msg(text, host::mb::kExclamation, texts::kTitleWarning);
  return false;
}

}  // namespace

std::string YearRefusal(long organization_id, int year) {
  host::Recordset rs =
      frame::Data().OpenRecordset("select * from AccountYear WHERE intYear =" + SqlNumber(year));
  if (rs.Empty()) return texts::kYearOutside;
  const std::optional<YearMonth> start = OrganizationStart(organization_id);
  if (start && year < start->year) return texts::kYearOutside;
  return std::string();
}

std::string PeriodRefusal(long organization_id, int year, int period) {
  host::Recordset rs =
      frame::Data().OpenRecordset("select * from AccountYear WHERE intYear =" + SqlNumber(year));
  if (rs.Empty() || period < 1 || period > rs["bytPeriodNO"].AsLong()) {
    return texts::kPeriodOutside;
  }
  // Periods follow the months from the year's start; a period that ends before the
  // organisation started holds none of its vouchers.
  const std::optional<YearMonth> year_start = YearMonthOf(rs["strStartDate"].AsText());
  const std::optional<YearMonth> start = OrganizationStart(organization_id);
  if (year_start && start && year_start->Index() + period - 1 < start->Index()) {
    return texts::kPeriodOutside;
  }
  return std::string();
}

frmVoucherRenumber::frmVoucherRenumber(NumberingBasis basis) : basis_(basis) {
  state_.title = texts::kRenumberTitle;
}

std::string frmVoucherRenumber::WindowName() const {
  return texts::kRenumberWindowName;
}

bool frmVoucherRenumber::Load() {
  try {
    state_.organizations = ReadChoices(
        "select lngOrganizationID,strOrganizationCode,strOrganizationName From Organization"
        " Where lngOrganizationID IN " +
        PermittedOrganizationList() + " order by strOrganizationCode");
    state_.types = ReadChoices(
        "SELECT -1 AS LNGVOUCHERTYPEID,'空' AS STRVOUCHERTYPECODE,'空' as strvouchertypeName "
        "FROM DUAL" +
        std::string(" UNION ") +
        "SELECT LNGVOUCHERTYPEID,STRVOUCHERTYPECODE,strvouchertypeName FROM " + basis_.TypeTable() +
        " WHERE blnIsInActive=0 ");
    std::stable_partition(state_.types.begin(), state_.types.end(),
                          [](const Choice& c) { return c.id == -1; });
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
    return false;
  }
  const long own = frame::OrganizationId();
  state_.organization_id =
      ChoiceIndex(state_.organizations, own) >= 0 || state_.organizations.empty()
          ? own
          : state_.organizations.front().id;
  state_.year = frame::Context().LoginYear();
  state_.period = frame::Context().LoginPeriod();
  state_.voucher_type_id = ChoiceIndex(state_.types, VoucherTypeID) >= 0 ? VoucherTypeID : -1;
  return true;
}

bool frmVoucherRenumber::SetOrganization(long organization_id) {
  if (ChoiceIndex(state_.organizations, organization_id) < 0) return false;
  state_.organization_id = organization_id;
  return true;
}

bool frmVoucherRenumber::SetYear(int year) {
  try {
    const std::string refusal = YearRefusal(state_.organization_id, year);
    if (!refusal.empty()) return Warn(refusal.c_str());
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
    return false;
  }
  state_.year = year;
  return true;
}

bool frmVoucherRenumber::SetPeriod(int period) {
  try {
    const std::string refusal = PeriodRefusal(state_.organization_id, state_.year, period);
    if (!refusal.empty()) return Warn(refusal.c_str());
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
    return false;
  }
  state_.period = period;
  return true;
}

void frmVoucherRenumber::SetVoucherType(long voucher_type_id) {
  if (ChoiceIndex(state_.types, voucher_type_id) >= 0) state_.voucher_type_id = voucher_type_id;
}

bool frmVoucherRenumber::SetRange(int row, long voucher_type_id, std::string_view start,
                                  std::string_view end) {
  const int rows = static_cast<int>(state_.range_rows.size());
  if (row < 0 || row > rows || ChoiceIndex(state_.types, voucher_type_id) < 0 ||
      voucher_type_id == -1) {
    return false;
  }
  const std::optional<long> first = ParseNumber(start, 1, kHighestNumber);
  const std::optional<long> last = ParseNumber(end, 1, kHighestNumber);
  if (!first || !last) return Warn(texts::kRangeNumberInvalid);
  if (*first > *last) return Warn(texts::kRangeStartAboveEnd);
  for (int i = 0; i < rows; ++i) {
    if (i != row &&
        state_.range_rows[static_cast<std::size_t>(i)].voucher_type_id == voucher_type_id) {
      return Warn(texts::kRangeTypeTwice);
    }
  }
  const NumberRange range{voucher_type_id, *first, *last};
  if (row == rows) {
    state_.range_rows.push_back(range);
  } else {
    state_.range_rows[static_cast<std::size_t>(row)] = range;
  }
  return true;
}

void frmVoucherRenumber::RemoveRange(int row) {
  if (row >= 0 && row < static_cast<int>(state_.range_rows.size())) {
    state_.range_rows.erase(state_.range_rows.begin() + row);
  }
}

std::vector<frmVoucherRenumber::ReceiptRow> frmVoucherRenumber::ReceiptRows() const {
  host::Recordset rs = frame::Data().OpenRecordset(
      "SELECT strReceiptNo,lngReceiptNo from ReceiptMaxNO WHERE " +
      std::string("lngOrganizationID=") + SqlNumber(state_.organization_id) +
      " and intYear=" + SqlNumber(state_.year) + " and  bytPeriod=" + SqlNumber(state_.period) +
      " and  lngReceiptTypeID=41 ORDER BY lngReceiptTypeID,strReceiptNO");
  std::vector<ReceiptRow> rows;
  for (; !rs.Eof(); rs.MoveNext()) {
    // strReceiptNo names the voucher type; a row of anything else is not ours to walk.
    const std::optional<long> type = ParseNumber(rs["strReceiptNo"].AsText(), 1, 2147483647L);
    if (type) rows.push_back({*type, static_cast<long>(rs["lngReceiptNo"].AsLong())});
  }
  return rows;
}

const NumberRange* frmVoucherRenumber::RangeOf(long voucher_type_id) const {
  for (const NumberRange& r : state_.range_rows) {
    if (r.voucher_type_id == voucher_type_id) return &r;
  }
  return nullptr;
}

bool frmVoucherRenumber::Applies(long voucher_type_id) const {
  if (state_.voucher_type_id != -1 && state_.voucher_type_id != voucher_type_id) return false;
  return !state_.ranges || RangeOf(voucher_type_id) != nullptr;
}

std::string frmVoucherRenumber::RangeCondition(const NumberRange* range) const {
  if (range == nullptr) return std::string();
  return " And intVoucherNO >= " + SqlNumber(range->start) +
         " And intVoucherNO<= " + SqlNumber(range->end);
}

NumberScope frmVoucherRenumber::ScopeOf(long voucher_type_id) const {
  return {state_.organization_id, state_.year, state_.period, voucher_type_id};
}

TypeNumbers frmVoucherRenumber::ReadNumbers(long voucher_type_id, const NumberRange* range) const {
  const std::string subquery =
      "(Select distinct(intVoucherNO) as intVoucherNO,blnIsVoid From " + basis_.ReportSource() +
      "  " + " where lngSourceOrganizationID=" + SqlNumber(state_.organization_id) +
      " and intVoucherNO > 0 and lngVoucherTypeID=" + SqlNumber(voucher_type_id) +
      " AND intYear=" + SqlNumber(state_.year) + " AND bytPeriod=" + SqlNumber(state_.period) +
      RangeCondition(range) + " ORDER BY intVoucherNO)";
  host::Recordset rs =
      frame::Data().OpenRecordset("SELECT intVoucherNO,blnIsVoid FROM " + subquery);
  TypeNumbers t;
  t.code = VoucherTypeCode(voucher_type_id);
  for (; !rs.Eof(); rs.MoveNext()) {
    const long n = static_cast<long>(rs["intVoucherNO"].AsLong());
    const bool is_void = rs["blnIsVoid"].AsBool();
    // A number held by a valid and a void voucher of the two bases reads as void.
    if (!t.numbers.empty() && t.numbers.back().number == n) {
      t.numbers.back().is_void = t.numbers.back().is_void || is_void;
    } else {
      t.numbers.push_back({n, is_void});
    }
  }
  if (range != nullptr) {
    t.ranged = true;
    t.start = range->start;
    t.end = range->end;
    host::Recordset highest = frame::Data().OpenRecordset(
        "SELECT nvl(Max(intVoucherNO),0) as VoucherNo FROM " + subquery);
    t.highest = static_cast<long>(highest["VoucherNo"].AsLong());
  } else {
    t.highest = t.numbers.empty() ? 0 : t.numbers.back().number;
  }
  return t;
}

bool frmVoucherRenumber::Query() {
  try {
    std::vector<TypeNumbers> types;
    std::vector<long> ids;
    for (const ReceiptRow& row : ReceiptRows()) {
      if (!Applies(row.voucher_type_id)) continue;
      types.push_back(ReadNumbers(row.voucher_type_id, RangeOf(row.voucher_type_id)));
      ids.push_back(row.voucher_type_id);
    }
    state_.report = ReportLines(types);
    state_.report_types = std::move(types);
    report_type_ids_ = std::move(ids);
    const int at = ChoiceIndex(state_.organizations, state_.organization_id);
    state_.report_title = ReportTitle(
        state_.year, state_.period,
        at < 0 ? std::string() : state_.organizations[static_cast<std::size_t>(at)].name);
    return true;
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
    return false;
  }
}

std::vector<LedgerLine> frmVoucherRenumber::Explain() const {
  std::vector<LedgerLine> lines;
  try {
    for (std::size_t i = 0; i < state_.report_types.size(); ++i) {
      const TypeNumbers& t = state_.report_types[i];
      std::vector<LedgerLine> some =
          ExplainNumbers(ScopeOf(report_type_ids_[i]), basis_.ReportSource(), t.code, t.First(),
                         t.highest, t.numbers);
      lines.insert(lines.end(), std::make_move_iterator(some.begin()),
                   std::make_move_iterator(some.end()));
    }
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, state_.title);
    lines.clear();
  }
  return lines;
}

void frmVoucherRenumber::RenumberType(const ReceiptRow& row, const NumberRange* range) {
  const NumberScope scope = ScopeOf(row.voucher_type_id);
  const std::vector<NumberCandidate> candidates = NumberingBasis::ReadCandidates(
      basis_.RenumberCandidates(scope, RangeCondition(range), state_.by_date));
  MoveWriter writer(basis_, scope, basis_.FormerNumberDigits());
  long n = range != nullptr ? range->start : 1;
  const long bound =
      range != nullptr ? range->end : std::max(row.counter, static_cast<long>(candidates.size()));
  const int total = static_cast<int>(candidates.size());
  if (progress_) progress_(0, total);
  for (const NumberCandidate& c : candidates) {
    if (n > bound) break;
    writer.Move(c, n++, true);
    if (progress_) progress_(writer.Written(), total);
  }
  for (const std::string& flip : basis_.SignFlips()) frame::Data().Execute(flip);
  frame::Login().business_pub->RefreshReceiptMaxNo(scope.organization_id, scope.year, scope.period,
                                                   host::kReceiptTypeVoucher,
                                                   scope.voucher_type_id);
  WriteLedger(kLedgerRenumber, scope, writer.Moves());
}

bool frmVoucherRenumber::Renumber() {
  if (frame::Msg(texts::kRenumberQuestion, host::mb::kYesNo + host::mb::kQuestion,
                 texts::kTitleRenumber) != host::mb::kYes) {
    return false;
  }
  try {
    host::TransactionGuard guard(frame::Data());
    for (const ReceiptRow& row : ReceiptRows()) {
      if (Applies(row.voucher_type_id)) RenumberType(row, RangeOf(row.voucher_type_id));
    }
    guard.Commit();
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, texts::kTitleRenumber);
    return false;
  }
  Query();
  return true;
}

}  // namespace lumvoucher::numbering
