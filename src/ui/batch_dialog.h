#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <memory>
#include <vector>

#include "lists/frm_batch_voucher.h"
#include "ui/visible_columns.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace lumvoucher::ui {

// The batch dialog's grid: the presenter's visible columns, the tick column first.
class BatchModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit BatchModel(lists::frmBatchVoucher& presenter, QObject* parent = nullptr);

  void Refresh();
  int ListColumn(int grid_column) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  lists::frmBatchVoucher& presenter_;
  VisibleColumns columns_;
};

// The Qt view of the batch dialog ("frmBatchVoucher"): the candidates with their tick column
// (a click on the tick cell, a double click or Space turns a tick), select all / none, the run
// with a progress bar the presenter drives, cancel. The questions and results are the
// presenter's message boxes; once a run ended the dialog closes with the presenter's result.
class BatchDialog : public QDialog {
  Q_OBJECT

 public:
  explicit BatchDialog(lists::frmBatchVoucher& presenter, QWidget* parent = nullptr);
  // For a picture: the dialog keeps the presenter it shows.
  BatchDialog(std::unique_ptr<lists::frmBatchVoucher> presenter, QWidget* parent = nullptr);
  ~BatchDialog() override;

  lists::frmBatchVoucher& Presenter() { return presenter_; }
  void Render();

  QTableView* Grid() const { return grid_; }
  BatchModel* Model() const { return model_; }
  QProgressBar* Progress() const { return progress_; }
  QPushButton* RunButton() const { return run_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* SelectAllButton() const { return select_all_; }
  QPushButton* SelectNoneButton() const { return select_none_; }
  QString CountText() const;

  // The user's gestures.
  void ToggleRow(int row);
  void RunBatch();

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;
  void reject() override;

 private:
  void ShowProgress(int done, int total);
  void CloseIfDone();

  std::unique_ptr<lists::frmBatchVoucher> owned_;
  lists::frmBatchVoucher& presenter_;
  BatchModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* count_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* select_all_ = nullptr;
  QPushButton* select_none_ = nullptr;
  QPushButton* run_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool running_ = false;
};

}  // namespace lumvoucher::ui
