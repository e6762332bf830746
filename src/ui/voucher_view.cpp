#include "ui/voucher_view.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <optional>

#include "frame/login_state.h"
#include "host/database_error.h"
#include "host/recordset.h"
#include "numbering/numbering_windows.h"
#include "templates/frm_create_std_voucher.h"
#include "templates/frm_voucher_io.h"
#include "ui/current_cell_delegate.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/voucher_entry_panel.h"
#include "ui/voucher_grid_model.h"
#include "ui/voucher_printer.h"
#include "voucher/account_completion.h"
#include "voucher/line_rules.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::ui {

using voucher::HeaderField;
using voucher::LineField;
namespace texts = voucher::texts;

namespace {

constexpr int kCompletions = 20;

// The window preference an option command switches.
std::optional<voucher::WindowPreference> PreferenceOf(Command command) {
  switch (command) {
    case Command::kEditAlert:
      return voucher::WindowPreference::kAlert;
    case Command::kEditSound:
      return voucher::WindowPreference::kSound;
    case Command::kEditQuick:
      return voucher::WindowPreference::kQuick;
    case Command::kEditCashLine:
      return voucher::WindowPreference::kCashLine;
    case Command::kEditDeficit:
      return voucher::WindowPreference::kDeficit;
    default:
      return std::nullopt;
  }
}

int RowOf(const QWidget* editor) {
  return editor->property("row").toInt();
}

int ColumnOfEditor(const QWidget* editor) {
  return editor->property("column").toInt();
}

voucher::frmVoucher::ReceiptMove MoveOf(Command command) {
  using Move = voucher::frmVoucher::ReceiptMove;
  switch (command) {
    case Command::kReceiptFirst:
      return Move::kFirst;
    case Command::kReceiptPrevious:
      return Move::kPrevious;
    case Command::kReceiptNext:
      return Move::kNext;
    default:
      return Move::kLast;
  }
}

bool IsEnter(const QKeyEvent* key) {
  return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
          key->key() == Qt::Key_Tab) &&
         (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
}

// The fields Enter visits on a line, in order: what every line has, then what its account
// calls for, then the amount side(s) still open.
std::vector<LineField> EntryOrder(const voucher::VoucherLine& line,
                                  const std::optional<host::AccountInfo>& account) {
  std::vector<LineField> order{LineField::kRemark, LineField::kAccount};
  if (account) {
    if (account->currency) {
      order.push_back(LineField::kCurrency);
      order.push_back(LineField::kRate);
    }
    if (account->quantity) {
      order.push_back(LineField::kQuantity);
      order.push_back(LineField::kPrice);
    }
    if (account->currency) order.push_back(LineField::kCurrencyAmount);
    if (account->unit) order.push_back(LineField::kUnit);
    if (account->department) order.push_back(LineField::kDepartment);
    if (account->employee) order.push_back(LineField::kEmployee);
    if (account->class1) order.push_back(LineField::kClass1);
    if (account->class2) order.push_back(LineField::kClass2);
    if (account->nature == host::account_nature::kBank) {
      order.push_back(LineField::kPaymentMethod);
      order.push_back(LineField::kCheckNumber);
    }
    if (account->nature == host::account_nature::kReceivable ||
        account->nature == host::account_nature::kPayable) {
      order.push_back(LineField::kCheckNumber);
      order.push_back(LineField::kBusinessDate);
    }
  }
  if (line.debit != 0) {
    order.push_back(LineField::kDebit);
  } else if (line.credit != 0) {
    order.push_back(LineField::kCredit);
  } else {
    order.push_back(LineField::kDebit);
    order.push_back(LineField::kCredit);
  }
  return order;
}

QLabel* CaptionLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QStringLiteral("caption"));
  return label;
}

}  // namespace

// The grid's editors: a line edit per cell, with the chart's completion in the account cell.
// It takes Enter, Tab and "=" away from the grid so that the view decides where the cursor goes
// and whether an editor may close.
class VoucherCellDelegate : public CurrentCellDelegate {
 public:
  explicit VoucherCellDelegate(VoucherView* view) : CurrentCellDelegate(view), view_(view) {}

