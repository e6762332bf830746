#include <gtest/gtest.h>

#include <ostream>

#include "host/message_box.h"
#include "voucher/save_fixture.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::testing {
namespace {

using voucher::kCredit;
using voucher::kDebit;
using voucher::LineField;
constexpr const char* kNotIssued = "所填票据号未领用，请重新输入！";

using BillNumbers = VoucherSaveTest;

TEST_F(BillNumbers, ABillOfAMethodKeptInTheRegisterMustHaveBeenIssued) {
  NewVoucherWith({{"1001", kDebit, "100"}, {"1002-01", kCredit, "100"}});
  ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, "提现"));
  ASSERT_TRUE(w_.SetCell(2, LineField::kRemark, "提现"));
  // The register of 1002-01 holds cash checks (01) XJ0001-2 and transfer checks (02) ZZ0001-2;
  // wire transfers (03) keep none. Method, bill, issued.
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"01", "XJ9999", false}, {"02", "XJ0002", false}, {"01", "xj0002", false},
      {"01", "XJ0002", true},  {"02", "ZZ0001", true},  {"03", "DH-778", true},
      {"01", " ", true}};
  for (auto [method, bill, issued] : cases) {
    SCOPED_TRACE(bill);
    ASSERT_TRUE(w_.SetCell(2, LineField::kPaymentMethod, method));
    ASSERT_TRUE(w_.SetCell(2, LineField::kCheckNumber, bill));
    if (!issued) t_.Messages().Expect(kNotIssued, host::mb::kOk, "填制凭证");
    EXPECT_EQ(w_.ValidateLine(2, false, true), issued);
  }
  // The save asks it of every line, a program's voucher included, and writes nothing.
  ASSERT_TRUE(w_.SetCell(2, LineField::kCheckNumber, "ZZ0009"));
  const std::string before = DumpTouched(t_.Data());
  w_.SetUserEntry(false);
  SaveStops(kNotIssued);
  EXPECT_EQ(S().focus_field, LineField::kCheckNumber);
  EXPECT_EQ(DumpTouched(t_.Data()), before);
}

const std::string kOtherKind =
    "修改为非收支类科目或科目余额方向不同的科目将清除原有的成本归集信息，是否继续？";
const std::string kSameKind = voucher::texts::kCostSameKind;

struct CostCase {
  const char* account;  // 1601 is no income/expense account, 6001 one on the credit side
  const std::string* question;
  int answer;
  const char* stored;  // after saving: the line's account id, then the cost rows left
};

void PrintTo(const CostCase& c, std::ostream* out) {
  *out << c.account << " answered " << c.answer;
}

// Voucher 3, line 5: D 6602-02 差旅费 3200, its costs collected on item 202 差旅费用.
class CostQuestions : public VoucherSaveTest, public ::testing::WithParamInterface<CostCase> {
 protected:
  std::string Stored() {
    return Rows("Select lngAccountID From VoucherDetail Where lngVoucherDetailID = 5") +
           t_.Scalar("Select Count(*) From CostApportion") + "|" +
           t_.Scalar("Select Count(*) From HisCostApportion");
  }
};

TEST_P(CostQuestions, ChangingTheAccountOfACollectedLineAsksAndActsOnTheAnswer) {
  const CostCase& c = GetParam();
  t_.Data().Execute(
      "Insert Into CostApportion (lngCostApportionID, lngVoucherDetailID, lngOutlayID, "
      "dblAmount) Values (1, 5, 4, 3200)");
  t_.Data().Execute(
      "Insert Into HisCostApportion (lngHisCostApportionID, lngVoucherID, lngVoucherDetailID, "
      "dblAmount) Values (1, 3, 5, 3200)");
  ASSERT_TRUE(w_.ShowAOldBill(3));
  // A line without collected costs, and a line back on its own account, ask nothing.
  ASSERT_TRUE(w_.SetCell(2, LineField::kAccount, "1122"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kAccount, "6602-02"));
  t_.Messages().Expect(*c.question, c.answer, "提示信息");
  EXPECT_EQ(w_.SetCell(1, LineField::kAccount, c.account), c.stored != nullptr);
  if (c.stored == nullptr) {
    EXPECT_EQ(S().lines[0].account_text, "6602-02 差旅费");
    return;
  }
  ASSERT_TRUE(w_.SetCell(2, LineField::kAccount, "1221"));
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Stored(), c.stored);
}

const CostCase kCostCases[] = {
    {"1601", &kOtherKind, host::mb::kNo, nullptr},
    {"1601", &kOtherKind, host::mb::kYes, "11\n0|0"},
    {"6001", &kOtherKind, host::mb::kYes, "27\n0|0"},
    {"6602-01", &kSameKind, host::mb::kCancel, nullptr},
    {"6602-01", &kSameKind, host::mb::kNo, "31\n1|1"},
    {"6602-01", &kSameKind, host::mb::kYes, "31\n0|0"},
};
INSTANTIATE_TEST_SUITE_P(Answers, CostQuestions, ::testing::ValuesIn(kCostCases));

}  // namespace
}  // namespace lumvoucher::testing
