#include "embedded/embedded_services.h"

#include "frame/sql_text.h"

namespace lumvoucher::embedded {

namespace {
std::string N(long value) { return std::to_string(value); }
}  // namespace

std::string EmbeddedBusinessPub::VoucherNumber(int year, int period, long voucher_type_id,
                                               std::string_view text1, std::string_view text2,
                                               long lowest, long highest) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select Max(intVoucherNo) As intVoucherNo From VoucherView Where intYear = " + N(year) +
      " And bytPeriod = " + N(period) + " And lngVoucherTypeID = " + N(voucher_type_id) +
      " And lngSourceOrganizationID = " + N(login_.CurrentOrganization().id));
  long next = (rs.Empty() ? 0 : static_cast<long>(rs["intVoucherNo"].AsLong())) + 1;
  if (next < lowest) next = lowest;
  if (highest > 0 && next > highest) return std::string();
  return std::to_string(next);
}

bool EmbeddedBusinessPub::NumberTaken(long voucher_type_id, int receipt_type, long number,
                                      long own_voucher_id, long source_organization_id, int year,
                                      int period) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select Count(*) As n From VoucherView Where intYear = " + N(year) + " And bytPeriod = " +
      N(period) + " And lngVoucherTypeID = " + N(voucher_type_id) + " And intVoucherNo = " +
      N(number) + " And lngSourceOrganizationID = " + N(source_organization_id) +
      " And lngVoucherID <> " + N(own_voucher_id));
  return rs["n"].AsLong() > 0;
}

bool EmbeddedBusinessPub::IsAdministrator() {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select blnIsAdmin From Operator Where lngOperatorID = " +
      N(login_.CurrentOperator().id));
  return !rs.Empty() && rs["blnIsAdmin"].AsBool();
}

bool EmbeddedBusinessPub::HasRight(long right_id) {
  if (IsAdministrator()) return true;
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select Count(*) As n From OperatorRight Where lngOperatorID = " +
      N(login_.CurrentOperator().id) + " And lngRightID = " + N(right_id) +
      " And lngOrganizationID In (0, " + N(login_.CurrentOrganization().id) + ")");
  return rs["n"].AsLong() > 0;
}

host::ReceiptTypeRights EmbeddedBusinessPub::Rights(int receipt_type) {
  host::ReceiptTypeRights rights;
  if (receipt_type != host::kReceiptTypeVoucher) return rights;
  host::Recordset own = login_.Data().OpenRecordset(
      "Select lngVoucherTypeID, blnMake, blnQuery From OperatorVoucherType Where lngOperatorID = " +
      N(login_.CurrentOperator().id) + " Order By lngVoucherTypeID");
  if (own.Empty() || IsAdministrator()) {
    host::Recordset all =
        login_.Data().OpenRecordset("Select lngVoucherTypeID From VoucherType Order By lngVoucherTypeID");
    for (; !all.Eof(); all.MoveNext()) {
      rights.make_type_ids.push_back(static_cast<long>(all["lngVoucherTypeID"].AsLong()));
    }
    rights.query_type_ids = rights.make_type_ids;
    return rights;
  }
  for (; !own.Eof(); own.MoveNext()) {
    long id = static_cast<long>(own["lngVoucherTypeID"].AsLong());
    if (own["blnMake"].AsBool()) rights.make_type_ids.push_back(id);
    if (own["blnQuery"].AsBool()) rights.query_type_ids.push_back(id);
  }
  return rights;
}

long EmbeddedAccount::VoucherByNumber(int receipt_type, int year, int period,
                                      long voucher_type_id, long number, long organization_id) {
  if (receipt_type != host::kReceiptTypeVoucher) return 0;
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select lngVoucherID From VoucherView Where intYear = " + N(year) + " And bytPeriod = " +
      N(period) + " And lngVoucherTypeID = " + N(voucher_type_id) + " And intVoucherNo = " +
      N(number) + " And lngSourceOrganizationID = " + N(organization_id));
  return rs.Empty() ? 0 : static_cast<long>(rs["lngVoucherID"].AsLong());
}

long EmbeddedAccount::QueryableVoucherCount(int receipt_type) {
  host::ReceiptTypeRights rights = business_.Rights(receipt_type);
  if (rights.query_type_ids.empty()) return 0;
  std::string ids;
  for (long id : rights.query_type_ids) ids += (ids.empty() ? "" : ",") + N(id);
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select Count(*) As n From VoucherView Where lngVoucherTypeID In (" + ids + ")");
  return static_cast<long>(rs["n"].AsLong());
}

std::string TablePreferenceStore::GetSetting(std::string_view section, std::string_view key,
                                             std::string_view default_value) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select strValue From UserPreference Where lngOperatorID = " +
      N(login_.CurrentOperator().id) + " And strSection = " + frame::SqlText(section) +
      " And strKey = " + frame::SqlText(key));
  return rs.Empty() ? std::string(default_value) : rs["strValue"].AsText();
}

void TablePreferenceStore::SaveSetting(std::string_view section, std::string_view key,
                                       std::string_view value) {
  const std::string where = " Where lngOperatorID = " + N(login_.CurrentOperator().id) +
                            " And strSection = " + frame::SqlText(section) +
                            " And strKey = " + frame::SqlText(key);
  host::TransactionGuard guard(login_.Data());
  if (login_.Data().Execute("Update UserPreference Set strValue = " + frame::SqlText(value) + where) ==
      0) {
    login_.Data().Execute(
        "Insert Into UserPreference (lngOperatorID, strSection, strKey, strValue) Values (" +
        N(login_.CurrentOperator().id) + ", " + frame::SqlText(section) + ", " + frame::SqlText(key) + ", " +
        frame::SqlText(value) + ")");
  }
  guard.Commit();
}

}  // namespace lumvoucher::embedded
