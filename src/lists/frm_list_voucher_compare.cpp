#include "lists/frm_list_voucher_compare.h"

#include <array>
#include <iterator>
#include <utility>

#include "frame/id_list.h"
#include "frame/sql_text.h"
#include "lists/frm_list_err_voucher.h"
#include "lists/list_texts.h"
#include "lists/list_work_tables.h"

namespace lumvoucher::lists {

frmListVoucherCompare::frmListVoucherCompare()
    : frmListVoucherCompare("frmListVoucherCompare", texts::kCompareListTitle) {}

frmListVoucherCompare::frmListVoucherCompare(std::string window_name, std::string title)
    : CombinedList(std::move(window_name), std::move(title), kListID) {}

CombinedList::RowVoucher frmListVoucherCompare::SelectedRowVoucher() const {
  const int basis = ColumnIndex("凭证类型ID");
  if (State().selected_row < 0 || basis < 0) return {};
  return {SelectedVoucherID(),
          static_cast<int>(State()
                               .rows.at(static_cast<std::size_t>(State().selected_row))
                               .at(static_cast<std::size_t>(basis))
                               .AsLong())};
}

std::string frmListVoucherCompare::ShownPairs() const {
  // Ids never collide between the bases, so one list serves both sides.
  const std::vector<std::int64_t> ids = ShownIds();
  return "(" + frame::InCondition("BudgetVoucherRelevance.lngVoucherID", ids) + " Or " +
         frame::InCondition("BudgetVoucherRelevance.lngBudgetVoucherID", ids) + ")";
}

void frmListVoucherCompare::PrepareRights(const std::string& scope,
                                          const std::vector<const RightsDimension*>& dimensions,
                                          ListQuery& query) {
  work_key_ = FillVoucherListRights(work_key_, scope, dimensions, kBothBasesLines);
  RestrictToKeyTable(work_key_, query);
}

std::string frmListVoucherCompare::QueryText(const ListQuery& query) const {
  ListQuery both = query;
  both.both_bases = true;
  return SelectText(both);
}

frmListVoucherNew::frmListVoucherNew()
    : frmListVoucherCompare("frmListVoucherNew", texts::kVoucherListTitle) {}

bool frmListVoucherNew::SetBasis(int basis) {
  if (basis < 0 || basis >= static_cast<int>(std::size(texts::kBasisChoices))) return false;
  state_.basis = basis;
  return ReMakeData();
}

frmListErrVoucherCompare::frmListErrVoucherCompare()
    : frmListVoucherCompare("frmListErrVoucherCompare", texts::kErrorListTitle) {}

std::string frmListErrVoucherCompare::FixedCondition() const {
  return ErrorVoucherCondition("VoucherView Voucher");
}

std::vector<MenuItem> frmListErrVoucherCompare::BuildMenu() const {
  static constexpr std::array<MenuEntry, 9> kEntries = {{
      {0, texts::kMenuOpen, ListAction::kOpen},
      {4, texts::kMenuBatchDelete, ListAction::kBatchDelete},
      {13, texts::kMenuVoid, ListAction::kVoid},
      {14, texts::kMenuShowAll, ListAction::kShowAll},
      {17, texts::kMenuPost, ListAction::kPost},
      {27, texts::kMenuFilter, ListAction::kFilter},
      {28, texts::kMenuColumns, ListAction::kColumns},
      {30, texts::kMenuRefresh, ListAction::kRefresh},
      {33, texts::kMenuPrint, ListAction::kPrint},
  }};
  return MenuOf(kEntries);
}

}  // namespace lumvoucher::lists
