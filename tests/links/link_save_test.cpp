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

// A voucher saved with all three splits, saved again with other amounts, then deleted: the
// dependent tables follow each step.
TEST_F(LinkTest, SplitsAreWrittenWithTheVoucherAndFollowItsChangesAndDelete) {
  const std::string untouched = Dependents();
  EnterVoucher("500", "100", "400");
  AttachSplits("500");
  t_.Messages().Expect(voucher::texts::kSettlementNotice, host::mb::kOk);
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Dependents(),
            "# items\n0|1|10|9.999999995\n0|1|60|60\n0|1|70|40\n2|-1|100|0\n"
            "# settlements\n2|1|60\n2|2|40\n"
            "# contracts\n1|1|500|1\n3|1|3000|1\n1|1|200\n"
            "# costs\n1|3|1|500|2026-02-15|2\n");

  ASSERT_TRUE(w_.SetCell(1, voucher::LineField::kDebit, "600"));
  ASSERT_TRUE(w_.SetCell(2, voucher::LineField::kCredit, "130"));
  ASSERT_TRUE(w_.SetCell(3, voucher::LineField::kCredit, "470"));
  AttachSplits("600");
  t_.Messages().Expect(voucher::texts::kSettlementNotice, host::mb::kOk);
  ASSERT_TRUE(w_.SaveBill());
  EXPECT_EQ(Dependents(),
            "# items\n0|1|10|9.999999995\n0|1|60|60\n0|1|70|70\n2|-1|130|0\n"
            "# settlements\n2|1|60\n2|2|70\n"
            "# contracts\n1|1|600|1\n3|1|3000|1\n1|1|200\n"
            "# costs\n1|3|1|600|2026-02-15|2\n");

  // Written off: no delete until the settlement is withdrawn (and saved).
  t_.Messages().Expect("该凭证已进行往来核销，不允许删除，如果要进行该操作，请选取消往来核销！");
  EXPECT_FALSE(w_.DeleteVoucher());
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
            "# items\n0|1|10|9.999999995\n2|-1|130|0\n# settlements\n"
            "# contracts\n1|1|600|1\n3|1|3000|1\n1|1|200\n"
            "# costs\n1|3|1|600|2026-02-15|2\n");
  t_.Messages().Expect("真的要删除全部分录吗？", host::mb::kYes);
  ASSERT_TRUE(w_.DeleteVoucher());
  EXPECT_EQ(Dependents(), untouched);
}

// Row 2's item settled by line 9 (row 3 of voucher 4), which also settled the 70 item row 2
// settled: re-saving row 2 with another amount gives back exactly what row 2 settled and leaves
// line 9's settlements and row 2's settled total standing; its removal is refused.
class SettledByOthers : public LinkTest {
 public:
  void TestBody() override {}
  // The dump after re-saving row 2 with `receipt`, settled anew (`fresh`) or not.
  std::string Change(const char* receipt, bool fresh);
};

