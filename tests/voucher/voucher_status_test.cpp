#include "voucher/voucher_status.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

using voucher::ButtonFlags;
using voucher::LineField;
using voucher::OperatorStanding;
using voucher::VoucherHeader;
namespace mb = host::mb;

const embedded::LoginRequest kMaker = DemoLogin::Maker(), kReviewer = DemoLogin::Reviewer(),
                             kCashier = DemoLogin::Cashier(), kPoster = DemoLogin::Poster(),
                             kSecondMaker = {1, 6, "2026-02-15"};

std::string Flags(const ButtonFlags& b) {
  std::string out;
  for (const auto& [name, on] : {std::pair{"review", b.review},
                                 {"sign", b.sign},
                                 {"post", b.post},
                                 {"void", b.void_voucher},
                                 {"delete", b.delete_voucher},
                                 {"reverse", b.reverse}}) {
    if (on) out += (out.empty() ? "" : " ") + std::string(name);
  }
  return out.empty() ? "-" : out;
}

// ---- The rules without a database ------------------------------------------------------------

VoucherHeader Stored(long maker = 2, const std::function<void(VoucherHeader&)>& change = {}) {
  VoucherHeader h;
  h.voucher_id = 3;
  h.type_code = "记";
  h.number = "000001";
  h.maker_id = maker;
  if (change) change(h);
  return h;
}

TEST(StatusRules, ButtonsFollowRightsAndState) {
  OperatorStanding reviewer{3, {2, 3, 4, 5, 6}, true, true};
  OperatorStanding group_reviewer{3, {2, 3}, false, true};
  OperatorStanding poster{5, {2, 3, 4, 5, 6}, false, false, true, true, true};
  OperatorStanding own_poster{2, {}, false, false, false, false, true};
  OperatorStanding cashier{4, {}, false, false, false, false, false, true};
  OperatorStanding maker{2, {2, 3, 4, 5, 6}};
  OperatorStanding admin{1, {}, true, true, true, true, true, true, true};
  auto reviewed = [](long by) { return Stored(2, [by](auto& h) { h.checker_id = by; }); };
  auto posted = [](long by) {
    return Stored(2, [by](auto& h) { h.checker_id = 3, h.poster_id = by; });
  };
  auto signed_by = [](long by) { return Stored(2, [by](auto& h) { h.teller_id = by; }); };
  const VoucherHeader of_stranger = Stored(9);
  const VoucherHeader void_voucher = Stored(2, [](auto& h) { h.void_mark = true; });
  const struct {
    const char* name;
    VoucherHeader header;
    bool reversed;
    bool preview;
    OperatorStanding me;
    const char* expected;
  } cases[] = {
      {"new voucher", VoucherHeader{}, false, false, admin, "-"},
      {"preview", Stored(), false, true, admin, "-"},
      {"reviewer, not reviewed", Stored(), false, false, reviewer, "review"},
      {"reviewer, reviewed by him", reviewed(3), false, false, reviewer, "review"},
      {"reviewer, reviewed by another", reviewed(7), false, false, reviewer, "-"},
      {"reviewer, posted", posted(5), false, false, reviewer, "reverse"},
      {"group right, group maker", Stored(), false, false, group_reviewer, "review"},
      {"group right, stranger's voucher", of_stranger, false, false, group_reviewer, "-"},
      {"poster, not reviewed", Stored(), false, false, poster, "-"},
      {"poster, reviewed", reviewed(3), false, false, poster, "post"},
      {"poster, posted by him", posted(5), false, false, poster, "post reverse"},
      {"poster, posted by another", posted(8), false, false, poster, "reverse"},
      {"poster, reversed", posted(5), true, false, poster, "post"},
      {"own poster, own voucher", reviewed(3), false, false, own_poster, "post"},
      {"cashier, not signed", Stored(), false, false, cashier, "sign"},
      {"cashier, signed by him", signed_by(4), false, false, cashier, "sign"},
      {"cashier, signed by another", signed_by(8), false, false, cashier, "-"},
      {"maker, own voucher", Stored(), false, false, maker, "void delete"},
      {"maker, own signed voucher", signed_by(4), false, false, maker, "void"},
      {"maker, own void voucher", void_voucher, false, false, maker, "delete"},
      {"maker, stranger's voucher", of_stranger, false, false, maker, "-"},
      {"administrator, stranger's voucher", of_stranger, false, false, admin, "review sign void"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Flags(voucher::EnabledButtons(c.header, c.reversed, c.preview, c.me)), c.expected)
        << c.name;
  }
}

