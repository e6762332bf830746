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

constexpr const char* kDate = "2026-02-15";

embedded::LoginRequest SecondMaker() {
  return {1, 6, kDate};
}

std::string Flags(const ButtonFlags& b) {
  std::string out;
  auto add = [&](const char* name, bool on) {
    if (on) out += (out.empty() ? "" : " ") + std::string(name);
  };
  add("review", b.review);
  add("sign", b.sign);
  add("post", b.post);
  add("void", b.void_voucher);
  add("delete", b.delete_voucher);
  add("reverse", b.reverse);
  return out.empty() ? "-" : out;
}

// ---- The rules without a database ------------------------------------------------------------

VoucherHeader Stored(long maker = 2) {
  VoucherHeader h;
  h.voucher_id = 3;
  h.type_code = "记";
  h.number = "000001";
  h.maker_id = maker;
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

  auto reviewed = [](long by) {
    VoucherHeader h = Stored();
    h.checker_id = by;
    return h;
  };
  auto posted = [&](long by) {
    VoucherHeader h = reviewed(3);
    h.poster_id = by;
    return h;
  };
  auto signed_by = [](long by) {
    VoucherHeader h = Stored();
    h.teller_id = by;
    return h;
  };
  VoucherHeader fresh;
  VoucherHeader of_stranger = Stored(9);
  VoucherHeader void_voucher = Stored();
  void_voucher.void_mark = true;

  struct Case {
    const char* name;
    VoucherHeader header;
    bool reversed;
    bool preview;
    OperatorStanding me;
    const char* expected;
  } cases[] = {
      {"new voucher", fresh, false, false, admin, "-"},
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
  for (const Case& c : cases) {
    EXPECT_EQ(Flags(voucher::EnabledButtons(c.header, c.reversed, c.preview, c.me)), c.expected)
        << c.name;
  }
}

TEST(StatusRules, TheFirstReasonAgainstAnEditIsStated) {
  auto with = [](const std::function<void(VoucherHeader&)>& change) {
    VoucherHeader h = Stored();
    change(h);
    return h;
  };
  struct Case {
    VoucherHeader header;
    bool closed;
    long me;
    bool right;
    std::string expected;
  } cases[] = {
      {Stored(), false, 2, true, ""},
      {VoucherHeader{}, true, 9, false, ""},
      {with([](auto& h) { h.poster_id = 5; }), true, 2, true,
       "凭证“记-000001”的会计期间已结账，不允许修改！"},
      {with([](auto& h) { h.poster_id = 5; }), false, 2, true,
       "凭证“记-000001”已记账，不允许修改！"},
      {with([](auto& h) { h.checker_id = 3; }), false, 2, true,
       "凭证“记-000001”已复核，不允许修改！"},
      {with([](auto& h) { h.source_id = 2; }), false, 2, true,
       "凭证“记-000001”是系统自动产生的，不允许修改！"},
      {with([](auto& h) { h.source_id = 14; }), false, 2, true, ""},
      {Stored(), false, 6, true, "凭证“记-000001”只能由其制单人修改，你没有修改凭证的权限！"},
      {with([](auto& h) { h.void_mark = true; }), false, 6, true,
       "凭证“记-000001”已作废，不允许修改！"},
      {with([](auto& h) { h.void_mark = true; }), false, 2, true,
       "凭证“记-000001”已作废，不允许修改！"},
      {Stored(), false, 2, false, "该用户没有修改填制凭证的权限！"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(voucher::EditRefusal(c.header, c.closed, c.me, c.right), c.expected);
  }
}

TEST(StatusRules, DeleteQuestionsNameTheVouchersState) {
  struct Case {
    std::function<void(VoucherHeader&)> state;
    const char* one;
    const char* all;
  } cases[] = {
      {[](auto&) {}, "真的要删除该笔分录吗？", "真的要删除全部分录吗？"},
      {[](auto& h) { h.print_mark = true; }, "该张凭证已为待打印,是否删除其分录？",
       "该张凭证已为待打印,是否删除其全部分录？"},
      {[](auto& h) { h.void_mark = true; }, "该张凭证已作废,是否删除其分录？",
       "该张凭证已作废,是否删除其全部分录？"},
      {[](auto& h) { h.error_mark = true; }, "该张凭证已为错误,是否删除其分录？",
       "该张凭证已为错误,是否删除其全部分录？"},
      {[](auto& h) { h.source_voucher_id = 1; }, "该张凭证已为待冲销凭证,是否删除其分录？",
       "该张凭证已为待冲销凭证,是否删除其全部分录？"},
      {[](auto& h) {
         h.source_voucher_id = 1;
         h.source_id = 16;
       },
       "真的要删除该笔分录吗？", "真的要删除全部分录吗？"},
  };
  for (const Case& c : cases) {
    VoucherHeader h = Stored();
    c.state(h);
    EXPECT_EQ(voucher::DeleteQuestion(h, false), c.one);
    EXPECT_EQ(voucher::DeleteQuestion(h, true), c.all);
  }
}

// ---- The window --------------------------------------------------------------------------------

class StatusWindow : public VoucherWindowTest {
 protected:
  explicit StatusWindow(const embedded::LoginRequest& login = DemoLogin::Maker())
      : VoucherWindowTest(login) {}
  std::string Rows(const std::string& sql) { return DumpRows(t_.Data(), sql); }
  std::string VoucherRow(long id) {
    return Rows("Select * From Voucher Where lngVoucherID = " + std::to_string(id));
  }
  std::string Status(long id) {
    return Rows(
        "Select lngCheckerID, lngTellerID, lngPostID, blnIsVoid From Voucher Where lngVoucherID "
        "= " +
        std::to_string(id));
  }
  // The three captions and the names in the footer.
  std::string Panel() {
    const voucher::VoucherHeader& h = S().header;
    return S().review_caption + "|" + S().sign_caption + "|" + S().post_caption +
           "|复核:" + h.checker_name + " 出纳:" + h.teller_name + " 记账:" + h.poster_name;
  }
  std::string Buttons() { return Flags(w_.StatusButtons()); }
  std::string Bills() {
    return Rows(
        "Select lngBankBillDetailID, lngActivityTypeID, lngActivityID From BankBillDetail Order "
        "By 1");
  }
  void SetStatus(long id, const std::string& assignments) {
    t_.Data().Execute("Update Voucher Set " + assignments +
                      " Where lngVoucherID = " + std::to_string(id));
  }
};

struct AsReviewer : StatusWindow {
  AsReviewer() : StatusWindow(DemoLogin::Reviewer()) {}
};
struct AsCashier : StatusWindow {
  AsCashier() : StatusWindow(DemoLogin::Cashier()) {}
};
struct AsPoster : StatusWindow {
  AsPoster() : StatusWindow(DemoLogin::Poster()) {}
};
struct AsMaker : StatusWindow {};
struct AsSecondMaker : StatusWindow {
  AsSecondMaker() : StatusWindow(SecondMaker()) {}
};

TEST_F(AsReviewer, ReviewsAndCancelsTheReviewThroughTheButton) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  const std::string before = VoucherRow(3);
  EXPECT_EQ(Panel(), "复    核(&C)|出纳签字(&T)|记    账(&J)|复核: 出纳: 记账:");
  EXPECT_EQ(Buttons(), "review");
  // Someone changed the manager meanwhile: the window shows the voucher as it now is.
  SetStatus(3, "strManager = '张主任'");
  ASSERT_TRUE(w_.Review());
  EXPECT_EQ(Status(3), "3|0|0|0\n");
  EXPECT_EQ(Panel(), "取消复核(&C)|出纳签字(&T)|记    账(&J)|复核:王芳 出纳: 记账:");
  EXPECT_EQ(S().header.manager, "张主任");
  EXPECT_EQ(Buttons(), "review");
  ASSERT_TRUE(w_.Review());
  SetStatus(3, "strManager = ' '");
  EXPECT_EQ(VoucherRow(3), before);
  EXPECT_EQ(Panel(), "复    核(&C)|出纳签字(&T)|记    账(&J)|复核: 出纳: 记账:");
}

TEST_F(AsReviewer, RefusalsOfTheServiceAreShownAndTheWindowStays) {
  struct Case {
    long voucher;
    const char* status;  // set before the voucher is shown
    const char* buttons;
    const char* message;
    const char* title;
  } cases[] = {
      {1, "", "reverse", "凭证已记账，不能取消复核！", "取消复核"},
      {3, "lngCheckerID = 1", "-", "只有复核人本人才能取消复核！", "取消复核"},
      {3, "lngCheckerID = 0, blnIsVoid = 1", "review", "凭证已作废，不能复核！", "复核凭证"},
      {7, "", "review", "错误凭证不能复核！", "复核凭证"},
  };
  for (const Case& c : cases) {
    if (*c.status) SetStatus(c.voucher, c.status);
    ASSERT_TRUE(w_.ShowAOldBill(c.voucher));
    EXPECT_EQ(Buttons(), c.buttons) << c.message;
    const std::string before = VoucherRow(c.voucher);
    const std::string panel = Panel();
    t_.Messages().Expect(c.message, mb::kOk, c.title);
    EXPECT_FALSE(w_.Review());
    EXPECT_EQ(VoucherRow(c.voucher), before);
    EXPECT_EQ(Panel(), panel);
  }
}

TEST_F(AsReviewer, FundAllocationsThatDoNotAddUpStopTheReview) {
  t_.Data().Execute(
      "Insert Into MCPRVoucherDetail (lngMCPRVoucherDetailID, lngVoucherDetailID, dblAmount) "
      "Values (1, 5, 3000)");
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("资金收付分配金额不等于凭证金额，不能复核！ ", mb::kOk, "复核凭证");
  EXPECT_FALSE(w_.Review());
  EXPECT_EQ(Status(3), "0|0|0|0\n");
  t_.Data().Execute("Update MCPRVoucherDetail Set dblAmount = 3200");
  EXPECT_TRUE(w_.Review());
  EXPECT_EQ(Status(3), "3|0|0|0\n");
}

TEST_F(AsReviewer, MayNotChangeAnothersVoucher) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("凭证“记-000001”只能由其制单人修改，你没有修改凭证的权限！", mb::kOk,
                       "警告信息");
  EXPECT_FALSE(w_.CanEdit());
}

