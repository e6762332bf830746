// The status commands of the voucher window, logged in as the operator a test names: 2 maker
// 李明, 3 reviewer 王芳. Voucher 3 (记-000001) is 李明's, not reviewed, without cash or bank
// lines; voucher 2 is reviewed; voucher 1 is reviewed, signed and posted.
#include <QPushButton>

#include "ui/desktop_fixture.h"
#include "voucher/status_texts.h"

namespace lumvoucher::ui {
namespace {

using testing::BoxAnswerer;

class VoucherViewStatusTest : public DesktopFixture {
 public:
  bool Enabled(Command command) { return Main().Action(command)->isEnabled(); }
};

TEST_F(VoucherViewStatusTest, TheReviewerReviewsWithTheButtonAndTheMenuUndoesIt) {
  LogIn(3);
  VoucherView& view = Open(3);
  EXPECT_EQ(view.ReviewButton()->text(), QStringLiteral("复    核(&C)"));
  EXPECT_TRUE(view.ReviewButton()->isEnabled() && Enabled(Command::kReview));
  EXPECT_FALSE(view.PostButton()->isEnabled() || view.SignButton()->isEnabled());
  QTest::mouseClick(view.ReviewButton(), Qt::LeftButton);
  EXPECT_EQ(Scalar("Select lngCheckerID From Voucher Where lngVoucherID = 3"), "3");
  EXPECT_EQ(view.ReviewButton()->text(), QStringLiteral("取消复核(&C)"));
  EXPECT_EQ(view.FooterText(), QStringLiteral("制单：李明 复核：王芳 记账： 出纳："));
  EXPECT_EQ(Main().Action(Command::kReview)->text(), QStringLiteral("取消复核(&C)"));
  Main().Raise(Command::kReview);
  EXPECT_EQ(Scalar("Select lngCheckerID From Voucher Where lngVoucherID = 3"), "0");
  EXPECT_EQ(view.ReviewButton()->text(), QStringLiteral("复    核(&C)"));

  // Another operator's voucher refuses edits with the reason, and the cell stays closed.
  const std::string reason =
      std::string(voucher::texts::kEditVoucherOpen) + "记-000001" + voucher::texts::kEditOthers;
  EXPECT_EQ(view.EditRefusal(), reason);
  BoxAnswerer answered(QMessageBox::Ok);
  view.Grid()->setFocus();
  view.Grid()->setCurrentIndex(view.Model()->index(0, 0));
  QTest::keyClicks(view.Grid(), QStringLiteral("x"));
  EXPECT_EQ(answered.Title(), QStringLiteral("警告信息"));
  EXPECT_EQ(answered.Text(), ToQt(reason));
  EXPECT_EQ(view.CurrentEditor(), nullptr);
  EXPECT_FALSE(S().must_save);
}

TEST_F(VoucherViewStatusTest, TheMakerVoidsAndDeletesHisVoucherButCannotReviewIt) {
  LogIn(2);
  VoucherView& view = Open(3);
  EXPECT_FALSE(view.ReviewButton()->isEnabled() || Enabled(Command::kReview));
  EXPECT_EQ(view.EditRefusal(), "");
  EXPECT_TRUE(Enabled(Command::kEditDel) && Enabled(Command::kEditInActive));
  EXPECT_FALSE(Enabled(Command::kReverse));
  {
    BoxAnswerer answered(QMessageBox::Yes);
    ASSERT_TRUE(Main().Raise(Command::kEditInActive));
    EXPECT_EQ(answered.Title(), QStringLiteral("凭证作废"));
    EXPECT_EQ(answered.Text(), ToQt(voucher::texts::kVoidAsk));
    EXPECT_TRUE(view.MarksText().contains(QStringLiteral("作废")));
    Main().Raise(Command::kFileSave);
  }
  EXPECT_EQ(Scalar("Select blnIsVoid From Voucher Where lngVoucherID = 3"), "1");
  BoxAnswerer answered(QMessageBox::Yes);
  ASSERT_TRUE(Main().Raise(Command::kEditDel));
  EXPECT_EQ(answered.Text(), QStringLiteral("该张凭证已作废,是否删除其全部分录？"));
  EXPECT_EQ(Scalar("Select Count(*) From Voucher Where lngVoucherID = 3"), "0");
  EXPECT_EQ(S().header.voucher_id, 0);
}

TEST_F(VoucherViewStatusTest, APostedVoucherIsReversedIntoANewVoucher) {
  LogIn(2);
  Open(1);
  ASSERT_TRUE(Enabled(Command::kReverse));
  ASSERT_TRUE(Main().Raise(Command::kReverse));
  EXPECT_EQ(S().header.voucher_id, 0);
  EXPECT_EQ(S().header.source_voucher_id, 1);
  EXPECT_TRUE(S().must_save);
  EXPECT_EQ(Voucher()->EditRefusal(), "");
  EXPECT_EQ(Voucher()->FooterText(), QStringLiteral("制单：李明 复核： 记账： 出纳："));
}

}  // namespace
}  // namespace lumvoucher::ui
