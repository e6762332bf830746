#include "ui/qt_message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <string>

#include "ui/modal_probe.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {
namespace {

// What the box looked like, read while it was open.
struct Seen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;  // left to right as the box orders them by role
  QString default_button;
};

// Shows the box and presses the button captioned `press`; answers the box's answer.
int ShowAndPress(int flags, const QString& press, Seen& seen) {
  testing::WhenModalOpens([&](QWidget& widget) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
    if (box->defaultButton() != nullptr) seen.default_button = box->defaultButton()->text();
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == press) {
        button->click();
        return;
      }
    }
    box->reject();
    FAIL() << "no button " << press.toStdString();
  });
  QtMessageBox messages;
  return messages.Show("凭证不存在！", flags, "查询凭证");
}

const QString kOk = QStringLiteral("确定");
const QString kCancel = QStringLiteral("取消");
const QString kYes = QStringLiteral("是(&Y)");
const QString kNo = QStringLiteral("否(&N)");

TEST(QtMessageBoxTest, OkOnlyShowsTitleAndTextExactly) {
  Seen seen;
  EXPECT_EQ(ShowAndPress(host::mb::kCritical, kOk, seen), host::mb::kOk);
  EXPECT_EQ(seen.title, QStringLiteral("查询凭证"));
  EXPECT_EQ(seen.text, QStringLiteral("凭证不存在！"));
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, QStringList{kOk});
}

TEST(QtMessageBoxTest, OkCancelAnswersCancel) {
  Seen seen;
  EXPECT_EQ(ShowAndPress(host::mb::kOkCancel + host::mb::kInformation, kCancel, seen),
            host::mb::kCancel);
  EXPECT_EQ(seen.icon, QMessageBox::Information);
  EXPECT_EQ(seen.buttons.size(), 2);
  EXPECT_TRUE(seen.buttons.contains(kOk));
  EXPECT_TRUE(seen.buttons.contains(kCancel));
  EXPECT_EQ(seen.default_button, kOk);
}

TEST(QtMessageBoxTest, YesNoAnswersYesAndNo) {
  Seen seen;
  EXPECT_EQ(ShowAndPress(host::mb::kYesNo + host::mb::kQuestion, kYes, seen), host::mb::kYes);
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.buttons.size(), 2);
  EXPECT_EQ(seen.default_button, kYes);
  Seen again;
  EXPECT_EQ(ShowAndPress(host::mb::kYesNo + host::mb::kQuestion, kNo, again), host::mb::kNo);
}

TEST(QtMessageBoxTest, SecondButtonIsTheDefaultWith256) {
  Seen seen;
  EXPECT_EQ(
      ShowAndPress(host::mb::kYesNo + host::mb::kQuestion + host::mb::kDefaultButton2, kNo, seen),
      host::mb::kNo);
  EXPECT_EQ(seen.default_button, kNo);
}

TEST(QtMessageBoxTest, YesNoCancelOffersThreeButtons) {
  Seen seen;
  EXPECT_EQ(ShowAndPress(host::mb::kYesNoCancel + host::mb::kExclamation, kCancel, seen),
            host::mb::kCancel);
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons.size(), 3);
  EXPECT_TRUE(seen.buttons.contains(kYes));
  EXPECT_TRUE(seen.buttons.contains(kNo));
  EXPECT_TRUE(seen.buttons.contains(kCancel));
}

TEST(QtMessageBoxTest, TaskModalExclamationIsAWarningWithOk) {
  Seen seen;
  EXPECT_EQ(ShowAndPress(8240, kOk, seen), host::mb::kOk);
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, QStringList{kOk});
}

TEST(QtMessageBoxTest, NoIconFlagShowsNoIcon) {
  Seen seen;
  EXPECT_EQ(ShowAndPress(host::mb::kOkOnly, kOk, seen), host::mb::kOk);
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
}

}  // namespace
}  // namespace lumvoucher::ui
