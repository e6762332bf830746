#include "ui/pair_voucher_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <tuple>

#include "dualbasis/cls_voucher_new.h"
#include "dualbasis/diff_allocation.h"
#include "dualbasis/diff_texts.h"
#include "dualbasis/dual_texts.h"
#include "dualbasis/frm_attachment.h"
#include "dualbasis/frm_voucher_new.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "host/recordset.h"
#include "ui/attachment_dialog.h"
#include "ui/desktop.h"
#include "ui/failure_text.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/voucher_grid_model.h"
#include "ui/voucher_view.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::ui {

namespace texts = dualbasis::texts;
using dualbasis::VoucherEditor;

namespace {

// The sides' own titles, in the view and on paper.
constexpr const char* kFinanceTitle = "财务会计凭证";
constexpr const char* kBudgetTitle = "预算会计凭证";
// The basis switch of style "two" names the side it goes to.
constexpr const char* kToFinance = "财务会计";
constexpr const char* kToBudget = "预算会计";
constexpr const char* kTitleBatchPrint = "凭证成批打印";
// Captions of the pair's parallel-accounting and standard-voucher commands.
constexpr const char* kApplyTemplate = "根据模板平行记账";
constexpr const char* kCreateBudget = "生成预算会计凭证";
constexpr const char* kCreateTemplate = "生成平行记账模板";
constexpr const char* kAutoStudy = "自动学习";
constexpr const char* kAsksForBudget = "提示平行记账";
constexpr const char* kNewStdPair = "生成常用凭证";
constexpr const char* kLoadStdPair = "调用常用凭证";

// The main menu's commands that concern one voucher's lines or the editor itself: each goes
// unchanged to the current side.
constexpr std::array kSideCommands{
    Command::kEditDel,       Command::kEditInsLine,  Command::kEditDelLine,
    Command::kEditCopy,      Command::kEditPaste,    Command::kEditVoucherVolume,
    Command::kEditInterface, Command::kEditAlert,    Command::kEditSound,
    Command::kEditQuick,     Command::kEditCashLine, Command::kEditDeficit,
};

bool IsSideCommand(Command command) {
  return std::find(kSideCommands.begin(), kSideCommands.end(), command) != kSideCommands.end();
}

std::vector<dualbasis::GridLine> GridLines(const VoucherEditor& editor) {
  std::vector<dualbasis::GridLine> lines;
  for (const voucher::VoucherLine& line : editor.State().lines) {
    if (line.IsBlank()) continue;
    lines.push_back(
        {line.account_id, line.debit != 0 ? 1 : -1, line.debit != 0 ? line.debit : line.credit});
  }
  return lines;
}

}  // namespace

PairVoucherView::PairVoucherView(dualbasis::FrmVoucherNew& window, QWidget* parent)
    : QWidget(parent), window_(window) {
  setObjectName(QStringLiteral("FrmVoucherNew"));
  setWindowTitle(QStringLiteral("记账凭证"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  toolbar_ = new QHBoxLayout;
  layout->addLayout(toolbar_);

  dualbasis::clsVoucherNew& c = Controller();
  finance_ = new VoucherView(c.WindFinance(), this);
  budget_ = new VoucherView(c.WindBudget(), this);
  finance_->ShowAsPairSide(ToQt(kFinanceTitle));
  budget_->ShowAsPairSide(ToQt(kBudgetTitle));
  sides_ = new QSplitter(Qt::Horizontal, this);
  sides_->addWidget(finance_);
  sides_->addWidget(budget_);
  sides_->setChildrenCollapsible(false);
  layout->addWidget(sides_, 1);
  // Typing on a side changes what the pair's own commands may do before anything re-renders.
  for (VoucherView* side : {finance_, budget_}) {
    connect(side->Model(), &QAbstractItemModel::dataChanged, this,
            [this] { EnableCommandButtons(); });
    connect(side->Model(), &QAbstractItemModel::modelReset, this,
            [this] { EnableCommandButtons(); });
  }

  BuildToolbar(toolbar_);
  AddStandardCommands();
  setFocusProxy(finance_);

  // Style "one": the side the user works in is the current one.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now == nullptr || rendering_ || style_ != texts::kStyleOne) return;
    if (finance_->isAncestorOf(now) && !Controller().IsFinance) MakeCurrent(true);
    if (budget_->isAncestorOf(now) && Controller().IsFinance) MakeCurrent(false);
  });
  window_.SetWaitHandler([this](const std::string& text) {
    if (!text.empty()) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      status_->setText(ToQt(text));
      status_->show();
    } else {
      QApplication::restoreOverrideCursor();
    }
  });
  ApplyStyle(c.Style());
  Render();
}

