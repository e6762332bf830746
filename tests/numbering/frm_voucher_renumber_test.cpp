#include "numbering/frm_voucher_renumber.h"

#include "numbering/numbering_fixture.h"
#include "numbering/numbering_texts.h"
#include "numbering/numbering_windows.h"
#include "numbering/voucher_moves.h"

namespace lumvoucher::testing {
namespace {

namespace texts = numbering::texts;
using host::mb::kYes;

class RenumberTest : public NumberingTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(w_.Load());
    ASSERT_TRUE(w_.SetPeriod(kPeriod));
  }
  std::string Report() {
    std::string out;
    for (const std::string& line : w_.State().report) out += line + "\n";
    return out;
  }
  bool Renumber() {
    t_.Messages().Expect(texts::kRenumberQuestion, kYes, texts::kTitleRenumber);
    return w_.Renumber();
  }
  std::string Explained() {
    std::string out;
    for (const numbering::LedgerLine& l : w_.Explain()) {
      out += l.type_code + "-" + std::to_string(l.number) + " " + l.status + " " + l.text + "\n";
    }
    return out;
  }

  numbering::frmVoucherRenumber w_{numbering::NumberingBasis::Single()};
};

TEST_F(RenumberTest, GapsCloseAndTheReportShowsThemBeforeAndNotAfter) {
  for (long n : {1, 2, 5, 6}) Add(n, n);
  Counter(kNoteType, 6);
  ASSERT_TRUE(w_.Query());
  EXPECT_EQ(Report(),
            "凭证字:记       最大凭证字号   记-000006\n"
            "记-000003 到 记-000004                   缺号   \n"
            "---------------------------------------------------------\n"
            "合计：   总单数: 6   缺号数: 2   作废数: 0\n"
            "结束\n");
  EXPECT_EQ(w_.State().report_title, "凭证缺号表（年度：2026期间：3 机构：星河医疗集团）");

  ASSERT_TRUE(Renumber());
  EXPECT_EQ(Vouchers(), "1:1:0000 2:2:0000 5:3:0000 6:4:0000");
  EXPECT_EQ(Report(),
            "凭证字:记       最大凭证字号   记-000004\n"
            "---------------------------------------------------------\n"
            "合计：   总单数: 4   缺号数: 0   作废数: 0\n"
            "结束\n");
  EXPECT_EQ(Receipt(kNoteType), "4");
  EXPECT_EQ(LogTexts(), "编号整理 2026年03期 记 #o1y2026p3t1 5-6>3\n");
  ExpectInvariants(false);
}

TEST_F(RenumberTest, DateOrderPutsAnEarlierVoucherAheadAndStampsFollowTheNumbers) {
  StampingOn();
  Add(1, 1, "2026-03-10");
  Add(2, 2, "2026-03-20");
  Add(3, 3, "2026-03-05");
  Counter(kNoteType, 3);
  w_.SetByDate(true);
  ASSERT_TRUE(Renumber());
  EXPECT_EQ(Vouchers(), "1:2:0000* 2:3:0000* 3:1:0000*");
  ExpectInvariants(true);
}

TEST_F(RenumberTest, ARangeClosesItsGapsAndLeavesTheOtherNumbers) {
  for (long n : {1, 2, 5, 7, 9, 12}) Add(n, n);
  Counter(kNoteType, 12);
  w_.SetRangeMode(true);
  ASSERT_TRUE(w_.SetRange(0, kNoteType, "5", "10"));
  ASSERT_TRUE(w_.Query());
  EXPECT_EQ(
      Report(),
      "凭证字:记       最大凭证字号   记-000009  开始凭证字号：记-000005  结束凭证字号：记-000010\n"
      "记-000006                   缺号   \n"
      "记-000008                   缺号   \n"
      "---------------------------------------------------------\n"
      "合计：   总单数: 5   缺号数: 2   作废数: 0\n"
      "结束\n");
  ASSERT_TRUE(Renumber());
  EXPECT_EQ(Vouchers(), "1:1:0000 2:2:0000 5:5:0000 7:6:0000 9:7:0000 12:12:0000");
  EXPECT_EQ(Receipt(kNoteType), "12");
  ExpectInvariants(false);
}

