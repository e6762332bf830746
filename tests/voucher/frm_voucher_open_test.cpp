#include <gtest/gtest.h>

#include "dualbasis/frm_voucher_new.h"
#include "frame/login_state.h"
#include "frame/window_registry.h"
#include "host/message_box.h"
#include "voucher/voucher_fixture.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::testing {
namespace {

using voucher::FormatFixed;
using voucher::HeaderField;
using voucher::LineField;
namespace texts = voucher::texts;

using NewBill = VoucherWindowTest;

// Number, date, period, template, the names and the three status captions of the header.
std::string Header(const voucher::VoucherState& s) {
  const auto& h = s.header;
  return h.type_code + "-" + h.number + " " + h.date + " " +
         std::to_string(h.year * 100 + h.period) + " " + h.template_name + " " + h.maker_name +
         "/" + h.checker_name + "/" + h.teller_name + "/" + h.poster_name + " " + s.review_caption +
         " " + s.sign_caption + " " + s.post_caption + " " + s.totals.words;
}

TEST_F(NewBill, StartsWithTheFirstTypeTheNextNumberAndTheTypesTemplate) {
  ASSERT_TRUE(w_.ShowANewBill(0));
  EXPECT_EQ(
      Header(S()),
      "记-000005 2026-02-15 202602 记账凭证 李明/// 复    核(&C) 出纳签字(&T) 记    账(&J) 零元整");
  EXPECT_TRUE(S().lines.empty());
  EXPECT_FALSE(S().must_save);
  EXPECT_EQ(t_.MainWindow().child_active_calls, 1);
  ASSERT_EQ(t_.MainWindow().children.size(), 1u);
  EXPECT_EQ(t_.MainWindow().children[0]->WindowName(), "frmVoucher");
}

TEST_F(NewBill, WithoutAnActiveTypeTheHostsTypeCardIsOpened) {
  t_.Data().Execute("Update VoucherType Set blnIsInActive = 1");
  t_.Host().Account().SetVoucherTypeCardHandler([this] {
    t_.Data().Execute("Update VoucherType Set blnIsInActive = 0 Where lngVoucherTypeID = 1");
  });
  ASSERT_TRUE(w_.ShowANewBill(0));
  EXPECT_EQ(t_.Host().Account().VoucherTypeCardCalls(), 1);
  EXPECT_EQ(S().header.type_code, "记");
}

TEST(NewBillRights, AnOperatorWhoMakesNoTypeStillOpensTheWindowOnStoredVouchers) {
  TestHost reviewer(DemoLogin::Reviewer());
  TestableVoucher window;
  ASSERT_TRUE(window.ShowANewBill(0));  // the type query runs with IN (-100) alone
  EXPECT_EQ(window.State().header.type_id, 0);
  EXPECT_EQ(reviewer.Host().Account().VoucherTypeCardCalls(), 0);
}

// Answers the demo's rights with changes a test chooses.
class RightsOverride : public embedded::EmbeddedBusinessPub {
 public:
  RightsOverride(host::LoginContext& login, std::function<void(host::ReceiptTypeRights&)> change)
      : EmbeddedBusinessPub(login), change_(std::move(change)) {}
  host::ReceiptTypeRights Rights(int kind) override {
    host::ReceiptTypeRights r = EmbeddedBusinessPub::Rights(kind);
    change_(r);
    return r;
  }

