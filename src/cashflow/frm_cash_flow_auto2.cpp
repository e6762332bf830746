#include "cashflow/frm_cash_flow_auto2.h"

#include <algorithm>
#include <map>
#include <set>

#include "cashflow/cash_flow_texts.h"
#include "cashflow/mdl_cash_flow.h"
#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/operation_log.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/cls_business_pub.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::cashflow {

namespace {

using frame::SqlNumber;
namespace mb = host::mb;

constexpr std::size_t kFirstField = 6;  // 自定段01 follows 单位 .. 物品

bool Failed(const host::DatabaseError& error) {
  frame::Msg(error.what(), mb::kCritical, texts::kBatchCaption);
  return false;
}

std::string Trimmed(const host::Value& value) {
  return frame::StringOut(value.AsText(), " ");
}

std::string RowText(int row) {
  return texts::kRow + std::to_string(row);
}

// "Nvl(Max(Account.blnIsCustomer),0)", ... for the 36 auxiliary columns, in their order.
std::string AuxUseColumns() {
  std::string columns;
  for (const char* flag :
       {"Account.blnIsCustomer", "Account.blnIsDepartment", "Account.blnIsEmployee",
        "Account.blnIsClass1", "Account.blnIsClass2", "FlexibleAccountUseField.blnItemUse"}) {
    columns += std::string(columns.empty() ? "" : ",") + "Nvl(Max(" + flag + "),0)";
  }
  for (int i = 1; i <= 30; ++i) {
    columns += ",Nvl(Max(FlexibleAccountUseField.blnFieldUse" + frame::ZeroPad(i, 2) + "),0)";
  }
  return columns;
}

std::array<bool, kAuxColumns> AuxUsed(long voucher_id, int cash) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select " + AuxUseColumns() + " From VoucherDetail, " + AccountView() +
      ", FlexibleAccountUseField Where VoucherDetail.lngAccountID = Account.lngAccountID And "
      "VoucherDetail.lngAccountID = FlexibleAccountUseField.lngAccountID(+) And "
      "FlexibleAccountUseField.lngOrganizationID(+) = " +
      SqlNumber(frame::OrganizationId()) + " And Account.blnIsCash = " + SqlNumber(cash) +
      " And VoucherDetail.lngVoucherID = " + SqlNumber(voucher_id));
  std::array<bool, kAuxColumns> used{};
  for (std::size_t i = 0; i < kAuxColumns && !rs.Empty(); ++i) used[i] = rs[i].AsBool();
  return used;
}

AutoRow RowOf(const AutoLine& line, const char* flow, double amount) {
  AutoRow r;
  r.line = line;
  r.flow = flow;
  r.range = texts::kExternal;
  r.amount = amount;
  return r;
}

const char* OppositeFlow(int direction) {
  // A credit opposite line means cash came in.
  return direction == -1 ? texts::kInflow : texts::kOutflow;
}

}  // namespace

const std::array<std::string, kAuxColumns>& AuxCaptions() {
  static const std::array<std::string, kAuxColumns> captions = [] {
    std::array<std::string, kAuxColumns> c{"单位", "部门", "职员", "统计", "项目", "物品"};
    for (std::size_t i = kFirstField; i < kAuxColumns; ++i) {
      c[i] = "自定段" + frame::ZeroPad(static_cast<std::int64_t>(i - kFirstField + 1), 2);
    }
    return c;
  }();
  return captions;
}

// ---- Opening ---------------------------------------------------------------------------------

void frmCashFlowAuto2::ShowMe(long lngVoucherID, long /*lngOption*/, bool& blnSaved) {
  blnSaved = false;
  try {
    if (!frame::Login().business_pub->HasRight(rights::kAssign)) {
      frame::Msg(OperatorMessage(texts::kNoRight), mb::kExclamation, texts::kTitleCashItem);
      return;
    }
  } catch (const host::DatabaseError& e) {
    Failed(e);
    return;
  }
  if (!Load(lngVoucherID)) return;
  frame::Login().base_class->Modal().RunModal(*this);
  blnSaved = state_.saved;
}

