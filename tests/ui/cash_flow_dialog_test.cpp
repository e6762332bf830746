// The cash-flow line dialog of the voucher window, with its item completion.
#include "ui/cash_flow_dialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "ui/cash_flow_auto_dialog.h"
#include "ui/desktop_fixture.h"

namespace lumvoucher::ui {
namespace {

// 李明 opens 付-000001 (D 1001 5000 / C 1002-01 5000) and assigns its cash flow; every question
// is answered Yes.
class CashFlowDialogTest : public DesktopFixture {
 public:
  void SetUp() override {
    LogIn(2);
    Open(2);
  }
  static QModelIndex At(QAbstractItemModel& model, int row, int column) {
    return model.index(row, column);
  }
  testing::BoxAnswerer yes_;
};

TEST_F(CashFlowDialogTest, TheLineDialogEditsWithCompletionAndSaves) {
  QString title, amount, typed_item;
  bool completes_by_name = false;
  Qt::Alignment amount_alignment;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* dialog = qobject_cast<CashFlowDialog*>(&widget);
    if (dialog == nullptr) return;
    title = dialog->windowTitle();
    amount = dialog->AmountLabel()->text();
    Click(*dialog, QStringLiteral("新增"));
    CashFlowLineModel& model = *dialog->Model();
    ASSERT_EQ(model.rowCount(), 1);
    // The item editor offers the inflow items, completed by any part of "code name".
    const QModelIndex item = At(model, 0, CashFlowLineModel::kItem);
    QStyleOptionViewItem option;
    std::unique_ptr<QWidget> editor(
        dialog->Grid()->itemDelegate()->createEditor(dialog->Grid(), option, item));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    completes_by_name = combo->isEditable() &&
                        combo->completer()->filterMode() == Qt::MatchContains &&
                        combo->findText(QStringLiteral("01-01 销售商品、提供劳务收到的现金")) >= 0;
    combo->setEditText(QStringLiteral("销售商品、提供劳务收到的现金"));
    dialog->Grid()->itemDelegate()->setModelData(combo, &model, item);
    typed_item = item.data().toString();
    EXPECT_TRUE(model.setData(At(model, 0, CashFlowLineModel::kAmount), QStringLiteral("5000")));
    EXPECT_FALSE(model.setData(At(model, 0, CashFlowLineModel::kAmount), QStringLiteral("5千")));
    amount_alignment =
        At(model, 0, CashFlowLineModel::kAmount).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    EXPECT_EQ(At(model, 0, CashFlowLineModel::kAmount).data().toString(),
              QStringLiteral("5,000.00"));
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
  });
  Trigger(QStringLiteral("现金流量"));
  EXPECT_EQ(title, QStringLiteral("现金流量明细"));
  EXPECT_EQ(amount, QStringLiteral("5,000.00"));
  EXPECT_TRUE(completes_by_name);
  EXPECT_EQ(typed_item, QStringLiteral("01-01 销售商品、提供劳务收到的现金"));
  EXPECT_TRUE(amount_alignment & Qt::AlignRight);
  EXPECT_EQ(Scalar("Select lngCashItemID From VoucherCashFlow Where lngVoucherDetailID = 3 And "
                   "dblAmount = 5000"),
            "2");
  ASSERT_NE(Voucher(), nullptr);
  EXPECT_EQ(S().lines[0].cash_flow_code, "01-01 销售商品、提供劳务收到的现金 5000.00");
}

}  // namespace
}  // namespace lumvoucher::ui
