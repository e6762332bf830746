#include "links/frm_center_ralation.h"

#include <algorithm>

#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/voucher_conflict.h"
#include "host/cls_business_pub.h"
#include "host/database_error.h"
#include "host/fund_system.h"
#include "host/host_services.h"
#include "host/message_box.h"
#include "links/fund_texts.h"
#include "lists/list_query.h"

namespace lumvoucher::links {

namespace {

using frame::SqlNumber;
using frame::SqlText;
namespace mb = host::mb;
namespace texts = fund_texts;

// The voucher line list's definition: its display columns and FROM part.
constexpr const char* kLineColumns =
    "Voucher.strDate As 日期,VoucherType.strVoucherTypeCode || '-' || "
    "LPAD(Voucher.intVoucherNO,6,'0') As 凭证号,VoucherDetail.strRemark As 摘要,"
    "Account.strAccountCode || ' ' || Account.strAccountName As 科目,"
    "Decode(VoucherDetail.intDirection,1,'借','贷') As 方向,VoucherDetail.dblAmount As 金额";
constexpr const char* kLineFrom = " From Voucher,VoucherDetail,VoucherType,Account";
constexpr const char* kLineJoin =
    "Voucher.lngVoucherID=VoucherDetail.lngVoucherID And "
    "Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID And "
    "VoucherDetail.lngAccountID=Account.lngAccountID And Voucher.blnIsVoid=0";

// Filter dialog list ids of the two lists.
constexpr long kLineListId = 8301;
constexpr long kRequestListId = 8302;

bool HasRight(long right) {
  return frame::Login().business_pub->HasRight(right);
}

// The operator's data rights on accounts and items, where the account set controls them.
std::string DataRights() {
  host::Recordset admin = frame::Data().OpenRecordset(
      "Select blnIsAdmin From Operator Where lngOperatorID=" + SqlNumber(frame::OperatorId()));
  if (!admin.Empty() && admin["blnIsAdmin"].AsBool()) return {};
  std::string rights;
  for (const lists::RightsDimension& d : lists::RightsDimensions()) {
    // The organisation is not one of this window's dimensions.
    if (std::string_view(d.table) == "OperatorOrganization") continue;
    if (!frame::IsTrueSetting(
            frame::SettingValue(0, lists::kRightsSection, d.setting_key, "False"))) {
      continue;
    }
    rights += std::string(" And (nvl(") + d.line_column + ",0)=0 Or " + d.line_column +
              " In (Select " + d.item_column + " From " + d.table +
              " Where lngOperatorID=" + SqlNumber(frame::OperatorId()) +
              (d.per_organization ? " And lngOrganizationID=" + SqlNumber(frame::OrganizationId())
                                  : std::string()) +
              "))";
  }
  return rights;
}

std::vector<std::string> FirstColumn(host::Recordset rs) {
  std::vector<std::string> values;
  for (; !rs.Eof(); rs.MoveNext()) values.push_back(rs[0].AsText());
  return values;
}

// The first two columns are the row's keys; `key` is the one that names it.
void Fill(FundGrid& grid, const host::Recordset& rs, std::size_t key) {
  constexpr std::size_t hidden = 2;
  const std::string keep = grid.selected >= 0 && grid.selected < static_cast<int>(grid.keys.size())
                               ? grid.keys[static_cast<std::size_t>(grid.selected)]
                               : std::string();
  grid = {};
  for (std::size_t c = hidden; c < rs.FieldCount(); ++c) grid.columns.push_back(rs.FieldName(c));
  for (std::size_t r = 0; r < rs.RecordCount(); ++r) {
    const host::Recordset::Row& row = rs.RowAt(r);
    grid.keys.push_back(row[key].AsText());
    grid.second.push_back(row[1 - key].AsText());
    std::vector<std::string> cells;
    for (std::size_t c = hidden; c < rs.FieldCount(); ++c) cells.push_back(row[c].AsText());
    grid.cells.push_back(std::move(cells));
    if (!keep.empty() && grid.keys.back() == keep) grid.selected = static_cast<int>(r);
  }
}

// A transaction on the fund connection that rolls back unless committed.
class FundTransaction {
 public:
  explicit FundTransaction(host::FundConnection& fund) : fund_(fund) { fund_.BeginTrans(); }
  FundTransaction(const FundTransaction&) = delete;
  FundTransaction& operator=(const FundTransaction&) = delete;
  ~FundTransaction() {
    if (done_) return;
    try {
      fund_.RollbackTrans();
    } catch (...) {
      // The connection reports its state on the next statement.
    }
  }
  void Commit() {
    fund_.CommitTrans();
    done_ = true;
  }

