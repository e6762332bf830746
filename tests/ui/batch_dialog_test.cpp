// The reviewer 王芳 reviews from the voucher list through the batch dialog.
#include "ui/batch_dialog.h"

#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

#include "ui/desktop_fixture.h"

namespace lumvoucher::ui {
namespace {

class BatchDialogTest : public DesktopFixture {
 public:
  void SetUp() override {
    LogIn(3);
    Trigger(QStringLiteral("凭证列表"));
    for (QAction* action : Main().OperationMenu()->actions()) {
      if (action->text() == QStringLiteral("多张复核(&I)")) batch_ = action;
    }
    ASSERT_NE(batch_, nullptr);
  }
  QAction* batch_ = nullptr;
  testing::BoxAnswerer boxes_;
};

TEST_F(BatchDialogTest, TickedVouchersAreReviewedWithTheProgressShown) {
  QString title, none_ticked, all_ticked;
  int rows = 0, progress_max = 0, progress_value = 0;
  bool still_open = false;
  testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<BatchDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    rows = dialog->Model()->rowCount();
    none_ticked = dialog->CountText();
    QTest::mouseClick(dialog->RunButton(), Qt::LeftButton);  // nothing ticked: said, stays
    still_open = dialog->isVisible();
    QTest::mouseClick(dialog->SelectAllButton(), Qt::LeftButton);
    all_ticked = dialog->CountText();
    EXPECT_EQ(dialog->Model()->index(0, 0).data().toString(), QStringLiteral("√"));
    QTest::mouseClick(dialog->RunButton(), Qt::LeftButton);
    progress_max = dialog->Progress()->maximum();
    progress_value = dialog->Progress()->value();
  });
  batch_->trigger();
  EXPECT_EQ(title, QStringLiteral("多张复核"));
  ASSERT_GT(rows, 0);
  EXPECT_TRUE(still_open);
  EXPECT_EQ(none_ticked, QStringLiteral("共 %1 张，选定 0 张").arg(rows));
  EXPECT_EQ(all_ticked, QStringLiteral("共 %1 张，选定 %1 张").arg(rows));
  EXPECT_EQ(progress_max, rows);
  EXPECT_EQ(progress_value, rows);
  EXPECT_EQ(boxes_.Texts(),
            (QStringList{QStringLiteral("请先选定一张凭证！"),
                         QStringLiteral("您确实要复核所选的凭证吗？"),
                         QStringLiteral("多张凭证复核成功，本次共复核%1张凭证！").arg(rows)}));
  EXPECT_EQ(Scalar("Select Count(*) From Voucher Where lngCheckerID = 3"),
            std::to_string(rows + 2));  // two were reviewed by 王芳 in the demo data
}

}  // namespace
}  // namespace lumvoucher::ui