TEST(StatusRules, TheFirstReasonAgainstAnEditIsStatedAndDeleteQuestionsNameTheState) {
  auto with = [](std::function<void(VoucherHeader&)> change) { return Stored(2, change); };
  const auto posted = with([](auto& h) { h.poster_id = 5; });
  const auto void_voucher = with([](auto& h) { h.void_mark = true; });
  const struct {
    VoucherHeader header;
    bool closed;
    long me;
    bool right;
    std::string expected;
  } cases[] = {
      {Stored(), false, 2, true, ""},
      {VoucherHeader{}, true, 9, false, ""},
      {posted, true, 2, true, "凭证“记-000001”的会计期间已结账，不允许修改！"},
      {posted, false, 2, true, "凭证“记-000001”已记账，不允许修改！"},
      {with([](auto& h) { h.checker_id = 3; }), false, 2, true,
       "凭证“记-000001”已复核，不允许修改！"},
      {with([](auto& h) { h.source_id = 2; }), false, 2, true,
       "凭证“记-000001”是系统自动产生的，不允许修改！"},
      {with([](auto& h) { h.source_id = 14; }), false, 2, true, ""},
      {Stored(), false, 6, true, "凭证“记-000001”只能由其制单人修改，你没有修改凭证的权限！"},
      {void_voucher, false, 6, true, "凭证“记-000001”已作废，不允许修改！"},
      {void_voucher, false, 2, true, "凭证“记-000001”已作废，不允许修改！"},
      {Stored(), false, 2, false, "该用户没有修改填制凭证的权限！"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(voucher::EditRefusal(c.header, c.closed, c.me, c.right), c.expected);
  }

  const struct {
    std::function<void(VoucherHeader&)> state;
    const char* one;
    const char* all;
  } questions[] = {
      // clang-format off
      {[](auto&) {}, "真的要删除该笔分录吗？", "真的要删除全部分录吗？"},
      {[](auto& h) { h.print_mark = true; }, "该张凭证已为待打印,是否删除其分录？", "该张凭证已为待打印,是否删除其全部分录？"},
      {[](auto& h) { h.void_mark = true; }, "该张凭证已作废,是否删除其分录？", "该张凭证已作废,是否删除其全部分录？"},
      {[](auto& h) { h.error_mark = true; }, "该张凭证已为错误,是否删除其分录？", "该张凭证已为错误,是否删除其全部分录？"},
      {[](auto& h) { h.source_voucher_id = 1; }, "该张凭证已为待冲销凭证,是否删除其分录？", "该张凭证已为待冲销凭证,是否删除其全部分录？"},
      {[](auto& h) { h.source_voucher_id = 1, h.source_id = 16; }, "真的要删除该笔分录吗？", "真的要删除全部分录吗？"},
      // clang-format on
  };
  for (const auto& q : questions) {
    const VoucherHeader h = with(q.state);
    EXPECT_EQ(voucher::DeleteQuestion(h, false), q.one);
    EXPECT_EQ(voucher::DeleteQuestion(h, true), q.all);
  }
}

// ---- The window --------------------------------------------------------------------------------

using Command = std::function<bool(TestableVoucher&)>;
const Command kReview = [](TestableVoucher& w) { return w.Review(); };
const Command kSign = [](TestableVoucher& w) { return w.CashierSign(); };
const Command kPost = [](TestableVoucher& w) { return w.Post(); };
const Command kVoid = [](TestableVoucher& w) { return w.VoidVoucher(); };
const Command kDelete = [](TestableVoucher& w) { return w.DeleteVoucher(); };
const Command kDelLine = [](TestableVoucher& w) { return w.EditDelLine(1); };
const Command kDelLines = [](TestableVoucher& w) { return w.EditDelAllLines(); };
const Command kEdit = [](TestableVoucher& w) { return w.CanEdit(); };

std::string VoucherRow(TestHost& t, long id) {
  return t.Rows("Select * From Voucher Where lngVoucherID = " + std::to_string(id));
}
std::string Status(TestHost& t, long id) {
  return t.Rows(
      "Select lngCheckerID, lngTellerID, lngPostID, blnIsVoid From Voucher Where "
      "lngVoucherID = " +
      std::to_string(id));
}
// The three captions and the names in the footer.
std::string Panel(const voucher::VoucherState& s) {
  const voucher::VoucherHeader& h = s.header;
  return s.review_caption + "|" + s.sign_caption + "|" + s.post_caption +
         "|复核:" + h.checker_name + " 出纳:" + h.teller_name + " 记账:" + h.poster_name;
}
void SetStatus(TestHost& t, long id, const std::string& assignments) {
  t.Exec("Update Voucher Set " + assignments + " Where lngVoucherID = " + std::to_string(id));
}

class StatusWindow : public VoucherWindowTest {
 protected:
  explicit StatusWindow(const embedded::LoginRequest& login = kMaker) : VoucherWindowTest(login) {}
  std::string Rows(const std::string& sql) { return t_.Rows(sql); }
  std::string Status(long id) { return testing::Status(t_, id); }
  std::string Buttons() { return Flags(w_.StatusButtons()); }
  void SetStatus(long id, const std::string& assignments) {
    testing::SetStatus(t_, id, assignments);
  }
};

struct AsReviewer : StatusWindow {
  AsReviewer() : StatusWindow(kReviewer) {}
};
struct AsPoster : StatusWindow {
  AsPoster() : StatusWindow(kPoster) {}
};
using AsMaker = StatusWindow;

// Each status step done and undone through the window by the operator it belongs to.
TEST(StatusSteps, AreDoneAndUndoneWithTheCaptionsAndNamesFollowing) {
  const struct {
    embedded::LoginRequest login;
    const char* setup;
    long voucher;
    Command command;
    const char* buttons;
    const char* status;  // after the step
    const char* panel;   // after the step
    const char* undone;  // the panel after the second press
  } steps[] = {
      {kReviewer, "", 3, kReview, "review", "3|0|0|0\n",
       "取消复核(&C)|出纳签字(&T)|记    账(&J)|复核:王芳 出纳: 记账:",
       "复    核(&C)|出纳签字(&T)|记    账(&J)|复核: 出纳: 记账:"},
      {kCashier, "", 5, kSign, "sign", "0|4|0|0\n",
       "复    核(&C)|取消签字(&T)|记    账(&J)|复核: 出纳:赵敏 记账:",
       "复    核(&C)|出纳签字(&T)|记    账(&J)|复核: 出纳: 记账:"},
      {kPoster, "Update Voucher Set lngTellerID = 4 Where lngVoucherID = 2", 2, kPost, "post",
       "3|4|5|0\n", "取消复核(&C)|取消签字(&T)|取消记账(&J)|复核:王芳 出纳:赵敏 记账:刘强",
       "取消复核(&C)|取消签字(&T)|记    账(&J)|复核:王芳 出纳:赵敏 记账:"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.buttons);
    TestHost t(s.login);
    if (*s.setup) t.Exec(s.setup);
    TestableVoucher w;
    ASSERT_TRUE(w.ShowAOldBill(s.voucher));
    const std::string before = VoucherRow(t, s.voucher);
    EXPECT_EQ(Flags(w.StatusButtons()), s.buttons);
    // Someone changed the manager meanwhile: the window shows the voucher as it now is.
    SetStatus(t, s.voucher, "strManager = '张主任'");
    ASSERT_TRUE(s.command(w));
    EXPECT_EQ(Status(t, s.voucher), s.status);
    EXPECT_EQ(Panel(w.State()), s.panel);
    EXPECT_EQ(w.State().header.manager, "张主任");
    ASSERT_TRUE(s.command(w));
    SetStatus(t, s.voucher, "strManager = ' '");
    EXPECT_EQ(VoucherRow(t, s.voucher), before);
    EXPECT_EQ(Panel(w.State()), s.undone);
  }
}

// A voucher of 记-000009 in period 1 (closed) with a status, for the closed-period refusals.
std::string Closed(const std::string& status) {
  return "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
         "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, lngCheckerID, "
         "lngTellerID, lngPostID) Values (60, 1, 9, '2026-01-20', 2026, 1, 1, 1, 2, " +
         status +
         ");Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
         "lngAccountID, intDirection, dblAmount) Values (60, 60, 1, '门诊收入', 1, 1, 100);"
         "Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
         "lngAccountID, intDirection, lngDepartmentID, dblAmount) Values (61, 60, 2, '门诊收入', "
         "27, -1, 4, 100)";
}

// Every refusal of a command on a stored voucher: the message, and nothing changed, neither in
// the database nor in the window.
TEST(StatusRefusals, LeaveTheVoucherAsItWas) {
  const std::string reversal_of_5 =
      "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, lngVoucherSourceID, "
      "lngSourceVoucherID) Values (50, 2, 50, '2026-02-14', 2026, 2, 1, 1, 2, 2, 5)";
  const std::string pending_reversal =
      "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, lngVoucherSourceID, "
      "lngSourceVoucherID) Values (50, 1, 50, '2026-02-14', 2026, 2, 1, 1, 2, 2, 5);Insert Into "
      "VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, lngAccountID, "
      "intDirection, dblAmount) Values (50, 50, 1, '冲销', 1, 1, 10)";
  const std::string fund_confirmed =
      "Insert Into MCPRVoucherDetail (lngMCPRVoucherDetailID, lngVoucherDetailID, dblAmount, "
      "blnConfirm) Values (1, 5, 3200, 1)";
  const std::string written_off_5 =
      "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
      "lngVoucherDetailID) Values (1, 2, 11)";
  const std::string written_off_4 =
      "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
      "lngRVoucherDetailID) Values (1, 2, 9)";
  const std::string cash_before_review =
      "Update Setting Set strSetting = '0' Where strKey = '出纳签字控制选项';";
  const char* kAskAll = "真的要删除全部分录吗？";
  const struct {
    embedded::LoginRequest login;
    std::string setup;  // statements separated by ";"
    long voucher;
    Command command;
    const char* message;
    const char* title;
    const char* buttons = nullptr;  // the status buttons shown, when looked at
    int answer = mb::kOk;
    const char* asked = nullptr;  // a question answered Yes before the refusal
  } cases[] = {
      // clang-format off
      {kReviewer, "", 1, kReview, "凭证已记账，不能取消复核！", "取消复核", "reverse"},
      {kReviewer, "Update Voucher Set lngCheckerID = 1 Where lngVoucherID = 3", 3, kReview,
       "只有复核人本人才能取消复核！", "取消复核", "-"},
      {kReviewer, "Update Voucher Set blnIsVoid = 1 Where lngVoucherID = 3", 3, kReview,
       "凭证已作废，不能复核！", "复核凭证", "review"},
      {kReviewer, "", 7, kReview, "错误凭证不能复核！", "复核凭证", "review"},
      {kReviewer, cash_before_review, 5, kReview, "出纳凭证须先由出纳签字，才能复核！", "复核凭证"},
      {kReviewer, "", 3, kEdit, "凭证“记-000001”只能由其制单人修改，你没有修改凭证的权限！", "警告信息"},
      {kSecondMaker, "", 3, kReview, "您没有凭证复核权限！", "复核凭证", "-"},
      {kCashier, "", 3, kSign, "记000001号凭证没有现金银行科目分录，不能进行出纳签字！", "凭证出纳签字"},
      {kCashier, "", 1, kSign, "凭证已记账，不能取消签字！", "取消签字"},
      {kCashier, cash_before_review + "Update Voucher Set lngTellerID = 4 Where lngVoucherID = 2",
       2, kSign, "凭证已复核，不能取消签字！", "取消签字"},
      {kCashier, "Update Voucher Set lngTellerID = 1 Where lngVoucherID = 5", 5, kSign,
       "只有签字的出纳本人才能取消签字！", "取消签字", "-"},
      {kPoster, "", 2, kPost, "出纳凭证须先由出纳签字，才能记账！", "凭证记账", "post"},
      {kPoster, "", 3, kPost, "凭证尚未复核，不能记账！", "凭证记账", "-"},
      {kPoster, "Update Voucher Set lngPostID = 1 Where lngVoucherID = 1", 1, kPost,
       "只有记账操作员才能取消记账！", "取消记账", "reverse"},
      {kMaker, "", 1, kVoid, "凭证已记账，不能作废！", "凭证作废"},
      {kMaker, "", 2, kVoid, "凭证已复核，不能作废！", "凭证作废"},
      {kMaker, "", 6, kVoid, "凭证已作废！", "凭证作废"},
      {kMaker, fund_confirmed, 3, kVoid, "当前凭证中有资金收付数据，且资金收付的明细数据至少有一条为已确认状态；\n不允许作废，必须取消确认明细数据，再作废", "凭证作废"},
      {kMaker, written_off_5, 5, kVoid, "该凭证已进行往来核销，不允许作废，如果要进行该操作，请选取消往来核销！", "凭证作废"},
      {kSecondMaker, "", 3, kVoid, "不能作废由他人制作的凭证！", "凭证作废", "-"},
      {kMaker, "", 1, kDelete, "该张凭证已记账,不能删除！", "警告信息"},
      {kMaker, "", 2, kDelete, "该张凭证已复核,不能删除！", "警告信息"},
      // The service has the last word: a signed voucher stays.
      {kMaker, "Update Voucher Set lngTellerID = 4 Where lngVoucherID = 5", 5, kDelete,
       "该张凭证已出纳签字,不能删除！", "警告信息", nullptr, mb::kOk, kAskAll},
      {kMaker, "", 4, kDelete, "只能删除本人制作的凭证！", "警告信息", nullptr, mb::kOk, kAskAll},
      {kMaker, "", 1, kDelLine, "该张凭证已记账,不能删除！", "删除分录"},
      {kMaker, "", 2, kDelLines, "该张凭证已复核,不能删除！", "删除分录"},
      {kMaker, reversal_of_5, 5, kDelLine, "该张凭证已被冲销,不能删除！", "删除分录"},
      {kMaker, written_off_4, 4, kDelLine, "该凭证已进行往来核销，不允许删除，如果要进行该操作，请选取消往来核销！", "删除分录"},
      {kMaker, "", 6, kDelLine, "该张凭证已作废,是否删除其分录？", "删除分录", nullptr, mb::kNo},
      {kMaker, "", 7, kDelLines, "该张凭证已为错误,是否删除其全部分录？", "删除分录", nullptr, mb::kNo},
      {kMaker, "Update Voucher Set blnIsPrint = 1 Where lngVoucherID = 8", 8, kDelLine,
       "该张凭证已为待打印,是否删除其分录？", "删除分录", nullptr, mb::kNo},
      {kMaker, pending_reversal, 50, kDelLines, "该张凭证已为待冲销凭证,是否删除其全部分录？", "删除分录", nullptr, mb::kNo},
      // Every command on a voucher of a closed period is refused, whoever asks.
      {kReviewer, Closed("0, 0, 0"), 60, kReview, "凭证已经结账，不能复核！", "复核凭证"},
      {kReviewer, Closed("3, 0, 0"), 60, kReview, "凭证已经结账，不能取消复核！", "取消复核"},
      {kCashier, Closed("0, 0, 0"), 60, kSign, "凭证已经结账，不能对其进行出纳签字！", "凭证出纳签字"},
      {kCashier, Closed("0, 4, 0"), 60, kSign, "凭证已经结账，不能取消签字！", "取消签字"},
      {kPoster, Closed("3, 4, 0"), 60, kPost, "凭证已经结账，不能记账！", "凭证记账"},
      {kPoster, Closed("3, 4, 5"), 60, kPost, "凭证已经结账，不能取消记账！", "取消记账"},
      {kMaker, Closed("0, 0, 0"), 60, kVoid, "当前会计期间已经结账，不能再作废凭证！", "凭证作废"},
      {kMaker, Closed("0, 0, 0"), 60, kDelete, "凭证已经结账，不能删除凭证！", "警告信息"},
      {kMaker, Closed("0, 0, 0"), 60, kDelLine, "凭证“记-000009”的会计期间已结账，不允许修改！", "删除分录"},
      {kMaker, Closed("0, 0, 0"), 60, kDelLines, "凭证“记-000009”的会计期间已结账，不允许修改！", "删除分录"},
      {kMaker, Closed("0, 0, 0"), 60, kEdit, "凭证“记-000009”的会计期间已结账，不允许修改！", "警告信息"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    TestHost t(c.login);
    for (std::size_t from = 0; from < c.setup.size();) {
      const std::size_t end = std::min(c.setup.find(';', from), c.setup.size());
      if (end > from) t.Exec(c.setup.substr(from, end - from));
      from = end + 1;
    }
    TestableVoucher w;
    ASSERT_TRUE(w.ShowAOldBill(c.voucher));
    if (c.buttons != nullptr) {
      EXPECT_EQ(Flags(w.StatusButtons()), c.buttons);
    }
    const std::string sql =
        "Select * From Voucher Where lngVoucherID = " + std::to_string(c.voucher) +
        " Or lngVoucherID >= 50";
    const std::string before = t.Rows(sql) + t.Rows("Select * From VoucherDetail Order By 1");
    const std::size_t lines = w.State().lines.size();
    if (c.asked != nullptr) t.Messages().Expect(c.asked, mb::kYes, "提示信息");
    t.Messages().Expect(c.message, c.answer, c.title);
    EXPECT_FALSE(c.command(w));
    EXPECT_EQ(t.Rows(sql) + t.Rows("Select * From VoucherDetail Order By 1"), before);
    EXPECT_EQ(w.State().lines.size(), lines);
    EXPECT_EQ(w.State().header.voucher_id, c.voucher);
    EXPECT_FALSE(w.State().must_save);
  }
}

TEST_F(AsReviewer, FundAllocationsThatDoNotAddUpStopTheReview) {
  t_.Exec(
      "Insert Into MCPRVoucherDetail (lngMCPRVoucherDetailID, lngVoucherDetailID, dblAmount) "
      "Values (1, 5, 3000)");
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("资金收付分配金额不等于凭证金额，不能复核！ ", mb::kOk, "复核凭证");
  EXPECT_FALSE(w_.Review());
  EXPECT_EQ(Status(3), "0|0|0|0\n");
  t_.Exec("Update MCPRVoucherDetail Set dblAmount = 3200");
  EXPECT_TRUE(w_.Review());
  EXPECT_EQ(Status(3), "3|0|0|0\n");
}

TEST_F(AsMaker, CannotReviewHisOwnVoucherAndSavesHisChangesFirst) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, "差旅费报销"));
  t_.Messages().Expect("制单人与复核人不能为同一人！", mb::kOk, "复核凭证");
  EXPECT_FALSE(w_.Review());
  EXPECT_EQ(t_.Scalar("Select strRemark From VoucherDetail Where lngVoucherDetailID = 5"),
            "差旅费报销");
  EXPECT_FALSE(S().must_save);
}

