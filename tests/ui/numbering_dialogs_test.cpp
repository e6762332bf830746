// The numbering dialogs on the desktop of 李明, period 2026/2: 记-000001 to 记-000004 (000003
// void) are his.
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <cstdio>

#include "ui/continuity_dialog.h"
#include "ui/desktop_fixture.h"
#include "ui/renumber_dialog.h"
#include "ui/volume_dialog.h"

namespace lumvoucher::ui {
namespace {

using lumvoucher::testing::BoxAnswerer;
using lumvoucher::testing::WhenModalOpens;

class NumberingDialogsTest : public DesktopFixture {
 public:
  void SetUp() override { LogIn(2); }
};

TEST_F(NumberingDialogsTest, TheContinuityRunFromTheListsMenu) {
  Trigger(QStringLiteral("凭证列表"));
  QAction* continuity = nullptr;
  for (QAction* action : Main().OperationMenu()->actions()) {
    if (action->text() == QStringLiteral("连号处理")) continuity = action;
  }
  ASSERT_NE(continuity, nullptr);
  BoxAnswerer boxes;
  QString count;
  WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<ContinuityDialog*>(&widget);
    if (dialog == nullptr) return;
    // 收-000002 first, then 记-000001 and 记-000003 (void).
    dialog->ToggleRow(1);
    dialog->ToggleRow(2);
    count = dialog->CountText();
    QTest::mouseClick(dialog->RunButton(), Qt::LeftButton);
    dialog->reject();
  });
  continuity->trigger();
  EXPECT_EQ(count, QStringLiteral("共 5 张，选定 2 张"));
  ASSERT_EQ(boxes.Texts().size(), 2) << ToUtf8(boxes.Texts().join("\n"));
  EXPECT_EQ(boxes.Texts()[1], QStringLiteral("凭证连号处理完毕，新的凭证号为000005 - 000006"));
  EXPECT_EQ(Scalar("Select intVoucherNO From Voucher Where lngVoucherID = 3"), "5");
  EXPECT_EQ(Scalar("Select intVoucherNO From Voucher Where lngVoucherID = 6"), "6");
}

}  // namespace
}  // namespace lumvoucher::ui
