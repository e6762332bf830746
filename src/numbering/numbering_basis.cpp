#include "numbering/numbering_basis.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/data_access.h"

namespace lumvoucher::numbering {

using frame::SqlNumber;

const NumberingBasis& NumberingBasis::Single() {
  static const NumberingBasis single;
  return single;
}

std::string NumberingBasis::RenumberCandidates(const NumberScope& s, std::string_view range,
                                               bool by_date) const {
  return "SELECT intVoucherNO,strOldReceiptNo,blnIsPrinted,strVolume,lngVoucherID,strDate FROM " +
         VoucherTable() + " WHERE 1=1" +
         " And lngSourceOrganizationID=" + SqlNumber(s.organization_id) +
         " and intVoucherNO > 0 AND lngVoucherTypeID=" + SqlNumber(s.voucher_type_id) +
         " AND intYear=" + SqlNumber(s.year) + " AND bytPeriod=" + SqlNumber(s.period) +
         std::string(range) +
         (by_date ? " ORDER BY strDate,intVoucherNO" : " ORDER BY intVoucherNO");
}

std::string NumberingBasis::ContinuityVouchers(const NumberScope& s) const {
  // strDate beyond the system's columns: a moved voucher is stamped with its date.
  return "SELECT intVoucherNO,strOldReceiptNo,blnIsPrinted,strVolume,lngVoucherID,strDate FROM " +
         VoucherTable() + " " + " WHERE lngSourceOrganizationID = " + SqlNumber(s.organization_id) +
         " And lngVoucherTypeID=" + SqlNumber(s.voucher_type_id) +
         " AND intYear=" + SqlNumber(s.year) + " AND bytPeriod=" + SqlNumber(s.period) +
         " ORDER BY intVoucherNO";
}

std::vector<std::string> NumberingBasis::SignFlips() const {
  return {"update voucher set intvoucherno=-intvoucherno where intvoucherno<0"};
}

std::vector<NumberCandidate> NumberingBasis::ReadCandidates(std::string_view sql) {
  host::Recordset rs = frame::Data().OpenRecordset(sql);
  const int date = rs.FieldIndex("strDate");
  const int flag = rs.FieldIndex("intFlag");
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
    out.push_back(std::move(c));
  }
  return out;
}

}  // namespace lumvoucher::numbering