TEST_F(AsReviewer, ACashVoucherWaitsForTheSignatureWhenItComesBeforeReview) {
  SetSetting("帐套属性", "出纳签字控制选项", "0");
  ASSERT_TRUE(w_.ShowAOldBill(5));
  t_.Messages().Expect("出纳凭证须先由出纳签字，才能复核！", mb::kOk, "复核凭证");
  EXPECT_FALSE(w_.Review());
  // Without cash or bank lines no signature is needed.
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_TRUE(w_.Review());
  SetStatus(5, "lngTellerID = 4");
  ASSERT_TRUE(w_.ShowAOldBill(5));
  EXPECT_TRUE(w_.Review());
  EXPECT_EQ(Status(5), "3|4|0|0\n");
}

TEST_F(AsSecondMaker, CannotReviewWithoutTheRight) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_EQ(Buttons(), "-");
  t_.Messages().Expect("您没有凭证复核权限！", mb::kOk, "复核凭证");
  EXPECT_FALSE(w_.Review());
  EXPECT_EQ(Status(3), "0|0|0|0\n");
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

TEST_F(AsCashier, SignsAndCancelsTheSignature) {
  ASSERT_TRUE(w_.ShowAOldBill(5));
  const std::string before = VoucherRow(5);
  EXPECT_EQ(Buttons(), "sign");
  ASSERT_TRUE(w_.CashierSign());
  EXPECT_EQ(Status(5), "0|4|0|0\n");
  EXPECT_EQ(Panel(), "复    核(&C)|取消签字(&T)|记    账(&J)|复核: 出纳:赵敏 记账:");
  ASSERT_TRUE(w_.CashierSign());
  EXPECT_EQ(VoucherRow(5), before);
  EXPECT_EQ(Panel(), "复    核(&C)|出纳签字(&T)|记    账(&J)|复核: 出纳: 记账:");
}

