#pragma once

#include <string>
#include <vector>

#include "cashflow/cash_flow_items.h"
#include "host/modal_runner.h"

namespace lumvoucher::cashflow {

// One grid row of the line window: the thirteen columns of the load query. Rows added in the
// window have no loaded item (0).
// The amount is as shown and typed: an item against the line's direction shows its stored
// amount negated.
struct CashFlowRow : CashFlowCells {
  long loaded_item_id = 0;
  long other_id = 0;
  long loaded_other_id = 0;
  bool changed = false;  // the change flag ("1")
  long loaded_range = 0;
  long loaded_counterpart_id = 0;
};

// Everything the line window shows, for the Qt view and the tests.
struct CashFlowLineState {
  std::string caption;
  long account_id = 0;
  std::string account_text;
  long line_id = 0;
  long voucher_id = 0;
  double line_amount = 0;
  int direction = 1;
  std::string amount_text;      // the line amount with the account set's decimals
  std::string direction_label;  // "流入" for a debit line, "流出" for a credit line
  bool in_out_assign = false;   // the account's CashFlowAccSetting flags
  bool has_setting = false;
  std::vector<CashFlowRow> rows;
  int current_row = 0;  // rows count from 1; 0 = none
  bool dirty = false;
  bool closed = false;
  // The line's summary: as stored when the window opened, as written by a save.
  std::string summary;
};

// frmVoucherCashFlow: the split of one stored cash line over cash-flow items, edited in a
// modal window and saved as VoucherCashFlow rows and the line's summary.
//
// Rows count from 1 in every command. An edit the rules refuse shows the refusal and answers
// false; the row keeps its value. Database errors are shown as "验证凭证的现金流量分配失败，
// 原因：" + the error's text and answered with false.
class frmVoucherCashFlow : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmVoucherCashFlow";
  std::string WindowName() const override { return kWindowName; }
  const CashFlowLineState& State() const { return state_; }

  // Opens the window for the stored line (rights, authorised accounts, the closed period first)
  // and returns the line's summary; `blnShown` tells whether the window was shown. The amount
  // and side come from the stored line, not from the arguments.
  void ShowCashFlow(long lngAccountID, const std::string& strAccountName, long lngVoucherDetailID,
                    double dblAmount, int intDirection, std::string& strCashFlowCode,
                    bool& blnShown);

  // Grid editing.
  int AddRow();
  bool DeleteRow(int row);
  void SetCurrentRow(int row);
  // The items the row's item cell offers (those of its flow).
  std::vector<Choice> ItemChoices(int row) const;
  bool SetItem(int row, const std::string& text);
  // The flow of a row ("流入" / "流出"); the item goes with the old flow.
  bool SetFlow(int row, const std::string& label);
  bool SetRange(int row, const std::string& label);
  bool SetCounterpart(int row, const std::string& text);
  bool SetAmount(int row, const std::string& text);
  // The chooser's 新增 / 删除 / 修改 entries (right 460), on the row's item for delete and modify.
  bool MaintainItems(int row, host::CashItemAction action);

  // The OK button: the checks, then the rows and the summary are written in one transaction,
  // and the window closes. False leaves the window open.
  bool Save();
  // Closing: with unsaved changes asks "是否保存资金流量分配？" (Yes keeps the window open for
  // saving, answering false). Removes the rows that no longer belong to a cash line.
  bool Close();
  // The fifth button: saves the line's changes, then opens the batch window for the voucher and
  // shows what it stored.
  bool BatchAssign();

 private:
  bool Load();
  // The grid and the summary as stored.
  void LoadRows();
  CashFlowRow* Row(int row);
  void Changed(CashFlowRow& r);
  bool Duplicate(int row, long item_id, const std::string& range, long counterpart_id) const;
  double StoredAmount(const CashFlowRow& r) const;
  double AssignedTotal() const;
  bool CrossCheckInternal();
  bool CheckRows();
  bool WriteRows();
  void Finish();

  CashFlowLineState state_;
};

}  // namespace lumvoucher::cashflow
