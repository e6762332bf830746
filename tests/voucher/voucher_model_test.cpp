#include "voucher/voucher_model.h"

#include <gtest/gtest.h>

#include "voucher/line_arithmetic.h"

namespace lumvoucher::voucher {
namespace {

VoucherLine Stored(int direction, double amount) {
  VoucherLine line;
  SetFromStored(line, direction, amount);
  return line;
}

TEST(VoucherModel, DirectionBecomesDebitOrCreditColumnAndBack) {
  VoucherLine credit = Stored(-1, 100);
  EXPECT_EQ(credit.debit, 0);
  EXPECT_EQ(credit.credit, 100);
  EXPECT_EQ(credit.Amount(), 100);
  VoucherLine debit = Stored(1, 250.5);
  EXPECT_EQ(debit.debit, 250.5);
  EXPECT_EQ(debit.credit, 0);
  debit.SetAmount(kCredit, 80);
  EXPECT_EQ(debit.direction, kCredit);
  EXPECT_EQ(debit.debit, 0);
  EXPECT_EQ(debit.Amount(), 80);
}

TEST(VoucherModel, TotalsRoundEachSideAndSpellTheDebitTotal) {
  std::vector<VoucherLine> lines{Stored(1, 0.105), Stored(1, 100.001), Stored(-1, 100)};
  Totals totals = ComputeTotals(lines, 2);
  EXPECT_EQ(FormatFixed(totals.debit, 2), "100.11");
  EXPECT_EQ(FormatFixed(totals.credit, 2), "100.00");
  EXPECT_EQ(totals.words, "壹佰元壹角壹分");
  std::vector<VoucherLine> credit_only{Stored(-1, -50)};
  EXPECT_EQ(ComputeTotals(credit_only, 2).words, "伍拾元整");
  EXPECT_EQ(ComputeTotals({}, 2).words, "零元整");
}

// The field typed last derives the others of the line's layout: each case sets a line, types
// one field, and reads "debit credit currency_amount price".
TEST(LineArithmetic, TheTypedFieldDerivesTheOthersOfTheLayout) {
  const struct {
    double debit, credit, rate, currency, quantity, price;
    int side;
    LineField typed;
    AmountLayout layout;
    const char* expected;
  } cases[] = {
      // clang-format off
      {0, 0, 0, 0, 10, 3500, kDebit, LineField::kPrice, AmountLayout::kQuantity, "35000.00 0.00 0.00 3500.00"},
      {36000, 0, 0, 0, 10, 3500, kDebit, LineField::kDebit, AmountLayout::kQuantity, "36000.00 0.00 0.00 3600.00"},
      // The local amount goes on the line's side.
      {0, 0, 7.1, 1000, 0, 0, kCredit, LineField::kCurrencyAmount, AmountLayout::kCurrency, "0.00 7100.00 1000.00 0.00"},
      // Rate zero derives nothing, either way.
      {500, 0, 0, 100, 0, 0, kDebit, LineField::kRate, AmountLayout::kCurrency, "500.00 0.00 100.00 0.00"},
      {710, 0, 0, 0, 0, 0, kDebit, LineField::kDebit, AmountLayout::kCurrency, "710.00 0.00 0.00 0.00"},
      // Currency and quantity chain to the local amount.
      {0, 0, 0.91, 0, 4, 25, kDebit, LineField::kQuantity, AmountLayout::kCurrencyQuantity, "91.00 0.00 100.00 25.00"},
      // clang-format on
  };
  for (const auto& c : cases) {
    VoucherLine line;
    line.SetAmount(c.side, c.side == kDebit ? c.debit : c.credit);
    line.rate = c.rate;
    line.currency_amount = c.currency;
    line.quantity = c.quantity;
    line.price = c.price;
    Recalculate(line, c.typed, c.layout, Decimals{});
    EXPECT_EQ(FormatFixed(line.debit, 2) + " " + FormatFixed(line.credit, 2) + " " +
                  FormatFixed(line.currency_amount, 2) + " " + FormatFixed(line.price, 2),
              c.expected)
        << c.expected;
  }
}

TEST(BalancingProposal, OffersTheDifferenceOnTheOppositeSide) {
  std::vector<VoucherLine> lines{Stored(1, 300), Stored(-1, 100)};
  auto proposal = BalancingProposal(lines, 41, 2);
  ASSERT_TRUE(proposal);
  EXPECT_EQ(proposal->side, kCredit);
  EXPECT_EQ(proposal->amount, 200);
  lines.push_back(Stored(-1, 250));
  proposal = BalancingProposal(lines, 41, 2);
  ASSERT_TRUE(proposal);
  EXPECT_EQ(proposal->side, kDebit);
  EXPECT_EQ(proposal->amount, 50);
  lines.back().SetAmount(kCredit, 200);
  EXPECT_FALSE(BalancingProposal(lines, 41, 2));
}

TEST(BalancingProposal, FollowsTheDocumentKind) {
  std::vector<VoucherLine> receipt{Stored(1, 300)};
  EXPECT_EQ(BalancingProposal(receipt, 54, 2)->side, kCredit);
  EXPECT_FALSE(BalancingProposal(receipt, 55, 2));
  std::vector<VoucherLine> payment{Stored(-1, 300)};
  EXPECT_EQ(BalancingProposal(payment, 55, 2)->side, kDebit);
  EXPECT_FALSE(BalancingProposal(payment, 54, 2));
}

}  // namespace
}  // namespace lumvoucher::voucher
