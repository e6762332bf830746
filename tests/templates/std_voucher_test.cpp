#include <gtest/gtest.h>

#include "host/message_box.h"
#include "support/test_host.h"
#include "templates/frm_create_std_voucher.h"
#include "templates/frm_select_std_voucher.h"
#include "templates/templates_texts.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
namespace texts = templates::texts;
using templates::frmCreateStdVoucher;
using templates::StdVoucherSource;

class StdVoucherTest : public ::testing::Test {
 protected:
  std::string Scalar(const std::string& sql) { return t_.Scalar(sql); }
  std::string Count(const std::string& table, const std::string& where = "1=1") {
    return Scalar("Select Count(*) From " + table + " Where " + where);
  }
  // "row account direction remark|..." of a standard voucher's lines, in row order.
  std::string Lines(const std::string& number, const std::string& prefix = "") {
    std::string out;
    host::Recordset rs = t_.Data().OpenRecordset(
        "Select d.lngRowID, d.lngAccountID, d.intDirection, d.strRemark, d.strCheckNumber, "
        "d.lngDepartmentID, d.lngEmployeeID, d.lngFunctionalID From " +
        prefix + "StdVoucherDetail d, " + prefix +
        "StdVoucher s Where d.lngVoucherID = s.lngVoucherID And s.strVoucherNo = '" + number +
        "' Order By d.lngRowID");
    for (; !rs.Eof(); rs.MoveNext()) {
      if (!out.empty()) out += "|";
      out += rs[std::size_t{0}].AsText() + " " + rs[1].AsText() + " " + rs[2].AsText() + " [" +
             rs[3].AsText() + "][" + rs[4].AsText() + "] " + rs[5].AsText() + " " + rs[6].AsText() +
             " " + rs[7].AsText();
    }
    return out;
  }
  // The dialog played by the user: number and name, then OK.
  void ExpectDialog(const std::string& number, const std::string& name) {
    t_.Modal().Expect(texts::kCreateWindowName, [=](host::ModalWindow& w) {
      auto& dialog = dynamic_cast<frmCreateStdVoucher&>(w);
      dialog.SetNumber(number);
      dialog.SetName(name);
      dialog.Ok();
      return dialog.Done() ? 1 : 0;
    });
  }
  static StdVoucherSource TwoLines(long type = 1) {
    StdVoucherSource s;
    s.type_id = type;
    s.template_id = 1;
    s.attachments = 2;
    s.grid_lines = 2;
    s.lines.push_back({"", 31, 1, 1, 0, 0, 0, 1, 0, 0, "", "", 7, 0, 0});
    s.lines.push_back({"付办公费", 1, -1, 1, 0, 0, 0, 0, 0, 0, "XJ0009", "", 0, 0, 0});
    return s;
  }

  TestHost t_;
};

TEST_F(StdVoucherTest, SavesTheVoucherOnScreenWithoutAmountsBlanksForEmptyTexts) {
  voucher::frmVoucher& window = t_.Component().Form();
  ASSERT_TRUE(window.ShowAOldBill(3));
  ExpectDialog("03", "差旅费报销");
  bool created = false;
  frmCreateStdVoucher dialog;
  EXPECT_TRUE(dialog.CreateVoucher(window, true, created));
  EXPECT_TRUE(created);
  EXPECT_EQ(
      Scalar("Select lngVoucherTypeID || '/' || lngTemplateID || '/' || intNumber || '/' || "
             "strVoucherName || '/' || lngOrganizationID From StdVoucher Where "
             "strVoucherNo = '03'"),
      "1/1/" + Scalar("Select intNumber From Voucher Where lngVoucherID = 3") + "/差旅费报销/1");
  EXPECT_EQ(Lines("03"),
            "1 32 1 [张伟报销北京差旅费][ ] 1 1 0|2 8 -1 [张伟报销北京差旅费][ ] 0 1 0");

  ExpectDialog("04", "办公费");
  EXPECT_TRUE(dialog.CreateVoucher(TwoLines(), true, created));
  // The budget classifications belong to the budget basis only.
  EXPECT_EQ(Lines("04"), "1 31 1 [ ][ ] 1 0 0|2 1 -1 [付办公费][XJ0009] 0 0 0");
}