TEST_F(AsCashier, SignatureRefusals) {
  // Voucher 3 has no cash or bank line.
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("记000001号凭证没有现金银行科目分录，不能进行出纳签字！", mb::kOk,
                       "凭证出纳签字");
  EXPECT_FALSE(w_.CashierSign());
  // Signature before posting (the demo option): no cancel once posted.
  ASSERT_TRUE(w_.ShowAOldBill(1));
  t_.Messages().Expect("凭证已记账，不能取消签字！", mb::kOk, "取消签字");
  EXPECT_FALSE(w_.CashierSign());
  // Signature before review: no cancel once reviewed.
  SetSetting("帐套属性", "出纳签字控制选项", "0");
  SetStatus(2, "lngTellerID = 4");
  ASSERT_TRUE(w_.ShowAOldBill(2));
  t_.Messages().Expect("凭证已复核，不能取消签字！", mb::kOk, "取消签字");
  EXPECT_FALSE(w_.CashierSign());
  // Signed by another cashier.
  SetStatus(5, "lngTellerID = 1");
  ASSERT_TRUE(w_.ShowAOldBill(5));
  EXPECT_EQ(Buttons(), "-");
  t_.Messages().Expect("只有签字的出纳本人才能取消签字！", mb::kOk, "取消签字");
  EXPECT_FALSE(w_.CashierSign());
  EXPECT_EQ(Status(1) + Status(2) + Status(5), "3|4|5|0\n3|4|0|0\n0|1|0|0\n");
}

