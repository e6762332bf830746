#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "embedded/embedded_voucher_business.h"
#include "frame/frame_texts.h"
#include "frame/login_state.h"
#include "frame/uniqueness_stamp.h"
#include "support/test_host.h"

namespace lumvoucher::embedded {
namespace {

using testing::TestHost;
namespace texts = voucher_business_texts;
using Result = host::VoucherBusinessService::Result;

constexpr const char* kOk = "ok";
constexpr const char* kDate = "2026-02-15";

LoginRequest As(long operator_id, long organization_id = 1) {
  return {organization_id, operator_id, kDate};
}

enum class Op { kReview, kCancelReview, kSign, kCancelSign, kPost, kCancelPost, kVoid, kDelete };

// Each operation: its name, the call, and the status field it sets and to what ("" the
// operator's id; no field for a delete).
struct OpInfo {
  const char* name;
  Result (*run)(host::VoucherBusinessService&, long);
  const char* field;
  const char* value;
};
const OpInfo& Info(Op op) {
  using S = host::VoucherBusinessService;
  static const OpInfo infos[] = {
      // clang-format off
      {"复核", [](S& s, long id) { return s.Review(id); }, "lngCheckerID", ""},
      {"取消复核", [](S& s, long id) { return s.CancelReview(id); }, "lngCheckerID", "0"},
      {"出纳签字", [](S& s, long id) { return s.Sign(id); }, "lngTellerID", ""},
      {"取消签字", [](S& s, long id) { return s.CancelSign(id); }, "lngTellerID", "0"},
      {"记账", [](S& s, long id) { return s.Post(id, false); }, "lngPostID", ""},
      {"取消记账", [](S& s, long id) { return s.CancelPost(id); }, "lngPostID", "0"},
      {"作废", [](S& s, long id) { return s.Void(id); }, "blnIsVoid", "1"},
      {"删除", [](S& s, long id) { return s.Delete(id); }, nullptr, nullptr},
      // clang-format on
  };
  return infos[static_cast<int>(op)];
}
const char* Name(Op op) {
  return Info(op).name;
}

constexpr Op kAllOps[] = {Op::kReview, Op::kCancelReview, Op::kSign, Op::kCancelSign,
                          Op::kPost,   Op::kCancelPost,   Op::kVoid, Op::kDelete};

Result Perform(TestHost& t, Op op, long voucher_id) {
  return Info(op).run(t.Host().BusinessPub().VoucherBusiness(), voucher_id);
}

std::string Outcome(const Result& result) {
  return result.ok ? kOk : result.reason;
}

// Every column of the voucher's row, "name=value|...", or "" when the row is gone.
std::string RowDump(TestHost& t, long voucher_id) {
  host::Recordset rs = t.Data().OpenRecordset("Select * From Voucher Where lngVoucherID = " +
                                              std::to_string(voucher_id));
  std::string dump;
  if (rs.Empty()) return dump;
  for (std::size_t i = 0; i < rs.FieldCount(); ++i) {
    dump += (i == 0 ? "" : "|") + rs.FieldName(i) + "=" + rs[i].AsText();
  }
  return dump;
}

// The status fields only: "checker 3 teller 4 poster 5 void 0".
std::string StatusDump(TestHost& t, long voucher_id) {
  return t.Scalar(
      "Select 'checker ' || lngCheckerID || ' teller ' || lngTellerID || ' poster ' || lngPostID "
      "|| ' void ' || blnIsVoid From Voucher Where lngVoucherID = " +
      std::to_string(voucher_id));
}

// The row and what hangs off it, for operations that touch more than the row.
std::string VoucherDump(TestHost& t, long voucher_id) {
  const std::string id = std::to_string(voucher_id);
  return RowDump(t, voucher_id) + "\nlines " +
         t.Scalar("Select Count(*) From VoucherDetail Where lngVoucherID = " + id) + " arap " +
         t.Scalar("Select Count(*) From CashQARAPDETAIL1 Where lngVoucherID = " + id) + " checks " +
         t.Scalar("Select Count(*) From CheckDetail Where blnIsUsed = 1") + " links " +
         t.Scalar("Select Count(*) From Voucher Where lngSourceVoucherID = " + id) + " secret " +
         t.Scalar("Select Count(*) From Setting Where strKey = '" +
                  std::string(frame::kStampSecretKey) + "'");
}

// Another operator working on the same account set.
class Desk {
 public:
  Desk(TestHost& t, long operator_id)
      : login_(t.Data(), As(operator_id), module_service_), business_(login_) {}
  host::VoucherBusinessService& Vouchers() { return business_.VoucherBusiness(); }

