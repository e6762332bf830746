#pragma once

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>
#include <memory>

namespace lumvoucher::ui {

// A presenter's run shown while it lasts longer than a moment: a modal progress dialog fed by
// the presenter's progress handler (done, total), which it takes for its own lifetime. The
// dialog is made at the first report, after the run's question, and cannot cancel: the run is
// one transaction.
template <class Presenter>
class RunProgress {
 public:
  RunProgress(QWidget* parent, const QString& title, Presenter& presenter) : presenter_(presenter) {
    presenter_.SetProgressHandler([this, parent, title](int done, int total) {
      if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(title, QString(), 0, 1, parent);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(400);
        dialog_->setCancelButton(nullptr);
        dialog_->setAutoClose(false);
      }
      dialog_->setMaximum(std::max(total, 1));
      dialog_->setValue(done);
      QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
  }
  ~RunProgress() { presenter_.SetProgressHandler(nullptr); }
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

 private:
  Presenter& presenter_;
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace lumvoucher::ui
