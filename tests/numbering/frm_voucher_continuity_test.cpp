#include "numbering/frm_voucher_continuity.h"

#include "numbering/numbering_fixture.h"
#include "numbering/numbering_texts.h"

namespace lumvoucher::testing {
namespace {

namespace texts = numbering::texts;
using host::mb::kYes;

class ContinuityTest : public NumberingTest {
 protected:
  void Open() { ASSERT_TRUE(w_.Load()); }
  // Ticks the rows of the vouchers Add stored as `ids`.
  void Tick(std::initializer_list<long> ids) {
    for (long id : ids) {
      bool found = false;
      for (int row = 0; row < static_cast<int>(w_.State().rows.size()); ++row) {
        if (w_.VoucherID(row) == kIdBase + id) {
          w_.SetTicked(row, true);
          found = true;
        }
      }
      ASSERT_TRUE(found) << "voucher " << id << " is not a candidate";
    }
  }
  // The listed vouchers' ids (demo ones as stored, the tests' as Add takes them), "!" marked.
  std::string Listed() {
    std::string out;
    for (int row = 0; row < static_cast<int>(w_.State().rows.size()); ++row) {
      const long id = w_.VoucherID(row);
      out += (out.empty() ? "" : " ") + std::to_string(id > kIdBase ? id - kIdBase : id);
      if (w_.State().marked[static_cast<std::size_t>(row)]) out += "!";
    }
    return out;
  }
  void ExpectRefusal(const char* text) {
    t_.Messages().Expect(text, host::mb::kOk, texts::kContinuityTitle);
    EXPECT_FALSE(w_.Run());
  }
  void ExpectRun(const std::string& numbers) {
    t_.Messages().Expect(texts::kContinuityQuestion, kYes, texts::kContinuityTitle);
    t_.Messages().Expect(std::string(texts::kContinuityDone) + numbers, host::mb::kOk,
                         texts::kContinuityTitle);
    EXPECT_TRUE(w_.Run());
  }

  numbering::frmVoucherContinuity w_{numbering::NumberingBasis::Single()};
};

TEST_F(ContinuityTest, TickedVouchersMoveBehindTheHighestIssuedNumber) {
  for (long n = 1; n <= 10; ++n) Add(n, n);
  Counter(kNoteType, 10);
  Open();
  Tick({7, 3});
  ExpectRun("000011 - 000012");
  EXPECT_EQ(Vouchers(),
            "1:1:0000 2:2:0000 3:11:0000 4:4:0000 5:5:0000 6:6:0000 7:12:0000 8:8:0000 9:9:0000 "
            "10:10:0000");
  EXPECT_EQ(Receipt(kNoteType), "12");
  EXPECT_EQ(LogTexts(), "凭证连号处理 2026年03期 记 #o1y2026p3t1 3>11,7>12\n");
  EXPECT_EQ(w_.TickedCount(), 0);  // reloaded
  ExpectInvariants(false);
}

TEST_F(ContinuityTest, ThePrintedOnesKeepTheirNumbersAndVolumesAndStampsFollow) {
  StampingOn();
  for (long n = 1; n <= 4; ++n) Add(n, n, "2026-03-1" + std::to_string(n), kNoteType, n == 2);
  Counter(kNoteType, 2);  // behind the stored numbers: the run starts above them
  Volume("01", 1, 4);
  Volume("02", 5, 20);
  Open();
  Tick({1, 2});
  ExpectRun("000005 - 000006");
  EXPECT_EQ(Vouchers(), "1:5:02* 2:6:02:000002* 3:3:0000 4:4:0000");
  ExpectInvariants(false);
  EXPECT_EQ(Receipt(kNoteType), "6");
}

TEST_F(ContinuityTest, WithoutACounterTheRunStartsAboveTheStoredNumbersAndAddsOne) {
  for (long n : {1, 2, 4}) Add(n, n, "2026-03-10", kCashType);
  Open();
  Tick({1, 2});
  ExpectRun("000005 - 000006");
  EXPECT_EQ(Vouchers(kCashType), "1:5:0000 2:6:0000 4:4:0000");
  EXPECT_EQ(Receipt(kCashType), "6");
}

TEST_F(ContinuityTest, TheChecksComeInTheirOrder) {
  Add(1, 1);
  Add(2, 2);
  Add(3, 1, "2026-03-10", kCashType);
  Add(4, 9, "2026-02-10", kNoteType, false, " ", 2);
  Open();
  ExpectRefusal(texts::kNothingTicked);
  Tick({1, 3, 4});
  ExpectRefusal(texts::kMixedTypes);
  w_.SelectNone();
  Tick({1, 4});
  ExpectRefusal(texts::kMixedPeriods);
  w_.SelectNone();
  Tick({1});
  ExpectRefusal(texts::kTooFew);
  Tick({2});
  t_.Messages().Expect(texts::kContinuityQuestion, host::mb::kNo, texts::kContinuityTitle);
  EXPECT_FALSE(w_.Run());
  EXPECT_EQ(Vouchers(), "1:1:0000 2:2:0000");
}

TEST_F(ContinuityTest, OnlyTheOperatorsUntouchedVouchersOfTheOrganisationAreListed) {
  Add(1, 1);
  Add(2, 2);
  Add(3, 3);
  Add(4, 4);
  Add(5, 1, "2026-03-10", kNoteType, false, " ", kPeriod, 4);
  Exec("Update Voucher Set lngCheckerID = 3 Where lngVoucherID = " + Id(2));
  Exec("Update Voucher Set lngOperatorID = 6 Where lngVoucherID = " + Id(3));
  Exec("Update Voucher Set blnIsError = 1 Where lngVoucherID = " + Id(4));
  Open();
  // Demo vouchers 5 (收), 3, 6 (void), 7 (error) and 8 of period 2 are the maker's too.
  EXPECT_EQ(Listed(), "5 3 6! 7! 8 1 4!");
  EXPECT_EQ(w_.CellText(1, w_.ColumnIndex("凭证字号")), "记-000001");
  EXPECT_EQ(w_.CellText(2, w_.ColumnIndex(texts::kStatusCaption)), texts::kStatusVoid);
  EXPECT_FALSE(w_.State().more_rows);
}

TEST_F(ContinuityTest, TheFilterNarrowsTheListByTheVouchersLines) {
  Open();
  t_.Host().Filter().SetAnswer({" VoucherDetail.lngAccountID = 32 ", "", ""});
  ASSERT_TRUE(w_.Filter());
  EXPECT_EQ(Listed(), "3");
  EXPECT_EQ(t_.Host().Filter().LastListId(), 3);
  EXPECT_EQ(t_.Host().Filter().LastTitle(), texts::kContinuityTitle);
}

TEST_F(ContinuityTest, VouchersBeyondTheListAreLeftForALaterRun) {
  for (long n = 1; n <= numbering::frmVoucherContinuity::kMaxRows; ++n) Add(n, n);
  t_.Messages().Expect(texts::kContinuityMoreRows, host::mb::kOk, texts::kContinuityTitle);
  Open();
  EXPECT_TRUE(w_.State().more_rows);
  EXPECT_EQ(w_.State().rows.size(),
            static_cast<std::size_t>(numbering::frmVoucherContinuity::kMaxRows));
}

}  // namespace
}  // namespace lumvoucher::testing
