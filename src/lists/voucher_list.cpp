#include "lists/voucher_list.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <utility>

#include "frame/live_reversal.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/window_registry.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "lists/grid_cells.h"
#include "lists/list_columns.h"
#include "lists/list_commands.h"
#include "lists/list_reader.h"
#include "lists/list_texts.h"
#include "lists/list_work_tables.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::lists {

namespace {

using frame::SqlNumber;

constexpr const char* kTitleInformation = "提示信息";

// The always-added columns after the configured ones: the row key, the void mark, the line and
// the basis.
constexpr const char* kIdColumn = "id";
constexpr const char* kLineColumn = "lngVoucherDetailID";
constexpr const char* kBasisColumn = "凭证类型ID";

bool IsTrue(std::string_view value) {
  return value == "True" || value == "TRUE" || value == "true" || value == "1";
}

// Code points of UTF-8 text, so that "?" stands for one character, not one byte.
std::u32string Decode(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    ++i;
    for (; extra > 0 && i < text.size(); --extra, ++i) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    out.push_back(cp);
  }
  return out;
}

// The find button's pattern: "*" any run, "?" one character, everything else itself.
bool Matches(std::u32string_view text, std::u32string_view pattern) {
  std::size_t t = 0, p = 0, star = std::u32string_view::npos, mark = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == text[t])) {
      ++t;
      ++p;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      star = p++;
      mark = t;
    } else if (star != std::u32string_view::npos) {
      p = star + 1;
      t = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

}  // namespace

bool BatchReviewForbidden() {
  const std::string value = frame::ReadSetting("单据号", "禁止成批复核凭证");
  return !value.empty() && value != "0" && value != "False" && value != "FALSE" && value != "false";
}

int BatchMode(ListAction action) {
  switch (action) {
    case ListAction::kBatchReview:
      return 0;
    case ListAction::kBatchCancelReview:
      return 1;
    case ListAction::kBatchPost:
      return 2;
    case ListAction::kBatchCancelPost:
      return 3;
    case ListAction::kBatchSign:
      return 4;
    case ListAction::kBatchCancelSign:
      return 5;
    case ListAction::kBatchDelete:
      return 6;
    default:
      return -1;
  }
}

VoucherList::VoucherList(std::string window_name, std::string title, long list_id)
    : window_name_(std::move(window_name)), title_(std::move(title)), list_id_(list_id) {
  state_.title = title_;
}

VoucherList::~VoucherList() = default;

host::HostMainWindow* VoucherList::SetUp(host::HostMainWindow* main_window, long lngFlag) {
  main_window_ = main_window;
  state_.flag = lngFlag;
  return main_window_;
}

bool VoucherList::ShowMe() {
  if (!state_.open) {
    try {
      SetFormation();
      DefaultDates();
    } catch (const std::exception& error) {
      ShowError(error);
      return false;
    }
    state_.open = true;
    state_.menu = BuildMenu();
  }
  if (!commands_installed_) {
    InstallListCommands(*this);
    commands_installed_ = true;
  }
  const bool filled = ReMakeData();
  if (main_window_ != nullptr) main_window_->ShowChild(*this);
  return filled;
}

void VoucherList::SetFormation() {
  configured_ = ConfiguredColumns(list_id_);
  state_.columns.clear();
  const std::string code = frame::Context().AccountingSystemCode();
  for (const ColumnDef& def : configured_) {
    ListColumn column;
    column.caption = def.caption;
    column.expression = SwapCarryForward(def.expression, code);
    column.quick_find = def.quick_find;
    SortKey key;
    column.sortable = SortKeyOfCaption(def.caption, key);
    state_.columns.push_back(std::move(column));
  }
  state_.columns.push_back({kIdColumn, kIdColumn, "Voucher.lngVoucherID", false, false, false});
  state_.columns.push_back({texts::kVoidCaption, texts::kVoidCaption,
                            "decode(Voucher.blnIsVoid,1,'√','')", true, false, false});
  state_.columns.push_back(
      {kLineColumn, kLineColumn, "VoucherDetail.lngVoucherDetailID", false, false, false});
  state_.columns.push_back(
      {kBasisColumn, kBasisColumn, "Voucher.lngVoucherBaseID", false, false, false});
  state_.quick_find_column = -1;
  state_.quick_find_text.clear();
  StopReading();
  state_.rows.clear();
  ++state_.generation;
  state_.selected_row = -1;
  UpdateHeaders();
}

