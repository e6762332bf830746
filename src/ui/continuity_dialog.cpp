#include "ui/continuity_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "numbering/numbering_texts.h"
#include "ui/qt_text.h"
#include "ui/row_picker.h"
#include "ui/run_progress.h"

namespace lumvoucher::ui {

namespace texts = numbering::texts;

ContinuityModel::ContinuityModel(numbering::frmVoucherContinuity& presenter, QObject* parent)
    : QAbstractTableModel(parent), presenter_(presenter) {
  Refresh();
}

void ContinuityModel::Refresh() {
  beginResetModel();
  columns_.Rebuild(presenter_.State().columns);
  endResetModel();
}

int ContinuityModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(presenter_.State().rows.size());
}

int ContinuityModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_.Count();
}

QVariant ContinuityModel::data(const QModelIndex& index, int role) const {
  const int column = ListColumn(index.column());
  if (!index.isValid() || column < 0 || index.row() >= rowCount()) return {};
  const numbering::ContinuityState& s = presenter_.State();
  const host::Value& value =
      s.rows[static_cast<std::size_t>(index.row())].at(static_cast<std::size_t>(column));
  switch (role) {
    case Qt::DisplayRole: {
      const std::string text = presenter_.CellText(index.row(), column);
      return value.IsDouble() ? GroupedAmount(text) : ToQt(text);
    }
    case Qt::TextAlignmentRole:
      if (column == 0) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
      return QVariant::fromValue(
          Qt::Alignment((value.IsDouble() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    case Qt::ForegroundRole:
      if (column == 0 || s.marked[static_cast<std::size_t>(index.row())]) {
        return QColor(0xc0, 0x10, 0x10);
      }
      return {};
    default:
      return {};
  }
}

QVariant ContinuityModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  const int column = ListColumn(section);
  if (column < 0) return {};
  return ToQt(presenter_.State().columns[static_cast<std::size_t>(column)].caption);
}

ContinuityDialog::ContinuityDialog(std::unique_ptr<numbering::frmVoucherContinuity> presenter,
                                   QWidget* parent)
    : ContinuityDialog(*presenter, parent) {
  owned_ = std::move(presenter);
}

ContinuityDialog::ContinuityDialog(numbering::frmVoucherContinuity& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(ToQt(texts::kContinuityWindowName));
  setWindowTitle(ToQt(texts::kContinuityTitle));
  resize(760, 480);
  auto* layout = new QVBoxLayout(this);
  if (presenter_.Basis().IsDual()) {
    layout->addWidget(new QLabel(ToQt(texts::kDualBasisNote), this));
  }
  count_ = new QLabel(this);
  layout->addWidget(count_);
  model_ = new ContinuityModel(presenter_, this);
  grid_ = new QTableView(this);
  grid_->setModel(model_);
  PickOneRowOnly(grid_);
  grid_->setAlternatingRowColors(true);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->installEventFilter(this);
  layout->addWidget(grid_, 1);

  const numbering::ContinuityState& s = presenter_.State();
  auto* buttons = new QHBoxLayout;
  run_ = new QPushButton(ToQt(s.run_caption), this);
  filter_ = new QPushButton(ToQt(s.filter_caption), this);
  select_all_ = new QPushButton(ToQt(s.select_all_caption), this);
  select_none_ = new QPushButton(ToQt(s.select_none_caption), this);
  auto* close = new QPushButton(QStringLiteral("关闭(&X)"), this);
  for (QPushButton* b : {run_, filter_, select_all_, select_none_}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  connect(run_, &QPushButton::clicked, this, [this] { RunContinuity(); });
  connect(filter_, &QPushButton::clicked, this, [this] {
    presenter_.Filter();
    Render();
  });
  connect(select_all_, &QPushButton::clicked, this, [this] {
    presenter_.SelectAll();
    Render();
  });
  connect(select_none_, &QPushButton::clicked, this, [this] {
    presenter_.SelectNone();
    Render();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) {
    presenter_.SelectRow(index.row());
    if (model_->ListColumn(index.column()) == 0) ToggleRow(index.row());
  });
  connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (model_->ListColumn(index.column()) != 0) ToggleRow(index.row());
  });
  Render();
  grid_->resizeColumnsToContents();
  grid_->setColumnWidth(0, 48);
}

ContinuityDialog::~ContinuityDialog() = default;

void ContinuityDialog::Render() {
  const QModelIndex current = grid_->currentIndex();
  model_->Refresh();
  const int row = presenter_.State().selected_row;
  if (row >= 0 && row < model_->rowCount()) {
    grid_->setCurrentIndex(model_->index(row, std::max(current.column(), 0)));
  }
  count_->setText(CountText());
}

QString ContinuityDialog::CountText() const {
  return QStringLiteral("共 %1 张，选定 %2 张")
      .arg(presenter_.State().rows.size())
      .arg(presenter_.TickedCount());
}

void ContinuityDialog::ToggleRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  presenter_.ToggleTick(row);
  Render();
}

void ContinuityDialog::RunContinuity() {
  {
    RunProgress<numbering::frmVoucherContinuity> progress(this, ToQt(texts::kContinuityTitle),
                                                          presenter_);
    presenter_.Run();
  }
  Render();
}

bool ContinuityDialog::eventFilter(QObject* object, QEvent* event) {
  if (object == grid_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
    ToggleRow(grid_->currentIndex().row());
    return true;
  }
  return QDialog::eventFilter(object, event);
}

}  // namespace lumvoucher::ui
