#include "ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/failure_text.h"

namespace lumvoucher::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("lumvoucher"));
  auto* translator = new QTranslator(this);
  if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    installTranslator(translator);
  }
}

bool Application::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  Guarded(activeWindow(), [&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace lumvoucher::ui
