// Unsaved work is never dropped silently.
#include <QMdiArea>
#include <QSignalSpy>
#include <QStatusBar>
#include <functional>

#include "ui/desktop_fixture.h"

namespace lumvoucher::ui {
namespace {

class SafeNavigationTest : public DesktopFixture {
 public:
  void SetUp() override { LogIn(2); }
  long Shown() { return Voucher() != nullptr ? S().header.voucher_id : -1; }
};

const QString kYes = QStringLiteral("是(&Y)");
const QString kNo = QStringLiteral("否(&N)");
const QString kCancel = QStringLiteral("取消");

TEST_F(SafeNavigationTest, EveryWayOutOfAnUnsavedVoucherAsksAndCancelKeepsEverything) {
  struct Way {
    const char* name;
    std::function<void(SafeNavigationTest&)> leave;
    // Whether the voucher window (or the desktop) went where it was sent.
    std::function<bool(SafeNavigationTest&)> left;
  };
  int relogins = 0;
  const Way ways[] = {
      {"新增", [](SafeNavigationTest& t) { t.Main().Raise(Command::kEditNew); },
       [](SafeNavigationTest& t) { return t.Shown() == 0 && !t.S().must_save; }},
      {"close the tab", [](SafeNavigationTest& t) { t.Main().Area()->closeActiveSubWindow(); },
       [](SafeNavigationTest& t) {
         QApplication::processEvents();
         return t.Main().ActiveTarget() == nullptr;
       }},
      {"首张", [](SafeNavigationTest& t) { t.Main().Raise(Command::kReceiptFirst); },
       [](SafeNavigationTest& t) { return t.Shown() == 3; }},
      {"重新登录", [](SafeNavigationTest& t) { t.Trigger(QStringLiteral("重新登录(&L)")); },
       [&relogins](SafeNavigationTest& t) { return relogins == 1; }},
      {"quit", [](SafeNavigationTest& t) { t.Main().close(); },
       [](SafeNavigationTest& t) { return !t.Main().isVisible(); }},
  };
  for (const Way& way : ways) {
    for (const QString& answer : {kYes, kNo, kCancel}) {
      SCOPED_TRACE(std::string(way.name) + " " + ToUtf8(answer));
      LogIn(2);
      relogins = 0;
      QObject::connect(&Main(), &MainWindow::ReloginRequested, [&relogins] { ++relogins; });
      TypeBalancedVoucher();
      const std::string before = Scalar("Select Count(*) From Voucher");
      AskedBox asked;
      AnswerNext(answer, &asked);
      way.leave(*this);
      EXPECT_EQ(asked.title, QStringLiteral("警告提示"));
      EXPECT_EQ(asked.text, QStringLiteral("“记-000005”的数据已经发生改变，是否需要保存?"));
      const std::string after = Scalar("Select Count(*) From Voucher");
      EXPECT_EQ(std::stoi(after) - std::stoi(before), answer == kYes ? 1 : 0);
      EXPECT_EQ(way.left(*this), answer != kCancel);
      if (answer == kCancel) {
        ASSERT_NE(Voucher(), nullptr);
        EXPECT_TRUE(S().must_save);
        EXPECT_EQ(S().header.voucher_id, 0);
        EXPECT_EQ(S().lines[1].account_text, "6051 其他业务收入");
      }
    }
  }
}

}  // namespace
}  // namespace lumvoucher::ui
