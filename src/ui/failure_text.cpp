#include "ui/failure_text.h"

#include <QMessageBox>
#include <QPushButton>
#include <array>
#include <cctype>

#include "host/database_error.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {

namespace {

constexpr std::string_view kDatabaseFailed = "数据库操作失败，本次操作没有完成。";
constexpr std::string_view kUnexpected = "操作没有完成：程序遇到了意外的错误。";
// Longer texts make a box wider than the screen; the rest goes behind "details".
constexpr std::size_t kLongestText = 300;
constexpr std::size_t kLongestLines = 15;
constexpr std::size_t kCutAt = 160;

bool StartsWithStatement(std::string_view text) {
  static constexpr std::array<std::string_view, 14> kVerbs{
      "SELECT", "INSERT", "UPDATE", "DELETE",  "BEGIN",  "CREATE", "DROP",
      "WITH",   "ALTER",  "MERGE",  "REPLACE", "PRAGMA", "COMMIT", "("};
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  text.remove_prefix(at);
  for (std::string_view verb : kVerbs) {
    if (text.size() < verb.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < verb.size() && same; ++i) {
      same = std::toupper(static_cast<unsigned char>(text[i])) == verb[i];
    }
    if (same) return true;
  }
  return false;
}

// Code points, and the byte offset of the code point `count`.
std::size_t CodePoints(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::size_t OffsetOf(std::string_view text, std::size_t count) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && n++ == count) return i;
  }
  return text.size();
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

void ShowBox(QWidget* parent, const MessageParts& parts) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("错误信息"), ToQt(parts.summary),
                  QMessageBox::NoButton, parent);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.addButton(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  if (!parts.details.empty()) box.setDetailedText(ToQt(parts.details));
  box.exec();
}

}  // namespace

MessageParts SplitMessage(std::string_view text) {
  // The data access writes a failed statement as "<database text> [<statement>]", followed by
  // the Oracle text it was translated from in a second pair of brackets.
  if (!text.empty() && text.back() == ']') {
    for (std::size_t at = text.find(" ["); at != std::string_view::npos;
         at = text.find(" [", at + 1)) {
      if (!StartsWithStatement(text.substr(at + 2))) continue;
      const std::string_view head = text.substr(0, at);
      std::size_t lead = 0;
      while (lead < head.size() && !std::isalnum(static_cast<unsigned char>(head[lead]))) ++lead;
      MessageParts parts;
      // A command that put its own words before the database's keeps them in front.
      if (lead > 0) parts.summary = std::string(head.substr(0, lead)) + "\n";
      parts.summary += kDatabaseFailed;
      const std::string statements(text.substr(at + 2, text.size() - at - 3));
      parts.details = "数据库信息：" + std::string(head.substr(lead)) + "\n\nSQL：" +
                      Replace(statements, "] [", "\n\n");
      return parts;
    }
  }
  std::size_t lines = 1;
  for (char c : text) lines += c == '\n';
  if (CodePoints(text) <= kLongestText && lines <= kLongestLines) return {std::string(text), {}};
  std::string_view cut = text.substr(0, OffsetOf(text, kCutAt));
  std::size_t newline = std::string_view::npos;
  for (std::size_t i = 0, at = 0; i < kLongestLines; ++i, at = newline + 1) {
    newline = cut.find('\n', at);
    if (newline == std::string_view::npos) break;
  }
  if (newline != std::string_view::npos) cut = cut.substr(0, newline);
  return {std::string(cut) + "……", std::string(text)};
}

void ShowFailure(QWidget* parent, const std::exception* error) {
  try {
    const std::string text = error != nullptr ? error->what() : std::string();
    MessageParts parts = SplitMessage(text);
    if (dynamic_cast<const host::DatabaseError*>(error) == nullptr) {
      parts = {std::string(kUnexpected), text};
    } else if (parts.details.empty()) {
      parts = {std::string(kDatabaseFailed), text};
    }
    ShowBox(parent, parts);
  } catch (...) {
    // Nothing more can be told; the desktop goes on.
  }
}

}  // namespace lumvoucher::ui
