#include "lists/list_commands.h"

#include <string>
#include <vector>

#include "frame/voucher_conflict.h"
#include "frame/window_registry.h"
#include "host/message_box.h"
#include "list_fixture.h"
#include "lists/frm_batch_voucher.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::testing {

namespace {

using lists::ListAction;
namespace mb = host::mb;

std::string Status(TestHost& t, long id) {
  return t.Scalar(
      "Select lngCheckerID || '/' || lngTellerID || '/' || lngPostID || '/' || "
      "blnIsVoid From Voucher Where lngVoucherID = " +
      std::to_string(id));
}

template <embedded::LoginRequest (*Login)()>
class As : public VoucherListTest {
 protected:
  As() : VoucherListTest(Login()) {}
  void Select(long voucher_id) {
    const int row = RowOf(list_, voucher_id);
    ASSERT_GE(row, 0) << voucher_id;
    list_.SelectRow(row);
  }
};

using MakerCommands = As<DemoLogin::Maker>;
using CashierCommands = As<DemoLogin::Cashier>;
using PosterCommands = As<DemoLogin::Poster>;

// ---- The batch modes from the menu ------------------------------------------------------------

TEST_F(CashierCommands, TheBatchMenuEntriesRunTheDialogModallyAndTheListReloads) {
  std::string seen;
  t_.Modal().Expect("frmBatchVoucher", [&](host::ModalWindow& window) {
    auto& dialog = dynamic_cast<lists::frmBatchVoucher&>(window);
    seen = dialog.State().title + " " + std::to_string(dialog.State().rows.size());
    dialog.SelectAll();
    dialog.Run();
    return dialog.State().result;
  });
  t_.Messages().Expect("您确实要对所选的凭证进行出纳签字吗？", mb::kYes, "多张出纳签字");
  t_.Messages().Expect("凭证多张出纳签字成功，本次共出纳签字3张凭证！", mb::kOk, "多张出纳签字");
  EXPECT_TRUE(list_.ListEditMenu(7));
  EXPECT_EQ(seen, "多张出纳签字 3");
  EXPECT_EQ(Status(t_, 5), "0/4/0/0");

  // Cancelled: nothing changed, no reload asked.
  t_.Modal().Expect("frmBatchVoucher", [&](host::ModalWindow& window) {
    auto& dialog = dynamic_cast<lists::frmBatchVoucher&>(window);
    seen = dialog.State().title + " " + std::to_string(dialog.State().rows.size());
    dialog.Cancel();
    return 0;
  });
  EXPECT_FALSE(list_.ListEditMenu(8));
  EXPECT_EQ(seen, "多张取消签字 3");
}

// ---- Status commands on the selected voucher ----------------------------------------------------

// The list's signature (6), posting (17), void (13) and reversal (10) entries turn round on the
// selected voucher, or show the refusal under the command's title and change nothing.
TEST_F(ListTest, TheSelectedVouchersStatusCommandsChangeItOrShowTheRefusal) {
  const std::string reversal_of_1 =
      "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngSourceOrganizationID, lngOperatorID, lngVoucherSourceID, lngSourceVoucherID) "
      "Values (40, 1, 9, '2026-02-25', 2026, 2, 1, 2, 2, 1)";
  const auto maker = DemoLogin::Maker(), cashier = DemoLogin::Cashier(),
             poster = DemoLogin::Poster(), admin = DemoLogin::Administrator();
  const struct {
    embedded::LoginRequest login;
    std::vector<std::string> setup;
    long voucher;
    int entry;
    const char* refusal;  // "" when the command goes through
    const char* title;
    const char* status;  // checker/teller/poster/void afterwards
  } cases[] = {
      // clang-format off
      {cashier, {}, 3, 6, "记000001号凭证没有现金银行科目分录，不能进行出纳签字！", "凭证出纳签字", "0/0/0/0"},
      {cashier, {}, 2, 6, "", "", "3/4/0/0"},
      // Reviewed already: with the signature due before posting it may still be cancelled.
      {cashier, {"Update Voucher Set lngTellerID = 4 Where lngVoucherID = 2"}, 2, 6, "", "", "3/0/0/0"},
      {cashier, {}, 1, 6, "凭证已记账，不能取消签字！", "取消签字", "3/4/5/0"},
      {poster, {"Update Voucher Set lngCheckerID = 3 Where lngVoucherID = 3"}, 3, 17, "", "", "3/0/5/0"},
      {poster, {"Update Voucher Set lngCheckerID = 3, lngPostID = 5 Where lngVoucherID = 3"}, 3, 17, "", "",
       "3/0/0/0"},
      {poster, {}, 4, 17, "凭证尚未复核，不能记账！", "凭证记账", "0/0/0/0"},
      {admin, {}, 1, 17, "只有记账操作员才能取消记账！", "取消记账", "3/4/5/0"},
      {poster, {reversal_of_1}, 1, 17, "凭证已被冲销，不能取消记账！", "取消记账", "3/4/5/0"},
      {maker, {}, 4, 13, "不能作废由他人制作的凭证！", "凭证作废", "0/0/0/0"},
      {maker, {}, 3, 13, "", "", "0/0/0/1"},
      {maker, {"Update AccountPeriod Set blnIsClosed = 1 Where lngOrganizationID = 1 And bytPeriod = 2"}, 5,
       13, "当前会计期间已经结账，不能再作废凭证！", "凭证作废", "0/0/0/0"},
      {admin, {}, 4, 13, "", "", "0/0/0/1"},
      {admin, {}, 2, 13, "凭证已复核，不能作废！", "凭证作废", "3/0/0/0"},
      {maker, {}, 3, 10, "未记账凭证不能冲销！", "凭证冲销", "0/0/0/0"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.entry) + " on " + std::to_string(c.voucher) + " " + c.refusal);
    TestHost t(c.login);
    for (const std::string& sql : c.setup) t.Exec(sql);
    lists::frmListVoucher list;
    ASSERT_TRUE(list.ShowMe());
    const int row = RowOf(list, c.voucher);
    ASSERT_GE(row, 0);
    list.SelectRow(row);
    if (*c.refusal != '\0') t.Messages().Expect(c.refusal, mb::kOk, c.title);
    EXPECT_EQ(list.ListEditMenu(c.entry), *c.refusal == '\0');
    EXPECT_EQ(Status(t, c.voucher), c.status);
    lists::frmListVoucher fresh;  // a change reloads the list: a void voucher leaves it
    ASSERT_TRUE(fresh.ShowMe());
    EXPECT_EQ(Vouchers(list), Vouchers(fresh));
  }
}

