#include "links/contract_settlement.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/data_access.h"

namespace lumvoucher::links {

namespace {

using frame::SqlNumber;

std::string N(long value) {
  return std::to_string(value);
}

double Sum(const std::string& sql, const char* column) {
  host::Recordset rs = frame::Data().OpenRecordset(sql);
  return rs.Empty() ? 0.0 : rs[column].AsDouble();
}

// The text between the quotes of a '{n}' placeholder: quotes doubled, one blank for nothing.
std::string Quoted(const std::string& text) {
  const std::string literal = frame::SqlText(text.empty() ? std::string(" ") : text);
  return literal.substr(1, literal.size() - 2);
}

std::string Trimmed(std::string text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<ContractChoice> ContractChoices(int kind, int pay_receive, long project_id) {
  std::string sql;
  if (kind == kProjectOrder) {
    sql =
        "SELECT lngOrderID As lngID, strOrderCode As strCode, strOrderName As strName, "
        "lngCustomerID FROM ProjectOrder WHERE lngProjectID = " +
        N(project_id) + " Order By strOrderCode";
  } else {
    sql =
        "SELECT Contract.lngContractID As lngID, Contract.strContractCode As strCode, "
        "Contract.strContractName As strName, Contract.lngCustomerID FROM Contract, "
        "ContractOption WHERE Contract.lngContractOptionID = ContractOption.lngContractOptionID "
        "AND ContractOption.ContractOptionDir = " +
        N(pay_receive) + " AND Contract.blnConfirm = 2 AND Contract.blnComplete = 0" +
        " AND Contract.blnZero = 0 AND Contract.lngOrganizationID = " + N(frame::OrganizationId()) +
        " Order By Contract.strContractCode";
  }
  std::vector<ContractChoice> out;
  for (host::Recordset rs = frame::Data().OpenRecordset(sql); !rs.Eof(); rs.MoveNext()) {
    out.push_back({static_cast<long>(rs["lngID"].AsLong()), rs["strCode"].AsText(),
                   rs["strName"].AsText(), static_cast<long>(rs["lngCustomerID"].AsLong())});
  }
  return out;
}

std::vector<ContractChoice> ProjectChoices() {
  std::vector<ContractChoice> out;
  for (host::Recordset rs = frame::Data().OpenRecordset(
           "SELECT lngProjectID, strProjectCode, strProjectName FROM Project WHERE "
           "blnIsDetail = 1 AND lngOrganizationID = " +
           N(frame::OrganizationId()) + " Order By strProjectCode");
       !rs.Eof(); rs.MoveNext()) {
    out.push_back({static_cast<long>(rs["lngProjectID"].AsLong()), rs["strProjectCode"].AsText(),
                   rs["strProjectName"].AsText(), 0});
  }
  return out;
}

std::vector<ContractChoice> ReferenceChoices(ContractReference which) {
  std::string sql;
  switch (which) {
    case ContractReference::kUnit:
    case ContractReference::kPayer:
      sql = std::string(
                "SELECT lngCustomerID As lngID, strCustomerCode As strCode, "
                "strCustomerName As strName FROM ") +
            (which == ContractReference::kUnit ? "Customer" : "PayCustomer") +
            " WHERE blnIsDetail = 1 AND blnIsInActive = 0 Order By strCustomerCode";
      break;
    case ContractReference::kMethod:
      sql =
          "SELECT lngPaymentMethodID As lngID, strPaymentMethodCode As strCode, "
          "strPaymentMethodName As strName FROM PaymentMethod WHERE blnIsInActive = 0 Order By "
          "strPaymentMethodCode";
      break;
  }
  std::vector<ContractChoice> out;
  for (host::Recordset rs = frame::Data().OpenRecordset(sql); !rs.Eof(); rs.MoveNext()) {
    out.push_back({static_cast<long>(rs["lngID"].AsLong()), rs["strCode"].AsText(),
                   rs["strName"].AsText(), 0});
  }
  return out;
}

double ContractTotal(int kind, long contract_id) {
  if (kind == kProjectOrder) {
    return Sum("SELECT dblSumAmount FROM ProjectOrder WHERE lngOrderID = " + N(contract_id),
               "dblSumAmount");
  }
  return Sum(
      "SELECT Nvl(Sum(dblTaxAmount),0) As dblSumAmount"
      " FROM ContractItem"
      " WHERE lngContractID = " +
          N(contract_id),
      "dblSumAmount");
}

double ContractPaid(int kind, long contract_id, long line_id) {
  double paid =
      Sum(" SELECT Nvl(Sum(dblPaymentAmount),0) As dblPaymentAmount"
          " FROM ContractBalance"
          " WHERE ContractBalance.lngContractID = " +
              N(contract_id) + " AND ContractBalance.bytContractType = " + N(kind) +
              " AND ContractBalance.lngVoucherdetailID <> " + N(line_id),
          "dblPaymentAmount");
  if (kind == kProjectOrder) {
    paid += Sum("SELECT dblInitPayment FROM ProjectOrder WHERE lngOrderID = " + N(contract_id),
                "dblInitPayment");
  }
  return paid;
}

ProjectFigures ReadProjectFigures(long project_id, long line_id) {
  ProjectFigures f;
  host::DataAccess& data = frame::Data();
  host::Recordset project = data.OpenRecordset(
      "SELECT blnIsDetail, dblBudgetAmount FROM Project WHERE lngProjectID = " + N(project_id) +
      " AND lngOrganizationID = " + N(frame::OrganizationId()));
  if (project.Empty()) return f;
  f.found = true;
  f.leaf = project["blnIsDetail"].AsLong() == 1;
  f.budget = project["dblBudgetAmount"].AsDouble();
  const std::string id = N(project_id);
  f.total =
      Sum("SELECT Sum(dblSumAmount) As SumAmount FROM ProjectOrder WHERE "
          "Projectorder.lngProjectID = " +
              id,
          "SumAmount");
  f.paid = Sum(" SELECT Nvl(Sum(dblInitPayment),0) As dblInitPayment FROM ProjectOrder WHERE "
               "lngProjectID = " +
                   id,
               "dblInitPayment") +
           Sum("SELECT dblInitPayment FROM Project WHERE lngProjectID = " + id, "dblInitPayment") +
           Sum(" SELECT Nvl(Sum(dblPaymentAmount),0) As dblPaymentAmount FROM ContractBalance "
               "WHERE ContractBalance.lngProjectID = " +
                   id + " AND ContractBalance.bytContractType = 2" +
                   " AND ContractBalance.lngVoucherdetailID <> " + N(line_id),
               "dblPaymentAmount");
  f.invoiced =
      Sum(" SELECT Nvl(Sum(dblAmount),0) As dblPaymentAmount"
          " FROM ProjectInvoice WHERE lngProjectID = " +
              id + " AND Nvl(lngVoucherDetailID,0) <> " + N(line_id),
          "dblPaymentAmount");
  return f;
}

StoredContractSplit LoadContractSplit(long line_id) {
  StoredContractSplit stored;
  host::DataAccess& data = frame::Data();
  const std::string line = N(line_id);
  host::Recordset head = data.OpenRecordset(
      " SELECT bytContractType,intPayReceiveType,lngProjectID"
      " FROM ContractBalance "
      " WHERE lngVoucherDetailID = " +
      line);
  if (head.Empty()) return stored;
  stored.found = true;
  ContractSplit& split = stored.split;
  split.kind =
      head["bytContractType"].AsLong() == kProjectOrder ? kProjectOrder : kPurchaseContract;
  split.pay_receive = head["intPayReceiveType"].AsLong() == kReceipt ? kReceipt : kPayment;
  split.project_id = static_cast<long>(head["lngProjectID"].AsLong());
  const bool project = split.kind == kProjectOrder;
  const std::string code = project ? "o.strOrderCode" : "k.strContractCode";
  std::string sql = "SELECT ContractBalance.*, " + code +
                    " As strCode, Nvl(i.dblAmount,0) As dblInvoice FROM ContractBalance, " +
                    (project ? std::string("ProjectOrder o") : std::string("Contract k")) +
                    ", ProjectInvoice i WHERE ContractBalance.lngVoucherDetailID = " + line +
                    " AND " +
                    (project ? "o.lngOrderID(+) = ContractBalance.lngContractID"
                             : "k.lngContractID(+) = ContractBalance.lngContractID") +
                    " AND i.lngVoucherDetailID(+) = " + line +
                    " AND i.lngOrderID(+) = ContractBalance.lngContractID"
                    " Order By ContractBalance.strPayDate, " +
                    code;
  for (host::Recordset rs = data.OpenRecordset(sql); !rs.Eof(); rs.MoveNext()) {
    ContractRow row;
    row.contract_id = static_cast<long>(rs["lngContractID"].AsLong());
    row.customer_id = static_cast<long>(rs["lngCustomerID"].AsLong());
    row.pay_customer_id = static_cast<long>(rs["lngPayCustomerID"].AsLong());
    row.payment_method_id = static_cast<long>(rs["lngPaymentMethodID"].AsLong());
    row.pay_date = Trimmed(rs["strPayDate"].AsText());
    row.check_number = Trimmed(rs["strCheckNumber"].AsText());
    row.pay_man = Trimmed(rs["strPayMan"].AsText());
    row.amount = rs["dblPaymentAmount"].AsDouble();
    row.invoice_amount = rs["dblInvoice"].AsDouble();
    row.note = Trimmed(rs["strNote"].AsText());
    row.data_source = static_cast<int>(rs["intDataSource"].AsLong());
    split.rows.push_back(row);
    stored.codes.push_back(rs["strCode"].AsText());
  }
  return stored;
}

void WriteContractSplit(long line_id, const ContractSplit& split) {
  host::DataAccess& data = frame::Data();
  const std::string line = N(line_id);
  data.Execute("DELETE FROM ContractBalance WHERE lngVoucherDetailID = " + line);
  data.Execute("DELETE FROM ProjectInvoice WHERE lngVoucherDetailID = " + line);
  const bool project = split.kind == kProjectOrder;
  for (const ContractRow& row : split.rows) {
    // Kind-1 rows keep the source they were loaded with; none below 1 is written.
    const int source = project || row.data_source < 1 ? 1 : row.data_source;
    data.Execute(frame::FormatText(
        "INSERT INTO ContractBalance(lngVoucherDetailID,lngProjectID,lngContractID,lngCustomerID,"
        "dblPaymentAmount,"
        "strPayDate,lngPayCustomerID,lngPaymentMethodID,strCheckNumber,strPayMan,"
        "intPayReceiveType,bytContractType,intDataSource,strNote) "
        "VALUES({0},{1},{2},{3},{4},'{5}',{6},{7},'{8}','{9}',{10},{11},{12},'{13}')",
        {line, N(project ? split.project_id : 0), N(row.contract_id), N(row.customer_id),
         SqlNumber(row.amount), Quoted(row.pay_date), N(row.pay_customer_id),
         N(row.payment_method_id), Quoted(row.check_number), Quoted(row.pay_man),
         N(split.pay_receive), N(split.kind), N(source), Quoted(row.note)}));
    if (row.invoice_amount == 0) continue;
    data.Execute(frame::FormatText(
        "INSERT INTO ProjectInvoice(lngVoucherDetailID,lngInvoiceDetailID,lngProjectID,"
        "lngOrderID,strDate,dblAmount) "
        "VALUES({0},{1},{2},{3},'{4}',{5})",
        {line, N(frame::Context().NextId("ProjectInvoice")), N(project ? split.project_id : 0),
         N(row.contract_id), Quoted(row.pay_date), SqlNumber(row.invoice_amount)}));
  }
}

}  // namespace lumvoucher::links
