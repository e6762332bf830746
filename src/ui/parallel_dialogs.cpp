#include "ui/parallel_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dualbasis/parallel_texts.h"
#include "frame/login_state.h"
#include "host/message_box.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui/row_picker.h"

namespace lumvoucher::ui {

namespace texts = dualbasis::texts;

DoubleRuleDialog::DoubleRuleDialog(dualbasis::frmDoubleRule& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setWindowTitle(ToQt(texts::kCreateCaption));
  code_ = new QLineEdit(ToQt(presenter_.Code()), this);
  name_ = new QLineEdit(ToQt(presenter_.Name()), this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("规则编号(&N)"), code_);
  form->addRow(QStringLiteral("规则名称(&M)"), name_);
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(ok_, &QPushButton::clicked, this, [this] {
    presenter_.SetCode(ToUtf8(code_->text()));
    presenter_.SetName(ToUtf8(name_->text()));
    if (presenter_.Ok()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &DoubleRuleDialog::reject);
}

void DoubleRuleDialog::reject() {
  presenter_.Cancel();
  QDialog::reject();
}

SelectStdVoucherTmpDialog::SelectStdVoucherTmpDialog(dualbasis::frmSelectStdVoucherTmp& presenter,
                                                     QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setWindowTitle(ToQt(texts::kApplyCaption));
  grid_ = new QTableWidget(this);
  grid_->setColumnCount(3);
  grid_->setHorizontalHeaderLabels(
      {QStringLiteral("规则编号"), QStringLiteral("规则名称"), QStringLiteral("规则来源")});
  PickOneRowOnly(grid_);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->verticalHeader()->hide();
  const auto& rows = presenter_.Rows();
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const auto& row = rows[static_cast<std::size_t>(r)];
    grid_->setItem(r, 0, new QTableWidgetItem(ToQt(row.code)));
    grid_->setItem(r, 1, new QTableWidgetItem(ToQt(row.name)));
    grid_->setItem(r, 2, new QTableWidgetItem(ToQt(row.source)));
  }
  if (!rows.empty()) grid_->setCurrentCell(0, 0);
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
  ok_->setEnabled(!rows.empty());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  resize(480, 320);
  connect(ok_, &QPushButton::clicked, this, &SelectStdVoucherTmpDialog::Choose);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { Choose(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &SelectStdVoucherTmpDialog::reject);
}

void SelectStdVoucherTmpDialog::Choose() {
  if (presenter_.Choose(grid_->currentRow())) accept();
}

void SelectStdVoucherTmpDialog::reject() {
  presenter_.Cancel();
  QDialog::reject();
}

ParallelTemplateListDialog::ParallelTemplateListDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("平行记账模板"));
  grid_ = new QTableWidget(this);
  grid_->setColumnCount(4);
  grid_->setHorizontalHeaderLabels({QStringLiteral("规则编号"), QStringLiteral("规则名称"),
                                    QStringLiteral("规则来源"), QStringLiteral("停用")});
  PickOneRowOnly(grid_);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->verticalHeader()->hide();
  auto* buttons = new QDialogButtonBox(this);
  switch_ = buttons->addButton(QStringLiteral("停用(&S)"), QDialogButtonBox::ActionRole);
  delete_ = buttons->addButton(QStringLiteral("删除(&D)"), QDialogButtonBox::ActionRole);
  buttons->addButton(QStringLiteral("关闭(&X)"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  resize(560, 360);
  connect(switch_, &QPushButton::clicked, this, [this] {
    const int row = grid_->currentRow();
    if (row < 0 || row >= static_cast<int>(list_.Rows().size())) return;
    list_.SetActive(row, !list_.Rows()[static_cast<std::size_t>(row)].active);
    list_.Refresh();
    Render();
    grid_->setCurrentCell(row, 0);
  });
  connect(delete_, &QPushButton::clicked, this, [this] {
    const int row = grid_->currentRow();
    if (row < 0 || row >= static_cast<int>(list_.Rows().size())) return;
    // The list deletes at once; the question is the window's.
    const std::string question =
        "是否删除平行记账模板“" + list_.Rows()[static_cast<std::size_t>(row)].row.code + "”？";
    if (frame::Msg(question, host::mb::kYesNo + host::mb::kQuestion + host::mb::kDefaultButton2,
                   texts::kTitleInformation) != host::mb::kYes) {
      return;
    }
    list_.Delete(row);
    list_.Refresh();
    Render();
  });
  connect(grid_, &QTableWidget::currentCellChanged, this, [this] { UpdateSwitch(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  list_.Refresh();
  Render();
}

void ParallelTemplateListDialog::Render() {
  const auto& rows = list_.Rows();
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const auto& row = rows[static_cast<std::size_t>(r)];
    grid_->setItem(r, 0, new QTableWidgetItem(ToQt(row.row.code)));
    grid_->setItem(r, 1, new QTableWidgetItem(ToQt(row.row.name)));
    grid_->setItem(r, 2, new QTableWidgetItem(ToQt(row.row.source)));
    grid_->setItem(r, 3, new QTableWidgetItem(row.active ? QString() : QStringLiteral("√")));
  }
  if (!rows.empty() && grid_->currentRow() < 0) grid_->setCurrentCell(0, 0);
  switch_->setEnabled(!rows.empty());
  delete_->setEnabled(!rows.empty());
  UpdateSwitch();
}

// The switch names what it does to the current template.
void ParallelTemplateListDialog::UpdateSwitch() {
  const int row = grid_->currentRow();
  const bool off = row >= 0 && row < static_cast<int>(list_.Rows().size()) &&
                   !list_.Rows()[static_cast<std::size_t>(row)].active;
  switch_->setText(off ? QStringLiteral("启用(&S)") : QStringLiteral("停用(&S)"));
}

void RegisterParallelViews(Desktop& desktop) {
  if (frame::IsDualBasis()) {
    desktop.Main().AddOpener(QStringLiteral("平行记账模板"), [&desktop] {
      ParallelTemplateListDialog dialog(&desktop.Main());
      dialog.exec();
    });
  }
  desktop.Modal().Register(
      texts::kDoubleRuleWindowName,
      [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
        auto* presenter = dynamic_cast<dualbasis::frmDoubleRule*>(&window);
        if (presenter == nullptr) return nullptr;
        return std::make_unique<DoubleRuleDialog>(*presenter, parent);
      });
  desktop.Modal().Register(
      texts::kChooserWindowName,
      [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
        auto* presenter = dynamic_cast<dualbasis::frmSelectStdVoucherTmp*>(&window);
        if (presenter == nullptr) return nullptr;
        return std::make_unique<SelectStdVoucherTmpDialog>(*presenter, parent);
      });
}

}  // namespace lumvoucher::ui
