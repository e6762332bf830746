#include "ui/pair_voucher_view.h"

#include <QTableWidget>
#include <QTemporaryDir>

#include "desktop_fixture.h"
#include "dualbasis/cls_voucher_new.h"
#include "lists/dual_basis_links.h"
#include "modal_probe.h"
#include "ui/attachment_dialog.h"

namespace lumvoucher::ui {
namespace {

using voucher::LineField;

class PairVoucherViewTest : public DesktopFixture {
 protected:
  PairVoucherView* Pair() { return dynamic_cast<PairVoucherView*>(Main().ActiveTarget()); }

  void TypeIn(VoucherView* side, const QString& text) {
    QLineEdit* editor = side->CurrentEditor();
    ASSERT_NE(editor, nullptr) << ToUtf8(text);
    TypeKeys(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
  }
  // A balanced voucher on one side: `debit` against `credit`, 100.
  void TypeVoucher(VoucherView* side, const QString& debit, const QString& credit) {
    side->EditCell(1, LineField::kRemark);
    for (const QString& text :
         {QStringLiteral("体检收费"), debit, QStringLiteral("100"), QString(), credit, QString()}) {
      TypeIn(side, text);
    }
  }
};

// The hospital's 填制凭证 opens the pair side by side; a line typed on each side saves as one
// pair row with the two vouchers numbered alike; the style switch shows one side at a time and
// is kept for the operator.
TEST_F(PairVoucherViewTest, TheHospitalTypesBothSidesSavesOnePairAndSwitchesStyle) {
  LogIn(5001, 5001, embedded::DemoSets::kAll);
  Trigger(QStringLiteral("填制凭证"));
  PairVoucherView* pair = Pair();
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(pair->ShownStyle(), "one");
  EXPECT_TRUE(pair->Side(false)->isVisible() && pair->Side(true)->isVisible());

  TypeVoucher(pair->Side(false), QStringLiteral("5901"), QStringLiteral("4609"));
  TypeVoucher(pair->Side(true), QStringLiteral("7901"), QStringLiteral("6609"));
  EXPECT_FALSE(pair->Controller().IsFinance);
  ASSERT_NE(pair->ToolButton(QStringLiteral("保存")), nullptr);
  pair->ToolButton(QStringLiteral("保存"))->click();

  const long F = pair->Controller().WindFinance().GetLngNowID();
  const long B = pair->Controller().WindBudget().GetLngNowID();
  ASSERT_GT(F, 0);
  ASSERT_GT(B, 0);
  EXPECT_EQ(Scalar("Select Count(*) || ' ' || Min(f.intVoucherNO) || ' ' || Min(b.intVoucherNO) "
                   "|| ' ' || Min(d.lngAccountID) From BudgetVoucherRelevance r, Voucher f, "
                   "BudgetVoucher b, BudgetVoucherDetail d Where r.lngVoucherID = f.lngVoucherID "
                   "And r.lngBudgetVoucherID = b.lngVoucherID And d.lngVoucherID = b.lngVoucherID "
                   "And d.intDirection = 1 And f.lngVoucherID = " +
                   std::to_string(F) + " And b.lngVoucherID = " + std::to_string(B)),
            "1 5 5 6009");

  pair->ToolButton(QStringLiteral("切换样式"))->click();
  EXPECT_EQ(pair->ShownStyle(), "two");
  EXPECT_TRUE(pair->Controller().IsFinance);
  EXPECT_TRUE(pair->Side(false)->isVisible() && !pair->Side(true)->isVisible());
  pair->BasisButton()->click();
  EXPECT_TRUE(!pair->Side(false)->isVisible() && pair->Side(true)->isVisible());
  EXPECT_EQ(pair->Controller().Style(), "two");
}

// A row of the combined list reaches the view through the lists' hook: a budget-only pair
// opens with a new financial side. Batch printing takes the period's live pairs by type and
// number, each financial voucher before its budget partner.
TEST_F(PairVoucherViewTest, TheListsHookOpensTheViewAndBatchPrintTakesThePeriodsPairs) {
  LogIn(5001, 5001, embedded::DemoSets::kAll);
  ASSERT_TRUE(lists::ShowPairedVoucher(5008, lists::kBudgetBasis));
  QApplication::processEvents();
  PairVoucherView* pair = Pair();
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(pair->Side(true)->HeaderText(voucher::HeaderField::kNumber), QStringLiteral("000003"));
  EXPECT_EQ(pair->Controller().WindFinance().GetLngNowID(), 0);

  std::string printed;
  for (const PrintedVoucher& v : PrintablePairsOfPeriod(2026, 2)) {
    printed += v.title.substr(0, 6) + v.header.type_code + v.header.number.substr(5) + " ";
  }
  EXPECT_EQ(printed, "财务记1 预算记1 财务记2 预算记3 财务收1 预算收1 财务收2 预算收2 ");
}

// The main menu's link commands reach the pair's financial editor as they reach the voucher
// window: each opens its window (or says why not) for 收-000002's financial voucher.
TEST_F(PairVoucherViewTest, TheMainMenusLinkCommandsReachThePair) {
  LogIn(5001, 5001, embedded::DemoSets::kAll);
  ASSERT_TRUE(lists::ShowPairedVoucher(5006, lists::kFinancialBasis));
  QApplication::processEvents();
  ASSERT_NE(Pair(), nullptr);
  QStringList opened;
  for (const char* caption : {"备查登记", "资金中心", "合同结算", "成本归集"}) {
    lumvoucher::testing::WhenModalOpens([&opened](QWidget& modal) {
      auto* box = qobject_cast<QMessageBox*>(&modal);
      opened << modal.windowTitle() + (box != nullptr ? ":" + box->text() : QString());
      qobject_cast<QDialog*>(&modal)->reject();
    });
    Trigger(QString::fromUtf8(caption));
    QApplication::processEvents();
  }
  EXPECT_EQ(ToUtf8(opened.join(QStringLiteral("|"))),
            "提示信息:本凭证没有备查科目的分录，不能进行备查薄登记！|资金单据结算关系|合同结算|"
            "成本归集:当前分录的科目不是收支科目，不能进行成本归集！");
}

// The toolbar's 附件 opens the dialog on the stored financial voucher; a file added there stays.
TEST_F(PairVoucherViewTest, TheAttachmentButtonKeepsAFileWithTheFinancialVoucher) {
  LogIn(5001, 5001, embedded::DemoSets::kAll);
  ASSERT_TRUE(lists::ShowPairedVoucher(5006, lists::kFinancialBasis));
  QApplication::processEvents();
  ASSERT_NE(Pair(), nullptr);
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("回单.jpg")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("\xff\xd8\0jpeg", 7));
  file.close();
  QString shown;
  lumvoucher::testing::WhenModalOpens([&](QWidget& modal) {
    auto* dialog = qobject_cast<AttachmentDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->AddFile(file.fileName()));
    for (int c = 0; c < 2; ++c) shown += dialog->Grid()->item(0, c)->text() + " ";
    dialog->reject();
  });
  Pair()->ToolButton(QStringLiteral("附件"))->click();
  EXPECT_EQ(ToUtf8(shown), "回单.jpg 7 ");
  EXPECT_EQ(Scalar("Select strFileName From VoucherAttachment Where lngVoucherID = 5006"),
            "回单.jpg");
}

// The budget alarm is one switch for both editors of the pair.
TEST_F(PairVoucherViewTest, TheBudgetAlarmSwitchesBothEditors) {
  LogIn(5001, 5001, embedded::DemoSets::kAll);
  Trigger(QStringLiteral("填制凭证"));
  PairVoucherView* pair = Pair();
  ASSERT_NE(pair, nullptr);
  const bool on = pair->Controller().WindFinance().BudgetAlarmOn();
  pair->Run(Command::kEditBudgetAlarm);
  EXPECT_EQ(pair->Controller().WindFinance().BudgetAlarmOn(), !on);
  EXPECT_EQ(pair->Controller().WindBudget().BudgetAlarmOn(), !on);
  EXPECT_EQ(pair->Caption(Command::kEditBudgetAlarm), on ? "打开预算报警(&A)" : "关闭预算报警(&A)");
}

}  // namespace
}  // namespace lumvoucher::ui