 private:
  host::FundConnection& fund_;
  bool done_ = false;
};

bool Failed(const std::exception& error) {
  frame::Msg(std::string(texts::kFailed) + error.what(), mb::kCritical, texts::kCaption);
  return false;
}

}  // namespace

// ---- Lists -----------------------------------------------------------------------------------

std::string frmCenterRalation::PairedLinesCondition(const std::vector<std::string>& ids,
                                                    bool paired) {
  if (ids.empty()) return paired ? " And 1=0" : "";
  const auto chunks = frame::ChunkValues(ids);
  std::string condition = paired ? " VoucherDetail.lngVoucherDetailID In ("
                                 : " VoucherDetail.lngVoucherDetailID Not In (";
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    if (i > 0) {
      condition += paired ? " Or VoucherDetail.lngVoucherDetailID In ("
                          : " And VoucherDetail.lngVoucherDetailID Not In (";
    }
    for (std::size_t j = 0; j < chunks[i].size(); ++j) condition += (j ? "," : "") + chunks[i][j];
    condition += ")";
  }
  return " And (" + condition + ")";
}

std::string frmCenterRalation::LinesSql() {
  const std::string party = SqlText(fund_->PartyCode());
  std::string sql = std::string("Select Voucher.lngVoucherID,VoucherDetail.lngVoucherDetailID, ") +
                    "'' As 选择," + kLineColumns + kLineFrom + " Where " + kLineJoin +
                    " And Voucher.lngSourceOrganizationID=" + SqlNumber(frame::OrganizationId()) +
                    lists::FilterClause(state_.line_filter) + DataRights();
  if (state_.voucher_id != 0) sql += " And Voucher.lngVoucherID=" + SqlNumber(state_.voucher_id);
  if (!HasRight(503) && !HasRight(28) && !HasRight(27)) sql += " And 1=0";
  const bool bills = state_.area == FundArea::kPairedBills;
  if (!bills || state_.requests.selected >= 0) {
    // The pairing table lives in the other database: the paired line ids are read there and
    // named here.
    std::string paired_sql =
        "Select Voucher_Item_ID As DetailID From InterFace_Of8e Where Party_ID=" + party;
    if (bills) {
      paired_sql +=
          " And T_Bill_ID=" +
          SqlText(state_.requests.keys[static_cast<std::size_t>(state_.requests.selected)]);
    }
    sql += PairedLinesCondition(FirstColumn(fund_->Connection().OpenResultset(paired_sql)),
                                state_.area != FundArea::kUnpaired);
  }
  return sql + " Order By Voucher.strDate,Voucher.intVoucherNO,VoucherDetail.lngRowID";
}

std::string frmCenterRalation::RequestsSql() {
  const std::string party = SqlText(fund_->PartyCode());
  std::string sql = "Select Req.Tbillid,Req.Tbilltypeid,'' As 选择," + fund_->RequestColumns() +
                    fund_->RequestFrom() + " Where 1=1" +
                    lists::FilterClause(state_.request_filter) +
                    " And Req.localCenterId = " + SqlText(fund_->CenterCode());
  if (!fund_->CenterWide()) {
    sql += " And (Req.payPartyId = " + party + " Or Req.incomePartyId = " + party + ")";
  }
  std::vector<std::string> hidden;
  if (!HasRight(1766) && !HasRight(1767)) hidden.push_back(texts::kPaymentReq);
  if (!HasRight(1770) && !HasRight(1771)) hidden.push_back(texts::kReceiptReq);
  if (!HasRight(1768) && !HasRight(1769)) hidden.push_back(texts::kBalanceReq);
  if (!hidden.empty()) {
    sql += " And Req.Tbilltypeid Not In (";
    for (std::size_t i = 0; i < hidden.size(); ++i) sql += (i ? "," : "") + hidden[i];
    sql += ")";
  }
  const int line = state_.lines.selected;
  const std::string line_id =
      line >= 0 ? state_.lines.keys[static_cast<std::size_t>(line)] : std::string();
  switch (state_.area) {
    case FundArea::kUnpaired:
      sql +=
          " And Req.Tbillid Not In (Select T_Bill_ID From InterFace_Of8e Where Party_ID=" + party +
          ")";
      break;
    case FundArea::kPairedLines:
      sql += line >= 0 ? " And Req.Tbillid In (Select T_Bill_ID From InterFace_Of8e Where "
                         "Voucher_Item_ID=" +
                             line_id + " And Party_ID=" + party + ")"
                       : std::string(" And 1=0");
      break;
    case FundArea::kPairedBills:
      sql +=
          " And Req.Tbillid In (Select T_Bill_ID From InterFace_Of8e Where Party_ID=" + party + ")";
      break;
  }
  if (line >= 0 && state_.amount_fit) {
    const auto& columns = state_.lines.columns;
    const auto amount = std::find(columns.begin(), columns.end(), "金额");
    if (amount != columns.end()) {
      const std::string& text =
          state_.lines.cells[static_cast<std::size_t>(line)]
                            [static_cast<std::size_t>(amount - columns.begin())];
      sql += " And Req.Amount=" + SqlNumber(host::clsBaseClass::TextToDouble(text));
    }
  }
  return sql + " Order By Req.Tbillid";
}

