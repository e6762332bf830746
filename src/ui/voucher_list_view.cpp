#include "ui/voucher_list_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "lists/list_texts.h"
#include "ui/current_cell_delegate.h"
#include "ui/qt_text.h"
#include "ui/voucher_printer.h"

namespace lumvoucher::ui {

namespace {

using lists::ListAction;

constexpr int kMaxFittedWidth = 260;
constexpr int kMinFittedWidth = 56;

}  // namespace

VoucherListModel::VoucherListModel(lists::VoucherList& presenter, QObject* parent)
    : QAbstractTableModel(parent), presenter_(presenter) {
  Refresh();
}

void VoucherListModel::Refresh() {
  beginResetModel();
  columns_.Rebuild(presenter_.State().columns);
  rows_ = static_cast<int>(presenter_.State().rows.size());
  generation_ = presenter_.State().generation;
  endResetModel();
}

bool VoucherListModel::AddReadRows() {
  const lists::ListState& s = presenter_.State();
  if (s.generation != generation_) return false;
  const int now = static_cast<int>(s.rows.size());
  if (now > rows_) {
    // Rows added at the end keep the current row, the selection and the scroll position.
    beginInsertRows(QModelIndex(), rows_, now - 1);
    rows_ = now;
    endInsertRows();
  }
  return true;
}

int VoucherListModel::ListColumn(int grid_column) const {
  return columns_.ListColumn(grid_column);
}

int VoucherListModel::GridColumn(int list_column) const {
  return columns_.GridColumn(list_column);
}

int VoucherListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int VoucherListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_.Count();
}

QVariant VoucherListModel::data(const QModelIndex& index, int role) const {
  const int column = ListColumn(index.column());
  if (!index.isValid() || column < 0 || index.row() >= rowCount() ||
      index.row() >= static_cast<int>(presenter_.State().rows.size())) {
    return {};
  }
  const auto& row = presenter_.State().rows[static_cast<std::size_t>(index.row())];
  const host::Value& value = row.at(static_cast<std::size_t>(column));
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      if (value.IsDouble()) return GroupedAmount(presenter_.CellText(index.row(), column));
      return ToQt(presenter_.CellText(index.row(), column));
    case Qt::TextAlignmentRole:
      if (value.IsDouble() || value.IsInteger()) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
      }
      if (presenter_.State().columns[static_cast<std::size_t>(column)].caption ==
          lists::texts::kVoidCaption) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
      }
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case Qt::BackgroundRole:
      if (shade_) {
        const QColor colour = shade_(index.row());
        if (colour.isValid()) return colour;
      }
      return {};
    default:
      return {};
  }
}

QVariant VoucherListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
  }
  const int column = ListColumn(section);
  if (column < 0) return {};
  const lists::ListColumn& c = presenter_.State().columns[static_cast<std::size_t>(column)];
  if (role == Qt::DisplayRole) return ToQt(c.header);
  if (role == Qt::ToolTipRole && c.sortable) return QStringLiteral("单击排序");
  return {};
}