  QLineEdit* Editor() const { return editor_; }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    // The cell being typed in carries the current cell's frame.
    editor->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid %1; background: #fffbe6; }")
                              .arg(CurrentCellDelegate::kCurrentFrame.name()));
    editor->setProperty("row", index.row());
    editor->setProperty("column", index.column());
    const LineField field = FieldOfColumn(index.column());
    editor->setObjectName(QStringLiteral("cellEditor"));
    if (IsNumberField(field)) editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (field == LineField::kAccount) AttachCompletion(editor);
    editor_ = editor;
    return editor;
  }

  void setEditorData(QWidget* widget, const QModelIndex& index) const override {
    auto* editor = qobject_cast<QLineEdit*>(widget);
    // Once only: the grid re-reads every cell after each edit, and a refused value has to stay
    // as it was typed.
    if (editor == nullptr || editor->property("loaded").toBool()) return;
    const QString text = index.data(Qt::EditRole).toString();
    editor->setText(text);
    editor->setProperty("initial", text);
    editor->setProperty("loaded", true);
    editor->selectAll();
  }

  void setModelData(QWidget* widget, QAbstractItemModel*, const QModelIndex&) const override {
    // The grid commits when the cursor leaves by mouse or arrow keys.
    if (auto* editor = qobject_cast<QLineEdit*>(widget)) view_->CommitEditor(editor);
  }

  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex&) const override {
    editor->setGeometry(option.rect);
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    QLineEdit* editor = editor_;
    if (editor != nullptr && editor->completer() != nullptr &&
        object == editor->completer()->popup()) {
      return PopupKey(editor, event);
    }
    editor = qobject_cast<QLineEdit*>(object);
    if (editor == nullptr) return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (IsEnter(key)) {
        view_->CommitAndAdvance(editor, true);
        return true;
      }
      if (key->key() == Qt::Key_Backtab) {
        view_->CommitAndAdvance(editor, false);
        return true;
      }
      const bool amount = IsAmountField(FieldOfColumn(ColumnOfEditor(editor)));
      if (key->text() == QStringLiteral("=") && amount) {
        view_->FillBalance(editor);
        return true;
      }
      if (key->key() == Qt::Key_Space && amount && key->modifiers() == Qt::NoModifier) {
        view_->MoveToOtherSide(editor);
        return true;
      }
      if (key->key() == Qt::Key_Escape &&
          (editor->completer() == nullptr || !editor->completer()->popup()->isVisible())) {
        view_->RevertEditor(editor);
        return true;
      }
    }
    if (event->type() == QEvent::FocusOut) {
      // A message box of the presenter or the completion list has the focus for a while; the
      // editor stays open with what was typed.
      if (view_->Committing() || QApplication::activeModalWidget() != nullptr) return true;
      if (editor->completer() != nullptr && editor->completer()->popup()->isVisible()) {
        return false;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  void AttachCompletion(QLineEdit* editor) const {
    auto* completer = new QCompleter(editor);
    auto* choices = new QStringListModel(completer);
    completer->setModel(choices);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setMaxVisibleItems(12);
    editor->setCompleter(completer);
    completer->popup()->installEventFilter(const_cast<VoucherCellDelegate*>(this));
    const host::VoucherBasis& basis = view_->Presenter().Basis();
    QObject::connect(editor, &QLineEdit::textEdited, completer,
                     [completer, choices, &basis](const QString& text) {
                       QStringList items;
                       try {
                         for (const voucher::AccountChoice& choice :
                              voucher::CompleteAccount(ToUtf8(text), kCompletions, basis)) {
                           items << ToQt(choice.Text());
                         }
                       } catch (const host::DatabaseError&) {
                         items.clear();
                       }
                       choices->setStringList(items);
                       if (items.isEmpty()) {
                         completer->popup()->hide();
                       } else {
                         completer->complete();
                       }
                     });
    // A click on an entry chooses it as Enter would.
    QObject::connect(completer, qOverload<const QString&>(&QCompleter::activated), editor,
                     [this, editor](const QString& text) {
                       editor->setText(text);
                       QTimer::singleShot(0, editor, [this, editor] {
                         if (editor_ == editor) view_->CommitAndAdvance(editor, true);
                       });
                     });
  }

  bool PopupKey(QLineEdit* editor, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsEnter(key)) return false;
    QAbstractItemView* popup = editor->completer()->popup();
    const QModelIndex chosen = popup->currentIndex();
    if (chosen.isValid()) editor->setText(chosen.data().toString());
    popup->hide();
    view_->CommitAndAdvance(editor, true);
    return true;
  }

  VoucherView* view_;
  mutable QPointer<QLineEdit> editor_;
};

