#include "host/decimal_text.h"

#include <cfloat>
#include <charconv>
#include <string>
#include <system_error>

namespace lumvoucher::host {

namespace {

bool Digit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The digits of a whole part without its thousands separators; nothing when one is misplaced.
std::optional<std::string> WholeDigits(std::string_view whole) {
  if (whole.find(',') == std::string_view::npos) return std::string(whole);
  std::string digits;
  std::size_t group = 0;
  bool first = true;
  for (std::size_t i = 0; i <= whole.size(); ++i) {
    if (i == whole.size() || whole[i] == ',') {
      if (group == 0 || group > 3 || (!first && group != 3)) return std::nullopt;
      first = false;
      group = 0;
      continue;
    }
    digits.push_back(whole[i]);
    ++group;
  }
  return digits;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  for (char c : whole) {
    if (!Digit(c) && c != ',') return std::nullopt;
  }
  for (char c : fraction) {
    if (!Digit(c)) return std::nullopt;
  }
  std::optional<std::string> digits = WholeDigits(whole);
  if (!digits || digits->size() + fraction.size() == 0) return std::nullopt;
  std::string plain = digits->empty() ? "0" : *digits;
  if (!fraction.empty()) plain += "." + std::string(fraction);
  double value = 0;
  const auto [end, error] =
      std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
  if (end != plain.data() + plain.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Too small to hold reads as zero; too large as the largest double, for the range checks.
    value = digits->find_first_not_of('0') == std::string::npos ? 0.0 : DBL_MAX;
  } else if (error != std::errc()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

double LeadingDecimal(std::string_view text) {
  std::string clean;
  for (char c : text) {
    if (c != ',' && c != ' ') clean.push_back(c);
  }
  std::size_t end = clean.empty() || (clean[0] != '-' && clean[0] != '+') ? 0 : 1;
  while (end < clean.size() && Digit(clean[end])) ++end;
  if (end < clean.size() && clean[end] == '.') {
    ++end;
    while (end < clean.size() && Digit(clean[end])) ++end;
  }
  return ParseDecimal(std::string_view(clean).substr(0, end)).value_or(0.0);
}

std::optional<std::int64_t> ParseWhole(std::string_view text, std::int64_t low, std::int64_t high) {
  text = Trim(text);
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (!Digit(c)) return std::nullopt;
  }
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (magnitude > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
  const std::int64_t value =
      negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  if (value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace lumvoucher::host
