#pragma once

#include <array>
#include <string>
#include <vector>

#include "cashflow/cash_flow_items.h"
#include "host/modal_runner.h"

namespace lumvoucher::cashflow {

// The two ways of working (optCash): one row per item of each cash line, or one row per line
// on the other side of the cash movement, each given the cash line whose cash it explains.
enum class AutoMode { kByCashLine = 0, kByOppositeLine = 1 };

// The auxiliary columns after 分配金额: 单位, 部门, 职员, 统计, 项目, 物品, 自定段01..30.
inline constexpr std::size_t kAuxColumns = 36;
// Their captions, in order.
const std::array<std::string, kAuxColumns>& AuxCaptions();

// A voucher line as the grids show it.
struct AutoLine {
  long line_id = 0;
  long row_no = 0;  // lngRowID
  std::string remark;
  long account_id = 0;
  std::string account_text;  // "code name"
  int direction = 1;
  double amount = 0;
  double Debit() const { return direction == 1 ? amount : 0; }
  double Credit() const { return direction == 1 ? 0 : amount; }
  std::array<std::string, kAuxColumns> aux;
};

// One row of an editable grid. By cash line `line` is the cash line; by opposite line it is
// the opposite line and `cash_line_id` the chosen cash line (0 = none yet). The amount is
// positive for the cash line's own flow.
struct AutoRow : CashFlowCells {
  AutoLine line;
  long cash_line_id = 0;
  std::string cash_line_text;
};

// A cash line of the chooser: account code, and name + " 行号：" + row + side + amount.
struct CashLineChoice {
  long line_id = 0;
  std::string code;
  std::string text;
};

// Which cell a failed check put the cursor on.
enum class AutoField { kNone, kItem, kCashLine, kCounterpart, kAmount };

struct AutoState {
  std::string caption;
  long voucher_id = 0;
  AutoMode mode = AutoMode::kByCashLine;
  std::vector<AutoRow> by_cash;      // grdCol1
  std::vector<AutoRow> by_opposite;  // grdCol2
  std::vector<AutoLine> cash_lines;
  std::vector<AutoLine> other_lines;  // the read-only companion of grdCol1
  // Whether an auxiliary column is used by some cash line, by some other line.
  std::array<bool, kAuxColumns> cash_aux_used{};
  std::array<bool, kAuxColumns> other_aux_used{};
  std::vector<CashLineChoice> cash_line_choices;
  int chooser_code_width = 10;  // Lengthb of the longest cash account code and name
  int chooser_name_width = 10;
  int current_row = 0;  // of the active grid, from 1
  AutoField current_field = AutoField::kNone;
  bool dirty = false;
  bool saved = false;
  bool closed = false;
};

// frmCashFlowAuto2 ("现金流量批量分配"): the cash-flow items of every cash line of one voucher
// in one pass. Whatever the mode, a save replaces every VoucherCashFlow row of the voucher in one
// database block, so that a failure leaves the previous rows in place.
//
// Rows count from 1 and belong to the active grid (the mode's). Edits the rules refuse show the
// refusal and answer false. Database errors are shown with the window's caption.
class frmCashFlowAuto2 : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmCashFlowAuto2";
  std::string WindowName() const override { return kWindowName; }
  const AutoState& State() const { return state_; }
  const std::vector<AutoRow>& Rows() const;

  // Right 1727, then loads the voucher and runs the window; `blnSaved` tells whether a save
  // happened. The second argument is not used.
  void ShowMe(long lngVoucherID, long lngOption, bool& blnSaved);
  // Loads both grids afresh; false after a database error (shown).
  bool Load(long voucher_id);

  void SetMode(AutoMode mode);
  void SetCurrentRow(int row);
  // Adds a row for the current row's line after it; answers its number (0 without rows).
  int AddRow();
  // Refused while the grid holds a single row.
  bool DeleteRow(int row);
  std::vector<Choice> ItemChoices(int row) const;
  bool SetItem(int row, const std::string& text);
  bool SetFlow(int row, const std::string& label);
  bool SetRange(int row, const std::string& label);
  bool SetCounterpart(int row, const std::string& text);
  bool SetAmount(int row, const std::string& text);
  // By opposite line: the cash line of the row, one of the chooser's (0 clears it).
  bool SetCashLine(int row, long line_id);
  bool MaintainItems(int row, host::CashItemAction action);

  // Fills the item of every row that has none with the item the organisation used most often on
  // its stored vouchers for the same opposite account and flow; a row's own choice is never
  // replaced, nor is an item given twice to one cash line. Answers how many rows it filled.
  int Suggest();

  // The save button: the checks in order, then the block. The window closes after a save.
  bool Save();
  void Cancel();

 private:
  std::vector<AutoRow>& Active();
  AutoRow* Row(int row);
  const AutoLine* CashLine(long line_id) const;
  long CashLineOf(const AutoRow& r) const;
  const char* OwnLabel(const AutoRow& r) const;
  double StoredAmount(const AutoRow& r) const;
  int DuplicateOf(int row, long item_id, const std::string& range, long counterpart_id) const;
  bool Stop(const std::string& text, int row, AutoField field, const char* title);
  bool CheckCashLine(int row, long cash_line);
  bool CheckRows();
  std::string Block();
  std::vector<long> OppositeAccounts(const AutoRow& r) const;

  AutoState state_;
};

}  // namespace lumvoucher::cashflow
