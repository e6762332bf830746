#include "frame/number_insertion.h"

#include <gtest/gtest.h>

#include <string>

#include "frame/frame_texts.h"
#include "frame/settings.h"
#include "frame/uniqueness_stamp.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

// Period 2026/3, type 1 (记), organisation 1 holds no demo vouchers: each test lays out its own.
constexpr int kYear = 2026;
constexpr int kPeriod = 3;
constexpr long kType = 1;
constexpr long kOrg = 1;

class NumberInsertionTest : public ::testing::Test {
 protected:
  void Add(const char* table, long id, int no) {
    host_.Data().Execute(std::string("Insert Into ") + table +
                         " (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
                         "bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (" +
                         std::to_string(id) + ",1," + std::to_string(no) + ",'2026-03-1" +
                         std::to_string(no % 10) + "',2026,3,1,2)");
  }
  void AddCounter(long highest) {
    host_.Data().Execute(
        "Insert Into ReceiptMaxNo (lngOrganizationID, intYear, bytPeriod, lngReceiptTypeID, "
        "strReceiptNo, lngReceiptNo) Values (1, 2026, 3, 41, '1', " +
        std::to_string(highest) + ")");
  }
  void AddVolume(const char* label, int start, int end) {
    host_.Data().Execute(
        "Insert Into VoucherVolume (intYear, bytPeriod, lngVoucherTypeID, strVolume, intNoStart, "
        "intNoEnd, lngOrganizationID) Values (2026, 3, 1, '" +
        std::string(label) + "', " + std::to_string(start) + ", " + std::to_string(end) + ", 1)");
  }
  void StampingOn() { WriteSetting("企业会计信息化", "支持企业会计信息化工作规范", "1"); }

  // "V1 V2 B3 ..." in number order; a stamped voucher whose stamp matches adds "*".
  std::string Numbers() {
    host::Recordset rs = host_.Data().OpenRecordset(
        "Select lngVoucherBaseID, lngVoucherID, intVoucherNO, strDate, strUQStamp From "
        "VoucherView Where intYear = 2026 And bytPeriod = 3 And lngVoucherTypeID = 1 And "
        "lngSourceOrganizationID = 1 Order By intVoucherNO, lngVoucherBaseID");
    std::string dump;
    for (; !rs.Eof(); rs.MoveNext()) {
      if (!dump.empty()) dump += " ";
      dump += rs["lngVoucherBaseID"].AsLong() == 1 ? "V" : "B";
      dump += rs["intVoucherNO"].AsText();
      const std::string stamp = rs["strUQStamp"].AsText();
      if (stamp != " " && UQStampMatches(stamp, kOrg, rs["strDate"].AsText(), kType,
                                         static_cast<long>(rs["intVoucherNO"].AsLong()))) {
        dump += "*";
      }
    }
    return dump;
  }
  std::string Volumes() {
    host::Recordset rs = host_.Data().OpenRecordset(
        "Select strVolume, intNoStart, intNoEnd From VoucherVolume Where intYear = 2026 And "
        "bytPeriod = 3 Order By strVolume");
    std::string dump;
    for (; !rs.Eof(); rs.MoveNext()) {
      if (!dump.empty()) dump += " ";
      dump += rs["strVolume"].AsText() + ":" + rs["intNoStart"].AsText() + "-" +
              rs["intNoEnd"].AsText();
    }
    return dump;
  }
  std::string Counter() {
    return host_.Scalar(
        "Select lngReceiptNo From ReceiptMaxNo Where lngOrganizationID = 1 And intYear = 2026 And "
        "bytPeriod = 3 And lngReceiptTypeID = 41 And strReceiptNo = '1'");
  }

  TestHost host_;
};

TEST_F(NumberInsertionTest, ShiftsTheNumberAndEveryLaterOneInBothBases) {
  for (int no = 1; no <= 7; ++no) {
    Add("Voucher", 100 + no, no);
    Add("BudgetVoucher", 200 + no, no);
  }
  const NumberInsertion result = InsertVoucherNumber(5, 0, kYear, kPeriod, kType, kOrg);
  EXPECT_TRUE(result.shifted);
  EXPECT_EQ(result.highest_before, 7);
  EXPECT_EQ(Numbers(), "V1 B1 V2 B2 V3 B3 V4 B4 V6 B6 V7 B7 V8 B8");
  EXPECT_EQ(host_.Scalar("Select intVoucherNO From Voucher Where lngVoucherID = 105"), "6");
  EXPECT_EQ(host_.Scalar("Select intVoucherNO From BudgetVoucher Where lngVoucherID = 207"), "8");
}

