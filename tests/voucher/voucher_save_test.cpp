#include <gtest/gtest.h>

#include "host/message_box.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

using voucher::LineField;

constexpr const char* kSave = "保存凭证";

class NewVoucherSave : public VoucherSaveTest {};

TEST_F(NewVoucherSave, WritesHeaderLinesAndTheirDependentRowsAsTheWindowShowsThem) {
  EnterOfficeVoucher();
  std::vector<std::string> waits;
  w_.SetWaitHandler([&](const std::string& text) { waits.push_back(text); });
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(waits, (std::vector<std::string>{"正在保存凭证，请稍候……", ""}));
  const long id = S().header.voucher_id;
  ASSERT_GT(id, 0);
  EXPECT_FALSE(S().must_save);
  const std::string sid = std::to_string(id);
  EXPECT_EQ(Rows("Select intYear, bytPeriod, strDate, lngTemplateID, intNumber, lngVoucherTypeID, "
                 "intVoucherNO, lngOperatorID, lngCheckerID, lngPostID, lngTellerID, "
                 "strDebitAccountCode, strCreditAccountCode, lngVoucherSourceID, blnIsPrint, "
                 "blnIsVoid, lngSourceVoucherID, blnIsError, lngSourceOrganizationID, strVolume "
                 "From Voucher Where lngVoucherID = " +
                 sid),
            "2026|2|2026-02-15|1|0|1|5|2|0|0|0|6602-01|2241|1|0|0|0|0|1|0000\n");
  EXPECT_EQ(Rows("Select lngRowID, strRemark, lngAccountID, intDirection, dblAmount, "
                 "lngCurrencyID, dblRate, dblCurrencyAmount, lngCustomerID, lngDepartmentID, "
                 "'[' || strCheckDate || ']', '[' || strBusinessDate || ']', strFlexibleId "
                 "From VoucherDetail Where lngVoucherID = " +
                 sid + " Order By lngRowID"),
            "1|购买办公用品|31|1|500|1|1|500|0|1|[ ]|[ ]| \n"
            "2|O'Neil 报销|21|-1|500|1|1|500|4|0|[ ]|[2026-02-15]| \n");
  // Line ids in the window are the stored ones, in row order.
  EXPECT_EQ(
      Rows("Select lngVoucherDetailID From VoucherDetail Where lngVoucherID = " + sid +
           " Order By lngRowID"),
      std::to_string(S().lines[0].line_id) + "\n" + std::to_string(S().lines[1].line_id) + "\n");
  EXPECT_EQ(Rows("Select strReceiptNo, lngReceiptNo, intDirection, dblAmount, dblCurrAmount, "
                 "lngCustomerID, strNote, bytStatus From CashQARAPDETAIL1 Where lngActivityID = " +
                 sid),
            "记|5|-1|-500|-500|4|O'Neil 报销|2\n");
  EXPECT_EQ(Rows("Select lngReceiptNo From ReceiptMaxNo Where lngOrganizationID = 1 And intYear = "
                 "2026 And bytPeriod = 2 And strReceiptNo = '1'"),
            "5\n");
  EXPECT_EQ(Rows("Select strlog From log"), "新增凭证第2期 记-000005\n");
}

