#pragma once

#include <string>
#include <vector>

#include "host/recordset.h"
#include "links/frm_reference.h"

// The memo book's tables and statements shared by the line window and the batch allocation.
namespace lumvoucher::links {

// Where the line and the voucher are read: the single-basis tables, or for accounting-system
// code "16" the views over both bases. The views are taken by name, so the dual-basis schema
// only has to provide them.
struct MemoBasis {
  bool dual = false;
  const char* line_table = "VoucherDetail";
  const char* voucher_table = "Voucher";
  // The chart the line's account is in: "Account", or for "16" the view over both charts
  // under the same name.
  const char* account_table = "Account";

  // "VoucherDetail" or "VoucherDetailView VoucherDetail".
  std::string LineFrom() const;
  // The voucher and line read before a save, ending in "= " for the line id.
  std::string VoucherAndLineSql() const;
};
MemoBasis CurrentMemoBasis();
MemoBasis MemoBasisFor(bool dual, const char* line_view = "VoucherDetailView",
                       const char* voucher_view = "VoucherView");

// The label of a classification type in the regime; "" for a type the regime does not have.
std::string ClassLabel(int func_type, bool dual);
// The classifications the line window shows, each with the items its lookup offers (only the
// items linked to the account when it has links of that type).
std::vector<ReferenceClass> MemoClasses(const MemoBasis& basis, bool economic_only,
                                        long account_id);

// The line's stored rows with their type label, item text and amount, in row order.
std::string StoredRowsSql(const MemoBasis& basis, long line_id);
// The stored rows of the line that still agree with the line's account and items.
std::string MatchingRowsSql(const MemoBasis& basis, long line_id);

// What a registration row copies from its voucher and line.
struct LineCopy {
  long year = 0;
  long period = 0;
  std::string date;
  long account_id = 0;
  long currency_id = 0;
  long customer_id = 0;
  long department_id = 0;
  long employee_id = 0;
  long class1_id = 0;
  long class2_id = 0;
  std::string flexible_id;
  long organization_id = 0;
  long direction = 1;
  long voucher_no = 0;
  long voucher_type_id = 0;

  // From a row of the voucher joined to its line.
  static LineCopy From(const host::Recordset& row);
  // ", lngAccountID = ..." up to intDirection, in the update's order.
  std::string UpdateItems(long operator_id) const;
};

// The INSERT of one registration row; `with_number` adds intVoucherNo and lngVoucherTypeId
// (the batch allocation leaves them out).
std::string InsertRegistrationSql(long id, const LineCopy& copy, long line_id, long row_id,
                                  long reference_id, double amount, long operator_id,
                                  bool with_number);

}  // namespace lumvoucher::links
