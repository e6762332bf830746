#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

#include "frame/window_registry.h"
#include "support/test_host.h"
#include "ui/desktop.h"
#include "ui/modal_probe.h"
#include "ui/qt_text.h"
#include "ui/voucher_grid_model.h"
#include "ui/voucher_view.h"
#include "voucher/status_texts.h"

namespace lumvoucher::ui {
namespace {

// Answers every message box that opens while it lives with `button` (the first button when the
// box has none such) and records title and text.
class AnswerBoxes {
 public:
  explicit AnswerBoxes(QMessageBox::StandardButton button) {
    QObject::connect(&timer_, &QTimer::timeout, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      titles_ << box->windowTitle();
      texts_ << box->text();
      QAbstractButton* chosen = box->button(button);
      if (chosen == nullptr) chosen = box->buttons().first();
      chosen->click();
    });
    timer_.start(5);
  }
  QString Title() const { return titles_.join("\n"); }
  QString Text() const { return texts_.join("\n"); }

 private:
  QTimer timer_;
  QStringList titles_;
  QStringList texts_;
};

// The voucher window on the demo account set, logged in as the operator a test names:
// 2 maker 李明, 3 reviewer 王芳, 5 poster 刘强. Voucher 3 (记-000001) is 李明's, not reviewed,
// without cash or bank lines; voucher 1 is reviewed, signed and posted.
class VoucherViewStatusTest : public ::testing::Test {
 protected:
  void TearDown() override {
    desktop_.reset();
    frame::WindowRegistry::ReleaseAll();
  }

  void LogIn(long operator_id) {
    frame::WindowRegistry::ReleaseAll();
    desktop_ = std::make_unique<Desktop>(lumvoucher::testing::NewDemoDatabase(),
                                         embedded::LoginRequest{1, operator_id, "2026-02-15"});
    desktop_->Main().show();
    desktop_->Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desktop_->Main()));
  }

  VoucherView& Open(long voucher_id) {
    desktop_->Component().ShowAOldBill(voucher_id, false);
    QApplication::processEvents();
    auto* view = dynamic_cast<VoucherView*>(desktop_->Main().ActiveTarget());
    EXPECT_NE(view, nullptr);
    view->Render();
    return *view;
  }

  std::string Scalar(const std::string& sql) {
    host::Recordset rs = desktop_->Host().Database().OpenRecordset(sql);
    return rs.Empty() ? std::string() : rs[std::size_t{0}].AsText();
  }

  std::unique_ptr<Desktop> desktop_;
};

TEST_F(VoucherViewStatusTest, TheReviewerReviewsWithTheButtonAndTheCaptionsFollow) {
  LogIn(3);
  VoucherView& view = Open(3);
  EXPECT_EQ(view.ReviewButton()->text(), QStringLiteral("复    核(&C)"));
  EXPECT_TRUE(view.ReviewButton()->isEnabled());
  EXPECT_FALSE(view.PostButton()->isEnabled());
  EXPECT_FALSE(view.SignButton()->isEnabled());
  EXPECT_TRUE(desktop_->Main().Action(Command::kReview)->isEnabled());

  QTest::mouseClick(view.ReviewButton(), Qt::LeftButton);
  EXPECT_EQ(Scalar("Select lngCheckerID From Voucher Where lngVoucherID = 3"), "3");
  EXPECT_EQ(view.ReviewButton()->text(), QStringLiteral("取消复核(&C)"));
  EXPECT_EQ(view.FooterText(), QStringLiteral("制单：李明 复核：王芳 记账： 出纳："));
  EXPECT_EQ(desktop_->Main().Action(Command::kReview)->text(), QStringLiteral("取消复核(&C)"));

  // The menu's command undoes it.
  desktop_->Main().Raise(Command::kReview);
  EXPECT_EQ(Scalar("Select lngCheckerID From Voucher Where lngVoucherID = 3"), "0");
  EXPECT_EQ(view.ReviewButton()->text(), QStringLiteral("复    核(&C)"));
}

