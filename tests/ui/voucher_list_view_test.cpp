#include "ui/voucher_list_view.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <memory>
#include <string>

#include "frame/window_registry.h"
#include "support/test_host.h"
#include "ui/desktop.h"
#include "ui/filter_dialog.h"
#include "ui/modal_probe.h"
#include "ui/qt_text.h"
#include "ui/voucher_view.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::ui {
namespace {

// The desktop of the maker 李明 in organisation 01 (every organisation below it is listed).
class VoucherListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame::WindowRegistry::ReleaseAll();
    desktop_ = std::make_unique<Desktop>(lumvoucher::testing::NewDemoDatabase(),
                                         embedded::LoginRequest{1, 2, "2026-02-15"});
    desktop_->Main().show();
    desktop_->Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desktop_->Main()));
  }
  void TearDown() override {
    desktop_.reset();
    frame::WindowRegistry::ReleaseAll();
  }

  void Trigger(const QString& caption) {
    for (QAction* action : desktop_->Main().findChildren<QAction*>()) {
      if (action->text() == caption) {
        action->trigger();
        return;
      }
    }
    FAIL() << "no menu entry " << ToUtf8(caption);
  }

  VoucherListView& List() {
    auto* view = dynamic_cast<VoucherListView*>(desktop_->Main().ActiveTarget());
    EXPECT_NE(view, nullptr);
    return *view;
  }

  QString Header(int column) {
    return List().Model()->headerData(column, Qt::Horizontal).toString();
  }
  int GridColumn(const QString& caption) {
    for (int i = 0; i < List().Model()->columnCount(); ++i) {
      QString header = Header(i);
      header.remove(QStringLiteral("↑")).remove(QStringLiteral("↓"));
      if (header == caption) return i;
    }
    ADD_FAILURE() << "no column " << ToUtf8(caption);
    return -1;
  }
  QString Cell(int row, const QString& caption) {
    return List().Model()->index(row, GridColumn(caption)).data().toString();
  }
  int Rows() { return List().Model()->rowCount(); }
  // One text per row of a column, "|"-joined.
  std::string Column(const QString& caption) {
    std::string out;
    for (int row = 0; row < Rows(); ++row) out += (row ? "|" : "") + ToUtf8(Cell(row, caption));
    return out;
  }

  void ClickHeader(int column) {
    QHeaderView* header = List().Grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 8, header->height() / 2));
  }

  void ChooseFindColumn(const QString& caption) {
    QComboBox* column = List().FindColumn();
    const int at = column->findText(caption);
    ASSERT_GE(at, 0) << ToUtf8(caption);
    column->setCurrentIndex(at);
  }

  std::unique_ptr<Desktop> desktop_;
};

TEST_F(VoucherListViewTest, TheMenuEntryOpensTheListOfThePeriodSortedByDate) {
  Trigger(QStringLiteral("凭证列表"));
  VoucherListView& list = List();
  EXPECT_EQ(list.windowTitle(), QStringLiteral("记账凭证列表"));
  EXPECT_EQ(Header(0), QStringLiteral("日期↑"));
  EXPECT_EQ(Header(1), QStringLiteral("凭证字号"));
  EXPECT_EQ(Rows(), 18);
  EXPECT_TRUE(list.Summary().contains(QStringLiteral("2026-02-01 至 2026-02-28")));
  EXPECT_TRUE(list.Summary().contains(QStringLiteral("凭证 8 张，分录 18 条")));
  EXPECT_EQ(Cell(0, QStringLiteral("凭证字号")), QStringLiteral("收 000001"));
  EXPECT_EQ(Cell(0, QStringLiteral("借方金额")), QStringLiteral("50,000.00"));
  // The row keys are not columns of the grid.
  for (int i = 0; i < list.Model()->columnCount(); ++i) {
    EXPECT_NE(Header(i), QStringLiteral("id"));
    EXPECT_NE(Header(i), QStringLiteral("lngVoucherDetailID"));
  }
  // The main commands the list answers.
  for (Command command : {Command::kEditNew, Command::kEditEdit, Command::kEditShowAll,
                          Command::kEditFilter, Command::kToolRefresh}) {
    EXPECT_TRUE(desktop_->Main().Action(command)->isEnabled()) << Info(command).caption;
  }
  EXPECT_FALSE(desktop_->Main().Action(Command::kFileSave)->isEnabled());
}

