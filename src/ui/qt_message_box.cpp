#include "ui/qt_message_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "ui/failure_text.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {

namespace {

struct ButtonKind {
  QMessageBox::StandardButton standard;
  std::string_view caption;
  int answer;
};

std::vector<ButtonKind> ButtonsOf(int flags) {
  const ButtonKind ok{QMessageBox::Ok, message_box_text::kOk, host::mb::kOk};
  const ButtonKind cancel{QMessageBox::Cancel, message_box_text::kCancel, host::mb::kCancel};
  const ButtonKind yes{QMessageBox::Yes, message_box_text::kYes, host::mb::kYes};
  const ButtonKind no{QMessageBox::No, message_box_text::kNo, host::mb::kNo};
  switch (flags & host::mb::kButtonMask) {
    case host::mb::kOkCancel:
      return {ok, cancel};
    case host::mb::kYesNoCancel:
      return {yes, no, cancel};
    case host::mb::kYesNo:
      return {yes, no};
    default:
      return {ok};
  }
}

QMessageBox::Icon IconOf(int flags) {
  switch (flags & host::mb::kIconMask) {
    case host::mb::kCritical:
      return QMessageBox::Critical;
    case host::mb::kQuestion:
      return QMessageBox::Question;
    case host::mb::kExclamation:
      return QMessageBox::Warning;
    case host::mb::kInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int QtMessageBox::Show(std::string_view text, int flags, std::string_view title) {
  const MessageParts parts = SplitMessage(text);
  QMessageBox box(IconOf(flags), ToQt(title), ToQt(parts.summary), QMessageBox::NoButton,
                  parent_.data());
  box.setTextFormat(Qt::PlainText);
  if ((flags & host::mb::kRedText) != 0) {
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { color: #c00000; }"));
  }
  if (!parts.details.empty()) box.setDetailedText(ToQt(parts.details));
  // 8192 (task-modal) asks for what exec() does anyway: nothing else of the application answers.
  box.setWindowModality(Qt::ApplicationModal);

  std::vector<std::pair<QAbstractButton*, int>> answers;
  const std::vector<ButtonKind> kinds = ButtonsOf(flags);
  for (const ButtonKind& kind : kinds) {
    QPushButton* button = box.addButton(kind.standard);
    button->setText(ToQt(kind.caption));
    answers.emplace_back(button, kind.answer);
  }
  // 256 selects the second button, 512 the third; a box with fewer keeps its first.
  std::size_t default_index = static_cast<std::size_t>((flags >> 8) & 3);
  if (default_index >= kinds.size()) default_index = 0;
  box.setDefaultButton(static_cast<QPushButton*>(answers[default_index].first));

  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const auto& [button, answer] : answers) {
    if (button == clicked) return answer;
  }
  // Closed without a button (the application quit under it): the safest answer it offers.
  return kinds.back().answer;
}

}  // namespace lumvoucher::ui