TEST_F(VoucherViewStatusTest, TheMakerCannotReviewHisOwnVoucher) {
  LogIn(2);
  VoucherView& view = Open(3);
  EXPECT_FALSE(view.ReviewButton()->isEnabled());
  EXPECT_FALSE(desktop_->Main().Action(Command::kReview)->isEnabled());
  EXPECT_EQ(view.EditRefusal(), "");
  EXPECT_TRUE(desktop_->Main().Action(Command::kEditDel)->isEnabled());
  EXPECT_TRUE(desktop_->Main().Action(Command::kEditInActive)->isEnabled());
  EXPECT_FALSE(desktop_->Main().Action(Command::kReverse)->isEnabled());
}

TEST_F(VoucherViewStatusTest, AnotherOperatorsVoucherRefusesEditsWithTheReason) {
  LogIn(3);
  VoucherView& view = Open(3);
  const std::string reason =
      std::string(voucher::texts::kEditVoucherOpen) + "记-000001" + voucher::texts::kEditOthers;
  EXPECT_EQ(view.EditRefusal(), reason);
  AnswerBoxes answered(QMessageBox::Ok);
  view.Grid()->setFocus();
  view.Grid()->setCurrentIndex(view.Model()->index(0, 0));
  QTest::keyClicks(view.Grid(), QStringLiteral("x"));
  EXPECT_EQ(answered.Title(), QStringLiteral("警告信息"));
  EXPECT_EQ(answered.Text(), ToQt(reason));
  EXPECT_EQ(view.CurrentEditor(), nullptr);
  EXPECT_EQ(view.Presenter().State().lines[0].remark, "张伟报销北京差旅费");
  EXPECT_FALSE(view.Presenter().State().must_save);
}

TEST_F(VoucherViewStatusTest, VoidingAsksAndTheSaveStoresTheMark) {
  LogIn(2);
  VoucherView& view = Open(3);
  AnswerBoxes answered(QMessageBox::Yes);
  ASSERT_TRUE(desktop_->Main().Raise(Command::kEditInActive));
  EXPECT_EQ(answered.Text(), ToQt(voucher::texts::kVoidAsk));
  EXPECT_EQ(answered.Title(), QStringLiteral("凭证作废"));
  EXPECT_TRUE(view.MarksText().contains(QStringLiteral("作废")));
  {
    AnswerBoxes saved(QMessageBox::Yes);
    desktop_->Main().Raise(Command::kFileSave);
  }
  EXPECT_EQ(Scalar("Select blnIsVoid From Voucher Where lngVoucherID = 3"), "1");
}

TEST_F(VoucherViewStatusTest, DeletingTheVoucherAsksThenOpensANewOne) {
  LogIn(2);
  VoucherView& view = Open(3);
  AnswerBoxes answered(QMessageBox::Yes);
  ASSERT_TRUE(desktop_->Main().Raise(Command::kEditDel));
  EXPECT_EQ(answered.Text(), ToQt(voucher::texts::kAskDeleteLines));
  EXPECT_EQ(Scalar("Select Count(*) From Voucher Where lngVoucherID = 3"), "0");
  EXPECT_EQ(view.Presenter().State().header.voucher_id, 0);
}

TEST_F(VoucherViewStatusTest, APostedVoucherIsReversedIntoANewVoucher) {
  LogIn(2);
  VoucherView& view = Open(1);
  ASSERT_TRUE(desktop_->Main().Action(Command::kReverse)->isEnabled());
  ASSERT_TRUE(desktop_->Main().Raise(Command::kReverse));
  const voucher::VoucherState& s = view.Presenter().State();
  EXPECT_EQ(s.header.voucher_id, 0);
  EXPECT_EQ(s.header.source_voucher_id, 1);
  EXPECT_TRUE(s.must_save);
  EXPECT_EQ(view.EditRefusal(), "");
  EXPECT_EQ(view.FooterText(), QStringLiteral("制单：李明 复核： 记账： 出纳："));
}

TEST_F(VoucherViewStatusTest, CtrlDOnAReviewedVoucherStatesTheRefusal) {
  LogIn(2);
  VoucherView& view = Open(2);
  AnswerBoxes answered(QMessageBox::Ok);
  view.Grid()->setFocus();
  QTest::keyClick(view.Grid(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(answered.Text(), ToQt(voucher::texts::kDeleteReviewed));
  EXPECT_EQ(view.Presenter().State().lines.size(), 2u);
}

}  // namespace
}  // namespace lumvoucher::ui
