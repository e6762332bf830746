#include "frame/amount_words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lumvoucher::frame {
namespace {

// Whole yuan, inner zeros written once, zeros ending the group above unwritten before
// thousands, jiao and fen, rounding half away from zero at cents, signs, and the range.
TEST(AmountWordsCapsNumber, WritesTheAmountInCapitalNumerals) {
  const struct {
    double amount;
    const char* words;
  } cases[] = {
      // clang-format off
      {0, "零元整"}, {1, "壹元整"}, {10, "壹拾元整"}, {15, "壹拾伍元整"}, {100, "壹佰元整"}, {10000, "壹万元整"},
      {100000.00, "壹拾万元整"}, {1000000000, "壹拾亿元整"}, {123456789, "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元整"},
      {101, "壹佰零壹元整"}, {1001, "壹仟零壹元整"}, {1000100, "壹佰万零壹佰元整"}, {100001, "壹拾万零壹元整"},
      {100005000, "壹亿零伍仟元整"}, {101000000, "壹亿零壹佰万元整"}, {1000000001.01, "壹拾亿零壹元零壹分"},
      {105000, "壹拾万伍仟元整"}, {10005000, "壹仟万伍仟元整"}, {150000000, "壹亿伍仟万元整"}, {0.05, "伍分"},
      {0.5, "伍角整"}, {0.25, "贰角伍分"}, {100.5, "壹佰元伍角整"}, {100.05, "壹佰元零伍分"}, {1.05, "壹元零伍分"},
      {1680.32, "壹仟陆佰捌拾元叁角贰分"}, {107000.53, "壹拾万柒仟元伍角叁分"},
      {0.285, "贰角玖分"},  // the double lies just below 0.285
      {1.005, "壹元零壹分"}, {0.1 + 0.2, "叁角整"}, {0.004, "零元整"}, {0.005, "壹分"}, {9.995, "壹拾元整"},
      {-2.675, "负贰元陆角捌分"}, {-10, "负壹拾元整"}, {-0.05, "负伍分"}, {-1000000001.01, "负壹拾亿零壹元零壹分"},
      {-0.001, "零元整"}, {-0.0, "零元整"},
      {9999999999999998.0, ""},  // rounds to 10^16
      {1e16, ""}, {-1e20, ""}, {std::numeric_limits<double>::quiet_NaN(), ""},
      {std::numeric_limits<double>::infinity(), ""},
      {999999999999999.0, "玖佰玖拾玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元整"},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(CapsNumber(c.amount), c.words) << c.amount;
}

TEST(AmountWordsSayCash, UsesOrdinaryNumeralsInTheSameWording) {
  EXPECT_EQ(SayCash(0), "零元整");
  EXPECT_EQ(SayCash(10), "一十元整");
  EXPECT_EQ(SayCash(100.5), "一百元五角整");
  EXPECT_EQ(SayCash(1000000001.01), "一十亿零一元零一分");
  EXPECT_EQ(SayCash(105000), "一十万五千元整");
  EXPECT_EQ(SayCash(-3), "负三元整");
  EXPECT_EQ(SayCash(0.285), "二角九分");
}

}  // namespace
}  // namespace lumvoucher::frame
