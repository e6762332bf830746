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

 protected:
  void PrepareRights(const std::string& scope,
                     const std::vector<const RightsDimension*>& dimensions,
                     ListQuery& query) override;
  bool BasisTieBreaker() const override { return false; }
  std::string QueryText(const ListQuery& query) const override;
};

}  // namespace lumvoucher::lists
