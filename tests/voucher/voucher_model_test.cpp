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

TEST(LineArithmetic, QuantityTimesPriceGivesTheAmountAndTheAmountGivesThePrice) {
  VoucherLine line;
  line.quantity = 10;
  line.price = 3500;
  Recalculate(line, LineField::kPrice, AmountLayout::kQuantity, Decimals{});
  EXPECT_EQ(line.debit, 35000);
  line.SetAmount(kDebit, 36000);
  Recalculate(line, LineField::kDebit, AmountLayout::kQuantity, Decimals{});
  EXPECT_EQ(line.price, 3600);
}

TEST(LineArithmetic, CurrencyAmountTimesRateGivesTheLocalAmountOnTheLinesSide) {
  VoucherLine line;
  line.SetAmount(kCredit, 0);
  line.rate = 7.1;
  line.currency_amount = 1000;
  Recalculate(line, LineField::kCurrencyAmount, AmountLayout::kCurrency, Decimals{});
  EXPECT_EQ(line.credit, 7100);
  EXPECT_EQ(line.debit, 0);
}

TEST(LineArithmetic, RateZeroDerivesNothing) {
  VoucherLine line;
  line.SetAmount(kDebit, 500);
  line.currency_amount = 100;
  line.rate = 0;
  Recalculate(line, LineField::kRate, AmountLayout::kCurrency, Decimals{});
  EXPECT_EQ(line.debit, 500);
  VoucherLine typed;
  typed.SetAmount(kDebit, 710);
  Recalculate(typed, LineField::kDebit, AmountLayout::kCurrency, Decimals{});
  EXPECT_EQ(typed.currency_amount, 0);
}

TEST(LineArithmetic, CurrencyAndQuantityChainToTheLocalAmount) {
  VoucherLine line;
  line.rate = 0.91;
  line.quantity = 4;
  line.price = 25;
  Recalculate(line, LineField::kQuantity, AmountLayout::kCurrencyQuantity, Decimals{});
  EXPECT_EQ(line.currency_amount, 100);
  EXPECT_EQ(line.debit, 91);
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
