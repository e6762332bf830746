#include "ui/qt_message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
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
  bool red = false;
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
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
      seen.red = label->palette().color(QPalette::WindowText) == QColor(0xc0, 0, 0);
    }
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

const QString kOkButton = QStringLiteral("确定");
const QString kCancelButton = QStringLiteral("取消");
const QString kYesButton = QStringLiteral("是(&Y)");
const QString kNoButton = QStringLiteral("否(&N)");

TEST(QtMessageBoxTest, TheFlagsChooseIconButtonsAndDefaultAndThePressedButtonIsAnswered) {
  using namespace host::mb;
  const struct {
    int flags;
    QString press;
    int answer;
    QMessageBox::Icon icon;
    QStringList buttons;     // as the box orders them by role
    QString default_button;  // empty: not looked at
    bool red = false;
  } cases[] = {
      // clang-format off
      {kCritical, kOkButton, kOk, QMessageBox::Critical, {kOkButton}, ""},
      {kOkCancel + kInformation, kCancelButton, kCancel, QMessageBox::Information, {kOkButton, kCancelButton}, kOkButton},
      {kYesNo + kQuestion, kYesButton, kYes, QMessageBox::Question, {kYesButton, kNoButton}, kYesButton},
      {kYesNo + kQuestion, kNoButton, kNo, QMessageBox::Question, {kYesButton, kNoButton}, ""},
      {kYesNo + kQuestion + kDefaultButton2, kNoButton, kNo, QMessageBox::Question, {kYesButton, kNoButton}, kNoButton},
      {kYesNoCancel + kExclamation, kCancelButton, kCancel, QMessageBox::Warning, {kYesButton, kNoButton, kCancelButton}, ""},
      {8240, kOkButton, kOk, QMessageBox::Warning, {kOkButton}, ""},  // task-modal exclamation
      {kOkOnly, kOkButton, kOk, QMessageBox::NoIcon, {kOkButton}, ""},
      // The obligation questions of parallel accounting.
      {kYesNo + kCritical + kTaskModal + kRedText, kNoButton, kNo, QMessageBox::Critical, {kYesButton, kNoButton}, "", true},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    Seen seen;
    EXPECT_EQ(ShowAndPress(c.flags, c.press, seen), c.answer);
    EXPECT_EQ(seen.title + " " + seen.text, QStringLiteral("查询凭证 凭证不存在！"));
    EXPECT_EQ(seen.icon, c.icon);
    QStringList sorted = seen.buttons;
    sorted.sort();
    QStringList expected = c.buttons;
    expected.sort();
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(seen.red, c.red);
    if (!c.default_button.isEmpty()) {
      EXPECT_EQ(seen.default_button, c.default_button);
    }
  }
}

}  // namespace
}  // namespace lumvoucher::ui
