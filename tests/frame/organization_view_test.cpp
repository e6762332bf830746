#include "frame/organization_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

class OrganizationViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Organisation 3 keeps its own copy of type 1 (demo); give it a name of its own.
    host_.Data().Execute(
        "Update VoucherTypeEx Set strVoucherTypeName = '分院记账凭证' Where lngVoucherTypeID = 1 "
        "And lngOrganizationID = 3");
  }
  std::string Rows(const std::string& view) {
    host::Recordset rs = host_.Data().OpenRecordset(
        "Select t.lngOrganizationID, t.lngVoucherTypeID, t.strVoucherTypeName From " + view +
        " t Order By t.lngOrganizationID, t.lngVoucherTypeID");
    std::string dump;
    for (; !rs.Eof(); rs.MoveNext()) {
      if (!dump.empty()) dump += "|";
      dump += rs[std::size_t{0}].AsText() + ":" + rs[1].AsText() + " " + rs[2].AsText();
    }
    return dump;
  }
  TestHost host_;
};

TEST_F(OrganizationViewTest, TextOfTheSingleOrganisationForm) {
  EXPECT_EQ(OrganizationExtendedView("Account", "Account", 3),
            "(Select fm.*,3 As lngOrganizationID From Account fm Where Not Exists (Select 1 From "
            "AccountEx ex Where ex.lngAccountID = fm.lngAccountID And ex.lngOrganizationID = 3) "
            "Union Select * From AccountEx ex Where ex.lngOrganizationID = 3)");
}

TEST_F(OrganizationViewTest, AnOrganisationsCopyReplacesTheSharedRow) {
  EXPECT_EQ(Rows(OrganizationExtendedView("VoucherType", "VoucherType", 3)),
            "3:1 分院记账凭证|3:2 收款凭证|3:3 付款凭证|3:4 转账凭证|3:5 调整凭证");
  EXPECT_EQ(Rows(OrganizationExtendedView("VoucherType", "VoucherType", 1)),
            "1:1 记账凭证|1:2 收款凭证|1:3 付款凭证|1:4 转账凭证|1:5 调整凭证");
}

TEST_F(OrganizationViewTest, TheListFormGivesEachOrganisationItsOwnRows) {
  const std::vector<long> organizations = {1, 3};
  EXPECT_EQ(Rows(OrganizationExtendedView("VoucherType", "VoucherType", organizations)),
            "1:1 记账凭证|1:2 收款凭证|1:3 付款凭证|1:4 转账凭证|1:5 调整凭证|"
            "3:1 分院记账凭证|3:2 收款凭证|3:3 付款凭证|3:4 转账凭证|3:5 调整凭证");
}

}  // namespace
}  // namespace lumvoucher::frame
