#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/test_host.h"
#include "voucher/frm_voucher.h"
#include "voucher/voucher_dump.h"

namespace lumvoucher::testing {

// The window with its state open to the test, as the saving code will see it.
class TestableVoucher : public voucher::frmVoucher {
 public:
  using voucher::frmVoucher::MutableState;
};

// A demo account set, a voucher window on it, and helpers to store vouchers with SQL.
class VoucherWindowTest : public ::testing::Test {
 protected:
  explicit VoucherWindowTest(const embedded::LoginRequest& login = DemoLogin::Maker())
      : t_(login) {}

  // A voucher header of 2026 period 2 in organisation 1, made by operator 2.
  void StoreVoucher(long id, long type, long number, const std::string& extra_columns = "",
                    const std::string& extra_values = "") {
    t_.Data().Execute(
        "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
        "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID" +
        extra_columns + ") Values (" + std::to_string(id) + ", " + std::to_string(type) + ", " +
        std::to_string(number) + ", '2026-02-14', 2026, 2, 1, 1, 2" + extra_values + ")");
  }
  void StoreLine(long id, long voucher, long row, long account, int direction, double amount,
                 const std::string& extra_columns = "", const std::string& extra_values = "") {
    t_.Data().Execute(
        "Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
        "lngAccountID, intDirection, dblAmount" +
        extra_columns + ") Values (" + std::to_string(id) + ", " + std::to_string(voucher) + ", " +
        std::to_string(row) + ", '摘要" + std::to_string(row) + "', " + std::to_string(account) +
        ", " + std::to_string(direction) + ", " + std::to_string(amount) + extra_values + ")");
  }
  void SetSetting(const std::string& section, const std::string& key, const std::string& value) {
    t_.Data().Execute("Update Setting Set strSetting = '" + value + "' Where strSection = '" +
                      section + "' And strKey = '" + key + "'");
  }
  // A new voucher with one line per (account, side, amount) entered through the cells.
  void NewVoucherWith(std::initializer_list<std::tuple<const char*, int, const char*>> lines) {
    ASSERT_TRUE(w_.ShowANewBill(0));
    for (const auto& [account, side, amount] : lines) {
      int row = w_.AddLine();
      ASSERT_TRUE(w_.SetCell(row, voucher::LineField::kAccount, account));
      ASSERT_TRUE(w_.SetCell(
          row, side == voucher::kCredit ? voucher::LineField::kCredit : voucher::LineField::kDebit,
          amount));
    }
  }
  const voucher::VoucherState& S() const { return w_.State(); }
  voucher::VoucherLine& L(int row) {
    return w_.MutableState().lines.at(static_cast<std::size_t>(row - 1));
  }

  TestHost t_;
  TestableVoucher w_;
};

}  // namespace lumvoucher::testing
