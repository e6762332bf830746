#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dualbasis/parallel_lines.h"
#include "support/test_host.h"

namespace lumvoucher::testing {

// The test host logged in to "青山县人民医院" (code 16) as its maker.
class ParallelTest : public ::testing::Test {
 protected:
  ParallelTest() : t_(embedded::LoginRequest{5001, 5001, "2026-02-25"}, embedded::DemoSets::kAll) {}

  // A financial line on the account `code`: "D" or "C" and the amount.
  dualbasis::FinanceLine Line(const std::string& code, char side, double amount) {
    dualbasis::FinanceLine line;
    line.account_code = code;
    line.account_id = std::stol(
        "0" + t_.Scalar("Select lngAccountID From Account Where strAccountCode = '" + code + "'"));
    (side == 'D' ? line.debit : line.credit) = amount;
    line.currency_amount = amount;
    line.remark = "摘要";
    return line;
  }
  // "D 5101-01 100|C 1011 100"
  std::vector<dualbasis::FinanceLine> Lines(const std::string& spec) {
    std::vector<dualbasis::FinanceLine> lines;
    for (std::size_t start = 0; start < spec.size();) {
      std::size_t end = std::min(spec.find('|', start), spec.size());
      const std::string item = spec.substr(start, end - start);
      const std::size_t blank = item.find(' ', 2);
      lines.push_back(Line(item.substr(2, blank - 2), item[0], std::stod(item.substr(blank + 1))));
      start = end + 1;
    }
    return lines;
  }
  std::string Scalar(const std::string& sql) { return t_.Scalar(sql); }

  TestHost t_;
};

}  // namespace lumvoucher::testing
