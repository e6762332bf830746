#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumvoucher::ui {

// The commands the host's menus and toolbar raise on the active child window. They carry the
// names of the component's event handlers ("EditNew" for mclsMainControl_EditNew,
// "MainControlEditSound" for the main-control commands), plus the voucher window's status
// buttons and save, which the desktop offers in its menus as well.
enum class Command {
  kFileSave,
  kFilePrint,
  kFilePrintReceipt,
  kFilePrintSetup,
  kEditNew,
  kEditEdit,
  kEditDel,
  kEditCopy,
  kEditPaste,
  kEditInsLine,
  kEditDelLine,
  kEditInActive,
  kEditShowAll,
  kEditFilter,
  kEditShowList,
  kEditColumn,
  kToolRefresh,
  kReview,
  kCashierSign,
  kPost,
  kReverse,
  kReceiptFirst,
  kReceiptPrevious,
  kReceiptNext,
  kReceiptLast,
  kReceiptList,
  kEditArrange,
  kEditSound,
  kEditAlert,
  kEditQuick,
  kEditCashLine,
  kEditDeficit,
  kEditBudgetAlarm,
  kEditNewTemplate,
  kEditLoadTemplate,
  kEditVoucherVolume,
  kEditInterface,
  kEditInsertVoucher,
  kEditBatchPrint,
  kEditAutoStudy,
  kEditDoubleRule,
  kEditRuleProduce,
  kListReportAccountSummary,
  kListReportVoucherSummary,
};

// The top-level menu a command appears in.
enum class CommandMenu { kFile, kEdit, kVoucher, kOptions, kReport };

struct CommandInfo {
  Command command;
  std::string_view name;      // the handler's name: "EditNew", "ReceiptPosition", ...
  std::string_view caption;   // menu and toolbar text unless the child gives its own
  std::string_view shortcut;  // QKeySequence text; empty for none
  CommandMenu menu;
  bool checkable = false;  // a switch whose state the child reports (Sound, show all, ...)
  bool on_toolbar = false;
};

// Every command, in menu order.
std::span<const CommandInfo> AllCommands();
const CommandInfo& Info(Command command);

// One entry of a child window's own command menu (the list's edit menu): the index the child
// knows it by, and its caption; an empty caption is a separator.
struct MenuEntry {
  int index = 0;
  std::string caption;
  bool enabled = true;
  bool checkable = false;  // a switch ("全部显示(&W)"), ticked while `checked`
  bool checked = false;
};

// Implemented by every view widget shown as a child of the main window. The main window asks
// the active child before enabling a command and routes the command to it. A view whose answers
// change (a voucher was loaded, reviewed) calls ChildActive on the host main window, as the
// component does after showing a window, so the menus follow.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;

  // Whether the window answers the command now; the main window disables it otherwise.
  virtual bool Handles(Command command) const = 0;
  // Called only when Handles(command) is true.
  virtual void Run(Command command) = 0;

  // The caption the command carries in this window's state ("取消复核(&C)"); empty keeps the
  // default caption.
  virtual std::string Caption(Command command) const { return {}; }
  // For a checkable command: whether the switch is on.
  virtual bool Checked(Command command) const { return false; }

  // The window's own command menu; empty when it has none.
  virtual std::vector<MenuEntry> EditMenu() const { return {}; }
  virtual void RunEditMenu(int index) {}
};

}  // namespace lumvoucher::ui
