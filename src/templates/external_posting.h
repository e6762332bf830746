#pragma once

#include <string>
#include <vector>

#include "templates/external_checker.h"
#include "templates/external_voucher.h"

// Posting one external voucher: the voucher window's programmatic road (WriteForm, MustSave,
// SaveAVoucher) and the mark on its staged lines, committed together.
namespace lumvoucher::templates {

// The voucher source of vouchers made from external data.
inline constexpr long kExternalSource = 37;

struct PostOutcome {
  bool written = false;  // WriteForm took the voucher (else nothing was shown about it)
  int result = 0;        // SaveAVoucher's: 1 saved, 0 refused or failed, 2 nothing to save
  long voucher_id = 0;
  std::string voucher_no;  // "记-000005"
};

// The WriteForm text of a checked voucher: one record per line, dated `date` (the lines' own
// date when empty), numbered `number`. Texts lose their tabs and line breaks, which would cut
// the record.
std::string WriteFormText(ExternalChecker& checker, const std::vector<ExternalLine>& lines,
                          const std::string& date, long number);

// Saves the checked voucher `lines` as a new voucher with the next number of its type and
// period, and marks its staged lines posted, in one transaction: a refused or failed save
// leaves neither. The window shows the refusal through the host's message box.
PostOutcome PostExternalVoucher(ExternalChecker& checker, const std::vector<ExternalLine>& lines,
                                const std::string& date);

}  // namespace lumvoucher::templates
