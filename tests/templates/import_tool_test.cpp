#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "embedded/account_set.h"
#include "embedded/sqlite_data_access.h"

namespace lumvoucher::testing {
namespace {

struct ToolRun {
  int status = -1;
  std::string out;
};

ToolRun Tool(const std::string& arguments) {
  ToolRun run;
  FILE* pipe =
      ::popen((std::string(LUMVOUCHER_IMPORT) + " " + arguments + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.out += buffer;
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(ImportToolTest, ReportsPostsAndSkipsWhatItPostedBefore) {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "import_tool";
  std::filesystem::create_directories(dir);
  const std::string db = (dir / "set.db").string();
  std::filesystem::remove(db);
  {
    embedded::SqliteDataAccess data(db);
    embedded::CreateAccountSet(data);
  }
  const std::string csv = (dir / "in.csv").string();
  std::ofstream(csv) << "外部凭证号,日期,凭证字,摘要,科目,借方金额,贷方金额\n"
                        "A1,2026-02-21,记,利息,6603-01,80,\nA1,2026-02-21,记,利息,2001,,80\n"
                        "A2,2026-02-21,记,利息,6603-01,80,\nA2,2026-02-21,记,利息,2001,,70\n";
  const std::string login = "--db " + db + " --org 1 --operator 2 --login-date 2026-02-15 ";
  const std::string args =
      login + "--standard Sample接口 --ini " + (dir / "none.ini").string() + " " + csv;

  ToolRun check = Tool(args + " --check-only");
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out,
            "in.csv:4: 借贷不平\nin.csv:5: 借贷不平\n"
            "读取 2 张外部凭证（4 行），可记账 1 张，拒绝 1，已记账跳过 0 张\n");
  ToolRun first = Tool(args);
  EXPECT_EQ(first.status, 1);
  EXPECT_NE(first.out.find("记账 1 张，拒绝 1，已记账跳过 0 张"), std::string::npos) << first.out;
  ToolRun again = Tool(args);
  EXPECT_NE(again.out.find("记账 0 张，拒绝 1，已记账跳过 1 张"), std::string::npos) << again.out;
  EXPECT_EQ(Tool(login + "--standard 无此标准 " + csv).status, 2);
  EXPECT_EQ(Tool("--db " + db + " --org x --operator 2 --standard Sample接口 " + csv).status, 2);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace lumvoucher::testing
