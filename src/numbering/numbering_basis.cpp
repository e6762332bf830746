#include "numbering/numbering_basis.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/data_access.h"

namespace lumvoucher::numbering {

namespace {

using frame::SqlNumber;

// One side of the dual-basis union, its voucher named v, with the scope columns for the outer
// condition.
std::string Branch(const char* tables, const char* pair_columns, const std::string& where) {
  return std::string(
             "SELECT v.lngSourceOrganizationID,v.lngVoucherTypeID,v.intYear,v.bytPeriod,"
             "v.intVoucherNO,v.strOldReceiptNo,v.blnIsPrinted,v.strVolume,v.lngVoucherID,"
             "v.strDate,") +
         pair_columns + " FROM " + tables + where;
}

}  // namespace

NumberingBasis NumberingBasis::Single(bool is_finance) {
  return NumberingBasis(is_finance ? Kind::kFinance : Kind::kBudget);
}

NumberingBasis NumberingBasis::Dual() {
  return NumberingBasis(Kind::kDual);
}

NumberingBasis NumberingBasis::OfAccountSet() {
  return frame::IsDualBasis() ? Dual() : Single();
}

std::string NumberingBasis::PairUnion(const NumberScope& s, std::string_view extra,
                                      std::string_view order) {
  // A relevance row whose other side is 0 (or gone) pairs nothing.
  return "SELECT intVoucherNO,strOldReceiptNo,blnIsPrinted,strVolume,lngVoucherID,strDate,"
         "intFlag,lngPartnerID,strPartnerDate FROM (" +
         Branch("Voucher v", "1 AS intFlag,0 AS lngPartnerID,' ' AS strPartnerDate",
                " WHERE NOT EXISTS (SELECT 1 FROM BudgetVoucherRelevance r,BudgetVoucher b WHERE "
                "r.lngVoucherID=v.lngVoucherID AND b.lngVoucherID=r.lngBudgetVoucherID)") +
         " UNION ALL " +
         Branch("Voucher v,BudgetVoucherRelevance r,BudgetVoucher b",
                "2 AS intFlag,b.lngVoucherID AS lngPartnerID,b.strDate AS strPartnerDate",
                " WHERE r.lngVoucherID=v.lngVoucherID AND b.lngVoucherID=r.lngBudgetVoucherID") +
         " UNION ALL " +
         Branch("BudgetVoucher v", "3 AS intFlag,0 AS lngPartnerID,' ' AS strPartnerDate",
                " WHERE NOT EXISTS (SELECT 1 FROM BudgetVoucherRelevance r,Voucher f WHERE "
                "r.lngBudgetVoucherID=v.lngVoucherID AND f.lngVoucherID=r.lngVoucherID)") +
         ") Candidates WHERE lngSourceOrganizationID=" + SqlNumber(s.organization_id) +
         " AND lngVoucherTypeID=" + SqlNumber(s.voucher_type_id) +
         " AND intYear=" + SqlNumber(s.year) + " AND bytPeriod=" + SqlNumber(s.period) +
         std::string(extra) + std::string(order);
}

std::string NumberingBasis::RenumberCandidates(const NumberScope& s, std::string_view range,
                                               bool by_date) const {
  const char* order = by_date ? " ORDER BY strDate,intVoucherNO" : " ORDER BY intVoucherNO";
  if (IsDual()) return PairUnion(s, " and intVoucherNO > 0" + std::string(range), order);
  return "SELECT intVoucherNO,strOldReceiptNo,blnIsPrinted,strVolume,lngVoucherID,strDate FROM " +
         VoucherTable() + " WHERE 1=1" +
         " And lngSourceOrganizationID=" + SqlNumber(s.organization_id) +
         " and intVoucherNO > 0 AND lngVoucherTypeID=" + SqlNumber(s.voucher_type_id) +
         " AND intYear=" + SqlNumber(s.year) + " AND bytPeriod=" + SqlNumber(s.period) +
         std::string(range) + order;
}

std::string NumberingBasis::ContinuityListSource() const {
  if (IsDual()) return "VoucherView Voucher";
  return IsFinance() ? "Voucher" : "BudgetVoucher Voucher";
}

std::string NumberingBasis::ContinuityVouchers(const NumberScope& s) const {
  if (IsDual()) return PairUnion(s, "", " ORDER BY intVoucherNO");
  // strDate beyond the system's columns: a moved voucher is stamped with its date.
  return "SELECT intVoucherNO,strOldReceiptNo,blnIsPrinted,strVolume,lngVoucherID,strDate FROM " +
         VoucherTable() + " " + " WHERE lngSourceOrganizationID = " + SqlNumber(s.organization_id) +
         " And lngVoucherTypeID=" + SqlNumber(s.voucher_type_id) +
         " AND intYear=" + SqlNumber(s.year) + " AND bytPeriod=" + SqlNumber(s.period) +
         " ORDER BY intVoucherNO";
}

std::string NumberingBasis::TableOf(const NumberCandidate& c) const {
  return IsDual() && c.flag == 3 ? "BudgetVoucher" : VoucherTable();
}

std::optional<VoucherRef> NumberingBasis::Partner(const NumberCandidate& c) const {
  if (!IsDual() || c.flag != 2 || c.partner_id == 0) return std::nullopt;
  return VoucherRef{"BudgetVoucher", c.partner_id, c.partner_date};
}

std::vector<std::string> NumberingBasis::SignFlips() const {
  std::vector<std::string> flips;
  if (IsFinance())
    flips.push_back("update voucher set intvoucherno=-intvoucherno where intvoucherno<0");
  if (!IsFinance() || IsDual()) {
    flips.push_back("update budgetvoucher set intvoucherno=-intvoucherno where intvoucherno<0");
  }
  return flips;
}

std::vector<std::string> NumberingBasis::VolumeTables() const {
  if (IsDual()) return {"Voucher", "BudgetVoucher"};
  return {VoucherTable()};
}

std::string NumberingBasis::VolumeCountSource() const {
  if (IsDual()) {
    return "(Select Distinct lngSourceOrganizationID,intYear,bytPeriod,lngVoucherTypeID,"
           "intVoucherNo,strVolume From VoucherView) Voucher";
  }
  return IsFinance() ? "Voucher" : "BudgetVoucher Voucher";
}

std::vector<NumberCandidate> NumberingBasis::ReadCandidates(std::string_view sql) {
  host::Recordset rs = frame::Data().OpenRecordset(sql);
  const int date = rs.FieldIndex("strDate");
  const int flag = rs.FieldIndex("intFlag");
  const int partner = rs.FieldIndex("lngPartnerID");
  const int partner_date = rs.FieldIndex("strPartnerDate");
  std::vector<NumberCandidate> out;
  out.reserve(rs.RecordCount());
  for (; !rs.Eof(); rs.MoveNext()) {
    NumberCandidate c;
    c.number = static_cast<long>(rs[std::size_t{0}].AsLong());
    c.former = rs[std::size_t{1}].AsText();
    c.printed = rs[std::size_t{2}].AsLong() == 1;
    c.volume = rs[std::size_t{3}].AsText();
    c.voucher_id = static_cast<long>(rs[std::size_t{4}].AsLong());
    if (date >= 0) c.date = rs[static_cast<std::size_t>(date)].AsText();
    if (flag >= 0) c.flag = static_cast<int>(rs[static_cast<std::size_t>(flag)].AsLong());
    if (partner >= 0)
      c.partner_id = static_cast<long>(rs[static_cast<std::size_t>(partner)].AsLong());
    if (partner_date >= 0) c.partner_date = rs[static_cast<std::size_t>(partner_date)].AsText();
    out.push_back(std::move(c));
  }
  return out;
}

}  // namespace lumvoucher::numbering
