#include "frame/window_registry.h"
#include "host/message_box.h"
#include "list_fixture.h"
#include "lists/list_work_tables.h"

namespace lumvoucher::testing {

namespace {

class ErrorListTest : public ListTest {
 protected:
  void SetUp() override {
    StoreVoucher(40, 1, 1, 10, "2026-02-21", 2, ", blnIsError", ", 1");  // 李明's
    StoreVoucher(41, 1, 1, 11, "2026-02-21", 6, ", blnIsError", ", 1");  // 陈静's
    StoreVoucher(42, 1, 1, 12, "2026-02-22", 2, ", blnIsError, blnIsVoid", ", 1, 1");
    ASSERT_TRUE(list_.ShowMe());
  }
  lists::frmListErrVoucher list_;
};

TEST_F(ErrorListTest, ListsTheOperatorsOwnErrorVouchersThatAreNotVoid) {
  EXPECT_EQ(list_.State().title, "错误记账凭证列表");
  EXPECT_EQ(Vouchers(list_), "7 40");
  EXPECT_EQ(Rows(list_, {"凭证字号", "科目编码", "错误原因"}),
            "记 000004|6602-04|错误凭证（导入）\n记 000004|2202|错误凭证（导入）\n"
            "记 000010|6602-01|\n记 000010|1001|");
  // Show all cannot bring the void one back: the fixed condition excludes it.
  ASSERT_TRUE(list_.mclsMainControl_EditShowAll());
  EXPECT_EQ(Vouchers(list_), "7 40");
  // Tie-breakers without the basis.
  EXPECT_NE(list_.LastQuery().find(" Asc,Voucher.lngVoucherID,VoucherDetail.lngRowID"),
            std::string::npos);
  EXPECT_EQ(list_.LastQuery().find("lngVoucherBaseID,Voucher.lngVoucherID"), std::string::npos);
  // Stamping does not hide unstamped error vouchers; a corrected one leaves at the next refresh.
  Set("企业会计信息化", "支持企业会计信息化工作规范", "1");
  ASSERT_TRUE(list_.ToolRefresh());
  EXPECT_EQ(Vouchers(list_), "7 40");
  Exec("Update Voucher Set blnIsError = 0, strError = ' ' Where lngVoucherID = 7");
  ASSERT_TRUE(list_.ToolRefresh());
  EXPECT_EQ(Vouchers(list_), "40");
}

TEST_F(ErrorListTest, RightsUseTheErrorListsOwnWorkTables) {
  Set("权限控制", "统计", "True");
  ASSERT_TRUE(list_.ToolRefresh());
  EXPECT_EQ(Vouchers(list_), "40");  // 7 has a class-1 item 李明 may not use
  EXPECT_EQ(list_.WorkKey(), 2);
  EXPECT_EQ(t_.Scalar("Select Count(1) From VoucherDetailNumTempS Where lngOperatorID = 2"), "2");
  EXPECT_EQ(t_.Scalar("Select lngDetailNum From VoucherDetailRightNumTempS Where lngVoucherID = 7"),
            "1");
  EXPECT_EQ(t_.Scalar("Select Count(1) From user_all_tables Where table_name = "
                      "'VOUCHERLISTRIGHTTMP'"),
            "0");
  list_.FormUnload();
  EXPECT_EQ(t_.Scalar("Select Count(1) From VoucherDetailRightNumTempS"), "0");
  lists::EnsureErrorListTables();  // a second time leaves them as they are
  EXPECT_EQ(t_.Scalar("Select Count(1) From user_all_tables Where table_name Like "
                      "'VOUCHERDETAIL%NUMTEMPS'"),
            "2");
}

}  // namespace

}  // namespace lumvoucher::testing
