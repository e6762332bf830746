#include "links/frm_reference.h"

#include "links/links_fixture.h"
#include "links/memo_book.h"
#include "links/memo_texts.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
namespace texts = links::memo_texts;
using links::frmReference;

class ReferenceTest : public LinksTest {
 protected:
  // The line's registration as "row type:code amount dept" lines.
  std::string Stored(long line) {
    return Rows(
        "Select r.lngRowID, Reference.bytFuncType, Reference.strReferenceCode, r.dblAmount, "
        "r.lngDepartmentID, r.intVoucherNo, r.lngOperatorID From RVoucherDetail r, Reference "
        "Where r.lngReferenceID = Reference.lngReferenceID And r.lngVoucherDetailID = " +
        std::to_string(line) + " Order By r.lngRowID");
  }
  std::string Classes(const frmReference& w) {
    std::string out;
    for (const links::ReferenceClass& c : w.State().classes) {
      out += c.label + "|" + c.remaining_label + "|" + std::to_string(c.remaining) + "|";
      for (const links::ReferenceChoice& ch : c.choices) out += ch.text + ";";
      out += "\n";
    }
    return out;
  }
};

TEST_F(ReferenceTest, ClassificationsFollowTheRegimeAndTheEconomicOnlySetting) {
  struct Case {
    const char* code;
    const char* economic_only;
    const char* expected;
  };
  const Case cases[] = {
      {"1", "False",
       "功能分类项目|功能分类       待分配金额：|12000.000000|21002 公立医院;21004 公共卫生;\n"
       "经济分类项目|经济分类       待分配金额：|12000.000000|30201 办公费;30211 差旅费;30227 "
       "委托业务费;30299 系统预置项目;\n"
       "其他分类项目|其他分类       待分配金额：|12000.000000|901 科研课题;\n"},
      // Code "16": two classifications, the system item neither offered nor shown.
      {"16", "false",
       "政府指令性任务|政府指令性任务 待分配金额：|12000.000000|21002 公立医院;21004 公共卫生;\n"
       "其他分类项目|其他分类       待分配金额：|12000.000000|30201 办公费;30211 差旅费;30227 "
       "委托业务费;\n"},
      {"1", "true",
       "经济分类项目|经济分类       待分配金额：|12000.000000|30201 办公费;30211 差旅费;30227 "
       "委托业务费;30299 系统预置项目;\n"},
  };
  for (const Case& c : cases) {
    Set("帐套属性", "会计制度", c.code);
    Set("帐套属性", "仅显示备查经济分类科目", c.economic_only);
    frmReference w;
    ASSERT_TRUE(w.Load(14, "6602-04 专项支出", 0, false));
    EXPECT_EQ(Classes(w), c.expected) << c.code << " " << c.economic_only;
  }
}

TEST_F(ReferenceTest, AnAccountWithoutVoucherRightsIsRefusedNamingIt) {
  Set("权限控制", "科目", "True");
  Exec(
      "Insert Into OperatorAccount (lngOperatorID, lngAccountID, lngOrganizationID) Values (2, "
      "31, 1)");
  t_.Messages().Expect("没有科目\"6602-04 专项支出\"的制单权限，不能对其进行备查薄登记！", mb::kOk,
                       "提示信息");
  frmReference w;
  EXPECT_FALSE(w.ShowReference(14, "6602-04 专项支出", 12000, false));
  EXPECT_EQ(t_.Modal().Pending(), 0u);
}

// Rows typed into the window for line 14 (12000, or -500 after the line turned red) and what
// the save says and stores.
TEST_F(ReferenceTest, SaveChecksAmountsAgainstTheLine) {
  struct Entry {
    int type;
    long item;
    const char* amount;
  };
  struct Case {
    double line;
    std::vector<Entry> rows;
    const char* message;
    const char* stored;
  };
  const Case cases[] = {
      {12000, {{1, 2, "12000"}}, "", "1|1|21002|12000|0|4|2\n"},
      {12000, {{1, 2, "12000.01"}}, texts::kOverAllocated, ""},
      {12000,
       {{1, 2, "7000"}, {1, 3, "5000"}, {3, 8, "100"}},
       "",
       "1|1|21002|7000|0|4|2\n2|1|21004|5000|0|4|2\n3|3|901|100|0|4|2\n"},
      {12000, {{1, 2, "-100"}}, "第1行“备查金额”不是一个合法数据，请重新输入！", ""},
      {-500, {{2, 5, "-200"}, {2, 7, "-300"}}, "", "1|2|30201|-200|0|4|2\n2|2|30227|-300|0|4|2\n"},
      {-500, {{2, 5, "-200"}, {2, 7, "200"}}, "第2行“备查金额”不是一个合法数据，请重新输入！", ""},
      {12000, {{1, 0, "5"}}, texts::kNeedItem, ""},
  };
  for (const Case& c : cases) {
    Exec("Delete From RVoucherDetail Where lngVoucherDetailID = 14");
    Exec("Update VoucherDetail Set dblAmount = " + std::to_string(c.line) +
         " Where lngVoucherDetailID = 14");
    frmReference w;
    ASSERT_TRUE(w.Load(14, "6602-04 专项支出", c.line, false));
    for (const Entry& e : c.rows) {
      const int row = w.AddRow(e.type);
      if (e.item != 0) {
        ASSERT_TRUE(w.SetItem(row, e.item));
      }
      ASSERT_TRUE(w.SetAmount(row, e.amount));
    }
    if (*c.message) t_.Messages().Expect(c.message, mb::kOk, "提示信息");
    EXPECT_EQ(w.Save(), *c.message == '\0') << c.message;
    EXPECT_EQ(Stored(14), c.stored) << c.line;
  }
}

