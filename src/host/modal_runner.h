#pragma once

#include <string>

namespace lumvoucher::host {

// A window of the component that the host runs modally (a dialog). The component's presenter
// implements it; the host's runner shows it and returns when the user closes it.
class ModalWindow {
 public:
  virtual ~ModalWindow() = default;
  // The window's name, as the component knows it ("frmVoucherCashFlow", ...).
  virtual std::string WindowName() const = 0;
};

// Runs a modal window: the desktop with exec(), the tests with a scripted handler.
class ModalRunner {
 public:
  virtual ~ModalRunner() = default;
  // Returns the window's result code (the window's own meaning; 0 when cancelled).
  virtual int RunModal(ModalWindow& window) = 0;
};

}  // namespace lumvoucher::host
