#include "numbering/choosers.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/data_access.h"

namespace lumvoucher::numbering {

std::string PermittedOrganizationList() {
  const std::string code = frame::Context().CurrentOrganization().code;
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngOrganizationID From Organization Where strOrganizationCode=" +
      frame::SqlText(code) + " Or strOrganizationCode Like " + frame::SqlText(code + "-%") +
      " Order By strOrganizationCode");
  std::string list;
  for (; !rs.Eof(); rs.MoveNext()) {
    list += (list.empty() ? "" : ",") + frame::SqlNumber(rs[std::size_t{0}].AsLong());
  }
  // An organisation missing from the table still names itself.
  if (list.empty()) list = frame::SqlNumber(frame::OrganizationId());
  return "(" + list + ")";
}

std::vector<Choice> ReadChoices(std::string_view sql) {
  host::Recordset rs = frame::Data().OpenRecordset(sql);
  std::vector<Choice> out;
  for (; !rs.Eof(); rs.MoveNext()) {
    Choice c;
    c.id = static_cast<long>(rs[std::size_t{0}].AsLong());
    c.code = rs[std::size_t{1}].AsText();
    if (rs.FieldCount() > 2) c.name = rs[std::size_t{2}].AsText();
    out.push_back(std::move(c));
  }
  return out;
}

std::string VoucherTypeCode(long voucher_type_id) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select strVoucherTypeCode From VoucherType Where lngVoucherTypeID=" +
      frame::SqlNumber(voucher_type_id));
  return rs.Empty() ? std::string() : rs[std::size_t{0}].AsText();
}

int ChoiceIndex(const std::vector<Choice>& choices, long id) {
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace lumvoucher::numbering