PairVoucherView::~PairVoucherView() {
  window_.SetWaitHandler(nullptr);
}

dualbasis::clsVoucherNew& PairVoucherView::Controller() {
  return window_.Controller();
}

VoucherView* PairVoucherView::CurrentSide() const {
  return window_.Controller().IsFinance ? finance_ : budget_;
}

QString PairVoucherView::StatusText() const {
  return status_->text();
}

// ---- Building --------------------------------------------------------------------------------

void PairVoucherView::AddCommand(std::string caption, std::function<bool()> enabled,
                                 std::function<void()> run, bool on_toolbar,
                                 std::optional<Command> main_menu, std::function<bool()> checked) {
  commands_.push_back({std::move(caption), std::move(enabled), std::move(run), on_toolbar,
                       main_menu, std::move(checked)});
  if (!commands_.back().on_toolbar) return;
  const std::size_t index = commands_.size() - 1;
  QPushButton* button = AddButton(command_buttons_, ToQt(commands_.back().caption),
                                  [this, index] { RunEditMenu(static_cast<int>(index)); });
  command_buttons_of_.emplace_back(button, index);
}

// The pair window's own commands. A further command is one AddCommand here.
void PairVoucherView::AddStandardCommands() {
  dualbasis::clsVoucherNew* c = &Controller();
  auto stored = [c] { return c->WindFinance().GetLngNowID() > 0; };
  AddCommand(
      texts::kCashFlow, stored,
      [this, c] {
        if (SavedFor("现金流量")) c->WindFinance().CashFlow();
      },
      true);
  AddCommand(
      texts::kSettlement, stored,
      [this, c] {
        if (SavedFor("往来核销")) c->WindFinance().CurrentAccountSettlement();
      },
      true);
  // The financial editor's line splits and document links; the presenter saves what must be.
  auto finance_lines = [c] { return c->WindFinance().HasLines(); };
  const std::tuple<const char*, std::function<bool()>, bool (dualbasis::clsVoucherNew::*)()>
      forwarded[] = {
          {texts::kContract, finance_lines, &dualbasis::clsVoucherNew::ContractSettlement},
          {texts::kFundCentre, stored, &dualbasis::clsVoucherNew::FundCentre},
          {texts::kMemo, stored, &dualbasis::clsVoucherNew::MemoRegistration},
          {texts::kCostCollection, finance_lines, &dualbasis::clsVoucherNew::CostCollection}};
  for (const auto& [caption, enabled, command] : forwarded) {
    AddCommand(
        caption, enabled,
        [this, c, command = command] {
          if (FinishEditing()) (c->*command)();
        },
        true);
  }
  AddCommand(
      texts::kIssueBills, stored,
      [this, c] {
        if (FinishEditing()) c->IssueBills();
      },
      true);
  AddCommand(
      texts::kAttachment, stored,
      [this, c] {
        if (FinishEditing()) c->Attachments();
      },
      true);
  AddCommand(
      texts::kDepartmentCost, stored,
      [this, c] {
        if (FinishEditing()) PrintDepartmentCosts();
      },
      true);
  AddCommand(
      texts::kError,
      [c] { return c->WindFinance().GetLngNowID() > 0 || c->WindBudget().GetLngNowID() > 0; },
      [this, c] {
        if (FinishEditing()) c->ErrorCommand();
      },
      true, std::nullopt, [c] { return c->ChkBoxErrorValue(); });
  AddCommand(
      texts::kBusinessData, stored,
      [this, c] {
        if (FinishEditing()) c->BusinessData();
      },
      true);
  AddCommand(
      dualbasis::diff_texts::kTitle,
      [c] { return c->WindFinance().GetLngNowID() > 0 || c->WindBudget().GetLngNowID() > 0; },
      [this, c] {
        if (!SavedFor(dualbasis::diff_texts::kTitle)) return;
        dualbasis::DiffAllocationCommand(c->WindFinance().GetLngNowID(),
                                         c->WindBudget().GetLngNowID(), GridLines(c->WindFinance()),
                                         GridLines(c->WindBudget()));
      },
      true);
  AddCommand(
      texts::kSwitchStyle, nullptr, [this] { ApplyStyle(Controller().SwitchStyle()); }, true);
  AddParallelCommands();
}