TEST_F(NumberInsertionTest, NumbersSharedAcrossTheBasesMoveTogether) {
  Add("Voucher", 101, 1);
  Add("Voucher", 102, 2);
  Add("BudgetVoucher", 203, 3);
  Add("Voucher", 104, 4);
  Add("BudgetVoucher", 205, 5);
  InsertVoucherNumber(3, 0, kYear, kPeriod, kType, kOrg);
  EXPECT_EQ(Numbers(), "V1 V2 B4 V5 B6");
}

TEST_F(NumberInsertionTest, ReStampsTheShiftedVouchersWhenStampingIsOn) {
  StampingOn();
  for (int no = 1; no <= 7; ++no) {
    Add("Voucher", 100 + no, no);
    Add("BudgetVoucher", 200 + no, no);
  }
  InsertVoucherNumber(5, 0, kYear, kPeriod, kType, kOrg);
  // Only the moved vouchers were stamped, each with the stamp of its new number.
  EXPECT_EQ(Numbers(), "V1 B1 V2 B2 V3 B3 V4 B4 V6* B6* V7* B7* V8* B8*");
}

TEST_F(NumberInsertionTest, LeavesStampsAloneWhenStampingIsOff) {
  for (int no = 1; no <= 3; ++no) Add("Voucher", 100 + no, no);
  InsertVoucherNumber(2, 0, kYear, kPeriod, kType, kOrg);
  EXPECT_EQ(Numbers(), "V1 V3 V4");
  EXPECT_EQ(host_.Scalar("Select count(*) From Voucher Where strUQStamp <> ' '"), "0");
}

TEST_F(NumberInsertionTest, AFreeNumberBeyondTheLastMovesNothing) {
  for (int no = 1; no <= 3; ++no) Add("Voucher", 100 + no, no);
  AddCounter(3);
  AddVolume("01", 1, 10);
  const NumberInsertion result = InsertVoucherNumber(4, 0, kYear, kPeriod, kType, kOrg);
  EXPECT_FALSE(result.shifted);
  EXPECT_FALSE(result.counter_followed);
  EXPECT_EQ(Numbers(), "V1 V2 V3");
  EXPECT_EQ(Counter(), "3");
  EXPECT_EQ(Volumes(), "01:1-10");
}

TEST_F(NumberInsertionTest, ReceiptCounterFollowsWhenTheNewHighestReachesTheSecondBound) {
  for (int no = 1; no <= 7; ++no) Add("Voucher", 100 + no, no);
  AddCounter(7);
  EXPECT_TRUE(InsertVoucherNumber(5, 8, kYear, kPeriod, kType, kOrg).counter_followed);
  EXPECT_EQ(Counter(), "8");
}

TEST_F(NumberInsertionTest, ReceiptCounterStaysBelowTheSecondBoundOrAboveTheOldHighest) {
  for (int no = 1; no <= 7; ++no) Add("Voucher", 100 + no, no);
  AddCounter(7);
  EXPECT_FALSE(InsertVoucherNumber(5, 9, kYear, kPeriod, kType, kOrg).counter_followed);
  EXPECT_EQ(Counter(), "7");

  // Highest is now 8; a counter that already claims more than that is left as it is.
  host_.Data().Execute(
      "Update ReceiptMaxNo Set lngReceiptNo = 12 Where intYear = 2026 And "
      "bytPeriod = 3");
  EXPECT_TRUE(InsertVoucherNumber(2, 0, kYear, kPeriod, kType, kOrg).counter_followed);
  EXPECT_EQ(Counter(), "12");
}

