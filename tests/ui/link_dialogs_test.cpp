#include "ui/link_dialogs.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>

#include "frame/window_registry.h"
#include "support/test_host.h"
#include "ui/desktop.h"
#include "ui/modal_probe.h"
#include "ui/voucher_view.h"

namespace lumvoucher::ui {
namespace {

class LinkDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame::WindowRegistry::ReleaseAll();
    desktop_ = std::make_unique<Desktop>(lumvoucher::testing::NewDemoDatabase(),
                                         embedded::LoginRequest{1, 2, "2026-02-15"});
    desktop_->Main().show();
  }
  void TearDown() override {
    desktop_.reset();
    frame::WindowRegistry::ReleaseAll();
  }
  static void Click(QWidget& dialog, const QString& caption) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
      if (b->text() == caption) return QTest::mouseClick(b, Qt::LeftButton);
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
  }
  std::unique_ptr<Desktop> desktop_;
};

// 成本归集 on 记-000001's 差旅费 line: a row in the expense card, the footer, then 确定.
TEST_F(LinkDialogsTest, TheCostCardFromTheVoucherWindowHoldsItsRowsWithTheLine) {
  desktop_->Component().ShowAOldBill(3, false);
  QString footer;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<CostCardDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    Click(*dialog, QStringLiteral("新增"));
    QAbstractItemModel& model = *dialog->Grid()->model();
    EXPECT_TRUE(model.setData(model.index(0, 0), QStringLiteral("202")));
    EXPECT_TRUE(model.setData(model.index(0, 1), QStringLiteral("01")));
    EXPECT_FALSE(model.setData(model.index(0, 3), QStringLiteral("32百")));
    footer = dialog->Footer()->text();
    Click(*dialog, QStringLiteral("确定"));
  });
  lumvoucher::testing::BoxAnswerer ok(QMessageBox::Ok);
  auto* view = dynamic_cast<VoucherView*>(desktop_->Main().ActiveTarget());
  ASSERT_NE(view, nullptr);
  view->Presenter().SetCurrentRow(1);
  for (QAction* action : desktop_->Main().findChildren<QAction*>()) {
    if (action->text() == QStringLiteral("成本归集")) action->trigger();
  }
  EXPECT_EQ(footer,
            QStringLiteral(" 提示：分摊总额为3200.00元,已分摊：3200.00元,未分摊：0.00元。"));
  const auto& cost = view->Presenter().State().lines[0].splits.cost;
  ASSERT_TRUE(cost.has_value());
  EXPECT_EQ(cost->costs.size(), 1u);
  EXPECT_TRUE(view->Presenter().State().must_save);
}

}  // namespace
}  // namespace lumvoucher::ui
