#include "lists/combined_list.h"

#include <array>

#include "frame/login_state.h"
#include "host/message_box.h"
#include "lists/dual_basis_links.h"
#include "lists/list_commands.h"
#include "lists/list_texts.h"
#include "lists/list_work_tables.h"

namespace lumvoucher::lists {

bool CombinedList::RunAction(ListAction action) {
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
  static constexpr std::array<MenuEntry, 9> kEntries = {{
      {0, texts::kMenuOpen, ListAction::kOpen},
      {6, texts::kMenuSign, ListAction::kSign},
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
