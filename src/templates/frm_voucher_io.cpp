#include "templates/frm_voucher_io.h"

#include <algorithm>
#include <map>
#include <optional>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/window_registry.h"
#include "host/calendar_date.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "templates/external_checker.h"
#include "templates/external_import.h"
#include "templates/external_posting.h"
#include "templates/external_store.h"
#include "templates/interface_standards.h"
#include "templates/templates_texts.h"
#include "voucher/frm_voucher.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::templates {

namespace {

namespace mb = host::mb;
using frame::SqlText;

std::string N(long value) {
  return std::to_string(value);
}

int ShowError(const std::string& text) {
  return frame::Msg(text, mb::kCritical, texts::kIOFunction);
}

std::string Amount(double value, int decimals) {
  return value == 0 ? std::string() : voucher::FormatFixed(value, decimals);
}

bool Numeric(const std::string& field) {
  return field.rfind("dbl", 0) == 0 || field.rfind("int", 0) == 0 || field.rfind("lng", 0) == 0;
}

std::string StripSortMark(std::string caption) {
  for (const char* mark : {texts::kSortUp, texts::kSortDown}) {
    const std::string m = mark;
    if (caption.size() >= m.size() &&
        caption.compare(caption.size() - m.size(), m.size(), m) == 0) {
      caption.resize(caption.size() - m.size());
    }
  }
  return caption;
}

// The code kind a column's field holds (0 the flexible codes), -1 for other fields.
int KindOfField(const std::string& field) {
  if (field == "strFlexibleCode") return 0;
  for (int kind = kKindAccount; kind <= kCodeKinds; ++kind) {
    if (field == CodeColumn(kind)) return kind;
  }
  return -1;
}

// The field of a staged line a column shows, as text.
std::string FieldText(const ExternalLine& l, const std::string& field, int decimals) {
  if (const int kind = KindOfField(field); kind > 0) return l.codes[kind];
  if (field == "strExternalKey") return l.key;
  if (field == "strDate") return l.date;
  if (field == "strRemark") return l.remark;
  if (field == "dblDebit") return Amount(l.Debit(), decimals);
  if (field == "dblCredit") return Amount(l.Credit(), decimals);
  if (field == "dblCurrencyAmount") return Amount(l.currency_amount, decimals);
  if (field == "dblRate") return l.rate == 0 ? std::string() : voucher::FormatPlain(l.rate);
  if (field == "dblQuantity")
    return l.quantity == 0 ? std::string() : voucher::FormatPlain(l.quantity);
  if (field == "dblPrice") return l.price == 0 ? std::string() : voucher::FormatPlain(l.price);
  if (field == "strFlexibleCode") return l.flexible;
  if (field == "strCheckNumber") return l.check_number;
  if (field == "intNumber") return N(l.attachments);
  if (field == "strVoucherNo") return l.voucher_no;
  if (field == "strSourceFile") return l.source_file;
  if (field == "lngSourceLine") return N(l.source_line);
  return std::string();
}

}  // namespace

std::string frmVoucherIO::WindowName() const {
  return texts::kIOWindowName;
}

std::string frmVoucherIO::Standard() const {
  return state_.standards.empty() ? std::string(texts::kSampleStandard)
                                  : state_.standards[static_cast<std::size_t>(state_.standard)];
}

bool frmVoucherIO::ShowMe(const std::string& strIniFile) {
  try {
    if (frame::IsDualBasis()) return false;
    if (!frame::Login().business_pub->HasRight(texts::kIORight)) {
      frame::Msg(texts::kNoIORight, mb::kExclamation, texts::kIOFunction);
      return false;
    }
    state_.ini_path = IniPath(strIniFile);
    const host::ProfileContents ini = frame::Login().base_class->Profiles().Read(state_.ini_path);
    if (ini.bad_line > 0) {
      frame::Msg(frame::FormatText(texts::kIniBadLine, {state_.ini_path, N(ini.bad_line)}),
                 mb::kExclamation, texts::kIOFunction);
    }
    const std::string previous = state_.standards.empty() ? std::string() : Standard();
    state_.standards = StandardNames(ini);
    auto kept = std::find(state_.standards.begin(), state_.standards.end(), previous);
    state_.standard =
        kept == state_.standards.end() ? 0 : static_cast<int>(kept - state_.standards.begin());
    const std::string option = frame::Login().base_class->Preferences().GetSetting(
        texts::kSettingSection, texts::kSettingKey, texts::kDateFromData);
    state_.date_from_data = option != texts::kDateChosen;
    if (state_.chosen_date.empty()) state_.chosen_date = frame::Context().LoginDate();
    if (!Refresh()) return false;
    state_.open = true;
  } catch (const host::DatabaseError& e) {
    ShowError(e.what());
    return false;
  }
  if (host::HostMainWindow* main = frame::Login().main_window) {
    main->ShowChild(*this);
    main->ChildActive();
  }
  return true;
}

