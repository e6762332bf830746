#include "ui/desktop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <filesystem>
#include <set>

#include "support/test_host.h"

namespace lumvoucher::ui {
namespace {

std::filesystem::path TempFile(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("lumvoucher_ui_" + std::to_string(::getpid()) + "_" + name);
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

}  // namespace
}  // namespace lumvoucher::ui
