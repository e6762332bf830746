#include "ui/numbering_views.h"

#include "numbering/numbering_texts.h"
#include "numbering/numbering_windows.h"
#include "ui/continuity_dialog.h"
#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/renumber_dialog.h"
#include "ui/volume_dialog.h"

namespace lumvoucher::ui {

namespace {

namespace texts = numbering::texts;

template <class Dialog, class Presenter>
void RegisterDialog(Desktop& desktop, const char* window_name) {
  desktop.Modal().Register(
      window_name, [](host::ModalWindow& window, QWidget* parent) -> std::unique_ptr<QDialog> {
        auto* presenter = dynamic_cast<Presenter*>(&window);
        if (presenter == nullptr) return nullptr;
        return std::make_unique<Dialog>(*presenter, parent);
      });
}

// A picture's dialog keeps its presenter, loaded on the demo data.
template <class Dialog, class Presenter, class Prepare>
void RegisterScreen(Desktop& desktop, const char* name, QSize size, Prepare prepare) {
  desktop.Screens().Register(
      name,
      [prepare](Desktop& d) -> QWidget* {
        std::unique_ptr<Presenter> presenter;
        try {
          presenter = std::make_unique<Presenter>(numbering::NumberingBasis::OfAccountSet());
        } catch (const std::exception&) {
          return nullptr;
        }
        if (!presenter->Load()) return nullptr;
        auto* dialog = new Dialog(std::move(presenter), &d.Main());
        prepare(*dialog);
        return dialog;
      },
      size);
}

}  // namespace

void RegisterNumberingViews(Desktop& desktop) {
  RegisterDialog<RenumberDialog, numbering::frmVoucherRenumber>(desktop,
                                                                texts::kRenumberWindowName);
  RegisterDialog<ContinuityDialog, numbering::frmVoucherContinuity>(desktop,
                                                                    texts::kContinuityWindowName);
  RegisterDialog<VolumeDialog, numbering::frmVoucherVolume>(desktop, texts::kVolumeWindowName);
  desktop.Main().AddOpener(QString::fromUtf8(texts::kRenumberTitle),
                           [] { numbering::ShowVoucherRenumber(); });
  RegisterScreen<RenumberDialog, numbering::frmVoucherRenumber>(
      desktop, "renumber", QSize(980, 620), [](RenumberDialog& d) { d.QueryNumbers(); });
  RegisterScreen<ContinuityDialog, numbering::frmVoucherContinuity>(
      desktop, "continuity", QSize(760, 480), [](ContinuityDialog& d) { d.ToggleRow(0); });
  RegisterScreen<VolumeDialog, numbering::frmVoucherVolume>(desktop, "volume", QSize(620, 440),
                                                            [](VolumeDialog&) {});
}

}  // namespace lumvoucher::ui