VoucherView::VoucherView(voucher::frmVoucher& presenter, QWidget* parent)
    : QWidget(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmVoucher"));
  setAttribute(Qt::WA_StyledBackground);
  setWindowTitle(ToQt(texts::kCaption));
  setStyleSheet(QStringLiteral(
      "VoucherView, QWidget#frmVoucher { background: #fbfaf5; }"
      "QLabel#title { color: #7a1f1f; font-size: 22pt; font-weight: bold; letter-spacing: 6px;"
      " border-bottom: 4px double #7a1f1f; padding: 0 18px 2px 18px; }"
      "QLabel#marks { color: #c01010; font-size: 14pt; font-weight: bold;"
      " border: 2px solid #c01010; border-radius: 4px; padding: 1px 8px; }"
      "QLabel#caption { color: #333; }"
      "QLabel#info { background: #ffffff; border: 1px solid #c9c4b0; padding: 4px 6px;"
      " color: #2a4a7a; }"
      "QFrame#entryPanel { background: #f3f1e4; border: 1px solid #c9c4b0; }"
      "QTableView { background: #ffffff; gridline-color: #c9c4b0;"
      " selection-background-color: #d8e6f5; selection-color: #000; }"
      "QHeaderView::section { background: #ece8d6; border: 0; border-right: 1px solid #c9c4b0;"
      " border-bottom: 1px solid #c9c4b0; padding: 4px; font-weight: bold; }"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 10, 16, 10);
  layout->setSpacing(8);
  BuildHeader(layout);

  model_ = new VoucherGridModel(presenter_, this);
  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("voucherGrid"));
  grid_->setModel(model_);
  delegate_ = new VoucherCellDelegate(this);
  grid_->setItemDelegate(delegate_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
  grid_->setWordWrap(false);
  setFocusProxy(grid_);
  grid_->verticalHeader()->setDefaultSectionSize(30);
  grid_->verticalHeader()->setMinimumWidth(28);
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->horizontalHeader()->setMinimumSectionSize(40);
  for (std::size_t i = 0; i < VoucherColumns().size(); ++i) {
    grid_->setColumnWidth(static_cast<int>(i), VoucherColumns()[i].width);
  }
  layout->addWidget(grid_, 1);
  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (rendering_ || !current.isValid()) return;
            if (current.row() >= static_cast<int>(presenter_.State().lines.size())) return;
            presenter_.SetCurrentRow(current.row() + 1);
            RenderPanel();
          });

  panel_ = new VoucherEntryPanel(this);
  panel_->SetCommit([this](LineField field, const QString& text) {
    const int row = presenter_.State().current_row;
    committing_ = true;
    const bool accepted = presenter_.SetCell(row, field, ToUtf8(text));
    committing_ = false;
    Render();
    return accepted;
  });
  connect(panel_, &VoucherEntryPanel::Finished, this, [this] {
    const int row = presenter_.State().current_row;
    if (row >= 1) FinishLine(row);
  });
  layout->addWidget(panel_);

  info_ = new QLabel(this);
  info_->setObjectName(QStringLiteral("info"));
  info_->setMinimumHeight(28);
  info_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(info_);
  BuildFooter(layout);

  presenter_.SetWaitHandler([this](const std::string& text) {
    if (!text.empty()) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      info_->setText(ToQt(text));
    } else {
      QApplication::restoreOverrideCursor();
    }
  });
  // A stored voucher the operator may not change says why when he tries.
  grid_->installEventFilter(this);
  connect(grid_, &QTableView::doubleClicked, this, [this] {
    if (!refusal_.empty() && !presenter_.State().preview) MayEdit();
  });
  LoadChoices();
  Render();
}

VoucherView::~VoucherView() {
  presenter_.SetWaitHandler(nullptr);
}

void VoucherView::ShowAsPairSide(const QString& title) {
  title_->setText(title);
  for (QPushButton* button : {review_, sign_, post_}) button->hide();
}

void VoucherView::BuildHeader(QVBoxLayout* layout) {
  auto* top = new QHBoxLayout;
  top->addStretch(1);
  title_ = new QLabel(ToQt(texts::kCaption), this);
  title_->setObjectName(QStringLiteral("title"));
  title_->setAlignment(Qt::AlignCenter);
  top->addWidget(title_);
  top->addStretch(1);
  layout->addLayout(top);

  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  type_ = new QComboBox(this);
  type_->setObjectName(QStringLiteral("voucherType"));
  type_->setMinimumWidth(64);
  number_ = new QLineEdit(this);
  number_->setObjectName(QStringLiteral("voucherNumber"));
  number_->setFixedWidth(90);
  date_ = new QLineEdit(this);
  date_->setObjectName(QStringLiteral("voucherDate"));
  date_->setFixedWidth(110);
  date_->setInputMask(QStringLiteral("0000-00-00"));
  attachments_ = new QLineEdit(this);
  attachments_->setObjectName(QStringLiteral("attachments"));
  attachments_->setFixedWidth(50);
  attachments_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  template_ = new QComboBox(this);
  template_->setObjectName(QStringLiteral("template"));
  template_->setMinimumWidth(150);
  print_mark_ = new QCheckBox(QStringLiteral("待打印"), this);
  print_mark_->setObjectName(QStringLiteral("printMark"));
  marks_ = new QLabel(this);
  marks_->setObjectName(QStringLiteral("marks"));

  row->addWidget(CaptionLabel(QStringLiteral("凭证字"), this));
  row->addWidget(type_);
  row->addWidget(CaptionLabel(QStringLiteral("号"), this));
  row->addWidget(number_);
  row->addSpacing(24);
  row->addWidget(CaptionLabel(QStringLiteral("日期"), this));
  row->addWidget(date_);
  row->addSpacing(24);
  row->addWidget(CaptionLabel(QStringLiteral("附单据数"), this));
  row->addWidget(attachments_);
  row->addWidget(CaptionLabel(QStringLiteral("张"), this));
  row->addSpacing(24);
  row->addWidget(CaptionLabel(QStringLiteral("模板"), this));
  row->addWidget(template_);
  row->addStretch(1);
  row->addWidget(print_mark_);
  row->addSpacing(12);
  row->addWidget(marks_);
  layout->addLayout(row);

  auto commit_on_finish = [this](QLineEdit* edit, HeaderField field) {
    connect(edit, &QLineEdit::editingFinished, this,
            [this, edit, field] { CommitHeader(field, edit->text()); });
  };
  commit_on_finish(number_, HeaderField::kNumber);
  commit_on_finish(date_, HeaderField::kDate);
  commit_on_finish(attachments_, HeaderField::kAttachments);
  connect(type_, &QComboBox::activated, this,
          [this] { CommitHeader(HeaderField::kVoucherType, type_->currentText()); });
  connect(template_, &QComboBox::activated, this,
          [this] { CommitHeader(HeaderField::kTemplate, template_->currentText()); });
  connect(print_mark_, &QCheckBox::clicked, this, [this](bool on) {
    if (rendering_) return;
    presenter_.SetPrintMark(on);
    Render();
  });
}

