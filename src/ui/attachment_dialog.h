#pragma once

#include <QDialog>

class QTableWidget;

namespace lumvoucher::dualbasis {
class frmAttachment;
}

namespace lumvoucher::ui {

// 附件: the voucher's attached files. 添加 reads a chosen file into the store, 打开 writes the
// current one to a temporary file and opens it with the system's program, 删除 asks first.
class AttachmentDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AttachmentDialog(dualbasis::frmAttachment& presenter, QWidget* parent = nullptr);
  void Render();
  QTableWidget* Grid() const { return grid_; }
  // Attaches the file at `path`; false when it cannot be read or was refused.
  bool AddFile(const QString& path);

 private:
  void Open();

  dualbasis::frmAttachment& presenter_;
  QTableWidget* grid_ = nullptr;
};

}  // namespace lumvoucher::ui
