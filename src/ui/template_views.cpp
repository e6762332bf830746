#include "ui/template_views.h"

#include <QLabel>

#include "templates/frm_voucher_io.h"
#include "templates/templates_texts.h"
#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/std_voucher_dialogs.h"
#include "ui/voucher_io_view.h"

namespace lumvoucher::ui {

namespace {

namespace texts = templates::texts;

void RenderActiveIO(Desktop& desktop) {
  if (auto* view = dynamic_cast<VoucherIOView*>(desktop.Main().ActiveTarget())) view->Render();
}

}  // namespace

void RegisterTemplateViews(Desktop& desktop) {
  desktop.Modal().Register(
      texts::kCreateWindowName,
      [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
        auto* presenter = dynamic_cast<templates::frmCreateStdVoucher*>(&window);
        if (presenter == nullptr) return nullptr;
        return std::make_unique<CreateStdVoucherDialog>(*presenter, parent);
      });
  for (const char* name : {texts::kSelectWindowName, texts::kSelectAllWindowName}) {
    desktop.Modal().Register(
        name, [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
          auto* presenter = dynamic_cast<templates::StdVoucherChooser*>(&window);
          if (presenter == nullptr) return nullptr;
          return std::make_unique<SelectStdVoucherDialog>(*presenter, parent);
        });
  }
  desktop.Main().RegisterChildView(
      texts::kIOWindowName, [](host::ChildWindow& child) -> std::unique_ptr<QWidget> {
        if (auto* window = dynamic_cast<templates::frmVoucherIO*>(&child)) {
          return std::make_unique<VoucherIOView>(*window);
        }
        return std::make_unique<QLabel>(ToQt(child.WindowName()));
      });
  desktop.Main().AddOpener(ToQt(texts::kIOMenuCaption), [&desktop] {
    templates::ShowVoucherIO();
    RenderActiveIO(desktop);
  });
  desktop.Screens().Register("voucherio", [](Desktop& d) -> QWidget* {
    templates::ShowVoucherIO();
    RenderActiveIO(d);
    return &d.Main();
  });
}

}  // namespace lumvoucher::ui
