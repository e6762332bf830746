#include "ui/link_dialogs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "links/contract_texts.h"
#include "links/cost_apportionment.h"
#include "links/settlement_texts.h"
#include "ui/choice_delegate.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui/split_grid_model.h"
#include "ui/pair_voucher_view.h"
#include "ui/voucher_view.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::ui {

namespace {

// 选择 .. 职员, the two classes and 物品 come before the segments.
constexpr int kFirstSegmentColumn = 11;

QString Amount(double value, int decimals) {
  return GroupedAmount(voucher::FormatFixed(value, decimals));
}

QString BlankZero(double value, int decimals) {
  return value == 0 ? QString() : Amount(value, decimals);
}

QTableView* MakeGrid(QWidget* parent, SplitGridModel* model) {
  auto* grid = new QTableView(parent);
  grid->setModel(model);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setSelectionBehavior(QAbstractItemView::SelectItems);
  return grid;
}

int CurrentRow(QTableView* grid) {
  const QModelIndex current = grid->currentIndex();
  return current.isValid() ? current.row() + 1 : 0;
}

QPushButton* Button(QHBoxLayout* row, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(ToQt(caption), parent);
  row->addWidget(button);
  return button;
}

GridColumn Fixed(const char* caption, std::function<QString(int)> text, bool right = false) {
  return {[caption] { return ToQt(caption); }, std::move(text), nullptr, right};
}

// "code name" of an id in a list the card offers; the id itself when the list lacks it.
QString NameOf(const std::vector<links::CostChoice>& list, long id) {
  if (id == 0) return {};
  for (const links::CostChoice& c : list) {
    if (c.id == id) return ToQt(c.code + " " + c.name);
  }
  return QString::number(id);
}

}  // namespace

// ---- Settlement --------------------------------------------------------------------------------

DarapDialog::DarapDialog(links::frmDARAP& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmDARAP"));
  setWindowTitle(ToQt(presenter_.State().caption));
  resize(900, 420);
  auto row = [this](int r) -> const links::DarapRow& {
    return presenter_.State().rows[static_cast<std::size_t>(r)];
  };
  const int d = presenter_.State().decimals;
  std::vector<GridColumn> columns = {
      {[] { return QStringLiteral("选择"); },
       [row](int r) { return row(r).chosen ? ToQt(links::texts::kChosen) : QString(); },
       [this](int r, const QString&) { return presenter_.Tick(r + 1); }},
      Fixed("日期", [row](int r) { return ToQt(row(r).date); }),
      Fixed("凭证字号", [row](int r) { return ToQt(row(r).voucher_text); }),
      Fixed("摘要", [row](int r) { return ToQt(row(r).remark); }),
      Fixed("单位", [row](int r) { return ToQt(row(r).unit); }),
      Fixed("预算科目", [row](int r) { return ToQt(row(r).account); }),
      Fixed("部门", [row](int r) { return ToQt(row(r).department); }),
      Fixed("职员", [row](int r) { return ToQt(row(r).employee); }),
      {[this] { return ToQt(presenter_.State().class1_title); },
       [row](int r) { return ToQt(row(r).class1); }, nullptr},
      {[this] { return ToQt(presenter_.State().class2_title); },
       [row](int r) { return ToQt(row(r).class2); }, nullptr},
      Fixed("物品", [row](int r) { return ToQt(row(r).item); })};
  for (std::size_t f = 0; f < static_cast<std::size_t>(links::kSegments); ++f) {
    columns.push_back({[this, f] {
                         const auto& titles = presenter_.State().segment_titles;
                         return f < titles.size() ? ToQt(titles[f]) : QString();
                       },
                       [row, f](int r) { return ToQt(row(r).fields[f]); }, nullptr});
  }
  std::vector<GridColumn> amounts = {
      Fixed("智能核算", [row](int r) { return ToQt(row(r).smart); }),
      Fixed(
          "汇率",
          [row](int r) {
            return row(r).rate == 0 ? QString()
                                    : ToQt(voucher::FormatFixed(row(r).rate, row(r).rate_decimals));
          },
          true),
      Fixed(
          "借方金额",
          [row, d](int r) {
            return row(r).direction > 0 ? BlankZero(row(r).amount, d) : QString();
          },
          true),
      Fixed(
          "贷方金额",
          [row, d](int r) {
            return row(r).direction < 0 ? BlankZero(row(r).amount, d) : QString();
          },
          true),
      Fixed(
          "未核销金额", [row, d](int r) { return Amount(row(r).Open(), d); }, true),
      {[] { return QStringLiteral("本次核销金额"); },
       [row, d](int r) { return BlankZero(row(r).this_time, d); },
       [this](int r, const QString& text) { return presenter_.SetThisTime(r + 1, ToUtf8(text)); },
       true}};
  for (GridColumn& column : amounts) columns.push_back(std::move(column));
  model_ = new SplitGridModel([this] { return static_cast<int>(presenter_.State().rows.size()); },
                              std::move(columns), this);
  auto* layout = new QVBoxLayout(this);
  grid_ = MakeGrid(this, model_);
  layout->addWidget(grid_, 1);
  totals_ = new QLabel(this);
  layout->addWidget(totals_);
  auto* buttons = new QHBoxLayout;
  connect(Button(buttons, "自动分配", this), &QPushButton::clicked, this, &DarapDialog::Allocate);
  connect(Button(buttons, "取消核销", this), &QPushButton::clicked, this, [this] {
    presenter_.Withdraw(CurrentRow(grid_));
    Render();
  });
  buttons->addStretch(1);
  connect(Button(buttons, "确定", this), &QPushButton::clicked, this, &DarapDialog::Accept);
  connect(Button(buttons, "取消", this), &QPushButton::clicked, this, &DarapDialog::reject);
  layout->addLayout(buttons);
  connect(model_, &QAbstractItemModel::dataChanged, this, &DarapDialog::RenderTotals);
  Render();
}

