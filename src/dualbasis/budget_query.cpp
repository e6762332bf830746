#include "dualbasis/budget_query.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/recordset.h"

namespace lumvoucher::dualbasis {

namespace {

using frame::SqlNumber;
using frame::SqlText;

std::string PeriodExpression(const std::string& column, bool quarterly) {
  return quarterly ? "trunc((" + column + "-1)/3)+1" : column;
}

std::string IdList(const std::vector<long>& ids) {
  std::string list;
  for (long id : ids) list += (list.empty() ? "" : ",") + SqlNumber(id);
  return list.empty() ? "0" : list;
}

// A coded dimension restricts to the item itself, or to the subtree of a parent item.
std::string CodedCondition(const char* column, const char* table, const char* id_column,
                           const char* code_column, long id) {
  host::Recordset rs =
      frame::Data().OpenRecordset(std::string("Select ") + code_column + ",blnIsDetail From " +
                                  table + " Where " + id_column + "=" + SqlNumber(id));
  if (rs.Empty() || rs["blnIsDetail"].AsBool()) {
    return std::string(" And DataDaily.") + column + "=" + SqlNumber(id);
  }
  return std::string(" And DataDaily.") + column + " In (Select " + id_column + " From " + table +
         " Where " + code_column + " Like " + SqlText(rs[code_column].AsText() + "-%") + ")";
}

std::string DetailCondition(const host::Recordset& detail) {
  std::string condition = "1=1";
  long account = detail["lngAccountID"].AsLong();
  if (account != 0) {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select strAccountCode,intDirection,blnIsDetail From Account Where lngAccountID=" +
        SqlNumber(account));
    if (rs.Empty() || rs["blnIsDetail"].AsBool()) {
      condition += " And DataDaily.lngAccountID=" + SqlNumber(account);
    } else {
      condition +=
          " And Account.strAccountCode Like " + SqlText(rs["strAccountCode"].AsText() + "-%");
    }
  }
  if (long id = detail["lngDepartmentID"].AsLong(); id != 0) {
    condition +=
        CodedCondition("lngDepartmentID", "Department", "lngDepartmentID", "strDepartmentCode", id);
  }
  if (long id = detail["lngClassID1"].AsLong(); id != 0) {
    condition += CodedCondition("lngClassID1", "Class1", "lngClassID", "strClassCode", id);
  }
  if (long id = detail["lngClassID2"].AsLong(); id != 0) {
    condition += CodedCondition("lngClassID2", "Class2", "lngClassID", "strClassCode", id);
  }
  if (long id = detail["lngCustomerID"].AsLong(); id != 0) {
    condition += " And DataDaily.lngCustomerID=" + SqlNumber(id);
  }
  if (long id = detail["lngEmployeeID"].AsLong(); id != 0) {
    condition += " And DataDaily.lngEmployeeID=" + SqlNumber(id);
  }
  if (long id = detail["lngFieldID"].AsLong(); id != 0) {
    condition +=
        " And DataDaily.strFlexibleID In (Select strFlexibleID From FlexibleCheck Where "
        "lngFieldID In (" +
        IdList(GetSubFlexible(id)) + "))";
  }
  return "(" + condition + ")";
}

// The debit or credit side of one measure: accounts of nature 0 or 5 (quantities: 0) take the
// voucher amounts, posted only or with the unposted ones; the others their non-voucher amounts.
std::string Side(const std::string& measure, const std::string& side, bool quantity,
                 bool include_unposted) {
  std::string voucher = "DataDaily.dbl" + measure + side;
  if (include_unposted) voucher = "(" + voucher + "+DataDaily.dblUnPost" + measure + side + ")";
  std::string other = "DataDaily.dblUnVoucher" + measure + side;
  return quantity ? "Decode(Account.lngAccountNatureID,0," + voucher + "," + other + ")"
                  : "Decode(Account.lngAccountNatureID,0," + voucher + ",5," + voucher + "," +
                        other + ")";
}

std::string Measure(const std::string& measure, bool quantity, int type, bool include_unposted) {
  std::string debit = Side(measure, "Debit", quantity, include_unposted);
  std::string credit = Side(measure, "Credit", quantity, include_unposted);
  std::string net = "(" + debit + "-" + credit + ")";
  switch (type) {
    case 1:
      return "Sum(" + debit + ")";
    case 2:
      return "Sum(" + credit + ")";
    case 3:
      return "Sum(Greatest(" + net + ",0))";
    case 4:
      return "Sum(Greatest(-" + net + ",0))";
    case 5:
      return "Sum(" + net + "*1)";
    default:
      return "Sum(" + net + "*-1)";
  }
}

}  // namespace

bool IsQuarterBudgetPeriod(long budget_id) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "select budget.btyBudgetPeriod from budget where lngbudgetid=" + SqlNumber(budget_id));
  return !rs.Empty() && rs[0].AsLong() == 2;
}

BudgetInfo ReadBudget(long budget_id) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select bytBudgetType,blnIsOrganization From Budget Where lngBudgetID=" +
      SqlNumber(budget_id));
  if (rs.Empty()) return {};
  return BudgetInfo{budget_id, static_cast<int>(rs["bytBudgetType"].AsLong()),
                    rs["blnIsOrganization"].AsBool(), IsQuarterBudgetPeriod(budget_id)};
}

