#include "numbering/numbering_windows.h"

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
bool SingleBasis(const char* title) {
  try {
    return !frame::IsDualBasis();
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, title);
    return false;
  }
}

}  // namespace

void ShowVoucherRenumber(long voucher_type_id) {
  if (!SingleBasis(texts::kRenumberTitle)) return;
  frmVoucherRenumber window;
  window.VoucherTypeID = voucher_type_id;
  if (!window.Load()) return;
  frame::Login().base_class->Modal().RunModal(window);
}

bool ShowVoucherContinuity() {
  if (!SingleBasis(texts::kContinuityTitle)) return false;
  frmVoucherContinuity window;
  if (!window.Load()) return false;
  frame::Login().base_class->Modal().RunModal(window);
  return window.Runs() > 0;
}

bool ShowVoucherVolume() {
  if (!SingleBasis(texts::kVolumeTitle)) return false;
  frmVoucherVolume window;
  if (!window.ShowVoucherVolume()) return false;
  return window.Saves() > 0;
}

bool MainControlEditVoucherVolume() {
  return ShowVoucherVolume();
}

}  // namespace lumvoucher::numbering
