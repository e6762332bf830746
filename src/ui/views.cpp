#include <QLabel>

#include "ui/desktop.h"
#include "ui/login_dialog.h"
#include "ui/voucher_view.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::ui {

namespace {

void RegisterShellScreens(Desktop& desktop) {
  desktop.Screens().Register("main", [](Desktop& d) -> QWidget* { return &d.Main(); });
  desktop.Screens().Register(
      "login",
      [](Desktop& d) -> QWidget* {
        const host::LoginContext& login = d.Host().Login();
        return new LoginDialog(
            d.Host().Database(),
            {login.CurrentOrganization().id, login.CurrentOperator().id, login.LoginDate()},
            &d.Main());
      },
      QSize());
}

void RegisterVoucherViews(Desktop& desktop) {
  desktop.Main().RegisterChildView(
      "frmVoucher", [](host::ChildWindow& child) -> std::unique_ptr<QWidget> {
        if (auto* window = dynamic_cast<voucher::frmVoucher*>(&child)) {
          return std::make_unique<VoucherView>(*window);
        }
        return std::make_unique<QLabel>(QString::fromStdString(child.WindowName()));
      });
  desktop.Main().AddOpener(QStringLiteral("填制凭证"), [&desktop] {
    desktop.Component().ShowANewBill(0);
    if (auto* view = dynamic_cast<VoucherView*>(desktop.Main().ActiveTarget())) {
      view->Render();
      view->EditCell(1, voucher::LineField::kRemark);
    }
  });
  desktop.Screens().Register("voucher", [](Desktop& d) -> QWidget* {
    d.Component().ShowAOldBill(1, false);
    return &d.Main();
  });
}

}  // namespace

void RegisterViews(Desktop& desktop) {
  RegisterShellScreens(desktop);
  RegisterVoucherViews(desktop);
  // The voucher window, the lists and their dialogs register here as they arrive.
}

}  // namespace lumvoucher::ui
