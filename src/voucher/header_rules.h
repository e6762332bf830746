#pragma once

#include <string>

#include "voucher/voucher_model.h"

// The checks made when the cursor leaves a header field of the voucher window.
namespace lumvoucher::voucher {

// intVoucherNO is shown with six digits; intNumber is a 16-bit column.
inline constexpr long kMaxVoucherNumber = 999999;
inline constexpr long kMaxAttachments = 32767;

// The header's number and attachment count as typed, read strictly: digits only (leading zeros
// and blanks around them allowed). The number must lie in 1..999999, the count in 0..32767;
// anything else is a message text, and what is fine is the value.
struct HeaderValue {
  long value = 0;
  const char* refusal = nullptr;
};
HeaderValue VoucherNumberOf(const std::string& text);
HeaderValue AttachmentsOf(const std::string& text);

// The accounting year and period of a date ("yyyy-mm-dd") in the current organisation
// (AccountPeriod), the calendar year and month when the account set has no period row for it.
struct YearPeriod {
  int year = 0;
  int period = 0;
};
YearPeriod PeriodOfDate(const std::string& date);

// Checks `field` of `header`; on failure shows the message (title "填制凭证", exclamation) and
// answers false so that the cursor returns to the field. A duplicate number asks whether to type
// another one: Yes answers false, No writes the numbering service's number ("0000##") into the
// header and answers true.
bool CheckHeaderField(VoucherHeader& header, HeaderField field);

}  // namespace lumvoucher::voucher
