#include <gtest/gtest.h>

#include "host/message_box.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

using voucher::HeaderField;
using voucher::kCredit;
using voucher::kDebit;
using voucher::LineField;
constexpr int kOk = host::mb::kOk;
constexpr const char* kBadNumber = "数字输入非法！";
constexpr const char* kTooLarge = "数字超出范围，最多15位有效数字！";

// The number cells of the two lines as held, unformatted.
std::string Cells(const voucher::VoucherState& s) {
  auto p = [](double value) { return voucher::FormatPlain(value); };
  const voucher::VoucherLine& a = s.lines[0];
  const voucher::VoucherLine& b = s.lines[1];
  return "D" + p(a.debit) + " q" + p(a.quantity) + " p" + p(a.price) + " | C" + p(b.credit) + " c" +
         p(b.currency_amount) + " r" + p(b.rate);
}

using TypedInput = VoucherSaveTest;

TEST_F(TypedInput, NumberCellsTakeDecimalTextRoundedToItsPlacesWithin15Digits) {
  // 1403 carries quantity and price, 1002-02 a currency amount and a rate.
  NewVoucherWith({{"1403", kDebit, "100"}, {"1002-02", kCredit, "710"}});
  const std::string before = Cells(S());
  const std::pair<int, LineField> cells[] = {{1, LineField::kDebit},
                                             {1, LineField::kQuantity},
                                             {1, LineField::kPrice},
                                             {2, LineField::kCurrencyAmount},
                                             {2, LineField::kRate}};
  for (const char* bad : {"nan", "-inf", "Infinity", "0x10", "0x1p3", "1e308", "1E2", "1.5.2",
                          "12abc", "1,00", "１００", "--5", ".", "1 000"}) {
    for (auto [row, field] : cells) {
      SCOPED_TRACE(bad);
      CellRefuses(row, field, bad, kBadNumber);
    }
  }
  // 14 digits and 2 places, 12 digits and 4 places: one digit too many.
  for (const char* large : {"12345678901234567890", "10000000000000", "-99999999999999.9"}) {
    CellRefuses(1, LineField::kDebit, large, kTooLarge);
  }
  CellRefuses(1, LineField::kQuantity, "100000000000", kTooLarge);
  EXPECT_EQ(Cells(S()), before);
  // Factors that fit, a product that does not.
  ASSERT_TRUE(w_.SetCell(1, LineField::kQuantity, "10000000000"));
  CellRefuses(1, LineField::kPrice, "10000000000", kTooLarge);

  ASSERT_TRUE(w_.SetCell(1, LineField::kQuantity, "2.123456"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kDebit, " 1,234.565 "));
  ASSERT_TRUE(w_.SetCell(2, LineField::kRate, "7.12345678"));
  ASSERT_TRUE(w_.SetCell(2, LineField::kCurrencyAmount, "+100.006"));
  EXPECT_EQ(Cells(S()), "D1234.57 q2.1235 p581.3845 | C712.42 c100.01 r7.1235");
  CellRefuses(2, LineField::kCredit, "9999999999999.999", kTooLarge);
  ASSERT_TRUE(w_.SetCell(2, LineField::kCredit, "9999999999999.99"));
  EXPECT_EQ(Cells(S()), "D1234.57 q2.1235 p581.3845 | C9999999999999.99 c100.01 r7.1235");
}

TEST_F(TypedInput, HeaderNumbersAndDatesAreRangeCheckedWhenTheCursorLeaves) {
  ASSERT_TRUE(w_.ShowANewBill(0));
  struct Case {
    HeaderField field;
    const char* text;
    const char* message;  // nullptr: accepted
  };
  const Case cases[] = {
      {HeaderField::kNumber, "12345678901234567890", "凭证号不能大于999999！"},
      {HeaderField::kNumber, "-3", "凭证号必须输入大于零的数字！"},
      {HeaderField::kNumber, "999999", nullptr},
      {HeaderField::kAttachments, "99999999999999999999", "附单数不能大于32767！"},
      {HeaderField::kAttachments, "1e3", "附单数必须输入数字！"},
      {HeaderField::kDate, "1/2/2026", "日期输入非法！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    w_.SetHeaderField(c.field, c.text);
    if (c.message != nullptr) t_.Messages().Expect(c.message, kOk, "填制凭证");
    EXPECT_EQ(w_.LeaveHeaderField(c.field), c.message == nullptr);
  }
}

TEST_F(TypedInput, TheSaveRefusesWhatNoCellWouldTakeAndWritesNothing) {
  EnterOfficeVoucher();
  const std::string before = DumpTouched(t_.Data());
  // Fields typed but never left.
  ASSERT_TRUE(w_.SetHeaderField(HeaderField::kNumber, "99999999999999999999"));
  SaveStops("凭证号不能大于999999！");
  ASSERT_TRUE(w_.SetHeaderField(HeaderField::kNumber, "000009"));
  ASSERT_TRUE(w_.SetHeaderField(HeaderField::kAttachments, "99999999999999999999"));
  SaveStops("附单数不能大于32767！");
  ASSERT_TRUE(w_.SetHeaderField(HeaderField::kAttachments, "2"));
  // Amounts that reached the lines some other way.
  L(1).debit = 1e308;
  L(2).credit = 1e308;
  SaveStops(std::string("第1条分录") + kTooLarge);
  EXPECT_EQ(DumpTouched(t_.Data()), before);
}

TEST_F(TypedInput, LineDatesAreCalendarDatesAndABlankOneIsEmpty) {
  NewVoucherWith({{"1122", kDebit, "100"}});
  ASSERT_TRUE(w_.SetCell(1, LineField::kUnit, "001"));
  for (const char* bad :
       {"2026-01-32", "2026-02-30", "1/2/2026", "2026-13-01", "20260215", "2026-+2-01"}) {
    SCOPED_TRACE(bad);
    CellRefuses(1, LineField::kBusinessDate, bad, "业务日期输入非法！");
    CellRefuses(1, LineField::kCheckDate, bad, "票据日期输入非法！");
  }
  ASSERT_TRUE(w_.SetCell(1, LineField::kBusinessDate, " "));
  t_.Messages().Expect("科目“1122 应收账款”为应收应付性质科目，请输入业务日期！", kOk, "填制凭证");
  EXPECT_FALSE(w_.ValidateLine(1, false, true));
  // A stored date that is not one says so instead of being compared with the voucher's.
  L(1).business_date = "2026-02-30";
  t_.Messages().Expect("业务日期输入非法！", kOk, "保存凭证");
  EXPECT_FALSE(w_.ValidateLine(1, true, true));
  ASSERT_TRUE(w_.SetCell(1, LineField::kBusinessDate, "2026-2-15"));
  EXPECT_EQ(S().lines[0].business_date, "2026-02-15");
  EXPECT_TRUE(w_.ValidateLine(1, false, true));
}

}  // namespace
}  // namespace lumvoucher::testing
