#pragma once

#include <exception>
#include <string>
#include <string_view>

class QWidget;

namespace lumvoucher::ui {

// A message as the desktop's box shows it: a short text, and what a curious user or the support
// desk reads behind the "details" button (empty: no such button).
struct MessageParts {
  std::string summary;
  std::string details;
};

// Splits a message for the box. A database failure ("no such column: x [SELECT ...]", with
// any Chinese lead the command put before it) becomes a short Chinese summary with the
// database's text and the SQL as details; any other text longer than a box should be is cut,
// the whole text going to the details. Short texts stay as they are.
MessageParts SplitMessage(std::string_view text);

// The last line of defence at a command boundary: something escaped a command. Shows a Chinese
// message (title "错误信息") with the error's own text behind "details"; never throws.
void ShowFailure(QWidget* parent, const std::exception* error);

// Runs `command`, showing whatever escapes it with ShowFailure; answers whether it ran through.
template <class Command>
bool Guarded(QWidget* parent, Command&& command) {
  try {
    command();
    return true;
  } catch (const std::exception& error) {
    ShowFailure(parent, &error);
  } catch (...) {
    ShowFailure(parent, nullptr);
  }
  return false;
}

}  // namespace lumvoucher::ui
