#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "host/message_box.h"

namespace lumvoucher::testing {

struct ShownMessage {
  std::string title;
  std::string text;
  int flags = 0;
};

// The message box of the test host: records every message and answers from the queue a test
// gives. A message the test did not expect, or one that differs from the expected text or
// title, fails the test; so does an expectation left unused when the box is destroyed.
class ScriptedMessageBox : public host::MessageBox {
 public:
  ~ScriptedMessageBox() override;

  // The next message must have this text (and this title, when given); the box answers `answer`.
  void Expect(std::string text, int answer = host::mb::kOk,
              std::optional<std::string> title = std::nullopt);
  // The same for a message whose text begins with `prefix` (a database error's own text).
  void ExpectPrefix(std::string prefix, int answer = host::mb::kOk,
                    std::optional<std::string> title = std::nullopt);

  int Show(std::string_view text, int flags, std::string_view title) override;

  const std::vector<ShownMessage>& Shown() const { return shown_; }
  std::size_t Pending() const { return expected_.size(); }
  // Forgets the unused expectations (a test that checks a failure path on purpose).
  void Clear() { expected_.clear(); }
  // Once the expectations are used up, answers any message with `answer` instead of failing
  // (a test that fails every statement in turn and reads Shown() itself).
  void AnswerAll(int answer) { answer_all_ = answer; }

 private:
  struct Expected {
    std::string text;
    int answer;
    std::optional<std::string> title;
    bool prefix = false;
  };
  std::deque<Expected> expected_;
  std::vector<ShownMessage> shown_;
  std::optional<int> answer_all_;
};

}  // namespace lumvoucher::testing