bool frmCashFlowAuto2::Load(long voucher_id) {
  state_ = {};
  state_.caption = texts::kBatchCaption;
  state_.voucher_id = voucher_id;
  try {
    host::DataAccess& data = frame::Data();
    const std::string id = SqlNumber(voucher_id);
    host::Recordset lines = data.OpenRecordset(
        "Select vd.lngVoucherDetailID, vd.lngRowID, vd.strRemark, vd.lngAccountID, "
        "vd.intDirection, vd.dblAmount, Account.strAccountCode || ' ' || Account.strAccountName "
        "As strAccount, Account.blnIsCash, Customer.strCustomerCode || ' ' || "
        "Customer.strCustomerName As strUnit, Department.strDepartmentCode || ' ' || "
        "Department.strDepartmentName As strDepartment, Employee.strEmployeeCode || ' ' || "
        "Employee.strEmployeeName As strEmployee, Class1.strClassCode || ' ' || "
        "Class1.strClassName As strClass1, Class2.strClassCode || ' ' || Class2.strClassName As "
        "strClass2, FlexibleItem.strItemCode || ' ' || FlexibleItem.strItemName As strItem, "
        "FlexibleFieldDetail.intFieldNO, FlexibleFieldDetail.strFieldCode || ' ' || "
        "FlexibleFieldDetail.strFieldName As strField From VoucherDetail vd, " +
        AccountView() +
        ", Customer, Department, Employee, Class1, Class2, FlexibleCheck, FlexibleItem, "
        "FlexibleFieldDetail Where vd.lngAccountID = Account.lngAccountID And vd.lngCustomerID = "
        "Customer.lngCustomerID(+) And vd.lngDepartmentID = Department.lngDepartmentID(+) And "
        "vd.lngEmployeeID = Employee.lngEmployeeID(+) And vd.lngClassID1 = Class1.lngClassID(+) "
        "And vd.lngClassID2 = Class2.lngClassID(+) And vd.strFlexibleId = "
        "FlexibleCheck.strFlexibleID(+) And FlexibleCheck.lngItemID = FlexibleItem.lngItemID(+) "
        "And FlexibleCheck.lngFieldID = FlexibleFieldDetail.lngFieldID(+) And vd.lngVoucherID = " +
        id + " Order By vd.lngRowID");
    for (; !lines.Eof(); lines.MoveNext()) {
      AutoLine l;
      l.line_id = static_cast<long>(lines["lngVoucherDetailID"].AsLong());
      l.row_no = static_cast<long>(lines["lngRowID"].AsLong());
      l.remark = Trimmed(lines["strRemark"]);
      l.account_id = static_cast<long>(lines["lngAccountID"].AsLong());
      l.account_text = Trimmed(lines["strAccount"]);
      l.direction = lines["intDirection"].AsLong() == 1 ? 1 : -1;
      l.amount = lines["dblAmount"].AsDouble();
      std::size_t i = 0;
      for (const char* column :
           {"strUnit", "strDepartment", "strEmployee", "strClass1", "strClass2", "strItem"}) {
        l.aux[i++] = Trimmed(lines[column]);
      }
      const long field = static_cast<long>(lines["intFieldNO"].AsLong());
      if (field >= 1 && field <= 30) {
        l.aux[kFirstField + static_cast<std::size_t>(field) - 1] = Trimmed(lines["strField"]);
      }
      (lines["blnIsCash"].AsBool() ? state_.cash_lines : state_.other_lines).push_back(l);
    }
    state_.cash_aux_used = AuxUsed(voucher_id, 1);
    state_.other_aux_used = AuxUsed(voucher_id, 0);

    host::Recordset flows = data.OpenRecordset(
        "SELECT VoucherCashFlow.lngVoucherDetailID, VoucherCashFlow.lngCashItemID, "
        "VoucherCashFlow.lngRangeType, VoucherCashFlow.lngCustomerID, "
        "Decode(CashItem.lngCashFlowType,1,'流入',2,'流出',3,'净值') As strFlow, "
        "CashItem.strCashItemCode || ' ' || CashItem.strCashItemName As strItem, "
        "Customer.strCustomerCode || ' ' || Customer.strCustomerName As strCustomer, "
        "DECODE(CashItem.lngCashFlowType,Decode(VoucherDetail.intDirection,1,1,2),1,-1) "
        "*VoucherCashFlow.dblAmount As dblAmount FROM VoucherCashFlow, CashItem, Customer, "
        "VoucherDetail WHERE VoucherCashFlow.lngVoucherDetailID = "
        "VoucherDetail.lngVoucherDetailID AND VoucherCashFlow.lngCashItemID = "
        "CashItem.lngCashItemID AND VoucherCashFlow.lngCustomerID = Customer.lngCustomerID(+) "
        "AND VoucherDetail.lngVoucherID = " +
        id +
        " ORDER BY VoucherDetail.lngRowID, CashItem.strCashItemCode || ' ' || "
        "CashItem.strCashItemName");
    const int decimals = frame::Context().AmountDecimals();
    for (const AutoLine& line : state_.cash_lines) {
      bool any = false;
      for (flows.MoveFirst(); !flows.Eof(); flows.MoveNext()) {
        if (flows["lngVoucherDetailID"].AsLong() != line.line_id) continue;
        AutoRow r = RowOf(line, "", voucher::RoundTo(flows["dblAmount"].AsDouble(), decimals));
        r.flow = flows["strFlow"].AsText();
        r.item_id = static_cast<long>(flows["lngCashItemID"].AsLong());
        r.item_text = Trimmed(flows["strItem"]);
        r.range = RangeLabel(flows["lngRangeType"].AsLong());
        r.counterpart_id = static_cast<long>(flows["lngCustomerID"].AsLong());
        r.counterpart_text = Trimmed(flows["strCustomer"]);
        state_.by_cash.push_back(std::move(r));
        any = true;
      }
      if (!any) state_.by_cash.push_back(RowOf(line, DirectionLabel(line.direction), 0));
    }
    for (const AutoLine& line : state_.other_lines) {
      state_.by_opposite.push_back(RowOf(line, OppositeFlow(line.direction), line.amount));
    }

    host::Recordset choices = data.OpenRecordset(
        "Select VoucherDetail.lngVoucherDetailID, Account.strAccountCode, Account.strAccountName "
        "|| ' 行号：' || VoucherDetail.lngRowID || Decode(VoucherDetail.intDirection,1,' 借方：',"
        "' 贷方：') || Trim(to_char(VoucherDetail.dblAmount,'999,999,999,990.00')) As strName "
        "From VoucherDetail, " +
        AccountView() +
        " Where VoucherDetail.lngAccountID = Account.lngAccountID And Account.blnIsCash = 1 And "
        "VoucherDetail.lngVoucherID = " +
        id + " Order By VoucherDetail.lngRowID");
    for (; !choices.Eof(); choices.MoveNext()) {
      state_.cash_line_choices.push_back({static_cast<long>(choices["lngVoucherDetailID"].AsLong()),
                                          choices["strAccountCode"].AsText(),
                                          choices["strName"].AsText()});
    }
    host::Recordset widths = data.OpenRecordset(
        "Select Nvl(Max(Lengthb(strAccountCode)),10) As lngLen, "
        "Nvl(Max(Lengthb(strAccountName)),10) As lngName From " +
        AccountView() +
        " Where blnIsCash = 1 And lngOrganizationID = " + SqlNumber(frame::OrganizationId()));
    state_.chooser_code_width = static_cast<int>(widths["lngLen"].AsLong());
    state_.chooser_name_width = static_cast<int>(widths["lngName"].AsLong());
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
  state_.current_row = Rows().empty() ? 0 : 1;
  return true;
}

// ---- Editing ---------------------------------------------------------------------------------

const std::vector<AutoRow>& frmCashFlowAuto2::Rows() const {
  return state_.mode == AutoMode::kByCashLine ? state_.by_cash : state_.by_opposite;
}

std::vector<AutoRow>& frmCashFlowAuto2::Active() {
  return state_.mode == AutoMode::kByCashLine ? state_.by_cash : state_.by_opposite;
}

AutoRow* frmCashFlowAuto2::Row(int row) {
  std::vector<AutoRow>& rows = Active();
  if (row < 1 || row > static_cast<int>(rows.size())) return nullptr;
  return &rows[static_cast<std::size_t>(row - 1)];
}

void frmCashFlowAuto2::SetMode(AutoMode mode) {
  state_.mode = mode;
  state_.current_row = Rows().empty() ? 0 : 1;
  state_.current_field = AutoField::kNone;
}

void frmCashFlowAuto2::SetCurrentRow(int row) {
  if (Row(row) != nullptr) state_.current_row = row;
}

int frmCashFlowAuto2::AddRow() {
  const AutoRow* current = Row(state_.current_row);
  if (current == nullptr) return 0;
  const AutoLine& line = current->line;
  AutoRow r = state_.mode == AutoMode::kByCashLine ? RowOf(line, DirectionLabel(line.direction), 0)
                                                   : RowOf(line, OppositeFlow(line.direction), 0);
  std::vector<AutoRow>& rows = Active();
  rows.insert(rows.begin() + state_.current_row, std::move(r));
  state_.dirty = true;
  return ++state_.current_row;
}

bool frmCashFlowAuto2::DeleteRow(int row) {
  if (Row(row) == nullptr) return false;
  std::vector<AutoRow>& rows = Active();
  // The grid's header row counts: fewer than three rows means a single data row.
  if (rows.size() + 1 < 3) {
    frame::Msg(texts::kKeepOneRow, mb::kExclamation, texts::kTitleInformation);
    return false;
  }
  rows.erase(rows.begin() + (row - 1));
  state_.current_row = std::min(row, static_cast<int>(rows.size()));
  state_.dirty = true;
  return true;
}

std::vector<Choice> frmCashFlowAuto2::ItemChoices(int row) const {
  const std::vector<AutoRow>& rows = Rows();
  if (row < 1 || row > static_cast<int>(rows.size())) return {};
  try {
    return CashItemsOfFlow(FlowType(rows[static_cast<std::size_t>(row - 1)].flow));
  } catch (const host::DatabaseError& e) {
    Failed(e);
    return {};
  }
}

bool frmCashFlowAuto2::SetItem(int row, const std::string& text) {
  AutoRow* r = Row(row);
  if (r == nullptr) return false;
  try {
    std::optional<Choice> item = ResolveCashItem(FlowType(r->flow), text, texts::kTitleEditDetail);
    if (!item) return false;
    r->SetItem(*item);
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
  state_.dirty = true;
  return true;
}

bool frmCashFlowAuto2::SetFlow(int row, const std::string& label) {
  AutoRow* r = Row(row);
  if (r == nullptr || !r->SetFlow(label)) return false;
  state_.dirty = true;
  return true;
}

bool frmCashFlowAuto2::SetRange(int row, const std::string& label) {
  AutoRow* r = Row(row);
  if (r == nullptr || !r->SetRange(label)) return false;
  state_.dirty = true;
  return true;
}

bool frmCashFlowAuto2::SetCounterpart(int row, const std::string& text) {
  AutoRow* r = Row(row);
  if (r == nullptr || r->range != texts::kInternal) return false;
  try {
    std::optional<Choice> unit = ResolveCounterpart(text, texts::kTitleEditDetail);
    if (!unit) return false;
    r->SetCounterpart(*unit);
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
  state_.dirty = true;
  return true;
}

bool frmCashFlowAuto2::SetAmount(int row, const std::string& text) {
  AutoRow* r = Row(row);
  if (r == nullptr) return false;
  std::optional<double> amount = ReadAmount(text, texts::kTitleEditDetail);
  if (!amount) return false;
  r->amount = *amount;
  state_.dirty = true;
  return true;
}

bool frmCashFlowAuto2::SetCashLine(int row, long line_id) {
  AutoRow* r = Row(row);
  if (r == nullptr || state_.mode != AutoMode::kByOppositeLine) return false;
  if (line_id == 0) {
    r->cash_line_id = 0;
    r->cash_line_text.clear();
    state_.dirty = true;
    return true;
  }
  for (const CashLineChoice& c : state_.cash_line_choices) {
    if (c.line_id != line_id) continue;
    r->cash_line_id = line_id;
    r->cash_line_text = c.code + " " + c.text;
    state_.dirty = true;
    return true;
  }
  return false;
}

bool frmCashFlowAuto2::MaintainItems(int row, host::CashItemAction action) {
  const AutoRow* r = Row(row);
  if (r == nullptr) return false;
  try {
    return MaintainCashItems(action, FlowType(r->flow), r->item_id);
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
}

// ---- The cash line of a row ------------------------------------------------------------------

long frmCashFlowAuto2::CashLineOf(const AutoRow& r) const {
  return state_.mode == AutoMode::kByCashLine ? r.line.line_id : r.cash_line_id;
}

const AutoLine* frmCashFlowAuto2::CashLine(long line_id) const {
  for (const AutoLine& l : state_.cash_lines) {
    if (l.line_id == line_id) return &l;
  }
  return nullptr;
}

const char* frmCashFlowAuto2::OwnLabel(const AutoRow& r) const {
  const AutoLine* cash = CashLine(CashLineOf(r));
  return DirectionLabel(cash != nullptr ? cash->direction : 1);
}

double frmCashFlowAuto2::StoredAmount(const AutoRow& r) const {
  return r.flow == OwnLabel(r) ? r.amount : -r.amount;
}

// ---- Suggest ---------------------------------------------------------------------------------

std::vector<long> frmCashFlowAuto2::OppositeAccounts(const AutoRow& r) const {
  if (state_.mode == AutoMode::kByOppositeLine) return {r.line.account_id};
  std::vector<long> accounts;
  for (const AutoLine& l : state_.other_lines) {
    if (l.direction != r.line.direction) accounts.push_back(l.account_id);
  }
  return accounts;
}

int frmCashFlowAuto2::Suggest() {
  std::vector<AutoRow>& rows = Active();
  std::set<std::int64_t> accounts;
  for (const AutoRow& r : rows) {
    if (r.item_id != 0) continue;
    for (long account : OppositeAccounts(r)) accounts.insert(account);
  }
  if (accounts.empty()) return 0;
  // (account, flow type) -> items by how often they were used, most used first.
  std::map<std::pair<long, int>, std::vector<std::pair<long, std::string>>> history;
  try {
    const std::vector<std::int64_t> ids(accounts.begin(), accounts.end());
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select vd.lngAccountID, c.lngCashFlowType, vcf.lngCashItemID, c.strCashItemCode || ' ' "
        "|| c.strCashItemName As strItem, Count(*) As lngTimes From VoucherCashFlow vcf, "
        "VoucherDetail cd, VoucherDetail vd, Voucher v, CashItem c, " +
        AccountView() +
        " Where vcf.lngVoucherDetailID = cd.lngVoucherDetailID And vd.lngVoucherID = "
        "cd.lngVoucherID And v.lngVoucherID = cd.lngVoucherID And v.lngSourceOrganizationID = " +
        SqlNumber(frame::OrganizationId()) + " And v.blnIsVoid = 0 And v.lngVoucherID <> " +
        SqlNumber(state_.voucher_id) +
        " And vd.lngAccountID = Account.lngAccountID And Account.blnIsCash = 0 And "
        "vcf.lngCashItemID = c.lngCashItemID And c.blnIsDetail = 1 And c.lngTradId = 0 And "
        "c.lngCashFlowType In (1, 2) And " +
        frame::InCondition("vd.lngAccountID", ids) +
        " Group By vd.lngAccountID, c.lngCashFlowType, vcf.lngCashItemID, c.strCashItemCode, "
        "c.strCashItemName Order By lngTimes Desc, c.strCashItemCode");
    for (; !rs.Eof(); rs.MoveNext()) {
      history[{static_cast<long>(rs["lngAccountID"].AsLong()),
               static_cast<int>(rs["lngCashFlowType"].AsLong())}]
          .push_back({static_cast<long>(rs["lngCashItemID"].AsLong()), rs["strItem"].AsText()});
    }
  } catch (const host::DatabaseError& e) {
    Failed(e);
    return 0;
  }
  int filled = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    AutoRow& r = rows[i];
    if (r.item_id != 0) continue;
    const int type = FlowType(r.flow);
    for (long account : OppositeAccounts(r)) {
      auto found = history.find({account, type});
      if (found == history.end()) continue;
      for (const auto& [item, text] : found->second) {
        if (CashLineOf(r) != 0 &&
            DuplicateOf(static_cast<int>(i) + 1, item, r.range, r.counterpart_id) != 0) {
          continue;
        }
        r.item_id = item;
        r.item_text = text;
        break;
      }
      if (r.item_id != 0) break;
    }
    if (r.item_id != 0) ++filled;
  }
  if (filled > 0) state_.dirty = true;
  return filled;
}

// ---- Saving ----------------------------------------------------------------------------------

int frmCashFlowAuto2::DuplicateOf(int row, long item_id, const std::string& range,
                                  long counterpart_id) const {
  const std::vector<AutoRow>& rows = Rows();
  const long cash = CashLineOf(rows[static_cast<std::size_t>(row - 1)]);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const AutoRow& other = rows[i];
    if (static_cast<int>(i) + 1 == row || CashLineOf(other) != cash || other.item_id != item_id ||
        other.range != range || other.counterpart_id != counterpart_id) {
      continue;
    }
    return static_cast<int>(i) + 1;
  }
  return 0;
}

bool frmCashFlowAuto2::Stop(const std::string& text, int row, AutoField field, const char* title) {
  state_.current_row = row;
  state_.current_field = field;
  frame::Msg(text, mb::kExclamation, title);
  return false;
}

bool frmCashFlowAuto2::CheckCashLine(int row, long cash_line) {
  const AutoLine* cash = CashLine(cash_line);
  bool in_out = false;
  bool not_must = false;
  if (cash != nullptr) GetCashFlowAccSetting(cash->account_id, in_out, not_must);
  const int decimals = frame::Context().AmountDecimals();
  double in = 0;
  double out = 0;
  double total = 0;
  for (const AutoRow& r : Rows()) {
    if (CashLineOf(r) != cash_line) continue;
    if (r.flow == texts::kInflow) in += r.amount;
    if (r.flow == texts::kOutflow) out += r.amount;
    total += StoredAmount(r);
  }
  if (in_out) {
    if (voucher::RoundTo(in, decimals) == voucher::RoundTo(out, decimals)) return true;
    return Stop(RowText(row) + texts::kRowInOutUnequal, row, AutoField::kAmount,
                texts::kTitleImportant);
  }
  double amount = cash != nullptr ? cash->amount : 0;
  if (state_.mode == AutoMode::kByOppositeLine) {
    host::Recordset rs = frame::Data().OpenRecordset(
        " Select * From VoucherDetail Where lngVoucherDetailId = " + SqlNumber(cash_line));
    amount = rs.Empty() ? 0 : rs["dblAmount"].AsDouble();
  }
  if (voucher::RoundTo(total, decimals) == voucher::RoundTo(amount, decimals)) return true;
  state_.current_row = row;
  state_.current_field = AutoField::kAmount;
  return frame::Msg(RowText(row) + texts::kRowTotalDiffers,
                    mb::kYesNo + mb::kQuestion + mb::kDefaultButton2,
                    texts::kTitleInformation) == mb::kYes;
}

bool frmCashFlowAuto2::CheckRows() {
  const std::vector<AutoRow>& rows = Rows();
  std::set<long> met;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const AutoRow& r = rows[i];
    const int row = static_cast<int>(i) + 1;
    if (r.item_id == 0) {
      return Stop(RowText(row) + texts::kNoItem, row, AutoField::kItem, texts::kTitleInformation);
    }
    if (state_.mode == AutoMode::kByOppositeLine && r.cash_line_id == 0) {
      return Stop(RowText(row) + texts::kNoCashLine, row, AutoField::kCashLine,
                  texts::kTitleInformation);
    }
    if (met.insert(CashLineOf(r)).second && !CheckCashLine(row, CashLineOf(r))) return false;
    if (const int twin = DuplicateOf(row, r.item_id, r.range, r.counterpart_id); twin > row) {
      return Stop(RowText(row) + texts::kDuplicateAnd + std::to_string(twin) + texts::kDuplicate,
                  row, AutoField::kItem, texts::kTitleInformation);
    }
    if (r.range == texts::kInternal && r.counterpart_id == 0) {
      return Stop(RowText(row) + texts::kInternalNoCustomer, row, AutoField::kCounterpart,
                  texts::kTitleInformation);
    }
  }
  return true;
}

