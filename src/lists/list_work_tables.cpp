#include "lists/list_work_tables.h"

#include <string>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/work_tables.h"

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
  }
  const std::string k = frame::SqlNumber(key);
  ClearVoucherListRights(key);
  data.Execute(LineCountInsert(frame::kVoucherListNumTemp, key, scope, from));
  data.Execute(PermittedCountInsert(frame::kVoucherListRightNumTemp, key, scope, dimensions,
                                    frame::OperatorId(), frame::OrganizationId(), from));
  data.Execute(
      "Insert Into VoucherListRightTmp (lngVoucherListRightTmpID,lngVoucherID) Select " + k +
      ",n.lngVoucherID From VoucherListNumTemp n,VoucherListRightNumTemp r Where n.lngOperatorID=" +
      k + " And r.lngOperatorID=" + k +
      " And r.lngVoucherID=n.lngVoucherID And r.lngDetailNum=n.lngDetailNum");
  return key;
}

void ClearVoucherListRights(long key) {
  host::DataAccess& data = frame::Data();
  data.Execute(DeleteByKey(frame::kVoucherListRightTmp, "lngVoucherListRightTmpID", key));
  data.Execute(DeleteByKey(frame::kVoucherListNumTemp, "lngOperatorID", key));
  data.Execute(DeleteByKey(frame::kVoucherListRightNumTemp, "lngOperatorID", key));
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
