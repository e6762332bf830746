#include "cashflow/frm_cash_flow_auto2.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "cashflow/cash_flow_fixture.h"
#include "cashflow/cash_flow_texts.h"
#include "cashflow/mdl_cash_flow.h"
#include "frame/operation_log.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::testing {
namespace {

using cashflow::AutoMode;
using cashflow::frmCashFlowAuto2;
using namespace demo;
namespace mb = host::mb;
namespace texts = cashflow::texts;

// 100: D 1001 100 (60 in, 40 out to 901), D 1002-01 50 (no rows), C 1122 150 (unit 001).
class BatchWindowTest : public CashFlowTest {
 protected:
  BatchWindowTest() {
    StoreVoucher(100, {{1000, kCash, 1, 100}, {1001, kBank, 1, 50}, {1002, kReceivable, -1, 150}});
    Exec("Update VoucherDetail Set lngCustomerID = 1 Where lngVoucherDetailID = 1002");
    Flow(1000, kSales, 60);
    Flow(1000, kPurchase, 40, 1, 8);
  }
  std::string Stored() {
    return Rows(
               "Select vcf.lngVoucherDetailID, lngCashItemID, vcf.dblAmount, lngRangeType, "
               "vcf.lngCustomerID From VoucherCashFlow vcf, VoucherDetail vd Where "
               "vcf.lngVoucherDetailID = vd.lngVoucherDetailID And vd.lngVoucherID = 100 Order "
               "By 1, 2") +
           Rows(
               "Select lngVoucherDetailID, strCashFlowCode From VoucherDetail Where "
               "lngVoucherID = 100 Order By 1");
  }
  // Gives the empty row of 1002-01 an item, so that the grid as loaded can be saved.
  void Complete() {
    ASSERT_TRUE(w_.SetItem(3, "01-03"));
    ASSERT_TRUE(w_.SetAmount(3, "50"));
  }
  frmCashFlowAuto2 w_;
};

TEST_F(BatchWindowTest, SaveChecksRowByRowInOrderAndWritesNothingWhenOneFails) {
  struct Case {
    std::function<void()> edit;
    std::string messages;   // the last one is answered No
    int row;                // where the cursor ends
    bool overwrite = true;  // the overwrite question comes first, answered Yes
  } cases[] = {
      // clang-format off
      {[] {}, "提示信息|292|" + std::string(texts::kOverwriteAsk) + "\n", 1, false},
      {[] {}, "提示信息|48|第3行“现金流量项目”不能为空\n", 3},
      {[&] { Complete(), w_.SetAmount(1, "50"); }, "提示信息|292|第1行，分配金额不等于明细金额。是否确认？\n", 1},
      {[&] { Complete(), w_.SetRange(3, "内部"); }, "提示信息|48|第3行范围为“内部”,内部往来单位不能为空\n", 3},
      {[&] {
         Complete(), w_.AddRow(), w_.SetItem(2, "01-01");
         w_.SetAmount(2, "0");
       },
       "提示信息|48|第1行和第2行，“现金流量项目”存在重复设置！\n", 1},
      {[&] { w_.SetMode(AutoMode::kByOppositeLine), w_.SetItem(1, "01-01"); }, "提示信息|48|第1行“现金流量科目”不能为空\n", 1},
      // clang-format on
  };
  const std::string before = Stored();
  for (const Case& c : cases) {
    ASSERT_TRUE(w_.Load(100));
    c.edit();
    const std::string overwrite = std::string("提示信息|292|") + texts::kOverwriteAsk + "\n";
    const std::size_t from = Expecting(c.overwrite ? overwrite : "", mb::kYes);
    Expecting(c.messages, mb::kNo);
    EXPECT_FALSE(w_.Save()) << c.messages;
    EXPECT_EQ(ShownSince(from), (c.overwrite ? overwrite : "") + c.messages);
    EXPECT_EQ(w_.State().current_row, c.row) << c.messages;
    EXPECT_FALSE(w_.State().closed);
    EXPECT_EQ(Stored(), before);
  }
}

TEST_F(BatchWindowTest, ByCashLineEveryRowOfTheVoucherIsReplaced) {
  StoreVoucher(101, {{1010, kOtherMoney, 1, 30}, {1011, kRevenue, -1, 30}});
  ASSERT_TRUE(w_.Load(100));
  EXPECT_TRUE(w_.DeleteRow(3));  // 1002-01 ends without rows
  EXPECT_TRUE(w_.SetAmount(1, "70"));
  EXPECT_TRUE(w_.SetAmount(2, "-30"));
  t_.Messages().Expect(texts::kOverwriteAsk, mb::kYes);
  t_.Data().Record(true);
  EXPECT_TRUE(w_.Save());
  EXPECT_TRUE(w_.State().saved);
  int blocks = 0;
  for (const std::string& sql : t_.Data().Recorded()) blocks += sql.rfind("Begin\n", 0) == 0;
  EXPECT_EQ(blocks, 1);
  EXPECT_EQ(Stored(),
            "1000|2|70|2|0\n1000|6|30|1|8\n"
            "1000|01-01 销售商品、提供劳务收到的现金 70.00/02-01 购买商品、接受劳务支付的现金 "
            "-30.00\n1001| \n1002| \n");

  // A line of 1012 passes only with equal inflow and outflow; its amount is not compared.
  ASSERT_TRUE(w_.Load(101));
  w_.SetItem(1, "01-01"), w_.SetAmount(1, "10");
  w_.AddRow(), w_.SetFlow(2, "流出"), w_.SetItem(2, "02-01"), w_.SetAmount(2, "20");
  Expecting("重要提示信息|48|第1行科目应作流入流出的同时分配且金额必须相等！\n");
  EXPECT_FALSE(w_.Save());
  w_.SetAmount(2, "10");
  EXPECT_TRUE(w_.Save());
  EXPECT_EQ(Rows("Select lngCashItemID, dblAmount From VoucherCashFlow Where lngVoucherDetailID "
                 "= 1010 Order By 1"),
            "2|10\n6|-10\n");
}

TEST_F(BatchWindowTest, ByOppositeLineRowsGoUnderTheChosenCashLines) {
  ASSERT_TRUE(w_.Load(100));
  w_.SetMode(AutoMode::kByOppositeLine);
  EXPECT_FALSE(w_.SetCashLine(1, 1002));  // not a cash line
  EXPECT_TRUE(w_.SetCashLine(1, 1000));
  EXPECT_EQ(w_.Rows()[0].cash_line_text, "1001 库存现金 行号：1 借方：100.00");
  w_.SetItem(1, "01-01"), w_.SetAmount(1, "100");
  w_.AddRow(), w_.SetCashLine(2, 1000), w_.SetItem(2, "01-01"), w_.SetAmount(2, "50");
  t_.Messages().Expect(texts::kOverwriteAsk, mb::kYes);
  Expecting("提示信息|292|第1行，分配金额不等于明细金额。是否确认？\n", mb::kYes);
  Expecting("提示信息|48|第1行和第2行，“现金流量项目”存在重复设置！\n");
  EXPECT_FALSE(w_.Save());
  w_.SetCashLine(2, 1001), w_.SetAmount(2, "50");
  t_.Messages().Expect(texts::kOverwriteAsk, mb::kYes);
  EXPECT_TRUE(w_.Save());
  EXPECT_EQ(Stored(),
            "1000|2|100|2|0\n1001|2|50|2|0\n"
            "1000|01-01 销售商品、提供劳务收到的现金 100.00\n"
            "1001|01-01 销售商品、提供劳务收到的现金 50.00\n1002| \n");
}

TEST_F(BatchWindowTest, ALineThatStoppedBeingCashLosesItsRowsAndIsLogged) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("lumvoucher-cashflow-" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  const std::filesystem::path previous = frame::ComponentFolder();
  frame::SetComponentFolder(folder);
  ASSERT_TRUE(w_.Load(100));
  Complete();
  Exec("Update Account Set blnIsCash = 0 Where lngAccountID = 3");
  t_.Messages().Expect(texts::kOverwriteAsk, mb::kYes);
  EXPECT_TRUE(w_.Save());
  std::ifstream log(frame::TraceLogFile());
  std::string line;
  std::getline(log, line);
  frame::SetComponentFolder(previous);
  std::filesystem::remove_all(folder);
  EXPECT_NE(line.find(std::string(texts::kStoppedBeingCash) + "1001"), std::string::npos) << line;
  EXPECT_EQ(Rows("Select Count(*) From VoucherCashFlow Where lngVoucherDetailID = 1001"), "0\n");
  EXPECT_EQ(Rows("Select Count(*) From VoucherCashFlow Where lngVoucherDetailID = 1000"), "2\n");
}

TEST_F(BatchWindowTest, AFailureAnywhereInTheSaveOrInsideTheBlockLeavesThePreviousRows) {
  const std::string before = Stored();
  ASSERT_TRUE(w_.Load(100));
  Complete();
  // One clean save of a copy of the window, for its statements.
  t_.Messages().Expect(texts::kOverwriteAsk, mb::kYes);
  t_.Data().Record(true);
  frmCashFlowAuto2 counted = w_;
  ASSERT_TRUE(counted.Save());
  t_.Data().Record(false);
  const std::vector<std::string> statements = t_.Data().Recorded();
  ASSERT_NE(Stored(), before);
  std::size_t question = 0;  // the statement after which the overwrite question comes
  while (statements.at(question).rfind(" Select * From VoucherCashFlow", 0) != 0) ++question;
  auto restore = [&] {
    Exec("Delete From VoucherCashFlow");
    Exec("Update VoucherDetail Set strCashFlowCode = Null Where lngVoucherID = 100");
    Flow(1000, kSales, 60);
    Flow(1000, kPurchase, 40, 1, 8);
  };
  for (std::size_t n = 1; n <= statements.size(); ++n) {
    restore();
    frmCashFlowAuto2 w = w_;
    if (n > question + 1) t_.Messages().Expect(texts::kOverwriteAsk, mb::kYes);
    t_.Messages().Expect(
        "injected failure at statement " + std::to_string(n) + ": " + statements[n - 1], mb::kOk,
        texts::kBatchCaption);
    t_.Data().FailAtStatement(static_cast<int>(n));
    EXPECT_FALSE(w.Save()) << statements[n - 1];
    t_.Data().NeverFail();
    EXPECT_EQ(Stored(), before) << statements[n - 1];
  }
  // The block is one statement: a failure of its delete, of a summary or of its second insert
  // takes back what the block did before it.
  for (const char* trigger :
       {"BEFORE DELETE ON VoucherCashFlow",
        "BEFORE UPDATE OF strCashFlowCode ON VoucherDetail WHEN NEW.strCashFlowCode <> ' '",
        "BEFORE INSERT ON VoucherCashFlow WHEN NEW.lngCashItemID = 6"}) {
    restore();
    t_.Data().ExecuteScript(std::string("CREATE TRIGGER fail_block ") + trigger +
                            " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    frmCashFlowAuto2 w = w_;
    t_.Messages().Expect(texts::kOverwriteAsk, mb::kYes);
    t_.Messages().ExpectPrefix("refused", mb::kOk, texts::kBatchCaption);
    EXPECT_FALSE(w.Save()) << trigger;
    EXPECT_EQ(Stored(), before) << trigger;
    t_.Data().ExecuteScript("DROP TRIGGER fail_block;");
  }
}

TEST_F(BatchWindowTest, SuggestFillsEmptyItemsFromTheOrganisationsHistory) {
  // Two vouchers took cash from 1122 as 01-03; a void one took it three times as 01-02.
  StoreVoucher(110, {{1100, kCash, 1, 1}, {1101, kReceivable, -1, 1}});
  StoreVoucher(111, {{1110, kCash, 1, 1}, {1111, kReceivable, -1, 1}});
  StoreVoucher(
      112,
      {{1120, kCash, 1, 1}, {1121, kBank, 1, 1}, {1122, kCash, 1, 1}, {1123, kReceivable, -1, 3}});
  Flow(1100, 4, 1), Flow(1110, 4, 1);
  Flow(1120, kTaxRefund, 1), Flow(1121, kTaxRefund, 1), Flow(1122, kTaxRefund, 1);
  Exec("Update Voucher Set blnIsVoid = 1 Where lngVoucherID = 112");
  ASSERT_TRUE(w_.Load(100));
  EXPECT_EQ(w_.Suggest(), 1);
  EXPECT_EQ(w_.State().by_cash[2].item_text, "01-03 收到其他与经营活动有关的现金");
  EXPECT_EQ(w_.State().by_cash[0].item_text, "01-01 销售商品、提供劳务收到的现金");  // kept
  w_.SetMode(AutoMode::kByOppositeLine);
  EXPECT_EQ(w_.Suggest(), 1);
  EXPECT_EQ(w_.Rows()[0].item_text, "01-03 收到其他与经营活动有关的现金");
  EXPECT_EQ(w_.Suggest(), 0);

  Exec("Update Voucher Set blnIsVoid = 0 Where lngVoucherID = 112");
  ASSERT_TRUE(w_.Load(100));
  EXPECT_EQ(w_.Suggest(), 1);
  EXPECT_EQ(w_.State().by_cash[2].item_text, "01-02 收到的税费返还");
  EXPECT_FALSE(w_.State().saved);
}

}  // namespace
}  // namespace lumvoucher::testing
