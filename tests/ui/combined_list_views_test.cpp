#include <QImage>
#include <QTableView>

#include "desktop_fixture.h"

namespace lumvoucher::ui {
namespace {

class CombinedListViewTest : public DesktopFixture {
 protected:
  bool HasEntry(const QString& caption) {
    for (QAction* action : Main().findChildren<QAction*>()) {
      if (action->text() == caption) return true;
    }
    return false;
  }
  // The colour painted at the top of a row's first cell, above its text.
  QColor Painted(int row) {
    QTableView* grid = List()->Grid();
    const QImage image = grid->viewport()->grab().toImage();
    return image.pixelColor(grid->columnViewportPosition(0) + 2,
                            grid->rowViewportPosition(row) + 3);
  }
};

// 收 000002 (financial 10000, budget 6000) is grey; 记 000002, with no budget side, is not.
// Only a dual-basis account set has the entries.
TEST_F(CombinedListViewTest, TheHospitalsMenuOpensBothListsAndThePairListShadesDifferences) {
  LogIn(2);
  EXPECT_FALSE(HasEntry(QStringLiteral("凭证综合查询列表")));
  LogIn(5001, 5001, embedded::DemoSets::kAll);
  EXPECT_TRUE(HasEntry(QStringLiteral("凭证综合查询明细列表")));
  Trigger(QStringLiteral("凭证综合查询列表"));
  ASSERT_NE(List(), nullptr);
  ASSERT_EQ(List()->Model()->rowCount(), 5);
  List()->Grid()->clearSelection();
  EXPECT_EQ(Painted(3), QColor(220, 220, 220));
  EXPECT_NE(Painted(2), QColor(220, 220, 220));

  Trigger(QStringLiteral("凭证综合查询明细列表"));
  EXPECT_EQ(List()->windowTitle(), QStringLiteral("凭证综合查询明细列表"));
  EXPECT_EQ(List()->Model()->rowCount(), 17);
}

}  // namespace
}  // namespace lumvoucher::ui
