#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "frame/voucher_conflict.h"
#include "frame/voucher_removal.h"
#include "host/message_box.h"
#include "links/darap_settlement.h"
#include "links/link_fixture.h"
#include "links/settlement_texts.h"
#include "voucher/save_texts.h"

namespace lumvoucher::testing {
namespace {

// A voucher saved with all three splits (the sweep below checks what each save writes), its
// settlement withdrawn, a file attached, then deleted: the dependent tables follow each step.
// (Deleting a voucher whose settlements stand releases them: see the line release roads.)
TEST_F(LinkTest, SplitsAreWrittenWithTheVoucherAndFollowItsChangesAndDelete) {
  const std::string files = "Select lngVoucherID From VoucherAttachment";
  const std::string untouched = Dependents() + Rows(files);
  EnterVoucher("500", "100", "400");
  AttachSplits("500");
  t_.Messages().Expect(voucher::texts::kSettlementNotice, host::mb::kOk);
  ASSERT_TRUE(w_.SaveBill());
  Script<Darap>([](Darap& d) {
    d.Tick(1);
    d.Tick(2);
    d.Confirm();
  });
  w_.SetCurrentRow(2);
  ASSERT_TRUE(w_.CurrentAccountSettlement());
  t_.Messages().Expect(voucher::texts::kSettlementNotice, host::mb::kOk);
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Dependents(),
            "# items\n0|1|10|9.999999995\n2|-1|100|0\n# settlements\n"
            "# contracts\n1|1|500|1\n3|1|3000|1\n1|1|200\n"
            "# costs\n1|3|1|500|2026-02-15|2\n");
  t_.Data().Execute(
      "Insert Into VoucherAttachment (lngVoucherID, strFileName, strDate, lngSize, strContent) "
      "Values (" +
      std::to_string(w_.State().header.voucher_id) + ", '发票.pdf', '2026-02-15', 1, 'eA==')");
  t_.Messages().Expect("真的要删除全部分录吗？", host::mb::kYes);
  ASSERT_TRUE(w_.DeleteVoucher());
  EXPECT_EQ(Dependents() + Rows(files), untouched);
}

class AtomicLinkedSave : public LinkTest {
 public:
  void TestBody() override {}
  using LinkTest::Dependents;
  // 0: a new voucher with the three splits; 1: saved, every amount changed, the splits anew;
  // 2: saved, line 9 settles row 2's item and the 70 item, row 2 changed alone; 3 and 4 as 2,
  // row 2 also taking another unit, or less than line 9 settled of it; 5 as 2, the voucher moved
  // after line 9's; 6: saved, then moved before the item its row 2 settled.
  void Prepare(int save) {
    EnterVoucher("500", "100", "400");
    AttachSplits("500");
    if (save == 0) return;
    t_.Messages().Expect(voucher::texts::kSettlementNotice, host::mb::kOk);
    EXPECT_TRUE(w_.SaveBill());
    // Typed before line 9 settles (another desktop's settlement meanwhile): only the save sees it.
    ASSERT_TRUE(save != 3 || w_.SetCell(2, voucher::LineField::kUnit, "001"));
    if (save == 6) {  // row 2 settled item 1, dated now after the day the voucher moves to
      t_.Data().Execute("Update DARAPDetail Set strDate = '2026-02-20' Where lngDARAPDetailID = 1");
      ASSERT_TRUE(w_.SetHeaderField(voucher::HeaderField::kDate, "2026-02-16"));
      return;
    }
    if (save >= 2) {
      t_.Data().Execute(
          "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
          "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Select 1, "
          "d.lngDARAPDetailID, 25, 9, a.lngVoucherDetailID From DARAP a, DARAPDetail d Where "
          "a.lngDARAPID = d.lngDARAPID And a.blnInit = 0 Union Select 1, 2, 10, 9, 0 From Dual");
      t_.Data().Execute(
          "Update DARAPDetail Set dblCurrPaymentAmount = dblCurrPaymentAmount + (Select "
          "Sum(s.dblCurrPaymentAmount) From DARAPSettlement s Where s.lngVoucherDetailID = 9 And "
          "s.lngRActivityDetailID = DARAPDetail.lngDARAPDetailID) Where lngDARAPDetailID In "
          "(Select lngRActivityDetailID From DARAPSettlement Where lngVoucherDetailID = 9)");
      // Row 2 cannot go while line 9's settlement of its item stands.
      EXPECT_THROW(frame::DeleteStoredVoucher(t_.Data(), w_.State().header.voucher_id),
                   frame::VoucherConflict);
    }
    using voucher::LineField;
    if (save == 5) {  // the window refuses another side for row 2 as it is typed
      t_.Messages().Expect(links::texts::kSettledItemMoved, host::mb::kOk);
      ASSERT_FALSE(w_.SetCell(2, LineField::kDebit, "130"));
      ASSERT_TRUE(w_.SetHeaderField(voucher::HeaderField::kDate, "2026-02-16"));
    }
    EXPECT_TRUE(w_.SetCell(1, voucher::LineField::kDebit, save == 1 ? "600" : "500"));
    EXPECT_TRUE(w_.SetCell(2, LineField::kCredit, save == 4 ? "20" : "130"));
    EXPECT_TRUE(w_.SetCell(3, LineField::kCredit, save == 1 ? "470" : save == 4 ? "480" : "370"));
    if (save == 1) AttachSplits("600");
  }
  TestHost& Host() { return t_; }
  TestableVoucher& Window() { return w_; }
  std::string State() { return DumpTouched(t_.Data()) + Dependents(); }
};

// Every statement of the save failing in turn: the voucher and every dependent table stay as
// they were; a failure while a first settlement is written says so, and any other (a deferred
// line insert among them) is the save's own failure. Re-saving a line another
// line settled gives back only what the line settled: line 9's settlements and the item's
// settled total stand (the item rebooked at 130), and the voucher cannot be deleted.
TEST(AllOrNothingLinkedSave, FailingAnyStatementLeavesTheVoucherAndItsSplitsAsBefore) {
  const struct {
    int save;
    const char* written;  // the dependent tables after the save
  } saves[] = {
      {0,
       "# items\n0|1|10|9.999999995\n0|1|60|60\n0|1|70|40\n2|-1|100|0\n# settlements\n2|1|60\n"
       "2|2|40\n# contracts\n1|1|500|1\n3|1|3000|1\n1|1|200\n# costs\n1|3|1|500|2026-02-15|2\n"},
      {1,
       "# items\n0|1|10|9.999999995\n0|1|60|60\n0|1|70|70\n2|-1|130|0\n# settlements\n2|1|60\n"
       "2|2|70\n# contracts\n1|1|600|1\n3|1|3000|1\n1|1|200\n# costs\n1|3|1|600|2026-02-15|2\n"},
      {2,
       "# items\n0|1|10|9.999999995\n0|1|70|10\n2|-1|130|25\n# settlements\n3|2|10\n3|10000|25\n"
       "# contracts\n1|1|500|1\n3|1|3000|1\n1|1|200\n# costs\n1|3|1|500|2026-02-15|2\n"},
  };
  for (const auto& [save, written] : saves) {
    SCOPED_TRACE(written);
    std::vector<std::string> recorded;
    {
      AtomicLinkedSave c;
      c.Prepare(save);
      c.Host().Messages().AnswerAll(host::mb::kOk);
      c.Host().Data().Record(true);
      c.Host().Data().ResetCount();
      ASSERT_TRUE(c.Window().SaveBill());
      recorded = c.Host().Data().Recorded();
      EXPECT_EQ(c.Dependents(), written);
    }
    ASSERT_GT(recorded.size(), 30u);
    // The statements of the settlement write (a first save's only DARAP statements).
    auto darap = [](std::string text) {
      for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      return text.find("darap") != std::string::npos && text.find("cashqarap") == std::string::npos;
    };
    std::size_t first = recorded.size(), last = 0;
    for (std::size_t i = 0; i < recorded.size(); ++i) {
      if (!darap(recorded[i])) continue;
      first = std::min(first, i + 1);
      last = i + 1;
    }
    for (std::size_t n = 1; n <= recorded.size(); ++n) {
      const std::string& statement = recorded[n - 1];
      SCOPED_TRACE("failing statement " + std::to_string(n) + ": " + statement);
      AtomicLinkedSave c;
      c.Prepare(save);
      const std::string before = c.State();
      c.Host().Messages().AnswerAll(host::mb::kOk);
      c.Host().Data().FailAtStatement(static_cast<int>(n));
      EXPECT_FALSE(c.Window().SaveBill());
      c.Host().Data().NeverFail();
      EXPECT_EQ(c.State(), before);
      ASSERT_FALSE(c.Host().Messages().Shown().empty());
      const std::string& said = c.Host().Messages().Shown().back().text;
      const bool settlement_write = n >= first && n <= last;
      if (save == 0 && settlement_write) {
        EXPECT_EQ(said, links::texts::kWriteFailed);
      } else if (save == 0 || said != links::texts::kWriteFailed) {
        EXPECT_EQ(said.rfind("存盘失败！", 0), 0u) << said;
      }
    }
  }
  // Line 9's settlements were matched on row 2's item, count against its amount and were dated
  // not before it: the save refuses another unit, less than they settled or a later date; row 2
  // settled an item dated not after it, so no earlier date either; and nothing changes.
  for (const auto& [save, refusal] : {std::pair{3, links::texts::kSettledItemMoved},
                                      {4, links::texts::kSettledItemBelow},
                                      {5, links::texts::kSettledItemLater},
                                      {6, links::texts::kSettlingEarlier}}) {
    AtomicLinkedSave c;
    c.Prepare(save);
    const std::string before = c.State();
    c.Host().Messages().AnswerAll(host::mb::kOk);
    EXPECT_FALSE(c.Window().SaveBill());
    ASSERT_FALSE(c.Host().Messages().Shown().empty());
    EXPECT_EQ(c.State() + c.Host().Messages().Shown().back().text, before + refusal);
  }
}

}  // namespace
}  // namespace lumvoucher::testing