 private:
  NamedHostObject<host::HostObject> module_service_{"ModuleService"};
  EmbeddedLoginContext login_;
  EmbeddedBusinessPub business_;
};

// ---------------------------------------------------------------------------------------------
// The state table: every operation, voucher state and role of the demo account set.

struct Role {
  const char* name;
  long operator_id;
};
constexpr Role kRoles[] = {{"制单", 2}, {"他人制单", 6}, {"复核", 3},
                           {"出纳", 4}, {"记账", 5},     {"管理员", 1}};

// A reversal voucher of voucher 1, made by hand (source 1).
constexpr const char* kReversalOfVoucher1 =
    "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
    "bytPeriod, lngSourceOrganizationID, lngOperatorID, lngVoucherSourceID, lngSourceVoucherID) "
    "Values (100, 2, 3, '2026-02-26', 2026, 2, 1, 2, 1, 1)";

struct State {
  const char* name;
  long voucher_id;
  std::vector<std::string> setup;
};

// Voucher 5 is a bank voucher of maker 2; 2 a cash voucher reviewed by 3; 1 reviewed, signed
// by 4 and posted by 5; 6 void; 7 in error. Period 2 is open; the demo set wants a cashier's
// signature before posting ("出纳签字控制选项" 1).
const std::vector<State>& States() {
  static const std::vector<State> states = {
      {"新凭证", 5, {}},
      {"已签字", 5, {"Update Voucher Set lngTellerID = 4 Where lngVoucherID = 5"}},
      {"已复核", 2, {}},
      {"已复核已签字", 2, {"Update Voucher Set lngTellerID = 4 Where lngVoucherID = 2"}},
      {"已记账", 1, {}},
      {"作废", 6, {}},
      {"错误", 7, {}},
      {"已冲销", 1, {kReversalOfVoucher1}},
      {"已结账",
       5,
       {"Update AccountPeriod Set blnIsClosed = 1 Where intYear = 2026 And bytPeriod = 2"}},
  };
  return states;
}

struct MatrixRow {
  Op op;
  const char* state;
  // maker, other maker, reviewer, cashier, poster, administrator
  std::vector<const char*> outcomes;
};

std::vector<const char*> All(const char* outcome) {
  return std::vector<const char*>(6, outcome);
}

const std::vector<MatrixRow>& Matrix() {
  using namespace texts;
  // clang-format off
  static const std::vector<MatrixRow> rows = {
      {Op::kReview, "新凭证", {kOwnVoucherReview, kNoReviewRight, kOk, kNoReviewRight, kNoReviewRight, kOk}},
      {Op::kReview, "已签字", {kOwnVoucherReview, kNoReviewRight, kOk, kNoReviewRight, kNoReviewRight, kOk}},
      {Op::kReview, "已复核", All(kAlreadyReviewed)},
      {Op::kReview, "已复核已签字", All(kAlreadyReviewed)},
      {Op::kReview, "已记账", All(kAlreadyReviewed)},
      {Op::kReview, "作废", All(kVoidReview)},
      {Op::kReview, "错误", All(kErrorReview)},
      {Op::kReview, "已冲销", All(kAlreadyReviewed)},
      {Op::kReview, "已结账", All(kClosedReview)},

      {Op::kCancelReview, "新凭证", All(kNotReviewed)},
      {Op::kCancelReview, "已签字", All(kNotReviewed)},
      {Op::kCancelReview, "已复核", {kOnlyReviewer, kOnlyReviewer, kOk, kOnlyReviewer, kOnlyReviewer, kOnlyReviewer}},
      {Op::kCancelReview, "已复核已签字", {kOnlyReviewer, kOnlyReviewer, kOk, kOnlyReviewer, kOnlyReviewer, kOnlyReviewer}},
      {Op::kCancelReview, "已记账", All(kPostedCancelReview)},
      {Op::kCancelReview, "作废", All(kNotReviewed)},
      {Op::kCancelReview, "错误", All(kErrorCancelReview)},
      {Op::kCancelReview, "已冲销", All(kPostedCancelReview)},
      {Op::kCancelReview, "已结账", All(kClosedCancelReview)},

      {Op::kSign, "新凭证", {kNoSignRight, kNoSignRight, kNoSignRight, kOk, kNoSignRight, kOk}},
      {Op::kSign, "已签字", All(kAlreadySigned)},
      {Op::kSign, "已复核", {kNoSignRight, kNoSignRight, kNoSignRight, kOk, kNoSignRight, kOk}},
      {Op::kSign, "已复核已签字", All(kAlreadySigned)},
      {Op::kSign, "已记账", All(kAlreadySigned)},
      {Op::kSign, "作废", All(kVoidSign)},
      {Op::kSign, "错误", All(kErrorSign)},
      {Op::kSign, "已冲销", All(kAlreadySigned)},
      {Op::kSign, "已结账", All(kClosedSign)},

      {Op::kCancelSign, "新凭证", All(kNotSigned)},
      {Op::kCancelSign, "已签字", {kOnlySigner, kOnlySigner, kOnlySigner, kOk, kOnlySigner, kOnlySigner}},
      {Op::kCancelSign, "已复核", All(kNotSigned)},
      {Op::kCancelSign, "已复核已签字", {kOnlySigner, kOnlySigner, kOnlySigner, kOk, kOnlySigner, kOnlySigner}},
      {Op::kCancelSign, "已记账", {kOnlySigner, kOnlySigner, kOnlySigner, kPostedCancelSign, kOnlySigner, kOnlySigner}},
      {Op::kCancelSign, "作废", All(kNotSigned)},
      {Op::kCancelSign, "错误", All(kNotSigned)},
      {Op::kCancelSign, "已冲销", {kOnlySigner, kOnlySigner, kOnlySigner, kPostedCancelSign, kOnlySigner, kOnlySigner}},
      {Op::kCancelSign, "已结账", All(kClosedCancelSign)},

      {Op::kPost, "新凭证", All(kNotReviewedPost)},
      {Op::kPost, "已签字", All(kNotReviewedPost)},
      {Op::kPost, "已复核", {kNoPostRight, kNoPostRight, kNoPostRight, kNoPostRight, kSignBeforePost, kSignBeforePost}},
      {Op::kPost, "已复核已签字", {kNoPostRight, kNoPostRight, kNoPostRight, kNoPostRight, kOk, kOk}},
      {Op::kPost, "已记账", All(kAlreadyPosted)},
      {Op::kPost, "作废", All(kVoidPost)},
      {Op::kPost, "错误", All(kErrorPost)},
      {Op::kPost, "已冲销", All(kAlreadyPosted)},
      {Op::kPost, "已结账", All(kClosedPost)},

      {Op::kCancelPost, "新凭证", All(kNotPosted)},
      {Op::kCancelPost, "已签字", All(kNotPosted)},
      {Op::kCancelPost, "已复核", All(kNotPosted)},
      {Op::kCancelPost, "已复核已签字", All(kNotPosted)},
      {Op::kCancelPost, "已记账", {kOnlyPoster, kOnlyPoster, kOnlyPoster, kOnlyPoster, kOk, kOnlyPoster}},
      {Op::kCancelPost, "作废", All(kNotPosted)},
      {Op::kCancelPost, "错误", All(kNotPosted)},
      {Op::kCancelPost, "已冲销", {kOnlyPoster, kOnlyPoster, kOnlyPoster, kOnlyPoster, kReversedCancelPost, kOnlyPoster}},
      {Op::kCancelPost, "已结账", All(kClosedCancelPost)},

      {Op::kVoid, "新凭证", {kOk, kOthersVoucherVoid, kOthersVoucherVoid, kOthersVoucherVoid, kOthersVoucherVoid, kOk}},
      {Op::kVoid, "已签字", {kOk, kOthersVoucherVoid, kOthersVoucherVoid, kOthersVoucherVoid, kOthersVoucherVoid, kOk}},
      {Op::kVoid, "已复核", All(kReviewedVoid)},
      {Op::kVoid, "已复核已签字", All(kReviewedVoid)},
      {Op::kVoid, "已记账", All(kPostedVoid)},
      {Op::kVoid, "作废", All(kAlreadyVoid)},
      {Op::kVoid, "错误", {kOk, kOthersVoucherVoid, kOthersVoucherVoid, kOthersVoucherVoid, kOthersVoucherVoid, kOk}},
      {Op::kVoid, "已冲销", All(kPostedVoid)},
      {Op::kVoid, "已结账", All(kClosedVoid)},

      {Op::kDelete, "新凭证", {kOk, kOthersVoucherDelete, kOthersVoucherDelete, kOthersVoucherDelete, kOthersVoucherDelete,
        kOthersVoucherDelete}},
      {Op::kDelete, "已签字", All(kSignedDelete)},
      {Op::kDelete, "已复核", All(kReviewedDelete)},
      {Op::kDelete, "已复核已签字", All(kReviewedDelete)},
      {Op::kDelete, "已记账", All(kPostedDelete)},
      {Op::kDelete, "作废", {kOk, kOthersVoucherDelete, kOthersVoucherDelete, kOthersVoucherDelete, kOthersVoucherDelete,
        kOthersVoucherDelete}},
      {Op::kDelete, "错误", {kOk, kOthersVoucherDelete, kOthersVoucherDelete, kOthersVoucherDelete, kOthersVoucherDelete,
        kOthersVoucherDelete}},
      {Op::kDelete, "已冲销", All(kPostedDelete)},
      {Op::kDelete, "已结账", All(kClosedDelete)},
  };
  // clang-format on
  return rows;
}

const State& FindState(const std::string& name) {
  for (const State& state : States()) {
    if (name == state.name) return state;
  }
  throw std::logic_error("no state " + name);
}

// What the status fields read after `op` succeeded for `operator_id`, from what they read before.
std::string StatusAfter(TestHost& before, Op op, long voucher_id, long operator_id) {
  const OpInfo& info = Info(op);
  if (info.field == nullptr) return "";
  before.Data().Execute("Update Voucher Set " + std::string(info.field) + " = " +
                        (*info.value ? info.value : std::to_string(operator_id)) +
                        " Where lngVoucherID = " + std::to_string(voucher_id));
  return StatusDump(before, voucher_id);
}

TEST(VoucherBusinessMatrix, EveryOperationStateAndRoleIsAllowedOrRefusedWithItsReason) {
  ASSERT_EQ(Matrix().size(), std::size(kAllOps) * States().size());
  for (const MatrixRow& row : Matrix()) {
    const State& state = FindState(row.state);
    std::string expected;
    std::string actual;
    for (std::size_t r = 0; r < std::size(kRoles); ++r) {
      TestHost t(As(kRoles[r].operator_id));
      for (const std::string& sql : state.setup) t.Data().Execute(sql);
      const std::string row_before = RowDump(t, state.voucher_id);
      const Result result = Perform(t, row.op, state.voucher_id);
      expected += std::string(kRoles[r].name) + ": " + row.outcomes[r] + "\n";
      actual += std::string(kRoles[r].name) + ": " + Outcome(result) + "\n";
      if (result.ok) {
        // The operation wrote its field and nothing else of the status.
        TestHost reference(As(kRoles[r].operator_id));
        for (const std::string& sql : state.setup) reference.Data().Execute(sql);
        EXPECT_EQ(StatusDump(t, state.voucher_id),
                  StatusAfter(reference, row.op, state.voucher_id, kRoles[r].operator_id))
            << Name(row.op) << " " << row.state << " " << kRoles[r].name;
      } else {
        EXPECT_EQ(RowDump(t, state.voucher_id), row_before)
            << Name(row.op) << " " << row.state << " " << kRoles[r].name;
      }
    }
    EXPECT_EQ(actual, expected) << Name(row.op) << " / " << row.state;
  }
}

// ---------------------------------------------------------------------------------------------

TEST(VoucherBusinessUndo, EveryOperationFollowedByItsCancelLeavesTheRowAsItWas) {
  struct Case {
    Op op;
    Op cancel;
    long voucher_id;
    long operator_id;
    std::vector<std::string> setup;
  };
  const std::string signed2 = "Update Voucher Set lngTellerID = 4 Where lngVoucherID = 2";
  const std::string reviewed4 = "Update Voucher Set lngCheckerID = 3 Where lngVoucherID = 4";
  const std::vector<Case> cases = {
      {Op::kReview, Op::kCancelReview, 5, 3, {}},
      {Op::kReview, Op::kCancelReview, 3, 1, {}},
      {Op::kSign, Op::kCancelSign, 5, 4, {}},
      {Op::kSign, Op::kCancelSign, 2, 4, {}},
      {Op::kPost, Op::kCancelPost, 2, 5, {signed2}},
      {Op::kPost, Op::kCancelPost, 4, 1, {reviewed4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(Name(c.op)) + " voucher " + std::to_string(c.voucher_id));
    TestHost t(As(c.operator_id));
    for (const std::string& sql : c.setup) t.Data().Execute(sql);
    const std::string before = RowDump(t, c.voucher_id);
    ASSERT_EQ(Outcome(Perform(t, c.op, c.voucher_id)), kOk);
    EXPECT_NE(RowDump(t, c.voucher_id), before);
    ASSERT_EQ(Outcome(Perform(t, c.cancel, c.voucher_id)), kOk);
    EXPECT_EQ(RowDump(t, c.voucher_id), before);
  }
}

TEST(VoucherBusinessClosedPeriod, ClosingIsPerOrganisationAndReopeningReleasesTheVouchers) {
  TestHost t(As(1, 4));
  // Organisation 1 closes February; voucher 9 belongs to organisation 4.
  t.Data().Execute(
      "Update AccountPeriod Set blnIsClosed = 1 Where lngOrganizationID = 1 "
      "And intYear = 2026 And bytPeriod = 2");
  auto& vouchers = t.Host().BusinessPub().VoucherBusiness();
  EXPECT_EQ(Outcome(vouchers.Sign(9)), kOk);

  TestHost poster(As(5));
  poster.Data().Execute(
      "Update Voucher Set lngCheckerID = 3, lngPostID = 5 Where lngSourceOrganizationID = 1 "
      "And blnIsVoid = 0");
  auto& periods = poster.Host().BusinessPub().Periods();
  ASSERT_EQ(periods.ClosePeriod(2026, 2).reason, "");
  auto& posting = poster.Host().BusinessPub().VoucherBusiness();
  EXPECT_EQ(Outcome(posting.CancelPost(3)), texts::kClosedCancelPost);
  ASSERT_TRUE(periods.ReopenPeriod(2026, 2).ok);
  EXPECT_EQ(Outcome(posting.CancelPost(3)), kOk);
}

TEST(VoucherBusinessFailure, AFailingStatementAnywhereLeavesTheVoucherUnchanged) {
  struct Case {
    const char* name;
    long operator_id;
    long voucher_id;
    std::vector<std::string> setup;
    std::function<Result(host::VoucherBusinessService&)> run;
  };
  const std::string signed2 = "Update Voucher Set lngTellerID = 4 Where lngVoucherID = 2";
  const std::string unposted1 = "Update Voucher Set lngPostID = 0 Where lngVoucherID = 1";
  // clang-format off
  const std::vector<Case> cases = {
      {"复核", 3, 5, {}, [](auto& s) { return s.Review(5); }},
      {"取消复核", 3, 2, {}, [](auto& s) { return s.CancelReview(2); }},
      {"出纳签字", 4, 5, {}, [](auto& s) { return s.Sign(5); }},
      {"取消签字", 4, 1, {unposted1}, [](auto& s) { return s.CancelSign(1); }},
      {"记账并盖戳", 5, 2, {signed2}, [](auto& s) { return s.Post(2, true); }},
      {"取消记账", 5, 1, {}, [](auto& s) { return s.CancelPost(1); }},
      {"作废", 2, 5, {}, [](auto& s) { return s.Void(5); }},
      {"删除", 2, 3, {}, [](auto& s) { return s.Delete(3); }},
  };
  // clang-format on
  for (const Case& c : cases) {
    int failures = 0;
    for (int n = 1;; ++n) {
      SCOPED_TRACE(std::string(c.name) + " failing at statement " + std::to_string(n));
      TestHost t(As(c.operator_id));
      for (const std::string& sql : c.setup) t.Data().Execute(sql);
      const std::string before = VoucherDump(t, c.voucher_id);
      t.Data().FailAtStatement(n);
      const Result result = c.run(t.Host().BusinessPub().VoucherBusiness());
      t.Data().NeverFail();
      if (result.ok) break;
      ++failures;
      EXPECT_EQ(result.reason.rfind(texts::kDatabaseFailure, 0), 0u) << result.reason;
      EXPECT_EQ(VoucherDump(t, c.voucher_id), before);
      ASSERT_LT(n, 50);
    }
    EXPECT_GT(failures, 1) << c.name;
  }
}

// ---------------------------------------------------------------------------------------------
// The rules behind single cells of the table.

constexpr const char* kSignatureFirst =
    "Update Setting Set strSetting = '0' Where strKey = '出纳签字控制选项'";
constexpr const char* kNoSignatureNeeded =
    "Update Setting Set strSetting = 'False' Where strKey = '出纳凭证须出纳签字'";

std::string Reversal(int source) {
  return "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
         "bytPeriod, lngSourceOrganizationID, lngOperatorID, lngVoucherSourceID, "
         "lngSourceVoucherID) Values (100, 2, 3, '2026-02-26', 2026, 2, 1, 2, " +
         std::to_string(source) + ", 1)";
}

std::string Settled(const char* line, const char* other) {
  return std::string(
             "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
             "lngVoucherDetailID, lngRVoucherDetailID) Values (1, 2, ") +
         line + ", " + other + ")";
}

std::string Fund(int confirmed) {
  return "Insert Into MCPRVoucherDetail (lngMCPRVoucherDetailID, lngVoucherDetailID, dblAmount, "
         "blnConfirm) Values (1, 10, 71000, " +
         std::to_string(confirmed) + ")";
}

TEST(VoucherBusinessRules, OneOperationOnAPreparedVoucherAnswersAsTheRuleSays) {
  const std::string signed5 = "Update Voucher Set lngTellerID = 4 Where lngVoucherID = 5";
  const std::string reviewed5 = "Update Voucher Set lngCheckerID = 3 Where lngVoucherID = 5";
  const std::string posted5 =
      "Update Voucher Set lngCheckerID = 3, lngPostID = 5 Where lngVoucherID = 5";
  const struct {
    const char* name;
    long operator_id, organization;
    std::vector<std::string> setup;
    Op op;
    long voucher_id;
    const char* outcome;
    const char* status;  // the status fields afterwards ("" unchecked)
  } cases[] = {
      // clang-format off
      {"signature due before review", 3, 1, {kSignatureFirst}, Op::kReview, 5, texts::kSignBeforeReview, ""},
      {"no cash or bank lines to sign first", 3, 1, {kSignatureFirst}, Op::kReview, 3, kOk, ""},
      {"signed, then reviewed", 3, 1, {kSignatureFirst, signed5}, Op::kReview, 5, kOk,
       "checker 3 teller 4 poster 0 void 0"},
      {"signature first: reviewed keeps it", 4, 1, {kSignatureFirst, signed5, reviewed5}, Op::kCancelSign, 5,
       texts::kReviewedCancelSign, ""},
      {"signature first: unreviewed withdraws", 4, 1, {kSignatureFirst, signed5}, Op::kCancelSign, 5, kOk, ""},
      {"signature before posting: reviewed withdraws", 4, 1, {signed5, reviewed5}, Op::kCancelSign, 5, kOk, ""},
      {"signature before posting: posted keeps it", 4, 1, {signed5, posted5}, Op::kCancelSign, 5,
       texts::kPostedCancelSign, ""},
      {"no signature needed: posted withdraws", 4, 1, {kNoSignatureNeeded, signed5, posted5}, Op::kCancelSign,
       5, kOk, ""},
      {"no signature needed: posted unsigned", 5, 1, {kNoSignatureNeeded}, Op::kPost, 2, kOk,
       "checker 3 teller 0 poster 5 void 0"},
      {"only cash and bank vouchers are signed", 4, 1, {}, Op::kSign, 3, texts::kNoCashLines, ""},
      {"only cash and bank vouchers are signed, 8", 4, 1, {}, Op::kSign, 8, texts::kNoCashLines, ""},
      {"bank lines of a sub-account of 1002", 4, 1, {}, Op::kSign, 5, kOk, ""},
      {"administrator, his own voucher", 1, 1, {"Update Voucher Set lngOperatorID = 1 Where lngVoucherID = 3"},
       Op::kReview, 3, texts::kOwnVoucherReview, ""},
      {"administrator, another's review", 1, 1, {}, Op::kCancelReview, 2, texts::kOnlyReviewer, ""},
      {"administrator, another's posting", 1, 1, {}, Op::kCancelPost, 1, texts::kOnlyPoster, ""},
      {"reversal made by hand", 5, 1, {Reversal(1)}, Op::kCancelPost, 1, texts::kReversedCancelPost, ""},
      {"reversal from a list", 5, 1, {Reversal(2)}, Op::kCancelPost, 1, texts::kReversedCancelPost, ""},
      {"transfer voucher naming transfer 1", 5, 1, {Reversal(16)}, Op::kCancelPost, 1, kOk, ""},
      {"written off by another line", 2, 1, {Settled("99", "11")}, Op::kVoid, 5, texts::kWrittenOffVoid, ""},
      {"written off by another line", 2, 1, {Settled("99", "11")}, Op::kDelete, 5, frame::kDeleteWrittenOff, ""},
      {"settled another's item", 2, 1, {Settled("11", "99")}, Op::kDelete, 5, kOk, ""},
      {"settled another's item, void", 2, 1, {Settled("11", "99")}, Op::kVoid, 5, texts::kWrittenOffVoid, ""},
      {"confirmed fund detail", 2, 1, {Fund(1)}, Op::kVoid, 5, texts::kConfirmedFundVoid, ""},
      {"unconfirmed fund detail", 2, 1, {Fund(0)}, Op::kVoid, 5, kOk, ""},
      {"another organisation's voucher", 2, 1, {}, Op::kDelete, 9, texts::kOtherOrganizationDelete, ""},
      {"the maker's own organisation", 2, 4, {}, Op::kDelete, 9, kOk, ""},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestHost t(As(c.operator_id, c.organization));
    for (const std::string& sql : c.setup) t.Exec(sql);
    EXPECT_EQ(Outcome(Perform(t, c.op, c.voucher_id)), c.outcome);
    if (*c.status != '\0') {
      EXPECT_EQ(StatusDump(t, c.voucher_id), c.status);
    }
  }
}

TEST(VoucherBusinessRights, GroupOwnAndGeneralRightsEachCoverTheirMakers) {
  // Operator 7 works in the makers' group 1, operator 8 in a group of his own.
  struct Case {
    const char* name;
    long operator_id;
    long right;
    Op op;
    long maker;
    const char* outcome;
  };
  const std::vector<Case> cases = {
      {"29 in the maker's group", 7, 29, Op::kReview, 2, kOk},
      {"29 outside the group", 8, 29, Op::kReview, 2, texts::kNoReviewRight},
      {"204 outside the group", 8, 204, Op::kReview, 2, kOk},
      {"30 on his own voucher", 7, 30, Op::kPost, 7, kOk},
      {"30 on another's voucher", 7, 30, Op::kPost, 2, texts::kNoPostRight},
      {"205 in the maker's group", 7, 205, Op::kPost, 2, kOk},
      {"205 outside the group", 8, 205, Op::kPost, 2, texts::kNoPostRight},
      {"206 outside the group", 8, 206, Op::kPost, 2, kOk},
      {"1725 signs", 8, 1725, Op::kSign, 2, kOk},
      {"204 does not sign", 8, 204, Op::kSign, 2, texts::kNoSignRight},
      {"1359 voids another's voucher", 8, 1359, Op::kVoid, 2, kOk},
      {"206 does not void another's voucher", 8, 206, Op::kVoid, 2, texts::kOthersVoucherVoid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto data = testing::NewDemoDatabase();
    data->Execute(
        "Insert Into Operator (lngOperatorID, strOperatorCode, strOperatorName, "
        "lngOperatorGroupID, lngOrganizationID) Values (7, '106', '孙悦', 1, 1)");
    data->Execute(
        "Insert Into Operator (lngOperatorID, strOperatorCode, strOperatorName, "
        "lngOperatorGroupID, lngOrganizationID) Values (8, '201', '周平', 2, 1)");
    data->Execute(
        "Insert Into OperatorRight (lngOperatorID, lngRightID, lngOrganizationID) Values (" +
        std::to_string(c.operator_id) + ", " + std::to_string(c.right) + ", 0)");
    // Voucher 2 (reviewed by 3) signed, or voucher 5 (fresh), made by the case's maker.
    const long voucher_id = c.op == Op::kPost ? 2 : 5;
    data->Execute("Update Voucher Set lngTellerID = 4 Where lngVoucherID = 2");
    data->Execute("Update Voucher Set lngOperatorID = " + std::to_string(c.maker) +
                  " Where lngVoucherID = " + std::to_string(voucher_id));
    testing::ScriptedMessageBox box;
    EmbeddedHost host(std::move(data), As(c.operator_id), HostUi{&box, nullptr, nullptr});
    EXPECT_EQ(Outcome(Info(c.op).run(host.BusinessPub().VoucherBusiness(), voucher_id)), c.outcome);
  }
}

TEST(VoucherBusinessDelete, RemovesLinesAndFreesTheirChecksAndBills) {
  TestHost maker(As(2));
  // Voucher 2 made unreviewed: its credit line uses check XJ0001.
  maker.Data().Execute("Update Voucher Set lngCheckerID = 0 Where lngVoucherID = 2");
  maker.Data().Execute(
      "Insert Into BankBillDetail (lngBankBillDetailID, strBillNo, lngActivityTypeID, "
      "lngActivityID) Values (1, 'B1', 41, 3)");
  ASSERT_EQ(Outcome(maker.Host().BusinessPub().VoucherBusiness().Delete(2)), kOk);
  EXPECT_EQ(maker.Scalar("Select Count(*) || ' ' || (Select Count(*) From VoucherDetail Where "
                         "lngVoucherID = 2) From Voucher Where lngVoucherID = 2"),
            "0 0");
  EXPECT_EQ(maker.Scalar("Select blnIsUsed || ' ' || lngVoucherDetailID From CheckDetail Where "
                         "strCheckNo = 'XJ0001'"),
            "0 0");
  EXPECT_EQ(maker.Scalar("Select lngActivityTypeID || ' ' || lngActivityID From BankBillDetail"),
            "0 0");
}

TEST(VoucherBusinessDelete, DeletingTheReversalLetsThePosterCancelTheOriginalPosting) {
  TestHost maker(As(2));
  Desk poster(maker, 5);
  maker.Data().Execute(kReversalOfVoucher1);
  EXPECT_EQ(Outcome(poster.Vouchers().CancelPost(1)), texts::kReversedCancelPost);
  EXPECT_EQ(Outcome(maker.Host().BusinessPub().VoucherBusiness().Delete(100)), kOk);
  EXPECT_EQ(Outcome(poster.Vouchers().CancelPost(1)), kOk);
  EXPECT_EQ(StatusDump(maker, 1), "checker 3 teller 4 poster 0 void 0");
}

TEST(VoucherBusinessPost, WithStampingThePostedVoucherCarriesItsUniquenessStamp) {
  TestHost poster(As(5));
  poster.Data().Execute("Update Voucher Set lngTellerID = 4 Where lngVoucherID = 2");
  auto& vouchers = poster.Host().BusinessPub().VoucherBusiness();
  ASSERT_EQ(Outcome(vouchers.Post(2, true)), kOk);
  host::Recordset rs = poster.Data().OpenRecordset("Select * From Voucher Where lngVoucherID = 2");
  EXPECT_TRUE(frame::UQStampMatches(rs["strUQStamp"].AsText(), 1, "2026-02-05", 3, 1));

  poster.Data().Execute("Update Voucher Set lngCheckerID = 3 Where lngVoucherID = 3");
  ASSERT_EQ(Outcome(vouchers.Post(3, false)), kOk);
  EXPECT_EQ(poster.Scalar("Select strUQStamp From Voucher Where lngVoucherID = 3"), " ");
}

TEST(VoucherBusinessMissing, AnUnknownVoucherIsReportedByEveryOperation) {
  TestHost admin(As(1));
  for (Op op : kAllOps)
    EXPECT_EQ(Outcome(Perform(admin, op, 4242)), texts::kVoucherMissing) << Name(op);
}

}  // namespace
}  // namespace lumvoucher::embedded