void DarapDialog::Render() {
  model_->Refresh();
  // A segment no offered item uses would only widen the grid.
  const links::DarapState& s = presenter_.State();
  for (int f = 0; f < links::kSegments; ++f) {
    const bool used = std::any_of(s.rows.begin(), s.rows.end(), [f](const links::DarapRow& r) {
      return !r.fields[static_cast<std::size_t>(f)].empty();
    });
    grid_->setColumnHidden(kFirstSegmentColumn + f, !used);
  }
  RenderTotals();
}

void DarapDialog::RenderTotals() {
  const links::DarapState& s = presenter_.State();
  totals_->setText(QStringLiteral("核销金额：") + Amount(s.line.amount, s.decimals) +
                   QStringLiteral("    已分配：") + Amount(s.allocated, s.decimals) +
                   QStringLiteral("    未分配：") + Amount(s.remaining, s.decimals));
}

void DarapDialog::Allocate() {
  presenter_.Allocate();
  Render();
}

void DarapDialog::Accept() {
  if (presenter_.Confirm()) done(1);
}

void DarapDialog::reject() {
  presenter_.Cancel();
  done(0);
}

// ---- Contract settlement -----------------------------------------------------------------------

ContractDialog::ContractDialog(links::frmContractSettlement& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  using links::ContractColumn;
  setObjectName(QStringLiteral("frmContractSettlement"));
  setWindowTitle(ToQt(links::texts::kContractTitle));
  resize(1000, 420);
  auto row = [this](int r) -> const links::ContractGridRow& {
    return presenter_.State().rows[static_cast<std::size_t>(r)];
  };
  auto caption = [this](std::size_t i) {
    return [this, i] { return ToQt(presenter_.State().captions[i]); };
  };
  auto edit = [this](ContractColumn column) {
    return [this, column](int r, const QString& text) {
      // A chooser gives "code name"; the presenter looks its columns up by code.
      const bool coded = column == ContractColumn::kContract || column == ContractColumn::kUnit ||
                         column == ContractColumn::kPayer || column == ContractColumn::kMethod;
      const QString value = coded ? CodeOf(text) : text;
      return presenter_.SetCell(r + 1, column, ToUtf8(value));
    };
  };
  const int d = presenter_.State().decimals;
  std::vector<GridColumn> columns = {
      {caption(0), [row](int r) { return ToQt(row(r).row.pay_date); }, edit(ContractColumn::kDate)},
      {caption(1), [row](int r) { return ToQt(row(r).row.codes.contract); },
       edit(ContractColumn::kContract)},
      {caption(2), [row](int r) { return ToQt(row(r).row.codes.unit); },
       edit(ContractColumn::kUnit)},
      {caption(3), [row](int r) { return ToQt(row(r).row.codes.payer); },
       edit(ContractColumn::kPayer)},
      {caption(4), [row](int r) { return ToQt(row(r).row.codes.method); },
       edit(ContractColumn::kMethod)},
      {caption(5), [row](int r) { return ToQt(row(r).row.check_number); },
       edit(ContractColumn::kCheck)},
      {caption(6), [row](int r) { return ToQt(row(r).row.pay_man); },
       edit(ContractColumn::kPayMan)},
      {caption(7), [row, d](int r) { return Amount(row(r).row.amount, d); },
       edit(ContractColumn::kAmount), true},
      {caption(8), [row, d](int r) { return Amount(row(r).row.invoice_amount, d); },
       edit(ContractColumn::kInvoice), true},
      {caption(9), [row, d](int r) { return Amount(row(r).paid_so_far, d); }, nullptr, true},
      {caption(10), [row, d](int r) { return Amount(row(r).contract_total, d); }, nullptr, true},
      {caption(11), [row](int r) { return ToQt(row(r).row.note); }, edit(ContractColumn::kNote)}};
  model_ = new SplitGridModel([this] { return static_cast<int>(presenter_.State().rows.size()); },
                              std::move(columns), this);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(ToQt(links::texts::kContractKinds), this));
  kind_ = new QComboBox(this);
  kind_->addItems({ToQt(links::texts::kKindPurchase), ToQt(links::texts::kKindProject)});
  top->addWidget(kind_);
  direction_ = new QComboBox(this);
  direction_->addItems({ToQt(links::texts::kDirPay), ToQt(links::texts::kDirReceive)});
  top->addWidget(direction_);
  top->addWidget(new QLabel(QStringLiteral("工程项目"), this));
  project_ = new QComboBox(this);
  project_->setEditable(true);
  project_->setInsertPolicy(QComboBox::NoInsert);
  project_->setMinimumContentsLength(16);
  for (const links::ContractChoice& p : links::ProjectChoices()) {
    project_->addItem(ToQt(p.code + " " + p.name));
  }
  top->addWidget(project_);
  top->addStretch(1);
  layout->addLayout(top);
  grid_ = MakeGrid(this, model_);
  const ContractColumn coded[] = {ContractColumn::kContract, ContractColumn::kUnit,
                                  ContractColumn::kPayer, ContractColumn::kMethod};
  for (int i = 0; i < 4; ++i) {
    grid_->setItemDelegateForColumn(
        i + 1, new ChoiceDelegate(
                   [this, column = coded[i]](const QModelIndex&) {
                     ChoiceDelegate::Offer offer{{}, true};
                     for (const links::ContractChoice& c : presenter_.Choices(column)) {
                       offer.choices << ToQt(c.code + " " + c.name);
                     }
                     return offer;
                   },
                   this));
  }
  layout->addWidget(grid_, 1);
  auto* buttons = new QHBoxLayout;
  connect(Button(buttons, "新增", this), &QPushButton::clicked, this, [this] {
    presenter_.AddRow();
    Render();
  });
  connect(Button(buttons, "删除", this), &QPushButton::clicked, this, [this] {
    presenter_.DeleteRow(CurrentRow(grid_));
    Render();
  });
  buttons->addStretch(1);
  connect(Button(buttons, "确定", this), &QPushButton::clicked, this, &ContractDialog::Accept);
  connect(Button(buttons, "取消", this), &QPushButton::clicked, this, &ContractDialog::reject);
  layout->addLayout(buttons);
  Render();
  connect(kind_, &QComboBox::currentIndexChanged, this, [this](int index) {
    presenter_.SetKind(index == 1 ? links::kProjectOrder : links::kPurchaseContract);
    Render();
  });
  connect(direction_, &QComboBox::currentIndexChanged, this, [this](int index) {
    presenter_.SetDirection(index == 1 ? links::kReceipt : links::kPayment);
    Render();
  });
  auto choose_project = [this] {
    presenter_.SetProject(ToUtf8(CodeOf(project_->currentText())));
    Render();
  };
  connect(project_, &QComboBox::activated, this, choose_project);
  connect(project_->lineEdit(), &QLineEdit::editingFinished, this, choose_project);
}