VoucherListView::VoucherListView(lists::VoucherList& presenter, QWidget* parent)
    : QWidget(parent), presenter_(presenter) {
  setObjectName(ToQt(presenter_.WindowName()));
  setAttribute(Qt::WA_StyledBackground);
  setWindowTitle(ToQt(presenter_.State().title));
  setStyleSheet(QStringLiteral(
      "QWidget#frmListVoucher, QWidget#frmListErrVoucher, QWidget#frmListVoucherUnion,"
      " QWidget#frmListVoucherCompare, QWidget#frmListVoucherNew { background: #fbfaf5; }"
      "QLabel#title { color: #7a1f1f; font-size: 16pt; font-weight: bold; letter-spacing: 3px; }"
      "QLabel#summary { color: #2a4a7a; }"
      "QTableView { background: #ffffff; alternate-background-color: #f6f4ea;"
      " gridline-color: #d9d4c0; selection-background-color: #d8e6f5; selection-color: #000; }"
      "QHeaderView::section { background: #ece8d6; border: 0; border-right: 1px solid #c9c4b0;"
      " border-bottom: 1px solid #c9c4b0; padding: 4px; font-weight: bold; }"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 8, 12, 8);
  layout->setSpacing(6);

  auto* top = top_ = new QHBoxLayout;
  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("title"));
  top->addWidget(title_);
  top->addSpacing(24);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("summary"));
  top->addWidget(summary_, 1);

  top->addWidget(new QLabel(QStringLiteral("查找："), this));
  find_column_ = new QComboBox(this);
  find_column_->setObjectName(QStringLiteral("findColumn"));
  find_column_->setMinimumWidth(110);
  top->addWidget(find_column_);
  find_text_ = new QLineEdit(this);
  find_text_->setObjectName(QStringLiteral("findText"));
  find_text_->setPlaceholderText(QStringLiteral("回车过滤，可用 * ?"));
  find_text_->setClearButtonEnabled(true);
  find_text_->setMinimumWidth(180);
  top->addWidget(find_text_);
  find_button_ = new QPushButton(QStringLiteral("查找下一个"), this);
  find_button_->setObjectName(QStringLiteral("findNext"));
  top->addWidget(find_button_);
  clear_button_ = new QPushButton(QStringLiteral("取消过滤"), this);
  clear_button_->setObjectName(QStringLiteral("findClear"));
  top->addWidget(clear_button_);
  layout->addLayout(top);
  // The active filter of the filter dialog, in words, so nobody wonders where vouchers went.
  filter_ = new QLabel(this);
  filter_->setObjectName(QStringLiteral("activeFilter"));
  filter_->setWordWrap(true);
  filter_->setStyleSheet(QStringLiteral("color: #7a1f1f;"));
  layout->addWidget(filter_);

  model_ = new VoucherListModel(presenter_, this);
  grid_ = new QTableView(this);
  grid_->setItemDelegate(new CurrentCellDelegate(grid_));
  grid_->setObjectName(QStringLiteral("listGrid"));
  grid_->setModel(model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  // Several rows may be chosen for 批量打印; the current row is the list's selection.
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setAlternatingRowColors(true);
  grid_->setWordWrap(false);
  setFocusProxy(grid_);
  grid_->verticalHeader()->setDefaultSectionSize(26);
  grid_->horizontalHeader()->setSectionsClickable(true);
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->installEventFilter(this);
  layout->addWidget(grid_, 1);

  connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int section) { ClickHeader(section); });
  connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    // After the click is done: its release would give the list the focus back and with it
    // the front of the area.
    QTimer::singleShot(0, this, [this, row = index.row()] { OpenRow(row); });
  });
  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (rendering_) return;
            presenter_.SelectRow(current.isValid() ? current.row() : -1);
          });
  connect(find_text_, &QLineEdit::returnPressed, this, [this] { ApplyQuickFind(); });
  connect(find_button_, &QPushButton::clicked, this, [this] { FindNextRow(); });
  connect(clear_button_, &QPushButton::clicked, this, [this] {
    find_text_->clear();
    ApplyQuickFind();
  });
  read_timer_ = new QTimer(this);
  read_timer_->setSingleShot(true);
  read_timer_->setInterval(0);
  connect(read_timer_, &QTimer::timeout, this, [this] { ReadStep(); });
  Render();
}

VoucherListView::~VoucherListView() {
  // The presenter lives on as a singleton; closing its window empties its work tables.
  presenter_.FormUnload();
}

void VoucherListView::Refresh() {
  if (!presenter_.State().open) return;
  presenter_.ReMakeData();
  Render();
}

void VoucherListView::AddBarWidget(QWidget* widget) {
  top_->insertWidget(top_->indexOf(summary_) + 1, widget);
}

void VoucherListView::Render() {
  rendering_ = true;
  const lists::ListState& s = presenter_.State();
  title_->setText(ToQt(s.title));
  setWindowTitle(ToQt(s.title));
  model_->Refresh();
  RenderFindColumns();
  RenderSelection();
  FitColumns();
  RenderSummary();
  const std::string& active =
      s.filter.description.empty() ? s.filter.condition : s.filter.description;
  filter_->setText(active.empty() ? QString() : QStringLiteral("当前过滤：") + ToQt(active));
  filter_->setVisible(!active.empty());
  clear_button_->setEnabled(!s.quick_find_text.empty());
  rendering_ = false;
  if (s.reading) read_timer_->start();
}

