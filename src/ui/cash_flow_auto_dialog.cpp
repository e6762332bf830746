#include "ui/cash_flow_auto_dialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "cashflow/cash_flow_texts.h"
#include "ui/cash_flow_editors.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {

namespace texts = cashflow::texts;
using Field = CashFlowAutoModel::Field;

CashFlowAutoModel::CashFlowAutoModel(cashflow::frmCashFlowAuto2& presenter, bool companion,
                                     QObject* parent)
    : QAbstractTableModel(parent), presenter_(presenter), companion_(companion) {
  Refresh();
}

void CashFlowAutoModel::Refresh() {
  beginResetModel();
  const cashflow::AutoState& s = presenter_.State();
  const bool by_cash = s.mode == cashflow::AutoMode::kByCashLine;
  columns_.clear();
  auto add = [this](const char* caption, Field field) {
    columns_.push_back({ToQt(caption), field});
  };
  if (companion_) {
    add("行号", Field::kRowNo), add("摘要", Field::kRemark);
    add(by_cash ? "对方科目" : "现金流量科目", Field::kAccount);
    add("借方金额", Field::kDebit), add("贷方金额", Field::kCredit);
  } else if (by_cash) {
    add("行号", Field::kRowNo), add("摘要", Field::kRemark), add("现金流量科目", Field::kAccount);
    add("借方金额", Field::kDebit), add("贷方金额", Field::kCredit);
  } else {
    add("摘要", Field::kRemark), add("对方科目", Field::kAccount), add("借方金额", Field::kDebit);
    add("贷方金额", Field::kCredit), add("现金流量科目", Field::kCashLine);
  }
  if (!companion_) {
    add("流向", Field::kFlow), add("现金流量项目", Field::kItem), add("范围", Field::kRange);
    add("内部往来单位", Field::kCounterpart), add("分配金额", Field::kAmount);
  }
  // The editable grid by cash line and the companion by opposite line hold cash lines.
  const auto& used = by_cash != companion_ ? s.cash_aux_used : s.other_aux_used;
  for (std::size_t i = 0; i < cashflow::kAuxColumns; ++i) {
    if (used[i]) {
      columns_.push_back({ToQt(cashflow::AuxCaptions()[i]), Field::kAux, static_cast<int>(i)});
    }
  }
  endResetModel();
}

const std::vector<cashflow::AutoLine>& CashFlowAutoModel::CompanionLines() const {
  const cashflow::AutoState& s = presenter_.State();
  return s.mode == cashflow::AutoMode::kByCashLine ? s.other_lines : s.cash_lines;
}

const cashflow::AutoLine& CashFlowAutoModel::LineAt(int row) const {
  const auto r = static_cast<std::size_t>(row);
  return companion_ ? CompanionLines().at(r) : presenter_.Rows().at(r).line;
}

int CashFlowAutoModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(companion_ ? CompanionLines().size() : presenter_.Rows().size());
}

int CashFlowAutoModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant CashFlowAutoModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const Column& c = ColumnAt(index.column());
  const bool amount =
      c.field == Field::kDebit || c.field == Field::kCredit || c.field == Field::kAmount;
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(
        Qt::Alignment((amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const cashflow::AutoLine& line = LineAt(index.row());
  const cashflow::AutoRow* row =
      companion_ ? nullptr : &presenter_.Rows().at(static_cast<std::size_t>(index.row()));
  auto money = [role](double value) -> QVariant {
    if (value == 0 && role == Qt::DisplayRole) return QString();
    const QString text = AmountText(value);
    return role == Qt::EditRole ? QString(text).remove(QLatin1Char(',')) : text;
  };
  switch (c.field) {
    case Field::kRowNo:
      return static_cast<qlonglong>(line.row_no);
    case Field::kRemark:
      return ToQt(line.remark);
    case Field::kAccount:
      return ToQt(line.account_text);
    case Field::kDebit:
      return money(line.Debit());
    case Field::kCredit:
      return money(line.Credit());
    case Field::kAux:
      return ToQt(line.aux.at(static_cast<std::size_t>(c.aux)));
    default:
      break;
  }
  if (row == nullptr) return {};
  switch (c.field) {
    case Field::kCashLine:
      return ToQt(row->cash_line_text);
    case Field::kFlow:
      return ToQt(row->flow);
    case Field::kItem:
      return ToQt(row->item_text);
    case Field::kRange:
      return ToQt(row->range);
    case Field::kCounterpart:
      return ToQt(row->counterpart_text);
    case Field::kAmount:
      return role == Qt::EditRole ? AmountText(row->amount).remove(QLatin1Char(','))
                                  : AmountText(row->amount);
    default:
      return {};
  }
}

bool CashFlowAutoModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (companion_ || !index.isValid() || role != Qt::EditRole) return false;
  const int row = index.row() + 1;
  const std::string text = ToUtf8(value.toString());
  bool ok = false;
  switch (ColumnAt(index.column()).field) {
    case Field::kFlow:
      ok = presenter_.SetFlow(row, text);
      break;
    case Field::kItem:
      ok = presenter_.SetItem(row, text);
      break;
    case Field::kRange:
      ok = presenter_.SetRange(row, text);
      break;
    case Field::kCounterpart:
      ok = presenter_.SetCounterpart(row, text);
      break;
    case Field::kAmount:
      ok = presenter_.SetAmount(row, text);
      break;
    case Field::kCashLine: {
      long line = 0;
      for (const cashflow::CashLineChoice& c : presenter_.State().cash_line_choices) {
        if (ToQt(c.code + " " + c.text) == value.toString()) line = c.line_id;
      }
      ok = presenter_.SetCashLine(row, line);
      break;
    }
    default:
      break;
  }
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
  return ok;
}

Qt::ItemFlags CashFlowAutoModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (companion_ || !index.isValid() || index.column() >= columnCount()) return f;
  switch (ColumnAt(index.column()).field) {
    case Field::kCounterpart:
      if (presenter_.Rows().at(static_cast<std::size_t>(index.row())).range != texts::kInternal) {
        return f;
      }
      [[fallthrough]];
    case Field::kCashLine:
    case Field::kFlow:
    case Field::kItem:
    case Field::kRange:
    case Field::kAmount:
      return f | Qt::ItemIsEditable;
    default:
      return f;
  }
}

QVariant CashFlowAutoModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section >= 0 && section < columnCount() ? ColumnAt(section).caption : QVariant();
}

