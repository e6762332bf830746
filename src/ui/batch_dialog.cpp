#include "ui/batch_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "lists/list_texts.h"
#include "ui/current_cell_delegate.h"
#include "ui/qt_text.h"
#include "ui/row_picker.h"

namespace lumvoucher::ui {

BatchModel::BatchModel(lists::frmBatchVoucher& presenter, QObject* parent)
    : QAbstractTableModel(parent), presenter_(presenter) {
  Refresh();
}

void BatchModel::Refresh() {
  beginResetModel();
  columns_.Rebuild(presenter_.State().columns);
  endResetModel();
}

int BatchModel::ListColumn(int grid_column) const {
  return columns_.ListColumn(grid_column);
}

int BatchModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(presenter_.State().rows.size());
}

int BatchModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_.Count();
}

QVariant BatchModel::data(const QModelIndex& index, int role) const {
  const int column = ListColumn(index.column());
  if (!index.isValid() || column < 0 || index.row() >= rowCount()) return {};
  const auto& row = presenter_.State().rows[static_cast<std::size_t>(index.row())];
  const host::Value& value = row.at(static_cast<std::size_t>(column));
  switch (role) {
    case Qt::DisplayRole: {
      const std::string text = presenter_.CellText(index.row(), column);
      return value.IsDouble() ? GroupedAmount(text) : ToQt(text);
    }
    case Qt::TextAlignmentRole:
      if (column == 0) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
      if (value.IsDouble()) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
      }
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case Qt::ForegroundRole:
      if (column == 0) return QColor(0xc0, 0x10, 0x10);
      return {};
    default:
      return {};
  }
}

QVariant BatchModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  const int column = ListColumn(section);
  if (column < 0) return {};
  return ToQt(presenter_.State().columns[static_cast<std::size_t>(column)].caption);
}

BatchDialog::BatchDialog(std::unique_ptr<lists::frmBatchVoucher> presenter, QWidget* parent)
    : BatchDialog(*presenter, parent) {
  owned_ = std::move(presenter);
}

BatchDialog::BatchDialog(lists::frmBatchVoucher& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmBatchVoucher"));
  setWindowTitle(ToQt(presenter_.State().title));
  setStyleSheet(QStringLiteral(
      "QTableView { background: #ffffff; alternate-background-color: #f6f4ea;"
      " gridline-color: #d9d4c0; selection-background-color: #d8e6f5; selection-color: #000; }"
      "QHeaderView::section { background: #ece8d6; border: 0; border-right: 1px solid #c9c4b0;"
      " border-bottom: 1px solid #c9c4b0; padding: 4px; font-weight: bold; }"
      "QLabel#batchTitle { color: #7a1f1f; font-size: 14pt; font-weight: bold; }"));
  resize(640, 440);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* title = new QLabel(ToQt(presenter_.State().title), this);
  title->setObjectName(QStringLiteral("batchTitle"));
  top->addWidget(title);
  top->addStretch(1);
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("batchCount"));
  top->addWidget(count_);
  layout->addLayout(top);

  model_ = new BatchModel(presenter_, this);
  grid_ = new QTableView(this);
  grid_->setItemDelegate(new CurrentCellDelegate(grid_));
  grid_->setObjectName(QStringLiteral("batchGrid"));
  grid_->setModel(model_);
  PickOneRowOnly(grid_);
  grid_->setAlternatingRowColors(true);
  grid_->verticalHeader()->setDefaultSectionSize(26);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->installEventFilter(this);
  layout->addWidget(grid_, 1);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("batchProgress"));
  progress_->setRange(0, 1);
  progress_->setValue(0);
  progress_->setFormat(QString());
  layout->addWidget(progress_);

  auto* buttons = new QHBoxLayout;
  const lists::BatchState& s = presenter_.State();
  select_all_ = new QPushButton(ToQt(s.select_all_caption), this);
  select_none_ = new QPushButton(ToQt(s.select_none_caption), this);
  run_ = new QPushButton(ToQt(s.run_caption), this);
  cancel_ = new QPushButton(ToQt(s.cancel_caption), this);
  run_->setDefault(false);
  run_->setAutoDefault(false);
  buttons->addWidget(select_all_);
  buttons->addWidget(select_none_);
  buttons->addStretch(1);
  buttons->addWidget(run_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);

  connect(select_all_, &QPushButton::clicked, this, [this] {
    presenter_.SelectAll();
    Render();
  });
  connect(select_none_, &QPushButton::clicked, this, [this] {
    presenter_.SelectNone();
    Render();
  });
  connect(run_, &QPushButton::clicked, this, [this] { RunBatch(); });
  connect(cancel_, &QPushButton::clicked, this, &BatchDialog::reject);
  connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) {
    presenter_.SelectRow(index.row());
    if (model_->ListColumn(index.column()) == 0) ToggleRow(index.row());
  });
  connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (model_->ListColumn(index.column()) != 0) ToggleRow(index.row());
  });
  presenter_.SetProgressHandler([this](int done, int total) { ShowProgress(done, total); });
  Render();
  grid_->resizeColumnsToContents();
  grid_->setColumnWidth(0, 48);
}

BatchDialog::~BatchDialog() {
  presenter_.SetProgressHandler(nullptr);
}

void BatchDialog::Render() {
  const lists::BatchState& s = presenter_.State();
  const QModelIndex current = grid_->currentIndex();
  model_->Refresh();
  const int row = s.selected_row >= 0 ? s.selected_row : current.row();
  if (row >= 0 && row < model_->rowCount()) {
    grid_->setCurrentIndex(model_->index(row, std::max(current.column(), 0)));
  }
  count_->setText(CountText());
  const bool any = !s.rows.empty();
  select_all_->setEnabled(any && !running_);
  select_none_->setEnabled(any && !running_);
  run_->setEnabled(!running_);
  cancel_->setEnabled(!running_);
}

QString BatchDialog::CountText() const {
  return QStringLiteral("共 %1 张，选定 %2 张")
      .arg(presenter_.State().rows.size())
      .arg(presenter_.TickedCount());
}

void BatchDialog::ToggleRow(int row) {
  if (running_ || row < 0 || row >= model_->rowCount()) return;
  presenter_.ToggleTick(row);
  Render();
}

void BatchDialog::RunBatch() {
  if (running_) return;
  running_ = true;
  Render();
  presenter_.Run();
  running_ = false;
  Render();
  CloseIfDone();
}

void BatchDialog::ShowProgress(int done, int total) {
  progress_->setFormat(QStringLiteral("%v / %m"));
  progress_->setRange(0, std::max(total, 1));
  progress_->setValue(done);
  // A long run keeps the window painted between vouchers; the buttons stay off meanwhile.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void BatchDialog::CloseIfDone() {
  const lists::BatchState& s = presenter_.State();
  if (s.closed) done(s.result);
}

void BatchDialog::reject() {
  if (running_) return;
  if (!presenter_.State().closed) presenter_.Cancel();
  done(0);
}

bool BatchDialog::eventFilter(QObject* object, QEvent* event) {
  if (object == grid_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space) {
      ToggleRow(grid_->currentIndex().row());
      return true;
    }
  }
  return QDialog::eventFilter(object, event);
}

}  // namespace lumvoucher::ui
