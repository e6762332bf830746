// The accountant's keyboard through the voucher window: the fixed path through a line, the
// proposal that follows earlier amounts, the space bar, Escape, the account card, the cell a
// refusal names, and the mnemonics of the status buttons.
#include <QAbstractItemView>
#include <QCompleter>
#include <QImage>
#include <QMdiArea>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

#include "ui/account_card.h"
#include "ui/current_cell_delegate.h"
#include "ui/desktop_fixture.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::ui {
namespace {

using voucher::LineField;

class KeyboardPathTest : public DesktopFixture {
 public:
  void SetUp() override { LogIn(2); }

  // Replaces what the open editor holds and presses `key`.
  void Overtype(const QString& text, Qt::Key key = Qt::Key_Return) {
    QLineEdit* editor = Voucher()->CurrentEditor();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    Type(text, key);
  }

  std::string StoredRows(long voucher_id) {
    host::Recordset rows = desktop_->Host().Database().OpenRecordset(
        "Select a.strAccountCode, d.intDirection, d.dblAmount, d.lngDepartmentID, d.strRemark "
        "From VoucherDetail d, Account a Where a.lngAccountID = d.lngAccountID And "
        "d.lngVoucherID = " +
        std::to_string(voucher_id) + " Order By d.lngRowID");
    std::string dump;
    for (std::size_t i = 0; i < rows.RecordCount(); ++i) {
      if (i > 0) dump += "|";
      dump += rows.At(i, "strAccountCode").AsText() + " " + rows.At(i, "intDirection").AsText() +
              " " + rows.At(i, "dblAmount").AsText() + " " +
              rows.At(i, "lngDepartmentID").AsText() + " " + rows.At(i, "strRemark").AsText();
    }
    return dump;
  }
};

TEST_F(KeyboardPathTest, AThreeLineVoucherIsTypedWithKeysOnlyAndTheProposalFollows) {
  QTest::keyClick(&Main(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);  // 填制凭证
  ASSERT_NE(Voucher(), nullptr);
  const struct {
    QString keys;
    Qt::Key key;
    std::string cursor_after;
  } path[] = {
      {QStringLiteral("购办公用品"), Qt::Key_Return, "1 科目"},
      {QStringLiteral("6602-01"), Qt::Key_Tab, "1 部门"},  // Tab goes where Enter goes
      {QStringLiteral("01"), Qt::Key_Return, "1 借方金额"},
      {QStringLiteral("300"), Qt::Key_Return, "2 摘要"},  // the summary is repeated
      {QString(), Qt::Key_Tab, "2 科目"},
      {QStringLiteral("1001"), Qt::Key_Return, "2 贷方金额"},  // the proposed side
  };
  for (const auto& step : path) {
    Type(step.keys, step.key);
    ASSERT_EQ(Cursor(), step.cursor_after) << ToUtf8(step.keys);
  }
  EXPECT_DOUBLE_EQ(S().lines[1].credit, 300);
  Overtype(QStringLiteral("200"));  // typed over: the third line proposes the rest
  ASSERT_EQ(Cursor(), "3 摘要");
  Type(QString());
  Type(QStringLiteral("2001"));
  ASSERT_EQ(Cursor(), "3 贷方金额");
  EXPECT_DOUBLE_EQ(S().lines[2].credit, 100);
  Type(QString());
  ASSERT_EQ(Cursor(), "4 摘要");

  // An earlier amount changes: the proposal follows, the typed-over credit stays.
  Voucher()->EditCell(1, LineField::kDebit);
  Overtype(QStringLiteral("350"));
  EXPECT_DOUBLE_EQ(S().lines[1].credit, 200);
  EXPECT_DOUBLE_EQ(S().lines[2].credit, 150);
  {
    testing::BoxAnswerer boxes(QMessageBox::NoButton);
    QTest::keyClick(Voucher()->CurrentEditor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(boxes.Text(), QString());
  }
  const long id = S().header.voucher_id;
  ASSERT_NE(id, 0);
  EXPECT_EQ(StoredRows(id),
            "6602-01 1 350 1 购办公用品|1001 -1 200 0 购办公用品|2001 -1 150 0 购办公用品");
}

TEST_F(KeyboardPathTest, TheSpaceBarMovesTheAmountAndEscapeGivesTheCellBack) {
  Trigger(QStringLiteral("填制凭证"));
  Type(QStringLiteral("冲账"));
  Type(QStringLiteral("6401"));
  ASSERT_EQ(Cursor(), "1 借方金额");
  TypeKeys(Voucher()->CurrentEditor(), QStringLiteral("100"));
  QTest::keyClick(Voucher()->CurrentEditor(), Qt::Key_Space);
  EXPECT_EQ(Cursor(), "1 贷方金额");
  EXPECT_DOUBLE_EQ(S().lines[0].credit, 100);
  EXPECT_DOUBLE_EQ(S().lines[0].debit, 0);
  QTest::keyClick(Voucher()->CurrentEditor(), Qt::Key_Space);
  EXPECT_EQ(Cursor(), "1 借方金额");
  EXPECT_DOUBLE_EQ(S().lines[0].debit, 100);

  // An unknown account answered No keeps the typed text; Escape brings the account back.
  Voucher()->EditCell(1, LineField::kAccount);
  AskedBox asked;
  AnswerNext(QStringLiteral("否(&N)"), &asked);
  Overtype(QStringLiteral("9999"));
  EXPECT_EQ(asked.text, QStringLiteral("“9999") + ToQt(voucher::texts::kAskAddItem));
  ASSERT_EQ(Cursor(), "1 科目");
  EXPECT_EQ(Voucher()->CurrentEditor()->text(), QStringLiteral("9999"));
  QTest::keyClick(Voucher()->CurrentEditor(), Qt::Key_Escape);
  EXPECT_EQ(Voucher()->CurrentEditor(), nullptr);
  EXPECT_EQ(S().lines[0].account_text, "6401 主营业务成本");
}

TEST_F(KeyboardPathTest, YesToAnUnknownAccountOpensTheCardAndAddsItUnderItsParent) {
  Trigger(QStringLiteral("填制凭证"));
  Type(QStringLiteral("领料"));
  QString card_title;
  testing::WhenModalOpens([&card_title](QWidget& widget) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    ASSERT_NE(box, nullptr);
    testing::WhenModalOpens([&card_title](QWidget& card) {
      auto* dialog = qobject_cast<AccountCardDialog*>(&card);
      ASSERT_NE(dialog, nullptr);
      card_title = dialog->windowTitle();
      EXPECT_EQ(dialog->Code()->text(), QStringLiteral("5001-01"));
      TypeKeys(dialog->Name(), QStringLiteral("直接材料"));
      dialog->accept();
    });
    box->button(QMessageBox::Yes)->click();
  });
  Type(QStringLiteral("5001-01"));
  EXPECT_EQ(card_title, QStringLiteral("新增科目"));
  EXPECT_EQ(S().lines[0].account_text, "5001-01 直接材料");
  // The parent's department accounting came with it: the path asks for the department.
  EXPECT_EQ(Cursor(), "1 部门");
  EXPECT_EQ(Scalar("Select lngParentID || ' ' || intLevel || ' ' || blnIsDepartment || ' ' || "
                   "blnIsClass2 || ' ' || blnIsDetail From Account Where strAccountCode = "
                   "'5001-01'"),
            "26 2 1 1 1");
  EXPECT_EQ(Scalar("Select blnIsDetail From Account Where strAccountCode = '5001'"), "0");

  // An operator without the right is told so; the typed text stays in the cell.
  LogIn(6);
  Trigger(QStringLiteral("填制凭证"));
  Type(QStringLiteral("领料"));
  AskedBox refusal;
  testing::WhenModalOpens([this, &refusal](QWidget& widget) {
    AnswerNext(QStringLiteral("确定"), &refusal);
    qobject_cast<QMessageBox*>(&widget)->button(QMessageBox::Yes)->click();
  });
  Type(QStringLiteral("5001-02"));
  EXPECT_EQ(refusal.title, QStringLiteral("新增科目"));
  EXPECT_EQ(refusal.text, QStringLiteral("当前操作员无新增会计科目的权限！"));
  EXPECT_EQ(Cursor(), "1 科目");
  EXPECT_EQ(Voucher()->CurrentEditor()->text(), QStringLiteral("5001-02"));
  EXPECT_EQ(Scalar("Select Count(*) From Account Where strAccountCode = '5001-02'"), "0");
}

TEST_F(KeyboardPathTest, YesToARefusalPutsTheCursorInTheCellItNames) {
  TypeBalancedVoucher();
  Voucher()->EditCell(2, LineField::kRemark);
  Overtype(QString());  // the second summary emptied
  AskedBox asked;
  AnswerNext(QStringLiteral("是(&Y)"), &asked);
  Main().Raise(Command::kFileSave);
  EXPECT_EQ(asked.text, QStringLiteral("第2条摘要为空，您要修改凭证吗？"));
  EXPECT_EQ(S().header.voucher_id, 0);
  EXPECT_EQ(Cursor(), "2 摘要");
}

}  // namespace
}  // namespace lumvoucher::ui