TEST_F(AsPoster, PostsAndCancelsThePosting) {
  SetStatus(2, "lngTellerID = 4");
  ASSERT_TRUE(w_.ShowAOldBill(2));
  const std::string before = VoucherRow(2);
  EXPECT_EQ(Buttons(), "post");
  ASSERT_TRUE(w_.Post());
  EXPECT_EQ(Status(2), "3|4|5|0\n");
  EXPECT_EQ(Panel(), "取消复核(&C)|取消签字(&T)|取消记账(&J)|复核:王芳 出纳:赵敏 记账:刘强");
  EXPECT_EQ(Buttons(), "post reverse");
  ASSERT_TRUE(w_.Post());
  EXPECT_EQ(VoucherRow(2), before);
  EXPECT_EQ(Panel(), "取消复核(&C)|取消签字(&T)|记    账(&J)|复核:王芳 出纳:赵敏 记账:");
}

TEST_F(AsPoster, PostingRefusals) {
  struct Case {
    long voucher;
    const char* status;
    const char* buttons;
    const char* message;
    const char* title;
  } cases[] = {
      // Cash voucher, signature required before posting.
      {2, "", "post", "出纳凭证须先由出纳签字，才能记账！", "凭证记账"},
      {3, "", "-", "凭证尚未复核，不能记账！", "凭证记账"},
      {1, "lngPostID = 1", "reverse", "只有记账操作员才能取消记账！", "取消记账"},
  };
  for (const Case& c : cases) {
    if (*c.status) SetStatus(c.voucher, c.status);
    ASSERT_TRUE(w_.ShowAOldBill(c.voucher));
    EXPECT_EQ(Buttons(), c.buttons) << c.message;
    const std::string before = VoucherRow(c.voucher);
    t_.Messages().Expect(c.message, mb::kOk, c.title);
    EXPECT_FALSE(w_.Post());
    EXPECT_EQ(VoucherRow(c.voucher), before);
  }
}

TEST_F(AsPoster, PostingStampsTheVoucherWhenTheStandardIsOn) {
  SetStatus(3, "lngCheckerID = 3");
  SetSetting("企业会计信息化", "支持企业会计信息化工作规范", "1");
  ASSERT_TRUE(w_.ShowAOldBill(3));
  ASSERT_TRUE(w_.Post());
  const std::string stamp = t_.Scalar("Select strUQStamp From Voucher Where lngVoucherID = 3");
  EXPECT_NE(stamp, " ");
  EXPECT_FALSE(stamp.empty());
  SetSetting("企业会计信息化", "支持企业会计信息化工作规范", "0");
  SetStatus(4, "lngCheckerID = 3");
  ASSERT_TRUE(w_.ShowAOldBill(4));
  ASSERT_TRUE(w_.Post());
  EXPECT_EQ(t_.Scalar("Select strUQStamp From Voucher Where lngVoucherID = 4"), " ");
}

