#include "frame/sql_text.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace lumvoucher::frame {

std::string SqlNumber(double value) {
  if (!std::isfinite(value)) throw std::domain_error("no SQL literal for a non-finite number");
  if (value == 0) return "0";  // also -0.0, which Oracle would read as an odd "-0"
  // The longest fixed form of a double is about 330 characters (1e-308 or DBL_MAX).
  char buffer[400];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (ec != std::errc()) throw std::domain_error("number too long for SQL text");
  return std::string(buffer, end);
}

std::string SqlText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  AppendSqlText(out, text);
  return out;
}

// The runs between quotes go in whole: a character at a time cost a save's settings and lines
// more than the rest of their statements' text.
void AppendSqlText(std::string& out, std::string_view text) {
  out += '\'';
  std::size_t at = 0;
  for (std::size_t quote; (quote = text.find('\'', at)) != std::string_view::npos; at = quote + 1) {
    out.append(text.substr(at, quote + 1 - at));
    out += '\'';
  }
  out.append(text.substr(at));
  out += '\'';
}

std::string DateText(int year, int month, int day) {
  return ZeroPad(year, 4) + "-" + ZeroPad(month, 2) + "-" + ZeroPad(day, 2);
}

std::string SqlDate(std::string_view date) {
  return SqlText(date);
}

std::string SqlDate(int year, int month, int day) {
  return SqlDate(DateText(year, month, day));
}

std::string SqlToDate(std::string_view date) {
  return "To_Date(" + SqlText(date) + ",'rrrr-mm-dd')";
}

std::string SqlToDate(int year, int month, int day) {
  return SqlToDate(DateText(year, month, day));
}

std::string ZeroPad(std::int64_t value, int width) {
  // Through the unsigned magnitude so that INT64_MIN has one.
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  }
  return value < 0 ? "-" + digits : digits;
}

std::string VoucherNoText(std::int64_t number) {
  return ZeroPad(number, 6);
}

std::string VoucherReference(int year, int period, std::string_view type_code,
                             std::int64_t number) {
  return std::to_string(year) + "年度" + ZeroPad(period, 2) + "期间 " + std::string(type_code) +
         "字 " + VoucherNoText(number) + "号凭证";
}

namespace {

std::string Substitute(std::string_view pattern, std::span<const std::string_view> values) {
  std::string out;
  out.reserve(pattern.size());
  std::size_t i = 0;
  while (i < pattern.size()) {
    if (pattern[i] == '{') {
      std::size_t index = 0;
      const char* first = pattern.data() + i + 1;
      const char* last = pattern.data() + pattern.size();
      const auto [end, ec] = std::from_chars(first, last, index);
      if (ec == std::errc() && end != last && *end == '}' && index < values.size()) {
        out += values[index];
        i = static_cast<std::size_t>(end - pattern.data()) + 1;
        continue;
      }
    }
    out += pattern[i];
    ++i;
  }
  return out;
}

}  // namespace

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  return Substitute(pattern, std::span<const std::string_view>(args.begin(), args.size()));
}

std::string FormatText(std::string_view pattern, std::span<const std::string> args) {
  const std::vector<std::string_view> values(args.begin(), args.end());
  return Substitute(pattern, values);
}

}  // namespace lumvoucher::frame
