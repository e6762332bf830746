#include "lists/frm_list_voucher.h"

#include <array>

#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "lists/list_texts.h"
#include "lists/list_work_tables.h"

namespace lumvoucher::lists {

namespace {

using frame::SqlNumber;

}  // namespace

frmListVoucher::frmListVoucher()
    : VoucherList("frmListVoucher", texts::kVoucherListTitle, kListID) {}

void frmListVoucher::FillWorkTables(const std::string& scope,
                                    const std::vector<const RightsDimension*>& dimensions) {
  work_key_ = FillVoucherListRights(work_key_, scope, dimensions);
}

std::string frmListVoucher::PermittedCondition() const {
  if (!RightsRestricted() || work_key_ == 0) return std::string();
  return " And Voucher.lngVoucherID In (Select lngVoucherID From VoucherListRightTmp Where "
         "lngVoucherListRightTmpID=" +
         SqlNumber(work_key_) + ")";
}

void frmListVoucher::ClearWorkTables() {
  ClearVoucherListRights(work_key_);
}

std::vector<MenuItem> frmListVoucher::BuildMenu() const {
  static constexpr std::array<MenuEntry, 25> kEntries = {{
      {0, texts::kMenuOpen, ListAction::kOpen},
      {4, texts::kMenuBatchDelete, ListAction::kBatchDelete},
      {6, texts::kMenuSign, ListAction::kSign},
      {7, texts::kMenuBatchSign, ListAction::kBatchSign},
      {8, texts::kMenuBatchCancelSign, ListAction::kBatchCancelSign},
      {10, texts::kMenuReverse, ListAction::kReverse},
      {11, texts::kMenuLinkedReversal, ListAction::kLinkedReversal},
      {13, texts::kMenuVoid, ListAction::kVoid},
      {14, texts::kMenuShowAll, ListAction::kShowAll},
      {17, texts::kMenuPost, ListAction::kPost},
      {19, texts::kMenuBatchReview, ListAction::kBatchReview},
      {20, texts::kMenuBatchCancelReview, ListAction::kBatchCancelReview},
      {22, texts::kMenuBatchPost, ListAction::kBatchPost},
      {23, texts::kMenuBatchCancelPost, ListAction::kBatchCancelPost},
      {25, texts::kMenuVolumes, ListAction::kVolumes},
      {27, texts::kMenuFilter, ListAction::kFilter},
      {28, texts::kMenuColumns, ListAction::kColumns},
      {30, texts::kMenuRefresh, ListAction::kRefresh},
      {31, texts::kMenuPrintReceipt, ListAction::kPrintReceipt},
      {32, texts::kMenuDepartmentCost, ListAction::kDepartmentCostPrint},
      {33, texts::kMenuPrint, ListAction::kPrint},
      {35, texts::kMenuExternalData, ListAction::kExternalData},
      {36, texts::kMenuCashFlow, ListAction::kCashFlow},
      {37, texts::kMenuMemo, ListAction::kMemo},
      {38, texts::kMenuContinuity, ListAction::kNumberContinuity},
  }};
  std::vector<MenuItem> menu = MenuOf(kEntries);
  menu[19].enabled = !BatchReviewForbidden();
  return menu;
}

}  // namespace lumvoucher::lists