TEST_F(StdVoucherTest, RefusesAVoucherWithFewerThanTwoLines) {
  StdVoucherSource one = TwoLines();
  one.lines.pop_back();
  one.grid_lines = 1;
  t_.Messages().Expect(texts::kTooFewLines, mb::kOk, texts::kTitleInformation);
  bool created = true;
  EXPECT_FALSE(frmCreateStdVoucher().CreateVoucher(one, true, created));
  EXPECT_FALSE(created);
  EXPECT_EQ(t_.Modal().Pending(), 0u);
}

TEST_F(StdVoucherTest, TakenNumberAsksToReplaceWithThreeAnswers) {
  const StdVoucherSource source = TwoLines(4);
  struct Case {
    int answer;
    bool done;
    std::string old_rows;  // the demo voucher "01" afterwards
    std::string type;      // the type "01" holds afterwards
  };
  for (const Case& c : {Case{mb::kYes, true, "0", "4"}, Case{mb::kNo, true, "2", "1"},
                        Case{mb::kCancel, false, "2", "1"}}) {
    TestHost t;
    t.Modal().Expect(texts::kCreateWindowName, [&](host::ModalWindow& w) {
      auto& d = dynamic_cast<frmCreateStdVoucher&>(w);
      d.SetNumber("01");
      d.SetName("新模板");
      t.Messages().Expect(texts::kReplaceQuestion, c.answer, texts::kTitleWarning);
      d.Ok();
      EXPECT_EQ(d.Done(), c.done);
      return 0;
    });
    bool created = false;
    frmCreateStdVoucher().CreateVoucher(source, true, created);
    EXPECT_EQ(created, c.answer == mb::kYes);
    EXPECT_EQ(t.Scalar("Select Count(*) From StdVoucherDetail Where lngVoucherID = 1"), c.old_rows);
    EXPECT_EQ(t.Scalar("Select lngVoucherTypeID From StdVoucher Where strVoucherNo = '01'"),
              c.type);
  }
}

TEST_F(StdVoucherTest, AFailedSaveWritesNothingWhicheverStatementFails) {
  const StdVoucherSource source = TwoLines();
  for (int fail = 1;; ++fail) {
    TestHost t;
    bool created = false;
    t.Modal().Expect(texts::kCreateWindowName, [&](host::ModalWindow& w) {
      auto& d = dynamic_cast<frmCreateStdVoucher&>(w);
      d.SetNumber("01");
      d.SetName("替换");
      // The first statement looks the number up; the question follows it.
      if (fail > 1) t.Messages().Expect(texts::kReplaceQuestion, mb::kYes);
      t.Messages().Expect(texts::kSaveFailed, mb::kOk, texts::kTitleInformation);
      t.Data().FailAtStatement(fail);
      d.Ok();
      t.Data().NeverFail();
      return 0;
    });
    frmCreateStdVoucher().CreateVoucher(source, true, created);
    if (created) {
      t.Messages().Clear();
      EXPECT_GT(fail, 5);
      break;
    }
    EXPECT_EQ(t.Scalar("Select Count(*) From StdVoucher"), "2") << fail;
    EXPECT_EQ(t.Scalar("Select Count(*) From StdVoucherDetail"), "4") << fail;
    EXPECT_EQ(t.Scalar("Select lngVoucherTypeID From StdVoucher Where strVoucherNo='01'"), "1");
    ASSERT_LT(fail, 50);
  }
}