void ContractDialog::Render() {
  const links::ContractState& s = presenter_.State();
  model_->Refresh();
  QSignalBlocker block_kind(kind_), block_direction(direction_);
  kind_->setCurrentIndex(s.kind == links::kProjectOrder ? 1 : 0);
  direction_->setCurrentIndex(s.pay_receive == links::kReceipt ? 1 : 0);
  {
    QSignalBlocker block_project(project_);
    const int at = project_->findText(ToQt(s.project_code), Qt::MatchStartsWith);
    if (at >= 0 && CodeOf(project_->itemText(at)) == ToQt(s.project_code)) {
      project_->setCurrentIndex(at);
    } else {
      project_->setEditText(ToQt(s.project_code));
    }
  }
  project_->setEnabled(s.kind == links::kProjectOrder);
}

void ContractDialog::Accept() {
  if (presenter_.Confirm()) done(1);
}

void ContractDialog::reject() {
  presenter_.Cancel();
  done(0);
}

// ---- Cost cards --------------------------------------------------------------------------------

CostCardDialog::CostCardDialog(links::frmCostApportionOut& presenter, QWidget* parent)
    : QDialog(parent), out_(&presenter) {
  using links::CostColumn;
  auto items = std::make_shared<std::vector<links::CostChoice>>(links::CostItems("Outlay", -1));
  auto departments =
      std::make_shared<std::vector<links::CostChoice>>(links::CostItems("Department"));
  auto row = [this](int r) -> const links::CostShare& {
    return out_->Rows()[static_cast<std::size_t>(r)];
  };
  auto edit = [this](CostColumn column) {
    return [this, column](int r, const QString& text) {
      return out_->SetCell(r + 1, column, ToUtf8(text));
    };
  };
  const int d = out_->State().decimals;
  std::vector<GridColumn> columns = {
      {[] { return QStringLiteral("支出项目"); },
       [row, items](int r) { return NameOf(*items, row(r).outlay_id); }, edit(CostColumn::kItem)},
      {[] { return QStringLiteral("科室"); },
       [row, departments](int r) { return NameOf(*departments, row(r).department_id); },
       edit(CostColumn::kDepartment)},
      {[] { return QStringLiteral("来源"); },
       [row](int r) {
         return row(r).source_id == 0 ? QString() : QString::number(row(r).source_id);
       },
       edit(CostColumn::kSource)},
      {[] { return QStringLiteral("分摊金额"); },
       [row, d](int r) { return Amount(row(r).amount, d); }, edit(CostColumn::kAmount), true},
      {[] { return QStringLiteral("备注"); }, [row](int r) { return ToQt(row(r).note); },
       edit(CostColumn::kNote)}};
  model_ = new SplitGridModel([this] { return static_cast<int>(out_->Rows().size()); },
                              std::move(columns), this);
  setObjectName(QStringLiteral("frmCostApportionOut"));
  Build(QStringLiteral("成本归集"));
}

