#include "frame/window_registry.h"
#include "host/message_box.h"
#include "list_fixture.h"
#include "lists/list_texts.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::testing {

namespace {

using lists::ListAction;

// Default demo list: period 2 of organisation 01 and its sub-organisations, void voucher 6 left
// out, error voucher 7 listed, one row per line, date ascending.
TEST_F(VoucherListTest, ListsThePeriodsVouchersOneRowPerLineInDateOrder) {
  EXPECT_EQ(list_.State().title, "记账凭证列表");
  EXPECT_EQ(Vouchers(list_), "1 2 3 4 5 9 7 8");
  EXPECT_EQ(Rows(list_, {"日期", "凭证字号", "科目编码", "借方金额", "贷方金额", "制单人", "作废"}),
            "2026-02-03|收 000001|1002-01|50000.00||李明|\n"
            "2026-02-03|收 000001|1122||50000.00|李明|\n"
            "2026-02-05|付 000001|1001|5000.00||李明|\n"
            "2026-02-05|付 000001|1002-01||5000.00|李明|\n"
            "2026-02-10|记 000001|6602-02|3200.00||李明|\n"
            "2026-02-10|记 000001|1221||3200.00|李明|\n"
            "2026-02-12|记 000002|1403|35000.00||陈静|\n"
            "2026-02-12|记 000002|2221-01|4550.00||陈静|\n"
            "2026-02-12|记 000002|2202||39550.00|陈静|\n"
            "2026-02-15|收 000002|1002-02|71000.00||李明|\n"
            "2026-02-15|收 000002|1122||71000.00|李明|\n"
            "2026-02-20|记 000001|1001|12800.00||李明|\n"
            "2026-02-20|记 000001|6001||12800.00|李明|\n"
            "2026-02-20|记 000004|6602-04|12000.00||李明|\n"
            "2026-02-20|记 000004|2202||12000.00|李明|\n"
            "2026-02-28|转 000001|6602-03|80000.00||李明|\n"
            "2026-02-28|转 000001|6602-03|60000.00||李明|\n"
            "2026-02-28|转 000001|2211-01||140000.00|李明|");
  list_.SelectRow(1);
  EXPECT_EQ(list_.CellText(1, list_.ColumnIndex("审核人")) +
                list_.CellText(1, list_.ColumnIndex("出纳")) +
                list_.CellText(1, list_.ColumnIndex("记账人")) +
                list_.CellText(1, list_.ColumnIndex("单位")),
            "王芳赵敏刘强华东医药有限公司");
  EXPECT_EQ(Headers(list_),
            "日期↑ 凭证字号 摘要 科目编码 科目名称 借方金额 贷方金额 单位 部门 职员 制单人 审核人 "
            "记账人 出纳 凭证册号 凭证来源 冲销关联凭证 作废");
}

TEST_F(VoucherListTest, VoidVouchersOnlyWithShowAllTicked) {
  ASSERT_TRUE(list_.mclsMainControl_EditShowAll());
  EXPECT_EQ(Vouchers(list_), "1 2 3 4 5 6 9 7 8");
  EXPECT_EQ(list_.CellText(RowOf(list_, 6), list_.ColumnIndex("作废")), "√");
  EXPECT_TRUE(list_.State().menu[14].checked);
  ASSERT_TRUE(list_.ListEditMenu(14));
  EXPECT_EQ(Vouchers(list_), "1 2 3 4 5 9 7 8");
  EXPECT_FALSE(list_.State().menu[14].checked);
}

TEST_F(VoucherListTest, StampingListsOnlyStampedVouchers) {
  Set("企业会计信息化", "支持企业会计信息化工作规范", "1");
  Exec("Update Voucher Set strUQStamp = 'A1' Where lngVoucherID In (2, 8)");
  ASSERT_TRUE(list_.ToolRefresh());
  EXPECT_EQ(Vouchers(list_), "2 8");
}

class OrganizationScopeTest : public ListTest {
 protected:
  OrganizationScopeTest() : ListTest({3, 2, "2026-02-15"}) {}
};

// 01-02 lists its own vouchers and those of 01-02-05, not those of 01, of its sibling 01-01
// or of 01-020, whose code merely begins like it.
TEST_F(OrganizationScopeTest, SubOrganisationsAreThoseWhoseCodeContinuesWithADash) {
  Exec(
      "Insert Into Organization (lngOrganizationID, strOrganizationCode, strOrganizationName) "
      "Values (10, '01-020', '东城二院')");
  StoreVoucher(40, 3, 1, 1, "2026-02-11", 2);
  StoreVoucher(41, 2, 1, 1, "2026-02-11", 2);
  StoreVoucher(42, 10, 1, 1, "2026-02-11", 2);
  lists::frmListVoucher list;
  ASSERT_TRUE(list.ShowMe());
  EXPECT_EQ(Vouchers(list), "40 9");
}

TEST_F(VoucherListTest, MakerRestrictionOwnOrGroup) {
  Set("凭证权限控制", "凭证列表", "2");
  ASSERT_TRUE(list_.ToolRefresh());
  EXPECT_EQ(Vouchers(list_), "1 2 3 5 9 7 8");  // 4 is 陈静's
  EXPECT_NE(list_.LastQuery().find(" And Voucher.lngOperatorID=2"), std::string::npos);

  // Group scope: 陈静 moves to another group, the rest of 财务组 stays visible.
  Exec("Update Operator Set lngOperatorGroupID = 2 Where lngOperatorID = 6");
  StoreVoucher(40, 1, 1, 9, "2026-02-11", 3);
  Set("凭证权限控制", "凭证列表", "1");
  ASSERT_TRUE(list_.ToolRefresh());
  EXPECT_EQ(Vouchers(list_), "1 2 3 40 5 9 7 8");
  EXPECT_NE(list_.LastQuery().find(" And Voucher.lngOperatorID IN (1,2,3,4,5)"), std::string::npos);

  for (const char* off : {"0", "-1", ""}) {
    Set("凭证权限控制", "凭证列表", off);
    ASSERT_TRUE(list_.ToolRefresh());
    EXPECT_EQ(Vouchers(list_), "1 2 3 40 4 5 9 7 8") << off;
  }
}

TEST_F(VoucherListTest, FilterDialogGivesConditionAndDateRange) {
  embedded::EmbeddedFilter& filter = t_.Host().Filter();
  filter.SetAnswer({"Account.strAccountCode Like '1002%'", "2026-02-01", "2026-02-10"});
  ASSERT_TRUE(list_.mclsMainControl_EditFilter());
  EXPECT_EQ(filter.LastListId(), 1);
  EXPECT_EQ(filter.LastTitle(), "记账凭证列表");
  EXPECT_EQ(filter.LastShown().date_from, "2026-02-01");  // the period the list opened on
  EXPECT_EQ(filter.LastShown().date_to, "2026-02-28");
  EXPECT_EQ(Rows(list_, {"凭证字号", "科目编码"}), "收 000001|1002-01\n付 000001|1002-01");

  // A range without dates keeps the list's; cancelling changes nothing.
  filter.SetAnswer({"", "", ""});
  ASSERT_TRUE(list_.ListEditMenu(27));
  EXPECT_EQ(Vouchers(list_), "1 2 3");
  filter.SetHandler(nullptr);
  EXPECT_FALSE(list_.mclsMainControl_EditFilter());
  EXPECT_EQ(list_.State().filter.date_to, "2026-02-10");
}

TEST_F(VoucherListTest, QuickFindTurnsWildcardsIntoLikeAndQuotesTheValue) {
  Exec("Update VoucherDetail Set strRemark = 'O''Neil 报销' Where lngVoucherDetailID = 7");
  const int remark = list_.ColumnIndex("摘要");
  ASSERT_TRUE(list_.QuickFind(remark, "O'Neil*"));
  EXPECT_EQ(Rows(list_, {"凭证字号", "摘要"}), "记 000002|O'Neil 报销");
  EXPECT_NE(list_.LastQuery().find(" And VoucherDetail.strRemark Like 'O''Neil%'"),
            std::string::npos);

  ASSERT_TRUE(list_.QuickFind(remark, "*美?国际*"));
  EXPECT_EQ(Vouchers(list_), "5");
  ASSERT_TRUE(list_.QuickFind(remark, "美?国际"));  // no wildcard at the ends: whole text
  EXPECT_EQ(Vouchers(list_), "");
  // A typed quote cannot end the literal.
  ASSERT_TRUE(list_.QuickFind(remark, "x' Or '1'='1"));
  EXPECT_EQ(Vouchers(list_), "");
  // Only columns offered for quick find; an empty value clears it.
  EXPECT_FALSE(list_.QuickFind(list_.ColumnIndex("借方金额"), "1"));
  ASSERT_TRUE(list_.QuickFind(remark, ""));
  EXPECT_EQ(Vouchers(list_), "1 2 3 4 5 9 7 8");
}

// Sorting: every order with its ties. Vouchers 4 and 44 share date and number (organisations
// 1 and 4); 3 and 9 share the number 记 000001 on different dates.
class SortTest : public VoucherListTest {
 protected:
  void SetUp() override {
    StoreVoucher(44, 4, 1, 2, "2026-02-12", 2);
    Exec("Update Voucher Set strVolume = '0001' Where lngVoucherID In (1, 8)");
    VoucherListTest::SetUp();
  }
  static std::string SortHeaders(const lists::VoucherList& list) {
    std::string out;
    for (const lists::ListColumn& column : list.State().columns) {
      if (column.sortable) out += (out.empty() ? "" : " ") + column.header;
    }
    return out;
  }
  std::string SortBy(const char* caption) {
    EXPECT_TRUE(list_.SortByColumn(list_.ColumnIndex(caption)));
    return Vouchers(list_);
  }
};

TEST_F(SortTest, EveryOrderTurnsWithItsTies) {
  EXPECT_EQ(Vouchers(list_), "1 2 3 4 44 5 9 7 8");
  EXPECT_EQ(SortBy("日期"), "8 7 9 5 4 44 3 2 1");
  EXPECT_EQ(SortHeaders(list_), "日期↓ 凭证字号 凭证册号");
  EXPECT_EQ(SortBy("日期"), "1 2 3 4 44 5 9 7 8");
  // The lines of a voucher stay in row order either way.
  EXPECT_EQ(list_.CellText(0, list_.ColumnIndex("科目编码")) + " " +
                list_.CellText(1, list_.ColumnIndex("科目编码")),
            "1002-01 1122");
  // Number descending keeps equal numbers in date order.
  EXPECT_EQ(SortBy("凭证字号"), "2 1 5 3 9 4 44 7 8");
  EXPECT_EQ(SortHeaders(list_), "日期 凭证字号↑ 凭证册号");
  EXPECT_EQ(SortBy("凭证字号"), "8 7 4 44 3 9 5 1 2");
  EXPECT_EQ(SortHeaders(list_), "日期 凭证字号↓ 凭证册号");
  EXPECT_NE(list_.LastQuery().find(
                " ORDER BY VOUCHERTYPE.STRVOUCHERTYPECODE  ||  ' '  ||  "
                "LPAD(VOUCHER.INTVOUCHERNO,6,'0') Desc ,To_Date(Voucher.strDate,'YYYY-MM-DD')  Asc"
                ",Voucher.lngVoucherBaseID,Voucher.lngVoucherID,VoucherDetail.lngRowID"),
            std::string::npos);
  // The volume stays ascending while date and number turn.
  EXPECT_EQ(SortBy("日期"), "1 2 3 4 44 5 9 7 8");
  EXPECT_EQ(SortBy("凭证册号"), "2 3 4 44 5 9 7 1 8");
  EXPECT_EQ(SortBy("凭证册号"), "7 9 5 4 44 3 2 8 1");
  // Another column than the sort column starts ascending; other headers do not sort.
  EXPECT_EQ(SortBy("日期"), "1 2 3 4 44 5 9 7 8");
  EXPECT_FALSE(list_.SortByColumn(list_.ColumnIndex("摘要")));
}

// The column names the reversed or reversing voucher; one made from transfer 2 (source 16)
// names none. However many vouchers name voucher 1 as their source, it keeps one row per line
// and the column names its live reversal.
TEST_F(VoucherListTest, SourceVoucherTextNamesTheReversedOrReversingVoucher) {
  StoreVoucher(40, 1, 1, 5, "2026-02-25", 2, ", lngVoucherSourceID, lngSourceVoucherID", ", 2, 1");
  StoreVoucher(41, 1, 1, 6, "2026-02-26", 2, ", lngVoucherSourceID, lngSourceVoucherID", ", 16, 2");
  ASSERT_TRUE(list_.ToolRefresh());
  const int text = list_.ColumnIndex("冲销关联凭证");
  EXPECT_EQ(list_.CellText(RowOf(list_, 40), text), "2026年度02期间 收字 000001号凭证");
  EXPECT_EQ(list_.CellText(RowOf(list_, 1), text), "2026年度02期间 记字 000005号凭证");
  EXPECT_EQ(list_.CellText(RowOf(list_, 41), text), "");
  EXPECT_EQ(list_.CellText(RowOf(list_, 2), text), "");
  EXPECT_EQ(list_.CellText(RowOf(list_, 3), text), "");
  EXPECT_EQ(Vouchers(list_), "1 2 3 4 5 9 7 40 41 8");  // one row per line still

  StoreVoucher(42, 1, 1, 7, "2026-02-26", 2, ", lngVoucherSourceID, lngSourceVoucherID", ", 2, 1");
  for (const char* voided : {"1", "0"}) {
    Exec(std::string("Update Voucher Set blnIsVoid = ") + voided + " Where lngVoucherID = 40");
    ASSERT_TRUE(list_.ToolRefresh());
    const int id = list_.ColumnIndex("id");
    std::string of_one;
    for (int row = 0; row < static_cast<int>(list_.State().rows.size()); ++row) {
      if (list_.CellText(row, id) == "1") of_one += list_.CellText(row, text) + "|";
    }
    EXPECT_EQ(of_one, "2026年度02期间 记字 000007号凭证|2026年度02期间 记字 000007号凭证|")
        << voided;
  }
}

TEST_F(VoucherListTest, NewVoucherIsRefusedInAClosedPeriod) {
  ASSERT_TRUE(list_.mclsMainControl_EditNew());
  EXPECT_TRUE(frame::WindowRegistry::Get<voucher::frmVoucher>().State().open);

  Exec("Update AccountPeriod Set blnIsClosed = 1 Where lngOrganizationID = 1 And bytPeriod = 2");
  t_.Messages().Expect("当前会计期间已经结账，不能再增加凭证！", host::mb::kOk, "提示信息");
  EXPECT_FALSE(list_.mclsMainControl_EditNew());
}

TEST_F(ListTest, BatchReviewIsDisabledWhenTheSettingForbidsIt) {
  Set("单据号", "禁止成批复核凭证", "1");
  lists::frmListVoucher list;
  ASSERT_TRUE(list.ShowMe());
  EXPECT_FALSE(list.State().menu[19].enabled);
  EXPECT_TRUE(list.State().menu[20].enabled);
  EXPECT_FALSE(list.ListEditMenu(19));
}

}  // namespace

}  // namespace lumvoucher::testing
