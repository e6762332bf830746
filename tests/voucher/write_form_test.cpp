#include "voucher/write_form.h"

#include <gtest/gtest.h>

#include "host/message_box.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

// One record of WriteForm: the header of 记-000005 on 2026-02-15, then the line's own fields.
std::string Record(const std::string& remark, const std::string& account, const std::string& side,
                   const std::string& amount, const std::string& unit = "0") {
  std::vector<std::string> f(38, "");
  f[0] = "2026-02";
  f[1] = "2026-02-15";
  f[2] = "1";
  f[3] = "5";
  f[4] = remark;
  f[5] = account;
  f[6] = side;
  f[7] = amount;
  f[13] = "2";
  f[15] = "33";
  f[16] = "0000";
  f[17] = "FALSE";
  f[18] = "1";
  f[20] = unit;
  f[34] = "2026-02-15";
  f[35] = "1";
  std::string out;
  for (std::size_t i = 0; i < f.size(); ++i) out += (i == 0 ? "" : "\t") + f[i];
  return out;
}

std::string OfficeVoucher(const std::string& remark = "领用办公用品") {
  return Record(remark, "5", "1", "300") + "\n" + Record(remark, "21", "-1", "300", "4");
}

// `detail` with field `position` (1-based) of every record replaced by `value`.
std::string With(std::string detail, int position, const std::string& value) {
  std::size_t start = 0;
  do {
    std::size_t from = start;
    for (int i = 1; i < position; ++i) from = detail.find('\t', from) + 1;
    detail.replace(from, detail.find_first_of("\t\n", from) - from, value);
    start = detail.find('\n', start);
  } while (start++ != std::string::npos);
  return detail;
}

class ProgramSave : public VoucherSaveTest {
 protected:
  int Save(const std::string& detail, bool cover = false) {
    if (!t_.Component().WriteForm(detail, "")) return -1;
    // The mark goes to the window WriteForm filled: a flag, nothing read.
    t_.Data().ResetCount();
    t_.Component().MustSave();
    EXPECT_EQ(t_.Data().StatementCount(), 0);
    return t_.Component().SaveAVoucher(cover, "");
  }
};

TEST_F(ProgramSave, WriteFormMustSaveSaveAVoucherStoresANewVoucherAndTellsItsModule) {
  EXPECT_EQ(Save(OfficeVoucher("O'Neil\x07领用")), 1);
  EXPECT_EQ(Rows("Select v.intVoucherNO, v.intNumber, v.lngVoucherSourceID, v.blnIsPrint, "
                 "d.lngRowID, d.strRemark, d.lngAccountID, d.intDirection, d.dblAmount, "
                 "d.lngCustomerID From Voucher v, VoucherDetail d Where v.lngVoucherID = "
                 "d.lngVoucherID And v.lngVoucherSourceID = 33 Order By d.lngRowID"),
            "5|2|33|0|1|O'Neil 领用|5|1|300|0\n5|2|33|0|2|O'Neil 领用|21|-1|300|4\n");
  // SaveBill alone tells the generating module; a program's save leaves that to the program.
  auto* consumption =
      dynamic_cast<embedded::NotifiedModule<host::clsConsumption>*>(frame::Login().consumption);
  ASSERT_NE(consumption, nullptr);
  EXPECT_TRUE(consumption->Told().empty());
  // Nothing marked: nothing to save.
  EXPECT_EQ(t_.Component().SaveAVoucher(false, ""), 2);
}

TEST_F(ProgramSave, BadInputIsAClearFailureAndWritesNothing) {
  const std::string before = DumpTouched(t_.Data());
  std::string short_record = Record("短", "5", "1", "300");
  short_record.resize(short_record.rfind('\t'));
  EXPECT_EQ(Save(short_record), -1);
  EXPECT_EQ(Save(Record("非数字", "5", "1", "三百") + "\n" + Record("x", "21", "-1", "300", "4")),
            -1);
  EXPECT_EQ(Save(Record("方向", "5", "2", "300")), -1);
  EXPECT_EQ(Save(""), -1);
  // An account id nobody has: the line has no account.
  t_.Messages().Expect("第1条分录非法（无科目），不能存盘！", host::mb::kOk, "保存凭证");
  EXPECT_EQ(Save(Record("未知", "999", "1", "300") + "\n" + Record("x", "21", "-1", "300", "4")),
            0);
  t_.Messages().Expect("凭证借贷方不平（差额100.00），不能存盘！", host::mb::kOk, "保存凭证");
  EXPECT_EQ(Save(Record("单边", "5", "1", "300") + "\n" + Record("x", "21", "-1", "200", "4")), 0);
  EXPECT_EQ(DumpTouched(t_.Data()), before);
}

