#include "templates/std_voucher_store.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/voucher_basis.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::templates {

namespace {

using frame::SqlNumber;
using frame::SqlText;

std::string N(long value) {
  return std::to_string(value);
}

// Empty texts are stored as one blank, as the system's other tables keep them.
std::string BlankIfEmpty(const std::string& text) {
  return text.empty() ? std::string(" ") : text;
}

std::string Org() {
  return N(frame::OrganizationId());
}

// The budget tables go by the financial table's name, so each statement is written once.
std::string StdTable(StdBasis basis, const char* table) {
  return basis == StdBasis::kFinance ? std::string(table)
                                     : std::string(Prefix(basis)) + table + " " + table;
}

}  // namespace

const char* Prefix(StdBasis basis) {
  return basis == StdBasis::kFinance ? "" : "Budget";
}

StdVoucherSource SourceOf(const voucher::frmVoucher& window) {
  const voucher::VoucherState& s = window.State();
  StdVoucherSource source;
  source.type_id = s.header.type_id;
  source.template_id = s.header.template_id;
  source.attachments = static_cast<int>(
      host::clsBaseClass::TextToLong(s.header.attachments.empty() ? "0" : s.header.attachments));
  for (const voucher::VoucherLine& l : s.lines) {
    if (l.IsBlank()) continue;
    ++source.grid_lines;
    if (l.account_id == 0) continue;
    StdLine line;
    line.remark = l.remark;
    line.account_id = l.account_id;
    line.direction = l.direction == voucher::kCredit ? voucher::kCredit : voucher::kDebit;
    line.currency_id = l.currency_id;
    line.class1_id = l.class1_id;
    line.class2_id = l.class2_id;
    line.customer_id = l.unit_id;
    line.department_id = l.department_id;
    line.employee_id = l.employee_id;
    line.payment_method_id = l.payment_method_id;
    line.check_number = frame::StringOut(l.check_number, " ");
    line.flexible_id = frame::StringOut(l.flexible_id, " ");
    source.lines.push_back(std::move(line));
  }
  return source;
}

long FindStdVoucher(StdBasis basis, const std::string& number) {
  host::Recordset rs = frame::Data().OpenRecordset(
      std::string("SELECT strVoucherNO,lngVoucherID FROM ") + Prefix(basis) +
      "StdVoucher WHERE strVoucherNO = " + SqlText(number) + " And lngOrganizationID=" + Org());
  return rs.Empty() ? 0 : static_cast<long>(rs["lngVoucherID"].AsLong());
}

void DeleteStdVoucher(StdBasis basis, long id, bool lines_first) {
  host::DataAccess& data = frame::Data();
  const std::string prefix = Prefix(basis);
  if (lines_first) {
    data.Execute("DELETE FROM " + prefix + "stdVoucherDetail WHERE lngVoucherID = " + N(id));
    data.Execute("DELETE FROM " + prefix + "stdVoucher WHERE lngVoucherID = " + N(id));
  } else {
    data.Execute("DELETE FROM  " + prefix + "StdVoucher WHERE lngVoucherID=" + N(id));
    data.Execute("DELETE FROM  " + prefix + "StdVoucherDetail WHERE lngVoucherID=" + N(id));
  }
}