CashFlowAutoDialog::CashFlowAutoDialog(cashflow::frmCashFlowAuto2& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmCashFlowAuto2"));
  setWindowTitle(ToQt(presenter_.State().caption));
  resize(1100, 480);
  auto* layout = new QVBoxLayout(this);
  auto* modes = new QHBoxLayout;
  by_cash_ = new QRadioButton(QStringLiteral("按现金流量科目分配"), this);
  by_opposite_ = new QRadioButton(QStringLiteral("按对方科目分配"), this);
  auto* group = new QButtonGroup(this);
  group->addButton(by_cash_, 0);
  group->addButton(by_opposite_, 1);
  by_cash_->setChecked(true);
  modes->addWidget(by_cash_);
  modes->addWidget(by_opposite_);
  modes->addStretch(1);
  layout->addLayout(modes);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) {
    presenter_.SetMode(static_cast<cashflow::AutoMode>(id));
    Render();
  });

  auto* split = new QSplitter(Qt::Horizontal, this);
  model_ = new CashFlowAutoModel(presenter_, false, this);
  companion_model_ = new CashFlowAutoModel(presenter_, true, this);
  grid_ = new QTableView(split);
  grid_->setObjectName(QStringLiteral("autoGrid"));
  grid_->setModel(model_);
  grid_->setItemDelegate(new ChoiceDelegate(
      [this](const QModelIndex& index) -> ChoiceDelegate::Offer {
        switch (model_->ColumnAt(index.column()).field) {
          case Field::kFlow:
            return {{ToQt(texts::kInflow), ToQt(texts::kOutflow)}, false};
          case Field::kRange:
            return {{ToQt(texts::kInternal), ToQt(texts::kExternal)}, false};
          case Field::kItem:
            return {ChoiceTexts(presenter_.ItemChoices(index.row() + 1)), true};
          case Field::kCounterpart:
            return {ChoiceTexts(cashflow::CounterpartChoices()), true};
          case Field::kCashLine: {
            QStringList lines{QString()};
            for (const cashflow::CashLineChoice& c : presenter_.State().cash_line_choices) {
              lines << ToQt(c.code + " " + c.text);
            }
            return {lines, false};
          }
          default:
            return {};
        }
      },
      grid_));
  companion_ = new QTableView(split);
  companion_->setObjectName(QStringLiteral("autoCompanion"));
  companion_->setModel(companion_model_);
  companion_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  companion_->setStyleSheet(QStringLiteral("QTableView { background: #f4f2e8; }"));
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  layout->addWidget(split, 1);

  auto* buttons = new QHBoxLayout;
  auto* add = new QPushButton(QStringLiteral("新增"), this);
  auto* remove = new QPushButton(QStringLiteral("删除"), this);
  suggest_ = new QPushButton(QStringLiteral("建议"), this);
  suggest_->setToolTip(
      QStringLiteral("按本单位以往凭证中对方科目最常用的现金流量项目填写空白项目"));
  QPushButton* items = CashItemsButton(this, [this](host::CashItemAction action) {
    presenter_.MaintainItems(CurrentRow(), action);
    Render();
  });
  save_ = new QPushButton(QStringLiteral("保存"), this);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  for (QPushButton* b : {add, remove, suggest_, items}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(save_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(add, &QPushButton::clicked, this, [this] {
    presenter_.SetCurrentRow(CurrentRow());
    presenter_.AddRow();
    Render();
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    presenter_.DeleteRow(CurrentRow());
    Render();
  });
  connect(suggest_, &QPushButton::clicked, this, [this] {
    presenter_.Suggest();
    Render();
  });
  connect(save_, &QPushButton::clicked, this, [this] {
    presenter_.Save();
    Render();
    if (presenter_.State().closed) done(1);
  });
  connect(cancel, &QPushButton::clicked, this, &CashFlowAutoDialog::reject);
  Render();
}

void CashFlowAutoDialog::Render() {
  const cashflow::AutoState& s = presenter_.State();
  model_->Refresh();
  companion_model_->Refresh();
  by_opposite_->setChecked(s.mode == cashflow::AutoMode::kByOppositeLine);
  by_cash_->setChecked(s.mode == cashflow::AutoMode::kByCashLine);
  // A failed check puts the cursor on the cell it names.
  int column = 0;
  for (int c = 0; c < model_->columnCount(); ++c) {
    const Field field = model_->ColumnAt(c).field;
    if ((s.current_field == cashflow::AutoField::kItem && field == Field::kItem) ||
        (s.current_field == cashflow::AutoField::kCashLine && field == Field::kCashLine) ||
        (s.current_field == cashflow::AutoField::kCounterpart && field == Field::kCounterpart) ||
        (s.current_field == cashflow::AutoField::kAmount && field == Field::kAmount)) {
      column = c;
    }
  }
  if (s.current_row > 0) grid_->setCurrentIndex(model_->index(s.current_row - 1, column));
  grid_->resizeColumnsToContents();
  // The chooser columns start empty; give them room for what will be chosen.
  for (int c = 0; c < model_->columnCount(); ++c) {
    const Field field = model_->ColumnAt(c).field;
    if (field == Field::kItem || field == Field::kCashLine || field == Field::kCounterpart) {
      grid_->setColumnWidth(c, std::max(grid_->columnWidth(c), 180));
    }
  }
  companion_->resizeColumnsToContents();
}

int CashFlowAutoDialog::CurrentRow() const {
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? current.row() + 1 : presenter_.State().current_row;
}

void CashFlowAutoDialog::reject() {
  presenter_.Cancel();
  done(0);
}

}  // namespace lumvoucher::ui
