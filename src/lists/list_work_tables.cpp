#include "lists/list_work_tables.h"

#include <string>

#include "frame/login_state.h"
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

void EnsureErrorListTables() {
  EnsureCountTable(kVoucherDetailNumTempS);
  EnsureCountTable(kVoucherDetailRightNumTempS);
}

}  // namespace lumvoucher::lists
