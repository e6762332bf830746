#include "frame/frame_messages.h"

#include <cmath>

#include "frame/frame_texts.h"
#include "frame/login_state.h"
#include "frame/voucher_lookup.h"
#include "host/message_box.h"

namespace lumvoucher::frame {

namespace {
// The open-amount threshold of the settlement tables: below it an amount counts as nothing.
constexpr double kSettledEpsilon = 0.00000001;
}  // namespace

void ReportConnectionFailure() {
  Msg(kConnectionFailed, host::mb::kOkOnly + host::mb::kExclamation, kTitleInformation);
}

bool ReversalGuard(long reversed_voucher_id) {
  if (std::fabs(SettledAmount(reversed_voucher_id)) <= kSettledEpsilon) return true;
  Msg(kReversalSettled, host::mb::kOkOnly + host::mb::kExclamation, kReversal);
  return false;
}

}  // namespace lumvoucher::frame
