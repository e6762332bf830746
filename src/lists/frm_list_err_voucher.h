#pragma once

#include <string>
#include <string_view>

#include "lists/voucher_list.h"

namespace lumvoucher::lists {

// The error voucher list ("错误记账凭证列表"), configuration key 2: the current operator's own
// error vouchers that are not void, stamped or not. Its line counts go to
// VoucherDetailNumTempS and VoucherDetailRightNumTempS keyed by the operator; the batch dialog
// compares the two counts itself (no key table).
//
// Commands: open, new, void, post or cancel posting, memo registration clearing, the linked
// reversal voucher, filter, columns, show all, print and the batch dialog (delete mode); the
// status operations go to the command hook as in frmListVoucher.
// The list's fixed restriction, over the vouchers `vouchers` (a table, aliased Voucher).
std::string ErrorVoucherCondition(std::string_view vouchers);

class frmListErrVoucher : public VoucherList {
 public:
  static constexpr long kListID = 2;
  frmListErrVoucher();
  std::string PermittedCondition() const override;

 protected:
  void FillWorkTables(const std::string& scope,
                      const std::vector<const RightsDimension*>& dimensions) override;
  void ClearWorkTables() override;
  std::string FixedCondition() const override;
  bool StampedOnly() const override { return false; }
  bool BasisTieBreaker() const override { return false; }
  std::vector<MenuItem> BuildMenu() const override;
};

}  // namespace lumvoucher::lists
