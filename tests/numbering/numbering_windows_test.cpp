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
