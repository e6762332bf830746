#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/host_services.h"
#include "host/modal_runner.h"
#include "host/recordset.h"
#include "lists/list_query.h"
#include "numbering/numbering_basis.h"

namespace lumvoucher::numbering {

struct ContinuityColumn {
  std::string caption;
  bool visible = true;
};

// Everything the continuity window shows, for the Qt view and the tests. Rows hold the values
// in column order; column 0 is the tick column ("选定"), "√" on a ticked row.
struct ContinuityState {
  std::string title;
  std::vector<ContinuityColumn> columns;
  std::vector<host::Recordset::Row> rows;
  std::vector<bool> marked;  // the status column reads "作废" or "错误"
  int selected_row = -1;
  bool more_rows = false;  // the query found more than the grid lists
  host::FilterCondition filter;
  // Button captions: run, filter, tick all, tick none.
  std::string run_caption;
  std::string filter_caption;
  std::string select_all_caption;
  std::string select_none_caption;
};

// The continuity window ("凭证连号处理") as a presenter: the operator's own vouchers of the
// login organisation that nobody has signed, reviewed or posted yet, and a run that moves the
// ticked ones (one type, one period) to the end of the type's numbers, one after another.
//
// The grid shows the columns of the window's list configuration (List "frmVoucherContinuity",
// columns over Voucher, VoucherType and the operators), the status ("作废", "错误"), in the
// dual basis the basis of the row ("会计类型", both bases listed from VoucherView), and the
// hidden columns id, MultiYear, MultiPeriod, MultiVoucherType and VoucherBaseID. At most
// kMaxRows vouchers are listed (by year, period, type and number); beyond them the note
// "未列出的凭证请在下次操作！" asks the user to handle the rest in a later run.
//
// A run is one transaction: the numbers, volumes, former numbers, stamps, the ReceiptMaxNO
// counter and the ledger entry commit together; a printed voucher keeps its number, six digits,
// in strOldReceiptNo, and a pair's budget voucher takes the new number and volume of its
// financial one. The first new number follows the type's
// counter, or the highest number stored when the counter lags behind it (it would collide).
class frmVoucherContinuity : public host::ModalWindow {
 public:
  static constexpr int kMaxRows = 2000;

  explicit frmVoucherContinuity(NumberingBasis basis);

  std::string WindowName() const override;
  const ContinuityState& State() const { return state_; }
  const NumberingBasis& Basis() const { return basis_; }

  // The configured columns and the candidates, nothing ticked; the note when rows were left
  // out. False after a database error, which is shown.
  bool Load();
  std::string CandidateQuery() const;
  // The list configuration's key (0 when the account set configures none).
  long ListID() const { return list_id_; }

  int ColumnIndex(std::string_view caption) const;
  std::string CellText(int row, int column) const;
  long VoucherID(int row) const;

  void SelectRow(int row);
  // In the dual basis the other row of a pair follows the tick: a pair moves as one.
  void SetTicked(int row, bool on);
  void ToggleTick(int row);
  bool IsTicked(int row) const;
  void SelectAll();
  void SelectNone();
  int TickedCount() const;

  // The other voucher of a pair (`budget`: `voucher_id` is a budget voucher's); 0 for none.
  // Throws on a database error.
  long GetRelevanceID(long voucher_id, bool budget) const;

  // "条件选择": the host's filter dialog; a confirmed filter reloads the candidates.
  bool Filter();

  // "连号处理": the checks in order ("请先选定一张凭证！", one type, one period, at least two,
  // both rows of a pair counting once),
  // the question, the run, the final message and the reload. False when refused, declined or
  // rolled back. The new numbers of the last committed run stay in `FirstNumber`/`LastNumber`.
  bool Run();
  long FirstNumber() const { return first_number_; }
  long LastNumber() const { return last_number_; }
  // Runs committed since the window was made.
  int Runs() const { return runs_; }

  void SetProgressHandler(std::function<void(int done, int total)> handler) {
    progress_ = std::move(handler);
  }

 private:
  long Hidden(int row, const char* column) const;
  void ReadColumns();
  void MoveTicked(const NumberScope& scope, const std::vector<long>& ticked);
  // The ticked rows less the budget rows whose financial partner is ticked too.
  int TickedVouchers(const std::vector<int>& rows) const;

  NumberingBasis basis_;
  ContinuityState state_;
  std::vector<lists::ColumnDef> configured_;
  long list_id_ = 0;
  long first_number_ = 0;
  long last_number_ = 0;
  int runs_ = 0;
  std::function<void(int, int)> progress_;
};

}  // namespace lumvoucher::numbering