bool frmVoucherIO::SelectStandard(int index) {
  if (index < 0 || index >= static_cast<int>(state_.standards.size())) return false;
  state_.standard = index;
  return Refresh();
}

bool frmVoucherIO::Refresh() {
  try {
    if (!LoadColumns()) return false;
    ReadRows();
  } catch (const host::DatabaseError& e) {
    ShowError(e.what());
    return false;
  }
  return true;
}

bool frmVoucherIO::LoadColumns() {
  host::DataAccess& data = frame::Data();
  const std::string op = N(frame::OperatorId());
  const std::string org = N(frame::OrganizationId());
  const std::string view = N(texts::kIOView);
  host::Recordset list =
      data.OpenRecordset("SELECT lngListID FROM List WHERE lngViewID=" + view +
                         " AND lngOperatorID=" + op + " AND lngOrganizationID=" + org);
  if (list.Empty()) {
    // The operator's first use: his list copies the view's fields.
    host::TransactionGuard guard(data);
    host::LoginContext& login = frame::Context();
    state_.list_id = login.NextId("List");
    data.Execute(
        "INSERT INTO List (lngListID,lngViewId,strListName,lngOperatorID,"
        "lngOrganizationID) VALUES (" +
        N(state_.list_id) + "," + view + "," + SqlText(texts::kIOWindowName) + "," + op + "," +
        org + ")");
    for (host::Recordset fields = data.OpenRecordset(
             "Select * from ViewField Where  lngViewId = " + view + " ORDER BY lngViewFieldNo");
         !fields.Eof(); fields.MoveNext()) {
      data.Execute(
          "INSERT INTO ListField (lngListFieldID,lngListID,lngViewFieldID,lngListFieldNO,"
          "strListFieldDesc,bytSort,intSize,lngDisplayWidth,blnIsChoosed) VALUES (" +
          N(login.NextId("ListField")) + "," + N(state_.list_id) + "," +
          N(static_cast<long>(fields["lngViewFieldID"].AsLong())) + "," +
          N(static_cast<long>(fields["lngViewFieldNO"].AsLong())) + "," +
          SqlText(fields["strViewFieldDesc"].AsText()) + "," +
          N(static_cast<long>(fields["bytSort"].AsLong())) + "," +
          N(static_cast<long>(fields["intSize"].AsLong())) + "," +
          N(static_cast<long>(fields["lngDisplayWidth"].AsLong())) + "," +
          N(static_cast<long>(fields["blnIsChoosed"].AsLong())) + ")");
    }
    guard.Commit();
  } else {
    state_.list_id = static_cast<long>(list["lngListID"].AsLong());
  }
  std::map<long, std::string> field_names;
  state_.all_columns.clear();
  for (host::Recordset all = data.OpenRecordset(
           "SELECT ListField.lngListFieldID,ListField.strListFieldDesc,ListField.lngDisplayWidth,"
           "ListField.blnIsChoosed,ViewField.strFieldName FROM ListField,ViewField WHERE "
           "ListField.lngViewFieldID = ViewField.lngViewFieldID AND ListField.lngListID=" +
           N(state_.list_id) + " ORDER BY ListField.lngListFieldNO");
       !all.Eof(); all.MoveNext()) {
    IOColumn c;
    c.list_field_id = static_cast<long>(all["lngListFieldID"].AsLong());
    c.field = all["strFieldName"].AsText();
    c.caption = all["strListFieldDesc"].AsText();
    c.width = static_cast<int>(all["lngDisplayWidth"].AsLong());
    c.chosen = all["blnIsChoosed"].AsBool();
    field_names[c.list_field_id] = c.field;
    state_.all_columns.push_back(std::move(c));
  }
  std::vector<IOColumn> columns;
  for (host::Recordset rs = data.OpenRecordset(
           "SELECT ListField.strListFieldDesc, ListField.lngListFieldNO, ViewField.lngViewFieldNO,"
           " ListField.blnIsChoosed, ListField.lngDisplayWidth,ListField.lngListFieldID "
           " FROM List,ListField,ViewField "
           " WHERE List.lngListID = ListField.lngListID "
           " AND ListField.lngViewFieldID = ViewField.lngViewFieldID "
           " AND ListField.blnIsChoosed=1 "
           " AND List.lngViewID=" +
           view + " AND List.lngOperatorID=" + op + " AND List.Lngorganizationid=" + org +
           " ORDER BY ListField.lngListFieldNO Desc");
       !rs.Eof(); rs.MoveNext()) {
    IOColumn c;
    c.list_field_id = static_cast<long>(rs["lngListFieldID"].AsLong());
    c.field = field_names[c.list_field_id];
    c.caption = rs["strListFieldDesc"].AsText();
    c.width = static_cast<int>(rs["lngDisplayWidth"].AsLong());
    columns.push_back(std::move(c));
  }
  // Read from the last column to the first, as the grid inserts each one in front.
  std::reverse(columns.begin(), columns.end());
  state_.columns = std::move(columns);
  state_.sort_column = -1;
  return true;
}