TEST_F(RenumberTest, APrintedVoucherRenumberedTwiceKeepsBothFormerNumbers) {
  Add(1, 1);
  Add(2, 4, "2026-03-10", kNoteType, true);
  Add(3, 2, "2026-03-10", kNoteType, true);
  Counter(kNoteType, 4);
  ASSERT_TRUE(Renumber());
  // The printed voucher that keeps its number has nothing to add.
  EXPECT_EQ(Vouchers(), "1:1:0000 2:3:0000:0004 3:2:0000");
  Exec("Delete From Voucher Where lngVoucherID = " + Id(1));
  ASSERT_TRUE(Renumber());
  EXPECT_EQ(Vouchers(), "2:2:0000:0004 0003 3:1:0000:0002");
}

TEST_F(RenumberTest, VolumesFollowTheNewNumbersAndNoneBeyondTheLast) {
  for (long n : {2, 4, 6, 8}) Add(n, n);
  Counter(kNoteType, 8);
  Volume("01", 1, 2);
  Volume("02", 3, 3);
  ASSERT_TRUE(Renumber());
  EXPECT_EQ(Vouchers(), "2:1:01 4:2:01 6:3:02 8:4:0000");
}

TEST_F(RenumberTest, OnlyTheChosenTypeMovesAndAVoidNumberIsReported) {
  for (long n : {1, 3}) Add(n, n);
  Add(11, 2, "2026-03-10", kCashType);
  Add(12, 4, "2026-03-10", kCashType);
  Exec("Update Voucher Set blnIsVoid = 1 Where lngVoucherID = " + Id(11));
  Counter(kNoteType, 3);
  Counter(kCashType, 4);
  w_.SetVoucherType(kCashType);
  ASSERT_TRUE(w_.Query());
  EXPECT_EQ(Report(),
            "凭证字:收       最大凭证字号   收-000004\n"
            "收-000001                   缺号   \n"
            "收-000002                   作废   \n"
            "收-000003                   缺号   \n"
            "---------------------------------------------------------\n"
            "合计：   总单数: 4   缺号数: 2   作废数: 1\n"
            "结束\n");
  ASSERT_TRUE(Renumber());
  EXPECT_EQ(Vouchers(kNoteType), "1:1:0000 3:3:0000");
  EXPECT_EQ(Vouchers(kCashType), "11:1:0000 12:2:0000");
}

TEST_F(RenumberTest, TheFlipRepairsANumberLeftNegativeByAStoppedPass) {
  Add(1, 2);
  Add(2, -5, "2026-04-02", kNoteType, false, " ", 4);
  Counter(kNoteType, 2);
  ASSERT_TRUE(Renumber());
  EXPECT_EQ(Scalar("Select intVoucherNO From Voucher Where lngVoucherID = " + Id(2)), "5");
  EXPECT_EQ(Vouchers(), "1:1:0000");
}

TEST_F(RenumberTest, DeclinedOrEmptyRunsChangeNothing) {
  for (long n : {1, 3}) Add(n, n);
  Counter(kNoteType, 3);
  t_.Messages().Expect(texts::kRenumberQuestion, host::mb::kNo, texts::kTitleRenumber);
  EXPECT_FALSE(w_.Renumber());
  EXPECT_EQ(Vouchers(), "1:1:0000 3:3:0000");
  ASSERT_TRUE(w_.SetPeriod(4));
  ASSERT_TRUE(w_.Query());
  EXPECT_EQ(Report(),
            "凭证字:无      最大凭证字号   000000\n"
            "---------------------------------------------------------\n"
            "合计：   总单数: 0   缺号数: 0   作废数: 0\n"
            "结束\n");
  ASSERT_TRUE(Renumber());
  EXPECT_EQ(LogTexts(), "");
}

