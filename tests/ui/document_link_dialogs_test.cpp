#include "ui/document_link_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

#include "frame/window_registry.h"
#include "support/test_host.h"
#include "ui/desktop_fixture.h"
#include "ui/modal_probe.h"
#include "ui/voucher_view.h"

namespace lumvoucher::ui {
namespace {

class DocumentLinkDialogsTest : public DesktopFixture {
 protected:
  void SetUp() override { LogIn(2); }
  std::string Stored(long line) {
    return lumvoucher::testing::DumpRows(desktop_->Host().Database(),
                                         "Select lngReferenceID, dblAmount From RVoucherDetail "
                                         "Where lngVoucherDetailID = " +
                                             std::to_string(line) + " Order By lngReferenceID");
  }
};

// 备查登记 on 记-000001's 差旅费 line (21002 and 30211, 3200 each): a 其他分类 row chosen by
// "code name", the remainders below the grid, OK saves.
TEST_F(DocumentLinkDialogsTest, TheMemoDialogAddsARowOfTheChosenClassification) {
  QString remaining;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<ReferenceDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    dialog->NewRowClass()->setCurrentIndex(2);
    Click(*dialog, QStringLiteral("新增明细(&A)"));
    QAbstractItemModel& model = *dialog->Grid()->model();
    EXPECT_TRUE(model.setData(model.index(2, 1), QStringLiteral("901 科研课题")));
    EXPECT_TRUE(model.setData(model.index(2, 2), QStringLiteral("200")));
    remaining = dialog->Remaining()->text();
    Click(*dialog, QStringLiteral("确定"));
  });
  LineCommand(3, QStringLiteral("备查登记"));
  EXPECT_EQ(remaining,
            QStringLiteral("功能分类       待分配金额：0.00    经济分类       待分配金额："
                           "0.00    其他分类       待分配金额：3,000.00"));
  EXPECT_EQ(Stored(5), "2|3200\n6|3200\n8|200\n");
}

// 批量分配备查明细 on 记-000001: 差旅费 takes two items, so one is chosen; 1000 over the chosen
// line, the selection dialog inside.
TEST_F(DocumentLinkDialogsTest, TheBatchDialogAllocatesOverTheSelectedLines) {
  QString selection;
  lumvoucher::testing::BoxAnswerer yes;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<ReferenceBatchDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    QAbstractItemModel& model = *dialog->Grid()->model();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_TRUE(model.setData(model.index(0, 1), QStringLiteral("30211 差旅费")));
    EXPECT_TRUE(model.setData(model.index(0, 6), QStringLiteral("1000")));
    // The batch dialog is modal itself: wait for the one above it.
    auto* poll = new QTimer(dialog);
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
      auto* select = qobject_cast<SelectReferenceLinesDialog*>(QApplication::activeModalWidget());
      if (select == nullptr || !select->isVisible()) return;
      poll->stop();
      selection = select->Grid()->model()->index(0, 0).data().toString();
      Click(*select, QStringLiteral("确定"));
    });
    poll->start(5);
    dialog->Grid()->setCurrentIndex(model.index(0, 0));
    Click(*dialog, QStringLiteral("选择分录"));
    Click(*dialog, QStringLiteral("确定"));
  });
  LineCommand(3, QStringLiteral("批量分配备查明细"));
  EXPECT_EQ(yes.Text(), QString());
  EXPECT_EQ(selection, QStringLiteral("√"));
  EXPECT_EQ(Stored(5), "6|1000\n");
}

// 业务资料 on the generated asset voucher: its two documents; 打开 says what would open.
TEST_F(DocumentLinkDialogsTest, TheBusinessDataDialogListsAndOpensDocuments) {
  int rows = 0;
  lumvoucher::testing::BoxAnswerer ok(QMessageBox::Ok);
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<BusinessDataDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    rows = dialog->Grid()->model()->rowCount();
    dialog->Grid()->selectRow(1);
    Click(*dialog, QStringLiteral("打开"));
    Click(*dialog, QStringLiteral("退出"));
  });
  lumvoucher::testing::LoadSourceDocuments(desktop_->Host().Database());
  LineCommand(4104, QStringLiteral("业务资料"));
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(ok.Text(), QStringLiteral("单据由所属模块打开：类型 100，单据 4101"));
}

// 资金中心 on 收-000001 by an operator with right 28: of the voucher's two lines the bank line
// is paired in the demo fund system, so each data area shows one, a different one.
TEST_F(DocumentLinkDialogsTest, TheFundDialogFollowsTheDataArea) {
  desktop_->Host().Database().Execute(
      "Insert Into OperatorRight (lngOperatorID, lngRightID, lngOrganizationID) Values (2, 28, 1)");
  QStringList shown;
  auto accounts = [](QAbstractItemModel& model) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r) {
      for (int c = 0; c < model.columnCount(); ++c) {
        if (model.headerData(c, Qt::Horizontal).toString() == QStringLiteral("科目")) {
          out << model.index(r, c).data().toString();
        }
      }
    }
    return out.join(",");
  };
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<CenterRelationDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    shown << accounts(*dialog->Lines()->model());
    dialog->Area()->setCurrentIndex(1);
    shown << accounts(*dialog->Lines()->model());
    Click(*dialog, QStringLiteral("退出"));
  });
  LineCommand(1, QStringLiteral("资金中心"));
  EXPECT_EQ(shown.join("|"), QStringLiteral("1122 应收账款|1002-01 工商银行（人民币）"));
}

}  // namespace
}  // namespace lumvoucher::ui
