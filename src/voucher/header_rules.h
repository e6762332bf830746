#pragma once

#include <string>

#include "voucher/voucher_model.h"

// The checks made when the cursor leaves a header field of the voucher window.
namespace lumvoucher::voucher {

// "yyyy-mm-dd" for a real calendar date typed as y-m-d (one- or two-digit month and day
// accepted); empty when the text is not a date.
std::string NormalizeDate(const std::string& text);

// The accounting year and period of a date in the current organisation (AccountPeriod), the
// calendar year and month when the account set has no period row for it.
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