// The current-account detail takes the lines on receivable and payable accounts as the chart
// stands at the save, also after the chart changed since the last save.
TEST_F(NewVoucherSave, CurrentAccountDetailFollowsTheChartsNatures) {
  const struct {
    int nature;  // of 2241 (id 21), the second line's account
    const char* rows;
  } cases[] = {{4, "2\n"}, {0, ""}, {3, "2\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nature);
    t_.Data().Execute("Update Account Set lngAccountNatureID = " + std::to_string(c.nature) +
                      " Where lngAccountID = 21");
    EnterOfficeVoucher();
    ASSERT_TRUE(w_.SaveBill());
    EXPECT_EQ(Rows("Select lngRowID From CashQARAPDETAIL1 Where lngActivityID = " +
                   std::to_string(S().header.voucher_id)),
              c.rows);
  }
}

// The period's counter of the type: added when it has none, raised when lower, else left alone.
TEST_F(NewVoucherSave, TheNumberCounterFollowsTheSavedNumber) {
  const std::string counter =
      "From ReceiptMaxNo Where lngOrganizationID = 1 And intYear = 2026 And bytPeriod = 2 And "
      "lngReceiptTypeID = 41 And strReceiptNo = '1'";
  const struct {
    const char* before;  // the counter, "" for no row
    const char* number;
    const char* after;
  } cases[] = {{"", "000007", "7\n"}, {"6", "000008", "8\n"}, {"20", "000009", "20\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    if (*c.before == '\0') {
      t_.Data().Execute("Delete " + counter);
    } else {
      t_.Data().Execute("Update ReceiptMaxNo Set lngReceiptNo = " + std::string(c.before) +
                        counter.substr(counter.find(" Where")));
    }
    EnterOfficeVoucher();
    w_.MutableState().header.number = c.number;
    ASSERT_TRUE(w_.SaveBill());
    EXPECT_EQ(Rows("Select lngReceiptNo " + counter), c.after);
  }
}

TEST_F(NewVoucherSave, ChecksStopInOrderWithTheirMessages) {
  EnterOfficeVoucher();
  // Unbalanced: the difference is in the message.
  ASSERT_TRUE(w_.SetCell(2, LineField::kCredit, "499.5"));
  SaveStops("凭证借贷方不平（差额0.50），不能存盘！");
  ASSERT_TRUE(w_.SetCell(2, LineField::kCredit, "500"));
  // Empty summary: Yes goes back to edit the line, No goes on.
  ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, ""));
  SaveStops("第1条摘要为空，您要修改凭证吗？", host::mb::kYes);
  EXPECT_EQ(S().current_row, 1);
  // No account on a line.
  int r3 = w_.AddLine();
  ASSERT_TRUE(w_.SetCell(r3, LineField::kRemark, "无科目"));
  t_.Messages().Expect("第1条摘要为空，您要修改凭证吗？", host::mb::kNo, kSave);
  SaveStops("第3条分录非法（无科目），不能存盘！");
  w_.DeleteLine(r3);
  t_.Messages().Expect("第1条摘要为空，您要修改凭证吗？", host::mb::kNo, kSave);
  EXPECT_TRUE(w_.SaveBill());
  EXPECT_EQ(t_.Scalar("Select Count(*) From Voucher"), "10");
}

TEST_F(NewVoucherSave, HeaderChecks) {
  EnterOfficeVoucher();
  voucher::VoucherHeader keep = S().header;
  w_.MutableState().header.template_id = 0;
  SaveStops("凭证模版不能为空！");
  w_.MutableState().header = keep;
  w_.MutableState().header.number = "";
  SaveStops("凭证号不能为空！");
  w_.MutableState().header = keep;
  w_.MutableState().header.date = "2026-02-30";
  SaveStops("日期输入非法！", host::mb::kOk, "填制凭证");
  w_.MutableState().header = keep;
  w_.MutableState().header.date = "2025-12-31";
  SaveStops("制单日期不能小于账套启用日期！");
  w_.MutableState().header.date = "2027-01-01";
  SaveStops("制单日期不能大于账套结束日期！");
  w_.MutableState().header.date = "2026-01-20";  // period 1 is closed
  SaveStops("制单日期已结账或账套、模块未启用或已停用！");
  w_.MutableState().header = keep;
  w_.MutableState().header.source_organization_id = 4;
  SaveStops("来源机构(非集团)与当前登陆机构不同！");
  w_.MutableState().header = keep;
  w_.MutableState().lines.clear();
  SaveStops("凭证体记录为空不能存盘！");
  EXPECT_EQ(t_.Scalar("Select Count(*) From Voucher"), "9");
}

TEST_F(NewVoucherSave, ADuplicateNumberOffersTheNumberingServicesNumber) {
  EnterOfficeVoucher();
  w_.MutableState().header.number = "000002";
  SaveStops("凭证号重复，是否取凭证最大流水号作为当前凭证号？", host::mb::kNo);
  EXPECT_EQ(S().header.number, "000002");
  SetSetting("帐套属性", "凭证断号重用", "True");
  t_.Data().Execute("Delete From VoucherDetail Where lngVoucherID = 6");
  t_.Data().Execute("Delete From Voucher Where lngVoucherID = 6");  // 记-000003 leaves a gap
  t_.Messages().Expect("凭证号重复，是否自动将断号[000003]作为当前凭证号？", host::mb::kYes, kSave);
  EXPECT_TRUE(w_.SaveBill());
  EXPECT_EQ(S().header.number, "000003");
  EXPECT_EQ(t_.Scalar("Select intVoucherNO From Voucher Where lngVoucherID = " +
                      std::to_string(S().header.voucher_id)),
            "3");
}

TEST_F(NewVoucherSave, WithoutAutomaticRenumberingADuplicateStops) {
  SetSetting("帐套属性", "凭证号重复自动取号", "False");
  EnterOfficeVoucher();
  w_.MutableState().header.number = "000001";
  SaveStops("凭证号重复。");
}

TEST_F(NewVoucherSave, AllLinesAlikeAreRefused) {
  NewVoucherWith({{"1001", voucher::kDebit, "10"}, {"1001", voucher::kCredit, "10"}});
  L(1).remark = L(2).remark = "同科目";
  SaveStops(
      "记账凭证的所有分录中如果只有同一个科目，并且输入的辅助核算也完全相同时，该凭证应为不合法凭证"
      "。");
}

