#include "ui/voucher_io_view.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "templates/templates_texts.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {

namespace texts = templates::texts;

namespace {

// The chooser of the grid's columns: tick the ones to show, move them into order.
std::vector<templates::IOColumn> RunColumnChooser(const templates::VoucherIOState& state,
                                                  QWidget* parent, bool& accepted) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("栏目"));
  auto* list = new QListWidget(&dialog);
  std::vector<templates::IOColumn> all;
  for (const templates::IOColumn& shown : state.columns) all.push_back(shown);
  for (const templates::IOColumn& c : state.all_columns) {
    if (!c.chosen) all.push_back(c);
  }
  for (std::size_t i = 0; i < all.size(); ++i) {
    auto* item = new QListWidgetItem(ToQt(all[i].caption), list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
    item->setCheckState(i < state.columns.size() ? Qt::Checked : Qt::Unchecked);
    item->setData(Qt::UserRole, static_cast<int>(i));
  }
  auto move = [list](int step) {
    const int row = list->currentRow();
    if (row < 0 || row + step < 0 || row + step >= list->count()) return;
    QListWidgetItem* item = list->takeItem(row);
    list->insertItem(row + step, item);
    list->setCurrentRow(row + step);
  };
  auto* up = new QPushButton(QStringLiteral("上移(&U)"), &dialog);
  auto* down = new QPushButton(QStringLiteral("下移(&D)"), &dialog);
  QObject::connect(up, &QPushButton::clicked, &dialog, [move] { move(-1); });
  QObject::connect(down, &QPushButton::clicked, &dialog, [move] { move(1); });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* side = new QVBoxLayout;
  side->addWidget(up);
  side->addWidget(down);
  side->addStretch();
  auto* row = new QHBoxLayout;
  row->addWidget(list);
  row->addLayout(side);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(row);
  layout->addWidget(buttons);
  accepted = dialog.exec() == QDialog::Accepted;
  std::vector<templates::IOColumn> chosen;
  for (int r = 0; r < list->count(); ++r) {
    QListWidgetItem* item = list->item(r);
    if (item->checkState() != Qt::Checked) continue;
    templates::IOColumn c = all[static_cast<std::size_t>(item->data(Qt::UserRole).toInt())];
    c.caption = ToUtf8(item->text());
    chosen.push_back(c);
  }
  return chosen;
}

}  // namespace

VoucherIOView::VoucherIOView(templates::frmVoucherIO& presenter, QWidget* parent)
    : QWidget(parent), presenter_(presenter) {
  setWindowTitle(ToQt(texts::kIOCaption));
  standards_ = new QComboBox(this);
  from_data_ = new QRadioButton(ToQt(texts::kDateFromData), this);
  chosen_ = new QRadioButton(ToQt(texts::kDateChosen), this);
  date_ = new QLineEdit(this);
  date_->setMaximumWidth(110);
  auto button = [this](const char* caption) {
    return new QPushButton(QString::fromUtf8(caption), this);
  };
  import_ = button("导入文件(&I)");
  check_ = button("检查(&K)");
  post_ = button("记账(&P)");
  tick_all_ = button("全选(&A)");
  untick_all_ = button("全消(&U)");
  columns_ = button("栏目(&L)");
  grid_ = new QTableWidget(this);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->verticalHeader()->setDefaultSectionSize(22);
  progress_ = new QProgressBar(this);
  progress_->hide();

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("接口标准"), this));
  top->addWidget(standards_);
  top->addSpacing(12);
  top->addWidget(from_data_);
  top->addWidget(chosen_);
  top->addWidget(date_);
  top->addStretch();
  for (QPushButton* b : {import_, check_, post_, tick_all_, untick_all_, columns_}) {
    top->addWidget(b);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(grid_);
  layout->addWidget(progress_);

  connect(standards_, &QComboBox::activated, this, [this](int index) {
    presenter_.SelectStandard(index);
    Render();
  });
  connect(from_data_, &QRadioButton::toggled, this, [this](bool on) {
    if (!rendering_) presenter_.SetDateFromData(on);
  });
  connect(date_, &QLineEdit::editingFinished, this, [this] {
    if (!presenter_.SetChosenDate(ToUtf8(date_->text())))
      date_->setText(ToQt(presenter_.State().chosen_date));
  });
  connect(import_, &QPushButton::clicked, this, &VoucherIOView::ImportFile);
  connect(check_, &QPushButton::clicked, this, [this] {
    presenter_.CheckData();
    Render();
  });
  connect(post_, &QPushButton::clicked, this, &VoucherIOView::Post);
  connect(tick_all_, &QPushButton::clicked, this, [this] {
    presenter_.TickAll(true);
    Render();
  });
  connect(untick_all_, &QPushButton::clicked, this, [this] {
    presenter_.TickAll(false);
    Render();
  });
  connect(columns_, &QPushButton::clicked, this, &VoucherIOView::ChooseColumns);
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
    if (column != 0) return;
    presenter_.SetTicked(row, presenter_.MarkText(row) != texts::kTickMark);
    Render();
  });
  connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
    presenter_.SortBy(section - kFirstColumn);
    Render();
  });
  connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (rendering_) return;
    presenter_.EditCell(item->row(), item->column() - kFirstColumn, ToUtf8(item->text()));
    Render();
  });
  Render();
}