// ---- Void -------------------------------------------------------------------------------------

constexpr const char* kVoidAsk = "本张凭证作废后如果保存将不能取消作废，您确实要作废吗？";

TEST_F(AsMaker, VoidIsAskedMarkedAndStoredByTheNextSave) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_EQ(Buttons(), "void delete");
  t_.Messages().Expect(kVoidAsk, mb::kNo, "凭证作废");
  EXPECT_FALSE(w_.VoidVoucher());
  EXPECT_FALSE(S().header.void_mark || S().must_save);
  t_.Messages().Expect(kVoidAsk, mb::kYes, "凭证作废");
  ASSERT_TRUE(w_.VoidVoucher());
  EXPECT_TRUE(S().header.void_mark && S().must_save);
  EXPECT_EQ(Buttons(), "delete");
  EXPECT_EQ(Status(3), "0|0|0|0\n");
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Status(3), "0|0|0|1\n");
  // A void voucher leaves the current-account detail.
  EXPECT_EQ(Rows("Select lngActivityDetailID From CashQARAPDETAIL1 Where lngVoucherID = 3"), "");
  t_.Messages().Expect("凭证已作废！", mb::kOk, "凭证作废");
  EXPECT_FALSE(w_.VoidVoucher());
}

TEST_F(AsMaker, VoidReleasesBankBillsOnlyWhenTheUserAgrees) {
  for (const char* bill : {"1, 41, 5", "2, 41, 19"}) {
    t_.Exec(
        "Insert Into BankBillDetail (lngBankBillDetailID, lngActivityTypeID, lngActivityID) "
        "Values (" +
        std::string(bill) + ")");
  }
  ASSERT_TRUE(w_.ShowAOldBill(3));
  for (int answer : {mb::kNo, mb::kYes}) {
    t_.Messages().Expect(kVoidAsk, mb::kYes, "凭证作废");
    t_.Messages().Expect("本张凭证作废将取消票据关联关系，您确实要作废吗？", answer, "凭证作废");
    EXPECT_EQ(w_.VoidVoucher(), answer == mb::kYes);
    EXPECT_EQ(S().header.void_mark, answer == mb::kYes);
    EXPECT_EQ(Rows("Select lngBankBillDetailID, lngActivityTypeID, lngActivityID From "
                   "BankBillDetail Order By 1"),
              answer == mb::kYes ? "1|0|0\n2|41|19\n" : "1|41|5\n2|41|19\n");
  }
}