TEST_F(VoucherListViewTest, AHeaderClickSortsByThatColumnAndTurnsItRound) {
  Trigger(QStringLiteral("凭证列表"));
  const int number = GridColumn(QStringLiteral("凭证字号"));
  ClickHeader(number);
  EXPECT_EQ(Header(number), QStringLiteral("凭证字号↑"));
  EXPECT_EQ(Header(0), QStringLiteral("日期"));
  EXPECT_EQ(Cell(0, QStringLiteral("凭证字号")), QStringLiteral("付 000001"));
  ClickHeader(number);
  EXPECT_EQ(Header(number), QStringLiteral("凭证字号↓"));
  EXPECT_EQ(Cell(0, QStringLiteral("凭证字号")), QStringLiteral("转 000001"));
  // Equal numbers keep the dates ascending: 记 000001 of 02-10, then of 02-20.
  const std::string dates = Column(QStringLiteral("日期"));
  const std::string numbers = Column(QStringLiteral("凭证字号"));
  EXPECT_LT(numbers.find("记 000001"), numbers.rfind("记 000001"));
  EXPECT_NE(dates.find("2026-02-10"), std::string::npos);
  int first_10 = -1, first_20 = -1;
  for (int row = 0; row < Rows(); ++row) {
    if (Cell(row, QStringLiteral("凭证字号")) != QStringLiteral("记 000001")) continue;
    const QString date = Cell(row, QStringLiteral("日期"));
    if (date == QStringLiteral("2026-02-10") && first_10 < 0) first_10 = row;
    if (date == QStringLiteral("2026-02-20") && first_20 < 0) first_20 = row;
  }
  EXPECT_LT(first_10, first_20);

  // A column that is not sortable leaves the order alone.
  const int remark = GridColumn(QStringLiteral("摘要"));
  ClickHeader(remark);
  EXPECT_EQ(Header(remark), QStringLiteral("摘要"));
  EXPECT_EQ(Header(number), QStringLiteral("凭证字号↓"));
}

TEST_F(VoucherListViewTest, QuickFindPassesTheWildcardsToTheQuery) {
  Trigger(QStringLiteral("凭证列表"));
  ChooseFindColumn(QStringLiteral("科目编码"));
  QTest::keyClicks(List().FindText(), QStringLiteral("6602*"));
  QTest::keyClick(List().FindText(), Qt::Key_Return);
  EXPECT_EQ(Column(QStringLiteral("科目编码")), "6602-02|6602-04|6602-03|6602-03");

  List().FindText()->clear();
  QTest::keyClicks(List().FindText(), QStringLiteral("100?"));
  QTest::keyClick(List().FindText(), Qt::Key_Return);
  EXPECT_EQ(Column(QStringLiteral("科目编码")), "1001|1001");
  EXPECT_TRUE(List().Summary().contains(QStringLiteral("查找：100?")));

  QTest::mouseClick(List().findChild<QPushButton*>(QStringLiteral("findClear")), Qt::LeftButton);
  EXPECT_EQ(Rows(), 18);
}

TEST_F(VoucherListViewTest, TheFindButtonSelectsTheNextMatchingRow) {
  Trigger(QStringLiteral("凭证列表"));
  ChooseFindColumn(QStringLiteral("摘要"));
  List().FindText()->setText(QStringLiteral("差旅"));
  QTest::mouseClick(List().FindButton(), Qt::LeftButton);
  EXPECT_EQ(List().Grid()->currentIndex().row(), 4);
  EXPECT_EQ(List().Presenter().State().selected_row, 4);
  QTest::mouseClick(List().FindButton(), Qt::LeftButton);
  EXPECT_EQ(List().Grid()->currentIndex().row(), 5);
  EXPECT_EQ(Rows(), 18);  // finding narrows nothing
}