void VoucherView::BuildFooter(QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  auto name = [this, row](const QString& caption, const char* object) {
    row->addWidget(CaptionLabel(caption, this));
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(object));
    label->setMinimumWidth(90);
    row->addWidget(label);
    row->addSpacing(18);
    return label;
  };
  maker_ = name(QStringLiteral("制单："), "maker");
  checker_ = name(QStringLiteral("复核："), "checker");
  poster_ = name(QStringLiteral("记账："), "poster");
  teller_ = name(QStringLiteral("出纳："), "teller");
  row->addStretch(1);
  auto button = [this, row](Command command, const char* object) {
    auto* b = new QPushButton(this);
    b->setObjectName(QLatin1String(object));
    b->setMinimumWidth(100);
    connect(b, &QPushButton::clicked, this, [this, command] {
      if (!Handles(command)) return;
      Run(command);
      // The menus carry the same captions and enabled flags as the buttons.
      if (host::HostMainWindow* main = frame::Login().main_window) main->ChildActive();
    });
    row->addWidget(b);
    return b;
  };
  review_ = button(Command::kReview, "review");
  sign_ = button(Command::kCashierSign, "sign");
  post_ = button(Command::kPost, "post");
  layout->addLayout(row);
}

void VoucherView::LoadChoices() {
  try {
    host::DataAccess& data = frame::Data();
    host::Recordset types = data.OpenRecordset(
        "Select strVoucherTypeCode From VoucherType Where blnIsInActive = 0 Order By "
        "lngVoucherTypeID");
    for (std::size_t i = 0; i < types.RecordCount(); ++i) {
      type_->addItem(ToQt(types.At(i, "strVoucherTypeCode").AsText()));
    }
    host::Recordset templates = data.OpenRecordset(
        "Select strTemplateName From Template Where lngReceiptTypeID = 41 And (lngOrganizationID "
        "= -1 Or lngOrganizationID = " +
        std::to_string(frame::OrganizationId()) + ") Order By lngTemplateID");
    for (std::size_t i = 0; i < templates.RecordCount(); ++i) {
      template_->addItem(ToQt(templates.At(i, "strTemplateName").AsText()));
    }
  } catch (const host::DatabaseError&) {
    // The lists stay short; the presenter still shows what the voucher holds.
  }
}

std::optional<host::AccountInfo> VoucherView::AccountOf(int row) const {
  const auto& lines = presenter_.State().lines;
  if (row < 1 || row > static_cast<int>(lines.size())) return std::nullopt;
  const long id = lines[static_cast<std::size_t>(row - 1)].account_id;
  if (id == 0) return std::nullopt;
  try {
    return frame::Chart(presenter_.Basis()).AccountById(id);
  } catch (const host::DatabaseError&) {
    return std::nullopt;
  }
}

std::string VoucherView::Fingerprint() const {
  const voucher::VoucherState& s = presenter_.State();
  const voucher::VoucherHeader& h = s.header;
  char totals[96];
  std::snprintf(totals, sizeof totals, "%.6f|%.6f", s.totals.debit, s.totals.credit);
  return std::to_string(h.voucher_id) + "|" + h.type_code + "|" + h.number + "|" + h.date + "|" +
         std::to_string(s.lines.size()) + "|" + totals + "|" + std::to_string(s.must_save) +
         std::to_string(s.preview) + std::to_string(s.reversed) + "|" +
         std::to_string(h.checker_id) + "|" + std::to_string(h.poster_id) + "|" +
         std::to_string(h.teller_id) + "|" + std::to_string(h.void_mark) +
         std::to_string(h.error_mark) + std::to_string(h.print_mark) + "|" +
         std::to_string(s.current_row);
}

void VoucherView::EnsureEntryRow() {
  const voucher::VoucherState& s = presenter_.State();
  // A new voucher opens with one row to type in.
  if (s.open && !s.preview && s.lines.empty() && s.header.voucher_id == 0) presenter_.AddLine();
}

