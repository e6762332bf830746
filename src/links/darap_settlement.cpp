#include "links/darap_settlement.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/voucher_conflict.h"
#include "host/data_access.h"
#include "links/settlement_texts.h"

namespace lumvoucher::links {

namespace {

using frame::SqlNumber;
using frame::SqlText;

std::string N(long value) {
  return std::to_string(value);
}

// strSysDate: the time of writing.
std::string TimeNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string FieldName(int field) {
  return "lngFieldID" + frame::ZeroPad(field, 2);
}

// DARAPDetail.lngFieldID01, ..., lngFieldID30, each followed by ", ".
std::string FieldColumns() {
  std::string out;
  for (int f = 1; f <= kSegments; ++f) out += "DARAPDetail." + FieldName(f) + ", ";
  return out;
}

// The display columns shared by the open-item query and the settled-item query.
std::string ItemColumns(const VoucherTables& t) {
  return "Select DARAPDetail.lngDARAPDetailID, DARAPDetail.lngRowID, darap.blnInit, "
         "nvl(voucherdetail.lngVoucherDetailID,0) As lngVDetailID, "
         "decode(darap.blnInit,1,DARAPDetail.strDate,v.strDate) As strItemDate, "
         "decode(darap.blnInit,1,DARAPDetail.intVoucherNO,v.intVoucherNO) As intItemNO, "
         "vt.strVoucherTypeCode, DARAPDetail.strRemark, DARAPDetail.intDirection, "
         "DARAPDetail.dblRate, DARAPDetail.dblAmount, DARAPDetail.dblCurrPaymentAmount, "
         "DARAPDetail.dblCurrPaymentAmount1, c.strCustomerName, at.strAccountCode, "
         "at.strAccountName, dp.strDepartmentName, e.strEmployeeName, c1.strClassName As "
         "strClass1, c2.strClassName As strClass2, it.strItemName, cur.bytRateDec, " +
         FieldColumns() +
         "flexId2codeorname(DARAPDetail.strFlexibleID,DARAPDetail.lngOrganizationID,"
         "DARAPDetail.lngAccountID,2) As strSmart From DARAP darap, "
         "DARAPDetail DARAPDetail, Account at, " +
         t.detail + " voucherdetail, " + t.voucher +
         " v, VoucherType vt, Customer c, Department dp, Employee e, Class1 c1, Class2 c2, "
         "Item it, Currencys cur Where "
         "darap.lngDARAPID = DARAPDetail.lngDARAPID And at.lngAccountID = darap.lngAccountID "
         "And darap.lngVoucherDetailID = voucherdetail.lngVoucherDetailID(+) And "
         "voucherdetail.lngVoucherID = v.lngVoucherID(+) And "
         "vt.lngVoucherTypeID(+) = DARAPDetail.lngVoucherTypeID And "
         "c.lngCustomerID(+) = darap.lngCustomerID And "
         "dp.lngDepartmentID(+) = darap.lngDepartmentID And "
         "e.lngEmployeeID(+) = darap.lngEmployeeID And "
         "c1.lngClassID(+) = DARAPDetail.lngClassID1 And "
         "c2.lngClassID(+) = DARAPDetail.lngClassID2 And "
         "it.lngItemID(+) = DARAPDetail.lngItemID And "
         "cur.lngCurrencyID(+) = DARAPDetail.lngCurrencyID";
}

// The names of the segment values an item names, by field id.
std::map<long, std::string> SegmentNames(const std::vector<long>& ids) {
  std::map<long, std::string> names;
  if (ids.empty()) return names;
  std::string list;
  for (long id : ids) list += (list.empty() ? "" : ",") + N(id);
  for (host::Recordset rs = frame::Data().OpenRecordset(
           "Select lngFieldID, strFieldName From FlexibleFieldDetail Where lngFieldID In (" + list +
           ")");
       !rs.Eof(); rs.MoveNext()) {
    names[static_cast<long>(rs["lngFieldID"].AsLong())] = rs["strFieldName"].AsText();
  }
  return names;
}

OpenItem ItemOf(host::Recordset& rs) {
  OpenItem item;
  item.darap_detail_id = static_cast<long>(rs["lngDARAPDetailID"].AsLong());
  item.voucher_detail_id = static_cast<long>(rs["lngVDetailID"].AsLong());
  item.date = rs["strItemDate"].AsText();
  item.voucher_text =
      rs["strVoucherTypeCode"].AsText() + " " + frame::ZeroPad(rs["intItemNO"].AsLong(), 6);
  item.remark = rs["strRemark"].AsText();
  item.unit = rs["strCustomerName"].AsText();
  item.account = rs["strAccountCode"].AsText() + " " + rs["strAccountName"].AsText();
  item.department = rs["strDepartmentName"].AsText();
  item.employee = rs["strEmployeeName"].AsText();
  item.direction = static_cast<int>(rs["intDirection"].AsLong());
  item.rate = rs["dblRate"].AsDouble();
  item.amount = rs["dblAmount"].AsDouble();
  item.base_open = item.amount - rs["dblCurrPaymentAmount"].AsDouble();
  item.touched =
      rs["dblCurrPaymentAmount"].AsDouble() != 0 || rs["dblCurrPaymentAmount1"].AsDouble() != 0;
  item.init = rs["blnInit"].AsLong() == 1;
  item.row_id = static_cast<long>(rs["lngRowID"].AsLong());
  item.class1 = rs["strClass1"].AsText();
  item.class2 = rs["strClass2"].AsText();
  item.item = rs["strItemName"].AsText();
  item.smart = rs["strSmart"].AsText();
  item.rate_decimals = rs["bytRateDec"].IsNull() ? 4 : static_cast<int>(rs["bytRateDec"].AsLong());
  for (int f = 1; f <= kSegments; ++f) {
    item.field_ids[static_cast<std::size_t>(f - 1)] = static_cast<long>(rs[FieldName(f)].AsLong());
  }
  return item;
}

using Columns = std::vector<std::pair<std::string, std::string>>;

// ",a,b" and ",1,2" of an insert, "a=1,b=2" of an update.
std::string Names(const Columns& columns) {
  std::string out;
  for (const auto& c : columns) out += "," + c.first;
  return out;
}
std::string Values(const Columns& columns) {
  std::string out;
  for (const auto& c : columns) out += "," + c.second;
  return out;
}
std::string Assignments(const Columns& columns) {
  std::string out;
  for (const auto& c : columns) out += (out.empty() ? "" : ",") + c.first + "=" + c.second;
  return out;
}

std::string FlexibleKey(const std::string& flexible_id) {
  return flexible_id.find_first_not_of(' ') == std::string::npos ? std::string(" ") : flexible_id;
}

}  // namespace

std::vector<OpenItem> LoadOpenItems(const SettlementLine& line, const VoucherTables& tables) {
  host::DataAccess& data = frame::Data();
  std::string sql = ItemColumns(tables) +
                    " And darap.lngOrganizationID = " + N(frame::OrganizationId()) +
                    " And darap.lngAccountID = " + N(line.account_id) +
                    " And darap.lngCustomerID = " + N(line.customer_id) +
                    " And darap.lngCurrencyID = " + N(line.currency_id) +
                    " And darap.lngDepartmentID = " + N(line.department_id) +
                    " And darap.lngEmployeeID = " + N(line.employee_id) +
                    " And darap.lngClassID1 = " + N(line.class1_id) +
                    " And darap.lngClassID2 = " + N(line.class2_id) +
                    " And darap.strFlexibleId = " + SqlText(FlexibleKey(line.flexible_id)) +
                    " And decode(darap.blnInit,1,DARAPDetail.strDate,v.strDate) <= " +
                    SqlText(line.voucher_date) +
                    " And at.intdirection*darap.intdirection=1"
                    " And abs(DARAPDetail.Dblamount-DARAPDetail.Dblcurrpaymentamount)>0.00000001";
  if (!line.dirtion && line.line_id != 0) {
    sql += " And (darap.blninit=1 or voucherdetail.lngvoucherdetailid <> " + N(line.line_id) + ")";
  }
  std::vector<OpenItem> items;
  std::map<long, std::size_t> by_detail;
  for (host::Recordset rs = data.OpenRecordset(sql); !rs.Eof(); rs.MoveNext()) {
    by_detail[static_cast<long>(rs["lngDARAPDetailID"].AsLong())] = items.size();
    items.push_back(ItemOf(rs));
  }
  if (line.line_id != 0) {
    // What this line settled comes back into the grid, open by that much again.
    host::Recordset rs = data.OpenRecordset(
        "Select lngRActivityDetailID, dblCurrPaymentAmount From DARAPSettlement Where "
        "lngVoucherDetailID = " +
        N(line.line_id));
    std::map<long, double> shares;
    for (; !rs.Eof(); rs.MoveNext()) {
      shares[static_cast<long>(rs["lngRActivityDetailID"].AsLong())] +=
          rs["dblCurrPaymentAmount"].AsDouble();
    }
    for (const auto& [detail, amount] : shares) {
      auto found = by_detail.find(detail);
      if (found == by_detail.end()) {
        host::Recordset one = data.OpenRecordset(
            ItemColumns(tables) + " And DARAPDetail.lngDARAPDetailID = " + N(detail));
        if (one.Empty()) continue;
        by_detail[detail] = items.size();
        items.push_back(ItemOf(one));
        found = by_detail.find(detail);
      }
      OpenItem& item = items[found->second];
      item.settled_here = amount;
      item.base_open += amount;
    }
  }
  std::vector<long> field_ids;
  for (const OpenItem& item : items) {
    for (long id : item.field_ids) {
      if (id != 0) field_ids.push_back(id);
    }
  }
  const std::map<long, std::string> names = SegmentNames(field_ids);
  for (OpenItem& item : items) {
    for (std::size_t f = 0; f < item.field_ids.size(); ++f) {
      auto found = names.find(item.field_ids[f]);
      if (found != names.end()) item.fields[f] = found->second;
    }
  }
  std::stable_sort(items.begin(), items.end(), [](const OpenItem& a, const OpenItem& b) {
    return a.date != b.date ? a.date < b.date : a.voucher_text < b.voucher_text;
  });
  return items;
}

void WriteSettlement(const SettlementBooking& b, const SettlementSplit& split,
                     const VoucherTables& tables) {
  host::DataAccess& data = frame::Data();
  host::LoginContext& login = frame::Context();
  const std::string line = N(b.line_id);
  // The amounts the line settled before, given back to the items below.
  std::map<long, double> old;
  for (host::Recordset rs = data.OpenRecordset(
           "Select lngRActivityDetailID, dblCurrPaymentAmount From DARAPSettlement Where "
           "lngVoucherDetailID = " +
           line);
       !rs.Eof(); rs.MoveNext()) {
    old[static_cast<long>(rs["lngRActivityDetailID"].AsLong())] +=
        rs["dblCurrPaymentAmount"].AsDouble();
  }
  // Only what this line settled goes: other lines' settlements of its item stand, so the item
  // is rebooked in place with its id and its settled total.
  data.Execute("DELETE  FROM DARAPSettlement WHERE LNGVOUCHERDETAILID =" + line);
  host::Recordset vd =
      data.OpenRecordset("Select * From " + tables.detail + " Where lngVoucherDetailID=" + line);
  host::Recordset stored = data.OpenRecordset(
      "Select d.lngDARAPID, d.lngDARAPDetailID From DARAP a, DARAPDetail d Where "
      "a.lngDARAPID = d.lngDARAPID And a.lngVoucherDetailID=" +
      line);
  if (vd.Empty()) {
    data.Execute(
        "Delete From DARAPDetail Where lngDARAPID in (Select lngDARAPID From DARAP Where "
        "lngVoucherDetailID= " +
        line + ")");
    data.Execute(" DELETE FROM DARAP WHERE lngVoucherDetailID= " + line);
    return;
  }
  long item = 0;
  long field_no = 0;
  std::string field_id = "0";
  const std::string flexible = FlexibleKey(vd["strFlexibleId"].AsText());
  {
    host::Recordset fc = data.OpenRecordset(
        "Select fc.lngItemID, fc.lngFieldID, f.intFieldNO From FlexibleCheck fc, "
        "FlexibleFieldDetail f Where f.lngFieldID(+) = fc.lngFieldID And fc.strFlexibleID = " +
        SqlText(flexible));
    if (!fc.Empty()) {
      item = static_cast<long>(fc["lngItemID"].AsLong());
      field_no = static_cast<long>(fc["intFieldNO"].AsLong());
      field_id = N(fc["lngFieldID"].AsLong());
    }
  }
  Columns common;
  common.emplace_back("strDate", SqlText(b.date));
  for (const char* column : {"lngAccountID", "lngCustomerID", "lngDepartmentID", "lngEmployeeID",
                             "lngClassID1", "lngClassID2", "lngCurrencyID", "intDirection"}) {
    common.emplace_back(column, N(vd[column].AsLong()));
  }
  common.emplace_back("strFlexibleId", SqlText(flexible));
  common.emplace_back("lngItemID", N(item));
  const bool rebook = !stored.Empty();
  for (int f = 1; f <= kSegments; ++f) {
    // A new item leaves the segments it does not name at their default; a rebooked one clears
    // those of its previous key.
    if (f == field_no || rebook) common.emplace_back(FieldName(f), f == field_no ? field_id : "0");
  }
  common.emplace_back("lngOrganizationID", N(frame::OrganizationId()));
  Columns booked = common;
  booked.insert(booked.end(), {{"lngRowID", N(vd["lngRowID"].AsLong())},
                               {"lngVoucherTypeID", N(b.voucher_type_id)},
                               {"intVoucherNO", N(b.voucher_no)},
                               {"strRemark", SqlText(vd["strRemark"].AsText())},
                               {"dblRate", SqlNumber(vd["dblRate"].AsDouble())},
                               {"dblAmount", SqlNumber(vd["dblAmount"].AsDouble())},
                               {"dblCurrAmount", SqlNumber(vd["dblCurrencyAmount"].AsDouble())},
                               {"strSysDate", SqlText(TimeNow())}});
  long detail_id = 0;
  if (rebook) {
    detail_id = static_cast<long>(stored["lngDARAPDetailID"].AsLong());
    data.Execute("Update DARAP Set " + Assignments(common) +
                 " Where lngDARAPID=" + N(stored["lngDARAPID"].AsLong()));
    data.Execute("Update DARAPDetail Set " + Assignments(booked) +
                 " Where lngDARAPDetailID=" + N(detail_id));
  } else {
    const long darap_id = login.NextId("DARAP");
    common.insert(
        common.end(),
        {{"blnInit", "0"}, {"lngVoucherDetailID", line}, {"lngVoucherID", N(b.voucher_id)}});
    data.Execute("Insert Into DARAP (lngDARAPID" + Names(common) + ") Values (" + N(darap_id) +
                 Values(common) + ")");
    detail_id = login.NextId("DARAPDetail");
    booked.emplace_back("dblCurrPaymentAmount", "0");
    data.Execute("Insert Into DARAPDetail (lngDARAPDetailID,lngDARAPID" + Names(booked) +
                 ") Values (" + N(detail_id) + "," + N(darap_id) + Values(booked) + ")");
  }

  std::map<long, double> now;
  for (const SettlementShare& s : split.shares) {
    if (s.amount == 0) continue;
    const bool exists = now.count(s.darap_detail_id) != 0;
    now[s.darap_detail_id] += s.amount;
    if (exists) {
      data.Execute(" Update DARAPSettlement Set dblCurrPaymentAmount=(" +
                   SqlNumber(now[s.darap_detail_id]) + "),strDate=" + SqlText(b.date) +
                   " Where lngActivityDetailID=" + N(detail_id) + " And lngRActivityDetailID=" +
                   N(s.darap_detail_id) + " And lngOrganizationID=" + N(frame::OrganizationId()));
    } else {
      data.Execute(
          " Insert Into DARAPSettlement (lngActivityDetailID, lngRActivityDetailID, "
          "dblCurrPaymentAmount,blnIsAutoCheck,strDate,lngOperatorID, "
          "lngOrganizationID,lngVoucherDetailID,lngRVoucherDetailID) VALUES ( " +
          N(detail_id) + "," + N(s.darap_detail_id) + "," + SqlNumber(s.amount) + ",1,'" + b.date +
          "'," + N(frame::OperatorId()) + "," + N(frame::OrganizationId()) + "," + line + "," +
          N(s.voucher_detail_id) + ")");
    }
  }
  for (const auto& [settled, amount] : old) now.try_emplace(settled, 0.0);
  for (const auto& [settled, amount] : now) {
    auto was = old.find(settled);
    const double before = was == old.end() ? 0.0 : was->second;
    if (before == amount) continue;
    data.Execute("Update DaRAPDetail Set dblCurrPaymentAmount=dblCurrPaymentAmount-" +
                 SqlNumber(before) + "+" + SqlNumber(amount) +
                 " Where lngDARAPDetailID=" + N(settled));
  }
}

namespace {

// How much other lines settled of the item the line booked; nullopt when none did.
std::optional<double> SettledByOthers(long line_id) {
  const std::string line = N(line_id);
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select Count(*) As intCount, Nvl(Sum(dblCurrPaymentAmount),0) As dblSettled From "
      "DARAPSettlement Where lngRVoucherDetailID = " +
      line + " And lngVoucherDetailID <> " + line);
  if (rs.Empty() || rs["intCount"].AsLong() == 0) return std::nullopt;
  return rs["dblSettled"].AsDouble();
}

}  // namespace

