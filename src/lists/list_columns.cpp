#include "lists/list_columns.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/data_access.h"

namespace lumvoucher::lists {

std::vector<ColumnDef> ConfiguredColumns(long list_id) {
  using frame::SqlNumber;
  host::DataAccess& data = frame::Data();
  const long own = frame::OperatorId();
  host::Recordset mine = data.OpenRecordset(
      "Select Count(1) As n From ListField Where lngListID=" + SqlNumber(list_id) +
      " And lngOperatorID=" + SqlNumber(own));
  const long layout = mine["n"].AsLong() > 0 ? own : 0;
  host::Recordset rs = data.OpenRecordset(
      "Select ViewField.lngViewFieldID,ViewField.strViewFieldDesc,ViewField.strFieldName,"
      "ViewField.blnIsFilter From ListField,ViewField"
      " Where ListField.lngViewFieldID=ViewField.lngViewFieldID And ListField.lngListID=" +
      SqlNumber(list_id) + " And ListField.lngOperatorID=" + SqlNumber(layout) +
      " And ListField.blnIsVisible=1 Order By ListField.intOrder,ViewField.lngViewFieldID");
  std::vector<ColumnDef> columns;
  for (; !rs.Eof(); rs.MoveNext()) {
    columns.push_back({static_cast<long>(rs["lngViewFieldID"].AsLong()),
                       rs["strViewFieldDesc"].AsText(), rs["strFieldName"].AsText(),
                       rs["blnIsFilter"].AsBool()});
  }
  return columns;
}

}  // namespace lumvoucher::lists
