#pragma once

#include <QPointer>
#include <QWidget>
#include <string_view>

#include "host/message_box.h"

namespace lumvoucher::ui {

// Button captions of the host's message box.
namespace message_box_text {
inline constexpr std::string_view kOk = "确定";
inline constexpr std::string_view kCancel = "取消";
inline constexpr std::string_view kYes = "是(&Y)";
inline constexpr std::string_view kNo = "否(&N)";
}  // namespace message_box_text

// The host's message box on QMessageBox: the component's title and text unchanged, buttons,
// icon and default button from the flags (host::mb), the answer as the button's code. Escape
// answers Cancel when there is one, and No in a Yes/No box. A database failure or an overlong
// text shows a short text with the rest behind "details" (see SplitMessage).
class QtMessageBox : public host::MessageBox {
 public:
  explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}

  // The window the box is modal to; null for none.
  void SetParent(QWidget* parent) { parent_ = parent; }

  int Show(std::string_view text, int flags, std::string_view title) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace lumvoucher::ui
