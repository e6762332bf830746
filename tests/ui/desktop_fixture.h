#pragma once

// A desktop on the demo account set for the tests that drive it as the accountant does: menus,
// typed keys, answered boxes. The component's window singletons start afresh for every test.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

#include "embedded/sqlite_data_access.h"
#include "frame/window_registry.h"
#include "support/test_host.h"
#include "ui/desktop.h"
#include "ui/modal_probe.h"
#include "ui/qt_text.h"
#include "ui/voucher_grid_model.h"
#include "ui/voucher_list_view.h"
#include "ui/voucher_view.h"

namespace lumvoucher::ui {

// Types as the accountant does: ASCII on keys, Chinese through the input method.
inline void TypeKeys(QWidget* editor, const QString& text) {
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

// What a message box showed and which button was pressed.
struct AskedBox {
  QString title;
  QString text;
};

class DesktopFixture : public ::testing::Test {
 public:
  void TearDown() override {
    desktop_.reset();
    frame::WindowRegistry::ReleaseAll();
  }

  // A desktop of its own, as another accountant starts one: on a fresh demo account set, or on
  // the account-set file `file`.
  void LogIn(long operator_id, long organization_id = 1,
             embedded::DemoSets sets = embedded::DemoSets::kSingleBasisOnly,
             const std::string& file = "") {
    desktop_.reset();
    frame::WindowRegistry::ReleaseAll();
    desktop_ = std::make_unique<Desktop>(
        file.empty() ? lumvoucher::testing::NewDemoDatabase(sets)
                     : std::make_unique<embedded::SqliteDataAccess>(file),
        embedded::LoginRequest{organization_id, operator_id, "2026-02-15"});
    desktop_->Main().show();
    desktop_->Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desktop_->Main()));
  }

  MainWindow& Main() { return desktop_->Main(); }
  VoucherView* Voucher() { return dynamic_cast<VoucherView*>(Main().ActiveTarget()); }
  VoucherListView* List() { return dynamic_cast<VoucherListView*>(Main().ActiveTarget()); }
  const voucher::VoucherState& S() { return Voucher()->Presenter().State(); }
  // A stored voucher in the voucher window, as the host opens it.
  VoucherView& Open(long voucher_id) {
    desktop_->Component().ShowAOldBill(voucher_id, false);
    QApplication::processEvents();
    EXPECT_NE(Voucher(), nullptr);
    return *Voucher();
  }
  QString Cell(int row, voucher::LineField field) {
    return Voucher()->Model()->index(row - 1, ColumnOf(field)).data().toString();
  }

  QAction* Entry(const QString& caption) {
    for (QAction* action : Main().findChildren<QAction*>()) {
      if (action->text() == caption) return action;
    }
    ADD_FAILURE() << "no menu entry " << ToUtf8(caption);
    return nullptr;
  }
  void Trigger(const QString& caption) {
    if (QAction* action = Entry(caption)) action->trigger();
  }
  // Opens the voucher and runs a command of the voucher menu on its first line.
  void LineCommand(long voucher_id, const QString& caption) {
    Open(voucher_id).Presenter().SetCurrentRow(1);
    Trigger(caption);
  }

  // Types into the open grid editor and presses Enter (or `key`).
  void Type(const QString& text, Qt::Key key = Qt::Key_Return) {
    QLineEdit* editor = Voucher() != nullptr ? Voucher()->CurrentEditor() : nullptr;
    ASSERT_NE(editor, nullptr) << ToUtf8(text);
    TypeKeys(editor, text);
    QTest::keyClick(editor, key);
  }

  // The editor that has the cursor: its row (from 1) and column heading.
  std::string Cursor() {
    QLineEdit* editor = Voucher() != nullptr ? Voucher()->CurrentEditor() : nullptr;
    if (editor == nullptr || !editor->isVisible()) return "none";
    const int row = editor->property("row").toInt() + 1;
    const int column = editor->property("column").toInt();
    return std::to_string(row) + " " +
           ToUtf8(Voucher()->Model()->headerData(column, Qt::Horizontal).toString());
  }

  // A new voucher, balanced, not saved: 结转销售成本, debit 6401 1,200.50, credit 6051.
  void TypeBalancedVoucher() {
    Trigger(QStringLiteral("填制凭证"));
    ASSERT_NE(Voucher(), nullptr);
    Type(QStringLiteral("结转销售成本"));
    Type(QStringLiteral("6401"));
    Type(QStringLiteral("1200.5"));
    Type(QString());
    Type(QStringLiteral("6051"));
    Type(QString());
    ASSERT_TRUE(S().must_save);
  }

  // The next box gets the button captioned `press` (Escape when empty); `asked` keeps what it
  // showed.
  void AnswerNext(const QString& press, AskedBox* asked = nullptr) {
    lumvoucher::testing::WhenModalOpens([press, asked](QWidget& widget) {
      auto* box = qobject_cast<QMessageBox*>(&widget);
      ASSERT_NE(box, nullptr) << ToUtf8(widget.windowTitle());
      if (asked != nullptr) *asked = {box->windowTitle(), box->text()};
      if (press.isEmpty()) return QTest::keyClick(box, Qt::Key_Escape);
      for (QAbstractButton* button : box->buttons()) {
        if (button->text() == press) return button->click();
      }
      box->reject();
      FAIL() << "no button " << ToUtf8(press) << " in " << ToUtf8(box->text());
    });
  }

  // Clicks the dialog's button captioned `caption`.
  static void Click(QWidget& dialog, const QString& caption) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
      if (b->text() == caption) return QTest::mouseClick(b, Qt::LeftButton);
    }
    ADD_FAILURE() << "no button " << ToUtf8(caption);
  }

  std::string Scalar(const std::string& sql) {
    host::Recordset rs = desktop_->Host().Database().OpenRecordset(sql);
    return rs.Empty() ? std::string() : rs[std::size_t{0}].AsText();
  }

  std::unique_ptr<Desktop> desktop_;
};

}  // namespace lumvoucher::ui
