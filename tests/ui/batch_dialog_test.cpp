#include "ui/batch_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <string>

#include "frame/window_registry.h"
#include "support/test_host.h"
#include "ui/desktop.h"
#include "ui/modal_probe.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {
namespace {

// Answers every message box with Yes (or its first button) and records the texts.
class AnswerBoxes {
 public:
  AnswerBoxes() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      texts_ << box->text();
      QAbstractButton* yes = box->button(QMessageBox::Yes);
      (yes != nullptr ? yes : box->buttons().first())->click();
    });
    timer_.start(5);
  }
  QStringList Texts() const { return texts_; }

 private:
  QTimer timer_;
  QStringList texts_;
};

// The reviewer 王芳 reviews from the voucher list through the batch dialog.
class BatchDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame::WindowRegistry::ReleaseAll();
    desktop_ = std::make_unique<Desktop>(lumvoucher::testing::NewDemoDatabase(),
                                         embedded::LoginRequest{1, 3, "2026-02-15"});
    desktop_->Main().show();
    desktop_->Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desktop_->Main()));
    for (QAction* action : desktop_->Main().findChildren<QAction*>()) {
      if (action->text() == QStringLiteral("凭证列表")) action->trigger();
    }
  }
  void TearDown() override {
    desktop_.reset();
    frame::WindowRegistry::ReleaseAll();
  }

  QAction* OperationEntry(const QString& caption) {
    for (QAction* action : desktop_->Main().OperationMenu()->actions()) {
      if (action->text() == caption) return action;
    }
    return nullptr;
  }

  std::string Scalar(const std::string& sql) {
    host::Recordset rs = desktop_->Host().Database().OpenRecordset(sql);
    return rs.Empty() ? std::string() : rs[std::size_t{0}].AsText();
  }

  std::unique_ptr<Desktop> desktop_;
};

TEST_F(BatchDialogTest, TickedVouchersAreReviewedWithTheProgressShown) {
  QAction* batch = OperationEntry(QStringLiteral("多张复核(&I)"));
  ASSERT_NE(batch, nullptr);
  const std::string unreviewed =
      "Select Count(*) From Voucher Where lngCheckerID = 0 And blnIsVoid = 0 And blnIsError = 0";
  ASSERT_NE(Scalar(unreviewed), "0");

  QString title, none_ticked, all_ticked;
  int rows = 0, progress_max = 0, progress_value = 0;
  AnswerBoxes boxes;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<BatchDialog*>(&widget);
    if (dialog == nullptr) return;
    title = dialog->windowTitle();
    rows = dialog->Model()->rowCount();
    none_ticked = dialog->CountText();
    QTest::mouseClick(dialog->SelectAllButton(), Qt::LeftButton);
    all_ticked = dialog->CountText();
    EXPECT_EQ(dialog->Model()->index(0, 0).data().toString(), QStringLiteral("√"));
    QTest::mouseClick(dialog->RunButton(), Qt::LeftButton);
    progress_max = dialog->Progress()->maximum();
    progress_value = dialog->Progress()->value();
  });
  batch->trigger();
  EXPECT_EQ(title, QStringLiteral("多张复核"));
  ASSERT_GT(rows, 0);
  EXPECT_EQ(none_ticked, QStringLiteral("共 %1 张，选定 0 张").arg(rows));
  EXPECT_EQ(all_ticked, QStringLiteral("共 %1 张，选定 %1 张").arg(rows));
  EXPECT_EQ(progress_max, rows);
  EXPECT_EQ(progress_value, rows);
  ASSERT_EQ(boxes.Texts().size(), 2) << ToUtf8(boxes.Texts().join("\n"));
  EXPECT_EQ(boxes.Texts()[0], QStringLiteral("您确实要复核所选的凭证吗？"));
  EXPECT_EQ(boxes.Texts()[1], QStringLiteral("多张凭证复核成功，本次共复核%1张凭证！").arg(rows));
  EXPECT_EQ(Scalar("Select Count(*) From Voucher Where lngCheckerID = 3"),
            std::to_string(rows + 2));  // two were reviewed by 王芳 in the demo data
}

TEST_F(BatchDialogTest, RunningWithNothingTickedSaysSoAndKeepsTheDialog) {
  QAction* batch = OperationEntry(QStringLiteral("多张复核(&I)"));
  ASSERT_NE(batch, nullptr);
  AnswerBoxes boxes;
  bool still_open = false;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<BatchDialog*>(&widget);
    if (dialog == nullptr) return;
    QTest::mouseClick(dialog->RunButton(), Qt::LeftButton);
    still_open = dialog->isVisible();
    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
  });
  batch->trigger();
  EXPECT_TRUE(still_open);
  EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("请先选定一张凭证！")});
  EXPECT_EQ(Scalar("Select Count(*) From Voucher Where lngCheckerID = 3"), "2");
}

TEST_F(BatchDialogTest, TheScreenshotShowsTheDialog) {
  const std::string file = ::testing::TempDir() + "batch_dialog_screen.png";
  ASSERT_EQ(TakeScreenshot(*desktop_, "batch", file), "");
  std::remove(file.c_str());
}

}  // namespace
}  // namespace lumvoucher::ui
