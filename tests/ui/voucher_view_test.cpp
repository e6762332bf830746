// The voucher window on the desktop of the maker 李明: what a new and a stored voucher show,
// the options menu, the completion of the account cell, "=" in an amount, and lines inserted and
// deleted with the keys.
#include "ui/voucher_view.h"

#include <QCompleter>

#include "ui/desktop_fixture.h"
#include "ui/voucher_entry_panel.h"

namespace lumvoucher::ui {
namespace {

using voucher::HeaderField;
using voucher::LineField;

class VoucherViewTest : public DesktopFixture {
 public:
  void SetUp() override { LogIn(2); }
  std::string Lines() {
    std::string dump;
    for (const voucher::VoucherLine& line : S().lines) {
      if (line.IsBlank()) continue;
      dump += std::string(dump.empty() ? "" : "|") +
              (line.direction == voucher::kCredit ? "C " : "D ") + line.account_text.substr(0, 4) +
              " " + voucher::FormatFixed(line.Amount(), 2);
    }
    return dump;
  }
  std::string PanelCaptions() {
    QStringList shown;
    for (const auto& field : Voucher()->EntryPanel()->Fields()) shown << field.caption;
    return ToUtf8(shown.join("|"));
  }
};

TEST_F(VoucherViewTest, TheAccountCellCompletesAndTheTotalsRowFollows) {
  Trigger(QStringLiteral("填制凭证"));
  Type(QStringLiteral("结转销售成本"));
  QLineEdit* account = Voucher()->CurrentEditor();
  ASSERT_NE(account, nullptr);
  QTest::keyClicks(account, QStringLiteral("640"));
  ASSERT_NE(account->completer(), nullptr);
  EXPECT_EQ(account->completer()->model()->index(0, 0).data().toString(),
            QStringLiteral("6401 主营业务成本"));
  QTest::keyClick(account, Qt::Key_Return);
  EXPECT_EQ(Cursor(), "1 借方金额");
  Type(QStringLiteral("1200.5"));
  EXPECT_EQ(Cell(2, LineField::kCredit), QStringLiteral("1,200.50"));
  Type(QString());
  Type(QStringLiteral("其他业务"));  // part of a name takes the first completion
  EXPECT_EQ(S().lines[1].account_text, "6051 其他业务收入");
  Type(QString());
  EXPECT_EQ(Lines(), "D 6401 1200.50|C 6051 1200.50");
  const int totals = Voucher()->Model()->TotalsRow();
  EXPECT_EQ(Voucher()->Model()->index(totals, 0).data().toString(),
            QStringLiteral("合计：壹仟贰佰元伍角整"));
  EXPECT_EQ(Voucher()->Model()->index(totals, ColumnOf(LineField::kDebit)).data().toString(),
            QStringLiteral("1,200.50"));

  // A chosen entry of the open list is taken with one Enter; a currency account asks for its
  // currency next.
  Type(QStringLiteral("美元户收款"));
  account = Voucher()->CurrentEditor();
  QTest::keyClicks(account, QStringLiteral("1002"));
  QAbstractItemView* popup = account->completer()->popup();
  ASSERT_TRUE(popup->isVisible());
  QTest::keyClick(popup, Qt::Key_Down);
  QTest::keyClick(popup, Qt::Key_Down);
  EXPECT_EQ(account->text(), QStringLiteral("1002-02 中国银行（美元）"));
  QTest::keyClick(popup, Qt::Key_Return);
  EXPECT_EQ(S().lines[2].currency_name, "美元");
  EXPECT_EQ(Cursor(), "3 币种");
}

TEST_F(VoucherViewTest, EqualsInAnAmountCellTakesWhatBalancesTheVoucher) {
  Trigger(QStringLiteral("填制凭证"));
  for (const char* typed : {"借款", "6401", "800", "", "2001"}) Type(QString::fromUtf8(typed));
  ASSERT_EQ(Cursor(), "2 贷方金额");
  Voucher()->CurrentEditor()->clear();
  Type(QStringLiteral("300"));
  Type(QString());
  Type(QStringLiteral("4001"));
  ASSERT_EQ(Cursor(), "3 贷方金额");
  QLineEdit* editor = Voucher()->CurrentEditor();
  editor->clear();
  QTest::keyClick(editor, Qt::Key_Equal);
  EXPECT_EQ(editor->text(), QStringLiteral("500.00"));
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(Lines(), "D 6401 800.00|C 2001 300.00|C 4001 500.00");
}

TEST_F(VoucherViewTest, AStoredVoucherShowsItsHeaderLinesTotalsCaptionsAndEntryPanel) {
  VoucherView& view = Open(1);
  EXPECT_EQ(view.HeaderText(HeaderField::kTemplate), QStringLiteral("收款凭证"));
  VoucherGridModel& grid = *view.Model();
  EXPECT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.headerData(ColumnOf(LineField::kCredit), Qt::Horizontal).toString(),
            QStringLiteral("贷方金额"));
  const struct {
    int row;
    LineField field;
    const char* text;
  } cells[] = {
      {1, LineField::kAccount, "1002-01 工商银行（人民币）"},
      {1, LineField::kDebit, "50,000.00"},
      {1, LineField::kCredit, ""},
      {1, LineField::kCurrency, ""},  // the book currency is not repeated
      {2, LineField::kCredit, "50,000.00"},
      {2, LineField::kUnit, "001 华东医药有限公司"},
      {3, LineField::kRemark, "合计：伍万元整"},
      {3, LineField::kCredit, "50,000.00"},
  };
  for (const auto& c : cells) EXPECT_EQ(Cell(c.row, c.field), QString::fromUtf8(c.text));
  EXPECT_EQ(grid.index(0, ColumnOf(LineField::kDebit)).data(Qt::TextAlignmentRole).toInt(),
            int(Qt::AlignRight | Qt::AlignVCenter));
  EXPECT_EQ(view.FooterText(), QStringLiteral("制单：李明 复核：王芳 记账：刘强 出纳：赵敏"));
  EXPECT_EQ(view.Caption(Command::kReview) + view.Caption(Command::kPost) +
                view.Caption(Command::kCashierSign),
            "取消复核(&C)取消记账(&J)取消签字(&T)");
  EXPECT_TRUE(view.InfoText().contains(QStringLiteral("03 电汇"))) << ToUtf8(view.InfoText());
  EXPECT_EQ(view.MarksText(), QString());
  EXPECT_EQ(PanelCaptions(), "金额|付款方式|票 据 号|票据日期");

