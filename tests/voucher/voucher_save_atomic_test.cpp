#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "host/message_box.h"
#include "server/server_error.h"
#include "support/fault_sweep.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

// The window as a test enters it, to compare before and after a failed save.
std::string WindowDump(const voucher::VoucherState& s) {
  std::string out = s.header.type_code + s.header.number + " " + s.header.date + " id " +
                    std::to_string(s.header.voucher_id) + "\n";
  for (const voucher::VoucherLine& l : s.lines) {
    out += std::to_string(l.line_id) + " " + l.remark + " " + l.account_text + " " +
           voucher::FormatFixed(l.debit, 2) + " " + voucher::FormatFixed(l.credit, 2) + " " +
           l.unit_text + " " + l.department_text + "\n";
  }
  return out + (s.must_save ? "must save" : "saved");
}

// A new voucher, and a change of a stored one that removes a line with dependent rows: each
// save is made to fail at every one of its statements in turn, on a fresh account set each time;
// the window keeps what was entered.
class AtomicSave : public VoucherSaveTest {
 public:
  void TestBody() override {}
  TestHost& Host() { return t_; }
  void Expect(const std::string& failure) {
    if (!failure.empty()) t_.Messages().Expect("存盘失败！" + failure, host::mb::kOk, "保存凭证");
  }
  bool Go() { return w_.SaveBill(); }
  std::string Dump() { return DumpTouched(t_.Data()) + WindowDump(w_.State()); }
};

struct AtomicNewVoucher : AtomicSave {
  void Prepare() { EnterOfficeVoucher(); }
};

struct AtomicChangedVoucher : AtomicSave {
  void Prepare() {
    t_.Data().Execute(
        "Insert Into VoucherCashFlow (lngVoucherDetailID, lngCashItemID, dblAmount) Values (4, "
        "1, 5000)");
    t_.Data().Execute(
        "Insert Into CostApportion (lngCostApportionID, lngVoucherDetailID, dblAmount) Values "
        "(1, 4, 5000)");
    ASSERT_TRUE(w_.ShowAOldBill(2));
    w_.DeleteLine(2);
    int row = w_.AddLine();
    ASSERT_TRUE(w_.SetCell(row, voucher::LineField::kRemark, "改用现金"));
    ASSERT_TRUE(w_.SetCell(row, voucher::LineField::kAccount, "1001"));
    ASSERT_TRUE(w_.SetCell(row, voucher::LineField::kCredit, "5000"));
    ASSERT_TRUE(w_.SetCell(1, voucher::LineField::kAccount, "1012"));
  }
};

TEST(AllOrNothingSave, ANewVoucherFailingAtAnyStatementLeavesNothingBehind) {
  FailAtEveryStatement<AtomicNewVoucher>(20);
}

TEST(AllOrNothingSave, AChangedVoucherFailingAtAnyStatementKeepsTheStoredOne) {
  FailAtEveryStatement<AtomicChangedVoucher>(20);
}

// A number another statement takes after the check inside the transaction: the unique key
// refuses the voucher's insert, however late a server reports it, and the save says the
// number is taken. Nothing stays; the window keeps its data.
TEST(AllOrNothingSave, ANumberTakenInsideTheTransactionIsReportedAsTaken) {
  AtomicNewVoucher c;
  c.Prepare();
  const voucher::VoucherHeader& h = c.S().header;
  c.Host().Data().BeforeStatement("INSERT INTO Voucher (", [&] {
    c.Host().Exec(
        "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, intYear, "
        "bytPeriod, lngSourceOrganizationID) Values (990001, " +
        std::to_string(h.type_id) + ", " + h.number + ", " + std::to_string(h.year) + ", " +
        std::to_string(h.period) + ", " + std::to_string(h.source_organization_id) + ")");
  });
  const std::string before = c.Dump();
  c.Host().Messages().Expect("凭证号重复！(" + h.number + ")", host::mb::kOk, "保存凭证");
  EXPECT_FALSE(c.Go());
  EXPECT_EQ(c.Dump(), before);
}

