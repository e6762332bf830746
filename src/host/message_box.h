#pragma once

#include <string_view>

namespace lumvoucher::host {

// Button and icon flags of the host's message box, added together as the component passes them
// (8240 = kTaskModal + kExclamation is the line-rule warning).
namespace mb {
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kTaskModal = 8192;
// Ours, above the platform's flags: the text is shown in red (the parallel-accounting
// obligation questions). A box that cannot colour text ignores it.
inline constexpr int kRedText = 1 << 24;

// Buttons the box answers with.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;

inline constexpr int kButtonMask = 15;
inline constexpr int kIconMask = 112;
}  // namespace mb

// The host's modal message box: the only way the component talks to the user in text.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Shows `text` with the buttons and icon of `flags` under `title`; answers the button pressed.
  virtual int Show(std::string_view text, int flags, std::string_view title) = 0;
};

}  // namespace lumvoucher::host