// Every command on a voucher of a closed period is refused, whoever asks.
TEST(ClosedPeriod, RefusesEveryCommandThroughTheWindow) {
  struct Case {
    embedded::LoginRequest login;
    const char* status;
    std::function<bool(TestableVoucher&)> command;
    const char* message;
    const char* title;
  } cases[] = {
      {DemoLogin::Reviewer(), "0, 0, 0", [](auto& w) { return w.Review(); },
       "凭证已经结账，不能复核！", "复核凭证"},
      {DemoLogin::Reviewer(), "3, 0, 0", [](auto& w) { return w.Review(); },
       "凭证已经结账，不能取消复核！", "取消复核"},
      {DemoLogin::Cashier(), "0, 0, 0", [](auto& w) { return w.CashierSign(); },
       "凭证已经结账，不能对其进行出纳签字！", "凭证出纳签字"},
      {DemoLogin::Cashier(), "0, 4, 0", [](auto& w) { return w.CashierSign(); },
       "凭证已经结账，不能取消签字！", "取消签字"},
      {DemoLogin::Poster(), "3, 4, 0", [](auto& w) { return w.Post(); }, "凭证已经结账，不能记账！",
       "凭证记账"},
      {DemoLogin::Poster(), "3, 4, 5", [](auto& w) { return w.Post(); },
       "凭证已经结账，不能取消记账！", "取消记账"},
      {DemoLogin::Maker(), "0, 0, 0", [](auto& w) { return w.VoidVoucher(); },
       "当前会计期间已经结账，不能再作废凭证！", "凭证作废"},
      {DemoLogin::Maker(), "0, 0, 0", [](auto& w) { return w.DeleteVoucher(); },
       "凭证已经结账，不能删除凭证！", "警告信息"},
      {DemoLogin::Maker(), "0, 0, 0", [](auto& w) { return w.EditDelLine(1); },
       "凭证“记-000009”的会计期间已结账，不允许修改！", "删除分录"},
      {DemoLogin::Maker(), "0, 0, 0", [](auto& w) { return w.EditDelAllLines(); },
       "凭证“记-000009”的会计期间已结账，不允许修改！", "删除分录"},
      {DemoLogin::Maker(), "0, 0, 0", [](auto& w) { return w.CanEdit(); },
       "凭证“记-000009”的会计期间已结账，不允许修改！", "警告信息"},
  };
  for (const Case& c : cases) {
    TestHost t(c.login);
    t.Data().Execute(
        "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
        "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, lngCheckerID, "
        "lngTellerID, lngPostID) Values (60, 1, 9, '2026-01-20', 2026, 1, 1, 1, 2, " +
        std::string(c.status) + ")");
    t.Data().Execute(
        "Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
        "lngAccountID, intDirection, dblAmount) Values (60, 60, 1, '门诊收入', 1, 1, 100)");
    t.Data().Execute(
        "Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
        "lngAccountID, intDirection, lngDepartmentID, dblAmount) Values (61, 60, 2, '门诊收入', "
        "27, -1, 4, 100)");
    const std::string before = DumpRows(t.Data(), "Select * From Voucher Where lngVoucherID = 60") +
                               DumpRows(t.Data(), "Select * From VoucherDetail Order By 1");
    TestableVoucher w;
    ASSERT_TRUE(w.ShowAOldBill(60));
    t.Messages().Expect(c.message, mb::kOk, c.title);
    EXPECT_FALSE(c.command(w)) << c.message;
    EXPECT_EQ(DumpRows(t.Data(), "Select * From Voucher Where lngVoucherID = 60") +
                  DumpRows(t.Data(), "Select * From VoucherDetail Order By 1"),
              before)
        << c.message;
    EXPECT_EQ(w.State().lines.size(), 2u);
  }
}