void VoucherList::DefaultDates() {
  const host::LoginContext& login = frame::Context();
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select strStartDate,strEndDate From AccountPeriod Where lngOrganizationID=" +
      SqlNumber(frame::OrganizationId()) + " And intYear=" + SqlNumber(login.LoginYear()) +
      " And bytPeriod=" + SqlNumber(login.LoginPeriod()));
  if (!rs.Empty()) {
    state_.filter.date_from = rs["strStartDate"].AsText();
    state_.filter.date_to = rs["strEndDate"].AsText();
    return;
  }
  // No period row: the calendar month of the login date.
  const std::string date = login.LoginDate();
  state_.filter.date_from = date.substr(0, 8) + "01";
  state_.filter.date_to = date.substr(0, 8) + "31";
}

std::vector<const RightsDimension*> VoucherList::ActiveDimensions() const {
  std::vector<const RightsDimension*> active;
  host::Recordset admin = frame::Data().OpenRecordset(
      "Select blnIsAdmin From Operator Where lngOperatorID=" + SqlNumber(frame::OperatorId()));
  if (!admin.Empty() && admin["blnIsAdmin"].AsBool()) return active;
  for (const RightsDimension& d : RightsDimensions()) {
    if (IsTrue(frame::SettingValue(0, kRightsSection, d.setting_key, "False"))) {
      active.push_back(&d);
    }
  }
  return active;
}

bool VoucherList::StampedOnly() const {
  return frame::Context().StampingEnabled();
}

std::vector<long> VoucherList::ReadMakers() const {
  std::string setting = frame::ReadSetting("凭证权限控制", "凭证列表");
  if (setting.empty() || setting == "-1" || setting == "0") return {};
  const long me = frame::OperatorId();
  if (setting == "1") {
    // Group scope: every operator of the current operator's group.
    host::Recordset group = frame::Data().OpenRecordset(
        "Select lngOperatorGroupID From Operator Where lngOperatorID=" + SqlNumber(me));
    const long group_id = group.Empty() ? 0 : static_cast<long>(group[0].AsLong());
    if (group_id != 0) {
      host::Recordset rs = frame::Data().OpenRecordset(
          "Select lngOperatorID From Operator Where lngOperatorGroupID=" + SqlNumber(group_id) +
          " Order By lngOperatorID");
      std::vector<long> ids;
      for (; !rs.Eof(); rs.MoveNext()) ids.push_back(static_cast<long>(rs[0].AsLong()));
      if (!ids.empty()) return ids;
    }
  }
  return {me};
}

std::pair<std::string, std::string> VoucherList::BuildScope(std::vector<long>& makers) const {
  makers = ReadMakers();
  std::string before = OrganizationScope(frame::OrganizationId());
  before += MakerRestriction(makers);
  if (!state_.show_all) before += kVoidExcluded;
  before += BasisCondition(state_.basis);
  std::string after;
  if (StampedOnly()) after += kStampedOnly;
  after += FixedCondition();
  return {std::move(before), std::move(after)};
}

