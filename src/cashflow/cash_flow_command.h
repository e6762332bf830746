#pragma once

#include <string>

namespace lumvoucher::cashflow {

// What the cash-flow command did: the line whose window was shown and its summary afterwards.
struct LineCashFlowResult {
  bool shown = false;
  long line_id = 0;
  std::string summary;
};

// The "现金流量" command of the voucher window and of the lists on a stored voucher: the line
// window for `line_id` when it is a cash line of the voucher, otherwise for the voucher's first
// cash line. Refuses (with the message) an operator who may not assign cash flow on the voucher
// and a voucher without cash lines; database errors are shown.
LineCashFlowResult OpenLineCashFlow(long voucher_id, long line_id);

}  // namespace lumvoucher::cashflow
