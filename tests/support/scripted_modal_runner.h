#pragma once

#include <deque>
#include <functional>
#include <string>

#include "host/main_window.h"
#include "host/modal_runner.h"

namespace lumvoucher::testing {

// Runs modal windows by script: each expected window name comes with the handler that plays
// the user (fills the window, presses its buttons) and returns the window's result.
class ScriptedModalRunner : public host::ModalRunner {
 public:
  using Handler = std::function<int(host::ModalWindow&)>;
  ~ScriptedModalRunner() override;

  void Expect(std::string window_name, Handler handler);
  int RunModal(host::ModalWindow& window) override;
  std::size_t Pending() const { return expected_.size(); }

 private:
  std::deque<std::pair<std::string, Handler>> expected_;
};

// A host main window that remembers what the component told it.
class RecordingMainWindow : public host::HostMainWindow {
 public:
  void ChildActive() override { ++child_active_calls; }
  void ShowChild(host::ChildWindow& child) override;
  std::vector<host::ChildWindow*> OpenChildren() const override { return children; }

  int child_active_calls = 0;
  std::vector<host::ChildWindow*> children;
};

}  // namespace lumvoucher::testing
