#include "frame/frame_messages.h"

#include <gtest/gtest.h>

#include "frame/frame_texts.h"
#include "host/message_box.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

TEST(FrameMessages, ConnectionFailureIsReportedWithTheInformationTitle) {
  TestHost host;
  host.Messages().Expect("数据库连接异常！", host::mb::kOk, "提示信息");
  ReportConnectionFailure();
  ASSERT_EQ(host.Messages().Shown().size(), 1u);
  EXPECT_EQ(host.Messages().Shown()[0].flags & host::mb::kButtonMask, host::mb::kOkOnly);
}

TEST(FrameMessages, ReversalGoesOnWhenNothingOfTheVoucherIsSettled) {
  TestHost host;
  EXPECT_TRUE(ReversalGuard(1));
  EXPECT_TRUE(host.Messages().Shown().empty());
}

TEST(FrameMessages, ReversalStopsWhenTheVouchersItemsAreAlreadySettled) {
  TestHost host;
  host.Data().Execute(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount, dblCurrPaymentAmount) "
      "Values (70, 1, 50000, 500)");
  host.Data().Execute(
      "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
      "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Values (70, 71, 500, 2, 9)");
  host.Messages().Expect("被冲销凭证的时间差异处理数据已被核销，请先冲销核销凭证!", host::mb::kOk,
                         "凭证冲销");
  EXPECT_FALSE(ReversalGuard(1));
  EXPECT_TRUE(ReversalGuard(2));
}

}  // namespace
}  // namespace lumvoucher::frame
