#pragma once

#include <string>

#include "support/temp_account_set_file.h"
#include "support/test_host.h"
#include "voucher/voucher_fixture.h"

namespace lumvoucher::testing {

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

// WriteForm's text of a two-line voucher of 记 (type 1) on 2026-02-15 asking for `number`:
// D 1001 100 / C account 29 100, both lines summarised `remark`.
inline std::string TwoLineDetail(const std::string& remark, int number,
                                 const std::string& debit = "1", const std::string& credit = "29",
                                 const std::string& organization = "1") {
  const std::string head =
      "2026-02\t2026-02-15\t1\t" + std::to_string(number) + "\t" + remark + "\t";
  const std::string tail =
      "\t0\t0\t0\t0\t0\t0\t\t1\t0000\tFALSE\t1\t\t0\t0\t0\t0\t0\t0\t\t\t0\t0\t\t0\t0\t\t\t" +
      organization + "\t0\t0";
  return head + debit + "\t1\t100" + tail + "\n" + head + credit + "\t-1\t100" + tail;
}

class VoucherSaveTest : public VoucherWindowTest {
 protected:
  std::string Rows(const std::string& sql) { return DumpRows(t_.Data(), sql); }
};

}  // namespace lumvoucher::testing
