#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "ui/failure_text.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {

namespace {

// Stands in for a window whose view has not been built yet, so the presenter still opens.
std::unique_ptr<QWidget> PlaceholderView(host::ChildWindow& child) {
  auto label = std::make_unique<QLabel>(ToQt(child.WindowName()));
  label->setAlignment(Qt::AlignCenter);
  label->setWindowTitle(ToQt(child.WindowName()));
  return label;
}

// Toolbar buttons show the caption without its menu accelerator and without the blanks that
// space a two-character caption in the voucher window: "复    核(&C)" -> "复核".
QString ButtonText(const QString& caption) {
  QString text = caption;
  static const QRegularExpression accelerator(QStringLiteral("\\(&.\\)$"));
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  text.remove(accelerator);
  text.remove(QLatin1Char('&'));
  text.remove(blanks);
  return text;
}

void SetCaption(QAction* action, const QString& caption) {
  action->setText(caption);
  action->setIconText(ButtonText(caption));
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("lumvoucher"));
  area_ = new QMdiArea(this);
  area_->setViewMode(QMdiArea::TabbedView);
  area_->setTabsClosable(true);
  area_->setTabsMovable(true);
  area_->setDocumentMode(true);
  setCentralWidget(area_);
  connect(area_, &QMdiArea::subWindowActivated, this,
          [this](QMdiSubWindow*) { RefreshCommands(); });

  organization_label_ = new QLabel(this);
  operator_label_ = new QLabel(this);
  date_label_ = new QLabel(this);
  for (QLabel* label : {organization_label_, operator_label_, date_label_}) {
    label->setContentsMargins(6, 0, 18, 0);
  }
  // Permanent, so that a passing message (a saved voucher) shows beside them.
  statusBar()->addPermanentWidget(organization_label_);
  statusBar()->addPermanentWidget(operator_label_);
  statusBar()->addPermanentWidget(date_label_);

  BuildMenus();
  RefreshCommands();
  resize(1280, 800);
}

MainWindow::~MainWindow() {
  // The area and the views die after this body, closing and deactivating as they go; their
  // handlers must not reach the maps, which are gone by then.
  QObject::disconnect(area_, nullptr, this, nullptr);
  for (const auto& [window, child] : children_) QObject::disconnect(window, nullptr, this, nullptr);
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
  voucher_menu_ = menuBar()->addMenu(QStringLiteral("凭证(&V)"));
  operation_menu_ = menuBar()->addMenu(QStringLiteral("操作(&O)"));
  QMenu* report = menuBar()->addMenu(QStringLiteral("报表(&R)"));
  QMenu* options = menuBar()->addMenu(QStringLiteral("选项(&S)"));
  QMenu* window = menuBar()->addMenu(QStringLiteral("窗口(&W)"));
  openers_end_ = voucher_menu_->addSeparator();

  QToolBar* toolbar = addToolBar(QStringLiteral("工具栏"));
  toolbar->setObjectName(QStringLiteral("commands"));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolbar->setMovable(false);

  auto menu_of = [&](CommandMenu menu) {
    switch (menu) {
      case CommandMenu::kFile:
        return file;
      case CommandMenu::kEdit:
        return edit;
      case CommandMenu::kVoucher:
        return voucher_menu_;
      case CommandMenu::kOptions:
        return options;
      case CommandMenu::kReport:
        return report;
    }
    return edit;
  };
  CommandMenu previous_menu = CommandMenu::kFile;
  for (const CommandInfo& info : AllCommands()) {
    auto* action = new QAction(this);
    SetCaption(action, ToQt(info.caption));
    action->setCheckable(info.checkable);
    if (!info.shortcut.empty()) action->setShortcut(QKeySequence(ToQt(info.shortcut)));
    action->setObjectName(ToQt(info.name));
    connect(action, &QAction::triggered, this, [this, command = info.command] { Raise(command); });
    QMenu* menu = menu_of(info.menu);
    // Groups within a menu: the status buttons, the receipt moves and the main-control commands.
    if (info.command == Command::kReceiptFirst || info.command == Command::kEditArrange ||
        info.command == Command::kEditCopy || info.command == Command::kEditInsLine ||
        info.command == Command::kEditInActive || info.command == Command::kFilePrint) {
      menu->addSeparator();
    }
    menu->addAction(action);
    if (info.on_toolbar) {
      if (info.menu != previous_menu || info.command == Command::kReceiptFirst ||
          info.command == Command::kEditInsLine) {
        toolbar->addSeparator();
      }
      toolbar->addAction(action);
      previous_menu = info.menu;
    }
    actions_[info.command] = action;
  }

  file->addSeparator();
  QAction* relogin = file->addAction(QStringLiteral("重新登录(&L)"), this, [this] {
    if (CloseChildren()) emit ReloginRequested();
  });
  relogin->setObjectName(QStringLiteral("Relogin"));
  QAction* quit = file->addAction(QStringLiteral("退出(&X)"), this, &QWidget::close);
  quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));

  window->addAction(QStringLiteral("层叠(&C)"), area_, &QMdiArea::cascadeSubWindows);
  window->addAction(QStringLiteral("平铺(&T)"), area_, &QMdiArea::tileSubWindows);
  window->addSeparator();
  window->addAction(QStringLiteral("关闭(&O)"), area_, &QMdiArea::closeActiveSubWindow);
  window->addAction(QStringLiteral("全部关闭(&A)"), area_, &QMdiArea::closeAllSubWindows);
}