 private:
  std::function<void(host::ReceiptTypeRights&)> change_;
};

TEST(NewBillRights, WithNothingToDoEachSituationHasItsMessage) {
  using host::QueryScope;
  const struct {
    bool may_make, has_types;
    QueryScope scope;
    bool in_account_set;
    const char* message;
  } cases[] = {
      {false, false, QueryScope::kSystem, true, texts::kNoAddNoneInSystem},
      {true, false, QueryScope::kSystem, true, texts::kNoTypeNoneInSystem},
      {false, false, QueryScope::kGroup, true, texts::kNoAddNoneInGroup},
      {true, false, QueryScope::kGroup, true, texts::kNoTypeNoneInGroup},
      {false, true, QueryScope::kNone, true, texts::kNoAddNoQuery},
      {true, false, QueryScope::kNone, true, texts::kNoTypeNoQuery},
      {true, true, QueryScope::kSystem, false, texts::kNotAccountSetOrganization},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    TestHost t;
    t.Data().Execute("Delete From VoucherDetail");
    t.Data().Execute("Delete From Voucher");
    RightsOverride rights(t.Host().Login(), [&](host::ReceiptTypeRights& r) {
      r.may_make = c.may_make;
      if (!c.has_types) r.make_type_ids.clear();
      r.query_scope = c.scope;
      r.organization_in_account_set = c.in_account_set;
    });
    frame::Login().business_pub = &rights;
    t.Messages().Expect(c.message, host::mb::kOk, "新增单据");
    TestableVoucher window;
    EXPECT_FALSE(window.ShowANewBill(0));
    EXPECT_FALSE(window.State().open);
    EXPECT_EQ(t.MainWindow().child_active_calls, 0);
  }
}

using OldBill = VoucherWindowTest;

TEST_F(OldBill, ShowsAStoredVoucherWithItsNamesCaptionsAndForeignCurrency) {
  ASSERT_TRUE(w_.ShowAOldBill(5));
  EXPECT_EQ(DumpLines(S()), "D 1002-02 71000.00|C 1122 71000.00");
  const auto& usd = S().lines[0];
  EXPECT_EQ(usd.currency_name + " " + FormatFixed(usd.rate, 4) + " " +
                FormatFixed(usd.currency_amount, 2) + " " + std::to_string(usd.rate_decimals) +
                "|" + S().lines[1].unit_text + "|" + S().lines[1].department_text,
            "美元 7.1000 10000.00 4|002 美康国际贸易公司|");
  EXPECT_EQ(Header(S()),
            "收-000002 2026-02-15 202602 收款凭证 李明/// 复    核(&C) "
            "出纳签字(&T) 记    账(&J) 柒万壹仟元整");
  EXPECT_FALSE(S().must_save || S().reversed);
  ASSERT_TRUE(w_.ShowAOldBill(1));
  EXPECT_EQ(Header(S()),
            "收-000001 2026-02-03 202602 收款凭证 李明/王芳/赵敏/刘强 "
            "取消复核(&C) 取消签字(&T) 取消记账(&J) 伍万元整");
  EXPECT_EQ(S().lines[0].payment_method_text, "03 电汇");
}

TEST_F(OldBill, AMissingVoucherIsReportedAndThePreviousOneStays) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("凭证不存在！", host::mb::kOk, "查询凭证");
  EXPECT_FALSE(w_.ShowAOldBill(777));
  EXPECT_EQ(S().header.voucher_id, 3);
  EXPECT_EQ(DumpLines(S()), "D 6602-02 3200.00|C 1221 3200.00");
}

TEST_F(OldBill, LinesFollowTheRowOrderMissingReferencesShowBlankAndALineWithoutCurrencyIsHidden) {
  StoreVoucher(100, 1, 9);
  StoreLine(1001, 100, 3, 6, -1, 100, ", lngCustomerID, strBusinessDate", ", 55, '2026-02-01'");
  StoreLine(1002, 100, 1, 31, 1, 60, ", lngDepartmentID", ", 66");
  StoreLine(1003, 100, 2, 34, 1, 40, ", lngClassID1, lngClassID2", ", 3, 77");
  StoreLine(1004, 100, 4, 1, 1, 5, ", lngCurrencyID", ", 9");
  ASSERT_TRUE(w_.ShowAOldBill(100));
  EXPECT_EQ(DumpLines(S()), "D 6602-01 60.00|D 6602-04 40.00|C 1122 100.00");
  EXPECT_EQ(S().lines[0].department_text, "");
  EXPECT_EQ(S().lines[1].class1_text, "03 办公用品");
  EXPECT_EQ(S().lines[1].class2_text, "");
  EXPECT_EQ(S().lines[2].unit_text, "");
  EXPECT_EQ(S().lines[2].business_date, "2026-02-01");
}

TEST_F(OldBill, PositionsOnTheGivenLineEvenTheLastAndOtherwiseOnTheFirst) {
  ASSERT_TRUE(w_.ShowAOldBill(8, 18));
  EXPECT_EQ(S().current_row, 3);
  EXPECT_EQ(S().top_row, 3);
  ASSERT_TRUE(w_.ShowAOldBill(8, 5));
  EXPECT_EQ(S().current_row, 1);
}