// ---- Void -------------------------------------------------------------------------------------

TEST_F(AsMaker, VoidIsAskedMarkedAndStoredByTheNextSave) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_EQ(Buttons(), "void delete");
  t_.Messages().Expect("本张凭证作废后如果保存将不能取消作废，您确实要作废吗？", mb::kNo,
                       "凭证作废");
  EXPECT_FALSE(w_.VoidVoucher());
  EXPECT_FALSE(S().header.void_mark);
  EXPECT_FALSE(S().must_save);

  t_.Messages().Expect("本张凭证作废后如果保存将不能取消作废，您确实要作废吗？", mb::kYes,
                       "凭证作废");
  ASSERT_TRUE(w_.VoidVoucher());
  EXPECT_TRUE(S().header.void_mark);
  EXPECT_TRUE(S().must_save);
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
    t_.Data().Execute(
        "Insert Into BankBillDetail (lngBankBillDetailID, lngActivityTypeID, lngActivityID) "
        "Values (" +
        std::string(bill) + ")");
  }
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("本张凭证作废后如果保存将不能取消作废，您确实要作废吗？", mb::kYes,
                       "凭证作废");
  t_.Messages().Expect("本张凭证作废将取消票据关联关系，您确实要作废吗？", mb::kNo, "凭证作废");
  EXPECT_FALSE(w_.VoidVoucher());
  EXPECT_FALSE(S().header.void_mark);
  EXPECT_EQ(Bills(), "1|41|5\n2|41|19\n");
  t_.Messages().Expect("本张凭证作废后如果保存将不能取消作废，您确实要作废吗？", mb::kYes,
                       "凭证作废");
  t_.Messages().Expect("本张凭证作废将取消票据关联关系，您确实要作废吗？", mb::kYes, "凭证作废");
  ASSERT_TRUE(w_.VoidVoucher());
  EXPECT_EQ(Bills(), "1|0|0\n2|41|19\n");
}

TEST_F(AsMaker, VoidRefusalsComeBeforeTheQuestion) {
  struct Case {
    long voucher;
    std::function<void()> prepare;
    const char* message;
  } cases[] = {
      {1, [] {}, "凭证已记账，不能作废！"},
      {2, [] {}, "凭证已复核，不能作废！"},
      {6, [] {}, "凭证已作废！"},
      {3,
       [&] {
         t_.Data().Execute(
             "Insert Into MCPRVoucherDetail (lngMCPRVoucherDetailID, lngVoucherDetailID, "
             "dblAmount, blnConfirm) Values (1, 5, 3200, 1)");
       },
       "当前凭证中有资金收付数据，且资金收付的明细数据至少有一条为已确认状态；\n"
       "不允许作废，必须取消确认明细数据，再作废"},
      {5,
       [&] {
         t_.Data().Execute(
             "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
             "lngVoucherDetailID) Values (1, 2, 11)");
       },
       "该凭证已进行往来核销，不允许作废，如果要进行该操作，请选取消往来核销！"},
  };
  for (const Case& c : cases) {
    c.prepare();
    ASSERT_TRUE(w_.ShowAOldBill(c.voucher));
    const std::string before = VoucherRow(c.voucher);
    t_.Messages().Expect(c.message, mb::kOk, "凭证作废");
    EXPECT_FALSE(w_.VoidVoucher());
    EXPECT_FALSE(S().must_save);
    EXPECT_EQ(VoucherRow(c.voucher), before);
  }
}

TEST_F(AsSecondMaker, MayNotVoidAnothersVoucher) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_EQ(Buttons(), "-");
  t_.Messages().Expect("不能作废由他人制作的凭证！", mb::kOk, "凭证作废");
  EXPECT_FALSE(w_.VoidVoucher());
}

