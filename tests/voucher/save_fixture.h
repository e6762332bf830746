#pragma once

#include <string>

#include "support/test_host.h"
#include "voucher/voucher_fixture.h"

namespace lumvoucher::testing {

// Every row of a query as "a|b|c" lines, for comparing what a save wrote.
inline std::string DumpRows(host::DataAccess& data, const std::string& sql) {
  host::Recordset rs = data.OpenRecordset(sql);
  std::string out;
  for (; !rs.Eof(); rs.MoveNext()) {
    for (std::size_t i = 0; i < rs.FieldCount(); ++i) {
      out += (i == 0 ? "" : "|") + rs[i].AsText();
    }
    out += "\n";
  }
  return out;
}

// The tables a save touches (the id counters move on purpose and are left out).
inline std::string DumpTouched(host::DataAccess& data) {
  std::string out;
  for (const char* table :
       {"Voucher", "VoucherDetail", "CheckDetail", "CashQARAPDETAIL1", "ReceiptMaxNo", "log",
        "VoucherCashFlow", "CostApportion", "HisCostApportion", "BankBillDetail", "Activity",
        "ItemActivity", "TransVoucher", "RVoucherDetail", "ProjectInvoice", "MCPRVoucherDetail"}) {
    out += std::string("# ") + table + "\n" + DumpRows(data, std::string("Select * From ") + table);
  }
  return out;
}

class VoucherSaveTest : public VoucherWindowTest {
 protected:
  // "购买办公用品" D 6602-01 500 (department 01) / "O'Neil 报销" C 2241 500 (unit 101).
  void EnterOfficeVoucher() {
    ASSERT_TRUE(w_.ShowANewBill(0));
    int r1 = w_.AddLine();
    ASSERT_TRUE(w_.SetCell(r1, voucher::LineField::kRemark, "购买办公用品"));
    ASSERT_TRUE(w_.SetCell(r1, voucher::LineField::kAccount, "6602-01"));
    ASSERT_TRUE(w_.SetCell(r1, voucher::LineField::kDepartment, "01"));
    ASSERT_TRUE(w_.SetCell(r1, voucher::LineField::kDebit, "500"));
    int r2 = w_.AddLine();
    ASSERT_TRUE(w_.SetCell(r2, voucher::LineField::kRemark, "O'Neil 报销"));
    ASSERT_TRUE(w_.SetCell(r2, voucher::LineField::kAccount, "2241"));
    ASSERT_TRUE(w_.SetCell(r2, voucher::LineField::kUnit, "101"));
    ASSERT_TRUE(w_.SetCell(r2, voucher::LineField::kBusinessDate, S().header.date));
    ASSERT_TRUE(w_.SetCell(r2, voucher::LineField::kCredit, "500"));
  }
  std::string Rows(const std::string& sql) { return DumpRows(t_.Data(), sql); }
};

}  // namespace lumvoucher::testing