TEST_F(MakerCommands, ReversalOpensTheReversingVoucherOfAPostedOne) {
  Select(1);
  EXPECT_TRUE(list_.ListEditMenu(10));
  const voucher::VoucherState& shown = frame::WindowRegistry::Get<voucher::frmVoucher>().State();
  EXPECT_EQ(shown.header.voucher_id, 0);
  EXPECT_EQ(shown.header.source_voucher_id, 1);
  EXPECT_TRUE(shown.must_save);
}

// A reversal voucher holds the posting of the voucher it reverses only while it is live: the
// window's mark, the service, the batch candidates and the list's linked-voucher column agree.
TEST_F(PosterCommands, EveryReaderCountsOnlyALiveReversal) {
  StoreVoucher(40, 1, 1, 9, "2026-02-25", 5, ", lngVoucherSourceID, lngSourceVoucherID", ", 2, 1");
  struct Case {
    const char* reversal;  // the columns of voucher 40
    bool reversed;
  };
  for (const Case& c : {Case{"lngVoucherSourceID = 2, blnIsVoid = 0", true},
                        Case{"lngVoucherSourceID = 2, blnIsVoid = 1", false},
                        Case{"lngVoucherSourceID = 16, blnIsVoid = 0", false}}) {
    SCOPED_TRACE(c.reversal);
    Exec(std::string("Update Voucher Set ") + c.reversal + " Where lngVoucherID = 40");
    voucher::frmVoucher window;
    ASSERT_TRUE(window.ShowAOldBill(1));
    EXPECT_EQ(window.State().reversed, c.reversed);
    lists::frmBatchVoucher dialog(lists::BatchOperation::kCancelPost,
                                  lists::frmBatchVoucher::SourceOf(list_));
    ASSERT_TRUE(dialog.Load());
    bool offered = false;
    for (int row = 0; row < static_cast<int>(dialog.State().rows.size()); ++row) {
      offered = offered || dialog.VoucherID(row) == 1;
    }
    EXPECT_EQ(offered, !c.reversed);
    ASSERT_TRUE(list_.ToolRefresh());
    EXPECT_EQ(list_.CellText(RowOf(list_, 1), list_.ColumnIndex("冲销关联凭证")),
              c.reversed ? "2026年度02期间 记字 000009号凭证" : "");
    {
      host::TransactionGuard undone(t_.Data());
      EXPECT_EQ(t_.Host().BusinessPub().VoucherBusiness().CancelPost(1).ok, !c.reversed);
    }
  }
}