std::unique_ptr<VoucherList::Read> VoucherList::StartRead() {
  auto read = std::make_unique<Read>();
  ListReader::Plan plan;
  plan.rows.columns = configured_;
  plan.rows.sort = state_.sort;
  plan.rows.basis_tie_breaker = BasisTieBreaker();
  std::tie(plan.scope_before_dates, plan.scope_after_dates) = BuildScope(read->makers);
  // A list that words its own query reads the makers from here.
  makers_ = read->makers;
  plan.date_range = DateRange(state_.filter.date_from, state_.filter.date_to);
  read->scope = plan.scope_before_dates + plan.date_range + plan.scope_after_dates;
  read->conditions = FilterClause(state_.filter.condition);
  if (state_.quick_find_column >= 0) {
    read->conditions += QuickFindCondition(
        state_.columns.at(static_cast<std::size_t>(state_.quick_find_column)).expression,
        state_.quick_find_text);
  }
  read->dimensions = ActiveDimensions();
  plan.rows.scope = read->scope;
  plan.rows.conditions = read->conditions;
  if (!read->dimensions.empty()) PrepareRights(read->scope, read->dimensions, plan.rows);
  plan.text = [this](const ListQuery& query) { return QueryText(query); };
  plan.in_one_step = !ReadsInSteps();
  // Only the date order can be read a slice of dates at a time.
  if (state_.sort.key == SortKey::kDate && ReadsInSteps()) {
    plan.key_slices =
        DateSlices(state_.filter.date_from, state_.filter.date_to, state_.sort.descending);
  }
  plan.code = frame::Context().AccountingSystemCode();
  read->reader = std::make_unique<ListReader>(std::move(plan));
  return read;
}

void VoucherList::PrepareRights(const std::string&,
                                const std::vector<const RightsDimension*>& dimensions,
                                ListQuery& query) {
  query.restriction = RightsCondition(dimensions, frame::OperatorId(), frame::OrganizationId());
}

bool VoucherList::ReMakeData() {
  std::unique_ptr<Read> read;
  std::vector<host::Recordset::Row> rows;
  try {
    host::DataAccess& data = frame::Data();
    if (!ReadsInSteps()) {
      // The work tables and the rows are read in one transaction, so that another desktop's
      // fill under the same key cannot slip between them.
      host::TransactionGuard guard(data, host::Durability::kScratch);
      read = StartRead();
      if (read->dimensions.empty() && work_key_ != 0) ClearWorkTables();
      while (!read->reader->Done()) read->reader->Step(data, rows);
      guard.Commit();
    } else {
      read = StartRead();
      const bool stepwise =
          stepwise_ || (main_window_ != nullptr && main_window_->ShowsRowsAsTheyCome());
      if (stepwise) {
        while (!read->reader->Done() && rows.size() < kFirstScreenRows) {
          read->reader->Step(data, rows);
        }
        if (read->reader->Done()) WriteWorkTables(*read);
      } else if (WritesWorkTablesFirst(*read)) {
        // The work tables and the rows read through them in one transaction: a failed read
        // leaves the tables as they were, and the rows are those the tables count.
        host::TransactionGuard guard(data, host::Durability::kScratch);
        WriteWorkTablesFirst(*read);
        while (!read->reader->Done()) read->reader->Step(data, rows);
        guard.Commit();
      } else {
        while (!read->reader->Done()) read->reader->Step(data, rows);
        WriteWorkTables(*read);
      }
    }
  } catch (const std::exception& error) {
    ShowError(error);
    return false;
  }
  scope_ = read->scope;
  conditions_ = read->conditions;
  makers_ = read->makers;
  dimensions_ = read->dimensions;
  last_query_ = read->reader->QueryText();
  state_.rows = std::move(rows);
  ++state_.generation;
  state_.reading = !read->reader->Done();
  read_ = state_.reading ? std::move(read) : nullptr;
  if (state_.selected_row >= static_cast<int>(state_.rows.size())) state_.selected_row = -1;
  if (state_.selected_row < 0 && !state_.rows.empty()) state_.selected_row = 0;
  UpdateMenu();
  return true;
}

bool VoucherList::ReadMore() {
  if (!read_) return false;
  try {
    if (!read_->reader->Done()) {
      if (!WriteWorkTablesFirst(*read_)) read_->reader->Step(frame::Data(), state_.rows);
      return true;
    }
    WriteWorkTables(*read_);
    StopReading();
  } catch (const std::exception& error) {
    StopReading();
    state_.rows.clear();
    ++state_.generation;
    state_.selected_row = -1;
    try {
      if (work_key_ != 0) {
        host::TransactionGuard guard(frame::Data(), host::Durability::kScratch);
        ClearWorkTables();
        guard.Commit();
      }
    } catch (const std::exception&) {
      // The error below is the one to show; the next fill under this key starts afresh.
    }
    ShowError(error);
  }
  UpdateMenu();
  return false;
}

