#include "ui/login_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>

#include "support/test_host.h"

namespace lumvoucher::ui {
namespace {

TEST(LoginDialogTest, ProposesTheGivenLoginAndAnswersTheChoice) {
  auto data = testing::NewDemoDatabase();
  LoginDialog dialog(*data, {3, 2, "2026-03-31"});
  EXPECT_EQ(dialog.Organizations()->currentText(), QStringLiteral("01-02 东城分院"));
  EXPECT_EQ(dialog.Operators()->currentText(), QStringLiteral("101 李明（制单）"));
  EXPECT_EQ(dialog.LoginDate()->date(), QDate(2026, 3, 31));

  dialog.Organizations()->setCurrentIndex(3);
  dialog.Operators()->setCurrentIndex(2);
  dialog.LoginDate()->setDate(QDate(2026, 1, 5));
  embedded::LoginRequest request = dialog.Request();
  EXPECT_EQ(request.organization_id, 4);
  EXPECT_EQ(request.operator_id, 3);
  EXPECT_EQ(request.login_date, "2026-01-05");
}

}  // namespace
}  // namespace lumvoucher::ui
