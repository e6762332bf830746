#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lists/voucher_list.h"
#include "ui/command.h"
#include "ui/visible_columns.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace lumvoucher::ui {

// The list grid's model: the presenter's visible columns (the row keys stay hidden), one row
// per voucher line, cells as the presenter formats them, headers with the sort mark.
class VoucherListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit VoucherListModel(lists::VoucherList& presenter, QObject* parent = nullptr);

  // Re-reads columns and rows from the presenter.
  void Refresh();
  // Takes the rows a stepwise read added since; false when the presenter replaced its rows
  // meanwhile (then only Refresh will do).
  bool AddReadRows();
  // The presenter's column of a grid column, and back; -1 when none.
  int ListColumn(int grid_column) const;
  int GridColumn(int list_column) const;
  // The background of a row, from the list's own rule (the combined list's grey pairs); an
  // invalid colour keeps the grid's own.
  void SetRowShade(std::function<QColor(int row)> shade) { shade_ = std::move(shade); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  lists::VoucherList& presenter_;
  VisibleColumns columns_;
  // The rows the view has been told of: the presenter's may have grown since.
  int rows_ = 0;
  std::uint64_t generation_ = 0;
  std::function<QColor(int row)> shade_;
};

// The Qt view of a voucher list ("frmListVoucher", "frmListErrVoucher"): the grid, a find bar
// and a summary line. A header click sorts, Enter or a double click opens the voucher, the
// find bar's Enter narrows the query (quick find, "*" and "?" as typed) and its button finds
// the next loaded row. The list's command menu is the "操作" menu.
class VoucherListView : public QWidget, public CommandTarget {
  Q_OBJECT

 public:
  explicit VoucherListView(lists::VoucherList& presenter, QWidget* parent = nullptr);
  ~VoucherListView() override;

  lists::VoucherList& Presenter() { return presenter_; }

  // Re-reads the presenter's state into the widgets.
  void Render();
  // Fills the list again from the database (vouchers changed elsewhere) and renders it.
  void Refresh();

  // CommandTarget.
  bool Handles(Command command) const override;
  void Run(Command command) override;
  bool Checked(Command command) const override;
  std::vector<MenuEntry> EditMenu() const override;
  void RunEditMenu(int index) override;

  // The user's gestures, for the keyboard, the mouse and the tests.
  void ClickHeader(int grid_column);
  void OpenRow(int row);
  // Quick find on the find bar's column and text.
  void ApplyQuickFind();
  // The find button: selects the next loaded row that matches; false when none.
  bool FindNextRow();

  QTableView* Grid() const { return grid_; }
  VoucherListModel* Model() const { return model_; }
  QComboBox* FindColumn() const { return find_column_; }
  QLineEdit* FindText() const { return find_text_; }
  QPushButton* FindButton() const { return find_button_; }
  // A control of the list's own (the dual-basis list's basis selector), put before the find bar.
  void AddBarWidget(QWidget* widget);
  // The vouchers of the chosen rows, in list order; every voucher of the list when none is
  // chosen (批量打印).
  std::vector<long> ChosenVouchers() const;
  // The summary line: date range and counts.
  QString Summary() const;
  // The active filter above the rows ("当前过滤：摘要含“差旅”"), empty when none.
  QString FilterText() const;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  void RenderSummary();
  // One step of a stepwise read, then the rows it added; the next step waits for the events
  // that came meanwhile, so the user scrolls, sorts and opens while the list reads.
  void ReadStep();
  void ShowReadRows();
  // Reads the rest at once, for commands that need every row.
  void ReadRest();
  void RenderFindColumns();
  void RenderSelection();
  void FitColumns();
  int FindColumnIndex() const;
  // Runs a presenter command and re-renders; the menus follow the new state.
  void After(bool changed);

  lists::VoucherList& presenter_;
  VoucherListModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* title_ = nullptr;
  QHBoxLayout* top_ = nullptr;
  QLabel* summary_ = nullptr;
  QLabel* filter_ = nullptr;
  QComboBox* find_column_ = nullptr;
  QLineEdit* find_text_ = nullptr;
  QPushButton* find_button_ = nullptr;
  QPushButton* clear_button_ = nullptr;
  QTimer* read_timer_ = nullptr;
  std::string fitted_for_;
  bool rendering_ = false;
};

}  // namespace lumvoucher::ui
