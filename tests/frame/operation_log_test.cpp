#include "frame/operation_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

// Rows keyed from the log sequence; quotes in any text arrive intact and cannot change the
// statement.
TEST(OperationLog, WritesOneRowPerEntryWithItsTextsIntact) {
  TestHost host;
  const std::string summary = "它's \"x\"";
  const std::string attack = "x'); Delete From log; --";
  WriteLog({2, "保存凭证", "2026-02-15", "09:00:00", "17:30:00", "PC-01", 1});
  WriteLog({3, summary, "2026-02-16", "08:00:00", "08:05:00", attack, 4});
  WriteLog({2, attack, "2026-02-15", "09:00:02", "09:00:03", "O'Neil's PC", 1});
  const long first = std::stol(host.Scalar("Select Min(lnglogid) From log"));
  EXPECT_EQ(host.Rows("Select lnglogid - " + std::to_string(first) +
                      ", lngoperatorid, strlog, strlogdate, strlogintime, strlogouttime, "
                      "strmachinename, lngOrganizationID From log Order By lnglogid"),
            "0|2|保存凭证|2026-02-15|09:00:00|17:30:00|PC-01|1\n1|3|" + summary +
                "|2026-02-16|08:00:00|08:05:00|" + attack + "|4\n2|2|" + attack +
                "|2026-02-15|09:00:02|09:00:03|O'Neil's PC|1\n");
}

TEST(OperationLog, DateConditionsCarryTheRangeAndThePath) {
  TestHost host;
  WriteDateCondition(7, 31, "凭证's日期", "2026-02-01", "2026-02-28");
  WriteDateCondition(8, 32, "2026-01-01", "2026-12-31");
  EXPECT_EQ(host.Rows("Select lngListID, lngViewFieldID, strPath, strDateOP, substr(dtmDate1, 1, "
                      "10), substr(dtmDate2, 1, 10) From ListCond Order By lngListID"),
            "7|31|凭证's日期|4|2026-02-01|2026-02-28\n8|32|日期|4|2026-01-01|2026-12-31\n");
}

class TraceLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("lumvoucher-trace-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
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
