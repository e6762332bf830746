#include "numbering/numbering_windows.h"

#include "lists/frm_list_voucher.h"
#include "numbering/frm_voucher_continuity.h"
#include "numbering/frm_voucher_renumber.h"
#include "numbering/frm_voucher_volume.h"
#include "numbering/numbering_fixture.h"
#include "numbering/numbering_texts.h"

namespace lumvoucher::testing {
namespace {

namespace texts = numbering::texts;
using numbering::VolumeColumn;

TEST_F(NumberingTest, TheVolumeWindowOpensModallyOnTheLoginPeriod) {
  bool saved = false;
  t_.Modal().Expect(texts::kVolumeWindowName, [&](host::ModalWindow& window) {
    auto& volume = dynamic_cast<numbering::frmVoucherVolume&>(window);
    EXPECT_EQ(volume.State().period, "2026.02");
    EXPECT_EQ(volume.State().periods.size(), 12u);
    EXPECT_TRUE(volume.SetVoucherType(kNoteType));
    EXPECT_TRUE(volume.NewRow());
    EXPECT_TRUE(volume.SetCell(0, VolumeColumn::kEnd, "2"));
    saved = volume.Save();
    return 1;
  });
  EXPECT_TRUE(numbering::MainControlEditVoucherVolume());
  EXPECT_TRUE(saved);
  EXPECT_EQ(Scalar("Select strVolume From Voucher Where lngVoucherID = 3"), "01");
}

TEST_F(NumberingTest, TheListsMenuOpensTheContinuityRunAndReloadsAfterIt) {
  lists::frmListVoucher list;
  ASSERT_TRUE(list.ShowMe());
  t_.Modal().Expect(texts::kContinuityWindowName, [&](host::ModalWindow& window) {
    auto& continuity = dynamic_cast<numbering::frmVoucherContinuity&>(window);
    // Demo vouchers 3 and 6 (记-000001 and 记-000003 of period 2).
    for (int row = 0; row < static_cast<int>(continuity.State().rows.size()); ++row) {
      const long id = continuity.VoucherID(row);
      continuity.SetTicked(row, id == 3 || id == 6);
    }
    t_.Messages().Expect(texts::kContinuityQuestion, host::mb::kYes, texts::kContinuityTitle);
    t_.Messages().Expect(std::string(texts::kContinuityDone) + "000005 - 000006", host::mb::kOk,
                         texts::kContinuityTitle);
    EXPECT_TRUE(continuity.Run());
    return 1;
  });
  EXPECT_TRUE(list.ListEditMenu(38));
  EXPECT_EQ(Scalar("Select intVoucherNO From Voucher Where lngVoucherID = 6"), "6");
  t_.Modal().Expect(texts::kVolumeWindowName, [](host::ModalWindow&) { return 0; });
  EXPECT_FALSE(list.ListEditMenu(25));  // closed without a save
  EXPECT_EQ(t_.Modal().Pending(), 0u);
}

TEST_F(NumberingTest, TheNumberWindowOpensOnThePreselectedType) {
  t_.Modal().Expect(texts::kRenumberWindowName, [](host::ModalWindow& window) {
    auto& numbers = dynamic_cast<numbering::frmVoucherRenumber&>(window);
    EXPECT_EQ(numbers.State().voucher_type_id, kCashType);
    EXPECT_EQ(numbers.State().types.front().code, texts::kAllTypes);
    EXPECT_EQ(numbers.State().period, 2);
    return 0;
  });
  numbering::ShowVoucherRenumber(kCashType);
  EXPECT_EQ(t_.Modal().Pending(), 0u);
}

}  // namespace
}  // namespace lumvoucher::testing
