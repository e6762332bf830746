#include <gtest/gtest.h>

#include "frame/window_registry.h"
#include "host/message_box.h"
#include "links/darap_settlement.h"
#include "links/link_fixture.h"
#include "links/settlement_texts.h"

namespace lumvoucher::testing {
namespace {

using links::SettlementLine;

// A receipt from 市第一人民医院 (unit 3) on 1122 (account 6), currency 1.
SettlementLine Receipt(double amount, long department = 0, const char* date = "2026-02-20") {
  SettlementLine line;
  line.account_id = 6;
  line.currency_id = 1;
  line.customer_id = 3;
  line.department_id = department;
  line.amount = amount;
  line.voucher_date = date;
  return line;
}

std::string Offered(const SettlementLine& line) {
  std::string out;
  for (const links::OpenItem& item : links::LoadOpenItems(line)) {
    out += item.date + " " + item.remark + " " + voucher::FormatFixed(item.base_open, 2) + "\n";
  }
  return out;
}

// Matched on every auxiliary item and the date; a tiny open amount counts as settled.
TEST_F(LinkTest, OpenItemsMatchTheLineItsDepartmentAndItsDate) {
  EXPECT_EQ(Offered(Receipt(100)),
            "2026-01-10 期初应收 药品款A 60.00\n2026-01-20 期初应收 药品款B 70.00\n");
  EXPECT_EQ(Offered(Receipt(100, 2)), "2026-01-15 期初应收 财务部 50.00\n");
  EXPECT_EQ(Offered(Receipt(100, 0, "2026-02-21")),
            "2026-01-10 期初应收 药品款A 60.00\n2026-01-20 期初应收 药品款B 70.00\n"
            "2026-02-21 期初应收 次日 30.00\n");
  SettlementLine other_unit = Receipt(100);
  other_unit.customer_id = 1;
  EXPECT_EQ(Offered(other_unit), "");
}

std::string Grid(const links::DarapState& s) {
  std::string out;
  for (const links::DarapRow& r : s.rows) {
    out += std::string(r.chosen ? "√ " : "  ") + voucher::FormatFixed(r.this_time, 2) + " " +
           voucher::FormatFixed(r.Open(), 2) + "\n";
  }
  return out + "allocated " + voucher::FormatFixed(s.allocated, 2) + " remaining " +
         voucher::FormatFixed(s.remaining, 2);
}

// First in, first out; ticking by hand; and a total that does not reach the line refused.
TEST_F(LinkTest, AllocationFillsTheOldestItemsFirst) {
  auto& window = frame::WindowRegistry::Get<Darap>();
  std::string grid;
  Script<Darap>([&grid](Darap& d) {
    d.Allocate();
    grid = Grid(d.State());
    d.Tick(1);  // untick 60: the amount goes back
    d.Tick(2);  // 70 is already ticked: untick too
    d.Tick(2);  // tick again against the 100 remaining
    grid += "\n" + Grid(d.State());
    d.Confirm();
    d.Tick(1);
    d.Confirm();
  });
  t_.Messages().Expect(links::texts::kNotAllocated, host::mb::kOk, links::texts::kDarapCaption);
  EXPECT_TRUE(window.Show(Receipt(100), nullptr));
  EXPECT_EQ(grid,
            "√ 60.00 0.00\n√ 40.00 30.00\nallocated 100.00 remaining 0.00\n"
            "  0.00 60.00\n√ 70.00 0.00\nallocated 70.00 remaining 30.00");
  const links::SettlementSplit split = window.Split();
  ASSERT_EQ(split.shares.size(), 2u);
  EXPECT_EQ(split.shares[0].darap_detail_id, 1);
  EXPECT_DOUBLE_EQ(split.shares[0].amount, 30);
  EXPECT_DOUBLE_EQ(split.shares[1].amount, 70);
}

// Typed amounts: decimal text only, the account set's decimals, not negative, not above open.
TEST_F(LinkTest, TypedAllocationsAreReadStrictly) {
  const struct {
    const char* text;
    const char* refusal;
  } cases[] = {{"12a", links::texts::kNotANumber},        {"1e2", links::texts::kNotANumber},
               {"1.234", links::texts::kTooManyDecimals}, {"-5", links::texts::kNegative},
               {"60.01", links::texts::kAboveOpen},       {"60", nullptr}};
  Script<Darap>([&cases](Darap& d) {
    for (const auto& c : cases) {
      EXPECT_EQ(d.SetThisTime(1, c.text), c.refusal == nullptr) << c.text;
    }
    EXPECT_EQ(Grid(d.State()), "√ 60.00 0.00\n  0.00 70.00\nallocated 60.00 remaining 40.00");
  });
  for (const auto& c : cases) {
    if (c.refusal != nullptr) {
      t_.Messages().Expect(c.refusal, host::mb::kOk, links::texts::kDarapCaption);
    }
  }
  EXPECT_FALSE(frame::WindowRegistry::Get<Darap>().Show(Receipt(100), nullptr));
}

// A stored settlement by another line's item is withdrawn with the item it booked.
TEST_F(LinkTest, WithdrawingAStoredSettlementReopensTheSettledItem) {
  t_.Data().Execute(
      "Insert Into DARAP (lngDARAPID, lngAccountID, lngCustomerID, lngCurrencyID, "
      "lngOrganizationID, intDirection, lngVoucherDetailID) Values (50, 6, 3, 1, 1, -1, 11)");
  t_.Data().Execute(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount, dblCurrPaymentAmount) "
      "Values (50, 50, 25, 25)");
  t_.Data().Execute(
      "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
      "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Values (50, 1, 25, 11, 2)");
  t_.Data().Execute("Update DARAPDetail Set dblCurrPaymentAmount = 25 Where lngDARAPDetailID = 1");
  EXPECT_DOUBLE_EQ(links::VoucherSettledTotal(5), 25);  // voucher 5 holds line 11
  EXPECT_TRUE(links::WithdrawSettlement(50, 2));
  EXPECT_DOUBLE_EQ(links::VoucherSettledTotal(5), 0);
  EXPECT_FALSE(links::WithdrawSettlement(50, 2));
  EXPECT_EQ(Rows("Select Count(*) From DARAPSettlement") +
                Rows("Select Count(*) From DARAP "
                     "Where lngDARAPID = 50") +
                Rows("Select dblCurrPaymentAmount From DARAPDetail Where lngDARAPDetailID = 1"),
            "0\n0\n0\n");
}

}  // namespace
}  // namespace lumvoucher::testing
