#include "templates/frm_voucher_io.h"

#include <sqlite3.h>

#include "frame/window_registry.h"
#include "host/message_box.h"
#include "templates/external_fixture.h"
#include "templates/templates_texts.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
namespace texts = templates::texts;
using templates::frmVoucherIO;

class VoucherIOTest : public ExternalTest {
 protected:
  // Three external vouchers staged for the window: K1, K2 (2026-02-22), K3.
  void Stage(const std::string& extra = "") {
    templates::ImportOptions options;
    options.post = false;
    Import(Write("s.csv", std::string(kHeader) + "\n" + Voucher("K1") +
                              Voucher("K2", "2026-02-22") + Voucher("K3") + extra),
           options);
  }
  frmVoucherIO& Open() {
    ini_ = Write("iei.ini", "[接口标准]\n1标准=Sample接口\n2标准=收费系统\n");
    frmVoucherIO& w = frame::WindowRegistry::Get<frmVoucherIO>();
    EXPECT_TRUE(w.ShowMe(ini_));
    return w;
  }
  // "mark key voucher error" per row.
  static std::string Rows(const frmVoucherIO& w) {
    std::string out;
    for (int r = 0; r < static_cast<int>(w.State().rows.size()); ++r) {
      const templates::ExternalLine& l = w.State().rows[static_cast<std::size_t>(r)].line;
      out += "[" + w.MarkText(r) + "]" + l.key + " " + l.voucher_no + " " + l.error + "|";
    }
    return out;
  }
  std::string Posted() {
    return Column(
        "Select strExternalKey || '=' || strVoucherNo From ExternalVoucher Where "
        "blnIsPosted = 1 And intLineNO = 1 Order By strExternalKey");
  }

  std::string ini_;
};

TEST_F(VoucherIOTest, ShowsTheStagedLinesAndPostsTheTickedVouchersOnce) {
  Stage();
  frmVoucherIO& w = Open();
  EXPECT_EQ(w.State().standards, (std::vector<std::string>{"Sample接口", "收费系统"}));
  EXPECT_EQ(t_.MainWindow().children.back(), &w);
  ASSERT_EQ(w.State().rows.size(), 6u);
  EXPECT_EQ(w.CellText(1, 0) + "|" + w.CellText(1, 6) + "|" + w.CellText(1, 5),
            "K1|100.00|");  // key, credit, debit
  w.SetTicked(0, true);     // ticks K1's two rows
  w.SetTicked(4, true);
  EXPECT_EQ(Rows(w), "[√]K1  |[√]K1  |[]K2  |[]K2  |[√]K3  |[√]K3  |");
  std::vector<std::pair<int, int>> progress;
  w.SetProgressHandler([&](int done, int total) { progress.emplace_back(done, total); });
  EXPECT_EQ(w.Post(), 2);
  w.SetProgressHandler(nullptr);  // the window outlives this test
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
  EXPECT_EQ(Rows(w),
            "[√ ]K1 记-000005 |[√ ]K1 记-000005 |[]K2  |[]K2  |[√ ]K3 记-000006 |"
            "[√ ]K3 记-000006 |");
  EXPECT_EQ(Posted(), "K1=记-000005 K3=记-000006");
  // The voucher window shows the last one saved.
  EXPECT_EQ(t_.Component().Form().State().header.number, "000006");
  // Ticking everything again posts only K2.
  w.TickAll(true);
  EXPECT_EQ(w.Post(), 1);
  w.Refresh();
  w.TickAll(true);
  EXPECT_EQ(w.Post(), 0);
  EXPECT_EQ(Posted(), "K1=记-000005 K2=记-000007 K3=记-000006");
}

TEST_F(VoucherIOTest, ChecksReportOnEveryLineAndRepairedRowsPost) {
  Stage(
      "K4,2026-02-21,记,a,6603-01,100,\nK4,2026-02-21,记,b,2001,,90\n"
      "K5,2026-02-21,记,a,6603-01,0,\nK5,2026-02-21,记,b,2001,,0\n"
      "K6,2026-02-21,记,a,66,10,\nK6,2026-02-21,记,b,2001,,10\n");
  frmVoucherIO& w = Open();
  EXPECT_FALSE(w.CheckData());
  EXPECT_EQ(Rows(w).substr(Rows(w).find("[]K4")),
            "[]K4  借贷不平|[]K4  借贷不平|[]K5  本币金额为0|[]K5  本币金额为0|"
            "[]K6  科目 66不存在|[]K6  |");
  // Errors stay with the staged lines.
  EXPECT_EQ(t_.Scalar("Select strError From ExternalVoucher Where strExternalKey = 'K6' And "
                      "intLineNO = 1"),
            "科目 66不存在");
  w.TickAll(true);
  EXPECT_EQ(w.Post(), 3);  // K1..K3; the others are not posted
  const int k6 = 10;
  EXPECT_EQ(w.State().rows[k6].line.key, "K6");
  EXPECT_TRUE(w.RepairCode(k6, templates::kKindAccount, "6603-01"));
  EXPECT_EQ(w.StatusText(k6), texts::kRepaired);
  w.Refresh();
  EXPECT_EQ(w.StatusText(k6), texts::kRepaired);
  w.SetTicked(k6, true);
  EXPECT_EQ(w.Post(), 1);
  EXPECT_EQ(w.MarkText(k6), texts::kPostedMark);
}

