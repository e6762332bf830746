#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <memory>

#include "numbering/frm_voucher_continuity.h"
#include "ui/visible_columns.h"

class QLabel;
class QPushButton;
class QTableView;

namespace lumvoucher::ui {

// The continuity window's grid: the presenter's visible columns, the tick column first; void
// and error rows in red.
class ContinuityModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ContinuityModel(numbering::frmVoucherContinuity& presenter, QObject* parent = nullptr);

  void Refresh();
  int ListColumn(int grid_column) const { return columns_.ListColumn(grid_column); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  numbering::frmVoucherContinuity& presenter_;
  VisibleColumns columns_;
};

// The Qt view of the continuity window ("凭证连号处理"): the candidates with their ticks (a
// click on the tick cell, a double click or Space), "连号处理", "条件选择", "全部选择",
// "全部取消". The checks, the question and the result are the presenter's message boxes; the
// dialog stays open for the next run.
class ContinuityDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ContinuityDialog(numbering::frmVoucherContinuity& presenter, QWidget* parent = nullptr);
  ContinuityDialog(std::unique_ptr<numbering::frmVoucherContinuity> presenter,
                   QWidget* parent = nullptr);
  ~ContinuityDialog() override;

  void Render();
  void ToggleRow(int row);
  void RunContinuity();

  QTableView* Grid() const { return grid_; }
  ContinuityModel* Model() const { return model_; }
  QPushButton* RunButton() const { return run_; }
  QPushButton* FilterButton() const { return filter_; }
  QPushButton* SelectAllButton() const { return select_all_; }
  QPushButton* SelectNoneButton() const { return select_none_; }
  QString CountText() const;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  std::unique_ptr<numbering::frmVoucherContinuity> owned_;
  numbering::frmVoucherContinuity& presenter_;
  ContinuityModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* run_ = nullptr;
  QPushButton* filter_ = nullptr;
  QPushButton* select_all_ = nullptr;
  QPushButton* select_none_ = nullptr;
};

}  // namespace lumvoucher::ui