void VoucherView::Render() {
  rendering_ = true;
  EnsureEntryRow();
  UpdateRefusal();
  const voucher::VoucherState& s = presenter_.State();
  RenderHeader();
  model_->Refresh();
  grid_->clearSpans();
  grid_->setSpan(model_->TotalsRow(), 0, 1, 2);
  grid_->setEditTriggers(s.preview || !refusal_.empty() ? QAbstractItemView::NoEditTriggers
                                                        : QAbstractItemView::DoubleClicked |
                                                              QAbstractItemView::EditKeyPressed |
                                                              QAbstractItemView::AnyKeyPressed);
  if (CurrentEditor() == nullptr && s.current_row >= 1) {
    const int column = std::max(grid_->currentIndex().column(), 0);
    const QModelIndex current = model_->index(s.current_row - 1, column);
    if (grid_->currentIndex() != current) grid_->setCurrentIndex(current);
  }
  RenderPanel();

  const voucher::VoucherHeader& h = s.header;
  maker_->setText(ToQt(h.maker_name));
  checker_->setText(ToQt(h.checker_name));
  poster_->setText(ToQt(h.poster_name));
  teller_->setText(ToQt(h.teller_name));
  review_->setText(ToQt(s.review_caption));
  sign_->setText(ToQt(s.sign_caption));
  post_->setText(ToQt(s.post_caption));
  rendering_ = false;
  review_->setEnabled(Handles(Command::kReview));
  sign_->setEnabled(Handles(Command::kCashierSign));
  post_->setEnabled(Handles(Command::kPost));
  rendered_ = Fingerprint();
}

void VoucherView::RenderHeader() {
  const voucher::VoucherState& s = presenter_.State();
  const voucher::VoucherHeader& h = s.header;
  auto set_text = [](QLineEdit* edit, const std::string& text) {
    // What the user is typing stays until he leaves the field.
    if (edit->hasFocus() && edit->isModified()) return;
    edit->setText(ToQt(text));
    edit->setModified(false);
  };
  auto set_choice = [](QComboBox* combo, const std::string& text) {
    const QString value = ToQt(text);
    int at = combo->findText(value);
    if (at < 0 && !value.isEmpty()) {
      combo->addItem(value);
      at = combo->count() - 1;
    }
    combo->setCurrentIndex(at);
  };
  set_choice(type_, h.type_code);
  set_choice(template_, h.template_name);
  set_text(number_, h.number);
  set_text(date_, h.date);
  set_text(attachments_, h.attachments);
  const bool locked = s.preview || !refusal_.empty();
  for (QLineEdit* edit : {number_, date_, attachments_}) edit->setReadOnly(locked);
  type_->setEnabled(!locked);
  template_->setEnabled(!locked);
  print_mark_->setChecked(h.print_mark);
  print_mark_->setEnabled(!s.preview);

  QStringList marks;
  if (h.void_mark) marks << QStringLiteral("作废");
  if (h.error_mark) {
    marks << (h.error_text.empty() || h.error_text == " " ? QStringLiteral("错误凭证")
                                                          : ToQt(h.error_text));
  }
  if (s.reversed) marks << ToQt(texts::kReversed);
  marks_->setText(marks.join(QStringLiteral("  ")));
  marks_->setVisible(!marks.isEmpty());
}

void VoucherView::RenderPanel() {
  const voucher::VoucherState& s = presenter_.State();
  if (!refusal_.empty() && !s.preview) {
    voucher::VoucherState locked = s;
    locked.preview = true;
    panel_->Show(locked, s.current_row, AccountOf(s.current_row));
  } else {
    panel_->Show(s, s.current_row, AccountOf(s.current_row));
  }
  info_->setText(ToQt(s.info_text));
}

QLineEdit* VoucherView::CurrentEditor() const {
  QLineEdit* editor = delegate_ == nullptr ? nullptr : delegate_->Editor();
  // A closed editor is hidden at once and deleted later.
  return editor != nullptr && !editor->isHidden() ? editor : nullptr;
}

void VoucherView::EditCell(int row, LineField field) {
  const int column = ColumnOf(field);
  if (column < 0) {
    // A field only the entry panel has.
    if (QLineEdit* edit = panel_->Editor(field)) {
      edit->setFocus();
      edit->selectAll();
    }
    return;
  }
  const QModelIndex index = model_->index(row - 1, column);
  if (!index.isValid()) return;
  grid_->setFocus();
  grid_->setCurrentIndex(index);
  grid_->scrollTo(index);
  if (!presenter_.State().preview && refusal_.empty()) grid_->edit(index);
}

bool VoucherView::CommitEditor(QLineEdit* editor) {
  if (committing_ || editor == nullptr) return false;
  QString text = editor->text();
  if (text == editor->property("initial").toString()) return true;
  const int row = RowOf(editor);
  const int column = ColumnOfEditor(editor);
  const LineField field = FieldOfColumn(column);
  if (field == LineField::kAccount && !text.trimmed().isEmpty()) {
    // A code of the chart stands as typed; anything else takes the first completion (detail
    // accounts come first), so "库存" and Enter choose "1001 库存现金".
    try {
      const std::string typed = ToUtf8(text);
      const std::vector<voucher::AccountChoice> choices =
          voucher::CompleteAccount(typed, 1, presenter_.Basis());
      const std::string code = voucher::CodeOf(typed);
      bool exact = false;
      try {
        exact = frame::Chart(presenter_.Basis()).AccountByCode(code).has_value();
      } catch (const host::DatabaseError&) {
        exact = false;
      }
      if (!exact && !choices.empty()) text = ToQt(choices.front().Text());
    } catch (const host::DatabaseError&) {
      // The presenter judges the text as typed.
    }
  }
  committing_ = true;
  const bool accepted = model_->setData(model_->index(row, column), text, Qt::EditRole);
  committing_ = false;
  const QString typed = editor->text();
  Render();
  if (!accepted) {
    editor->setText(typed);
    editor->setFocus();
    editor->selectAll();
    return false;
  }
  editor->setProperty("initial", editor->text());
  return true;
}

