#include "ui/voucher_view.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCompleter>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

#include "frame/window_registry.h"
#include "support/test_host.h"
#include "ui/desktop.h"
#include "ui/modal_probe.h"
#include "ui/qt_text.h"
#include "ui/voucher_entry_panel.h"
#include "ui/voucher_grid_model.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::ui {
namespace {

using voucher::HeaderField;
using voucher::LineField;

// Answers every modal box that opens while it lives with the box's first button and records
// its text: a command that should ask nothing must not hang the test when it does.
class AnswerAnything {
 public:
  AnswerAnything() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || !modal->isVisible()) return;
      auto* box = qobject_cast<QMessageBox*>(modal);
      asked_ << (box != nullptr ? box->text() : modal->windowTitle());
      if (box != nullptr && !box->buttons().isEmpty()) {
        box->buttons().first()->click();
      } else {
        modal->close();
      }
    });
    timer_.start(10);
  }
  const QStringList& Asked() const { return asked_; }

 private:
  QTimer timer_;
  QStringList asked_;
};

// Types as the accountant does: ASCII on keys, Chinese through the input method, which commits
// the characters it composed.
void TypeText(QWidget* editor, const QString& text) {
  QString composed;
  auto commit = [&] {
    if (composed.isEmpty()) return;
    QInputMethodEvent event;
    event.setCommitString(composed);
    QApplication::sendEvent(editor, &event);
    composed.clear();
  };
  for (QChar c : text) {
    if (c.unicode() < 128) {
      commit();
      QTest::keyClicks(editor, QString(c));
    } else {
      composed += c;
    }
  }
  commit();
}

// The desktop logged in as the maker 李明 in organisation 01, with the voucher window's singleton
// started afresh for every test.
class VoucherViewTest : public ::testing::Test {
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

  VoucherView& View() {
    auto* view = dynamic_cast<VoucherView*>(desktop_->Main().ActiveTarget());
    EXPECT_NE(view, nullptr);
    return *view;
  }
  const voucher::VoucherState& S() { return View().Presenter().State(); }

  // Opens a new voucher through the voucher menu, as the accountant does.
  void OpenNewVoucher() {
    for (QAction* action : desktop_->Main().findChildren<QAction*>()) {
      if (action->text() == QStringLiteral("填制凭证")) {
        action->trigger();
        return;
      }
    }
    FAIL() << "no opener 填制凭证";
  }

  // Types into the open grid editor and presses Enter.
  void Type(const QString& text) {
    QLineEdit* editor = View().CurrentEditor();
    ASSERT_NE(editor, nullptr);
    TypeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
  }

  // The editor that has the cursor: its row (from 1) and field.
  std::string Cursor() {
    QLineEdit* editor = View().CurrentEditor();
    if (editor == nullptr) return "none";
    const int row = editor->property("row").toInt() + 1;
    const int column = editor->property("column").toInt();
    return std::to_string(row) + " " +
           ToUtf8(View().Model()->headerData(column, Qt::Horizontal).toString());
  }

  QString Cell(int row, LineField field) {
    return View().Model()->index(row - 1, ColumnOf(field)).data().toString();
  }

  std::string Lines() {
    std::string dump;
    for (const voucher::VoucherLine& line : S().lines) {
      if (line.IsBlank()) continue;
      if (!dump.empty()) dump += "|";
      dump += (line.direction == voucher::kCredit ? "C " : "D ") + line.account_text.substr(0, 4) +
              " " + voucher::FormatFixed(line.Amount(), 2);
    }
    return dump;
  }

  std::string Scalar(const std::string& sql) {
    host::Recordset rs = desktop_->Host().Database().OpenRecordset(sql);
    return rs.Empty() ? std::string() : rs[std::size_t{0}].AsText();
  }

  std::unique_ptr<Desktop> desktop_;
};

