#pragma once

#include <QDialog>
#include <memory>

#include "numbering/frm_voucher_volume.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace lumvoucher::ui {

// The Qt view of the volume window ("凭证分册"): organisation, period and type choosers, the
// volume grid (the count column read-only), "新  增(&N)", "删  除(&D)", save, and the note of
// the unbound vouchers. A refused cell keeps the value the presenter holds; closing with a
// changed grid asks the presenter's question and stays open when its save fails.
class VolumeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit VolumeDialog(numbering::frmVoucherVolume& presenter, QWidget* parent = nullptr);
  VolumeDialog(std::unique_ptr<numbering::frmVoucherVolume> presenter, QWidget* parent = nullptr);
  ~VolumeDialog() override;

  void Render();

  QComboBox* Organization() const { return organization_; }
  QComboBox* Period() const { return period_; }
  QComboBox* Type() const { return type_; }
  QTableWidget* Grid() const { return grid_; }
  QLabel* Unbound() const { return unbound_; }
  QPushButton* NewButton() const { return new_; }
  QPushButton* DeleteButton() const { return delete_; }
  QPushButton* SaveButton() const { return save_; }

  // Closing asks the presenter first.
  void reject() override;

 private:
  std::unique_ptr<numbering::frmVoucherVolume> owned_;
  numbering::frmVoucherVolume& presenter_;
  QComboBox* organization_ = nullptr;
  QComboBox* period_ = nullptr;
  QComboBox* type_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QLabel* unbound_ = nullptr;
  QPushButton* new_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* save_ = nullptr;
  bool rendering_ = false;
};

}  // namespace lumvoucher::ui