TEST_F(StdVoucherTest, ChooserListsByNumberChoosesAndDeletes) {
  t_.Modal().Expect(texts::kSelectWindowName, [](host::ModalWindow& w) {
    auto& chooser = dynamic_cast<templates::frmSelectStdVoucher&>(w);
    EXPECT_EQ(chooser.Rows().size(), 2u);
    EXPECT_EQ(chooser.Rows()[0].number + chooser.Rows()[0].name, "01报销差旅费");
    EXPECT_TRUE(chooser.Choose(1));
    return 1;
  });
  long id = 0;
  templates::frmSelectStdVoucher select;
  EXPECT_TRUE(select.SelectVoucher(true, id));
  EXPECT_EQ(id, 2);

  t_.Modal().Expect(texts::kSelectWindowName, [&](host::ModalWindow& w) {
    auto& chooser = dynamic_cast<templates::frmSelectStdVoucher&>(w);
    t_.Messages().Expect("您确实要删除样板凭证“02 计提工资”吗？", mb::kNo,
                         texts::kTitleInformation);
    EXPECT_FALSE(chooser.Delete(1));
    t_.Messages().Expect("您确实要删除样板凭证“02 计提工资”吗？", mb::kYes);
    EXPECT_TRUE(chooser.Delete(1));
    EXPECT_EQ(chooser.Rows().size(), 1u);
    // A failed delete keeps the list and the rows.
    t_.Messages().Expect("您确实要删除样板凭证“01 报销差旅费”吗？", mb::kYes);
    t_.Messages().Expect("删除样板凭证“01 报销差旅费”错误！", mb::kOk, texts::kTitleDeleteError);
    t_.Data().FailAtStatement(2);
    EXPECT_FALSE(chooser.Delete(0));
    t_.Data().NeverFail();
    EXPECT_EQ(chooser.Rows().size(), 1u);
    chooser.Cancel();
    return 0;
  });
  EXPECT_FALSE(select.SelectVoucher(true, id));
  EXPECT_EQ(id, 0);
  EXPECT_EQ(Count("StdVoucherDetail", "lngVoucherID = 2") +
                Count("StdVoucher", "lngVoucherID = 2") +
                Count("StdVoucherDetail", "lngVoucherID = 1"),
            "002");
}

TEST_F(StdVoucherTest, LoadingStartsANewVoucherFromTheTemplateWithoutAmounts) {
  voucher::frmVoucher& window = t_.Component().Form();
  ASSERT_TRUE(window.ShowAOldBill(8));  // 转-000001, 140000 on three lines
  ExpectDialog("09", "工资");
  bool created = false;
  frmCreateStdVoucher().CreateVoucher(window, true, created);
  ASSERT_TRUE(created);
  t_.Modal().Expect(texts::kSelectWindowName, [](host::ModalWindow& w) {
    auto& chooser = dynamic_cast<templates::frmSelectStdVoucher&>(w);
    EXPECT_TRUE(chooser.Choose(2));
    return 1;
  });
  ASSERT_TRUE(window.LoadStdVoucher());
  const voucher::VoucherState& s = window.State();
  EXPECT_EQ(s.header.voucher_id, 0);
  EXPECT_EQ(s.header.type_code + s.header.template_name + "/" + s.header.attachments,
            "转转账凭证/" + Scalar("Select intNumber From Voucher Where lngVoucherID = 8"));
  EXPECT_EQ(s.header.number, "000002");  // the next 转 number of the period
  ASSERT_EQ(s.lines.size(), 3u);
  std::string dump;
  for (const voucher::VoucherLine& l : s.lines) {
    dump += l.account_text + "|" + l.department_text + "|" + l.currency_name + "|" +
            std::to_string(l.debit + l.credit + l.currency_amount + l.rate) + "|" +
            std::to_string(l.direction) + ";";
  }
  EXPECT_EQ(dump,
            "6602-03 职工薪酬|01 综合办公室|人民币|0.000000|1;"
            "6602-03 职工薪酬|02 财务部|人民币|0.000000|1;"
            "2211-01 工资||人民币|0.000000|-1;");
  EXPECT_EQ(s.totals.debit + s.totals.credit, 0);
}