// Parallel accounting and the pair's standard vouchers; the presenter asks its own questions.
void PairVoucherView::AddParallelCommands() {
  dualbasis::clsVoucherNew* c = &Controller();
  auto finance_lines = [c] { return c->WindFinance().HasLines(); };
  AddCommand(
      kApplyTemplate, finance_lines, [c] { c->ApplyTemplate(); }, true, Command::kEditRuleProduce);
  AddCommand(
      kCreateBudget, nullptr, [c] { c->SetChkCreateBVoucher(!c->GetChkCreateBVoucher()); }, false,
      std::nullopt, [c] { return c->GetChkCreateBVoucher(); });
  AddCommand(
      kCreateTemplate, [c] { return c->WindFinance().HasLines() && c->WindBudget().HasLines(); },
      [c] { c->CreateTemplateFromPair(); }, false, Command::kEditDoubleRule);
  AddCommand(
      kAutoStudy, nullptr, [c] { c->mclsMainControl_EditAutoStudy(); }, false,
      Command::kEditAutoStudy, [c] { return c->AutoStudy(); });
  AddCommand(
      kAsksForBudget, nullptr, [c] { c->SetAsksForBudget(!c->AsksForBudget()); }, false,
      std::nullopt, [c] { return c->AsksForBudget(); });
  AddCommand(
      kNewStdPair, finance_lines, [c] { c->CreateVoucherAll(); }, false, Command::kEditNewTemplate);
  AddCommand(
      kLoadStdPair, nullptr, [c] { c->LoadStdVoucher(); }, false, Command::kEditLoadTemplate);
}

QPushButton* PairVoucherView::AddButton(QHBoxLayout* row, const QString& caption,
                                        std::function<void()> click) {
  auto* button = new QPushButton(caption, this);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, click = std::move(click)] {
    Guarded(this, click);
    if (host::HostMainWindow* main = frame::Login().main_window) main->ChildActive();
  });
  row->addWidget(button);
  return button;
}

void PairVoucherView::BuildToolbar(QHBoxLayout* row) {
  const std::pair<const char*, Command> status_commands[] = {
      {texts::kSave, Command::kFileSave},   {texts::kReview, Command::kReview},
      {texts::kPost, Command::kPost},       {texts::kSign, Command::kCashierSign},
      {texts::kReverse, Command::kReverse},
  };
  for (const auto& [caption, command] : status_commands) {
    QPushButton* button = AddButton(row, ToQt(caption), [this, command = command] {
      if (Handles(command)) Run(command);
    });
    status_buttons_.emplace_back(button, command);
  }
  // AddCommand puts the window's own commands here.
  command_buttons_ = new QHBoxLayout;
  row->addLayout(command_buttons_);
  basis_ = AddButton(row, QString(), [this] { MakeCurrent(!Controller().IsFinance); });
  basis_->setObjectName(QStringLiteral("basisSwitch"));

  row->addStretch(1);
  void_box_ = new QCheckBox(ToQt(texts::kVoidBox), this);
  error_box_ = new QCheckBox(ToQt(texts::kErrorBox), this);
  print_box_ = new QCheckBox(ToQt(texts::kToPrintBox), this);
  connect(void_box_, &QCheckBox::clicked, this, [this] {
    if (rendering_ || !FinishEditing()) return;
    Controller().SetVoidBox();
    Render();
  });
  connect(error_box_, &QCheckBox::clicked, this, [this](bool on) {
    if (rendering_) return;
    Controller().SetErrorBox(on, on ? std::string(" ") : std::string());
    Render();
  });
  connect(print_box_, &QCheckBox::clicked, this, [this](bool on) {
    if (rendering_) return;
    Controller().SetToPrintBox(on);
    Render();
  });
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("pairStatus"));
  status_->setStyleSheet(QStringLiteral("color: #c01010; font-weight: bold;"));
  for (QWidget* widget :
       std::initializer_list<QWidget*>{void_box_, error_box_, print_box_, status_}) {
    row->addWidget(widget);
  }
}

