#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/command.h"
#include "ui/voucher_printer.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;

namespace lumvoucher::dualbasis {
class FrmVoucherNew;
class VoucherEditor;
class clsVoucherNew;
}  // namespace lumvoucher::dualbasis

namespace lumvoucher::ui {

class Desktop;
class VoucherView;

// The Qt view of the paired voucher window (FrmVoucherNew): the shared toolbar with its check
// boxes and the reversed marker, then the financial and the budget editor, each shown by the
// voucher window's own view. Style "one" puts them side by side, the side with the focus being
// the current one; style "two" shows one at a time with a button that switches the basis.
//
// The pair's commands (save, review, posting, signature, reverse, void, the mark boxes, moving
// through vouchers, printing) go to the controller; the line and editor commands of the main
// menu go unchanged to the current side's view. The rules and messages are the controller's.
class PairVoucherView : public QWidget, public CommandTarget {
  Q_OBJECT

 public:
  explicit PairVoucherView(dualbasis::FrmVoucherNew& window, QWidget* parent = nullptr);
  ~PairVoucherView() override;

  dualbasis::clsVoucherNew& Controller();
  // Re-reads both editors, the controller's marks and the layout style.
  void Render();

  // A command of the pair window's own: an entry of its command menu ("操作"), a toolbar button
  // when `on_toolbar`, and the answer to the main menu's `main_menu` command when given.
  // `enabled` (null: always) is asked whenever a menu or the toolbar is shown; the view renders
  // again after `run`.
  struct PairCommand {
    std::string caption;
    std::function<bool()> enabled;
    std::function<void()> run;
    bool on_toolbar = false;
    std::optional<Command> main_menu;
    std::function<bool()> checked;  // set for a switch: ticked in the menu while it answers true
  };
  void AddCommand(std::string caption, std::function<bool()> enabled, std::function<void()> run,
                  bool on_toolbar = false, std::optional<Command> main_menu = std::nullopt,
                  std::function<bool()> checked = nullptr);

  // The main menu's opener of the same caption ("备查登记" for "备查登记(&R)"): runs the pair's
  // own command when it is enabled. False when the pair has no such command.
  bool RunOwnCommand(const QString& caption);

  // CommandTarget.
  bool Handles(Command command) const override;
  void Run(Command command) override;
  std::string Caption(Command command) const override;
  bool Checked(Command command) const override;
  std::vector<MenuEntry> EditMenu() const override;
  void RunEditMenu(int index) override;

  VoucherView* Side(bool budget) const { return budget ? budget_ : finance_; }
  VoucherView* CurrentSide() const;
  // The style on screen ("one", "two"), the status label's text ("已冲销" or empty).
  const std::string& ShownStyle() const { return style_; }
  QString StatusText() const;
  // The toolbar button captioned `caption` (as the Part spells it), null when none.
  QPushButton* ToolButton(const QString& caption) const;
  QPushButton* BasisButton() const { return basis_; }

 private:
  void BuildToolbar(QHBoxLayout* row);
  QPushButton* AddButton(QHBoxLayout* row, const QString& caption, std::function<void()> click);
  void AddStandardCommands();
  void AddParallelCommands();
  void EnableCommandButtons();
  void ApplyStyle(const std::string& style);
  void MakeCurrent(bool finance);
  // Takes the values being typed on both sides; false when one was refused.
  bool FinishEditing();
  // Saves the pair when either side changed; "凭证保存失败!" under `title` when it fails.
  bool SavedFor(const char* title);
  void Save();
  void Print(bool batch);
  // "科室成本打印": the financial voucher's department costs in the print preview.
  void PrintDepartmentCosts();
  void Announce(const QString& told);
  std::string Fingerprint() const;
  dualbasis::VoucherEditor& Lead() const;
  // The pair command that answers a main-menu command; null when none does.
  const PairCommand* AnswerTo(Command command) const;
  void closeEvent(QCloseEvent* event) override;

  dualbasis::FrmVoucherNew& window_;
  VoucherView* finance_ = nullptr;
  VoucherView* budget_ = nullptr;
  QSplitter* sides_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* basis_ = nullptr;
  QCheckBox* void_box_ = nullptr;
  QCheckBox* error_box_ = nullptr;
  QCheckBox* print_box_ = nullptr;
  QHBoxLayout* toolbar_ = nullptr;
  QHBoxLayout* command_buttons_ = nullptr;
  std::vector<PairCommand> commands_;
  std::vector<std::pair<QPushButton*, Command>> status_buttons_;
  std::vector<std::pair<QPushButton*, std::size_t>> command_buttons_of_;
  std::string style_;
  std::string rendered_;
  bool rendering_ = false;
};

// The vouchers of a pair as printed, financial first; a side that is 0 is left out.
std::vector<PrintedVoucher> PrintablePair(long financial_id, long budget_id);
// The pairs of a period of the login organisation in type and number order, void ones left
// out: what the pair window's batch print prints. Throws host::DatabaseError.
std::vector<PrintedVoucher> PrintablePairsOfPeriod(int year, int period);

// The paired window's view, its screen "pair", and the entries that open it in place of the
// voucher window ("填制凭证", 新增 with no window open) when the account set keeps both bases.
void RegisterPairViews(Desktop& desktop);

}  // namespace lumvoucher::ui
