#include "ui/attachment_dialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "dualbasis/dual_texts.h"
#include "dualbasis/frm_attachment.h"
#include "ui/qt_text.h"
#include "ui/row_picker.h"

namespace lumvoucher::ui {

AttachmentDialog::AttachmentDialog(dualbasis::frmAttachment& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(QStringLiteral("frmAttachment"));
  setWindowTitle(ToQt(dualbasis::texts::kTitleAttachment));
  resize(560, 320);
  auto* layout = new QVBoxLayout(this);
  grid_ = new QTableWidget(0, 3, this);
  grid_->setHorizontalHeaderLabels(
      {QStringLiteral("文件名"), QStringLiteral("大小（字节）"), QStringLiteral("日期")});
  PickOneRowOnly(grid_);
  grid_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(grid_, 1);
  auto* buttons = new QHBoxLayout;
  auto button = [this, buttons](const char* caption, auto click) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, click);
    buttons->addWidget(b);
  };
  button("添加", [this] {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("添加附件"));
    if (!path.isEmpty()) AddFile(path);
  });
  button("打开", [this] { Open(); });
  button("删除", [this] {
    if (presenter_.Remove(grid_->currentRow())) Render();
  });
  buttons->addStretch(1);
  button("退出", [this] { done(0); });
  layout->addLayout(buttons);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { Open(); });
  Render();
}

void AttachmentDialog::Render() {
  const auto& rows = presenter_.Rows();
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const host::Attachment& a = rows[static_cast<std::size_t>(r)];
    grid_->setItem(r, 0, new QTableWidgetItem(ToQt(a.name)));
    grid_->setItem(r, 1, new QTableWidgetItem(QString::number(a.size)));
    grid_->setItem(r, 2, new QTableWidgetItem(ToQt(a.date)));
  }
  grid_->resizeColumnsToContents();
  if (!rows.empty() && grid_->currentRow() < 0) grid_->selectRow(0);
}

bool AttachmentDialog::AddFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    QMessageBox::warning(this, windowTitle(), ToQt(dualbasis::texts::kAttachmentReadFailed));
    return false;
  }
  const QByteArray bytes = file.size() > host::VoucherAttachments::kMaxSize
                               ? file.read(host::VoucherAttachments::kMaxSize + 1)
                               : file.readAll();
  const bool added = presenter_.Add(ToUtf8(QFileInfo(path).fileName()),
                                    std::string(bytes.constData(), bytes.size()));
  Render();
  return added;
}

void AttachmentDialog::Open() {
  const int row = grid_->currentRow();
  const std::optional<std::string> content = presenter_.Content(row);
  if (!content) return;
  // A folder of the voucher's own, so two vouchers' files of one name do not meet.
  QDir dir(QDir::temp().filePath(
      QStringLiteral("lumvoucher-attachments/%1").arg(presenter_.VoucherID())));
  dir.mkpath(QStringLiteral("."));
  const QString name = ToQt(presenter_.Rows()[static_cast<std::size_t>(row)].name);
  QFile file(dir.filePath(QFileInfo(name).fileName()));
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(content->data(), static_cast<qint64>(content->size())) !=
          static_cast<qint64>(content->size())) {
    QMessageBox::warning(this, windowTitle(), ToQt(dualbasis::texts::kAttachmentReadFailed));
    return;
  }
  file.close();
  QDesktopServices::openUrl(QUrl::fromLocalFile(file.fileName()));
}

}  // namespace lumvoucher::ui