TEST_F(VoucherListViewTest, EnterAndDoubleClickOpenTheVoucherOfTheRow) {
  Trigger(QStringLiteral("凭证列表"));
  QTableView* grid = List().Grid();
  grid->setFocus();
  grid->setCurrentIndex(List().Model()->index(4, 0));  // 记 000001, voucher 3
  QTest::keyClick(grid, Qt::Key_Return);
  auto* voucher = dynamic_cast<VoucherView*>(desktop_->Main().ActiveTarget());
  ASSERT_NE(voucher, nullptr);
  EXPECT_EQ(voucher->Presenter().State().header.voucher_id, 3);
  EXPECT_EQ(voucher->HeaderText(voucher::HeaderField::kNumber), QStringLiteral("000001"));

  Trigger(QStringLiteral("凭证列表"));
  QApplication::processEvents();
  grid = List().Grid();
  const QModelIndex row = List().Model()->index(6, 1);  // 记 000002, voucher 4
  const QRect cell = grid->visualRect(row);
  // The press before the double click is what the view pairs it with.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  QApplication::processEvents();
  voucher = dynamic_cast<VoucherView*>(desktop_->Main().ActiveTarget());
  ASSERT_NE(voucher, nullptr);
  EXPECT_EQ(voucher->Presenter().State().header.voucher_id, 4);
}

TEST_F(VoucherListViewTest, TheOperationMenuHoldsTheListsCommandsAndShowAllTicks) {
  Trigger(QStringLiteral("凭证列表"));
  QMenu* menu = desktop_->Main().OperationMenu();
  QStringList captions;
  QAction* show_all = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    captions << action->text();
    if (action->text() == QStringLiteral("全部显示(&W)")) show_all = action;
  }
  EXPECT_TRUE(captions.contains(QStringLiteral("多张复核(&I)")));
  EXPECT_TRUE(captions.contains(QStringLiteral("冲销关联凭证(&V)")));
  EXPECT_TRUE(captions.contains(QStringLiteral("连号处理")));
  ASSERT_NE(show_all, nullptr);
  EXPECT_TRUE(show_all->isCheckable());
  EXPECT_FALSE(show_all->isChecked());
  EXPECT_TRUE(menu->actions().first()->text() == QStringLiteral("打开凭证(&O)"));

  show_all->trigger();
  EXPECT_EQ(Rows(), 20);
  EXPECT_TRUE(List().Summary().contains(QStringLiteral("凭证 9 张")));
  EXPECT_TRUE(Column(QStringLiteral("作废")).find("√") != std::string::npos);
  EXPECT_TRUE(desktop_->Main().Action(Command::kEditShowAll)->isChecked());
  for (QAction* action : desktop_->Main().OperationMenu()->actions()) {
    if (action->text() == QStringLiteral("全部显示(&W)")) {
      EXPECT_TRUE(action->isChecked());
    }
  }
  // The main command turns it off again.
  desktop_->Main().Raise(Command::kEditShowAll);
  EXPECT_EQ(Rows(), 18);
  EXPECT_FALSE(desktop_->Main().Action(Command::kEditShowAll)->isChecked());
}