TEST_F(NewVoucherSave, VoucherTypeRestrictionsAcceptTheParentsSubtree) {
  // 收: the debit must use 1001 or 1002; 1002-01 lies under 1002.
  NewVoucherWith({{"1002-01", voucher::kDebit, "80"}, {"6051", voucher::kCredit, "80"}});
  L(1).remark = L(2).remark = "收款";
  ASSERT_TRUE(w_.SetHeaderField(voucher::HeaderField::kVoucherType, "收"));
  w_.MutableState().header.number = "000003";
  EXPECT_TRUE(w_.SaveBill());
  // 转: no line may use 1001 or 1002.
  NewVoucherWith({{"1002-01", voucher::kDebit, "80"}, {"6051", voucher::kCredit, "80"}});
  L(1).remark = L(2).remark = "转账";
  ASSERT_TRUE(w_.SetHeaderField(voucher::HeaderField::kVoucherType, "转"));
  w_.MutableState().header.number = "000002";
  SaveStops("科目“1002-01 工商银行（人民币）”为“转”凭证类型的必无科目！");
  // 付: the credit must use 1001 or 1002.
  ASSERT_TRUE(w_.SetHeaderField(voucher::HeaderField::kVoucherType, "付"));
  w_.MutableState().header.number = "000002";
  SaveStops(" 本张凭证的贷方未输入“付”凭证类型的贷方必有科目“1001 库存现金或“1002 银行存款” ！");
}

TEST_F(NewVoucherSave, SettlementDataIsAnnouncedAndTheSaveGoesOn) {
  EnterOfficeVoucher();
  L(2).curr_payment_amount = 100;
  t_.Messages().Expect("当前记账凭证有往来冲销业务，凭证保存后应进行往来核销。", host::mb::kOk,
                       kSave);
  EXPECT_TRUE(w_.SaveBill());
}

TEST_F(NewVoucherSave, ModuleAnswersStopTheSave) {
  EnterOfficeVoucher();
  t_.Data().Execute(
      "Insert Into MODULE (lngOrganizationId, lngModuleID, bytStatus, intYear, bytPeriod) Values "
      "(1, 130, 1, 2026, 3)");
  SaveStops("当前生成凭证的期间，成本模块已结账或者已成本分摊，不能保存凭证！");
  t_.Data().Execute("Delete From MODULE Where lngModuleID = 130");
  t_.Host().BusinessPub().SetAssetSourceCheck(
      [](long, long) { return host::AssetSourceChange::kDeferredCard; });
  SaveStops("关联的待摊费用卡片已被其他人改变，不能存盘！");
  t_.Host().BusinessPub().SetAssetSourceCheck(nullptr);
  SetSetting("帐套属性", "凭证是否显示科目余额", "True");
  t_.Data().Execute(
      "Insert Into Setting (lngorganizationid, strSection, strKey, strSetting) Values (1, "
      "'帐套属性', '借贷方科目机构相同提示', 'True')");
  SaveStops("借贷方科目的机构相同，是否继续？", host::mb::kNo);
  EXPECT_EQ(t_.Scalar("Select Count(*) From Voucher"), "9");
}

class StoredVoucherSave : public VoucherSaveTest {};

TEST_F(StoredVoucherSave, OnlyTheMarksChangedRunsOneUpdate) {
  ASSERT_TRUE(w_.ShowAOldBill(3));
  w_.SetPrintMark(true);
  w_.SetErrorMark(true, "O'Neil 说错了");
  const std::string lines = Rows("Select * From VoucherDetail Where lngVoucherID = 3");
  EXPECT_TRUE(w_.SaveBill());
  EXPECT_EQ(Rows("Select * From VoucherDetail Where lngVoucherID = 3"), lines);
  EXPECT_EQ(Rows("Select blnIsPrint, blnIsError, strError From Voucher Where lngVoucherID = 3"),
            "1|1|O'Neil 说错了\n");
}