void VoucherListView::RenderSummary() {
  const lists::ListState& s = presenter_.State();
  if (s.reading) {
    // The counts are the whole list's only once it is read.
    summary_->setText(QStringLiteral("日期：%1 至 %2    正在读取，已读分录 %3 条")
                          .arg(ToQt(s.filter.date_from), ToQt(s.filter.date_to))
                          .arg(s.rows.size()));
    return;
  }
  std::set<std::string> vouchers;
  const int id = presenter_.ColumnIndex("id");
  if (id >= 0) {
    for (const auto& row : s.rows) vouchers.insert(row.at(static_cast<std::size_t>(id)).AsText());
  }
  QString summary = QStringLiteral("日期：%1 至 %2    凭证 %3 张，分录 %4 条")
                        .arg(ToQt(s.filter.date_from), ToQt(s.filter.date_to))
                        .arg(vouchers.size())
                        .arg(s.rows.size());
  if (s.show_all) summary += QStringLiteral("    含作废凭证");
  if (!s.quick_find_text.empty()) {
    summary += QStringLiteral("    查找：") + ToQt(s.quick_find_text);
  }
  summary_->setText(summary);
}

void VoucherListView::ReadStep() {
  presenter_.ReadMore();
  ShowReadRows();
}

void VoucherListView::ShowReadRows() {
  if (!model_->AddReadRows()) {
    Render();  // the read failed and emptied the list
    return;
  }
  RenderSummary();
  if (presenter_.State().reading) read_timer_->start();
}

void VoucherListView::ReadRest() {
  presenter_.ReadAll();
  ShowReadRows();
}

void VoucherListView::RenderFindColumns() {
  const lists::ListState& s = presenter_.State();
  const int chosen = FindColumnIndex();
  find_column_->clear();
  for (std::size_t i = 0; i < s.columns.size(); ++i) {
    const lists::ListColumn& column = s.columns[i];
    if (column.visible && column.quick_find) {
      find_column_->addItem(ToQt(column.caption), static_cast<int>(i));
    }
  }
  const int keep = s.quick_find_column >= 0 ? s.quick_find_column : chosen;
  const int at = find_column_->findData(keep);
  find_column_->setCurrentIndex(at >= 0 ? at : 0);
  if (s.quick_find_column >= 0 && !find_text_->hasFocus()) {
    find_text_->setText(ToQt(s.quick_find_text));
  }
}

void VoucherListView::RenderSelection() {
  const int row = presenter_.State().selected_row;
  if (row < 0 || row >= model_->rowCount()) {
    grid_->clearSelection();
    return;
  }
  const int column = std::max(grid_->currentIndex().column(), 0);
  const QModelIndex index = model_->index(row, std::min(column, model_->columnCount() - 1));
  grid_->setCurrentIndex(index);
  grid_->selectRow(row);
  grid_->scrollTo(index);
}

void VoucherListView::FitColumns() {
  // Once per layout: a refresh must not make the columns jump under the user's eyes.
  std::string layout;
  for (int i = 0; i < model_->columnCount(); ++i) {
    layout += ToUtf8(model_->headerData(i, Qt::Horizontal).toString()) + "|";
  }
  if (model_->rowCount() > 0) layout += "rows";
  if (layout == fitted_for_) return;
  fitted_for_ = layout;
  grid_->resizeColumnsToContents();
  for (int i = 0; i < model_->columnCount(); ++i) {
    grid_->setColumnWidth(i,
                          std::clamp(grid_->columnWidth(i) + 12, kMinFittedWidth, kMaxFittedWidth));
  }
}

int VoucherListView::FindColumnIndex() const {
  return find_column_->currentIndex() < 0 ? -1 : find_column_->currentData().toInt();
}

void VoucherListView::After(bool) {
  Render();
}

void VoucherListView::ClickHeader(int grid_column) {
  const int column = model_->ListColumn(grid_column);
  if (column < 0) return;
  After(presenter_.SortByColumn(column));
}

void VoucherListView::OpenRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  presenter_.SelectRow(row);
  presenter_.RunAction(ListAction::kOpen);
  ShowReadRows();  // the voucher window browses the whole list, so it was read
}

void VoucherListView::ApplyQuickFind() {
  const std::string text = ToUtf8(find_text_->text().trimmed());
  After(presenter_.QuickFind(FindColumnIndex(), text));
}

bool VoucherListView::FindNextRow() {
  const int row = presenter_.FindNext(FindColumnIndex(), ToUtf8(find_text_->text().trimmed()));
  ShowReadRows();
  RenderSelection();
  return row >= 0;
}

QString VoucherListView::FilterText() const {
  return filter_->text();
}

