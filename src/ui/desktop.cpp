#include "ui/desktop.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include "ui/qt_text.h"

namespace lumvoucher::ui {

void ScreenRegistry::Register(std::string name, ShowFunction show, QSize size) {
  screens_[std::move(name)] = Screen{std::move(show), size};
}

const ScreenRegistry::Screen* ScreenRegistry::Find(std::string_view name) const {
  auto it = screens_.find(name);
  return it == screens_.end() ? nullptr : &it->second;
}

std::vector<std::string> ScreenRegistry::Names() const {
  std::vector<std::string> names;
  for (const auto& [name, show] : screens_) names.push_back(name);
  return names;
}

Desktop::Desktop(std::unique_ptr<embedded::SqliteDataAccess> data,
                 const embedded::LoginRequest& login)
    : main_window_(std::make_unique<MainWindow>()) {
  messages_.SetParent(main_window_.get());
  modal_.SetParent(main_window_.get());
  host_ = std::make_unique<embedded::EmbeddedHost>(
      std::move(data), login, embedded::HostUi{&messages_, &modal_, main_window_.get()});
  Start();
}

Desktop::Desktop(std::unique_ptr<host::DataAccess> data, embedded::NextIdFunction next_id,
                 const embedded::LoginRequest& login, embedded::FundOpener fund)
    : main_window_(std::make_unique<MainWindow>()) {
  messages_.SetParent(main_window_.get());
  modal_.SetParent(main_window_.get());
  host_ = std::make_unique<embedded::EmbeddedHost>(
      std::move(data), std::move(next_id), login,
      embedded::HostUi{&messages_, &modal_, main_window_.get()}, std::move(fund));
  Start();
}

void Desktop::Start() {
  host_->InitInterFace(inter_face_);
  main_window_->ShowLogin(host_->Login());
  RegisterViews(*this);
}

Desktop::~Desktop() {
  main_window_.reset();
}

std::string TakeScreenshot(Desktop& desktop, std::string_view name, const std::string& path,
                           QSize size) {
  const ScreenRegistry::Screen* screen = desktop.Screens().Find(name);
  if (screen == nullptr) {
    std::string known;
    for (const std::string& screen : desktop.Screens().Names()) known += " " + screen;
    return "no window \"" + std::string(name) + "\" to show; known:" + known;
  }
  QWidget* widget = screen->show(desktop);
  if (widget == nullptr) return "window \"" + std::string(name) + "\" did not open";
  if (!size.isValid()) size = screen->size;
  if (size.isValid()) {
    widget->resize(size);
  } else {
    widget->adjustSize();
  }
  widget->show();
  // Layouts and the MDI area settle over a few event-loop turns.
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  const QPixmap picture = widget->grab();
  if (picture.isNull() || !picture.save(ToQt(path), "PNG")) {
    return "cannot write " + path;
  }
  return {};
}

}  // namespace lumvoucher::ui
