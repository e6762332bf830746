#include "frame/frame_messages.h"

#include <gtest/gtest.h>

#include "host/message_box.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

TEST(FrameMessages, ReversalStopsOnlyWhenTheVouchersItemsAreAlreadySettled) {
  testing::TestHost host;
  host.Exec(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount, dblCurrPaymentAmount) "
      "Values (70, 1, 50000, 500)");
  host.Exec(
      "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
      "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Values (70, 71, 500, 2, 9)");
  host.Messages().Expect("被冲销凭证的时间差异处理数据已被核销，请先冲销核销凭证!", host::mb::kOk,
                         "凭证冲销");
  EXPECT_FALSE(ReversalGuard(1));
  EXPECT_TRUE(ReversalGuard(2));
  EXPECT_TRUE(ReversalGuard(5));
}

}  // namespace
}  // namespace lumvoucher::frame