// The server session ended from outside before each statement of a save's transaction in turn
// and before its commit, on one window (a server database costs about a second): the save fails
// with the lost connection, leaves nothing and keeps the window's data. Dropped before the
// transaction, the save connects again by itself and succeeds.
template <class Case>
void DropConnectionAtEveryStatement() {
  if (!OnPostgres()) GTEST_SKIP() << "needs a server session";
  std::vector<int> depths;
  {
    Case c;
    c.Prepare();
    c.Host().Data().Record(true);
    c.Host().Data().ResetCount();
    ASSERT_TRUE(c.Go());
    depths = c.Host().Data().RecordedDepths();
  }
  const auto first = std::find_if(depths.begin(), depths.end(), [](int d) { return d > 0; });
  ASSERT_NE(first, depths.end());
  const int begin = static_cast<int>(first - depths.begin()) + 1;
  Case c;
  c.Prepare();
  const std::string before = c.Dump();
  c.Host().Messages().AnswerAll(host::mb::kOk);
  const auto drop = [&c] { c.Host().DropServerConnection(); };
  const auto drop_at = [&c, &drop](int n) { c.Host().Data().AtStatement(n, drop); };
  std::vector<int> points{0};  // 0: between the last statement and the commit
  for (int n = static_cast<int>(depths.size()); n >= begin; --n) {
    if (depths[static_cast<std::size_t>(n - 1)] > 0) points.push_back(n);
  }
  for (int n : points) {
    SCOPED_TRACE("connection dropped before " +
                 (n == 0 ? std::string("the commit") : "statement " + std::to_string(n)));
    n == 0 ? c.Host().Data().BeforeCommit(drop) : drop_at(n);
    ASSERT_FALSE(c.Go());
    c.Host().Data().BeforeCommit(nullptr);
    const std::string& text = c.Host().Messages().Shown().back().text;
    EXPECT_EQ(text.rfind(std::string("存盘失败！") + server::kConnectionLost, 0), 0u) << text;
    ASSERT_EQ(c.Dump(), before);
  }
  if (begin > 1) drop_at(begin - 1);
  EXPECT_TRUE(c.Go()) << c.Host().Messages().Shown().back().text;
  c.Host().Data().NeverFail();
  EXPECT_TRUE(c.Dump().ends_with("saved"));
}

TEST(AllOrNothingSave, ADroppedServerConnectionFailsTheSaveAndTheNextSaveSucceeds) {
  DropConnectionAtEveryStatement<AtomicNewVoucher>();
  DropConnectionAtEveryStatement<AtomicChangedVoucher>();
}

// Two desktops on one account set save the same number at the same time: both pass their
// checks, the first writes while the second waits to write. The second finds the number taken
// when its turn comes (on a server, as late as its commit), which is the ordinary duplicate
// case: the renumbering question, or the refusal when renumbering is off.
TEST(ConcurrentSave, TheSecondSaveOfANumberIsAskedForAnotherOne) {
  struct Case {
    const char* renumber;  // "凭证号重复自动取号"
    const char* message;
    int answer;
    int result;
    const char* stored;  // the numbers of the two vouchers
  };
  for (const Case& c :
       {Case{"True", "凭证号重复，是否取凭证最大流水号作为当前凭证号？", host::mb::kYes, 1, "5 6"},
        Case{"True", "凭证号重复，是否取凭证最大流水号作为当前凭证号？", host::mb::kNo, 0, "5"},
        Case{"False", "凭证号重复。", host::mb::kOk, 0, "5"}}) {
    SCOPED_TRACE(c.message + std::to_string(c.answer));
    const TempAccountSetFile file("save");
    const std::string where = NewSharedAccountSet(file);
    ScriptedMessageBox box1, box2;
    ScriptedModalRunner modal1, modal2;
    RecordingMainWindow main1, main2;
    std::unique_ptr<embedded::EmbeddedHost> desk1 =
        OpenDesktop(where, DemoLogin::Maker(), {&box1, &modal1, &main1});
    std::unique_ptr<embedded::EmbeddedHost> desk2 =
        OpenDesktop(where, DemoLogin::Maker(), {&box2, &modal2, &main2});
    embedded::EmbeddedHost& first = *desk1;
    embedded::EmbeddedHost& second = *desk2;
    first.Data().Execute(std::string("Update Setting Set strSetting = '") + c.renumber +
                         "' Where strKey = '凭证号重复自动取号'");
    frame::InterFace component;
    voucher::frmVoucher w1, w2;
    first.InitInterFace(component);
    ASSERT_TRUE(w1.WriteForm(TwoLineDetail("甲", 5)));
    w1.MustSave();
    second.InitInterFace(component);
    ASSERT_TRUE(w2.WriteForm(TwoLineDetail("乙", 5)));
    w2.MustSave();
    bool first_saved = false;
    w2.SetWaitHandler([&](const std::string& text) {
      if (text.empty() || first_saved) return;
      first_saved = true;
      first.InitInterFace(component);
      EXPECT_EQ(w1.SaveAVoucher(false), 1);
      second.InitInterFace(component);
    });
    box2.Expect(c.message, c.answer, "保存凭证");
    EXPECT_EQ(w2.SaveAVoucher(false), c.result);
    EXPECT_TRUE(first_saved);
    host::Recordset numbers = second.Data().OpenRecordset(
        "Select intVoucherNO From Voucher Where intVoucherNO >= 5 And lngVoucherTypeID = 1 And "
        "intYear = 2026 And bytPeriod = 2 And lngSourceOrganizationID = 1 Order By 1");
    std::string stored;
    for (; !numbers.Eof(); numbers.MoveNext()) {
      stored += (stored.empty() ? "" : " ") + numbers[std::size_t{0}].AsText();
    }
    EXPECT_EQ(stored, c.stored);
  }
}

}  // namespace
}  // namespace lumvoucher::testing