void frmVoucherIO::ReadRows() {
  std::vector<IORow> rows;
  for (ExternalLine& line : ReadStaged(Standard())) rows.push_back({std::move(line), false});
  state_.rows = std::move(rows);
  ++state_.generation;
}

void frmVoucherIO::WriteBack(long lngRecordKey) {
  auto found = std::find_if(state_.rows.begin(), state_.rows.end(),
                            [&](const IORow& r) { return r.line.id == lngRecordKey; });
  if (found == state_.rows.end()) return;
  const std::string key = found->line.key;
  std::vector<ExternalLine> stored;
  try {
    stored = ReadVoucher(Standard(), key);
  } catch (const host::DatabaseError&) {
    stored.clear();
  }
  for (IORow& row : state_.rows) {
    if (row.line.key != key) continue;
    row.line.posted = true;
    row.line.error.clear();
    row.ticked = false;
    for (const ExternalLine& s : stored) {
      if (s.id == row.line.id) {
        row.line.voucher_id = s.voucher_id;
        row.line.voucher_no = s.voucher_no;
      }
    }
  }
}

void frmVoucherIO::SetTicked(int row, bool on) {
  if (row < 0 || row >= static_cast<int>(state_.rows.size())) return;
  const std::string key = state_.rows[static_cast<std::size_t>(row)].line.key;
  for (IORow& r : state_.rows) {
    if (r.line.key == key && !r.line.posted) r.ticked = on;
  }
}

void frmVoucherIO::TickAll(bool on) {
  for (IORow& r : state_.rows) r.ticked = on && !r.line.posted;
}

void frmVoucherIO::SetDateFromData(bool from_data) {
  state_.date_from_data = from_data;
  frame::Login().base_class->Preferences().SaveSetting(
      texts::kSettingSection, texts::kSettingKey,
      from_data ? texts::kDateFromData : texts::kDateChosen);
}

bool frmVoucherIO::SetChosenDate(const std::string& text) {
  const std::string date = host::CalendarDate(text);
  if (date.empty()) return false;
  state_.chosen_date = date;
  return true;
}

bool frmVoucherIO::ImportFile(const std::string& path) {
  std::string problems;
  ImportTotals totals;
  try {
    const host::ProfileContents ini = frame::Login().base_class->Profiles().Read(state_.ini_path);
    std::optional<CsvLayout> layout = LayoutOf(ini, Standard());
    if (!layout) {
      ShowError(frame::FormatText(texts::kNoStandard, {Standard()}));
      return false;
    }
    ImportOptions options;
    options.post = false;
    int shown = 0;
    options.issue = [&](const ImportIssue& issue) {
      // One message holds the first problems; the rows show the rest.
      if (++shown > 20) return;
      problems += issue.file + "(" + N(issue.line) + "): " + issue.text + "\n";
    };
    totals = templates::ImportFile(path, *layout, options);
  } catch (const host::DatabaseError& e) {
    ShowError(e.what());
    return false;
  }
  Refresh();
  if (!problems.empty()) frame::Msg(problems, mb::kExclamation, texts::kIOFunction);
  return !totals.file_error;
}

