#include "ui/desktop.h"
#include "ui/login_dialog.h"

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

}  // namespace

void RegisterViews(Desktop& desktop) {
  RegisterShellScreens(desktop);
  // The voucher window, the lists and their dialogs register here as they arrive.
}

}  // namespace lumvoucher::ui