void VoucherView::CommitAndAdvance(QLineEdit* editor, bool forward) {
  if (committing_ || editor == nullptr) return;
  const int row = RowOf(editor) + 1;
  const LineField field = FieldOfColumn(ColumnOfEditor(editor));
  if (!CommitEditor(editor)) return;
  emit delegate_->closeEditor(editor, QAbstractItemDelegate::NoHint);
  if (!presenter_.LeaveCell(row, field)) {
    Render();
    EditCell(row, presenter_.State().focus_field);
    return;
  }
  if (forward) {
    Advance(row, field);
    return;
  }
  const int column = ColumnOf(field);
  EditCell(row, FieldOfColumn(column > 0 ? column - 1 : 0));
}

void VoucherView::Advance(int row, LineField field) {
  const auto& lines = presenter_.State().lines;
  if (row < 1 || row > static_cast<int>(lines.size())) return;
  const std::vector<LineField> order =
      EntryOrder(lines[static_cast<std::size_t>(row - 1)], AccountOf(row));
  auto at = std::find(order.begin(), order.end(), field);
  if (at == order.end()) {
    // A column the account does not ask for: on to the amounts, or the line is done.
    if (IsAmountField(field)) return FinishLine(row);
    at = std::find_if(order.begin(), order.end(), IsAmountField);
    return EditCell(row, *at);
  }
  if (++at == order.end()) return FinishLine(row);
  EditCell(row, *at);
}

void VoucherView::FinishLine(int row) {
  const auto& lines = presenter_.State().lines;
  if (row < 1 || row > static_cast<int>(lines.size())) return;
  if (lines[static_cast<std::size_t>(row - 1)].IsBlank()) {
    EditCell(row, LineField::kRemark);
    return;
  }
  if (!presenter_.ValidateLine(row, false, true)) {
    Render();
    EditCell(presenter_.State().current_row, presenter_.State().focus_field);
    return;
  }
  const bool proposed = presenter_.NextLineProposal(row);
  if (!proposed) {
    if (row == static_cast<int>(presenter_.State().lines.size())) presenter_.AddLine();
    presenter_.SetCurrentRow(row + 1);
  }
  Render();
  // Always the next line's summary: the path through a line never depends on a proposal.
  EditCell(row + 1, LineField::kRemark);
}

void VoucherView::RevertEditor(QLineEdit* editor) {
  const QModelIndex index = model_->index(RowOf(editor), ColumnOfEditor(editor));
  const QString initial = editor->property("initial").toString();
  // A refused value may have emptied the cell in the presenter ("是否新增？" answered No).
  if (index.data(Qt::EditRole).toString() != initial) {
    committing_ = true;
    model_->setData(index, initial, Qt::EditRole);
    committing_ = false;
  }
  emit delegate_->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
  Render();
  grid_->setFocus();
  grid_->setCurrentIndex(index);
}

void VoucherView::MoveToOtherSide(QLineEdit* editor) {
  const int row = RowOf(editor);
  const LineField other = FieldOfColumn(ColumnOfEditor(editor)) == LineField::kDebit
                              ? LineField::kCredit
                              : LineField::kDebit;
  QString amount = editor->text().trimmed();
  if (amount.isEmpty()) amount = editor->property("initial").toString();
  if (!amount.isEmpty()) {
    // One amount per line: set on the other side, it leaves this one.
    committing_ = true;
    const bool accepted = model_->setData(model_->index(row, ColumnOf(other)), amount);
    committing_ = false;
    if (!accepted) {
      Render();
      return;
    }
  }
  emit delegate_->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
  Render();
  EditCell(row + 1, other);
}

void VoucherView::FillBalance(QLineEdit* editor) {
  const voucher::VoucherState& s = presenter_.State();
  const int row = RowOf(editor);
  if (row < 0 || row >= static_cast<int>(s.lines.size())) return;
  const voucher::VoucherLine& line = s.lines[static_cast<std::size_t>(row)];
  const double debit_others = s.totals.debit - line.debit;
  const double credit_others = s.totals.credit - line.credit;
  const bool debit = FieldOfColumn(ColumnOfEditor(editor)) == LineField::kDebit;
  const int decimals = frame::Context().AmountDecimals();
  const double value = voucher::RoundTo(
      debit ? credit_others - debit_others : debit_others - credit_others, decimals);
  editor->setText(value == 0 ? QString() : ToQt(voucher::FormatFixed(value, decimals)));
  editor->selectAll();
}

