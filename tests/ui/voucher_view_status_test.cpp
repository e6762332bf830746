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

}  // namespace
}  // namespace lumvoucher::ui
