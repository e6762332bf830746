#pragma once

#include <gtest/gtest.h>

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
  std::string Scalar(const std::string& sql) { return t_.Scalar(sql); }

  TestHost t_;
};

}  // namespace lumvoucher::testing