void MainWindow::ChildActive() {
  RefreshCommands();
}

void MainWindow::ShowChild(host::ChildWindow& child) {
  QMdiSubWindow* window = nullptr;
  if (auto it = windows_.find(&child); it != windows_.end()) {
    window = it->second;
  } else {
    auto factory = factories_.find(child.WindowName());
    std::unique_ptr<QWidget> view =
        factory != factories_.end() ? factory->second(child) : PlaceholderView(child);
    window = area_->addSubWindow(view.release());
    window->setAttribute(Qt::WA_DeleteOnClose);
    windows_[&child] = window;
    children_[window] = &child;
    connect(window, &QObject::destroyed, this, [this, window, &child] {
      windows_.erase(&child);
      children_.erase(window);
      // The area picks its next active window after this signal; read the commands then.
      QTimer::singleShot(0, this, [this] { RefreshCommands(); });
    });
  }
  // Tabs show one child at a time; it fills the area.
  window->showMaximized();
  area_->setActiveSubWindow(window);
  // The keyboard goes to the child at once (its mnemonics answer only while it has the focus).
  if (QWidget* view = window->widget(); view != nullptr && !view->isAncestorOf(focusWidget())) {
    view->setFocus();
  }
  RefreshCommands();
}

std::vector<host::ChildWindow*> MainWindow::OpenChildren() const {
  std::vector<host::ChildWindow*> open;
  const QList<QMdiSubWindow*> windows = area_->subWindowList(QMdiArea::ActivationHistoryOrder);
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    auto child = children_.find(*it);
    if (child != children_.end()) open.push_back(child->second);
  }
  return open;
}

void MainWindow::RegisterChildView(std::string window_name, ChildViewFactory factory) {
  factories_[std::move(window_name)] = std::move(factory);
}

void MainWindow::ShowLogin(const host::LoginContext& login) {
  const host::Organization& organization = login.CurrentOrganization();
  organization_label_->setText(QStringLiteral("机构：") + ToQt(organization.code) +
                               QLatin1Char(' ') + ToQt(organization.name));
  operator_label_->setText(QStringLiteral("操作员：") + ToQt(login.CurrentOperator().name));
  date_label_->setText(QStringLiteral("登录日期：") + ToQt(login.LoginDate()));
  setWindowTitle(QStringLiteral("lumvoucher - ") + ToQt(organization.name));
}

