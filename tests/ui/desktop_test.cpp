#include "ui/desktop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "support/test_host.h"

namespace lumvoucher::ui {
namespace {

std::filesystem::path TempFile(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("lumvoucher_ui_" + std::to_string(::getpid()) + "_" + name);
}

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = ::pclose(pipe);
  if (status != 0) output += "\nexit status " + std::to_string(status);
  return output;
}

TEST(DesktopTest, StatusBarShowsWhoIsLoggedIn) {
  Desktop desktop(testing::NewDemoDatabase(), {3, 2, "2026-02-15"});
  std::vector<QString> status = desktop.Main().StatusTexts();
  ASSERT_EQ(status.size(), 3u);
  EXPECT_EQ(status[0], QStringLiteral("机构：01-02 东城分院"));
  EXPECT_EQ(status[1], QStringLiteral("操作员：李明"));
  EXPECT_EQ(status[2], QStringLiteral("登录日期：2026-02-15"));
}

TEST(DesktopTest, AnUnknownLoginIsRefused) {
  EXPECT_THROW(Desktop(testing::NewDemoDatabase(), {99, 1, "2026-02-15"}), std::exception);
}

TEST(DesktopTest, EveryScreenRendersAndTheMainOneAtTheGivenSize) {
  Desktop desktop(testing::NewDemoDatabase(), {1, 1, "2026-02-15"});
  const std::filesystem::path file = TempFile("screen.png");
  ASSERT_EQ(TakeScreenshot(desktop, "main", file.string(), QSize(900, 600)), "");
  QImage image(QString::fromStdString(file.string()));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(desktop.Main().size(), QSize(900, 600));
  EXPECT_EQ(image.size(), desktop.Main().size() * desktop.Main().devicePixelRatio());
  // Not a blank picture: the menus and status bar put more than one colour on it.
  std::set<QRgb> colours;
  for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, 10));
  EXPECT_GT(colours.size(), 2u);
  // A dialog keeps its own size.
  ASSERT_EQ(TakeScreenshot(desktop, "login", file.string()), "");
  image = QImage(QString::fromStdString(file.string()));
  EXPECT_TRUE(image.width() >= 360 && image.width() < 1280) << image.width();
  for (const std::string& name : ScreenNames()) {
    EXPECT_EQ(TakeScreenshot(desktop, name, file.string()), "") << name;
  }
  std::filesystem::remove(file);
  const std::string error = TakeScreenshot(desktop, "nothing", file.string());
  EXPECT_NE(error.find("main"), std::string::npos) << error;
  EXPECT_NE(error.find("login"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(DesktopTest, TheBinaryWritesAScreenshot) {
  const std::filesystem::path file = TempFile("binary.png");
  const std::string output = RunCommand(std::string(LUMVOUCHER_BINARY) + " --screenshot " +
                                        file.string() + " --show main 2>&1");
  EXPECT_EQ(output.find("exit status"), std::string::npos) << output;
  QImage image(QString::fromStdString(file.string()));
  ASSERT_FALSE(image.isNull()) << output;
  EXPECT_EQ(image.size(), QSize(1280, 800));
  std::filesystem::remove(file);
}

TEST(DesktopTest, TheBinaryPrintsTheSummaryWithoutADisplay) {
  const std::filesystem::path db = TempFile("summary.db");
  std::filesystem::remove(db);
  const std::string output =
      RunCommand("env -u QT_QPA_PLATFORM -u DISPLAY " + std::string(LUMVOUCHER_BINARY) +
                 " --summary --db " + db.string() + " 2>&1");
  EXPECT_NE(output.find("机构 01 星河医疗集团"), std::string::npos) << output;
  EXPECT_NE(output.find("操作员 系统管理员"), std::string::npos) << output;
  EXPECT_EQ(output.find("exit status"), std::string::npos) << output;
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(db.string() + suffix);
}

TEST(DesktopTest, BothBinariesPrintTheirOptionsOnHelp) {
  Desktop desktop(testing::NewDemoDatabase(), {1, 1, "2026-02-15"});
  const std::string desktop_help =
      RunCommand("env -u QT_QPA_PLATFORM -u DISPLAY " + std::string(LUMVOUCHER_BINARY) +
                 " --help 2>/dev/null");
  EXPECT_EQ(desktop_help.find("exit status"), std::string::npos) << desktop_help;
  EXPECT_NE(desktop_help.find("--screenshot"), std::string::npos) << desktop_help;
  // Every screen the desktop registers is named.
  for (const std::string& name : desktop.Screens().Names()) {
    EXPECT_NE(desktop_help.find(" " + name), std::string::npos) << name;
  }
  EXPECT_EQ(desktop.Screens().Names(), ScreenNames());
  const std::string sql_help =
      RunCommand(std::string(LUMVOUCHER_SQL_BINARY) + " --help 2>/dev/null");
  EXPECT_NE(sql_help.find("--translate"), std::string::npos) << sql_help;
  EXPECT_EQ(sql_help.find("exit status"), std::string::npos) << sql_help;
  for (const std::string& output : {desktop_help, sql_help}) {
    ASSERT_FALSE(output.empty());
    EXPECT_EQ(output.back(), '\n');
  }
}

}  // namespace
}  // namespace lumvoucher::ui
