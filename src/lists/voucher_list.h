#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_services.h"
#include "host/main_window.h"
#include "host/recordset.h"
#include "lists/list_query.h"

namespace lumvoucher::lists {
class ListReader;
}

namespace lumvoucher::lists {

// What a list command does. The list handles opening, a new voucher, show all, filter, refresh
// and the linked reversal voucher itself; every other action (the status operations, the batch
// dialog, printing, columns, volumes, cash flow, memo registration, the reports) goes to the
// command hook that their subsystems install.
enum class ListAction {
  kNone,
  kOpen,
  kNew,
  kDelete,
  kVoid,
  kShowAll,
  kFilter,
  kColumns,
  kRefresh,
  kPrint,
  kPrintReceipt,
  kPrintSetup,
  kAccountSummary,
  kVoucherSummary,
  kBatchDelete,
  kSign,
  kBatchSign,
  kBatchCancelSign,
  kReverse,
  kLinkedReversal,
  kPost,
  kBatchReview,
  kBatchCancelReview,
  kBatchPost,
  kBatchCancelPost,
  kVolumes,
  kDepartmentCostPrint,
  kExternalData,
  kCashFlow,
  kMemo,
  kNumberContinuity,
};

// The batch dialog's mode of an action: 0 review, 1 cancel review, 2 post, 3 cancel post,
// 4 sign, 5 cancel sign, 6 delete; -1 for an action that is not a batch.
int BatchMode(ListAction action);
// Setting "单据号"/"禁止成批复核凭证": the lists' "多张复核(&I)" is disabled.
bool BatchReviewForbidden();

// One entry of the command menu. Index positions the menu does not use are present with
// `visible` false, so that an entry's position is its index.
struct MenuItem {
  int index = 0;
  std::string caption;
  ListAction action = ListAction::kNone;
  bool visible = true;
  bool enabled = true;
  bool checked = false;  // "全部显示(&W)" while void vouchers are shown
};

struct ListColumn {
  std::string caption;  // as configured (or the fixed name of an always-added column)
  std::string header;   // what the grid shows: the caption, with "↑"/"↓" on the sort column
  std::string expression;
  bool visible = true;  // false for the row keys (id, line id, basis)
  bool quick_find = false;
  bool sortable = false;
};

// Everything a list shows, for the Qt view and the tests. Rows hold the values in column order
// (one row per voucher line); rows and columns count from 0.
struct ListState {
  std::string title;
  bool open = false;
  long flag = 0;  // lngFlag of the opening
  std::vector<ListColumn> columns;
  std::vector<host::Recordset::Row> rows;
  // A stepwise read (VoucherList::SetStepwise) still adding rows: the counts are not final yet.
  bool reading = false;
  // Changes whenever the rows are replaced rather than added to, so that a view knows to start
  // over.
  std::uint64_t generation = 0;
  int selected_row = -1;  // -1: no row
  SortOrder sort;
  bool show_all = false;         // "全部显示(&W)"
  int basis = 0;                 // the dual-basis list's selector: 0 all, 1 financial, 2 budget
  host::FilterCondition filter;  // the filter dialog's condition and the date range
  int quick_find_column = -1;
  std::string quick_find_text;
  std::vector<MenuItem> menu;
};

// A voucher list as a presenter: the query, the rows, the commands; no toolkit. Database errors
// are caught at each command and shown with the list's title; the rows stay as they were.
class VoucherList : public host::ChildWindow {
 public:
  // The hook answers whether the action changed vouchers; the list then reloads.
  using CommandHook = std::function<bool(VoucherList& list, ListAction action)>;

  VoucherList(std::string window_name, std::string title, long list_id);
  ~VoucherList() override;

  std::string WindowName() const override { return window_name_; }
  const ListState& State() const { return state_; }
  // The configuration key of the list (List.lngListID).
  long ListID() const { return list_id_; }

  // Opening: the host main window and the flag; answers the main window to keep.
  host::HostMainWindow* SetUp(host::HostMainWindow* main_window, long lngFlag);
  // Loads the layout and the date range on first showing, fills the rows, shows the window.
  bool ShowMe();
  // Rebuilds the query and reloads; false after a database error, and then the rows stay as they
  // were. A stepwise list returns once the first screen is read (or the whole list, if that is
  // less) and reads the rest in ReadMore.
  bool ReMakeData();
  bool ToolRefresh() { return ReMakeData(); }

