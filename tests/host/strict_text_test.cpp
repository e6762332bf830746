#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <string>

#include "host/calendar_date.h"
#include "host/cls_base_class.h"
#include "host/decimal_text.h"
#include "host/value.h"

// The voucher tests type the hostile values; these are the edges they do not reach.
namespace lumvoucher::host {
namespace {

TEST(DecimalText, NumbersBeyondADoubleStayFiniteAndGroupingMustBeRight) {
  EXPECT_EQ(ParseDecimal("-9" + std::string(400, '9')), -DBL_MAX);
  EXPECT_EQ(ParseDecimal("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(ParseDecimal("+1,234,567.5"), 1234567.5);
  for (const char* bad : {",100", "1000,000", "1,000.5,0", "1,0000"}) {
    EXPECT_EQ(ParseDecimal(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(ParseWhole("9223372036854775807", 0, INT64_MAX), INT64_MAX);
  EXPECT_EQ(ParseWhole("9223372036854775808", 0, INT64_MAX), std::nullopt);
  // The host utility's lenient reading: the leading decimal number, clamped, never NaN.
  EXPECT_EQ(clsBaseClass::TextToDouble("1,234.5元") + clsBaseClass::TextToDouble("nan"), 1234.5);
  EXPECT_EQ(clsBaseClass::TextToLong("99999999999999999999999"), INT64_MAX);
  EXPECT_EQ(Value(std::string("1e400")).AsLong() + Value(1e300).AsLong(), 1);
}

TEST(CalendarDate, LeapYearsFollowTheGregorianRuleAndDaysAddAcrossThem) {
  for (const char* day : {"2024-02-29", "2000-02-29"}) EXPECT_EQ(CalendarDate(day), day);
  for (const char* bad : {"1900-02-29", "2026-02-29", "1899-12-31", "2026-001-02"}) {
    EXPECT_EQ(CalendarDate(bad), "") << bad;
  }
  EXPECT_EQ(YearMonthOf(" 2026-3-1 ").month, 3);
  // Adding days crosses months, years and leap days and refuses what leaves the range.
  const struct {
    const char* date;
    int days;
    const char* expected;
  } cases[] = {
      // clang-format off
      {"2026-02-28", 1, "2026-03-01"}, {"2028-02-28", 1, "2028-02-29"}, {"2026-12-31", 1, "2027-01-01"},
      {"2026-03-01", -1, "2026-02-28"}, {"2000-03-01", -1, "2000-02-29"}, {"1900-01-01", -1, ""},
      {"9999-12-31", 1, ""}, {"2026-02-30", 1, ""},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AddDays(c.date, c.days), c.expected) << c.date << " " << c.days;
  }
}

}  // namespace
}  // namespace lumvoucher::host