TEST_F(AsMaker, VoidingDeletesTheVouchersReversals) {
  // Voucher 50 reverses voucher 3 (a program's voucher), voucher 51 points at voucher 50.
  StoreVoucher(50, 1, 50, ", lngVoucherSourceID, lngSourceVoucherID", ", 2, 3");
  StoreLine(50, 50, 1, 31, 1, -3200, ", lngDepartmentID, lngEmployeeID", ", 1, 1");
  StoreLine(51, 50, 2, 8, -1, -3200, ", lngEmployeeID", ", 1");
  StoreVoucher(51, 1, 51, ", lngVoucherSourceID, lngSourceVoucherID", ", 1, 50");
  t_.Data().Execute(
      "Insert Into VoucherCashFlow (lngVoucherDetailID, lngCashItemID, dblAmount) Values (50, 1, "
      "-3200)");
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_TRUE(S().reversed);
  t_.Messages().Expect("本张凭证作废后如果保存将不能取消作废，您确实要作废吗？", mb::kYes,
                       "凭证作废");
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

TEST_F(AsMaker, DeletingLinesOfAVoucherInAStateAsksOrRefuses) {
  struct Case {
    long voucher;
    std::function<void()> prepare;
    bool all;
    const char* message;
    int answer;
  } cases[] = {
      {1, [] {}, false, "该张凭证已记账,不能删除！", mb::kOk},
      {2, [] {}, true, "该张凭证已复核,不能删除！", mb::kOk},
      {5, [&] { StoreVoucher(50, 2, 50, ", lngVoucherSourceID, lngSourceVoucherID", ", 2, 5"); },
       false, "该张凭证已被冲销,不能删除！", mb::kOk},
      {4,
       [&] {
         t_.Data().Execute(
             "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
             "lngRVoucherDetailID) Values (1, 2, 9)");
       },
       false, "该凭证已进行往来核销，不允许删除，如果要进行该操作，请选取消往来核销！", mb::kOk},
      {6, [] {}, false, "该张凭证已作废,是否删除其分录？", mb::kNo},
      {7, [] {}, true, "该张凭证已为错误,是否删除其全部分录？", mb::kNo},
      {8, [&] { SetStatus(8, "blnIsPrint = 1"); }, false, "该张凭证已为待打印,是否删除其分录？",
       mb::kNo},
      {50, [] {}, true, "该张凭证已为待冲销凭证,是否删除其全部分录？", mb::kNo},
  };
  for (const Case& c : cases) {
    c.prepare();
    if (c.voucher == 50) StoreLine(50, 50, 1, 1, 1, 10);
    ASSERT_TRUE(w_.ShowAOldBill(c.voucher));
    const std::size_t lines = S().lines.size();
    t_.Messages().Expect(c.message, c.answer, "删除分录");
    EXPECT_FALSE(c.all ? w_.EditDelAllLines() : w_.EditDelLine(1)) << c.message;
    EXPECT_EQ(S().lines.size(), lines);
  }
}

TEST_F(AsMaker, DeletingANewVouchersLineAsksThePlainQuestion) {
  NewVoucherWith({{"1001", voucher::kDebit, "10"}, {"6001", voucher::kCredit, "10"}});
  t_.Messages().Expect("真的要删除该笔分录吗？", mb::kYes, "删除分录");
  ASSERT_TRUE(w_.EditDelLine(2));
  EXPECT_EQ(S().lines.size(), 1u);
}

TEST_F(AsMaker, DeletesHisVoucherAfterTheQuestion) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("真的要删除全部分录吗？", mb::kNo, "提示信息");
  EXPECT_FALSE(w_.DeleteVoucher());
  EXPECT_EQ(Status(3), "0|0|0|0\n");
  t_.Messages().Expect("真的要删除全部分录吗？", mb::kYes, "提示信息");
  ASSERT_TRUE(w_.DeleteVoucher());
  EXPECT_EQ(Status(3), "");
  EXPECT_EQ(Rows("Select * From VoucherDetail Where lngVoucherID = 3"), "");
  EXPECT_EQ(S().header.voucher_id, 0);
  EXPECT_TRUE(S().lines.empty());
  EXPECT_EQ(Buttons(), "-");
}

