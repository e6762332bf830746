#include "links/frm_center_ralation.h"

#include "links/fund_texts.h"
#include "links/links_fixture.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
namespace texts = links::fund_texts;
using links::frmCenterRalation;
using links::FundArea;

class CenterRelationTest : public LinksTest {
 protected:
  CenterRelationTest() {
    auto fund = std::make_unique<FailingDataAccess>(":memory:");
    fund_ = fund.get();
    t_.Host().UseFundDatabase(std::move(fund));
  }
  void Grant(std::initializer_list<long> rights) {
    for (long right : rights) {
      Exec("Insert Into OperatorRight (lngOperatorID, lngRightID, lngOrganizationID) Values (2, " +
           std::to_string(right) + ", 1)");
    }
  }
  void FundExec(const std::string& sql) { fund_->Execute(sql); }
  std::string Pairings() {
    host::Recordset rs = fund_->OpenRecordset(
        "Select T_Bill_Id, Voucher_ID, Voucher_Item_ID From InterFace_Of8e Order By T_Bill_Id, "
        "Voucher_Item_ID");
    std::string out;
    for (; !rs.Eof(); rs.MoveNext()) {
      out += rs[0].AsText() + ":" + rs[1].AsText() + "/" + rs[2].AsText() + " ";
    }
    return out;
  }
  static std::string Keys(const links::FundGrid& grid) {
    std::string out;
    for (const std::string& key : grid.keys) out += (out.empty() ? "" : ",") + key;
    return out;
  }
  static int RowOf(const links::FundGrid& grid, const std::string& key) {
    for (std::size_t i = 0; i < grid.keys.size(); ++i) {
      if (grid.keys[i] == key) return static_cast<int>(i);
    }
    return -1;
  }
  // Ticks a line and a request of the unpaired area and pairs them.
  bool PairIn(frmCenterRalation& w, const std::string& line, const std::string& bill) {
    w.SelectLine(RowOf(w.State().lines, line));
    w.SelectRequest(RowOf(w.State().requests, bill));
    return w.Pair();
  }

  FailingDataAccess* fund_ = nullptr;
};

TEST_F(CenterRelationTest, RightsCentreAndDataAreaDecideWhatTheListsShow) {
  frmCenterRalation w;
  ASSERT_TRUE(w.Load(0));
  // Without 503, 28 or 27 no line; without 1766..1771 no request.
  EXPECT_EQ(Keys(w.State().lines), "");
  EXPECT_EQ(Keys(w.State().requests), "");
  Grant({28, 1767});
  ASSERT_TRUE(w.Load(0));
  EXPECT_EQ(Keys(w.State().lines), "2,3,4,5,6,7,8,9,10,11,14,15,16,17,18");
  EXPECT_EQ(Keys(w.State().requests), "PAY-0001,PAY-0002");
  Grant({1770});
  ASSERT_TRUE(w.Load(3));
  EXPECT_EQ(Keys(w.State().lines), "5,6");
  EXPECT_EQ(Keys(w.State().requests), "PAY-0001,PAY-0002,REC-0002");
  w.SetAmountFit(true);
  w.SelectLine(0);
  EXPECT_EQ(Keys(w.State().requests), "PAY-0002");

  ASSERT_TRUE(w.Load(0));
  w.SetArea(FundArea::kPairedLines);
  EXPECT_EQ(Keys(w.State().lines), "1");
  EXPECT_EQ(Keys(w.State().requests), "");
  w.SelectLine(0);
  EXPECT_EQ(Keys(w.State().requests), "REC-0001");
  w.SetArea(FundArea::kPairedBills);
  EXPECT_EQ(Keys(w.State().requests), "REC-0001");
  w.SelectRequest(0);
  EXPECT_EQ(Keys(w.State().lines), "1");

  Set("资金管理参数", "资金中心全局查询", "True");
  ASSERT_TRUE(w.Load(0));
  EXPECT_EQ(Keys(w.State().requests), "PAY-0001,PAY-0002,PAY-0003,REC-0002");
  // Item rights: the operator may use unit 1 only, so line 11 (unit 2) goes.
  Set("权限控制", "单位", "True");
  Exec(
      "Insert Into OperatorCustomer (lngOperatorID, lngCustomerID, lngOrganizationID) Values (2, "
      "1, 1)");
  ASSERT_TRUE(w.Load(5));
  EXPECT_EQ(Keys(w.State().lines), "10");
}

