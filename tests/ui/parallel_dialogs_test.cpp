#include "ui/parallel_dialogs.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>

#include "dualbasis/parallel_templates.h"
#include "dualbasis/parallel_texts.h"
#include "frame/window_registry.h"
#include "support/test_host.h"

namespace lumvoucher::ui {
namespace {

namespace texts = dualbasis::texts;

TEST(ParallelDialogsTest, ChooserListsByCodeAndTakesTheCurrentRow) {
  frame::WindowRegistry::ReleaseAll();
  lumvoucher::testing::TestHost t(embedded::LoginRequest{5001, 5001, "2026-02-25"},
                                  embedded::DemoSets::kAll);
  t.Data().Execute("Update StdVoucherTmp Set blnIsInActive = 0");
  QStringList shown;
  t.Modal().Expect(texts::kChooserWindowName, [&](host::ModalWindow& w) {
    SelectStdVoucherTmpDialog chooser(dynamic_cast<dualbasis::frmSelectStdVoucherTmp&>(w));
    for (int r = 0; r < chooser.Grid()->rowCount(); ++r) {
      shown << chooser.Grid()->item(r, 0)->text() + " " + chooser.Grid()->item(r, 2)->text();
    }
    chooser.Grid()->setCurrentCell(2, 0);
    chooser.OkButton()->click();
    return chooser.result();
  });
  dualbasis::TemplateMatch match;
  match.exact = {5006, 5004, 5001};
  EXPECT_EQ(dualbasis::ChooseTemplate(match), 5006);
  EXPECT_EQ(shown.join("|"), QStringLiteral("P001 手工增加|P004 学习生成|P006 手工增加"));
}

// Switching a template off shows it at once; deleting asks first.
TEST(ParallelDialogsTest, TemplateListSwitchesOffAndDeletesAfterTheQuestion) {
  lumvoucher::testing::TestHost t(embedded::LoginRequest{5001, 5001, "2026-02-25"},
                                  embedded::DemoSets::kAll);
  ParallelTemplateListDialog list;
  ASSERT_EQ(list.Grid()->rowCount(), 6);
  list.SwitchButton()->click();
  EXPECT_EQ(list.Grid()->item(0, 3)->text() + list.SwitchButton()->text(),
            QStringLiteral("√启用(&S)"));
  t.Messages().Expect("是否删除平行记账模板“P001”？", host::mb::kYes, texts::kTitleInformation);
  list.DeleteButton()->click();
  EXPECT_EQ(list.Grid()->rowCount(), 5);
  EXPECT_EQ(list.Grid()->item(0, 0)->text(), QStringLiteral("P002"));
}

}  // namespace
}  // namespace lumvoucher::ui
