#include "links/contract_settlement.h"

#include <optional>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/decimal_text.h"

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

// An amount as the list's mask shows it, group commas and padding dropped.
double Unmasked(const std::string& shown) {
  std::string digits;
  for (char c : shown) {
    if (c != ',' && c != ' ') digits += c;
  }
  const std::optional<double> value = host::ParseDecimal(digits);
  if (!value) throw host::DatabaseError("合同结算金额无法读取：" + shown);
  return *value;
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

std::vector<ContractFigures> ReadContractFigures(int kind, const std::vector<long>& ids,
                                                 long line_id) {
  std::vector<ContractFigures> out(ids.size());
  std::string list;
  for (long id : ids) {
    if (id != 0) list += (list.empty() ? "" : ",") + N(id);
  }
  if (list.empty()) return out;
  const bool project = kind == kProjectOrder;
  const std::string self = project ? "ProjectOrder.lngOrderID" : "Contract.lngContractID";
  const std::string paid =
      "(SELECT Nvl(Sum(dblPaymentAmount),0) As dblPaymentAmount"
      " FROM ContractBalance"
      " WHERE ContractBalance.lngContractID = " +
      self + " AND ContractBalance.bytContractType = " + N(kind) +
      " AND ContractBalance.lngVoucherdetailID <> " + N(line_id) + ")";
  const std::string sql =
      project
          ? "SELECT lngOrderID As lngID, Nvl(dblSumAmount,0) As dblSumAmount, "
            "Nvl(dblInitPayment,0) + " +
                paid + " As dblPaymentAmount FROM ProjectOrder WHERE lngOrderID In (" + list + ")"
          : "SELECT lngContractID As lngID, (SELECT Nvl(Sum(dblTaxAmount),0) As dblSumAmount"
            " FROM ContractItem"
            " WHERE lngContractID = Contract.lngContractID) As dblSumAmount, " +
                paid + " As dblPaymentAmount FROM Contract WHERE lngContractID In (" + list + ")";
  for (host::Recordset rs = frame::Data().OpenRecordset(sql); !rs.Eof(); rs.MoveNext()) {
    const long id = static_cast<long>(rs["lngID"].AsLong());
    for (std::size_t i = 0; i < ids.size(); ++i) {
      if (ids[i] == id) out[i] = {rs["dblSumAmount"].AsDouble(), rs["dblPaymentAmount"].AsDouble()};
    }
  }
  return out;
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

std::vector<std::string> ContractCaptions(int pay_receive) {
  const bool pay = pay_receive != kReceipt;
  return {"凭证明细ID",
          "合同号ID",
          "单位ID",
          "付款方ID",
          "付款方式ID",
          pay ? "付款日期" : "收款日期",
          "合同号",
          "单位",
          pay ? "付款方" : "收款方",
          "付款方式",
          "票据号",
          "经办人",
          pay ? "本次付款金额" : "本次收款金额",
          "发票已到金额",
          pay ? "合同累计已付款" : "合同累计已收款",
          "合同总金额",
          "备注",
          "数据来源"};
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
  // The two computed columns are figured by the window for all its rows at once.
  const std::string list =
      std::string(
          "SELECT ContractBalance.lngVoucherDetailID As \"{1}\", ContractBalance.lngContractID "
          "As \"{2}\", ContractBalance.lngCustomerID As \"{3}\", "
          "ContractBalance.lngPayCustomerID As \"{4}\", ContractBalance.lngPaymentMethodID As "
          "\"{5}\", ContractBalance.strPayDate As \"{6}\", ") +
      (project ? "ProjectOrder.strOrderCode" : "Contract.strContractCode") +
      " As \"{7}\", Customer.strCustomerCode As \"{8}\", PayCustomer.strCustomerCode As "
      "\"{9}\", PaymentMethod.strPaymentMethodCode As \"{10}\", ContractBalance.strCheckNumber "
      "As \"{11}\", ContractBalance.strPayMan As \"{12}\", "
      "To_Char(ContractBalance.dblPaymentAmount,'99,999,999,999,999,990.{0}') As \"{13}\", "
      "To_Char(Nvl(ProjectInvoice.dblAmount,0),'99,999,999,999,999,990.{0}') As \"{14}\", "
      "0 As \"{15}\", 0 As \"{16}\", ContractBalance.strNote As \"{17}\", "
      "ContractBalance.intDataSource As \"{18}\" FROM ContractBalance, " +
      (project ? std::string("ProjectOrder") : std::string("Contract, ContractOption")) +
      ", ProjectInvoice, Customer, PayCustomer, PaymentMethod"
      " WHERE ContractBalance.lngVoucherDetailID = " +
      line +
      (project ? " AND ProjectOrder.lngOrderID = ContractBalance.lngContractID"
               : " AND Contract.lngContractID = ContractBalance.lngContractID"
                 " AND ContractOption.lngContractOptionID = Contract.lngContractOptionID"
                 " AND ContractOption.ContractOptionDir = ContractBalance.intPayReceiveType"
                 " AND Contract.blnConfirm = 2"
                 " AND Contract.blnComplete = 0"
                 " AND Contract.blnZero = 0"
                 " AND Contract.lngOrganizationID = " +
                     N(frame::OrganizationId())) +
      // Kind-1 rows carry their invoice amount in ProjectInvoice as well.
      " AND ProjectInvoice.lngVoucherDetailID(+) = ContractBalance.lngVoucherDetailID"
      " AND ProjectInvoice.lngOrderID(+) = ContractBalance.lngContractID"
      " AND Customer.lngCustomerID(+) = ContractBalance.lngCustomerID"
      " AND PayCustomer.lngCustomerID(+) = ContractBalance.lngPayCustomerID"
      " AND PaymentMethod.lngPaymentMethodID(+) = ContractBalance.lngPaymentMethodID"
      " Order By ContractBalance.strPayDate, " +
      (project ? "ProjectOrder.strOrderCode" : "Contract.strContractCode");
  std::vector<std::string> args = ContractCaptions(split.pay_receive);
  args.insert(args.begin(),
              std::string(static_cast<std::size_t>(frame::Context().AmountDecimals()), '0'));
  // Columns by position: the captions are the grid's, not names to rely on.
  for (host::Recordset rs = data.OpenRecordset(frame::FormatText(list, args)); !rs.Eof();
       rs.MoveNext()) {
    ContractRow row;
    row.contract_id = static_cast<long>(rs[1].AsLong());
    row.customer_id = static_cast<long>(rs[2].AsLong());
    row.pay_customer_id = static_cast<long>(rs[3].AsLong());
    row.payment_method_id = static_cast<long>(rs[4].AsLong());
    row.pay_date = Trimmed(rs[5].AsText());
    row.check_number = Trimmed(rs[10].AsText());
    row.pay_man = Trimmed(rs[11].AsText());
    row.amount = Unmasked(rs[12].AsText());
    row.invoice_amount = Unmasked(rs[13].AsText());
    row.note = Trimmed(rs[16].AsText());
    row.data_source = static_cast<int>(rs[17].AsLong());
    row.codes = {rs[6].AsText(), rs[7].AsText(), rs[8].AsText(), rs[9].AsText()};
    split.rows.push_back(row);
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
