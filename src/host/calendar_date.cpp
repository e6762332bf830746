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

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
long DaysOf(const Date& d) {
  const int y = d.year - (d.month <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Date DateOf(long days) {
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const long doe = days - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return Date{static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

std::string Text(const Date& date) {
  // By hand: snprintf took ~1 600 instructions a date, and a save writes five.
  if (date.year >= 0 && date.year <= 9999 && date.month >= 0 && date.month <= 99 && date.day >= 0 &&
      date.day <= 99) {
    std::string out = "0000-00-00";
    for (int i = 3, year = date.year; i >= 0; --i, year /= 10)
      out[i] = static_cast<char>('0' + year % 10);
    out[5] = static_cast<char>('0' + date.month / 10);
    out[6] = static_cast<char>('0' + date.month % 10);
    out[8] = static_cast<char>('0' + date.day / 10);
    out[9] = static_cast<char>('0' + date.day % 10);
    return out;
  }
  char out[16];
  std::snprintf(out, sizeof out, "%04d-%02d-%02d", date.year, date.month, date.day);
  return out;
}

}  // namespace

std::string CalendarDate(std::string_view text) {
  std::optional<Date> date = Parse(text);
  return date ? Text(*date) : std::string();
}

YearMonth YearMonthOf(std::string_view text) {
  std::optional<Date> date = Parse(text);
  return date ? YearMonth{date->year, date->month} : YearMonth{};
}

std::string AddDays(std::string_view text, int days) {
  std::optional<Date> date = Parse(text);
  if (!date) return std::string();
  const Date moved = DateOf(DaysOf(*date) + days);
  return moved.year >= 1900 && moved.year <= 9999 ? Text(moved) : std::string();
}

}  // namespace lumvoucher::host