void VoucherList::ReadAll() {
  while (ReadMore()) {
  }
}

void VoucherList::WriteWorkTables(Read& read) {
  if (read.tables_written || (read.dimensions.empty() && work_key_ == 0)) return;
  host::TransactionGuard guard(frame::Data(), host::Durability::kScratch);
  if (read.dimensions.empty()) {
    ClearWorkTables();
  } else {
    FillWorkTables(read.scope, read.dimensions);
  }
  guard.Commit();
  read.tables_written = true;
}

bool VoucherList::WritesWorkTablesFirst(const Read& read) const {
  return !read.tables_written && !read.dimensions.empty() && FillsKeyTable() &&
         read.reader->InChunks();
}

bool VoucherList::WriteWorkTablesFirst(Read& read) {
  if (!WritesWorkTablesFirst(read)) return false;
  WriteWorkTables(read);
  read.reader->KeepVouchers(KeyTableVouchers(work_key_));
  return true;
}

void VoucherList::StopReading() {
  read_.reset();
  state_.reading = false;
}

void VoucherList::FormUnload() {
  StopReading();
  try {
    if (work_key_ != 0) {
      host::TransactionGuard guard(frame::Data(), host::Durability::kScratch);
      ClearWorkTables();
      guard.Commit();
    }
  } catch (const std::exception&) {
    // Closing goes on; the next fill under this key empties the rows first.
  }
  state_.rows.clear();
  ++state_.generation;
  state_.selected_row = -1;
  state_.open = false;
}

void VoucherList::UpdateHeaders() {
  for (ListColumn& column : state_.columns) {
    column.header = column.caption;
    SortKey key;
    if (column.sortable && SortKeyOfCaption(column.caption, key) && key == state_.sort.key) {
      column.header += state_.sort.descending ? texts::kDescendingMark : texts::kAscendingMark;
    }
  }
}

bool VoucherList::SortByColumn(int column) {
  if (column < 0 || column >= static_cast<int>(state_.columns.size())) return false;
  const ListColumn& clicked = state_.columns[static_cast<std::size_t>(column)];
  SortKey key;
  if (!clicked.sortable || !SortKeyOfCaption(clicked.caption, key)) return false;
  if (key == state_.sort.key) {
    state_.sort.descending = !state_.sort.descending;
  } else {
    state_.sort = SortOrder{key, false};
  }
  UpdateHeaders();
  return ReMakeData();
}

bool VoucherList::QuickFind(int column, std::string_view value) {
  if (value.empty()) {
    state_.quick_find_column = -1;
    state_.quick_find_text.clear();
    return ReMakeData();
  }
  if (column < 0 || column >= static_cast<int>(state_.columns.size()) ||
      !state_.columns[static_cast<std::size_t>(column)].quick_find) {
    return false;
  }
  state_.quick_find_column = column;
  state_.quick_find_text = std::string(value);
  return ReMakeData();
}

int VoucherList::FindNext(int column, std::string_view value) {
  ReadAll();
  const int count = static_cast<int>(state_.rows.size());
  if (column < 0 || column >= static_cast<int>(state_.columns.size()) || count == 0) return -1;
  const std::u32string pattern = Decode("*" + std::string(value) + "*");
  for (int step = 1; step <= count; ++step) {
    const int row = (state_.selected_row + step + count) % count;
    if (Matches(Decode(CellText(row, column)), pattern)) {
      SelectRow(row);
      return row;
    }
  }
  return -1;
}

void VoucherList::SelectRow(int row) {
  state_.selected_row = row >= 0 && row < static_cast<int>(state_.rows.size()) ? row : -1;
  UpdateMenu();
}

int VoucherList::ColumnIndex(std::string_view caption) const {
  return ColumnIndexOf(state_.columns, caption);
}

