#include "frame/grid_widths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

std::string Dump(const std::vector<GridColumnWidth>& widths) {
  std::string dump;
  for (const GridColumnWidth& w : widths) {
    dump += (dump.empty() ? "" : " ") + std::to_string(w.width) + (w.hidden ? "(hidden)" : "");
  }
  return dump;
}

TEST(GridWidths, AreKeptAsCaretTextPerWindowAndGridAndReadBackSkippingWhatIsNotAWidth) {
  testing::TestHost host;
  EXPECT_EQ(Dump(ParseGridWidths("1200^^abc^$^-5^45")), "1200 45");
  EXPECT_EQ(Dump(ReadGridWidths("frmVoucher", "grdVoucher")), "");
  SaveGridWidths("frmVoucher", "grdVoucher", {{1200, false}, {800, true}, {300, false}});
  SaveGridWidths("frmListVoucher", "grdList", {{500, false}});
  EXPECT_EQ(Dump(ReadGridWidths("frmVoucher", "grdVoucher")), "1200 800(hidden) 300");
  EXPECT_EQ(host.Scalar("Select strSetting From Setting Where strSection = '总账' And strKey = "
                        "'GridWidth_frmVoucher_grdVoucher' And lngOrganizationID = 1"),
            "1200^$800^300");
  SaveGridWidths("frmVoucher", "grdVoucher", {{900, false}});
  EXPECT_EQ(Dump(ReadGridWidths("frmVoucher", "grdVoucher")), "900");
  EXPECT_EQ(Dump(ReadGridWidths("frmListVoucher", "grdList")), "500");
}

}  // namespace
}  // namespace lumvoucher::frame
