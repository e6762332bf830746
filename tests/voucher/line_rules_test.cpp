#include <gtest/gtest.h>

#include "host/message_box.h"
#include "voucher/voucher_fixture.h"

namespace lumvoucher::testing {
namespace {

using voucher::HeaderField;
using voucher::kCredit;
using voucher::kDebit;
using voucher::LineField;
constexpr int kYes = host::mb::kYes;
constexpr int kNo = host::mb::kNo;
constexpr int kOk = host::mb::kOk;

class ValidateLine : public VoucherWindowTest {
 protected:
  // Line `row` of `w` (default the fixture's window) is refused with `message` under `title`
  // (checked as the save checks when `saving`).
  void Refused(int row, const std::string& message, const char* title = "填制凭证",
               bool saving = false, TestableVoucher* w = nullptr) {
    t_.Messages().Expect(message, kOk, title);
    EXPECT_FALSE((w ? *w : w_).ValidateLine(row, saving, true)) << message;
  }
};

TEST_F(ValidateLine, AnInactiveAccountFailsFirstUnderTheEntryTitleEvenWhenSaving) {
  NewVoucherWith({{"1001", kDebit, "100"}});
  t_.Data().Execute("Update Account Set blnIsInActive = 1 Where lngAccountID = 1");
  Refused(1, "科目“1001 库存现金”不存在或被停用。", "填制凭证", true);
  EXPECT_EQ(t_.Messages().Shown().back().flags, 8240);
  EXPECT_EQ(S().focus_field, LineField::kAccount);
  EXPECT_EQ(S().current_row, 1);
}

TEST_F(ValidateLine, AccountRightDetailAndCurrencyComeInThatOrder) {
  NewVoucherWith({{"1001", kDebit, "100"}, {"1002", kCredit, "100"}});
  SetSetting("权限控制", "科目", "True");
  Refused(1, "当前操作员无权限使用科目“1001 库存现金”填制凭证。");
  SetSetting("权限控制", "科目", "False");
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
  Refused(2, "科目“1002 银行存款”为非明细科目，请输入明细科目！", "保存凭证", true);
  EXPECT_TRUE(w_.ValidateLine(2, false, false));
}

TEST_F(ValidateLine, ACurrencyAccountNeedsAValidCurrencyAndARateOfZeroPasses) {
  NewVoucherWith({{"1002-02", kDebit, "0"}});
  EXPECT_EQ(S().lines[0].currency_name, "美元");
  ASSERT_TRUE(w_.SetCell(1, LineField::kCurrencyAmount, "1000"));
  EXPECT_EQ(DumpLines(S()), "D 1002-02 7100.00");
  ASSERT_TRUE(w_.SetCell(1, LineField::kRate, "0"));
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
  ASSERT_TRUE(w_.SetCell(1, LineField::kCurrency, "HKD"));
  Refused(1, "科目“1002-02 中国银行（美元）”的币种输入非法，请输入币种！");
  EXPECT_EQ(S().focus_field, LineField::kCurrency);
  ASSERT_TRUE(w_.SetCell(1, LineField::kCurrency, ""));
  Refused(1, "科目“1002-02 中国银行（美元）”有币种核算属性，请输入币种！");
}

TEST_F(ValidateLine, NegativeRateOrPriceFailsWithTheAccount) {
  NewVoucherWith({{"1403", kDebit, "100"}});
  L(1).rate = -1;
  Refused(1, "科目“1403 原材料”的汇率必须为正数！");
  L(1).rate = 0;
  L(1).price = -2;
  Refused(1, "科目“1403 原材料”的单价必须为正数！");
  EXPECT_EQ(S().focus_field, LineField::kPrice);
}

TEST_F(ValidateLine, AReceiptVoucherTakesADebitOnlyOnItsFirstLine) {
  NewVoucherWith({{"1001", kDebit, "100"}, {"6051", kDebit, "100"}});
  w_.SetDocumentKind(54);
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
  Refused(2, "收款凭证内只有第一条分录应为借方科目！", "保存凭证");
  ASSERT_TRUE(w_.SetCell(1, LineField::kCredit, "100"));
  Refused(1, "收款凭证内第一条分录应为借方科目！", "保存凭证");
  w_.SetDocumentKind(55);
  ASSERT_TRUE(w_.SetCell(1, LineField::kDebit, "100"));
  Refused(1, "付款凭证内第一条分录应为贷方科目！", "保存凭证");
}

TEST_F(ValidateLine, AReceivableLineNeedsAUnitAndABusinessDateNotAfterTheVoucherDate) {
  NewVoucherWith({{"1122", kDebit, "100"}});
  Refused(1, "科目“1122 应收账款”有单位核算属性，请输入单位！");
  ASSERT_TRUE(w_.SetCell(1, LineField::kUnit, "001"));
  EXPECT_EQ(S().lines[0].unit_text, "001 华东医药有限公司");
  Refused(1, "科目“1122 应收账款”为应收应付性质科目，请输入业务日期！");
  EXPECT_EQ(S().focus_field, LineField::kBusinessDate);
  ASSERT_TRUE(w_.SetCell(1, LineField::kBusinessDate, "2026-02-16"));
  Refused(1, "业务日期应小于等于当前凭证日期");
  ASSERT_TRUE(w_.SetCell(1, LineField::kBusinessDate, "2026-2-15"));
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
}

TEST_F(ValidateLine, AnUnassignedUnitPassesWhileEditingAndFailsWhenSaving) {
  NewVoucherWith({{"2202", kCredit, "100"}});
  ASSERT_TRUE(w_.SetCell(1, LineField::kUnit, "001"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kBusinessDate, "2026-02-01"));
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
  Refused(1, "科目“2202 应付账款”不能使用未分配的单位“001 华东医药有限公司”！", "保存凭证", true);
  ASSERT_TRUE(w_.SetCell(1, LineField::kUnit, "102"));
  EXPECT_TRUE(w_.ValidateLine(1, true, true));
}

TEST_F(ValidateLine, DepartmentsAndClassItemsMustBeGivenAndBeLeaves) {
  NewVoucherWith({{"1601", kDebit, "100"}, {"6602-04", kDebit, "50"}});
  Refused(1, "科目“1601 固定资产”有部门核算属性，请输入部门！");
  ASSERT_TRUE(w_.SetCell(1, LineField::kDepartment, "03"));
  Refused(1, "科目“1601 固定资产”的部门核算属性只能输入末级部门，请重新输入！");
  SetSetting("帐套属性", "统计名称", "经济分类");
  TestableVoucher fresh;
  ASSERT_TRUE(fresh.ShowANewBill(0));
  int row = fresh.AddLine();
  ASSERT_TRUE(fresh.SetCell(row, LineField::kAccount, "6602-04"));
  ASSERT_TRUE(fresh.SetCell(row, LineField::kDebit, "50"));
  Refused(row, "科目“6602-04 专项支出”有经济分类核算属性，请输入经济分类！", "填制凭证", false,
          &fresh);
  ASSERT_TRUE(fresh.SetCell(row, LineField::kClass1, "03"));
  ASSERT_TRUE(fresh.SetCell(row, LineField::kClass2, "02"));
  Refused(row, "科目“6602-04 专项支出”的项目核算属性只能输入末级项目，请重新输入！", "填制凭证",
          false, &fresh);
  EXPECT_EQ(fresh.State().focus_field, LineField::kClass2);
}

TEST_F(ValidateLine, TheHostValidatorsTextIsShownAsTheMessage) {
  t_.Data().Execute("Update Account Set blnIsValidate = 1 Where lngAccountID = 38");
  t_.Host().Account().SetValidator([](long, std::string_view text) {
    return text.empty() ? std::string("请录入智能核算内容") : std::string();
  });
  NewVoucherWith({{"6711", kDebit, "10"}});
  Refused(1, "请录入智能核算内容", "保存凭证", true);
  ASSERT_TRUE(w_.SetCell(1, LineField::kSmartAccounting, "A01"));
  EXPECT_TRUE(w_.ValidateLine(1, true, true));
}

TEST_F(ValidateLine, FieldsTheAccountDoesNotCarryAreEmptied) {
  NewVoucherWith({{"6401", kDebit, "10"}});
  ASSERT_TRUE(w_.SetCell(1, LineField::kDepartment, "01"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kUnit, "001"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kEmployee, "0002"));
  EXPECT_EQ(S().lines[0].employee_text, "0002 王静 02 财务部");
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
  EXPECT_EQ(S().lines[0].department_id + S().lines[0].unit_id + S().lines[0].employee_id, 0);
  EXPECT_EQ(S().lines[0].department_text, "");
}

TEST_F(ValidateLine, AStoredLineWithAProjectKeepsItsUnit) {
  StoreVoucher(100, 1, 9);
  StoreLine(1001, 100, 1, 29, 1, 10, ", lngCustomerID, lngProjectID", ", 1, 5");
  ASSERT_TRUE(w_.ShowAOldBill(100));
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
  EXPECT_EQ(S().lines[0].unit_id, 1);
}

TEST_F(ValidateLine, ItemRightsAndSettlementDataAreAskedOfAPerson) {
  NewVoucherWith({{"1122", kDebit, "100"}, {"1002-01", kCredit, "100"}});
  ASSERT_TRUE(w_.SetCell(1, LineField::kUnit, "001"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kBusinessDate, "2026-02-01"));
  SetSetting("权限控制", "单位", "True");
  Refused(1, "当前操作员无权限使用单位 001 华东医药有限公司”！");
  EXPECT_EQ(S().focus_field, LineField::kUnit);
  w_.SetUserEntry(false);
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
  w_.SetUserEntry(true);
  t_.Data().Execute(
      "Insert Into OperatorCustomer (lngOperatorID, lngCustomerID, lngOrganizationID) Values (2, "
      "1, 1)");
  EXPECT_TRUE(w_.ValidateLine(1, false, true));

  SetSetting("帐套属性", "往来及银行科目必须录入结算信息", "True");
  TestableVoucher strict;
  ASSERT_TRUE(strict.ShowAOldBill(1));
  Refused(2, "科目“1122 应收账款”的对账号不能为空！", "保存凭证", true, &strict);
  ASSERT_TRUE(strict.SetCell(1, LineField::kPaymentMethod, ""));
  Refused(1, "银行科目“1002-01 工商银行（人民币）”的付款方式不能为空！", "保存凭证", true, &strict);
  ASSERT_TRUE(strict.SetCell(1, LineField::kPaymentMethod, "03"));
  ASSERT_TRUE(strict.SetCell(1, LineField::kCheckNumber, ""));
  Refused(1, "银行科目“1002-01 工商银行（人民币）”的票据号不能为空！", "保存凭证", true, &strict);
}

TEST_F(ValidateLine, AnOrganisationLineNeedsADirectChildOfTheLoginOrganisation) {
  NewVoucherWith({{"3001", kDebit, "100"}});
  Refused(1, "机构不能为空！");
  ASSERT_TRUE(w_.SetCell(1, LineField::kOrganization, "01-02-05"));
  Refused(1, "必须选择当前机构的直属下级机构！");
  ASSERT_TRUE(w_.SetCell(1, LineField::kOrganization, "01-02"));
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
  EXPECT_EQ(S().lines[0].organization_id, 3);
}

TEST_F(ValidateLine, BothSidesZeroFailsLastAndAPassingLineUpdatesTheTotals) {
  NewVoucherWith({{"6051", kCredit, "0"}});
  Refused(1, "科目“6051 其他业务收入”的借贷双方都为零！");
  ASSERT_TRUE(w_.SetCell(1, LineField::kCredit, "88.8"));
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
  EXPECT_EQ(S().totals.credit, 88.8);
  EXPECT_EQ(S().totals.words, "捌拾捌元捌角整");
}

using CellEdit = VoucherWindowTest;

TEST_F(CellEdit, AnUnknownCodeAsksToAddNoClearsYesAddsThroughTheReferenceList) {
  NewVoucherWith({{"1122", kDebit, "100"}});
  CellRefuses(1, LineField::kUnit, "999", "“999”不存在或不可用，是否新增？", "填制凭证", kNo);
  EXPECT_EQ(S().lines[0].unit_text, "");
  CellRefuses(1, LineField::kUnit, "199 宏达贸易公司",
              "“199 宏达贸易公司”不存在或不可用，是否新增？", "填制凭证", kNo);
  t_.Host().Account().SetAddItemHandler([this](int kind, std::string_view typed) {
    t_.Data().Execute(
        "Insert Into Customer (lngCustomerID, strCustomerCode, strCustomerName) Values (50, '" +
        std::string(typed) + "', '新客户')");
    return t_.Host().Account().ItemById(kind, 50);
  });
  t_.Messages().Expect("“998”不存在或不可用，是否新增？", kYes, "填制凭证");
  EXPECT_TRUE(w_.SetCell(1, LineField::kUnit, "998"));
  EXPECT_EQ(S().lines[0].unit_text, "998 新客户");
  CellRefuses(1, LineField::kAccount, "9999", "“9999”不存在或不可用，是否新增？", "填制凭证", kNo);
  EXPECT_EQ(S().lines[0].account_text, "");
}

TEST_F(CellEdit, AWrittenOffLineKeepsItsAccountCurrencyAndUnit) {
  t_.Data().Execute(
      "Update VoucherDetail Set dblCurrPaymentAmount = 100 Where lngVoucherDetailID = 11");
  ASSERT_TRUE(w_.ShowAOldBill(5));
  CellRefuses(2, LineField::kAccount, "1123", "已核销分录不允许修改科目、币种、单位！", "修改凭证");
  CellRefuses(2, LineField::kUnit, "001", "已核销分录不允许修改科目、币种、单位！", "修改凭证");
  EXPECT_EQ(DumpLines(S()), "D 1002-02 71000.00|C 1122 71000.00");
  EXPECT_EQ(S().lines[1].unit_text, "002 美康国际贸易公司");
  EXPECT_TRUE(w_.SetCell(2, LineField::kRemark, "仍可改摘要"));
}

TEST_F(CellEdit, AStoredVoucherCannotMoveToAnotherPeriod) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  t_.Messages().Expect("不能修改记账凭证所属会计期间！", kOk, "修改凭证");
  EXPECT_FALSE(w_.SetHeaderField(HeaderField::kDate, "2026-03-01"));
  EXPECT_EQ(S().header.date, "2026-02-10");
  EXPECT_TRUE(w_.SetHeaderField(HeaderField::kDate, "2026-02-20"));
  EXPECT_EQ(S().header.date, "2026-02-20");
}

TEST_F(CellEdit, SignsOfRateAndPriceAreCheckedAsTyped) {
  NewVoucherWith({{"1403", kDebit, "0"}});
  CellRefuses(1, LineField::kPrice, "-5", "单价必须为正数！");
  EXPECT_EQ(S().focus_field, LineField::kPrice);
  ASSERT_TRUE(w_.SetCell(1, LineField::kQuantity, "10"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kPrice, "3500"));
  EXPECT_EQ(DumpLines(S()), "D 1403 35000.00");
  CellRefuses(1, LineField::kRate, "-1", "汇率必须为正数！");
}

TEST_F(CellEdit, LeavingAnEmptyAccountCellIsRefusedUnlessTheRowIsBlank) {
  ASSERT_TRUE(w_.ShowANewBill(0));
  int row = w_.AddLine();
  EXPECT_TRUE(w_.LeaveCell(row, LineField::kAccount));
  ASSERT_TRUE(w_.SetCell(row, LineField::kRemark, "报销"));
  t_.Messages().Expect("请输入科目！", kOk, "填制凭证");
  EXPECT_FALSE(w_.LeaveCell(row, LineField::kAccount));
  ASSERT_TRUE(w_.SetCell(row, LineField::kDebit, "5"));
  t_.Messages().Expect("科目为必输项目，请输入科目！", kOk, "填制凭证");
  EXPECT_FALSE(w_.LeaveCell(row, LineField::kAccount));
  EXPECT_EQ(S().focus_field, LineField::kAccount);
}

TEST_F(CellEdit, TheNextLineIsProposedTheBalancingAmountWithTheSummary) {
  NewVoucherWith({{"6602-01", kDebit, "300"}});
  ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, "购买办公用品"));
  EXPECT_TRUE(S().must_save);
  ASSERT_TRUE(w_.NextLineProposal(1));
  EXPECT_EQ(DumpLines(S()), "D 6602-01 300.00|C - 300.00");
  EXPECT_EQ(S().lines[1].remark, "购买办公用品");
  EXPECT_EQ(S().current_row, 2);
  ASSERT_TRUE(w_.SetCell(2, LineField::kAccount, "1001"));
  EXPECT_FALSE(w_.NextLineProposal(2));  // balanced
}

