#include "ui/budget_views.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "dualbasis/frm_budget.h"
#include "dualbasis/frm_diff_item.h"
#include "frame/window_registry.h"
#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/qt_modal_runner.h"

namespace lumvoucher::ui {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

void Fill(QComboBox& box, const std::vector<dualbasis::BudgetChoice>& choices, long current,
          bool with_code) {
  box.clear();
  for (const dualbasis::BudgetChoice& c : choices) {
    box.addItem(with_code && !c.code.empty() ? Q(c.code + " " + c.name) : Q(c.name),
                QVariant::fromValue<qlonglong>(c.id));
    if (c.id == current) box.setCurrentIndex(box.count() - 1);
  }
}

long Chosen(const QComboBox& box) {
  return static_cast<long>(box.currentData().toLongLong());
}

}  // namespace

BudgetQueryView::BudgetQueryView(dualbasis::frmBudget& window, QWidget* parent)
    : QWidget(parent), window_(window) {
  setObjectName(QStringLiteral("frmBudget"));
  setWindowTitle(Q(window_.State().caption));
  target_ = new QComboBox(this);
  budget_ = new QComboBox(this);
  currency_ = new QComboBox(this);
  organization_ = new QComboBox(this);
  posted_ = new QComboBox(this);
  posted_->addItems({QStringLiteral("含未记账凭证"), QStringLiteral("不含未记账凭证")});
  approved_ = new QCheckBox(QStringLiteral("只含已审批预算"), this);
  year_ = new QLineEdit(this);
  year_->setMinimumWidth(56);
  year_->setMaximumWidth(80);
  auto* query = new QPushButton(QStringLiteral("查询(&Q)"), this);
  auto* csv = new QPushButton(QStringLiteral("导出(&E)"), this);

  auto* choosers = new QHBoxLayout;
  for (auto [caption, widget] :
       std::initializer_list<std::pair<const char*, QWidget*>>{{"预算指标", target_},
                                                               {"预算", budget_},
                                                               {"币种", currency_},
                                                               {"年度", year_},
                                                               {"机构", organization_}}) {
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->setBuddy(widget);
    choosers->addWidget(label);
    choosers->addWidget(widget, 1);
  }
  choosers->addWidget(posted_);
  choosers->addWidget(approved_);
  choosers->addWidget(query);
  choosers->addWidget(csv);

  grid_ = new QTableWidget(this);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->hide();
  chart_ = new QChartView(this);
  chart_->setRenderHint(QPainter::Antialiasing);
  chart_->setMinimumWidth(320);
  auto* splitter = new QSplitter(this);
  splitter->addWidget(grid_);
  splitter->addWidget(chart_);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choosers);
  layout->addWidget(splitter, 1);

  connect(target_, &QComboBox::currentIndexChanged, this, [this] {
    if (filling_) return;
    window_.SetTarget(Chosen(*target_));
    RunQuery();
  });
  for (QComboBox* box : {budget_, currency_, organization_, posted_}) {
    connect(box, &QComboBox::currentIndexChanged, this, [this] {
      if (!filling_) RunQuery();
    });
  }
  connect(approved_, &QCheckBox::toggled, this, [this] { RunQuery(); });
  connect(year_, &QLineEdit::editingFinished, this, [this] { RunQuery(); });
  connect(query, &QPushButton::clicked, this, [this] { RunQuery(); });
  connect(csv, &QPushButton::clicked, this, [this] {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出"), QString(),
                                                QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty() && !ExportCsv(path)) {
      QMessageBox::warning(this, QStringLiteral("导出"), QStringLiteral("文件无法写入：") + path);
    }
  });
  Render();
}

void BudgetQueryView::RunQuery() {
  window_.SetBudget(Chosen(*budget_));
  window_.SetCurrency(Chosen(*currency_));
  window_.SetOrganization(Chosen(*organization_));
  window_.SetIncludeUnposted(posted_->currentIndex() == 0);
  window_.SetApprovedOnly(approved_->isChecked());
  if (!window_.SetYear(year_->text().trimmed().toStdString())) {
    year_->setText(QString::number(window_.State().input.year));
  }
  window_.Query();
  Render();
}

void BudgetQueryView::FillChoosers() {
  const dualbasis::BudgetWindowState& s = window_.State();
  filling_ = true;
  Fill(*target_, s.targets, s.input.target_id, true);
  budget_->clear();
  for (const dualbasis::BudgetChoice& b : s.budgets) {
    budget_->addItem(Q(b.name + "（" + b.code + "）"), QVariant::fromValue<qlonglong>(b.id));
    if (b.id == s.input.budget_id) budget_->setCurrentIndex(budget_->count() - 1);
  }
  Fill(*currency_, s.currencies, s.input.currency_id, false);
  Fill(*organization_, s.organizations, s.input.organization_id, true);
  posted_->setCurrentIndex(s.input.include_unposted ? 0 : 1);
  approved_->blockSignals(true);
  approved_->setChecked(s.input.approved_only);
  approved_->blockSignals(false);
  year_->setText(QString::number(s.input.year));
  filling_ = false;
}