bool frmVoucherIO::CheckData() {
  return RunChecks().value_or(false);
}

std::optional<bool> frmVoucherIO::RunChecks() {
  bool clean = true;
  try {
    ExternalChecker checker;
    std::map<std::string, std::vector<std::size_t>> vouchers;
    for (std::size_t i = 0; i < state_.rows.size(); ++i) {
      if (!state_.rows[i].line.posted) vouchers[state_.rows[i].line.key].push_back(i);
    }
    std::vector<ExternalLine> checked;
    for (auto& [key, indexes] : vouchers) {
      std::vector<ExternalLine> lines;
      for (std::size_t i : indexes) lines.push_back(state_.rows[i].line);
      if (!checker.Check(lines)) clean = false;
      for (std::size_t k = 0; k < indexes.size(); ++k) {
        state_.rows[indexes[k]].line.error = lines[k].error;
        checked.push_back(lines[k]);
      }
    }
    host::TransactionGuard guard(frame::Data());
    SaveErrors(checked);
    guard.Commit();
  } catch (const host::DatabaseError& e) {
    ShowError(e.what());
    return std::nullopt;
  }
  return clean;
}

int frmVoucherIO::Post() {
  // Nothing is posted unchecked: a check the database broke off stops the posting.
  if (!RunChecks()) return 0;
  std::vector<std::string> order;
  std::map<std::string, std::vector<ExternalLine>> vouchers;
  std::map<std::string, bool> ticked;
  for (const IORow& r : state_.rows) {
    if (r.line.posted) continue;
    auto [it, first] = vouchers.try_emplace(r.line.key);
    if (first) order.push_back(r.line.key);
    it->second.push_back(r.line);
    ticked[r.line.key] = ticked[r.line.key] || r.ticked;
  }
  std::vector<std::string> chosen;
  for (const std::string& key : order) {
    const std::vector<ExternalLine>& lines = vouchers[key];
    const bool clean = std::all_of(lines.begin(), lines.end(),
                                   [](const ExternalLine& l) { return l.error.empty(); });
    if (ticked[key] && clean) chosen.push_back(key);
  }
  const std::string date = state_.date_from_data ? std::string() : state_.chosen_date;
  int posted = 0;
  try {
    ExternalChecker checker;
    for (const std::string& key : chosen) {
      std::vector<ExternalLine>& lines = vouchers[key];
      std::sort(lines.begin(), lines.end(),
                [](const ExternalLine& a, const ExternalLine& b) { return a.line_no < b.line_no; });
      PostOutcome outcome = PostExternalVoucher(checker, lines, date);
      if (!outcome.written) ShowError(texts::kSaveRefused);
      if (outcome.result != 1) break;
      WriteBack(lines.front().id);
      state_.last_voucher_id = outcome.voucher_id;
      ++posted;
      if (progress_) progress_(posted, static_cast<int>(chosen.size()));
    }
  } catch (const host::DatabaseError& e) {
    ShowError(e.what());
  }
  if (posted > 0) {
    frame::WindowRegistry::Get<voucher::frmVoucher>().ShowAOldBill(state_.last_voucher_id);
  }
  return posted;
}

bool frmVoucherIO::RepairCode(int row, int kind, const std::string& code) {
  if (row < 0 || row >= static_cast<int>(state_.rows.size())) return false;
  if (kind < 0 || kind > kCodeKinds) return false;
  ExternalLine& line = state_.rows[static_cast<std::size_t>(row)].line;
  if (line.posted) return false;
  try {
    templates::RepairCode(line.id, kind, code);
  } catch (const host::DatabaseError& e) {
    ShowError(e.what());
    return false;
  }
  (kind == 0 ? line.flexible : line.codes[kind]) = code;
  line.repaired = true;
  return true;
}

