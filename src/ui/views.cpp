#include <QLabel>
#include <algorithm>

#include "cashflow/frm_cash_flow_auto2.h"
#include "cashflow/frm_voucher_cash_flow.h"
#include "frame/login_state.h"
#include "frame/window_registry.h"
#include "lists/frm_batch_voucher.h"
#include "lists/list_texts.h"
#include "lists/voucher_list.h"
#include "ui/account_card.h"
#include "ui/batch_dialog.h"
#include "ui/budget_views.h"
#include "ui/cash_flow_auto_dialog.h"
#include "ui/cash_flow_dialog.h"
#include "ui/cash_flow_editors.h"
#include "ui/combined_list_views.h"
#include "ui/desktop.h"
#include "ui/document_link_dialogs.h"
#include "ui/filter_dialog.h"
#include "ui/link_dialogs.h"
#include "ui/login_dialog.h"
#include "ui/numbering_views.h"
#include "ui/pair_voucher_view.h"
#include "ui/parallel_dialogs.h"
#include "ui/template_views.h"
#include "ui/voucher_list_view.h"
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
            d.Host().Data(),
            {login.CurrentOrganization().id, login.CurrentOperator().id, login.LoginDate()},
            &d.Main());
      },
      QSize());
}

void RegisterVoucherViews(Desktop& desktop) {
  InstallAccountCard(desktop.Host().Account(), &desktop.Main());
  desktop.Main().RegisterChildView(
      "frmVoucher", [](host::ChildWindow& child) -> std::unique_ptr<QWidget> {
        if (auto* window = dynamic_cast<voucher::frmVoucher*>(&child)) {
          return std::make_unique<VoucherView>(*window);
        }
        return std::make_unique<QLabel>(QString::fromStdString(child.WindowName()));
      });
  // The voucher window's own 新增: the rights and the unsaved-edits question first.
  auto new_voucher = [&desktop] {
    if (!frame::WindowRegistry::Get<voucher::frmVoucher>().mclsMainControl_EditNew()) return;
    if (auto* view = dynamic_cast<VoucherView*>(desktop.Main().ActiveTarget())) {
      view->Render();
      view->EditCell(1, voucher::LineField::kRemark);
    }
  };
  // Both bases: the paired window answers these (RegisterPairViews).
  if (!frame::IsDualBasis()) {
    desktop.Main().AddOpener(QStringLiteral("填制凭证"), new_voucher,
                             QKeySequence(QStringLiteral("Ctrl+Shift+N")));
    desktop.Main().SetFallback(Command::kEditNew, new_voucher);
  }
  desktop.Screens().Register("voucher", [](Desktop& d) -> QWidget* {
    d.Component().ShowAOldBill(1, false);
    return &d.Main();
  });
}

// A list opened again refills its presenter; the view shows what it holds now.
void RenderActiveList(Desktop& desktop) {
  if (auto* view = dynamic_cast<VoucherListView*>(desktop.Main().ActiveTarget())) view->Render();
}

