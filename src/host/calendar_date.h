#pragma once

#include <string>
#include <string_view>

// Dates as the voucher tables keep them: text "yyyy-mm-dd" naming a day of the calendar.
namespace lumvoucher::host {

// "yyyy-mm-dd" for a real date typed as year-month-day: a four-digit year from 1900, a one- or
// two-digit month and day, digits and '-' only (blanks around it ignored). "" for anything
// else: "2026-02-30", "2026-01-32", "1/2/2026", "2026-2-1x".
std::string CalendarDate(std::string_view text);

// The year and month of a date CalendarDate accepts (0 and 0 for any other text).
struct YearMonth {
  int year = 0;
  int month = 0;
};
YearMonth YearMonthOf(std::string_view text);

// The date `days` days after (before, when negative) a date CalendarDate accepts, as
// "yyyy-mm-dd"; "" for any other text or a result before 1900 or after 9999.
std::string AddDays(std::string_view text, int days);

}  // namespace lumvoucher::host