bool frmVoucherIO::ChooseColumns(const std::vector<IOColumn>& chosen) {
  host::DataAccess& data = frame::Data();
  const std::string list = N(state_.list_id);
  try {
    host::TransactionGuard guard(data);
    data.Execute("UPDATE ListField Set blnIsChoosed=0 WHERE lngListID =" + list);
    int n = 0;
    for (const IOColumn& c : chosen) {
      data.Execute("Update ListField" + std::string(" Set lngListFieldNO=") + N(++n) +
                   ",strListFieldDesc=" + SqlText(StripSortMark(c.caption)) +
                   ",lngDisplayWidth=" + N(c.width) + ",blnIsChoosed=1 Where lngListId=" + list +
                   " And lngListFieldId=" + N(c.list_field_id));
    }
    guard.Commit();
  } catch (const host::DatabaseError& e) {
    ShowError(e.what());
    return false;
  }
  return Refresh();
}

bool frmVoucherIO::Editable(int column) const {
  if (column < 0 || column >= static_cast<int>(state_.columns.size())) return false;
  return KindOfField(state_.columns[static_cast<std::size_t>(column)].field) >= 0;
}

bool frmVoucherIO::EditCell(int row, int column, const std::string& text) {
  if (!Editable(column)) return false;
  return RepairCode(row, KindOfField(state_.columns[static_cast<std::size_t>(column)].field), text);
}

void frmVoucherIO::SortBy(int column) {
  if (column < 0 || column >= static_cast<int>(state_.columns.size())) return;
  state_.sort_ascending = state_.sort_column == column ? !state_.sort_ascending : true;
  state_.sort_column = column;
  const std::string field = state_.columns[static_cast<std::size_t>(column)].field;
  const int decimals = frame::Context().AmountDecimals();
  const bool numeric = Numeric(field);
  const bool ascending = state_.sort_ascending;
  std::stable_sort(state_.rows.begin(), state_.rows.end(), [&](const IORow& a, const IORow& b) {
    const std::string x = FieldText(a.line, field, decimals);
    const std::string y = FieldText(b.line, field, decimals);
    bool less = false;
    bool greater = false;
    if (numeric) {
      const double u = x.empty() ? 0 : host::clsBaseClass::TextToDouble(x);
      const double v = y.empty() ? 0 : host::clsBaseClass::TextToDouble(y);
      less = u < v;
      greater = u > v;
    } else {
      less = x < y;
      greater = x > y;
    }
    return ascending ? less : greater;
  });
}

std::string frmVoucherIO::ColumnCaption(int column) const {
  if (column < 0 || column >= static_cast<int>(state_.columns.size())) return std::string();
  std::string caption = state_.columns[static_cast<std::size_t>(column)].caption;
  if (column == state_.sort_column)
    caption += state_.sort_ascending ? texts::kSortUp : texts::kSortDown;
  return caption;
}

std::string frmVoucherIO::CellText(int row, int column) const {
  if (row < 0 || row >= static_cast<int>(state_.rows.size())) return std::string();
  if (column < 0 || column >= static_cast<int>(state_.columns.size())) return std::string();
  return FieldText(state_.rows[static_cast<std::size_t>(row)].line,
                   state_.columns[static_cast<std::size_t>(column)].field,
                   frame::Context().AmountDecimals());
}

std::string frmVoucherIO::MarkText(int row) const {
  if (row < 0 || row >= static_cast<int>(state_.rows.size())) return std::string();
  const IORow& r = state_.rows[static_cast<std::size_t>(row)];
  if (r.line.posted) return texts::kPostedMark;
  return r.ticked ? texts::kTickMark : std::string();
}

std::string frmVoucherIO::StatusText(int row) const {
  if (row < 0 || row >= static_cast<int>(state_.rows.size())) return std::string();
  return state_.rows[static_cast<std::size_t>(row)].line.repaired ? texts::kRepaired
                                                                  : std::string();
}

bool ShowVoucherIO(const std::string& strIniFile) {
  return frame::WindowRegistry::Get<frmVoucherIO>().ShowMe(strIniFile);
}

}  // namespace lumvoucher::templates
