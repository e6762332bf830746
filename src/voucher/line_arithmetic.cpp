#include "voucher/line_arithmetic.h"

namespace lumvoucher::voucher {

AmountLayout LayoutOf(bool currency_accounting, bool quantity_accounting) {
  if (currency_accounting) {
    return quantity_accounting ? AmountLayout::kCurrencyQuantity : AmountLayout::kCurrency;
  }
  return quantity_accounting ? AmountLayout::kQuantity : AmountLayout::kAmountOnly;
}

std::vector<std::string> LayoutCaptions(AmountLayout layout) {
  switch (layout) {
    case AmountLayout::kAmountOnly:
      return {"金额"};
    case AmountLayout::kQuantity:
      return {"数量", "单价", "金额"};
    case AmountLayout::kCurrency:
      return {"币    种", "汇    率", "原币金额", "本币金额"};
    case AmountLayout::kCurrencyQuantity:
      return {"币    种", "汇    率", "数    量", "原币单价", "原币金额", "本币金额"};
  }
  return {};
}

namespace {

bool IsLocalAmount(LineField field) {
  return field == LineField::kDebit || field == LineField::kCredit;
}

void LocalFromCurrency(VoucherLine& line, const Decimals& d) {
  if (line.rate == 0) return;
  line.SetAmount(line.direction, RoundTo(line.currency_amount * line.rate, d.amount));
}

}  // namespace

void Recalculate(VoucherLine& line, LineField changed, AmountLayout layout, const Decimals& d) {
  switch (layout) {
    case AmountLayout::kAmountOnly:
      return;
    case AmountLayout::kQuantity:
      if (changed == LineField::kQuantity || changed == LineField::kPrice) {
        if (line.quantity != 0 && line.price != 0) {
          line.SetAmount(line.direction, RoundTo(line.quantity * line.price, d.amount));
        }
      } else if (IsLocalAmount(changed) && line.quantity != 0) {
        line.price = RoundTo(line.Amount() / line.quantity, d.price);
      }
      return;
    case AmountLayout::kCurrency:
      if (changed == LineField::kCurrencyAmount || changed == LineField::kRate ||
          changed == LineField::kCurrency) {
        LocalFromCurrency(line, d);
      } else if (IsLocalAmount(changed) && line.currency_amount == 0 && line.rate != 0) {
        line.currency_amount = RoundTo(line.Amount() / line.rate, d.currency_amount);
      }
      return;
    case AmountLayout::kCurrencyQuantity:
      if (changed == LineField::kQuantity || changed == LineField::kPrice) {
        if (line.quantity != 0 && line.price != 0) {
          line.currency_amount = RoundTo(line.quantity * line.price, d.currency_amount);
          LocalFromCurrency(line, d);
        }
      } else if (changed == LineField::kCurrencyAmount) {
        if (line.quantity != 0) line.price = RoundTo(line.currency_amount / line.quantity, d.price);
        LocalFromCurrency(line, d);
      } else if (changed == LineField::kRate || changed == LineField::kCurrency) {
        LocalFromCurrency(line, d);
      } else if (IsLocalAmount(changed) && line.currency_amount == 0 && line.rate != 0) {
        line.currency_amount = RoundTo(line.Amount() / line.rate, d.currency_amount);
        if (line.quantity != 0) line.price = RoundTo(line.currency_amount / line.quantity, d.price);
      }
      return;
  }
}

bool FitNumbers(VoucherLine& line, const Decimals& d) {
  VoucherLine fitted = line;
  const std::pair<double*, int> numbers[] = {{&fitted.debit, d.amount},
                                             {&fitted.credit, d.amount},
                                             {&fitted.rate, line.rate_decimals},
                                             {&fitted.quantity, d.quantity},
                                             {&fitted.price, d.price},
                                             {&fitted.currency_amount, d.currency_amount},
                                             {&fitted.curr_payment_amount, d.currency_amount}};
  for (auto [number, decimals] : numbers) {
    std::optional<double> rounded = RoundEntered(*number, decimals);
    if (!rounded) return false;
    *number = *rounded;
  }
  line = std::move(fitted);
  return true;
}

std::optional<LineProposal> BalancingProposal(const std::vector<VoucherLine>& lines,
                                              int document_kind, int decimals) {
  Totals totals = ComputeTotals(lines, decimals);
  double difference = RoundTo(totals.debit - totals.credit, decimals);
  if (difference == 0) return std::nullopt;
  LineProposal proposal;
  proposal.side = difference > 0 ? kCredit : kDebit;
  proposal.amount = difference > 0 ? difference : -difference;
  // Receipt vouchers take credits after the first line, payment vouchers debits.
  if (document_kind == 54 && proposal.side != kCredit) return std::nullopt;
  if (document_kind == 55 && proposal.side != kDebit) return std::nullopt;
  return proposal;
}

}  // namespace lumvoucher::voucher