QPushButton* PairVoucherView::ToolButton(const QString& caption) const {
  for (QPushButton* button : findChildren<QPushButton*>()) {
    if (button->text() == caption && !finance_->isAncestorOf(button) &&
        !budget_->isAncestorOf(button)) {
      return button;
    }
  }
  return nullptr;
}

// ---- Style and the current side --------------------------------------------------------------

void PairVoucherView::ApplyStyle(const std::string& style) {
  style_ = style;
  const bool one_at_a_time = style == texts::kStyleTwo;
  basis_->setVisible(one_at_a_time);
  const bool finance = Controller().IsFinance;
  finance_->setVisible(!one_at_a_time || finance);
  budget_->setVisible(!one_at_a_time || !finance);
  basis_->setText(ToQt(finance ? kToBudget : kToFinance));
}

void PairVoucherView::MakeCurrent(bool finance) {
  Controller().IsFinance = finance;
  if (style_ == texts::kStyleTwo) ApplyStyle(style_);
  if (host::HostMainWindow* main = frame::Login().main_window) main->ChildActive();
}

// ---- Rendering -------------------------------------------------------------------------------

// The voucher the pair's status commands follow: the current side's, else its partner's.
VoucherEditor& PairVoucherView::Lead() const {
  dualbasis::clsVoucherNew& c = window_.Controller();
  if (c.Current().GetLngNowID() > 0) return c.Current();
  return c.IsFinance ? c.WindBudget() : c.WindFinance();
}

std::string PairVoucherView::Fingerprint() const {
  dualbasis::clsVoucherNew& c = window_.Controller();
  std::string print;
  for (const VoucherEditor* editor : {&c.WindFinance(), &c.WindBudget()}) {
    const voucher::VoucherHeader& h = editor->State().header;
    print += std::to_string(h.voucher_id) + "," + std::to_string(editor->IsChanged()) + "," +
             std::to_string(h.checker_id) + "," + std::to_string(h.poster_id) + "," +
             std::to_string(h.teller_id) + "," + std::to_string(h.void_mark) +
             std::to_string(h.error_mark) + std::to_string(h.print_mark) + "," +
             std::to_string(editor->State().lines.size()) + "|";
  }
  return print + c.StatusLabel() + "|" + std::to_string(c.IsFinance);
}

void PairVoucherView::Render() {
  rendering_ = true;
  dualbasis::clsVoucherNew& c = Controller();
  finance_->Render();
  budget_->Render();
  if (style_ == texts::kStyleTwo) ApplyStyle(style_);
  for (const auto& [button, command] : status_buttons_) {
    const std::string caption = Caption(command);
    if (!caption.empty()) button->setText(ToQt(caption));
    button->setEnabled(Handles(command));
  }
  EnableCommandButtons();
  const bool stored = c.WindFinance().GetLngNowID() > 0 || c.WindBudget().GetLngNowID() > 0;
  void_box_->setChecked(c.ChkBoxBlankoutValue());
  void_box_->setEnabled(stored);
  error_box_->setChecked(c.WindFinance().State().header.error_mark ||
                         c.WindBudget().State().header.error_mark);
  print_box_->setChecked(c.WindFinance().State().header.print_mark ||
                         c.WindBudget().State().header.print_mark);
  status_->setText(ToQt(c.StatusLabel()));
  status_->setVisible(!c.StatusLabel().empty());
  rendered_ = Fingerprint();
  rendering_ = false;
}

void PairVoucherView::EnableCommandButtons() {
  for (const auto& [button, index] : command_buttons_of_) {
    button->setEnabled(!commands_[index].enabled || commands_[index].enabled());
  }
}

// ---- Commands --------------------------------------------------------------------------------

