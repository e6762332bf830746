#include "ui/budget_views.h"

#include <gtest/gtest.h>

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "dualbasis/frm_budget.h"
#include "dualbasis/frm_diff_item.h"
#include "support/test_host.h"

namespace lumvoucher::ui {
namespace {

embedded::LoginRequest HospitalMaker() {
  return {5001, 5001, "2026-02-15"};
}

TEST(BudgetQueryView, GridChartYearAndCsv) {
  testing::TestHost host(HospitalMaker(), embedded::DemoSets::kAll);
  dualbasis::frmBudget window;
  ASSERT_TRUE(window.ShowBudget("01", "事业收入"));
  BudgetQueryView view(window);
  ASSERT_EQ(view.Grid().rowCount(), 12);
  EXPECT_EQ(view.Grid().item(1, 5)->text(), "80,000.00");
  EXPECT_EQ(view.Grid().item(1, 6)->text(), "95,000.00");
  auto series = view.Chart().chart()->series();
  ASSERT_EQ(series.size(), 1);
  auto* bars = qobject_cast<QBarSeries*>(series.front());
  ASSERT_NE(bars, nullptr);
  ASSERT_EQ(bars->barSets().size(), 2);
  EXPECT_EQ(bars->barSets()[1]->at(1), 95000);

  // A year typed as text that is no year falls back; a year without budgets shows none.
  auto* year = view.findChild<QLineEdit*>();
  for (const char* text : {"20x6", "2027"}) {
    year->setText(text);
    emit year->editingFinished();
  }
  EXPECT_EQ(year->text(), "2027");
  EXPECT_EQ(view.Grid().item(1, 5)->text(), "0.00");

  QTemporaryDir dir;
  const QString path = dir.filePath("budget.csv");
  ASSERT_TRUE(view.ExportCsv(path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), window.CsvText());
  EXPECT_FALSE(view.ExportCsv(dir.filePath("missing/budget.csv")));
}

TEST(DiffItemDialog, TypedAmountChosenItemAndOk) {
  testing::TestHost host(HospitalMaker(), embedded::DemoSets::kAll);
  dualbasis::frmDiffItem editor;
  ASSERT_TRUE(editor.Load(5006, 5007));
  DiffItemDialog dialog(editor);
  ASSERT_EQ(dialog.Grid().rowCount(), 2);
  dialog.Grid().item(0, 5)->setText("4000");
  EXPECT_EQ(editor.State().rows[0].allocated, 4000);
  auto* chooser = qobject_cast<QComboBox*>(dialog.Grid().cellWidget(0, 4));
  ASSERT_NE(chooser, nullptr);
  ASSERT_EQ(chooser->count(), 3);  // none, 01-01, 01-02
  emit chooser->activated(1);
  EXPECT_EQ(editor.State().rows[0].item, "01-01 应收未收的收入");
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_TRUE(editor.State().saved);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  host::Recordset rs = host.Data().OpenRecordset(
      "Select lngDiffItemID,dblAmount From VoucherDiffItem Where lngVoucherDetailID=5013");
  ASSERT_EQ(rs.RecordCount(), 1u);
  EXPECT_EQ(rs[0].AsLong(), 5002);
  EXPECT_EQ(rs[1].AsDouble(), 4000);
}

}  // namespace
}  // namespace lumvoucher::ui