bool ItemSettledByOthers(long line_id) {
  return SettledByOthers(line_id).has_value();
}

bool KeepSettledItem(long line_id, bool key_changed, double amount) {
  const std::optional<double> settled = SettledByOthers(line_id);
  if (!settled) return false;
  if (key_changed) throw frame::VoucherConflict(texts::kSettledItemMoved);
  if (amount - *settled < -1e-9) throw frame::VoucherConflict(texts::kSettledItemBelow);
  return true;
}

void KeepSettlementsDated(long voucher_id, const std::string& date) {
  const std::string id = N(voucher_id);
  host::DataAccess& data = frame::Data();
  host::Recordset rs = data.OpenRecordset(
      "Select Min(v.strDate) As strDate From DARAPSettlement s, VoucherDetail vd, VoucherDetail "
      "sd, Voucher v Where s.lngRVoucherDetailID = vd.lngVoucherDetailID And vd.lngVoucherID = " +
      id +
      " And sd.lngVoucherDetailID = s.lngVoucherDetailID And v.lngVoucherID = sd.lngVoucherID "
      "And v.lngVoucherID <> " +
      id);
  const std::string earliest = rs.Empty() ? std::string() : rs["strDate"].AsText();
  if (!earliest.empty() && date > earliest) throw frame::VoucherConflict(texts::kSettledItemLater);
  rs = data.OpenRecordset(
      "Select Max(decode(a.blnInit,1,d.strDate,v.strDate)) As strDate From DARAPSettlement s, "
      "VoucherDetail sd, DARAPDetail d, DARAP a, VoucherDetail vd, Voucher v Where "
      "s.lngVoucherDetailID = sd.lngVoucherDetailID And sd.lngVoucherID = " +
      id +
      " And d.lngDARAPDetailID = s.lngRActivityDetailID And a.lngDARAPID = d.lngDARAPID And "
      "vd.lngVoucherDetailID(+) = a.lngVoucherDetailID And v.lngVoucherID(+) = vd.lngVoucherID");
  const std::string latest = rs.Empty() ? std::string() : rs["strDate"].AsText();
  if (!latest.empty() && date < latest) throw frame::VoucherConflict(texts::kSettlingEarlier);
}

