#include "embedded/id_service.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_host.h"

namespace lumvoucher::embedded {
namespace {

using testing::TestHost;

long Counter(TestHost& t) {
  return std::stol(t.Scalar("Select lngNextID From IdSequence Where strTableName = 'VOUCHER'"));
}

TEST(IdServiceInATransaction, AKeyOfAWithdrawnSavepointIsNotGivenAgain) {
  TestHost t;
  auto& login = t.Host().Login();
  t.Data().BeginTrans();
  t.Data().BeginTrans();
  const long withdrawn = login.NextId("VOUCHER");
  t.Data().RollbackTrans();
  const long next = login.NextId("VOUCHER");
  t.Data().CommitTrans();
  EXPECT_GT(next, withdrawn);
  EXPECT_EQ(Counter(t), next + 1);
}

}  // namespace
}  // namespace lumvoucher::embedded
