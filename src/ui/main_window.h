#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/login_context.h"
#include "host/main_window.h"
#include "ui/command.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace lumvoucher::ui {

// The host's main window: the component's windows appear as children of its MDI area; the
// menus and the toolbar raise commands on the active child (see CommandTarget) and are enabled
// only for the commands it handles. The status bar shows who is logged in.
class MainWindow : public QMainWindow, public host::HostMainWindow {
  Q_OBJECT

 public:
  // Builds the Qt view of a child presenter. The view is owned by the main window from then on
  // and should implement CommandTarget; the presenter outlives it.
  using ChildViewFactory = std::function<std::unique_ptr<QWidget>(host::ChildWindow& child)>;

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // host::HostMainWindow. ChildActive re-reads the active child's commands; ShowChild opens the
  // child's view (once; later calls bring it to the front) and makes it the active child.
  void ChildActive() override;
  void ShowChild(host::ChildWindow& child) override;
  std::vector<host::ChildWindow*> OpenChildren() const override;
  // The list views add rows while the list reads them.
  bool ShowsRowsAsTheyCome() const override { return true; }

  // Registers (or replaces) the view of the child windows named `window_name` ("frmVoucher").
  // A child without a registered view shows as a placeholder that handles no command.
  void RegisterChildView(std::string window_name, ChildViewFactory factory);

  // Status bar and title: organisation, operator and login date.
  void ShowLogin(const host::LoginContext& login);

  // Adds an entry of the host's own to the voucher menu, above the commands: it opens a window
  // of the component ("填制凭证" -> InterFace::ShowANewBill) rather than raising a command.
  QAction* AddOpener(const QString& caption, std::function<void()> open,
                     const QKeySequence& shortcut = {});

  // Raises a command on the active child, as its menu entry and toolbar button do. Answers
  // whether the child (or the main window's own answer, below) handled it.
  bool Raise(Command command);
  // What the main window does with `command` when no child answers it (新增 with no window
  // open starts a voucher).
  void SetFallback(Command command, std::function<void()> run);

  // A view changed stored vouchers (saved, reviewed, deleted, ...): the lists refresh.
  void AnnounceVouchersChanged() { emit VouchersChanged(); }
  // Closes every child, each asking about unsaved work; false when one stayed open.
  bool CloseChildren();
  // The status bar's passing message ("凭证“记-000005”已保存。").
  void Tell(const QString& text);

  QAction* Action(Command command) const;
  // The menu that holds the active child's own command menu ("操作(&O)").
  QMenu* OperationMenu() const { return operation_menu_; }
  QMdiArea* Area() const { return area_; }
  host::ChildWindow* ActiveChild() const;
  CommandTarget* ActiveTarget() const;
  // The status bar's texts, left to right.
  std::vector<QString> StatusTexts() const;

 signals:
  void VouchersChanged();
  // 重新登录: every child closed; the application asks who logs in next.
  void ReloginRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void RefreshCommands();
  void RebuildOperationMenu(CommandTarget* target);
  QMdiSubWindow* ActiveSubWindow() const;

  QMdiArea* area_ = nullptr;
  QMenu* voucher_menu_ = nullptr;
  QAction* openers_end_ = nullptr;
  QMenu* operation_menu_ = nullptr;
  QLabel* organization_label_ = nullptr;
  QLabel* operator_label_ = nullptr;
  QLabel* date_label_ = nullptr;
  std::map<Command, QAction*> actions_;
  std::map<Command, std::function<void()>> fallbacks_;
  std::map<std::string, ChildViewFactory, std::less<>> factories_;
  std::map<host::ChildWindow*, QMdiSubWindow*> windows_;
  std::map<QMdiSubWindow*, host::ChildWindow*> children_;
};

}  // namespace lumvoucher::ui
