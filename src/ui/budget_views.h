#pragma once

#include <QDialog>
#include <QWidget>

class QComboBox;
class QCheckBox;
class QLineEdit;
class QTableWidget;
class QLabel;

namespace lumvoucher::dualbasis {
class frmBudget;
class frmDiffItem;
}  // namespace lumvoucher::dualbasis

class QChartView;

namespace lumvoucher::ui {

class Desktop;

// The budget query as a child window: the choosers over the grid of budget, actual and
// completion rate, beside it a bar chart of the local-currency budget against the actual
// amount per period, and the export of the grid to a CSV file.
class BudgetQueryView : public QWidget {
  Q_OBJECT
 public:
  explicit BudgetQueryView(dualbasis::frmBudget& window, QWidget* parent = nullptr);
  void Render();
  // Writes the grid to `path`; false when the file cannot be written.
  bool ExportCsv(const QString& path);
  QTableWidget& Grid() { return *grid_; }
  QChartView& Chart() { return *chart_; }

 private:
  void FillChoosers();
  void RunQuery();
  dualbasis::frmBudget& window_;
  QComboBox* target_ = nullptr;
  QComboBox* budget_ = nullptr;
  QComboBox* currency_ = nullptr;
  QComboBox* organization_ = nullptr;
  QComboBox* posted_ = nullptr;
  QCheckBox* approved_ = nullptr;
  QLineEdit* year_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QChartView* chart_ = nullptr;
  bool filling_ = false;
};

// frmDiffItem as a dialog: the allocation lines, the item column with the items of the line's
// difference type, the amount column typed; OK and Cancel go to the presenter.
class DiffItemDialog : public QDialog {
  Q_OBJECT
 public:
  DiffItemDialog(dualbasis::frmDiffItem& editor, QWidget* parent = nullptr);
  void Render();
  QTableWidget& Grid() { return *grid_; }

 private:
  void CellEdited(int row, int column);
  dualbasis::frmDiffItem& editor_;
  QTableWidget* grid_ = nullptr;
  bool rendering_ = false;
};

// Registers both with the desktop: the child view, the dialog, the menu entry "预算余额查询"
// and the screen "budget".
void RegisterBudgetViews(Desktop& desktop);

}  // namespace lumvoucher::ui
