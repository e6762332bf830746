#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "frame/window_registry.h"
#include "support/test_host.h"
#include "templates/external_import.h"
#include "ui/desktop_fixture.h"
#include "ui/main_window.h"
#include "ui/modal_probe.h"
#include "ui/qt_text.h"
#include "ui/std_voucher_dialogs.h"
#include "ui/voucher_io_view.h"
#include "ui/voucher_view.h"

namespace lumvoucher::ui {
namespace {

using lumvoucher::testing::WhenModalOpens;

class TemplateViewsTest : public DesktopFixture {
 protected:
  void SetUp() override { LogIn(2); }
};

TEST_F(TemplateViewsTest, SaveAsAndLoadAStandardVoucherFromTheVoucherWindow) {
  desktop_->Component().ShowAOldBill(8, false);
  ASSERT_TRUE(desktop_->Main().Action(Command::kEditNewTemplate)->isEnabled());
  WhenModalOpens([](QWidget& widget) {
    auto* dialog = qobject_cast<CreateStdVoucherDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    dialog->Number()->setText(QStringLiteral("09"));
    dialog->Name()->setText(QStringLiteral("工资"));
    emit dialog->Number()->textEdited(dialog->Number()->text());
    emit dialog->Name()->textEdited(dialog->Name()->text());
    dialog->OkButton()->click();
  });
  ASSERT_TRUE(desktop_->Main().Raise(Command::kEditNewTemplate));
  EXPECT_EQ(Scalar("Select strVoucherName From StdVoucher Where strVoucherNo = '09'"), "工资");

  WhenModalOpens([](QWidget& widget) {
    auto* dialog = qobject_cast<SelectStdVoucherDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->Grid()->rowCount(), 3);
    EXPECT_EQ(dialog->Grid()->item(2, 1)->text(), QStringLiteral("工资"));
    dialog->Grid()->setCurrentCell(2, 0);
    dialog->OkButton()->click();
  });
  ASSERT_TRUE(desktop_->Main().Raise(Command::kEditLoadTemplate));
  const auto& state = desktop_->Component().Form().State();
  EXPECT_EQ(state.header.voucher_id, 0);
  EXPECT_EQ(state.lines.size(), 3u);
  EXPECT_EQ(state.totals.debit, 0);
}

}  // namespace
}  // namespace lumvoucher::ui