TEST_F(VoucherViewTest, TheMenuOpensANewVoucherWithTheCursorInTheFirstSummary) {
  OpenNewVoucher();
  EXPECT_EQ(View().Title(), QStringLiteral("记账凭证"));
  EXPECT_EQ(View().windowTitle(), QStringLiteral("记账凭证"));
  EXPECT_EQ(View().HeaderText(HeaderField::kVoucherType), QStringLiteral("记"));
  EXPECT_EQ(View().HeaderText(HeaderField::kNumber), QStringLiteral("000005"));
  EXPECT_EQ(View().HeaderText(HeaderField::kDate), QStringLiteral("2026-02-15"));
  EXPECT_EQ(S().lines.size(), 1u);
  EXPECT_EQ(Cursor(), "1 摘要");
  EXPECT_EQ(View().FooterText(), QStringLiteral("制单：李明 复核： 记账： 出纳："));
}

TEST_F(VoucherViewTest, TheOptionsMenuSwitchesTheWindowsPreferencesAndKeepsThem) {
  OpenNewVoucher();
  QAction* sound = desktop_->Main().Action(Command::kEditSound);
  QAction* deficit = desktop_->Main().Action(Command::kEditDeficit);
  ASSERT_TRUE(sound->isEnabled());
  EXPECT_FALSE(sound->isChecked());
  sound->trigger();
  deficit->trigger();
  EXPECT_TRUE(S().preferences.sound);
  EXPECT_TRUE(S().preferences.deficit);
  EXPECT_EQ(Scalar("Select strKey || '=' || strValue From UserPreference Where lngOperatorID = 2 "
                   "And strSection = '241' And strKey = 'Sound'"),
            "Sound=True");
  desktop_->Main().ChildActive();
  EXPECT_TRUE(sound->isChecked());
  sound->trigger();
  EXPECT_FALSE(S().preferences.sound);
}

