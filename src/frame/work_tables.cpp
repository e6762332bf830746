#include "frame/work_tables.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "frame/login_state.h"
#include "frame/sql_text.h"

namespace lumvoucher::frame {

namespace {

struct WorkTable {
  const char* name;
  std::vector<const char*> columns;
  const char* primary_key;
  std::vector<const char*> indexed;
};

const std::vector<WorkTable>& ListTables() {
  static const std::vector<WorkTable> tables = {
      {kVoucherListRightTmp,
       {"lngVoucherListRightTmpID", "lngvoucherid"},
       "LNGVOUCHERID, lngVoucherListRightTmpID",
       {"lngvoucherid", "lngVoucherListRightTmpID"}},
      {kVoucherListNumTemp,
       {"lngVoucherListNumTempID", "lngdetailnum", "lngoperatorid", "lngvoucherid"},
       "lngVoucherListNumTempID",
       {"lngvoucherid", "lngoperatorid"}},
      {kVoucherListRightNumTemp,
       {"lngVoucherListRightNumTempID", "lngdetailnum", "lngoperatorid", "lngvoucherid"},
       "lngVoucherListRightNumTempID",
       {"lngvoucherid", "lngoperatorid"}},
  };
  return tables;
}

const WorkTable& StdFinaceTable() {
  static const WorkTable table = {kStdFinaceTmp,
                                  {"lngStdFinaceTmpid", "lngvoucherid"},
                                  "LNGVOUCHERID, LNGSTDFINACETMPID",
                                  {"lngStdFinaceTmpid", "lngvoucherid"}};
  return table;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool Ensure(const WorkTable& table) {
  if (WorkTableExists(table.name)) return false;
  std::string create = std::string("create table ") + table.name + " (";
  for (const char* column : table.columns)
    create += std::string(column) + " NUMBER(10) default 0 not null, ";
  // Oracle names are limited to 30 characters: keys and indexes take short suffixes.
  create +=
      std::string("constraint PK_") + table.name + " primary key (" + table.primary_key + "))";
  Data().Execute(create);
  int n = 0;
  for (const char* column : table.indexed) {
    Data().Execute(std::string("create index ") + table.name + "_I" + std::to_string(++n) + " on " +
                   table.name + " (" + column + ")");
  }
  Data().Execute(std::string("create sequence ") + table.name +
                 "_SEQ minvalue 1 maxvalue 9999999999 start with 100 increment by 1 cache 20");
  return true;
}

}  // namespace

bool WorkTableExists(std::string_view name) {
  return !Data()
              .OpenRecordset("select * from user_all_tables t where t.table_name=" +
                             SqlText(Upper(name)))
              .Empty();
}

bool EnsureWorkTable(std::string_view name) {
  for (const WorkTable& table : ListTables()) {
    if (Upper(table.name) == Upper(name)) return Ensure(table);
  }
  throw std::invalid_argument("not a work table of the voucher lists: " + std::string(name));
}

bool EnsureStdFinaceTmp() {
  return Ensure(StdFinaceTable());
}

}  // namespace lumvoucher::frame
