#include <gtest/gtest.h>

#include "frame/number_insertion.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

class StampingSwitch : public VoucherSaveTest {
 protected:
  void Option(const std::string& section, const std::string& key, const std::string& value) {
    t_.Data().Execute("Delete From Setting Where strSection = '" + section + "' And strKey = '" +
                      key + "'");
    t_.Data().Execute(
        "Insert Into Setting (strSection, strKey, strSetting, lngOrganizationID) Values ('" +
        section + "', '" + key + "', '" + value + "', 1)");
  }
  bool Stamped(long id) {
    return t_.Scalar("Select strUQStamp From Voucher Where lngVoucherID = " + std::to_string(id)) !=
           " ";
  }
};

// "支持企业会计信息化工作规范" alone decides, for a save and for the vouchers a number insertion
// shifts; no other account-set property switches stamping on or off.
TEST_F(StampingSwitch, TheStandardOptionAloneStampsSavedAndShiftedVouchers) {
  struct Case {
    const char* standard;
    const char* other_property;
    bool stamped;
  };
  for (const Case& c : {Case{"1", "False", true}, Case{"0", "True", false}, Case{"1", "True", true},
                        Case{"0", "False", false}}) {
    SCOPED_TRACE(std::string(c.standard) + "/" + c.other_property);
    Option("企业会计信息化", "支持企业会计信息化工作规范", c.standard);
    Option("帐套属性", "凭证唯一性校验", c.other_property);
    EnterOfficeVoucher();
    EXPECT_EQ(S().stamping, c.stamped);
    ASSERT_TRUE(w_.SaveBill());
    EXPECT_EQ(Stamped(S().header.voucher_id), c.stamped);

    t_.Data().Execute("Update Voucher Set strUQStamp = ' ' Where lngVoucherID = 3");
    frame::InsertVoucherNumber(1, 0, 2026, 2, 1, 1);  // 记-000001 (voucher 3) moves to 2
    EXPECT_EQ(Stamped(3), c.stamped);
    t_.Data().Execute(
        "Update Voucher Set intVoucherNO = intVoucherNO - 1 Where lngVoucherTypeID = "
        "1 And lngSourceOrganizationID = 1 And intVoucherNO > 1");
  }
}

}  // namespace
}  // namespace lumvoucher::testing