bool VoucherView::FinishEditing() {
  if (QLineEdit* editor = CurrentEditor()) {
    if (!CommitEditor(editor)) return false;
    emit delegate_->closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
  return panel_->CommitFocused();
}

void VoucherView::CommitHeader(HeaderField field, const QString& text) {
  if (rendering_ || committing_) return;
  QLineEdit* edit = field == HeaderField::kNumber        ? number_
                    : field == HeaderField::kDate        ? date_
                    : field == HeaderField::kAttachments ? attachments_
                                                         : nullptr;
  if (edit != nullptr && !edit->isModified()) return;
  committing_ = true;
  bool accepted = presenter_.SetHeaderField(field, ToUtf8(text));
  if (accepted) accepted = presenter_.LeaveHeaderField(field);
  committing_ = false;
  Render();
  if (accepted || edit == nullptr) return;
  edit->setText(text);
  edit->setModified(true);
  QTimer::singleShot(0, edit, [edit] {
    edit->setFocus();
    edit->selectAll();
  });
}

bool VoucherView::Handles(Command command) const {
  if (!rendering_ && Fingerprint() != rendered_) {
    // InterFace opened another voucher in the presenter; catch up once the menus are done.
    auto* self = const_cast<VoucherView*>(this);
    QTimer::singleShot(0, self, [self] {
      if (self->Fingerprint() != self->rendered_) self->Render();
    });
  }
  const voucher::VoucherState& s = presenter_.State();
  if (PreferenceOf(command) || command == Command::kEditBudgetAlarm) return true;
  switch (command) {
    case Command::kEditNew:
    case Command::kReceiptFirst:
    case Command::kReceiptPrevious:
    case Command::kReceiptNext:
    case Command::kReceiptLast:
    case Command::kEditVoucherVolume:
    case Command::kEditInterface:
      return true;
    case Command::kEditNewTemplate:
    case Command::kEditLoadTemplate:
    case Command::kEditInsLine:
    case Command::kEditDelLine:
    case Command::kFileSave:
      return !s.preview;
    case Command::kToolRefresh:
      return s.header.voucher_id != 0;
    case Command::kFilePrint:
      return std::any_of(s.lines.begin(), s.lines.end(),
                         [](const voucher::VoucherLine& line) { return !line.IsBlank(); });
    case Command::kReview:
      return presenter_.StatusButtons().review;
    case Command::kCashierSign:
      return presenter_.StatusButtons().sign;
    case Command::kPost:
      return presenter_.StatusButtons().post;
    case Command::kEditInActive:
      return presenter_.StatusButtons().void_voucher;
    case Command::kEditDel:
      return presenter_.StatusButtons().delete_voucher;
    case Command::kReverse:
      return presenter_.StatusButtons().reverse;
    default:
      return false;
  }
}

void VoucherView::Run(Command command) {
  if (std::optional<voucher::WindowPreference> preference = PreferenceOf(command)) {
    presenter_.TogglePreference(*preference);
    Render();
    return;
  }
  switch (command) {
    case Command::kEditBudgetAlarm:
      presenter_.ToggleBudgetAlarm();
      Render();
      return;
    case Command::kEditVoucherVolume:
      numbering::MainControlEditVoucherVolume();
      return;
    case Command::kEditNewTemplate: {
      if (!FinishEditing()) return;
      bool created = false;
      templates::frmCreateStdVoucher().CreateVoucher(presenter_, true, created);
      return;
    }
    case Command::kEditLoadTemplate:
      if (presenter_.LoadStdVoucher()) {
        Render();
        EditCell(1, LineField::kDebit);
      }
      return;
    case Command::kEditInterface:
      templates::ShowVoucherIO();
      return;
    case Command::kEditNew:
      // What is typed in the cell counts as an edit the question asks about.
      if (!FinishEditing()) return;
      if (presenter_.mclsMainControl_EditNew()) {
        Render();
        EditCell(1, LineField::kRemark);
      }
      Render();
      return;
    case Command::kReceiptFirst:
    case Command::kReceiptPrevious:
    case Command::kReceiptNext:
    case Command::kReceiptLast:
      if (!FinishEditing()) return;
      presenter_.ReceiptPosition(MoveOf(command));
      Render();
      return;
    case Command::kEditInsLine: {
      if (!MayEdit() || !FinishEditing()) return;
      const int row = std::max(presenter_.State().current_row, 1);
      presenter_.InsertLine(row);
      Render();
      EditCell(row, LineField::kRemark);
      return;
    }
    case Command::kEditDelLine: {
      if (QLineEdit* editor = CurrentEditor()) {
        emit delegate_->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
      }
      const voucher::VoucherHeader& h = presenter_.State().header;
      // A posted or reviewed voucher has the delete command's own refusal.
      if (h.poster_id == 0 && h.checker_id == 0 && !MayEdit()) return;
      const int row = presenter_.State().current_row;
      presenter_.EditDelLine(row);
      Render();
      const int rows = static_cast<int>(presenter_.State().lines.size());
      if (rows > 0 && refusal_.empty()) EditCell(std::clamp(row, 1, rows), LineField::kRemark);
      return;
    }
    case Command::kFileSave: {
      if (!FinishEditing()) return;
      const bool had_edits = presenter_.State().must_save;
      if (presenter_.SaveBill()) {
        if (had_edits) {
          const voucher::VoucherHeader& h = presenter_.State().header;
          Announce(QStringLiteral("凭证“") + ToQt(h.type_code) + QLatin1Char('-') + ToQt(h.number) +
                   QStringLiteral("”已保存。"));
        }
        Render();
        return;
      }
      // A refusal that returns to editing names its cell: the cursor goes there.
      Render();
      const voucher::VoucherState& s = presenter_.State();
      if (s.current_row >= 1 && s.focus_field != LineField::kNone) {
        EditCell(s.current_row, s.focus_field);
      } else if (s.current_row >= 1) {
        grid_->setFocus();
        grid_->setCurrentIndex(model_->index(s.current_row - 1, 0));
      }
      return;
    }
    case Command::kToolRefresh:
      presenter_.ShowAOldBill(presenter_.State().header.voucher_id);
      Render();
      return;
    case Command::kFilePrint:
      if (!FinishEditing()) return;
      PreviewVouchers(this, {PrintableVoucher(presenter_.State())}, 1);
      return;
    case Command::kReview:
    case Command::kCashierSign:
    case Command::kPost: {
      // The presenter saves what was typed before the voucher changes state.
      if (!FinishEditing()) return;
      bool done = false;
      if (command == Command::kReview) done = presenter_.Review();
      if (command == Command::kCashierSign) done = presenter_.CashierSign();
      if (command == Command::kPost) done = presenter_.Post();
      if (done) Announce({});
      Render();
      return;
    }
    case Command::kEditInActive:
      if (!FinishEditing()) return;
      presenter_.VoidVoucher();
      Render();
      return;
    case Command::kEditDel:
      if (QLineEdit* editor = CurrentEditor()) {
        emit delegate_->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
      }
      if (presenter_.DeleteVoucher()) {
        Announce({});
        Render();
        EditCell(1, LineField::kRemark);
        return;
      }
      Render();
      return;
    case Command::kReverse:
      if (!FinishEditing()) return;
      if (presenter_.ReverseVoucher(0)) {
        Render();
        EditCell(1, LineField::kRemark);
        return;
      }
      Render();
      return;
    default:
      return;
  }
}

void VoucherView::Announce(const QString& told) {
  auto* main = dynamic_cast<MainWindow*>(frame::Login().main_window);
  if (main == nullptr) return;
  if (!told.isEmpty()) main->Tell(told);
  main->AnnounceVouchersChanged();
}

void VoucherView::closeEvent(QCloseEvent* event) {
  // The cell being typed in is part of what the question asks about.
  if (!FinishEditing() || !presenter_.QueryUnload()) {
    event->ignore();
    return;
  }
  event->accept();
}

void VoucherView::UpdateRefusal() {
  const voucher::VoucherState& s = presenter_.State();
  const voucher::VoucherHeader& h = s.header;
  const std::string key = std::to_string(h.voucher_id) + "|" + std::to_string(h.checker_id) + "|" +
                          std::to_string(h.poster_id) + "|" + std::to_string(h.void_mark) +
                          std::to_string(s.preview);
  if (key == refusal_for_) return;
  refusal_for_ = key;
  refusal_.clear();
  // Only what was stored can be refused; a voucher being made, or viewed only, asks nothing.
  if (h.voucher_id == 0 || s.preview) return;
  try {
    refusal_ = presenter_.EditRefusal();
  } catch (const host::DatabaseError&) {
    refusal_.clear();
  }
}

bool VoucherView::MayEdit() {
  if (refusal_.empty() || presenter_.State().preview) return refusal_.empty();
  if (presenter_.CanEdit()) {
    refusal_.clear();
    Render();
    return true;
  }
  return false;
}

bool VoucherView::eventFilter(QObject* object, QEvent* event) {
  if (object == grid_ && event->type() == QEvent::KeyPress && !refusal_.empty() &&
      !presenter_.State().preview) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool typing = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (typing || key->key() == Qt::Key_F2) {
      MayEdit();
      return true;
    }
  }
  return QWidget::eventFilter(object, event);
}