TEST(SettledByOthersTest, ChangingALineLeavesOtherLinesSettlementsOfItsItemStanding) {
  const struct {
    const char* receipt;
    bool fresh;
    const char* after;
  } cases[] = {
      {"130", false,
       "# items\n0|1|10|9.999999995\n0|1|70|10\n2|-1|130|25\n3|-1|35|0\n"
       "# settlements\n3|2|10\n3|10000|25\n# contracts\n3|1|3000|1\n# costs\n"},
      {"110", true,
       "# items\n0|1|10|9.999999995\n0|1|60|60\n0|1|70|60\n2|-1|110|25\n3|-1|35|0\n"
       "# settlements\n2|1|60\n2|2|50\n3|2|10\n3|10000|25\n# contracts\n3|1|3000|1\n# costs\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SettledByOthers().Change(c.receipt, c.fresh), c.after) << c.receipt;
  }
}

std::string SettledByOthers::Change(const char* receipt, bool fresh) {
  {
    EnterVoucher("500", "100", "400");
    auto settle = [this] {
      Script<Darap>([](Darap& d) {
        d.Allocate();
        d.Confirm();
      });
      w_.SetCurrentRow(2);
      ASSERT_TRUE(w_.CurrentAccountSettlement());
      t_.Messages().Expect(voucher::texts::kSettlementNotice, host::mb::kOk);
    };
    settle();
    EXPECT_TRUE(w_.SaveBill());
    const std::string row2 =
        "(Select a.lngVoucherDetailID From DARAP a, VoucherDetail vd Where a.lngVoucherDetailID = "
        "vd.lngVoucherDetailID And vd.lngRowID = 2 And vd.lngVoucherID = " +
        std::to_string(w_.State().header.voucher_id) + ")";
    const std::string others[] = {
        std::string("Insert Into DARAP (lngDARAPID, lngAccountID, lngCustomerID, lngCurrencyID, "
                    "lngOrganizationID, intDirection, lngVoucherDetailID) Values (50, 6, 3, 1, "
                    "1, -1, 9)"),
        std::string("Insert Into DARAPDetail (lngDARAPDetailID, lngDARAPID, intDirection, "
                    "dblAmount) Values (50, 50, -1, 35)"),
        "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
        "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Select 50, "
        "d.lngDARAPDetailID, 25, 9, a.lngVoucherDetailID From DARAP a, DARAPDetail d Where "
        "a.lngDARAPID = d.lngDARAPID And a.lngVoucherDetailID = " +
            row2,
        std::string("Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
                    "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Values (50, "
                    "2, 10, 9, 0)"),
        "Update DARAPDetail Set dblCurrPaymentAmount = dblCurrPaymentAmount + 10 Where "
        "lngDARAPDetailID = 2",
        "Update DARAPDetail Set dblCurrPaymentAmount = 25 Where lngDARAPID In (Select "
        "lngDARAPID From DARAP Where lngVoucherDetailID = " +
            row2 + ")"};
    for (const std::string& sql : others) t_.Data().Execute(sql);
    const std::string before = Dependents();
    {
      host::TransactionGuard transaction(t_.Data());
      EXPECT_THROW(frame::DeleteStoredVoucher(t_.Data(), w_.State().header.voucher_id),
                   frame::VoucherConflict);
    }
    EXPECT_EQ(Dependents(), before);
    EXPECT_TRUE(w_.SetCell(2, voucher::LineField::kCredit, receipt));
    EXPECT_TRUE(w_.SetCell(3, voucher::LineField::kCredit, fresh ? "390" : "370"));
    if (fresh) settle();
    EXPECT_TRUE(w_.SaveBill());
  }
  return Dependents();
}

// The saves the sweep fails statement by statement.
enum class LinkedSave {
  kFirst,     // a new voucher with the three splits
  kChanged,   // saved, then every amount changed and the three splits made anew
  kReleased,  // saved, row 2's item settled by another line, every amount changed, a cost split
};

class AtomicLinkedSave : public LinkTest {
 public:
  void TestBody() override {}
  void Prepare(LinkedSave save) {
    EnterVoucher("500", "100", "400");
    AttachSplits("500");
    if (save == LinkedSave::kFirst) return;
    t_.Messages().Expect(voucher::texts::kSettlementNotice, host::mb::kOk);
    EXPECT_TRUE(w_.SaveBill());
    if (save == LinkedSave::kReleased) {
      t_.Data().Execute(
          "Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
          "dblCurrPaymentAmount, lngVoucherDetailID, lngRVoucherDetailID) Select 1, "
          "d.lngDARAPDetailID, 25, 9, a.lngVoucherDetailID From DARAP a, DARAPDetail d Where "
          "a.lngDARAPID = d.lngDARAPID And a.blnInit = 0");
    }
    EXPECT_TRUE(w_.SetCell(1, voucher::LineField::kDebit, "600"));
    EXPECT_TRUE(w_.SetCell(2, voucher::LineField::kCredit, "130"));
    EXPECT_TRUE(w_.SetCell(3, voucher::LineField::kCredit, "470"));
    if (save == LinkedSave::kChanged) {
      AttachSplits("600");
      return;
    }
    // Only the cost split anew: the contract rows and the settlement are released.
    Script<CostOut>([](CostOut& c) {
      c.SetCell(1, links::CostColumn::kAmount, "600");
      c.Confirm();
    });
    w_.SetCurrentRow(1);
    EXPECT_TRUE(w_.CostCollection());
  }
  TestHost& Host() { return t_; }
  TestableVoucher& Window() { return w_; }
  std::string State() { return DumpTouched(t_.Data()) + Dependents(); }
};

// Every statement of the save failing in turn: the voucher and every dependent table stay as
// they were; a failure while the settlement is written says so.
TEST(AllOrNothingLinkedSave, FailingAnyStatementLeavesTheVoucherAndItsSplitsAsBefore) {
  for (LinkedSave save : {LinkedSave::kFirst, LinkedSave::kChanged, LinkedSave::kReleased}) {
    SCOPED_TRACE("save " + std::to_string(static_cast<int>(save)));
    std::vector<std::string> recorded;
    std::string after;
    {
      AtomicLinkedSave c;
      c.Prepare(save);
      c.Host().Messages().AnswerAll(host::mb::kOk);
      c.Host().Data().Record(true);
      c.Host().Data().ResetCount();
      ASSERT_TRUE(c.Window().SaveBill());
      recorded = c.Host().Data().Recorded();
      after = c.State();
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
      ASSERT_NE(before, after);
      c.Host().Messages().AnswerAll(host::mb::kOk);
      c.Host().Data().FailAtStatement(static_cast<int>(n));
      EXPECT_FALSE(c.Window().SaveBill());
      c.Host().Data().NeverFail();
      EXPECT_EQ(c.State(), before);
      ASSERT_FALSE(c.Host().Messages().Shown().empty());
      const std::string& said = c.Host().Messages().Shown().back().text;
      const bool settlement_write = n >= first && n <= last;
      if (save == LinkedSave::kFirst && settlement_write) {
        EXPECT_EQ(said, links::texts::kWriteFailed);
      } else if (said != links::texts::kWriteFailed) {
        EXPECT_EQ(said.rfind("存盘失败！", 0), 0u) << said;
      }
    }
  }
}

}  // namespace
}  // namespace lumvoucher::testing
