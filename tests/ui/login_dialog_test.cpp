#include "ui/login_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>

#include "support/test_host.h"

namespace lumvoucher::ui {
namespace {

QStringList Items(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

TEST(LoginDialogTest, ListsTheActiveOperators) {
  auto data = testing::NewDemoDatabase();
  data->Execute("Update Operator Set blnIsInActive = 1 Where lngOperatorID = 6");
  LoginDialog dialog(*data, {1, 1, "2026-02-15"});
  EXPECT_EQ(Items(*dialog.Operators()),
            (QStringList{QStringLiteral("admin 系统管理员（管理员）"),
                         QStringLiteral("101 李明（制单）"), QStringLiteral("102 王芳（复核）"),
                         QStringLiteral("103 赵敏（出纳）"), QStringLiteral("104 刘强（记账）")}));
  // The roles follow the rights: a reviewer who may also make 记 vouchers shows both.
  data->Execute(
      "Update OperatorVoucherType Set blnMake = 1 Where lngOperatorID = 3 And lngVoucherTypeID = "
      "1");
  LoginDialog again(*data, {1, 1, "2026-02-15"});
  EXPECT_EQ(again.Operators()->itemText(2), QStringLiteral("102 王芳（制单、复核）"));
}

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
