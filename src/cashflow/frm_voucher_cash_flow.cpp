#include "cashflow/frm_voucher_cash_flow.h"

#include "cashflow/cash_flow_texts.h"
#include "cashflow/frm_cash_flow_auto2.h"
#include "cashflow/mdl_cash_flow.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/cls_account.h"
#include "host/cls_business_pub.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::cashflow {

namespace {

using frame::SqlNumber;
namespace mb = host::mb;

constexpr int kAskNoFlags = mb::kYesNo + mb::kQuestion + mb::kDefaultButton2;

bool Refuse(const std::string& text, const char* title) {
  frame::Msg(text, mb::kExclamation, title);
  return false;
}

bool Failed(const host::DatabaseError& error) {
  frame::Msg(std::string(texts::kCheckFailed) + error.what(), mb::kCritical, texts::kLineCaption);
  return false;
}

int Decimals() {
  return frame::Context().AmountDecimals();
}

std::string Amount(double value) {
  return SqlNumber(voucher::RoundTo(value, Decimals()));
}

// The VoucherCashFlow rows of the same internal transaction as `line`, on internal-account
// lines: of other vouchers on the opposite side (`other_side`), or of this voucher's other lines
// on this side.
double InternalSideTotal(long voucher_id, long line_id, bool other_side) {
  const std::string line = SqlNumber(line_id);
  const std::string own_direction =
      "(Select Min(t1.intDirection) From innervoucherdetail t1, innervoucherdetailLink t2 Where "
      "t1.lngInnerVoucherDetailID = t2.lngInnerVoucherDetailID And t2.lngVoucherDetailID = " +
      line + ")";
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select nvl(Sum(vcf.dblAmount),0) As dblAmount From VoucherCashFlow vcf, VoucherDetail vd, "
      "innervoucherdetailLink l, innervoucherdetail d Where vcf.lngVoucherDetailID = "
      "vd.lngVoucherDetailID And l.lngVoucherDetailID = vd.lngVoucherDetailID And "
      "l.lngInnerVoucherDetailID = d.lngInnerVoucherDetailID And d.blnInnerAccount = 1 And "
      "d.lngInnerVoucherID In (Select t1.lngInnerVoucherID From innervoucherdetail t1, "
      "innervoucherdetailLink t2 Where t1.lngInnerVoucherDetailID = t2.lngInnerVoucherDetailID "
      "And t2.lngVoucherDetailID = " +
      line + ")" +
      (other_side
           ? " And vd.lngVoucherID <> " + SqlNumber(voucher_id) + " And d.intDirection <> " +
                 own_direction
           : " And vd.lngVoucherID = " + SqlNumber(voucher_id) + " And vd.lngVoucherDetailID <> " +
                 line + " And d.intDirection = " + own_direction));
  return rs["dblAmount"].AsDouble();
}

}  // namespace

// ---- Opening ---------------------------------------------------------------------------------

void frmVoucherCashFlow::ShowCashFlow(long lngAccountID, const std::string& strAccountName,
                                      long lngVoucherDetailID, double /*dblAmount*/,
                                      int /*intDirection*/, std::string& strCashFlowCode,
                                      bool& blnShown) {
  blnShown = false;
  state_ = {};
  state_.caption = texts::kLineCaption;
  state_.account_id = lngAccountID;
  state_.account_text = strAccountName;
  state_.line_id = lngVoucherDetailID;
  try {
    if (!frame::Login().business_pub->HasRight(rights::kAssign)) {
      Refuse(OperatorMessage(texts::kNoRight), texts::kTitleCashItem);
      return;
    }
    if (!Load()) return;
  } catch (const host::DatabaseError& e) {
    Failed(e);
    return;
  }
  frame::Login().base_class->Modal().RunModal(*this);
  // However the dialog went away, the window is closed now.
  if (!state_.closed) Finish();
  blnShown = true;
  strCashFlowCode = state_.summary;
}

