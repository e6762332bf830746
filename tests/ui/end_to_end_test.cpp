// The accountants' road through the desktop on one account-set file: the maker types and saves
// a voucher, finds it in the list; the reviewer and the poster, each on a desktop of his own,
// open it from the list and press their buttons. Non-cash accounts, so no cashier signature is
// due before posting.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>

#include "embedded/account_set.h"
#include "embedded/sqlite_data_access.h"
#include "frame/window_registry.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui/voucher_list_view.h"
#include "ui/voucher_view.h"
#include "voucher/save_texts.h"

namespace lumvoucher::ui {
namespace {

// Answers every message box that opens while it lives with its first button, recording texts.
class AnswerBoxes {
 public:
  AnswerBoxes() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      texts_ << box->text();
      box->buttons().first()->click();
    });
    timer_.start(5);
  }
  QString Texts() const { return texts_.join("\n"); }

 private:
  QTimer timer_;
  QStringList texts_;
};

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("lumvoucher_e2e_" + std::to_string(::getpid()) + ".db");
    std::filesystem::remove(path_);
    embedded::SqliteDataAccess data(path_.string());
    embedded::CreateAccountSet(data);
  }
  void TearDown() override {
    desktop_.reset();
    frame::WindowRegistry::ReleaseAll();
    for (const char* suffix : {"", "-wal", "-shm"}) {
      std::filesystem::remove(path_.string() + suffix);
    }
  }

  // A desktop of its own on the shared file, as another accountant starts one.
  void LogIn(long operator_id) {
    desktop_.reset();
    frame::WindowRegistry::ReleaseAll();
    desktop_ =
        std::make_unique<Desktop>(std::make_unique<embedded::SqliteDataAccess>(path_.string()),
                                  embedded::LoginRequest{1, operator_id, "2026-02-15"});
    desktop_->Main().show();
    desktop_->Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desktop_->Main()));
  }

  void Trigger(const QString& caption) {
    for (QAction* action : desktop_->Main().findChildren<QAction*>()) {
      if (action->text() == caption) return action->trigger();
    }
    FAIL() << "no menu entry " << ToUtf8(caption);
  }

  VoucherView* Voucher() { return dynamic_cast<VoucherView*>(desktop_->Main().ActiveTarget()); }
  VoucherListView* List() {
    return dynamic_cast<VoucherListView*>(desktop_->Main().ActiveTarget());
  }

  // Types into the open grid editor (Chinese through the input method) and presses Enter.
  // A new voucher with 100 typed on the debit of 6401 and 60 on the credit of 2001: answers the
  // credit editor, still open on the 60, or null when the window did not open.
  QLineEdit* TypeVoucherFortyShortOnTheCredit() {
    Trigger(QStringLiteral("填制凭证"));
    if (Voucher() == nullptr) return nullptr;
    Type(QStringLiteral("付款"));
    Type(QStringLiteral("6401"));
    Type(QStringLiteral("100"));
    Type(QString());
    Type(QStringLiteral("2001"));
    QLineEdit* credit = Voucher()->CurrentEditor();
    if (credit == nullptr) return nullptr;
    credit->clear();
    QTest::keyClicks(credit, QStringLiteral("60"));
    return credit;
  }

  void Type(const QString& text) {
    QLineEdit* editor = Voucher() != nullptr ? Voucher()->CurrentEditor() : nullptr;
    ASSERT_NE(editor, nullptr) << ToUtf8(text);
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
    QTest::keyClick(editor, Qt::Key_Return);
  }

  void PressCtrlS() {
    QWidget* target = Voucher()->CurrentEditor();
    if (target == nullptr) target = Voucher()->Grid();
    QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier);
  }

  // Opens the list and, with the keyboard, the voucher on the row whose number is `number`.
  void OpenFromList(const QString& number) {
    Trigger(QStringLiteral("凭证列表"));
    QApplication::processEvents();
    VoucherListView* list = List();
    ASSERT_NE(list, nullptr);
    int column = -1;
    for (int i = 0; i < list->Model()->columnCount(); ++i) {
      if (list->Model()
              ->headerData(i, Qt::Horizontal)
              .toString()
              .startsWith(QStringLiteral("凭证字号"))) {
        column = i;
      }
    }
    ASSERT_GE(column, 0);
    for (int row = 0; row < list->Model()->rowCount(); ++row) {
      if (list->Model()->index(row, column).data().toString() != number) continue;
      list->Grid()->setFocus();
      list->Grid()->setCurrentIndex(list->Model()->index(row, column));
      QTest::keyClick(list->Grid(), Qt::Key_Return);
      return;
    }
    FAIL() << "not in the list: " << ToUtf8(number);
  }

  std::string Scalar(const std::string& sql) {
    host::Recordset rs = desktop_->Host().Database().OpenRecordset(sql);
    return rs.Empty() ? std::string() : rs[std::size_t{0}].AsText();
  }

  std::filesystem::path path_;
  std::unique_ptr<Desktop> desktop_;
};

