#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace lumvoucher::testing {

// Plays the user of the next modal window: once one is up, `act` runs on it (reads it, presses
// a button). Polls, because the window opens inside the exec() the test is about to call.
inline void WhenModalOpens(std::function<void(QWidget&)> act) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(*modal);
  });
  timer->start(5);
}

// Answers every message box that opens while it lives with `button` (the first button when the
// box has none such) and records their texts: a step that should ask nothing must not hang
// the test when it does.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(QMessageBox::StandardButton button = QMessageBox::Yes) {
    QObject::connect(&timer_, &QTimer::timeout, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      texts_ << box->text();
      QAbstractButton* chosen = box->button(button);
      (chosen != nullptr ? chosen : box->buttons().first())->click();
    });
    timer_.start(5);
  }
  QStringList Texts() const { return texts_; }
  QString Text() const { return texts_.join("\n"); }

 private:
  QTimer timer_;
  QStringList texts_;
};

}  // namespace lumvoucher::testing
