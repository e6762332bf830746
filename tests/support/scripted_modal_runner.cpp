#include "support/scripted_modal_runner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumvoucher::testing {

ScriptedModalRunner::~ScriptedModalRunner() {
  for (const auto& e : expected_) ADD_FAILURE() << "expected modal window never run: " << e.first;
}

void ScriptedModalRunner::Expect(std::string window_name, Handler handler) {
  expected_.emplace_back(std::move(window_name), std::move(handler));
}

int ScriptedModalRunner::RunModal(host::ModalWindow& window) {
  if (expected_.empty()) {
    ADD_FAILURE() << "unexpected modal window " << window.WindowName();
    return 0;
  }
  auto [name, handler] = std::move(expected_.front());
  expected_.pop_front();
  EXPECT_EQ(name, window.WindowName());
  return handler(window);
}

void RecordingMainWindow::ShowChild(host::ChildWindow& child) {
  children.erase(std::remove(children.begin(), children.end(), &child), children.end());
  children.insert(children.begin(), &child);
}

}  // namespace lumvoucher::testing