// The list shows a voucher another desktop has deleted since: its commands say so and change
// nothing.
TEST_F(MakerCommands, CommandsOnAVoucherDeletedElsewhereSaySo) {
  Select(3);
  lists::frmBatchVoucher batch(lists::BatchOperation::kDelete,
                               lists::frmBatchVoucher::SourceOf(list_));
  ASSERT_TRUE(batch.Load());
  for (int row = 0; row < static_cast<int>(batch.State().rows.size()); ++row) {
    batch.SetTicked(row, batch.VoucherID(row) == 3);
  }
  ASSERT_EQ(batch.TickedCount(), 1);
  Exec("Delete From VoucherDetail Where lngVoucherID = 3");
  Exec("Delete From Voucher Where lngVoucherID = 3");
  const std::string before = t_.Scalar("Select Count(*) || '/' || Sum(blnIsVoid) From Voucher");
  t_.Messages().Expect(frame::kVoucherGone, mb::kOk, "凭证作废");
  EXPECT_FALSE(list_.ListEditMenu(13));
  t_.Messages().Expect(frame::kVoucherGone, mb::kOk, "凭证记账");
  EXPECT_FALSE(list_.ListEditMenu(17));
  t_.Messages().Expect("您确实要删除所选的凭证吗？", mb::kYes, "多张凭证删除");
  t_.Messages().Expect("凭证不存在！", mb::kOk, "多张凭证删除");
  EXPECT_FALSE(batch.Run());
  EXPECT_EQ(t_.Scalar("Select Count(*) || '/' || Sum(blnIsVoid) From Voucher"), before);
}

// ---- Reversal and memo registration ---------------------------------------------------------

TEST_F(MakerCommands, MemoRegistrationOfAReviewedVoucherFollowsTheSettingThenOpensTheMemoBook) {
  std::vector<ListAction> passed;
  list_.SetCommandHook([&](lists::VoucherList&, ListAction action) {
    passed.push_back(action);
    return false;
  });
  lists::InstallListCommands(list_);
  Select(2);
  t_.Messages().Expect("本凭证没有备查科目的分录，不能进行备查薄登记！", mb::kOk, "提示信息");
  EXPECT_FALSE(list_.ListEditMenu(37));
  Set("帐套属性", "已复核凭证不能备查登记", "TRUE");
  t_.Messages().Expect("已复核凭证不能备查登记", mb::kOk, "备查登记");
  EXPECT_FALSE(list_.ListEditMenu(37));
  Select(3);
  t_.Modal().Expect("frmReference", [](host::ModalWindow& window) {
    return window.WindowName() == "frmReference" ? 1 : 0;
  });
  EXPECT_FALSE(list_.ListEditMenu(37));  // closed without saving
  EXPECT_EQ(t_.Modal().Pending(), 0u);
  // What the list commands do not carry out goes on to the hook before them.
  EXPECT_FALSE(list_.mclsMainControl_FilePrint());
  EXPECT_EQ(passed, (std::vector<ListAction>{ListAction::kPrint}));
}

}  // namespace

}  // namespace lumvoucher::testing
