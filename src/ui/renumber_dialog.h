#pragma once

#include <QDialog>
#include <memory>

#include "numbering/frm_voucher_renumber.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace lumvoucher::ui {

// The Qt view of the number window ("凭证编号查询"): organisation, year, period and type, the
// scope with its range grid, the order option, the number report in a read-only text view that
// prints or saves as PDF, and beside it the number ledger, which explains each missing, void and
// moved-in number of the report. A renumbering longer than a moment shows its progress.
class RenumberDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RenumberDialog(numbering::frmVoucherRenumber& presenter, QWidget* parent = nullptr);
  // For a picture: the dialog keeps the presenter it shows.
  RenumberDialog(std::unique_ptr<numbering::frmVoucherRenumber> presenter,
                 QWidget* parent = nullptr);
  ~RenumberDialog() override;

  void Render();
  // The user's gestures.
  void QueryNumbers();
  void RenumberNumbers();
  // Prints the report (title first) on `printer`: a printer chosen in the print dialog, or a
  // PDF file.
  void PrintReport(QPrinter& printer) const;
  bool SavePdf(const QString& path) const;

  QPlainTextEdit* Report() const { return report_; }
  QTableWidget* Ledger() const { return ledger_; }
  QTableWidget* Ranges() const { return ranges_; }
  QSpinBox* Year() const { return year_; }
  QSpinBox* Period() const { return period_; }
  QComboBox* Type() const { return type_; }
  QRadioButton* RangeMode() const { return range_mode_; }
  QCheckBox* ByDate() const { return by_date_; }
  QPushButton* QueryButton() const { return query_; }
  QPushButton* RenumberButton() const { return renumber_; }

 private:
  void BuildRangeRow(int row);
  void CommitRange(int row);
  void RenderLedger();

  std::unique_ptr<numbering::frmVoucherRenumber> owned_;
  numbering::frmVoucherRenumber& presenter_;
  QComboBox* organization_ = nullptr;
  QSpinBox* year_ = nullptr;
  QSpinBox* period_ = nullptr;
  QComboBox* type_ = nullptr;
  QRadioButton* whole_ = nullptr;
  QRadioButton* range_mode_ = nullptr;
  QTableWidget* ranges_ = nullptr;
  QCheckBox* by_date_ = nullptr;
  QPlainTextEdit* report_ = nullptr;
  QTableWidget* ledger_ = nullptr;
  QPushButton* query_ = nullptr;
  QPushButton* renumber_ = nullptr;
  bool rendering_ = false;
};

}  // namespace lumvoucher::ui
