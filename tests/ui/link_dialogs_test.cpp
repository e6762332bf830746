#include "ui/link_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>

#include "frame/window_registry.h"
#include "support/test_host.h"
#include "ui/desktop_fixture.h"
#include "ui/modal_probe.h"
#include "ui/voucher_view.h"

namespace lumvoucher::ui {
namespace {

class LinkDialogsTest : public DesktopFixture {
 protected:
  void SetUp() override { LogIn(2); }
  static int Column(const QAbstractItemModel& model, const char* caption) {
    for (int c = 0; c < model.columnCount(); ++c) {
      if (model.headerData(c, Qt::Horizontal).toString() == QString::fromUtf8(caption)) return c;
    }
    ADD_FAILURE() << "no column " << caption;
    return 0;
  }
};

// The settlement dialog the host opens: 自动分配 fills the grid and the totals, 确定 confirms.
TEST_F(LinkDialogsTest, TheSettlementDialogAllocatesAndConfirms) {
  QString totals, second_row, headers;
  // The second item carries a value of the first segment.
  desktop_->Host().Database().Execute(
      "Insert Into FlexibleFieldDetail (lngFieldID, intFieldNO, strFieldCode, strFieldName) "
      "Values (901, 1, '01', '课题甲')");
  desktop_->Host().Database().Execute(
      "Update DARAPDetail Set lngFieldID01 = 901 Where dblAmount = 70");
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<DarapDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    Click(*dialog, QStringLiteral("自动分配"));
    totals = dialog->Totals()->text();
    QAbstractItemModel& model = *dialog->Grid()->model();
    second_row = model.index(1, 0).data().toString() + " " +
                 model.index(1, Column(model, "未核销金额")).data().toString() + " " +
                 model.index(1, Column(model, "本次核销金额")).data().toString();
    // The classes are titled as the account set names them; a segment no item uses is hidden.
    headers = model.headerData(8, Qt::Horizontal).toString() + "|" +
              model.headerData(9, Qt::Horizontal).toString() + "|" +
              model.headerData(10, Qt::Horizontal).toString() + "|" +
              model.index(1, Column(model, "汇率")).data().toString() + "|" +
              model.index(1, 11).data().toString() + "|" +
              QString::number(dialog->Grid()->isColumnHidden(11)) +
              QString::number(dialog->Grid()->isColumnHidden(12));
    Click(*dialog, QStringLiteral("确定"));
  });
  desktop_->Component().frmDaRapDetail_Show(6, 1, 3, 0, 0, 0, 0, " ", 100, 1, 0, false);
  EXPECT_EQ(totals, QStringLiteral("核销金额：100.00    已分配：100.00    未分配：0.00"));
  EXPECT_EQ(second_row, QStringLiteral("√ 30.00 40.00"));
  EXPECT_EQ(headers, QStringLiteral("统计|项目|物品|1.000000|课题甲|01"));
  EXPECT_EQ(frame::WindowRegistry::Get<links::frmDARAP>().Split().shares.size(), 2u);
}

// 成本归集 on 记-000001's 差旅费 line: a row in the expense card, the footer, then 确定.
TEST_F(LinkDialogsTest, TheCostCardFromTheVoucherWindowHoldsItsRowsWithTheLine) {
  QString footer;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<CostCardDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    Click(*dialog, QStringLiteral("新增"));
    QAbstractItemModel& model = *dialog->Grid()->model();
    EXPECT_TRUE(model.setData(model.index(0, 0), QStringLiteral("202")));
    EXPECT_TRUE(model.setData(model.index(0, 1), QStringLiteral("01")));
    EXPECT_FALSE(model.setData(model.index(0, 3), QStringLiteral("32百")));
    footer = dialog->Footer()->text();
    Click(*dialog, QStringLiteral("确定"));
  });
  lumvoucher::testing::BoxAnswerer ok(QMessageBox::Ok);
  LineCommand(3, QStringLiteral("成本归集"));
  EXPECT_EQ(footer,
            QStringLiteral(" 提示：分摊总额为3200.00元,已分摊：3200.00元,未分摊：0.00元。"));
  const auto& cost = S().lines[0].splits.cost;
  ASSERT_TRUE(cost.has_value());
  EXPECT_EQ(cost->costs.size(), 1u);
  EXPECT_TRUE(S().must_save);
}

// 合同结算 on 记-000001: the project chooser offers leaf projects, the contract column the
// project's orders, then units, payers and methods; a chosen "code name" lands as its code.
TEST_F(LinkDialogsTest, TheContractDialogChoosesProjectAndOrder) {
  QStringList projects, orders;
  QString contract;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<ContractDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    QComboBox* project = dialog->Project();
    for (int i = 0; i < project->count(); ++i) projects << project->itemText(i);
    qobject_cast<QComboBox*>(dialog->findChildren<QComboBox*>().first())->setCurrentIndex(1);
    project->setCurrentIndex(0);
    emit project->activated(0);
    Click(*dialog, QStringLiteral("新增"));
    QAbstractItemModel& model = *dialog->Grid()->model();
    for (int column = 1; column <= 4; ++column) {  // contract, unit, payer, payment method
      std::unique_ptr<QWidget> editor(dialog->Grid()->itemDelegateForColumn(column)->createEditor(
          dialog->Grid(), QStyleOptionViewItem(), model.index(0, column)));
      auto* box = qobject_cast<QComboBox*>(editor.get());
      ASSERT_NE(box, nullptr);
      orders << QString::number(box->count()) + " " + box->itemText(0);
      box->setCurrentIndex(1);
      dialog->Grid()->itemDelegateForColumn(column)->setModelData(box, &model,
                                                                  model.index(0, column));
      contract += model.index(0, column).data().toString() + " ";
    }
    Click(*dialog, QStringLiteral("取消"));
  });
  LineCommand(3, QStringLiteral("合同结算"));
  EXPECT_EQ(projects.join("|"), QStringLiteral("GC01-01 门诊楼一期|GC02 信息机房建设"));
  // Sizes and first choices; the inactive unit 199 is not offered.
  EXPECT_EQ(orders.join("|").toStdString(),
            "2 DD-001 土建施工|8 001 华东医药有限公司|8 001 华东医药有限公司|5 01 现金支票");
  EXPECT_EQ(contract.toStdString(), "DD-002 002 002 02 ");
}

}  // namespace
}  // namespace lumvoucher::ui