TEST_F(VoucherIOTest, OrganisationCodesAreFoundGloballyAndDecideWhoseDataItIs) {
  // 01-02 is organisation 3's code; 3001 is kept by organisation.
  const std::string header =
      "外部凭证号,日期,凭证字,摘要,科目,借方金额,贷方金额,来源机构,机构,智能核算\n";
  templates::ImportOptions options;
  options.post = false;
  Import(Write("o.csv",
               header +
                   "O1,2026-02-21,记,a,3001,10,,01-02,,\nO1,2026-02-21,记,b,2001,,10,01-02,01-02,\n"
                   "O2,2026-02-21,记,a,3001,10,,01,01-09,\nO2,2026-02-21,记,b,2001,,10,,,G9/F1\n"),
         options);
  frmVoucherIO& w = Open();
  EXPECT_FALSE(w.CheckData());
  EXPECT_EQ(Rows(w),
            "[]O1  来源机构与当前登陆机构不同！,机构不能为空|[]O1  "
            "来源机构与当前登陆机构不同！,机构应为空|"
            "[]O2  机构 01-09不存在|[]O2  商品[G9]不存在,自定段01[F1]不存在|");
}

TEST_F(VoucherIOTest, AFailedSaveStopsThePostingAndKeepsWhatWasPostedBeforeIt) {
  Stage();
  frmVoucherIO& w = Open();
  // K2 is the only voucher of 2026-02-22: its save fails in the database.
  ASSERT_EQ(sqlite3_exec(t_.Data().Handle(),
                         "CREATE TRIGGER Fail BEFORE INSERT ON Voucher WHEN NEW.strDate = "
                         "'2026-02-22' BEGIN SELECT RAISE(ABORT, 'injected'); END",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  const std::string before = Vouchers();
  w.TickAll(true);
  t_.Messages().AnswerAll(mb::kOk);
  EXPECT_EQ(w.Post(), 1);
  ASSERT_EQ(t_.Messages().Shown().size(), 1u);
  EXPECT_EQ(t_.Messages().Shown()[0].title, "保存凭证");
  EXPECT_NE(t_.Messages().Shown()[0].text.find("injected"), std::string::npos);
  EXPECT_EQ(Rows(w), "[√ ]K1 记-000005 |[√ ]K1 记-000005 |[√]K2  |[√]K2  |[√]K3  |[√]K3  |");
  EXPECT_EQ(Posted(), "K1=记-000005");
  EXPECT_EQ(std::stoi(Vouchers()), std::stoi(before) + 1);
}

TEST_F(VoucherIOTest, EveryStatementOfAPostingFailsInTurnWithoutHalfAPosting) {
  for (int fail = 1;; ++fail) {
    TestHost t;
    templates::ImportOptions options;
    options.post = false;
    problems_.clear();
    options.issue = [this](const templates::ImportIssue& i) { problems_ += i.text; };
    templates::ImportFile(Write("f.csv", std::string(kHeader) + "\n" + Voucher("K1")), Sample(),
                          options);
    frmVoucherIO& w = frame::WindowRegistry::Get<frmVoucherIO>();
    ASSERT_TRUE(w.ShowMe(Write("iei.ini", "")));
    w.TickAll(true);
    t.Messages().AnswerAll(mb::kOk);
    t.Data().FailAtStatement(fail);
    const int posted = w.Post();
    t.Data().NeverFail();
    EXPECT_EQ(t.Messages().Shown().empty(), posted == 1) << fail;
    const std::string vouchers =
        t.Scalar("Select Count(*) From Voucher Where lngVoucherSourceID = 37");
    const std::string marked =
        t.Scalar("Select Count(*) From ExternalVoucher Where blnIsPosted = 1 And intLineNO = 1");
    EXPECT_EQ(vouchers, marked) << fail;
    EXPECT_EQ(vouchers, std::to_string(posted)) << fail;
    if (posted == 1) break;
    ASSERT_LT(fail, 400);
  }
}

}  // namespace
}  // namespace lumvoucher::testing