TEST_F(ProgramSave, CoverOverwritesAnUntouchedVoucherOfTheSameSourceOnly) {
  ASSERT_EQ(Save(OfficeVoucher("第一次")), 1);
  const std::string first = t_.Scalar(
      "Select lngVoucherID From Voucher Where intVoucherNO = 5 And "
      "lngVoucherTypeID = 1");
  EXPECT_EQ(Save(OfficeVoucher("第二次"), true), 1);
  EXPECT_EQ(Rows("Select d.strRemark From Voucher v, VoucherDetail d Where v.lngVoucherID = "
                 "d.lngVoucherID And v.intVoucherNO = 5 And v.lngVoucherTypeID = 1"),
            "第二次\n第二次\n");
  EXPECT_EQ(t_.Scalar("Select Count(*) From Voucher Where lngVoucherID = " + first), "0");
  t_.Data().Execute(
      "Update Voucher Set lngCheckerID = 3 Where intVoucherNO = 5 And "
      "lngVoucherTypeID = 1");
  t_.Messages().Expect("记000005号凭证不能覆盖原凭证(已复核)", host::mb::kOk, "保存凭证");
  EXPECT_EQ(Save(OfficeVoucher("第三次"), true), 0);
}

TEST_F(ProgramSave, HostileNumbersDatesAndPeriodsMakeWriteFormAnswerFalse) {
  const std::string before = DumpTouched(t_.Data());
  const std::pair<int, const char*> cases[] = {
      // clang-format off
      {8, "nan"}, {8, "-Infinity"}, {8, "0x10"}, {8, "1e308"}, {8, "12345678901234567890"},
      {8, "10000000000000"}, {10, "nan"}, {11, "1e400"}, {12, "0x1p4"}, {13, "inf"},
      // Voucher number 1..999999, attachments within the 16-bit column, ids within theirs.
      {4, "0"}, {4, "1000000"}, {4, "-5"}, {4, "5.0"}, {14, "32768"}, {14, "-1"},
      {3, "99999999999999999999"}, {21, "0x4"}, {7, "+1.0"},
      // Calendar dates, and the year and period of the date.
      {2, "2026-02-30"}, {2, "1/2/2026"}, {2, ""}, {28, "2026-01-32"}, {35, "15/02/2026"},
      {1, "2026-13"}, {1, "2025-02"}, {1, "2026-03"}, {1, "2026-1x"}, {1, "2026"}};
  // clang-format on
  for (auto [position, value] : cases) {
    EXPECT_FALSE(t_.Component().WriteForm(With(OfficeVoucher(), position, value), ""))
        << position << " " << value;
  }
  EXPECT_EQ(DumpTouched(t_.Data()), before);
}

TEST_F(ProgramSave, TheDateGivesTheYearAndPeriodAndAmountsAreRoundedAsIfTyped) {
  for (const char* period : {"", "2026-2"}) {
    std::string detail = With(With(With(OfficeVoucher(), 1, period), 8, "300.004"), 28, " ");
    ASSERT_EQ(Save(detail, true), 1);
    EXPECT_EQ(Rows("Select v.intYear, v.bytPeriod, d.dblAmount, '[' || d.strCheckDate || ']' "
                   "From Voucher v, VoucherDetail d Where v.lngVoucherID = d.lngVoucherID And "
                   "v.lngVoucherSourceID = 33"),
              "2026|2|300|[ ]\n2026|2|300|[ ]\n");
  }
}

TEST(WriteFormText, ParsesPositionsAndRefusesMalformedRecords) {
  std::optional<voucher::ProgramVoucher> v = voucher::ParseWriteForm(OfficeVoucher() + "\r\n");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->header.year, 2026);
  EXPECT_EQ(v->header.period, 2);
  EXPECT_EQ(v->header.number, "000005");
  EXPECT_EQ(v->header.volume, "0000");
  EXPECT_FALSE(v->header.print_mark);
  EXPECT_EQ(DumpLines(*v), "D - 300.00|C - 300.00");
  EXPECT_FALSE(voucher::ParseWriteForm(OfficeVoucher() + "\n" +
                                       Record("另一张", "5", "1", "1").replace(0, 7, "2026-03")));
}

// A control character is a blank: around a number or a date it goes, inside one it breaks it,
// inside a trimmed text it stays as a blank.
TEST(WriteFormText, ControlCharactersReadAsBlanks) {
  const struct {
    int position;
    const char* value;
    bool parses;
  } cases[] = {{8, "\a 300\f", true},      {8, "3\a00", false},     {2, "\v2026-02-15\f", true},
               {2, "2026-02\b-15", false}, {1, "\a2026-02 ", true}, {1, "20\a26-02", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(voucher::ParseWriteForm(With(OfficeVoucher(), c.position, c.value)).has_value(),
              c.parses)
        << c.position << " " << c.value;
  }
  const std::optional<voucher::ProgramVoucher> v = voucher::ParseWriteForm(
      With(With(With(OfficeVoucher(), 8, "\a 300\f"), 27, "\b A\aB \v"), 18, "\bFALSE"));
  ASSERT_TRUE(v);
  EXPECT_EQ(v->lines[0].check_number, "A B");
  EXPECT_FALSE(v->header.print_mark);
  EXPECT_EQ(DumpLines(*v), "D - 300.00|C - 300.00");
}

}  // namespace
}  // namespace lumvoucher::testing