TEST_F(AsMaker, DeletingAVoucherRefusesWhatMayNotGo) {
  struct Case {
    long voucher;
    const char* status;
    bool asked;
    const char* message;
  } cases[] = {
      {1, "", false, "该张凭证已记账,不能删除！"},
      {2, "", false, "该张凭证已复核,不能删除！"},
      // The service has the last word: a signed voucher stays.
      {5, "lngTellerID = 4", true, "该张凭证已出纳签字,不能删除！"},
      {4, "", true, "只能删除本人制作的凭证！"},
  };
  for (const Case& c : cases) {
    if (*c.status) SetStatus(c.voucher, c.status);
    ASSERT_TRUE(w_.ShowAOldBill(c.voucher));
    const std::string before = VoucherRow(c.voucher);
    if (c.asked) t_.Messages().Expect("真的要删除全部分录吗？", mb::kYes, "提示信息");
    t_.Messages().Expect(c.message, mb::kOk, "警告信息");
    EXPECT_FALSE(w_.DeleteVoucher());
    EXPECT_EQ(VoucherRow(c.voucher), before);
    EXPECT_EQ(S().header.voucher_id, c.voucher);
  }
}

// ---- Editing, memo registration ----------------------------------------------------------------

TEST_F(AsMaker, EditingNeedsTheRightForTheType) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_TRUE(w_.CanEdit());
  EXPECT_EQ(w_.EditRefusal(), "");
  t_.Data().Execute(
      "Insert Into OperatorVoucherType (lngOperatorID, lngVoucherTypeID) Values (2, 2)");
  t_.Messages().Expect("该用户没有修改填制凭证的权限！", mb::kOk, "警告信息");
  EXPECT_FALSE(w_.CanEdit());
  ASSERT_TRUE(w_.ShowAOldBill(5));
  EXPECT_TRUE(w_.CanEdit());
  ASSERT_TRUE(w_.ShowAOldBill(2));
  EXPECT_EQ(w_.EditRefusal(), "凭证“付-000001”已复核，不允许修改！");
}

TEST_F(AsMaker, MemoRegistrationOfAReviewedVoucherFollowsTheSetting) {
  ASSERT_TRUE(w_.ShowAOldBill(2));
  EXPECT_TRUE(w_.MayRegisterMemo());
  SetSetting("帐套属性", "已复核凭证不能备查登记", "TRUE");
  t_.Messages().Expect("已复核凭证不能备查登记", mb::kOk, "备查登记");
  EXPECT_FALSE(w_.MayRegisterMemo());
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_TRUE(w_.MayRegisterMemo());
}

TEST_F(AsMaker, ClearingTheMemoRegistrationRemovesOnlyThisVouchersRows) {
  t_.Data().Execute("Delete From RVoucherDetail");
  for (const char* row : {"1, 5, 3", "2, 6, 3", "3, 7, 4"}) {
    t_.Data().Execute(
        "Insert Into RVoucherDetail (lngRVoucherDetailID, lngVoucherDetailID, lngVoucherID) "
        "Values (" +
        std::string(row) + ")");
  }
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("是否删除本张凭证的所有已登记备查明细？", mb::kNo, "提示信息");
  EXPECT_FALSE(w_.ClearMemoRegistration());
  EXPECT_EQ(Rows("Select lngRVoucherDetailID From RVoucherDetail Order By 1"), "1\n2\n3\n");
  t_.Messages().Expect("是否删除本张凭证的所有已登记备查明细？", mb::kYes, "提示信息");
  EXPECT_TRUE(w_.ClearMemoRegistration());
  EXPECT_EQ(Rows("Select lngRVoucherDetailID From RVoucherDetail Order By 1"), "3\n");
}

TEST_F(AsMaker, PreviewOffersNoCommand) {
  ASSERT_TRUE(w_.ShowAOldBill(3, 0, true));
  EXPECT_EQ(Buttons(), "-");
  EXPECT_FALSE(w_.Review());
  EXPECT_FALSE(w_.VoidVoucher());
  EXPECT_FALSE(w_.DeleteVoucher());
  EXPECT_FALSE(w_.EditDelLine(1));
  EXPECT_FALSE(w_.CanEdit());
  EXPECT_TRUE(t_.Messages().Shown().empty());
}

}  // namespace
}  // namespace lumvoucher::testing