TEST_F(VoucherViewTest, ABalancedVoucherIsTypedWithTheKeyboardAndSavedWithCtrlS) {
  OpenNewVoucher();
  Type(QStringLiteral("结转销售成本"));
  EXPECT_EQ(Cursor(), "1 科目");

  // The account cell completes from the chart while the code is typed.
  QLineEdit* account = View().CurrentEditor();
  ASSERT_NE(account, nullptr);
  QTest::keyClicks(account, QStringLiteral("640"));
  ASSERT_NE(account->completer(), nullptr);
  QAbstractItemModel* offered = account->completer()->model();
  ASSERT_GE(offered->rowCount(), 1);
  EXPECT_EQ(offered->index(0, 0).data().toString(), QStringLiteral("6401 主营业务成本"));
  QTest::keyClick(account, Qt::Key_Return);
  EXPECT_EQ(S().lines[0].account_text, "6401 主营业务成本");
  EXPECT_EQ(Cursor(), "1 借方金额");

  Type(QStringLiteral("1200.5"));
  // The line passed its checks; the next one proposes the summary and the balancing credit.
  EXPECT_EQ(Cursor(), "2 摘要");
  ASSERT_EQ(S().lines.size(), 2u);
  EXPECT_EQ(S().lines[1].remark, "结转销售成本");
  EXPECT_EQ(Cell(2, LineField::kCredit), QStringLiteral("1,200.50"));
  Type(QString());
  EXPECT_EQ(Cursor(), "2 科目");

  // Part of a name chooses the first completion.
  Type(QStringLiteral("其他业务"));
  EXPECT_EQ(S().lines[1].account_text, "6051 其他业务收入");
  EXPECT_EQ(Cursor(), "2 贷方金额");
  Type(QString());
  EXPECT_EQ(Cursor(), "3 摘要");

  EXPECT_EQ(Lines(), "D 6401 1200.50|C 6051 1200.50");
  EXPECT_EQ(S().lines[0].direction, voucher::kDebit);
  EXPECT_EQ(S().lines[1].direction, voucher::kCredit);
  EXPECT_DOUBLE_EQ(S().totals.debit, 1200.5);
  EXPECT_DOUBLE_EQ(S().totals.credit, 1200.5);
  EXPECT_TRUE(S().must_save);
  const int totals = View().Model()->TotalsRow();
  EXPECT_EQ(View().Model()->index(totals, 0).data().toString(),
            QStringLiteral("合计：") + ToQt(S().totals.words));
  EXPECT_EQ(View().Model()->index(totals, ColumnOf(LineField::kDebit)).data().toString(),
            QStringLiteral("1,200.50"));

  {
    AnswerAnything guard;
    QTest::keyClick(View().CurrentEditor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(guard.Asked().isEmpty()) << ToUtf8(guard.Asked().join("\n"));
  }
  const long id = S().header.voucher_id;
  ASSERT_NE(id, 0);
  EXPECT_FALSE(S().must_save);
  const std::string voucher = std::to_string(id);
  EXPECT_EQ(Scalar("Select Count(*) From VoucherDetail Where lngVoucherID = " + voucher), "2");
  host::Recordset rows = desktop_->Host().Database().OpenRecordset(
      "Select a.strAccountCode, d.intDirection, d.dblAmount, d.strRemark From VoucherDetail d, "
      "Account a Where a.lngAccountID = d.lngAccountID And d.lngVoucherID = " +
      voucher + " Order By d.lngRowID");
  std::string stored;
  for (std::size_t i = 0; i < rows.RecordCount(); ++i) {
    stored += (i == 0 ? "" : "|") + rows.At(i, "strAccountCode").AsText() + ":" +
              rows.At(i, "intDirection").AsText() + ":" + rows.At(i, "dblAmount").AsText() + ":" +
              rows.At(i, "strRemark").AsText();
  }
  EXPECT_EQ(stored, "6401:1:1200.5:结转销售成本|6051:-1:1200.5:结转销售成本");
  EXPECT_EQ(Scalar("Select intVoucherNO From Voucher Where lngVoucherID = " + voucher), "5");
}

TEST_F(VoucherViewTest, EqualsInAnAmountCellTakesWhatBalancesTheVoucher) {
  OpenNewVoucher();
  Type(QStringLiteral("借款"));
  Type(QStringLiteral("6401"));
  Type(QStringLiteral("800"));
  Type(QString());
  Type(QStringLiteral("2001"));
  ASSERT_EQ(Cursor(), "2 贷方金额");
  QLineEdit* credit = View().CurrentEditor();
  credit->clear();
  QTest::keyClicks(credit, QStringLiteral("300"));
  QTest::keyClick(credit, Qt::Key_Return);
  // 500 short on the credit side: the next line proposes it, "=" in its credit cell is 500.
  ASSERT_EQ(Cursor(), "3 摘要");
  Type(QString());
  Type(QStringLiteral("4001"));
  ASSERT_EQ(Cursor(), "3 贷方金额");
  QLineEdit* editor = View().CurrentEditor();
  editor->clear();
  QTest::keyClick(editor, Qt::Key_Equal);
  EXPECT_EQ(editor->text(), QStringLiteral("500.00"));
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(Lines(), "D 6401 800.00|C 2001 300.00|C 4001 500.00");
  EXPECT_EQ(S().totals.debit, S().totals.credit);
}

TEST_F(VoucherViewTest, AnUnknownAccountShowsThePresentersMessageAndKeepsTheTypedText) {
  OpenNewVoucher();
  Type(QStringLiteral("报销"));
  QLineEdit* account = View().CurrentEditor();
  ASSERT_NE(account, nullptr);
  QString title;
  QString text;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == QStringLiteral("否(&N)")) return button->click();
    }
    box->reject();
  });
  QTest::keyClicks(account, QStringLiteral("9999"));
  QTest::keyClick(account, Qt::Key_Return);
  EXPECT_EQ(title, QStringLiteral("填制凭证"));
  EXPECT_EQ(text, QStringLiteral("“9999") + ToQt(voucher::texts::kAskAddItem));
  EXPECT_EQ(View().CurrentEditor(), account);
  EXPECT_EQ(account->text(), QStringLiteral("9999"));
  EXPECT_EQ(Cursor(), "1 科目");
  EXPECT_EQ(S().lines[0].account_id, 0);

  // Corrected, the same editor goes on.
  account->clear();
  QTest::keyClicks(account, QStringLiteral("1601"));
  QTest::keyClick(account, Qt::Key_Return);
  EXPECT_EQ(S().lines[0].account_text, "1601 固定资产");
}

