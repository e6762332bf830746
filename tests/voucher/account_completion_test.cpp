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

class AccountCompletionTest : public ::testing::Test {
 protected:
  TestHost t_;
};

TEST_F(AccountCompletionTest, ACodePrefixOffersTheLeafAccountsBeforeTheirParent) {
  EXPECT_EQ(Codes(CompleteAccount("1002")), "1002-01|1002-02|1002");
  EXPECT_EQ(Codes(CompleteAccount("660")),
            "6602-01|6602-02|6602-03|6602-04|6603-01|6603-02|6602|6603");
}

TEST_F(AccountCompletionTest, PartOfANameMatchesAnywhereInIt) {
  EXPECT_EQ(Codes(CompleteAccount("应付")), "2202|2241|2211");
  const auto choices = CompleteAccount("库存现");
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].id, 1);
  EXPECT_EQ(choices[0].Text(), "1001 库存现金");
  EXPECT_TRUE(choices[0].detail);
}

TEST_F(AccountCompletionTest, InactiveAccountsAndBlankTextOfferNothing) {
  EXPECT_EQ(Codes(CompleteAccount("1901")), "");
  EXPECT_EQ(Codes(CompleteAccount("待处理")), "");
  EXPECT_TRUE(CompleteAccount("").empty());
  EXPECT_TRUE(CompleteAccount("   ").empty());
}

TEST_F(AccountCompletionTest, TypedWildcardsAndQuotesAreLookedForLiterally) {
  EXPECT_TRUE(CompleteAccount("%").empty());
  EXPECT_TRUE(CompleteAccount("1_01").empty());
  EXPECT_TRUE(CompleteAccount("O'Neil").empty());
}

TEST_F(AccountCompletionTest, TheOrganisationsOwnCopyReplacesTheSharedAccount) {
  t_.Data().Execute("Insert Into AccountEx Select a.*, 1 From Account a Where lngAccountID = 1");
  t_.Data().Execute("Update AccountEx Set strAccountName = '现金（本部）' Where lngAccountID = 1");
  const auto choices = CompleteAccount("1001");
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].Text(), "1001 现金（本部）");

  t_.Data().Execute("Update AccountEx Set blnIsInActive = 1 Where lngAccountID = 1");
  EXPECT_TRUE(CompleteAccount("1001").empty());
}

}  // namespace
}  // namespace lumvoucher::testing