  // Stepwise reading, for a view that shows rows as they come: off by default, on under a main
  // window that ShowsRowsAsTheyCome.
  void SetStepwise(bool on) { stepwise_ = on; }
  static constexpr std::size_t kFirstScreenRows = 50;
  // One step of a stepwise read: a chunk of rows added at the end, or the work tables of item
  // rights (before the next chunk or at last). Answers whether rows are still to come. A database error is shown; the
  // list is then emptied, as it cannot say which vouchers it missed.
  bool ReadMore();
  // Reads the rest at once: everything that needs every row (finding, printing, the browse
  // order of the voucher window, the commands of the hook) calls it first.
  void ReadAll();
  // Reads the column layout of the list (the operator's own, else the default one).
  void SetFormation();
  // Closing: empties this list's work tables and forgets its rows.
  void FormUnload();

  // A click on a column header: a sortable column becomes the sort column (ascending), the
  // sort column turns round. False for other columns.
  bool SortByColumn(int column);
  // Quick find: the column must be one offered for it; an empty value clears the condition.
  bool QuickFind(int column, std::string_view value);
  // The find button: the next row after the selection (then from the top) whose column matches
  // "*" + value + "*"; selects and answers it, -1 when none.
  int FindNext(int column, std::string_view value);
  void SelectRow(int row);

  // Index of the column with this caption (or always-added name), -1 when none.
  int ColumnIndex(std::string_view caption) const;
  // A cell as the grid shows it: amounts with the account set's decimals, nulls empty.
  std::string CellText(int row, int column) const;
  long SelectedVoucherID() const;
  // The vouchers of the rows, each once, in the order the list shows them.
  std::vector<long> VoucherIDs() const;
  long SelectedLineID() const;

  // The commands. The combined lists of the dual basis act on pairs and open the paired window.
  virtual bool RunAction(ListAction action);
  bool ListEditMenu(int index);

  // The host main window's commands routed to the list.
  bool mclsMainControl_EditNew() { return RunAction(ListAction::kNew); }
  bool mclsMainControl_EditEdit() { return RunAction(ListAction::kOpen); }
  bool mclsMainControl_EditDel() { return RunAction(ListAction::kDelete); }
  bool mclsMainControl_EditInActive() { return RunAction(ListAction::kVoid); }
  bool mclsMainControl_EditShowAll() { return RunAction(ListAction::kShowAll); }
  bool mclsMainControl_EditFilter() { return RunAction(ListAction::kFilter); }
  bool mclsMainControl_EditColumn() { return RunAction(ListAction::kColumns); }
  bool mclsMainControl_FilePrint() { return RunAction(ListAction::kPrint); }
  bool mclsMainControl_FilePrintReceipt() { return RunAction(ListAction::kPrintReceipt); }
  bool mclsMainControl_FilePrintSetup() { return RunAction(ListAction::kPrintSetup); }
  // 0 "科目汇总表(&A)", 1 "凭证汇总表(&V)".
  bool mclsMainControl_ListReportMenu(int index);
  bool mclsMainControl_ListEditMenu(int index) { return ListEditMenu(index); }
  bool mclsMainControl_ToolRefresh() { return ToolRefresh(); }

  // The list installs its own commands (list_commands.h) when it is first shown; a hook set
  // later replaces them, InstallListCommands puts them in front of it again.
  void SetCommandHook(CommandHook hook) { hook_ = std::move(hook); }
  const CommandHook& Hook() const { return hook_; }

  // What the batch dialog and the status operations reuse from the last fill: the voucher
  // conditions (organisation scope to the fixed conditions), the filter and quick find, the
  // makers the list is restricted to (empty: any), whether item rights restricted it and the
  // key of its work tables, and the query text that ran.
  const std::string& ScopeConditions() const { return scope_; }
  const std::string& UserConditions() const { return conditions_; }
  const std::vector<long>& MakerOperators() const { return makers_; }
  bool RightsRestricted() const { return !dimensions_.empty(); }
  long WorkKey() const { return work_key_; }
  const std::string& LastQuery() const { return last_query_; }
  // The condition over Voucher that keeps the vouchers whose every line the operator may see,
  // read from the last fill's work tables; "" when item rights did not restrict the list.
  virtual std::string PermittedCondition() const { return std::string(); }

