#include "numbering/numbering_windows.h"

#include <optional>

#include "frame/login_state.h"
#include "host/cls_base_class.h"
#include "host/message_box.h"
#include "numbering/frm_voucher_continuity.h"
#include "numbering/frm_voucher_renumber.h"
#include "numbering/frm_voucher_volume.h"
#include "numbering/numbering_texts.h"

namespace lumvoucher::numbering {

namespace {

// The regime is read from the account set each time; a failed read opens nothing.
std::optional<NumberingBasis> BasisOrMessage(const char* title) {
  try {
    return NumberingBasis::OfAccountSet();
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, title);
    return std::nullopt;
  }
}

}  // namespace

void ShowVoucherRenumber(long voucher_type_id) {
  const std::optional<NumberingBasis> basis = BasisOrMessage(texts::kRenumberTitle);
  if (!basis) return;
  frmVoucherRenumber window(*basis);
  window.VoucherTypeID = voucher_type_id;
  if (!window.Load()) return;
  frame::Login().base_class->Modal().RunModal(window);
}

bool ShowVoucherContinuity() {
  const std::optional<NumberingBasis> basis = BasisOrMessage(texts::kContinuityTitle);
  if (!basis) return false;
  frmVoucherContinuity window(*basis);
  if (!window.Load()) return false;
  frame::Login().base_class->Modal().RunModal(window);
  return window.Runs() > 0;
}

bool ShowVoucherVolume() {
  const std::optional<NumberingBasis> basis = BasisOrMessage(texts::kVolumeTitle);
  if (!basis) return false;
  frmVoucherVolume window(*basis);
  if (!window.ShowVoucherVolume()) return false;
  return window.Saves() > 0;
}

bool MainControlEditVoucherVolume() {
  return ShowVoucherVolume();
}

}  // namespace lumvoucher::numbering
