#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/message_box.h"
#include "support/test_host.h"
#include "voucher/frm_voucher.h"
#include "voucher/voucher_dump.h"

namespace lumvoucher::testing {

// The window with its state open to the test, as the saving code will see it.
class TestableVoucher : public voucher::frmVoucher {
 public:
  using voucher::frmVoucher::MutableState;
};

// A demo account set, a voucher window on it, and helpers to store vouchers with SQL; a table
// of cases opens one per case.
class VoucherSession {
 public:
  explicit VoucherSession(const embedded::LoginRequest& login = DemoLogin::Maker()) : t_(login) {}

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
  // The save stops at `message`, answered `answer`, under `title`.
  void SaveStops(const std::string& message, int answer = host::mb::kOk,
                 const char* title = "保存凭证") {
    t_.Messages().Expect(message, answer, title);
    EXPECT_FALSE(w_.SaveBill()) << message;
  }
  // The cell refuses `text` with `message`, answered `answer`, under `title`.
  void CellRefuses(int row, voucher::LineField field, const std::string& text,
                   const std::string& message, const char* title = "填制凭证",
                   int answer = host::mb::kOk) {
    t_.Messages().Expect(message, answer, title);
    EXPECT_FALSE(w_.SetCell(row, field, text)) << text;
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
  const voucher::VoucherState& S() const { return w_.State(); }
  voucher::VoucherLine& L(int row) {
    return w_.MutableState().lines.at(static_cast<std::size_t>(row - 1));
  }

  TestHost t_;
  TestableVoucher w_;
};

class VoucherWindowTest : public ::testing::Test, public VoucherSession {
 protected:
  explicit VoucherWindowTest(const embedded::LoginRequest& login = DemoLogin::Maker())
      : VoucherSession(login) {}
};

}  // namespace lumvoucher::testing
