// The accountant's keyboard through the voucher window: the fixed path through a line, the
// proposal that follows earlier amounts, and the cell a refusal names.
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
