#include "embedded/dialect/oracle_format.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace lumvoucher::dialect {
namespace {

TEST(FormatNumberTest, Models) {
  struct Case {
    double value;
    const char* model;
    const char* text;
  };
  const Case cases[] = {
      {12, "000000", " 000012"},  {-12, "000000", "-000012"},        {0, "9999", "    0"},
      {0.5, "999.99", "    .50"}, {1234.5, "9,990.00", " 1,234.50"}, {12, "9,990.00", "    12.00"},
      {-0.004, "0.00", " 0.00"},  {999.995, "990.00", "#######"},    {7, "FM0000", "0007"},
      {2.5, "FM9.99", "2.5"},     {123456, "0000##", "#######"},
  };
  for (const Case& c : cases) {
    if (std::string(c.model) == "0000##") {
      EXPECT_THROW(FormatNumber(c.value, c.model), FormatError);
      continue;
    }
    EXPECT_EQ(FormatNumber(c.value, c.model), c.text) << c.value << " " << c.model;
  }
}

TEST(DateTest, ParseAndFormat) {
  EXPECT_EQ(ParseDate("2024-1-5", "rrrr-mm-dd"), "2024-01-05");
  EXPECT_EQ(ParseDate("99-12-31", "rr-mm-dd"), "1999-12-31");
  EXPECT_EQ(ParseDate("2024-02-29 23:59:01", "yyyy-mm-dd hh24:mi:ss"), "2024-02-29 23:59:01");
  EXPECT_THROW(ParseDate("2024-02-30", "yyyy-mm-dd"), FormatError);
  EXPECT_THROW(ParseDate("2024-02-01x", "yyyy-mm-dd"), FormatError);
  EXPECT_EQ(FormatDate("2024-03-07 08:09:10.123", "yyyy-mm-dd hh24:mi:ss:ff3"),
            "2024-03-07 08:09:10:123");
  EXPECT_EQ(FormatDate("2024-03-07", "\"Y\"yyyy\"M\"mm"), "Y2024M03");
  EXPECT_THROW(FormatDate("2024-03-07", "yyyy-mon"), FormatError);
  EXPECT_TRUE(IsDateModel("yyyy-mm-dd"));
  EXPECT_FALSE(IsDateModel("FM990.00"));
}

TEST(NumberTest, TextAsOracleWritesIt) {
  const std::pair<double, const char*> cases[] = {
      {100.0, "100"},
      {0.25, ".25"},
      {-0.5, "-.5"},
      {0.1 + 0.2, ".3"},
      {1e-5, ".00001"},
      {-1234.5, "-1234.5"},
      {1.5e20, "150000000000000000000"},
      {123456789.125, "123456789.125"},
      {1e70, "1E+70"},
      {-2.5e-70, "-2.5E-70"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text) << value;
}

TEST(NumberTest, TextRoundTrunc) {
  EXPECT_DOUBLE_EQ(RoundDecimal(2.675, 2), 2.68);
  EXPECT_DOUBLE_EQ(RoundDecimal(-2.5, 0), -3);
  EXPECT_DOUBLE_EQ(RoundDecimal(1250, -2), 1300);
  EXPECT_DOUBLE_EQ(TruncDecimal(-7.99, 1), -7.9);
  EXPECT_FALSE(ParseNumber("1x").has_value());
  EXPECT_EQ(ParseNumber(" 3.5 ").value(), 3.5);
  EXPECT_EQ(GbkLength("凭证a"), 5u);
  EXPECT_EQ(CharCount("凭证a"), 3u);
}

}  // namespace
}  // namespace lumvoucher::dialect