TEST_F(OldBill, UnsavedChangesAskFirstNoGoesOnCancelStays) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, "改过的摘要"));
  ASSERT_TRUE(S().must_save);
  const std::string question = "“记-000001”的数据已经发生改变，是否需要保存?";
  t_.Messages().Expect(question, host::mb::kCancel, "警告提示");
  EXPECT_FALSE(w_.ShowAOldBill(4));
  EXPECT_EQ(S().lines[0].remark, "改过的摘要");
  t_.Messages().Expect(question, host::mb::kNo, "警告提示");
  EXPECT_TRUE(w_.ShowAOldBill(4));
  EXPECT_EQ(S().header.voucher_id, 4);
  EXPECT_FALSE(S().must_save);
}

TEST_F(OldBill, UnsavedChangesYesGoesOnOnlyWhenTheSaveSucceeds) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  ASSERT_TRUE(w_.SetCell(1, LineField::kDebit, "3300"));
  const std::string question = "“记-000001”的数据已经发生改变，是否需要保存?";
  t_.Messages().Expect(question, host::mb::kYes, "警告提示");
  t_.Messages().Expect("凭证借贷方不平（差额100.00），不能存盘！", host::mb::kOk, "保存凭证");
  EXPECT_FALSE(w_.ShowAOldBill(4));  // the unbalanced voucher is not saved and stays
  EXPECT_EQ(S().header.voucher_id, 3);
  ASSERT_TRUE(w_.SetCell(2, LineField::kCredit, "3300"));
  t_.Messages().Expect(question, host::mb::kYes, "警告提示");
  EXPECT_TRUE(w_.ShowAOldBill(4));
  EXPECT_EQ(S().header.voucher_id, 4);
  EXPECT_EQ(t_.Scalar("Select Sum(dblAmount) From VoucherDetail Where lngVoucherID = 3"), "6600");
}

TEST_F(OldBill, PreviewSkipsTheExistenceCheckAndRefusesEdits) {
  EXPECT_FALSE(w_.ShowAOldBill(777, 0, true));  // nothing to show, and no message
  ASSERT_TRUE(w_.ShowAOldBill(3, 0, true));
  EXPECT_TRUE(w_.blnPreViewVoucher());
  EXPECT_FALSE(w_.SetCell(1, LineField::kRemark, "x"));
  EXPECT_FALSE(w_.SetHeaderField(HeaderField::kManager, "x"));
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_FALSE(w_.blnPreViewVoucher());
}

TEST_F(OldBill, TheInformationPanelShowsTheLinesItemsAndTheAccountBalance) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_EQ(S().info_text,
            "  部门：01 综合办公室  职员：0001 张伟 01 综合办公室  当前本币借方余额：3,200.00");
  w_.SetCurrentRow(2);
  EXPECT_EQ(S().info_text, "  职员：0001 张伟 01 综合办公室  当前本币贷方余额：3,200.00");
  SetSetting("帐套属性", "凭证是否显示科目余额", "False");
  TestableVoucher fresh;
  ASSERT_TRUE(fresh.ShowAOldBill(3));
  EXPECT_EQ(fresh.State().info_text, "  部门：01 综合办公室  职员：0001 张伟 01 综合办公室");
}

class InterFaceVoucher : public VoucherWindowTest {
 protected:
  void SetUp() override { frame::WindowRegistry::ReleaseAll(); }
  void TearDown() override { frame::WindowRegistry::ReleaseAll(); }
};

// Voucher 3 has no pair row: the paired window refuses it and the single-basis window stays shut.
TEST_F(InterFaceVoucher, TheDualBasisRegimeOpensThePairedWindowInstead) {
  SetSetting("帐套属性", "会计制度", "16");
  t_.Component().ShowANewBill(0);
  EXPECT_TRUE(frame::WindowRegistry::Exists<dualbasis::FrmVoucherNew>());
  t_.Messages().Expect("传入的财记凭证ID[3]在关联表中未找到!", host::mb::kOk, "凭证编辑");
  t_.Component().ShowAOldBill(3, false);
  EXPECT_FALSE(frame::WindowRegistry::Exists<voucher::frmVoucher>());
}

}  // namespace
}  // namespace lumvoucher::testing
