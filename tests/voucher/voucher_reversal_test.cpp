#include "voucher/voucher_reversal.h"

#include <gtest/gtest.h>

#include <string>

#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
using voucher::HeaderField;

// A line as "D 1002-01 -50000 | 工商银行 ..." with its items, for comparing prepared vouchers.
std::string Line(const voucher::VoucherLine& l) {
  std::string out = std::string(l.direction == voucher::kCredit ? "C " : "D ") +
                    l.account_text.substr(0, l.account_text.find(' ')) + " " +
                    voucher::FormatPlain(l.Amount());
  if (l.currency_amount != 0) {
    out += " " + l.currency_name + " " + voucher::FormatPlain(l.currency_amount) + "@" +
           voucher::FormatPlain(l.rate);
  }
  if (l.quantity != 0) {
    out += " " + voucher::FormatPlain(l.quantity) + "x" + voucher::FormatPlain(l.price);
  }
  if (!l.unit_text.empty()) out += " 单位" + l.unit_text;
  if (!l.payment_method_text.empty()) out += " " + l.payment_method_text;
  if (!l.check_number.empty()) out += " 票据" + l.check_number;
  return out + " 「" + l.remark + "」";
}

class Reversal : public VoucherSaveTest {
 protected:
  std::string Lines() {
    std::string out;
    for (const voucher::VoucherLine& l : S().lines) out += Line(l) + "\n";
    return out;
  }
  std::string Header() {
    const voucher::VoucherHeader& h = S().header;
    return std::to_string(h.voucher_id) + " " + h.type_code + "-" + h.number + " " + h.date +
           " 制单" + h.maker_name + " 来源" + std::to_string(h.source_id) + " 冲销" +
           std::to_string(h.source_voucher_id) + (S().must_save ? " 待存" : "");
  }
  // The reversal of voucher 1 (posted), saved as a user would.
  long SaveReversalOfVoucherOne() {
    if (!w_.ReverseVoucher(1)) return 0;
    if (!w_.SaveBill()) return 0;
    return S().header.voucher_id;
  }
  void Post(long id) {
    t_.Data().Execute(
        "Update Voucher Set lngCheckerID = 3, lngTellerID = 4, lngPostID = 5 Where "
        "lngVoucherID = " +
        std::to_string(id));
  }
};

TEST_F(Reversal, IsTheRedCopyOfThePostedVoucher) {
  Post(5);
  ASSERT_TRUE(w_.ShowAOldBill(5));
  EXPECT_TRUE(w_.StatusButtons().reverse);
  ASSERT_TRUE(w_.ReverseVoucher());
  EXPECT_EQ(Header(), "0 收-000003 2026-02-15 制单李明 来源2 冲销5 待存");
  EXPECT_EQ(Lines(),
            "D 1002-02 -71000 美元 -10000@7.1 03 电汇 「收到美康国际美元货款」\n"
            "C 1122 -71000 人民币 -71000@1 单位002 美康国际贸易公司 「收到美康国际美元货款」\n");
  EXPECT_EQ(S().totals.debit, -71000);
  EXPECT_EQ(S().totals.credit, -71000);
  EXPECT_EQ(S().review_caption, "复    核(&C)");
  const voucher::ButtonFlags& buttons = w_.StatusButtons();
  EXPECT_FALSE(buttons.review || buttons.sign || buttons.post || buttons.void_voucher ||
               buttons.delete_voucher || buttons.reverse);
}

TEST_F(Reversal, LeavesTheBillWithTheLineThatUsedIt) {
  Post(2);
  ASSERT_TRUE(w_.ReverseVoucher(2));
  EXPECT_EQ(Lines(),
            "D 1001 -5000 人民币 -5000@1 「提取备用金」\n"
            "C 1002-01 -5000 人民币 -5000@1 01 现金支票 「提取备用金」\n");
}

TEST_F(Reversal, IsSavedWithItsLinkAndMarksTheOriginal) {
  const long id = SaveReversalOfVoucherOne();
  ASSERT_NE(id, 0);
  EXPECT_EQ(Rows("Select intVoucherNO, strDate, lngOperatorID, lngCheckerID, lngPostID, "
                 "lngVoucherSourceID, lngSourceVoucherID, blnIsVoid From Voucher Where "
                 "lngVoucherID = " +
                 std::to_string(id)),
            "3|2026-02-15|2|0|0|2|1|0\n");
  EXPECT_EQ(Rows("Select lngRowID, lngAccountID, intDirection, dblAmount, strCheckNumber From "
                 "VoucherDetail Where lngVoucherID = " +
                 std::to_string(id) + " Order By lngRowID"),
            "1|3|1|-50000|\n2|6|-1|-50000|\n");
  // A reversal is system-made: nobody changes it by hand.
  EXPECT_EQ(w_.EditRefusal(), "凭证“收-000003”是系统自动产生的，不允许修改！");

  ASSERT_TRUE(w_.ShowAOldBill(1));
  EXPECT_TRUE(S().reversed);
  EXPECT_FALSE(w_.StatusButtons().reverse);
}

TEST_F(Reversal, ASecondReversalIsRefusedOnSave) {
  ASSERT_NE(SaveReversalOfVoucherOne(), 0);
  ASSERT_TRUE(w_.ReverseVoucher(1));
  SaveStops("被冲销的凭证已有冲销凭证：2026年度02期间 收字 000003号凭证\n不能保存！");
  EXPECT_EQ(t_.Scalar("Select Count(*) From Voucher Where lngSourceVoucherID = 1"), "1");
}

TEST_F(Reversal, MayNotBeDatedBeforeTheReversedVoucher) {
  Post(8);  // dated 2026-02-28, after the login date
  ASSERT_TRUE(w_.ReverseVoucher(8));
  SaveStops("制单日期不能小于原被冲销单据日期！");
  ASSERT_TRUE(w_.SetHeaderField(HeaderField::kDate, "2026-02-28"));
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Rows("Select strDate, lngSourceVoucherID From Voucher Where lngVoucherID = " +
                 std::to_string(S().header.voucher_id)),
            "2026-02-28|8\n");
}

TEST_F(Reversal, OnlyAPostedVoucherIsReversed) {
  ASSERT_TRUE(w_.ShowAOldBill(2));
  t_.Messages().Expect("未记账凭证不能冲销！", mb::kOk, "凭证冲销");
  EXPECT_FALSE(w_.ReverseVoucher());
  EXPECT_EQ(S().header.voucher_id, 2);
  t_.Messages().Expect("凭证不存在！", mb::kOk, "凭证冲销");
  EXPECT_FALSE(w_.ReverseVoucher(99));
}

TEST_F(Reversal, StopsWhenTheTimeDifferenceDataIsWrittenOff) {
  t_.Data().Execute(
      "Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, dblAmount, dblCurrPaymentAmount) "
      "Values (70, 1, 50000, 500)");
  t_.Data().Execute(
      "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
      "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Values (70, 71, 500, 2, 9)");
  ASSERT_TRUE(w_.ShowAOldBill(1));
  t_.Messages().Expect("被冲销凭证的时间差异处理数据已被核销，请先冲销核销凭证!", mb::kOk,
                       "凭证冲销");
  EXPECT_FALSE(w_.ReverseVoucher());
  EXPECT_EQ(S().header.voucher_id, 1);
}

}  // namespace
}  // namespace lumvoucher::testing