bool frmVoucherCashFlow::Load() {
  host::DataAccess& data = frame::Data();
  const std::string query =
      "Select dblAmount,intDirection,lngVoucherID From VoucherDetail Where lngVoucherDetailID=" +
      SqlNumber(state_.line_id);
  host::Recordset line = data.OpenRecordset(query);
  if (!line.Empty()) state_.voucher_id = static_cast<long>(line["lngVoucherID"].AsLong());
  const std::string authorised = frame::Login().account->AuthorizedAccountList();
  if (!authorised.empty()) line = data.OpenRecordset(query + " And lngAccountID In " + authorised);
  if (line.Empty()) {
    frame::Msg(texts::kNoAccountRightOpen + state_.account_text + texts::kNoAccountRightClose,
               mb::kInformation, texts::kLineCaption);
    return false;
  }
  state_.line_amount = line["dblAmount"].AsDouble();
  state_.direction = line["intDirection"].AsLong() == 1 ? 1 : -1;
  state_.amount_text = voucher::FormatFixed(state_.line_amount, Decimals());
  state_.direction_label = DirectionLabel(state_.direction);
  if (PeriodRefused(state_.voucher_id)) return false;
  bool not_must = false;
  state_.has_setting = GetCashFlowAccSetting(state_.account_id, state_.in_out_assign, not_must);
  LoadRows();
  return true;
}

void frmVoucherCashFlow::LoadRows() {
  const int flow_type = state_.direction == 1 ? kInflowType : kOutflowType;
  host::Recordset rs = frame::Data().OpenRecordset(
      "SELECT VoucherCashFlow.lngCashItemID,Decode(CashItem.lngCashFlowType,1,'流入',2,'流出',3,"
      "'净值') 流向, CashItem.strCashItemCode || ' ' || CashItem.strCashItemName 现金流量表项目,"
      "Decode(VoucherCashFlow.lngRangeType,1,'内部',2,'外部') As 范围, Customer.strCustomerCode "
      "|| ' ' || Customer.strCustomerName as 内部往来单位, Sum(DECODE(CashItem.lngCashFlowType," +
      SqlNumber(flow_type) +
      ",1,-1) *VoucherCashFlow.dblAmount) 分配金额,VoucherCashFlow.lngCashItemID,Min(lngOtherID),"
      "Min(lngOtherID),'',min(VoucherCashFlow.lngCustomerID),min(VoucherCashFlow.lngRangeType),"
      "min(VoucherCashFlow.lngCustomerID)  FROM VoucherCashFlow,CashItem,Customer WHERE "
      "VoucherCashFlow.lngCashItemID=CashItem.lngCashItemID AND "
      "VoucherCashFlow.lngCustomerID=Customer.lngCustomerID(+) AND "
      "VoucherCashFlow.lngVoucherDetailID=" +
      SqlNumber(state_.line_id) +
      " GROUP BY VoucherCashFlow.lngCashItemID,CashItem.lngCashFlowType,CashItem.strCashItemCode,"
      "CashItem.strCashItemName,VoucherCashFlow.lngRangeType,VoucherCashFlow.lngCustomerID,"
      "Customer.strCustomerCode,Customer.strCustomerName ORDER BY CashItem.strCashItemCode || ' "
      "' || CashItem.strCashItemName");
  state_.rows.clear();
  for (const host::Recordset::Row& v : rs.Rows()) {
    CashFlowRow r;
    r.loaded_item_id = static_cast<long>(v.at(0).AsLong());
    r.flow = v.at(1).AsText();
    r.item_text = v.at(2).AsText();
    r.range = v.at(3).IsNull() ? texts::kExternal : v.at(3).AsText();
    r.counterpart_text = frame::StringOut(v.at(4).AsText(), " ");
    r.amount = voucher::RoundTo(v.at(5).AsDouble(), Decimals());
    r.item_id = static_cast<long>(v.at(6).AsLong());
    r.other_id = static_cast<long>(v.at(7).AsLong());
    r.loaded_other_id = static_cast<long>(v.at(8).AsLong());
    r.counterpart_id = static_cast<long>(v.at(10).AsLong());
    r.loaded_range = static_cast<long>(v.at(11).AsLong());
    r.loaded_counterpart_id = static_cast<long>(v.at(12).AsLong());
    state_.rows.push_back(std::move(r));
  }
  state_.current_row = state_.rows.empty() ? 0 : 1;
  state_.dirty = false;
  host::Recordset summary = frame::Data().OpenRecordset(
      "Select strCashFlowCode From VoucherDetail Where lngVoucherDetailID=" +
      SqlNumber(state_.line_id));
  state_.summary =
      summary.Empty() ? std::string() : frame::StringOut(summary["strCashFlowCode"].AsText(), " ");
}