QAction* MainWindow::AddOpener(const QString& caption, std::function<void()> open,
                               const QKeySequence& shortcut) {
  auto* action = new QAction(caption, this);
  action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this,
          [this, open = std::move(open)] { Guarded(this, open); });
  voucher_menu_->insertAction(openers_end_, action);
  return action;
}

void MainWindow::SetFallback(Command command, std::function<void()> run) {
  fallbacks_[command] = std::move(run);
  RefreshCommands();
}

bool MainWindow::Raise(Command command) {
  CommandTarget* target = ActiveTarget();
  if (target == nullptr || !target->Handles(command)) {
    auto fallback = fallbacks_.find(command);
    const bool own = fallback != fallbacks_.end();
    if (own) Guarded(this, fallback->second);
    RefreshCommands();
    return own;
  }
  // A view must not throw; this keeps the event loop alive and tells the user what broke.
  Guarded(this, [&] { target->Run(command); });
  RefreshCommands();
  return true;
}

QAction* MainWindow::Action(Command command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

QMdiSubWindow* MainWindow::ActiveSubWindow() const {
  // currentSubWindow, not activeSubWindow: a modal box or an inactive application must not
  // make the menus forget the child.
  return area_->currentSubWindow();
}

host::ChildWindow* MainWindow::ActiveChild() const {
  auto it = children_.find(ActiveSubWindow());
  return it == children_.end() ? nullptr : it->second;
}

CommandTarget* MainWindow::ActiveTarget() const {
  QMdiSubWindow* window = ActiveSubWindow();
  if (window == nullptr || children_.count(window) == 0) return nullptr;
  return dynamic_cast<CommandTarget*>(window->widget());
}

std::vector<QString> MainWindow::StatusTexts() const {
  return {organization_label_->text(), operator_label_->text(), date_label_->text()};
}

void MainWindow::RefreshCommands() {
  CommandTarget* target = ActiveTarget();
  for (const auto& [command, action] : actions_) {
    const bool handles = target != nullptr && target->Handles(command);
    action->setEnabled(handles || fallbacks_.count(command) != 0);
    const std::string caption = handles ? target->Caption(command) : std::string();
    SetCaption(action, ToQt(caption.empty() ? Info(command).caption : caption));
    if (action->isCheckable()) action->setChecked(handles && target->Checked(command));
  }
  RebuildOperationMenu(target);
}

void MainWindow::RebuildOperationMenu(CommandTarget* target) {
  // Not clear(): the entry that ran the child's command may still be emitting triggered().
  for (QAction* old : operation_menu_->actions()) {
    operation_menu_->removeAction(old);
    old->deleteLater();
  }
  const std::vector<MenuEntry> entries = target ? target->EditMenu() : std::vector<MenuEntry>{};
  for (const MenuEntry& entry : entries) {
    if (entry.caption.empty()) {
      operation_menu_->addSeparator();
      continue;
    }
    QAction* action = operation_menu_->addAction(ToQt(entry.caption));
    action->setEnabled(entry.enabled);
    action->setCheckable(entry.checkable);
    action->setChecked(entry.checked);
    connect(action, &QAction::triggered, this, [this, index = entry.index] {
      if (CommandTarget* active = ActiveTarget()) {
        Guarded(this, [&] { active->RunEditMenu(index); });
        RefreshCommands();
      }
    });
  }
  operation_menu_->setEnabled(!entries.empty());
}

bool MainWindow::CloseChildren() {
  // A view may refuse to close (unsaved voucher, the user chose Cancel); the others stay too.
  for (QMdiSubWindow* window : area_->subWindowList(QMdiArea::ActivationHistoryOrder)) {
    area_->setActiveSubWindow(window);
    if (!window->close()) return false;
  }
  return true;
}

void MainWindow::Tell(const QString& text) {
  statusBar()->showMessage(text, 8000);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!CloseChildren()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace lumvoucher::ui