void VoucherIOView::Render() {
  rendering_ = true;
  const templates::VoucherIOState& s = presenter_.State();
  standards_->clear();
  for (const std::string& name : s.standards) standards_->addItem(ToQt(name));
  standards_->setCurrentIndex(s.standard);
  from_data_->setChecked(s.date_from_data);
  chosen_->setChecked(!s.date_from_data);
  date_->setText(ToQt(s.chosen_date));
  const int shown = static_cast<int>(s.columns.size());
  grid_->clear();
  grid_->setColumnCount(shown + 3);
  QStringList headers{QStringLiteral("选择")};
  for (int c = 0; c < shown; ++c) headers << ToQt(presenter_.ColumnCaption(c));
  headers << QStringLiteral("状态") << QStringLiteral("错误");
  grid_->setHorizontalHeaderLabels(headers);
  grid_->setColumnWidth(0, 48);
  for (int c = 0; c < shown; ++c) {
    // Widths are kept in twips, as the list tables hold them.
    grid_->setColumnWidth(c + kFirstColumn,
                          std::max(40, s.columns[static_cast<std::size_t>(c)].width / 15));
  }
  grid_->setRowCount(static_cast<int>(s.rows.size()));
  auto cell = [](const std::string& text, bool editable) {
    auto* item = new QTableWidgetItem(ToQt(text));
    if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
  };
  for (int r = 0; r < static_cast<int>(s.rows.size()); ++r) {
    const bool posted = s.rows[static_cast<std::size_t>(r)].line.posted;
    grid_->setItem(r, 0, cell(presenter_.MarkText(r), false));
    for (int c = 0; c < shown; ++c) {
      grid_->setItem(r, c + kFirstColumn,
                     cell(presenter_.CellText(r, c), !posted && presenter_.Editable(c)));
    }
    grid_->setItem(r, shown + 1, cell(presenter_.StatusText(r), false));
    auto* error = cell(s.rows[static_cast<std::size_t>(r)].line.error, false);
    error->setForeground(Qt::red);
    grid_->setItem(r, shown + 2, error);
  }
  grid_->horizontalHeader()->setStretchLastSection(true);
  rendered_ = s.generation;
  rendering_ = false;
}

void VoucherIOView::Post() {
  progress_->setValue(0);
  progress_->show();
  presenter_.SetProgressHandler([this](int done, int total) {
    progress_->setMaximum(std::max(total, 1));
    progress_->setValue(done);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  presenter_.Post();
  presenter_.SetProgressHandler(nullptr);
  progress_->hide();
  Render();
}

void VoucherIOView::ImportFile() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("导入文件"), QString(),
                                                    QStringLiteral("CSV (*.csv);;* (*)"));
  if (path.isEmpty()) return;
  presenter_.ImportFile(ToUtf8(path));
  Render();
}

void VoucherIOView::ChooseColumns() {
  bool accepted = false;
  std::vector<templates::IOColumn> chosen = RunColumnChooser(presenter_.State(), this, accepted);
  if (accepted && !chosen.empty()) presenter_.ChooseColumns(chosen);
  Render();
}

bool VoucherIOView::Handles(Command command) const {
  if (!rendering_ && presenter_.State().generation != rendered_) {
    // The window was opened again through the component; catch up once the menus are done.
    auto* self = const_cast<VoucherIOView*>(this);
    QTimer::singleShot(0, self, [self] { self->Render(); });
  }
  return command == Command::kToolRefresh || command == Command::kEditColumn;
}

void VoucherIOView::Run(Command command) {
  if (command == Command::kEditColumn) {
    ChooseColumns();
    return;
  }
  presenter_.Refresh();
  Render();
}

}  // namespace lumvoucher::ui