void frmCenterRalation::LoadLines() {
  Fill(state_.lines, frame::Data().OpenRecordset(LinesSql()), 1);
}

void frmCenterRalation::LoadRequests() {
  Fill(state_.requests, fund_->Connection().OpenResultset(RequestsSql()), 0);
}

bool frmCenterRalation::Refresh() {
  try {
    LoadLines();
    LoadRequests();
    return true;
  } catch (const std::exception& e) {
    return Failed(e);
  }
}

// ---- Opening and choices ---------------------------------------------------------------------

bool frmCenterRalation::Load(long voucher_id) {
  state_ = {};
  state_.voucher_id = voucher_id;
  fund_ = frame::Login().base_class->FundSystemObject();
  if (fund_ == nullptr) return false;
  return Refresh();
}

void frmCenterRalation::ShowMe(long voucher_id) {
  if (!Load(voucher_id)) return;
  frame::Login().base_class->Modal().RunModal(*this);
}

void frmCenterRalation::SetArea(FundArea area) {
  state_.area = area;
  state_.lines.selected = state_.requests.selected = -1;
  Refresh();
}

void frmCenterRalation::SetAmountFit(bool on) {
  state_.amount_fit = on;
  try {
    LoadRequests();
  } catch (const std::exception& e) {
    Failed(e);
  }
}

void frmCenterRalation::SelectLine(int row) {
  state_.lines.selected = row >= 0 && row < static_cast<int>(state_.lines.keys.size()) ? row : -1;
  state_.pending = state_.lines.selected >= 0 || state_.requests.selected >= 0;
  try {
    if (state_.area == FundArea::kPairedLines || state_.amount_fit) LoadRequests();
  } catch (const std::exception& e) {
    Failed(e);
  }
}

void frmCenterRalation::SelectRequest(int row) {
  state_.requests.selected =
      row >= 0 && row < static_cast<int>(state_.requests.keys.size()) ? row : -1;
  state_.pending = state_.lines.selected >= 0 || state_.requests.selected >= 0;
  try {
    // A ticked line stays listed, so that a paired request can be paired with it anew.
    if (state_.area == FundArea::kPairedBills && state_.lines.selected < 0) LoadLines();
  } catch (const std::exception& e) {
    Failed(e);
  }
}

bool frmCenterRalation::SelectCondition(bool requests) {
  host::FilterCondition current;
  current.condition = requests ? state_.request_filter : state_.line_filter;
  if (!frame::Login().filter->ShowFilter(requests ? kRequestListId : kLineListId, texts::kCondition,
                                         current)) {
    return false;
  }
  (requests ? state_.request_filter : state_.line_filter) = current.condition;
  return Refresh();
}

void frmCenterRalation::SetConditions(const std::string& line_filter,
                                      const std::string& request_filter) {
  state_.line_filter = line_filter;
  state_.request_filter = request_filter;
  Refresh();
}

// ---- Pairing ---------------------------------------------------------------------------------

bool frmCenterRalation::StatusAllows(long voucher_id, const char* signed_text,
                                     const char* posted_text) {
  host::Recordset v = frame::Data().OpenRecordset(
      "Select lngTellerID,lngPostID,lngCheckerID From Voucher Where lngVoucherID=" +
      SqlNumber(voucher_id));
  if (v.Empty()) throw frame::VoucherConflict();
  const char* refusal = v["lngTellerID"].AsLong() != 0 ? signed_text
                        : v["lngPostID"].AsLong() != 0 ? posted_text
                                                       : nullptr;
  if (refusal == nullptr) return true;
  frame::Msg(refusal, mb::kExclamation, texts::kTitleInformation);
  return false;
}