bool WithdrawSettlement(long settling_detail_id, long line_id) {
  host::DataAccess& data = frame::Data();
  host::TransactionGuard transaction(data);
  const std::string settling = N(settling_detail_id), line = N(line_id);
  host::Recordset rs =
      data.OpenRecordset("select * from darapsettlement t where lngactivitydetailid=" + settling +
                         " AND lngrvoucherdetailid = " + line);
  if (rs.Empty()) return false;
  std::vector<std::pair<long, double>> settled;
  for (; !rs.Eof(); rs.MoveNext()) {
    settled.emplace_back(static_cast<long>(rs["lngRActivityDetailID"].AsLong()),
                         rs["dblCurrPaymentAmount"].AsDouble());
  }
  data.Execute("DELETE from darapsettlement t where lngactivitydetailid=" + settling +
               " AND lngrvoucherdetailid = " + line);
  data.Execute("Delete from darapdetail where lngDarapdetailid=" + settling);
  for (const auto& [detail, amount] : settled) {
    data.Execute("update  darapdetail set dblcurrpaymentamount=dblcurrpaymentamount-" +
                 SqlNumber(amount) + " where lngDarapdetailid=" + N(detail));
  }
  data.Execute(
      "delete from darap where not exists (select 1 from darapdetail where "
      "darapdetail.lngdarapid=darap.lngdarapid)");
  transaction.Commit();
  return true;
}

double VoucherSettledTotal(long voucher_id, const VoucherTables& tables) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select nvl(sum(d.dblCurrPaymentAmount), 0) as dblCurrPaymentAmount "
      "FROM DaRAPDetail d"
      " Where d.lngDARAPDetailID"
      " in (select s.lngActivityDetailID from DARAPSettlement s," +
      std::string(tables.detail == "VoucherDetail" ? "VOUCHERDETAIL" : tables.detail) +
      " vd"
      " Where s.lngVoucherDetailID = vd.lngVoucherDetailID"
      " and vd.lngVoucherID = " +
      N(voucher_id) + ")");
  return rs.Empty() ? 0.0 : rs["dblCurrPaymentAmount"].AsDouble();
}

}  // namespace lumvoucher::links
