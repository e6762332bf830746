#include "ui/cash_flow_dialog.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "cashflow/cash_flow_texts.h"
#include "ui/cash_flow_editors.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {

namespace texts = cashflow::texts;

CashFlowLineModel::CashFlowLineModel(cashflow::frmVoucherCashFlow& presenter, QObject* parent)
    : QAbstractTableModel(parent), presenter_(presenter) {}

void CashFlowLineModel::Refresh() {
  beginResetModel();
  endResetModel();
}

int CashFlowLineModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(presenter_.State().rows.size());
}

int CashFlowLineModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant CashFlowLineModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const cashflow::CashFlowRow& r = presenter_.State().rows[static_cast<std::size_t>(index.row())];
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(Qt::Alignment(
        (index.column() == kAmount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  switch (index.column()) {
    case kFlow:
      return ToQt(r.flow);
    case kItem:
      return ToQt(r.item_text);
    case kRange:
      return ToQt(r.range);
    case kCounterpart:
      return ToQt(r.counterpart_text);
    case kAmount:
      return role == Qt::EditRole ? AmountText(r.amount).remove(QLatin1Char(','))
                                  : AmountText(r.amount);
    default:
      return {};
  }
}

bool CashFlowLineModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const int row = index.row() + 1;
  const std::string text = ToUtf8(value.toString());
  bool ok = false;
  switch (index.column()) {
    case kFlow:
      ok = presenter_.SetFlow(row, text);
      break;
    case kItem:
      ok = presenter_.SetItem(row, text);
      break;
    case kRange:
      ok = presenter_.SetRange(row, text);
      break;
    case kCounterpart:
      ok = presenter_.SetCounterpart(row, text);
      break;
    case kAmount:
      ok = presenter_.SetAmount(row, text);
      break;
    default:
      break;
  }
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), kColumns - 1));
  return ok;
}

Qt::ItemFlags CashFlowLineModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (!index.isValid() || index.row() >= rowCount()) return f;
  const cashflow::CashFlowRow& r = presenter_.State().rows[static_cast<std::size_t>(index.row())];
  if (index.column() == kCounterpart && r.range != texts::kInternal) return f;
  return f | Qt::ItemIsEditable;
}

QVariant CashFlowLineModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  static const char* const captions[] = {"流向", "现金流量表项目", "范围", "内部往来单位",
                                         "分配金额"};
  return section >= 0 && section < kColumns ? ToQt(captions[section]) : QVariant();
}

CashFlowDialog::CashFlowDialog(cashflow::frmVoucherCashFlow& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  const cashflow::CashFlowLineState& s = presenter_.State();
  setObjectName(QStringLiteral("frmVoucherCashFlow"));
  setWindowTitle(ToQt(s.caption));
  resize(720, 380);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("科目：") + ToQt(s.account_text), this));
  top->addStretch(1);
  amount_ = new QLabel(this);
  amount_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  direction_ = new QLabel(this);
  top->addWidget(new QLabel(QStringLiteral("金额："), this));
  top->addWidget(amount_);
  top->addWidget(direction_);
  layout->addLayout(top);

  model_ = new CashFlowLineModel(presenter_, this);
  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("cashFlowGrid"));
  grid_->setModel(model_);
  grid_->setItemDelegate(new ChoiceDelegate(
      [this](const QModelIndex& index) -> ChoiceDelegate::Offer {
        switch (index.column()) {
          case CashFlowLineModel::kFlow:
            return {{ToQt(texts::kInflow), ToQt(texts::kOutflow)}, false};
          case CashFlowLineModel::kRange:
            return {{ToQt(texts::kInternal), ToQt(texts::kExternal)}, false};
          case CashFlowLineModel::kItem:
            return {ChoiceTexts(presenter_.ItemChoices(index.row() + 1)), true};
          case CashFlowLineModel::kCounterpart:
            return {ChoiceTexts(cashflow::CounterpartChoices()), true};
          default:
            return {};
        }
      },
      grid_));
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* add = new QAction(ToQt(texts::kAddRow), grid_);
  add->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  auto* remove = new QAction(ToQt(texts::kDeleteRow), grid_);
  remove->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  for (QAction* a : {add, remove}) a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  grid_->addActions({add, remove});
  connect(add, &QAction::triggered, this, &CashFlowDialog::AddRow);
  connect(remove, &QAction::triggered, this, &CashFlowDialog::DeleteRow);
  layout->addWidget(grid_, 1);

  auto* buttons = new QHBoxLayout;
  auto* add_button = new QPushButton(QStringLiteral("新增"), this);
  auto* delete_button = new QPushButton(QStringLiteral("删除"), this);
  QPushButton* items = CashItemsButton(this, [this](host::CashItemAction action) {
    presenter_.MaintainItems(CurrentRow(), action);
    Render();
  });
  auto* batch = new QPushButton(QStringLiteral("批量分配"), this);
  ok_ = new QPushButton(QStringLiteral("确定"), this);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  for (QPushButton* b : {add_button, delete_button, items, batch}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(add_button, &QPushButton::clicked, this, &CashFlowDialog::AddRow);
  connect(delete_button, &QPushButton::clicked, this, &CashFlowDialog::DeleteRow);
  connect(batch, &QPushButton::clicked, this, [this] {
    presenter_.BatchAssign();
    Render();
  });
  connect(ok_, &QPushButton::clicked, this, &CashFlowDialog::SaveAndClose);
  connect(cancel, &QPushButton::clicked, this, &CashFlowDialog::reject);
  Render();
  for (auto [column, width] :
       {std::pair{CashFlowLineModel::kFlow, 60}, std::pair{CashFlowLineModel::kItem, 300},
        std::pair{CashFlowLineModel::kRange, 60},
        std::pair{CashFlowLineModel::kCounterpart, 160}}) {
    grid_->setColumnWidth(column, width);
  }
}

void CashFlowDialog::Render() {
  const cashflow::CashFlowLineState& s = presenter_.State();
  model_->Refresh();
  amount_->setText(GroupedAmount(s.amount_text));
  direction_->setText(ToQt(s.direction_label));
  if (s.current_row > 0) grid_->setCurrentIndex(model_->index(s.current_row - 1, 0));
}

int CashFlowDialog::CurrentRow() const {
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? current.row() + 1 : presenter_.State().current_row;
}

void CashFlowDialog::AddRow() {
  const int row = presenter_.AddRow();
  Render();
  grid_->setCurrentIndex(model_->index(row - 1, CashFlowLineModel::kItem));
}

void CashFlowDialog::DeleteRow() {
  presenter_.DeleteRow(CurrentRow());
  Render();
}

void CashFlowDialog::SaveAndClose() {
  presenter_.Save();
  Render();
  if (presenter_.State().closed) done(1);
}

void CashFlowDialog::reject() {
  if (presenter_.Close()) done(0);
}

}  // namespace lumvoucher::ui
