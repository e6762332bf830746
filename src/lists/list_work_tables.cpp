#include "lists/list_work_tables.h"

#include <string>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/work_tables.h"
#include "host/recordset.h"

namespace lumvoucher::lists {

namespace {

void EnsureCountTable(const std::string& name) {
  if (frame::WorkTableExists(name)) return;
  host::DataAccess& data = frame::Data();
  data.Execute("create table " + name + " (lng" + name +
               "ID NUMBER(10) default 0 not null, lngdetailnum NUMBER(10) default 0 not null, "
               "lngoperatorid NUMBER(10) default 0 not null, lngvoucherid NUMBER(10) default 0 "
               "not null, constraint PK_" +
               name + " primary key (lng" + name + "ID))");
  data.Execute("create index " + name + "_I1 on " + name + " (lngvoucherid)");
  data.Execute("create index " + name + "_I2 on " + name + " (lngoperatorid)");
  data.Execute("create sequence " + name +
               "_SEQ minvalue 1 maxvalue 9999999999 start with 100 increment by 1 cache 20");
}

// Under a key never used there is nothing to compare or delete. A count insert numbers each
// row its table's highest key before it plus the voucher's id, so a voucher's two count rows
// lie a fixed distance apart and the key table finds one from the other by its primary key:
// matched by voucher alone, each row went through the voucher index, which holds every open
// list's rows, and back to the table (half the key table's cost). The distance is read from
// each table's highest row when both are this key's; when another desktop's fill wrote after
// ours the rows are matched by voucher alone.
void FirstFill(long key, std::string_view scope, std::span<const RightsDimension* const> dimensions,
               std::string_view from) {
  host::DataAccess& data = frame::Data();
  data.Execute(LineCountInsert(frame::kVoucherListNumTemp, key, scope, from));
  data.Execute(PermittedCountInsert(frame::kVoucherListRightNumTemp, key, scope, dimensions,
                                    frame::OperatorId(), frame::OrganizationId(), from));
  const std::string k = frame::SqlNumber(key);
  const auto base = [&k](const std::string& table) {
    const std::string id = "lng" + table + "ID";
    return "(Select " + id + "-lngVoucherID From " + table + " Where lngOperatorID=" + k + " And " +
           id + "=(Select Max(" + id + ") From " + table + "))";
  };
  const host::Value offset =
      data.OpenRecordset("Select " + base("VoucherListRightNumTemp") + "-" +
                         base("VoucherListNumTemp") + " As lngOffset From dual")["lngOffset"];
  data.Execute(
      "Insert Into VoucherListRightTmp (lngVoucherListRightTmpID,lngVoucherID) Select " + k +
      ",n.lngVoucherID From VoucherListNumTemp n,VoucherListRightNumTemp r Where n.lngOperatorID=" +
      k +
      (offset.IsNull() ? std::string()
                       : " And r.lngVoucherListRightNumTempID=n.lngVoucherListNumTempID+(" +
                             frame::SqlNumber(offset.AsLong()) + ")") +
      " And r.lngOperatorID=" + k +
      " And r.lngVoucherID=n.lngVoucherID And r.lngDetailNum=n.lngDetailNum");
}

}  // namespace

long FillVoucherListRights(long key, std::string_view scope,
                           std::span<const RightsDimension* const> dimensions,
                           std::string_view from) {
  host::DataAccess& data = frame::Data();
  frame::EnsureWorkTable(frame::kVoucherListRightTmp);
  frame::EnsureWorkTable(frame::kVoucherListNumTemp);
  frame::EnsureWorkTable(frame::kVoucherListRightNumTemp);
  if (key == 0) {
    host::Recordset rs =
        data.OpenRecordset("Select VoucherListRightTmp_SEQ.nextval As lngKey From dual");
    key = static_cast<long>(rs["lngKey"].AsLong());
    FirstFill(key, scope, dimensions, from);
    return key;
  }
  const std::string k = frame::SqlNumber(key);
  // A refresh keeps the rows whose counts still hold and writes those of the vouchers that
  // changed: deleting and writing every row again cost as much as reading the counts. A
  // permitted count stays while both its counts match a fresh count of the voucher in scope;
  // the line counts follow it, so the two tables always hold the same vouchers. The key table
  // agrees with them after every fill, so it changes only when they did.
  // Not In over a subquery the server reads once: the work tables may have no statistics yet,
  // and a join the planner sized from none can compare every row with every other.
  const std::int64_t stale = data.Execute(
      "Delete From VoucherListRightNumTemp Where lngOperatorID=" + k +
      " And lngVoucherID Not In (Select c.lngVoucherID From (" +
      VoucherCountsText(scope, dimensions, frame::OperatorId(), frame::OrganizationId(), from) +
      ") c,VoucherListNumTemp n,VoucherListRightNumTemp r Where n.lngOperatorID=" + k +
      " And n.lngVoucherID=c.lngVoucherID And n.lngDetailNum=c.lngDetailNum And r.lngOperatorID=" +
      k + " And r.lngVoucherID=c.lngVoucherID And r.lngDetailNum=c.lngRightNum)");
  if (stale > 0) {
    data.Execute("Delete From VoucherListNumTemp Where lngOperatorID=" + k +
                 " And lngVoucherID Not In (Select lngVoucherID From VoucherListRightNumTemp "
                 "Where lngOperatorID=" +
                 k + ")");
  }
  const std::int64_t added =
      data.Execute(LineCountInsert(frame::kVoucherListNumTemp, key, scope, from));
  if (added > 0) {
    data.Execute(PermittedCountInsert(frame::kVoucherListRightNumTemp, key, scope, dimensions,
                                      frame::OperatorId(), frame::OrganizationId(), from));
  }
  if (stale == 0 && added == 0) return key;
  const std::string agreeing =
      " From VoucherListNumTemp n,VoucherListRightNumTemp r Where n.lngOperatorID=" + k +
      " And r.lngOperatorID=" + k +
      " And r.lngVoucherID=n.lngVoucherID And r.lngDetailNum=n.lngDetailNum";
  data.Execute("Delete From VoucherListRightTmp Where lngVoucherListRightTmpID=" + k +
               " And lngVoucherID Not In (Select n.lngVoucherID" + agreeing + ")");
  data.Execute("Insert Into VoucherListRightTmp (lngVoucherListRightTmpID,lngVoucherID) Select " +
               k + ",n.lngVoucherID" + agreeing +
               " And n.lngVoucherID Not In (Select lngVoucherID From VoucherListRightTmp Where "
               "lngVoucherListRightTmpID=" +
               k + ")");
  return key;
}

void ClearVoucherListRights(long key) {
  host::DataAccess& data = frame::Data();
  data.Execute(DeleteByKey(frame::kVoucherListRightTmp, "lngVoucherListRightTmpID", key));
  data.Execute(DeleteByKey(frame::kVoucherListNumTemp, "lngOperatorID", key));
  data.Execute(DeleteByKey(frame::kVoucherListRightNumTemp, "lngOperatorID", key));
}

std::unordered_set<std::int64_t> KeyTableVouchers(long key) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngVoucherID From VoucherListRightTmp Where lngVoucherListRightTmpID=" +
      frame::SqlNumber(key));
  std::unordered_set<std::int64_t> ids;
  ids.reserve(rs.Rows().size());
  for (const host::Recordset::Row& row : rs.Rows()) ids.insert(row.at(0).AsLong());
  return ids;
}

void RestrictToKeyTable(long key, ListQuery& query) {
  query.restriction_tables = ",VoucherListRightTmp";
  query.restriction =
      " And VoucherListRightTmp.lngVoucherID=Voucher.lngVoucherID"
      " And VoucherListRightTmp.lngVoucherListRightTmpID=" +
      frame::SqlNumber(key);
}

void EnsureErrorListTables() {
  EnsureCountTable(kVoucherDetailNumTempS);
  EnsureCountTable(kVoucherDetailRightNumTempS);
}

}  // namespace lumvoucher::lists
