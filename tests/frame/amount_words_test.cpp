#include "frame/amount_words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lumvoucher::frame {
namespace {

TEST(AmountWordsCapsNumber, WholeYuan) {
  EXPECT_EQ(CapsNumber(0), "零元整");
  EXPECT_EQ(CapsNumber(1), "壹元整");
  EXPECT_EQ(CapsNumber(10), "壹拾元整");
  EXPECT_EQ(CapsNumber(15), "壹拾伍元整");
  EXPECT_EQ(CapsNumber(100), "壹佰元整");
  EXPECT_EQ(CapsNumber(10000), "壹万元整");
  EXPECT_EQ(CapsNumber(100000.00), "壹拾万元整");
  EXPECT_EQ(CapsNumber(1000000000), "壹拾亿元整");
  EXPECT_EQ(CapsNumber(123456789), "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元整");
}

TEST(AmountWordsCapsNumber, InnerZerosAreOneZero) {
  EXPECT_EQ(CapsNumber(101), "壹佰零壹元整");
  EXPECT_EQ(CapsNumber(1001), "壹仟零壹元整");
  EXPECT_EQ(CapsNumber(1000100), "壹佰万零壹佰元整");
  EXPECT_EQ(CapsNumber(100001), "壹拾万零壹元整");
  EXPECT_EQ(CapsNumber(100005000), "壹亿零伍仟元整");
  EXPECT_EQ(CapsNumber(101000000), "壹亿零壹佰万元整");
  EXPECT_EQ(CapsNumber(1000000001.01), "壹拾亿零壹元零壹分");
}

TEST(AmountWordsCapsNumber, ZerosEndingTheGroupAboveGoUnwrittenBeforeThousands) {
  EXPECT_EQ(CapsNumber(105000), "壹拾万伍仟元整");
  EXPECT_EQ(CapsNumber(10005000), "壹仟万伍仟元整");
  EXPECT_EQ(CapsNumber(150000000), "壹亿伍仟万元整");
}

TEST(AmountWordsCapsNumber, JiaoAndFen) {
  EXPECT_EQ(CapsNumber(0.05), "伍分");
  EXPECT_EQ(CapsNumber(0.5), "伍角整");
  EXPECT_EQ(CapsNumber(0.25), "贰角伍分");
  EXPECT_EQ(CapsNumber(100.5), "壹佰元伍角整");
  EXPECT_EQ(CapsNumber(100.05), "壹佰元零伍分");
  EXPECT_EQ(CapsNumber(1.05), "壹元零伍分");
  EXPECT_EQ(CapsNumber(1680.32), "壹仟陆佰捌拾元叁角贰分");
  EXPECT_EQ(CapsNumber(107000.53), "壹拾万柒仟元伍角叁分");
}

TEST(AmountWordsCapsNumber, RoundsHalfAwayFromZeroAtCents) {
  EXPECT_EQ(CapsNumber(0.285), "贰角玖分");  // the double lies just below 0.285
  EXPECT_EQ(CapsNumber(1.005), "壹元零壹分");
  EXPECT_EQ(CapsNumber(0.1 + 0.2), "叁角整");
  EXPECT_EQ(CapsNumber(0.004), "零元整");
  EXPECT_EQ(CapsNumber(0.005), "壹分");
  EXPECT_EQ(CapsNumber(9.995), "壹拾元整");
  EXPECT_EQ(CapsNumber(-2.675), "负贰元陆角捌分");
}

TEST(AmountWordsCapsNumber, NegativeAmounts) {
  EXPECT_EQ(CapsNumber(-10), "负壹拾元整");
  EXPECT_EQ(CapsNumber(-0.05), "负伍分");
  EXPECT_EQ(CapsNumber(-1000000001.01), "负壹拾亿零壹元零壹分");
  EXPECT_EQ(CapsNumber(-0.001), "零元整");
  EXPECT_EQ(CapsNumber(-0.0), "零元整");
}

TEST(AmountWordsCapsNumber, OutOfRangeIsEmpty) {
  EXPECT_EQ(CapsNumber(9999999999999998.0), "");  // rounds to 10^16
  EXPECT_EQ(CapsNumber(1e16), "");
  EXPECT_EQ(CapsNumber(-1e20), "");
  EXPECT_EQ(CapsNumber(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(CapsNumber(std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(CapsNumber(999999999999999.0),
            "玖佰玖拾玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元整");
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