// ---- Editing ---------------------------------------------------------------------------------

CashFlowRow* frmVoucherCashFlow::Row(int row) {
  if (row < 1 || row > static_cast<int>(state_.rows.size())) return nullptr;
  return &state_.rows[static_cast<std::size_t>(row - 1)];
}

void frmVoucherCashFlow::SetCurrentRow(int row) {
  if (Row(row) != nullptr) state_.current_row = row;
}

int frmVoucherCashFlow::AddRow() {
  CashFlowRow r;
  r.flow = state_.direction_label;
  r.range = texts::kExternal;
  state_.rows.push_back(std::move(r));
  state_.current_row = static_cast<int>(state_.rows.size());
  state_.dirty = true;
  return state_.current_row;
}

bool frmVoucherCashFlow::DeleteRow(int row) {
  if (Row(row) == nullptr) return false;
  state_.rows.erase(state_.rows.begin() + (row - 1));
  state_.current_row = std::min(row, static_cast<int>(state_.rows.size()));
  state_.dirty = true;
  return true;
}

bool frmVoucherCashFlow::Duplicate(int row, long item_id, const std::string& range,
                                   long counterpart_id) const {
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    const CashFlowRow& r = state_.rows[i];
    if (static_cast<int>(i) + 1 == row || r.item_id != item_id || item_id == 0 || r.range != range)
      continue;
    if (range != texts::kInternal || r.counterpart_id == counterpart_id) return true;
  }
  return false;
}

std::vector<Choice> frmVoucherCashFlow::ItemChoices(int row) const {
  if (row < 1 || row > static_cast<int>(state_.rows.size())) return {};
  try {
    return CashItemsOfFlow(FlowType(state_.rows[static_cast<std::size_t>(row - 1)].flow));
  } catch (const host::DatabaseError& e) {
    Failed(e);
    return {};
  }
}

void frmVoucherCashFlow::Changed(CashFlowRow& r) {
  r.changed = true;
  state_.dirty = true;
}