TEST_F(NumberInsertionTest, TheVolumeHoldingTheNumberGrowsAndLaterVolumesMoveUp) {
  for (int no = 1; no <= 7; ++no) Add("Voucher", 100 + no, no);
  AddVolume("01", 1, 4);
  AddVolume("02", 5, 7);
  NumberInsertion result = InsertVoucherNumber(3, 0, kYear, kPeriod, kType, kOrg);
  EXPECT_TRUE(result.volumes_adjusted);
  EXPECT_EQ(result.volume, "01");
  EXPECT_EQ(Volumes(), "01:1-5 02:6-8");

  result = InsertVoucherNumber(6, 0, kYear, kPeriod, kType, kOrg);
  EXPECT_EQ(result.volume, "02");
  EXPECT_EQ(Volumes(), "01:1-5 02:6-9");
}

TEST_F(NumberInsertionTest, ANumberInAGapOrBeyondTheVolumesLeavesTheirLabelsAlone) {
  for (int no = 1; no <= 9; ++no) Add("Voucher", 100 + no, no);
  AddVolume("01", 1, 3);
  AddVolume("02", 6, 8);
  NumberInsertion result = InsertVoucherNumber(4, 0, kYear, kPeriod, kType, kOrg);
  EXPECT_EQ(result.volume, "0000");
  EXPECT_EQ(Volumes(), "01:1-3 02:7-9");

  result = InsertVoucherNumber(10, 0, kYear, kPeriod, kType, kOrg);
  EXPECT_TRUE(result.shifted);
  EXPECT_FALSE(result.volumes_adjusted);
  EXPECT_EQ(Volumes(), "01:1-3 02:7-9");
}

TEST_F(NumberInsertionTest, AFailureInsideTheCallersTransactionUndoesTheWholeShift) {
  StampingOn();
  for (int no = 1; no <= 4; ++no) {
    Add("Voucher", 100 + no, no);
    Add("BudgetVoucher", 200 + no, no);
  }
  AddCounter(4);
  const std::string before = Numbers();
  // 1 highest number, 2 volume end, 3-4 shift Voucher, 5 the first budget statement.
  host_.Data().FailAtStatement(5);
  {
    host::TransactionGuard transaction(host_.Data());
    EXPECT_THROW(InsertVoucherNumber(2, 0, kYear, kPeriod, kType, kOrg), host::DatabaseError);
  }
  host_.Data().NeverFail();
  EXPECT_EQ(Numbers(), before);
  EXPECT_EQ(Counter(), "4");
}

}  // namespace
}  // namespace lumvoucher::frame

namespace lumvoucher::frame {
namespace {

TEST_F(NumberInsertionTest, CounterAndVolumeStatementsAreTheSystemsText) {
  for (int no = 1; no <= 3; ++no) Add("Voucher", 100 + no, no);
  AddVolume("01", 1, 3);
  host_.Data().Record(true);
  InsertVoucherNumber(2, 0, kYear, kPeriod, kType, kOrg);
  const std::vector<std::string>& sql = host_.Data().Recorded();
  auto starting = [&sql](std::string_view prefix) {
    for (const std::string& text : sql) {
      if (text.starts_with(prefix)) return text;
    }
    return std::string("(none)");
  };
  EXPECT_EQ(starting("Select Max(VV"),
            "Select Max(VV.intNoEnd) As intNoEnd From VoucherVolume VV Where VV.intYear = 2026 And "
            "VV.bytPeriod = 3 And VV.lngVoucherTypeID = 1 And VV.lngOrganizationID = 1");
  EXPECT_EQ(starting("Update ReceiptMaxNo"),
            "Update ReceiptMaxNo R Set R.lngReceiptNo = (lngReceiptNo + 1) Where  R.intYear = 2026 "
            "And R.bytPeriod = 3 And R.lngReceiptTypeID = 41 And R.strReceiptNo = '1' And "
            "R.lngOrganizationID = 1 And R.lngReceiptNo <= 3");
  EXPECT_EQ(
      starting("Select Nvl("),
      "Select Nvl(Max(strVolume),'0000') As strVolume From VoucherVolume VV  WHERE VV.intYear "
      "= 2026 And VV.bytPeriod = 3 And VV.lngVoucherTypeID = 1 And VV.lngOrganizationID = 1 "
      "And VV.intNoStart <= 2 And VV.intNoEnd >= 2");
}

}  // namespace
}  // namespace lumvoucher::frame