TEST_F(AsMaker, VoidingDeletesTheVouchersReversals) {
  // Voucher 50 reverses voucher 3 (a program's voucher), voucher 51 points at voucher 50.
  StoreVoucher(50, 1, 50, ", lngVoucherSourceID, lngSourceVoucherID", ", 2, 3");
  StoreLine(50, 50, 1, 31, 1, -3200, ", lngDepartmentID, lngEmployeeID", ", 1, 1");
  StoreLine(51, 50, 2, 8, -1, -3200, ", lngEmployeeID", ", 1");
  StoreVoucher(51, 1, 51, ", lngVoucherSourceID, lngSourceVoucherID", ", 1, 50");
  t_.Exec(
      "Insert Into VoucherCashFlow (lngVoucherDetailID, lngCashItemID, dblAmount) Values (50, 1, "
      "-3200)");
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_TRUE(S().reversed);
  t_.Messages().Expect(kVoidAsk, mb::kYes, "凭证作废");
  t_.Messages().Expect("本张凭证作废后将删除它所有的冲消凭证 \n2026年度02期间 记字 000050号凭证",
                       mb::kOk, "凭证作废");
  ASSERT_TRUE(w_.VoidVoucher());
  EXPECT_FALSE(S().reversed);
  EXPECT_EQ(Rows("Select lngVoucherID, lngSourceVoucherID From Voucher Where lngVoucherID >= 50"),
            "51|0\n");
  EXPECT_EQ(Rows("Select * From VoucherDetail Where lngVoucherID = 50"), "");
  EXPECT_EQ(Rows("Select * From VoucherCashFlow"), "");
}