CostCardDialog::CostCardDialog(links::frmCostApportionIn& presenter, QWidget* parent)
    : QDialog(parent), in_(&presenter) {
  using links::CostColumn;
  auto items = std::make_shared<std::vector<links::CostChoice>>(links::CostItems("Outlay", 1));
  auto departments =
      std::make_shared<std::vector<links::CostChoice>>(links::CostItems("Department"));
  auto types = std::make_shared<std::vector<links::CostChoice>>(links::CostItems("hisincometype"));
  auto row = [this](int r) -> const links::HisShare& {
    return in_->Rows()[static_cast<std::size_t>(r)];
  };
  auto edit = [this](CostColumn column) {
    return [this, column](int r, const QString& text) {
      return in_->SetCell(r + 1, column, ToUtf8(text));
    };
  };
  const int d = in_->State().decimals;
  auto department = [row, departments](long links::HisShare::*id) {
    return [row, departments, id](int r) { return NameOf(*departments, row(r).*id); };
  };
  auto amount = [row, d](double links::HisShare::*value) {
    return [row, d, value](int r) { return Amount(row(r).*value, d); };
  };
  auto title = [](const char* text) { return [text] { return ToQt(text); }; };
  std::vector<GridColumn> columns = {
      {title("收入类型"), [row, types](int r) { return NameOf(*types, row(r).income_type); },
       edit(CostColumn::kIncomeType)},
      {title("收入项目"), [row, items](int r) { return NameOf(*items, row(r).outlay_id); },
       edit(CostColumn::kItem)},
      {title("分摊总金额"), amount(&links::HisShare::amount), edit(CostColumn::kAmount), true},
      {title("开单科室"), department(&links::HisShare::prescribe_department_id),
       edit(CostColumn::kPrescribeDepartment)},
      {title("开单金额"), amount(&links::HisShare::prescribe_amount),
       edit(CostColumn::kPrescribeAmount), true},
      {title("执行科室"), department(&links::HisShare::execute_department_id),
       edit(CostColumn::kExecuteDepartment)},
      {title("执行金额"), amount(&links::HisShare::execute_amount),
       edit(CostColumn::kExecuteAmount), true},
      {title("病人科室"), department(&links::HisShare::sick_department_id),
       edit(CostColumn::kSickDepartment)},
      {title("病人金额"), amount(&links::HisShare::sick_amount), edit(CostColumn::kSickAmount),
       true},
      {title("备注"), [row](int r) { return ToQt(row(r).note); }, edit(CostColumn::kNote)}};
  model_ = new SplitGridModel([this] { return static_cast<int>(in_->Rows().size()); },
                              std::move(columns), this);
  setObjectName(QStringLiteral("frmCostApportionIn"));
  Build(QStringLiteral("HIS收入"));
}

