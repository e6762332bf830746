#pragma once

#include <QApplication>
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

}  // namespace lumvoucher::testing
