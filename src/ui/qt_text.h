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

// A number already formatted with its decimals, grouped by thousands as the voucher's own grid
// shows amounts: "50000.00" -> "50,000.00".
inline QString GroupedAmount(const std::string& text) {
  QString out = ToQt(text);
  qsizetype point = out.indexOf(QLatin1Char('.'));
  if (point < 0) point = out.size();
  const qsizetype first = out.startsWith(QLatin1Char('-')) ? 1 : 0;
  for (qsizetype at = point - 3; at > first; at -= 3) out.insert(at, QLatin1Char(','));
  return out;
}

}  // namespace lumvoucher::ui
