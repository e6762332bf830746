// Unsaved work is never dropped silently; the moves through the vouchers follow the list they
// came from; lists follow what other windows change.
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

TEST_F(SafeNavigationTest, MovesFollowTheListTheVoucherWasOpenedFrom) {
  Trigger(QStringLiteral("凭证列表"));
  ASSERT_NE(List(), nullptr);
  // The list by date: 1, 2, 3, 4, 5, then 9 and 7 of the 20th (记 000001 of 01-02-05 first), 8.
  ASSERT_EQ(List()->Presenter().VoucherIDs(), (std::vector<long>{1, 2, 3, 4, 5, 9, 7, 8}));
  List()->Presenter().SelectRow(6);  // a line of voucher 4
  ASSERT_EQ(List()->Presenter().SelectedVoucherID(), 4);
  Main().Raise(Command::kEditEdit);
  ASSERT_EQ(Shown(), 4);
  const struct {
    Command move;
    long expected;
  } moves[] = {{Command::kReceiptNext, 5},
               {Command::kReceiptNext, 9},
               {Command::kReceiptPrevious, 5},
               {Command::kReceiptLast, 8},
               {Command::kReceiptFirst, 1}};
  for (const auto& m : moves) {
    Main().Raise(m.move);
    EXPECT_EQ(Shown(), m.expected);
  }
  AskedBox asked;
  AnswerNext(QStringLiteral("确定"), &asked);
  Main().Raise(Command::kReceiptPrevious);
  EXPECT_EQ(asked.text, QStringLiteral("已经是第一张凭证！"));
  EXPECT_EQ(Shown(), 1);
}

TEST_F(SafeNavigationTest, NewWorksWithNoWindowAndRefusesAnOperatorWhoMayNotMakeVouchers) {
  ASSERT_EQ(Main().ActiveTarget(), nullptr);
  ASSERT_TRUE(Main().Action(Command::kEditNew)->isEnabled());
  QTest::keyClick(&Main(), Qt::Key_N, Qt::ControlModifier);
  ASSERT_NE(Voucher(), nullptr);
  EXPECT_EQ(Cursor(), "1 摘要");

  LogIn(3);  // the reviewer makes no vouchers
  AskedBox asked;
  AnswerNext(QStringLiteral("确定"), &asked);
  Trigger(QStringLiteral("填制凭证"));
  EXPECT_EQ(asked.title, QStringLiteral("新增单据"));
  EXPECT_EQ(asked.text, QStringLiteral("无新增凭证权限！"));
  EXPECT_EQ(Voucher(), nullptr);
}

}  // namespace
}  // namespace lumvoucher::ui
