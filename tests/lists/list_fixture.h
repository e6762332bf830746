#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "frame/settings.h"
#include "lists/frm_list_err_voucher.h"
#include "lists/frm_list_voucher.h"
#include "support/test_host.h"

namespace lumvoucher::testing {

// The demo account set (2026 period 2) and the lists on it, with helpers to store vouchers and
// to read the rows back as short dumps.
class ListTest : public ::testing::Test {
 protected:
  explicit ListTest(const embedded::LoginRequest& login = DemoLogin::Maker(),
                    embedded::DemoSets sets = embedded::DemoSets::kSingleBasisOnly)
      : t_(login, sets) {}

  void Exec(const std::string& sql) { t_.Data().Execute(sql); }
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    frame::WriteSetting(section, key, value);
  }
  // A voucher of 2026 period 2 with one debit and one credit line on 6602-01 / 1001.
  void StoreVoucher(long id, long organization, long type, long number, const std::string& date,
                    long maker, const std::string& extra_columns = "",
                    const std::string& extra_values = "") {
    Exec(
        "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
        "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID" +
        extra_columns + ") Values (" + std::to_string(id) + ", " + std::to_string(type) + ", " +
        std::to_string(number) + ", '" + date + "', 2026, 2, 1, " + std::to_string(organization) +
        ", " + std::to_string(maker) + extra_values + ")");
    StoreLine(id * 10 + 1, id, 1, 31, 1, 100, "办公费");
    StoreLine(id * 10 + 2, id, 2, 1, -1, 100, "办公费");
  }
  void StoreLine(long id, long voucher, int row, long account, int direction, double amount,
                 const std::string& remark) {
    Exec(
        "Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
        "lngAccountID, intDirection, dblAmount, lngOrganizationID) Values (" +
        std::to_string(id) + ", " + std::to_string(voucher) + ", " + std::to_string(row) + ", '" +
        remark + "', " + std::to_string(account) + ", " + std::to_string(direction) + ", " +
        std::to_string(amount) + ", 1)");
  }

  // The vouchers of the rows in row order, each run of lines once: "1 2 3".
  static std::string Vouchers(const lists::VoucherList& list) {
    std::string out;
    const int id = list.ColumnIndex("id");
    std::string last;
    for (int row = 0; row < static_cast<int>(list.State().rows.size()); ++row) {
      std::string voucher = list.CellText(row, id);
      if (voucher == last) continue;
      last = voucher;
      out += (out.empty() ? "" : " ") + voucher;
    }
    return out;
  }
  // The rows as the grid shows the given columns: "a|b" per row, rows joined by "\n".
  static std::string Rows(const lists::VoucherList& list,
                          std::initializer_list<const char*> captions) {
    std::string out;
    for (int row = 0; row < static_cast<int>(list.State().rows.size()); ++row) {
      std::string line;
      for (const char* caption : captions) {
        line += (line.empty() ? "" : "|") + list.CellText(row, list.ColumnIndex(caption));
      }
      out += (out.empty() ? "" : "\n") + line;
    }
    return out;
  }
  static std::string Headers(const lists::VoucherList& list) {
    std::string out;
    for (const lists::ListColumn& column : list.State().columns) {
      if (column.visible) out += (out.empty() ? "" : " ") + column.header;
    }
    return out;
  }
  // The first row of a voucher, -1 when it is not listed.
  static int RowOf(const lists::VoucherList& list, long voucher_id) {
    const int id = list.ColumnIndex("id");
    for (int row = 0; row < static_cast<int>(list.State().rows.size()); ++row) {
      if (list.CellText(row, id) == std::to_string(voucher_id)) return row;
    }
    return -1;
  }

  TestHost t_;
};

class VoucherListTest : public ListTest {
 protected:
  explicit VoucherListTest(const embedded::LoginRequest& login = DemoLogin::Maker())
      : ListTest(login) {}
  void SetUp() override { ASSERT_TRUE(list_.ShowMe()); }
  lists::frmListVoucher list_;
};

}  // namespace lumvoucher::testing