bool frmVoucherCashFlow::SetItem(int row, const std::string& text) {
  CashFlowRow* r = Row(row);
  if (r == nullptr) return false;
  try {
    std::optional<Choice> item = ResolveCashItem(FlowType(r->flow), text, texts::kTitleEditDetail);
    if (!item) return false;
    if (Duplicate(row, item->id, r->range, r->counterpart_id)) {
      return Refuse(r->range == texts::kInternal ? texts::kItemCustomerChosen : texts::kItemChosen,
                    texts::kTitleEditDetail);
    }
    r->SetItem(*item);
    Changed(*r);
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
}

bool frmVoucherCashFlow::SetFlow(int row, const std::string& label) {
  CashFlowRow* r = Row(row);
  if (r == nullptr || r->flow == label) return r != nullptr;
  if (!r->SetFlow(label)) return false;
  Changed(*r);
  return true;
}

bool frmVoucherCashFlow::SetRange(int row, const std::string& label) {
  CashFlowRow* r = Row(row);
  if (r == nullptr || r->range == label) return r != nullptr;
  const bool internal = label == texts::kInternal;
  if (Duplicate(row, r->item_id, label, internal ? r->counterpart_id : 0)) {
    return Refuse(texts::kRangeOpen + label +
                      (internal ? texts::kRangeItemCustomerChosen : texts::kRangeItemChosen),
                  texts::kTitleEditDetail);
  }
  if (!r->SetRange(label)) return false;
  Changed(*r);
  return true;
}

bool frmVoucherCashFlow::SetCounterpart(int row, const std::string& text) {
  CashFlowRow* r = Row(row);
  if (r == nullptr || r->range != texts::kInternal) return false;
  try {
    std::optional<Choice> unit = ResolveCounterpart(text, texts::kTitleEditDetail);
    if (!unit) return false;
    if (Duplicate(row, r->item_id, r->range, unit->id)) {
      return Refuse(texts::kItemCustomerChosen, texts::kTitleEditDetail);
    }
    r->SetCounterpart(*unit);
    Changed(*r);
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
}

bool frmVoucherCashFlow::SetAmount(int row, const std::string& text) {
  CashFlowRow* r = Row(row);
  if (r == nullptr) return false;
  std::optional<double> amount = ReadAmount(text, texts::kTitleEditDetail);
  if (!amount) return false;
  r->amount = *amount;
  Changed(*r);
  return true;
}

bool frmVoucherCashFlow::MaintainItems(int row, host::CashItemAction action) {
  const CashFlowRow* r = Row(row);
  const int type = r != nullptr ? FlowType(r->flow) : FlowType(state_.direction_label);
  try {
    return MaintainCashItems(action, type, r != nullptr ? r->item_id : 0);
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
}

// ---- Saving ----------------------------------------------------------------------------------

double frmVoucherCashFlow::StoredAmount(const CashFlowRow& r) const {
  return r.flow == state_.direction_label ? r.amount : -r.amount;
}

// The total the balance rule will compare with the line: with a setting row the rows whose item
// runs the line's way, otherwise inflow and outflow rows alike, as stored.
double frmVoucherCashFlow::AssignedTotal() const {
  double total = 0;
  for (const CashFlowRow& r : state_.rows) {
    if (r.item_id == 0) continue;
    const int type = FlowType(r.flow);
    if (state_.has_setting) {
      if ((type == kInflowType ? 1 : -1) == state_.direction) total += StoredAmount(r);
    } else if (type == kInflowType || type == kOutflowType) {
      total += StoredAmount(r);
    }
  }
  return voucher::RoundTo(total, Decimals());
}

bool frmVoucherCashFlow::CrossCheckInternal() {
  host::Recordset inner = frame::Data().OpenRecordset(
      "select decode(sum(t1.blninneraccount), 0, 0, '', 0, 1) as IsInnerAccount from "
      "innervoucherdetail t1, innervoucherdetailLink t2 where t1.lnginnervoucherdetailid = "
      "t2.lnginnervoucherdetailid and t2.lngvoucherdetailid = " +
      SqlNumber(state_.line_id));
  if (inner.Empty() || inner["IsInnerAccount"].AsLong() != 1) return true;
  const int d = Decimals();
  const double other =
      voucher::RoundTo(InternalSideTotal(state_.voucher_id, state_.line_id, true), d);
  double assigned = 0;
  for (const CashFlowRow& r : state_.rows) {
    if (r.item_id != 0) assigned += StoredAmount(r);
  }
  const double mine =
      voucher::RoundTo(assigned + InternalSideTotal(state_.voucher_id, state_.line_id, false), d);
  if (other == 0 || mine == other) return true;
  return frame::Msg(texts::kInnerThisOpen + voucher::FormatFixed(mine, 2) + texts::kInnerOther +
                        voucher::FormatFixed(other, 2) + texts::kInnerClose,
                    kAskNoFlags, texts::kTitleInformation) == mb::kYes;
}

bool frmVoucherCashFlow::CheckRows() {
  if (!CheckCashAccountLine(state_.line_id, frame::OrganizationId(), frame::OperatorId(),
                            texts::kLineCaption)) {
    return Refuse(texts::kNotCashLine, texts::kTitleImportant);
  }
  const int d = Decimals();
  if (state_.in_out_assign) {
    double in = 0;
    double out = 0;
    for (const CashFlowRow& r : state_.rows) {
      if (r.flow == texts::kInflow) in += r.amount;
      if (r.flow == texts::kOutflow) out += r.amount;
    }
    if (voucher::RoundTo(in, d) != voucher::RoundTo(out, d)) {
      return Refuse(texts::kInOutUnequal, texts::kTitleImportant);
    }
  } else if (AssignedTotal() != voucher::RoundTo(state_.line_amount, d) &&
             frame::Msg(texts::kTotalDiffers, kAskNoFlags, texts::kTitleInformation) != mb::kYes) {
    return false;
  }
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    const CashFlowRow& r = state_.rows[i];
    if (r.item_id != 0 && r.range == texts::kInternal && r.counterpart_id == 0) {
      state_.current_row = static_cast<int>(i) + 1;
      return Refuse(texts::kRow + std::to_string(i + 1) + texts::kInternalNoCustomer,
                    texts::kTitleInformation);
    }
  }
  return true;
}

bool frmVoucherCashFlow::WriteRows() {
  std::string keys;
  std::vector<std::string> pieces;
  for (CashFlowRow& r : state_.rows) {
    if (r.item_id == 0) continue;
    if (r.loaded_item_id != 0) {
      keys += (keys.empty() ? "'" : ",'") + SqlNumber(r.loaded_item_id) + "-" +
              SqlNumber(r.other_id) + "-" + SqlNumber(r.loaded_range) + "-" +
              SqlNumber(r.loaded_counterpart_id) + "'";
    }
    if (r.changed && r.other_id > 0) r.other_id = 0;
    pieces.push_back(SummaryPiece(r.item_text, r.amount));
  }
  const std::string summary = CashFlowSummary(pieces);
  const std::string line = SqlNumber(state_.line_id);
  host::DataAccess& data = frame::Data();
  host::TransactionGuard transaction(data);
  data.Execute("DELETE FROM VoucherCashFlow WHERE lngVoucherDetailID=" + line +
               (keys.empty() ? std::string()
                             : " AND NOT (lngCashItemID || '-' || lngOtherID || '-' || "
                               "lngRangeType || '-' || lngCustomerID  IN (" +
                                   keys + "))"));
  data.Execute("Update VoucherDetail SET strCashFlowCode=" +
               frame::SqlText(summary.empty() ? " " : summary) +
               " WHERE lngVoucherDetailID=" + line);
  for (const CashFlowRow& r : state_.rows) {
    if (r.item_id == 0) continue;
    const long range = RangeType(r.range);
    const long counterpart = range == 1 ? r.counterpart_id : 0;
    if (r.loaded_item_id != 0) {
      data.Execute("UPDATE VoucherCashFlow SET lngCashItemID=" + SqlNumber(r.item_id) +
                   ",lngOtherID=" + SqlNumber(r.other_id) +
                   ",dblAmount=" + Amount(StoredAmount(r)) + ",lngRangeType = " + SqlNumber(range) +
                   ",lngCustomerID = " + SqlNumber(counterpart) +
                   ",blnIsNotComputer=1 WHERE lngVoucherDetailID= " + line + " AND lngCashItemID=" +
                   SqlNumber(r.loaded_item_id) + " AND lngOtherID=" + SqlNumber(r.loaded_other_id) +
                   " And lngCustomerID = " + SqlNumber(r.loaded_counterpart_id) +
                   " And lngRangeType = " + SqlNumber(r.loaded_range));
    } else {
      data.Execute(
          "INSERT INTO VoucherCashFlow ( lngVoucherDetailID,lngCashItemID,lngOtherID,dblAmount,"
          "blnIsNotComputer,lngRangeType,lngCustomerID) VALUES ( " +
          line + "," + SqlNumber(r.item_id) + ",0," + Amount(StoredAmount(r)) + ",1," +
          SqlNumber(range) + "," + SqlNumber(counterpart) + ")");
    }
  }
  transaction.Commit();
  state_.summary = summary;
  return true;
}

bool frmVoucherCashFlow::Save() {
  try {
    if (!CrossCheckInternal()) return false;
    if (state_.dirty) {
      if (PeriodRefused(state_.voucher_id) || !CheckRows() || !WriteRows()) return false;
    }
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
  Finish();
  return true;
}

bool frmVoucherCashFlow::Close() {
  if (state_.dirty &&
      frame::Msg(texts::kSaveAsk, mb::kYesNo + mb::kQuestion, texts::kTitleRemind) == mb::kYes) {
    return false;
  }
  Finish();
  return true;
}

void frmVoucherCashFlow::Finish() {
  state_.dirty = false;
  state_.closed = true;
  try {
    PurgeCashFlowRows(state_.line_id);
  } catch (const host::DatabaseError& e) {
    Failed(e);
  }
}

bool frmVoucherCashFlow::BatchAssign() {
  try {
    if (state_.dirty) {
      if (!CrossCheckInternal() || PeriodRefused(state_.voucher_id) || !CheckRows() ||
          !WriteRows()) {
        return false;
      }
      state_.dirty = false;
    }
    frmCashFlowAuto2 batch;
    bool saved = false;
    batch.ShowMe(state_.voucher_id, 0, saved);
    if (!saved) return false;
    LoadRows();
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
}

}  // namespace lumvoucher::cashflow
