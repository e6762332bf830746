#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"

namespace lumvoucher::links {

// A memo item offered in a classification's lookup ("code name").
struct ReferenceChoice {
  long id = 0;
  std::string text;
};

// One classification type (Reference.bytFuncType) the window shows, with its label and what is
// left to allocate of the line amount.
struct ReferenceClass {
  int func_type = 0;
  std::string label;            // "功能分类项目", ...
  std::string remaining_label;  // "功能分类       待分配金额：", ...
  double remaining = 0;
  std::vector<ReferenceChoice> choices;
};

// One grid row. `stored_id` is the RVoucherDetail key of a loaded row (0 for a new one).
struct ReferenceRow {
  int func_type = 0;
  long reference_id = 0;
  std::string item_text;
  std::string amount_text;
  double amount = 0;
  long stored_id = 0;
};

struct ReferenceState {
  long line_id = 0;
  long voucher_id = 0;
  long account_id = 0;
  int direction = 1;
  std::string caption;  // the line's account, shown above the grid
  double line_amount = 0;
  bool read_only = false;
  bool dual_basis = false;
  std::vector<ReferenceClass> classes;
  std::vector<ReferenceRow> rows;  // rows count from 1 in every command
  bool dirty = false;
  bool saved = false;  // a save wrote registration rows
  bool closed = false;
};

// 备查薄明细: the memo-book registration of one stored voucher line, edited in a modal window
// and saved as RVoucherDetail rows. One grid with a type column serves every classification.
// Refusals are message boxes ("提示信息" unless stated); database errors are shown with
// "备查薄登记失败，原因：" and nothing of the save is left written.
class frmReference : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmReference";
  std::string WindowName() const override { return kWindowName; }
  const ReferenceState& State() const { return state_; }

  // Opens the window for the line, `strCaption` naming its account. The amount and side are
  // read from the stored line (the argument only stands in when the read fails). Answers
  // whether registration rows were saved. A line on an account the operator may not make
  // vouchers on is refused and nothing opens.
  bool ShowReference(long lngVoucherDetailID, const std::string& strCaption, double dblAmount,
                     bool blnReadOnly);

  // Grid commands ("新增明细(&A)", "删除明细(&D)"); false in a read-only window.
  int AddRow(int func_type);
  bool DeleteRow(int row);
  // The lookup's choice; 0 is a lookup closed without a choice ("请选择一参照！").
  bool SetItem(int row, long reference_id);
  // The typed amount, decimal text only ("第n行“备查金额”不是一个合法数据，请重新输入！").
  bool SetAmount(int row, const std::string& text);

  // OK: the checks, then one transaction; closes the window. False keeps it open.
  bool Save();
  // Closing: unsaved edits ask "是否保存备查薄登记？" (Yes saves, No closes without writing,
  // Cancel keeps the window open). Answers whether the window closed.
  bool Close();

  // Loads without showing (ShowReference runs it before the modal loop); false when refused.
  bool Load(long line_id, const std::string& caption, double amount, bool read_only);

 private:
  void LoadRows();
  void Recompute();
  ReferenceRow* Row(int row);
  bool Unchanged();
  bool Check();
  void Write();

  ReferenceState state_;
  std::vector<long> hidden_ids_;  // stored rows of classifications the window does not show
};

// The "备查登记" command of the voucher window and of the lists on a stored voucher: the memo
// window for `line_id` when it is a memo-account line of the voucher, else for the voucher's
// first memo-account line. A voucher without one is refused. Answers whether rows were saved.
bool OpenLineReference(long voucher_id, long line_id, bool read_only);

}  // namespace lumvoucher::links
