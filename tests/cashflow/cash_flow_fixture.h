#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "support/test_host.h"

namespace lumvoucher::testing {

// A demo account set with helpers to store vouchers, splits, options and rights with SQL.
class CashFlowTest : public ::testing::Test {
 protected:
  explicit CashFlowTest(const embedded::LoginRequest& login = DemoLogin::Maker()) : t_(login) {}

  struct Line {
    long id;
    long account;
    int direction;
    double amount;
  };
  // A voucher of organisation 1, 2026 period 2, with its lines in row order.
  void StoreVoucher(long id, std::initializer_list<Line> lines, long maker = 2) {
    Exec(
        "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
        "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID) Values (" +
        N(id) + ", 1, " + N(id) + ", '2026-02-14', 2026, 2, 1, 1, " + N(maker) + ")");
    long row = 0;
    for (const Line& l : lines) {
      ++row;
      Exec(
          "Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
          "lngAccountID, intDirection, dblAmount, lngOrganizationID, lngCurrencyID, dblRate, "
          "dblCurrencyAmount) Values (" +
          N(l.id) + ", " + N(id) + ", " + N(row) + ", '摘要" + N(row) + "', " + N(l.account) +
          ", " + N(l.direction) + ", " + std::to_string(l.amount) + ", 1, 1, 1, " +
          std::to_string(l.amount) + ")");
    }
  }
  void Flow(long line, long item, double amount, long range = 2, long customer = 0) {
    Exec(
        "Insert Into VoucherCashFlow (lngVoucherDetailID, lngCashItemID, lngOtherID, dblAmount, "
        "blnIsNotComputer, lngRangeType, lngCustomerID) Values (" +
        N(line) + ", " + N(item) + ", 0, " + std::to_string(amount) + ", 1, " + N(range) + ", " +
        N(customer) + ")");
  }
  void Options(bool prompt, bool must, bool ignore) {
    Set("凭证提示现金流量分配", prompt);
    Set("现金流量科目必须分配", must);
    Set("忽略借贷方科目同为现金及现金等价物，且金额相等的凭证", ignore);
  }
  void Set(const std::string& key, bool on) {
    Exec("Update Setting Set strSetting = '" + std::string(on ? "True" : "False") +
         "' Where strKey = '" + key + "'");
  }
  void Grant(long right, bool on, long operator_id = 2) {
    Exec("Delete From OperatorRight Where lngOperatorID = " + N(operator_id) +
         " And lngRightID = " + N(right));
    if (on) {
      Exec("Insert Into OperatorRight (lngOperatorID, lngRightID, lngOrganizationID) Values (" +
           N(operator_id) + ", " + N(right) + ", 1)");
    }
  }
  void Exec(const std::string& sql) { t_.Data().Execute(sql); }
  std::string Rows(const std::string& sql) { return t_.Rows(sql); }
  static std::string N(long value) { return std::to_string(value); }

  // Queues the messages of a transcript ("title|flags|text" lines), each answered `answer`, and
  // answers where the box's record of them will start.
  std::size_t Expecting(const std::string& transcript, int answer = host::mb::kOk) {
    std::size_t from = 0;
    while (from < transcript.size()) {
      const std::size_t end = transcript.find('\n', from);
      const std::string line = transcript.substr(from, end - from);
      const std::size_t bar1 = line.find('|'), bar2 = line.find('|', bar1 + 1);
      t_.Messages().Expect(line.substr(bar2 + 1), answer, line.substr(0, bar1));
      from = end + 1;
    }
    return t_.Messages().Shown().size();
  }
  // The messages shown since `from`, as a transcript.
  std::string ShownSince(std::size_t from = 0) {
    std::string out;
    const auto& shown = t_.Messages().Shown();
    for (std::size_t i = from; i < shown.size(); ++i) {
      out += shown[i].title + "|" + std::to_string(shown[i].flags) + "|" + shown[i].text + "\n";
    }
    return out;
  }

  TestHost t_;
};

// Demo items and accounts the tests name.
namespace demo {
inline constexpr long kSales = 2;      // 01-01 销售商品、提供劳务收到的现金 (inflow)
inline constexpr long kTaxRefund = 3;  // 01-02 收到的税费返还 (inflow)
inline constexpr long kPurchase = 6;   // 02-01 购买商品、接受劳务支付的现金 (outflow)
inline constexpr long kWages = 7;      // 02-02 (outflow)
inline constexpr long kNetItem = 21;   // 07-01 (net)
inline constexpr long kCash = 1;       // 1001 库存现金
inline constexpr long kBank = 3;       // 1002-01 工商银行（人民币）
inline constexpr long kDollar = 4;     // 1002-02, blnNotMustAssign
inline constexpr long kOtherMoney = 5;  // 1012, blnInOutAssign
inline constexpr long kReceivable = 6;  // 1122
inline constexpr long kRevenue = 27;    // 6001
inline constexpr long kOffice = 31;     // 6602-01
}  // namespace demo

}  // namespace lumvoucher::testing
