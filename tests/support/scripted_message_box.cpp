#include "support/scripted_message_box.h"

#include <gtest/gtest.h>

namespace lumvoucher::testing {

ScriptedMessageBox::~ScriptedMessageBox() {
  for (const Expected& e : expected_) ADD_FAILURE() << "expected message never shown: " << e.text;
}

void ScriptedMessageBox::Expect(std::string text, int answer, std::optional<std::string> title) {
  expected_.push_back({std::move(text), answer, std::move(title)});
}

void ScriptedMessageBox::ExpectPrefix(std::string prefix, int answer,
                                      std::optional<std::string> title) {
  expected_.push_back({std::move(prefix), answer, std::move(title), true});
}

int ScriptedMessageBox::Show(std::string_view text, int flags, std::string_view title) {
  shown_.push_back({std::string(title), std::string(text), flags});
  if (expected_.empty() && answer_all_) return *answer_all_;
  if (expected_.empty()) {
    ADD_FAILURE() << "unexpected message [" << title << "] " << text << " (flags " << flags << ")";
    return host::mb::kCancel;
  }
  Expected next = expected_.front();
  expected_.pop_front();
  if (next.prefix) {
    EXPECT_EQ(next.text, text.substr(0, next.text.size())) << "message text: " << text;
  } else {
    EXPECT_EQ(next.text, text) << "message text";
  }
  if (next.title) {
    EXPECT_EQ(*next.title, title) << "message title for: " << text;
  }
  return next.answer;
}

}  // namespace lumvoucher::testing
