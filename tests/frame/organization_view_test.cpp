#include "frame/organization_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

TEST(OrganizationView, AnOrganisationsCopyReplacesTheSharedRowInBothForms) {
  testing::TestHost host;
  // Organisation 3 keeps its own copy of type 1 (demo); give it a name of its own.
  host.Exec(
      "Update VoucherTypeEx Set strVoucherTypeName = '分院记账凭证' Where lngVoucherTypeID = 1 "
      "And lngOrganizationID = 3");
  auto rows = [&](const std::string& view) {
    return host.Rows("Select t.lngOrganizationID, t.lngVoucherTypeID, t.strVoucherTypeName From " +
                     view + " t Where t.lngVoucherTypeID < 3 Order By 1, 2");
  };
  EXPECT_EQ(rows(OrganizationExtendedView("VoucherType", "VoucherType", 3)),
            "3|1|分院记账凭证\n3|2|收款凭证\n");
  EXPECT_EQ(rows(OrganizationExtendedView("VoucherType", "VoucherType", 1)),
            "1|1|记账凭证\n1|2|收款凭证\n");
  EXPECT_EQ(rows(OrganizationExtendedView("VoucherType", "VoucherType", std::vector<long>{1, 3})),
            "1|1|记账凭证\n1|2|收款凭证\n3|1|分院记账凭证\n3|2|收款凭证\n");
}

}  // namespace
}  // namespace lumvoucher::frame