TEST_F(VoucherViewTest, AnEntryChosenInTheCompletionListIsTakenWithOneEnter) {
  OpenNewVoucher();
  Type(QStringLiteral("美元户收款"));
  QLineEdit* account = View().CurrentEditor();
  ASSERT_NE(account, nullptr);
  QTest::keyClicks(account, QStringLiteral("1002"));
  QAbstractItemView* popup = account->completer()->popup();
  ASSERT_TRUE(popup->isVisible());
  // While the list is open the keys go to it, as they do on a desktop.
  QTest::keyClick(popup, Qt::Key_Down);
  QTest::keyClick(popup, Qt::Key_Down);
  EXPECT_EQ(account->text(), QStringLiteral("1002-02 中国银行（美元）"));
  QTest::keyClick(popup, Qt::Key_Return);
  EXPECT_EQ(S().lines[0].account_text, "1002-02 中国银行（美元）");
  EXPECT_EQ(S().lines[0].currency_name, "美元");
  // A currency account asks for its currency fields before the amount.
  EXPECT_EQ(Cursor(), "1 币种");
}

TEST_F(VoucherViewTest, AStoredVoucherShowsItsHeaderLinesTotalsAndCaptions) {
  desktop_->Component().ShowAOldBill(1, false);
  QApplication::processEvents();
  VoucherView& view = View();
  EXPECT_EQ(view.HeaderText(HeaderField::kVoucherType), QStringLiteral("收"));
  EXPECT_EQ(view.HeaderText(HeaderField::kNumber), QStringLiteral("000001"));
  EXPECT_EQ(view.HeaderText(HeaderField::kDate), QStringLiteral("2026-02-03"));
  EXPECT_EQ(view.HeaderText(HeaderField::kTemplate), QStringLiteral("收款凭证"));

  VoucherGridModel& grid = *view.Model();
  EXPECT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.headerData(ColumnOf(LineField::kDebit), Qt::Horizontal).toString(),
            QStringLiteral("借方金额"));
  EXPECT_EQ(grid.headerData(ColumnOf(LineField::kCredit), Qt::Horizontal).toString(),
            QStringLiteral("贷方金额"));
  EXPECT_EQ(grid.headerData(0, Qt::Horizontal).toString(), QStringLiteral("摘要"));
  EXPECT_EQ(grid.headerData(1, Qt::Horizontal).toString(), QStringLiteral("科目"));
  EXPECT_EQ(Cell(1, LineField::kAccount), QStringLiteral("1002-01 工商银行（人民币）"));
  EXPECT_EQ(Cell(1, LineField::kDebit), QStringLiteral("50,000.00"));
  EXPECT_EQ(Cell(1, LineField::kCredit), QString());
  EXPECT_EQ(Cell(1, LineField::kCurrency), QString());  // the book currency is not repeated
  EXPECT_EQ(Cell(2, LineField::kAccount), QStringLiteral("1122 应收账款"));
  EXPECT_EQ(Cell(2, LineField::kCredit), QStringLiteral("50,000.00"));
  EXPECT_EQ(Cell(2, LineField::kUnit), QStringLiteral("001 华东医药有限公司"));
  EXPECT_EQ(grid.index(0, ColumnOf(LineField::kDebit)).data(Qt::TextAlignmentRole).toInt(),
            int(Qt::AlignRight | Qt::AlignVCenter));
  EXPECT_EQ(grid.index(2, 0).data().toString(), QStringLiteral("合计：伍万元整"));
  EXPECT_EQ(grid.index(2, ColumnOf(LineField::kDebit)).data().toString(),
            QStringLiteral("50,000.00"));
  EXPECT_EQ(grid.index(2, ColumnOf(LineField::kCredit)).data().toString(),
            QStringLiteral("50,000.00"));

  EXPECT_EQ(view.FooterText(), QStringLiteral("制单：李明 复核：王芳 记账：刘强 出纳：赵敏"));
  EXPECT_EQ(view.Caption(Command::kReview), "取消复核(&C)");
  EXPECT_EQ(view.Caption(Command::kPost), "取消记账(&J)");
  EXPECT_EQ(view.Caption(Command::kCashierSign), "取消签字(&T)");
  EXPECT_TRUE(view.InfoText().contains(QStringLiteral("03 电汇"))) << ToUtf8(view.InfoText());
  EXPECT_EQ(view.MarksText(), QString());

  // The entry panel of the bank line: the amount and the bill fields.
  QStringList captions;
  for (const auto& field : view.EntryPanel()->Fields()) captions << field.caption;
  EXPECT_EQ(captions.join("|"), QStringLiteral("金额|付款方式|票 据 号|票据日期"));
}

