#include "cashflow/frm_voucher_cash_flow.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "cashflow/cash_flow_fixture.h"
#include "cashflow/cash_flow_texts.h"
#include "cashflow/frm_cash_flow_auto2.h"
#include "cashflow/mdl_cash_flow.h"
#include "frame/text_functions.h"

namespace lumvoucher::testing {
namespace {

using cashflow::frmVoucherCashFlow;
using namespace demo;
namespace mb = host::mb;
namespace texts = cashflow::texts;

class LineWindowTest : public CashFlowTest {
 protected:
  LineWindowTest() {
    StoreVoucher(100, {{1000, kCash, 1, 100}, {1001, kRevenue, -1, 100}});
    Flow(1000, kSales, 60);
    Flow(1000, kPurchase, 40, 1, 8);
  }
  // Opens the window on `line`; `user` plays the user while it is shown. Answers blnShown.
  bool Open(long line, std::function<void(frmVoucherCashFlow&)> user, long account = kCash,
            const std::string& account_text = "1001 库存现金") {
    if (user) {
      t_.Modal().Expect("frmVoucherCashFlow", [user](host::ModalWindow& window) {
        user(dynamic_cast<frmVoucherCashFlow&>(window));
        return 1;
      });
    }
    bool shown = false;
    summary_ = "(unchanged)";
    w_.ShowCashFlow(account, account_text, line, 0, 1, summary_, shown);
    return shown;
  }
  static std::string Grid(const frmVoucherCashFlow& w) {
    std::string out;
    for (const cashflow::CashFlowRow& r : w.State().rows) {
      out += r.flow + " " + r.item_text + " " + r.range + " " + r.counterpart_text + " " +
             std::to_string(r.amount).substr(0, std::to_string(r.amount).find('.') + 3) + "\n";
    }
    return out;
  }
  std::string Stored(long line = 1000) {
    return Rows(
        "Select lngCashItemID, lngOtherID, dblAmount, blnIsNotComputer, lngRangeType, "
        "lngCustomerID From VoucherCashFlow Where lngVoucherDetailID = " +
        N(line) + " Order By lngCashItemID");
  }
  frmVoucherCashFlow w_;
  std::string summary_;
};

TEST_F(LineWindowTest, RightsAuthorisedAccountsAndTheClosedPeriodGuardTheWindow) {
  Grant(cashflow::rights::kAssign, false);
  Expecting("现金流量项目|48|李明无现金流量权限！\n");
  EXPECT_FALSE(Open(1000, nullptr));
  Grant(cashflow::rights::kAssign, true);

  Exec("Update Setting Set strSetting = 'True' Where strSection = '权限控制' And strKey = '科目'");
  Expecting("现金流量明细|64|没有科目1001 库存现金的制单权限，不能对其进行现金流量分配！\n");
  EXPECT_FALSE(Open(1000, nullptr));
  Exec(
      "Insert Into OperatorAccount (lngOperatorID, lngAccountID, lngOrganizationID) Values (2, "
      "1, 1)");
  EXPECT_TRUE(Open(1000, [](frmVoucherCashFlow& w) { w.Close(); }));

  Exec("Update AccountPeriod Set blnIsClosed = 1 Where intYear = 2026 And bytPeriod = 2");
  Expecting(std::string("重要提示信息|64|") + texts::kPeriodClosed + "\n");
  EXPECT_FALSE(Open(1000, nullptr));
  Exec("Update Setting Set strSetting = 'TRUE' Where strKey = '修改已结账期间现金流量'");
  EXPECT_TRUE(Open(1000, [](frmVoucherCashFlow& w) { w.Close(); }));
  EXPECT_EQ(summary_, "");
}

TEST_F(LineWindowTest, EditsTheRulesRefuseKeepTheOldValue) {
  EXPECT_TRUE(Open(1000, [this](frmVoucherCashFlow& w) {
    const int row = w.AddRow();
    struct Case {
      std::function<bool()> edit;
      std::string message;
    } cases[] = {
        // clang-format off
        {[&] { return w.SetItem(row, "9999"); }, "修改现金流量明细|48|现金流量项目不存在：9999"},
        {[&] { return w.SetItem(row, "01"); }, "修改现金流量明细|48|本现金流量项目01为非末级项目，不能选用！"},
        {[&] { return w.SetItem(row, "销售商品、提供劳务收到的现金"); }, "修改现金流量明细|48|本现金流量项目已选用！"},
        {[&] { return w.SetAmount(row, "12a"); }, "修改现金流量明细|48|数字输入非法！"},
        {[&] { return w.SetAmount(row, "1e5"); }, "修改现金流量明细|48|数字输入非法！"},
        {[&] { return w.SetAmount(row, "1234567890123456"); }, "修改现金流量明细|48|数字超出范围，最多15位有效数字！"},
        {[&] { return w.SetCounterpart(2, "不存在的单位"); }, "修改现金流量明细|48|内部往来单位不存在：不存在的单位"},
        {[&] {
           return w.SetRange(1, "内部") && w.SetCounterpart(1, "901") && w.SetItem(1, "01-01") &&
                  w.SetFlow(1, "流出") && w.SetItem(1, "02-01");
         },
         "修改现金流量明细|48|本现金流量项目加内部往来单位已选用！"},
        // Row 2 is 02-01 internal with 901; row 4 takes it external, row 5 internal alone.
        {[&] {
           return w.SetFlow(w.AddRow(), "流出") && w.SetItem(4, "02-01") && w.SetRange(2, "外部");
         },
         "修改现金流量明细|48|范围为外部的现金流量项已选用,不能修改范围！"},
        {[&] {
           return w.SetFlow(w.AddRow(), "流出") && w.SetRange(5, "内部") && w.SetItem(5, "02-01") &&
                  w.SetRange(4, "内部");
         },
         "修改现金流量明细|48|范围为内部的现金流量项目加内部往来单位已选用,不能修改范围！"},
        // clang-format on
    };
    for (const Case& c : cases) {
      const std::size_t from = Expecting(c.message + "\n");
      EXPECT_FALSE(c.edit()) << c.message;
      EXPECT_EQ(ShownSince(from), c.message + "\n");
    }
    EXPECT_EQ(w.State().rows[2].item_id, 0);
    EXPECT_EQ(w.State().rows[2].amount, 0);
    EXPECT_TRUE(w.SetAmount(row, "-12.345"));
    EXPECT_EQ(w.State().rows[2].amount, -12.35);
    EXPECT_EQ(w.State().rows[1].range + w.State().rows[3].range, "内部外部");
    t_.Messages().Expect(texts::kSaveAsk, mb::kNo);
    w.Close();
  }));
}

TEST_F(LineWindowTest, SaveKeepsLoadedRowsByKeyUpdatesThemAndInsertsNewOnes) {
  Exec("Update VoucherCashFlow Set lngOtherID = 5 Where lngCashItemID = 2");
  Exec("Update VoucherDetail Set strCashFlowCode = '旧摘要' Where lngVoucherDetailID = 1000");
  Flow(1000, kWages, 1);  // dropped by the user
  EXPECT_TRUE(Open(1000, [this](frmVoucherCashFlow& w) {
    EXPECT_EQ(w.State().amount_text + w.State().direction_label + w.State().summary,
              "100.00流入旧摘要");
    EXPECT_EQ(Grid(w),
              "流入 01-01 销售商品、提供劳务收到的现金 外部  60.00\n"
              "流出 02-01 购买商品、接受劳务支付的现金 内部 901 集团本部 -40.00\n"
              "流出 02-02 支付给职工以及为职工支付的现金 外部  -1.00\n");
    EXPECT_TRUE(w.SetAmount(1, "70"));
    EXPECT_TRUE(w.DeleteRow(3));
    const int row = w.AddRow();
    EXPECT_TRUE(w.SetFlow(row, "流出"));
    EXPECT_TRUE(w.SetItem(row, "02-03"));
    EXPECT_TRUE(w.SetAmount(row, "-10"));
    t_.Messages().Expect(texts::kTotalDiffers, mb::kYes, "提示信息");
    EXPECT_TRUE(w.Save());
    EXPECT_TRUE(w.State().closed);
  }));
  // 70 in, 40 out (internal to 901), 10 out: 120 as the balance rule adds them, asked about.
  EXPECT_EQ(Stored(), "2|0|70|1|2|0\n6|0|40|1|1|8\n8|0|10|1|2|0\n");
  EXPECT_EQ(summary_,
            "01-01 销售商品、提供劳务收到的现金 70.00/02-01 购买商品、接受劳务支付的现金 "
            "-40.00/02-03 支付的各项税费 -10.00");
  EXPECT_EQ(Rows("Select strCashFlowCode From VoucherDetail Where lngVoucherDetailID = 1000"),
            summary_ + "\n");
}

TEST_F(LineWindowTest, SaveChecksInOrderAndWritesNothingWhenOneFails) {
  const std::string before = Stored();
  Flow(1001, kSales, 1);  // a non-cash line's row goes when the window closes
  struct Case {
    std::function<void(frmVoucherCashFlow&)> edit;
    std::string messages;
    int answer;
  } cases[] = {
      {[](frmVoucherCashFlow& w) { w.SetAmount(1, "50"); },
       "提示信息|292|分配金额不等于明细金额。是否确认？\n", mb::kNo},
      {[](frmVoucherCashFlow& w) { w.SetCounterpart(2, ""); },
       "提示信息|48|第2行范围为“内部”,内部往来单位不能为空\n", mb::kOk},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Open(1000, [&](frmVoucherCashFlow& w) {
      c.edit(w);
      const std::size_t from = Expecting(c.messages, c.answer);
      EXPECT_FALSE(w.Save());
      EXPECT_EQ(ShownSince(from), c.messages);
      EXPECT_FALSE(w.State().closed);
      t_.Messages().Expect(texts::kSaveAsk, mb::kYes, texts::kTitleRemind);
      EXPECT_FALSE(w.Close());  // Yes: stay to save
      t_.Messages().Expect(texts::kSaveAsk, mb::kNo, texts::kTitleRemind);
      EXPECT_TRUE(w.Close());
    }));
    EXPECT_EQ(Stored(), before);
  }
  EXPECT_EQ(Stored(1001), "");
  // A line of 1012 must split into equal inflow and outflow; the amount is not compared.
  StoreVoucher(101, {{1010, kOtherMoney, 1, 100}, {1011, kRevenue, -1, 100}});
  EXPECT_TRUE(Open(
      1010,
      [&](frmVoucherCashFlow& w) {
        w.SetItem(w.AddRow(), "01-01");
        w.SetAmount(1, "30");
        w.SetFlow(w.AddRow(), "流出");
        w.SetItem(2, "02-01");
        w.SetAmount(2, "20");
        Expecting("重要提示信息|48|当前科目应作流入流出的同时分配且金额必须相等！\n");
        EXPECT_FALSE(w.Save());
        w.SetAmount(2, "30");
        EXPECT_TRUE(w.Save());
      },
      kOtherMoney, "1012 其他货币资金"));
  EXPECT_EQ(Stored(1010), "2|0|30|1|2|0\n6|0|-30|1|2|0\n");
  std::string message;
  EXPECT_FALSE(cashflow::CheckLineCashFlowAmount(1010, message));  // 已分配金额1 is 30 of 100
}

TEST_F(LineWindowTest, TheSummaryStopsAt255WhileEveryRowIsSaved) {
  std::string fifty, three_hundred;  // 100 and 600 wide
  for (int i = 0; i < 300; ++i) {
    if (i < 50) fifty += "现";
    three_hundred += "流";
  }
  for (int id : {91, 92, 93, 94}) {
    Exec("Insert Into CashItem (lngCashItemID, strCashItemCode, strCashItemName) Values (" + N(id) +
         ", '01-" + N(id) + "', '" + (id == 94 ? three_hundred : fifty) + "')");
  }
  EXPECT_TRUE(Open(1000, [](frmVoucherCashFlow& w) {
    for (const char* code : {"01-91", "01-92", "01-93"}) w.SetItem(w.AddRow(), code);
    EXPECT_TRUE(w.Save());
  }));
  EXPECT_EQ(Rows("Select Count(*) From VoucherCashFlow Where lngVoucherDetailID = 1000"), "5\n");
  // 60 in and 40 out come first (82 wide), then one long item (111); a second would pass 255.
  EXPECT_EQ(frame::StrLen(summary_), 82 + 1 + 111);
  EXPECT_EQ(summary_.substr(summary_.size() - 11), "现现 0.00");
  Exec("Delete From VoucherCashFlow");
  EXPECT_TRUE(Open(1000, [](frmVoucherCashFlow& w) {
    w.SetItem(w.AddRow(), "01-94"), w.SetAmount(1, "100");
    EXPECT_TRUE(w.Save());
  }));
  EXPECT_EQ(frame::StrLen(summary_), 254);  // a lone item is cut, whole characters only
  EXPECT_EQ(summary_.rfind("01-94 流流", 0), 0u);
}

TEST_F(LineWindowTest, AFailureAtAnyStatementOfTheSaveIsReportedAndWritesAllOrNothing) {
  auto state = [this] {
    return Stored() + Rows(
                          "Select strCashFlowCode From VoucherDetail Where lngVoucherDetailID = "
                          "1000");
  };
  auto reset = [this] {
    Exec("Delete From VoucherCashFlow");
    Exec("Update VoucherDetail Set strCashFlowCode = ' ' Where lngVoucherDetailID = 1000");
    Flow(1000, kSales, 60);
    Flow(1000, kPurchase, 40, 1, 8);
  };
  auto edit = [](frmVoucherCashFlow& w) {
    w.SetAmount(1, "61");
    w.SetAmount(2, "-39");
  };
  reset();
  const std::string before = state();
  std::vector<std::string> statements;
  EXPECT_TRUE(Open(1000, [&](frmVoucherCashFlow& w) {
    edit(w);
    t_.Data().Record(true);
    EXPECT_TRUE(w.Save());
    t_.Data().Record(false);
    statements = t_.Data().Recorded();
  }));
  const std::string after = state();
  ASSERT_NE(after, before);
  ASSERT_GE(statements.size(), 8u);
  for (std::size_t n = 1; n <= statements.size(); ++n) {
    reset();
    bool saved = true;
    EXPECT_TRUE(Open(1000, [&](frmVoucherCashFlow& w) {
      edit(w);
      t_.Messages().Expect(std::string(texts::kCheckFailed) + "injected failure at statement " +
                               std::to_string(n) + ": " + statements[n - 1],
                           mb::kOk, texts::kLineCaption);
      t_.Data().FailAtStatement(static_cast<int>(n));
      saved = w.Save();
      t_.Data().NeverFail();
      if (!saved) {
        t_.Messages().Expect(texts::kSaveAsk, mb::kNo);
        w.Close();
      }
    }));
    EXPECT_EQ(state(), saved ? after : before) << statements[n - 1];
  }
}

TEST_F(LineWindowTest, AnInternalLineAsksWhenBothSidesDisagree) {
  Flow(19, kSales, 12800);
  const std::string ask =
      "本方分配的现金流量金额总和5000.00，对方分配的现金流量金额总和12800.00，双方分配金额不等，"
      "是否继续？";
  for (int answer : {mb::kNo, mb::kYes}) {
    EXPECT_TRUE(Open(
        4,
        [&](frmVoucherCashFlow& w) {
          w.SetItem(w.AddRow(), "02-01");
          w.SetAmount(1, "5000");
          t_.Messages().Expect(ask, answer, "提示信息");
          EXPECT_EQ(w.Save(), answer == mb::kYes);
          if (answer == mb::kNo) {
            t_.Messages().Expect(texts::kSaveAsk, mb::kNo);
            w.Close();
          }
        },
        kBank, "1002-01 工商银行（人民币）"));
  }
  EXPECT_EQ(Stored(4), "6|0|5000|1|2|0\n");
}

}  // namespace
}  // namespace lumvoucher::testing