// ---- Deleting ---------------------------------------------------------------------------------

TEST_F(AsMaker, DeletingALineAsksFirst) {
  NewVoucherWith({{"1001", voucher::kDebit, "10"}, {"6001", voucher::kCredit, "10"}});
  t_.Messages().Expect("真的要删除该笔分录吗？", mb::kYes, "删除分录");
  ASSERT_TRUE(w_.EditDelLine(2));
  EXPECT_EQ(S().lines.size(), 1u);
  t_.Messages().Expect("“记-000005”的数据已经发生改变，是否需要保存?", mb::kNo, "警告提示");
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("真的要删除该笔分录吗？", mb::kNo, "删除分录");
  EXPECT_FALSE(w_.EditDelLine(1));
  EXPECT_EQ(S().lines.size(), 2u);
  EXPECT_FALSE(S().must_save);
  t_.Messages().Expect("真的要删除该笔分录吗？", mb::kYes, "删除分录");
  ASSERT_TRUE(w_.EditDelLine(1));
  ASSERT_EQ(S().lines.size(), 1u);
  EXPECT_EQ(S().lines[0].line_id, 6);
  EXPECT_TRUE(S().must_save);
  t_.Messages().Expect("真的要删除全部分录吗？", mb::kYes, "删除分录");
  ASSERT_TRUE(w_.EditDelAllLines());
  EXPECT_TRUE(S().lines.empty());
  EXPECT_EQ(S().totals.debit, 0);
}