TEST_F(EndToEndTest, TheMakerSavesTheReviewerReviewsThePosterPosts) {
  LogIn(2);
  Trigger(QStringLiteral("填制凭证"));
  ASSERT_NE(Voucher(), nullptr);
  Type(QStringLiteral("结转销售成本"));
  Type(QStringLiteral("6401"));
  Type(QStringLiteral("1200.5"));
  Type(QString());               // the next line repeats the summary
  Type(QStringLiteral("6051"));  // the credit of 1,200.50 is proposed
  Type(QString());
  {
    AnswerBoxes boxes;
    PressCtrlS();
    EXPECT_EQ(boxes.Texts(), QString());
  }
  const long id = Voucher()->Presenter().State().header.voucher_id;
  ASSERT_NE(id, 0);
  const std::string voucher = std::to_string(id);
  EXPECT_EQ(Scalar("Select intVoucherNO From Voucher Where lngVoucherID = " + voucher), "5");
  EXPECT_EQ(Scalar("Select lngOperatorID From Voucher Where lngVoucherID = " + voucher), "2");

  OpenFromList(QStringLiteral("记 000005"));
  ASSERT_NE(Voucher(), nullptr);
  EXPECT_EQ(Voucher()->Presenter().State().header.voucher_id, id);
  // The maker cannot review his own voucher.
  EXPECT_FALSE(Voucher()->ReviewButton()->isEnabled());

  LogIn(3);
  OpenFromList(QStringLiteral("记 000005"));
  ASSERT_NE(Voucher(), nullptr);
  ASSERT_TRUE(Voucher()->ReviewButton()->isEnabled());
  EXPECT_FALSE(Voucher()->PostButton()->isEnabled());
  QTest::mouseClick(Voucher()->ReviewButton(), Qt::LeftButton);
  EXPECT_EQ(Scalar("Select lngCheckerID From Voucher Where lngVoucherID = " + voucher), "3");
  EXPECT_EQ(Voucher()->FooterText(), QStringLiteral("制单：李明 复核：王芳 记账： 出纳："));

  LogIn(5);
  OpenFromList(QStringLiteral("记 000005"));
  ASSERT_NE(Voucher(), nullptr);
  EXPECT_EQ(Voucher()->PostButton()->text(), QStringLiteral("记    账(&J)"));
  ASSERT_TRUE(Voucher()->PostButton()->isEnabled());
  QTest::mouseClick(Voucher()->PostButton(), Qt::LeftButton);
  EXPECT_EQ(Scalar("Select lngPostID From Voucher Where lngVoucherID = " + voucher), "5");
  EXPECT_EQ(Scalar("Select lngCheckerID From Voucher Where lngVoucherID = " + voucher), "3");
  EXPECT_EQ(Voucher()->PostButton()->text(), QStringLiteral("取消记账(&J)"));
  EXPECT_EQ(Voucher()->FooterText(), QStringLiteral("制单：李明 复核：王芳 记账：刘强 出纳："));
}

TEST_F(EndToEndTest, AnUnbalancedVoucherShowsTheDifferenceAndSavesNothing) {
  LogIn(2);
  const std::string before = Scalar("Select Count(*) From Voucher");
  QLineEdit* credit = TypeVoucherFortyShortOnTheCredit();
  ASSERT_NE(credit, nullptr);
  {
    // Saved straight from the cell: the 60 is taken, the voucher is 40 short on the credit.
    AnswerBoxes boxes;
    PressCtrlS();
    EXPECT_TRUE(boxes.Texts().contains(ToQt(voucher::texts::kUnbalanced))) << ToUtf8(boxes.Texts());
  }
  EXPECT_EQ(Voucher()->Presenter().State().lines.size(), 2u);
  EXPECT_DOUBLE_EQ(Voucher()->Presenter().State().totals.credit, 60);
  EXPECT_EQ(Voucher()->Presenter().State().header.voucher_id, 0);
  EXPECT_EQ(Scalar("Select Count(*) From Voucher"), before);
  EXPECT_EQ(Scalar("Select Count(*) From VoucherDetail Where dblAmount = 60"), "0");
}

TEST_F(EndToEndTest, SavingFromTheEmptyAccountOfAProposedLineNamesThatLine) {
  LogIn(2);
  const std::string before = Scalar("Select Count(*) From Voucher");
  QLineEdit* credit = TypeVoucherFortyShortOnTheCredit();
  ASSERT_NE(credit, nullptr);
  QTest::keyClick(credit, Qt::Key_Return);
  // The third line proposes the missing 40 and waits for its account.
  ASSERT_EQ(Voucher()->Presenter().State().lines.size(), 3u);
  {
    AnswerBoxes boxes;
    PressCtrlS();
    EXPECT_TRUE(boxes.Texts().contains(QStringLiteral("第3条分录非法（无科目），不能存盘！")))
        << ToUtf8(boxes.Texts());
  }
  EXPECT_EQ(Scalar("Select Count(*) From Voucher"), before);
}

}  // namespace
}  // namespace lumvoucher::ui
