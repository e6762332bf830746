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
constexpr int kOk = host::mb::kOk;
constexpr int kYes = host::mb::kYes;
constexpr int kNo = host::mb::kNo;
constexpr int kCancel = host::mb::kCancel;
constexpr const char* kNotIssued = "所填票据号未领用，请重新输入！";

using BillNumbers = VoucherSaveTest;

TEST_F(BillNumbers, ABillOfAMethodKeptInTheRegisterMustHaveBeenIssued) {
  NewVoucherWith({{"1001", kDebit, "100"}, {"1002-01", kCredit, "100"}});
  ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, "提现"));
  ASSERT_TRUE(w_.SetCell(2, LineField::kRemark, "提现"));
  struct Case {
    const char* method;
    const char* bill;
    bool issued;
  };
  // The register of 1002-01 holds cash checks XJ0001-2 and transfer checks ZZ0001-2.
  const Case cases[] = {
      {"01", "XJ9999", false}, {"02", "XJ0002", false},
      {"01", "xj0002", false}, {"01", "XJ0002", true},
      {"02", "ZZ0001", true},  {"03", "DH-778", true},  // wire transfers keep no register
      {"01", " ", true},                                // no bill at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.method) + " " + c.bill);
    ASSERT_TRUE(w_.SetCell(2, LineField::kPaymentMethod, c.method));
    ASSERT_TRUE(w_.SetCell(2, LineField::kCheckNumber, c.bill));
    if (!c.issued) t_.Messages().Expect(kNotIssued, kOk, "填制凭证");
    EXPECT_EQ(w_.ValidateLine(2, false, true), c.issued);
    if (!c.issued) {
      EXPECT_EQ(S().focus_field, LineField::kCheckNumber);
    }
  }
  // The save asks it of every line, a program's voucher included, and writes nothing.
  ASSERT_TRUE(w_.SetCell(2, LineField::kPaymentMethod, "02"));
  ASSERT_TRUE(w_.SetCell(2, LineField::kCheckNumber, "ZZ0009"));
  const std::string before = DumpTouched(t_.Data());
  t_.Messages().Expect(kNotIssued, kOk, "保存凭证");
  EXPECT_FALSE(w_.SaveBill());
  w_.SetUserEntry(false);
  t_.Messages().Expect(kNotIssued, kOk, "保存凭证");
  EXPECT_FALSE(w_.SaveBill());
  EXPECT_EQ(DumpTouched(t_.Data()), before);
  ASSERT_TRUE(w_.SetCell(2, LineField::kCheckNumber, "ZZ0002"));
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Rows("Select blnIsUsed From CheckDetail Where strCheckNo = 'ZZ0002'"), "1\n");
}

// Voucher 3, line 5: D 6602-02 差旅费 3200, its costs collected on item 202 差旅费用.
class CostCollection : public VoucherSaveTest {
 protected:
  void SetUp() override {
    t_.Data().Execute(
        "Insert Into CostApportion (lngCostApportionID, lngVoucherDetailID, lngOutlayID, "
        "lngDepartmentID, dblAmount) Values (1, 5, 4, 1, 3200)");
    t_.Data().Execute(
        "Insert Into HisCostApportion (lngHisCostApportionID, lngVoucherID, lngVoucherDetailID, "
        "dblAmount) Values (1, 3, 5, 3200)");
    ASSERT_TRUE(w_.ShowAOldBill(3));
  }
  std::string Stored() {
    return Rows("Select lngAccountID From VoucherDetail Where lngVoucherDetailID = 5") +
           t_.Scalar("Select Count(*) From CostApportion") + "|" +
           t_.Scalar("Select Count(*) From HisCostApportion");
  }
};

const std::string kOtherKindAsk =
    "修改为非收支类科目或科目余额方向不同的科目将清除原有的成本归集信息，是否继续？";
const std::string kSameKindAsk = voucher::texts::kCostSameKind;

struct CostCase {
  const char* account;  // 1601 is no income/expense account, 6001 an income one
  const std::string* question;
  int answer;
  const char* shown;   // the line's account afterwards
  const char* stored;  // after saving: the line's account id, then the cost rows left
};

const CostCase kCostCases[] = {
    {"1601", &kOtherKindAsk, kNo, nullptr, nullptr},
    {"1601", &kOtherKindAsk, kYes, "1601 固定资产", "11\n0|0"},
    {"6001", &kOtherKindAsk, kYes, "6001 主营业务收入", "27\n0|0"},
    {"6602-01", &kSameKindAsk, kCancel, nullptr, nullptr},
    {"6602-01", &kSameKindAsk, kNo, "6602-01 办公费", "31\n1|1"},
    {"6602-01", &kSameKindAsk, kYes, "6602-01 办公费", "31\n0|0"},
};

void PrintTo(const CostCase& c, std::ostream* out) {
  *out << c.account << " answered " << c.answer;
}

class CostQuestions : public CostCollection, public ::testing::WithParamInterface<CostCase> {};

TEST_P(CostQuestions, ChangingTheAccountOfACollectedLineAsksAndActsOnTheAnswer) {
  const CostCase& c = GetParam();
  const voucher::VoucherLine before = S().lines[0];
  t_.Messages().Expect(*c.question, c.answer, "提示信息");
  const bool accepted = w_.SetCell(1, LineField::kAccount, c.account);
  if (c.stored == nullptr) {
    // Given up: the line is as it was, and so is the database.
    EXPECT_FALSE(accepted);
    EXPECT_EQ(S().lines[0].account_text, before.account_text);
    EXPECT_EQ(S().lines[0].department_id, before.department_id);
    EXPECT_EQ(Stored(), "32\n1|1");
    return;
  }
  ASSERT_TRUE(accepted);
  EXPECT_EQ(S().lines[0].account_text, c.shown);
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Stored(), c.stored);
  // Asked once: a second save of the same change asks nothing.
  ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, "再存一次"));
  ASSERT_TRUE(w_.SaveBill());
}

INSTANTIATE_TEST_SUITE_P(Answers, CostQuestions, ::testing::ValuesIn(kCostCases));

TEST_F(CostCollection, ALineWithoutCollectedCostsOrBackOnItsOwnAccountIsNotAsked) {
  ASSERT_TRUE(w_.SetCell(2, LineField::kAccount, "1122"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kAccount, "6602-02"));
  t_.Messages().Expect(kSameKindAsk, kNo, "提示信息");
  ASSERT_TRUE(w_.SetCell(1, LineField::kAccount, "6602-03"));
  ASSERT_TRUE(w_.SetCell(1, LineField::kAccount, "6602-02"));
  EXPECT_EQ(S().lines[0].account_text, "6602-02 差旅费");
}

}  // namespace
}  // namespace lumvoucher::testing