long WriteStdVoucher(StdBasis basis, const std::string& number, const std::string& name,
                     const StdVoucherSource& source) {
  host::DataAccess& data = frame::Data();
  host::LoginContext& login = frame::Context();
  const std::string prefix = Prefix(basis);
  const long id = login.NextId("stdVoucher");
  data.Execute("INSERT INTO " + prefix +
               "StdVoucher (lngVoucherID,lngVoucherTypeID,strVoucherNo,strVoucherName,"
               "lngTemplateID,intNumber,lngOrganizationID) VALUES (" +
               N(id) + "," + N(source.type_id) + "," + SqlText(number) + "," + SqlText(name) + "," +
               N(source.template_id) + "," + N(source.attachments) + "," + Org() + ")");
  const bool budget = basis == StdBasis::kBudget;
  // A line in the book currency names none; its standard line names the book currency, so
  // that loading it (joined to Currencys) finds it again.
  long local = 0;
  auto currency = [&](long id) {
    if (id != 0) return id;
    if (local == 0) {
      host::Recordset rs = data.OpenRecordset(
          "Select lngCurrencyID From Currencys Where blnIsLocal=1 Order By lngCurrencyID");
      local = rs.Empty() ? 1L : static_cast<long>(rs["lngCurrencyID"].AsLong());
    }
    return local;
  };
  long row = 0;
  for (const StdLine& l : source.lines) {
    std::string columns =
        "lngVoucherDetailID,lngVoucherID,lngRowID,strRemark,lngAccountID,intDirection,"
        "lngCurrencyID,lngClassID1,lngClassID2,lngCustomerID,lngDepartmentID,lngEmployeeID,"
        "lngPaymentMethodID,strCheckNumber,strFlexibleId";
    std::string values = N(login.NextId("stdVoucherDetail")) + "," + N(id) + "," + N(++row) + "," +
                         SqlText(BlankIfEmpty(l.remark)) + "," + N(l.account_id) + "," +
                         N(l.direction) + "," + N(currency(l.currency_id)) + "," + N(l.class1_id) +
                         "," + N(l.class2_id) + "," + N(l.customer_id) + "," + N(l.department_id) +
                         "," + N(l.employee_id) + "," + N(l.payment_method_id) + "," +
                         SqlText(BlankIfEmpty(l.check_number)) + "," +
                         SqlText(BlankIfEmpty(l.flexible_id));
    if (budget) {
      columns += ",lngFunctionalID,lngGovernmentECOID,lngDepartmentECOID";
      values +=
          "," + N(l.functional_id) + "," + N(l.government_eco_id) + "," + N(l.department_eco_id);
    }
    data.Execute("INSERT INTO " + prefix + "StdVoucherDetail (" + columns + ") VALUES (" + values +
                 ")");
  }
  return id;
}

std::string StdHeaderSql(StdBasis basis, long id) {
  return "SELECT stdVoucher.lngVoucherTypeID,stdVoucher.lngTemplateID,stdVoucher.intNumber,"
         "VoucherType.strVoucherTypeCode,Template.strTemplateName "
         "FROM " +
         StdTable(basis, "stdVoucher") +
         ",VoucherType,"
         "Template WHERE "
         "stdVoucher.lngTemplateID=Template.lngTemplateID AND "
         "stdVoucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID AND lngVoucherID=" +
         N(id);
}

std::string StdLinesSql(StdBasis basis, long id) {
  return "SELECT 0 pp0,VoucherDetail.strRemark pp1,' ' pp2,"
         "Currencys.strCurrencyName pp3,0 pp4,0 pp5,0 pp6,0 pp7,0 pp8,0 pp9,"
         "Customer.strCustomerCode || ' ' || Customer.strCustomerName pp10,"
         "Department.strDepartmentCode || ' ' || Department.strDepartmentName pp11,"
         "Decode(Employee.strEmployeeCode,NULL,' ',Employee.strEmployeeCode || ' ' || "
         "Employee.strEmployeeName || ' ' || Department1.strDepartmentCode || ' ' || "
         "Department1.strDepartmentName) pp12,' ' pp13,"
         "Class1.strClassCode || ' ' || Class1.strClassName pp14,"
         "Class2.strClassCode || ' ' || Class2.strClassName pp15,"
         "VoucherDetail.lngAccountID pp16,VoucherDetail.lngCurrencyID pp17,"
         "VoucherDetail.lngCustomerID pp18,VoucherDetail.lngDepartmentID pp19,"
         "VoucherDetail.lngEmployeeID pp20,0 pp21,"
         "VoucherDetail.lngClassID1 pp22,VoucherDetail.lngClassID2 pp23,"
         "VoucherDetail.intDirection pp24,VoucherDetail.strCheckNumber pp25,"
         "PaymentMethod.strPaymentMethodCode || ' ' || PaymentMethod.strPaymentMethodName pp26,"
         "VoucherDetail.lngPaymentMethodID pp27,"
         "Currencys.bytCurrencyDec,Currencys.bytRateDec,VoucherDetail.strflexibleid,"
         "flexId2codeorname(VoucherDetail.strflexibleid,1,VoucherDetail.lngaccountid,2) as "
         "strFlexibleName"
         " From " +
         std::string(Prefix(basis)) +
         "stdVoucherDetail VoucherDetail,PaymentMethod,Currencys,Customer,Department,"
         "Employee,Department Department1,Class1,Class2 "
         " WHERE VoucherDetail.lngPaymentMethodID=PaymentMethod.lngPaymentMethodID(+)"
         " AND VoucherDetail.lngCurrencyID=Currencys.lngCurrencyID"
         " AND VoucherDetail.lngCustomerID=Customer.lngCustomerID(+)"
         " AND VoucherDetail.lngDepartmentID=Department.lngDepartmentID(+)"
         " AND VoucherDetail.lngEmployeeID=Employee.lngEmployeeID(+)"
         " AND Employee.lngDepartmentID=Department1.lngDepartmentID(+)"
         " AND VoucherDetail.lngClassID1=Class1.lngClassID(+)"
         " AND VoucherDetail.lngClassID2=Class2.lngClassID(+)"
         " AND VoucherDetail.lngVoucherID=" +
         N(id) + "  ORDER BY lngRowID ASC";
}