TEST_F(RenumberTest, YearsPeriodsAndRangesOutsideTheAccountSetAreRefused) {
  struct Case {
    long organization;
    int year;
    int period;
    const char* message;
  };
  const Case cases[] = {
      {1, 2025, 3, texts::kYearOutside},    {1, 2027, 3, texts::kYearOutside},
      {1, 2026, 13, texts::kPeriodOutside}, {1, 2026, 0, texts::kPeriodOutside},
      {4, 2026, 1, texts::kPeriodOutside},  // 东城分院门诊部 starts in February
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "/" + std::to_string(c.period));
    ASSERT_TRUE(w_.SetOrganization(c.organization));
    t_.Messages().Expect(c.message, host::mb::kOk, texts::kTitleWarning);
    EXPECT_FALSE(c.year != 2026 ? w_.SetYear(c.year) : w_.SetPeriod(c.period));
    EXPECT_EQ(w_.State().year, 2026);
    EXPECT_EQ(w_.State().period, kPeriod);
  }
  EXPECT_TRUE(w_.SetPeriod(2));
  EXPECT_FALSE(w_.SetOrganization(99));

  const std::string too_long(100, '9');
  const std::pair<const char*, const char*> ranges[] = {
      {"abc", "10"}, {"5", "1000000"}, {"-1", "3"}, {"5'", "9"}, {too_long.c_str(), "1"}};
  for (const auto& [start, end] : ranges) {
    t_.Messages().Expect(texts::kRangeNumberInvalid, host::mb::kOk, texts::kTitleWarning);
    EXPECT_FALSE(w_.SetRange(0, kNoteType, start, end));
  }
  t_.Messages().Expect(texts::kRangeStartAboveEnd, host::mb::kOk, texts::kTitleWarning);
  EXPECT_FALSE(w_.SetRange(0, kNoteType, "10", "5"));
  ASSERT_TRUE(w_.SetRange(0, kNoteType, "1", "5"));
  t_.Messages().Expect(texts::kRangeTypeTwice, host::mb::kOk, texts::kTitleWarning);
  EXPECT_FALSE(w_.SetRange(1, kNoteType, "6", "9"));
  EXPECT_EQ(w_.State().range_rows.size(), 1u);
}

TEST_F(RenumberTest, TheLedgerExplainsMissingVoidAndMovedNumbers) {
  for (long n : {1, 2, 3, 4, 5, 6}) Add(n, n);
  Counter(kNoteType, 6);
  numbering::WriteDeleteLedger({kIdBase + 2});
  Exec("Delete From Voucher Where lngVoucherID = " + Id(2));
  Exec("Update Voucher Set blnIsVoid = 1 Where lngVoucherID = " + Id(5));
  Exec("Delete From Voucher Where lngVoucherID = " + Id(4));
  ASSERT_TRUE(w_.Query());
  const std::string before = Explained();
  EXPECT_NE(before.find("记-2 缺号 删除凭证（"), std::string::npos) << before;
  EXPECT_NE(before.find("记-4 缺号 日志中没有这个号的记录"), std::string::npos) << before;
  EXPECT_NE(before.find("记-5 作废 凭证已作废（制单人 李明，日期 2026-03-10）"), std::string::npos)
      << before;
  ASSERT_TRUE(Renumber());
  const std::string after = Explained();
  EXPECT_NE(after.find("记-2 移入 编号整理：由 记-000003 移来（"), std::string::npos) << after;
  EXPECT_NE(after.find("记-3 作废"), std::string::npos) << after;
  EXPECT_NE(after.find("记-4 移入 编号整理：由 记-000006 移来（"), std::string::npos) << after;
  EXPECT_EQ(after.find("缺号"), std::string::npos) << after;
}

// Former numbers are appended trimmed and cut to the column.
TEST(FormerNumbers, AppendTrimmedAndCutToTheColumn) {
  EXPECT_EQ(numbering::AppendFormerNumber(" ", 4, 4), "0004");
  EXPECT_EQ(numbering::AppendFormerNumber("0004 ", 3, 4), "0004 0003");
  EXPECT_EQ(numbering::AppendFormerNumber("000004", 12, 6), "000004 000012");
  const std::string full(numbering::kFormerNumbersWidth - 2, '1');
  EXPECT_EQ(numbering::AppendFormerNumber(full, 7, 4), full + " 0");
}

TEST_F(NumberingTest, TheNumberWindowOpensOnThePreselectedType) {
  t_.Modal().Expect(texts::kRenumberWindowName, [](host::ModalWindow& window) {
    auto& numbers = dynamic_cast<numbering::frmVoucherRenumber&>(window);
    EXPECT_EQ(numbers.State().voucher_type_id, kCashType);
    EXPECT_EQ(numbers.State().types.front().code, texts::kAllTypes);
    EXPECT_EQ(numbers.State().period, 2);
    return 0;
  });
  numbering::ShowVoucherRenumber(kCashType);
  EXPECT_EQ(t_.Modal().Pending(), 0u);
}

}  // namespace
}  // namespace lumvoucher::testing
