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

// The key pads organisation, type and number, so that a stamp differs when any keyed field does.
TEST(UniquenessStamp, DiffersWhenAnyKeyedFieldDiffers) {
  EXPECT_EQ(UQStampKey(1, "2026-02-03", 2, 1), "00000000012026-02-030000000002000001");
  EXPECT_EQ(UQStampKey(4, "2026-02-20 10:11:12", 12, 123456),
            "00000000042026-02-200000000012123456");
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

// Off, nothing is stamped; on, the selected vouchers of both bases are, and a voucher edited
// behind the component's back no longer matches its stamp.
TEST(StampRefresh, StampsTheSelectedVouchersOfBothBasesWhileStampingIsOn) {
  TestHost host;
  const auto stored = [&](const char* table, long id) {
    return host.Scalar(std::string("Select strUQStamp From ") + table +
                       " Where lngVoucherID = " + std::to_string(id));
  };
  EXPECT_EQ(RefreshUQStamps(" v.intYear = 2026"), 0);
  EXPECT_EQ(host.Scalar("Select count(*) From Voucher Where strUQStamp <> ' '"), "0");
  EXPECT_EQ(ReadSettingOf(0, kSectionAccountSet, kStampSecretKey), "");

  WriteSetting("企业会计信息化", "支持企业会计信息化工作规范", "1");
  host.Exec(
      "Insert Into BudgetVoucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (500, 1, 5, '2026-02-25', 2026, "
      "2, 1, 2)");
  EXPECT_EQ(RefreshUQStamps("v.lngVoucherTypeID = 1 And v.lngSourceOrganizationID = 1"), 5);
  EXPECT_TRUE(UQStampMatches(stored("Voucher", 3), 1, "2026-02-10", 1, 1));
  EXPECT_TRUE(UQStampMatches(stored("BudgetVoucher", 500), 1, "2026-02-25", 1, 5));
  EXPECT_EQ(stored("Voucher", 1), " ");  // type 2: not selected

  host.Exec("Update Voucher Set intVoucherNO = 9 Where lngVoucherID = 3");
  EXPECT_FALSE(UQStampMatches(stored("Voucher", 3), 1, "2026-02-10", 1, 9));
}

}  // namespace
}  // namespace lumvoucher::frame