TEST_F(VoucherViewTest, TheEntryPanelFollowsTheAccountOfTheCurrentLine) {
  auto captions = [this] {
    QStringList shown;
    for (const auto& field : View().EntryPanel()->Fields()) shown << field.caption;
    return ToUtf8(shown.join("|"));
  };
  desktop_->Component().ShowAOldBill(5, false);
  QApplication::processEvents();
  EXPECT_EQ(captions(), "币    种|汇    率|原币金额|本币金额|付款方式|票 据 号|票据日期");
  EXPECT_EQ(Cell(1, LineField::kCurrency), QStringLiteral("美元"));
  EXPECT_EQ(Cell(1, LineField::kCurrencyAmount), QStringLiteral("10,000.00"));

  desktop_->Component().ShowAOldBill(4, false);
  QApplication::processEvents();
  EXPECT_EQ(captions(), "数量|单价|金额");
  EXPECT_EQ(View().EntryPanel()->Editor(LineField::kQuantity)->text(), QStringLiteral("10.0000"));
  View().Grid()->setCurrentIndex(View().Model()->index(2, 0));
  EXPECT_EQ(S().current_row, 3);
  EXPECT_EQ(captions(), "金额|单位|对 账 号|业务日期");
}

TEST_F(VoucherViewTest, AReversedVoucherShowsTheMark) {
  desktop_->Host().Database().Execute(
      "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, lngSourceVoucherID, "
      "lngVoucherSourceID) Values (50, 1, 9, '2026-02-20', 2026, 2, 1, 1, 2, 1, 1)");
  desktop_->Component().ShowAOldBill(1, false);
  QApplication::processEvents();
  EXPECT_EQ(View().MarksText(), QStringLiteral("已冲销"));
}

TEST_F(VoucherViewTest, CtrlIAndCtrlDInsertAndDeleteLines) {
  OpenNewVoucher();
  Type(QStringLiteral("付款"));
  Type(QStringLiteral("6401"));
  Type(QStringLiteral("100"));
  ASSERT_EQ(S().lines.size(), 2u);
  View().EditCell(1, LineField::kRemark);
  QTest::keyClick(View().CurrentEditor(), Qt::Key_I, Qt::ControlModifier);
  ASSERT_EQ(S().lines.size(), 3u);
  EXPECT_TRUE(S().lines[0].IsBlank());
  EXPECT_EQ(Cursor(), "1 摘要");
  QString asked;
  lumvoucher::testing::WhenModalOpens([&](QWidget& widget) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    ASSERT_NE(box, nullptr);
    asked = box->text();
    box->button(QMessageBox::Yes)->click();
  });
  QTest::keyClick(View().CurrentEditor(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(asked, QStringLiteral("真的要删除该笔分录吗？"));
  ASSERT_EQ(S().lines.size(), 2u);
  EXPECT_EQ(S().lines[0].account_text, "6401 主营业务成本");

  // Answered No, the line stays.
  lumvoucher::testing::WhenModalOpens([](QWidget& widget) {
    if (auto* box = qobject_cast<QMessageBox*>(&widget)) box->button(QMessageBox::No)->click();
  });
  View().EditCell(1, LineField::kRemark);
  QTest::keyClick(View().CurrentEditor(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(S().lines.size(), 2u);
}

TEST_F(VoucherViewTest, TheScreenshotShowsStoredVoucherOne) {
  const std::string file = ::testing::TempDir() + "voucher_view_screen.png";
  ASSERT_EQ(TakeScreenshot(*desktop_, "voucher", file), "");
  EXPECT_EQ(S().header.voucher_id, 1);
  EXPECT_EQ(View().HeaderText(HeaderField::kNumber), QStringLiteral("000001"));
  std::remove(file.c_str());
}

}  // namespace
}  // namespace lumvoucher::ui