std::string VoucherList::CellText(int row, int column) const {
  return CellTextOf(
      state_.rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)));
}

long VoucherList::SelectedVoucherID() const {
  const int column = ColumnIndex(kIdColumn);
  if (state_.selected_row < 0 || column < 0) return 0;
  return static_cast<long>(state_.rows.at(static_cast<std::size_t>(state_.selected_row))
                               .at(static_cast<std::size_t>(column))
                               .AsLong());
}

long VoucherList::SelectedLineID() const {
  const int column = ColumnIndex(kLineColumn);
  if (state_.selected_row < 0 || column < 0) return 0;
  return static_cast<long>(state_.rows.at(static_cast<std::size_t>(state_.selected_row))
                               .at(static_cast<std::size_t>(column))
                               .AsLong());
}

std::vector<MenuItem> VoucherList::MenuOf(std::span<const MenuEntry> entries) {
  int last = 0;
  for (const MenuEntry& entry : entries) last = std::max(last, entry.index);
  std::vector<MenuItem> menu;
  for (int i = 0; i <= last; ++i)
    menu.push_back({i, texts::kMenuSeparator, ListAction::kNone, false, false, false});
  for (const MenuEntry& entry : entries) {
    menu[static_cast<std::size_t>(entry.index)] = {entry.index, entry.caption, entry.action,
                                                   true,        true,          false};
  }
  return menu;
}

void VoucherList::UpdateMenu() {
  const bool selected = state_.selected_row >= 0;
  for (MenuItem& item : state_.menu) {
    switch (item.action) {
      case ListAction::kOpen:
      case ListAction::kSign:
      case ListAction::kReverse:
      case ListAction::kLinkedReversal:
      case ListAction::kVoid:
      case ListAction::kPost:
      case ListAction::kCashFlow:
      case ListAction::kMemo:
        item.enabled = selected;
        break;
      case ListAction::kShowAll:
        item.checked = state_.show_all;
        break;
      default:
        break;
    }
  }
}

bool VoucherList::ListEditMenu(int index) {
  if (index < 0 || index >= static_cast<int>(state_.menu.size())) return false;
  const MenuItem& item = state_.menu[static_cast<std::size_t>(index)];
  if (!item.visible || !item.enabled) return false;
  return RunAction(item.action);
}

bool VoucherList::mclsMainControl_ListReportMenu(int index) {
  if (index == 0) return RunAction(ListAction::kAccountSummary);
  if (index == 1) return RunAction(ListAction::kVoucherSummary);
  return false;
}

bool VoucherList::RunAction(ListAction action) {
  bool handled = false;
  const bool result = HandleOwn(action, handled);
  if (handled) return result;
  if (action == ListAction::kNone || !hook_) return false;
  ReadAll();
  if (!hook_(*this, action)) return false;
  ReMakeData();
  return true;
}

bool VoucherList::HandleOwn(ListAction action, bool& handled) {
  handled = true;
  switch (action) {
    case ListAction::kOpen:
      return OpenSelected();
    case ListAction::kNew:
      return NewVoucher();
    case ListAction::kShowAll:
      return ShowAll();
    case ListAction::kFilter:
      return EditFilter();
    case ListAction::kRefresh:
      return ToolRefresh();
    case ListAction::kLinkedReversal:
      return OpenLinkedReversal();
    default:
      handled = false;
      return false;
  }
}

bool VoucherList::ShowAll() {
  state_.show_all = !state_.show_all;
  UpdateMenu();
  return ReMakeData();
}

bool VoucherList::EditFilter() {
  host::clsFilter* filter = frame::Login().filter;
  if (filter == nullptr) return false;
  host::FilterCondition chosen = state_.filter;
  if (!filter->ShowFilter(list_id_, title_, chosen)) return false;
  // A dialog that leaves a date out keeps the list's own.
  if (chosen.date_from.empty()) chosen.date_from = state_.filter.date_from;
  if (chosen.date_to.empty()) chosen.date_to = state_.filter.date_to;
  // A condition the database refuses is not kept: the next refresh would refuse it again.
  if (chosen.show_void) state_.show_all = true;
  host::FilterCondition previous = std::exchange(state_.filter, std::move(chosen));
  if (ReMakeData()) return true;
  state_.filter = std::move(previous);
  ReMakeData();
  return false;
}

