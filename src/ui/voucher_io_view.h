#pragma once

#include <QWidget>

#include "templates/frm_voucher_io.h"
#include "ui/command.h"

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace lumvoucher::ui {

// The Qt view of the external posting window ("外部记账接口"): the interface standard, the date
// option, the grid (tick column, the operator's columns, "已纠正", the error text), the buttons
// and a progress bar while posting. Code cells can be corrected in place; a click on a column
// header sorts by it; "栏目" opens the column chooser.
class VoucherIOView : public QWidget, public CommandTarget {
  Q_OBJECT

 public:
  explicit VoucherIOView(templates::frmVoucherIO& presenter, QWidget* parent = nullptr);

  void Render();

  bool Handles(Command command) const override;
  void Run(Command command) override;

  QTableWidget* Grid() const { return grid_; }
  QComboBox* Standards() const { return standards_; }
  QPushButton* PostButton() const { return post_; }
  QPushButton* CheckButton() const { return check_; }
  QPushButton* TickAllButton() const { return tick_all_; }
  QProgressBar* Progress() const { return progress_; }
  // Column 0 holds the tick mark, then the chosen columns, then the repair mark and the error.
  static constexpr int kFirstColumn = 1;

 private:
  void Post();
  void ImportFile();
  void ChooseColumns();

  templates::frmVoucherIO& presenter_;
  QComboBox* standards_ = nullptr;
  QRadioButton* from_data_ = nullptr;
  QRadioButton* chosen_ = nullptr;
  QLineEdit* date_ = nullptr;
  QPushButton* import_ = nullptr;
  QPushButton* check_ = nullptr;
  QPushButton* post_ = nullptr;
  QPushButton* tick_all_ = nullptr;
  QPushButton* untick_all_ = nullptr;
  QPushButton* columns_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QProgressBar* progress_ = nullptr;
  bool rendering_ = false;
  int rendered_ = -1;  // the presenter's generation last rendered
};

}  // namespace lumvoucher::ui
