#pragma once

#include <functional>

#include "host/voucher_business_service.h"

namespace lumvoucher::lists {

// What the lists reach on the dual-basis side, which lives outside them: the paired window
// (dualbasis/, clsVoucherNew / FrmVoucherNew) and the status operations on budget vouchers.
// The dual-basis side installs them here; until it does, the paired window opens nowhere (false,
// nothing shown) and a budget voucher goes to the host's voucher business service like a
// financial one.

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

// The service that changes the status of a budget voucher; null: the host's own.
void SetBudgetBusinessService(host::VoucherBusinessService* service);
// The service for a voucher of `basis`.
host::VoucherBusinessService& BusinessServiceOf(int basis);

}  // namespace lumvoucher::lists