std::optional<StdVoucherContent> ReadStdVoucher(StdBasis basis, long id) {
  host::DataAccess& data = frame::Data();
  host::Recordset header = data.OpenRecordset(StdHeaderSql(basis, id));
  if (header.Empty()) return std::nullopt;
  StdVoucherContent content;
  content.type_id = static_cast<long>(header["lngVoucherTypeID"].AsLong());
  content.type_code = header["strVoucherTypeCode"].AsText();
  content.template_id = static_cast<long>(header["lngTemplateID"].AsLong());
  content.template_name = header["strTemplateName"].AsText();
  content.attachments = static_cast<int>(header["intNumber"].AsLong());
  host::clsAccount& accounts =
      frame::Chart(basis == StdBasis::kFinance ? host::FinancialBasis() : host::BudgetBasis());
  for (host::Recordset rs = data.OpenRecordset(StdLinesSql(basis, id)); !rs.Eof(); rs.MoveNext()) {
    voucher::VoucherLine l;
    // A blank stored for an empty text is shown empty again.
    l.remark = frame::StringOut(rs["pp1"].AsText(), " ");
    l.currency_name = rs["pp3"].AsText();
    l.unit_text = frame::StringOut(rs["pp10"].AsText(), " ");
    l.department_text = frame::StringOut(rs["pp11"].AsText(), " ");
    l.employee_text = frame::StringOut(rs["pp12"].AsText(), " ");
    l.class1_text = frame::StringOut(rs["pp14"].AsText(), " ");
    l.class2_text = frame::StringOut(rs["pp15"].AsText(), " ");
    l.account_id = static_cast<long>(rs["pp16"].AsLong());
    l.currency_id = static_cast<long>(rs["pp17"].AsLong());
    l.unit_id = static_cast<long>(rs["pp18"].AsLong());
    l.department_id = static_cast<long>(rs["pp19"].AsLong());
    l.employee_id = static_cast<long>(rs["pp20"].AsLong());
    l.class1_id = static_cast<long>(rs["pp22"].AsLong());
    l.class2_id = static_cast<long>(rs["pp23"].AsLong());
    l.direction = rs["pp24"].AsLong() == voucher::kCredit ? voucher::kCredit : voucher::kDebit;
    l.check_number = frame::StringOut(rs["pp25"].AsText(), " ");
    l.payment_method_text = frame::StringOut(rs["pp26"].AsText(), " ");
    l.payment_method_id = static_cast<long>(rs["pp27"].AsLong());
    l.currency_decimals = static_cast<int>(rs["bytCurrencyDec"].AsLong());
    l.rate_decimals = static_cast<int>(rs["bytRateDec"].AsLong());
    l.flexible_id = frame::StringOut(rs["strflexibleid"].AsText(), " ");
    l.flexible_name = rs["strFlexibleName"].AsText();
    if (auto account = accounts.AccountById(l.account_id)) {
      l.account_text = account->code + " " + account->name;
    }
    content.lines.push_back(std::move(l));
  }
  return content;
}

}  // namespace lumvoucher::templates
