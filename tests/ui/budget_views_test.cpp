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

}  // namespace
}  // namespace lumvoucher::ui
