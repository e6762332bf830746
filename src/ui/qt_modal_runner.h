#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "host/modal_runner.h"

namespace lumvoucher::ui {

// The host's modal runner on QDialog::exec(). The component hands over a presenter
// (host::ModalWindow); the runner builds the Qt dialog registered for the presenter's window
// name, runs it and answers the dialog's result (what it passed to QDialog::done; 0 when
// rejected). Each subsystem registers the dialogs of its modal windows.
class QtModalRunner : public host::ModalRunner {
 public:
  // Builds the dialog for a presenter, parented to `parent`. The presenter outlives the dialog.
  using DialogFactory =
      std::function<std::unique_ptr<QDialog>(host::ModalWindow& window, QWidget* parent)>;

  explicit QtModalRunner(QWidget* parent = nullptr) : parent_(parent) {}

  void SetParent(QWidget* parent) { parent_ = parent; }

  // Registers (or replaces) the dialog of the window named `window_name` ("frmVoucherCashFlow").
  void Register(std::string window_name, DialogFactory factory);
  // The usual factory: `Dialog(presenter, parent)` for the presenter named
  // `Presenter::kWindowName`.
  template <class Presenter, class Dialog>
  void Register() {
    Register(Presenter::kWindowName,
             [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
               auto* presenter = dynamic_cast<Presenter*>(&window);
               if (presenter == nullptr) return nullptr;
               return std::make_unique<Dialog>(*presenter, parent);
             });
  }
  bool Knows(std::string_view window_name) const;

  // The dialog for a presenter without running it (screenshots, tests); null when none is
  // registered.
  std::unique_ptr<QDialog> CreateDialog(host::ModalWindow& window) const;

  // A window without a registered dialog is a gap in the desktop, not a user's choice: it is
  // reported on stderr and answers 0, as a cancelled dialog does.
  int RunModal(host::ModalWindow& window) override;

 private:
  QPointer<QWidget> parent_;
  std::map<std::string, DialogFactory, std::less<>> factories_;
};

}  // namespace lumvoucher::ui