TEST_F(StdVoucherTest, BasesKeepTheirOwnNumbersAndThePairedChooserListsANumberOnce) {
  // "01" is a financial number only: the budget basis does not clash with it.
  ExpectDialog("01", "预算差旅");
  bool created = false;
  StdVoucherSource budget = TwoLines();
  EXPECT_TRUE(frmCreateStdVoucher().CreateVoucher(budget, false, created));
  EXPECT_EQ(Lines("01", "Budget"), "1 31 1 [ ][ ] 1 0 7|2 1 -1 [付办公费][XJ0009] 0 0 0");
  ExpectDialog("07", "仅预算");
  EXPECT_TRUE(frmCreateStdVoucher().CreateVoucher(budget, false, created));

  // The paired save checks and replaces in both bases.
  t_.Modal().Expect(texts::kCreateWindowName, [&](host::ModalWindow& w) {
    auto& d = dynamic_cast<frmCreateStdVoucher&>(w);
    d.SetNumber("07");
    d.SetName("成对");
    t_.Messages().Expect(texts::kReplaceQuestion, mb::kYes);
    d.Ok();
    return 1;
  });
  long finance_id = 0;
  long budget_id = 0;
  EXPECT_TRUE(frmCreateStdVoucher().CreateVoucherAll(TwoLines(4), budget, true, finance_id,
                                                     budget_id, created));
  EXPECT_EQ(Scalar("Select lngVoucherID From StdVoucher Where strVoucherNo='07'"),
            std::to_string(finance_id));
  EXPECT_EQ(Scalar("Select lngVoucherID || strVoucherName From BudgetStdVoucher Where "
                   "strVoucherNo='07'"),
            std::to_string(budget_id) + "成对");

  struct Pick {
    int row;
    std::string finance;
    std::string budget;
  };
  ExpectDialog("08", "仅预算2");
  EXPECT_TRUE(frmCreateStdVoucher().CreateVoucher(budget, false, created));
  for (const Pick& p :
       {Pick{0, "1", Scalar("Select lngVoucherID From BudgetStdVoucher Where strVoucherNo='01'")},
        Pick{3, "0",
             Scalar("Select lngVoucherID From BudgetStdVoucher Where strVoucherNo='08'")}}) {
    t_.Modal().Expect(texts::kSelectAllWindowName, [&](host::ModalWindow& w) {
      auto& chooser = dynamic_cast<templates::frmSelectStdVoucherAll&>(w);
      std::string numbers;
      for (const auto& row : chooser.Rows()) numbers += row.number + " ";
      EXPECT_EQ(numbers, "01 02 07 08 ");
      chooser.Choose(p.row);
      return 1;
    });
    long f = -1;
    long b = -1;
    EXPECT_TRUE(templates::frmSelectStdVoucherAll().SelectVoucher(f, b));
    EXPECT_EQ(std::to_string(f) + "/" + std::to_string(b), p.finance + "/" + p.budget);
  }
  // Deleting from the paired chooser removes the number from both bases.
  t_.Modal().Expect(texts::kSelectAllWindowName, [&](host::ModalWindow& w) {
    auto& chooser = dynamic_cast<templates::frmSelectStdVoucherAll&>(w);
    t_.Messages().Expect("您确实要删除样板凭证“07 成对”吗？", mb::kYes);
    EXPECT_TRUE(chooser.Delete(2));
    chooser.Cancel();
    return 0;
  });
  long f = 0;
  long b = 0;
  EXPECT_FALSE(templates::frmSelectStdVoucherAll().SelectVoucher(f, b));
  EXPECT_EQ(Count("StdVoucher", "strVoucherNo='07'") +
                Count("BudgetStdVoucher", "strVoucherNo='07'") +
                Count("BudgetStdVoucherDetail", "lngVoucherID=" + std::to_string(budget_id)),
            "000");
}

}  // namespace
}  // namespace lumvoucher::testing
