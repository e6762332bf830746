#include "links/frm_reference.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::voucher {

bool frmVoucher::MemoRegistration() {
  if (state_.lines.empty() || state_.header.voucher_id == 0) return false;
  if (!state_.preview && state_.must_save && !SaveBill()) return false;
  if (!MayRegisterMemo()) return false;
  const VoucherLine* current = Line(state_.current_row);
  return links::OpenLineReference(state_.header.voucher_id,
                                  current != nullptr ? current->line_id : 0, state_.preview);
}

}  // namespace lumvoucher::voucher