 protected:
  // The item-rights dimensions that restrict the current operator (none for an administrator).
  std::vector<const RightsDimension*> ActiveDimensions() const;

  // Item rights on a fill over `scope` (`dimensions` never empty). A list read in steps keeps
  // `query` to the permitted vouchers by RightsCondition, and fills the work tables (the line
  // counts behind those vouchers) in FillWorkTables once the rows are read, or before the
  // chunks when FillsKeyTable (a read that is not stepwise then reads the chunks in the fill's
  // transaction). A list read in one step may instead fill them here, in the read's
  // transaction, and restrict `query` by them.
  virtual void PrepareRights(const std::string& scope,
                             const std::vector<const RightsDimension*>& dimensions,
                             ListQuery& query);
  virtual void FillWorkTables(const std::string& /*scope*/,
                              const std::vector<const RightsDimension*>& /*dimensions*/) {}
  // Whether the rows may be read a slice at a time (ListReader): a list whose query is not over
  // vouchers of one basis reads them in one step.
  virtual bool ReadsInSteps() const { return true; }
  // Whether FillWorkTables writes the key table VoucherListRightTmp: then a read in chunks fills
  // the work tables first (after the first screen, when read stepwise) and the chunks that follow
  // keep to the key table instead of RightsCondition.
  virtual bool FillsKeyTable() const { return false; }
  // Empties this list's rows of the work tables.
  virtual void ClearWorkTables() = 0;
  // The list's own restriction, added to the voucher conditions.
  virtual std::string FixedCondition() const { return std::string(); }
  virtual bool StampedOnly() const;
  virtual bool BasisTieBreaker() const { return true; }
  // The text of a fill. `query.scope` holds the voucher conditions over Voucher; a list of other
  // rows (voucher pairs) words its own from the list's state.
  virtual std::string QueryText(const ListQuery& query) const { return SelectText(query); }
  // Opens the window for a new voucher once the period is known to be open.
  virtual bool ShowNewVoucherWindow();
  virtual std::vector<MenuItem> BuildMenu() const = 0;

  // Menu entries for the given (index, caption, action) triples, placeholders elsewhere.
  struct MenuEntry {
    int index;
    const char* caption;
    ListAction action;
  };
  static std::vector<MenuItem> MenuOf(std::span<const MenuEntry> entries);

  ListState state_;
  long work_key_ = 0;

 private:
  bool HandleOwn(ListAction action, bool& handled);
  bool OpenSelected();
  bool NewVoucher();
  bool ShowAll();
  bool EditFilter();
  bool OpenLinkedReversal();
  bool OpenVoucher(long voucher_id, long line_id);
  struct Read;
  // The voucher conditions, the date range apart: they go before and after it.
  std::pair<std::string, std::string> BuildScope(std::vector<long>& makers) const;
  std::unique_ptr<Read> StartRead();
  void WriteWorkTables(Read& read);
  // Before the chunks: true when it wrote the work tables and restricted the chunks to them.
  bool WritesWorkTablesFirst(const Read& read) const;
  bool WriteWorkTablesFirst(Read& read);
  void StopReading();
  std::vector<long> ReadMakers() const;
  void DefaultDates();
  void UpdateHeaders();
  void UpdateMenu();
  void ShowError(const std::exception& error);

  std::string window_name_;
  std::string title_;
  long list_id_;
  host::HostMainWindow* main_window_ = nullptr;
  CommandHook hook_;
  bool commands_installed_ = false;
  std::vector<ColumnDef> configured_;
  std::string scope_;
  std::string conditions_;
  std::vector<long> makers_;
  std::vector<const RightsDimension*> dimensions_;
  std::string last_query_;

  // A stepwise read whose first rows are shown: its reader and what it was started with.
  struct Read {
    std::unique_ptr<ListReader> reader;
    std::string scope;
    std::string conditions;
    std::vector<long> makers;
    std::vector<const RightsDimension*> dimensions;
    bool tables_written = false;
  };
  std::unique_ptr<Read> read_;
  bool stepwise_ = false;
};

}  // namespace lumvoucher::lists
