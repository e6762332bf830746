#include "ui/document_link_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "dualbasis/cls_voucher_new.h"
#include "frame/window_registry.h"
#include "links/frm_business_data.h"
#include "links/memo_book.h"
#include "links/memo_texts.h"
#include "lists/list_commands.h"
#include "lists/voucher_list.h"
#include "ui/choice_delegate.h"
#include "ui/desktop.h"
#include "ui/pair_voucher_view.h"
#include "ui/qt_text.h"
#include "ui/split_grid_model.h"
#include "ui/voucher_list_view.h"
#include "ui/voucher_view.h"
#include "voucher/frm_voucher.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::ui {

namespace {

namespace texts = links::memo_texts;

QTableView* MakeGrid(QWidget* parent, QAbstractItemModel* model) {
  auto* grid = new QTableView(parent);
  grid->setModel(model);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  return grid;
}

int CurrentRow(QTableView* grid) {
  const QModelIndex current = grid->currentIndex();
  return current.isValid() ? current.row() + 1 : 0;
}

QPushButton* Button(QHBoxLayout* row, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  row->addWidget(button);
  return button;
}

GridColumn Shown(const QString& caption, std::function<QString(int)> text, bool right = false) {
  return {[caption] { return caption; }, std::move(text), nullptr, right};
}

// Fills a read-only model with captions and cells; the current row stays where it was.
void Fill(QStandardItemModel* model, const std::vector<std::string>& columns,
          const std::vector<std::vector<std::string>>& cells) {
  model->clear();
  QStringList headers;
  for (const std::string& c : columns) headers << ToQt(c);
  model->setHorizontalHeaderLabels(headers);
  for (const auto& row : cells) {
    QList<QStandardItem*> items;
    for (const std::string& cell : row) {
      auto* item = new QStandardItem(ToQt(cell));
      item->setEditable(false);
      items << item;
    }
    model->appendRow(items);
  }
}

// The memo items a batch row may take: those of the line window's lookups for its account.
std::vector<links::ReferenceChoice> ItemsOf(long account_id) {
  std::vector<links::ReferenceChoice> items;
  for (const links::ReferenceClass& c :
       links::MemoClasses(links::CurrentMemoBasis(), false, account_id)) {
    items.insert(items.end(), c.choices.begin(), c.choices.end());
  }
  return items;
}

void SelectRow(QTableView* grid, int row) {
  if (row < 0 || row >= grid->model()->rowCount()) {
    grid->clearSelection();
    return;
  }
  grid->selectRow(row);
}

}  // namespace

// ---- 备查薄明细 ---------------------------------------------------------------------------------