TEST_F(CenterRelationTest, OnlyUnsignedUnpostedVouchersPairAndUnpair) {
  Grant({28, 1767, 1771});
  Exec("Update Voucher Set lngTellerID = 0 Where lngVoucherID = 1");
  frmCenterRalation w;
  ASSERT_TRUE(w.Load(0));
  // Voucher 2 is reviewed only.
  ASSERT_TRUE(PairIn(w, "3", "PAY-0001"));
  EXPECT_EQ(Pairings(), "PAY-0001:2/3 REC-0001:1/1 ");
  w.SetArea(FundArea::kPairedLines);
  w.SelectLine(RowOf(w.State().lines, "3"));
  t_.Messages().Expect(texts::kClearAdvice, mb::kOk, "提示信息");
  ASSERT_TRUE(w.Clear());
  EXPECT_EQ(Pairings(), "REC-0001:1/1 ");
  // Voucher 1 is posted; signed as well, the signature is named.
  w.SelectLine(RowOf(w.State().lines, "1"));
  t_.Messages().Expect(texts::kPostedNoClear, mb::kOk, "提示信息");
  EXPECT_FALSE(w.Clear());
  Exec("Update Voucher Set lngTellerID = 4 Where lngVoucherID = 1");
  t_.Messages().Expect(texts::kSignedNoClear, mb::kOk, "提示信息");
  EXPECT_FALSE(w.Clear());
  w.SetArea(FundArea::kUnpaired);
  t_.Messages().Expect(texts::kSignedNoSave, mb::kOk, "提示信息");
  EXPECT_FALSE(PairIn(w, "2", "PAY-0002"));
  Exec("Update Voucher Set lngTellerID = 0 Where lngVoucherID = 1");
  t_.Messages().Expect(texts::kPostedNoSave, mb::kOk, "提示信息");
  EXPECT_FALSE(PairIn(w, "2", "PAY-0002"));
  EXPECT_EQ(Pairings(), "REC-0001:1/1 ");
}

TEST_F(CenterRelationTest, RepairingLeavesOneRowPerRequestAndLine) {
  Grant({28, 1767, 1771});
  FundExec(
      "Insert Into BankrollRequest (Tbillid, Tbilltypeid, localCenterId, payPartyId, Amount) "
      "Values ('PAY''0004', 'PAYMENT_REQ', 'C01', '01', 1)");
  frmCenterRalation w;
  ASSERT_TRUE(w.Load(0));
  ASSERT_TRUE(PairIn(w, "5", "PAY'0004"));
  EXPECT_EQ(Pairings(), "PAY'0004:3/5 REC-0001:1/1 ");
  // The paired documents with every line: the request again, to line 6.
  w.SetArea(FundArea::kPairedBills);
  t_.Messages().Expect(texts::kAskBillPaired, mb::kNo, "提示信息");
  EXPECT_FALSE(PairIn(w, "6", "PAY'0004"));
  EXPECT_EQ(Pairings(), "PAY'0004:3/5 REC-0001:1/1 ");
  t_.Messages().Expect(texts::kAskBillPaired, mb::kYes, "提示信息");
  EXPECT_TRUE(PairIn(w, "6", "PAY'0004"));
  EXPECT_EQ(Pairings(), "PAY'0004:3/6 REC-0001:1/1 ");
  // A paired line with a paired request: both questions, both old pairings go.
  t_.Messages().Expect(texts::kAskBillPaired, mb::kYes, "提示信息");
  t_.Messages().Expect(texts::kAskLinePaired, mb::kYes, "提示信息");
  EXPECT_TRUE(PairIn(w, "6", "REC-0001"));
  EXPECT_EQ(Pairings(), "REC-0001:3/6 ");
}

