#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "host/message_box.h"
#include "list_fixture.h"
#include "lists/frm_batch_voucher.h"

namespace lumvoucher::testing {

namespace {

using lists::BatchOperation;
using lists::frmBatchVoucher;
namespace mb = host::mb;

constexpr int kAsk = mb::kYes;

std::string Ids(const frmBatchVoucher& dialog) {
  std::string out;
  for (int row = 0; row < static_cast<int>(dialog.State().rows.size()); ++row) {
    out += (out.empty() ? "" : " ") + std::to_string(dialog.VoucherID(row));
  }
  return out;
}

// "id:checker/teller/poster" of the vouchers, or "id:-" for one that is gone.
std::string Statuses(TestHost& t, std::initializer_list<long> ids) {
  std::string out;
  for (long id : ids) {
    host::Recordset rs = t.Data().OpenRecordset(
        "Select lngCheckerID, lngTellerID, lngPostID From Voucher Where lngVoucherID = " +
        std::to_string(id));
    out += (out.empty() ? "" : " ") + std::to_string(id) + ":" +
           (rs.Empty() ? std::string("-")
                       : rs[std::size_t{0}].AsText() + "/" + rs[std::size_t{1}].AsText() + "/" +
                             rs[std::size_t{2}].AsText());
  }
  return out;
}

class BatchTest : public ListTest {
 protected:
  explicit BatchTest(const embedded::LoginRequest& login) : ListTest(login) {}
  void SetUp() override { ASSERT_TRUE(list_.ShowMe()); }
  std::unique_ptr<frmBatchVoucher> Open(BatchOperation operation) {
    auto dialog = std::make_unique<frmBatchVoucher>(operation, frmBatchVoucher::SourceOf(list_));
    EXPECT_TRUE(dialog->Load());
    return dialog;
  }
  lists::frmListVoucher list_;
};

class ReviewerBatch : public BatchTest {
 protected:
  ReviewerBatch() : BatchTest(DemoLogin::Reviewer()) {}
};
class PosterBatch : public BatchTest {
 protected:
  PosterBatch() : BatchTest(DemoLogin::Poster()) {}
};
class MakerBatch : public BatchTest {
 protected:
  MakerBatch() : BatchTest(DemoLogin::Maker()) {}
};
class AdministratorBatch : public BatchTest {
 protected:
  AdministratorBatch() : BatchTest(DemoLogin::Administrator()) {}
};

// ---- Each mode: candidates, question, message, result ---------------------------------------

struct ModeCase {
  BatchOperation operation;
  embedded::LoginRequest login;
  const char* before;  // statements that prepare the demo vouchers ("" none)
  const char* candidates;
  const char* title;
  const char* question;
  const char* success;
  const char* after;
};

TEST(BatchModes, EachModeOffersItsCandidatesAndChangesThemAllAtOnce) {
  const ModeCase cases[] = {
      {BatchOperation::kReview, DemoLogin::Reviewer(), "", "3 4 5 9 8", "多张复核",
       "您确实要复核所选的凭证吗？", "多张凭证复核成功，本次共复核5张凭证！",
       "1:3/4/5 2:3/0/0 3:3/0/0 4:3/0/0 5:3/0/0 8:3/0/0 9:3/0/0"},
      {BatchOperation::kCancelReview, DemoLogin::Reviewer(), "", "2", "多张复核取消",
       "您确实要取消复核所选的凭证吗？", "多张凭证复核取消成功，本次共取消复核1张凭证！",
       "1:3/4/5 2:0/0/0 3:0/0/0 4:0/0/0 5:0/0/0 8:0/0/0 9:0/0/0"},
      // Voucher 2 pays out cash unsigned: with the signature due before posting it waits.
      {BatchOperation::kPost, DemoLogin::Poster(),
       "Update Voucher Set lngCheckerID = 3 Where lngVoucherID In (3, 4, 8)", "3 4 8", "多张记账",
       "您确实要记账所选的凭证吗？", "多张凭证记账成功，本次共记账3张凭证！",
       "1:3/4/5 2:3/0/0 3:3/0/5 4:3/0/5 5:0/0/0 8:3/0/5 9:0/0/0"},
      {BatchOperation::kCancelPost, DemoLogin::Poster(), "", "1", "多张记账取消",
       "您确实要取消记账所选的凭证吗？", "多张凭证记账取消成功，本次共取消记账1张凭证！",
       "1:3/4/0 2:3/0/0 3:0/0/0 4:0/0/0 5:0/0/0 8:0/0/0 9:0/0/0"},
      {BatchOperation::kSign, DemoLogin::Cashier(), "", "2 5 9", "多张出纳签字",
       "您确实要对所选的凭证进行出纳签字吗？", "凭证多张出纳签字成功，本次共出纳签字3张凭证！",
       "1:3/4/5 2:3/4/0 3:0/0/0 4:0/0/0 5:0/4/0 8:0/0/0 9:0/4/0"},
      // Voucher 1 is posted: its signature stays.
      {BatchOperation::kCancelSign, DemoLogin::Cashier(),
       "Update Voucher Set lngTellerID = 4 Where lngVoucherID In (2, 5)", "2 5", "多张取消签字",
       "您确实要对所选的凭证取消签字吗？", "多张凭证取消签字成功，本次共取消签字2张凭证！",
       "1:3/4/5 2:3/0/0 3:0/0/0 4:0/0/0 5:0/0/0 8:0/0/0 9:0/0/0"},
      // Only the maker's own, of the login organisation, untouched by anyone.
      {BatchOperation::kDelete, DemoLogin::Maker(), "", "3 5 7 8", "多张凭证删除",
       "您确实要删除所选的凭证吗？", "多张凭证删除成功，本次共删除了4张凭证！",
       "1:3/4/5 2:3/0/0 3:- 4:0/0/0 5:- 8:- 9:0/0/0"},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.title);
    TestHost t(c.login);
    if (*c.before != '\0') t.Data().Execute(c.before);
    lists::frmListVoucher list;
    ASSERT_TRUE(list.ShowMe());
    frmBatchVoucher dialog(c.operation, frmBatchVoucher::SourceOf(list));
    ASSERT_TRUE(dialog.Load());
    EXPECT_EQ(dialog.State().title, c.title);
    EXPECT_EQ(dialog.WindowName(), "frmBatchVoucher");
    EXPECT_EQ(Ids(dialog), c.candidates);
    EXPECT_EQ(dialog.TickedCount(), 0);
    dialog.SelectAll();
    t.Messages().Expect(c.question, kAsk, c.title);
    t.Messages().Expect(c.success, mb::kOk, c.title);
    EXPECT_TRUE(dialog.Run());
    EXPECT_TRUE(dialog.State().closed);
    EXPECT_EQ(dialog.State().result, dialog.TickedCount());
    EXPECT_EQ(Statuses(t, {1, 2, 3, 4, 5, 8, 9}), c.after);
    EXPECT_EQ(t.Scalar("Select Count(*) From VoucherDetail Where lngVoucherID Not In (Select "
                       "lngVoucherID From Voucher)"),
              "0");
  }
}

TEST_F(ReviewerBatch, OnlyTheTickedRowsChangeInGridOrderWithProgress) {
  auto dialog = Open(BatchOperation::kReview);
  std::vector<std::string> progress;
  dialog->SetProgressHandler([&](int done, int total) {
    progress.push_back(std::to_string(done) + "/" + std::to_string(total));
  });
  dialog->SetTicked(0, true);
  dialog->SetTicked(2, true);
  t_.Messages().Expect("您确实要复核所选的凭证吗？", kAsk, "多张复核");
  t_.Messages().Expect("多张凭证复核成功，本次共复核2张凭证！", mb::kOk, "多张复核");
  EXPECT_TRUE(dialog->Run());
  EXPECT_EQ(progress, (std::vector<std::string>{"0/2", "1/2", "2/2"}));
  EXPECT_EQ(Statuses(t_, {3, 4, 5}), "3:3/0/0 4:0/0/0 5:3/0/0");
  EXPECT_FALSE(dialog->Run());  // closed: a second press does nothing
}

TEST_F(ReviewerBatch, NothingTickedOrNoToTheQuestionChangesNothing) {
  auto dialog = Open(BatchOperation::kReview);
  t_.Messages().Expect("请先选定一张凭证！", mb::kOk, "多张复核");
  EXPECT_FALSE(dialog->Run());
  dialog->SelectAll();
  t_.Messages().Expect("您确实要复核所选的凭证吗？", mb::kNo, "多张复核");
  EXPECT_FALSE(dialog->Run());
  EXPECT_FALSE(dialog->State().closed);  // the dialog stays for another choice
  EXPECT_EQ(t_.Messages().Shown().back().flags, mb::kYesNo + mb::kQuestion + mb::kDefaultButton2);
  dialog->Cancel();
  EXPECT_TRUE(dialog->State().closed);
  EXPECT_EQ(dialog->State().result, 0);
  EXPECT_EQ(Statuses(t_, {3, 4, 5, 8, 9}), "3:0/0/0 4:0/0/0 5:0/0/0 8:0/0/0 9:0/0/0");
}

// ---- All or nothing ---------------------------------------------------------------------------

TEST(BatchAllOrNothing, ARefusalAfterSuccessesChangesNothing) {
  const struct {
    BatchOperation operation;
    embedded::LoginRequest login;
    const char* before;  // before the dialog reads its candidates
    const char* behind;  // another desktop, after the dialog read them
    const char* candidates;
    const char* title;
    const char* verb;
    const char* refusal;
    const char* failure;  // "" none
    int reached;
  } cases[] = {
      // Voucher 5 is booked in the closed period 1 while dated in February.
      {BatchOperation::kReview, DemoLogin::Reviewer(),
       "Update Voucher Set bytPeriod = 1 Where lngVoucherID = 5", "", "3 4 5 9 8", "多张复核",
       "复核", "凭证已经结账，不能复核！", "多张凭证复核失败！", 2},
      {BatchOperation::kPost, DemoLogin::Poster(),
       "Update Voucher Set lngCheckerID = 3 Where lngVoucherID In (3, 4, 8)",
       "Update Voucher Set blnIsError = 1 Where lngVoucherID = 8", "3 4 8", "多张记账", "记账",
       "错误凭证不能记账！", "多张凭证记账失败！", 2},
      {BatchOperation::kDelete, DemoLogin::Maker(), "",
       "Update Voucher Set lngCheckerID = 3 Where lngVoucherID = 8", "3 5 7 8", "多张凭证删除",
       "删除", "该张凭证已复核,不能删除！", "", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    TestHost t(c.login);
    if (*c.before != '\0') t.Exec(c.before);
    lists::frmListVoucher list;
    ASSERT_TRUE(list.ShowMe());
    frmBatchVoucher dialog(c.operation, frmBatchVoucher::SourceOf(list));
    ASSERT_TRUE(dialog.Load());
    ASSERT_EQ(Ids(dialog), c.candidates);
    dialog.SelectAll();
    if (*c.behind != '\0') t.Exec(c.behind);
    const std::string before = t.Rows("Select * From Voucher Order By 1") +
                               t.Rows("Select * From VoucherDetail Order By 1");
    int reached = 0;
    dialog.SetProgressHandler([&](int done, int) { reached = done; });
    t.Messages().Expect(std::string("您确实要") + c.verb + "所选的凭证吗？", kAsk, c.title);
    t.Messages().Expect(c.refusal, mb::kOk, c.title);
    if (*c.failure != '\0') t.Messages().Expect(c.failure, mb::kOk, c.title);
    EXPECT_FALSE(dialog.Run());
    EXPECT_EQ(reached, c.reached);
    EXPECT_TRUE(dialog.State().closed);
    EXPECT_EQ(dialog.State().result, 0);
    EXPECT_EQ(t.Rows("Select * From Voucher Order By 1") +
                  t.Rows("Select * From VoucherDetail Order By 1"),
              before);
  }
}

TEST_F(ReviewerBatch, AFailingStatementAnywhereInTheRunChangesNothing) {
  // Record the statements of a whole run, undone by an outer transaction, then fail each one.
  std::vector<std::string> statements;
  {
    auto probe = Open(BatchOperation::kReview);
    probe->SelectAll();
    t_.Messages().Expect("您确实要复核所选的凭证吗？", kAsk);
    t_.Messages().Expect("多张凭证复核成功，本次共复核5张凭证！");
    t_.Data().BeginTrans();
    t_.Data().Record(true);
    ASSERT_TRUE(probe->Run());
    t_.Data().Record(false);
    t_.Data().RollbackTrans();
    statements = t_.Data().Recorded();
    ASSERT_EQ(Statuses(t_, {3}), "3:0/0/0");
  }
  ASSERT_GT(statements.size(), 10u);
  for (std::size_t n = 1; n <= statements.size(); ++n) {
    SCOPED_TRACE(statements[n - 1]);
    auto dialog = Open(BatchOperation::kReview);
    dialog->SelectAll();
    const std::string injected =
        "injected failure at statement " + std::to_string(n) + ": " + statements[n - 1];
    // The dialog asks for each period once; the service checks the period again itself and
    // reports its own failures.
    const bool own = statements[n - 1].starts_with("Select p.blnIsClosed") &&
                     std::find(statements.begin(), statements.begin() + static_cast<long>(n - 1),
                               statements[n - 1]) == statements.begin() + static_cast<long>(n - 1);
    t_.Messages().Expect("您确实要复核所选的凭证吗？", kAsk);
    t_.Messages().Expect(own ? injected : "数据库操作失败：" + injected, mb::kOk, "多张复核");
    t_.Messages().Expect("多张凭证复核失败！", mb::kOk, "多张复核");
    t_.Data().FailAtStatement(static_cast<int>(n));
    EXPECT_FALSE(dialog->Run());
    t_.Data().NeverFail();
    EXPECT_EQ(dialog->State().result, 0);
    EXPECT_EQ(Statuses(t_, {3, 4, 5, 8, 9}), "3:0/0/0 4:0/0/0 5:0/0/0 8:0/0/0 9:0/0/0");
  }
}

TEST_F(ReviewerBatch, MoreThanAChunkOfVouchersRunsWithProgressPerVoucherAndStaysAllOrNothing) {
  t_.Data().BeginTrans();
  for (long i = 0; i < 1100; ++i) StoreVoucher(1000 + i, 1, 1, 100 + i, "2026-02-16", 2);
  t_.Data().CommitTrans();
  ASSERT_TRUE(list_.ToolRefresh());
  auto dialog = Open(BatchOperation::kReview);
  const int total = static_cast<int>(dialog->State().rows.size());
  ASSERT_EQ(total, 1105);
  int late_row = -1;
  for (int row = 0; row < total; ++row) {
    if (dialog->VoucherID(row) == 2050) late_row = row;
  }
  ASSERT_GT(late_row, 999);
  dialog->SelectAll();
  // Another desktop marks a voucher of the second thousand erroneous after the dialog read it.
  Exec("Update Voucher Set blnIsError = 1 Where lngVoucherID = 2050");
  std::vector<int> progress;
  dialog->SetProgressHandler([&](int done, int all) {
    EXPECT_EQ(all, total);
    progress.push_back(done);
  });
  t_.Messages().Expect("您确实要复核所选的凭证吗？", kAsk, "多张复核");
  t_.Messages().Expect("错误凭证不能复核！", mb::kOk, "多张复核");
  t_.Messages().Expect("多张凭证复核失败！", mb::kOk, "多张复核");
  EXPECT_FALSE(dialog->Run());
  ASSERT_EQ(static_cast<int>(progress.size()), late_row + 1);
  for (int i = 0; i < static_cast<int>(progress.size()); ++i) EXPECT_EQ(progress[i], i);
  EXPECT_EQ(t_.Scalar("Select Count(*) From Voucher Where lngCheckerID <> 0"), "2");

  Exec("Update Voucher Set blnIsError = 0 Where lngVoucherID = 2050");
  auto again = Open(BatchOperation::kReview);
  again->SelectAll();
  progress.clear();
  again->SetProgressHandler([&](int done, int) { progress.push_back(done); });
  t_.Messages().Expect("您确实要复核所选的凭证吗？", kAsk, "多张复核");
  t_.Messages().Expect("多张凭证复核成功，本次共复核1105张凭证！", mb::kOk, "多张复核");
  EXPECT_TRUE(again->Run());
  ASSERT_EQ(static_cast<int>(progress.size()), total + 1);
  EXPECT_EQ(progress.back(), total);
  EXPECT_EQ(t_.Scalar("Select Count(*) From Voucher Where lngCheckerID = 3"), "1107");
}

// ---- Candidates ------------------------------------------------------------------------------

TEST_F(MakerBatch, AMakerWithoutReviewOrPostRightsGetsNoCandidates) {
  EXPECT_EQ(Ids(*Open(BatchOperation::kReview)), "");
  Exec("Update Voucher Set lngCheckerID = 3 Where lngVoucherID In (3, 4)");
  EXPECT_EQ(Ids(*Open(BatchOperation::kPost)), "");
  EXPECT_NE(Open(BatchOperation::kPost)
                ->CandidateQuery()
                .find(" And Voucher.lngOperatorID In(-1) Order By"),
            std::string::npos);
}

TEST_F(PosterBatch, PostingRightsForOwnAndGroupMakersNarrowTheCandidates) {
  Exec("Update Voucher Set lngCheckerID = 3 Where lngVoucherID In (3, 4, 8)");
  Exec("Delete From OperatorRight Where lngOperatorID = 5 And lngRightID = 206");
  // 205 covers the makers of his group; 陈静 (6) is moved out of it.
  Exec("Update Operator Set lngOperatorGroupID = 2 Where lngOperatorID = 6");
  EXPECT_EQ(Ids(*Open(BatchOperation::kPost)), "3 8");
  Exec("Delete From OperatorRight Where lngOperatorID = 5 And lngRightID = 205");
  EXPECT_EQ(Ids(*Open(BatchOperation::kPost)), "");
}

TEST_F(ReviewerBatch, ASignatureDueBeforeReviewKeepsUnsignedCashVouchersBack) {
  Set("帐套属性", "出纳签字控制选项", "0");
  EXPECT_EQ(Ids(*Open(BatchOperation::kReview)), "3 4 8");
  Exec("Update Voucher Set lngTellerID = 4 Where lngVoucherID = 5");
  EXPECT_EQ(Ids(*Open(BatchOperation::kReview)), "3 4 5 8");
  // A signature may be cancelled only before the review then.
  Exec("Update Voucher Set lngTellerID = 3 Where lngVoucherID In (2, 3)");
  EXPECT_EQ(Ids(*Open(BatchOperation::kCancelSign)), "3");
  Set("帐套属性", "出纳凭证须出纳签字", "False");
  EXPECT_EQ(Ids(*Open(BatchOperation::kReview)), "3 4 5 9 8");
  EXPECT_EQ(Ids(*Open(BatchOperation::kCancelSign)), "2 3");
}

TEST_F(PosterBatch, CancelPostingLeavesAVoucherThatIsReversedButNotOneOfSource16) {
  Exec("Update Voucher Set lngCheckerID = 3, lngPostID = 5 Where lngVoucherID = 3");
  StoreVoucher(40, 1, 1, 9, "2026-02-25", 2, ", lngVoucherSourceID, lngSourceVoucherID", ", 2, 1");
  StoreVoucher(41, 1, 1, 10, "2026-02-25", 2, ", lngVoucherSourceID, lngSourceVoucherID",
               ", 16, 3");
  ASSERT_TRUE(list_.ToolRefresh());
  EXPECT_EQ(Ids(*Open(BatchOperation::kCancelPost)), "3");
}

TEST_F(ReviewerBatch, CandidatesFollowTheListsScopeFilterAndItemRights) {
  // The list's date range.
  list_.SelectRow(0);
  lists::BatchSource source = frmBatchVoucher::SourceOf(list_);
  source.scope += " and Voucher.strDate<='2026-02-15'";
  frmBatchVoucher dated(BatchOperation::kReview, source);
  ASSERT_TRUE(dated.Load());
  EXPECT_EQ(Ids(dated), "3 4 5");
  // A filter over the lines' accounts: a voucher qualifies by any of its lines.
  source = frmBatchVoucher::SourceOf(list_);
  source.conditions = " And (Account.strAccountCode Like '1002%')";
  frmBatchVoucher filtered(BatchOperation::kReview, source);
  ASSERT_TRUE(filtered.Load());
  EXPECT_EQ(Ids(filtered), "5");
}

class ReviewerBatchWithRights : public ReviewerBatch {};

TEST_F(ReviewerBatchWithRights, AVoucherWithALineTheOperatorMayNotSeeIsNoCandidate) {
  Set("权限控制", "科目", "True");
  Exec(
      "Insert Into OperatorAccount Select 3, lngAccountID, 1 From Account Where lngAccountID <> 8");
  ASSERT_TRUE(list_.ToolRefresh());
  ASSERT_TRUE(list_.RightsRestricted());
  EXPECT_EQ(Ids(*Open(BatchOperation::kReview)), "4 5 9 8");  // 3 uses 1221
}

TEST_F(AdministratorBatch, MoreThanAThousandMakersAreSplitIntoGroups) {
  for (int i = 0; i < 1500; ++i) {
    Exec("Insert Into Operator (lngOperatorID, strOperatorCode, strOperatorName) Values (" +
         std::to_string(100 + i) + ", 'x" + std::to_string(i) + "', '批量" + std::to_string(i) +
         "')");
  }
  Exec("Update Voucher Set lngOperatorID = 1599 Where lngVoucherID = 8");
  auto dialog = Open(BatchOperation::kReview);
  const std::string query = dialog->CandidateQuery();
  EXPECT_NE(query.find(" And (Voucher.lngOperatorID In(-1,1,2,"), std::string::npos);
  EXPECT_NE(query.find(") OR Voucher.lngOperatorID In("), std::string::npos);
  EXPECT_EQ(Ids(*dialog), "3 4 5 9 8");
}

}  // namespace

}  // namespace lumvoucher::testing
