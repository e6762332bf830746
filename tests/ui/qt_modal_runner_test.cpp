#include "ui/qt_modal_runner.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "ui/modal_probe.h"

namespace lumvoucher::ui {
namespace {

class FakeModal : public host::ModalWindow {
 public:
  std::string WindowName() const override { return "frmVoucherCashFlow"; }
  std::string seen_by_dialog;
};

TEST(QtModalRunnerTest, RunsTheRegisteredDialogAndAnswersItsResult) {
  QtModalRunner runner;
  runner.Register("frmVoucherCashFlow", [](host::ModalWindow& window, QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    static_cast<FakeModal&>(window).seen_by_dialog = "built";
    dialog->setObjectName(QStringLiteral("cashflow"));
    return dialog;
  });
  FakeModal window;
  QString opened;
  testing::WhenModalOpens([&](QWidget& modal) {
    opened = modal.objectName();
    static_cast<QDialog&>(modal).done(7);
  });
  EXPECT_TRUE(runner.Knows("frmVoucherCashFlow"));
  EXPECT_EQ(runner.RunModal(window), 7);
  EXPECT_EQ(opened, QStringLiteral("cashflow"));
  EXPECT_EQ(window.seen_by_dialog, "built");
}

}  // namespace
}  // namespace lumvoucher::ui
