#pragma once

#include <optional>
#include <string>

#include "voucher/voucher_loader.h"

// Preparing the reversal (冲销) voucher of a posted voucher. The reversal is a new, unsaved
// voucher the voucher window shows for the user to save; saving checks that the reversed voucher
// has no other reversal and that the date is not earlier than its date.
namespace lumvoucher::voucher {

// lngVoucherSourceID of a reversal voucher. 2 puts it among the vouchers the lists show (sources
// 1, 2, 13, 14, 16), among the system-made ones nobody edits by hand (2 or more, except 14), and
// among those that go when the voucher they reverse is voided (2 or less).
inline constexpr long kReversalSource = 2;

// What the reversal takes from the login rather than from the reversed voucher.
struct ReversalHeader {
  std::string date;  // yyyy-mm-dd
  int year = 0;
  int period = 0;
  std::string number;  // "000001"
  long organization_id = 0;
  long maker_id = 0;
  std::string maker_name;
};

// The red reversal of `original`: its type, template, manager, attachments and lines (accounts,
// sides, items, summaries, cash-flow codes) with every amount, currency amount and quantity
// negated, so each account's debit and credit totals return to what they were before the
// reversed voucher; rates and prices stay positive. Nothing of the original's status, marks,
// write-offs or bill numbers is carried over (a bill stays with the line that used it).
// lngSourceVoucherID names the original, lngVoucherSourceID is kReversalSource.
LoadedVoucher ReversalOf(const LoadedVoucher& original, const ReversalHeader& header);

// Reads the stored voucher and prepares its reversal dated on the login date, numbered by the
// host's numbering service in the login organisation, made by the current operator. Nothing when
// the voucher does not exist in `basis`; the reversal is a voucher of the same basis.
std::optional<LoadedVoucher> PrepareReversal(long reversed_voucher_id,
                                             const VoucherBasis& basis = FinancialBasis());

}  // namespace lumvoucher::voucher
