#include "lists/frm_list_voucher_compare.h"

#include "frame/sql_text.h"
#include "lists/list_texts.h"
#include "lists/list_work_tables.h"

namespace lumvoucher::lists {

frmListVoucherCompare::frmListVoucherCompare()
    : CombinedList("frmListVoucherCompare", texts::kCompareListTitle, kListID) {}

CombinedList::RowVoucher frmListVoucherCompare::SelectedRowVoucher() const {
  const int basis = ColumnIndex("凭证类型ID");
  if (State().selected_row < 0 || basis < 0) return {};
  return {SelectedVoucherID(),
          static_cast<int>(State()
                               .rows.at(static_cast<std::size_t>(State().selected_row))
                               .at(static_cast<std::size_t>(basis))
                               .AsLong())};
}

void frmListVoucherCompare::PrepareRights(const std::string& scope,
                                          const std::vector<const RightsDimension*>& dimensions,
                                          ListQuery& query) {
  work_key_ = FillVoucherListRights(work_key_, scope, dimensions, kBothBasesLines);
  query.restriction_tables = ",VoucherListRightTmp";
  query.restriction =
      " And VoucherListRightTmp.lngVoucherID=Voucher.lngVoucherID"
      " And VoucherListRightTmp.lngVoucherListRightTmpID=" +
      frame::SqlNumber(work_key_);
}

std::string frmListVoucherCompare::QueryText(const ListQuery& query) const {
  ListQuery both = query;
  both.both_bases = true;
  return SelectText(both);
}

}  // namespace lumvoucher::lists
