#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <optional>
#include <string>

#include "host/calendar_date.h"
#include "host/cls_base_class.h"
#include "host/decimal_text.h"
#include "host/value.h"

namespace lumvoucher::host {
namespace {

TEST(DecimalText, TakesPlainDecimalTextOnly) {
  struct Case {
    std::string text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"12.5", 12.5},
      {" -0.25 ", -0.25},
      {"+7", 7},
      {".5", 0.5},
      {"5.", 5},
      {"007", 7},
      {"1,234,567.5", 1234567.5},
      {"12,345", 12345},
      {"0.1234567890123456789", 0.1234567890123456789},
      {"0." + std::string(400, '0') + "1", 0.0},  // below the smallest double
      {"9" + std::string(400, '9'), DBL_MAX},     // beyond the largest: refused by ranges
      {"-9" + std::string(400, '9'), -DBL_MAX},
      {"", std::nullopt},
      {" ", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"1e5", std::nullopt},
      {"1E-2", std::nullopt},
      {"0x1A", std::nullopt},
      {"0x1p3", std::nullopt},
      {"nan", std::nullopt},
      {"NAN(1)", std::nullopt},
      {"inf", std::nullopt},
      {"-Infinity", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1 000", std::nullopt},
      {"1,00", std::nullopt},
      {",100", std::nullopt},
      {"1000,000", std::nullopt},
      {"1,000.5,0", std::nullopt},
      {"１２", std::nullopt},
      {"12\x01", std::nullopt},
      {"¥12", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDecimal(c.text), c.value);
  }
}

TEST(DecimalText, WholeNumbersAreCheckedAgainstTheirRangeWhateverTheirLength) {
  struct Case {
    const char* text;
    std::int64_t low;
    std::int64_t high;
    std::optional<std::int64_t> value;
  };
  const Case cases[] = {
      {"000042", 1, 999999, 42},
      {" -1 ", -1, 1, -1},
      {"9223372036854775807", 0, INT64_MAX, INT64_MAX},
      {"9223372036854775808", 0, INT64_MAX, std::nullopt},
      {"99999999999999999999", 0, 32767, std::nullopt},
      {"1000000", 1, 999999, std::nullopt},
      {"0", 1, 999999, std::nullopt},
      {"5.0", 0, 9, std::nullopt},
      {"1e3", 0, 9999, std::nullopt},
      {"0x10", 0, 99, std::nullopt},
      {"", 0, 9, std::nullopt},
      {"--1", -9, 9, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseWhole(c.text, c.low, c.high), c.value);
  }
}

TEST(DecimalText, TheHostUtilityReadsTheLeadingNumberAndNeverAnythingElse) {
  EXPECT_EQ(LeadingDecimal("1,234.5元"), 1234.5);
  EXPECT_EQ(LeadingDecimal("0x1A"), 0);
  EXPECT_EQ(LeadingDecimal("nan"), 0);
  EXPECT_EQ(LeadingDecimal("1e999"), 1);
  EXPECT_EQ(clsBaseClass::TextToLong("99999999999999999999999"), INT64_MAX);
  EXPECT_EQ(clsBaseClass::TextToLong("-2.5"), -3);
  EXPECT_EQ(Value(std::string("1e400")).AsLong(), 1);
  EXPECT_EQ(Value(1e300).AsLong(), 0);
}

TEST(CalendarDate, OnlyRealDaysOfTheCalendarAreDates) {
  struct Case {
    const char* text;
    const char* date;  // "" = not a date
  };
  const Case cases[] = {
      {"2026-02-15", "2026-02-15"},
      {" 2026-2-5 ", "2026-02-05"},
      {"2024-02-29", "2024-02-29"},
      {"2000-02-29", "2000-02-29"},
      {"2026-12-31", "2026-12-31"},
      {"1900-01-01", "1900-01-01"},
      {"2026-02-29", ""},
      {"1900-02-29", ""},
      {"2026-02-30", ""},
      {"2026-01-32", ""},
      {"2026-04-31", ""},
      {"2026-13-01", ""},
      {"2026-00-10", ""},
      {"2026-01-00", ""},
      {"1899-12-31", ""},
      {"1/2/2026", ""},
      {"2026/01/02", ""},
      {"20260102", ""},
      {"26-01-02", ""},
      {"02026-01-02", ""},
      {"2026-001-02", ""},
      {"2026-+1-02", ""},
      {"2026- 1-02", ""},
      {"2026-01-02x", ""},
      {"2026-01-02 10:00", ""},
      {"", ""},
      {" ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CalendarDate(c.text), c.date);
  }
  EXPECT_EQ(YearMonthOf("2026-3-1").month, 3);
  EXPECT_EQ(YearMonthOf("2026-3-32").year, 0);
}

}  // namespace
}  // namespace lumvoucher::host
