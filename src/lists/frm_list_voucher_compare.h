#pragma once

#include <string>
#include <vector>

#include "lists/combined_list.h"

namespace lumvoucher::lists {

// The comparing detail list of the dual basis ("凭证综合查询明细列表"), configuration key 5: the
// voucher list's query over the lines of both bases (VoucherView, VoucherDetailView,
// VoucherTypeView), its reversal columns read from VoucherCompare under the same basis, sorted
// as the voucher list without the basis among the tie-breakers. A row stands for its voucher
// (column "id") of the basis in column "凭证类型ID".
class frmListVoucherCompare : public CombinedList {
 public:
  static constexpr long kListID = 5;
  frmListVoucherCompare();

  RowVoucher SelectedRowVoucher() const override;
  std::string ShownPairs() const override;

 protected:
  frmListVoucherCompare(std::string window_name, std::string title);
  void PrepareRights(const std::string& scope,
                     const std::vector<const RightsDimension*>& dimensions,
                     ListQuery& query) override;
  bool BasisTieBreaker() const override { return false; }
  std::string QueryText(const ListQuery& query) const override;
};

// The voucher list of the dual basis ("记账凭证列表", window "frmListVoucherNew"): the lines of
// both bases as the comparing list reads them, narrowed by the basis selector (kBasisChoices)
// and sorted as the voucher list, the basis among the tie-breakers. Its columns are the
// comparing list's configuration (key 5), which already reads both bases.
class frmListVoucherNew : public frmListVoucherCompare {
 public:
  frmListVoucherNew();
  // Takes the selector's choice (0 all, 1 financial, 2 budget) and fills again; false for
  // another value (nothing changes) or a failed fill.
  bool SetBasis(int basis);

 protected:
  bool BasisTieBreaker() const override { return true; }
};

// The error voucher list of the dual basis ("错误记账凭证列表", window "frmListErrVoucherCompare"):
// the comparing detail list restricted as the single-basis error list, over the vouchers of
// both bases (the operator's own error vouchers that are not void, stamped or not). Its commands
// are the error list's that the combined lists carry: open, new, batch delete (over the pairs of
// the vouchers shown), void, show all, post, filter, columns, refresh and print.
class frmListErrVoucherCompare : public frmListVoucherCompare {
 public:
  frmListErrVoucherCompare();

 protected:
  std::string FixedCondition() const override;
  bool StampedOnly() const override { return false; }
  std::vector<MenuItem> BuildMenu() const override;
};

}  // namespace lumvoucher::lists