void BudgetQueryView::Render() {
  FillChoosers();
  const dualbasis::BudgetWindowState& s = window_.State();
  const std::vector<std::string> captions = dualbasis::frmBudget::Captions();
  grid_->clear();
  grid_->setColumnCount(static_cast<int>(captions.size()));
  QStringList headers;
  for (const std::string& c : captions) headers << Q(c);
  headers[0] = s.quarterly ? QStringLiteral("季度") : QStringLiteral("期间");
  grid_->setHorizontalHeaderLabels(headers);
  grid_->setRowCount(static_cast<int>(s.rows.size()));
  auto* budget = new QBarSet(QStringLiteral("预算"));
  auto* actual = new QBarSet(QStringLiteral("实际"));
  QStringList periods;
  double highest = 0;
  for (int r = 0; r < static_cast<int>(s.rows.size()); ++r) {
    const dualbasis::BudgetGridRow& row = s.rows[r];
    grid_->setItem(r, 0, new QTableWidgetItem(QString::number(row.period)));
    grid_->setItem(r, 1, new QTableWidgetItem(Q(row.organization)));
    for (int c = 0; c < static_cast<int>(row.cells.size()); ++c) {
      auto* item = new QTableWidgetItem(Q(row.cells[c]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid_->setItem(r, c + 2, item);
    }
    // The chart shows the first organisation of the grid.
    if (row.organization_id == s.rows.front().organization_id) {
      periods << QString::number(row.period);
      *budget << row.budget.amount;
      *actual << row.actual.amount;
      highest = std::max({highest, row.budget.amount, row.actual.amount});
    }
  }
  grid_->resizeColumnsToContents();

  auto* chart = new QChart;
  chart->setTitle(Q(s.caption));
  auto* series = new QBarSeries;
  series->append(budget);
  series->append(actual);
  chart->addSeries(series);
  auto* x = new QBarCategoryAxis;
  x->append(periods);
  auto* y = new QValueAxis;
  y->setRange(0, highest > 0 ? highest * 1.1 : 1);
  y->setLabelFormat(QStringLiteral("%.0f"));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(x);
  series->attachAxis(y);
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  delete old;
}

bool BudgetQueryView::ExportCsv(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const std::string csv = window_.CsvText();
  return file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
}

DiffItemDialog::DiffItemDialog(dualbasis::frmDiffItem& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
  setObjectName(QStringLiteral("frmDiffItem"));
  setWindowTitle(QStringLiteral("差异分配"));
  grid_ = new QTableWidget(this);
  grid_->setColumnCount(6);
  grid_->setHorizontalHeaderLabels({QStringLiteral("摘要"), QStringLiteral("科目"),
                                    QStringLiteral("金额"), QStringLiteral("方向"),
                                    QStringLiteral("差异项目"), QStringLiteral("分配金额")});
  grid_->verticalHeader()->hide();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  connect(grid_, &QTableWidget::cellChanged, this, &DiffItemDialog::CellEdited);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (editor_.Ok()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] {
    editor_.Cancel();
    reject();
  });
  resize(860, 420);
  Render();
}

void DiffItemDialog::Render() {
  rendering_ = true;
  const auto& rows = editor_.State().rows;
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const dualbasis::DiffLine& line = rows[r];
    const QString cells[] = {
        Q(line.remark),
        Q(line.account),
        QString::number(line.amount, 'f', 2),
        line.direction == 1 ? QStringLiteral("借") : QStringLiteral("贷"),
        Q(line.item),
        line.allocated == 0 ? QString() : QString::number(line.allocated, 'f', 2)};
    for (int c = 0; c < 6; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c < 4) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      grid_->setItem(r, c, item);
    }
    // The item column offers the detail items of the line's difference type.
    auto* chooser = new QComboBox(grid_);
    chooser->setEditable(true);
    chooser->addItem(QString());
    for (const dualbasis::DiffItemChoice& c : editor_.ItemChoices(r + 1)) {
      chooser->addItem(Q(c.code + " " + c.name), Q(c.code));
    }
    chooser->setCurrentText(Q(line.item));
    connect(chooser, &QComboBox::activated, this, [this, r, chooser](int index) {
      QString code = chooser->itemData(index).toString();
      editor_.SetItem(r + 1, code.toStdString());
      QMetaObject::invokeMethod(
          this, [this] { Render(); }, Qt::QueuedConnection);
    });
    grid_->setCellWidget(r, 4, chooser);
  }
  grid_->resizeColumnsToContents();
  rendering_ = false;
}

void DiffItemDialog::CellEdited(int row, int column) {
  if (rendering_ || column != 5) return;
  editor_.SetAmount(row + 1, grid_->item(row, column)->text().trimmed().toStdString());
  QMetaObject::invokeMethod(
      this, [this] { Render(); }, Qt::QueuedConnection);
}

void RegisterBudgetViews(Desktop& desktop) {
  desktop.Main().RegisterChildView(
      dualbasis::frmBudget::kWindowName, [](host::ChildWindow& child) -> std::unique_ptr<QWidget> {
        if (auto* window = dynamic_cast<dualbasis::frmBudget*>(&child)) {
          return std::make_unique<BudgetQueryView>(*window);
        }
        return std::make_unique<QLabel>(Q(child.WindowName()));
      });
  desktop.Modal().Register(
      dualbasis::frmDiffItem::kWindowName,
      [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
        auto* editor = dynamic_cast<dualbasis::frmDiffItem*>(&window);
        if (editor == nullptr) return nullptr;
        return std::make_unique<DiffItemDialog>(*editor, parent);
      });
  auto open = [&desktop] {
    desktop.Component().ShowBudgetQuery("", "");
    if (auto* view = desktop.Main().findChild<BudgetQueryView*>()) view->Render();
  };
  desktop.Main().AddOpener(QStringLiteral("预算余额查询"), open);
  desktop.Screens().Register("budget", [](Desktop& d) -> QWidget* {
    d.Component().ShowBudgetQuery("01", "");
    return &d.Main();
  });
}

}  // namespace lumvoucher::ui
