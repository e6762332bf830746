#pragma once

#include <QApplication>

namespace lumvoucher::ui {

// The desktop's QApplication: Qt's own dialogs and buttons speak Chinese (the system's
// translations, when installed), and an exception that escapes an event handler is shown as a
// Chinese message instead of ending the program.
class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace lumvoucher::ui
