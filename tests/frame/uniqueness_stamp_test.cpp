#include "frame/uniqueness_stamp.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "frame/frame_texts.h"
#include "frame/settings.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

TEST(UniquenessStampKey, PadsOrganisationTypeAndNumber) {
  EXPECT_EQ(UQStampKey(1, "2026-02-03", 2, 1), "00000000012026-02-030000000002000001");
  EXPECT_EQ(UQStampKey(4, "2026-02-20 10:11:12", 12, 123456),
            "00000000042026-02-200000000012123456");
}

TEST(UniquenessStamp, DiffersWhenAnyKeyedFieldDiffers) {
  const std::string secret = "s";
  std::set<std::string> stamps = {
      UQStamp(secret, UQStampKey(1, "2026-02-03", 2, 1)),
      UQStamp(secret, UQStampKey(4, "2026-02-03", 2, 1)),   // organisation
      UQStamp(secret, UQStampKey(1, "2026-02-04", 2, 1)),   // date
      UQStamp(secret, UQStampKey(1, "2026-02-03", 3, 1)),   // type
      UQStamp(secret, UQStampKey(1, "2026-02-03", 2, 2)),   // number
      UQStamp(secret, UQStampKey(11, "2026-02-03", 2, 1)),  // padding keeps fields apart
  };
  EXPECT_EQ(stamps.size(), 6u);
}

class StampRefreshTest : public ::testing::Test {
 protected:
  void StampingOn() { WriteSetting("企业会计信息化", "支持企业会计信息化工作规范", "1"); }
  std::string StoredStamp(const char* table, long id) {
    return host_.Scalar(std::string("Select strUQStamp From ") + table +
                        " Where lngVoucherID = " + std::to_string(id));
  }
  TestHost host_;
};

TEST_F(StampRefreshTest, DoesNothingWhileStampingIsOff) {
  EXPECT_EQ(RefreshUQStamps(" v.intYear = 2026"), 0);
  EXPECT_EQ(host_.Scalar("Select count(*) From Voucher Where strUQStamp <> ' '"), "0");
  EXPECT_EQ(ReadSettingOf(0, kSectionAccountSet, kStampSecretKey), "");
}

TEST_F(StampRefreshTest, StampsTheSelectedVouchersOfBothBases) {
  StampingOn();
  host_.Data().Execute(
      "Insert Into BudgetVoucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (500, 1, 5, '2026-02-25', 2026, "
      "2, 1, 2)");
  EXPECT_EQ(RefreshUQStamps("v.lngVoucherTypeID = 1 And v.lngSourceOrganizationID = 1"), 5);
  EXPECT_TRUE(UQStampMatches(StoredStamp("Voucher", 3), 1, "2026-02-10", 1, 1));
  EXPECT_TRUE(UQStampMatches(StoredStamp("BudgetVoucher", 500), 1, "2026-02-25", 1, 5));
  EXPECT_EQ(StoredStamp("Voucher", 1), " ");  // type 2: not selected
}

TEST_F(StampRefreshTest, AVoucherEditedBehindTheComponentsBackNoLongerMatches) {
  StampingOn();
  RefreshUQStamps("v.lngVoucherID = 3");
  host_.Data().Execute("Update Voucher Set intVoucherNO = 9 Where lngVoucherID = 3");
  EXPECT_FALSE(UQStampMatches(StoredStamp("Voucher", 3), 1, "2026-02-10", 1, 9));
  EXPECT_TRUE(UQStampMatches(StoredStamp("Voucher", 3), 1, "2026-02-10", 1, 1));
}

}  // namespace
}  // namespace lumvoucher::frame
