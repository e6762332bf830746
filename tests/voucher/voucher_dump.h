#pragma once

#include <string>

#include "voucher/voucher_model.h"

namespace lumvoucher::testing {

// "D 1001 100.00|C 2202 100.00": side, account code and amount of every line.
template <class State>
inline std::string DumpLines(const State& state) {
  std::string out;
  for (const voucher::VoucherLine& line : state.lines) {
    if (!out.empty()) out += "|";
    std::string code = line.account_text.substr(0, line.account_text.find(' '));
    out += (line.direction == voucher::kCredit ? "C " : "D ") + (code.empty() ? "-" : code) + " " +
           voucher::FormatFixed(line.Amount(), 2);
  }
  return out;
}

}  // namespace lumvoucher::testing
