#include "ui/failure_text.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <stdexcept>

#include "host/database_error.h"
#include "ui/modal_probe.h"
#include "ui/qt_message_box.h"
#include "ui/qt_text.h"

namespace lumvoucher::ui {
namespace {

TEST(FailureTextTest, SplitsDatabaseTextsAndOverlongOnes) {
  const std::string long_line(400, 'x');
  struct Case {
    std::string text;
    std::string summary;
    std::string details;
  } cases[] = {
      {"凭证不存在！", "凭证不存在！", ""},
      {"no such column: x [SELECT x FROM Voucher] [select x from Voucher]",
       "数据库操作失败，本次操作没有完成。",
       "数据库信息：no such column: x\n\nSQL：SELECT x FROM Voucher\n\nselect x from Voucher"},
      {"存盘失败！UNIQUE constraint failed: Voucher.id [Insert Into Voucher Values (1)]",
       "存盘失败！\n数据库操作失败，本次操作没有完成。",
       "数据库信息：UNIQUE constraint failed: Voucher.id\n\nSQL：Insert Into Voucher Values (1)"},
      // A bracket that holds no statement is part of the message.
      {"第[3]行不平", "第[3]行不平", ""},
      {long_line, std::string(160, 'x') + "……", long_line},
  };
  for (const Case& c : cases) {
    const MessageParts parts = SplitMessage(c.text);
    EXPECT_EQ(parts.summary, c.summary) << c.text;
    EXPECT_EQ(parts.details, c.details) << c.text;
  }
  // Twenty short lines keep fifteen.
  std::string lines;
  for (int i = 0; i < 20; ++i) lines += "第" + std::to_string(i) + "行\n";
  const MessageParts parts = SplitMessage(lines);
  EXPECT_EQ(std::count(parts.summary.begin(), parts.summary.end(), '\n'), 14) << parts.summary;
  EXPECT_EQ(parts.details, lines);
}

struct SeenBox {
  QString title;
  QString text;
  QString details;
};

void ReadNextBox(SeenBox& seen) {
  testing::WhenModalOpens([&seen](QWidget& widget) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.details = box->detailedText();
    box->accept();
  });
}

TEST(FailureTextTest, WhatEscapesACommandIsShownInChinese) {
  const struct {
    std::function<void()> command;
    QString text;
    QString details;
  } cases[] = {
      {[] { throw std::logic_error("vector::at out of range"); },
       QStringLiteral("操作没有完成：程序遇到了意外的错误。"),
       QStringLiteral("vector::at out of range")},
      {[] { throw host::DatabaseError("disk I/O error [DELETE FROM Voucher]"); },
       QStringLiteral("数据库操作失败，本次操作没有完成。"),
       QStringLiteral("数据库信息：disk I/O error\n\nSQL：DELETE FROM Voucher")},
      {[] { throw 42; }, QStringLiteral("操作没有完成：程序遇到了意外的错误。"), QString()},
  };
  for (const auto& c : cases) {
    SeenBox seen;
    ReadNextBox(seen);
    EXPECT_FALSE(Guarded(nullptr, c.command));
    EXPECT_EQ(seen.title, QStringLiteral("错误信息"));
    EXPECT_EQ(seen.text, c.text);
    EXPECT_EQ(seen.details, c.details);
  }
  EXPECT_TRUE(Guarded(nullptr, [] {}));
}

}  // namespace
}  // namespace lumvoucher::ui
