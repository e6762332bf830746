#include "embedded/embedded_bill_issuing.h"

#include <string>
#include <vector>

#include "frame/sql_text.h"
#include "host/data_access.h"
#include "host/recordset.h"

namespace lumvoucher::embedded {

int EmbeddedBillIssuing::IssueBills(long voucher_id) {
  using frame::SqlNumber;
  host::DataAccess& data = login_.Data();
  host::TransactionGuard transaction(data);
  // Bank lines (nature 2) only: a cash line has no bill to issue.
  host::Recordset rs = data.OpenRecordset(
      "Select vd.lngVoucherDetailID, vd.strCheckNumber, vd.dblAmount From VoucherDetail vd, "
      "Account a Where vd.lngAccountID = a.lngAccountID And a.lngAccountNatureID = 2 And "
      "Length(Trim(vd.strCheckNumber)) > 0 And vd.lngVoucherID = " +
      SqlNumber(voucher_id) +
      " And Not Exists (Select 1 From BankBillDetail b Where b.lngActivityTypeID = 41 And "
      "b.lngActivityID = vd.lngVoucherDetailID) Order By vd.lngRowID");
  std::vector<std::string> inserts;
  for (; !rs.Eof(); rs.MoveNext()) {
    inserts.push_back(
        "Insert Into BankBillDetail (lngBankBillDetailID, strBillNo, dblAmount, "
        "lngActivityTypeID, lngActivityID, lngOrganizationID) Values (" +
        SqlNumber(login_.NextId("BankBillDetail")) + ", " +
        frame::SqlText(rs["strCheckNumber"].AsText()) + ", " +
        frame::SqlNumber(rs["dblAmount"].AsDouble()) + ", 41, " +
        SqlNumber(rs["lngVoucherDetailID"].AsLong()) + ", " +
        SqlNumber(login_.CurrentOrganization().id) + ")");
  }
  for (const std::string& insert : inserts) data.Execute(insert);
  transaction.Commit();
  return static_cast<int>(inserts.size());
}

}  // namespace lumvoucher::embedded
