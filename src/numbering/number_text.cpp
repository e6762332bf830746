#include "numbering/number_text.h"

#include <charconv>

namespace lumvoucher::numbering {

std::optional<long> ParseNumber(std::string_view text, long lowest, long highest) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < lowest || value > highest) return std::nullopt;
  return value;
}

std::string GroupedCount(long count) {
  if (count == 0) return std::string();
  std::string digits = std::to_string(count < 0 ? -count : count);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  }
  return count < 0 ? "-" + digits : digits;
}

}  // namespace lumvoucher::numbering
