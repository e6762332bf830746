#include "frame/number_insertion.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/uniqueness_stamp.h"
#include "frame/voucher_lookup.h"

namespace lumvoucher::frame {

namespace {

struct Scope {
  std::string year, period, type, organization;
};

// The period's volumes, in the form every volume statement of this service shares.
std::string VolumeScope(const Scope& s) {
  return "VV.intYear = " + s.year + " And VV.bytPeriod = " + s.period +
         " And VV.lngVoucherTypeID = " + s.type + " And VV.lngOrganizationID = " + s.organization;
}

void AdjustVolumes(const Scope& s, const std::string& n) {
  Data().Execute(
      "Update VoucherVolume Set intNoStart = (intNoStart + 1), intNoEnd = (intNoEnd + 1) "
      "Where intYear = " +
      s.year + " And bytPeriod = " + s.period + " And lngVoucherTypeID = " + s.type +
      " And lngOrganizationID = " + s.organization + " And intNoStart > " + n);
  Data().Execute("Update VoucherVolume Set intNoEnd = (intNoEnd + 1) Where intYear = " + s.year +
                 " And bytPeriod = " + s.period + " And lngVoucherTypeID = " + s.type +
                 " And lngOrganizationID = " + s.organization + " And intNoStart <= " + n +
                 " And intNoEnd >= " + n);
}

// Moves every number at or above n up by one in one statement. The embedded database checks
// the number key when the statement ends, as Oracle does, so consecutive numbers may move.
void ShiftNumbers(const char* table, const std::string& scope, const std::string& n) {
  Data().Execute(std::string("Update ") + table +
                 " v Set v.intVoucherNo = (v.intVoucherNo + 1) Where " + scope +
                 " And intVoucherNo >= " + n);
}

}  // namespace

NumberInsertion InsertVoucherNumber(long number, long issued_bound, int year, int period,
                                    long voucher_type_id, long source_organization_id) {
  NumberInsertion result;
  const Scope s{SqlNumber(year), SqlNumber(period), SqlNumber(voucher_type_id),
                SqlNumber(source_organization_id)};
  const std::string n = SqlNumber(number);

  const long m = HighestVoucherNo(year, period, voucher_type_id, source_organization_id);
  result.highest_before = m;
  if (m < number) return result;

  host::Recordset volume_end = Data().OpenRecordset(
      "Select Max(VV.intNoEnd) As intNoEnd From VoucherVolume VV Where " + VolumeScope(s));
  const long highest_end =
      volume_end.Empty() ? 0 : static_cast<long>(volume_end[std::size_t{0}].AsLong());

  const std::string scope = " v.intYear = " + s.year + " And v.bytPeriod = " + s.period +
                            " And v.lngVoucherTypeID = " + s.type +
                            " And v.lngSourceOrganizationID = " + s.organization;
  const std::string condition = scope + " And intVoucherNo >= " + n;
  ShiftNumbers("Voucher", scope, n);
  ShiftNumbers("BudgetVoucher", scope, n);
  result.shifted = true;

  RefreshUQStamps(condition);

  if (m + 1 >= issued_bound) {
    Data().Execute(
        "Update ReceiptMaxNo R Set R.lngReceiptNo = (lngReceiptNo + 1) Where  R.intYear = " +
        s.year + " And R.bytPeriod = " + s.period +
        " And R.lngReceiptTypeID = 41 And R.strReceiptNo = '" + s.type +
        "' And R.lngOrganizationID = " + s.organization + " And R.lngReceiptNo <= " + SqlNumber(m));
    result.counter_followed = true;
  }

  if (highest_end >= 1 && highest_end >= number) {
    host::Recordset label = Data().OpenRecordset(
        "Select Nvl(Max(strVolume),'0000') As strVolume From VoucherVolume VV  WHERE " +
        VolumeScope(s) + " And VV.intNoStart <= " + n + " And VV.intNoEnd >= " + n);
    if (!label.Empty()) result.volume = label[std::size_t{0}].AsText();
    AdjustVolumes(s, n);
    result.volumes_adjusted = true;
  }
  return result;
}

}  // namespace lumvoucher::frame
