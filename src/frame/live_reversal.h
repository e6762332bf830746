#pragma once

#include <string>
#include <string_view>

#include "host/voucher_basis.h"

// What "reversed" means for every reader (the window's mark, the business service's delete and
// cancel-posting rules, the batch candidates, the list's linked-voucher column and command, the
// save's check for a second reversal): a live reversal names the voucher. A live reversal is a
// voucher that is not void and whose lngSourceVoucherID is the reversed voucher; with source 16
// lngSourceVoucherID names the transfer a voucher came from instead. Voiding a reversal, in the
// window or from a list, so gives the voucher it reversed its posting back.
namespace lumvoucher::frame {

// The voucher under `alias` ("" for none) is a live reversal of some voucher.
std::string LiveReversalTerms(std::string_view alias);
// ... of the voucher `reversed` (a number or a column expression).
std::string IsLiveReversalOf(std::string_view alias, std::string_view reversed);
// "Exists (...)": a live reversal names the voucher `reversed`. A reversal is a voucher of the
// reversed voucher's basis.
std::string ReversedCondition(std::string_view reversed,
                              const host::VoucherBasis& basis = host::FinancialBasis());
// One row per live reversal of `voucher_id` (lngVoucherID), oldest first.
std::string LiveReversalsSql(long voucher_id,
                             const host::VoucherBasis& basis = host::FinancialBasis());

}  // namespace lumvoucher::frame
