#pragma once

#include <string>

namespace lumvoucher::host {

// The books a voucher is kept in. Outside the dual-basis regime there are only financial
// vouchers; under it each event is a financial voucher and a budget voucher kept as a pair.
// Both bases have the same columns and the same rules, so every reader and writer of vouchers
// takes the basis and names its tables through it. Voucher and line ids never collide between
// the bases (both draw from the id counters "VOUCHER" and "VOUCHERDETAIL"), so VoucherView and
// VoucherDetailView find a voucher or a line by its id alone; voucher types are shared.
struct VoucherBasis {
  int base_id;                // VoucherView.lngVoucherBaseID
  const char* voucher_table;  // Voucher, BudgetVoucher
  const char* detail_table;   // VoucherDetail, BudgetVoucherDetail
  const char* account_table;  // Account, BudgetAccount (its organisations' copies: + "Ex")
  const char* unique_key;     // the key that keeps a number once per period, type, organisation

  bool IsBudget() const { return base_id == 2; }
  // The voucher table under the name "Voucher", for a query written with the financial names:
  // "Voucher", or "BudgetVoucher Voucher". The same for the lines and the chart.
  std::string VoucherAsVoucher() const { return As(voucher_table, "Voucher"); }
  std::string DetailAsVoucherDetail() const { return As(detail_table, "VoucherDetail"); }
  std::string AccountAsAccount() const { return As(account_table, "Account"); }

 private:
  static std::string As(const char* table, const char* name) {
    const std::string t(table);
    return t == name ? t : t + " " + name;
  }
};

// lngVoucherBaseID of the two bases.
inline constexpr int kFinancialBaseId = 1;
inline constexpr int kBudgetBaseId = 2;

const VoucherBasis& FinancialBasis();
const VoucherBasis& BudgetBasis();
// The basis of a lngVoucherBaseID; nullptr for any other value.
const VoucherBasis* BasisOf(int base_id);

}  // namespace lumvoucher::host
