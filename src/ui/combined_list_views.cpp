#include "ui/combined_list_views.h"

#include <QColor>
#include <QComboBox>
#include <QLabel>

#include "frame/login_state.h"
#include "lists/frm_list_voucher_compare.h"
#include "lists/frm_list_voucher_union.h"
#include "lists/list_texts.h"
#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/voucher_list_view.h"

namespace lumvoucher::ui {

namespace {

void RenderActiveList(Desktop& desktop) {
  if (auto* view = dynamic_cast<VoucherListView*>(desktop.Main().ActiveTarget())) view->Render();
}

std::unique_ptr<QWidget> CombinedListView(Desktop& desktop, host::ChildWindow& child) {
  auto* list = dynamic_cast<lists::VoucherList*>(&child);
  if (list == nullptr) return std::make_unique<QLabel>(ToQt(child.WindowName()));
  auto view = std::make_unique<VoucherListView>(*list);
  if (auto* pairs = dynamic_cast<lists::frmListVoucherUnion*>(list)) {
    view->Model()->SetRowShade(
        [pairs](int row) { return pairs->IsShaded(row) ? QColor(220, 220, 220) : QColor(); });
  }
  if (auto* both = dynamic_cast<lists::frmListVoucherNew*>(list)) {
    auto* basis = new QComboBox(view.get());
    basis->setObjectName(QStringLiteral("basis"));
    for (const char* choice : lists::texts::kBasisChoices) basis->addItem(ToQt(choice));
    basis->setCurrentIndex(both->State().basis);
    QObject::connect(basis, &QComboBox::activated, view.get(), [both, v = view.get()](int index) {
      both->SetBasis(index);
      v->Render();
    });
    view->AddBarWidget(basis);
  }
  QObject::connect(&desktop.Main(), &MainWindow::VouchersChanged, view.get(),
                   &VoucherListView::Refresh);
  return view;
}

}  // namespace

void RegisterCombinedListViews(Desktop& desktop) {
  for (const char* name : {"frmListVoucherNew", "frmListVoucherUnion", "frmListVoucherCompare",
                           "frmListErrVoucherCompare"}) {
    desktop.Main().RegisterChildView(
        name, [&desktop](host::ChildWindow& child) { return CombinedListView(desktop, child); });
  }
  if (frame::IsDualBasis()) {
    desktop.Main().AddOpener(ToQt(lists::texts::kUnionListTitle), [&desktop] {
      desktop.Component().frmListVoucherUnion_Show(0);
      RenderActiveList(desktop);
    });
    desktop.Main().AddOpener(ToQt(lists::texts::kCompareListTitle), [&desktop] {
      desktop.Component().frmListVoucherCompare_Show(0);
      RenderActiveList(desktop);
    });
  }
  desktop.Screens().Register("unionlist", [](Desktop& d) -> QWidget* {
    d.Component().frmListVoucherUnion_Show(0);
    RenderActiveList(d);
    return &d.Main();
  });
}

}  // namespace lumvoucher::ui