bool frmCenterRalation::Pair() {
  if (fund_ == nullptr || state_.lines.selected < 0 || state_.requests.selected < 0) return false;
  const auto line_at = static_cast<std::size_t>(state_.lines.selected);
  const std::string line = state_.lines.keys[line_at];
  const std::string voucher = state_.lines.second[line_at];
  const std::string bill =
      SqlText(state_.requests.keys[static_cast<std::size_t>(state_.requests.selected)]);
  bool ok = false;
  try {
    if (!StatusAllows(static_cast<long>(host::clsBaseClass::TextToLong(voucher)),
                      texts::kSignedNoSave, texts::kPostedNoSave)) {
      return false;
    }
    host::FundConnection& fund = fund_->Connection();
    const std::string party = SqlText(fund_->PartyCode());
    const std::string line_terms =
        " Where Voucher_ID=" + voucher + " And Voucher_Item_ID=" + line + " And Party_ID=" + party;
    constexpr int kAsk = mb::kYesNo + mb::kQuestion;
    if (!fund.OpenResultset("Select 1 From InterFace_Of8e Where T_Bill_Id=" + bill +
                            " And Party_ID=" + party)
             .Empty() &&
        frame::Msg(texts::kAskBillPaired, kAsk, texts::kTitleInformation) != mb::kYes) {
      return false;
    }
    if (!fund.OpenResultset("Select 1 From Interface_Of8e" + line_terms).Empty() &&
        frame::Msg(texts::kAskLinePaired, kAsk, texts::kTitleInformation) != mb::kYes) {
      return false;
    }
    FundTransaction transaction(fund);
    fund.Execute("Delete From InterFace_Of8e Where T_Bill_Id=" + bill + " And Party_ID=" + party);
    fund.Execute("Delete From InterFace_Of8e" + line_terms);
    fund.Execute(
        "Insert Into InterFace_Of8e (T_Bill_Id,Voucher_ID,Voucher_Item_ID,Party_ID) Values(" +
        bill + "," + voucher + "," + line + "," + party + ")");
    transaction.Commit();
    state_.pending = false;
    ok = true;
  } catch (const std::exception& e) {
    Failed(e);
  }
  state_.lines.selected = state_.requests.selected = -1;
  return Refresh() && ok;
}

bool frmCenterRalation::Clear() {
  if (fund_ == nullptr || state_.lines.selected < 0) return false;
  const auto line_at = static_cast<std::size_t>(state_.lines.selected);
  const std::string line = state_.lines.keys[line_at];
  const std::string voucher = state_.lines.second[line_at];
  try {
    if (!StatusAllows(static_cast<long>(host::clsBaseClass::TextToLong(voucher)),
                      texts::kSignedNoClear, texts::kPostedNoClear)) {
      return false;
    }
    fund_->Connection().Execute("Delete From InterFace_Of8e Where Voucher_ID=" + voucher +
                                " And Voucher_Item_ID=" + line +
                                " And Party_ID=" + SqlText(fund_->PartyCode()));
  } catch (const std::exception& e) {
    Failed(e);
    Refresh();
    return false;
  }
  state_.pending = false;
  frame::Msg(texts::kClearAdvice, mb::kInformation, texts::kTitleInformation);
  state_.lines.selected = state_.requests.selected = -1;
  return Refresh();
}

bool frmCenterRalation::ShowBill() {
  if (fund_ == nullptr || state_.requests.selected < 0) return false;
  const auto at = static_cast<std::size_t>(state_.requests.selected);
  fund_->Bankroll_Show(state_.requests.second[at], state_.requests.keys[at]);
  return true;
}

bool frmCenterRalation::Close() {
  if (state_.pending && frame::Msg(texts::kAskQuit, mb::kYesNo + mb::kQuestion,
                                   texts::kTitleInformation) != mb::kYes) {
    return false;
  }
  state_.closed = true;
  return true;
}

void ShowCenterRalation(long voucher_id) {
  frmCenterRalation window;
  window.ShowMe(voucher_id);
}

}  // namespace lumvoucher::links
