#include <gtest/gtest.h>

#include "numbering/voucher_moves.h"

namespace lumvoucher::testing {
namespace {

TEST(FormerNumbers, AppendTrimmedAndCutToTheColumn) {
  EXPECT_EQ(numbering::AppendFormerNumber(" ", 4, 4), "0004");
  EXPECT_EQ(numbering::AppendFormerNumber("0004 ", 3, 4), "0004 0003");
  EXPECT_EQ(numbering::AppendFormerNumber("000004", 12, 6), "000004 000012");
  const std::string full(numbering::kFormerNumbersWidth - 2, '1');
  EXPECT_EQ(numbering::AppendFormerNumber(full, 7, 4), full + " 0");
}

}  // namespace
}  // namespace lumvoucher::testing