std::vector<long> GetSubFlexible(long field_id) {
  std::string owner = frame::Context().SchemaOwner();
  std::string table = owner.empty() ? "" : owner + ".";
  host::Recordset code =
      frame::Data().OpenRecordset("Select strFieldCode From " + table +
                                  "FlexibleFieldDetail Where lngFieldID=" + SqlNumber(field_id));
  if (code.Empty()) return {field_id};
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngFieldID As lngID,strFieldCode As strCode From " + table +
      "FlexibleFieldDetail Where lngFieldID=" + SqlNumber(field_id) +
      " Union All Select FlexibleFieldDetail.lngFieldID As lngID,FlexibleFieldDetail.strFieldCode "
      "As strCode From " +
      table + " FlexibleFieldDetail Where FlexibleFieldDetail.strFieldCode Like " +
      SqlText(code[0].AsText() + "-%") + " And FlexibleFieldDetail.blnIsDetail=1");
  std::vector<long> ids;
  for (const host::Recordset::Row& row : rs.Rows()) ids.push_back(row[0].AsLong());
  return ids;
}

std::map<std::pair<long, int>, BudgetFigures> BudgetAmounts(
    const BudgetQueryInput& input, const BudgetInfo& budget,
    const std::vector<long>& organizations) {
  std::string period = PeriodExpression("bytPeriod", budget.quarterly);
  std::string sql =
      "Select SUM(dblCurrencyBudget) As Currency,SUM(dblBudget) As Budget,SUM(dblQuantityBudget) "
      "As Quantity,lngOrganizationID," +
      period + " as bytPeriod From BudgetBalance Where lngBudgetID = " + SqlNumber(budget.id) +
      " And lngCurrencyID = " + SqlNumber(input.currency_id) +
      " And intYear = " + SqlNumber(input.year) +
      " And lngBudgetTargetID=" + SqlNumber(input.target_id);
  if (input.approved_only) sql += " And blnIsApprove=1";
  sql += " And lngOrganizationID In (" + IdList(organizations) + ")";
  sql += " Group By lngOrganizationID," + period + " Order By lngOrganizationID," + period;
  std::map<std::pair<long, int>, BudgetFigures> amounts;
  host::Recordset rs = frame::Data().OpenRecordset(sql);
  for (; !rs.Eof(); rs.MoveNext()) {
    amounts[{rs["lngOrganizationID"].AsLong(), static_cast<int>(rs["bytPeriod"].AsLong())}] =
        BudgetFigures{rs["Currency"].AsDouble(), rs["Budget"].AsDouble(),
                      rs["Quantity"].AsDouble()};
  }
  return amounts;
}

std::string ActualAmountsSql(const BudgetQueryInput& input, const BudgetInfo& budget,
                             const std::string& organization_code) {
  std::string details;
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngAccountID,lngDepartmentID,lngCustomerID,lngClassID1,lngEmployeeID,lngClassID2,"
      "lngFieldID From BudgetTargetDetail Where lngBudgetTargetID=" +
      SqlNumber(input.target_id) + " Order By lngBudgetTargetDetailID");
  for (; !rs.Eof(); rs.MoveNext()) details += (details.empty() ? "" : " Or ") + DetailCondition(rs);
  if (details.empty()) details = "1=0";

  bool balance = budget.type == 3 || budget.type == 4;
  // A balance carries everything booked before the year into its first period.
  std::string start =
      balance ? "Decode(AccountPeriod.bytPeriod,1,'0000-00-00',AccountPeriod.strStartDate)"
              : "AccountPeriod.strStartDate";
  std::string period = PeriodExpression("AccountPeriod.bytPeriod", budget.quarterly);
  std::string sql =
      "Select " + period + " As bytPeriod," +
      Measure("Currency", false, budget.type, input.include_unposted) + " As Currency," +
      Measure("", false, budget.type, input.include_unposted) + " As Amount," +
      Measure("Quantity", true, budget.type, input.include_unposted) +
      " As Quantity From AccountDaily DataDaily,Account,AccountPeriod"
      " Where DataDaily.lngAccountID=Account.lngAccountID"
      " And AccountPeriod.lngOrganizationID=" +
      SqlNumber(frame::OrganizationId()) + " And AccountPeriod.intYear=" + SqlNumber(input.year) +
      " And DataDaily.strDate>=" + start + " And DataDaily.strDate<=AccountPeriod.strEndDate" +
      " AND (NVL(AccountPeriod.bytPeriod,-1)=-1 OR AccountPeriod.intYear<=" +
      SqlNumber(input.year) + ") And (" + details + ")";
  if (input.currency_id != -1)
    sql += " And DataDaily.lngCurrencyID=" + SqlNumber(input.currency_id);
  sql +=
      " And DataDaily.lngSourceOrganizationID In (Select lngOrganizationID From Organization "
      "Where strOrganizationCode=" +
      SqlText(organization_code) + " Or strOrganizationCode Like " +
      SqlText(organization_code + "-%") + ")";
  sql += " Group By " + period;
  return sql;
}

std::map<int, BudgetFigures> ActualAmounts(const BudgetQueryInput& input, const BudgetInfo& budget,
                                           const std::string& organization_code) {
  std::map<int, BudgetFigures> amounts;
  host::Recordset rs =
      frame::Data().OpenRecordset(ActualAmountsSql(input, budget, organization_code));
  for (; !rs.Eof(); rs.MoveNext()) {
    amounts[static_cast<int>(rs["bytPeriod"].AsLong())] = BudgetFigures{
        rs["Currency"].AsDouble(), rs["Amount"].AsDouble(), rs["Quantity"].AsDouble()};
  }
  return amounts;
}

}  // namespace lumvoucher::dualbasis
