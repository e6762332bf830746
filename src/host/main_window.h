#pragma once

#include <string>
#include <vector>

namespace lumvoucher::host {

// A child window of the host main window (a voucher window or a list).
class ChildWindow {
 public:
  virtual ~ChildWindow() = default;
  virtual std::string WindowName() const = 0;
};

// The host's main window: parent of every window of the component. Its menus and toolbar follow
// the active child; the component tells it with ChildActive after showing a window.
class HostMainWindow {
 public:
  virtual ~HostMainWindow() = default;
  virtual void ChildActive() = 0;
  // Shows a child window in the main window's area and brings it to the front.
  virtual void ShowChild(ChildWindow& child) = 0;
  // The children that are open now, front first.
  virtual std::vector<ChildWindow*> OpenChildren() const = 0;
  // Whether a list shown here may hand over its first rows while it reads the rest (the view
  // adds rows as they come); a host that takes the rows at once wants them whole.
  virtual bool ShowsRowsAsTheyCome() const { return false; }
};

}  // namespace lumvoucher::host