TEST_F(AsMaker, DeletesHisVoucherAfterTheQuestion) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("真的要删除全部分录吗？", mb::kNo, "提示信息");
  EXPECT_FALSE(w_.DeleteVoucher());
  EXPECT_EQ(Status(3), "0|0|0|0\n");
  t_.Messages().Expect("真的要删除全部分录吗？", mb::kYes, "提示信息");
  ASSERT_TRUE(w_.DeleteVoucher());
  EXPECT_EQ(Status(3) + Rows("Select * From VoucherDetail Where lngVoucherID = 3"), "");
  EXPECT_EQ(S().header.voucher_id, 0);
  EXPECT_TRUE(S().lines.empty());
  EXPECT_EQ(Buttons(), "-");
}

// ---- Editing, memo registration, preview
// ----------------------------------------------------------

TEST_F(AsMaker, PreviewOffersNoCommand) {
  ASSERT_TRUE(w_.ShowAOldBill(3, 0, true));
  EXPECT_EQ(Buttons(), "-");
  for (const Command& command : {kReview, kVoid, kDelete, kDelLine, kEdit}) {
    EXPECT_FALSE(command(w_));
  }
  EXPECT_TRUE(t_.Messages().Shown().empty());
}

}  // namespace
}  // namespace lumvoucher::testing
