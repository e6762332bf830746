#include "host/calendar_date.h"

#include <cstdio>
#include <optional>

namespace lumvoucher::host {

namespace {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
};

// `min_digits` to `max_digits` digits at the front of `text`, taken off it.
std::optional<int> Part(std::string_view& text, std::size_t min_digits, std::size_t max_digits) {
  std::size_t n = 0;
  int value = 0;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') {
    value = value * 10 + (text[n] - '0');
    if (++n > max_digits) return std::nullopt;
  }
  if (n < min_digits) return std::nullopt;
  text.remove_prefix(n);
  return value;
}

std::optional<Date> Parse(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::optional<int> year = Part(text, 4, 4);
  if (!year || text.empty() || text.front() != '-') return std::nullopt;
  text.remove_prefix(1);
  std::optional<int> month = Part(text, 1, 2);
  if (!month || text.empty() || text.front() != '-') return std::nullopt;
  text.remove_prefix(1);
  std::optional<int> day = Part(text, 1, 2);
  if (!day || !text.empty()) return std::nullopt;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (*year < 1900 || *month < 1 || *month > 12 || *day < 1) return std::nullopt;
  const bool leap = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
  if (*day > kDays[*month - 1] + (*month == 2 && leap ? 1 : 0)) return std::nullopt;
  return Date{*year, *month, *day};
}

}  // namespace

std::string CalendarDate(std::string_view text) {
  std::optional<Date> date = Parse(text);
  if (!date) return std::string();
  char out[16];
  std::snprintf(out, sizeof out, "%04d-%02d-%02d", date->year, date->month, date->day);
  return out;
}

YearMonth YearMonthOf(std::string_view text) {
  std::optional<Date> date = Parse(text);
  return date ? YearMonth{date->year, date->month} : YearMonth{};
}

}  // namespace lumvoucher::host