void CostCardDialog::Build(const QString& title) {
  setWindowTitle(title);
  resize(900, 400);
  auto* layout = new QVBoxLayout(this);
  grid_ = MakeGrid(this, model_);
  layout->addWidget(grid_, 1);
  footer_ = new QLabel(this);
  layout->addWidget(footer_);
  auto* buttons = new QHBoxLayout;
  connect(Button(buttons, "新增", this), &QPushButton::clicked, this, [this] {
    out_ != nullptr ? out_->AddRow() : in_->AddRow();
    Render();
  });
  connect(Button(buttons, "删除", this), &QPushButton::clicked, this, [this] {
    const int row = CurrentRow(grid_);
    out_ != nullptr ? out_->DeleteRow(row) : in_->DeleteRow(row);
    Render();
  });
  buttons->addStretch(1);
  connect(Button(buttons, "确定", this), &QPushButton::clicked, this, &CostCardDialog::Accept);
  connect(Button(buttons, "取消", this), &QPushButton::clicked, this, &CostCardDialog::reject);
  layout->addLayout(buttons);
  connect(model_, &QAbstractItemModel::dataChanged, this, [this] {
    footer_->setText(ToQt(out_ != nullptr ? out_->State().footer : in_->State().footer));
  });
  Render();
}

void CostCardDialog::Render() {
  model_->Refresh();
  footer_->setText(ToQt(out_ != nullptr ? out_->State().footer : in_->State().footer));
}

void CostCardDialog::Accept() {
  if (out_ != nullptr ? out_->Confirm() : in_->Confirm()) done(1);
}

void CostCardDialog::reject() {
  out_ != nullptr ? out_->Cancel() : in_->Cancel();
  done(0);
}

// ---- Registration ------------------------------------------------------------------------------

void RegisterLinkViews(Desktop& desktop) {
  desktop.Modal().Register<links::frmDARAP, DarapDialog>();
  desktop.Modal().Register<links::frmContractSettlement, ContractDialog>();
  desktop.Modal().Register<links::frmCostApportionOut, CostCardDialog>();
  desktop.Modal().Register<links::frmCostApportionIn, CostCardDialog>();
  const std::pair<const char*, bool (voucher::frmVoucher::*)()> commands[] = {
      {"往来核销", &voucher::frmVoucher::CurrentAccountSettlement},
      {"合同结算", &voucher::frmVoucher::ContractSettlement},
      {"成本归集", &voucher::frmVoucher::CostCollection}};
  for (const auto& [caption, command] : commands) {
    desktop.Main().AddOpener(ToQt(caption), [&desktop, caption = caption, command = command] {
      CommandTarget* target = desktop.Main().ActiveTarget();
      if (auto* view = dynamic_cast<VoucherView*>(target)) {
        (view->Presenter().*command)();
        view->Render();
      } else if (auto* pair = dynamic_cast<PairVoucherView*>(target)) {
        pair->RunOwnCommand(ToQt(caption));
      }
    });
  }
}

}  // namespace lumvoucher::ui
