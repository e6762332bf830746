// The voucher list on the desktop of the maker 李明 in organisation 01 (every organisation below
// it is listed): sorting by a header click, and a long list read while it is shown.
#include "ui/voucher_list_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <string>

#include "ui/desktop_fixture.h"
#include "ui/filter_dialog.h"

namespace lumvoucher::ui {
namespace {

class VoucherListViewTest : public DesktopFixture {
 public:
  void SetUp() override {
    LogIn(2);
    Trigger(QStringLiteral("凭证列表"));
    ASSERT_NE(List(), nullptr);
  }
  QString Header(int column) {
    return List()->Model()->headerData(column, Qt::Horizontal).toString();
  }
  int GridColumn(const QString& caption) {
    for (int i = 0; i < List()->Model()->columnCount(); ++i) {
      if (Header(i).remove(QStringLiteral("↑")).remove(QStringLiteral("↓")) == caption) return i;
    }
    ADD_FAILURE() << "no column " << ToUtf8(caption);
    return -1;
  }
  int Rows() { return List()->Model()->rowCount(); }
  // One text per row of a column, "|"-joined.
  std::string Column(const QString& caption) {
    std::string out;
    const int column = GridColumn(caption);
    for (int row = 0; row < Rows(); ++row) {
      out += (row ? "|" : "") + ToUtf8(List()->Model()->index(row, column).data().toString());
    }
    return out;
  }
  void ClickHeader(int column) {
    QHeaderView* header = List()->Grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 8, header->height() / 2));
  }
};

TEST_F(VoucherListViewTest, OpensOnThePeriodByDateAndAHeaderClickSortsAndTurnsRound) {
  EXPECT_EQ(List()->windowTitle(), QStringLiteral("记账凭证列表"));
  EXPECT_EQ(Header(0) + "," + Header(1), QStringLiteral("日期↑,凭证字号"));
  EXPECT_EQ(Rows(), 18);
  EXPECT_TRUE(List()->Summary().contains(QStringLiteral("2026-02-01 至 2026-02-28")));
  EXPECT_TRUE(List()->Summary().contains(QStringLiteral("凭证 8 张，分录 18 条")));
  EXPECT_EQ(Column(QStringLiteral("借方金额")).substr(0, 9), "50,000.00");
  for (int i = 0; i < List()->Model()->columnCount(); ++i) {
    EXPECT_NE(Header(i), QStringLiteral("id"));  // the row keys are not columns
  }
  for (Command command : {Command::kEditNew, Command::kEditEdit, Command::kEditShowAll,
                          Command::kEditFilter, Command::kToolRefresh}) {
    EXPECT_TRUE(Main().Action(command)->isEnabled()) << Info(command).caption;
  }
  EXPECT_FALSE(Main().Action(Command::kFileSave)->isEnabled());

  const int number = GridColumn(QStringLiteral("凭证字号"));
  ClickHeader(number);
  EXPECT_EQ(Header(number) + "," + Header(0), QStringLiteral("凭证字号↑,日期"));
  EXPECT_EQ(Column(QStringLiteral("凭证字号")).substr(0, 10), "付 000001");
  ClickHeader(number);
  EXPECT_EQ(Header(number), QStringLiteral("凭证字号↓"));
  // Equal numbers keep the dates ascending: 记 000001 of 02-10, then of 02-20.
  EXPECT_EQ(Column(QStringLiteral("凭证字号")).substr(0, 10), "转 000001");
  QStringList dates;
  for (int row = 0; row < Rows(); ++row) {
    if (List()->Model()->index(row, number).data().toString() == QStringLiteral("记 000001")) {
      dates << List()->Model()->index(row, 0).data().toString();
    }
  }
  ASSERT_GE(dates.size(), 2);
  EXPECT_EQ(dates.first() + " " + dates.last(), QStringLiteral("2026-02-10 2026-02-20"));
  // A column that is not sortable leaves the order alone.
  ClickHeader(GridColumn(QStringLiteral("摘要")));
  EXPECT_EQ(Header(number), QStringLiteral("凭证字号↓"));
}

TEST_F(VoucherListViewTest, ALongListShowsItsFirstRowsAndKeepsTheRowAndScrollWhileTheRestComes) {
  host::DataAccess& data = desktop_->Host().Database();
  for (int i = 0; i < 200; ++i) {
    const std::string id = std::to_string(1000 + i);
    const std::string day = std::to_string(101 + i % 28).substr(1);
    data.Execute(
        "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, "
        "intYear, bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID) "
        "Select " +
        id + ", lngVoucherTypeID, " + std::to_string(100 + i) + ", '2026-02-" + day +
        "', intYear, bytPeriod, lngTemplateID, "
        "lngSourceOrganizationID, lngOperatorID From Voucher Where lngVoucherID = 1");
    data.Execute(
        "Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, "
        "strRemark, lngAccountID, intDirection, dblAmount, lngOrganizationID) Select " +
        id + " * 10 + lngRowID, " + id +
        ", lngRowID, strRemark, lngAccountID, "
        "intDirection, dblAmount, lngOrganizationID From VoucherDetail Where "
        "lngVoucherID = 1");
  }
  const int total =
      18 +
      200 * static_cast<int>(
                data.OpenRecordset("Select Count(1) As n From VoucherDetail Where lngVoucherID = 1")
                    .At(0, "n")
                    .AsLong());

  Trigger(QStringLiteral("凭证列表"));
  QTableView* grid = List()->Grid();
  ASSERT_GE(Rows(), 50);
  ASSERT_LT(Rows(), total);
  EXPECT_TRUE(List()->Summary().contains(QStringLiteral("正在读取")));
  const int number = GridColumn(QStringLiteral("凭证字号"));
  grid->setCurrentIndex(List()->Model()->index(40, 1));
  const QString chosen = List()->Model()->index(40, number).data().toString();
  const int scrolled = grid->verticalScrollBar()->value();
  EXPECT_GT(scrolled, 0);

  for (int step = 0; step < 1000 && List()->Presenter().State().reading; ++step) {
    QApplication::processEvents();
  }
  ASSERT_FALSE(List()->Presenter().State().reading);
  EXPECT_EQ(Rows(), total);
  EXPECT_EQ(grid->currentIndex().row(), 40);
  EXPECT_EQ(List()->Model()->index(40, number).data().toString(), chosen);
  EXPECT_EQ(List()->Presenter().State().selected_row, 40);
  EXPECT_EQ(grid->verticalScrollBar()->value(), scrolled);
  EXPECT_TRUE(List()->Summary().contains(QStringLiteral("凭证 208 张，分录 %1 条").arg(total)));
}

}  // namespace
}  // namespace lumvoucher::ui
