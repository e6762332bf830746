#include "lists/combined_list.h"

#include <array>
#include <cstdint>

#include "frame/login_state.h"
#include "host/message_box.h"
#include "lists/dual_basis_links.h"
#include "lists/list_commands.h"
#include "lists/list_texts.h"
#include "lists/list_work_tables.h"

namespace lumvoucher::lists {

bool CombinedList::RunAction(ListAction action) {
  if (const int mode = BatchMode(action); mode >= 0) {
    const bool changed = RunBatchDialog(*this, static_cast<BatchOperation>(mode)) > 0;
    if (changed) ReMakeData();
    return changed;
  }
  switch (action) {
    case ListAction::kOpen:
      return OpenSelectedPair();
    case ListAction::kSign:
    case ListAction::kPost:
    case ListAction::kVoid: {
      RowVoucher chosen;
      try {
        chosen = SelectedRowVoucher();
      } catch (const std::exception& error) {
        frame::Msg(error.what(), host::mb::kCritical, State().title);
        return false;
      }
      if (chosen.id == 0) return false;
      const bool changed = action == ListAction::kSign   ? SignVoucher(chosen.id)
                           : action == ListAction::kPost ? PostVoucher(chosen.id)
                                                         : VoidVoucher(chosen.id);
      if (changed) ReMakeData();
      return changed;
    }
    case ListAction::kNew:
    case ListAction::kShowAll:
    case ListAction::kFilter:
    case ListAction::kColumns:
    case ListAction::kRefresh:
    case ListAction::kPrint:
    case ListAction::kPrintSetup:
    case ListAction::kAccountSummary:
    case ListAction::kVoucherSummary:
      return VoucherList::RunAction(action);
    default:
      return false;
  }
}

std::vector<std::int64_t> CombinedList::ShownIds() const {
  const std::vector<long> ids = VoucherIDs();
  return std::vector<std::int64_t>(ids.begin(), ids.end());
}

bool CombinedList::OpenSelectedPair() {
  RowVoucher chosen;
  try {
    chosen = SelectedRowVoucher();
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, State().title);
    return false;
  }
  return chosen.id != 0 && ShowPairedVoucher(chosen.id, chosen.basis);
}

bool CombinedList::ShowNewVoucherWindow() {
  return ShowNewPair();
}

void CombinedList::ClearWorkTables() {
  ClearVoucherListRights(work_key_);
}

std::vector<MenuItem> CombinedList::BuildMenu() const {
  static constexpr std::array<MenuEntry, 16> kEntries = {{
      {0, texts::kMenuOpen, ListAction::kOpen},
      {4, texts::kMenuBatchDelete, ListAction::kBatchDelete},
      {6, texts::kMenuSign, ListAction::kSign},
      {7, texts::kMenuBatchSign, ListAction::kBatchSign},
      {8, texts::kMenuBatchCancelSign, ListAction::kBatchCancelSign},
      {13, texts::kMenuVoid, ListAction::kVoid},
      {14, texts::kMenuShowAll, ListAction::kShowAll},
      {17, texts::kMenuPost, ListAction::kPost},
      {19, texts::kMenuBatchReview, ListAction::kBatchReview},
      {20, texts::kMenuBatchCancelReview, ListAction::kBatchCancelReview},
      {22, texts::kMenuBatchPost, ListAction::kBatchPost},
      {23, texts::kMenuBatchCancelPost, ListAction::kBatchCancelPost},
      {27, texts::kMenuFilter, ListAction::kFilter},
      {28, texts::kMenuColumns, ListAction::kColumns},
      {30, texts::kMenuRefresh, ListAction::kRefresh},
      {33, texts::kMenuPrint, ListAction::kPrint},
  }};
  std::vector<MenuItem> menu = MenuOf(kEntries);
  menu[19].enabled = !BatchReviewForbidden();
  return menu;
}

}  // namespace lumvoucher::lists