bool PairVoucherView::Handles(Command command) const {
  if (!rendering_ && Fingerprint() != rendered_) {
    // InterFace or a list opened another pair in the controller; catch up after the menus.
    auto* self = const_cast<PairVoucherView*>(this);
    QTimer::singleShot(0, self, [self] {
      if (self->Fingerprint() != self->rendered_) self->Render();
    });
  }
  if (IsSideCommand(command)) return CurrentSide()->Handles(command);
  if (const PairCommand* own = AnswerTo(command)) return !own->enabled || own->enabled();
  dualbasis::clsVoucherNew& c = window_.Controller();
  VoucherEditor& lead = Lead();
  const bool stored = lead.GetLngNowID() > 0;
  switch (command) {
    case Command::kFileSave:
    case Command::kEditNew:
    case Command::kReceiptPrevious:
    case Command::kReceiptNext:
    case Command::kEditBatchPrint:
    case Command::kEditBudgetAlarm:
      return true;
    case Command::kToolRefresh:
      return stored;
    case Command::kFilePrint:
      return c.WindFinance().HasLines() || c.WindBudget().HasLines();
    case Command::kReview:
      return stored && lead.StatusButtons().review;
    case Command::kCashierSign:
      return stored && lead.StatusButtons().sign;
    case Command::kPost:
      return stored && lead.StatusButtons().post;
    case Command::kReverse:
      return stored && lead.StatusButtons().reverse;
    case Command::kEditInActive:
      return stored && lead.StatusButtons().void_voucher;
    default:
      return false;
  }
}

std::string PairVoucherView::Caption(Command command) const {
  if (IsSideCommand(command)) return CurrentSide()->Caption(command);
  const voucher::VoucherHeader& h = Lead().State().header;
  switch (command) {
    case Command::kReview:
      return h.checker_id != 0 ? voucher::texts::kCancelReview : texts::kReview;
    case Command::kPost:
      return h.poster_id != 0 ? voucher::texts::kCancelPost : texts::kPost;
    case Command::kCashierSign:
      return h.teller_id != 0 ? voucher::texts::kCancelSign : texts::kSign;
    case Command::kEditBudgetAlarm:
      return window_.Controller().WindFinance().BudgetAlarmCaption();
    default:
      return {};
  }
}

bool PairVoucherView::Checked(Command command) const {
  if (IsSideCommand(command)) return CurrentSide()->Checked(command);
  const PairCommand* own = AnswerTo(command);
  return own && own->checked && own->checked();
}

const PairVoucherView::PairCommand* PairVoucherView::AnswerTo(Command command) const {
  for (const PairCommand& own : commands_) {
    if (own.main_menu == command) return &own;
  }
  return nullptr;
}

std::vector<MenuEntry> PairVoucherView::EditMenu() const {
  std::vector<MenuEntry> entries;
  for (std::size_t i = 0; i < commands_.size(); ++i) {
    const PairCommand& command = commands_[i];
    entries.push_back({static_cast<int>(i), command.caption, !command.enabled || command.enabled(),
                       command.checked != nullptr, command.checked && command.checked()});
  }
  return entries;
}

void PairVoucherView::RunEditMenu(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= commands_.size()) return;
  const PairCommand& command = commands_[static_cast<std::size_t>(index)];
  if (command.enabled && !command.enabled()) return;
  command.run();
  Render();
}

bool PairVoucherView::RunOwnCommand(const QString& caption) {
  for (std::size_t i = 0; i < commands_.size(); ++i) {
    QString own = ToQt(commands_[i].caption);
    own.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    if (own != caption) continue;
    RunEditMenu(static_cast<int>(i));
    return true;
  }
  return false;
}

bool PairVoucherView::FinishEditing() {
  return finance_->FinishEditing() && budget_->FinishEditing();
}

bool PairVoucherView::SavedFor(const char* title) {
  if (!FinishEditing()) return false;
  dualbasis::clsVoucherNew& c = Controller();
  if (!c.WindFinance().IsChanged() && !c.WindBudget().IsChanged()) return true;
  if (c.SaveBill()) {
    Announce({});
    return true;
  }
  frame::Msg(texts::kSaveFailed, host::mb::kTaskModal + host::mb::kExclamation, title);
  return false;
}

void PairVoucherView::Announce(const QString& told) {
  auto* main = dynamic_cast<MainWindow*>(frame::Login().main_window);
  if (main == nullptr) return;
  if (!told.isEmpty()) main->Tell(told);
  main->AnnounceVouchersChanged();
}

void PairVoucherView::Save() {
  if (!FinishEditing()) return;
  dualbasis::clsVoucherNew& c = Controller();
  const bool had_edits = c.WindFinance().IsChanged() || c.WindBudget().IsChanged();
  if (c.SaveBill() && had_edits) {
    const voucher::VoucherHeader& h =
        (c.WindFinance().GetLngNowID() > 0 ? c.WindFinance() : c.WindBudget()).State().header;
    Announce(QStringLiteral("凭证“") + ToQt(h.type_code) + QLatin1Char('-') + ToQt(h.number) +
             QStringLiteral("”已保存。"));
  }
}

