#include "embedded/embedded_bill_issuing.h"

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
  int issued = 0;
  for (; !rs.Eof(); rs.MoveNext(), ++issued) {
    // The key is SQLite's own: the bills of the suite's bill module share the table.
    data.Execute(
        "Insert Into BankBillDetail (strBillNo, dblAmount, lngActivityTypeID, lngActivityID, "
        "lngOrganizationID) Values (" +
        frame::SqlText(rs["strCheckNumber"].AsText()) + ", " +
        SqlNumber(rs["dblAmount"].AsDouble()) + ", 41, " +
        SqlNumber(rs["lngVoucherDetailID"].AsLong()) + ", " +
        SqlNumber(login_.CurrentOrganization().id) + ")");
  }
  transaction.Commit();
  return issued;
}

}  // namespace lumvoucher::embedded
