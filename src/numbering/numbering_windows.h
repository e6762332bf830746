#pragma once

namespace lumvoucher::numbering {

// Opens a numbering window modally through the host's modal runner, on the basis of the account
// set: under the dual-basis regime the window numbers financial and budget vouchers together,
// a pair as one voucher.

// The number window; `voucher_type_id` is preselected (-1: all types).
void ShowVoucherRenumber(long voucher_type_id = -1);
// The continuity window; answers whether a run committed (the opening list reloads).
bool ShowVoucherContinuity();
// The volume window; answers whether a save committed. The list's "凭证分册(&G)" and the
// main-control command MainControlEditVoucherVolume open it.
bool ShowVoucherVolume();
bool MainControlEditVoucherVolume();

}  // namespace lumvoucher::numbering
