#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace lumvoucher::ui {

// The component's text is UTF-8 std::string; Qt's is QString. Every crossing goes through these
// two, so no Latin-1 conversion slips in.
inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace lumvoucher::ui