  Open(5);
  EXPECT_EQ(PanelCaptions(), "币    种|汇    率|原币金额|本币金额|付款方式|票 据 号|票据日期");
  EXPECT_EQ(Cell(1, LineField::kCurrencyAmount), QStringLiteral("10,000.00"));
  Open(4);
  EXPECT_EQ(PanelCaptions(), "数量|单价|金额");
  EXPECT_EQ(Voucher()->EntryPanel()->Editor(LineField::kQuantity)->text(),
            QStringLiteral("10.0000"));
  Voucher()->Grid()->setCurrentIndex(Voucher()->Model()->index(2, 0));
  EXPECT_EQ(S().current_row, 3);
  EXPECT_EQ(PanelCaptions(), "金额|单位|对 账 号|业务日期");

  desktop_->Host().Database().Execute(
      "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, lngSourceVoucherID, "
      "lngVoucherSourceID) Values (50, 1, 9, '2026-02-20', 2026, 2, 1, 1, 2, 1, 1)");
  EXPECT_EQ(Open(1).MarksText(), QStringLiteral("已冲销"));
}

TEST_F(VoucherViewTest, CtrlIAndCtrlDInsertAndDeleteLines) {
  Trigger(QStringLiteral("填制凭证"));
  for (const char* typed : {"付款", "6401", "100"}) Type(QString::fromUtf8(typed));
  ASSERT_EQ(S().lines.size(), 2u);
  Voucher()->EditCell(1, LineField::kRemark);
  QTest::keyClick(Voucher()->CurrentEditor(), Qt::Key_I, Qt::ControlModifier);
  ASSERT_EQ(S().lines.size(), 3u);
  EXPECT_TRUE(S().lines[0].IsBlank());
  EXPECT_EQ(Cursor(), "1 摘要");
  AskedBox asked;
  AnswerNext(QStringLiteral("是(&Y)"), &asked);
  QTest::keyClick(Voucher()->CurrentEditor(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(asked.text, QStringLiteral("真的要删除该笔分录吗？"));
  ASSERT_EQ(S().lines.size(), 2u);
  AnswerNext(QStringLiteral("否(&N)"));  // answered No, the line stays
  Voucher()->EditCell(1, LineField::kRemark);
  QTest::keyClick(Voucher()->CurrentEditor(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(S().lines.size(), 2u);
  EXPECT_EQ(S().lines[0].account_text, "6401 主营业务成本");
}

}  // namespace
}  // namespace lumvoucher::ui
