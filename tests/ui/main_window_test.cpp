#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <set>
#include <vector>

namespace lumvoucher::ui {
namespace {

class FakeChild : public host::ChildWindow {
 public:
  explicit FakeChild(std::string name) : name_(std::move(name)) {}
  std::string WindowName() const override { return name_; }

 private:
  std::string name_;
};

// A view that answers a fixed set of commands.
class FakeView : public QWidget, public CommandTarget {
 public:
  explicit FakeView(std::set<Command> handled) : handled_(std::move(handled)) {}
  bool Handles(Command command) const override { return handled_.count(command) != 0; }
  void Run(Command) override {}

 private:
  std::set<Command> handled_;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.RegisterChildView("frmA", [](host::ChildWindow&) {
      return std::make_unique<FakeView>(std::set{Command::kEditNew, Command::kEditInsLine});
    });
    window_.RegisterChildView("frmB", [](host::ChildWindow&) {
      return std::make_unique<FakeView>(std::set{Command::kEditDel});
    });
    window_.show();
  }

  bool Enabled(Command command) { return window_.Action(command)->isEnabled(); }

  MainWindow window_;
  FakeChild a_{"frmA"};
  FakeChild b_{"frmB"};
};

TEST_F(MainWindowTest, AChildFillsTheAreaIsReusedAndClosingItDisablesItsCommands) {
  window_.ShowChild(a_);
  QApplication::processEvents();
  EXPECT_TRUE(window_.Area()->currentSubWindow()->isMaximized());
  window_.ShowChild(b_);
  window_.ShowChild(a_);
  EXPECT_EQ(window_.Area()->subWindowList().size(), 2);
  EXPECT_EQ(window_.OpenChildren(), (std::vector<host::ChildWindow*>{&a_, &b_}));
  window_.ShowChild(b_);
  window_.Area()->currentSubWindow()->close();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(window_.OpenChildren(), std::vector<host::ChildWindow*>{&a_});
  window_.ShowChild(a_);
  EXPECT_FALSE(Enabled(Command::kEditDel));
  EXPECT_TRUE(Enabled(Command::kEditNew));
}

}  // namespace
}  // namespace lumvoucher::ui
