#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/main_window.h"
#include "templates/external_voucher.h"

namespace lumvoucher::templates {

// A column of the grid, from the operator's list of view 1287.
struct IOColumn {
  long list_field_id = 0;
  std::string field;    // the staged line's field it shows ("strExternalKey", "dblDebit", ...)
  std::string caption;  // without the sort mark
  int width = 0;
  bool chosen = true;
};

struct IORow {
  ExternalLine line;
  bool ticked = false;
};

struct VoucherIOState {
  bool open = false;
  std::string ini_path;
  std::vector<std::string> standards;
  int standard = 0;
  bool date_from_data = true;  // optDate: the data's date, or `chosen_date`
  std::string chosen_date;     // yyyy-mm-dd
  long list_id = 0;
  std::vector<IOColumn> columns;      // shown, in display order
  std::vector<IOColumn> all_columns;  // every field of the list, for the column chooser
  int sort_column = -1;               // index into `columns`, -1 unsorted
  bool sort_ascending = true;
  std::vector<IORow> rows;
  long last_voucher_id = 0;  // the last voucher the posting saved
  int generation = 0;        // counts the readings of the rows, for a view to follow
};

// The external data posting window ("外部记账接口"), a child of the host main window: the
// staged external voucher lines of the login organisation and the chosen interface standard,
// line by line, with their tick mark, error text and the columns the operator chose. Rows count
// from 0. Database errors are caught at each command and shown under "外部数据记账".
class frmVoucherIO : public host::ChildWindow {
 public:
  std::string WindowName() const override;
  const VoucherIOState& State() const { return state_; }

  // Without right 508 refuses; otherwise reads the interface standards of `strIniFile` (or
  // "iei.ini" in the host's folder when empty), restores the date option and shows the window.
  // In the dual-basis regime it does nothing: its vouchers go through the single-basis window.
  bool ShowMe(const std::string& strIniFile);
  // Marks the rows of the external voucher that holds line `lngRecordKey` posted ("√ ") and
  // unticks them.
  void WriteBack(long lngRecordKey);

  bool SelectStandard(int index);
  // Re-reads the column list and the staged rows.
  bool Refresh();
  // Ticking a row ticks every row of its external voucher.
  void SetTicked(int row, bool on);
  void TickAll(bool on);
  void SetDateFromData(bool from_data);
  // False (the old date kept) for a text that is not a calendar date.
  bool SetChosenDate(const std::string& text);

  // Stages an interface file of the chosen standard (nothing is posted) and refreshes.
  // Problems of the file are shown in one message; false when the file could not be read.
  bool ImportFile(const std::string& path);
  // Checks every row; answers whether none has an error.
  bool CheckData();
  // Checks, then posts the ticked external vouchers without errors one by one in grid order,
  // stopping at the first save that fails; then shows the last saved voucher. Answers how
  // many were posted.
  int Post();
  // A code of kind 1..11 (0: the flexible codes) corrected in a row: stored, shown "已纠正".
  bool RepairCode(int row, int kind, const std::string& code);

  // Whether a column shows a code the user may correct, and the correction of one of its cells
  // (RepairCode).
  bool Editable(int column) const;
  bool EditCell(int row, int column, const std::string& text);

  // The column chooser: the chosen fields in display order, with their captions and widths.
  bool ChooseColumns(const std::vector<IOColumn>& chosen);
  // Sorts the rows by a column, ascending first, descending when sorted by it already.
  void SortBy(int column);

  std::string ColumnCaption(int column) const;  // caption, with "↑" or "↓" when sorted by it
  std::string CellText(int row, int column) const;
  std::string MarkText(int row) const;    // "√" ticked, "√ " posted, "" otherwise
  std::string StatusText(int row) const;  // "已纠正" for a repaired row

  // Called after each posted voucher with (done, total).
  void SetProgressHandler(std::function<void(int, int)> handler) { progress_ = std::move(handler); }

 private:
  bool LoadColumns();
  // Whether every row passed; nothing when the database broke the checks off.
  std::optional<bool> RunChecks();
  void ReadRows();
  std::string Standard() const;

  VoucherIOState state_;
  std::function<void(int, int)> progress_;
};

// Opens the posting window (the main-control command MainControlEditInterface).
bool ShowVoucherIO(const std::string& strIniFile = std::string());

}  // namespace lumvoucher::templates
