#include "ui/qt_modal_runner.h"

#include <QtGlobal>

namespace lumvoucher::ui {

void QtModalRunner::Register(std::string window_name, DialogFactory factory) {
  factories_[std::move(window_name)] = std::move(factory);
}

bool QtModalRunner::Knows(std::string_view window_name) const {
  return factories_.find(window_name) != factories_.end();
}

std::unique_ptr<QDialog> QtModalRunner::CreateDialog(host::ModalWindow& window) const {
  auto it = factories_.find(window.WindowName());
  if (it == factories_.end()) return nullptr;
  return it->second(window, parent_.data());
}

int QtModalRunner::RunModal(host::ModalWindow& window) {
  std::unique_ptr<QDialog> dialog = CreateDialog(window);
  if (!dialog) {
    qWarning("lumvoucher: no dialog registered for window %s", window.WindowName().c_str());
    return 0;
  }
  dialog->setWindowModality(Qt::ApplicationModal);
  return dialog->exec();
}

}  // namespace lumvoucher::ui