void PairVoucherView::Print(bool batch) {
  const char* title = batch ? kTitleBatchPrint : texts::kTitlePrint;
  if (!SavedFor(title)) return;
  dualbasis::clsVoucherNew& c = Controller();
  std::vector<PrintedVoucher> vouchers;
  try {
    if (batch) {
      const VoucherEditor& lead =
          c.WindFinance().GetLngNowID() > 0 ? c.WindFinance() : c.WindBudget();
      const host::LoginContext& login = frame::Context();
      const bool stored = lead.GetLngNowID() > 0;
      vouchers = PrintablePairsOfPeriod(stored ? lead.State().header.year : login.LoginYear(),
                                        stored ? lead.State().header.period : login.LoginPeriod());
    } else {
      for (const VoucherEditor* editor : {&c.WindFinance(), &c.WindBudget()}) {
        if (!editor->HasLines()) continue;
        vouchers.push_back(PrintableVoucher(editor->State()));
        vouchers.back().title = editor == &c.WindFinance() ? kFinanceTitle : kBudgetTitle;
      }
    }
  } catch (const host::DatabaseError&) {
    vouchers.clear();
  }
  if (vouchers.empty()) {
    frame::Msg(texts::kPrintFailed, host::mb::kTaskModal + host::mb::kExclamation, title);
    return;
  }
  // The two vouchers of a pair to one page, as they are bound.
  PreviewVouchers(this, vouchers, 2);
}

void PairVoucherView::PrintDepartmentCosts() {
  dualbasis::clsVoucherNew& c = Controller();
  const std::vector<dualbasis::clsVoucherNew::DepartmentCost> costs = c.DepartmentCosts();
  if (costs.empty()) return;
  const voucher::VoucherHeader& h = c.WindFinance().State().header;
  lists::ListState table;
  table.title = "科室成本（" + h.type_code + "-" + h.number + "）";
  for (const char* caption : {"科室", "收支项目", "金额"}) {
    lists::ListColumn column;
    column.caption = column.header = caption;
    table.columns.push_back(column);
  }
  for (const auto& cost : costs) {
    table.rows.push_back({cost.department, cost.item,
                          voucher::FormatFixed(cost.amount, frame::Context().AmountDecimals())});
  }
  PreviewList(this, table);
}

void PairVoucherView::Run(Command command) {
  dualbasis::clsVoucherNew& c = Controller();
  if (IsSideCommand(command)) {
    CurrentSide()->Run(command);
    Render();
    return;
  }
  if (const PairCommand* own = AnswerTo(command)) {
    own->run();
    Render();
    return;
  }
  if (!FinishEditing()) return;
  switch (command) {
    case Command::kFileSave:
      Save();
      break;
    case Command::kEditNew:
      if (c.ShowNewPair()) {
        Render();
        CurrentSide()->EditCell(1, voucher::LineField::kRemark);
      }
      break;
    case Command::kReceiptPrevious:
    case Command::kReceiptNext:
      c.ReceiptPosition(command == Command::kReceiptNext);
      break;
    case Command::kToolRefresh:
      if (c.AskToSave()) {
        const long F = c.WindFinance().GetLngNowID();
        const std::string refusal = c.OpenPair(F, F > 0 ? 0 : c.WindBudget().GetLngNowID());
        if (!refusal.empty()) frame::Msg(refusal, host::mb::kCritical, texts::kTitleEdit);
      }
      break;
    case Command::kReview:
    case Command::kPost:
    case Command::kCashierSign: {
      const bool done = command == Command::kReview ? c.Review()
                        : command == Command::kPost ? c.Post()
                                                    : c.CashierSign();
      if (done) Announce({});
      break;
    }
    case Command::kReverse:
      if (c.Reverse()) {
        Render();
        CurrentSide()->EditCell(1, voucher::LineField::kRemark);
      }
      break;
    case Command::kEditInActive:
      c.SetVoidBox();
      break;
    case Command::kEditBudgetAlarm:
      // One switch for the pair: only the financial side is checked, but both editors save.
      c.WindFinance().ToggleBudgetAlarm();
      c.WindBudget().ToggleBudgetAlarm();
      break;
    case Command::kFilePrint:
    case Command::kEditBatchPrint:
      Print(command == Command::kEditBatchPrint);
      break;
    default:
      break;
  }
  Render();
}

