#include "lists/frm_list_err_voucher.h"

#include <array>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "lists/list_texts.h"
#include "lists/list_work_tables.h"

namespace lumvoucher::lists {

frmListErrVoucher::frmListErrVoucher()
    : VoucherList("frmListErrVoucher", texts::kErrorListTitle, kListID) {}

std::string ErrorVoucherCondition(std::string_view vouchers) {
  return " AND Voucher.lngVoucherID In ( Select Voucher.lngVoucherID From " +
         std::string(vouchers) +
         " Where 1=1 And Voucher.blnIsVoid = 0 And Voucher.blnIsError = 1 And "
         "Voucher.lngOperatorID = " +
         frame::SqlNumber(frame::OperatorId()) + ")";
}

std::string frmListErrVoucher::FixedCondition() const {
  return ErrorVoucherCondition("Voucher");
}

void frmListErrVoucher::FillWorkTables(const std::string& scope,
                                       const std::vector<const RightsDimension*>& dimensions) {
  host::DataAccess& data = frame::Data();
  EnsureErrorListTables();
  // The list shows the operator's own vouchers only, so the operator is its key.
  work_key_ = frame::OperatorId();
  ClearWorkTables();
  data.Execute(LineCountInsert(kVoucherDetailNumTempS, work_key_, scope));
  data.Execute(PermittedCountInsert(kVoucherDetailRightNumTempS, work_key_, scope, dimensions,
                                    frame::OperatorId(), frame::OrganizationId()));
}

std::string frmListErrVoucher::PermittedCondition() const {
  if (!RightsRestricted() || work_key_ == 0) return std::string();
  const std::string key = frame::SqlNumber(work_key_);
  return " And Exists (Select 1 From VoucherDetailNumTempS n,VoucherDetailRightNumTempS r Where "
         "n.lngVoucherID=Voucher.lngVoucherID And n.lngOperatorID=" +
         key + " And r.lngVoucherID=n.lngVoucherID And r.lngOperatorID=" + key +
         " And r.lngDetailNum=n.lngDetailNum)";
}

void frmListErrVoucher::ClearWorkTables() {
  host::DataAccess& data = frame::Data();
  data.Execute(DeleteByKey(kVoucherDetailNumTempS, "lngOperatorID", work_key_));
  data.Execute(DeleteByKey(kVoucherDetailRightNumTempS, "lngOperatorID", work_key_));
}

std::vector<MenuItem> frmListErrVoucher::BuildMenu() const {
  static constexpr std::array<MenuEntry, 12> kEntries = {{
      {0, texts::kMenuOpen, ListAction::kOpen},
      {4, texts::kMenuBatchDelete, ListAction::kBatchDelete},
      {11, texts::kMenuLinkedReversal, ListAction::kLinkedReversal},
      {13, texts::kMenuVoid, ListAction::kVoid},
      {14, texts::kMenuShowAll, ListAction::kShowAll},
      {17, texts::kMenuPost, ListAction::kPost},
      {27, texts::kMenuFilter, ListAction::kFilter},
      {28, texts::kMenuColumns, ListAction::kColumns},
      {30, texts::kMenuRefresh, ListAction::kRefresh},
      {31, texts::kMenuPrintReceipt, ListAction::kPrintReceipt},
      {33, texts::kMenuPrint, ListAction::kPrint},
      {37, texts::kMenuMemo, ListAction::kMemo},
  }};
  return MenuOf(kEntries);
}

}  // namespace lumvoucher::lists
