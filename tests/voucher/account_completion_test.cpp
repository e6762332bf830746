#include "voucher/account_completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_host.h"

namespace lumvoucher::testing {
namespace {

using voucher::CompleteAccount;

std::string Codes(const std::vector<voucher::AccountChoice>& choices) {
  std::string codes;
  for (const auto& choice : choices) codes += (codes.empty() ? "" : "|") + choice.code;
  return codes;
}

// Leaf accounts before their parent, names matched anywhere, inactive accounts, blanks and typed
// wildcards or quotes offering nothing, and the organisation's own copy of an account.
TEST(AccountCompletion, OffersTheActiveAccountsWhoseCodeStartsOrNameHoldsTheText) {
  TestHost t;
  const std::pair<const char*, const char*> cases[] = {
      // clang-format off
      {"1002", "1002-01|1002-02|1002"}, {"660", "6602-01|6602-02|6602-03|6602-04|6603-01|6603-02|6602|6603"},
      {"应付", "2202|2241|2211"}, {"1901", ""}, {"待处理", ""}, {"", ""}, {"   ", ""}, {"%", ""}, {"1_01", ""},
      {"O'Neil", ""},
      // clang-format on
  };
  for (const auto& [text, codes] : cases) EXPECT_EQ(Codes(CompleteAccount(text)), codes) << text;
  auto choices = CompleteAccount("库存现");
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].id, 1);
  EXPECT_EQ(choices[0].Text(), "1001 库存现金");
  EXPECT_TRUE(choices[0].detail);

  t.Exec("Insert Into AccountEx Select a.*, 1 From Account a Where lngAccountID = 1");
  t.Exec("Update AccountEx Set strAccountName = '现金（本部）' Where lngAccountID = 1");
  choices = CompleteAccount("1001");
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].Text(), "1001 现金（本部）");
  t.Exec("Update AccountEx Set blnIsInActive = 1 Where lngAccountID = 1");
  EXPECT_TRUE(CompleteAccount("1001").empty());
}

}  // namespace
}  // namespace lumvoucher::testing
