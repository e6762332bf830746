#pragma once

#include <QSize>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "ui/main_window.h"
#include "ui/qt_message_box.h"
#include "ui/qt_modal_runner.h"

class QWidget;

namespace lumvoucher::ui {

class Desktop;

// What the screenshot mode can render, by name ("main", "login", later "voucher", "list",
// "batch"). A show-function brings the desktop into the state to picture (opens a window on the
// demo data) and answers the top-level widget to grab, owned by the desktop (a dialog is
// parented to the main window). The size is the picture's; an empty size keeps the widget's own.
class ScreenRegistry {
 public:
  using ShowFunction = std::function<QWidget*(Desktop& desktop)>;
  struct Screen {
    ShowFunction show;
    QSize size;
  };

  void Register(std::string name, ShowFunction show, QSize size = QSize(1280, 800));
  const Screen* Find(std::string_view name) const;
  std::vector<std::string> Names() const;

 private:
  std::map<std::string, Screen, std::less<>> screens_;
};

// The desktop application put together: the Qt host services, the embedded host over one
// account set, the component initialised through InterFace, and the registered views.
class Desktop {
 public:
  // Logs in to the account set held by `data` (schema and data in place). Throws
  // host::DatabaseError when the organisation or operator does not exist.
  Desktop(std::unique_ptr<embedded::SqliteDataAccess> data, const embedded::LoginRequest& login);
  // The same on another database whose keys come from `next_id` (a PostgreSQL server).
  Desktop(std::unique_ptr<host::DataAccess> data, embedded::NextIdFunction next_id,
          const embedded::LoginRequest& login, embedded::FundOpener fund = {});
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  MainWindow& Main() { return *main_window_; }
  QtMessageBox& Messages() { return messages_; }
  QtModalRunner& Modal() { return modal_; }
  embedded::EmbeddedHost& Host() { return *host_; }
  frame::InterFace& Component() { return inter_face_; }
  ScreenRegistry& Screens() { return screens_; }

 private:
  void Start();

  QtMessageBox messages_;
  QtModalRunner modal_;
  ScreenRegistry screens_;
  std::unique_ptr<embedded::EmbeddedHost> host_;
  frame::InterFace inter_face_;
  // Last, so the views go before the component and the host they show.
  std::unique_ptr<MainWindow> main_window_;
};

// Renders the screen `name` and writes it as a PNG file, at `size` when given, else at the
// screen's registered size. Answers an error text, empty on success.
std::string TakeScreenshot(Desktop& desktop, std::string_view name, const std::string& path,
                           QSize size = QSize());

// Registers every view, dialog, opener and screen the desktop has. Each subsystem's views add
// their registration here.
void RegisterViews(Desktop& desktop);
// The names of the screens RegisterViews registers, for `--help` (no desktop needed).
std::vector<std::string> ScreenNames();

}  // namespace lumvoucher::ui
