#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>
#include <string>

#include "host/cls_account.h"
#include "ui/command.h"
#include "voucher/frm_voucher.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace lumvoucher::ui {

class VoucherCellDelegate;
class VoucherEntryPanel;
class VoucherGridModel;

// The Qt view of the voucher window (frmVoucher): caption, header fields, the line grid with
// its totals row, the entry panel of the current line, the line information panel, the footer
// names and the status buttons. It renders the presenter's state, forwards every edit and
// command to it, and renders again; the rules and the messages are the presenter's.
//
// Keyboard, the same on new and stored lines: Enter (or Tab) takes a cell's value and moves on
// along 摘要 -> 科目 -> the auxiliary items the account needs -> 借方 or 贷方 (the side that
// holds an amount, else both) -> the next line's 摘要. At the end of a line the line is checked
// and the next line gets the presenter's balancing proposal (its summary repeated). "=" in an
// amount cell fills in what balances the voucher; the space bar moves the amount to the other
// side; Escape gives the cell back its previous value. A value the presenter refuses stays typed
// in its editor.
class VoucherView : public QWidget, public CommandTarget {
  Q_OBJECT

 public:
  explicit VoucherView(voucher::frmVoucher& presenter, QWidget* parent = nullptr);
  ~VoucherView() override;

  voucher::frmVoucher& Presenter() { return presenter_; }

  // Re-reads the presenter's state into every widget.
  void Render();
  // As one side of the paired window: its own title, and none of the status buttons, since
  // the pair's toolbar moves both vouchers at once.
  void ShowAsPairSide(const QString& title);

  // CommandTarget.
  bool Handles(Command command) const override;
  void Run(Command command) override;
  std::string Caption(Command command) const override;
  bool Checked(Command command) const override;

  // Why the stored voucher shown may not be changed by the operator ("" when it may), as the
  // presenter words it; the view then takes no edits and states it when the user tries.
  const std::string& EditRefusal() const { return refusal_; }
  // The status buttons, for the tests.
  QPushButton* ReviewButton() const { return review_; }
  QPushButton* SignButton() const { return sign_; }
  QPushButton* PostButton() const { return post_; }

  // Takes the open editor's value before a command runs; false when it was refused.
  bool FinishEditing();
  // Opens the grid editor on `row` (from 1) and `field`.
  void EditCell(int row, voucher::LineField field);
  // The open grid editor, null when none (for the tests and the key handling).
  QLineEdit* CurrentEditor() const;
  QTableView* Grid() const { return grid_; }
  VoucherGridModel* Model() const { return model_; }
  VoucherEntryPanel* EntryPanel() const { return panel_; }

  // Header texts as shown, for the tests: "记", "000001", "2026-02-03", ...
  QString HeaderText(voucher::HeaderField field) const;
  // The line information panel, the footer ("制单：李明 ...") and the status marks.
  QString InfoText() const;
  QString FooterText() const;
  QString MarksText() const;
  QString Title() const;

 private:
  friend class VoucherCellDelegate;

  void BuildHeader(QVBoxLayout* layout);
  void BuildFooter(QVBoxLayout* layout);
  void LoadChoices();
  void RenderHeader();
  void RenderPanel();
  // The grid editor's Enter: takes the value (false leaves the editor open with the text) and
  // moves on.
  void CommitAndAdvance(QLineEdit* editor, bool forward);
  bool CommitEditor(QLineEdit* editor);
  void FillBalance(QLineEdit* editor);
  // Escape: the cell gets back what it held before the editor opened; the editor closes.
  void RevertEditor(QLineEdit* editor);
  // The space bar in an amount cell: the amount moves to the other side of the line.
  void MoveToOtherSide(QLineEdit* editor);
  void Advance(int row, voucher::LineField field);
  void FinishLine(int row);
  void CommitHeader(voucher::HeaderField field, const QString& text);
  bool Committing() const { return committing_; }
  std::optional<host::AccountInfo> AccountOf(int row) const;
  std::string Fingerprint() const;
  void EnsureEntryRow();
  void UpdateRefusal();
  // True when the voucher may be edited; otherwise the presenter states why.
  bool MayEdit();
  bool eventFilter(QObject* object, QEvent* event) override;
  // Closing asks about unsaved edits (the presenter's question); Cancel keeps the window.
  void closeEvent(QCloseEvent* event) override;
  // Stored vouchers changed: the status bar tells `told` (when given) and the lists refresh.
  void Announce(const QString& told);

  voucher::frmVoucher& presenter_;
  QLabel* title_ = nullptr;
  QLabel* marks_ = nullptr;
  QComboBox* type_ = nullptr;
  QLineEdit* number_ = nullptr;
  QLineEdit* date_ = nullptr;
  QLineEdit* attachments_ = nullptr;
  QComboBox* template_ = nullptr;
  QCheckBox* print_mark_ = nullptr;
  QTableView* grid_ = nullptr;
  VoucherGridModel* model_ = nullptr;
  VoucherCellDelegate* delegate_ = nullptr;
  VoucherEntryPanel* panel_ = nullptr;
  QLabel* info_ = nullptr;
  QLabel* maker_ = nullptr;
  QLabel* checker_ = nullptr;
  QLabel* poster_ = nullptr;
  QLabel* teller_ = nullptr;
  QPushButton* review_ = nullptr;
  QPushButton* sign_ = nullptr;
  QPushButton* post_ = nullptr;
  bool committing_ = false;
  bool rendering_ = false;
  std::string rendered_;
  std::string refusal_;
  std::string refusal_for_;
};

}  // namespace lumvoucher::ui