TEST_F(ReferenceTest, EditsAreRefusedWithTheSystemsMessages) {
  frmReference w;
  ASSERT_TRUE(w.Load(5, "6602-02 差旅费", 3200, false));
  ASSERT_EQ(w.State().rows.size(), 2u);
  const int row = w.AddRow(1);
  t_.Messages().Expect(texts::kItemUsed, mb::kOk, texts::kTitleEditDetail);
  EXPECT_FALSE(w.SetItem(row, 2));
  t_.Messages().Expect(texts::kChooseReference, mb::kOk, "提示信息");
  EXPECT_FALSE(w.SetItem(row, 0));
  // Items of another classification, and ones the account does not take, are not offered.
  t_.Messages().Expect(texts::kChooseReference, mb::kOk, "提示信息");
  EXPECT_FALSE(w.SetItem(row, 3));
  for (const char* bad : {"12a", "1e3", "0x10", "nan", "--1"}) {
    t_.Messages().Expect("第3行“备查金额”不是一个合法数据，请重新输入！", mb::kOk, "提示信息");
    EXPECT_FALSE(w.SetAmount(row, bad)) << bad;
  }
  frmReference read_only;
  ASSERT_TRUE(read_only.Load(5, "6602-02 差旅费", 3200, true));
  EXPECT_EQ(read_only.AddRow(1), 0);
  EXPECT_FALSE(read_only.SetAmount(1, "1"));
}

// Line 5 holds 21002 (row 1) and 30211 (row 2), 3200 each.
void EditLineFive(frmReference& w) {
  ASSERT_TRUE(w.Load(5, "6602-02 差旅费", 3200, false));
  ASSERT_TRUE(w.DeleteRow(1));
  ASSERT_TRUE(w.SetAmount(1, "3000"));
  const int row = w.AddRow(3);
  ASSERT_TRUE(w.SetItem(row, 8));
  ASSERT_TRUE(w.SetAmount(row, "50"));
}

TEST_F(ReferenceTest, RemovedRowsGoKeptOnesAreUpdatedNewOnesInserted) {
  const std::string before = Stored(5);
  // Whichever statement of the save fails, the registration stays as it was.
  t_.Messages().AnswerAll(mb::kOk);
  for (int n = 1;; ++n) {
    frmReference w;
    EditLineFive(w);
    t_.Data().FailAtStatement(n);
    const bool saved = w.Save();
    t_.Data().NeverFail();
    if (saved) break;
    ASSERT_LT(n, 20);
    EXPECT_EQ(Stored(5), before) << n;
    EXPECT_EQ(t_.Messages().Shown().back().text.rfind(texts::kFailed, 0), 0u);
  }
  EXPECT_EQ(Rows("Select Decode(lngRVoucherDetailID, 1002, 'kept', 'new'), lngRowID, "
                 "lngReferenceID, dblAmount From "
                 "RVoucherDetail Where lngVoucherDetailID = 5 Order By lngRowID"),
            "kept|1|6|3000\nnew|2|8|50\n");
}

TEST_F(ReferenceTest, AnUneditedSaveRewritesRowsOnlyWhenTheLineChanged) {
  Exec("Update RVoucherDetail Set lngOperatorID = 9");
  frmReference w;
  ASSERT_TRUE(w.Load(5, "6602-02 差旅费", 3200, false));
  ASSERT_TRUE(w.Save());
  EXPECT_FALSE(w.State().saved);
  Exec("Update VoucherDetail Set lngDepartmentID = 2 Where lngVoucherDetailID = 5");
  frmReference again;
  ASSERT_TRUE(again.Load(5, "6602-02 差旅费", 3200, false));
  ASSERT_TRUE(again.Save());
  EXPECT_EQ(Stored(5), "1|1|21002|3200|2|1|2\n2|2|30211|3200|2|1|2\n");
}

}  // namespace
}  // namespace lumvoucher::testing
