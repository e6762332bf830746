#pragma once

#include <functional>
#include <string>

#include "dualbasis/cls_voucher_new.h"
#include "host/main_window.h"

namespace lumvoucher::dualbasis {

// The paired voucher window: a child of the host main window holding the financial and the
// budget editor, driven by its controller.
class FrmVoucherNew : public host::ChildWindow {
 public:
  FrmVoucherNew() : controller_(*this) {}
  std::string WindowName() const override { return "FrmVoucherNew"; }
  clsVoucherNew& Controller() { return controller_; }

  // The message form's notice while the pair is written: the text, then "" when it ends.
  void SetWaitHandler(std::function<void(const std::string&)> handler) {
    wait_ = std::move(handler);
  }
  void Wait(const std::string& text) {
    if (wait_) wait_(text);
  }

 private:
  std::function<void(const std::string&)> wait_;
  clsVoucherNew controller_;
};

}  // namespace lumvoucher::dualbasis