ReferenceDialog::ReferenceDialog(links::frmReference& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmReference"));
  setWindowTitle(ToQt(texts::kLineCaption));
  resize(720, 420);
  const links::ReferenceState& s = presenter_.State();
  auto row = [this](int r) -> const links::ReferenceRow& {
    return presenter_.State().rows[static_cast<std::size_t>(r)];
  };
  auto class_of = [this](int func_type) -> const links::ReferenceClass* {
    for (const links::ReferenceClass& c : presenter_.State().classes) {
      if (c.func_type == func_type) return &c;
    }
    return nullptr;
  };
  std::vector<GridColumn> columns = {
      Shown(QStringLiteral("备查项目类型"),
            [row, class_of](int r) {
              const links::ReferenceClass* c = class_of(row(r).func_type);
              return c == nullptr ? QString() : ToQt(c->label);
            }),
      {[] { return QStringLiteral("备查项目"); }, [row](int r) { return ToQt(row(r).item_text); },
       [this, row, class_of](int r, const QString& text) {
         const links::ReferenceClass* c = class_of(row(r).func_type);
         long id = 0;
         for (const links::ReferenceChoice& choice :
              c != nullptr ? c->choices : decltype(c->choices){}) {
           if (ToQt(choice.text) == text || CodeOf(ToQt(choice.text)) == CodeOf(text)) {
             id = choice.id;
           }
         }
         return presenter_.SetItem(r + 1, id);
       }},
      {[] { return QStringLiteral("备查金额"); }, [row](int r) { return ToQt(row(r).amount_text); },
       [this](int r, const QString& text) { return presenter_.SetAmount(r + 1, ToUtf8(text)); },
       true}};
  if (s.read_only) {
    for (GridColumn& c : columns) c.edit = nullptr;
  }
  model_ = new SplitGridModel([this] { return static_cast<int>(presenter_.State().rows.size()); },
                              std::move(columns), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(ToQt(s.caption), this));
  grid_ = MakeGrid(this, model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setItemDelegateForColumn(1,
                                  new ChoiceDelegate(
                                      [row, class_of](const QModelIndex& index) {
                                        ChoiceDelegate::Offer offer{{}, true};
                                        if (const auto* c = class_of(row(index.row()).func_type)) {
                                          for (const auto& choice : c->choices)
                                            offer.choices << ToQt(choice.text);
                                        }
                                        return offer;
                                      },
                                      this));
  layout->addWidget(grid_, 1);
  remaining_ = new QLabel(this);
  layout->addWidget(remaining_);
  auto* buttons = new QHBoxLayout;
  new_class_ = new QComboBox(this);
  for (const links::ReferenceClass& c : s.classes) {
    new_class_->addItem(ToQt(c.label), c.func_type);
  }
  buttons->addWidget(new_class_);
  auto* add = Button(buttons, ToQt(texts::kAddRow), this);
  auto* remove = Button(buttons, ToQt(texts::kDeleteRow), this);
  add->setEnabled(!s.read_only);
  remove->setEnabled(!s.read_only);
  new_class_->setEnabled(!s.read_only);
  connect(add, &QPushButton::clicked, this, [this] {
    const int row = presenter_.AddRow(new_class_->currentData().toInt());
    Render();
    if (row > 0) grid_->setCurrentIndex(model_->index(row - 1, 1));
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    presenter_.DeleteRow(CurrentRow(grid_));
    Render();
  });
  buttons->addStretch(1);
  connect(Button(buttons, QStringLiteral("确定"), this), &QPushButton::clicked, this, [this] {
    if (presenter_.Save()) done(presenter_.State().saved ? 1 : 0);
    Render();
  });
  connect(Button(buttons, QStringLiteral("取消"), this), &QPushButton::clicked, this,
          &ReferenceDialog::reject);
  layout->addLayout(buttons);
  connect(model_, &QAbstractItemModel::dataChanged, this, &ReferenceDialog::Render);
  Render();
}

void ReferenceDialog::Render() {
  model_->Refresh();
  QStringList lines;
  const int d = 2;
  for (const links::ReferenceClass& c : presenter_.State().classes) {
    lines << ToQt(c.remaining_label) + GroupedAmount(voucher::FormatFixed(c.remaining, d));
  }
  remaining_->setText(lines.join(QStringLiteral("    ")));
}

void ReferenceDialog::reject() {
  if (presenter_.Close()) done(presenter_.State().saved ? 1 : 0);
}

// ---- 批量分配备查明细
// -----------------------------------------------------------------------------

ReferenceBatchDialog::ReferenceBatchDialog(links::frmReferenceBatch& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmReferenceBatch"));
  setWindowTitle(ToQt(texts::kBatchCaption));
  resize(900, 360);
  auto row = [this](int r) -> const links::ReferenceBatchRow& {
    return presenter_.State().rows[static_cast<std::size_t>(r)];
  };
  auto amount = [](double value) {
    return value == 0 ? QString() : GroupedAmount(voucher::FormatFixed(value, 2));
  };
  std::vector<GridColumn> columns = {
      Shown(QStringLiteral("备查科目"), [row](int r) { return ToQt(row(r).account_text); }),
      {[] { return QStringLiteral("备查项目"); }, [row](int r) { return ToQt(row(r).item_text); },
       [this, row](int r, const QString& text) {
         for (const links::ReferenceChoice& choice : ItemsOf(row(r).account_id)) {
           if (ToQt(choice.text) == text || CodeOf(ToQt(choice.text)) == CodeOf(text)) {
             presenter_.SetItem(r + 1, choice.id, choice.text);
             return true;
           }
         }
         return false;
       }},
      Shown(
          QStringLiteral("凭证借方金额"), [row, amount](int r) { return amount(row(r).debit); },
          true),
      Shown(
          QStringLiteral("凭证贷方金额"), [row, amount](int r) { return amount(row(r).credit); },
          true),
      Shown(
          QStringLiteral("备查金额"), [row, amount](int r) { return amount(row(r).registered); },
          true),
      Shown(QStringLiteral("所选分录"), [row](int r) { return ToQt(row(r).selection); }),
      {[] { return QStringLiteral("待分配金额"); },
       [row](int r) { return ToQt(row(r).amount_text); },
       [this](int r, const QString& text) {
         presenter_.SetAmount(r + 1, ToUtf8(text));
         return true;
       },
       true}};
  model_ = new SplitGridModel([this] { return static_cast<int>(presenter_.State().rows.size()); },
                              std::move(columns), this);
  auto* layout = new QVBoxLayout(this);
  auto* header = new QHBoxLayout;
  header->addWidget(new QLabel(ToQt(texts::kVoucherDate) + ToQt(presenter_.State().date), this));
  header->addWidget(
      new QLabel(ToQt(texts::kVoucherNo) + ToQt(presenter_.State().voucher_no), this));
  header->addStretch(1);
  layout->addLayout(header);
  grid_ = MakeGrid(this, model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setItemDelegateForColumn(1,
                                  new ChoiceDelegate(
                                      [row](const QModelIndex& index) {
                                        ChoiceDelegate::Offer offer{{}, true};
                                        for (const auto& c : ItemsOf(row(index.row()).account_id)) {
                                          offer.choices << ToQt(c.text);
                                        }
                                        return offer;
                                      },
                                      this));
  layout->addWidget(grid_, 1);
  auto* buttons = new QHBoxLayout;
  connect(Button(buttons, QStringLiteral("选择分录"), this), &QPushButton::clicked, this, [this] {
    if (const int r = CurrentRow(grid_); r > 0) presenter_.ChooseLines(r);
    Render();
  });
  buttons->addStretch(1);
  connect(Button(buttons, QStringLiteral("确定"), this), &QPushButton::clicked, this, [this] {
    if (presenter_.Save()) done(1);
    Render();
  });
  connect(Button(buttons, QStringLiteral("取消"), this), &QPushButton::clicked, this,
          &ReferenceBatchDialog::reject);
  layout->addLayout(buttons);
  Render();
}

void ReferenceBatchDialog::Render() {
  model_->Refresh();
}

// ---- 选择凭证分录明细
// -----------------------------------------------------------------------------

SelectReferenceLinesDialog::SelectReferenceLinesDialog(links::frmSelectReferenceLines& presenter,
                                                       QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmSelectReferenceLines"));
  setWindowTitle(ToQt(texts::kSelectCaption));
  resize(900, 360);
  auto line = [this](int r) -> const links::SelectableLine& {
    return presenter_.Lines()[static_cast<std::size_t>(r)];
  };
  std::vector<GridColumn> columns = {
      {[] { return QStringLiteral("选择"); },
       [line](int r) { return line(r).ticked ? ToQt(texts::kTick) : QString(); },
       [this, line](int r, const QString&) {
         presenter_.Tick(r + 1, !line(r).ticked);
         return true;
       }}};
  const auto& captions = links::frmSelectReferenceLines::Columns();
  for (std::size_t c = 0; c < captions.size(); ++c) {
    columns.push_back(Shown(ToQt(captions[c]), [line, c](int r) {
      const auto& cells = line(r).cells;
      return c < cells.size() ? ToQt(cells[c]) : QString();
    }));
  }
  model_ = new SplitGridModel([this] { return static_cast<int>(presenter_.Lines().size()); },
                              std::move(columns), this);
  auto* layout = new QVBoxLayout(this);
  grid_ = MakeGrid(this, model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  layout->addWidget(grid_, 1);
  connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    model_->setData(model_->index(index.row(), 0), QString());
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  connect(Button(buttons, QStringLiteral("确定"), this), &QPushButton::clicked, this, [this] {
    if (presenter_.Confirm()) done(1);
  });
  connect(Button(buttons, QStringLiteral("取消"), this), &QPushButton::clicked, this,
          &SelectReferenceLinesDialog::reject);
  layout->addLayout(buttons);
  model_->Refresh();
}

// ---- Fund document matching --------------------------------------------------------------------

CenterRelationDialog::CenterRelationDialog(links::frmCenterRalation& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmCenterRalation"));
  setWindowTitle(QStringLiteral("资金单据结算关系"));
  resize(1000, 600);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  area_ = new QComboBox(this);
  area_->addItems(
      {QStringLiteral("未核销数据"), QStringLiteral("已核销分录"), QStringLiteral("已核销单据")});
  top->addWidget(area_);
  amount_fit_ = new QCheckBox(QStringLiteral("金额相符"), this);
  amount_fit_->setObjectName(QStringLiteral("chkAmountFit"));
  top->addWidget(amount_fit_);
  top->addStretch(1);
  layout->addLayout(top);
  line_model_ = new QStandardItemModel(this);
  request_model_ = new QStandardItemModel(this);
  lines_ = MakeGrid(this, line_model_);
  requests_ = MakeGrid(this, request_model_);
  layout->addWidget(new QLabel(QStringLiteral("凭证分录"), this));
  layout->addWidget(lines_, 1);
  layout->addWidget(new QLabel(QStringLiteral("资金单据"), this));
  layout->addWidget(requests_, 1);
  auto* buttons = new QHBoxLayout;
  auto command = [this, buttons](const QString& caption, std::function<void()> run) {
    connect(Button(buttons, caption, this), &QPushButton::clicked, this, [this, run] {
      run();
      Render();
    });
  };
  command(QStringLiteral("建立关联"), [this] { presenter_.Pair(); });
  command(QStringLiteral("清除关联"), [this] { presenter_.Clear(); });
  command(QStringLiteral("分录条件选择"), [this] { presenter_.SelectCondition(false); });
  command(QStringLiteral("单据条件选择"), [this] { presenter_.SelectCondition(true); });
  command(QStringLiteral("查看单据"), [this] { presenter_.ShowBill(); });
  buttons->addStretch(1);
  connect(Button(buttons, QStringLiteral("退出"), this), &QPushButton::clicked, this,
          &CenterRelationDialog::reject);
  layout->addLayout(buttons);
  connect(area_, &QComboBox::currentIndexChanged, this, [this](int index) {
    presenter_.SetArea(static_cast<links::FundArea>(index));
    Render();
  });
  connect(amount_fit_, &QCheckBox::toggled, this, [this](bool on) {
    presenter_.SetAmountFit(on);
    Render();
  });
  connect(lines_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (rendering_) return;
            presenter_.SelectLine(current.isValid() ? current.row() : -1);
            Render();
          });
  connect(requests_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (rendering_) return;
            presenter_.SelectRequest(current.isValid() ? current.row() : -1);
            Render();
          });
  Render();
}

void CenterRelationDialog::Render() {
  rendering_ = true;
  const links::CenterRelationState& s = presenter_.State();
  {
    QSignalBlocker block_area(area_), block_fit(amount_fit_);
    area_->setCurrentIndex(static_cast<int>(s.area));
    amount_fit_->setChecked(s.amount_fit);
  }
  Fill(line_model_, s.lines.columns, s.lines.cells);
  Fill(request_model_, s.requests.columns, s.requests.cells);
  SelectRow(lines_, s.lines.selected);
  SelectRow(requests_, s.requests.selected);
  rendering_ = false;
}

void CenterRelationDialog::reject() {
  if (presenter_.Close()) done(0);
}

// ---- 业务资料
// -------------------------------------------------------------------------------------

BusinessDataDialog::BusinessDataDialog(links::frmBusinessData& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmBusinessData"));
  setWindowTitle(QStringLiteral("业务资料"));
  resize(1000, 400);
  auto* layout = new QVBoxLayout(this);
  model_ = new QStandardItemModel(this);
  grid_ = MakeGrid(this, model_);
  layout->addWidget(grid_, 1);
  auto* buttons = new QHBoxLayout;
  connect(Button(buttons, QStringLiteral("刷新"), this), &QPushButton::clicked, this, [this] {
    presenter_.Load(presenter_.State().voucher_id);
    Render();
  });
  connect(Button(buttons, QStringLiteral("打开"), this), &QPushButton::clicked, this,
          [this] { presenter_.OpenDocument(); });
  buttons->addStretch(1);
  connect(Button(buttons, QStringLiteral("退出"), this), &QPushButton::clicked, this,
          &BusinessDataDialog::reject);
  layout->addLayout(buttons);
  connect(grid_, &QTableView::doubleClicked, this, [this] { presenter_.OpenDocument(); });
  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            presenter_.Select(current.isValid() ? current.row() : -1);
          });
  Render();
}

