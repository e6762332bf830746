#pragma once

#include <functional>

#include "host/voucher_business_service.h"

namespace lumvoucher::lists {

// What the lists reach on the dual-basis side, which lives outside them: the paired window
// (dualbasis/, clsVoucherNew / FrmVoucherNew) and the status operations on budget vouchers.
// InterFace installs the paired window at Init; until then it opens nowhere (false, nothing
// shown). A budget voucher's status changes through the host's budget-basis business service.

// Basis of a voucher (VoucherView.lngVoucherBaseID).
inline constexpr int kFinancialBasis = 1;
inline constexpr int kBudgetBasis = 2;

struct PairedWindowHook {
  // The paired window on a stored voucher, in the position of its basis (ShowAOldBill).
  std::function<bool(long voucher_id, int basis)> show_voucher;
  // The paired window on a new pair (ShowANewBill).
  std::function<bool()> show_new;
};
void SetPairedWindowHook(PairedWindowHook hook);
bool ShowPairedVoucher(long voucher_id, int basis);
bool ShowNewPair();

// A stand-in for the budget-basis service (tests); null: the host's own.
void SetBudgetBusinessService(host::VoucherBusinessService* service);
// The service for a voucher of `basis`.
host::VoucherBusinessService& BusinessServiceOf(int basis);

}  // namespace lumvoucher::lists
