#include "links/frm_business_data.h"

#include "frame/login_state.h"
#include "links/links_fixture.h"

namespace lumvoucher::testing {
namespace {

using links::frmBusinessData;

// The grid as "id/kind|cell|cell" lines under a line of captions.
std::string Grid(const frmBusinessData& w) {
  std::string out;
  for (const std::string& c : w.State().columns) out += c + "|";
  out += "\n";
  for (const links::BusinessDocument& row : w.State().rows) {
    out += row.id + "/" + std::to_string(row.kind);
    for (const std::string& cell : row.cells) out += "|" + cell;
    out += "\n";
  }
  return out;
}

// A multi-base deployment in which the login organisation ("01") has the id 77.
class MultiBase : public host::MultiBaseData {
 public:
  std::string ObjectName() const override { return "MultiBase"; }
  bool IsMultiBase() override { return true; }
  long OrganizationIdByCode(std::string_view code) override { return code == "01" ? 77 : 0; }
};

class BusinessDataTest : public LinksTest {
 protected:
  void SetUp() override { LoadSourceDocuments(t_.Host().Database()); }
  void TearDown() override { frame::Login().multi_base_data = nullptr; }
};

// The demo's generated vouchers of January, one per family of documents.
TEST_F(BusinessDataTest, EachSourceFamilyListsItsDocuments) {
  struct Case {
    long voucher;
    std::string grid;
  };
  const std::string inventory =
      "日期|单据类型|单据号|物品|币种|汇率|原币不含税金额|本币不含税金额|原币税额|本币税额|\n";
  const std::string assets = "日期|单据类型|资产编码|资产名称|变动类型|原值变动|";
  const Case cases[] = {
      // Sales cost: the delivery linked directly, the one linked through two invoices once, and
      // not the type-31 document.
      {4101,
       inventory +
           "4103/2|2026-01-20|销售出库单|XS0007|YP001 医用酒精 500ml|人民币|1.000000|5,000.00|"
           "5,000.00||\n"
           "4104/2|2026-01-22|销售出库单|XS0008|HC001 医用口罩 独立包装|人民币|1.000000|3,600.00|"
           "3,600.00||\n"},
      {4102,
       inventory +
           "4101/1|2026-01-08|采购入库单|CG0012|YP001 医用酒精 500ml|人民币|1.000000|12,000.00|"
           "12,000.00|1,560.00|1,560.00\n"
           "4102/1|2026-01-08|采购入库单退货|CG0013|YP002 一次性注射器 5ml|人民币|1.000000|"
           "-800.00|-800.00|-104.00|-104.00\n"},
      {4103,
       "日期|单据类型|单据号|币种|汇率|原币金额|本币金额|\n"
       "4101/5|2026-01-10|收款单|SK0003|人民币|1.000000|20,000.00|20,000.00\n"},
      {4104, assets + "累计折旧变动|\n" +
                 "4102/100|2026-01-11|固定资产|GZ-0057|旧X光机|减少|-45,000.00|41,000.00\n"
                 "4101/100|2026-01-12|固定资产|GZ-0101|CT机|增加|180,000.00|\n"},
      {4105,
       "日期|单据号|资产编码|资产名称|费用类型|起止日期|金额|\n"
       "4101/101|2026-01-15|WX0001|GZ-0033|救护车|大修理费|2026-01-05至2026-01-14|6,500.00\n"},
      {4106,
       "日期|单据类型|单据号|币种|汇率|金额|\n"
       "4101/0|2026-01-31|HIS收入单|MZ202601|人民币|1.0000|38,000.00\n"
       "4101/0|2026-01-31|预交单|YJ202601|人民币|1.0000|5,000.00\n"},
      {4107,
       "日期|中心机构|借款机构|单据号|借款金额|中心审核人|机构审核人|\n"
       "4101/27|2026-01-18|星河医疗集团|东城分院|JK0001|100,000.00|王芳|\n"},
      {4108,
       "日期|中心机构|付款方机构|收款方机构|单据号|金额|中心审核人|付款方机构审核人|"
       "收款方机构审核人|\n"
       "4101/29|2026-01-20|星河医疗集团|东城分院|集团本部|HB0001|30,000.00|王芳|赵敏|\n"},
      {4109,
       "日期|单据号|摘要|科目|借方金额|贷方金额|发送机构|接收机构|\n"
       "4101/38|2026-01-22|0012|内部往来结算|3001 清算资金往来|5,000.00||集团本部|\n"
       "4101/38|2026-01-22|0012|内部往来结算|3001 清算资金往来||5,000.00||东城分院\n"},
      {4110, assets + "累计摊销变动|\n" +
                 "4101/102|2026-01-28|低值易耗品|DZ-0008|输液架|增加|900.00|450.00\n"},
      // A voucher entered by hand (source 1 without hospital documents) and one unknown.
      {3, "日期|单据类型|单据号|币种|汇率|金额|\n"},
      {999999, "\n"},
  };
  for (const Case& c : cases) {
    frmBusinessData w;
    ASSERT_TRUE(w.Load(c.voucher));
    EXPECT_EQ(Grid(w), c.grid) << c.voucher;
  }
}

// Every family's statement runs, the multi-base ones too; those keep to the organisation.
TEST_F(BusinessDataTest, MultiBaseLoansReadTheirExtendedTablesOfTheOrganisation) {
  for (long type : {1L,  5L,  6L,  7L,  8L,  9L,  10L, 11L, 14L, 24L,
                    26L, 27L, 28L, 29L, 30L, 32L, 33L, 35L, 36L, 38L}) {
    for (bool multi : {false, true}) {
      EXPECT_NO_THROW(t_.Data().OpenRecordset(frmBusinessData::QueryFor(type, 4101, multi, 77)))
          << type << " " << multi;
    }
  }
  Exec(
      "Insert Into BankloanEx (lngBankloanID, strDate, strBillNo, lngLoanOrganizationID, "
      "strHubOrganization, strLoanOrganization, lngDebitVoucherID, dblAmount, strCenterChecker) "
      "Values (1, '2026-01-18', 'JK9', 77, '总部', '分院甲', 4107, 100000, '王审核')");
  Exec(
      "Insert Into BankloanEx (lngBankloanID, strDate, strBillNo, lngLoanOrganizationID, "
      "lngDebitVoucherID, dblAmount) Values (2, '2026-01-18', 'JK8', 78, 4107, 1)");
  Exec(
      "Insert Into CarrayOnEx (lngCarrayOnID, strDate, strBillNo, lngInOrganizationID, "
      "strOutOrganization, lngInVoucherID, dblAmount) Values (1, '2026-01-20', 'HB9', 77, "
      "'分院乙', 4108, 30000)");
  MultiBase base;
  frame::Login().multi_base_data = &base;
  frmBusinessData w;
  ASSERT_TRUE(w.Load(4107));
  EXPECT_EQ(Grid(w),
            "日期|中心机构|借款机构|单据号|借款金额|中心审核人|机构审核人|\n"
            "1/27|2026-01-18|总部|分院甲|JK9|100,000.00|王审核|\n");
  ASSERT_TRUE(w.Load(4108));
  EXPECT_EQ(w.State().rows.size(), 1u);
  EXPECT_EQ(w.State().rows[0].cells[2], "分院乙");
}

}  // namespace
}  // namespace lumvoucher::testing