bool VoucherView::Checked(Command command) const {
  const std::optional<voucher::WindowPreference> preference = PreferenceOf(command);
  return preference && presenter_.PreferenceOn(*preference);
}

std::string VoucherView::Caption(Command command) const {
  const voucher::VoucherState& s = presenter_.State();
  switch (command) {
    case Command::kReview:
      return s.review_caption;
    case Command::kCashierSign:
      return s.sign_caption;
    case Command::kPost:
      return s.post_caption;
    case Command::kEditBudgetAlarm:
      return presenter_.BudgetAlarmCaption();
    default:
      return {};
  }
}

QString VoucherView::HeaderText(HeaderField field) const {
  switch (field) {
    case HeaderField::kVoucherType:
      return type_->currentText();
    case HeaderField::kNumber:
      return number_->text();
    case HeaderField::kDate:
      return date_->text();
    case HeaderField::kAttachments:
      return attachments_->text();
    case HeaderField::kTemplate:
      return template_->currentText();
    default:
      return {};
  }
}

QString VoucherView::InfoText() const {
  return info_->text();
}

QString VoucherView::FooterText() const {
  return QStringLiteral("制单：") + maker_->text() + QStringLiteral(" 复核：") + checker_->text() +
         QStringLiteral(" 记账：") + poster_->text() + QStringLiteral(" 出纳：") + teller_->text();
}

QString VoucherView::MarksText() const {
  return marks_->text();
}

QString VoucherView::Title() const {
  return title_->text();
}

}  // namespace lumvoucher::ui
