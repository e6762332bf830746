// Leaving the shown voucher: 新增, closing, and moving to another stored voucher.
#include <algorithm>

#include "frame/login_state.h"
#include "host/cls_business_pub.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "voucher/frm_voucher.h"
#include "voucher/status_texts.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::voucher {

bool frmVoucher::mclsMainControl_EditNew() {
  try {
    const host::ReceiptTypeRights rights =
        frame::Login().business_pub->Rights(host::kReceiptTypeVoucher);
    // Said now, not by "凭证模版不能为空！" once the voucher is typed.
    const char* refusal = !rights.organization_in_account_set ? texts::kNotAccountSetOrganizationNew
                          : !rights.may_make                  ? texts::kNoAddRight
                          : rights.make_type_ids.empty()      ? texts::kNoTypeRight
                                                              : nullptr;
    if (refusal != nullptr) {
      frame::Msg(refusal, host::mb::kExclamation, texts::kTitleNewBill);
      return false;
    }
    if (state_.open && !AskToSaveChanges()) return false;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleNewBill);
    return false;
  }
  return ShowANewBill(0);
}

bool frmVoucher::QueryUnload() {
  try {
    if (!AskToSaveChanges()) return false;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleWarning);
    return false;
  }
  // Answered No (or nothing to ask): what was typed is gone with the window.
  state_.must_save = false;
  return true;
}

std::vector<long> frmVoucher::BrowseOrder() {
  const long current = state_.header.voucher_id;
  if (current != 0 &&
      std::find(browse_order_.begin(), browse_order_.end(), current) != browse_order_.end()) {
    return browse_order_;
  }
  const VoucherHeader& h = state_.header;
  const host::LoginContext& login = frame::Context();
  const int year = current != 0 ? h.year : login.LoginYear();
  const int period = current != 0 ? h.period : login.LoginPeriod();
  const long organization = current != 0 ? h.source_organization_id : frame::OrganizationId();
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select Voucher.lngVoucherID From Voucher, VoucherType Where Voucher.lngVoucherTypeID = "
      "VoucherType.lngVoucherTypeID And Voucher.intYear = " +
      std::to_string(year) + " And Voucher.bytPeriod = " + std::to_string(period) +
      " And Voucher.lngSourceOrganizationID = " + std::to_string(organization) +
      " Order By Voucher.lngVoucherTypeID, Voucher.intVoucherNO, Voucher.lngVoucherID");
  std::vector<long> order;
  for (; !rs.Eof(); rs.MoveNext()) order.push_back(static_cast<long>(rs[0].AsLong()));
  return order;
}

bool frmVoucher::ReceiptPosition(ReceiptMove move) {
  std::vector<long> order;
  try {
    order = BrowseOrder();
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleQuery);
    return false;
  }
  const long current = state_.header.voucher_id;
  const auto at = std::find(order.begin(), order.end(), current);
  const bool stored = at != order.end();
  std::ptrdiff_t target = -1;
  const auto size = static_cast<std::ptrdiff_t>(order.size());
  switch (move) {
    case ReceiptMove::kFirst:
      target = stored && at == order.begin() ? -1 : 0;
      break;
    case ReceiptMove::kLast:
      target = stored && at - order.begin() == size - 1 ? -1 : size - 1;
      break;
    case ReceiptMove::kPrevious:
      // From a voucher being made, the one before is the last one stored.
      target = stored ? at - order.begin() - 1 : size - 1;
      break;
    case ReceiptMove::kNext:
      target = stored ? at - order.begin() + 1 : size;
      break;
  }
  if (target < 0 || target >= size) {
    const bool backwards = move == ReceiptMove::kFirst || move == ReceiptMove::kPrevious;
    frame::Msg(backwards ? texts::kAtFirstVoucher : texts::kAtLastVoucher, host::mb::kInformation,
               texts::kTitleInformation);
    return false;
  }
  std::vector<long> kept = browse_order_;
  if (!ShowAOldBill(order[static_cast<std::size_t>(target)], 0, false)) return false;
  browse_order_ = std::move(kept);
  return true;
}

}  // namespace lumvoucher::voucher
