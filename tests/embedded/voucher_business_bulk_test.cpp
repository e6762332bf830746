#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "embedded/embedded_voucher_business.h"
#include "frame/uniqueness_stamp.h"
#include "support/test_host.h"

namespace lumvoucher::embedded {
namespace {

using testing::TestHost;
namespace texts = voucher_business_texts;
using Result = host::VoucherBusinessService::Result;
using Service = host::VoucherBusinessService;

LoginRequest As(long operator_id, long organization_id = 1) {
  return {organization_id, operator_id, "2026-02-15"};
}

// One batch operation in both forms: the single call, and the batch form.
struct BatchOp {
  const char* name;
  std::function<Result(Service&, long)> single;
  std::function<std::vector<Result>(Service&, const std::vector<long>&)> many;
};

std::vector<BatchOp> BatchOps(bool stamping) {
  return {
      {"复核", [](Service& s, long id) { return s.Review(id); },
       [](Service& s, const std::vector<long>& ids) { return s.ReviewMany(ids); }},
      {"取消复核", [](Service& s, long id) { return s.CancelReview(id); },
       [](Service& s, const std::vector<long>& ids) { return s.CancelReviewMany(ids); }},
      {"出纳签字", [](Service& s, long id) { return s.Sign(id); },
       [](Service& s, const std::vector<long>& ids) { return s.SignMany(ids); }},
      {"取消签字", [](Service& s, long id) { return s.CancelSign(id); },
       [](Service& s, const std::vector<long>& ids) { return s.CancelSignMany(ids); }},
      {"记账", [stamping](Service& s, long id) { return s.Post(id, stamping); },
       [stamping](Service& s, const std::vector<long>& ids) { return s.PostMany(ids, stamping); }},
      {"取消记账", [](Service& s, long id) { return s.CancelPost(id); },
       [](Service& s, const std::vector<long>& ids) { return s.CancelPostMany(ids); }},
  };
}

std::string Outcomes(const std::vector<long>& ids, const std::vector<Result>& results) {
  std::string out;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    out += std::to_string(ids[i]) + ": " +
           (i < results.size() ? (results[i].ok ? std::string("ok") : results[i].reason)
                               : std::string("(no answer)")) +
           "\n";
  }
  return out;
}

// Every column of every voucher, one line per voucher.
std::string VoucherTable(TestHost& t) {
  return t.Rows("Select * From Voucher Order By lngVoucherID");
}

std::string SetupText(const std::vector<std::string>& statements) {
  std::string out;
  for (const std::string& sql : statements) out += sql + "\n";
  return out;
}

// Both sides stamp with the same secret.
std::string SharedSecret() {
  return "Insert Into Setting (strSection, strKey, strSetting, lngOrganizationID) Values "
         "('帐套属性', '" +
         std::string(frame::kStampSecretKey) + "', '" + std::string(64, 'a') + "', 0)";
}

// A random account set state over the demo vouchers 1..9: their status fields, periods,
// the signature options, the operator's rights and group, and a reversal voucher.
std::vector<std::string> RandomState(std::mt19937& random, long operator_id) {
  auto pick = [&random](std::initializer_list<long> values) {
    std::uniform_int_distribution<std::size_t> at(0, values.size() - 1);
    return *(values.begin() + static_cast<std::ptrdiff_t>(at(random)));
  };
  auto chance = [&random](int percent) {
    return std::uniform_int_distribution<int>(1, 100)(random) <= percent;
  };
  std::vector<std::string> setup;
  for (long id = 1; id <= 9; ++id) {
    setup.push_back("Update Voucher Set lngOperatorID = " + std::to_string(pick({2, 2, 6, 1, 5})) +
                    ", lngCheckerID = " + std::to_string(pick({0, 0, 3, 1, 5})) +
                    ", lngTellerID = " + std::to_string(pick({0, 0, 4, 1})) +
                    ", lngPostID = " + std::to_string(pick({0, 0, 5, 1})) + ", blnIsVoid = " +
                    (chance(10) ? "1" : "0") + ", blnIsError = " + (chance(10) ? "1" : "0") +
                    ", bytPeriod = " + (chance(10) ? "1" : "2") +
                    " Where lngVoucherID = " + std::to_string(id));
  }
  setup.push_back("Update Setting Set strSetting = '" + std::string(chance(70) ? "True" : "false") +
                  "' Where strKey = '出纳凭证须出纳签字'");
  setup.push_back("Update Setting Set strSetting = '" + std::string(chance(50) ? "1" : "0") +
                  "' Where strKey = '出纳签字控制选项'");
  if (chance(30)) {
    setup.push_back("Delete From OperatorRight Where lngOperatorID = " +
                    std::to_string(operator_id) + " And lngRightID In (204, 206)");
  }
  if (chance(30)) {
    setup.push_back(
        "Insert Into OperatorRight (lngOperatorID, lngRightID, lngOrganizationID) "
        "Values (" +
        std::to_string(operator_id) + ", " + std::to_string(pick({29, 30, 205, 1725})) + ", 0)");
  }
  if (chance(20)) {
    setup.push_back("Update Operator Set lngOperatorGroupID = 2 Where lngOperatorID = " +
                    std::to_string(pick({2, 6})));
  }
  if (chance(30)) {
    setup.push_back(
        "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
        "bytPeriod, lngSourceOrganizationID, lngOperatorID, lngVoucherSourceID, "
        "lngSourceVoucherID) Values (100, 2, 3, '2026-02-26', 2026, 2, 1, 2, " +
        std::to_string(pick({1, 2, 16})) + ", " + std::to_string(pick({1, 2, 3, 5})) + ")");
  }
  setup.push_back(SharedSecret());
  return setup;
}

// Each operation over `ids` on two copies of one state: single calls one after another on
// one, the batch form on the other. Answers and the whole Voucher table must agree after each.
// Answers how many changes the batch forms made.
int ExpectSameAsSingleCalls(const std::vector<std::string>& setup, const LoginRequest& login,
                            const std::vector<long>& ids, const std::vector<BatchOp>& ops) {
  int changed = 0;
  TestHost single(login);
  TestHost batch(login);
  for (const std::string& sql : setup) {
    single.Data().Execute(sql);
    batch.Data().Execute(sql);
  }
  Service& one = single.Host().BusinessPub().VoucherBusiness();
  Service& many = batch.Host().BusinessPub().VoucherBusiness();
  for (const BatchOp& op : ops) {
    SCOPED_TRACE(op.name);
    std::vector<Result> expected;
    for (long id : ids) expected.push_back(op.single(one, id));
    const std::vector<Result> actual = op.many(many, ids);
    EXPECT_EQ(Outcomes(ids, actual), Outcomes(ids, expected));
    EXPECT_EQ(VoucherTable(batch), VoucherTable(single));
    changed += static_cast<int>(
        std::count_if(actual.begin(), actual.end(), [](const Result& r) { return r.ok; }));
  }
  return changed;
}

TEST(VoucherBusinessBatch, EveryBatchFormAnswersAsTheSingleCallsOverGeneratedStates) {
  std::mt19937 random(20260215);
  const long roles[] = {1, 2, 3, 4, 5, 6};
  int changed = 0;
  for (int n = 0; n < 24; ++n) {
    for (long role : roles) {
      const std::vector<std::string> setup = RandomState(random, role);
      // Every demo voucher, the reversal's id, an unknown one and two given twice, shuffled.
      std::vector<long> ids = {1, 2, 3, 4, 5, 6, 7, 8, 9, 100, 4242};
      ids.push_back(std::uniform_int_distribution<long>(1, 9)(random));
      ids.push_back(std::uniform_int_distribution<long>(1, 9)(random));
      std::shuffle(ids.begin(), ids.end(), random);
      std::vector<BatchOp> ops = BatchOps(n % 2 == 0);
      std::shuffle(ops.begin(), ops.end(), random);
      const long organization = n % 6 == 5 ? 4 : 1;
      SCOPED_TRACE("state " + std::to_string(n) + " operator " + std::to_string(role) +
                   " organisation " + std::to_string(organization) + "\n" + SetupText(setup));
      changed += ExpectSameAsSingleCalls(setup, As(role, organization), ids, ops);
      if (::testing::Test::HasFailure()) return;
    }
  }
  // The states are not all refusals.
  EXPECT_GT(changed, 100);
}

TEST(VoucherBusinessBatch, AFailingStatementFailsEveryIdAndChangesNothing) {
  const std::vector<std::string> setup = {
      "Update Voucher Set lngCheckerID = 3, lngTellerID = 4 Where lngVoucherID In (2, 3, 4, 8)"};
  for (bool stamping : {false, true}) {
    int failures = 0;
    for (int n = 1;; ++n) {
      SCOPED_TRACE("stamping " + std::to_string(stamping) + " failing at statement " +
                   std::to_string(n));
      TestHost poster(As(5));
      for (const std::string& sql : setup) poster.Data().Execute(sql);
      const auto stored = [&] {
        return VoucherTable(poster) +
               poster.Scalar("Select Count(*) From Setting Where strKey = '" +
                             std::string(frame::kStampSecretKey) + "'");
      };
      const std::string before = stored();
      poster.Data().FailAtStatement(n);
      const std::vector<Result> results =
          poster.Host().BusinessPub().VoucherBusiness().PostMany({2, 3, 4, 8, 5}, stamping);
      poster.Data().NeverFail();
      ASSERT_EQ(results.size(), 5u);
      if (results[0].ok) {
        EXPECT_EQ(Outcomes({2, 3, 4, 8, 5}, results),
                  "2: ok\n3: ok\n4: ok\n8: ok\n5: " + std::string(texts::kNotReviewedPost) + "\n");
        break;
      }
      ++failures;
      for (const Result& result : results) {
        EXPECT_EQ(result.reason.rfind(texts::kDatabaseFailure, 0), 0u) << result.reason;
      }
      EXPECT_EQ(stored(), before);
      ASSERT_LT(n, 50);
    }
    EXPECT_GT(failures, 3);
  }
}

}  // namespace
}  // namespace lumvoucher::embedded
