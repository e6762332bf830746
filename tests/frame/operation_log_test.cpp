#include "frame/operation_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

class OperationLogTest : public ::testing::Test {
 protected:
  std::string LogRows() {
    host::Recordset rs = host_.Data().OpenRecordset(
        "Select lnglogid, lngoperatorid, strlog, strlogdate, strlogintime, strlogouttime, "
        "strmachinename, lngOrganizationID From log Order By lnglogid");
    std::string dump;
    for (; !rs.Eof(); rs.MoveNext()) {
      if (!dump.empty()) dump += "\n";
      for (std::size_t i = 0; i < rs.FieldCount(); ++i) {
        dump += (i == 0 ? "" : "|") + rs[i].AsText();
      }
    }
    return dump;
  }
  TestHost host_;
};

TEST_F(OperationLogTest, WritesOneRowKeyedFromTheLogSequence) {
  WriteLog({2, "保存凭证", "2026-02-15", "09:00:00", "17:30:00", "PC-01", 1});
  WriteLog({3, "复核凭证", "2026-02-16", "08:00:00", "08:05:00", "PC-02", 4});
  const std::string first_id = host_.Scalar("Select Min(lnglogid) From log");
  const std::string expected = first_id + "|2|保存凭证|2026-02-15|09:00:00|17:30:00|PC-01|1\n" +
                               std::to_string(std::stol(first_id) + 1) +
                               "|3|复核凭证|2026-02-16|08:00:00|08:05:00|PC-02|4";
  EXPECT_EQ(LogRows(), expected);
}

TEST_F(OperationLogTest, QuotesInAnyTextArriveIntactAndCannotChangeTheStatement) {
  const std::string summary = "它's \"x\"";
  const std::string attack = "x'); Delete From log; --";
  WriteLog({2, summary, "2026-02-15", "09:00:00", "09:00:01", attack, 1});
  WriteLog({2, attack, "2026-02-15", "09:00:02", "09:00:03", "O'Neil's PC", 1});
  EXPECT_EQ(host_.Scalar("Select count(*) From log"), "2");
  EXPECT_EQ(host_.Scalar("Select strlog From log Where strlogintime = '09:00:00'"), summary);
  EXPECT_EQ(host_.Scalar("Select strmachinename From log Where strlogintime = '09:00:00'"), attack);
  EXPECT_EQ(host_.Scalar("Select strlog From log Where strlogintime = '09:00:02'"), attack);
  EXPECT_EQ(host_.Scalar("Select strmachinename From log Where strlogintime = '09:00:02'"),
            "O'Neil's PC");
}

TEST_F(OperationLogTest, DateConditionsCarryTheRangeAndThePath) {
  WriteDateCondition(7, 31, "凭证's日期", "2026-02-01", "2026-02-28");
  WriteDateCondition(8, 32, "2026-01-01", "2026-12-31");
  host::Recordset rs = host_.Data().OpenRecordset(
      "Select lngListID, lngViewFieldID, strPath, strDateOP, substr(dtmDate1, 1, 10) As d1, "
      "substr(dtmDate2, 1, 10) As d2 From ListCond Order By lngListID");
  std::string dump;
  for (; !rs.Eof(); rs.MoveNext()) {
    for (std::size_t i = 0; i < rs.FieldCount(); ++i) dump += (i == 0 ? "" : "|") + rs[i].AsText();
    dump += ";";
  }
  EXPECT_EQ(dump, "7|31|凭证's日期|4|2026-02-01|2026-02-28;8|32|日期|4|2026-01-01|2026-12-31;");
}

class TraceLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("lumvoucher-trace-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    previous_ = ComponentFolder();
    SetComponentFolder(folder_);
  }
  void TearDown() override {
    SetComponentFolder(previous_);
    std::filesystem::remove_all(folder_);
  }
  std::filesystem::path folder_;
  std::filesystem::path previous_;
  TestHost host_;
};

TEST_F(TraceLogTest, AppendsLinesWithLocalAndDatabaseTimeToTheLogFolder) {
  TraceLog("凭证列表开始");
  TraceLog("凭证列表结束");
  const std::filesystem::path file = TraceLogFile();
  EXPECT_EQ(file.parent_path(), folder_ / "log");
  EXPECT_EQ(file.extension(), ".log");
  std::ifstream in(file);
  std::string first, second, third;
  std::getline(in, first);
  std::getline(in, second);
  EXPECT_FALSE(std::getline(in, third));
  const std::regex line(
      R"(\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\](.*) 时间 \d{4}-\d\d-\d\d \d\d:\d\d:\d\d:\d{3})");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(first, match, line)) << first;
  EXPECT_EQ(match[1], "凭证列表开始");
  ASSERT_TRUE(std::regex_match(second, match, line)) << second;
  EXPECT_EQ(match[1], "凭证列表结束");
}

}  // namespace
}  // namespace lumvoucher::frame
