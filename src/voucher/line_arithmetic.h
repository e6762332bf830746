#pragma once

#include <optional>
#include <string>
#include <vector>

#include "voucher/voucher_model.h"

// The amount fields of the entry panel and how they follow each other.
//
// The local amount is the line's one amount on its side (debit or credit). After an edit:
// - quantity layout: quantity or unit price -> amount = quantity × price (both non-zero);
//   amount -> price = amount ÷ quantity (quantity non-zero);
// - currency layout: currency amount or rate -> amount = currency amount × rate; amount -> the
//   currency amount = amount ÷ rate while the currency amount is still empty (otherwise the
//   typed local amount stands, as for an exchange difference);
// - currency and quantity: quantity or price (in the currency) -> currency amount =
//   quantity × price, then amount as above; currency amount -> price = currency amount ÷
//   quantity, then amount.
// A rate of 0 derives nothing: the local amount stays as typed and nothing is divided by it.
namespace lumvoucher::voucher {

enum class AmountLayout { kAmountOnly, kQuantity, kCurrency, kCurrencyQuantity };

AmountLayout LayoutOf(bool currency_accounting, bool quantity_accounting);

// The captions of the layout's fields, in panel order ("币    种", "汇    率", ...).
std::vector<std::string> LayoutCaptions(AmountLayout layout);

struct Decimals {
  int amount = 2;
  int price = 4;
  int quantity = 4;
  int currency_amount = 2;
};

// Derives the dependent values after `changed` was edited.
void Recalculate(VoucherLine& line, LineField changed, AmountLayout layout,
                 const Decimals& decimals);

// Rounds every number of the line to its decimals (the rate to the line's rate decimals); false,
// with the line left as it was, when one of them needs more than 15 significant digits.
bool FitNumbers(VoucherLine& line, const Decimals& decimals);

// The balancing amount proposed for the line after `row` once `row` has passed its checks:
// the difference of the totals on the side that closes it. In a receipt voucher (54) the lines
// after the first are credits, in a payment voucher (55) debits, so only a difference that such
// a line can close is proposed. Nothing when the voucher balances.
struct LineProposal {
  int side = kDebit;
  double amount = 0;
};
std::optional<LineProposal> BalancingProposal(const std::vector<VoucherLine>& lines,
                                              int document_kind, int decimals);

}  // namespace lumvoucher::voucher
