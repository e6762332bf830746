#include "ui/std_voucher_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "templates/templates_texts.h"
#include "ui/qt_text.h"
#include "ui/row_picker.h"

namespace lumvoucher::ui {

namespace texts = templates::texts;

CreateStdVoucherDialog::CreateStdVoucherDialog(templates::frmCreateStdVoucher& presenter,
                                               QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setWindowTitle(ToQt(texts::kCreateCaption));
  number_ = new QLineEdit(this);
  name_ = new QLineEdit(this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("编号(&N)"), number_);
  form->addRow(QStringLiteral("名称(&M)"), name_);
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("关闭(&C)"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(number_, &QLineEdit::textEdited, this, [this] { Take(); });
  connect(name_, &QLineEdit::textEdited, this, [this] { Take(); });
  connect(ok_, &QPushButton::clicked, this, [this] {
    Take();
    presenter_.Ok();
    if (presenter_.Done()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &CreateStdVoucherDialog::reject);
}

void CreateStdVoucherDialog::Take() {
  if (ToUtf8(number_->text()) != presenter_.Number()) presenter_.SetNumber(ToUtf8(number_->text()));
  if (ToUtf8(name_->text()) != presenter_.Name()) presenter_.SetName(ToUtf8(name_->text()));
}

void CreateStdVoucherDialog::reject() {
  Take();
  if (!presenter_.Close()) return;
  if (presenter_.Done()) QDialog::reject();
}

SelectStdVoucherDialog::SelectStdVoucherDialog(templates::StdVoucherChooser& presenter,
                                               QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setWindowTitle(ToQt(texts::kSelectCaption));
  grid_ = new QTableWidget(this);
  grid_->setColumnCount(2);
  grid_->setHorizontalHeaderLabels({QStringLiteral("编号"), QStringLiteral("名称")});
  PickOneRowOnly(grid_);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->verticalHeader()->hide();
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
  delete_ = buttons->addButton(QStringLiteral("删除(&D)"), QDialogButtonBox::ActionRole);
  buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  resize(420, 360);
  connect(ok_, &QPushButton::clicked, this, &SelectStdVoucherDialog::Choose);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { Choose(); });
  connect(delete_, &QPushButton::clicked, this, [this] {
    if (presenter_.Delete(grid_->currentRow())) Render();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &SelectStdVoucherDialog::reject);
  Render();
}

void SelectStdVoucherDialog::Render() {
  const auto& rows = presenter_.Rows();
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    grid_->setItem(r, 0, new QTableWidgetItem(ToQt(rows[static_cast<std::size_t>(r)].number)));
    grid_->setItem(r, 1, new QTableWidgetItem(ToQt(rows[static_cast<std::size_t>(r)].name)));
  }
  if (!rows.empty() && grid_->currentRow() < 0) grid_->setCurrentCell(0, 0);
  ok_->setEnabled(!rows.empty());
  delete_->setEnabled(!rows.empty());
}

void SelectStdVoucherDialog::Choose() {
  if (presenter_.Choose(grid_->currentRow())) accept();
}

void SelectStdVoucherDialog::reject() {
  presenter_.Cancel();
  QDialog::reject();
}

}  // namespace lumvoucher::ui
