#include "ui/volume_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "numbering/numbering_texts.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {

namespace texts = numbering::texts;
using numbering::VolumeColumn;

VolumeDialog::VolumeDialog(std::unique_ptr<numbering::frmVoucherVolume> presenter, QWidget* parent)
    : VolumeDialog(*presenter, parent) {
  owned_ = std::move(presenter);
}

VolumeDialog::VolumeDialog(numbering::frmVoucherVolume& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(ToQt(texts::kVolumeWindowName));
  setWindowTitle(ToQt(texts::kVolumeTitle));
  resize(620, 440);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  organization_ = new QComboBox(this);
  period_ = new QComboBox(this);
  type_ = new QComboBox(this);
  form->addRow(ToQt(texts::kVolumeOrganizationCaption), organization_);
  form->addRow(ToQt(texts::kVolumePeriodCaption), period_);
  form->addRow(ToQt(texts::kVolumeTypeCaption), type_);
  layout->addLayout(form);
  if (presenter_.Basis().IsDual()) {
    layout->addWidget(new QLabel(ToQt(texts::kDualBasisNote), this));
  }

  const numbering::VolumeState& s = presenter_.State();
  grid_ = new QTableWidget(0, static_cast<int>(s.column_captions.size()), this);
  QStringList headers;
  for (const std::string& caption : s.column_captions) headers << ToQt(caption);
  grid_->setHorizontalHeaderLabels(headers);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(grid_, 1);
  unbound_ = new QLabel(this);
  layout->addWidget(unbound_);

  auto* buttons = new QHBoxLayout;
  new_ = new QPushButton(ToQt(texts::kVolumeNew), this);
  delete_ = new QPushButton(ToQt(texts::kVolumeDelete), this);
  save_ = new QPushButton(QStringLiteral("保  存(&S)"), this);
  auto* close = new QPushButton(QStringLiteral("关  闭(&X)"), this);
  for (QPushButton* b : {new_, delete_, save_, close}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  layout->addLayout(buttons);

  connect(organization_, &QComboBox::activated, this, [this](int index) {
    presenter_.SetOrganization(static_cast<long>(organization_->itemData(index).toLongLong()));
    Render();
  });
  connect(period_, &QComboBox::activated, this, [this](int index) {
    presenter_.SetPeriod(ToUtf8(period_->itemText(index)));
    Render();
  });
  connect(type_, &QComboBox::activated, this, [this](int index) {
    presenter_.SetVoucherType(static_cast<long>(type_->itemData(index).toLongLong()));
    Render();
  });
  connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (rendering_) return;
    presenter_.SetCell(row, static_cast<VolumeColumn>(column),
                       ToUtf8(grid_->item(row, column)->text()));
    Render();
  });
  connect(grid_, &QTableWidget::currentCellChanged, this,
          [this](int row) { presenter_.SelectRow(row); });
  connect(new_, &QPushButton::clicked, this, [this] {
    presenter_.NewRow();
    Render();
  });
  connect(delete_, &QPushButton::clicked, this, [this] {
    presenter_.DeleteRow(grid_->currentRow());
    Render();
  });
  connect(save_, &QPushButton::clicked, this, [this] {
    presenter_.Save();
    Render();
  });
  connect(close, &QPushButton::clicked, this, &VolumeDialog::reject);
  Render();
}

VolumeDialog::~VolumeDialog() = default;

void VolumeDialog::Render() {
  rendering_ = true;
  const numbering::VolumeState& s = presenter_.State();
  organization_->clear();
  for (const numbering::Choice& c : s.organizations) {
    organization_->addItem(ToQt(c.code), QVariant::fromValue<qlonglong>(c.id));
  }
  organization_->setCurrentIndex(
      organization_->findData(QVariant::fromValue<qlonglong>(s.organization_id)));
  period_->clear();
  for (const std::string& p : s.periods) period_->addItem(ToQt(p));
  period_->setCurrentIndex(period_->findText(ToQt(s.period)));
  type_->clear();
  for (const numbering::Choice& c : s.types) {
    type_->addItem(ToQt(c.code + " " + c.name), QVariant::fromValue<qlonglong>(c.id));
  }
  type_->setCurrentIndex(type_->findData(QVariant::fromValue<qlonglong>(s.voucher_type_id)));
  grid_->setRowCount(static_cast<int>(s.rows.size()));
  for (int row = 0; row < static_cast<int>(s.rows.size()); ++row) {
    const numbering::VolumeRow& r = s.rows[static_cast<std::size_t>(row)];
    const std::string* cells[] = {&r.volume, &r.start, &r.end, &r.count};
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(ToQt(*cells[column]));
      if (column == static_cast<int>(VolumeColumn::kCount)) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      grid_->setItem(row, column, item);
    }
  }
  if (s.selected_row >= 0)
    grid_->setCurrentCell(s.selected_row, std::max(grid_->currentColumn(), 0));
  unbound_->setText(ToQt(texts::kUnboundNote) + ToQt(s.unbound));
  delete_->setEnabled(!s.rows.empty());
  rendering_ = false;
}

void VolumeDialog::reject() {
  if (presenter_.Close()) QDialog::reject();
}

}  // namespace lumvoucher::ui