void PairVoucherView::closeEvent(QCloseEvent* event) {
  dualbasis::clsVoucherNew& c = Controller();
  const long F = c.WindFinance().GetLngNowID();
  if (!FinishEditing()) {
    event->ignore();
    return;
  }
  // The cash-flow step may delete the pair it was asked about: the window then closes, as its
  // question said.
  if (!c.QueryUnload() && !(F > 0 && c.WindFinance().GetLngNowID() == 0)) {
    Render();
    event->ignore();
    return;
  }
  event->accept();
}

// ---- Printing --------------------------------------------------------------------------------

std::vector<PrintedVoucher> PrintablePair(long financial_id, long budget_id) {
  std::vector<PrintedVoucher> vouchers;
  if (financial_id > 0) {
    if (std::optional<PrintedVoucher> v = PrintableVoucher(financial_id, host::FinancialBasis())) {
      v->title = kFinanceTitle;
      vouchers.push_back(std::move(*v));
    }
  }
  if (budget_id > 0) {
    if (std::optional<PrintedVoucher> v = PrintableVoucher(budget_id, host::BudgetBasis())) {
      v->title = kBudgetTitle;
      vouchers.push_back(std::move(*v));
    }
  }
  return vouchers;
}

std::vector<PrintedVoucher> PrintablePairsOfPeriod(int year, int period) {
  // A pair is found by its leading voucher: the financial one, else the budget one.
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select r.lngVoucherID, r.lngBudgetVoucherID From BudgetVoucherRelevance r, VoucherView v "
      "Where v.lngVoucherID = decode(r.lngVoucherID,0,r.lngBudgetVoucherID,r.lngVoucherID) "
      "And v.intYear = " +
      frame::SqlNumber(year) + " And v.bytPeriod = " + frame::SqlNumber(period) +
      " And r.lngSourceOrganizationID = " + frame::SqlNumber(frame::OrganizationId()) +
      " And v.blnIsVoid = 0 Order By v.lngVoucherTypeID, v.intVoucherNO, r.lngVoucherRelevanceID");
  std::vector<PrintedVoucher> vouchers;
  for (; !rs.Eof(); rs.MoveNext()) {
    for (PrintedVoucher& v : PrintablePair(static_cast<long>(rs[std::size_t{0}].AsLong()),
                                           static_cast<long>(rs[1].AsLong()))) {
      vouchers.push_back(std::move(v));
    }
  }
  return vouchers;
}

// ---- Desktop ---------------------------------------------------------------------------------

void RegisterPairViews(Desktop& desktop) {
  desktop.Modal().Register<dualbasis::frmAttachment, AttachmentDialog>();
  desktop.Main().RegisterChildView(
      "FrmVoucherNew", [](host::ChildWindow& child) -> std::unique_ptr<QWidget> {
        if (auto* window = dynamic_cast<dualbasis::FrmVoucherNew*>(&child)) {
          return std::make_unique<PairVoucherView>(*window);
        }
        return std::make_unique<QLabel>(ToQt(child.WindowName()));
      });
  // The hospital's 记-000001 (log in with --org 5001 --operator 5001); an account set of one
  // basis has no pairs to show.
  desktop.Screens().Register("pair", [](Desktop& d) -> QWidget* {
    if (frame::IsDualBasis()) d.Component().ShowAOldBill(5001, false);
    return &d.Main();
  });
  if (!frame::IsDualBasis()) return;
  auto new_pair = [&desktop] {
    desktop.Component().ShowANewBill(0);
    if (auto* view = dynamic_cast<PairVoucherView*>(desktop.Main().ActiveTarget())) {
      view->Render();
      view->CurrentSide()->EditCell(1, voucher::LineField::kRemark);
    }
  };
  desktop.Main().AddOpener(QStringLiteral("填制凭证"), new_pair,
                           QKeySequence(QStringLiteral("Ctrl+Shift+N")));
  desktop.Main().SetFallback(Command::kEditNew, new_pair);
}

}  // namespace lumvoucher::ui