void RegisterListViews(Desktop& desktop) {
  auto list_view = [&desktop](host::ChildWindow& child) -> std::unique_ptr<QWidget> {
    if (auto* list = dynamic_cast<lists::VoucherList*>(&child)) {
      auto view = std::make_unique<VoucherListView>(*list);
      // A voucher saved, reviewed or deleted in another window shows here at once.
      QObject::connect(&desktop.Main(), &MainWindow::VouchersChanged, view.get(),
                       &VoucherListView::Refresh);
      return view;
    }
    return std::make_unique<QLabel>(QString::fromStdString(child.WindowName()));
  };
  desktop.Main().RegisterChildView("frmListVoucher", list_view);
  desktop.Main().RegisterChildView("frmListErrVoucher", list_view);
  InstallFilterDialog(desktop.Host().Filter(), desktop.Host().Data(),
                      desktop.Host().BaseClass().Preferences(), &desktop.Main());
  auto show_list = [&desktop] {
    desktop.Component().frmListVoucher_Show(0);
    RenderActiveList(desktop);
  };
  desktop.Main().AddOpener(QStringLiteral("凭证列表"), show_list,
                           QKeySequence(QStringLiteral("Ctrl+L")));
  desktop.Main().SetFallback(Command::kEditShowList, show_list);
  desktop.Main().AddOpener(QStringLiteral("错误凭证列表"), [&desktop] {
    desktop.Component().frmListErrVoucher_Show();
    RenderActiveList(desktop);
  });
  desktop.Screens().Register("list", [](Desktop& d) -> QWidget* {
    d.Component().frmListVoucher_Show(0);
    RenderActiveList(d);
    return &d.Main();
  });
  desktop.Modal().Register(
      lists::texts::kBatchWindowName,
      [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
        auto* batch = dynamic_cast<lists::frmBatchVoucher*>(&window);
        if (batch == nullptr) return nullptr;
        return std::make_unique<BatchDialog>(*batch, parent);
      });
  desktop.Screens().Register(
      "batch",
      [](Desktop& d) -> QWidget* {
        d.Component().frmListVoucher_Show(0);
        auto* list = dynamic_cast<lists::VoucherList*>(d.Main().ActiveChild());
        if (list == nullptr) return nullptr;
        auto batch = std::make_unique<lists::frmBatchVoucher>(
            lists::BatchOperation::kReview, lists::frmBatchVoucher::SourceOf(*list));
        if (!batch->Load()) return nullptr;
        for (int row = 0; row < std::min<int>(2, static_cast<int>(batch->State().rows.size()));
             ++row) {
          batch->SetTicked(row, true);
        }
        auto* dialog = new BatchDialog(std::move(batch), &d.Main());
        dialog->Render();
        return dialog;
      },
      QSize(640, 440));
  desktop.Screens().Register(
      "filter",
      [](Desktop& d) -> QWidget* {
        d.Component().frmListVoucher_Show(0);
        auto* list = dynamic_cast<lists::VoucherList*>(d.Main().ActiveChild());
        if (list == nullptr) return nullptr;
        FilterFields fields;
        fields.date_from = list->State().filter.date_from;
        fields.date_to = list->State().filter.date_to;
        fields.summary = "差旅";
        fields.account = "6602 管理费用";
        fields.status = FilterFields::Status::kUnreviewed;
        return new FilterDialog(d.Host().Data(), list->State().title, fields, &d.Main());
      },
      QSize());
  desktop.Screens().Register("errlist", [](Desktop& d) -> QWidget* {
    d.Component().frmListErrVoucher_Show();
    RenderActiveList(d);
    return &d.Main();
  });
}

// The two cash-flow windows, the item cards behind their choosers, and the voucher window's
// "现金流量" command (the lists reach the line window through their own menu).
void RegisterCashFlowViews(Desktop& desktop) {
  desktop.Modal().Register(
      cashflow::frmVoucherCashFlow::kWindowName,
      [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
        auto* line = dynamic_cast<cashflow::frmVoucherCashFlow*>(&window);
        if (line == nullptr) return nullptr;
        return std::make_unique<CashFlowDialog>(*line, parent);
      });
  desktop.Modal().Register(
      cashflow::frmCashFlowAuto2::kWindowName,
      [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
        auto* batch = dynamic_cast<cashflow::frmCashFlowAuto2*>(&window);
        if (batch == nullptr) return nullptr;
        return std::make_unique<CashFlowAutoDialog>(*batch, parent);
      });
  InstallCashItemCards(desktop.Host().CWCard(), desktop.Host().Data(), desktop.Host().Login(),
                       &desktop.Main());
  desktop.Main().AddOpener(QStringLiteral("现金流量"), [&desktop] {
    if (auto* view = dynamic_cast<VoucherView*>(desktop.Main().ActiveTarget())) {
      view->Presenter().CashFlow();
      view->Render();
    }
  });
}

}  // namespace

std::vector<std::string> ScreenNames() {
  return {"batch", "budget", "continuity", "errlist",   "filter", "list",    "login",
          "main",  "pair",   "renumber",   "unionlist", "volume", "voucher", "voucherio"};
}

void RegisterViews(Desktop& desktop) {
  RegisterShellScreens(desktop);
  RegisterVoucherViews(desktop);
  RegisterPairViews(desktop);
  RegisterListViews(desktop);
  RegisterCombinedListViews(desktop);
  RegisterNumberingViews(desktop);
  RegisterCashFlowViews(desktop);
  RegisterTemplateViews(desktop);
  RegisterBudgetViews(desktop);
  RegisterLinkViews(desktop);
  RegisterDocumentLinkViews(desktop);
  RegisterParallelViews(desktop);
  // The voucher window, the lists and their dialogs register here as they arrive.
}

}  // namespace lumvoucher::ui
