#include "frame/window_registry.h"
#include "links/frm_business_data.h"
#include "links/frm_center_ralation.h"
#include "links/frm_reference.h"
#include "links/frm_reference_batch.h"
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

bool frmVoucher::BatchMemoRegistration() {
  if (state_.preview || state_.lines.empty() || state_.header.voucher_id == 0) return false;
  if (state_.must_save && !SaveBill()) return false;
  if (!MayRegisterMemo()) return false;
  return frame::WindowRegistry::Get<links::frmReferenceBatch>().ShowMe(state_.header.voucher_id);
}

bool frmVoucher::BusinessData() {
  if (state_.header.voucher_id == 0) return false;
  return frame::WindowRegistry::Get<links::frmBusinessData>().ShowMe(state_.header.voucher_id);
}

bool frmVoucher::FundCentre() {
  if (state_.header.voucher_id == 0) return false;
  links::ShowCenterRalation(state_.header.voucher_id);
  return true;
}

}  // namespace lumvoucher::voucher