void BusinessDataDialog::Render() {
  const links::BusinessDataState& s = presenter_.State();
  std::vector<std::vector<std::string>> cells;
  for (const links::BusinessDocument& row : s.rows) cells.push_back(row.cells);
  const int selected = s.selected;
  Fill(model_, s.columns, cells);
  grid_->resizeColumnsToContents();
  SelectRow(grid_, selected);
  presenter_.Select(selected);
}

// ---- Registration ------------------------------------------------------------------------------

void RegisterDocumentLinkViews(Desktop& desktop) {
  desktop.Modal().Register<links::frmReference, ReferenceDialog>();
  desktop.Modal().Register<links::frmReferenceBatch, ReferenceBatchDialog>();
  desktop.Modal().Register<links::frmSelectReferenceLines, SelectReferenceLinesDialog>();
  desktop.Modal().Register<links::frmCenterRalation, CenterRelationDialog>();
  desktop.Modal().Register<links::frmBusinessData, BusinessDataDialog>();
  // The desktop runs none of the modules that own the documents: it says what would open.
  desktop.Host().BusinessDocuments().SetShowHandler([&desktop](long kind, const std::string& id) {
    QMessageBox::information(
        &desktop.Main(), QStringLiteral("业务资料"),
        QStringLiteral("单据由所属模块打开：类型 %1，单据 %2").arg(kind).arg(ToQt(id)));
  });
  // Each command on the voucher window in front, else on the list's selected voucher (the
  // fund matching with no voucher in front shows every voucher).
  struct Opener {
    const char* caption;
    bool (voucher::frmVoucher::*on_voucher)();
    std::function<void(lists::VoucherList&)> on_list;
  };
  const Opener openers[] = {
      {"备查登记", &voucher::frmVoucher::MemoRegistration,
       [](lists::VoucherList& list) {
         if (lists::MayRegisterMemo(list)) {
           links::OpenLineReference(list.SelectedVoucherID(), list.SelectedLineID(), false);
         }
       }},
      {"批量分配备查明细", &voucher::frmVoucher::BatchMemoRegistration,
       [](lists::VoucherList& list) {
         if (list.SelectedVoucherID() != 0) {
           frame::WindowRegistry::Get<links::frmReferenceBatch>().ShowMe(list.SelectedVoucherID());
         }
       }},
      {"资金中心", &voucher::frmVoucher::FundCentre,
       [](lists::VoucherList& list) { links::ShowCenterRalation(list.SelectedVoucherID()); }},
      {"业务资料", &voucher::frmVoucher::BusinessData, [](lists::VoucherList& list) {
         if (list.SelectedVoucherID() != 0) {
           frame::WindowRegistry::Get<links::frmBusinessData>().ShowMe(list.SelectedVoucherID());
         }
       }}};
  for (const Opener& opener : openers) {
    desktop.Main().AddOpener(ToQt(opener.caption), [&desktop, opener] {
      CommandTarget* target = desktop.Main().ActiveTarget();
      if (auto* view = dynamic_cast<VoucherView*>(target)) {
        (view->Presenter().*opener.on_voucher)();
        view->Render();
      } else if (auto* pair = dynamic_cast<PairVoucherView*>(target)) {
        pair->RunOwnCommand(ToQt(opener.caption));
      } else if (auto* list = dynamic_cast<VoucherListView*>(target)) {
        opener.on_list(list->Presenter());
      } else if (opener.on_voucher == &voucher::frmVoucher::FundCentre) {
        links::ShowCenterRalation(0);
      }
    });
  }
}

}  // namespace lumvoucher::ui
