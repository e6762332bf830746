#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <set>
#include <vector>

#include "ui/qt_text.h"

namespace lumvoucher::ui {
namespace {

class FakeChild : public host::ChildWindow {
 public:
  explicit FakeChild(std::string name) : name_(std::move(name)) {}
  std::string WindowName() const override { return name_; }

 private:
  std::string name_;
};

// A view that answers a fixed set of commands and records what reached it.
class FakeView : public QWidget, public CommandTarget {
 public:
  FakeView(std::set<Command> handled, std::vector<Command>& ran)
      : handled_(std::move(handled)), ran_(ran) {}

  bool Handles(Command command) const override { return handled_.count(command) != 0; }
  void Run(Command command) override {
    ran_.push_back(command);
    if (command == Command::kReview) reviewed_ = !reviewed_;
    if (command == Command::kEditSound) sound_ = !sound_;
  }
  std::string Caption(Command command) const override {
    if (command != Command::kReview) return {};
    return reviewed_ ? "取消复核(&C)" : "复    核(&C)";
  }
  bool Checked(Command command) const override { return command == Command::kEditSound && sound_; }
  std::vector<MenuEntry> EditMenu() const override {
    return {{4, "批量删除(&M)", true}, {5, "", true}, {6, "出纳签字(&T)", false}};
  }
  void RunEditMenu(int index) override { menu_runs.push_back(index); }

  std::vector<int> menu_runs;

 private:
  std::set<Command> handled_;
  std::vector<Command>& ran_;
  bool reviewed_ = false;
  bool sound_ = false;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.RegisterChildView("frmA", [this](host::ChildWindow&) {
      auto view = std::make_unique<FakeView>(
          std::set{Command::kEditNew, Command::kEditInsLine, Command::kReview, Command::kEditSound},
          ran_a_);
      view_a_ = view.get();
      return view;
    });
    window_.RegisterChildView("frmB", [this](host::ChildWindow&) {
      return std::make_unique<FakeView>(std::set{Command::kEditDel}, ran_b_);
    });
    window_.show();
  }

  bool Enabled(Command command) { return window_.Action(command)->isEnabled(); }

  MainWindow window_;
  FakeChild a_{"frmA"};
  FakeChild b_{"frmB"};
  FakeView* view_a_ = nullptr;
  std::vector<Command> ran_a_;
  std::vector<Command> ran_b_;
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