QString VoucherListView::Summary() const {
  return summary_->text();
}

bool VoucherListView::eventFilter(QObject* object, QEvent* event) {
  if (object == grid_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        key->modifiers() == Qt::NoModifier) {
      OpenRow(grid_->currentIndex().row());
      return true;
    }
  }
  return QWidget::eventFilter(object, event);
}

bool VoucherListView::Handles(Command command) const {
  const lists::ListState& s = presenter_.State();
  const bool selected = s.selected_row >= 0;
  switch (command) {
    case Command::kEditNew:
    case Command::kEditShowAll:
    case Command::kEditFilter:
    case Command::kToolRefresh:
    case Command::kEditVoucherVolume:
      return true;
    case Command::kEditEdit:
    case Command::kEditInActive:
      return selected;
    case Command::kEditDel:
    case Command::kFilePrint:
    case Command::kEditBatchPrint:
      return !s.rows.empty();
    default:
      return false;
  }
}

std::vector<long> VoucherListView::ChosenVouchers() const {
  std::vector<long> chosen;
  const int id = presenter_.ColumnIndex("id");
  if (id < 0) return chosen;
  std::vector<int> rows;
  for (const QModelIndex& index : grid_->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  for (int row : rows) {
    const long voucher = static_cast<long>(presenter_.State()
                                               .rows.at(static_cast<std::size_t>(row))
                                               .at(static_cast<std::size_t>(id))
                                               .AsLong());
    if (std::find(chosen.begin(), chosen.end(), voucher) == chosen.end()) chosen.push_back(voucher);
  }
  return chosen.empty() ? presenter_.VoucherIDs() : chosen;
}

void VoucherListView::Run(Command command) {
  switch (command) {
    case Command::kEditNew:
      presenter_.mclsMainControl_EditNew();
      return;
    case Command::kEditEdit:
      presenter_.mclsMainControl_EditEdit();
      return;
    case Command::kEditInActive:
      After(presenter_.mclsMainControl_EditInActive());
      return;
    case Command::kEditDel:
      After(presenter_.mclsMainControl_EditDel());
      return;
    case Command::kEditShowAll:
      After(presenter_.mclsMainControl_EditShowAll());
      return;
    case Command::kEditFilter:
      After(presenter_.mclsMainControl_EditFilter());
      return;
    case Command::kToolRefresh:
      After(presenter_.mclsMainControl_ToolRefresh());
      return;
    case Command::kFilePrint:
      ReadRest();
      PreviewList(this, presenter_.State());
      return;
    case Command::kEditBatchPrint: {
      // Two vouchers to an A4 page, as they are bound.
      std::vector<PrintedVoucher> vouchers;
      ReadRest();
      for (long id : ChosenVouchers()) {
        if (std::optional<PrintedVoucher> v = PrintableVoucher(id)) vouchers.push_back(*v);
      }
      PreviewVouchers(this, vouchers, 2);
      return;
    }
    case Command::kEditVoucherVolume:
      After(presenter_.RunAction(ListAction::kVolumes));
      return;
    default:
      return;
  }
}

bool VoucherListView::Checked(Command command) const {
  return command == Command::kEditShowAll && presenter_.State().show_all;
}

std::vector<MenuEntry> VoucherListView::EditMenu() const {
  // The unused positions between the entries are the menu's separators.
  std::vector<MenuEntry> entries;
  bool gap = false;
  for (const lists::MenuItem& item : presenter_.State().menu) {
    if (!item.visible || item.caption == lists::texts::kMenuSeparator) {
      gap = !entries.empty();
      continue;
    }
    if (gap) entries.push_back(MenuEntry{item.index, std::string(), false});
    gap = false;
    MenuEntry entry{item.index, item.caption, item.enabled};
    entry.checkable = item.action == ListAction::kShowAll;
    entry.checked = item.checked;
    entries.push_back(std::move(entry));
  }
  return entries;
}

void VoucherListView::RunEditMenu(int index) {
  const lists::ListAction action =
      index >= 0 && index < static_cast<int>(presenter_.State().menu.size())
          ? presenter_.State().menu[static_cast<std::size_t>(index)].action
          : ListAction::kNone;
  const bool changed = presenter_.ListEditMenu(index);
  // Opening moves to the voucher window; everything else shows its result here.
  if (action != ListAction::kOpen && action != ListAction::kNew) After(changed);
}

}  // namespace lumvoucher::ui