TEST_F(CenterRelationTest, PairedLineIdsGoInChunksOf999) {
  std::vector<std::string> ids;
  for (int i = 1; i <= 2500; ++i) ids.push_back(std::to_string(i));
  for (bool paired : {false, true}) {
    const std::string condition = frmCenterRalation::PairedLinesCondition(ids, paired);
    std::vector<std::size_t> sizes;
    const std::string keyword = paired ? "lngVoucherDetailID In (" : "lngVoucherDetailID Not In (";
    for (std::size_t at = condition.find(keyword); at != std::string::npos;
         at = condition.find(keyword, at + 1)) {
      const std::size_t end = condition.find(')', at);
      const std::string list = condition.substr(at + keyword.size(), end - at - keyword.size());
      sizes.push_back(static_cast<std::size_t>(std::count(list.begin(), list.end(), ',')) + 1);
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{999, 999, 502}));
    EXPECT_NE(condition.find(paired ? ") Or VoucherDetail" : ") And VoucherDetail"),
              std::string::npos);
  }
  // And the statement runs with them.
  Grant({28});
  for (int i = 1000; i < 3500; ++i) {
    FundExec("Insert Into InterFace_Of8e Values ('X', 0, " + std::to_string(i) + ", '01')");
  }
  frmCenterRalation w;
  ASSERT_TRUE(w.Load(3));
  EXPECT_EQ(Keys(w.State().lines), "5,6");
}

TEST_F(CenterRelationTest, AFailingFundDatabaseLeavesTheRequestPairedAtMostOnce) {
  Grant({28, 1767, 1771});
  t_.Messages().AnswerAll(mb::kYes);
  for (int n = 1;; ++n) {
    FundExec("Delete From InterFace_Of8e");
    FundExec("Insert Into InterFace_Of8e Values ('PAY-0001', 3, 5, '01')");
    frmCenterRalation w;
    ASSERT_TRUE(w.Load(0));
    w.SetArea(FundArea::kPairedBills);
    w.SelectLine(RowOf(w.State().lines, "6"));
    w.SelectRequest(RowOf(w.State().requests, "PAY-0001"));
    fund_->FailAtStatement(n);
    const bool paired = w.Pair();
    fund_->NeverFail();
    const std::string rows = Pairings();
    EXPECT_TRUE(rows == "PAY-0001:3/5 " || rows == "PAY-0001:3/6 ") << n << " " << rows;
    // After a refresh the window shows what is stored.
    w.SetArea(FundArea::kPairedLines);
    EXPECT_EQ(Keys(w.State().lines), rows == "PAY-0001:3/5 " ? "5" : "6") << n;
    if (paired) {
      EXPECT_EQ(rows, "PAY-0001:3/6 ");
      break;
    }
    ASSERT_LT(n, 20);
  }
}

TEST_F(CenterRelationTest, InterFaceOpensTheWindowForOneVoucher) {
  Grant({28, 1767});
  t_.Modal().Expect("frmCenterRalation", [&](host::ModalWindow& window) {
    auto& w = dynamic_cast<frmCenterRalation&>(window);
    EXPECT_EQ(Keys(w.State().lines), "7,8,9");
    w.SelectLine(0);
    t_.Messages().Expect(texts::kAskQuit, mb::kNo, "提示信息");
    EXPECT_FALSE(w.Close());
    return 0;
  });
  t_.Component().ShowCenterRalation(4);
  EXPECT_EQ(t_.Modal().Pending(), 0u);
}

}  // namespace
}  // namespace lumvoucher::testing
