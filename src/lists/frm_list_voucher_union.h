#pragma once

#include <string>
#include <vector>

#include "lists/combined_list.h"

namespace lumvoucher::lists {

// The combined list of the dual basis ("凭证综合查询列表"), configuration key 4: one row per
// voucher pair (BudgetVoucherRelevance), keyed by the pair row. Its leading voucher is the
// financial one, or the budget one when the pair has no financial voucher; the header values
// (date, type and number, void mark, the makers' and the user's filter) are the leading
// voucher's, and opening and the status commands start from it. The pair belongs to the
// organisations of the pair row. Sortable by "日期" and "凭证字号"; a "凭证册号" column sorts by
// date.
//
// Item rights: a pair is listed when the operator may see every line of both its vouchers; the
// lines are counted for every voucher of the organisations in scope, whatever its date, since
// the two dates of a pair may differ.
class frmListVoucherUnion : public CombinedList {
 public:
  static constexpr long kListID = 4;
  frmListVoucherUnion();

  RowVoucher SelectedRowVoucher() const override;
  std::string ShownPairs() const override;
  // Whether the row is shaded grey: its financial and budget amount columns (captions
  // "*财务*金额*" and "*预算*金额*") are both filled and differ at the account set's decimals.
  bool IsShaded(int row) const;

 protected:
  void PrepareRights(const std::string& scope,
                     const std::vector<const RightsDimension*>& dimensions,
                     ListQuery& query) override;
  std::string QueryText(const ListQuery& query) const override;
};

}  // namespace lumvoucher::lists