TEST_F(VoucherListViewTest, TheFilterDialogSetsTheDateRangeAndTheCondition) {
  Trigger(QStringLiteral("凭证列表"));
  QString title;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<FilterDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    EXPECT_EQ(dialog->From()->date(), QDate(2026, 2, 1));
    EXPECT_EQ(dialog->To()->date(), QDate(2026, 2, 28));
    dialog->From()->setDate(QDate(2026, 2, 10));
    dialog->To()->setDate(QDate(2026, 2, 15));
    dialog->AdvancedBox()->setChecked(true);
    dialog->Advanced()->setPlainText(QStringLiteral("Account.strAccountCode Like '6602%'"));
    dialog->Buttons()->button(QDialogButtonBox::Ok)->click();
  });
  desktop_->Main().Raise(Command::kEditFilter);
  EXPECT_EQ(title, QStringLiteral("过滤 - 记账凭证列表"));
  EXPECT_EQ(Column(QStringLiteral("科目编码")), "6602-02");
  EXPECT_TRUE(List().Summary().contains(QStringLiteral("2026-02-10 至 2026-02-15")));

  // Cancelled, the list keeps its filter.
  lumvoucher::testing::WhenModalOpens([](QWidget& widget) {
    if (auto* dialog = qobject_cast<QDialog*>(&widget)) dialog->reject();
  });
  desktop_->Main().Raise(Command::kEditFilter);
  EXPECT_EQ(Rows(), 1);
}

TEST_F(VoucherListViewTest, AFilterRangeThatRunsBackwardsCannotBeConfirmed) {
  FilterFields fields;
  fields.date_from = "2026-02-01";
  fields.date_to = "2026-02-28";
  FilterDialog dialog(desktop_->Host().Database(), "记账凭证列表", fields);
  EXPECT_TRUE(dialog.Buttons()->button(QDialogButtonBox::Ok)->isEnabled());
  dialog.From()->setDate(QDate(2026, 3, 1));
  EXPECT_FALSE(dialog.Buttons()->button(QDialogButtonBox::Ok)->isEnabled());
  dialog.From()->setDate(QDate(2026, 2, 28));
  EXPECT_TRUE(dialog.Buttons()->button(QDialogButtonBox::Ok)->isEnabled());
  EXPECT_EQ(dialog.Condition().date_from, "2026-02-28");
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
  QTableView* grid = List().Grid();
  ASSERT_GE(Rows(), 50);
  ASSERT_LT(Rows(), total);
  EXPECT_TRUE(List().Summary().contains(QStringLiteral("正在读取")));
  grid->setCurrentIndex(List().Model()->index(40, 1));
  const QString chosen = Cell(40, QStringLiteral("凭证字号"));
  const int scrolled = grid->verticalScrollBar()->value();
  EXPECT_GT(scrolled, 0);

  for (int step = 0; step < 1000 && List().Presenter().State().reading; ++step) {
    QApplication::processEvents();
  }
  ASSERT_FALSE(List().Presenter().State().reading);
  EXPECT_EQ(Rows(), total);
  EXPECT_EQ(grid->currentIndex().row(), 40);
  EXPECT_EQ(Cell(40, QStringLiteral("凭证字号")), chosen);
  EXPECT_EQ(List().Presenter().State().selected_row, 40);
  EXPECT_EQ(grid->verticalScrollBar()->value(), scrolled);
  EXPECT_TRUE(List().Summary().contains(QStringLiteral("凭证 208 张，分录 %1 条").arg(total)));
}

TEST_F(VoucherListViewTest, TheErrorListShowsOnlyTheOperatorsErrorVouchers) {
  Trigger(QStringLiteral("错误凭证列表"));
  VoucherListView& list = List();
  EXPECT_EQ(list.windowTitle(), QStringLiteral("错误记账凭证列表"));
  EXPECT_EQ(Column(QStringLiteral("凭证字号")), "记 000004|记 000004");
  EXPECT_EQ(Cell(0, QStringLiteral("错误原因")), QStringLiteral("错误凭证（导入）"));
}

TEST_F(VoucherListViewTest, TheScreenshotsShowBothLists) {
  const std::string file = ::testing::TempDir() + "voucher_list_screen.png";
  ASSERT_EQ(TakeScreenshot(*desktop_, "list", file), "");
  EXPECT_EQ(List().windowTitle(), QStringLiteral("记账凭证列表"));
  EXPECT_EQ(Rows(), 18);
  ASSERT_EQ(TakeScreenshot(*desktop_, "errlist", file), "");
  EXPECT_EQ(List().windowTitle(), QStringLiteral("错误记账凭证列表"));
  std::remove(file.c_str());
}

}  // namespace
}  // namespace lumvoucher::ui
