#include "host/voucher_basis.h"

namespace lumvoucher::host {

const VoucherBasis& FinancialBasis() {
  static const VoucherBasis basis{kFinancialBaseId, "Voucher", "VoucherDetail", "Account",
                                  "VOUCHER_NOUNIQUE"};
  return basis;
}

const VoucherBasis& BudgetBasis() {
  static const VoucherBasis basis{kBudgetBaseId, "BudgetVoucher", "BudgetVoucherDetail",
                                  "BudgetAccount", "BUDGETVOUCHER_NOUNIQUE"};
  return basis;
}

const VoucherBasis* BasisOf(int base_id) {
  if (base_id == kFinancialBaseId) return &FinancialBasis();
  if (base_id == kBudgetBaseId) return &BudgetBasis();
  return nullptr;
}

}  // namespace lumvoucher::host