bool VoucherList::OpenSelected() {
  const long id = SelectedVoucherID();
  if (id == 0) return false;
  try {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select VOUCHERTYPE.STRVOUCHERTYPECODE  ||  ' '  ||  "
        "TO_CHAR(VOUCHER.INTVOUCHERNO,'000000') "
        "as Nun,lngPostID,lngCheckerID,Voucher.lngVoucherBaseID as lngAccountTypeBaseID"
        " From VoucherView Voucher,VoucherTypeView VoucherType"
        " Where Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID And Voucher.lngVoucherID=" +
        SqlNumber(id));
    // A budget voucher belongs to the paired window, which this list does not open.
    if (!rs.Empty() && rs["lngAccountTypeBaseID"].AsLong() != 1) return false;
  } catch (const std::exception& error) {
    ShowError(error);
    return false;
  }
  return OpenVoucher(id, SelectedLineID());
}

bool VoucherList::OpenVoucher(long voucher_id, long line_id) {
  ReadAll();
  voucher::frmVoucher& window = frame::WindowRegistry::Get<voucher::frmVoucher>();
  if (!window.ShowAOldBill(voucher_id, line_id, false)) return false;
  // 上张 and 下张 then follow the list.
  window.SetBrowseOrder(VoucherIDs());
  return true;
}

std::vector<long> VoucherList::VoucherIDs() const {
  std::vector<long> ids;
  const int column = ColumnIndex(kIdColumn);
  if (column < 0) return ids;
  for (const host::Recordset::Row& row : state_.rows) {
    const long id = static_cast<long>(row.at(static_cast<std::size_t>(column)).AsLong());
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  }
  return ids;
}

bool VoucherList::NewVoucher() {
  try {
    const host::LoginContext& login = frame::Context();
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select blnIsClosed From AccountPeriod Where lngOrganizationID=" +
        SqlNumber(frame::OrganizationId()) + " And intYear=" + SqlNumber(login.LoginYear()) +
        " And bytPeriod=" + SqlNumber(login.LoginPeriod()));
    if (!rs.Empty() && rs["blnIsClosed"].AsBool()) {
      frame::Msg(texts::kClosedPeriodNew, host::mb::kExclamation, kTitleInformation);
      return false;
    }
  } catch (const std::exception& error) {
    ShowError(error);
    return false;
  }
  return ShowNewVoucherWindow();
}

bool VoucherList::ShowNewVoucherWindow() {
  return frame::WindowRegistry::Get<voucher::frmVoucher>().mclsMainControl_EditNew();
}

bool VoucherList::OpenLinkedReversal() {
  const long id = SelectedVoucherID();
  if (id == 0) return false;
  long linked = 0;
  try {
    host::DataAccess& data = frame::Data();
    host::Recordset own = data.OpenRecordset(
        "Select lngSourceVoucherID,lngVoucherSourceID From Voucher Where lngVoucherID=" +
        SqlNumber(id));
    // Source 16 names a transfer, not a reversed voucher.
    if (!own.Empty() && own["lngVoucherSourceID"].AsLong() != 16) {
      linked = static_cast<long>(own["lngSourceVoucherID"].AsLong());
    }
    if (linked == 0) {
      host::Recordset by = data.OpenRecordset(frame::LiveReversalsSql(id));
      if (!by.Empty()) linked = static_cast<long>(by[0].AsLong());
    }
  } catch (const std::exception& error) {
    ShowError(error);
    return false;
  }
  if (linked == 0) {
    frame::Msg(texts::kNoLinkedReversal, host::mb::kInformation, texts::kLinkedReversalTitle);
    return false;
  }
  return OpenVoucher(linked, 0);
}

void VoucherList::ShowError(const std::exception& error) {
  frame::Msg(error.what(), host::mb::kCritical, title_);
}

}  // namespace lumvoucher::lists