TEST_F(StoredVoucherSave, ARemovedLineTakesItsDependentRowsWithIt) {
  // Voucher 2: 3 D 1001 5000 / 4 C 1002-01 5000 with check XJ0001.
  ASSERT_TRUE(w_.ShowAOldBill(2));
  t_.Data().Execute(
      "Insert Into VoucherCashFlow (lngVoucherDetailID, lngCashItemID, dblAmount) Values (4, 1, "
      "5000)");
  t_.Data().Execute(
      "Insert Into VoucherCashFlow (lngVoucherDetailID, lngCashItemID, dblAmount) "
      "Values (3, 2, 5000)");
  t_.Data().Execute(
      "Insert Into CostApportion (lngCostApportionID, lngVoucherDetailID, dblAmount) Values (1, 4, "
      "5000)");
  t_.Data().Execute(
      "Insert Into HisCostApportion (lngHisCostApportionID, lngVoucherID, lngVoucherDetailID, "
      "dblAmount) Values (1, 2, 4, 5000)");
  t_.Data().Execute(
      "Insert Into BankBillDetail (lngBankBillDetailID, lngActivityTypeID, lngActivityID) Values "
      "(1, 41, 4)");
  t_.Data().Execute("Insert Into Activity (lngActivityID, lngVoucherID) Values (1, 2)");
  w_.DeleteLine(2);
  int row = w_.AddLine();
  ASSERT_TRUE(w_.SetCell(row, LineField::kRemark, "改用现金"));
  ASSERT_TRUE(w_.SetCell(row, LineField::kAccount, "1001"));
  ASSERT_TRUE(w_.SetCell(row, LineField::kCredit, "5000"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kAccount, "1012"));
  t_.Messages().Expect("该凭证已有票据与其关联，修改凭证将取消关联关系，是否确定", host::mb::kYes,
                       "提示");
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Rows("Select lngVoucherDetailID, lngRowID, lngAccountID, intDirection From "
                 "VoucherDetail Where lngVoucherID = 2 Order By lngRowID"),
            "3|1|5|1\n" + std::to_string(S().lines[1].line_id) + "|2|1|-1\n");
  EXPECT_EQ(Rows("Select lngVoucherDetailID, dblAmount From VoucherCashFlow"), "3|5000\n");
  EXPECT_EQ(t_.Scalar("Select Count(*) From CostApportion"), "0");
  EXPECT_EQ(t_.Scalar("Select Count(*) From HisCostApportion"), "0");
  EXPECT_EQ(Rows("Select blnIsUsed, '[' || strUseDate || ']', lngVoucherDetailID From "
                 "CheckDetail Where strCheckNo = 'XJ0001'"),
            "0|[ ]|0\n");
  EXPECT_EQ(Rows("Select lngActivityTypeID, lngActivityID From BankBillDetail"), "0|0\n");
  EXPECT_EQ(t_.Scalar("Select lngVoucherID From Activity"), "0");
  EXPECT_EQ(Rows("Select strlog From log"), "修改凭证第2期 付-000001(原凭证字号为付-000001)\n");
}

TEST_F(StoredVoucherSave, AKeptLineThatChangesSidesTurnsItsCashFlowAround) {
  ASSERT_TRUE(w_.ShowAOldBill(2));
  t_.Data().Execute(
      "Insert Into VoucherCashFlow (lngVoucherDetailID, lngCashItemID, dblAmount) Values (3, 2, "
      "5000)");
  ASSERT_TRUE(w_.SetCell(1, LineField::kCredit, "5000"));
  ASSERT_TRUE(w_.SetCell(2, LineField::kDebit, "5000"));
  EXPECT_TRUE(w_.SaveBill());
  EXPECT_EQ(Rows("Select dblAmount From VoucherCashFlow"), "-5000\n");
  EXPECT_EQ(Rows("Select intDirection From VoucherDetail Where lngVoucherID = 2 Order By lngRowID"),
            "-1\n1\n");
}

TEST_F(StoredVoucherSave, AKeptLineThatLeavesTheCashAccountsLosesItsCashFlow) {
  ASSERT_TRUE(w_.ShowAOldBill(2));
  for (const char* line : {"3", "4"}) {
    t_.Data().Execute(
        "Insert Into VoucherCashFlow (lngVoucherDetailID, lngCashItemID, dblAmount) Values (" +
        std::string(line) + ", 2, 5000)");
  }
  ASSERT_TRUE(w_.SetCell(1, LineField::kAccount, "2001"));
  EXPECT_TRUE(w_.SaveBill());
  EXPECT_EQ(Rows("Select lngVoucherDetailID From VoucherCashFlow"), "4\n");
}

TEST_F(StoredVoucherSave, ATransferVoucherHandsItsTransferToTheLatestOtherVoucher) {
  t_.Data().Execute(
      "Update Voucher Set lngVoucherSourceID = 16, lngSourceVoucherID = 7 Where "
      "lngVoucherID In (3, 4)");
  t_.Data().Execute(
      "Insert Into TransVoucher (lngTransVoucherID, lngVoucherID, lngExecutantID, strExecuteDate) "
      "Values (7, 4, 6, '2026-02-12')");
  ASSERT_TRUE(w_.ShowAOldBill(4));
  ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, "调拨"));
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Rows("Select lngVoucherID, lngExecutantID, strExecuteDate From TransVoucher"),
            "3|2|2026-02-10\n");
}

}  // namespace
}  // namespace lumvoucher::testing
