#include "links/frm_reference_batch.h"

#include "links/links_fixture.h"
#include "links/memo_texts.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
namespace texts = links::memo_texts;

TEST(ProportionalSplit, RoundsHalvesToEvenAndLeavesTheRestOnTheLastLine) {
  struct Case {
    double amount;
    std::vector<double> lines;
    std::vector<double> shares;
  };
  const Case cases[] = {
      {100, {1, 2, 3}, {16.67, 33.33, 50}},
      {0.25, {1, 1}, {0.12, 0.13}},
      {0.35, {1, 1}, {0.18, 0.17}},
      {-10, {-1, -2}, {-3.33, -6.67}},
      {5, {}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(links::ProportionalSplit(c.amount, c.lines), c.shares);
}

// Voucher 50: 办公费 (one memo item, 30201) on three debit lines of 100, 200 and 300.
class ReferenceBatchTest : public LinksTest {
 protected:
  ReferenceBatchTest() {
    Exec(
        "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
        "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID) Values (50, 1, 50, "
        "'2026-02-25', 2026, 2, 1, 1, 2)");
    const char* lines[] = {"501, 1, 31, 1, 100", "502, 2, 31, 1, 200", "503, 3, 31, 1, 300",
                           "504, 4, 1, -1, 600"};
    for (const char* line : lines) {
      Exec(
          "Insert Into VoucherDetail (lngVoucherDetailID, lngRowID, lngAccountID, "
          "intDirection, dblAmount, lngVoucherID, lngOrganizationID) Values (" +
          std::string(line) + ", 50, 1)");
    }
  }
  std::string Stored() {
    return Rows(
        "Select lngVoucherDetailID, lngRowID, lngReferenceID, dblAmount, intVoucherNo "
        "From RVoucherDetail Where lngVoucherDetailID > 500 Order By lngVoucherDetailID");
  }
};

TEST_F(ReferenceBatchTest, SplitsTheAmountOverAllOrTheChosenLines) {
  links::frmReferenceBatch w;
  ASSERT_TRUE(w.Load(50));
  ASSERT_EQ(w.State().rows.size(), 1u);
  const links::ReferenceBatchRow& row = w.State().rows[0];
  EXPECT_EQ(w.State().voucher_no, "记 - 000050");
  EXPECT_EQ(row.account_text + "|" + row.item_text + "|" + std::to_string(row.debit),
            "6602-01 办公费|30201 办公费|600.000000");
  w.SetAmount(1, "100");
  ASSERT_TRUE(w.Save());
  EXPECT_EQ(Stored(), "501|1|5|16.67|0\n502|1|5|33.33|0\n503|1|5|50|0\n");

  t_.Modal().Expect(links::frmSelectReferenceLines::kWindowName, [&](host::ModalWindow& window) {
    auto& dialog = dynamic_cast<links::frmSelectReferenceLines&>(window);
    EXPECT_EQ(dialog.Lines().size(), 3u);
    EXPECT_EQ(dialog.Lines()[0].cells[2], "100.00");
    dialog.Tick(3, false);
    t_.Messages().Expect(texts::kSelectionShort, mb::kOk, "提示信息");
    dialog.Tick(1, false);
    EXPECT_FALSE(dialog.Confirm());
    dialog.Tick(1, true);
    EXPECT_TRUE(dialog.Confirm());
    return 1;
  });
  w.SetAmount(1, "250");
  ASSERT_TRUE(w.ChooseLines(1));
  EXPECT_EQ(w.State().rows[0].selection, "501,502");
  w.SetAmount(1, "100");
  ASSERT_TRUE(w.Save());
  // Only the chosen lines are registered anew; line 503 keeps its share.
  EXPECT_EQ(Stored(), "501|1|5|33.33|0\n502|1|5|66.67|0\n503|1|5|50|0\n");
}

TEST_F(ReferenceBatchTest, RefusesBadAmountsAndWritesNothingOnFailure) {
  links::frmReferenceBatch w;
  ASSERT_TRUE(w.Load(50));
  for (const auto& [text, message] : std::vector<std::pair<std::string, std::string>>{
           {"abc", "第1行待分配备查金额不合法，请重新录入！"},
           {"600.01", "第1行待分配备查金额大于所选凭证分录金额合计，请重新输入！"},
           {"-5", texts::kWrongDirection}}) {
    w.SetAmount(1, text);
    t_.Messages().Expect(message, mb::kOk, "提示信息");
    EXPECT_FALSE(w.Save()) << text;
  }
  EXPECT_EQ(Stored(), "");
  w.SetAmount(1, "600");
  t_.Messages().AnswerAll(mb::kOk);
  for (int n = 1;; ++n) {
    t_.Data().FailAtStatement(n);
    const bool saved = w.Save();
    t_.Data().NeverFail();
    if (saved) break;
    ASSERT_LT(n, 20);
    EXPECT_EQ(Stored(), "") << n;
  }
  EXPECT_EQ(Stored(), "501|1|5|100|0\n502|1|5|200|0\n503|1|5|300|0\n");
}

}  // namespace
}  // namespace lumvoucher::testing