using HeaderFields = VoucherWindowTest;

TEST_F(HeaderFields, EmptyOrMalformedFieldsSendTheCursorBack) {
  ASSERT_TRUE(w_.ShowANewBill(0));
  struct Case {
    HeaderField field;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {HeaderField::kTemplate, "没有的模版", "凭证模版不能为空"},
      {HeaderField::kVoucherType, "调", "凭证字号为必输项，不能为空！"},
      {HeaderField::kDate, "", "日期为必输项，不能为空！"},
      {HeaderField::kDate, "2026-02-30", "日期输入非法！"},
      {HeaderField::kAttachments, "两张", "附单数必须输入数字！"},
      {HeaderField::kNumber, "0", "凭证号必须输入大于零的数字！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    w_.SetHeaderField(c.field, c.text);
    t_.Messages().Expect(c.message, kOk, "填制凭证");
    EXPECT_FALSE(w_.LeaveHeaderField(c.field));
    EXPECT_EQ(S().focus_header, c.field);
    EXPECT_EQ(t_.Messages().Shown().back().flags, host::mb::kExclamation);
  }
  ASSERT_TRUE(w_.SetHeaderField(HeaderField::kTemplate, "转账凭证"));
  EXPECT_TRUE(w_.LeaveHeaderField(HeaderField::kTemplate));
  ASSERT_TRUE(w_.SetHeaderField(HeaderField::kVoucherType, "付"));
  EXPECT_TRUE(w_.LeaveHeaderField(HeaderField::kVoucherType));
  EXPECT_EQ(S().header.type_id, 3);
}

TEST_F(HeaderFields, ATakenNumberOffersTheHighestOrTheGap) {
  ASSERT_TRUE(w_.ShowANewBill(0));
  ASSERT_TRUE(w_.SetHeaderField(HeaderField::kNumber, "000001"));
  const std::string head = "凭证号重复，是否重新输入？\n选择是，凭证号重新输入！\n";
  t_.Messages().Expect(head + "选择否，凭证号自动取最大号！", kYes, "保存凭证");
  EXPECT_FALSE(w_.LeaveHeaderField(HeaderField::kNumber));
  EXPECT_EQ(S().header.number, "000001");
  t_.Messages().Expect(head + "选择否，凭证号自动取最大号！", kNo, "保存凭证");
  EXPECT_TRUE(w_.LeaveHeaderField(HeaderField::kNumber));
  EXPECT_EQ(S().header.number, "000005");

  SetSetting("帐套属性", "凭证断号重用", "True");
  t_.Data().Execute("Delete From VoucherDetail Where lngVoucherID = 4");
  t_.Data().Execute("Delete From Voucher Where lngVoucherID = 4");
  ASSERT_TRUE(w_.SetHeaderField(HeaderField::kNumber, "3"));
  t_.Messages().Expect(head + "选择否，自动将断号[000002]作为当前凭证号", kNo, "保存凭证");
  EXPECT_TRUE(w_.LeaveHeaderField(HeaderField::kNumber));
  EXPECT_EQ(S().header.number, "000002");
  EXPECT_TRUE(w_.LeaveHeaderField(HeaderField::kNumber));  // free now
}

TEST_F(HeaderFields, AStoredVoucherKeepsItsOwnNumber) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  EXPECT_TRUE(w_.LeaveHeaderField(HeaderField::kNumber));
}

}  // namespace
}  // namespace lumvoucher::testing
