#include <unistd.h>

#include <fstream>

#include "host/message_box.h"
#include "templates/csv_reader.h"
#include "templates/external_fixture.h"
#include "templates/templates_texts.h"

namespace lumvoucher::testing {
namespace {

TEST_F(ExternalTest, PostsEachExternalVoucherOnceAndRecordsTheVoucherItBecame) {
  const std::string path =
      Write("a.csv", std::string(kHeader) + "\n" + Voucher("K1") + Voucher("K2", "2026-02-22"));
  const std::string before = Vouchers();
  EXPECT_EQ(Totals(Import(path)), "4/2/2/0/0");
  EXPECT_EQ(problems_, "");
  EXPECT_EQ(std::stoi(Vouchers()), std::stoi(before) + 2);
  EXPECT_EQ(Column("Select strExternalKey || ':' || strVoucherNo || ':' || blnIsPosted From "
                   "ExternalVoucher Where intLineNO = 1 Order By strExternalKey"),
            "K1:记-000005:1 K2:记-000006:1");
  EXPECT_EQ(t_.Scalar("Select v.strDate || ' ' || v.lngVoucherSourceID || ' ' || d.strRemark || "
                      "' ' || d.dblAmount From Voucher v, VoucherDetail d, ExternalVoucher e "
                      "Where e.strExternalKey = 'K2' And e.intLineNO = 2 And v.lngVoucherID = "
                      "e.lngVoucherID And d.lngVoucherID = v.lngVoucherID And d.intDirection = -1"),
            "2026-02-22 37 利息 100");
  // Again: nothing is posted twice.
  EXPECT_EQ(Totals(Import(path)), "4/2/0/0/2");
  EXPECT_EQ(std::stoi(Vouchers()), std::stoi(before) + 2);
}

TEST_F(ExternalTest, ACorrectedFileReplacesTheLinesStagedWithErrors) {
  const std::string header = std::string(kHeader) + "\n";
  EXPECT_EQ(Totals(Import(Write("v1.csv", header + Voucher("K1", "2026-02-21", "100", "90")))),
            "2/1/0/1/0");
  EXPECT_EQ(t_.Scalar("Select strError From ExternalVoucher Where intLineNO = 1"), "借贷不平");
  EXPECT_EQ(Totals(Import(Write("v2.csv", header + Voucher("K1")))), "2/1/1/0/0");
  EXPECT_EQ(Column("Select intLineNO || ':' || dblAmount || ':' || blnIsPosted || ':' || "
                   "strSourceFile From ExternalVoucher Order By intLineNO"),
            "1:100:1:v2.csv 2:100:1:v2.csv");
}

TEST_F(ExternalTest, BadInputIsReportedPerLineAndPostsNothingOfItsVoucher) {
  struct Case {
    const char* name;
    std::string body;  // after the column names
    std::string problems;
    std::string totals;
  };
  const std::vector<Case> cases = {
      // clang-format off
      {"wrong column count", "K1,2026-02-21,记,利息,6603-01,100.00\n" + Voucher("K2"), "2: 列数为6，应为7\n", "3/1/1/1/0"},
      {"invalid UTF-8", "K1,2026-02-21,记,\xE5\x88,6603-01,100,\nK1,2026-02-21,记,x,2001,,100\n",
       "2: 不是有效的UTF-8文本\n3: 借贷不平\n", "2/1/0/2/0"},
      {"amounts", "K1,2026-02-21,记,a,6603-01,1e3,\nK1,2026-02-21,记,b,2001,,abc\n",
       "2: 借方金额“1e3”不是数字\n3: 贷方金额“abc”不是数字\n", "2/1/0/1/0"},
      {"date", Voucher("K1", "2026-02-30"), "2: 日期“2026-02-30”不是有效日期\n3: 日期“2026-02-30”不是有效日期\n", "2/1/0/1/0"},
      {"both sides", "K1,2026-02-21,记,a,6603-01,5,5\n", "2: 借方金额和贷方金额都有数\n", "1/1/0/1/0"},
      {"open quote", Voucher("K1") + "K2,2026-02-21,记,\"abc,6603-01,1,\n", "4: 引号没有结束\n", "3/1/1/1/0"},
      {"keys apart", Voucher("K1") + Voucher("K2") + Voucher("K1"), "6: 外部凭证“K1”的行不相邻\n", "6/3/2/1/0"},
      {"checks",
       "K1,2026-02-21,记,a,6603-01,100,\nK1,2026-02-21,记,b,9999,,90\n"
       "K2,2026-02-21,记,c,6603-01,0,\nK2,2026-02-21,记,d,2001,,0\n",
       "2: 借贷不平\n3: 借贷不平,科目 9999不存在\n4: 本币金额为0\n5: 本币金额为0\n", "4/2/0/2/0"},
      // clang-format on
  };
  for (const Case& c : cases) {
    TestHost t;
    const std::string path = Write("b.csv", std::string(kHeader) + "\n" + c.body);
    problems_.clear();
    templates::ImportOptions options;
    options.issue = [this](const templates::ImportIssue& issue) {
      problems_ += std::to_string(issue.line) + ": " + issue.text + "\n";
    };
    const std::string before = t.Scalar("Select Count(*) From Voucher");
    const templates::ImportTotals totals = templates::ImportFile(path, Sample(), options);
    EXPECT_EQ(problems_, c.problems) << c.name;
    EXPECT_EQ(Totals(totals), c.totals) << c.name;
    EXPECT_EQ(std::stoi(t.Scalar("Select Count(*) From Voucher")),
              std::stoi(before) + static_cast<int>(totals.posted))
        << c.name;
  }
}

TEST_F(ExternalTest, MissingColumnRefusesTheFile) {
  const std::string path = Write("c.csv", "外部凭证号,日期,摘要,借方金额\n" + Voucher("K1"));
  EXPECT_EQ(Totals(Import(path)), "0/0/0/0/0 file");
  EXPECT_EQ(problems_, "1: 缺少列“科目”\n1: 缺少列“贷方金额”\n");
  EXPECT_EQ(Totals(Import((dir_ / "none.csv").string())), "0/0/0/0/0 file");
}

TEST_F(ExternalTest, QuotedFieldsGbkFilesAndMappedColumns) {
  // The standard names its own columns and its encoding.
  const host::ProfileContents ini{true,
                                  0,
                                  {{"接口标准", "1标准", "Sample接口"},
                                   {"接口标准", "2标准", "收费系统"},
                                   {"收费系统", "字符集", "GBK"},
                                   {"收费系统", "外部凭证号", "单据号"},
                                   {"收费系统", "借方金额", "借方"},
                                   {"收费系统", "贷方金额", "贷方"}}};
  EXPECT_EQ(templates::StandardNames(ini), (std::vector<std::string>{"Sample接口", "收费系统"}));
  ASSERT_FALSE(templates::LayoutOf(ini, "其他").has_value());
  const templates::CsvLayout layout = *templates::LayoutOf(ini, "收费系统");
  // "单据号,日期,凭证字,摘要,科目,借方,贷方" and "利息，第一笔" in GBK.
  const std::string gbk_header =
      "\xB5\xA5\xBE\xDD\xBA\xC5,\xC8\xD5\xC6\xDA,\xC6\xBE\xD6\xA4\xD7\xD6,\xD5\xAA\xD2\xAA,"
      "\xBF\xC6\xC4\xBF,\xBD\xE8\xB7\xBD,\xB4\xFB\xB7\xBD\r\n";
  const std::string gbk_note = "\xC0\xFB\xCF\xA2\xA3\xAC\xB5\xDA\xD2\xBB\xB1\xCA";
  const std::string path = Write("g.csv", gbk_header + "G1,2026-02-21,\xBC\xC7,\"" + gbk_note +
                                              "\r\n\"\"\xD0\xF8\"\"\",6603-01,\"1,234.50\",\r\n" +
                                              "G1,2026-02-21,\xBC\xC7,x,2001,,1234.5\r\n");
  EXPECT_EQ(Totals(Import(path, {}, &layout)), "2/1/1/0/0");
  EXPECT_EQ(problems_, "");
  // Staged intact; the voucher line's summary has the line break as blanks.
  EXPECT_EQ(t_.Scalar("Select strRemark || '|' || dblAmount || '|' || lngSourceLine From "
                      "ExternalVoucher Where intLineNO = 2"),
            "x|1234.5|4");
  EXPECT_EQ(t_.Scalar("Select strRemark From ExternalVoucher Where intLineNO = 1"),
            "利息，第一笔\r\n\"续\"");
  EXPECT_EQ(t_.Scalar("Select d.strRemark From VoucherDetail d, ExternalVoucher e Where "
                      "e.intLineNO = 1 And d.lngVoucherID = e.lngVoucherID And d.lngRowID = 1"),
            "利息，第一笔  \"续\"");
  // A byte that is not GBK.
  const std::string bad = Write("h.csv", gbk_header + "G2,2026-02-21,x,\xFF\xFF,2001,,1\r\n");
  Import(bad, {}, &layout);
  EXPECT_EQ(problems_, "2: 不是有效的GBK文本\n");
}

TEST_F(ExternalTest, FlexibleCodesBecomeOneFlexibleIdSharedByTheLines) {
  t_.Data().Execute(
      "Insert Into FlexibleItem (lngItemID, strItemCode, strItemName) Values (1, 'G1', '药品甲')");
  t_.Data().Execute(
      "Insert Into FlexibleFieldDetail (lngFieldID, intFieldNO, strFieldCode, strFieldName) Values "
      "(1, 1, 'F1', '一段')");
  const std::string path =
      Write("x.csv", std::string(kHeader) + ",智能核算\n" +
                         "X1,2026-02-21,记,a,6603-01,10,,G1/F1\nX1,2026-02-21,记,b,2001,,10,G1/F1\n"
                         "X2,2026-02-21,记,a,6603-01,10,,G1\nX2,2026-02-21,记,b,2001,,10,/F1\n");
  EXPECT_EQ(Totals(Import(path)), "4/2/2/0/0");
  EXPECT_EQ(problems_, "");
  EXPECT_EQ(Column("Select lngItemID || '/' || lngFieldID From FlexibleCheck Order By lngItemID, "
                   "lngFieldID"),
            "0/1 1/0 1/1");
  EXPECT_EQ(Column("Select flexId2codeorname(d.strFlexibleId, 0, 0, 0) From VoucherDetail d, "
                   "ExternalVoucher e Where d.lngVoucherID = e.lngVoucherID And e.intLineNO = 1 "
                   "And d.lngRowID = e.intLineNO Order By e.strExternalKey"),
            "G1/F1 G1");
}

TEST_F(ExternalTest, CheckOnlyWritesNothing) {
  const std::string path = Write("d.csv", std::string(kHeader) + "\n" + Voucher("K1") +
                                              Voucher("K2", "2026-02-21", "100", "90"));
  templates::ImportOptions options;
  options.check_only = true;
  EXPECT_EQ(Totals(Import(path, options)), "4/2/1/1/0");
  EXPECT_EQ(problems_, "4: 借贷不平\n5: 借贷不平\n");
  EXPECT_EQ(t_.Scalar("Select Count(*) From ExternalVoucher"), "0");

  // A record past the limit is refused with its line; the records after it are still read.
  const std::string big =
      Write("big.csv", std::string(kHeader) + "\nZ1,2026-02-21,记,\"" +
                           std::string(templates::CsvReader::kMaxRecordBytes + 10, 'y') +
                           "\",2001,,1\nZ2,2026-02-31,记,a,2001,,1\n");
  problems_.clear();
  EXPECT_EQ(Import(big, options).refused, 2);
  EXPECT_EQ(problems_, "2: 记录超过1MB\n3: 日期“2026-02-31”不是有效日期\n");
}

}  // namespace
}  // namespace lumvoucher::testing