std::string frmCashFlowAuto2::Block() {
  const std::string voucher = SqlNumber(state_.voucher_id);
  std::vector<std::string> statements{
      " Delete From VoucherCashFlow vcf Where Exists(Select 1 From VoucherDetail vd Where "
      "vd.lngVoucherDetailID = vcf.lngVoucherDetailID And vd.lngVoucherID = " +
          voucher + ");",
      " Update VoucherDetail vd SET vd.strCashFlowCode=' ' Where vd.lngVoucherID = " + voucher +
          ";"};
  std::vector<long> order;
  std::map<long, std::vector<std::string>> pieces;
  for (const AutoRow& r : Rows()) {
    const long cash = CashLineOf(r);
    if (pieces.find(cash) == pieces.end()) order.push_back(cash);
    pieces[cash].push_back(SummaryPiece(r.item_text, r.amount));
  }
  std::set<long> gone;
  for (long cash : order) {
    if (!IsCashLine(cash)) {
      frame::TraceLog(texts::kStoppedBeingCash + SqlNumber(cash));
      gone.insert(cash);
      continue;
    }
    statements.push_back(" Update VoucherDetail SET strCashFlowCode = " +
                         frame::SqlText(CashFlowSummary(pieces[cash])) +
                         " WHERE lngVoucherDetailID=" + SqlNumber(cash) + ";");
  }
  const int decimals = frame::Context().AmountDecimals();
  for (const AutoRow& r : Rows()) {
    const long cash = CashLineOf(r);
    if (gone.count(cash) != 0) continue;
    const long range = RangeType(r.range);
    statements.push_back(
        " Insert Into VoucherCashFlow (lngVoucherDetailID,lngCashItemID,lngOtherID,dblAmount,"
        "blnIsNotComputer,lngRangeType,lngCustomerID) VALUES ( " +
        SqlNumber(cash) + "," + SqlNumber(r.item_id) + ",0," +
        SqlNumber(voucher::RoundTo(StoredAmount(r), decimals)) + ",1," + SqlNumber(range) + "," +
        SqlNumber(range == 1 ? r.counterpart_id : 0) + ");");
  }
  std::string block = "Begin";
  for (const std::string& s : statements) block += "\n" + s;
  return block + "\n Commit;\nEnd;";
}

bool frmCashFlowAuto2::Save() {
  try {
    if (PeriodRefused(state_.voucher_id)) return false;
    host::DataAccess& data = frame::Data();
    if (!data.OpenRecordset(
                 " Select * From VoucherCashFlow vcf, VoucherDetail vd Where "
                 "vcf.lngVoucherDetailID = vd.lngVoucherDetailID And vd.lngVoucherID = " +
                 SqlNumber(state_.voucher_id))
             .Empty() &&
        frame::Msg(texts::kOverwriteAsk, mb::kYesNo + mb::kQuestion + mb::kDefaultButton2,
                   texts::kTitleInformation) != mb::kYes) {
      return false;
    }
    if (!CheckRows()) return false;
    data.Execute(Block());
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
  state_.saved = true;
  state_.closed = true;
  state_.dirty = false;
  return true;
}

void frmCashFlowAuto2::Cancel() {
  state_.closed = true;
}

}  // namespace lumvoucher::cashflow
